#include "framework/win/Dialogs.h"

#include <gtest/gtest.h>

#include "framework/core/Paths.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

using DialogsTest = GuiTest;

// Runs `work` from the message loop once the next TMessageForm is up, and
// returns what MessageDlg answered.
struct BoxWatcher {
  std::function<void(TMessageForm &)> work;
  bool ran = false;
  UINT_PTR timer = 0;
  static BoxWatcher *active;

  explicit BoxWatcher(std::function<void(TMessageForm &)> what) : work(std::move(what)) {
    active = this;
    timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
      if (!active || active->ran)
        return;
      for (int i = 0; i < Screen().FormCount(); ++i)
        if (auto *box = dynamic_cast<TMessageForm *>(Screen().Forms(i)); box && box->Showing()) {
          active->ran = true;
          active->work(*box);
          return;
        }
    });
  }
  ~BoxWatcher() {
    KillTimer(nullptr, timer);
    active = nullptr;
  }
};
BoxWatcher *BoxWatcher::active = nullptr;

// Chooses the language of the framework's texts while it lives.
struct DialogLanguageChoice {
  explicit DialogLanguageChoice(TDialogLanguage language) : previous(DialogLanguage()) { SetDialogLanguage(language); }
  ~DialogLanguageChoice() { SetDialogLanguage(previous); }
  TDialogLanguage previous;
};

TEST_F(DialogsTest, TheRealBoxIsAFrameworkFormWithFrenchTitleAndButtons) {
  const DialogLanguageChoice french(TDialogLanguage::French);
  std::string className, title, text;
  std::vector<std::string> captions;
  BoxWatcher watcher([&](TMessageForm &box) {
    className = WindowClass(box.Handle());
    title = WindowText(box.Handle());
    text = box.Message()->Caption();
    for (int result : {mrOk, mrAbort})
      if (TButton *button = box.Button(result))
        captions.push_back(WindowText(button->Handle()));
    Click(*box.Button(mrAbort));
  });
  const int answer = MessageDlg("Delete the file?", TMsgDlgType::mtWarning, mb::OK | mb::Abort);
  EXPECT_TRUE(watcher.ran);
  EXPECT_EQ(answer, mrAbort);
  EXPECT_EQ(className, "TMessageForm");
  EXPECT_EQ(title, "Avertissement");
  EXPECT_EQ(text, "Delete the file?");
  EXPECT_EQ(captions, (std::vector<std::string>{"OK", "&Abandonner"}));
}

TEST_F(DialogsTest, ClosingAConfirmationBoxNeverConfirmsIt) {
  // The close box and Escape both give the cancelling button: Abort here,
  // never OK.
  BoxWatcher closeBox([](TMessageForm &box) { PostMessageW(box.Handle(), WM_CLOSE, 0, 0); });
  EXPECT_EQ(MessageDlg("Recycle?", TMsgDlgType::mtWarning, mb::OK | mb::Abort), mrAbort);
  BoxWatcher escape([](TMessageForm &box) { PressKey(box.Button(mrOk)->Handle(), VK_ESCAPE); });
  EXPECT_EQ(MessageDlg("Recycle?", TMsgDlgType::mtWarning, mb::OK | mb::Abort), mrAbort);
  BoxWatcher enter([](TMessageForm &box) { PressKey(box.Button(mrOk)->Handle(), VK_RETURN); });
  EXPECT_EQ(MessageDlg("Recycle?", TMsgDlgType::mtWarning, mb::OK | mb::Abort), mrOk);
  BoxWatcher accelerator([](TMessageForm &box) {
    PostMessageW(box.Button(mrOk)->Handle(), WM_SYSCHAR, 'a', 1 << 29);
    ProcessMessages();
  });
  EXPECT_EQ(MessageDlg("Recycle?", TMsgDlgType::mtWarning, mb::OK | mb::Abort), mrAbort);
}

TEST_F(DialogsTest, TheModalBoxDisablesTheOtherWindowsUntilItCloses) {
  TForm owner(nullptr);
  owner.SetBounds(0, 0, 200, 100);
  owner.Show();
  bool ownerEnabledDuringBox = true;
  BoxWatcher watcher([&](TMessageForm &box) {
    ownerEnabledDuringBox = IsWindowEnabled(owner.Handle()) != FALSE;
    Click(*box.Button(mrOk));
  });
  MessageDlg("Done", TMsgDlgType::mtInformation, mb::OK);
  EXPECT_FALSE(ownerEnabledDuringBox);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST_F(DialogsTest, TheResponderSeesEveryKindOfBoxWithItsFrameworkTitle) {
  DialogRecorder dialogs;
  dialogs.QueueAnswer(mrAbort);
  EXPECT_EQ(MessageDlg("Overwrite?", TMsgDlgType::mtWarning, mb::OK | mb::Abort), mrAbort);
  MessageDlg("Broken", TMsgDlgType::mtError, mb::OK);
  MessageDlg("3 doubles", TMsgDlgType::mtInformation, mb::OK);
  ShowMessage("Plain");
  const auto messages = dialogs.Messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].Title, "Warning");
  EXPECT_EQ(messages[0].Buttons, (std::vector<std::string>{"OK", "&Abort"}));
  EXPECT_EQ(messages[1].Title, "Error");
  EXPECT_EQ(messages[2].Title, "Information");
  EXPECT_EQ(messages[3].Title, "Zorvex");
  EXPECT_EQ(messages[3].Type, TMsgDlgType::mtCustom);
  EXPECT_EQ(messages[3].Buttons, (std::vector<std::string>{"OK"}));
}

