#pragma once
// The pictures of bar-like controls (progress bars, tabs, headers, track bar
// thumbs, up-down buttons, status bars) composed from the skin's objects,
// and the frame each state of them shows. Portable: the window-system half
// is in SkinBars.

#include <cstdint>

#include "framework/core/Bitmap.h"
#include "framework/core/BitmapDraw.h"
#include "skin/data/SkinDataObjects.h"

namespace zorvex {

// How much of a bar `length` long the position fills, between min and max.
// Nothing for an empty or upside-down range; never past either end.
int ProgressFillLength(int length, int position, int min, int max);

// A progress bar `width` by `height` (its length runs across `width`; a
// vertical bar is composed lying down and turned afterwards, see below) on
// the background colour. Style 0: frame 1 of the object over the whole bar,
// frame 2 over the first `filled` pixels. Style 1: the one-frame image as
// the bar and the object's second image (the block) repeated along the
// filled part from the left margin, centred across, in whole blocks.
TBitmap ProgressPicture(const TDataSkinBorder &progress, int width, int height, int filled, TColor background);
// A stretch [Start, End) along a bar; it may run past either end.
struct TBarSpan {
  int Start = 0;
  int End = 0;
};
// The same with the filled picture over `span` only: a marquee's chunk.
// Style 0 draws frame 2 over the span as over a short filled bar (its ends
// cut by the bar's); style 1 shows the whole blocks that the span touches.
TBitmap ProgressPicture(const TDataSkinBorder &progress, int width, int height, TBarSpan span, TColor background);
// Ticks of a marquee's timer for one crossing of its chunk, whatever the
// bar's length: about two seconds at the system's 30 ms.
constexpr int MarqueeTicks = 75;
// Where a marquee bar `length` long shows its chunk after `tick` ticks of
// its timer: a quarter of the bar, entering at the start and moving on each
// tick until it has left at the end, then entering again.
TBarSpan MarqueeSpan(int length, int64_t tick);
// A picture composed lying down, stood up with its start at the bottom.
void StandUp(TBitmap &picture);

// Frames of the skin's tab picture: 1 normal, 2 selected, 3 hot,
// 4 disabled, 5 selected with the focus.
int TabFrame(bool selected, bool focused, bool hot, bool disabled);
// Which side of the page the tabs sit on.
enum class TTabSide { Top, Bottom, Left, Right };
// One tab, frame `frame` of the object's image, turned so that its top
// faces away from the page.
void DrawTab(TBitmap &dest, const TRect &rect, const TDataSkinObject &tabs, int frame, TTabSide side);
// The page under the tabs (the object's second image), turned the same way.
void DrawTabPage(TBitmap &dest, const TRect &rect, const TDataSkinBorder &tabs, TTabSide side);

// Frames of the header picture: 1 normal, 2 hot, 3 pressed, 4 sorted,
// 5 disabled.
int HeaderFrame(bool hot, bool pressed, bool sorted, bool disabled);
// Frames of the track bar thumbs: 1 normal, 2 hot, 3 pressed, 4 disabled,
// 5 focused.
int ThumbFrame(bool hot, bool pressed, bool focused, bool disabled);
// Frames of the up-down pictures: the first button (up, left) in 1-4, the
// second in 5-8, each normal, hot, pressed, disabled.
int UpDownFrame(bool second, bool hot, bool pressed, bool disabled);

// The status bar picture: frames 1 (the bar), 2 (a panel) and 3 (the size
// grip).
namespace StatusFrame {
constexpr int Bar = 1, Panel = 2, Grip = 3;
}

} // namespace zorvex
