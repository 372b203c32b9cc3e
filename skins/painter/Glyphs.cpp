#include "Glyphs.h"

#include <algorithm>
#include <cmath>

namespace zorvex::paint {

namespace {

using Points = std::vector<std::pair<float, float>>;

// Turns points drawn pointing down so that they point in `direction`,
// around (cx, cy).
Points Pointing(Direction direction, float cx, float cy, Points down) {
  for (auto &[x, y] : down) {
    const float dx = x - cx, dy = y - cy;
    switch (direction) {
    case Direction::Down: break;
    case Direction::Up: y = cy - dy; break;
    case Direction::Left: x = cx - dy, y = cy + dx; break;
    case Direction::Right: x = cx + dy, y = cy + dx; break;
    }
  }
  return down;
}

// Straight strokes of whole pixels stay crisp.
float Crisp(float weight) { return std::max(1.0f, std::floor(weight)); }

// A window sign: outline and a title bar twice as heavy.
Shape WindowSign(float x0, float y0, float x1, float y1, float weight) {
  weight = Crisp(weight);
  return Union(InnerStroke(Box(x0, y0, x1, y1), weight), Box(x0, y0, x1, y0 + 2 * weight));
}

} // namespace

Shape CloseGlyph(float cx, float cy, float size, float weight) {
  const float h = (size - weight) / 2;
  return Union(Line(cx - h, cy - h, cx + h, cy + h, weight), Line(cx + h, cy - h, cx - h, cy + h, weight));
}

Shape MaximiseGlyph(float cx, float cy, float size, float weight) {
  return WindowSign(cx - size / 2, cy - size / 2, cx + size / 2, cy + size / 2, weight);
}

Shape RestoreGlyph(float cx, float cy, float size, float weight) {
  const float x0 = cx - size / 2, y0 = cy - size / 2, x1 = cx + size / 2, y1 = cy + size / 2;
  const float small = static_cast<float>(static_cast<int>(size * 0.72f + 0.5f));
  const Shape front = Box(x0, y1 - small, x0 + small, y1);
  const Shape back = WindowSign(x1 - small, y0, x1, y0 + small, weight);
  return Union(Subtract(back, front), WindowSign(x0, y1 - small, x0 + small, y1, weight));
}

Shape MinimiseGlyph(float cx, float cy, float size, float weight) {
  const float h = size / 2;
  return Box(cx - h, cy + h - 2 * Crisp(weight), cx + h, cy + h);
}

Shape HelpGlyph(float cx, float cy, float size, float weight) {
  const float r = size * 0.24f, top = cy - size * 0.18f;
  const float hook = 0.7071f * r;
  const Shape bend = Arc(cx, top, r, weight, 180, 405);
  const Shape stem = Polyline({{cx + hook, top + hook}, {cx, top + r + size * 0.08f}, {cx, cy + size * 0.2f}}, weight);
  return Union(Union(bend, stem), Circle(cx, cy + size * 0.42f, weight * 0.75f));
}

Shape ArrowGlyph(Direction direction, float cx, float cy, float size) {
  const float h = size / 2, q = size / 4;
  return Polygon(Pointing(direction, cx, cy, {{cx - h, cy - q}, {cx + h, cy - q}, {cx, cy + q}}));
}

Shape ChevronGlyph(Direction direction, float cx, float cy, float size, float weight) {
  const float h = (size - weight) / 2, q = size / 4;
  return Polyline(Pointing(direction, cx, cy, {{cx - h, cy - q}, {cx, cy + q}, {cx + h, cy - q}}), weight);
}

Shape CheckGlyph(float cx, float cy, float size, float weight) {
  return Polyline({{cx - size * 0.36f, cy + size * 0.02f},
                   {cx - size * 0.1f, cy + size * 0.28f},
                   {cx + size * 0.38f, cy - size * 0.3f}},
                  weight);
}

} // namespace zorvex::paint
