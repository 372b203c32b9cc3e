#include "SkinCaption.h"

#include <algorithm>


namespace zorvex {

namespace {

// One column of the visibility table; `second` picks the Visibility1 column.
bool VisibilityHolds(int code, int index, int action, const TCaptionState &s, bool second) {
  const bool maxBox = s.Icons.Contains(TSkinFormIcon::sbiMax);
  const bool minBox = s.Icons.Contains(TSkinFormIcon::sbiMin);
  const bool sysMenu = s.Icons.Contains(TSkinFormIcon::sbisystem);
  switch (code) {
  case 0: return second || action != SysAction::Close || sysMenu;
  case 1: return s.WindowState == TSkinWindowState::swsMax;
  case 2: return s.WindowState != TSkinWindowState::swsMax;
  case 3: return s.Active;
  case 4: return !s.Active;
  case 6: return maxBox && (second || sysMenu);
  case 7: return !maxBox;
  case 8: return minBox && (second || sysMenu);
  case 9: return !minBox;
  case AlignMenuBar: return s.ChildMaximizedInMenuBar;
  case 200: return s.Border == TSkinFormBorder::sbsDialog && !s.DialogBox;
  default: break;
  }
  if (code >= 201 && code <= 999)
    return true;
  if (code >= 1000 && code <= 2000)
    return second || (s.AskWindow && s.AskWindow(index));
  return false; // -1 and anything unknown
}

bool ActionAllows(int action, const TCaptionState &s) {
  switch (action) {
  case SysAction::Maximize: return s.Icons.Contains(TSkinFormIcon::sbiMax);
  case SysAction::Minimize: return s.Icons.Contains(TSkinFormIcon::sbiMin);
  case SysAction::Icon:
  case SysAction::IconAlt:
  case SysAction::SystemMenu: return s.Border != TSkinFormBorder::sbsDialog;
  default: return true;
  }
}

} // namespace

bool CaptionButtonVisible(const TDataSkinSysButton &button, int index, const TCaptionState &state) {
  return VisibilityHolds(button.Visibility, index, button.Action, state, false) &&
         VisibilityHolds(button.Visibility1, index, button.Action, state, true) && ActionAllows(button.Action, state);
}

TRect CaptionButtonFrameSize(const TDataSkinSysButton &button) {
  const TRect frame = button.FrameOf(1);
  return {0, 0, frame.Width(), frame.Height()};
}

TRect CaptionButtonRect(const TDataSkinSysButton &button, const TCaptionGeometry &g) {
  const TRect size = CaptionButtonFrameSize(button);
  return CaptionButtonRect(button, g, size.Width(), size.Height());
}

TRect CaptionButtonRect(const TDataSkinSysButton &button, const TCaptionGeometry &g, int w, int h) {
  int left = button.Xcoord;
  int top = button.Ycoord;
  switch (button.Align) {
  case 1: left = g.WindowWidth - button.Xcoord; break;
  case 2:
  case 8: left = g.CaptionText.Left - button.Xcoord - w; break;
  case 3:
  case 9: left = g.CaptionText.Right + button.Xcoord; break;
  case AlignMenuBar:
    left = g.RightToLeft ? g.Metrics.Left + button.Xcoord - w : g.WindowWidth - g.Metrics.Right - button.Xcoord;
    top = g.Metrics.Top + (g.Metrics.MenuBar - h) / 2;
    break;
  default: break;
  }
  return Bounds(left, top, w, h);
}

int CaptionButtonRestFrame(const TDataSkinSysButton &button, bool active) {
  return (!active && button.Frame >= 4) ? 4 : 1;
}

int CaptionButtonStateFrame(const TDataSkinSysButton &button, int state) {
  if (button.Align == AlignMenuBar && state == StateHot)
    return 4;
  return state;
}

TCaptionTextPlace CaptionTextPlace(const TDataSkinTitle &title, const TCaptionTextInput &in) {
  const int shift = title.LeftWidth;     // TextShift
  const int shiftVert = title.TopHeight; // TextShiftVert
  const int rightClip = title.RightWidth; // TextRightClip
  const int width = in.TextWidth + title.TXTBackleft + title.TXTBackRight;
  int left;
  if (in.RightToLeft || title.TextAlignment == 2)
    left = in.WindowWidth - rightClip - width;
  else if (title.TextAlignment == 1)
    left = (in.WindowWidth - width) / 2;
  else
    left = shift;
  if (in.DialogBorder && !in.RightToLeft && title.TextAlignment == 0)
    left -= 16;
  const int top = (in.TopHeight - in.TextHeight) / 2 + shiftVert / 2;

  int limit = in.WindowWidth - rightClip;
  if (in.Popup && in.LeftmostRightButton > 5)
    limit = std::min(limit, in.LeftmostRightButton - 5);

  TCaptionTextPlace place;
  place.Back = Bounds(left, top, width, in.TextHeight);
  place.Text = {left + title.TXTBackleft, top, std::min(left + width - title.TXTBackRight, limit),
                top + in.TextHeight};
  return place;
}

int FindCaptionButton(const std::vector<const TDataSkinSysButton *> &buttons, const std::vector<TRect> &rects,
                      const std::vector<bool> &visible, int x, int y) {
  const size_t count = std::min({buttons.size(), rects.size(), visible.size()});
  for (size_t i = 0; i < count; ++i) {
    const TRect &r = rects[i];
    if (visible[i] && buttons[i]->Action >= 0 && x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
      return static_cast<int>(i);
  }
  return -1;
}

TNcHit CaptionHitTest(bool systemSaysNowhereOrCaption, int y, int topHeight, bool hasMenuBar) {
  if (!systemSaysNowhereOrCaption)
    return TNcHit::Other;
  if (hasMenuBar && y >= topHeight)
    return TNcHit::Menu;
  if (y > 3)
    return TNcHit::Caption;
  return TNcHit::Other;
}

} // namespace zorvex
