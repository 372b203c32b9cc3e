#include "SkinBars.h"

#include <algorithm>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "SkinGdi.h"
#include "SkinMessages.h"
#include "SkinnerRegistry.h"
#include "Winskinform.h"
#include "Winskinmenu.h"
#include "framework/core/BitmapDraw.h"
#include "framework/core/Strings.h"
#include "framework/core/Texts.h"
#include "framework/win/Graphics.h"
#include "framework/win/Menus.h"
#include "framework/win/ToolBar.h"
#include "skin/data/Winskindata.h"

namespace zorvex {

namespace {

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(window, message, wParam, lParam);
}

LONG_PTR StyleOf(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

POINT PointOf(LPARAM lParam) { return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

bool Has(const TDataSkinObject *object) { return object && !object->Image.Empty(); }

// Leaves the visible child windows (a tab row's scroll arrows, a page
// control's sheets) out of what a parent paints.
void ClipChildren(HDC dc, HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child))
      continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
}

// A small solid triangle pointing up (or down), centred in the rectangle.
void DrawTriangle(TBitmap &picture, const TRect &rect, bool up, TColor color) {
  const int size = std::max(2, std::min(rect.Width(), rect.Height()) / 3);
  const int cx = rect.Left + rect.Width() / 2, top = rect.Top + (rect.Height() - size) / 2;
  for (int row = 0; row < size; ++row) {
    const int half = up ? row : size - 1 - row;
    FillRect(picture, {cx - half, top + row, cx + half + 1, top + row + 1}, color);
  }
}

TColor StateTextColor(const TDataSkinObject &object, int frame, int hotFrame, int pressedFrame, bool disabled) {
  if (disabled)
    return clGray;
  if (frame == hotFrame)
    return object.MouseOverColour2;
  if (frame == pressedFrame)
    return object.PressedColour2;
  return object.NormalColour2;
}

} // namespace

// ---- TSkinBarControl ------------------------------------------------------------------

bool TSkinBarControl::BeforeProc(TMessage &message) {
  switch (message.Msg) {
  case WM_PAINT:
    if (!CanPaint())
      return true;
    WMPaint(message);
    return false;
  case WM_ERASEBKGND:
    if (!CanPaint())
      return true;
    message.Result = 1;
    return false;
  case WM_PRINTCLIENT:
    if (!CanPaint())
      return true;
    {
      RECT client{};
      GetClientRect(window_, &client);
      DrawControl(reinterpret_cast<HDC>(message.WParam), ToTRect(client));
    }
    message.Result = 0;
    return false;
  default: return TSkinControl::BeforeProc(message);
  }
}

void TSkinBarControl::AfterProc(TMessage &message) {
  switch (message.Msg) {
  case WM_MOUSEMOVE:
    if (form_ && form_->HoveredControl != this) {
      if (form_->HoveredControl)
        form_->HoveredControl->MouseLeave();
      form_->HoveredControl = this;
    }
    GetWindowRect(window_, &windowRect_);
    SetHotPart(PartAt(PointOf(message.LParam)));
    break;
  case CM_MOUSELEAVE:
    if (form_ && form_->HoveredControl == this)
      form_->HoveredControl = nullptr;
    SetHotPart(-1);
    break;
  case WM_PAINT: break; // painted in BeforeProc, or left to the control
  default: TSkinControl::AfterProc(message); break;
  }
}

void TSkinBarControl::SetHotPart(int part) {
  if (part == hotPart_)
    return;
  hotPart_ = part;
  if (CanPaint())
    Invalidate();
}

void TSkinBarControl::Show(HDC dc, const TRect &rect, const TBitmap &picture) const {
  CopyBitmapToDC(dc, rect.Left, rect.Top, picture, {0, 0, picture.Width(), picture.Height()});
}

// ---- TSkinProgress ------------------------------------------------------------------

void TSkinProgress::Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) {
  TSkinBarControl::Init(form, skinData, setParentColor, control);
  DropEdge();
}

void TSkinProgress::Inithwnd(HWND window, TSkinData &skinData, TWinSkinForm &form) {
  TSkinBarControl::Inithwnd(window, skinData, form);
  DropEdge();
}

void TSkinProgress::DropEdge() {
  if (!window_ || edgeDropped_ || !CanPaint())
    return;
  const LONG_PTR exStyle = GetWindowLongPtrW(window_, GWL_EXSTYLE);
  if (!(exStyle & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE)))
    return;
  savedExStyle_ = exStyle;
  edgeDropped_ = true;
  SetWindowLongPtrW(window_, GWL_EXSTYLE, exStyle & ~(WS_EX_STATICEDGE | WS_EX_CLIENTEDGE));
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinProgress::Unsubclass() {
  if (edgeDropped_ && state_ != SkinState::Destroyed && window_ && IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWL_EXSTYLE, savedExStyle_);
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  edgeDropped_ = false;
  TSkinBarControl::Unsubclass();
}

bool TSkinProgress::CanPaint() const { return skinData_ && Has(skinData_->BorderSlot(TSkinSlot::Progress)); }

