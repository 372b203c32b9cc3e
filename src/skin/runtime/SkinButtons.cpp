#include "SkinButtons.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "PanelPicture.h"
#include "SkinGdi.h"
#include "SkinMessages.h"
#include "SkinnerRegistry.h"
#include "Winskinform.h"
#include "framework/core/BitmapDraw.h"
#include "framework/core/PublishedProperties.h"
#include "framework/core/Texts.h"
#include "framework/win/Buttons.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Graphics.h"
#include "framework/win/ImgList.h"
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

int BitButtonFrame(bool focused, bool pressed, bool hot, bool disabled) {
  int frame = focused ? 5 : 1;
  if (pressed)
    frame = 2;
  else if (hot)
    frame = 4;
  if (disabled)
    frame = 3;
  return frame;
}

namespace {

// The frame of a picture with eight or twelve frames: groups of four
// (normal, hot, pressed, disabled) per mark.
int GroupedFrame(int group, bool disabled, bool hot, bool pressed) {
  const int offset = disabled ? 3 : pressed ? 2 : hot ? 1 : 0;
  return group * 4 + offset + 1;
}

} // namespace

int CheckBoxFrame(TCheckMark mark, bool disabled, bool hot, bool pressed, int frames) {
  if (frames >= 12)
    return GroupedFrame(static_cast<int>(mark), disabled, hot, pressed);
  if (frames >= 8)
    return mark == TCheckMark::Mixed ? 8 : GroupedFrame(static_cast<int>(mark), disabled, hot, pressed);
  // unchecked, checked, then both disabled; a mixed box shows the last
  const int frame = mark == TCheckMark::Mixed ? 4 : (mark == TCheckMark::Checked ? 2 : 1) + (disabled ? 2 : 0);
  return std::min(frame, std::max(frames, 1));
}

int RadioButtonFrame(bool checked, bool disabled, bool hot, bool pressed, int frames) {
  return CheckBoxFrame(checked ? TCheckMark::Checked : TCheckMark::Unchecked, disabled, hot, pressed,
                       std::min(frames, 8));
}

TColor SkinTextColor(const TSkinData &skinData, TColor designed, TColor background) {
  // The system's text colour was no choice of the design: the skin's own
  // text colour is made for its background.
  const TColor text = designed == clWindowText || designed == clBtnText ? skinData.Colors(csButtonText) : designed;
  return ReadableColor(text, background);
}

TColor AverageColor(const TBitmap &bitmap, const TRect &rect) {
  const int left = std::max(rect.Left, 0), top = std::max(rect.Top, 0);
  const int right = std::min(rect.Right, bitmap.Width()), bottom = std::min(rect.Bottom, bitmap.Height());
  int64_t red = 0, green = 0, blue = 0, count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      const TColor c = bitmap.GetPixel(x, y);
      red += ColorRed(c);
      green += ColorGreen(c);
      blue += ColorBlue(c);
      ++count;
    }
  if (count == 0)
    return clBlack;
  return MakeColor(static_cast<int>(red / count), static_cast<int>(green / count), static_cast<int>(blue / count));
}

void DrawRoundFrame(TBitmap &bitmap, const TRect &rect, TColor color) {
  const int w = rect.Width(), h = rect.Height();
  if (w < 5 || h < 5)
    return;
  auto put = [&](int x, int y) {
    if (x >= 0 && y >= 0 && x < bitmap.Width() && y < bitmap.Height())
      bitmap.SetPixel(x, y, color);
  };
  for (int x = rect.Left + 2; x < rect.Right - 2; ++x) {
    put(x, rect.Top);
    put(x, rect.Bottom - 1);
  }
  for (int y = rect.Top + 2; y < rect.Bottom - 2; ++y) {
    put(rect.Left, y);
    put(rect.Right - 1, y);
  }
  put(rect.Left + 1, rect.Top + 1);
  put(rect.Right - 2, rect.Top + 1);
  put(rect.Left + 1, rect.Bottom - 2);
  put(rect.Right - 2, rect.Bottom - 2);
}

// ---- TSkinButton ------------------------------------------------------------------

void TSkinButton::Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) {
  TSkinControl::Init(form, skinData, setParentColor, control);
  const std::string name = LowerCaseAZ(control.ClassName());
  noMouseForwarding_ = StartsWith(name, "trz") || StartsWith(name, "tel");
}

