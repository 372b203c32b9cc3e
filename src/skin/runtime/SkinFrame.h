#pragma once
// The skinned frame of a window as pixels: the widths of the four borders a
// skin gives, the borders drawn by the nine-slice rule into one picture of
// the whole window, and the window shape cut from their magenta pixels.
// Nothing here needs a window: the form skinner composes the frame here and
// copies it to the screen in one step.

#include <vector>

#include "framework/core/Bitmap.h"
#include "framework/core/Rect.h"
#include "skin/data/Winskindata.h"

namespace zorvex {

// How a window's frame is drawn.
enum class TSkinFormBorder { sbsSizeable, sbsSingle, sbsNone, sbsDialog };

// The skin's frame around the client area, in pixels.
struct TFrameMetrics {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int MenuBar = 0; // the menu bar strip under the title bar, 0 without one

  constexpr bool operator==(const TFrameMetrics &) const = default;
};

// The border widths of the skin: a side border's frame width, the top and
// bottom borders' frame heights; all 0 for a window without a border.
TFrameMetrics SkinFrameMetrics(const TSkinData &skin, TSkinFormBorder border);

// The parts of the frame, in window coordinates for a window of that size:
// the side borders run the whole height, the bottom border and the title bar
// lie between them.
struct TFrameParts {
  TRect LeftBorder;
  TRect RightBorder;
  TRect BottomBorder;
  TRect TitleBar;  // the top border's place
  TRect MenuBar;   // empty without a menu bar
  TRect Client;    // inside the borders and under the menu bar
};
TFrameParts FrameParts(int width, int height, const TFrameMetrics &metrics);

enum class TBorderSide { Left = 1, Right = 2, Top = 3, Bottom = 4 };

// One border cut to `rect` of dest by the nine-slice rule: frame 1 when
// active, 2 when inactive (1 for a one-frame border), frames stacked for the
// top and bottom borders, the centre stretched when the border's stretch
// value is 1 and tiled otherwise.
void DrawBorder(TBitmap &dest, const TRect &rect, const TDataSkinBorder &border, TBorderSide side, bool active);

// The three side parts (left, right, bottom) and the top border into dest,
// which must be the window's size. The client area is left as it is.
void ComposeFrame(TBitmap &dest, const TSkinData &skin, const TFrameMetrics &metrics, bool active);

// Rectangles one row high, one per run of pixels of `area` that are not the
// key colour (each channel from the key's up to the key's + tolerance,
// capped at 255), moved by the offset. Rows top first, runs left first.
std::vector<TRect> OpaqueRuns(const TBitmap &bitmap, const TRect &area, TColor key, int tolerance, int offsetX = 0,
                              int offsetY = 0);

// The window shape as rectangles in window coordinates, or nothing when the
// window keeps its whole rectangle (no border lets anything through). frame
// is the composed frame (ComposeFrame, with the title bar's caption and
// buttons drawn in, so that they count too). A border counts by its magenta
// pixels only when its transparency value is 1 and it is thicker than one
// pixel; otherwise it counts whole. A window without a border keeps only the
// area inside the frame.
struct TWindowShape {
  bool Whole = true;
  std::vector<TRect> Rects;
};
TWindowShape WindowShape(const TBitmap &frame, const TSkinData &skin, const TFrameMetrics &metrics,
                         TSkinFormBorder border);

} // namespace zorvex
