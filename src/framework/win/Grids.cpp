#include "Grids.h"

#include <algorithm>
#include <array>
#include <vector>

#include <windowsx.h>

#include "Win32Error.h"

namespace zorvex {

namespace {
// Drawing a scroll bar takes several milliseconds: while the model keeps
// changing (a scan appending rows), the bars follow it at most this often.
constexpr UINT_PTR kScrollBarTimer = 1;
constexpr DWORD kScrollBarInterval = 100;
} // namespace

TStringGrid::TStringGrid(TComponent *owner, int colCount, int rowCount)
    : TCustomControl(owner), model_(colCount, rowCount), col_(model_.FixedCols()), row_(model_.FixedRows()),
      anchorCol_(col_), anchorRow_(row_) {
  model_.OnChanged = [this] { ModelChanged(); };
  SetTabStop(true);
  SetColor(clWindow);
  doubleBuffered_ = true;
  clickOnMouseUp_ = true;
  StoreBounds(0, 0, 320, 120);
}

void TStringGrid::AssignModel(TGridModel model) {
  model_ = std::move(model);
  model_.OnChanged = [this] { ModelChanged(); };
  col_ = anchorCol_ = std::clamp(col_, model_.FixedCols(), std::max(model_.FixedCols(), model_.ColCount() - 1));
  row_ = anchorRow_ = std::clamp(row_, model_.FixedRows(), std::max(model_.FixedRows(), model_.RowCount() - 1));
  ModelChanged();
}

const TPropertyTable &TStringGrid::ClassProperties() {
  static const auto table =
      TPublished<TStringGrid>(&TCustomControl::ClassProperties())
          .Integer("FixedColor", &TStringGrid::FixedColor, &TStringGrid::SetFixedColor)
          .Integer("ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount)
          .Integer("RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount)
          .Enumeration("BorderStyle", BorderStyleNames(), &TStringGrid::BorderStyle, &TStringGrid::SetBorderStyle);
  return table;
}

void TStringGrid::SetBorderStyle(TBorderStyle style) {
  borderStyle_ = style;
  ChangeStyle(WS_EX_CLIENTEDGE, style == TBorderStyle::bsSingle, true);
}

void TStringGrid::CreateParams(TCreateParams &params) {
  TCustomControl::CreateParams(params);
  params.Style |= WS_VSCROLL | WS_HSCROLL;
  if (borderStyle_ == TBorderStyle::bsSingle)
    params.ExStyle |= WS_EX_CLIENTEDGE;
  params.ClassStyle = CS_DBLCLKS;
}

void TStringGrid::CreateWindowHandleDone() {
  appliedVertical_.fill(-1); // a new window shows no scroll bars yet
  appliedHorizontal_.fill(-1);
  repaintPending_ = scrollBarsPending_ = false;
  UpdateScrollBars();
}

void TStringGrid::ModelChanged() {
  // Rows may have gone: keep the current cell inside the grid.
  const int lastRow = std::max(model_.FixedRows(), model_.RowCount() - 1);
  const int lastCol = std::max(model_.FixedCols(), model_.ColCount() - 1);
  row_ = std::min(row_, lastRow);
  anchorRow_ = std::min(anchorRow_, lastRow);
  col_ = std::min(col_, lastCol);
  anchorCol_ = std::min(anchorCol_, lastCol);
  // A scan changes cells thousands of times between two paints: ask for
  // one repaint and one scroll bar update, done from the message loop.
  if (HandleAllocated()) {
    if (!repaintPending_) {
      repaintPending_ = true;
      Invalidate();
    }
    if (!scrollBarsPending_) {
      scrollBarsPending_ = true;
      const DWORD since = GetTickCount() - lastScrollBarUpdate_;
      scrollBarTimer_ = StartTimer(WindowHandle(), kScrollBarTimer,
                                   since >= kScrollBarInterval ? USER_TIMER_MINIMUM : kScrollBarInterval - since);
    }
  }
  if (model_.TopRow() != lastTopRow_ || model_.LeftCol() != lastLeftCol_) {
    lastTopRow_ = model_.TopRow();
    lastLeftCol_ = model_.LeftCol();
    if (OnTopLeftChanged)
      OnTopLeftChanged(this);
  }
}

void TStringGrid::SetFixedColor(TColor color) {
  if (color == fixedColor_)
    return;
  fixedColor_ = color;
  Invalidate();
}

void TStringGrid::SetOptions(TGridOptions options) {
  options_ = options;
  Invalidate();
}

void TStringGrid::SetTopRow(int row) {
  const RECT client = ClientRect();
  row = std::clamp(row, model_.FixedRows(), layout_.MaxTopRow(client.bottom));
  if (row != model_.TopRow())
    model_.SetTopRow(row);
}

void TStringGrid::SetLeftCol(int col) {
  const RECT client = ClientRect();
  col = std::clamp(col, model_.FixedCols(), layout_.MaxLeftCol(client.right));
  if (col != model_.LeftCol())
    model_.SetLeftCol(col);
}

int TStringGrid::VisibleRowCount() const { return layout_.VisibleRowCount(ClientRect().bottom); }

void TStringGrid::MouseToCell(int x, int y, int &col, int &row) const {
  const GridCoord coord = layout_.MouseToCell(x, y);
  col = coord.col;
  row = coord.row;
}

RECT TStringGrid::CellRect(int col, int row) const {
  const GridRect rect = layout_.CellRect(col, row);
  return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

TGridSelection TStringGrid::Selection() const {
  return TGridSelection{std::min(col_, anchorCol_), std::min(row_, anchorRow_), std::max(col_, anchorCol_),
                        std::max(row_, anchorRow_)};
}

void TStringGrid::SetCurrentCell(int col, int row) { MoveCurrent(col, row, false); }

void TStringGrid::MoveCurrent(int col, int row, bool extend) {
  col = std::clamp(col, model_.FixedCols(), std::max(model_.FixedCols(), model_.ColCount() - 1));
  row = std::clamp(row, model_.FixedRows(), std::max(model_.FixedRows(), model_.RowCount() - 1));
  col_ = col;
  row_ = row;
  if (!extend || !(options_ & go::RangeSelect)) {
    anchorCol_ = col;
    anchorRow_ = row;
  }
  ScrollIntoView(col, row);
  Invalidate();
}

void TStringGrid::ScrollIntoView(int col, int row) {
  const RECT client = ClientRect();
  const int visibleRows = layout_.VisibleRowCount(client.bottom);
  if (row < model_.TopRow())
    SetTopRow(row);
  else if (row >= model_.TopRow() + visibleRows)
    SetTopRow(row - visibleRows + 1);
  if (col < model_.LeftCol()) {
    SetLeftCol(col);
  } else {
    while (col > model_.LeftCol() && layout_.ColumnLeft(col) + model_.ColWidth(col) > client.right) {
      const int before = model_.LeftCol();
      SetLeftCol(before + 1);
      if (model_.LeftCol() == before)
        break;
    }
  }
}

void TStringGrid::UpdateScrollBars() {
  if (!HandleAllocated())
    return;
  if (updatingScrollBars_)
    return;
  updatingScrollBars_ = true;
  lastScrollBarUpdate_ = GetTickCount();
  struct Reset {
    bool &flag;
    ~Reset() { flag = false; }
  } reset{updatingScrollBars_};
  // Showing one bar shrinks the client area, which may call for the other.
  for (int pass = 0; pass < 3; ++pass) {
    const RECT client = ClientRect();
    SCROLLINFO vertical{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    const int scrollRows = model_.RowCount() - model_.FixedRows();
    vertical.nMax = std::max(scrollRows - 1, 0);
    vertical.nPage = static_cast<UINT>(layout_.VisibleRowCount(client.bottom));
    vertical.nPos = model_.TopRow() - model_.FixedRows();
    SCROLLINFO horizontal{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    int totalWidth = layout_.FixedWidth();
    for (int col = model_.FixedCols(); col < model_.ColCount(); ++col)
      totalWidth += layout_.ColExtent(col);
    const int scrollCols = model_.ColCount() - model_.FixedCols();
    horizontal.nMax = std::max(scrollCols - 1, 0);
    horizontal.nPos = model_.LeftCol() - model_.FixedCols();
    horizontal.nPage = totalWidth <= client.right && model_.LeftCol() == model_.FixedCols()
                           ? static_cast<UINT>(horizontal.nMax + 1)
                           : static_cast<UINT>(layout_.VisibleColCount(client.right));
    // Cells change far more often than the scroll ranges, and drawing a bar
    // is slow: only a bar whose range or position changed is set.
    const std::array<int, 3> wantedVertical = {vertical.nMax, static_cast<int>(vertical.nPage), vertical.nPos};
    const std::array<int, 3> wantedHorizontal = {horizontal.nMax, static_cast<int>(horizontal.nPage), horizontal.nPos};
    if (wantedVertical != appliedVertical_) {
      appliedVertical_ = wantedVertical;
      SetScrollInfo(WindowHandle(), SB_VERT, &vertical, TRUE);
    }
    if (wantedHorizontal != appliedHorizontal_) {
      appliedHorizontal_ = wantedHorizontal;
      SetScrollInfo(WindowHandle(), SB_HORZ, &horizontal, TRUE);
    }
    const RECT after = ClientRect();
    if (after.right == client.right && after.bottom == client.bottom)
      break;
  }
}

void TStringGrid::BoundsChanged() {
  UpdateScrollBars();
  Invalidate();
}

void TStringGrid::Scroll(int bar, WORD request) {
  const bool vertical = bar == SB_VERT;
  const int current = vertical ? model_.TopRow() : model_.LeftCol();
  const int fixed = vertical ? model_.FixedRows() : model_.FixedCols();
  const RECT client = ClientRect();
  const int page = vertical ? layout_.VisibleRowCount(client.bottom) : layout_.VisibleColCount(client.right);
  const int max = vertical ? layout_.MaxTopRow(client.bottom) : layout_.MaxLeftCol(client.right);
  int target = current;
  switch (request) {
  case SB_LINEUP: target = current - 1; break;
  case SB_LINEDOWN: target = current + 1; break;
  case SB_PAGEUP: target = current - page; break;
  case SB_PAGEDOWN: target = current + page; break;
  case SB_TOP: target = fixed; break;
  case SB_BOTTOM: target = max; break;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION: {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(WindowHandle(), bar, &info);
    target = fixed + info.nTrackPos;
    break;
  }
  default: return;
  }
  if (vertical)
    SetTopRow(target);
  else
    SetLeftCol(target);
  UpdateScrollBars(); // the user is watching the bar
}

void TStringGrid::DrawCell(TCanvas &canvas, int col, int row, const RECT &rect, bool fixed, bool selected,
                           bool focused) {
  TColor background = fixed ? fixedColor_ : Color();
  // Fixed cells may take another background (a skin's face colour) than the
  // one their font was chosen for: their text stays readable on it.
  TColor text = fixed ? ReadableColor(Font().Color(), background) : Font().Color();
  if (selected) {
    background = clHighlight;
    text = clHighlightText;
  }
  canvas.Brush().SetColor(background);
  canvas.FillRect(rect);
  canvas.Font().SetColor(text);
  canvas.TextRect(rect, rect.left + 2, rect.top + 2, model_.Cell(col, row));
  if (fixed) {
    RECT edge = rect;
    DrawEdge(canvas.Handle(), &edge, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
    DrawEdge(canvas.Handle(), &edge, BDR_RAISEDINNER, BF_TOPLEFT);
  }
  if (focused)
    canvas.DrawFocusRect(rect);
}

void TStringGrid::Paint() {
  repaintPending_ = false;
  TCanvas &canvas = Canvas();
  const RECT client = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(client);
  const int line = layout_.GridLineWidth();
  const TGridSelection selection = Selection();
  const bool hasFocus = Focused();

  std::vector<int> rows, cols;
  for (int row = 0; row < model_.FixedRows() && row < model_.RowCount(); ++row)
    rows.push_back(row);
  for (int row = model_.TopRow(), top = layout_.FixedHeight(); row < model_.RowCount() && top < client.bottom;
       top += layout_.RowExtent(row), ++row)
    rows.push_back(row);
  for (int col = 0; col < model_.FixedCols() && col < model_.ColCount(); ++col)
    cols.push_back(col);
  for (int col = model_.LeftCol(); col < model_.ColCount(); ++col) {
    const int left = layout_.ColumnLeft(col);
    if (left >= client.right)
      break;
    cols.push_back(col);
  }

  for (const int row : rows) {
    for (const int col : cols) {
      const GridRect cell = layout_.CellRect(col, row);
      if (cell.Empty())
        continue;
      const RECT rect{cell.left, cell.top, cell.right, cell.bottom};
      const bool fixed = col < model_.FixedCols() || row < model_.FixedRows();
      const bool current = col == col_ && row == row_;
      const bool inSelection =
          !fixed && col >= selection.Left && col <= selection.Right && row >= selection.Top && row <= selection.Bottom;
      const bool selected = inSelection && (!current || (options_ & go::DrawFocusSelected));
      DrawCell(canvas, col, row, rect, fixed, selected, current && hasFocus && !fixed);
      // Grid lines after the cell: right and bottom.
      const bool vertLine = fixed ? (options_ & go::FixedVertLine) : (options_ & go::VertLine);
      const bool horzLine = fixed ? (options_ & go::FixedHorzLine) : (options_ & go::HorzLine);
      canvas.Brush().SetColor(vertLine ? (fixed ? clBlack : clSilver) : (fixed ? fixedColor_ : Color()));
      canvas.FillRect(RECT{rect.right, rect.top, rect.right + line, rect.bottom + line});
      canvas.Brush().SetColor(horzLine ? (fixed ? clBlack : clSilver) : (fixed ? fixedColor_ : Color()));
      canvas.FillRect(RECT{rect.left, rect.bottom, rect.right + line, rect.bottom + line});
    }
  }
}

void TStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    if (CanFocus() && !Focused())
      SetFocus();
    const int border = (options_ & go::ColSizing) ? layout_.ColumnBorderAt(x, y) : -1;
    if (border >= 0) {
      sizingCol_ = border;
      sizingStartX_ = x;
      sizingStartWidth_ = model_.ColWidth(border);
    } else {
      const GridCoord cell = layout_.MouseToCell(x, y);
      if (cell.col >= model_.FixedCols() && cell.row >= model_.FixedRows()) {
        MoveCurrent(cell.col, cell.row, (shift & ss::Shift) != 0);
        selecting_ = true;
      }
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TStringGrid::MouseMove(TShiftState shift, int x, int y) {
  if (sizingCol_ >= 0) {
    model_.SetColWidth(sizingCol_, std::max(sizingStartWidth_ + (x - sizingStartX_), 0));
  } else if (selecting_ && (shift & ss::Left)) {
    const GridCoord cell = layout_.MouseToCell(x, y);
    if (cell.col >= model_.FixedCols() && cell.row >= model_.FixedRows() && (cell.col != col_ || cell.row != row_))
      MoveCurrent(cell.col, cell.row, true);
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TStringGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    sizingCol_ = -1;
    selecting_ = false;
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TStringGrid::KeyDown(WORD &key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  const bool extend = (shift & ss::Shift) != 0;
  const int page = VisibleRowCount();
  switch (key) {
  case VK_UP: MoveCurrent(col_, row_ - 1, extend); break;
  case VK_DOWN: MoveCurrent(col_, row_ + 1, extend); break;
  case VK_LEFT: MoveCurrent(col_ - 1, row_, extend); break;
  case VK_RIGHT: MoveCurrent(col_ + 1, row_, extend); break;
  case VK_PRIOR: MoveCurrent(col_, row_ - page, extend); break;
  case VK_NEXT: MoveCurrent(col_, row_ + page, extend); break;
  case VK_HOME:
    MoveCurrent((shift & ss::Ctrl) ? col_ : model_.FixedCols(), (shift & ss::Ctrl) ? model_.FixedRows() : row_, extend);
    break;
  case VK_END:
    MoveCurrent((shift & ss::Ctrl) ? col_ : model_.ColCount() - 1, (shift & ss::Ctrl) ? model_.RowCount() - 1 : row_,
                extend);
    break;
  default: return;
  }
  key = 0;
}

void TStringGrid::WndProc(TMessage &message) {
  switch (message.Msg) {
  case WM_TIMER:
    if (message.WParam != kScrollBarTimer)
      break;
    scrollBarTimer_.reset();
    scrollBarsPending_ = false;
    UpdateScrollBars();
    return;
  case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
  case WM_VSCROLL: Scroll(SB_VERT, LOWORD(message.WParam)); return;
  case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(message.WParam)); return;
  case WM_MOUSEWHEEL: {
    const int notches = GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA;
    SetTopRow(model_.TopRow() - 3 * notches);
    return;
  }
  case WM_SETCURSOR:
    if (LOWORD(message.LParam) == HTCLIENT && (options_ & go::ColSizing)) {
      POINT cursor{};
      GetCursorPos(&cursor);
      ::ScreenToClient(WindowHandle(), &cursor);
      if (sizingCol_ >= 0 || layout_.ColumnBorderAt(cursor.x, cursor.y) >= 0) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_SIZEWE)));
        message.Result = TRUE;
        return;
      }
    }
    break;
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
    TCustomControl::WndProc(message);
    Invalidate();
    return;
  case WM_SIZE:
    TCustomControl::WndProc(message);
    UpdateScrollBars();
    Invalidate();
    return;
  default: break;
  }
  TCustomControl::WndProc(message);
}

} // namespace zorvex
