#include "framework/win/PageControl.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class PageControlTest : public FormTest {
protected:
  TTabSheet *AddSheet(TPageControl *pages, const std::string &caption) {
    auto *sheet = new TTabSheet(form);
    sheet->SetPageControl(pages);
    sheet->SetCaption(caption);
    return sheet;
  }
  static int TabCount(TPageControl *pages) {
    return static_cast<int>(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0));
  }
};

// Ctrl held down for the keys pressed while it lives.
struct CtrlHeld {
  CtrlHeld() { Set(0x80); }
  ~CtrlHeld() { Set(0); }
  static void Set(BYTE state) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = state;
    SetKeyboardState(keys);
  }
};

TEST_F(PageControlTest, ChoosingATabShowsItsSheetAndHidesTheOthers) {
  auto *pages = Add<TPageControl>(10, 10, 300, 200);
  TTabSheet *first = AddSheet(pages, "First");
  TTabSheet *second = AddSheet(pages, "Second");
  auto *edit = Add<TEdit>(10, 10, 80, 21, first);
  int changes = 0;
  pages->OnChange = [&](TObject *) { ++changes; };
  form->Show();
  EXPECT_EQ(pages->ActivePage(), first);
  EXPECT_TRUE(IsWindowVisible(first->Handle()));
  EXPECT_FALSE(IsWindowVisible(second->Handle()));
  const RECT area = pages->DisplayRect();
  EXPECT_EQ(second->Left(), area.left);
  EXPECT_EQ(second->Width(), area.right - area.left);

  edit->SetFocus();
  const RECT tab = pages->TabRect(1);
  Click(*pages, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(pages->ActivePage(), second);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(IsWindowVisible(first->Handle()));
  EXPECT_TRUE(IsWindowVisible(second->Handle()));
  EXPECT_FALSE(edit->Focused()); // no focus left in a hidden page
  pages->SetActivePage(first);   // the program's choice raises no event
  EXPECT_EQ(changes, 1);
}

TEST_F(PageControlTest, TabsFollowTheSheetsAsTheyHideGoAndTurn) {
  auto *pages = Add<TPageControl>(10, 10, 300, 200);
  TTabSheet *a = AddSheet(pages, "A");
  TTabSheet *b = AddSheet(pages, "B");
  TTabSheet *c = AddSheet(pages, "C");
  form->Show();
  b->SetTabVisible(false);
  EXPECT_EQ(TabCount(pages), 2);
  EXPECT_EQ(c->TabIndex(), 1);
  pages->SetActivePage(c);
  delete c; // the next sheet with a tab, going round, takes its place
  EXPECT_EQ(pages->ActivePage(), a);
  EXPECT_EQ(TabCount(pages), 1);

  b->SetTabVisible(true);
  b->SetPageIndex(0);
  EXPECT_EQ(pages->Pages(0), b);
  EXPECT_EQ(a->TabIndex(), 1);
  pages->SetFocus();
  {
    CtrlHeld ctrl;
    PressKey(pages->Handle(), VK_TAB);
  }
  EXPECT_EQ(pages->ActivePage(), b);
  EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 0);

  delete pages; // the sheets stay, without their page control
  EXPECT_EQ(a->PageControl(), nullptr);
  EXPECT_EQ(b->TabIndex(), -1);
}

} // namespace
