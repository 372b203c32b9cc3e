#pragma once
// The pictures of the window frame: borders, caption strip, caption
// buttons, the buttons of a maximised child window and the menus. Frames go
// side by side unless a comment says they are stacked; each comment gives
// the frame order and size, which the margins in a skin's INI follow.

#include "SkinStyle.h"

namespace zorvex::paint {

// The four borders, cut from one painted window edge so that they meet
// without a seam. Frames: 1 active, 2 inactive. The side borders are
// `borderWidth` wide and `SideHeight` high, their ends `titleHeight` and
// `SideBottom` high; the top border (stacked, `titleHeight` high) and the
// bottom border (stacked, `bottomHeight` high) are `EdgeWidth` wide with
// ends `EdgeEnd` wide. Where the window's corners are cut the pixels are the
// transparent key.
struct Borders {
  TBitmap left, right, top, bottom;
};
Borders PaintBorders(const SkinStyle &style);
int SideBottom(const SkinStyle &style);
int SideHeight(const SkinStyle &style);
int EdgeEnd(const SkinStyle &style);
int EdgeWidth(const SkinStyle &style);

// The strip behind the caption text, stacked: 1 active, 2 inactive. Each
// frame is 2 x CaptionStripCap + 8 wide and CaptionStripHeight high.
constexpr int CaptionStripCap = 8;
TBitmap PaintCaptionStrip(const SkinStyle &style);
int CaptionStripHeight(const SkinStyle &style);

enum class CaptionSign { Close, Maximise, Restore, Minimise, Help };
// Frames 1 normal, 2 pressed, 3 hot, 4 inactive window; each
// captionButtonWidth x captionButtonHeight.
TBitmap PaintCaptionButton(const SkinStyle &style, CaptionSign sign);

// The buttons of a maximised child window, shown in the menu bar: minimise,
// restore, close, four frames each (1 normal, 2 pressed, 3 inactive,
// 4 hot), each frame ChildButtonWidth x ChildButtonHeight.
constexpr int ChildButtonWidth = 16, ChildButtonHeight = 14;
TBitmap PaintChildButtons(const SkinStyle &style);

// Stacked: 1 active, 2 inactive; each MenuBarWidth x MenuBarHeight and even
// along its length, so any end widths suit it.
constexpr int MenuBarWidth = 16, MenuBarHeight = 20;
TBitmap PaintMenuBar(const SkinStyle &style);

// 1 normal item, 2 separator (on the key), 3 disabled item under the mouse,
// 4 selected item, 5 pressed item; each MenuItemWidth x MenuItemHeight,
// margins MenuItemMargin.
constexpr int MenuItemWidth = 24, MenuItemHeight = 20, MenuItemMargin = 4;
TBitmap PaintMenuItem(const SkinStyle &style);

// One frame MenuFrameSize square; its outer MenuFrameRing pixels are the
// popup menu's edge.
constexpr int MenuFrameSize = 24, MenuFrameRing = 3;
TBitmap PaintMenuBackground(const SkinStyle &style);

} // namespace zorvex::paint
