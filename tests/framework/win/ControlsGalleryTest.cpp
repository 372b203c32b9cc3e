// One window with every control that has a unit of its own, as a person
// sees it (a screenshot), and the class names the skin engine goes by.

#include <gtest/gtest.h>

#include "framework/win/Capture.h"
#include "framework/win/ComboBox.h"
#include "framework/win/HeaderControl.h"
#include "framework/win/ListBox.h"
#include "framework/win/ListView.h"
#include "framework/win/Memo.h"
#include "framework/win/Menus.h"
#include "framework/win/PageControl.h"
#include "framework/win/ScrollBar.h"
#include "framework/win/SpeedButton.h"
#include "framework/win/StatusBar.h"
#include "framework/win/ToolBar.h"
#include "framework/win/TrackBar.h"
#include "framework/win/UpDown.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class ControlsGalleryTest : public FormTest {};

TEST_F(ControlsGalleryTest, EveryWindowIsOfItsClassesNameAndTheWholeLooksRight) {
  form->SetCaption("Controls");
  form->SetClientSize(640, 480);
  auto *images = new TImageList(form);
  for (uint32_t colour : {0xFFD04040u, 0xFF40A040u, 0xFF4060D0u})
    images->Add(TDibBitmap(16, 16, colour));

  auto *bar = Add<TToolBar>(0, 0, 640, 28);
  bar->SetImages(images);
  for (int i = 0; i < 4; ++i) {
    auto *button = new TToolButton(form);
    button->SetParent(bar);
    button->SetImageIndex(i % 3);
    button->SetStyle(i == 3 ? TToolButtonStyle::tbsDropDown : TToolButtonStyle::tbsButton);
    if (i == 3)
      button->SetDropdownMenu(new TPopupMenu(form));
  }
  auto *combo = Add<TComboBox>(8, 36, 150, 21);
  combo->Items().SetCommaText("Red,Green,Blue");
  combo->SetItemIndex(1);
  auto *list = Add<TComboBox>(8, 64, 150, 21);
  list->SetStyle(TComboBoxStyle::csDropDownList);
  list->Items().SetCommaText("One,Two");
  list->SetItemIndex(0);
  auto *box = Add<TListBox>(8, 92, 150, 80);
  box->Items().SetCommaText("alpha,beta,gamma,delta");
  box->SetItemIndex(2);
  auto *memo = Add<TMemo>(8, 180, 150, 80);
  memo->SetScrollBars(TScrollStyle::ssVertical);
  memo->Lines().SetText("A memo\r\nwith lines\r\nand a bar");
  auto *scroll = Add<TScrollBar>(8, 268, 150, 17);
  scroll->SetParams(30, 0, 100);
  auto *track = Add<TTrackBar>(8, 292, 150, 40);
  track->SetPosition(6);
  auto *edit = Add<TEdit>(8, 340, 80, 21);
  auto *updown = Add<TUpDown>(0, 0, 17, 21);
  updown->SetAssociate(edit);
  updown->SetPosition(42);
  auto *speed = Add<TSpeedButton>(100, 340, 60, 24);
  speed->SetCaption("Speed");
  speed->SetGroupIndex(1);
  speed->SetDown(true);

  auto *pages = Add<TPageControl>(170, 36, 460, 170);
  auto *sheet = new TTabSheet(form);
  sheet->SetPageControl(pages);
  sheet->SetCaption("Files");
  auto *other = new TTabSheet(form);
  other->SetPageControl(pages);
  other->SetCaption("Options");
  auto *view = Add<TListView>(8, 8, 430, 120, sheet);
  view->SetViewStyle(TViewStyle::vsReport);
  view->SetRowSelect(true);
  view->SetSmallImages(images);
  for (const char *caption : {"Name", "Size"})
    view->Columns().Add()->SetCaption(caption);
  view->Columns().Items(0)->SetWidth(200);
  for (int i = 0; i < 3; ++i) {
    TListItem *item = view->Items().Add();
    item->SetCaption("file" + std::to_string(i) + ".txt");
    item->SetImageIndex(i);
    item->SubItems().Add(std::to_string(100 * (i + 1)));
  }
  view->Items()[1]->SetSelected(true);
  auto *tabs = Add<TTabControl>(170, 214, 460, 80);
  tabs->Tabs().SetCommaText("First,Second,Third");
  tabs->SetTabIndex(0);
  auto *header = Add<THeaderControl>(170, 302, 460, 20);
  for (const char *text : {"Column", "Other"})
    header->Sections().Add()->SetText(text);
  auto *status = Add<TStatusBar>(0, 460, 640, 20);
  status->Panels().Add()->SetText("Ready");
  status->Panels().Items(0)->SetWidth(200);
  status->Panels().Add()->SetText("3 files");

  form->Show();
  const std::vector<std::pair<TWinControl *, std::string>> named = {
      {bar, "TToolBar"},      {combo, "TComboBox"}, {box, "TListBox"},     {memo, "TMemo"},
      {scroll, "TScrollBar"}, {track, "TTrackBar"}, {updown, "TUpDown"},   {pages, "TPageControl"},
      {sheet, "TTabSheet"},   {view, "TListView"},  {tabs, "TTabControl"}, {header, "THeaderControl"},
      {status, "TStatusBar"}};
  for (const auto &[control, name] : named) {
    EXPECT_EQ(WindowClass(control->Handle()), name);
    EXPECT_EQ(FindControl(control->Handle()), control);
  }
  ProcessMessages(); // the header lays its sections out from a posted message
  SaveWindowImage(form->Handle(), ScreenshotPath("controls-gallery.png"));
}

} // namespace
