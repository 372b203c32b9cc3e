#include "framework/win/ListView.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "framework/core/Texts.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class ListViewTest : public FormTest {
protected:
  TListView *MakeReport() {
    auto *view = Add<TListView>(10, 10, 360, 200);
    view->SetViewStyle(TViewStyle::vsReport);
    view->SetRowSelect(true);
    for (const char *caption : {"File", "Size"})
      view->Columns().Add()->SetCaption(caption);
    for (const char *name : {"a.txt", "b.txt", "c.txt"}) {
      TListItem *item = view->Items().Add();
      item->SetCaption(name);
      item->SubItems().Add(std::string(1, name[0]) + " bytes");
    }
    return view;
  }
};

std::string CellText(HWND view, int item, int column) {
  wchar_t text[64] = {};
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = text;
  cell.cchTextMax = 64;
  SendMessageW(view, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell));
  return Narrow(text);
}

TEST_F(ListViewTest, ItemsAndTheirStatesLiveOutsideTheWindow) {
  TListView *view = MakeReport();
  view->SetCheckboxes(true);
  view->Items()[1]->SetSelected(true);
  view->Items()[2]->SetChecked(true);
  form->Show();
  HWND window = view->Handle();
  ASSERT_EQ(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(CellText(window, 1, 1), "b bytes");
  EXPECT_EQ(view->Selected(), view->Items()[1]);
  EXPECT_TRUE(view->Items()[2]->Checked());
  EXPECT_NE(view->HeaderHandle(), nullptr);

  // Changes reach the window; a sub-item taken away leaves its cell empty.
  view->Items()[0]->SetCaption("A.TXT");
  view->Items()[0]->SubItems().Clear();
  view->Items().Insert(0)->SetCaption("first");
  view->Columns().Add()->SetCaption("Date");
  EXPECT_EQ(CellText(window, 1, 0), "A.TXT");
  EXPECT_EQ(CellText(window, 1, 1), "");
  EXPECT_EQ(CellText(window, 3, 1), "c bytes");
  EXPECT_EQ(view->ItemIndex(), 2);

  view->Items()[3]->SetSelected(true);
  view->Items()[3]->SetChecked(false);
  form->Hide();
  form->DestroyHandle();
  form->Show(); // every window made again
  EXPECT_EQ(view->Selected(), view->Items()[3]);
  EXPECT_FALSE(view->Items()[3]->Checked());
  EXPECT_EQ(CellText(view->Handle(), 3, 1), "c bytes");
}

TEST_F(ListViewTest, SelectionColumnClicksAndEditsAreReported) {
  TListView *view = MakeReport();
  std::vector<std::string> events;
  view->OnSelectItem = [&](TObject *, TListItem *item, bool selected) {
    events.push_back(item->Caption() + (selected ? " on" : " off"));
  };
  view->OnColumnClick = [&](TObject *, TListColumn *column) { events.push_back("column " + column->Caption()); };
  view->OnEdited = [&](TObject *, TListItem *, std::string &text) { text += "!"; };
  form->Show();
  view->SetSelected(view->Items()[0]);
  RECT row{LVIR_BOUNDS, 0, 0, 0};
  SendMessageW(view->Handle(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  Click(*view, 20, (row.top + row.bottom) / 2);
  EXPECT_EQ(view->Selected(), view->Items()[2]);
  RECT column{};
  Header_GetItemRect(view->HeaderHandle(), 1, &column);
  const LPARAM middle = MAKELPARAM((column.left + column.right) / 2, 5);
  SendMessageW(view->HeaderHandle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
  SendMessageW(view->HeaderHandle(), WM_LBUTTONUP, 0, middle);
  ProcessMessages();
  EXPECT_EQ(events, (std::vector<std::string>{"a.txt on", "a.txt off", "c.txt on", "column Size"}));

  // The caption the user typed, as the handler leaves it, is the item's.
  wchar_t typed[] = L"renamed";
  NMLVDISPINFOW edit{};
  edit.hdr = NMHDR{view->Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(view->Handle())), LVN_ENDLABELEDITW};
  edit.item.iItem = 1;
  edit.item.pszText = typed;
  SendMessageW(form->Handle(), WM_NOTIFY, edit.hdr.idFrom, reinterpret_cast<LPARAM>(&edit));
  EXPECT_EQ(view->Items()[1]->Caption(), "renamed!");
  EXPECT_EQ(CellText(view->Handle(), 1, 0), "renamed!");
}

} // namespace
