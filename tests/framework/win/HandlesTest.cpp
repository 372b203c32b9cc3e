#include "framework/win/Handles.h"

#include <gtest/gtest.h>

#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

TEST(Handles, OwnersCountWhatTheyHoldAndGiveItBackOnce) {
  const GuiObjectCounts before = LiveGuiObjects();
  {
    OwnedBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    ASSERT_TRUE(brush);
    const HBRUSH raw = brush.get();
    OwnedBrush moved(std::move(brush));
    EXPECT_FALSE(brush);
    EXPECT_EQ(moved.get(), raw);
    EXPECT_EQ(LiveGuiObjects().Gdi, before.Gdi + 1);
    OwnedIcon icon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    OwnedMenu menu(CreatePopupMenu());
    MemoryDC memory;
    WindowDC screen(nullptr);
    EXPECT_EQ(LiveGuiObjects(), (GuiObjectCounts{before.Gdi + 3, before.User + 2}));
    moved.reset(CreateSolidBrush(RGB(4, 5, 6)));
    EXPECT_EQ(GetObjectType(raw), 0u); // the first brush is gone
    EXPECT_EQ(LiveGuiObjects().Gdi, before.Gdi + 3);
    // A failed call holds nothing and counts nothing.
    OwnedRegion none(nullptr);
    EXPECT_EQ(LiveGuiObjects().Gdi, before.Gdi + 3);
  }
  EXPECT_EQ(LiveGuiObjects(), before);
  // Where the system counts too (not under Wine), both counts agree.
  const DWORD systemBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (systemBefore != 0) {
    OwnedPen pen(CreatePen(PS_SOLID, 1, 0));
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), systemBefore + 1);
  }
}

using HandlesGuiTest = GuiTest;

TEST_F(HandlesGuiTest, AShapeHandedToTheWindowIsTheSystemsAndATimerDiesWithItsOwner) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  form.Show();
  const GuiObjectCounts before = LiveGuiObjects();
  EXPECT_TRUE(SetWindowRegion(form.Handle(), OwnedRegion(CreateRectRgn(0, 0, 50, 50)), true));
  EXPECT_EQ(LiveGuiObjects(), before);
  RECT box{};
  EXPECT_EQ(GetWindowRgnBox(form.Handle(), &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 50);
  // Refused (no such window): the region is freed, not lost.
  EXPECT_FALSE(SetWindowRegion(nullptr, OwnedRegion(CreateRectRgn(0, 0, 5, 5)), false));
  EXPECT_EQ(LiveGuiObjects(), before);

  int ticks = 0;
  {
    OwnedTimer timer = StartTimer(form.Handle(), 7, 10);
    ASSERT_TRUE(timer);
    EXPECT_TRUE(WaitFor([&] {
      MSG message;
      while (PeekMessageW(&message, form.Handle(), WM_TIMER, WM_TIMER, PM_REMOVE))
        ticks += message.wParam == 7 ? 1 : 0;
      return ticks > 0;
    }));
  }
  Sleep(50);
  MSG message;
  EXPECT_FALSE(PeekMessageW(&message, form.Handle(), WM_TIMER, WM_TIMER, PM_REMOVE));
}

} // namespace
