#include "SkinButtons.h"

#include <algorithm>

#include "SkinGdi.h"
#include "SkinnerRegistry.h"
#include "Winskinform.h"
#include "framework/core/BitmapDraw.h"
#include "framework/core/Texts.h"
#include "skin/data/Winskindata.h"

namespace zorvex {

int ButtonFrame(bool focused, bool isDefault, bool pressed, bool hot, bool disabled) {
  int frame = 1;
  if (focused)
    frame = 4;
  if (isDefault)
    frame = 5;
  if (pressed)
    frame = 2;
  else if (hot)
    frame = 4;
  if (disabled)
    frame = 3;
  return frame;
}

std::wstring ButtonCaptionLines(const std::wstring &caption) {
  std::wstring text = caption;
  for (size_t at = text.find(L"||"); at != std::wstring::npos; at = text.find(L"||", at + 2))
    text.replace(at, 2, L"\r\n");
  return text;
}

// ---- TSkinButton ------------------------------------------------------------------

void TSkinButton::Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) {
  TSkinControl::Init(form, skinData, setParentColor, control);
  const std::string name = LowerCaseAZ(control.ClassName());
  noMouseForwarding_ = StartsWith(name, "trz") || StartsWith(name, "tel");
}

void TSkinButton::SetPressed(bool pressed) {
  const uint8_t flags = pressed ? (mouseFlags_ | SkinMouse::Pressed) : (mouseFlags_ & ~SkinMouse::Pressed);
  if (flags != mouseFlags_) {
    mouseFlags_ = flags;
    Invalidate();
  }
}

void TSkinButton::SetHot(bool hot) {
  const uint8_t flags = hot ? (mouseFlags_ | SkinMouse::Hot) : (mouseFlags_ & ~SkinMouse::Hot);
  if (flags != mouseFlags_) {
    mouseFlags_ = flags;
    Invalidate();
  }
}

void TSkinButton::ClickNow() {
  if (control_ && !foreign_) {
    control_->Click();
    return;
  }
  const HWND parent = GetParent(window_);
  if (parent)
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window_), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window_));
}

