#include "app/AppGlyphs.h"

#include <gtest/gtest.h>

#include "framework/win/Capture.h"
#include "framework/win/ImgList.h"
#include "framework/win/Menus.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

// Opaque pixels of an image.
int Ink(const TDibBitmap &image) {
  int count = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      count += (image.Pixel(x, y) >> 24) != 0 ? 1 : 0;
  return count;
}

TEST(AppGlyphs, TheMenuGlyphsLoadAsFourImagesOnATransparentGround) {
  TImageList list(nullptr);
  ASSERT_TRUE(LoadMenuGlyphs(list));
  ASSERT_EQ(list.Count(), menuglyph::Count);
  EXPECT_EQ(list.Width(), 16);
  EXPECT_EQ(list.Height(), 16);
  for (int i = 0; i < list.Count(); ++i) {
    const TDibBitmap &image = list.Image(i);
    EXPECT_EQ(image.Pixel(0, 0) >> 24, 0u) << i;
    EXPECT_EQ(image.Pixel(15, 15) >> 24, 0u) << i;
    EXPECT_GT(Ink(image), 12) << i;
  }
  // The minimise bar is the smallest glyph, the maximise frame bigger.
  EXPECT_LT(Ink(list.Image(menuglyph::Minimize)), Ink(list.Image(menuglyph::Maximize)));
}

TEST(AppGlyphs, ButtonGlyphsKeepTheirAlphaThroughTheBitmapCodec) {
  const TDibBitmap close = LoadGlyph(glyph::Close);
  ASSERT_FALSE(close.Empty());
  EXPECT_EQ(close.Pixel(0, 0) >> 24, 0u);
  EXPECT_EQ(close.Pixel(close.Width() / 2, close.Height() / 2) >> 24, 0xFFu);
}

using AppGlyphsGuiTest = GuiTest;

// The system menu's items with their glyphs, as the framework draws them,
// saved for a person to look at.
TEST_F(AppGlyphsGuiTest, AMenuShowsTheGlyphsBesideItsItems) {
  TImageList glyphs(nullptr);
  ASSERT_TRUE(LoadMenuGlyphs(glyphs));
  TPopupMenu menu(nullptr);
  menu.SetImages(&glyphs);
  for (const auto &[caption, image] : std::vector<std::pair<std::string, int>>{{" Restore ", menuglyph::Restore},
                                                                               {" Maximize ", menuglyph::Maximize},
                                                                               {" Minimize ", menuglyph::Minimize},
                                                                               {"-", -1},
                                                                               {" Close ", menuglyph::Close}}) {
    auto *item = new TMenuItem(nullptr); // owned by the menu
    item->SetCaption(caption);
    item->SetImageIndex(image);
    menu.Items()->Add(item);
  }
  menu.Items()->Items(0)->SetEnabled(false);
  menu.Items()->Items(4)->SetShortCut(TextToShortCut("ALT+F4"));
  static TDibBitmap shot;
  shot = TDibBitmap();
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR, DWORD) {
    if (const HWND shown = FindWindowW(L"#32768", nullptr); shown && IsWindowVisible(shown) && shot.Empty())
      shot = CaptureWindow(shown, true);
    EndMenu();
  });
  menu.Popup(200, 200);
  KillTimer(nullptr, timer);
  ASSERT_FALSE(shot.Empty());
  SaveImage(shot, ScreenshotPath("menu-glyphs.png"));
  // The glyphs' ink shows in the glyph column, beside every item but the line.
  int dark = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < std::min(shot.Width(), 24); ++x)
      dark += (shot.Pixel(x, y) & 0xFF) < 0x60 ? 1 : 0;
  EXPECT_GT(dark, 40);
}

} // namespace
