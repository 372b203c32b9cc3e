#include "framework/win/ToolBar.h"

#include <gtest/gtest.h>

#include "framework/core/Texts.h"
#include "framework/win/Capture.h"
#include "framework/win/Menus.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class ToolBarTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    images = new TImageList(form);
    for (uint32_t colour : {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu})
      images->Add(TDibBitmap(16, 16, colour));
    bar = Add<TToolBar>(0, 0, 400, 30);
    bar->SetImages(images);
  }
  TToolButton *AddButton(const std::string &caption, TToolButtonStyle style, int image) {
    auto *button = new TToolButton(form);
    button->SetParent(bar);
    button->SetCaption(caption);
    button->SetStyle(style);
    button->SetImageIndex(image);
    button->OnClick = [this, caption](TObject *) { clicks.push_back(caption); };
    return button;
  }
  TImageList *images = nullptr;
  TToolBar *bar = nullptr;
  std::vector<std::string> clicks;
};

TEST_F(ToolBarTest, ButtonsShowTheirPropertiesAndTakeTheUsersClicks) {
  TToolButton *open = AddButton("Open", TToolButtonStyle::tbsButton, 0);
  TToolButton *left = AddButton("Left", TToolButtonStyle::tbsCheck, 1);
  TToolButton *right = AddButton("Right", TToolButtonStyle::tbsCheck, 2);
  left->SetGrouped(true);
  right->SetGrouped(true);
  AddButton("", TToolButtonStyle::tbsSeparator, -1);
  TToolButton *more = AddButton("More", TToolButtonStyle::tbsDropDown, 0);
  auto *menu = new TPopupMenu(form);
  more->SetDropdownMenu(menu);
  int popups = 0;
  menu->OnPopup = [&](TObject *) { ++popups; };
  form->Show();
  HWND window = bar->Handle();
  ASSERT_EQ(SendMessageW(window, TB_BUTTONCOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessageW(window, TB_GETBITMAP, static_cast<WPARAM>(right->Command()), 0), 2);
  RECT rect{};
  SendMessageW(window, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect));
  EXPECT_EQ(left->Left(), rect.left); // the buttons lie where the bar shows them
  EXPECT_GT(left->Left(), open->Left());

  Click(*open);
  Click(*left);
  Click(*right); // a group: the other goes up
  EXPECT_TRUE(right->Down());
  EXPECT_FALSE(left->Down());
  EXPECT_EQ(clicks, (std::vector<std::string>{"Open", "Left", "Right"}));

  // The arrow of a drop-down button opens its menu under it.
  const UINT_PTR closer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  Click(*more, more->Width() - 4, more->Height() / 2);
  KillTimer(nullptr, closer);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(clicks.size(), 3u);

  open->SetCaption("Load");
  open->SetEnabled(false);
  wchar_t text[32] = {};
  SendMessageW(window, TB_GETBUTTONTEXTW, static_cast<WPARAM>(open->Command()), reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(Narrow(text), "Load");
  EXPECT_FALSE(SendMessageW(window, TB_ISBUTTONENABLED, static_cast<WPARAM>(open->Command()), 0));
  delete menu; // the button forgets it
  EXPECT_EQ(more->DropdownMenu(), nullptr);
  bar->DestroyHandle();
  bar->HandleNeeded(); // made again: the user's check states come back
  EXPECT_TRUE(right->Down());
}

TEST_F(ToolBarTest, CustomDrawingReplacesTheSystemsWhereItSaysSo) {
  TToolButton *open = AddButton("Open", TToolButtonStyle::tbsButton, 0);
  AddButton("Save", TToolButtonStyle::tbsButton, 1);
  const COLORREF background = RGB(0, 0, 128), face = RGB(200, 0, 0);
  bar->OnCustomDraw = [&](TToolBar *self, const RECT &area, bool &defaultDraw) {
    self->Canvas().Brush().SetColor(static_cast<TColor>(background));
    self->Canvas().FillRect(area);
    defaultDraw = false;
  };
  bar->OnCustomDrawButton = [&](TToolBar *self, TToolButton *button, TCustomDrawState, bool &defaultDraw) {
    if (button != open)
      return;
    self->Canvas().Brush().SetColor(static_cast<TColor>(face));
    self->Canvas().FillRect(button->BoundsRect());
    defaultDraw = false;
  };
  form->Show();
  const TDibBitmap shot = CaptureWindow(bar->Handle(), false);
  auto rgb = [&](int x, int y) { return shot.Pixel(x, y) & 0xFFFFFFu; };
  EXPECT_EQ(rgb(open->Left() + 3, open->Top() + 3), 0xC80000u);
  EXPECT_EQ(rgb(bar->Width() - 3, bar->Height() - 3), 0x000080u);
}

} // namespace
