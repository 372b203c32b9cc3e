#include "StdCtrls.h"

#include <algorithm>

#include "Forms.h"
#include "Win32Error.h"
#include "framework/core/Texts.h"

namespace zorvex {

const std::vector<std::string> &AlignmentNames() {
  static const std::vector<std::string> names{"taLeftJustify", "taRightJustify", "taCenter"};
  return names;
}

namespace {
// Controls publish their caption under the name their kind is known by.
template <typename C> TPublished<C> WithCaption(const TPropertyTable *parent) {
  return std::move(TPublished<C>(parent).String("Caption", &C::Caption, &C::SetCaption));
}
} // namespace

// ---- TLabel

const TPropertyTable &TLabel::ClassProperties() {
  static const auto table =
      WithCaption<TLabel>(&TGraphicControl::ClassProperties())
          .Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
          .Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
          .Enumeration("Alignment", AlignmentNames(), &TLabel::Alignment, &TLabel::SetAlignment)
          .Enumeration("Layout", {"tlTop", "tlCenter", "tlBottom"}, &TLabel::Layout, &TLabel::SetLayout)
          .Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
          .Boolean("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
  return table;
}

TLabel::TLabel(TComponent *owner) : TGraphicControl(owner) {
  SetParentColor(true);
  clickOnMouseUp_ = true;
  StoreBounds(0, 0, 65, 13);
}

void TLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustBounds();
}

void TLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap) {
  wordWrap_ = wordWrap;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
  showAccelChar_ = show;
  AdjustBounds();
  Invalidate();
}

UINT TLabel::DrawFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (wordWrap_)
    flags |= DT_WORDBREAK;
  else
    flags |= DT_SINGLELINE;
  if (!showAccelChar_)
    flags |= DT_NOPREFIX;
  switch (alignment_) {
  case TAlignment::taLeftJustify: flags |= DT_LEFT; break;
  case TAlignment::taRightJustify: flags |= DT_RIGHT; break;
  case TAlignment::taCenter: flags |= DT_CENTER; break;
  }
  return flags;
}

void TLabel::AdjustBounds() {
  if (!autoSize_)
    return;
  WindowDC screen(nullptr);
  TCanvas canvas(screen.get());
  canvas.Font() = Font();
  RECT rect{0, 0, wordWrap_ ? Width() : 0, 0};
  const std::string caption = GetText();
  // An empty label keeps the height of a line.
  const std::string text = caption.empty() ? std::string(1, ' ') : caption;
  canvas.DrawText(text, rect,
                  (DrawFlags() & ~static_cast<UINT>(DT_SINGLELINE | DT_CENTER | DT_RIGHT)) | DT_CALCRECT |
                      (wordWrap_ ? 0 : DT_SINGLELINE));
  int left = Left();
  const int width = rect.right - rect.left;
  if (alignment_ == TAlignment::taRightJustify)
    left += Width() - width;
  SetBounds(left, Top(), width, rect.bottom - rect.top);
}

void TLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::Paint() {
  TCanvas &canvas = Canvas();
  RECT rect = ClientRect();
  if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(rect);
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  const std::string text = GetText();
  UINT flags = DrawFlags();
  if (layout_ != TTextLayout::tlTop) {
    RECT measured = rect;
    canvas.DrawText(text, measured, flags | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    rect.top = layout_ == TTextLayout::tlCenter ? (rect.bottom - height) / 2 : rect.bottom - height;
  }
  if (!Enabled()) {
    // Engraved look of disabled text.
    RECT shadow = rect;
    OffsetRect(&shadow, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(text, shadow, flags);
    canvas.Font().SetColor(clBtnShadow);
  }
  canvas.DrawText(text, rect, flags);
}

// ---- TEdit

const TPropertyTable &TEdit::ClassProperties() {
  static const auto table = TPublished<TEdit>(&TWinControl::ClassProperties())
                                .String("Text", &TEdit::Text, &TEdit::SetText)
                                .Boolean("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly);
  return table;
}

TEdit::TEdit(TComponent *owner) : TWinControl(owner) {
  SetColor(clWindow);
  SetTabStop(true);
  StoreBounds(0, 0, 121, 21);
}

void TEdit::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = L"EDIT";
  params.Style |= ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0);
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TEdit::SelectAll() {
  if (HandleAllocated())
    SendMessageW(WindowHandle(), EM_SETSEL, 0, -1);
}

bool TEdit::CNCommand(WORD notifyCode) {
  if (notifyCode == EN_CHANGE) {
    if (OnChange)
      OnChange(this);
    return true;
  }
  return false;
}

// ---- TButtonControl

const TPropertyTable &TButtonControl::ClassProperties() {
  static const auto table = WithCaption<TButtonControl>(&TWinControl::ClassProperties());
  return table;
}

TButtonControl::TButtonControl(TComponent *owner) : TWinControl(owner) {
  SetTabStop(true);
  SetParentColor(true);
}

bool TButtonControl::CNCommand(WORD notifyCode) {
  if (notifyCode == BN_CLICKED) {
    Click();
    return true;
  }
  return false;
}

void TButtonControl::WndProc(TMessage &message) {
  if (message.Msg == CM_DIALOGCHAR) {
    const wchar_t key = UpperChar(static_cast<wchar_t>(message.WParam));
    if (key != 0 && AcceleratorOf(GetText()) == key && CanFocus()) {
      SetFocus();
      Click();
      message.Result = 1;
    }
    return;
  }
  TWinControl::WndProc(message);
}

// ---- TButton

const TPropertyTable &TButton::ClassProperties() {
  static const auto table = TPublished<TButton>(&TButtonControl::ClassProperties())
                                .Boolean("Default", &TButton::Default, &TButton::SetDefault)
                                .Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel)
                                .Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
  return table;
}

TButton::TButton(TComponent *owner) : TButtonControl(owner) { StoreBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams &params) {
  TButtonControl::CreateParams(params);
  params.WindowClassBase = L"BUTTON";
  params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool isDefault) {
  default_ = isDefault;
  active_ = isDefault;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (modalResult_ != mrNone)
    if (TForm *form = ParentForm())
      form->SetModalResult(modalResult_);
  TButtonControl::Click();
}

void TButton::WndProc(TMessage &message) {
  switch (message.Msg) {
  case CM_FOCUSCHANGED: {
    auto *focused = reinterpret_cast<TWinControl *>(message.LParam);
    const bool buttonFocused = dynamic_cast<TButton *>(focused) != nullptr;
    const bool active = buttonFocused ? focused == this : default_;
    if (active != active_) {
      active_ = active;
      Invalidate();
    }
    break;
  }
  case CM_DIALOGKEY:
    if (((message.WParam == VK_RETURN && active_) || (message.WParam == VK_ESCAPE && cancel_)) && CanFocus()) {
      Click();
      message.Result = 1;
      return;
    }
    return;
  default: break;
  }
  TButtonControl::WndProc(message);
}

// ---- TCheckBox

namespace {
WPARAM CheckOf(TCheckBoxState state) {
  switch (state) {
  case TCheckBoxState::cbChecked: return BST_CHECKED;
  case TCheckBoxState::cbGrayed: return BST_INDETERMINATE;
  case TCheckBoxState::cbUnchecked: break;
  }
  return BST_UNCHECKED;
}
} // namespace

const TPropertyTable &TCheckBox::ClassProperties() {
  static const auto table =
      TPublished<TCheckBox>(&TButtonControl::ClassProperties())
          .Boolean("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)
          .Enumeration("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, &TCheckBox::State, &TCheckBox::SetState)
          .Boolean("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
  return table;
}

TCheckBox::TCheckBox(TComponent *owner) : TButtonControl(owner) { StoreBounds(0, 0, 97, 17); }

void TCheckBox::CreateParams(TCreateParams &params) {
  TButtonControl::CreateParams(params);
  params.WindowClassBase = L"BUTTON";
  // The box keeps its state itself, so grayed works with or without AllowGrayed.
  params.Style |= BS_3STATE;
}

void TCheckBox::CreateWindowHandleDone() { SendMessageW(WindowHandle(), BM_SETCHECK, CheckOf(state_), 0); }

void TCheckBox::SetChecked(bool checked) {
  SetState(checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TCheckBox::SetState(TCheckBoxState state) {
  if (state == state_)
    return;
  state_ = state;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), BM_SETCHECK, CheckOf(state), 0);
  Click();
}

bool TCheckBox::CNCommand(WORD notifyCode) {
  if (notifyCode != BN_CLICKED)
    return false;
  switch (state_) {
  case TCheckBoxState::cbUnchecked:
    SetState(allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
    break;
  case TCheckBoxState::cbChecked: SetState(TCheckBoxState::cbUnchecked); break;
  case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbChecked); break;
  }
  return true;
}

// ---- TRadioButton

const TPropertyTable &TRadioButton::ClassProperties() {
  static const auto table = TPublished<TRadioButton>(&TButtonControl::ClassProperties())
                                .Boolean("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
  return table;
}

TRadioButton::TRadioButton(TComponent *owner) : TButtonControl(owner) {
  SetTabStop(false);
  StoreBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams &params) {
  TButtonControl::CreateParams(params);
  params.WindowClassBase = L"BUTTON";
  params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWindowHandleDone() {
  SendMessageW(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_)
    return;
  checked_ = checked;
  // Only the checked button of a group is a tab stop; arrows reach the others.
  SetTabStop(checked);
  if (HandleAllocated())
    SendMessageW(WindowHandle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!checked)
    return;
  if (TWinControl *parent = Parent())
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (auto *sibling = dynamic_cast<TRadioButton *>(parent->Controls(i)); sibling && sibling != this)
        sibling->SetChecked(false);
  Click();
}

bool TRadioButton::CNCommand(WORD notifyCode) {
  if (notifyCode == BN_CLICKED || notifyCode == BN_DOUBLECLICKED) {
    SetChecked(true);
    return true;
  }
  return false;
}

void TRadioButton::WndProc(TMessage &message) {
  TButtonControl::WndProc(message);
  // Reaching a radio button with the keyboard selects it.
  if (message.Msg == WM_SETFOCUS && GetKeyState(VK_LBUTTON) >= 0)
    SetChecked(true);
}

// ---- TCustomGroupBox

const TPropertyTable &TCustomGroupBox::ClassProperties() {
  static const auto table = WithCaption<TCustomGroupBox>(&TCustomControl::ClassProperties());
  return table;
}

TCustomGroupBox::TCustomGroupBox(TComponent *owner) : TCustomControl(owner) {
  SetParentColor(true);
  StoreBounds(0, 0, 185, 105);
}

void TCustomGroupBox::Paint() {
  TCanvas &canvas = Canvas();
  const int textHeight = canvas.TextHeight("0");
  RECT frame{0, textHeight / 2 - 1, Width(), Height()};
  // Etched line: light outer frame, shadow frame one pixel up and left.
  RECT light = frame;
  light.left += 1;
  light.top += 1;
  canvas.Brush().SetColor(clBtnHighlight);
  canvas.FrameRect(light);
  RECT dark = light;
  OffsetRect(&dark, -1, -1);
  canvas.Brush().SetColor(clBtnShadow);
  canvas.FrameRect(dark);
  const std::string text = GetText();
  if (!text.empty()) {
    RECT textRect{8, 0, 0, textHeight};
    canvas.DrawText(text, textRect, DT_SINGLELINE | DT_CALCRECT);
    canvas.Brush().SetColor(Color());
    canvas.DrawText(text, textRect, DT_SINGLELINE);
  }
}

} // namespace zorvex
