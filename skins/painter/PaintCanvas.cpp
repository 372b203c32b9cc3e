#include "PaintCanvas.h"

#include <algorithm>
#include <cmath>

#include "framework/core/Exceptions.h"

namespace zorvex::paint {

namespace {

constexpr float Pi = 3.14159265f;

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

float SegmentDistance(float x, float y, float x0, float y0, float x1, float y1) {
  const float dx = x1 - x0, dy = y1 - y0;
  const float length = dx * dx + dy * dy;
  const float t = length > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / length, 0.0f, 1.0f) : 0.0f;
  return Length(x - x0 - t * dx, y - y0 - t * dy);
}

uint8_t Channel(float value) { return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 255.0f))); }

Rgb Along(const std::vector<Stop> &stops, float at) {
  if (stops.empty())
    return Rgb{};
  if (at <= stops.front().at)
    return stops.front().colour;
  for (size_t i = 1; i < stops.size(); ++i)
    if (at <= stops[i].at) {
      const float span = stops[i].at - stops[i - 1].at;
      return Mix(stops[i - 1].colour, stops[i].colour, span > 0 ? (at - stops[i - 1].at) / span : 1.0f);
    }
  return stops.back().colour;
}

} // namespace

Rgb Mix(Rgb from, Rgb to, float amount) {
  amount = std::clamp(amount, 0.0f, 1.0f);
  return Rgb{from.r + (to.r - from.r) * amount, from.g + (to.g - from.g) * amount, from.b + (to.b - from.b) * amount};
}

TColor ToColor(Rgb c) { return MakeColor(Channel(c.r), Channel(c.g), Channel(c.b)); }

Rgb FromColor(TColor color) {
  return Rgb{static_cast<float>(ColorRed(color)), static_cast<float>(ColorGreen(color)),
             static_cast<float>(ColorBlue(color))};
}

bool IsNearKey(TColor color) {
  return color != KeyColor && 255 - ColorRed(color) <= KeyFringeDistance && ColorGreen(color) <= KeyFringeDistance &&
         255 - ColorBlue(color) <= KeyFringeDistance;
}

// ---- Shapes

Shape Box(float x0, float y0, float x1, float y1) { return RoundBox(x0, y0, x1, y1, Radii{}); }

Shape RoundBox(float x0, float y0, float x1, float y1, float radius) {
  return RoundBox(x0, y0, x1, y1, Radii{radius, radius, radius, radius});
}

Shape RoundBox(float x0, float y0, float x1, float y1, Radii radii) {
  const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
  return [=](float x, float y) {
    const float r =
        x < cx ? (y < cy ? radii.topLeft : radii.bottomLeft) : (y < cy ? radii.topRight : radii.bottomRight);
    const float qx = std::abs(x - cx) - hx + r, qy = std::abs(y - cy) - hy + r;
    return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - r;
  };
}

Shape Circle(float cx, float cy, float radius) {
  return [=](float x, float y) { return Length(x - cx, y - cy) - radius; };
}

Shape Line(float x0, float y0, float x1, float y1, float width) {
  return [=](float x, float y) { return SegmentDistance(x, y, x0, y0, x1, y1) - width / 2; };
}

Shape Polyline(std::vector<std::pair<float, float>> points, float width) {
  return [points = std::move(points), half = width / 2](float x, float y) {
    float best = 1e9f;
    for (size_t i = 1; i < points.size(); ++i)
      best = std::min(
          best, SegmentDistance(x, y, points[i - 1].first, points[i - 1].second, points[i].first, points[i].second));
    return best - half;
  };
}

Shape Polygon(std::vector<std::pair<float, float>> points) {
  return [points = std::move(points)](float x, float y) {
    float best = 1e9f;
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const auto [ax, ay] = points[i];
      const auto [bx, by] = points[j];
      best = std::min(best, SegmentDistance(x, y, ax, ay, bx, by));
      if ((ay > y) != (by > y) && x < (bx - ax) * (y - ay) / (by - ay) + ax)
        inside = !inside;
    }
    return inside ? -best : best;
  };
}

Shape Arc(float cx, float cy, float radius, float width, float fromDegrees, float toDegrees) {
  const float from = fromDegrees * Pi / 180, to = toDegrees * Pi / 180;
  const float ex0 = cx + radius * std::cos(from), ey0 = cy + radius * std::sin(from);
  const float ex1 = cx + radius * std::cos(to), ey1 = cy + radius * std::sin(to);
  return [=](float x, float y) {
    float angle = std::atan2(y - cy, x - cx);
    while (angle < from)
      angle += 2 * Pi;
    if (angle <= to)
      return std::abs(Length(x - cx, y - cy) - radius) - width / 2;
    return std::min(Length(x - ex0, y - ey0), Length(x - ex1, y - ey1)) - width / 2;
  };
}

