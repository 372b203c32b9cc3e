#include "BitmapDraw.h"

#include <algorithm>
#include <cstdint>

namespace zorvex {

namespace {

// Calls put(dx, dy) for every pixel of rect that lies inside the bitmap.
template <typename Put> void ForEachPixel(const TBitmap &dest, const TRect &rect, Put put) {
  const int left = std::max(rect.Left, 0), right = std::min(rect.Right, dest.Width());
  const int top = std::max(rect.Top, 0), bottom = std::min(rect.Bottom, dest.Height());
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      put(x, y);
}

// Copies one pixel; false positions (outside src) and the key are skipped.
void CopyPixel(TBitmap &dest, int dx, int dy, const TBitmap &src, int sx, int sy, const std::optional<TColor> &key) {
  if (sx < 0 || sy < 0 || sx >= src.Width() || sy >= src.Height())
    return;
  const uint8_t *from = src.ScanLine(sy) + sx * src.BytesPerPixel();
  if (key && MakeColor(from[2], from[1], from[0]) == *key)
    return;
  uint8_t *to = dest.ScanLine(dy) + dx * dest.BytesPerPixel();
  to[0] = from[0];
  to[1] = from[1];
  to[2] = from[2];
}

std::optional<TColor> Resolved(std::optional<TColor> key) {
  if (key)
    key = ColorToRGB(*key);
  return key;
}

} // namespace

TRect FrameRect(const TBitmap &image, int frames, int index, bool stacked) {
  frames = std::max(frames, 1);
  if (index < 1 || index > frames)
    return {};
  if (stacked) {
    const int height = image.Height() / frames;
    return height < 1 ? TRect{} : TRect{0, height * (index - 1), image.Width(), height * index};
  }
  const int width = image.Width() / frames;
  return width < 1 ? TRect{} : TRect{width * (index - 1), 0, width * index, image.Height()};
}

void StretchCopy(TBitmap &dest, const TRect &destRect, const TBitmap &src, const TRect &srcRect,
                 std::optional<TColor> transparent) {
  const int64_t dw = destRect.Width(), dh = destRect.Height();
  const int64_t sw = srcRect.Width(), sh = srcRect.Height();
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
    return;
  const auto key = Resolved(transparent);
  // The source pixel under the centre of each target pixel.
  ForEachPixel(dest, destRect, [&](int x, int y) {
    const int sx = srcRect.Left + static_cast<int>(((x - destRect.Left) * 2 + 1) * sw / (2 * dw));
    const int sy = srcRect.Top + static_cast<int>(((y - destRect.Top) * 2 + 1) * sh / (2 * dh));
    CopyPixel(dest, x, y, src, sx, sy, key);
  });
}

void TileCopy(TBitmap &dest, const TRect &destRect, const TBitmap &src, const TRect &srcRect,
              std::optional<TColor> transparent) {
  const int sw = srcRect.Width(), sh = srcRect.Height();
  if (sw <= 0 || sh <= 0)
    return;
  const auto key = Resolved(transparent);
  ForEachPixel(dest, destRect, [&](int x, int y) {
    CopyPixel(dest, x, y, src, srcRect.Left + (x - destRect.Left) % sw, srcRect.Top + (y - destRect.Top) % sh, key);
  });
}

void DrawNineSlice(TBitmap &dest, const TRect &destRect, const TBitmap &src, const TRect &srcRect,
                   const TMargins &margins, bool tileCentre, std::optional<TColor> transparent) {
  int l = std::max(margins.Left, 0), r = std::max(margins.Right, 0);
  int t = std::max(margins.Top, 0), b = std::max(margins.Bottom, 0);
  if (destRect.Width() < l + r || srcRect.Width() < l + r)
    l = r = 0;
  if (destRect.Height() < t + b || srcRect.Height() < t + b)
    t = b = 0;
  const int dl = destRect.Left, dt = destRect.Top, dr = destRect.Right, db = destRect.Bottom;
  const int sl = srcRect.Left, st = srcRect.Top, sr = srcRect.Right, sb = srcRect.Bottom;
  auto piece = [&](TRect to, TRect from) { StretchCopy(dest, to, src, from, transparent); };
  piece({dl, dt, dl + l, dt + t}, {sl, st, sl + l, st + t});
  piece({dl, db - b, dl + l, db}, {sl, sb - b, sl + l, sb});
  piece({dr - r, dt, dr, dt + t}, {sr - r, st, sr, st + t});
  piece({dl, dt + t, dl + l, db - b}, {sl, st + t, sl + l, sb - b});
  piece({dl + l, dt, dr - r, dt + t}, {sl + l, st, sr - r, st + t});
  const TRect centre{dl + l, dt + t, dr - r, db - b}, centreFrom{sl + l, st + t, sr - r, sb - b};
  if (tileCentre)
    TileCopy(dest, centre, src, centreFrom, transparent);
  else
    piece(centre, centreFrom);
  piece({dr - r, db - b, dr, db}, {sr - r, sb - b, sr, sb});
  piece({dr - r, dt + t, dr, db - b}, {sr - r, st + t, sr, sb - b});
  piece({dl + l, db - b, dr - r, db}, {sl + l, sb - b, sr - r, sb});
}

void FillRect(TBitmap &dest, const TRect &rect, TColor color) {
  color = ColorToRGB(color);
  const uint8_t blue = static_cast<uint8_t>(ColorBlue(color)), green = static_cast<uint8_t>(ColorGreen(color)),
                red = static_cast<uint8_t>(ColorRed(color));
  ForEachPixel(dest, rect, [&](int x, int y) {
    uint8_t *p = dest.ScanLine(y) + x * dest.BytesPerPixel();
    p[0] = blue;
    p[1] = green;
    p[2] = red;
  });
}

} // namespace zorvex
