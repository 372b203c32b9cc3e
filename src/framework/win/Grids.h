#pragma once
// TStringGrid: draws a TGridModel (the cells live in the model, which
// works without any window), with fixed rows and columns in FixedColor,
// grid lines, window scroll bars, range selection, column sizing by
// dragging a caption border and keyboard navigation.

#include <array>
#include <string>

#include "Controls.h"
#include "framework/core/GridLayout.h"
#include "framework/core/GridModel.h"

namespace zorvex {

namespace go {
constexpr unsigned FixedVertLine = 0x001, FixedHorzLine = 0x002, VertLine = 0x004, HorzLine = 0x008,
                   RangeSelect = 0x010, DrawFocusSelected = 0x020, ColSizing = 0x080, RowSelect = 0x400,
                   ThumbTracking = 0x2000;
constexpr unsigned Default = FixedVertLine | FixedHorzLine | VertLine | HorzLine | RangeSelect;
} // namespace go
using TGridOptions = unsigned;

// A rectangle of cells, corners included.
struct TGridSelection {
  int Left, Top, Right, Bottom;
};

class TStringGrid : public TCustomControl {
public:
  TStringGrid(TComponent *owner, int colCount = 5, int rowCount = 5);
  std::string ClassName() const override { return "TStringGrid"; }

  TGridModel &Model() { return model_; }
  const TGridModel &Model() const { return model_; }
  // Takes over another model's cells, sizes and scroll position.
  void AssignModel(TGridModel model);

  // Shortcuts to the model.
  const std::string &Cells(int col, int row) const { return model_.Cell(col, row); }
  void SetCells(int col, int row, std::string text) { model_.SetCell(col, row, std::move(text)); }
  int RowCount() const { return model_.RowCount(); }
  void SetRowCount(int count) { model_.SetRowCount(count); }
  int ColCount() const { return model_.ColCount(); }
  void SetColCount(int count) { model_.SetColCount(count); }
  int TopRow() const { return model_.TopRow(); }
  void SetTopRow(int row);
  int LeftCol() const { return model_.LeftCol(); }
  void SetLeftCol(int col);
  int ColWidths(int col) const { return model_.ColWidth(col); }
  void SetColWidths(int col, int width) { model_.SetColWidth(col, width); }

  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor color);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions options);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);

  // FixedColor, ColCount, RowCount, BorderStyle.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  int Row() const { return row_; }
  int Col() const { return col_; }
  // Makes the cell current (and the whole selection), scrolling it into view.
  void SetCurrentCell(int col, int row);
  TGridSelection Selection() const;

  // The cell under a client point, scrolling taken into account; -1 for
  // coordinates outside every cell.
  void MouseToCell(int x, int y, int &col, int &row) const;
  RECT CellRect(int col, int row) const;
  // Scrollable rows that fit whole in the client area.
  int VisibleRowCount() const;

  TNotifyEvent OnTopLeftChanged;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  void Paint() override;
  bool EraseBackground(HDC) override { return true; }
  void WndProc(TMessage &message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(WORD &key, TShiftState shift) override;
  void BoundsChanged() override;

private:
  void ModelChanged();
  void UpdateScrollBars();
  void Scroll(int bar, WORD request);
  void MoveCurrent(int col, int row, bool extend);
  void ScrollIntoView(int col, int row);
  void DrawCell(TCanvas &canvas, int col, int row, const RECT &rect, bool fixed, bool selected, bool focused);

  TGridModel model_;
  TGridLayout layout_{model_};
  TColor fixedColor_ = clBtnFace;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  TGridOptions options_ = go::Default;
  int col_, row_;             // current cell
  int anchorCol_, anchorRow_; // other corner of the selection
  bool selecting_ = false;
  int sizingCol_ = -1;
  int sizingStartX_ = 0, sizingStartWidth_ = 0;
  int lastTopRow_ = -1, lastLeftCol_ = -1;
  bool updatingScrollBars_ = false;
  bool repaintPending_ = false;
  bool scrollBarsPending_ = false;
  OwnedTimer scrollBarTimer_;
  DWORD lastScrollBarUpdate_ = 0;
  std::array<int, 3> appliedVertical_{-1, -1, -1};
  std::array<int, 3> appliedHorizontal_{-1, -1, -1};
};

} // namespace zorvex
