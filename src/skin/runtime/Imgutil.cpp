#include "Imgutil.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zorvex {

namespace {

// Builds the transformed copy pixel by pixel: `place` maps a source pixel
// (x, y) to its destination.
template <typename Place> TBitmap Transformed(const TBitmap &source, int width, int height, Place place) {
  TBitmap result(0, 0, source.PixelFormat());
  result.SetSize(width, height);
  const int bytes = source.BytesPerPixel();
  for (int y = 0; y < source.Height(); ++y) {
    const uint8_t *row = source.ScanLine(y);
    for (int x = 0; x < source.Width(); ++x) {
      const auto [dx, dy] = place(x, y);
      std::memcpy(result.ScanLine(dy) + dx * bytes, row + x * bytes, static_cast<size_t>(bytes));
    }
  }
  return result;
}

struct Point {
  int x;
  int y;
};

} // namespace

void ConvertBitmapToGrayscale(TBitmap &bitmap) {
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  for (int y = 0; y < bitmap.Height(); ++y) {
    uint8_t *p = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x, p += 3)
      p[0] = p[1] = p[2] = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
  }
}

void SpiegelnHorizontal(TBitmap &bitmap) {
  const int w = bitmap.Width();
  bitmap.Assign(Transformed(bitmap, w, bitmap.Height(), [w](int x, int y) { return Point{w - 1 - x, y}; }));
}

void SpiegelnVertikal(TBitmap &bitmap) {
  const int h = bitmap.Height();
  bitmap.Assign(Transformed(bitmap, bitmap.Width(), h, [h](int x, int y) { return Point{x, h - 1 - y}; }));
}

void Drehen180Grad(TBitmap &bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  bitmap.Assign(Transformed(bitmap, w, h, [w, h](int x, int y) { return Point{w - 1 - x, h - 1 - y}; }));
}

void Drehen90Grad(TBitmap &bitmap) {
  const int h = bitmap.Height();
  bitmap.Assign(Transformed(bitmap, h, bitmap.Width(), [h](int c, int r) { return Point{h - 1 - r, c}; }));
}

void Drehen270Grad(TBitmap &bitmap) {
  const int w = bitmap.Width();
  bitmap.Assign(Transformed(bitmap, bitmap.Height(), w, [w](int c, int r) { return Point{r, w - 1 - c}; }));
}

std::unique_ptr<TBitmap> Rotate90(const TBitmap &bitmap) {
  if (bitmap.PixelFormat() != TPixelFormat::pf24bit)
    return nullptr;
  const int w = bitmap.Width();
  return std::make_unique<TBitmap>(Transformed(bitmap, bitmap.Height(), w, [w](int c, int a) {
    return Point{a, w - 1 - c};
  }));
}

TColor Blend(TColor color1, TColor color2, int amount) {
  color1 = ColorToRGB(color1);
  color2 = ColorToRGB(color2);
  const int scale = amount < 100 ? 100 : 1000;
  auto mix = [&](int shift) {
    const int a = (color1 >> shift) & 0xFF;
    const int b = (color2 >> shift) & 0xFF;
    return ((a * amount + b * (scale - amount) + scale / 2) / scale) & 0xFF;
  };
  return static_cast<TColor>(mix(0) | (mix(8) << 8) | (mix(16) << 16));
}

std::vector<TColor> GradientColors(int n, TColor start, TColor end) {
  static std::array<std::vector<TColor>, 16> cache;
  static int nextSlot = 0;
  if (n <= 0)
    return {};
  for (int slot = 15; slot >= 0; --slot) {
    const auto &table = cache[static_cast<size_t>(slot)];
    if (static_cast<int>(table.size()) == n && table.front() == start && table.back() == end)
      return table;
  }
  std::vector<TColor> table(static_cast<size_t>(n));
  auto channel = [](TColor c, int shift) { return (c >> shift) & 0xFF; };
  for (int i = 0; i < n; ++i) {
    TColor value = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const int from = channel(start, shift), to = channel(end, shift);
      // One step gets the middle colour.
      const int c = n == 1 ? from + (to - from) / 2 : from + (i * (to - from) + (n - 1) / 2) / (n - 1);
      value |= (c & 0xFF) << shift;
    }
    table[static_cast<size_t>(i)] = value;
  }
  cache[static_cast<size_t>(nextSlot)] = table;
  nextSlot = (nextSlot + 1) % 16;
  return table;
}

GradientSpan GradientSteps(int from, int n, int clipFrom, int clipTo) {
  const int skippedBefore = std::max(0, clipFrom - from);
  const int skippedAfter = std::max(0, (from + n) - clipTo);
  return {skippedBefore, n - 1 - skippedAfter};
}

void GradFill(TBitmap &bitmap, int left, int top, int right, int bottom, TColor start, bool vertical, TColor end) {
  if (right <= 0 || bottom <= 0 || left >= bitmap.Width() || top >= bitmap.Height())
    return;
  const int n = vertical ? bottom - top : right - left;
  if (n <= 0)
    return;
  const std::vector<TColor> colors = GradientColors(n, ColorToRGB(start), ColorToRGB(end));
  const GradientSpan span =
      vertical ? GradientSteps(top, n, 0, bitmap.Height()) : GradientSteps(left, n, 0, bitmap.Width());
  for (int i = span.first; i <= span.last; ++i) {
    const TColor c = colors[static_cast<size_t>(i)];
    if (vertical) {
      for (int x = std::max(left, 0); x < std::min(right, bitmap.Width()); ++x)
        bitmap.SetPixel(x, top + i, c);
    } else {
      for (int y = std::max(top, 0); y < std::min(bottom, bitmap.Height()); ++y)
        bitmap.SetPixel(left + i, y, c);
    }
  }
}

} // namespace zorvex
