#include "framework/win/SpeedButton.h"

#include <gtest/gtest.h>

#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

// A strip of frames, each one colour, so that a frame tells where it came
// from.
TDibBitmap Strip(std::initializer_list<uint32_t> colours) {
  TDibBitmap strip(static_cast<int>(colours.size()) * 4, 4);
  int frame = 0;
  for (uint32_t colour : colours) {
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        strip.SetPixel(frame * 4 + x, y, colour);
    ++frame;
  }
  return strip;
}

TEST(GlyphFrame, StatesWithoutAFrameOfTheirOwnFallBack) {
  const uint32_t up = 0xFF0000FF, disabled = 0xFF00FF00, down = 0xFFFF0000, exclusive = 0xFFFFFFFF;
  const TDibBitmap four = Strip({up, disabled, down, exclusive});
  const TDibBitmap greyed = Strip({0xFF808080});
  EXPECT_EQ(GlyphFrame(four, greyed, 4, TButtonState::bsExclusive).Pixel(0, 0), exclusive);
  EXPECT_EQ(GlyphFrame(four, greyed, 4, TButtonState::bsDown).Pixel(3, 3), down);
  const TDibBitmap two = Strip({up, disabled});
  EXPECT_EQ(GlyphFrame(two, greyed, 2, TButtonState::bsExclusive).Pixel(0, 0), up);
  EXPECT_EQ(GlyphFrame(two, greyed, 2, TButtonState::bsDisabled).Pixel(0, 0), disabled);
  const TDibBitmap one = Strip({up});
  EXPECT_EQ(GlyphFrame(one, greyed, 1, TButtonState::bsDisabled).Pixel(0, 0), 0xFF808080u);
  EXPECT_EQ(GlyphFrame(one, greyed, 1, TButtonState::bsDown).Width(), 4);
  EXPECT_TRUE(GlyphFrame(TDibBitmap(), TDibBitmap(), 1, TButtonState::bsUp).Empty());
}

class SpeedButtonTest : public FormTest {
protected:
  TSpeedButton *AddButton(int left, int group) {
    auto *button = Add<TSpeedButton>(left, 10, 23, 22);
    button->SetGroupIndex(group);
    button->OnClick = [this, button](TObject *) { clicked.push_back(button); };
    return button;
  }
  std::vector<TSpeedButton *> clicked;
};

TEST_F(SpeedButtonTest, AGroupKeepsOneButtonDown) {
  TSpeedButton *bold = AddButton(10, 1);
  TSpeedButton *italic = AddButton(40, 1);
  TSpeedButton *plain = AddButton(70, 0);
  form->Show();
  Click(*bold);
  Click(*italic);
  EXPECT_FALSE(bold->Down());
  EXPECT_TRUE(italic->Down());
  Click(*italic); // clicked, but the group's one down button stays down
  italic->SetDown(false);
  EXPECT_TRUE(italic->Down());
  Click(*plain);
  EXPECT_FALSE(plain->Down());
  EXPECT_EQ(clicked, (std::vector<TSpeedButton *>{bold, italic, italic, plain}));

  bold->SetAllowAllUp(true); // for the whole group
  Click(*italic);
  EXPECT_FALSE(italic->Down());
  EXPECT_FALSE(bold->Down());
}

TEST_F(SpeedButtonTest, ReleasingOutsideTheButtonDoesNotClick) {
  TSpeedButton *button = AddButton(10, 0);
  form->Show();
  HWND window = form->Handle();
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 200));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
  ProcessMessages();
  EXPECT_TRUE(clicked.empty());
  button->SetEnabled(false);
  Click(*button);
  EXPECT_TRUE(clicked.empty());
}

} // namespace
