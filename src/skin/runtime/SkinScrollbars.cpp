#include "SkinScrollbars.h"

#include <algorithm>

#include "SkinEdits.h"
#include "SkinGdi.h"
#include "SkinMessages.h"
#include "SkinnerRegistry.h"
#include "Winskinform.h"
#include "framework/core/Texts.h"
#include "skin/data/Winskindata.h"

namespace zorvex {

namespace {

// Messages after which nothing about a control's scroll bars can have
// changed; asking the system about the bars after each of them would only
// cost time (and some of them come thousands of times).
bool LeavesBarsAlone(UINT message) {
  switch (message) {
  case WM_NCHITTEST:
  case WM_SETCURSOR:
  case WM_GETTEXT:
  case WM_GETTEXTLENGTH:
  case WM_GETDLGCODE:
  case WM_GETFONT:
  case WM_GETOBJECT:
  case WM_NCDESTROY:
  case WM_DESTROY:
  case CN_IsSkinned:
  case SBM_GETSCROLLINFO:
  case SBM_GETSCROLLBARINFO:
  case SBM_GETPOS:
  case SBM_GETRANGE: return true;
  default: return false;
  }
}

POINT PointOf(LPARAM lParam) { return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }
LPARAM Pack(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

} // namespace

TScrollBarSkin ScrollBarSkinOf(const TSkinData &skinData, bool vertical) {
  TScrollBarSkin skin;
  skin.Arrows = skinData.Slot(TSkinSlot::Scrollbar);
  skin.Track = skinData.Slot(vertical ? TSkinSlot::VertScroll : TSkinSlot::HorzScroll);
  skin.Thumb = skinData.Slot(vertical ? TSkinSlot::VertScrollThumb : TSkinSlot::HorzScrollThumb);
  skin.Background = skinData.Colors(csButtonFace);
  return skin;
}

// ---- TWScrollbar ------------------------------------------------------------------

bool TWScrollbar::TBarState::operator==(const TBarState &other) const {
  return EqualRect(&Bar, &other.Bar) && ArrowSize == other.ArrowSize && ThumbStart == other.ThumbStart &&
         ThumbEnd == other.ThumbEnd && Enabled == other.Enabled;
}

TWScrollbar::TWScrollbar(TSkinData &skinData, HWND host, bool vertical, bool standalone)
    : TWinControl(nullptr), skinData_(skinData), host_(host), vertical_(vertical), standalone_(standalone) {
  SetVisible(false);
}

TWScrollbar::~TWScrollbar() { *alive_ = false; }

void TWScrollbar::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  params.WndParent = GetParent(host_);
}

bool TWScrollbar::Read(TBarState &state) const {
  if (!IsWindow(host_) || !(GetWindowLongPtrW(host_, GWL_STYLE) & WS_VISIBLE))
    return false;
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  const LONG object = standalone_ ? OBJID_CLIENT : (vertical_ ? OBJID_VSCROLL : OBJID_HSCROLL);
  if (!GetScrollBarInfo(host_, object, &info))
    return false;
  if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN))
    return false;
  if (standalone_)
    GetWindowRect(host_, &info.rcScrollBar);
  if (IsRectEmpty(&info.rcScrollBar))
    return false;
  state.Bar = info.rcScrollBar;
  // Arrows are squares; a disabled bar may report them as long as half
  // the bar.
  const int thickness =
      vertical_ ? info.rcScrollBar.right - info.rcScrollBar.left : info.rcScrollBar.bottom - info.rcScrollBar.top;
  state.ArrowSize = info.dxyLineButton > 0 ? std::min<int>(info.dxyLineButton, thickness) : thickness;
  state.ThumbStart = info.xyThumbTop;
  state.ThumbEnd = info.xyThumbBottom;
  state.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) && IsWindowEnabled(host_);
  return true;
}

TScrollBarGeometry TWScrollbar::Geometry(const TBarState &state) const {
  TScrollBarGeometry bar;
  bar.Vertical = vertical_;
  bar.Length = vertical_ ? state.Bar.bottom - state.Bar.top : state.Bar.right - state.Bar.left;
  bar.ArrowSize = state.ArrowSize;
  bar.ThumbStart = state.ThumbStart;
  bar.ThumbEnd = state.ThumbEnd;
  return bar;
}

bool TWScrollbar::AboveHost() const {
  // The two overlays of one control both lie just above it.
  HWND above = host_;
  for (int step = 0; step < 2 && above; ++step) {
    above = GetWindow(above, GW_HWNDPREV);
    if (above == WindowHandle())
      return true;
  }
  return false;
}