void TSkinButton::RepaintNow() {
  if (window_ && IsWindowVisible(window_))
    PaintControl();
  else
    Invalidate();
}

void TSkinButton::SetPressed(bool pressed) {
  const uint8_t flags = pressed ? (mouseFlags_ | SkinMouse::Pressed) : (mouseFlags_ & ~SkinMouse::Pressed);
  if (flags != mouseFlags_) {
    mouseFlags_ = flags;
    RepaintNow();
  }
}

void TSkinButton::SetHot(bool hot) {
  const uint8_t flags = hot ? (mouseFlags_ | SkinMouse::Hot) : (mouseFlags_ & ~SkinMouse::Hot);
  if (flags != mouseFlags_) {
    mouseFlags_ = flags;
    RepaintNow();
  }
}

void TSkinButton::ClickNow() {
  if (control_ && !foreign_) {
    RunControlCode([this] { control_->Click(); });
    return;
  }
  const HWND parent = GetParent(window_);
  if (parent)
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window_), BN_CLICKED), reinterpret_cast<LPARAM>(window_));
}

bool TSkinButton::TrackHover(TMessage &message) {
  switch (message.Msg) {
  case WM_MOUSEMOVE:
    if (!(mouseFlags_ & SkinMouse::Hot)) {
      if (form_ && form_->HoveredControl && form_->HoveredControl != this)
        form_->HoveredControl->MouseLeave();
      GetWindowRect(window_, &windowRect_);
      if (form_)
        form_->HoveredControl = this;
      SetHot(true);
    }
    return true;
  case CM_MOUSEENTER:
    if (form_)
      form_->HoveredControl = this;
    SetHot(true);
    return true;
  case CM_MOUSELEAVE:
    // A button held down keeps its pressed look while the mouse is away.
    mouseFlags_ &= static_cast<uint8_t>(~(SkinMouse::Hot | (GetCapture() == window_ ? 0 : SkinMouse::Pressed)));
    if (form_ && form_->HoveredControl == this)
      form_->HoveredControl = nullptr;
    RepaintNow();
    return true;
  default: return false;
  }
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
      RunControlCode(
          [&] { control_->OnMouseDown(control_, TMouseButton::mbLeft, KeysToShiftState(message.WParam), p.x, p.y); });
    }
    message.Result = 0;
    return false;
  }
  default: return TSkinControl::BeforeProc(message);
  }
}

void TSkinButton::AfterProc(TMessage &message) {
  if (TrackHover(message))
    return;
  switch (message.Msg) {
  case WM_KEYDOWN:
    if (message.WParam == VK_SPACE)
      SetPressed(true);
    break;
  case WM_KEYUP:
    if (message.WParam == VK_SPACE)
      SetPressed(false);
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
    // The space key's press ends with the capture the control took for it.
    if ((mouseFlags_ & SkinMouse::Pressed) && !(GetKeyState(VK_SPACE) & 0x8000))
      SetPressed(false);
    break;
  case WM_SETTEXT:
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
  case WM_ENABLE:
  case BM_SETSTATE:
  case BM_SETSTYLE:
  case WM_UPDATEUISTATE:
  case CM_ENABLEDCHANGED:
  case CM_DIALOGKEY:
  case CM_FOCUSCHANGED: RepaintNow(); break;
  default: TSkinControl::AfterProc(message); break;
  }
}

