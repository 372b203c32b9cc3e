#pragma once
// The skin painter's drawing surface. Shapes are signed distance functions
// (negative inside, in pixels), so every edge is anti-aliased from the
// distance at the pixel's centre and outlines are plain distance bands.
// A canvas holds colour and coverage; flattening it into a bitmap blends
// partly covered pixels with a colour of the skin (the matte: what the
// picture will be drawn on) and turns uncovered pixels into the exact
// transparent key, so no edge ever fades toward magenta.

#include <functional>
#include <string>
#include <vector>

#include "framework/core/Bitmap.h"

namespace zorvex::paint {

// A colour with channels from 0 to 255.
struct Rgb {
  float r = 0, g = 0, b = 0;
};

Rgb Mix(Rgb from, Rgb to, float amount);
inline Rgb Lighter(Rgb c, float amount) { return Mix(c, Rgb{255, 255, 255}, amount); }
inline Rgb Darker(Rgb c, float amount) { return Mix(c, Rgb{0, 0, 0}, amount); }
TColor ToColor(Rgb c);
Rgb FromColor(TColor color);

// The transparent key of skin pictures, and the distance (largest channel
// difference) under which a picture colour counts as a fringe of it.
constexpr TColor KeyColor = clFuchsia;
constexpr int KeyFringeDistance = 48;
// True when the colour is not the key but close enough to read as pink next
// to a cut edge.
bool IsNearKey(TColor color);

using Shape = std::function<float(float x, float y)>;
using Paint = std::function<Rgb(float x, float y)>;

// ---- Shapes (x to the right, y down, pixel (i, j) centred at i + .5, j + .5)

struct Radii {
  float topLeft = 0, topRight = 0, bottomRight = 0, bottomLeft = 0;
};
Shape Box(float x0, float y0, float x1, float y1);
Shape RoundBox(float x0, float y0, float x1, float y1, float radius);
Shape RoundBox(float x0, float y0, float x1, float y1, Radii radii);
Shape Circle(float cx, float cy, float radius);
// A line with round ends, `width` thick.
Shape Line(float x0, float y0, float x1, float y1, float width);
// Connected lines with round joints.
Shape Polyline(std::vector<std::pair<float, float>> points, float width);
Shape Polygon(std::vector<std::pair<float, float>> points);
// A ring part between two angles in degrees (0 right, 90 down), `width` thick.
Shape Arc(float cx, float cy, float radius, float width, float fromDegrees, float toDegrees);

Shape Union(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape from, Shape cut);
// The shape grown (negative: shrunk) by `amount` pixels.
Shape Grow(Shape shape, float amount);
// The band `width` wide just inside the shape's edge.
Shape InnerStroke(Shape shape, float width);
Shape Moved(Shape shape, float dx, float dy);

// ---- Paints

Paint Solid(Rgb colour);
// Colour stops along y (vertical) or x, at positions given in pixels.
struct Stop {
  float at;
  Rgb colour;
};
Paint VerticalGradient(std::vector<Stop> stops);
Paint HorizontalGradient(std::vector<Stop> stops);

// ---- Canvas

class Canvas {
public:
  Canvas(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Paints the shape over what is there, `opacity` scaling its coverage.
  void Fill(const Shape &shape, const Paint &paint, float opacity = 1.0f);
  void Fill(const Shape &shape, Rgb colour, float opacity = 1.0f) { Fill(shape, Solid(colour), opacity); }
  // Copies another canvas's pixels (colour and coverage) to (x, y).
  void Place(const Canvas &picture, int x, int y);
  // A new canvas of the part of this one at (x, y).
  Canvas Cut(int x, int y, int width, int height) const;

  float Coverage(int x, int y) const { return At(x, y).a; }
  Rgb ColourAt(int x, int y) const;

  // Pixels at least half covered become their colour over the matte;
  // the others become the key. Throws when a kept pixel comes out within
  // the key's fringe distance: such a colour has no place in a skin.
  TBitmap Flatten(const Paint &matte) const;
  TBitmap Flatten(Rgb matte) const { return Flatten(Solid(matte)); }

private:
  struct Pixel {
    float r = 0, g = 0, b = 0, a = 0;
  };
  Pixel &At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  const Pixel &At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  int width_, height_;
  std::vector<Pixel> pixels_;
};

// Frames of equal size put side by side (control images, side borders) or
// stacked (top and bottom borders, title strips, the menu bar).
TBitmap SideBySide(const std::vector<TBitmap> &frames);
TBitmap Stacked(const std::vector<TBitmap> &frames);

} // namespace zorvex::paint