void TWScrollbar::Follow() {
  const HWND self = Handle();
  TBarState state;
  if (!Read(state)) {
    if (shown_) {
      ShowWindow(self, SW_HIDE);
      shown_ = false;
    }
    return;
  }
  POINT corners[2] = {{state.Bar.left, state.Bar.top}, {state.Bar.right, state.Bar.bottom}};
  MapWindowPoints(nullptr, GetParent(self), corners, 2);
  RECT now{};
  GetWindowRect(self, &now);
  const bool moved = !EqualRect(&now, &state.Bar);
  if (!shown_ || moved || !AboveHost()) {
    HWND above = GetWindow(host_, GW_HWNDPREV);
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (above == self || AboveHost())
      flags |= SWP_NOZORDER;
    SetWindowPos(self, above ? above : HWND_TOP, corners[0].x, corners[0].y, corners[1].x - corners[0].x,
                 corners[1].y - corners[0].y, flags);
    shown_ = true;
  }
  if (!(state == painted_) || moved)
    RepaintNow();
}

void TWScrollbar::Refresh() {
  painted_ = {};
  Follow();
  if (shown_)
    RepaintNow();
}

RECT TWScrollbar::Covered() const {
  RECT rect{};
  if (shown_ && WindowHandle())
    GetWindowRect(WindowHandle(), &rect);
  return rect;
}

void TWScrollbar::RepaintNow() {
  if (!WindowHandle())
    return;
  InvalidateRect(WindowHandle(), nullptr, FALSE);
  UpdateWindow(WindowHandle());
}

void TWScrollbar::PaintWindow(HDC dc) {
  try {
    RECT client{};
    GetClientRect(WindowHandle(), &client);
    if (IsRectEmpty(&client))
      return;
    TBarState state;
    if (!Read(state))
      return;
    painted_ = state;
    const TScrollBarSkin skin = ScrollBarSkinOf(skinData_, vertical_);
    const int across = vertical_ ? client.right : client.bottom;
    const int along = vertical_ ? client.bottom : client.right;
    const int thickness = ScrollPictureThickness(skin.Usable() ? skin.Arrows->Image.Height() : 0, across);
    TBitmap picture(vertical_ ? thickness : along, vertical_ ? along : thickness);
    TScrollBarLook look = look_;
    look.Enabled = state.Enabled;
    PaintScrollBar(picture, skin, Geometry(state), look);
    StretchBitmapToDC(dc, ToTRect(client), picture);
  } catch (...) {
    // A bar that cannot be drawn keeps its last picture.
  }
}

TScrollPart TWScrollbar::PartAt(POINT client) const {
  TBarState state;
  if (!Read(state))
    return TScrollPart::None;
  POINT screen = client;
  ::ClientToScreen(WindowHandle(), &screen);
  return ScrollPartAt(Geometry(state), vertical_ ? screen.y - state.Bar.top : screen.x - state.Bar.left);
}

void TWScrollbar::Press(POINT client) {
  look_.Pressed = PartAt(client);
  RepaintNow();
  POINT screen = client;
  ::ClientToScreen(WindowHandle(), &screen);
  // The system's own tracking runs inside this call until the button is
  // released; the skin may be switched off meanwhile and take us with it.
  const std::shared_ptr<bool> alive = alive_;
  const HWND host = host_;
  if (standalone_) {
    POINT local = screen;
    ::ScreenToClient(host, &local);
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, Pack(local));
  } else {
    SendMessageW(host, WM_NCLBUTTONDOWN, vertical_ ? HTVSCROLL : HTHSCROLL, Pack(screen));
  }
  if (!*alive)
    return;
  look_.Pressed = TScrollPart::None;
  Follow();
  RepaintNow();
}

void TWScrollbar::SetHot(TScrollPart part) {
  if (look_.Hot == part)
    return;
  look_.Hot = part;
  RepaintNow();
}

void TWScrollbar::MouseLeave() { SetHot(TScrollPart::None); }

void TWScrollbar::WndProc(TMessage &message) {
  try {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(PointOf(message.LParam));
      message.Result = 0;
      return;
    case WM_LBUTTONUP: {
      // Only a release the system's tracking did not take comes here.
      POINT screen = PointOf(message.LParam);
      ::ClientToScreen(WindowHandle(), &screen);
      if (standalone_) {
        POINT local = screen;
        ::ScreenToClient(host_, &local);
        PostMessageW(host_, WM_LBUTTONUP, MK_LBUTTON, Pack(local));
      } else {
        PostMessageW(host_, WM_NCLBUTTONUP, vertical_ ? HTVSCROLL : HTHSCROLL, Pack(screen));
      }
      message.Result = 0;
      return;
    }
    case WM_MOUSEMOVE:
      if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, WindowHandle(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
      }
      SetHot(PartAt(PointOf(message.LParam)));
      break;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      SetHot(TScrollPart::None);
      message.Result = 0;
      return;
    default: break;
    }
  } catch (...) {
    // The control's own bar still works underneath.
    return;
  }
  TWinControl::WndProc(message);
}

// ---- TScrollOverlaySkinner ------------------------------------------------------------------

TScrollOverlaySkinner::~TScrollOverlaySkinner() = default;

