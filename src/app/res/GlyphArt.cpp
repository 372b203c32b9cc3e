// Paints the program's button glyphs, the menu glyphs and the icon and
// writes them as BMP and ICO files for the resource compiler:
// zorvex-glyph-art <output folder>.
//
// Shapes are filled with 4x4 supersampling, so edges are smooth. Button
// glyphs are 32-bit with a straight alpha channel; fully transparent pixels
// are magenta, the key colour of glyph drawing without alpha (the
// bottom-left pixel). The menu glyphs are one 24-bit strip painted on white,
// the transparent colour of the image list that shows them.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/Bitmap.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

namespace {

struct Rgba {
  float r, g, b, a;
};

Rgba Hex(uint32_t rgb, float alpha = 1.0f) {
  return Rgba{((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, alpha};
}

Rgba Mix(Rgba a, Rgba b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return Rgba{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

using Shape = std::function<bool(float x, float y)>;
using Paint = std::function<Rgba(float x, float y)>;

class Canvas {
public:
  Canvas(int width, int height) : width_(width), height_(height), pixels_(static_cast<size_t>(width * height)) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  const Rgba &At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }

  void Fill(const Shape &shape, const Paint &paint) {
    constexpr int n = 4;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) {
        int inside = 0;
        for (int sy = 0; sy < n; ++sy)
          for (int sx = 0; sx < n; ++sx)
            inside += shape(x + (sx + 0.5f) / n, y + (sy + 0.5f) / n) ? 1 : 0;
        if (inside == 0)
          continue;
        Rgba source = paint(x + 0.5f, y + 0.5f);
        source.a *= static_cast<float>(inside) / (n * n);
        Over(pixels_[static_cast<size_t>(y * width_ + x)], source);
      }
  }
  void Fill(const Shape &shape, Rgba color) {
    Fill(shape, [color](float, float) { return color; });
  }
  // Cuts a shape out (what was painted there becomes transparent).
  void Clear(const Shape &shape) {
    constexpr int n = 4;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) {
        int inside = 0;
        for (int sy = 0; sy < n; ++sy)
          for (int sx = 0; sx < n; ++sx)
            inside += shape(x + (sx + 0.5f) / n, y + (sy + 0.5f) / n) ? 1 : 0;
        pixels_[static_cast<size_t>(y * width_ + x)].a *= 1.0f - static_cast<float>(inside) / (n * n);
      }
  }

private:
  static void Over(Rgba &dst, const Rgba &src) {
    const float a = src.a + dst.a * (1 - src.a);
    if (a <= 0) {
      dst = Rgba{0, 0, 0, 0};
      return;
    }
    dst.r = (src.r * src.a + dst.r * dst.a * (1 - src.a)) / a;
    dst.g = (src.g * src.a + dst.g * dst.a * (1 - src.a)) / a;
    dst.b = (src.b * src.a + dst.b * dst.a * (1 - src.a)) / a;
    dst.a = a;
  }
  int width_, height_;
  std::vector<Rgba> pixels_;
};

// ---- Shapes

struct Pt {
  float x, y;
};

Shape Rect(float x0, float y0, float x1, float y1) {
  return [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Shape Circle(float cx, float cy, float r) {
  return [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape Ring(float cx, float cy, float inner, float outer) {
  return [=](float x, float y) {
    const float d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    return d <= outer * outer && d >= inner * inner;
  };
}

Shape RoundRect(float x0, float y0, float x1, float y1, float r) {
  return [=](float x, float y) {
    if (x < x0 || x >= x1 || y < y0 || y >= y1)
      return false;
    const float cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
  };
}

float SegmentDistance(float x, float y, Pt a, Pt b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float length = dx * dx + dy * dy;
  float t = length > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / length : 0;
  t = std::clamp(t, 0.0f, 1.0f);
  const float px = a.x + t * dx - x, py = a.y + t * dy - y;
  return std::sqrt(px * px + py * py);
}

// A line with round ends, `halfWidth` either side of the segment.
Shape Capsule(Pt a, Pt b, float halfWidth) {
  return [=](float x, float y) { return SegmentDistance(x, y, a, b) <= halfWidth; };
}

Shape Polygon(std::vector<Pt> points) {
  return [points = std::move(points)](float x, float y) {
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Pt &a = points[i], &b = points[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
        inside = !inside;
    }
    return inside;
  };
}

// The outline of a closed polygon, `width` wide on its edges.
Shape Outline(std::vector<Pt> points, float width) {
  return [points = std::move(points), half = width / 2](float x, float y) {
    for (size_t i = 0; i < points.size(); ++i)
      if (SegmentDistance(x, y, points[i], points[(i + 1) % points.size()]) <= half)
        return true;
    return false;
  };
}

Shape RectOutline(float x0, float y0, float x1, float y1, float width = 1.0f) {
  return Outline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, width);
}

// Part of a ring between two angles in degrees (0 = right, 90 = down).
Shape Arc(float cx, float cy, float inner, float outer, float from, float to) {
  return [=](float x, float y) {
    const float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
    if (d < inner || d > outer)
      return false;
    float angle = std::atan2(y - cy, x - cx) * 180.0f / 3.14159265f;
    while (angle < from)
      angle += 360;
    return angle <= to;
  };
}

Shape Union(Shape a, Shape b) {
  return [=](float x, float y) { return a(x, y) || b(x, y); };
}

Shape Within(Shape a, Shape clip) {
  return [=](float x, float y) { return a(x, y) && clip(x, y); };
}

// Top-to-bottom gradient over [y0, y1].
Paint Vertical(Rgba top, Rgba bottom, float y0, float y1) {
  return [=](float, float y) { return Mix(top, bottom, (y - y0) / (y1 - y0)); };
}

// Light from the top left over a disc.
Paint Lit(Rgba light, Rgba dark, float cx, float cy, float r) {
  return [=](float x, float y) {
    const float t = ((x - cx) + (y - cy)) / (2 * r) + 0.5f;
    return Mix(light, dark, t);
  };
}

// ---- Glyphs

Canvas Folder() {
  Canvas c(16, 16);
  const std::vector<Pt> back = {{1.5f, 2.5f}, {6.0f, 2.5f}, {7.5f, 4.5f}, {14.5f, 4.5f}, {14.5f, 13.5f}, {1.5f, 13.5f}};
  c.Fill(Polygon(back), Hex(0xD9A02A));
  c.Fill(Outline(back, 1), Hex(0x8A5F0E));
  const std::vector<Pt> front = {{1.5f, 13.5f}, {3.5f, 7.5f}, {15.5f, 7.5f}, {13.5f, 13.5f}};
  c.Fill(Polygon(front), Vertical(Hex(0xFFE38A), Hex(0xF0B840), 7.5f, 13.5f));
  c.Fill(Outline(front, 1), Hex(0x8A5F0E));
  return c;
}

Canvas FlagEnglish() {
  Canvas c(28, 18);
  const Shape flag = Rect(0, 0, 28, 18);
  c.Fill(flag, Hex(0x12307E));
  c.Fill(Within(Union(Capsule({0, 0}, {28, 18}, 2.4f), Capsule({0, 18}, {28, 0}, 2.4f)), flag), Hex(0xFFFFFF));
  c.Fill(Within(Union(Capsule({0, 0}, {28, 18}, 0.8f), Capsule({0, 18}, {28, 0}, 0.8f)), flag), Hex(0xCF142B));
  c.Fill(Union(Rect(0, 6, 28, 12), Rect(11, 0, 17, 18)), Hex(0xFFFFFF));
  c.Fill(Union(Rect(0, 7.3f, 28, 10.7f), Rect(12.3f, 0, 15.7f, 18)), Hex(0xCF142B));
  c.Fill(RectOutline(0.5f, 0.5f, 27.5f, 17.5f), Hex(0x202020, 0.55f));
  return c;
}

Canvas FlagFrench() {
  Canvas c(28, 18);
  c.Fill(Rect(0, 0, 9.33f, 18), Hex(0x1450A8));
  c.Fill(Rect(9.33f, 0, 18.67f, 18), Hex(0xFFFFFF));
  c.Fill(Rect(18.67f, 0, 28, 18), Hex(0xE8313A));
  c.Fill(RectOutline(0.5f, 0.5f, 27.5f, 17.5f), Hex(0x202020, 0.55f));
  return c;
}

Canvas Help() {
  Canvas c(18, 18);
  c.Fill(Circle(9, 9, 8.4f), Hex(0x0E3F85));
  c.Fill(Circle(9, 9, 7.6f), Lit(Hex(0x6AA8F0), Hex(0x1A58B8), 9, 9, 7.6f));
  const Rgba white = Hex(0xFFFFFF);
  c.Fill(Arc(9, 6.9f, 1.9f, 3.6f, 185, 400), white);
  c.Fill(Capsule({11.0f, 9.0f}, {9.0f, 10.3f}, 0.85f), white);
  c.Fill(Capsule({9.0f, 10.3f}, {9.0f, 11.2f}, 0.85f), white);
  c.Fill(Circle(9, 13.7f, 1.15f), white);
  return c;
}

Canvas Skin() {
  Canvas c(16, 16);
  const Shape palette = Union(Circle(7.6f, 8.2f, 7.0f), Circle(11.5f, 10.5f, 3.2f));
  c.Fill(palette, Hex(0x7A5526));
  c.Fill(Union(Circle(7.6f, 8.2f, 6.0f), Circle(11.5f, 10.5f, 2.3f)), Hex(0xEAC68E));
  c.Clear(Circle(10.3f, 11.2f, 1.7f));
  c.Fill(Ring(10.3f, 11.2f, 1.7f, 2.5f), Hex(0x7A5526));
  c.Fill(Circle(4.6f, 6.0f, 1.55f), Hex(0xE02828));
  c.Fill(Circle(8.3f, 4.2f, 1.55f), Hex(0x22A040));
  c.Fill(Circle(11.7f, 6.3f, 1.55f), Hex(0x2858E0));
  c.Fill(Circle(4.2f, 10.0f, 1.55f), Hex(0xF0C020));
  return c;
}

// A bin `size` pixels high, drawn from its top-left corner.
void Bin(Canvas &c, float x, float y, float size) {
  const float s = size / 28.0f;
  auto P = [&](float px, float py) { return Pt{x + px * s, y + py * s}; };
  const Rgba line = Hex(0x3E4A58);
  const float stroke = std::max(1.0f, 1.1f * s);
  const std::vector<Pt> body = {P(7, 9), P(21, 9), P(19.5f, 25.5f), P(8.5f, 25.5f)};
  c.Fill(Polygon(body), Vertical(Hex(0xC4CFDA), Hex(0x7E8C9C), y + 9 * s, y + 25.5f * s));
  c.Fill(Outline(body, stroke), line);
  for (float rib : {11.0f, 14.0f, 17.0f})
    c.Fill(Capsule(P(rib, 11.8f), P(rib + (rib - 14.0f) * -0.06f, 23.0f), 0.55f * s + 0.15f), Hex(0x4E5A68));
  c.Fill(Outline({P(11.5f, 5.5f), P(11.5f, 3.5f), P(16.5f, 3.5f), P(16.5f, 5.5f)}, stroke), line);
  c.Fill(RoundRect(x + 5.0f * s, y + 5.0f * s, x + 23.0f * s, y + 9.0f * s, 1.2f * s), line);
  c.Fill(RoundRect(x + 6.0f * s, y + 6.0f * s, x + 22.0f * s, y + 8.0f * s, 0.8f * s), Hex(0x9AA8B8));
}

Canvas Recycle() {
  Canvas c(28, 28);
  Bin(c, 0, 0, 28);
  return c;
}

Canvas RecycleAll() {
  Canvas c(18, 18);
  Bin(c, -1.5f, 0.5f, 18.5f);
  const std::vector<Pt> warning = {{13.2f, 0.6f}, {17.6f, 8.6f}, {8.8f, 8.6f}};
  c.Fill(Polygon(warning), Hex(0xE52222));
  c.Fill(Outline(warning, 0.9f), Hex(0x8A0000));
  c.Fill(Capsule({13.2f, 3.3f}, {13.2f, 5.6f}, 0.6f), Hex(0xFFFFFF));
  c.Fill(Circle(13.2f, 7.2f, 0.65f), Hex(0xFFFFFF));
  return c;
}

Canvas Print() {
  Canvas c(16, 16);
  const Rgba line = Hex(0x505050);
  c.Fill(Rect(4.5f, 1.5f, 11.5f, 6.5f), Hex(0xFFFFFF));
  c.Fill(RectOutline(4.5f, 1.5f, 11.5f, 6.5f), Hex(0x707070));
  c.Fill(RoundRect(1, 5, 15, 12, 1.5f), line);
  c.Fill(RoundRect(2, 6, 14, 11, 1.0f), Vertical(Hex(0xE4E4E4), Hex(0x9C9C9C), 6, 11));
  c.Fill(Circle(12.2f, 7.7f, 0.8f), Hex(0x30C040));
  c.Fill(Rect(4.5f, 9.5f, 11.5f, 14.5f), Hex(0xFFFFFF));
  c.Fill(RectOutline(4.5f, 9.5f, 11.5f, 14.5f), Hex(0x707070));
  c.Fill(Capsule({6, 11.5f}, {10, 11.5f}, 0.4f), Hex(0x9AA0A8));
  c.Fill(Capsule({6, 13}, {10, 13}, 0.4f), Hex(0x9AA0A8));
  return c;
}

Canvas Save() {
  Canvas c(16, 16);
  c.Fill(RoundRect(1, 1, 15, 15, 1.2f), Hex(0x1A3A70));
  c.Fill(RoundRect(2, 2, 14, 14, 0.6f), Vertical(Hex(0x4478CC), Hex(0x2A569E), 2, 14));
  c.Fill(Rect(4.5f, 2, 11.5f, 6.5f), Hex(0xD2D7DE));
  c.Fill(Rect(9, 2.8f, 10.6f, 5.6f), Hex(0x2A569E));
  c.Fill(Rect(3.5f, 8.5f, 12.5f, 14), Hex(0xFFFFFF));
  c.Fill(Capsule({5, 10.5f}, {11, 10.5f}, 0.4f), Hex(0x9AA6B8));
  c.Fill(Capsule({5, 12.3f}, {11, 12.3f}, 0.4f), Hex(0x9AA6B8));
  return c;
}

Canvas Start() {
  Canvas c(18, 18);
  c.Fill(Circle(9, 9, 8.4f), Hex(0x146A20));
  c.Fill(Circle(9, 9, 7.5f), Lit(Hex(0x62DA70), Hex(0x1C8A2C), 9, 9, 7.5f));
  c.Fill(Polygon({{6.8f, 5.0f}, {13.4f, 9.0f}, {6.8f, 13.0f}}), Hex(0xFFFFFF));
  return c;
}

Canvas Abort() {
  Canvas c(18, 18);
  c.Fill(Circle(9, 9, 8.4f), Hex(0x8A1010));
  c.Fill(Circle(9, 9, 7.5f), Lit(Hex(0xF87070), Hex(0xC01818), 9, 9, 7.5f));
  c.Fill(Union(Capsule({6.0f, 6.0f}, {12.0f, 12.0f}, 1.25f), Capsule({12.0f, 6.0f}, {6.0f, 12.0f}, 1.25f)),
         Hex(0xFFFFFF));
  return c;
}

Canvas Open() {
  Canvas c(28, 28);
  const std::vector<Pt> page = {{5.5f, 2.5f}, {16.5f, 2.5f}, {21.5f, 7.5f}, {21.5f, 25.5f}, {5.5f, 25.5f}};
  c.Fill(Polygon(page), Hex(0xFFFFFF));
  c.Fill(Outline(page, 1), Hex(0x5A6A80));
  const std::vector<Pt> fold = {{16.5f, 2.5f}, {16.5f, 7.5f}, {21.5f, 7.5f}};
  c.Fill(Polygon(fold), Hex(0xD8E0EA));
  c.Fill(Outline(fold, 1), Hex(0x5A6A80));
  for (float y : {11.0f, 14.0f, 17.0f})
    c.Fill(Capsule({8.5f, y}, {18.5f, y}, 0.5f), Hex(0xA8B4C4));
  // The arrow that opens it, with a white rim so that it stands out.
  const std::vector<Pt> head = {{25.5f, 10.0f}, {24.0f, 19.0f}, {16.5f, 11.5f}};
  c.Fill(Union(Capsule({12.0f, 23.5f}, {21.5f, 14.0f}, 2.9f), Outline(head, 2.6f)), Hex(0xFFFFFF));
  c.Fill(Union(Capsule({12.0f, 23.5f}, {21.0f, 14.5f}, 1.6f), Polygon(head)), Hex(0x1E66D0));
  return c;
}

Canvas Close() {
  Canvas c(12, 12);
  c.Fill(Union(Capsule({2.5f, 2.5f}, {9.5f, 9.5f}, 1.25f), Capsule({9.5f, 2.5f}, {2.5f, 9.5f}, 1.25f)), Hex(0xB81C1C));
  return c;
}

Canvas Ok() {
  Canvas c(16, 16);
  c.Fill(Union(Capsule({2.6f, 8.6f}, {6.2f, 12.2f}, 1.4f), Capsule({6.2f, 12.2f}, {13.4f, 3.6f}, 1.4f)), Hex(0x1E9E2E));
  return c;
}

// ---- Menu glyphs, 16 x 16 each: restore, maximise, minimise, close

const Rgba kMenuInk = Hex(0x1E2A38);

// A window outline with a thick title bar, on whole pixels so that it stays crisp.
void WindowFrame(Canvas &c, float x0, float y0, float x1, float y1) {
  c.Fill(RectOutline(x0, y0, x1, y1), kMenuInk);
  c.Fill(Rect(x0 - 0.5f, y0 - 0.5f, x1 + 0.5f, y0 + 2.5f), kMenuInk);
}

Canvas MenuRestore() {
  Canvas c(16, 16);
  WindowFrame(c, 5.5f, 2.5f, 13.5f, 9.5f);
  // The front window hides what lies behind it.
  c.Clear(Rect(2.0f, 6.0f, 11.0f, 14.0f));
  WindowFrame(c, 2.5f, 6.5f, 10.5f, 13.5f);
  return c;
}

Canvas MenuMaximize() {
  Canvas c(16, 16);
  WindowFrame(c, 2.5f, 2.5f, 13.5f, 13.5f);
  return c;
}

Canvas MenuMinimize() {
  Canvas c(16, 16);
  c.Fill(Rect(4.0f, 11.0f, 12.0f, 13.0f), kMenuInk);
  return c;
}

Canvas MenuClose() {
  Canvas c(16, 16);
  c.Fill(Union(Capsule({4.0f, 4.0f}, {12.0f, 12.0f}, 1.05f), Capsule({12.0f, 4.0f}, {4.0f, 12.0f}, 1.05f)), kMenuInk);
  return c;
}

// The program's icon: two pages and a magnifier showing that they are equal.
Canvas Icon(int size) {
  Canvas c(size, size);
  const float s = size / 48.0f;
  const float stroke = std::max(1.0f, 1.4f * s);
  auto R = [&](float x0, float y0, float x1, float y1, float r) {
    return RoundRect(x0 * s, y0 * s, x1 * s, y1 * s, r * s);
  };
  const Rgba edge = Hex(0x4E6F98);
  c.Fill(R(5, 3, 30, 36, 2.5f), edge);
  c.Fill(RoundRect(5 * s + stroke, 3 * s + stroke, 30 * s - stroke, 36 * s - stroke, 1.5f * s), Hex(0xD4E4F7));
  c.Fill(R(14, 9, 40, 43, 2.5f), edge);
  c.Fill(RoundRect(14 * s + stroke, 9 * s + stroke, 40 * s - stroke, 43 * s - stroke, 1.5f * s), Hex(0xFFFFFF));
  if (size >= 32)
    for (float y : {15.0f, 19.0f})
      c.Fill(Capsule({18 * s, y * s}, {35 * s, y * s}, 0.9f * s), Hex(0xB4C2D4));
  c.Fill(Capsule({35 * s, 35 * s}, {44 * s, 44 * s}, 3.2f * s), Hex(0x203A60));
  c.Fill(Circle(28 * s, 28 * s, 10.5f * s), Hex(0x2B5FA8));
  c.Fill(Circle(28 * s, 28 * s, 8.0f * s), Lit(Hex(0xE6F5FF), Hex(0xA8D6FA), 28 * s, 28 * s, 8 * s));
  c.Fill(Capsule({24 * s, 26 * s}, {32 * s, 26 * s}, 1.3f * s), Hex(0x2B5FA8));
  c.Fill(Capsule({24 * s, 30.5f * s}, {32 * s, 30.5f * s}, 1.3f * s), Hex(0x2B5FA8));
  return c;
}

// ---- Files

uint8_t Channel(float value) { return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255)); }

// 32 bits with the alpha channel; fully transparent pixels are magenta.
zorvex::TBitmap WithAlpha(const Canvas &c) {
  zorvex::TBitmap bitmap(c.Width(), c.Height(), zorvex::TPixelFormat::pf32bit);
  for (int y = 0; y < c.Height(); ++y) {
    uint8_t *row = bitmap.ScanLine(y);
    for (int x = 0; x < c.Width(); ++x, row += 4) {
      const Rgba &p = c.At(x, y);
      const uint8_t alpha = Channel(p.a);
      if (alpha == 0) {
        row[0] = 0xFF, row[1] = 0x00, row[2] = 0xFF, row[3] = 0; // magenta key
        continue;
      }
      row[0] = Channel(p.b), row[1] = Channel(p.g), row[2] = Channel(p.r), row[3] = alpha;
    }
  }
  return bitmap;
}

// Canvases side by side over white, 24 bits.
zorvex::TBitmap StripOnWhite(const std::vector<Canvas> &images) {
  int width = 0, height = 0;
  for (const Canvas &c : images) {
    width += c.Width();
    height = std::max(height, c.Height());
  }
  zorvex::TBitmap strip(width, height);
  strip.Fill(zorvex::clWhite);
  int left = 0;
  for (const Canvas &c : images) {
    for (int y = 0; y < c.Height(); ++y) {
      uint8_t *row = strip.ScanLine(y) + 3 * left;
      for (int x = 0; x < c.Width(); ++x, row += 3) {
        const Rgba p = c.At(x, y);
        row[0] = Channel(p.b * p.a + (1 - p.a)), row[1] = Channel(p.g * p.a + (1 - p.a)),
        row[2] = Channel(p.r * p.a + (1 - p.a));
      }
    }
    left += c.Width();
  }
  return strip;
}

void WriteIco(const std::string &path, const std::vector<Canvas> &images) {
  std::vector<std::vector<uint8_t>> entries;
  for (const Canvas &c : images) {
    // The bitmap as a BMP file without its file header, twice as high (the
    // colour rows, then the AND mask: 1 where transparent, rows padded to 32
    // bits).
    zorvex::TMemoryStream bmp;
    WithAlpha(c).SaveToStream(bmp);
    std::vector<uint8_t> dib(bmp.Bytes().begin() + 14, bmp.Bytes().end());
    const uint32_t doubled = static_cast<uint32_t>(c.Height() * 2);
    for (int i = 0; i < 4; ++i)
      dib[8 + i] = static_cast<uint8_t>(doubled >> (8 * i));
    const int stride = ((c.Width() + 31) / 32) * 4;
    for (int y = c.Height() - 1; y >= 0; --y) {
      std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
      for (int x = 0; x < c.Width(); ++x)
        if (c.At(x, y).a <= 0.5f / 255)
          row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
      dib.insert(dib.end(), row.begin(), row.end());
    }
    entries.push_back(std::move(dib));
  }
  std::vector<uint8_t> out;
  auto put16 = [&out](uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  };
  auto put32 = [&put16](uint32_t v) {
    put16(v & 0xFFFF);
    put16(v >> 16);
  };
  put16(0);
  put16(1);
  put16(static_cast<uint32_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<uint8_t>(images[i].Width() % 256));
    out.push_back(static_cast<uint8_t>(images[i].Height() % 256));
    out.push_back(0);
    out.push_back(0);
    put16(1);
    put16(32);
    put32(static_cast<uint32_t>(entries[i].size()));
    put32(offset);
    offset += static_cast<uint32_t>(entries[i].size());
  }
  for (const auto &entry : entries)
    out.insert(out.end(), entry.begin(), entry.end());
  zorvex::TFileStream file(path, zorvex::fm::Create);
  file.WriteBuffer(out.data(), static_cast<int64_t>(out.size()));
  file.Close();
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zorvex-glyph-art <output folder>\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  struct Glyph {
    const char *name;
    Canvas (*paint)();
  };
  const Glyph glyphs[] = {
      {"folder", Folder},
      {"flag_en", FlagEnglish},
      {"flag_fr", FlagFrench},
      {"help", Help},
      {"skin", Skin},
      {"recycle", Recycle},
      {"recycle_all", RecycleAll},
      {"print", Print},
      {"save", Save},
      {"start", Start},
      {"abort", Abort},
      {"open", Open},
      {"close", Close},
      {"ok", Ok},
  };
  try {
    for (const Glyph &glyph : glyphs)
      WithAlpha(glyph.paint()).SaveToFile(folder + glyph.name + ".bmp");
    WithAlpha(Icon(32)).SaveToFile(folder + "logo.bmp");
    StripOnWhite({MenuRestore(), MenuMaximize(), MenuMinimize(), MenuClose()}).SaveToFile(folder + "menu_glyphs.bmp");
    WriteIco(folder + "zorvex.ico", {Icon(16), Icon(32), Icon(48)});
  } catch (const zorvex::Exception &error) {
    std::fprintf(stderr, "zorvex-glyph-art: %s\n", error.Message().c_str());
    return 1;
  }
  return 0;
}
