#pragma once
// The standard controls: label, one-line edit, push button, check box,
// radio button and group box.

#include <string>
#include <vector>

#include "Controls.h"

namespace zorvex {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };
enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// Value names of the enumerations above, for published properties.
const std::vector<std::string> &AlignmentNames();

// A text drawn by its parent. With AutoSize it takes the size of its text.
class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent *owner);
  std::string ClassName() const override { return "TLabel"; }

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  // A transparent label draws only its text over what its parent painted.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  // '&' marks an accelerator (and "&&" is one '&') unless this is false.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);

  // Caption, AutoSize, Transparent, Alignment, Layout, WordWrap,
  // ShowAccelChar.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;

private:
  UINT DrawFlags() const;
  void AdjustBounds();
  bool autoSize_ = true;
  bool transparent_ = false;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
};

class TEdit : public TWinControl {
public:
  explicit TEdit(TComponent *owner);
  std::string ClassName() const override { return "TEdit"; }

  std::string Text() const { return GetText(); }
  void SetText(const std::string &text) override { TWinControl::SetText(text); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  void SelectAll();

  // Text, ReadOnly.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams &params) override;
  bool CNCommand(WORD notifyCode) override;

private:
  bool readOnly_ = false;
};

// Base of the controls over the system's BUTTON class: clicks arrive as
// BN_CLICKED; Alt plus the caption's accelerator clicks them too.
class TButtonControl : public TWinControl {
public:
  explicit TButtonControl(TComponent *owner);
  std::string ClassName() const override { return "TButtonControl"; }

  // Caption.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  void WndProc(TMessage &message) override;
  bool CNCommand(WORD notifyCode) override;
};

class TButton : public TButtonControl {
public:
  explicit TButton(TComponent *owner);
  std::string ClassName() const override { return "TButton"; }

  // Enter clicks the default button unless another button has the focus;
  // Escape clicks the cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }
  // Clicking sets the form's ModalResult to this when it is not mrNone.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  void Click() override;

  // Default, Cancel, ModalResult.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  void CreateParams(TCreateParams &params) override;
  void WndProc(TMessage &message) override;
  // Whether Enter would click this button now.
  bool Active() const { return active_; }

private:
  bool default_ = false;
  bool cancel_ = false;
  bool active_ = false;
  int modalResult_ = mrNone;
};

class TCheckBox : public TButtonControl {
public:
  explicit TCheckBox(TComponent *owner);
  std::string ClassName() const override { return "TCheckBox"; }

  bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool checked);
  // A change of state clicks the box.
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState state);
  // Clicks go unchecked, grayed, checked; without AllowGrayed they skip
  // grayed (the program may still set it).
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool allow) { allowGrayed_ = allow; }

  // Checked, State, AllowGrayed.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  bool CNCommand(WORD notifyCode) override;

private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allowGrayed_ = false;
};

class TRadioButton : public TButtonControl {
public:
  explicit TRadioButton(TComponent *owner);
  std::string ClassName() const override { return "TRadioButton"; }

  bool Checked() const { return checked_; }
  // Checking one clears the other radio buttons of the same parent and
  // clicks it.
  virtual void SetChecked(bool checked);

  // Checked.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  bool CNCommand(WORD notifyCode) override;
  void WndProc(TMessage &message) override;

private:
  bool checked_ = false;
};

// A frame with a caption in its top edge.
class TCustomGroupBox : public TCustomControl {
public:
  explicit TCustomGroupBox(TComponent *owner);
  std::string ClassName() const override { return "TCustomGroupBox"; }

  // Caption.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  void Paint() override;
  void TextChanged() override { Invalidate(); }
};

class TGroupBox : public TCustomGroupBox {
public:
  explicit TGroupBox(TComponent *owner) : TCustomGroupBox(owner) {}
  std::string ClassName() const override { return "TGroupBox"; }
};

} // namespace zorvex