int TSkinButton::CurrentFrame() {
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  return ButtonFrame(IsFocusedNow(), (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON, (mouseFlags_ & SkinMouse::Pressed) != 0,
                     (mouseFlags_ & SkinMouse::Hot) != 0, !IsEnabledNow());
}

TColor TSkinButton::TextColor(int frame) {
  const TDataSkinButton &buttons = skinData_->Buttons();
  const bool framework = control_ && !foreign_;
  const TColor own = framework ? ControlFontColor() : skinData_->Colors(csButtonText);
  switch (frame) {
  case 1:
  case 5: return !framework || buttons.NormalColour2Given ? buttons.NormalColour2 : own;
  case 4: return !framework || buttons.MouseOverColour2Given ? buttons.MouseOverColour2 : own;
  case 2: return !framework || buttons.PressedColour2Given ? buttons.PressedColour2 : own;
  case 3: return framework ? clGrayText : clGray;
  default: return own;
  }
}

namespace {

// The caption's colour on a composed button face: disabled grey stays as it
// is, any other colour is made readable on the face under the text.
TColor CaptionColorOn(const TBitmap &picture, const TRect &area, TColor color, bool disabled) {
  if (disabled)
    return ColorToRGB(color);
  return ReadableColor(color, AverageColor(picture, area));
}

// A focus rectangle `gap` pixels around `around`, kept inside `inner`.
void DrawFocusAround(HDC dc, const TRect &around, const TRect &inner, int gap) {
  RECT focus{std::max<LONG>(around.Left - gap, inner.Left), std::max<LONG>(around.Top - gap, inner.Top),
             std::min<LONG>(around.Right + gap, inner.Right), std::min<LONG>(around.Bottom + gap, inner.Bottom)};
  if (focus.right <= focus.left || focus.bottom <= focus.top)
    return;
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  DrawFocusRect(dc, &focus);
}

} // namespace

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
  DrawSkinText(buffer.Dc(), caption, textRect, ControlFont(),
               GdiColor(CaptionColorOn(picture, inner, TextColor(frame), frame == 3)),
               DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER);
  if (IsFocusedNow() && !skinData_->Options().Contains(TSkinOption::xoNoFocusRect)) {
    const int left = inner.Left + (inner.Width() - measured.right) / 2;
    DrawFocusAround(buffer.Dc(), {left, top, left + measured.right, top + measured.bottom}, inner, 2);
  }
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), buffer.Dc(), 0, 0, SRCCOPY);
}

// ---- TSkinBitButton ------------------------------------------------------------------

int TSkinBitButton::CurrentFrame() {
  return BitButtonFrame(IsFocusedNow(), (mouseFlags_ & SkinMouse::Pressed) != 0, (mouseFlags_ & SkinMouse::Hot) != 0,
                        !IsEnabledNow());
}

namespace {

TButtonLayout LayoutByName(const std::string &name) {
  const std::vector<std::string> &names = ButtonLayoutNames();
  const auto it = std::find(names.begin(), names.end(), name);
  return it == names.end() ? TButtonLayout::blGlyphLeft : static_cast<TButtonLayout>(it - names.begin());
}

} // namespace

void TSkinBitButton::DrawControl(HDC dc, const TRect &rect) {
  const TDataSkinButton &buttons = skinData_->Buttons();
  if (buttons.Image.Empty() || rect.IsEmpty())
    return;
  const int frame = CurrentFrame();
  const bool disabled = frame == 3;
  const bool pressed = frame == 2;
  TBitmap picture(rect.Width(), rect.Height());
  FillParentBG(picture, rect);
  DrawSkinMap(picture, rect, buttons.Frame, frame, buttons);

  // The picture: a frame of the Glyph strip, or an image of the image list.
  TDibBitmap glyph;
  const TImageList *images = dynamic_cast<TImageList *>(GetObjProp("Images"));
  const int imageIndex = static_cast<int>(GetIntProperty("ImageIndex"));
  const int disabledIndex = static_cast<int>(GetIntProperty("DisabledIndex"));
  const bool fromList = images && imageIndex >= 0 && imageIndex < images->Count();
  SIZE glyphSize{0, 0};
  if (fromList) {
    glyphSize = SIZE{images->Width(), images->Height()};
  } else if (const auto *strip = dynamic_cast<TDibBitmap *>(GetObjProp("Glyph")); strip && !strip->Empty()) {
    const int count = std::max(1, static_cast<int>(GetIntProperty("NumGlyphs")));
    glyph = GlyphFrame(*strip, disabled ? strip->Disabled() : TDibBitmap(), count,
                       disabled  ? TButtonState::bsDisabled
                       : pressed ? TButtonState::bsDown
                                 : TButtonState::bsUp);
    glyphSize = SIZE{glyph.Width(), glyph.Height()};
  }

  const std::wstring caption = ButtonCaptionLines(CaptionText());
  const TButtonLayout layout = LayoutByName(GetEnumProperty("Layout"));
  TRect inner{rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2};
  if (pressed)
    inner = {inner.Left + 1, inner.Top + 1, inner.Right + 1, inner.Bottom + 1};
  TPaintBuffer &buffer = Buffer();
  if (!buffer.Resize(rect.Width(), rect.Height()))
    return;
  buffer.Load(picture);
  SIZE textSize{0, 0};
  if (!caption.empty()) {
    const bool beside = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
    RECT measured{0, 0, std::max<LONG>(inner.Width() - (beside ? glyphSize.cx : 0), 1), 0};
    ScopedSelect font(buffer.Dc(), ControlFont());
    DrawTextW(buffer.Dc(), caption.c_str(), static_cast<int>(caption.size()), &measured,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    textSize = SIZE{measured.right, measured.bottom};
  }
  const RECT client{inner.Left, inner.Top, inner.Right, inner.Bottom};
  const ButtonLayout place =
      CalcButtonLayout(client, glyphSize, textSize, layout, static_cast<int>(GetIntProperty("Margin")),
                       static_cast<int>(GetIntProperty("Spacing")));
  if (fromList)
    images->Draw(buffer.Dc(), place.glyph.left, place.glyph.top,
                 disabled && disabledIndex >= 0 && disabledIndex < images->Count() ? disabledIndex : imageIndex,
                 !disabled || disabledIndex >= 0);
  else if (!glyph.Empty())
    glyph.Draw(buffer.Dc(), place.glyph.left, place.glyph.top);
  const TRect textRect = ToTRect(place.text);
  if (!caption.empty()) {
    const UINT align = layout == TButtonLayout::blGlyphRight  ? DT_RIGHT
                       : layout == TButtonLayout::blGlyphLeft ? DT_LEFT
                                                              : DT_CENTER;
    DrawSkinText(buffer.Dc(), caption, textRect, ControlFont(),
                 GdiColor(CaptionColorOn(picture, inner, TextColor(frame), disabled)),
                 DT_WORDBREAK | DT_EXPANDTABS | align);
  }
  if (IsFocusedNow() && !skinData_->Options().Contains(TSkinOption::xoNoFocusRect)) {
    const TRect around = caption.empty() ? ToTRect(place.glyph) : textRect;
    if (!around.IsEmpty())
      DrawFocusAround(buffer.Dc(), around, inner, 2);
  }
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), buffer.Dc(), 0, 0, SRCCOPY);
}