void TScrollOverlaySkinner::Cover() {
  bars_.clear();
  if (!window_ || !IsWindow(window_))
    return;
  if (GetParent(window_) && ScrollBarSkinOf(*skinData_, true).Usable()) {
    MakeBars();
    FollowNow();
  }
  // The border and the corner are drawn with the frame.
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TScrollOverlaySkinner::Unsubclass() {
  bars_.clear();
  TSkinControl::Unsubclass();
}

void TScrollOverlaySkinner::SkinChange() {
  TSkinControl::SkinChange();
  if (bars_.empty() || !ScrollBarSkinOf(*skinData_, true).Usable()) {
    Cover();
    return;
  }
  for (const auto &bar : bars_)
    bar->Refresh();
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TScrollOverlaySkinner::FollowNow() {
  if (following_ || bars_.empty() || !initialised_ || state_ == SkinState::Destroyed)
    return;
  following_ = true;
  struct Reset {
    bool &flag;
    ~Reset() { flag = false; }
  } reset{following_};
  FollowBars();
}

void TScrollOverlaySkinner::FollowBars() {
  for (const auto &bar : bars_)
    bar->Follow();
}

void TScrollOverlaySkinner::AfterProc(TMessage &message) {
  switch (message.Msg) {
  case WM_NCPAINT: PaintControl(); break;
  case WM_PAINT:
    // A device context in the message is the client area's: what is drawn
    // here lies outside it.
    if (!message.WParam)
      PaintControl();
    break;
  default: TSkinControl::AfterProc(message); break;
  }
  if (!LeavesBarsAlone(message.Msg))
    FollowNow();
}

// ---- TSkinScrollbar ------------------------------------------------------------------

void TSkinScrollbar::MakeBars() {
  bars_.push_back(std::make_unique<TWScrollbar>(*skinData_, window_, true, false));
  bars_.push_back(std::make_unique<TWScrollbar>(*skinData_, window_, false, false));
}

TWScrollbar *TSkinScrollbar::Bar(bool vertical) const {
  return bars_.size() == 2 ? bars_[vertical ? 0 : 1].get() : nullptr;
}

void TSkinScrollbar::FollowBars() {
  // The corner between two bars comes and goes with them.
  const RECT before[2] = {Bar(true)->Covered(), Bar(false)->Covered()};
  TScrollOverlaySkinner::FollowBars();
  const RECT after[2] = {Bar(true)->Covered(), Bar(false)->Covered()};
  if (!EqualRect(&before[0], &after[0]) || !EqualRect(&before[1], &after[1]))
    PaintControl();
}

void TSkinScrollbar::DrawControl(HDC dc, const TRect &rect) {
  if (bars_.empty())
    return; // the skin has no scroll bars: the control keeps its look
  const int border = BorderWidth(window_);
  if (border > 0 && !SameTextAZ(GetEnumProperty("BorderStyle"), "bsNone")) {
    if (border >= 2)
      DrawBorderRings(dc, ToRECT(rect), {BackgroundColor(), FrameColor()}, border);
    else
      DrawBorderRings(dc, ToRECT(rect), {FrameColor()}, border);
  }
  const RECT v = Bar(true)->Covered(), h = Bar(false)->Covered();
  if (IsRectEmpty(&v) || IsRectEmpty(&h))
    return;
  RECT window{};
  GetWindowRect(window_, &window);
  RECT corner{v.left - window.left, h.top - window.top, v.right - window.left, h.bottom - window.top};
  OwnedBrush face(CreateSolidBrush(GdiColor(BackgroundColor())));
  ::FillRect(dc, &corner, face.get());
}

// ---- TSkinScControl ------------------------------------------------------------------

bool TSkinScControl::KindVertical() const {
  const std::string kind = GetEnumProperty("Kind");
  if (kind.empty())
    return (GetWindowLongPtrW(window_, GWL_STYLE) & SBS_VERT) != 0;
  return !SameTextAZ(kind, "sbHorizontal");
}

void TSkinScControl::MakeBars() {
  bars_.push_back(std::make_unique<TWScrollbar>(*skinData_, window_, KindVertical(), true));
}

TWScrollbar *TSkinScControl::Bar() const { return bars_.empty() ? nullptr : bars_.front().get(); }

void TSkinScControl::FollowBars() {
  // A turned bar (its kind changed) is covered the other way round.
  if (Bar()->Vertical() != KindVertical()) {
    bars_.clear();
    MakeBars();
  }
  TScrollOverlaySkinner::FollowBars();
}

void RegisterScrollSkinners() {
  RegisterSkinner("scrollbar", [](TComponent *owner) { return new TSkinScrollbar(owner); });
  RegisterSkinner("embedscrollbar", [](TComponent *owner) { return new TSkinScrollbar(owner); });
  RegisterSkinner("sccontrol", [](TComponent *owner) { return new TSkinScControl(owner); });
}

} // namespace zorvex
