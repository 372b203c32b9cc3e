#pragma once
// Push buttons, panels, nested forms and dialogs, and size grips, drawn by
// the skin.

#include "Winsubclass.h"

namespace zorvex {

// The frame of the skin's push button picture a button shows: 1 normal,
// 4 focused, 5 the default button, then 2 pressed or 4 hot, 3 disabled,
// each overriding the one before.
int ButtonFrame(bool focused, bool isDefault, bool pressed, bool hot, bool disabled);
// A caption's "||" marks a line break.
std::wstring ButtonCaptionLines(const std::wstring &caption);

class TSkinButton : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinButton"; }
  void Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) override;

protected:
  bool BeforeProc(TMessage &message) override;
  void AfterProc(TMessage &message) override;
  void DrawControl(HDC dc, const TRect &rect) override;
  // The frame to show now.
  int CurrentFrame();
  // The caption's colour for a frame.
  TColor TextColor(int frame);
  void SetPressed(bool pressed);
  void SetHot(bool hot);
  void ClickNow();
};

// Panels and nested framework forms: the skin's background colour.
class TSkinBox : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinBox"; }

protected:
  void DrawControl(HDC, const TRect &) override {}
};

// A dialog nested in a dialog (file dialogs): the skin's background under
// its static texts and its own background.
class TSkinBoxH : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinBoxH"; }

protected:
  bool BeforeProc(TMessage &message) override;
  void DrawControl(HDC, const TRect &) override {}
};

// A size grip in the skin's colours.
class TSkinSizer : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinSizer"; }

protected:
  bool BeforeProc(TMessage &message) override;
  void DrawControl(HDC dc, const TRect &rect) override;
};

} // namespace zorvex