bool TSkinButton::BeforeProc(TMessage &message) {
  switch (message.Msg) {
  case WM_PAINT: WMPaint(message); return false;
  case WM_ERASEBKGND: message.Result = 1; return false;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: {
    if (GetFocus() != window_)
      SetFocus(window_);
    SetCapture(window_);
    SetPressed(true);
    if (control_ && !foreign_ && !noMouseForwarding_ && control_->OnMouseDown) {
      POINT p{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
      if (control_->Width() > 32768 || control_->Height() > 32768) {
        GetCursorPos(&p);
        ScreenToClient(window_, &p);
      }
      control_->OnMouseDown(control_, TMouseButton::mbLeft, KeysToShiftState(message.WParam), p.x, p.y);
    }
    message.Result = 0;
    return false;
  }
  default: return TSkinControl::BeforeProc(message);
  }
}

void TSkinButton::AfterProc(TMessage &message) {
  switch (message.Msg) {
  case WM_SETTEXT: Invalidate(); break;
  case WM_KEYDOWN:
    if (message.WParam == VK_SPACE)
      SetPressed(true);
    break;
  case WM_KEYUP:
    if (message.WParam == VK_SPACE)
      SetPressed(false);
    break;
  case WM_MOUSEMOVE:
    if (!(mouseFlags_ & SkinMouse::Hot)) {
      if (form_ && form_->HoveredControl && form_->HoveredControl != this)
        form_->HoveredControl->MouseLeave();
      SetHot(true);
      if (form_)
        form_->HoveredControl = this;
      GetWindowRect(window_, &windowRect_);
    }
    break;
  case WM_LBUTTONUP:
    if (mouseFlags_ & SkinMouse::Pressed) {
      if (GetCapture() == window_)
        ReleaseCapture();
      SetPressed(false);
      POINT p{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
      RECT client{};
      GetClientRect(window_, &client);
      // A release away from the button is no click.
      if (PtInRect(&client, p))
        ClickNow();
    }
    break;
  case WM_CAPTURECHANGED:
    if (mouseFlags_ & SkinMouse::Pressed)
      SetPressed(false);
    break;
  case CM_DIALOGKEY:
  case CM_FOCUSCHANGED: Invalidate(); break;
  case CM_MOUSEENTER:
    SetHot(true);
    if (form_)
      form_->HoveredControl = this;
    break;
  case CM_MOUSELEAVE:
    mouseFlags_ &= static_cast<uint8_t>(~(SkinMouse::Hot | (GetCapture() == window_ ? 0 : SkinMouse::Pressed)));
    if (form_ && form_->HoveredControl == this)
      form_->HoveredControl = nullptr;
    Invalidate();
    break;
  default: TSkinControl::AfterProc(message); break;
  }
}

int TSkinButton::CurrentFrame() {
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  return ButtonFrame(IsFocusedNow(), (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON,
                     (mouseFlags_ & SkinMouse::Pressed) != 0, (mouseFlags_ & SkinMouse::Hot) != 0, !IsEnabledNow());
}

TColor TSkinButton::TextColor(int frame) {
  const TDataSkinButton &buttons = skinData_->Buttons();
  const bool framework = control_ && !foreign_;
  const TColor own = framework ? ControlFontColor() : skinData_->Colors(csButtonText);
  switch (frame) {
  case 1: return !framework || buttons.NormalColour2Given ? buttons.NormalColour2 : own;
  case 4: return !framework || buttons.MouseOverColour2Given ? buttons.MouseOverColour2 : own;
  case 2: return !framework || buttons.PressedColour2Given ? buttons.PressedColour2 : own;
  case 3: return framework ? clGrayText : clGray;
  default: return own;
  }
}

void TSkinButton::DrawControl(HDC dc, const TRect &rect) {
  const TDataSkinButton &buttons = skinData_->Buttons();
  if (buttons.Image.Empty() || rect.IsEmpty())
    return;
  const int frame = CurrentFrame();
  TBitmap picture(rect.Width(), rect.Height());
  FillParentBG(picture, rect);
  DrawSkinMap(picture, rect, buttons.Frame, frame, buttons);

  const std::wstring caption = ButtonCaptionLines(CaptionText());
  const TRect inner{rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2};
  TPaintBuffer &buffer = Buffer();
  if (!buffer.Resize(rect.Width(), rect.Height()))
    return;
  buffer.Load(picture);
  // The text block, measured and centred as a whole.
  RECT measured{0, 0, inner.Width(), 0};
  {
    ScopedSelect font(buffer.Dc(), ControlFont());
    DrawTextW(buffer.Dc(), caption.c_str(), static_cast<int>(caption.size()), &measured,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER);
  }
  const int top = inner.Top + (inner.Height() - measured.bottom) / 2;
  const TRect textRect{inner.Left, top, inner.Right, top + measured.bottom};
  DrawSkinText(buffer.Dc(), caption, textRect, ControlFont(), GdiColor(TextColor(frame)),
               DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER);
  if (IsFocusedNow() && !skinData_->Options().Contains(TSkinOption::xoNoFocusRect)) {
    const int left = inner.Left + (inner.Width() - measured.right) / 2;
    RECT focus{std::max<LONG>(left - 2, inner.Left), std::max<LONG>(top - 2, inner.Top),
               std::min<LONG>(left + measured.right + 2, inner.Right),
               std::min<LONG>(top + measured.bottom + 2, inner.Bottom)};
    SetTextColor(buffer.Dc(), RGB(0, 0, 0));
    SetBkColor(buffer.Dc(), RGB(255, 255, 255));
    DrawFocusRect(buffer.Dc(), &focus);
  }
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), buffer.Dc(), 0, 0, SRCCOPY);
}

// ---- TSkinBoxH, TSkinSizer ------------------------------------------------------------------

bool TSkinBoxH::BeforeProc(TMessage &message) {
  switch (message.Msg) {
  case WM_ERASEBKGND: {
    RECT client{};
    GetClientRect(window_, &client);
    if (uintptr_t brush = skinData_->ButtonFaceBrush()) {
      FillRect(reinterpret_cast<HDC>(message.WParam), &client, reinterpret_cast<HBRUSH>(brush));
      message.Result = 1;
      return false;
    }
    return true;
  }
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORDLG:
  case WM_CTLCOLORBTN:
    if (uintptr_t brush = skinData_->ButtonFaceBrush()) {
      Default(message);
      SetBkMode(reinterpret_cast<HDC>(message.WParam), TRANSPARENT);
      message.Result = static_cast<LRESULT>(brush);
      return false;
    }
    return true;
  default: return TSkinControl::BeforeProc(message);
  }
}

bool TSkinSizer::BeforeProc(TMessage &message) {
  switch (message.Msg) {
  case WM_PAINT: WMPaint(message); return false;
  case WM_ERASEBKGND: message.Result = 1; return false;
  default: return TSkinControl::BeforeProc(message);
  }
}

void TSkinSizer::DrawControl(HDC dc, const TRect &rect) {
  if (rect.IsEmpty())
    return;
  TBitmap picture(rect.Width(), rect.Height());
  FillBG(picture, rect);
  // Three diagonal ridges, in the skin's own shadow and highlight.
  const TColor shadow = FrameColor();
  const TColor light = skinData_->Colors(csButtonHilight);
  const int w = rect.Width(), h = rect.Height();
  for (int ridge = 0; ridge < 3; ++ridge) {
    const int offset = 3 + ridge * 4;
    for (int i = 0; i < offset; ++i) {
      picture.SetPixel(w - offset + i, h - 1 - i, shadow);
      picture.SetPixel(w - offset + i + 1, h - 1 - i, light);
    }
  }
  CopyBitmapToDC(dc, rect.Left, rect.Top, picture, {0, 0, w, h});
}

void RegisterButtonSkinners() {
  RegisterSkinner("button", [](TComponent *owner) { return new TSkinButton(owner); });
  RegisterSkinner("panel", [](TComponent *owner) { return new TSkinBox(owner); });
  RegisterSkinner("container", [](TComponent *owner) { return new TSkinBox(owner); });
  RegisterSkinner("boxh", [](TComponent *owner) { return new TSkinBoxH(owner); });
  RegisterSkinner("sizer", [](TComponent *owner) { return new TSkinSizer(owner); });
}

} // namespace zorvex
