#pragma once
// The layout of a skinned title bar: which caption buttons a window shows,
// where they and the caption text go, which frame of a button's picture
// stands for which state, and which button a point hits. Window-free, so the
// rules are tested without a window; the form skinner feeds it the window's
// state and draws what it answers.

#include <functional>
#include <string>
#include <vector>

#include "SkinFrame.h"
#include "framework/core/EnumSet.h"
#include "framework/core/Rect.h"
#include "skin/data/SkinDataObjects.h"

namespace zorvex {

enum class TSkinWindowState { swsNormal, swsMax, swsMin };
enum class TSkinFormIcon { sbiMax, sbiMin, sbisystem, sbicaption };
using TSkinFormIcons = EnumSet<TSkinFormIcon>;
enum class TSkinFormStyle { sfsNormal, sfsMDIform, sfsMDIChild, sfsChild };

// Caption button actions with a meaning of their own.
namespace SysAction {
constexpr int Close = 0;
constexpr int Maximize = 1;
constexpr int Minimize = 2;
constexpr int Icon = 3;
constexpr int ChildMinimize = 7;
constexpr int ChildRestore = 8;
constexpr int ChildClose = 9;
constexpr int IconAlt = 11;
constexpr int SystemMenu = 12;
constexpr int MaximizeAlt = 22;
constexpr int MinimizeAlt = 23;
constexpr int ChildMinimizeAlt = 60;
constexpr int ChildRestoreAlt = 61;
constexpr int ChildCloseAlt = 62;
} // namespace SysAction

// The button that shows the window's icon.
inline bool IsIconButton(int action) { return action == SysAction::Icon || action == SysAction::IconAlt; }

// Align 100: the buttons of a maximised child window, in the menu bar.
constexpr int AlignMenuBar = 100;

// What a caption button's visibility depends on.
struct TCaptionState {
  TSkinWindowState WindowState = TSkinWindowState::swsNormal;
  TSkinFormIcons Icons;
  bool Active = true;
  TSkinFormBorder Border = TSkinFormBorder::sbsSizeable;
  bool DialogBox = false;
  // An MDI main form whose active child is maximised, with a menu bar.
  bool ChildMaximizedInMenuBar = false;
  // Asks the window about a button with a visibility code from 1000 to
  // 2000 (by the button's index); such a button is hidden without it.
  std::function<bool(int index)> AskWindow;
};

bool CaptionButtonVisible(const TDataSkinSysButton &button, int index, const TCaptionState &state);

// A button's size: one frame of its picture.
TRect CaptionButtonFrameSize(const TDataSkinSysButton &button);

struct TCaptionGeometry {
  int WindowWidth = 0;
  TFrameMetrics Metrics;
  TRect CaptionText; // where the caption text lies (window coordinates)
  bool RightToLeft = false;
};

// Where a button goes, in window coordinates, by its Align: 0 at (Xcoord,
// Ycoord); 1 Xcoord from the right edge; 2 and 8 ending Xcoord before the
// caption text; 3 and 9 Xcoord after it; 100 in the menu bar, Xcoord from
// the right border (the left one for right-to-left windows).
TRect CaptionButtonRect(const TDataSkinSysButton &button, const TCaptionGeometry &geometry);
// The same for a button of another size (the icon button shows the window's icon).
TRect CaptionButtonRect(const TDataSkinSysButton &button, const TCaptionGeometry &geometry, int width, int height);

// Button states: 1 normal, 2 pressed, 3 hot.
constexpr int StateNormal = 1, StatePressed = 2, StateHot = 3;
// The frame a button shows at rest: 1, or 4 when the window is inactive and
// the picture has at least 4 frames.
int CaptionButtonRestFrame(const TDataSkinSysButton &button, bool active);
// The frame of a state; a menu-bar button shows frame 4 when hot.
int CaptionButtonStateFrame(const TDataSkinSysButton &button, int state);

// The caption text's place in the title bar.
struct TCaptionTextInput {
  int WindowWidth = 0;
  int TopHeight = 0;
  int TextWidth = 0; // measured in the caption font
  int TextHeight = 0;
  bool RightToLeft = false;
  bool Popup = false;        // WS_POPUP: the text stops before the right-anchored buttons
  bool DialogBorder = false; // dialog frames have no icon: left-aligned text moves left
  int LeftmostRightButton = 0; // left edge of the leftmost right-anchored button, 0 without one
};
struct TCaptionTextPlace {
  TRect Back; // the text strip, caps included (before clipping)
  TRect Text; // where the text is drawn, clipped at the right limit
};
TCaptionTextPlace CaptionTextPlace(const TDataSkinTitle &title, const TCaptionTextInput &input);

// The caption as drawn: two blanks, the window text, one blank.
template <typename Text> Text CaptionText(const Text &windowText) {
  Text caption(2, ' ');
  caption += windowText;
  caption += ' ';
  return caption;
}

// The first visible button under the point (window coordinates) whose
// action is not negative; -1 for none. rects and visible run in parallel
// with the buttons.
int FindCaptionButton(const std::vector<const TDataSkinSysButton *> &buttons, const std::vector<TRect> &rects,
                      const std::vector<bool> &visible, int x, int y);

// What a non-client hit test answers over a skinned caption: the system's
// answer unless it is nowhere or the caption, then the caption more than 3
// pixels below the top and the menu bar below the title bar.
enum class TNcHit { Other, Caption, Menu };
TNcHit CaptionHitTest(bool systemSaysNowhereOrCaption, int y, int topHeight, bool hasMenuBar);

} // namespace zorvex
