#pragma once
// Bitmap and colour transforms of the skin runtime: grey glyphs, mirrors and
// turns of skin images, colour blends and cached gradient fills.

#include <memory>
#include <vector>

#include "framework/core/Bitmap.h"
#include "framework/core/Color.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zorvex {

// In place, to 24 bits per pixel, each pixel the plain average of its channels.
void ConvertBitmapToGrayscale(TBitmap &bitmap);
// Mirrors left to right / top to bottom, in place.
void SpiegelnHorizontal(TBitmap &bitmap);
void SpiegelnVertikal(TBitmap &bitmap);
// Turns clockwise by 90, 180 and 270 degrees, in place.
void Drehen90Grad(TBitmap &bitmap);
void Drehen180Grad(TBitmap &bitmap);
void Drehen270Grad(TBitmap &bitmap);
// A copy turned 90 degrees counter-clockwise; none unless 24 bits per pixel.
std::unique_ptr<TBitmap> Rotate90(const TBitmap &bitmap);

// Mixes two colours: amount parts of color1 and the rest of color2, on a
// scale of 100 for amounts below 100 and of 1000 otherwise (150 is 15 %).
// System colours are resolved first.
TColor Blend(TColor color1, TColor color2, int amount);

// The n colours of a gradient from start to end (plain RGB), kept in a ring
// of 16 tables so that repainting the same gradient costs nothing.
std::vector<TColor> GradientColors(int n, TColor start, TColor end);

// The steps of a gradient laid over [from, from + n) that fall inside
// [clipFrom, clipTo): first and last step, first > last when none do.
struct GradientSpan {
  int first;
  int last;
};
GradientSpan GradientSteps(int from, int n, int clipFrom, int clipTo);

// Fills the rectangle [left, right) x [top, bottom) of the bitmap with a
// gradient, one line per step: rows when vertical, columns otherwise.
void GradFill(TBitmap &bitmap, int left, int top, int right, int bottom, TColor start, bool vertical, TColor end);

#ifdef _WIN32
// The same on a device context, painting only what its clip box shows.
void GradFill(HDC dc, const RECT &rect, TColor start, bool vertical, TColor end);
#endif

} // namespace zorvex