// ---- TSkinSpeedButton ------------------------------------------------------------------

bool TSkinSpeedButton::BeforeProc(TMessage &message) {
  if (message.Msg == WM_PAINT && message.WParam && control_ && !skinData_->Buttons().Image.Empty()) {
    DrawControl(reinterpret_cast<HDC>(message.WParam), {0, 0, control_->Width(), control_->Height()});
    message.Result = 0;
    return false;
  }
  return TSkinControl::BeforeProc(message);
}

void TSkinSpeedButton::AfterProc(TMessage &message) {
  const uint8_t before = mouseFlags_;
  switch (message.Msg) {
  case CM_MOUSEENTER: mouseFlags_ |= SkinMouse::Hot; break;
  case CM_MOUSELEAVE: mouseFlags_ &= static_cast<uint8_t>(~SkinMouse::Hot); break;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    if (control_ && control_->Enabled())
      mouseFlags_ |= SkinMouse::Pressed;
    break;
  case WM_LBUTTONUP: mouseFlags_ &= static_cast<uint8_t>(~SkinMouse::Pressed); break;
  case CM_ENABLEDCHANGED:
  case CM_TEXTCHANGED:
  case CM_FONTCHANGED: Invalidate(); break;
  default: TSkinControl::AfterProc(message); break;
  }
  if (before != mouseFlags_)
    Invalidate();
}

