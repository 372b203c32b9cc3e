#include "SpeedButton.h"

#include <algorithm>

namespace zorvex {

TSpeedButton::TSpeedButton(TComponent *owner) : TGraphicControl(owner) { StoreBounds(0, 0, 23, 22); }

const TPropertyTable &TSpeedButton::ClassProperties() {
  static const auto table =
      TPublished<TSpeedButton>(&TGraphicControl::ClassProperties())
          .String("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption)
          .Object(
              "Glyph", [](const TSpeedButton &button) { return const_cast<TDibBitmap *>(&button.Glyph()); },
              [](TSpeedButton &button, TDibBitmap *glyph) { button.SetGlyph(glyph ? glyph->Clone() : TDibBitmap()); })
          .Integer("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
          .Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
          .Boolean("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
          .Boolean("Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
          .Boolean("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
          .Enumeration("Layout", ButtonLayoutNames(), &TSpeedButton::Layout, &TSpeedButton::SetLayout)
          .Integer("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin)
          .Integer("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing)
          .Boolean("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent);
  return table;
}

void TSpeedButton::SetGlyph(TDibBitmap glyph) {
  glyph_.SetGlyph(std::move(glyph));
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int count) {
  glyph_.SetNumGlyphs(count);
  Invalidate();
}

void TSpeedButton::SetDown(bool down) {
  if (groupIndex_ == 0)
    down = false;
  if (down == down_)
    return;
  if (down_ && !allowAllUp_)
    return;
  down_ = down;
  Invalidate();
  if (down_)
    UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int index) {
  groupIndex_ = index;
  if (groupIndex_ == 0 && down_) {
    down_ = false;
    Invalidate();
  } else if (down_) {
    UpdateExclusive();
  }
}

void TSpeedButton::SetAllowAllUp(bool allow) {
  allowAllUp_ = allow;
  if (groupIndex_ == 0 || !Parent())
    return;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto *other = dynamic_cast<TSpeedButton *>(Parent()->Controls(i)); other && other->groupIndex_ == groupIndex_)
      other->allowAllUp_ = allow;
}

void TSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !Parent())
    return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto *other = dynamic_cast<TSpeedButton *>(Parent()->Controls(i));
    if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
      other->down_ = false;
      other->Invalidate();
    }
  }
}

void TSpeedButton::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
  margin_ = margin;
  Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
  spacing_ = spacing;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && Enabled()) {
    dragging_ = true;
    pressed_ = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  if (dragging_) {
    const RECT client = ClientRect();
    const POINT at{x, y};
    const bool inside = PtInRect(&client, at) != 0;
    if (inside != pressed_) {
      pressed_ = inside;
      Invalidate();
    }
  }
  TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && dragging_) {
    dragging_ = false;
    const bool clicked = pressed_;
    pressed_ = false;
    Invalidate();
    if (clicked) {
      if (groupIndex_ != 0)
        SetDown(!down_);
      Click();
    }
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::MouseEnter() {
  hot_ = true;
  if (flat_)
    Invalidate();
}

void TSpeedButton::MouseLeave() {
  hot_ = false;
  if (flat_)
    Invalidate();
}

TButtonState TSpeedButton::State() const {
  if (!Enabled())
    return TButtonState::bsDisabled;
  if (pressed_)
    return TButtonState::bsDown;
  return down_ ? TButtonState::bsExclusive : TButtonState::bsUp;
}

void TSpeedButton::Paint() {
  TCanvas &canvas = Canvas();
  HDC dc = canvas.Handle();
  ScopedDCState state(dc);
  RECT rect = ClientRect();
  const bool sunken = pressed_ || down_;
  if (down_ && !pressed_ && Enabled()) {
    // A button that stays down shows the checked face: face and highlight
    // dots.
    static const WORD dots[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    OwnedBitmap pattern(CreateBitmap(8, 8, 1, 1, dots));
    OwnedBrush checked(pattern ? CreatePatternBrush(pattern.get()) : nullptr);
    SetTextColor(dc, GdiColor(clBtnFace));
    SetBkColor(dc, GdiColor(clBtnHighlight));
    if (checked)
      FillRect(dc, &rect, checked.get());
  } else if (!transparent_) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(rect);
  }
  if (!flat_)
    DrawEdge(dc, &rect, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  else if (sunken)
    DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
  else if (hot_ && Enabled())
    DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);

  RECT client = rect;
  InflateRect(&client, -2, -2);
  if (sunken)
    OffsetRect(&client, 1, 1);
  DrawGlyphAndCaption(canvas, client, glyph_.Frame(State()), Caption(), layout_, margin_, spacing_, Enabled());
}

} // namespace zorvex