bool TSkinProgress::BeforeProc(TMessage &message) {
  switch (message.Msg) {
  case PBM_SETMARQUEE:
    // Started again it keeps its place: only the period may have changed.
    if (!message.WParam)
      marqueeTick_ = 0;
    marqueeRunning_ = message.WParam != 0;
    if (CanPaint())
      InvalidateRect(window_, nullptr, FALSE);
    break;
  case WM_TIMER:
    // The bar's only timer is its marquee's; a bar already running when it
    // was skinned shows it from its next tick.
    if (StyleOf(window_) & PBS_MARQUEE) {
      marqueeRunning_ = true;
      ++marqueeTick_;
      if (CanPaint())
        InvalidateRect(window_, nullptr, FALSE);
    }
    break;
  default: break;
  }
  return TSkinBarControl::BeforeProc(message);
}

void TSkinProgress::DrawControl(HDC dc, const TRect &rect) {
  if (!CanPaint() || rect.IsEmpty())
    return;
  const TDataSkinBorder &progress = *skinData_->BorderSlot(TSkinSlot::Progress);
  const bool vertical = (StyleOf(window_) & PBS_VERTICAL) != 0;
  PBRANGE range{};
  Ask(window_, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  const int position = static_cast<int>(Ask(window_, PBM_GETPOS));
  const int length = vertical ? rect.Height() : rect.Width();
  const int across = vertical ? rect.Width() : rect.Height();
  TBarSpan span{0, ProgressFillLength(length, position, range.iLow, range.iHigh)};
  // A marquee shows no position: its chunk while it runs, else an empty bar.
  if (StyleOf(window_) & PBS_MARQUEE)
    span = marqueeRunning_ ? MarqueeSpan(length, marqueeTick_) : TBarSpan{};
  TBitmap picture = ProgressPicture(progress, length, across, span, ParentColor());
  if (vertical)
    StandUp(picture);
  Show(dc, rect, picture);
}

// ---- TSkinTab ------------------------------------------------------------------

namespace {

TTabSide SideOfTabs(LONG_PTR style) {
  if (style & TCS_VERTICAL)
    return (style & TCS_RIGHT) ? TTabSide::Right : TTabSide::Left;
  return (style & TCS_BOTTOM) ? TTabSide::Bottom : TTabSide::Top;
}

// The selected tab stands out of the row and over the page's edge.
TRect RaisedTab(TRect r, TTabSide side) {
  switch (side) {
  case TTabSide::Top: return {r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 1};
  case TTabSide::Bottom: return {r.Left - 2, r.Top - 1, r.Right + 2, r.Bottom + 2};
  case TTabSide::Left: return {r.Left - 2, r.Top - 2, r.Right + 1, r.Bottom + 2};
  case TTabSide::Right: return {r.Left - 1, r.Top - 2, r.Right + 2, r.Bottom + 2};
  }
  return r;
}

// The part of the client area the page takes: all but the tab rows.
TRect PageArea(const TRect &client, const std::vector<TRect> &tabs, TTabSide side) {
  TRect page = client;
  for (const TRect &t : tabs) {
    switch (side) {
    case TTabSide::Top: page.Top = std::max(page.Top, t.Bottom); break;
    case TTabSide::Bottom: page.Bottom = std::min(page.Bottom, t.Top); break;
    case TTabSide::Left: page.Left = std::max(page.Left, t.Right); break;
    case TTabSide::Right: page.Right = std::min(page.Right, t.Left); break;
    }
  }
  return page;
}

// A tab at the left or right side: its icon first, then its caption turned
// by `tenths`, the pair centred along the tab (from the bottom up on the
// left, from the top down on the right).
void DrawSideTab(HDC dc, const TRect &place, const std::wstring &text, HFONT turned, int tenths, COLORREF color,
                 HIMAGELIST images, int image) {
  const bool up = tenths == 900;
  int iconWidth = 0, iconHeight = 0;
  if (!images || image < 0 || !ImageList_GetIconSize(images, &iconWidth, &iconHeight)) {
    DrawTurnedText(dc, text, place, turned, tenths, color);
    return;
  }
  const int textLength = text.empty() ? 0 : MeasureTextLine(dc, text, turned).cx;
  const int total = iconHeight + (textLength ? 3 + textLength : 0);
  const int margin = std::max(0, (place.Height() - total) / 2);
  const int iconTop = up ? place.Bottom - margin - iconHeight : place.Top + margin;
  ImageList_Draw(images, image, dc, place.Left + (place.Width() - iconWidth) / 2, iconTop, ILD_TRANSPARENT);
  const TRect rest = up ? TRect{place.Left, place.Top, place.Right, iconTop - 3}
                        : TRect{place.Left, iconTop + iconHeight + 3, place.Right, place.Bottom};
  // The caption starts right after the icon.
  const TRect caption = up ? TRect{rest.Left, std::max(rest.Top, rest.Bottom - textLength), rest.Right, rest.Bottom}
                           : TRect{rest.Left, rest.Top, rest.Right, std::min(rest.Bottom, rest.Top + textLength)};
  DrawTurnedText(dc, text, caption, turned, tenths, color);
}

} // namespace

bool TSkinTab::CanPaint() const {
  if (!skinData_ || !Has(skinData_->BorderSlot(TSkinSlot::Tabs)))
    return false;
  // Owner-drawn tabs and tabs shown as buttons keep their own look.
  return !(StyleOf(window_) & (TCS_OWNERDRAWFIXED | TCS_BUTTONS));
}

int TSkinTab::PartAt(POINT point) const {
  TCHITTESTINFO hit{point, 0};
  return static_cast<int>(Ask(window_, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void TSkinTab::DrawControl(HDC dc, const TRect &rect) {
  if (!CanPaint() || rect.IsEmpty())
    return;
  const TDataSkinBorder &tabs = *skinData_->BorderSlot(TSkinSlot::Tabs);
  const TTabSide side = SideOfTabs(StyleOf(window_));
  const int count = static_cast<int>(Ask(window_, TCM_GETITEMCOUNT));
  const int selected = static_cast<int>(Ask(window_, TCM_GETCURSEL));
  const bool enabled = IsEnabledNow(), focused = IsFocusedNow();
  std::vector<TRect> places;
  for (int i = 0; i < count; ++i) {
    RECT r{};
    Ask(window_, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    places.push_back(ToTRect(r));
  }
  TBitmap picture(rect.Width(), rect.Height());
  FillParentBG(picture, {0, 0, rect.Width(), rect.Height()});
  DrawTabPage(picture, PageArea({0, 0, rect.Width(), rect.Height()}, places, side), tabs, side);
  std::vector<int> frames(places.size());
  // The selected tab last, over its neighbours.
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 0; i < count; ++i) {
      if ((i == selected) != (pass == 1))
        continue;
      frames[i] = TabFrame(i == selected, focused, i == hotPart_, !enabled);
      places[i] = i == selected ? RaisedTab(places[i], side) : places[i];
      DrawTab(picture, places[i], tabs, frames[i], side);
    }

  TPaintBuffer &buffer = Buffer();
  if (!buffer.Resize(rect.Width(), rect.Height()))
    return;
  buffer.Load(picture);
  const auto images = reinterpret_cast<HIMAGELIST>(Ask(window_, TCM_GETIMAGELIST));
  // Tabs at a side carry their captions turned, as the system draws them.
  const bool turned = side == TTabSide::Left || side == TTabSide::Right;
  const int tenths = side == TTabSide::Left ? 900 : 2700;
  const OwnedFont turnedFont = turned ? CreateTurnedFont(ControlFont(), tenths) : OwnedFont();
  for (int i = 0; i < count; ++i) {
    wchar_t text[260] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = 259;
    item.iImage = -1;
    Ask(window_, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    const TColor color = StateTextColor(tabs, frames[i], 3, i == selected ? frames[i] : -1, !enabled);
    if (turned) {
      DrawSideTab(buffer.Dc(), {places[i].Left + 2, places[i].Top + 4, places[i].Right - 2, places[i].Bottom - 4}, text,
                  turnedFont.get(), tenths, GdiColor(color), images, item.iImage);
      continue;
    }
    TRect place{places[i].Left + 4, places[i].Top + 2, places[i].Right - 4, places[i].Bottom - 1};
    int imageWidth = 0, imageHeight = 0;
    if (images && item.iImage >= 0 && ImageList_GetIconSize(images, &imageWidth, &imageHeight)) {
      const int total = imageWidth + (text[0] ? 3 + MeasureSkinText(buffer.Dc(), text, ControlFont()).cx : 0);
      const int x = place.Left + std::max(0, (place.Width() - total) / 2);
      ImageList_Draw(images, item.iImage, buffer.Dc(), x, place.Top + (place.Height() - imageHeight) / 2,
                     ILD_TRANSPARENT);
      place.Left = x + imageWidth + 3;
    }
    DrawSkinText(buffer.Dc(), text, place, ControlFont(), GdiColor(color),
                 (imageWidth ? DT_LEFT : DT_CENTER) | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  }
  const int saved = SaveDC(dc);
  ClipChildren(dc, window_);
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), buffer.Dc(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
}

// ---- TSkinTab31 ------------------------------------------------------------------

bool TSkinTab31::CanPaint() const { return skinData_ && Has(skinData_->BorderSlot(TSkinSlot::Tabs)); }

void TSkinTab31::DrawControl(HDC dc, const TRect &rect) {
  if (!CanPaint() || rect.IsEmpty())
    return;
  const TDataSkinBorder &tabs = *skinData_->BorderSlot(TSkinSlot::Tabs);
  const auto *names = dynamic_cast<TStrings *>(GetObjProp("Tabs"));
  const int selected = static_cast<int>(GetIntProperty("TabIndex"));
  const bool enabled = IsEnabledNow();
  TBitmap picture(rect.Width(), rect.Height());
  FillParentBG(picture, {0, 0, rect.Width(), rect.Height()});
  TPaintBuffer &buffer = Buffer();
  if (!buffer.Resize(rect.Width(), rect.Height()))
    return;
  // The tabs hang from the top edge, each as wide as its name.
  struct Placed {
    TRect place;
    std::wstring text;
    int frame;
  };
  std::vector<Placed> placed;
  int x = 4;
  for (int i = 0; names && i < names->Count() && x < rect.Width(); ++i) {
    std::wstring text = Wide(names->Get(i));
    const int width = MeasureSkinText(buffer.Dc(), text, ControlFont()).cx + 16;
    const TRect place =
        i == selected ? TRect{x - 2, 0, x + width + 2, rect.Height()} : TRect{x, 0, x + width, rect.Height() - 2};
    placed.push_back({place, std::move(text), TabFrame(i == selected, false, false, !enabled)});
    x += width;
  }
  for (int pass = 0; pass < 2; ++pass)
    for (const Placed &p : placed)
      if ((p.frame == 2) == (pass == 1))
        DrawTab(picture, p.place, tabs, p.frame, TTabSide::Bottom);
  buffer.Load(picture);
  for (const Placed &p : placed)
    DrawSkinText(buffer.Dc(), p.text, p.place, ControlFont(), GdiColor(StateTextColor(tabs, p.frame, 3, 2, !enabled)),
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), buffer.Dc(), 0, 0, SRCCOPY);
}

// ---- TSkinTabSheet ------------------------------------------------------------------

bool TSkinTabSheet::BeforeProc(TMessage &message) {
  if (message.Msg == WM_ERASEBKGND && skinData_ && skinData_->ButtonFaceBrush()) {
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(reinterpret_cast<HDC>(message.WParam), &client, reinterpret_cast<HBRUSH>(skinData_->ButtonFaceBrush()));
    message.Result = 1;
    return false;
  }
  return TSkinControl::BeforeProc(message);
}

// ---- TSkinTrackBar ------------------------------------------------------------------

namespace {

const TDataSkinObject *ThumbObject(const TSkinData &skin, LONG_PTR style) {
  const bool vertical = (style & TBS_VERT) != 0;
  TSkinSlot pointed = vertical ? TSkinSlot::TrackbarThumbRight : TSkinSlot::TrackbarThumbDown;
  if (style & (TBS_BOTH | TBS_NOTICKS))
    pointed = vertical ? TSkinSlot::TrackbarThumbVert : TSkinSlot::TrackbarThumbHorz;
  else if (style & TBS_TOP) // the same bit as TBS_LEFT
    pointed = vertical ? TSkinSlot::TrackbarThumbLeft : TSkinSlot::TrackbarThumbUp;
  if (const TDataSkinObject *object = skin.Slot(pointed); Has(object))
    return object;
  const TDataSkinObject *plain = skin.Slot(vertical ? TSkinSlot::TrackbarThumbVert : TSkinSlot::TrackbarThumbHorz);
  return Has(plain) ? plain : nullptr;
}

} // namespace

bool TSkinTrackBar::CanPaint() const { return skinData_ && ThumbObject(*skinData_, StyleOf(window_)); }

int TSkinTrackBar::PartAt(POINT point) const {
  RECT thumb{};
  Ask(window_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  return PtInRect(&thumb, point) ? 0 : -1;
}

bool TSkinTrackBar::BeforeProc(TMessage &message) {
  switch (message.Msg) {
  case WM_LBUTTONDOWN: dragging_ = PartAt(PointOf(message.LParam)) == 0; break;
  case WM_LBUTTONUP:
  case WM_CAPTURECHANGED:
    if (dragging_) {
      dragging_ = false;
      Invalidate();
    }
    break;
  default: break;
  }
  return TSkinBarControl::BeforeProc(message);
}

void TSkinTrackBar::DrawControl(HDC dc, const TRect &rect) {
  if (!CanPaint() || rect.IsEmpty())
    return;
  const LONG_PTR style = StyleOf(window_);
  const bool vertical = (style & TBS_VERT) != 0;
  const TDataSkinObject &thumbObject = *ThumbObject(*skinData_, style);
  RECT channel{}, thumb{};
  Ask(window_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  Ask(window_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  // Some systems give a vertical bar's channel lying down.
  if (vertical && channel.right - channel.left > channel.bottom - channel.top)
    channel = {channel.top, channel.left, channel.bottom, channel.right};
  TBitmap picture(rect.Width(), rect.Height());
  FillParentBG(picture, {0, 0, rect.Width(), rect.Height()});
  // Where a value lies along the channel, as the control places it.
  const int min = static_cast<int>(Ask(window_, TBM_GETRANGEMIN));
  const int max = static_cast<int>(Ask(window_, TBM_GETRANGEMAX));
  const int half = vertical ? (thumb.bottom - thumb.top) / 2 : (thumb.right - thumb.left) / 2;
  const int from = (vertical ? channel.top : channel.left) + half;
  const int span = (vertical ? channel.bottom - channel.top : channel.right - channel.left) - 2 * half - 1;
  auto at = [&](int value) {
    return from + (max > min ? static_cast<int>(int64_t{span} * (std::clamp(value, min, max) - min) / (max - min)) : 0);
  };

  // The channel: thin, unless it shows a selected range.
  const int selStart = static_cast<int>(Ask(window_, TBM_GETSELSTART));
  const int selEnd = static_cast<int>(Ask(window_, TBM_GETSELEND));
  const bool selection = (style & TBS_ENABLESELRANGE) && selEnd > selStart;
  TRect groove = ToTRect(channel);
  constexpr int thin = 4;
  if (!selection && vertical && groove.Width() > thin) {
    groove.Left += (groove.Width() - thin) / 2;
    groove.Right = groove.Left + thin;
  } else if (!selection && !vertical && groove.Height() > thin) {
    groove.Top += (groove.Height() - thin) / 2;
    groove.Bottom = groove.Top + thin;
  }
  FillRect(picture, groove, FrameColor());
  const TRect inside{groove.Left + 1, groove.Top + 1, groove.Right - 1, groove.Bottom - 1};
  FillRect(picture, inside, skinData_->Colors(csButtonHilight));
  if (selection) {
    TRect range = inside;
    (vertical ? range.Top : range.Left) = at(selStart);
    (vertical ? range.Bottom : range.Right) = at(selEnd) + 1;
    FillRect(picture, range, skinData_->Colors(csSelectBg));
  }

  // Tick marks where the control puts them: the ends and its own ticks.
  if (!(style & TBS_NOTICKS)) {
    std::vector<int> values{min, max};
    const int count = static_cast<int>(Ask(window_, TBM_GETNUMTICS));
    if (const auto *ticks = reinterpret_cast<const DWORD *>(Ask(window_, TBM_GETPTICS)))
      for (int i = 0; i + 2 < count; ++i)
        values.push_back(static_cast<int>(ticks[i]));
    const bool before = (style & (TBS_TOP | TBS_BOTH)) != 0, after = !(style & TBS_TOP) || (style & TBS_BOTH);
    for (int value : values) {
      const int x = at(value);
      if (vertical) {
        if (before)
          FillRect(picture, {thumb.left - 5, x, thumb.left - 2, x + 1}, FrameColor());
        if (after)
          FillRect(picture, {thumb.right + 2, x, thumb.right + 5, x + 1}, FrameColor());
      } else {
        if (before)
          FillRect(picture, {x, thumb.top - 5, x + 1, thumb.top - 2}, FrameColor());
        if (after)
          FillRect(picture, {x, thumb.bottom + 2, x + 1, thumb.bottom + 5}, FrameColor());
      }
    }
  }
  const int frame = ThumbFrame(hotPart_ == 0, dragging_, IsFocusedNow(), !IsEnabledNow());
  DrawSkinMap(picture, ToTRect(thumb), thumbObject.Frame, frame, thumbObject);
  Show(dc, rect, picture);
}

// ---- TSkinToolbar ------------------------------------------------------------------

void TSkinToolbar::Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) {
  TSkinControl::Init(form, skinData, setParentColor, control);
  savedFlat_ = GetEnumProperty("Flat") == "True";
  SetProperty("Flat", "True");
}

void TSkinToolbar::Unsubclass() {
  if (!initialised_)
    return;
  if (state_ != SkinState::Destroyed && !savedFlat_)
    SetProperty("Flat", "False");
  TSkinControl::Unsubclass();
}

bool TSkinToolbar::BeforeProc(TMessage &message) {
  switch (message.Msg) {
  case WM_ERASEBKGND: {
    const TDataSkinObject *picture = skinData_->Slot(TSkinSlot::ToolBars);
    if (!Has(picture))
      return true;
    auto *bar = dynamic_cast<TToolBar *>(control_);
    if (bar && bar->OnCustomDraw)
      return true; // the program draws its own background
    RECT client{};
    GetClientRect(window_, &client);
    StretchBitmapToDC(reinterpret_cast<HDC>(message.WParam), ToTRect(client), picture->Image);
    message.Result = 1;
    return false;
  }
  case CN_NOTIFY: {
    auto &header = *reinterpret_cast<NMHDR *>(message.LParam);
    LRESULT result = 0;
    if (header.code == NM_CUSTOMDRAW && CustomDrawButton(header, result)) {
      message.Result = result;
      return false;
    }
    return true;
  }
  default: return TSkinControl::BeforeProc(message);
  }
}

bool TSkinToolbar::CustomDrawButton(NMHDR &header, LRESULT &result) {
  auto *bar = dynamic_cast<TToolBar *>(control_);
  const TDataSkinButton &buttons = skinData_->Buttons();
  if (!bar || bar->OnCustomDrawButton || buttons.Image.Empty())
    return false;
  auto &draw = reinterpret_cast<NMTBCUSTOMDRAW &>(header);
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
    result = CDRF_NOTIFYITEMDRAW;
    return true;
  }
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
    return false;
  const UINT state = draw.nmcd.uItemState;
  const bool disabled = (state & (CDIS_DISABLED | CDIS_GRAYED)) != 0;
  int frame = 0; // a flat button shows no face at rest
  if (!disabled && (state & (CDIS_SELECTED | CDIS_CHECKED)))
    frame = 2;
  else if (!disabled && (state & CDIS_HOT))
    frame = 4;
  const TRect place = ToTRect(draw.nmcd.rc);
  if (frame && !place.IsEmpty()) {
    TBitmap face(place.Width(), place.Height());
    RECT client{};
    GetClientRect(window_, &client);
    // The bar's own picture under the face, for the face's corners.
    if (const TDataSkinObject *back = skinData_->Slot(TSkinSlot::ToolBars); Has(back)) {
      TBitmap whole(std::max<int>(client.right, 1), std::max<int>(client.bottom, 1));
      StretchCopy(whole, {0, 0, whole.Width(), whole.Height()}, back->Image,
                  {0, 0, back->Image.Width(), back->Image.Height()});
      StretchCopy(face, {0, 0, face.Width(), face.Height()}, whole, place);
    } else {
      FillBG(face, {0, 0, face.Width(), face.Height()});
    }
    DrawSkinMap(face, {0, 0, face.Width(), face.Height()}, buttons.Frame, frame, buttons);
    CopyBitmapToDC(draw.nmcd.hdc, place.Left, place.Top, face, {0, 0, face.Width(), face.Height()});
  }
  draw.clrText = GdiColor(disabled     ? clGray
                          : frame == 2 ? buttons.PressedColour2
                          : frame == 4 ? buttons.MouseOverColour2
                                       : skinData_->Colors(csButtonText));
  result = CDRF_DODEFAULT | TBCDRF_NOEDGES | TBCDRF_NOBACKGROUND;
  return true;
}

// ---- TSkinUpDown ------------------------------------------------------------------

bool TSkinUpDown::Vertical() const { return !(StyleOf(window_) & UDS_HORZ); }

bool TSkinUpDown::CanPaint() const {
  return skinData_ && Has(skinData_->Slot(Vertical() ? TSkinSlot::UpDownVert : TSkinSlot::UpDownHorz));
}

int TSkinUpDown::PartAt(POINT point) const {
  RECT client{};
  GetClientRect(window_, &client);
  if (!PtInRect(&client, point))
    return -1;
  return Vertical() ? (point.y >= client.bottom / 2 ? 1 : 0) : (point.x >= client.right / 2 ? 1 : 0);
}

bool TSkinUpDown::BeforeProc(TMessage &message) {
  if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
    pressedPart_ = PartAt(PointOf(message.LParam));
    Invalidate();
  }
  return TSkinBarControl::BeforeProc(message);
}

void TSkinUpDown::AfterProc(TMessage &message) {
  if ((message.Msg == WM_LBUTTONUP || message.Msg == WM_CAPTURECHANGED) && pressedPart_ >= 0) {
    pressedPart_ = -1;
    Invalidate();
  }
  TSkinBarControl::AfterProc(message);
}

void TSkinUpDown::DrawControl(HDC dc, const TRect &rect) {
  if (!CanPaint() || rect.IsEmpty())
    return;
  const bool vertical = Vertical();
  const auto *object = skinData_->BorderSlot(vertical ? TSkinSlot::UpDownVert : TSkinSlot::UpDownHorz);
  if (!object)
    return;
  const bool disabled = !IsEnabledNow();
  TBitmap picture(rect.Width(), rect.Height());
  FillParentBG(picture, {0, 0, rect.Width(), rect.Height()});
  const int w = rect.Width(), h = rect.Height();
  const TRect parts[2] = {vertical ? TRect{0, 0, w, h / 2} : TRect{0, 0, w / 2, h},
                          vertical ? TRect{0, h / 2, w, h} : TRect{w / 2, 0, w, h}};
  for (int part = 0; part < 2; ++part) {
    const int frame = UpDownFrame(part == 1, hotPart_ == part, pressedPart_ == part, disabled);
    DrawSkinMap(picture, parts[part], object->Frame, frame, *object);
    if (!object->Image2.Empty())
      DrawSkinMap1(picture, parts[part], object->Frame, frame, object->Image2);
    else
      DrawTriangle(picture, parts[part], part == 0, disabled ? clGray : skinData_->Colors(csButtonText));
  }
  Show(dc, rect, picture);
}

// ---- TSkinStatusBar ------------------------------------------------------------------

bool TSkinStatusBar::CanPaint() const {
  if (!skinData_ || !Has(skinData_->Slot(TSkinSlot::StatusBarEdges)))
    return false;
  // Owner-drawn panels are the program's to draw: the bar keeps its look.
  const int parts = static_cast<int>(Ask(window_, SB_GETPARTS));
  for (int i = 0; i < parts; ++i)
    if (HIWORD(Ask(window_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i))) & SBT_OWNERDRAW)
      return false;
  return true;
}

void TSkinStatusBar::DrawControl(HDC dc, const TRect &rect) {
  if (!CanPaint() || rect.IsEmpty())
    return;
  const TDataSkinObject &edges = *skinData_->Slot(TSkinSlot::StatusBarEdges);
  const TRect whole{0, 0, rect.Width(), rect.Height()};
  TBitmap picture(rect.Width(), rect.Height());
  FillBG(picture, whole);
  DrawSkinMap(picture, whole, edges.Frame, StatusFrame::Bar, edges);
  const bool simple = Ask(window_, SB_ISSIMPLE) != 0;
  const int grip = (StyleOf(window_) & SBARS_SIZEGRIP) ? rect.Height() : 0;
  struct Part {
    TRect place;
    std::wstring text;
  };
  std::vector<Part> parts;
  auto textOf = [this](WPARAM index) {
    std::wstring text(LOWORD(Ask(window_, SB_GETTEXTLENGTHW, index)) + 1, L'\0');
    Ask(window_, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
  };
  if (simple) {
    parts.push_back({{2, 2, whole.Right - grip - 2, whole.Bottom}, textOf(SB_SIMPLEID)});
  } else {
    const int count = static_cast<int>(Ask(window_, SB_GETPARTS));
    for (int i = 0; i < count; ++i) {
      RECT r{};
      Ask(window_, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
      TRect place = ToTRect(r);
      if (i == count - 1)
        place.Right = std::min(place.Right, whole.Right - grip);
      parts.push_back({place, textOf(static_cast<WPARAM>(i))});
    }
  }
  for (const Part &part : parts)
    DrawSkinMap(picture, part.place, edges.Frame, StatusFrame::Panel, edges);
  if (grip && !IsZoomed(GetAncestor(window_, GA_ROOT)))
    DrawSkinMap(picture, {whole.Right - grip, 0, whole.Right, whole.Bottom}, edges.Frame, StatusFrame::Grip, edges);

  TPaintBuffer &buffer = Buffer();
  if (!buffer.Resize(rect.Width(), rect.Height()))
    return;
  buffer.Load(picture);
  const COLORREF color = GdiColor(IsEnabledNow() ? edges.NormalColour2 : clGray);
  for (const Part &part : parts) {
    // A tab puts what follows it in the middle, a second one at the right.
    const TRect place{part.place.Left + 4, part.place.Top, part.place.Right - 4, part.place.Bottom};
    const UINT alignments[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    size_t from = 0;
    for (int piece = 0; piece < 3 && from <= part.text.size(); ++piece) {
      const size_t tab = piece < 2 ? part.text.find(L'\t', from) : std::wstring::npos;
      const std::wstring text = part.text.substr(from, tab == std::wstring::npos ? std::wstring::npos : tab - from);
      if (!text.empty())
        DrawSkinText(buffer.Dc(), text, place, ControlFont(), color,
                     alignments[piece] | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
      if (tab == std::wstring::npos)
        break;
      from = tab + 1;
    }
  }
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), buffer.Dc(), 0, 0, SRCCOPY);
}

// ---- TSkinHeader ------------------------------------------------------------------

bool TSkinHeader::CanPaint() const { return skinData_ && Has(skinData_->Slot(TSkinSlot::Headerbar)); }

int TSkinHeader::PartAt(POINT point) const {
  HDHITTESTINFO hit{};
  hit.pt = point;
  const int item = static_cast<int>(Ask(window_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? -1 : item;
}

void TSkinHeader::AfterProc(TMessage &message) {
  switch (message.Msg) {
  case WM_LBUTTONDOWN:
    if (StyleOf(window_) & HDS_BUTTONS)
      pressedPart_ = PartAt(PointOf(message.LParam));
    break;
  case WM_LBUTTONUP:
  case WM_CAPTURECHANGED: pressedPart_ = -1; break;
  default: break;
  }
  TSkinBarControl::AfterProc(message);
  // The header draws some of its states at once: the skin's picture goes
  // back over them.
  switch (message.Msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_MOUSEMOVE:
  case WM_CAPTURECHANGED:
    if (CanPaint() && IsWindowVisible(window_)) {
      RECT client{};
      GetClientRect(window_, &client);
      WindowDC own(window_);
      if (own)
        DrawControl(own.get(), ToTRect(client));
    }
    break;
  default: break;
  }
}

void TSkinHeader::DrawControl(HDC dc, const TRect &rect) {
  if (!CanPaint() || rect.IsEmpty())
    return;
  const TDataSkinObject &bar = *skinData_->Slot(TSkinSlot::Headerbar);
  const bool disabled = !IsEnabledNow();
  TBitmap picture(rect.Width(), rect.Height());
  FillBG(picture, {0, 0, rect.Width(), rect.Height()});
  DrawSkinMap(picture, {0, 0, rect.Width(), rect.Height()}, bar.Frame, disabled ? 5 : 1, bar);
  const int count = static_cast<int>(Ask(window_, HDM_GETITEMCOUNT));
  struct Item {
    TRect place;
    std::wstring text;
    int format;
    int frame;
  };
  std::vector<Item> items;
  for (int i = 0; i < count; ++i) {
    RECT r{};
    Ask(window_, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    wchar_t text[260] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = 259;
    Ask(window_, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    const bool sorted = (item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) != 0;
    const int frame = HeaderFrame(hotPart_ == i, pressedPart_ == i, sorted, disabled);
    DrawSkinMap(picture, ToTRect(r), bar.Frame, frame, bar);
    items.push_back({ToTRect(r), text, item.fmt, frame});
  }
  TPaintBuffer &buffer = Buffer();
  if (!buffer.Resize(rect.Width(), rect.Height()))
    return;
  buffer.Load(picture);
  for (int i = 0; i < count; ++i) {
    const Item &item = items[static_cast<size_t>(i)];
    if (item.format & HDF_OWNERDRAW) {
      // The program draws the section on the skin's frame.
      DRAWITEMSTRUCT draw{};
      draw.CtlType = ODT_HEADER;
      draw.CtlID = static_cast<UINT>(GetDlgCtrlID(window_));
      draw.itemID = static_cast<UINT>(i);
      draw.itemAction = ODA_DRAWENTIRE;
      draw.itemState = item.frame == 3 ? ODS_SELECTED : 0;
      draw.hwndItem = window_;
      draw.hDC = buffer.Dc();
      draw.rcItem = ToRECT(item.place);
      SendMessageW(GetParent(window_), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
      continue;
    }
    const TColor color = StateTextColor(bar, item.frame, 2, 3, disabled);
    TRect place{item.place.Left + 6, item.place.Top, item.place.Right - 6, item.place.Bottom};
    if (item.format & (HDF_SORTUP | HDF_SORTDOWN)) {
      // The sort mark at the right end, in the text's colour.
      const int size = std::min(place.Height(), 12);
      TBitmap mark(size, size);
      StretchCopy(mark, {0, 0, size, size}, picture,
                  Bounds(place.Right - size, place.Top + (place.Height() - size) / 2, size, size));
      DrawTriangle(mark, {0, 0, size, size}, (item.format & HDF_SORTUP) != 0, color);
      CopyBitmapToDC(buffer.Dc(), place.Right - size, place.Top + (place.Height() - size) / 2, mark,
                     {0, 0, size, size});
      place.Right -= size + 2;
    }
    const int justify = item.format & HDF_JUSTIFYMASK;
    const UINT align = justify == HDF_RIGHT ? DT_RIGHT : justify == HDF_CENTER ? DT_CENTER : DT_LEFT;
    DrawSkinText(buffer.Dc(), item.text, place, ControlFont(), GdiColor(color),
                 align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), buffer.Dc(), 0, 0, SRCCOPY);
}

// ---- TSkinListView ------------------------------------------------------------------

void TSkinListView::Attached() {
  TSkinScrollbar::Attached();
  AttachHeader();
}

TSkinControl *TSkinListView::HeaderSkinner() const {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto *header = dynamic_cast<TSkinHeader *>(Components(i)))
      return header;
  return nullptr;
}

void TSkinListView::AttachHeader() {
  if (!window_ || !form_ || !skinData_ || HeaderSkinner())
    return;
  const auto header = reinterpret_cast<HWND>(Ask(window_, LVM_GETHEADER));
  if (!header || SendMessageW(header, CN_IsSkinned, 0, 0) == 1)
    return;
  // Owned by this skinner: it goes when the list's skinner goes.
  auto *skinner = new TSkinHeader(this);
  skinner->Inithwnd(header, *skinData_, *form_);
}

void TSkinListView::AfterProc(TMessage &message) {
  switch (message.Msg) {
  case WM_STYLECHANGED:
  case LVM_SETVIEW:
  case LVM_INSERTCOLUMNW:
  case LVM_INSERTCOLUMNA: AttachHeader(); break;
  default: break;
  }
  TSkinScrollbar::AfterProc(message);
}

// ---- TSkinToolMenu, TSkinNavigator ------------------------------------------------------------------

void TSkinToolMenu::Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) {
  TSkinControl::Init(form, skinData, setParentColor, control);
  SkinMenu(true);
}

void TSkinToolMenu::Unsubclass() {
  if (initialised_ && state_ != SkinState::Destroyed)
    SkinMenu(false);
  TSkinControl::Unsubclass();
}

void TSkinToolMenu::SkinMenu(bool on) {
  // Asked each time: the button forgets a menu that goes away.
  auto *button = dynamic_cast<TToolButton *>(control_);
  if (!button || !skinData_)
    return;
  if (TPopupMenu *menu = button->DropdownMenu(); menu && menu->Items())
    InitToolbarMenu(*menu->Items(), *skinData_, on);
}

void TSkinNavigator::Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) {
  TSkinBox::Init(form, skinData, setParentColor, control);
  SetProperty("Flat", "True");
}

// ---- Registration ------------------------------------------------------------------

void RegisterBarSkinners() {
  RegisterSkinner("progress", [](TComponent *owner) { return new TSkinProgress(owner); });
  RegisterSkinner("tab", [](TComponent *owner) { return new TSkinTab(owner); });
  RegisterSkinner("tabset", [](TComponent *owner) { return new TSkinTab31(owner); });
  RegisterSkinner("tabsheet", [](TComponent *owner) { return new TSkinTabSheet(owner); });
  RegisterSkinner("trackbar", [](TComponent *owner) { return new TSkinTrackBar(owner); });
  RegisterSkinner("toolbar", [](TComponent *owner) { return new TSkinToolbar(owner); });
  RegisterSkinner("updown", [](TComponent *owner) { return new TSkinUpDown(owner); });
  RegisterSkinner("statusbar", [](TComponent *owner) { return new TSkinStatusBar(owner); });
  RegisterSkinner("header", [](TComponent *owner) { return new TSkinHeader(owner); });
  RegisterSkinner("listview", [](TComponent *owner) { return new TSkinListView(owner); });
  RegisterSkinner("toolbutton", [](TComponent *owner) { return new TSkinToolMenu(owner); });
  RegisterSkinner("navigator", [](TComponent *owner) { return new TSkinNavigator(owner); });
}

} // namespace zorvex