void TSkinSpeedButton::DrawControl(HDC dc, const TRect &rect) {
  const TDataSkinButton &buttons = skinData_->Buttons();
  if (rect.IsEmpty())
    return;
  const bool enabled = control_->Enabled();
  const bool down = GetEnumProperty("Down") == "True";
  const bool flat = GetEnumProperty("Flat") == "True";
  const bool hot = (mouseFlags_ & SkinMouse::Hot) != 0;
  const bool pressed = down || (mouseFlags_ & SkinMouse::Pressed) != 0;
  int frame = !enabled ? 3 : pressed ? 2 : hot ? 4 : 1;
  TBitmap picture(rect.Width(), rect.Height());
  FillParentBG(picture, rect);
  // A flat button shows its face only under the mouse or when down.
  if (!flat || hot || pressed)
    DrawSkinMap(picture, rect, buttons.Frame, frame, buttons);
  else
    frame = 1;

  TDibBitmap glyph;
  if (const auto *strip = dynamic_cast<TDibBitmap *>(GetObjProp("Glyph")); strip && !strip->Empty())
    glyph = GlyphFrame(*strip, enabled ? TDibBitmap() : strip->Disabled(),
                       std::max(1, static_cast<int>(GetIntProperty("NumGlyphs"))),
                       !enabled  ? TButtonState::bsDisabled
                       : down    ? TButtonState::bsExclusive
                       : pressed ? TButtonState::bsDown
                                 : TButtonState::bsUp);
  const std::wstring caption = Wide(GetStringProp("Caption"));
  TPaintBuffer &buffer = Buffer();
  if (!buffer.Resize(rect.Width(), rect.Height()))
    return;
  buffer.Load(picture);
  HFONT font = control_->Font().Handle();
  SIZE textSize{0, 0};
  if (!caption.empty()) {
    RECT measured{0, 0, std::max(rect.Width() - 4, 1), 0};
    ScopedSelect selected(buffer.Dc(), font);
    DrawTextW(buffer.Dc(), caption.c_str(), static_cast<int>(caption.size()), &measured, DT_CALCRECT | DT_SINGLELINE);
    textSize = SIZE{measured.right, measured.bottom};
  }
  const int shift = pressed ? 1 : 0;
  const RECT client{2 + shift, 2 + shift, rect.Width() - 2 + shift, rect.Height() - 2 + shift};
  const ButtonLayout place =
      CalcButtonLayout(client, SIZE{glyph.Width(), glyph.Height()}, textSize, LayoutByName(GetEnumProperty("Layout")),
                       static_cast<int>(GetIntProperty("Margin")), static_cast<int>(GetIntProperty("Spacing")));
  if (!glyph.Empty())
    glyph.Draw(buffer.Dc(), place.glyph.left, place.glyph.top);
  if (!caption.empty())
    DrawSkinText(buffer.Dc(), caption, ToTRect(place.text), font,
                 GdiColor(CaptionColorOn(picture, rect, enabled ? TextColor(frame) : clGrayText, !enabled)),
                 DT_SINGLELINE);
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), buffer.Dc(), 0, 0, SRCCOPY);
}

// ---- TSkinCheckBox, TSkinRadioButton ------------------------------------------------------------------

bool TSkinCheckBox::BeforeProc(TMessage &message) {
  switch (message.Msg) {
  case WM_PAINT: WMPaint(message); return false;
  case WM_ERASEBKGND: message.Result = 1; return false;
  default: return TSkinControl::BeforeProc(message);
  }
}

void TSkinCheckBox::AfterProc(TMessage &message) {
  if (TrackHover(message))
    return;
  switch (message.Msg) {
  // The control changed its state (and may have drawn itself for it).
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_LBUTTONUP:
  case WM_KEYDOWN:
  case WM_KEYUP:
  case WM_CAPTURECHANGED:
  case BM_SETCHECK:
  case BM_SETSTATE:
  case BM_CLICK:
  case WM_SETTEXT:
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
  case WM_ENABLE:
  case WM_UPDATEUISTATE:
  case CM_ENABLEDCHANGED: RepaintNow(); break;
  default: TSkinControl::AfterProc(message); break;
  }
}

const TBitmap &TSkinCheckBox::Image() const { return skinData_->Buttons().CheckBoxImage; }
int TSkinCheckBox::Frames() const { return skinData_->Buttons().CheckFrame; }
const TBitmap &TSkinRadioButton::Image() const { return skinData_->Buttons().RadioButtonImage; }
int TSkinRadioButton::Frames() const { return skinData_->Buttons().RadioFrame; }

TCheckMark TSkinCheckBox::Mark() const {
  if (control_ && !foreign_) {
    const std::string state = LowerCaseAZ(GetEnumProperty("State"));
    if (!state.empty())
      return state == "cbchecked"  ? TCheckMark::Checked
             : state == "cbgrayed" ? TCheckMark::Mixed
                                   : TCheckMark::Unchecked;
    if (!GetEnumProperty("Checked").empty())
      return GetEnumProperty("Checked") == "True" ? TCheckMark::Checked : TCheckMark::Unchecked;
  }
  switch (SendMessageW(window_, BM_GETCHECK, 0, 0)) {
  case BST_CHECKED: return TCheckMark::Checked;
  case BST_INDETERMINATE: return TCheckMark::Mixed;
  default: return TCheckMark::Unchecked;
  }
}