Shape Union(Shape a, Shape b) {
  return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Shape Intersect(Shape a, Shape b) {
  return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

Shape Subtract(Shape from, Shape cut) {
  return [=](float x, float y) { return std::max(from(x, y), -cut(x, y)); };
}

Shape Grow(Shape shape, float amount) {
  return [=](float x, float y) { return shape(x, y) - amount; };
}

Shape InnerStroke(Shape shape, float width) {
  return [=](float x, float y) {
    const float d = shape(x, y);
    return std::max(d, -(d + width));
  };
}

Shape Moved(Shape shape, float dx, float dy) {
  return [=](float x, float y) { return shape(x - dx, y - dy); };
}

// ---- Paints

Paint Solid(Rgb colour) {
  return [=](float, float) { return colour; };
}

Paint VerticalGradient(std::vector<Stop> stops) {
  return [stops = std::move(stops)](float, float y) { return Along(stops, y); };
}

Paint HorizontalGradient(std::vector<Stop> stops) {
  return [stops = std::move(stops)](float x, float) { return Along(stops, x); };
}

// ---- Canvas

Canvas::Canvas(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_)) {}

void Canvas::Fill(const Shape &shape, const Paint &paint, float opacity) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const float cx = static_cast<float>(x) + 0.5f, cy = static_cast<float>(y) + 0.5f;
      const float cover = std::clamp(0.5f - shape(cx, cy), 0.0f, 1.0f) * opacity;
      if (cover <= 0)
        continue;
      const Rgb colour = paint(cx, cy);
      Pixel &dst = At(x, y);
      // Straight-alpha "over".
      const float a = cover + dst.a * (1 - cover);
      const float keep = dst.a * (1 - cover);
      dst.r = (colour.r * cover + dst.r * keep) / a;
      dst.g = (colour.g * cover + dst.g * keep) / a;
      dst.b = (colour.b * cover + dst.b * keep) / a;
      dst.a = a;
    }
}

void Canvas::Place(const Canvas &picture, int x, int y) {
  for (int row = 0; row < picture.height_; ++row)
    for (int column = 0; column < picture.width_; ++column)
      if (x + column >= 0 && x + column < width_ && y + row >= 0 && y + row < height_)
        At(x + column, y + row) = picture.At(column, row);
}

Canvas Canvas::Cut(int x, int y, int width, int height) const {
  Canvas part(width, height);
  part.Place(*this, -x, -y);
  return part;
}

Rgb Canvas::ColourAt(int x, int y) const {
  const Pixel &p = At(x, y);
  return Rgb{p.r, p.g, p.b};
}

TBitmap Canvas::Flatten(const Paint &matte) const {
  TBitmap bitmap(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const Pixel &p = At(x, y);
      if (p.a < 0.5f) {
        bitmap.SetPixel(x, y, KeyColor);
        continue;
      }
      const TColor colour =
          ToColor(Mix(matte(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f), Rgb{p.r, p.g, p.b}, p.a));
      if (colour == KeyColor || IsNearKey(colour))
        throw Exception("a painted pixel at " + std::to_string(x) + ", " + std::to_string(y) +
                        " would read as the transparent key");
      bitmap.SetPixel(x, y, colour);
    }
  return bitmap;
}

namespace {
TBitmap Join(const std::vector<TBitmap> &frames, bool stacked) {
  if (frames.empty())
    return TBitmap();
  const int w = frames.front().Width(), h = frames.front().Height();
  const int count = static_cast<int>(frames.size());
  TBitmap strip(stacked ? w : w * count, stacked ? h * count : h);
  for (int i = 0; i < count; ++i) {
    if (frames[static_cast<size_t>(i)].Width() != w || frames[static_cast<size_t>(i)].Height() != h)
      throw Exception("the frames of one picture differ in size");
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        strip.SetPixel(stacked ? x : x + i * w, stacked ? y + i * h : y, frames[static_cast<size_t>(i)].GetPixel(x, y));
  }
  return strip;
}
} // namespace

TBitmap SideBySide(const std::vector<TBitmap> &frames) { return Join(frames, false); }
TBitmap Stacked(const std::vector<TBitmap> &frames) { return Join(frames, true); }

} // namespace zorvex::paint
