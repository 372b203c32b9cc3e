#pragma once
// Push buttons, bit buttons, speed buttons, check boxes, radio buttons,
// group boxes, labels, panels and nested forms and dialogs, image check
// boxes of other component sets, and size grips, drawn by the skin.

#include "Winsubclass.h"

namespace zorvex {

class TBitmap;

// The frame of the skin's push button picture a button shows: 1 normal,
// 4 focused, 5 the default button, then 2 pressed or 4 hot, 3 disabled,
// each overriding the one before.
int ButtonFrame(bool focused, bool isDefault, bool pressed, bool hot, bool disabled);
// The same for bit buttons, which show frame 5 when focused.
int BitButtonFrame(bool focused, bool pressed, bool hot, bool disabled);
// A caption's "||" marks a line break.
std::wstring ButtonCaptionLines(const std::wstring &caption);

enum class TCheckMark { Unchecked, Checked, Mixed };
// The frame of a check box picture of `frames` frames. Four frames hold
// unchecked, checked, then both disabled (a mixed box shows the fourth);
// eight hold unchecked then checked, each normal, hot, pressed and
// disabled; twelve add the mixed state after them.
int CheckBoxFrame(TCheckMark mark, bool disabled, bool hot, bool pressed, int frames);
// The same for radio buttons (four or eight frames).
int RadioButtonFrame(bool checked, bool disabled, bool hot, bool pressed, int frames);

// A control's text colour on a skin: the skin's text colour in place of the
// system's, then made readable.
TColor SkinTextColor(const TSkinData &skinData, TColor designed, TColor background);
// The mean colour of a rectangle of a picture.
TColor AverageColor(const TBitmap &bitmap, const TRect &rect);

// Draws a rounded frame (corners cut by two pixels) in `color`.
void DrawRoundFrame(TBitmap &bitmap, const TRect &rect, TColor color);

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
  virtual int CurrentFrame();
  // The caption's colour for a frame.
  TColor TextColor(int frame);
  void SetPressed(bool pressed);
  void SetHot(bool hot);
  // Hover: WM_MOUSEMOVE and the mouse-enter and mouse-leave notifications.
  // True when the message was one of them.
  bool TrackHover(TMessage &message);
  void ClickNow();
  // Paints now, so that a picture the control drew of itself for a state
  // change is never seen.
  void RepaintNow();
};

// A push button with a glyph beside its caption.
class TSkinBitButton : public TSkinButton {
public:
  using TSkinButton::TSkinButton;
  std::string ClassName() const override { return "TSkinBitButton"; }

protected:
  int CurrentFrame() override;
  void DrawControl(HDC dc, const TRect &rect) override;
};

// A button without a window: painted when its parent paints it.
class TSkinSpeedButton : public TSkinButton {
public:
  using TSkinButton::TSkinButton;
  std::string ClassName() const override { return "TSkinSpeedButton"; }

protected:
  bool BeforeProc(TMessage &message) override;
  void AfterProc(TMessage &message) override;
  void DrawControl(HDC dc, const TRect &rect) override;
};

// Check boxes: the control keeps its own mouse and keyboard handling (its
// state, its clicks); the skinner only paints.
class TSkinCheckBox : public TSkinButton {
public:
  using TSkinButton::TSkinButton;
  std::string ClassName() const override { return "TSkinCheckBox"; }

protected:
  bool BeforeProc(TMessage &message) override;
  void AfterProc(TMessage &message) override;
  void DrawControl(HDC dc, const TRect &rect) override;
  // The image, its frame count and the frame to show now.
  virtual const TBitmap &Image() const;
  virtual int Frames() const;
  virtual int MarkFrame();
  TCheckMark Mark() const;
  bool PushedNow() const;
};

class TSkinRadioButton : public TSkinCheckBox {
public:
  using TSkinCheckBox::TSkinCheckBox;
  std::string ClassName() const override { return "TSkinRadioButton"; }

protected:
  const TBitmap &Image() const override;
  int Frames() const override;
  int MarkFrame() override;
};

// Group boxes and the frames of radio groups: a rounded frame in the
// skin's frame colour with the caption in its top edge. Only the frame is
// painted; the inside is the control's (or its dialog's) background.
class TSkinGroupBox : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinGroupBox"; }

protected:
  bool BeforeProc(TMessage &message) override;
  void AfterProc(TMessage &message) override;
  void DrawControl(HDC dc, const TRect &rect) override;
};

// Labels keep their own drawing, transparent on the skin's background, in
// a colour that can be read there.
class TSkinLabel : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinLabel"; }
  void Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) override;
  void Unsubclass() override;
  void SkinChange() override;

protected:
  void DrawControl(HDC, const TRect &) override {}

private:
  void ApplyColors();
  TColor designedColor_ = 0;
  TColor appliedColor_ = 0;
  bool designedTransparent_ = false;
  bool colorChanged_ = false;
};

// Image check boxes and radio buttons of other component sets: they are
// handed the skin's check or radio picture to draw themselves with.
class TSkinObjImage : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinObjImage"; }
  void Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) override;
  void Unsubclass() override;
  void SkinChange() override;

protected:
  void DrawControl(HDC, const TRect &) override {}

private:
  void HandOverGlyphs();
  std::unique_ptr<TObject> glyphs_;
};

// Panels and nested framework forms: the skin's background colour. A
// framework panel is drawn whole: its raised and lowered edges in shades of
// the skin's face (the system's white and grey look foreign on a dark skin)
// and its caption in a colour that reads there.
class TSkinBox : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinBox"; }

protected:
  bool BeforeProc(TMessage &message) override;
  void DrawControl(HDC dc, const TRect &rect) override;

private:
  // A framework panel, whose edges and caption the skinner knows how to draw.
  bool DrawsPanel() const;
};

// Bevels (lines and boxes without a window): drawn in their parent in
// shades of the parent's colour, as panels' edges are.
class TSkinBevel : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinBevel"; }

protected:
  bool BeforeProc(TMessage &message) override;
  void DrawControl(HDC dc, const TRect &rect) override;
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