TEST_F(DialogsTest, TitlesAndButtonsAreEnglishUnlessTheProgramChoosesFrench) {
  DialogRecorder dialogs;
  MessageDlg("Broken", TMsgDlgType::mtError, mb::OK | mb::Cancel);
  {
    const DialogLanguageChoice french(TDialogLanguage::French);
    MessageDlg("Cass\xC3\xA9", TMsgDlgType::mtError, mb::OK | mb::Cancel);
  }
  MessageDlg("Broken again", TMsgDlgType::mtError, mb::OK | mb::Cancel);
  const auto messages = dialogs.Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].Title, "Error");
  EXPECT_EQ(messages[0].Buttons, (std::vector<std::string>{"OK", "Cancel"}));
  EXPECT_EQ(messages[1].Title, "Erreur");
  EXPECT_EQ(messages[1].Buttons, (std::vector<std::string>{"OK", "Annuler"}));
  EXPECT_EQ(messages[2].Title, "Error");
}

TEST_F(DialogsTest, BeepsAreSeenByTheResponder) {
  DialogRecorder dialogs;
  DefaultBeep();
  ToneBeep(1000, 20);
  ASSERT_EQ(dialogs.Requests().size(), 2u);
  EXPECT_EQ(dialogs.Beeps(), 1);
  EXPECT_EQ(dialogs.Requests()[1].Kind, DialogKind::Tone);
  EXPECT_EQ(dialogs.Requests()[1].Frequency, 1000u);
  EXPECT_EQ(dialogs.Requests()[1].Duration, 20u);
}

TEST_F(DialogsTest, AFolderThatDoesNotExistIsCreatedOnlyAfterConfirmation) {
  TempDir temp;
  const std::string wanted = temp / "new\\deeper";
  std::string chosen;
  {
    DialogRecorder dialogs;
    dialogs.QueuePath(wanted);
    dialogs.QueueAnswer(mrNo);
    EXPECT_FALSE(SelectDirectory(temp.Path(), chosen));
    EXPECT_FALSE(DirectoryExists(wanted));
    ASSERT_EQ(dialogs.Requests().size(), 2u);
    EXPECT_EQ(dialogs.Requests()[0].Kind, DialogKind::SelectDirectory);
    EXPECT_EQ(dialogs.Requests()[0].Path, temp.Path());
    EXPECT_EQ(dialogs.Requests()[1].Type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(dialogs.Requests()[1].Buttons, (std::vector<std::string>{"&Yes", "&No"}));
  }
  {
    DialogRecorder dialogs;
    dialogs.QueuePath(wanted + "\\");
    dialogs.QueueAnswer(mrYes);
    EXPECT_TRUE(SelectDirectory(temp.Path(), chosen));
    EXPECT_EQ(chosen, wanted);
    EXPECT_TRUE(DirectoryExists(wanted));
  }
  {
    DialogRecorder dialogs; // cancelled
    EXPECT_FALSE(SelectDirectory(temp.Path(), chosen));
  }
}

TEST_F(DialogsTest, AFolderThatCannotBeCreatedIsReportedAndNotChosen) {
  TempDir temp;
  const std::string file = temp / "plain.txt";
  WriteFile(file, "x");
  DialogRecorder dialogs;
  dialogs.QueuePath(file + "\\below");
  dialogs.QueueAnswer(mrYes);
  std::string chosen = "unchanged";
  EXPECT_FALSE(SelectDirectory(temp.Path(), chosen));
  EXPECT_EQ(chosen, "unchanged");
  ASSERT_EQ(dialogs.Messages().size(), 2u);
  EXPECT_EQ(dialogs.Messages()[1].Type, TMsgDlgType::mtError);
  EXPECT_NE(dialogs.Messages()[1].Text.find(file), std::string::npos);
}

TEST_F(DialogsTest, TheSaveDialogOffersItsPresetAndTakesTheAnswer) {
  DialogRecorder dialogs;
  TSaveDialog dialog(nullptr);
  dialog.SetDefaultExt("txt");
  dialog.SetFileName("Zorvex");
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "Zorvex");
  dialogs.QueuePath("C:\\out\\list.txt");
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "C:\\out\\list.txt");
  EXPECT_EQ(dialogs.Requests()[0].Path, "Zorvex");
  EXPECT_EQ(dialogs.Requests()[0].DefaultExt, "txt");
}

TEST_F(DialogsTest, TabMovesTheFocusInTabOrderAndEnterClicksTheDefaultButton) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto *first = new TEdit(&form);
  first->SetParent(&form);
  auto *second = new TEdit(&form);
  second->SetParent(&form);
  second->SetTop(30);
  auto *button = new TButton(&form);
  button->SetParent(&form);
  button->SetTop(60);
  button->SetDefault(true);
  int clicks = 0;
  button->OnClick = [&](TObject *) { ++clicks; };
  form.Show();
  first->SetFocus();
  PressKey(first->Handle(), VK_TAB);
  EXPECT_TRUE(second->Focused());
  PressKey(second->Handle(), VK_RETURN);
  EXPECT_EQ(clicks, 1);
  PressKey(second->Handle(), VK_TAB);
  EXPECT_TRUE(button->Focused());
  PressKey(button->Handle(), VK_TAB);
  EXPECT_TRUE(first->Focused());
}

} // namespace
