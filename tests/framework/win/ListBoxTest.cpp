#include "framework/win/ListBox.h"

#include <gtest/gtest.h>

#include "framework/core/Texts.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class ListBoxTest : public FormTest {};

std::string WindowItem(HWND list, int index) {
  std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0)), L'\0');
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  return Narrow(text);
}

TEST_F(ListBoxTest, ItemsAndSelectionLiveOutsideTheWindowAndSurviveItBeingMadeAgain) {
  auto *list = Add<TListBox>(10, 10, 150, 120);
  list->Items().Add("one");
  list->Items().Add("two");
  list->Items().Add("three");
  list->SetItemIndex(1);
  form->Show();
  HWND window = list->Handle();
  ASSERT_EQ(SendMessageW(window, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(window, LB_GETCURSEL, 0, 0), 1);

  // Changes made once the window exists reach it.
  list->Items().Insert(0, "zero");
  list->Items().Put(3, "THREE");
  list->Items().Delete(1);
  EXPECT_EQ(WindowItem(window, 0), "zero");
  EXPECT_EQ(WindowItem(window, 2), "THREE");
  EXPECT_EQ(SendMessageW(window, LB_GETCOUNT, 0, 0), 3);

  // Switching to several selected items makes a new window; the selection
  // comes along.
  list->SetMultiSelect(true);
  EXPECT_TRUE(list->Selected(1));
  list->SetSelected(0, true);
  list->SetSelected(2, true);
  list->SetSelected(1, false);
  list->SetExtendedSelect(false);
  EXPECT_NE(list->WindowHandle(), window);
  EXPECT_EQ(list->SelCount(), 2);
  EXPECT_TRUE(list->Selected(0));
  EXPECT_FALSE(list->Selected(1));
  EXPECT_TRUE(list->Selected(2));
  EXPECT_EQ(WindowItem(list->Handle(), 2), "THREE");

  list->SetBorderStyle(TBorderStyle::bsNone);
  EXPECT_FALSE(GetWindowLongPtrW(list->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(ListBoxTest, TheUsersPickClicksAndADoubleClickIsReported) {
  auto *list = Add<TListBox>(10, 10, 150, 120);
  list->Items().SetCommaText("alpha,beta,gamma");
  int clicks = 0, doubles = 0;
  list->OnClick = [&](TObject *) { ++clicks; };
  list->OnDblClick = [&](TObject *) { ++doubles; };
  form->Show();
  list->SetItemIndex(0); // the program's own choice is not a click
  const int row = list->ItemHeight();
  Click(*list, 20, row + row / 2);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list->ItemAtPos(POINT{20, 2 * row + 1}), 2);
  EXPECT_EQ(list->ItemAtPos(POINT{20, 100}), -1); // below the last item
  const LPARAM at = MAKELPARAM(20, 2 * row + row / 2);
  SendMessageW(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(list->Handle(), WM_LBUTTONUP, 0, at);
  ProcessMessages();
  EXPECT_EQ(doubles, 1);
}

} // namespace
