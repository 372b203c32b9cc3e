#include "framework/win/Menus.h"

#include <gtest/gtest.h>

#include <set>

#include "framework/win/Hooks.h"
#include "framework/win/ImgList.h"
#include "framework/win/Subclass.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

TMenuItem *NewItem(TMenuItem *parent, const std::string &caption) {
  auto *item = new TMenuItem(nullptr); // owned by its parent
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

struct Entry {
  std::wstring text;
  UINT type, state;
  HMENU submenu;
};

Entry EntryAt(HMENU menu, UINT position) {
  wchar_t text[80] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
  info.dwTypeData = text;
  info.cch = 80;
  EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
  return Entry{text, info.fType, info.fState, info.hSubMenu};
}

TEST(ShortCuts, ReadAndWriteAsTheMenusShowThem) {
  EXPECT_EQ(ShortCutToText(scAlt | VK_F4), "Alt+F4");
  EXPECT_EQ(ShortCutToText(scCtrl | scShift | 'S'), "Shift+Ctrl+S");
  EXPECT_EQ(TextToShortCut("ALT+F4"), scAlt | VK_F4);
  EXPECT_EQ(TextToShortCut("Ctrl+Del"), scCtrl | VK_DELETE);
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(ShortCutToText(0), "");
}

TEST(MenuProperties, AreReachedByName) {
  TPopupMenu menu(nullptr);
  TImageList images(nullptr);
  auto *item = new TMenuItem(nullptr); // owned by the menu
  menu.Items()->Add(item);
  const TPropertyTable *table = item->PublishedProperties();
  table->Find("caption")->SetString(*item, "Restore");
  table->Find("Checked")->SetOrdinal(*item, 1);
  table->Find("ImageIndex")->SetOrdinal(*item, 2);
  table->Find("Tag")->SetOrdinal(*item, 33333);
  EXPECT_EQ(item->Caption(), "Restore");
  EXPECT_TRUE(item->Checked());
  EXPECT_EQ(item->ImageIndex(), 2);
  EXPECT_EQ(item->Tag(), 33333);
  EXPECT_EQ(table->Find("Enabled")->GetOrdinal(*item), 1);
  menu.PublishedProperties()->Find("Images")->SetObject(menu, &images);
  EXPECT_EQ(menu.Images(), &images);
  menu.PublishedProperties()->Find("OwnerDraw")->SetOrdinal(menu, 1);
  EXPECT_TRUE(menu.OwnerDraw());
}

using MenusTest = GuiTest;

TEST_F(MenusTest, TheMenuShowsItsItemsAsTheyAre) {
  TPopupMenu menu(nullptr);
  TMenuItem *open = NewItem(menu.Items(), "&Open");
  open->SetShortCut(scCtrl | 'O');
  NewItem(menu.Items(), "-");
  NewItem(menu.Items(), "Checked")->SetChecked(true);
  NewItem(menu.Items(), "Hidden")->SetVisible(false);
  TMenuItem *more = NewItem(menu.Items(), "More");
  NewItem(more, "Leaf");
  const HMENU handle = menu.Handle();
  ASSERT_EQ(GetMenuItemCount(handle), 4);
  EXPECT_EQ(EntryAt(handle, 0).text, L"&Open\tCtrl+O");
  EXPECT_TRUE(EntryAt(handle, 1).type & MFT_SEPARATOR);
  EXPECT_TRUE(EntryAt(handle, 2).state & MFS_CHECKED);
  const HMENU submenu = EntryAt(handle, 3).submenu;
  ASSERT_NE(submenu, nullptr);
  EXPECT_EQ(GetMenuItemCount(submenu), 1);

  // Changes show at once; owner drawing reaches every level.
  open->SetEnabled(false);
  EXPECT_TRUE(EntryAt(handle, 0).state & MFS_GRAYED);
  menu.SetOwnerDraw(true);
  EXPECT_TRUE(EntryAt(handle, 0).type & MFT_OWNERDRAW);
  EXPECT_TRUE(EntryAt(submenu, 0).type & MFT_OWNERDRAW);
  EXPECT_EQ(menu.FindItem(open->Command()), open);
  EXPECT_EQ(menu.FindItem(menu.Items()->Command()), nullptr);
}

TEST_F(MenusTest, AFormHearsOfEveryChangeOfItsMenuAndRunsItsCommands) {
  const GuiObjectCounts before = LiveGuiObjects();
  {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    form.Show();
    int changes = 0;
    TWindowSubclass watch(form.Handle(), [&changes](TWindowSubclass &self, UINT message, WPARAM w, LPARAM l) {
      changes += message == CM_MENUCHANGED ? 1 : 0;
      return self.CallOld(message, w, l);
    });
    auto *menu = new TMainMenu(&form);
    TMenuItem *file = NewItem(menu->Items(), "&File");
    TMenuItem *quit = NewItem(file, "&Quit");
    EXPECT_EQ(changes, 0); // not the form's menu yet
    form.SetMenu(menu);
    EXPECT_EQ(GetMenu(form.Handle()), menu->Handle());
    EXPECT_EQ(changes, 1);
    quit->SetCaption("E&xit");
    EXPECT_EQ(changes, 2);
    int clicks = 0;
    quit->OnClick = [&](TObject *sender) { clicks += sender == quit ? 1 : 0; };
    SendMessageW(form.Handle(), WM_COMMAND, quit->Command(), 0);
    EXPECT_EQ(clicks, 1);
  } // the form goes first with its menu: each is freed once
  EXPECT_EQ(LiveGuiObjects(), before);
}

TEST_F(MenusTest, APopupMenuIsDrawnByItsHandlersAndClicksTheChosenItem) {
  TPopupMenu menu(nullptr);
  TImageList images(nullptr);
  images.Add(TDibBitmap(16, 16, 0xFF0000FFu));
  menu.SetImages(&images);
  std::vector<std::string> measured, drawn;
  TMenuItem *chosen = nullptr;
  for (const char *caption : {"First", "-", "Last"}) {
    TMenuItem *item = NewItem(menu.Items(), caption);
    item->OnMeasureItem = [&measured](TObject *sender, TCanvas &canvas, int &width, int &height) {
      auto *self = static_cast<TMenuItem *>(sender);
      measured.push_back(self->Caption());
      self->MeasureItem(canvas, width, height);
      width += 40;
    };
    item->OnDrawItem = [&drawn](TObject *sender, TCanvas &canvas, const RECT &rect, bool selected) {
      auto *self = static_cast<TMenuItem *>(sender);
      drawn.push_back(self->Caption() + (selected ? "*" : ""));
      self->DrawItem(canvas, rect, selected);
    };
    item->OnClick = [&chosen](TObject *sender) { chosen = static_cast<TMenuItem *>(sender); };
  }
  // Keys reach the menu's own loop from a timer: down to the first item,
  // then Enter. The loop shows them to the message filter hook.
  static std::vector<WPARAM> keys;
  keys = {VK_RETURN, VK_DOWN};
  std::vector<WPARAM> filtered;
  THook filter(THookKind::MessageFilter, [&](THook &hook, int code, WPARAM wParam, LPARAM lParam) {
    const MSG &message = *reinterpret_cast<const MSG *>(lParam);
    if (code == MSGF_MENU && message.message == WM_KEYDOWN)
      filtered.push_back(message.wParam);
    return hook.CallNext(code, wParam, lParam);
  });
  const UINT_PTR driver = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    if (keys.empty()) {
      EndMenu(); // nothing was chosen: do not wait for ever
      return;
    }
    PostMessageW(Application->Handle(), WM_KEYDOWN, keys.back(), 0);
    keys.pop_back();
  });
  menu.Popup(100, 100);
  KillTimer(nullptr, driver);
  EXPECT_EQ(filtered, (std::vector<WPARAM>{VK_DOWN, VK_RETURN}));
  EXPECT_EQ(std::set<std::string>(measured.begin(), measured.end()), (std::set<std::string>{"First", "-", "Last"}));
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), "First*"), drawn.end());
  EXPECT_EQ(chosen, menu.Items()->Items(0));
}

} // namespace
