#include "skin/runtime/SkinCaption.h"
#include "skin/runtime/SkinFrame.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {

constexpr TColor kActive = MakeColor(10, 20, 30);
constexpr TColor kInactive = MakeColor(200, 210, 220);

// A border picture of two frames, each `thickness` thick and `length` long,
// frame 1 in kActive and frame 2 in kInactive; side by side for the side
// borders, stacked for the top and bottom ones.
void PaintBorder(TDataSkinBorder &border, bool stacked, int thickness, int length) {
  border.Frame = 2;
  border.Image.SetSize(stacked ? length : 2 * thickness, stacked ? 2 * thickness : length);
  for (int y = 0; y < border.Image.Height(); ++y)
    for (int x = 0; x < border.Image.Width(); ++x) {
      const bool second = stacked ? y >= thickness : x >= thickness;
      border.Image.SetPixel(x, y, second ? kInactive : kActive);
    }
}

class SkinFrameTest : public ::testing::Test {
protected:
  SkinFrameTest() {
    PaintBorder(skin.Left(), false, 4, 30);
    PaintBorder(skin.Right(), false, 5, 30);
    PaintBorder(skin.Top(), true, 20, 60);
    PaintBorder(skin.Bottom(), true, 3, 60);
  }
  TSkinData skin;
};

} // namespace

TEST_F(SkinFrameTest, MetricsAreOneFrameOfEachBorderAndNothingWithoutABorder) {
  EXPECT_EQ(SkinFrameMetrics(skin, TSkinFormBorder::sbsSizeable), (TFrameMetrics{4, 20, 5, 3, 0}));
  EXPECT_EQ(SkinFrameMetrics(skin, TSkinFormBorder::sbsNone), TFrameMetrics{});
}

TEST_F(SkinFrameTest, ComposedFrameShowsTheActiveOrInactiveFrameOfEveryBorder) {
  const TFrameMetrics metrics = SkinFrameMetrics(skin, TSkinFormBorder::sbsSizeable);
  for (bool active : {true, false}) {
    TBitmap frame(100, 80);
    frame.Fill(clWhite);
    ComposeFrame(frame, skin, metrics, active);
    const TColor expected = active ? kActive : kInactive;
    EXPECT_EQ(frame.GetPixel(0, 79), expected);  // left border runs the whole height
    EXPECT_EQ(frame.GetPixel(99, 0), expected);  // so does the right one
    EXPECT_EQ(frame.GetPixel(50, 19), expected); // title bar
    EXPECT_EQ(frame.GetPixel(50, 77), expected); // bottom border
    EXPECT_EQ(frame.GetPixel(50, 40), clWhite);  // the client area is left alone
  }
  // A border with one frame shows it inactive too.
  skin.Bottom().Frame = 1;
  TBitmap frame(100, 80);
  ComposeFrame(frame, skin, metrics, false);
  EXPECT_EQ(frame.GetPixel(50, 79), kActive);
}

TEST_F(SkinFrameTest, ShapeLeavesOutMagentaAndNearMagentaOfTransparentBorders) {
  for (TDataSkinBorder *b : {&skin.Left(), &skin.Right(), &skin.Top(), &skin.Bottom()})
    b->Trans = 0;
  const TFrameMetrics metrics = SkinFrameMetrics(skin, TSkinFormBorder::sbsSizeable);
  TBitmap frame(100, 80);
  ComposeFrame(frame, skin, metrics, true);
  EXPECT_TRUE(WindowShape(frame, skin, metrics, TSkinFormBorder::sbsSizeable).Whole);

  skin.Top().Trans = 1;
  frame.SetPixel(10, 0, clFuchsia);
  frame.SetPixel(11, 0, MakeColor(255, 1, 255));
  frame.SetPixel(12, 0, MakeColor(255, 2, 255)); // beyond the tolerance: kept
  const TWindowShape shape = WindowShape(frame, skin, metrics, TSkinFormBorder::sbsSizeable);
  ASSERT_FALSE(shape.Whole);
  auto covered = [&](int x, int y) {
    for (const TRect &r : shape.Rects)
      if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
        return true;
    return false;
  };
  EXPECT_FALSE(covered(10, 0));
  EXPECT_FALSE(covered(11, 0));
  EXPECT_TRUE(covered(12, 0));
  EXPECT_TRUE(covered(9, 0));
  EXPECT_TRUE(covered(50, 50)); // inside the frame
  frame.SetPixel(0, 50, clFuchsia); // the left border is not transparent: counts whole
  EXPECT_TRUE(covered(0, 50));
}