bool TSkinCheckBox::PushedNow() const { return (SendMessageW(window_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

int TSkinCheckBox::MarkFrame() {
  return CheckBoxFrame(Mark(), !IsEnabledNow(), (mouseFlags_ & SkinMouse::Hot) != 0, PushedNow(), Frames());
}

int TSkinRadioButton::MarkFrame() {
  return RadioButtonFrame(Mark() == TCheckMark::Checked, !IsEnabledNow(), (mouseFlags_ & SkinMouse::Hot) != 0,
                          PushedNow(), Frames());
}

void TSkinCheckBox::DrawControl(HDC dc, const TRect &rect) {
  const TBitmap &image = Image();
  const int frames = std::max(Frames(), 1);
  if (image.Empty() || rect.IsEmpty())
    return;
  TBitmap picture(rect.Width(), rect.Height());
  FillParentBG(picture, rect);
  // The box at its own size (smaller when the control is lower), in a
  // column at least 15 pixels wide, vertically centred.
  int boxWidth = image.Width() / frames, boxHeight = image.Height();
  if (boxHeight > rect.Height() && boxHeight > 0) {
    boxWidth = boxWidth * rect.Height() / boxHeight;
    boxHeight = rect.Height();
  }
  const int column = std::max(boxWidth, 15);
  const bool textLeft = (GetWindowLongPtrW(window_, GWL_STYLE) & BS_LEFTTEXT) != 0;
  const int columnLeft = textLeft ? rect.Right - column : rect.Left;
  const int boxLeft = columnLeft + (column - boxWidth) / 2;
  const int boxTop = rect.Top + (rect.Height() - boxHeight) / 2;
  DrawSkinMap1(picture, {boxLeft, boxTop, boxLeft + boxWidth, boxTop + boxHeight}, frames, MarkFrame(), image);

  const int gap = std::max(18, column + 3);
  const TRect textRect = textLeft ? TRect{rect.Left, rect.Top, rect.Right - gap, rect.Bottom}
                                  : TRect{rect.Left + gap, rect.Top, rect.Right, rect.Bottom};
  const std::wstring caption = CaptionText();
  TPaintBuffer &buffer = Buffer();
  if (!buffer.Resize(rect.Width(), rect.Height()))
    return;
  buffer.Load(picture);
  const bool enabled = IsEnabledNow();
  const TColor color = SkinTextColor(*skinData_, ControlFontColor(), ParentColor());
  const UINT format = DT_LEFT | DT_WORDBREAK;
  DrawCaption(buffer.Dc(), textRect, format, enabled, caption, color);
  if (IsFocusedNow() && !caption.empty() && !skinData_->Options().Contains(TSkinOption::xoNoFocusRect)) {
    SetTextColor(buffer.Dc(), RGB(0, 0, 0));
    SetBkColor(buffer.Dc(), RGB(255, 255, 255));
    DrawFocus(buffer.Dc(), caption, format, textRect);
  }
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), buffer.Dc(), 0, 0, SRCCOPY);
}

// ---- TSkinGroupBox ------------------------------------------------------------------

bool TSkinGroupBox::BeforeProc(TMessage &message) {
  switch (message.Msg) {
  case WM_PAINT: WMPaint(message); return false;
  // The inside is the control's own background (or its dialog's).
  default: return TSkinControl::BeforeProc(message);
  }
}

void TSkinGroupBox::AfterProc(TMessage &message) {
  switch (message.Msg) {
  case WM_SETTEXT:
  case WM_ENABLE:
  case WM_UPDATEUISTATE:
  case CM_ENABLEDCHANGED:
  case CM_TEXTCHANGED:
  case CM_FONTCHANGED: Invalidate(); break;
  default: TSkinControl::AfterProc(message); break;
  }
}

void TSkinGroupBox::DrawControl(HDC dc, const TRect &rect) {
  if (rect.IsEmpty())
    return;
  const std::wstring caption = CaptionText();
  const int textHeight = TextHeight(dc, caption);
  // Framework group boxes take the skin's colour; a dialog's group box
  // stands on the dialog's (skinned) background.
  const TColor back = control_ && !foreign_ ? ColorToRGB(control_->Color()) : BackgroundColor();
  TBitmap picture(rect.Width(), rect.Height());
  FillRect(picture, rect, back);
  const TRect frame{rect.Left, rect.Top + textHeight / 2, rect.Right, rect.Bottom};
  DrawRoundFrame(picture, frame, FrameColor());

  TPaintBuffer &buffer = Buffer();
  if (!buffer.Resize(rect.Width(), rect.Height()))
    return;
  int textRight = rect.Left + 8;
  if (!caption.empty()) {
    const SIZE size = MeasureSkinText(buffer.Dc(), caption, ControlFont());
    textRight = std::min<int>(rect.Left + 8 + size.cx + 2, rect.Right - 2);
    FillRect(picture, {rect.Left + 6, rect.Top, textRight, rect.Top + textHeight}, back);
  }
  buffer.Load(picture);
  if (!caption.empty())
    DrawSkinText(
        buffer.Dc(), caption, {rect.Left + 8, rect.Top, textRight, rect.Top + textHeight}, ControlFont(),
        GdiColor(IsEnabledNow() ? SkinTextColor(*skinData_, ControlFontColor(), back) : ColorToRGB(clGrayText)),
        DT_SINGLELINE | DT_LEFT);
  // Only the frame and the caption strip: what lies inside (children,
  // dialog controls below it) is not painted over.
  ScopedDCState state(dc);
  const int inset = 2;
  ExcludeClipRect(dc, rect.Left + inset, std::max(frame.Top, rect.Top + textHeight) + inset - 1, rect.Right - inset,
                  rect.Bottom - inset);
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), buffer.Dc(), 0, 0, SRCCOPY);
}

