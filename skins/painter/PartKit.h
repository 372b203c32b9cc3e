#pragma once
// What the skin's pictures share: control states, the light from the top
// left, and the button face that push buttons, caption buttons, scroll
// arrows, thumbs and the like are all made of.

#include "PaintCanvas.h"
#include "SkinStyle.h"

namespace zorvex::paint {

enum class State { Normal, Hot, Pressed, Disabled, Focused, Default };

// How much a shape's edge at (x, y) faces the light: 1 toward the top left,
// -1 away from it.
float Facing(const Shape &shape, float x, float y);

// Colours a shape's rim by where it faces: `lit` toward the light, `unlit`
// away from it; hard switches halfway, otherwise blends.
Paint RimPaint(Shape shape, Rgb lit, Rgb unlit, bool hard);

// One ring `width` wide inside the shape's edge, lit from the top left.
void PaintRim(Canvas &canvas, const Shape &shape, float width, Rgb lit, Rgb unlit, bool hard);

// The two-line bevel of raised surfaces; `sunken` turns the light around.
void PaintBevel(Canvas &canvas, const Shape &shape, const SkinStyle &style, bool sunken);

// Where a surface's gradient runs: from `from` to `to` along y, or along x.
struct Span {
  float from, to;
  bool alongX = false;
};

// A button surface in the skin's relief: fill, rim and outline for the state.
void PaintButton(Canvas &canvas, const Shape &shape, const SkinStyle &style, State state, Span span);

// A sign (glyph) on a surface; disabled signs of raised skins are etched.
void PaintSign(Canvas &canvas, const Shape &sign, Rgb colour, const SkinStyle &style, State state);
// The colour of signs on buttons in a state.
Rgb SignColour(const SkinStyle &style, State state);

// The caption bar's colour along y (or x for a horizontal gradient),
// active or not, in the coordinates of the caption bar `width` wide.
Paint TitlePaint(const SkinStyle &style, bool active, float width);

// A picture of `count` frames, each painted by `frame(index)`.
template <typename PaintFrame> TBitmap Frames(int count, PaintFrame frame) {
  std::vector<TBitmap> frames;
  for (int i = 0; i < count; ++i)
    frames.push_back(frame(i));
  return SideBySide(frames);
}

} // namespace zorvex::paint
