#pragma once
// The raised and lowered edges of panels in the skin's colours: the light
// and the shadow of an edge come from the face they stand on, so that they
// read on a black face as on a white one. Portable: the window-system half
// is the panel skinner in SkinButtons.

#include "framework/core/Bitmap.h"
#include "framework/core/Rect.h"

namespace zorvex {

struct TBevelColors {
  TColor Light;
  TColor Shadow;
};

// The light and shadow of an edge on `face`: a lighter and a darker shade of
// it. Where the face is too dark to darken (or too light to lighten) both
// go the other way, the light one further, so each still shows on the face.
TBevelColors BevelColorsFor(TColor face);

enum class TBevelKind { None, Lowered, Raised };

// A one-pixel edge along the rectangle's sides: raised lit at the top and
// left, lowered at the bottom and right. Returns the rectangle inside it
// (the same rectangle for no edge).
TRect DrawBevel(TBitmap &bitmap, const TRect &rect, TBevelKind kind, const TBevelColors &colors);

} // namespace zorvex