// ---- TSkinLabel ------------------------------------------------------------------

void TSkinLabel::Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) {
  if (initialised_)
    return;
  designedColor_ = control.Font().Color();
  TSkinControl::Init(form, skinData, setParentColor, control);
  designedTransparent_ = GetEnumProperty("Transparent") == "True";
  SetProperty("Transparent", "True");
  ApplyColors();
}

void TSkinLabel::ApplyColors() {
  if (!control_ || !skinData_)
    return;
  // A colour the program set since the last time is its new design.
  if (!colorChanged_ || control_->Font().Color() != appliedColor_)
    designedColor_ = control_->Font().Color();
  const TColor readable = SkinTextColor(*skinData_, designedColor_, ParentColor());
  colorChanged_ = readable != ColorToRGB(designedColor_);
  appliedColor_ = colorChanged_ ? readable : designedColor_;
  if (control_->Font().Color() != appliedColor_)
    control_->Font().SetColor(appliedColor_);
}

void TSkinLabel::SkinChange() {
  ApplyColors();
  TSkinControl::SkinChange();
}

void TSkinLabel::Unsubclass() {
  if (initialised_ && control_ && state_ != SkinState::Destroyed) {
    if (colorChanged_ && control_->Font().Color() == appliedColor_)
      control_->Font().SetColor(designedColor_);
    colorChanged_ = false;
    if (!designedTransparent_)
      SetProperty("Transparent", "False");
  }
  TSkinControl::Unsubclass();
}

// ---- TSkinObjImage ------------------------------------------------------------------

void TSkinObjImage::Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) {
  if (initialised_)
    return;
  TSkinControl::Init(form, skinData, setParentColor, control);
  HandOverGlyphs();
}

void TSkinObjImage::HandOverGlyphs() {
  if (!control_ || !skinData_)
    return;
  const bool radio = UpperCaseAZ(control_->ClassName()).find("RADIO") != std::string::npos;
  const TBitmap &image = radio ? skinData_->Buttons().RadioButtonImage : skinData_->Buttons().CheckBoxImage;
  if (image.Empty())
    return;
  const TPropertyTable *table = control_->PublishedProperties();
  const TPropertyInfo *glyphs = table ? table->Find("CustomGlyphs") : nullptr;
  if (!glyphs || glyphs->Kind() != TPropertyKind::Object || glyphs->ReadOnly())
    return;
  auto picture = std::make_unique<TDibBitmap>(image);
  glyphs->SetObject(*control_, picture.get());
  glyphs_ = std::move(picture);
  SetProperty("TransparentColor", std::to_string(clFuchsia));
  SetProperty("UseCustomGlyphs", "True");
}

void TSkinObjImage::SkinChange() {
  HandOverGlyphs();
  TSkinControl::SkinChange();
}

void TSkinObjImage::Unsubclass() {
  if (initialised_ && control_ && state_ != SkinState::Destroyed)
    SetProperty("UseCustomGlyphs", "False");
  TSkinControl::Unsubclass();
}

