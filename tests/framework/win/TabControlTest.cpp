#include "framework/win/TabControl.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "framework/core/Texts.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class TabControlTest : public FormTest {};

std::string TabText(HWND tabs, int index) {
  wchar_t text[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return Narrow(text);
}

void ClickTab(TCustomTabControl &control, int index) {
  const RECT tab = control.TabRect(index);
  Click(control, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
}

TEST_F(TabControlTest, TabsComeFromTheListAndTheUsersChoiceMayBeRefused) {
  auto *tabs = Add<TTabControl>(10, 10, 300, 200);
  tabs->Tabs().SetCommaText("One,Two,Three");
  tabs->SetTabIndex(1);
  bool allow = false;
  int changes = 0;
  tabs->OnChanging = [&](TObject *, bool &allowChange) { allowChange = allow; };
  tabs->OnChange = [&](TObject *) { ++changes; };
  form->Show();
  EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETCURSEL, 0, 0), 1);
  tabs->Tabs().Put(2, "Drei");
  EXPECT_EQ(TabText(tabs->Handle(), 2), "Drei");

  ClickTab(*tabs, 2);
  EXPECT_EQ(tabs->TabIndex(), 1);
  EXPECT_EQ(changes, 0);
  allow = true;
  ClickTab(*tabs, 2);
  EXPECT_EQ(tabs->TabIndex(), 2);
  EXPECT_EQ(changes, 1);
  EXPECT_GE(tabs->DisplayRect().top, tabs->TabRect(2).bottom);

  tabs->SetTabPosition(TTabPosition::tpBottom); // a new window, the same tabs
  EXPECT_TRUE(GetWindowLongPtrW(tabs->Handle(), GWL_STYLE) & TCS_BOTTOM);
  EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(tabs->TabIndex(), 2);
  EXPECT_LE(tabs->DisplayRect().bottom, tabs->TabRect(0).top);
}

} // namespace
