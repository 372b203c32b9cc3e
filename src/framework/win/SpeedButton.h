#pragma once
// TSpeedButton: a button without a window of its own (tool bars, button
// rows), with a glyph and a caption. Buttons of one parent that share a
// GroupIndex other than 0 work as a group: a click puts one down and the
// others up.

#include <string>

#include "Buttons.h"

namespace zorvex {

class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent *owner);
  std::string ClassName() const override { return "TSpeedButton"; }

  // Frames in the glyph: up, disabled, down, stays down.
  const TDibBitmap &Glyph() const { return glyph_.Glyph(); }
  void SetGlyph(TDibBitmap glyph);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int count);
  // Only a button of a group stays down. Without AllowAllUp the one down
  // button of a group goes up only when another goes down.
  bool Down() const { return down_; }
  void SetDown(bool down);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index);
  // Whether every button of the group may be up; the same for the whole
  // group.
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool allow);
  // No border except under the mouse or when down.
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  // Only the frame, glyph and caption are drawn over the parent.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

  // Caption, Glyph, NumGlyphs, Down, GroupIndex, AllowAllUp, Flat, Layout,
  // Margin, Spacing, Transparent.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

private:
  TButtonState State() const;
  // The other buttons of the group go up.
  void UpdateExclusive();
  TButtonGlyph glyph_;
  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool flat_ = false;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool transparent_ = false;
  bool pressed_ = false;  // the mouse holds it down
  bool dragging_ = false; // the left button went down on it
  bool hot_ = false;
};

} // namespace zorvex
