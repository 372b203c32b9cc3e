#include "PanelPicture.h"

#include "Imgutil.h"
#include "framework/core/BitmapDraw.h"

namespace zorvex {

namespace {
// Below this contrast with the face an edge is lost on it.
constexpr double kVisibleContrast = 1.3;
} // namespace

TBevelColors BevelColorsFor(TColor face) {
  face = ColorToRGB(face);
  TBevelColors colors{Blend(clWhite, face, 50), Blend(clBlack, face, 40)};
  if (ContrastRatio(colors.Shadow, face) < kVisibleContrast)
    colors.Shadow = Blend(clWhite, face, 20);
  else if (ContrastRatio(colors.Light, face) < kVisibleContrast)
    colors.Light = Blend(clBlack, face, 12);
  return colors;
}

TRect DrawBevel(TBitmap &bitmap, const TRect &rect, TBevelKind kind, const TBevelColors &colors) {
  if (kind == TBevelKind::None || rect.IsEmpty())
    return rect;
  const TColor topLeft = kind == TBevelKind::Raised ? colors.Light : colors.Shadow;
  const TColor bottomRight = kind == TBevelKind::Raised ? colors.Shadow : colors.Light;
  const int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
  FillRect(bitmap, {l, t, r - 1, t + 1}, topLeft);
  FillRect(bitmap, {l, t, l + 1, b - 1}, topLeft);
  FillRect(bitmap, {r - 1, t, r, b}, bottomRight);
  FillRect(bitmap, {l, b - 1, r, b}, bottomRight);
  return {l + 1, t + 1, r - 1, b - 1};
}

} // namespace zorvex
