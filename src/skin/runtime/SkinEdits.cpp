#include "SkinEdits.h"

#include "SkinGdi.h"
#include "SkinMessages.h"
#include "SkinnerRegistry.h"
#include "framework/core/BitmapDraw.h"
#include "framework/core/Texts.h"
#include "skin/data/Winskindata.h"

namespace zorvex {

void DrawBorderRings(HDC dc, const RECT &outer, std::initializer_list<TColor> colors, int depth) {
  RECT ring = outer;
  int drawn = 0;
  for (TColor color : colors) {
    if (drawn++ >= depth || IsRectEmpty(&ring))
      return;
    OwnedBrush brush(CreateSolidBrush(GdiColor(color)));
    ::FrameRect(dc, &ring, brush.get());
    InflateRect(&ring, -1, -1);
  }
}

int BorderWidth(HWND window) {
  RECT outer{};
  POINT origin{0, 0};
  if (!GetWindowRect(window, &outer) || !ClientToScreen(window, &origin))
    return 0;
  return std::max<int>(0, origin.y - outer.top);
}

// ---- TSkinEdit ------------------------------------------------------------------

void TSkinEdit::SkinSpinChild() {
  if (!window_ || !form_ || !skinData_->SkinControls().Contains(TSkinControlType::xcSpin))
    return;
  for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string name = LowerCaseAZ(WindowClassName(child));
    if (name != "msctls_updown32" && name.find("spin") == std::string::npos && name.find("updown") == std::string::npos)
      continue;
    if (SendMessageW(child, CN_IsSkinned, 0, 0) != 1)
      if (TSkinControl *spin = CreateSkinner("updown", nullptr))
        spin->Inithwnd(child, *skinData_, *form_);
    return;
  }
}

void TSkinEdit::AfterProc(TMessage &message) {
  switch (message.Msg) {
  case WM_NCPAINT: PaintControl(); break;
  case WM_PAINT:
    // A device context in the message is the client area's: the frame
    // lies outside it.
    if (!message.WParam)
      PaintControl();
    break;
  case WM_PRINT:
    if (message.LParam & PRF_NONCLIENT) {
      RECT outer{};
      GetWindowRect(window_, &outer);
      DrawControl(reinterpret_cast<HDC>(message.WParam), {0, 0, outer.right - outer.left, outer.bottom - outer.top});
    }
    break;
  default: TSkinControl::AfterProc(message); break;
  }
}

void TSkinEdit::DrawControl(HDC dc, const TRect &rect) {
  // Flat: a line in the frame colour, the rest of the border white like the
  // field.
  DrawBorderRings(dc, ToRECT(rect), {FrameColor(), clWhite, clWhite}, BorderWidth(window_));
}

// ---- TSkinComBox ------------------------------------------------------------------

int ComboFrame(bool disabled, bool dropped, bool hot) {
  if (disabled)
    return 4;
  if (dropped)
    return 3;
  return hot ? 2 : 1;
}

bool TSkinComBox::Dropped() const { return SendMessageW(window_, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TSkinComBox::SetHot(bool hot) {
  const bool was = (mouseFlags_ & SkinMouse::Hot) != 0;
  if (was == hot)
    return;
  mouseFlags_ = hot ? (mouseFlags_ | SkinMouse::Hot) : (mouseFlags_ & ~SkinMouse::Hot);
  PaintControl();
}

void TSkinComBox::AfterProc(TMessage &message) {
  switch (message.Msg) {
  case WM_PAINT:
    if (!message.WParam)
      PaintControl();
    break;
  case WM_MOUSEMOVE:
    if (!trackingLeave_) {
      TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window_, 0};
      trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    SetHot(true);
    break;
  case WM_MOUSELEAVE:
    trackingLeave_ = false;
    SetHot(false);
    break;
  case CM_MOUSELEAVE: SetHot(false); break;
  // The system draws its own button and edge outside painting too (a
  // press, the list opening or closing, a new item): the skin's go back on
  // at once.
  case WM_NCPAINT:
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_LBUTTONDBLCLK:
  case WM_KEYDOWN:
  case WM_KEYUP:
  case WM_SYSKEYDOWN:
  case WM_CHAR:
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
  case WM_ENABLE:
  case WM_SETTEXT:
  case WM_SIZE:
  case WM_CAPTURECHANGED:
  case WM_COMMAND:
  case CN_COMMAND:
  case CB_SETCURSEL:
  case CB_SHOWDROPDOWN:
  case CM_ENABLEDCHANGED: PaintControl(); break;
  default: TSkinControl::AfterProc(message); break;
  }
}

void TSkinComBox::DrawControl(HDC dc, const TRect &rect) {
  const TDataSkinObject *combo = skinData_->Slot(TSkinSlot::ComboButton);
  if (!combo || combo->Image.Empty() || rect.IsEmpty())
    return;
  const int frame = ComboFrame(!IsEnabledNow(), Dropped(), (mouseFlags_ & SkinMouse::Hot) != 0);
  // Magenta is left out when the picture goes on the screen: the field the
  // control drew (its text, its selection) shows through.
  TBitmap picture(rect.Width(), rect.Height());
  picture.Fill(clFuchsia);
  if (combo->Style == 2) {
    // The skin's field edge and button, made into one picture at loading.
    DrawNineSlice(picture, rect, combo->Image, combo->FrameOf(frame), combo->Margins(), combo->Tile != 0, clFuchsia);
  } else {
    // Only a button picture: a flat edge like an edit's, and the button over
    // the system's.
    const TColor edges[] = {FrameColor(), clWhite};
    TRect ring = rect;
    for (TColor color : edges) {
      FillRect(picture, {ring.Left, ring.Top, ring.Right, ring.Top + 1}, color);
      FillRect(picture, {ring.Left, ring.Bottom - 1, ring.Right, ring.Bottom}, color);
      FillRect(picture, {ring.Left, ring.Top, ring.Left + 1, ring.Bottom}, color);
      FillRect(picture, {ring.Right - 1, ring.Top, ring.Right, ring.Bottom}, color);
      ring = {ring.Left + 1, ring.Top + 1, ring.Right - 1, ring.Bottom - 1};
    }
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(window_, &info) && !IsRectEmpty(&info.rcButton)) {
      const TRect button = ToTRect(info.rcButton);
      DrawNineSlice(picture, button, combo->Image, combo->FrameOf(frame), combo->Margins(), combo->Tile != 0);
      if (const TDataSkinObject *arrow = skinData_->Slot(TSkinSlot::ExtraImages); arrow && !arrow->Image.Empty())
        StretchCopy(picture, button, arrow->Image, arrow->FrameOf(frame), clFuchsia);
    }
  }
  TPaintBuffer &buffer = Buffer();
  if (!buffer.Resize(rect.Width(), rect.Height()))
    return;
  buffer.Load(picture);
  GdiTransparentBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), buffer.Dc(), 0, 0, rect.Width(),
                    rect.Height(), RGB(255, 0, 255));
}

void RegisterEditSkinners() {
  RegisterSkinner("edit", [](TComponent *owner) { return new TSkinEdit(owner); });
  RegisterSkinner("combobox", [](TComponent *owner) { return new TSkinComBox(owner); });
}

} // namespace zorvex
