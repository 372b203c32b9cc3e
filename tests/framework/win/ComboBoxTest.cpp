#include "framework/win/ComboBox.h"

#include <gtest/gtest.h>

#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class ComboBoxTest : public FormTest {
protected:
  TComboBox *MakeCombo(TComboBoxStyle style) {
    auto *combo = Add<TComboBox>(10, 10, 150, 21);
    combo->SetStyle(style);
    combo->Items().SetCommaText("Red,Green,Blue");
    return combo;
  }
};

TEST_F(ComboBoxTest, ADropDownListShowsOnlyItsItems) {
  auto *combo = MakeCombo(TComboBoxStyle::csDropDownList);
  combo->SetText("green"); // letter case aside
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "Green");
  form->Show();
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCURSEL, 0, 0), 1);
  combo->SetText("Purple");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
}

TEST_F(ComboBoxTest, ADropDownKeepsTypedTextThatIsNoItemAcrossANewWindow) {
  auto *combo = MakeCombo(TComboBoxStyle::csDropDown);
  form->Show();
  combo->SetText("Blue");
  EXPECT_EQ(combo->ItemIndex(), 2);
  SendMessageW(combo->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Teal")); // as typed
  combo->SetStyle(TComboBoxStyle::csSimple);
  EXPECT_EQ(combo->Text(), "Teal");
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
  combo->SetItemIndex(0);
  combo->SetStyle(TComboBoxStyle::csDropDown);
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->Text(), "Red");
}

TEST_F(ComboBoxTest, TheFieldKeepsItsHeightAndTheListShowsDropDownCountItems) {
  auto *combo = MakeCombo(TComboBoxStyle::csDropDownList);
  for (int i = 0; i < 20; ++i)
    combo->Items().Add("more");
  combo->SetDropDownCount(4);
  form->Show();
  RECT window{};
  GetWindowRect(combo->Handle(), &window);
  EXPECT_EQ(combo->Height(), window.bottom - window.top);
  EXPECT_LT(combo->Height(), 30);
  combo->SetDroppedDown(true);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
  RECT dropped{};
  GetWindowRect(info.hwndList, &dropped);
  const auto item = static_cast<int>(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
  const int list = dropped.bottom - dropped.top;
  EXPECT_GE(list, 4 * item);
  EXPECT_LT(list, 5 * item);
  combo->SetDroppedDown(false);
}

TEST_F(ComboBoxTest, TheUsersPickIsReportedWithTheFieldShowingIt) {
  auto *combo = MakeCombo(TComboBoxStyle::csDropDown);
  std::vector<std::string> events;
  combo->OnSelect = [&](TObject *) { events.push_back("select " + combo->Text()); };
  combo->OnChange = [&](TObject *) { events.push_back("change " + combo->Text()); };
  form->Show();
  combo->SetItemIndex(0); // the program's own change is not reported
  combo->SetFocus();
  PressKey(GetFocus(), VK_DOWN);
  EXPECT_EQ(events, (std::vector<std::string>{"select Green", "change Green"}));
}

} // namespace
