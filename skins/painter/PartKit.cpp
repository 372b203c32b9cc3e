#include "PartKit.h"

#include <algorithm>
#include <cmath>

namespace zorvex::paint {

float Facing(const Shape &shape, float x, float y) {
  constexpr float step = 0.35f;
  const float gx = shape(x + step, y) - shape(x - step, y);
  const float gy = shape(x, y + step) - shape(x, y - step);
  const float length = std::sqrt(gx * gx + gy * gy);
  if (length < 1e-6f)
    return 0;
  // The outward normal against the direction the light comes from.
  return -(gx + gy) / (length * 1.41421356f);
}

Paint RimPaint(Shape shape, Rgb lit, Rgb unlit, bool hard) {
  return [=](float x, float y) {
    const float facing = Facing(shape, x, y);
    if (hard)
      return facing > 0.01f ? lit : unlit;
    const float t = std::clamp(facing * 0.5f + 0.5f, 0.0f, 1.0f);
    return Mix(unlit, lit, t * t * (3 - 2 * t));
  };
}

void PaintRim(Canvas &canvas, const Shape &shape, float width, Rgb lit, Rgb unlit, bool hard) {
  canvas.Fill(InnerStroke(shape, width), RimPaint(shape, lit, unlit, hard));
}

void PaintBevel(Canvas &canvas, const Shape &shape, const SkinStyle &style, bool sunken) {
  const Rgb soft = Mix(style.face, style.light, 0.5f);
  const Shape inner = Grow(shape, -1);
  if (sunken) {
    PaintRim(canvas, shape, 1, style.shadow, style.light, true);
    PaintRim(canvas, inner, 1, style.darkShadow, soft, true);
  } else {
    PaintRim(canvas, shape, 1, style.light, style.darkShadow, true);
    PaintRim(canvas, inner, 1, soft, style.shadow, true);
  }
}

namespace {

struct ButtonColours {
  Rgb top, bottom, edge;
};

ButtonColours ColoursFor(const SkinStyle &s, State state) {
  switch (state) {
  case State::Hot:
    return {Mix(s.buttonTop, s.light, 0.45f), Mix(s.buttonBottom, s.accent, 0.12f),
            Mix(s.buttonBorder, s.accent, 0.6f)};
  case State::Pressed:
    return {Darker(s.buttonBottom, 0.1f), Mix(s.buttonTop, s.buttonBottom, 0.5f), Darker(s.buttonBorder, 0.12f)};
  case State::Disabled:
    return {Mix(s.buttonTop, s.face, 0.6f), Mix(s.buttonBottom, s.face, 0.6f), Mix(s.buttonBorder, s.face, 0.5f)};
  case State::Focused: return {s.buttonTop, s.buttonBottom, Mix(s.buttonBorder, s.accent, 0.75f)};
  case State::Default: return {s.buttonTop, s.buttonBottom, s.accent};
  case State::Normal: break;
  }
  return {s.buttonTop, s.buttonBottom, s.buttonBorder};
}

} // namespace

void PaintButton(Canvas &canvas, const Shape &shape, const SkinStyle &style, State state, Span span) {
  if (style.relief == Relief::Raised) {
    canvas.Fill(shape, state == State::Hot ? Lighter(style.face, 0.18f) : style.face);
    if (state == State::Default) {
      canvas.Fill(InnerStroke(shape, 1), style.darkShadow);
      PaintBevel(canvas, Grow(shape, -1), style, false);
    } else {
      PaintBevel(canvas, shape, style, state == State::Pressed);
    }
    return;
  }
  const ButtonColours c = ColoursFor(style, state);
  if (style.relief == Relief::Flat) {
    canvas.Fill(shape, Mix(c.top, c.bottom, 0.5f));
  } else {
    std::vector<Stop> stops = {{span.from, c.top}, {span.to, c.bottom}};
    canvas.Fill(shape, span.alongX ? HorizontalGradient(std::move(stops)) : VerticalGradient(std::move(stops)));
    const Shape inside = Grow(shape, -1);
    if (state == State::Pressed)
      canvas.Fill(InnerStroke(inside, 1), RimPaint(inside, Darker(c.top, 0.12f), c.bottom, false));
    else if (state != State::Disabled)
      canvas.Fill(InnerStroke(inside, 1), RimPaint(inside, Lighter(c.top, 0.55f), c.bottom, false), 0.8f);
  }
  canvas.Fill(InnerStroke(shape, 1), c.edge);
  if (state == State::Default)
    canvas.Fill(InnerStroke(Grow(shape, -1), 1), style.accent, 0.45f);
}

Rgb SignColour(const SkinStyle &style, State state) {
  return state == State::Disabled ? Mix(style.text, style.face, 0.55f) : style.text;
}

void PaintSign(Canvas &canvas, const Shape &sign, Rgb colour, const SkinStyle &style, State state) {
  if (state == State::Disabled && style.relief == Relief::Raised) {
    canvas.Fill(Moved(sign, 1, 1), style.light);
    canvas.Fill(sign, style.shadow);
    return;
  }
  canvas.Fill(sign, colour);
}

Paint TitlePaint(const SkinStyle &style, bool active, float width) {
  const Rgb top = active ? style.titleTop : style.inactiveTop;
  const Rgb bottom = active ? style.titleBottom : style.inactiveBottom;
  if (style.horizontalTitle)
    return HorizontalGradient({{0, top}, {width, bottom}});
  return VerticalGradient({{0, top}, {static_cast<float>(style.titleHeight), bottom}});
}

} // namespace zorvex::paint
