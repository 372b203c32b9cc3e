#include "framework/win/OpenDialog.h"

#include <gtest/gtest.h>

#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

TEST(OpenDialog, FiltersAndChosenFilesInTheDialogsForm) {
  using namespace std::string_literals;
  EXPECT_EQ(DialogFilter("Skins (*.skn)|*.skn|All files|*.*"), L"Skins (*.skn)\0*.skn\0All files\0*.*\0\0"s);
  EXPECT_EQ(DialogFilter("Text|*.txt|Orphan"), L"Text\0*.txt\0\0"s);
  EXPECT_EQ(DialogFilter(""), L""s);
  EXPECT_EQ(ChosenFiles(L"C:\\skins\\blue.skn\0\0"s), std::vector<std::string>{"C:\\skins\\blue.skn"});
  EXPECT_EQ(ChosenFiles(L"C:\\skins\0a.skn\0b.skn\0\0"s),
            (std::vector<std::string>{"C:\\skins\\a.skn", "C:\\skins\\b.skn"}));
  EXPECT_EQ(ChosenFiles(L"C:\\\0a.skn\0b.skn\0\0"s), (std::vector<std::string>{"C:\\a.skn", "C:\\b.skn"}));
  EXPECT_TRUE(ChosenFiles(L"\0\0"s).empty());
}

class OpenDialogTest : public GuiTest {};

TEST_F(OpenDialogTest, TheResponderSeesTheRequestAndItsAnswerIsTheChoice) {
  TOpenDialog dialog(nullptr);
  dialog.SetFilter("Skins|*.skn");
  dialog.SetInitialDir("C:\\skins");
  dialog.SetFileName("old.skn");
  DialogRequest seen;
  DialogAnswer answer;
  SetDialogResponder([&](const DialogRequest &request) {
    seen = request;
    return answer;
  });
  answer.ModalResult = mrCancel;
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "old.skn");
  EXPECT_EQ(seen.Kind, DialogKind::OpenFile);
  EXPECT_EQ(seen.Filter, "Skins|*.skn");
  EXPECT_EQ(seen.InitialDir, "C:\\skins");
  EXPECT_FALSE(seen.MultiSelect);

  answer.ModalResult = mrOk;
  answer.Paths = {"C:\\skins\\a.skn", "C:\\skins\\b.skn"};
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Files(), std::vector<std::string>{"C:\\skins\\a.skn"}); // one file was asked for
  dialog.SetOptions(dialog.Options() | of::AllowMultiSelect);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(seen.MultiSelect);
  EXPECT_EQ(dialog.Files().size(), 2u);
  EXPECT_EQ(dialog.FileName(), "C:\\skins\\a.skn");
}

} // namespace
