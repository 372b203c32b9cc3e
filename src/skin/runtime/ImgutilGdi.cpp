// The device-context half of the gradient fill (Windows only).
#include "Imgutil.h"

#include "framework/win/Handles.h"

namespace zorvex {

void GradFill(HDC dc, const RECT &rect, TColor start, bool vertical, TColor end) {
  if (!RectVisible(dc, &rect))
    return;
  const TColor from = ColorToRGB(start), to = ColorToRGB(end);
  const int n = vertical ? rect.bottom - rect.top : rect.right - rect.left;
  if (n <= 0)
    return;
  RECT clip;
  if (GetClipBox(dc, &clip) == ERROR)
    return;
  const GradientSpan span =
      vertical ? GradientSteps(rect.top, n, clip.top, clip.bottom) : GradientSteps(rect.left, n, clip.left, clip.right);
  const std::vector<TColor> colors = GradientColors(n, from, to);
  for (int i = span.first; i <= span.last; ++i) {
    const RECT line = vertical ? RECT{rect.left, rect.top + i, rect.right, rect.top + i + 1}
                               : RECT{rect.left + i, rect.top, rect.left + i + 1, rect.bottom};
    const OwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(colors[static_cast<size_t>(i)])));
    if (brush)
      FillRect(dc, &line, brush.get());
  }
}

} // namespace zorvex