TEST(SkinCaption, VisibilityFollowsTheWindowsBoxesStateAndActivation) {
  TDataSkinSysButton button("BUTTON0");
  TCaptionState state;
  // A close button needs the system menu.
  EXPECT_FALSE(CaptionButtonVisible(button, 0, state));
  state.Icons.Include(TSkinFormIcon::sbisystem);
  EXPECT_TRUE(CaptionButtonVisible(button, 0, state));

  // A maximise button shows only on a window with the box.
  button.Action = SysAction::Maximize;
  button.Visibility = 6;
  button.Visibility1 = 6;
  EXPECT_FALSE(CaptionButtonVisible(button, 0, state));
  state.Icons.Include(TSkinFormIcon::sbiMax);
  EXPECT_TRUE(CaptionButtonVisible(button, 0, state));

  // Restore-style buttons follow the window state; -1 never shows.
  button.Visibility = 1;
  button.Visibility1 = 0;
  EXPECT_FALSE(CaptionButtonVisible(button, 0, state));
  state.WindowState = TSkinWindowState::swsMax;
  EXPECT_TRUE(CaptionButtonVisible(button, 0, state));
  button.Visibility1 = -1;
  EXPECT_FALSE(CaptionButtonVisible(button, 0, state));

  // The window is asked about codes from 1000 on, by the button's index.
  button.Action = 40;
  button.Visibility = 1500;
  button.Visibility1 = 0;
  int asked = -1;
  state.AskWindow = [&](int index) {
    asked = index;
    return true;
  };
  EXPECT_TRUE(CaptionButtonVisible(button, 7, state));
  EXPECT_EQ(asked, 7);

  // Dialog frames show no icon button.
  button.Action = SysAction::Icon;
  button.Visibility = 0;
  state.Border = TSkinFormBorder::sbsDialog;
  EXPECT_FALSE(CaptionButtonVisible(button, 0, state));
}

TEST(SkinCaption, ButtonsArePlacedByTheirAlignAndInactiveWindowsShowFrameFour) {
  TDataSkinSysButton button("BUTTON0");
  button.Image.SetSize(80, 16);
  button.Frame = 4; // 20 x 16 each
  TCaptionGeometry g;
  g.WindowWidth = 300;
  g.Metrics = {4, 24, 4, 4, 20};
  g.CaptionText = {30, 4, 120, 20};
  button.Xcoord = 26;
  button.Ycoord = 5;

  button.Align = 1;
  EXPECT_EQ(CaptionButtonRect(button, g), Bounds(274, 5, 20, 16));
  button.Align = 2;
  EXPECT_EQ(CaptionButtonRect(button, g), Bounds(30 - 26 - 20, 5, 20, 16));
  button.Align = 3;
  EXPECT_EQ(CaptionButtonRect(button, g), Bounds(120 + 26, 5, 20, 16));
  button.Align = AlignMenuBar;
  EXPECT_EQ(CaptionButtonRect(button, g), Bounds(300 - 4 - 26, 24 + 2, 20, 16));
  g.RightToLeft = true;
  EXPECT_EQ(CaptionButtonRect(button, g), Bounds(4 + 26 - 20, 24 + 2, 20, 16));

  EXPECT_EQ(CaptionButtonRestFrame(button, true), 1);
  EXPECT_EQ(CaptionButtonRestFrame(button, false), 4);
  EXPECT_EQ(CaptionButtonStateFrame(button, StateHot), 4); // a menu-bar button
  button.Frame = 3;
  EXPECT_EQ(CaptionButtonRestFrame(button, false), 1);
}

TEST(SkinCaption, TextStopsBeforeRightAnchoredButtonsOfPopupsAndDialogsShiftLeft) {
  TDataSkinTitle title("Title");
  title.LeftWidth = 24;  // TextShift
  title.RightWidth = 10; // TextRightClip
  TCaptionTextInput in;
  in.WindowWidth = 200;
  in.TopHeight = 24;
  in.TextWidth = 300;
  in.TextHeight = 14;
  TCaptionTextPlace place = CaptionTextPlace(title, in);
  EXPECT_EQ(place.Text.Left, 24);
  EXPECT_EQ(place.Text.Right, 190);
  EXPECT_EQ(place.Text.Top, 5);

  in.Popup = true;
  in.LeftmostRightButton = 150;
  EXPECT_EQ(CaptionTextPlace(title, in).Text.Right, 145);

  in.DialogBorder = true;
  EXPECT_EQ(CaptionTextPlace(title, in).Text.Left, 8);

  title.TextAlignment = 1;
  in.TextWidth = 100;
  EXPECT_EQ(CaptionTextPlace(title, in).Text.Left, 50);
  EXPECT_EQ(CaptionText(std::u16string(u"Zorvex")), u"  Zorvex ");
}

TEST(SkinCaption, HitsSkipHiddenAndNegativeButtonsAndTheCaptionDragsBelowThreePixels) {
  TDataSkinSysButton hidden("A"), negative("B"), close("C");
  negative.Action = -1;
  const std::vector<const TDataSkinSysButton *> buttons{&hidden, &negative, &close};
  const std::vector<TRect> rects(3, Bounds(10, 2, 16, 16));
  EXPECT_EQ(FindCaptionButton(buttons, rects, {false, true, true}, 12, 5), 2);
  EXPECT_EQ(FindCaptionButton(buttons, rects, {false, true, true}, 40, 5), -1);

  EXPECT_EQ(CaptionHitTest(true, 10, 24, false), TNcHit::Caption);
  EXPECT_EQ(CaptionHitTest(true, 2, 24, false), TNcHit::Other);
  EXPECT_EQ(CaptionHitTest(true, 30, 24, true), TNcHit::Menu);
  EXPECT_EQ(CaptionHitTest(false, 10, 24, false), TNcHit::Other);
}
