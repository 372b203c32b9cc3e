#include "skin/runtime/SkinScrollbars.h"

#include "SkinnedFormTest.h"
#include "framework/core/BitmapDraw.h"
#include "framework/win/ComboBox.h"
#include "framework/win/Grids.h"
#include "framework/win/ScrollBar.h"
#include "framework/win/StdCtrls.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class SkinScrollbarsTest : public SkinnedFormTest {
protected:
  TStringGrid *AddGrid(int rows) {
    auto *grid = Add<TStringGrid>(10, 10, 300, 200);
    grid->SetColCount(3);
    grid->SetRowCount(rows);
    return grid;
  }
  static SCROLLBARINFO BarInfo(HWND window, LONG object) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(window, object, &info);
    return info;
  }
  // The window shows the bar's picture stretched across: a pixel is right
  // when the picture has it at about the same place.
  static bool ShowsPicture(const TDibBitmap &shot, const TBitmap &picture, int x, int y) {
    const int mapped = x * picture.Width() / shot.Width();
    for (int px = std::max(0, mapped - 1); px <= std::min(picture.Width() - 1, mapped + 1); ++px)
      if (Shot(shot, x, y) == picture.GetPixel(px, y))
        return true;
    return false;
  }
  // The skin's picture of the grid's vertical bar as the system reports it.
  TBitmap GridBarPicture(HWND grid, int width) {
    const SCROLLBARINFO info = BarInfo(grid, OBJID_VSCROLL);
    const int length = info.rcScrollBar.bottom - info.rcScrollBar.top;
    const TScrollBarSkin pictures = ScrollBarSkinOf(*skin_, true);
    EXPECT_TRUE(pictures.Usable());
    TBitmap picture(ScrollPictureThickness(pictures.Arrows->Image.Height(), width), length);
    PaintScrollBar(picture, pictures,
                   {true, length, static_cast<int>(info.dxyLineButton), info.xyThumbTop, info.xyThumbBottom}, {});
    return picture;
  }
  static bool Shown(TWScrollbar *bar) { return bar && bar->WindowHandle() && IsWindowVisible(bar->WindowHandle()); }
  // Clicks the overlay at a point of its own, as the mouse would.
  static void ClickBar(TWScrollbar &bar, POINT p) {
    const LPARAM at = MAKELPARAM(p.x, p.y);
    PostMessageW(bar.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(bar.WindowHandle(), WM_LBUTTONUP, 0, at);
    ProcessMessages();
  }
};

} // namespace

TEST_F(SkinScrollbarsTest, OverlayLiesOverTheGridsBarAndShowsTheSkinsPicture) {
  TStringGrid *grid = AddGrid(100);
  Add<TStringGrid>(320, 10, 130, 200)->SetRowCount(60);
  SkinNow();
  auto *skinner = SkinnerOf<TSkinScrollbar>(*grid);
  ASSERT_NE(skinner, nullptr);
  TWScrollbar *bar = skinner->Bar(true);
  ASSERT_TRUE(Shown(bar));
  const SCROLLBARINFO info = BarInfo(grid->WindowHandle(), OBJID_VSCROLL);
  const RECT covered = bar->Covered();
  EXPECT_TRUE(EqualRect(&covered, &info.rcScrollBar));
  EXPECT_EQ(GetWindow(grid->WindowHandle(), GW_HWNDPREV), bar->WindowHandle()); // just above the grid
  EXPECT_FALSE(Shown(skinner->Bar(false)));                                     // the three columns fit

  // What the window shows, in every skin: the skin's picture for the bar
  // the system reports. A second grid, wider than the form shows, has both
  // bars and the corner between them (for the screenshots).
  const int width = covered.right - covered.left, length = covered.bottom - covered.top;
  const int arrow = static_cast<int>(info.dxyLineButton);
  for (size_t i = 0; i < Packages().size(); ++i) {
    LoadSkin(i);
    manager_->OnTimer();
    ProcessMessages();
    ASSERT_TRUE(Shown(bar));
    const TBitmap picture = GridBarPicture(grid->WindowHandle(), width);
    const TDibBitmap shot = CaptureWindow(bar->WindowHandle(), false);
    for (int y : {arrow / 2, (info.xyThumbTop + info.xyThumbBottom) / 2, (info.xyThumbBottom + length - arrow) / 2,
                  length - arrow / 2})
      for (int x : {2, width / 2, width - 3})
        EXPECT_TRUE(ShowsPicture(shot, picture, x, y)) << "skin " << i << " at " << x << "," << y;
    SaveWindowImage(form->WindowHandle(), ScreenshotPath("scrollbars-skin-" + std::to_string(i) + ".png"));
  }
}