// ---- TSkinBox ------------------------------------------------------------------

bool TSkinBox::DrawsPanel() const { return !foreign_ && dynamic_cast<TPanel *>(control_) != nullptr; }

bool TSkinBox::BeforeProc(TMessage &message) {
  if (!DrawsPanel())
    return TSkinControl::BeforeProc(message);
  switch (message.Msg) {
  case WM_PAINT: WMPaint(message); return false;
  case WM_ERASEBKGND: message.Result = 1; return false; // the picture covers it all
  default: return TSkinControl::BeforeProc(message);
  }
}

void TSkinBox::DrawControl(HDC dc, const TRect &rect) {
  const auto *panel = dynamic_cast<TPanel *>(control_);
  if (!panel || rect.IsEmpty())
    return;
  const TColor face = ColorToRGB(panel->Color());
  TBitmap picture(rect.Width(), rect.Height());
  FillRect(picture, {0, 0, rect.Width(), rect.Height()}, face);
  const TBevelColors colors = BevelColorsFor(face);
  auto kind = [](TPanelBevel bevel) {
    return bevel == TPanelBevel::bvRaised    ? TBevelKind::Raised
           : bevel == TPanelBevel::bvLowered ? TBevelKind::Lowered
                                             : TBevelKind::None;
  };
  TRect inside = DrawBevel(picture, {0, 0, rect.Width(), rect.Height()}, kind(panel->BevelOuter()), colors);
  inside = DrawBevel(picture, inside, kind(panel->BevelInner()), colors);
  const TColor text = IsEnabledNow() ? SkinTextColor(*skinData_, ControlFontColor(), face) : ColorToRGB(clGrayText);
  Present(dc, picture, CaptionText(), inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE, text);
}

// ---- TSkinBevel ------------------------------------------------------------------

bool TSkinBevel::BeforeProc(TMessage &message) {
  if (message.Msg == WM_PAINT && message.WParam && dynamic_cast<TBevel *>(control_)) {
    DrawControl(reinterpret_cast<HDC>(message.WParam), {0, 0, control_->Width(), control_->Height()});
    message.Result = 0;
    return false;
  }
  return TSkinControl::BeforeProc(message);
}

void TSkinBevel::DrawControl(HDC dc, const TRect &rect) {
  const auto *bevel = dynamic_cast<TBevel *>(control_);
  if (!bevel || rect.IsEmpty())
    return;
  // The lines alone: what lies under the bevel stays the parent's.
  const TBevelColors colors = BevelColorsFor(ParentColor());
  const bool lowered = bevel->Style() == TBevelStyle::bsLowered;
  DrawBevelShape(dc, rect.Width(), rect.Height(), bevel->Shape(), lowered ? colors.Shadow : colors.Light,
                 lowered ? colors.Light : colors.Shadow);
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
      const HDC dc = reinterpret_cast<HDC>(message.WParam);
      SetBkMode(dc, TRANSPARENT);
      // The system's black text is unreadable on a dark skin.
      SetTextColor(dc, GdiColor(ReadableColor(skinData_->Colors(csButtonText), BackgroundColor())));
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
  RegisterSkinner("bitbtn", [](TComponent *owner) { return new TSkinBitButton(owner); });
  RegisterSkinner("speedbutton", [](TComponent *owner) { return new TSkinSpeedButton(owner); });
  RegisterSkinner("checkbox", [](TComponent *owner) { return new TSkinCheckBox(owner); });
  RegisterSkinner("radiobutton", [](TComponent *owner) { return new TSkinRadioButton(owner); });
  RegisterSkinner("groupbox", [](TComponent *owner) { return new TSkinGroupBox(owner); });
  RegisterSkinner("label", [](TComponent *owner) { return new TSkinLabel(owner); });
  RegisterSkinner("objimage", [](TComponent *owner) { return new TSkinObjImage(owner); });
  RegisterSkinner("panel", [](TComponent *owner) { return new TSkinBox(owner); });
  RegisterSkinner("bevel", [](TComponent *owner) { return new TSkinBevel(owner); });
  RegisterSkinner("container", [](TComponent *owner) { return new TSkinBox(owner); });
  RegisterSkinner("boxh", [](TComponent *owner) { return new TSkinBoxH(owner); });
  RegisterSkinner("sizer", [](TComponent *owner) { return new TSkinSizer(owner); });
}

} // namespace zorvex
