#pragma once
// One function per skin picture. Frames go side by side unless a comment
// says they are stacked; each comment gives the frame order and size. The
// margins a skin's INI gives each picture follow the sizes named here.

#include "SkinStyle.h"

namespace zorvex::paint {

// ---- The window frame (FrameParts.cpp)

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

// ---- Controls (ControlParts.cpp)

// 1 normal, 2 pressed, 3 disabled, 4 hot or focused, 5 default button;
// each PushButtonSize square with PushButtonMargin margins.
constexpr int PushButtonSize = 24, PushButtonMargin = 6;
TBitmap PaintPushButton(const SkinStyle &style);

// checkSize square frames. 4 frames: unchecked, checked, each normal then
// disabled. 8 and 12 frames: unchecked, checked (and mixed), each in the
// states normal, hot, pressed, disabled.
TBitmap PaintCheckBox(const SkinStyle &style);
// The same orders with a dot, radioFrames frames.
TBitmap PaintRadioButton(const SkinStyle &style);

// Style 0: 1 the empty bar, 2 the filled part (on the key outside the fill);
// style 1: the empty bar alone. Frames ProgressWidth x ProgressHeight,
// margins ProgressMargin.
constexpr int ProgressWidth = 24, ProgressHeight = 16, ProgressMargin = 4;
TBitmap PaintProgress(const SkinStyle &style);
// Style 1's block, repeated along the filled part.
constexpr int ChunkWidth = 9, ChunkHeight = 8;
TBitmap PaintProgressChunk(const SkinStyle &style);

// 1 normal, 2 disabled; GroupEdgeSize square, margins GroupEdgeMargin, the
// inside on the key.
constexpr int GroupEdgeSize = 16, GroupEdgeMargin = 5;
TBitmap PaintGroupEdge(const SkinStyle &style);
// The plate behind a group box's caption: GroupLabelWidth x GroupLabelHeight,
// end margins GroupLabelEnd.
constexpr int GroupLabelWidth = 24, GroupLabelHeight = 18, GroupLabelEnd = 8;
TBitmap PaintGroupLabel(const SkinStyle &style);

// 1 normal, 2 selected, 3 hot, 4 disabled, 5 selected with the focus; each
// TabWidth x TabHeight, margins TabSide (left, right, top) and TabFoot.
constexpr int TabWidth = 24, TabHeight = 22, TabSide = 6, TabFoot = 3;
TBitmap PaintTabs(const SkinStyle &style);
// The page under the tabs: TabPageSize square, margins TabPageMargin.
constexpr int TabPageSize = 24, TabPageMargin = 4;
TBitmap PaintTabPage(const SkinStyle &style);

// 1 the bar, 2 a panel, 3 the size grip; each StatusWidth x StatusHeight,
// margins StatusMargin.
constexpr int StatusWidth = 24, StatusHeight = 22, StatusMargin = 4;
TBitmap PaintStatusBar(const SkinStyle &style);

// Combo boxes: the button (no arrow), the field's edge and the arrow on the
// key, in the states 1 normal, 2 hot, 3 pressed, 4 disabled (the arrows add
// 5, the list open). The button is ComboButtonWidth x ComboHeight with
// margins ComboButtonEnd (left) and ComboMargin; the edge ComboEdgeWidth x
// ComboHeight with margins ComboMargin.
constexpr int ComboButtonWidth = 18, ComboEdgeWidth = 16, ComboHeight = 21, ComboButtonEnd = 3, ComboMargin = 4;
TBitmap PaintComboButton(const SkinStyle &style);
TBitmap PaintSunkenEdge(const SkinStyle &style);
TBitmap PaintComboArrows(const SkinStyle &style);

// 1 normal, 2 hot, 3 pressed, 4 sorted, 5 disabled; each HeaderWidth x
// HeaderHeight, margins HeaderMargin.
constexpr int HeaderWidth = 24, HeaderHeight = 20, HeaderMargin = 4;
TBitmap PaintHeader(const SkinStyle &style);

// 23 frames scrollSize square: the arrows left (1-4), right (5-8), up (9-12)
// and down (13-16), each normal, pressed, hot, disabled, on the key; then
// 17 horizontal track, 18 vertical track, 19 horizontal thumb, 20 vertical
// thumb, 21 horizontal thumb hot, 22 vertical thumb hot, 23 the corner
// between two scroll bars.
TBitmap PaintScrollBar(const SkinStyle &style);
// 1 normal, 2 hot, 3 disabled, 4 pressed; ScrollTrackLength along the bar,
// scrollSize across, margins ScrollTrackEnd at both ends.
constexpr int ScrollTrackLength = 16, ScrollTrackEnd = 2;
TBitmap PaintScrollTrack(const SkinStyle &style, bool horizontal);
// 1 normal, 2 dragged, 3 hot, on the key; ScrollThumbLength along the bar,
// margins ScrollThumbEnd along it and ScrollThumbSide across.
constexpr int ScrollThumbLength = 24, ScrollThumbEnd = 7, ScrollThumbSide = 4;
TBitmap PaintScrollThumb(const SkinStyle &style, bool horizontal);

// Track bar thumbs: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 focused, on
// the key. Plain thumbs (ticks on both sides) and pointers; those of
// horizontal bars TrackThumbWidth x TrackThumbLength, of vertical bars
// turned.
enum class TrackThumb { Horizontal, Vertical, Left, Right, Up, Down };
constexpr int TrackThumbWidth = 11, TrackThumbLength = 20;
TBitmap PaintTrackThumb(const SkinStyle &style, TrackThumb kind);

// Up-down buttons: the first button (up or left) in frames 1-4, the second
// in 5-8, each normal, hot, pressed, disabled; UpDownLength x UpDownWidth
// (vertical: the length across), margins UpDownMargin. The signs come as a
// second picture of the same frames, on the key.
constexpr int UpDownLength = 16, UpDownWidth = 11, UpDownMargin = 3;
TBitmap PaintUpDown(const SkinStyle &style, bool vertical);
TBitmap PaintUpDownSigns(const SkinStyle &style, bool vertical);

} // namespace zorvex::paint