TEST_F(SkinScrollbarsTest, AClickOnTheOverlayScrollsTheGridThroughItsOwnBar) {
  TStringGrid *grid = AddGrid(100);
  SkinNow();
  ExceptionCounter exceptions;
  TWScrollbar &bar = *SkinnerOf<TSkinScrollbar>(*grid)->Bar(true);
  const RECT covered = bar.Covered();
  const int width = covered.right - covered.left, length = covered.bottom - covered.top;
  const int arrow = static_cast<int>(BarInfo(grid->WindowHandle(), OBJID_VSCROLL).dxyLineButton);
  const int top = grid->TopRow();

  ClickBar(bar, {width / 2, length - arrow / 2});
  EXPECT_TRUE(WaitFor([&] { return grid->TopRow() == top + 1; }));
  EXPECT_EQ(bar.PressedPart(), TScrollPart::None);

  // The page below the thumb: a page at a time; the overlay follows the thumb.
  const SCROLLBARINFO before = BarInfo(grid->WindowHandle(), OBJID_VSCROLL);
  ClickBar(bar, {width / 2, (before.xyThumbBottom + length - arrow) / 2});
  EXPECT_TRUE(WaitFor([&] { return grid->TopRow() > top + 2; }));
  const SCROLLBARINFO after = BarInfo(grid->WindowHandle(), OBJID_VSCROLL);
  EXPECT_GT(after.xyThumbTop, before.xyThumbTop);
  const TBitmap picture = GridBarPicture(grid->WindowHandle(), width);
  const TDibBitmap shot = CaptureWindow(bar.WindowHandle(), false);
  EXPECT_TRUE(ShowsPicture(shot, picture, width / 2, (after.xyThumbTop + after.xyThumbBottom) / 2));
  EXPECT_EQ(exceptions.count, 0);
}

TEST_F(SkinScrollbarsTest, TheOverlayComesAndGoesWithTheControlsBar) {
  TStringGrid *grid = AddGrid(3);
  SkinNow();
  auto *skinner = SkinnerOf<TSkinScrollbar>(*grid);
  ASSERT_NE(skinner, nullptr);
  EXPECT_FALSE(Shown(skinner->Bar(true)));
  EXPECT_TRUE(BarInfo(grid->WindowHandle(), OBJID_VSCROLL).rgstate[0] & STATE_SYSTEM_INVISIBLE);

  grid->SetRowCount(100);
  EXPECT_TRUE(WaitFor([&] { return Shown(skinner->Bar(true)); }));
  grid->Hide();
  EXPECT_TRUE(WaitFor([&] { return !Shown(skinner->Bar(true)); }));
  grid->Show();
  EXPECT_TRUE(WaitFor([&] { return Shown(skinner->Bar(true)); }));
  grid->SetBounds(20, 20, 280, 180);
  ProcessMessages();
  const RECT covered = skinner->Bar(true)->Covered();
  const SCROLLBARINFO info = BarInfo(grid->WindowHandle(), OBJID_VSCROLL);
  EXPECT_TRUE(EqualRect(&covered, &info.rcScrollBar));
}

TEST_F(SkinScrollbarsTest, AStandAloneScrollBarIsCoveredWholeAndClickedThrough) {
  auto *scroll = Add<TScrollBar>(10, 250, 200, 17);
  scroll->SetMax(50);
  SkinNow();
  auto *skinner = SkinnerOf<TSkinScControl>(*scroll);
  ASSERT_NE(skinner, nullptr);
  TWScrollbar *bar = skinner->Bar();
  ASSERT_TRUE(Shown(bar));
  EXPECT_FALSE(bar->Vertical());
  RECT own{};
  GetWindowRect(scroll->WindowHandle(), &own);
  const RECT covered = bar->Covered();
  EXPECT_TRUE(EqualRect(&covered, &own));

  ClickBar(*bar, {own.right - own.left - 4, 8});
  EXPECT_TRUE(WaitFor([&] { return scroll->Position() == 1; }));
  ClickBar(*bar, {4, 8});
  EXPECT_TRUE(WaitFor([&] { return scroll->Position() == 0; }));
}

TEST_F(SkinScrollbarsTest, SkinningAndSwitchingSkinsLeavesNoObjectsBehind) {
  ExceptionCounter exceptions;
  // A form with every skinner of these families, skinned, switched to
  // another skin and freed.
  auto cycle = [&](size_t skinIndex) {
    form = new TForm(nullptr);
    form->SetBounds(40, 40, 460, 380);
    AddGrid(100);
    Add<TEdit>(10, 220, 150, 23);
    Add<TComboBox>(10, 250, 150, 24)->Items().Add("item");
    Add<TScrollBar>(10, 290, 200, 17)->SetMax(10);
    SkinNow();
    LoadSkin(skinIndex);
    manager_->OnTimer();
    ProcessMessages();
    CaptureWindow(form->WindowHandle(), false);
    delete form;
    form = nullptr;
    ProcessMessages();
  };
  delete form;
  cycle(3);
  cycle(2);
  const GuiObjectCounts before = LiveGuiObjects();
  for (int i = 0; i < 6; ++i)
    cycle(3 - i % 2);
  EXPECT_EQ(LiveGuiObjects(), before);
  EXPECT_EQ(exceptions.count, 0);
}
