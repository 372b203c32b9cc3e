#pragma once
// Copying pictures between TBitmaps: 1:1, stretched the way GDI stretches
// with COLORONCOLOR (nearest pixel, no blending), tiled, and the nine-slice
// rule skins are drawn by (corners 1:1, edges stretched, centre tiled or
// stretched). Every copy may leave out one transparent key colour, and is
// clipped to both bitmaps, so no call reads or writes outside a picture.

#include <optional>

#include "Bitmap.h"
#include "Rect.h"

namespace zorvex {

// Widths of a picture's edges drawn unscaled.
struct TMargins {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// Frame `index` (from 1) of `frames` equal frames cut from the picture:
// side by side, or stacked from the top. Frame counts below 1 count as 1;
// empty when a frame would be narrower (lower) than one pixel or the index
// is out of range.
TRect FrameRect(const TBitmap &image, int frames, int index, bool stacked = false);

// src's rectangle onto dest's, stretched to its size by the nearest source
// pixel; pixels of `transparent` are left out.
void StretchCopy(TBitmap &dest, const TRect &destRect, const TBitmap &src, const TRect &srcRect,
                 std::optional<TColor> transparent = std::nullopt);

// src's rectangle repeated over dest's from its top-left corner.
void TileCopy(TBitmap &dest, const TRect &destRect, const TBitmap &src, const TRect &srcRect,
              std::optional<TColor> transparent = std::nullopt);

// The nine-slice rule: the corners of src's rectangle 1:1, its edges
// stretched along the target, its centre tiled (tileCentre) or stretched.
// Margins that do not fit the target's width (or height) together are taken
// as 0 in that direction. The right and bottom pieces go last, so they cover
// tiles that run over.
void DrawNineSlice(TBitmap &dest, const TRect &destRect, const TBitmap &src, const TRect &srcRect,
                   const TMargins &margins, bool tileCentre, std::optional<TColor> transparent = std::nullopt);

// Fills a rectangle of the bitmap (clipped) with one colour.
void FillRect(TBitmap &dest, const TRect &rect, TColor color);

} // namespace zorvex
