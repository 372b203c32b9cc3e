// The skin button of the main window and the skins it shows on every window
// of the program, with screenshots of each skin for a person to look at.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/Language.h"
#include "app/ZorvexFP.h"
#include "app/ZorvexFS1.h"
#include "framework/core/BitmapDraw.h"
#include "framework/win/Capture.h"
#include "framework/win/Dialogs.h"
#include "framework/win/Handles.h"
#include "framework/win/Registry.h"
#include "skin/data/Winskindata.h"
#include "skin/data/Winskinstore.h"
#include "skin/runtime/Winskindlg.h"
#include "skin/runtime/Winskinform.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class SkinSelectionTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    InstallSkinRuntime();
    SettingsKey = SettingsLocation{HKEY_CURRENT_USER, key.Child("machine\\Zorvex_V1.1"), HKEY_CURRENT_USER,
                                   key.Child("user\\Zorvex_V1.1")};
    Language = kEnglish;
    SkinNumber = 0;
  }
  void TearDown() override {
    delete form;
    delete help;
    form = nullptr;
    help = nullptr;
    DestroySkinManager();
    SettingsKey = DefaultSettingsLocation();
    GuiTest::TearDown();
  }
  void Start(bool show = true) {
    form = new TForm1(nullptr);
    help = new TForm2(nullptr);
    if (show) {
      form->Show();
      ProcessMessages();
    }
  }
  void WriteSkin(int skin) {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey(SettingsKey.MachinePath, true));
    registry.WriteString("Language", "English");
    registry.WriteInteger("Skin", skin);
  }
  // Carries out the pending skin action now, as the manager's timer would,
  // and lets the windows take it.
  void Settle() {
    TSkinManage *manager = RuntimeSkinManager();
    ASSERT_NE(manager, nullptr);
    if (manager->TimerRunning())
      manager->OnTimer();
    WaitFor([&] {
      TWinSkinForm *skinner = manager->FindSkinForm(form->WindowHandle());
      return form->SkinData1->Active() ? skinner && skinner->State() == SkinState::Active : skinner == nullptr;
    });
    ProcessMessages();
  }
  TWinSkinForm *Skinner(TForm &window) {
    TSkinManage *manager = RuntimeSkinManager();
    return manager && window.HandleAllocated() ? manager->FindSkinForm(window.WindowHandle()) : nullptr;
  }
  // The store entry the skin data holds now.
  int HeldEntry() {
    TSkinCollection &store = *form->SkinStore1->Store();
    for (int i = 0; i < store.Count(); ++i)
      if (store.Items(i)->Data().Bytes() == form->SkinData1->Package().Bytes())
        return i;
    return -1;
  }

  TestRegistryKey key;
  TForm1 *form = nullptr;
  TForm2 *help = nullptr;
};

} // namespace

TEST_F(SkinSelectionTest, TheButtonCyclesNumbersAndEveryNumberShowsItsStoreEntry) {
  Start();
  ASSERT_EQ(form->SkinStore1->Store()->Count(), 10);
  EXPECT_EQ(Skinner(*form), nullptr);
  for (int press = 1; press <= 10; ++press) {
    Click(*form->BitBtn14);
    Settle();
    const int number = press % 10;
    EXPECT_EQ(form->BitBtn14->Caption(), std::to_string(number));
    if (number == 0) {
      EXPECT_FALSE(form->SkinData1->Active());
      EXPECT_EQ(Skinner(*form), nullptr) << "number 0 is the plain look";
      // with the window's own colours, the doubles grid's yellow captions too
      EXPECT_EQ(form->Color(), clBtnFace);
      EXPECT_EQ(form->SG3->FixedColor(), clYellow);
    } else {
      EXPECT_TRUE(form->SkinData1->Active());
      EXPECT_EQ(HeldEntry(), number == 9 ? 0 : number);
      ASSERT_NE(Skinner(*form), nullptr) << "number " << number;
      EXPECT_EQ(Skinner(*form)->SkinData(), form->SkinData1);
    }
  }
}

TEST_F(SkinSelectionTest, TheStoredNumberIsInForceBeforeTheWindowFirstAppears) {
  WriteSkin(5);
  Start(false);
  EXPECT_EQ(form->BitBtn14->Caption(), "5");
  EXPECT_TRUE(form->SkinData1->Active());
  EXPECT_EQ(HeldEntry(), 5);
  form->Show();
  ASSERT_TRUE(WaitFor([&] { return Skinner(*form) && Skinner(*form)->State() == SkinState::Active; }));
  // The other windows of the program take it as they appear.
  help->Show();
  EXPECT_TRUE(WaitFor([&] { return Skinner(*help) != nullptr; }));
}

TEST_F(SkinSelectionTest, AHundredPressesLeaveNoObjectBehind) {
  Start();
  auto cycle = [&] {
    for (int press = 0; press < 10; ++press) {
      Click(*form->BitBtn14);
      Settle();
    }
  };
  cycle();
  const GuiObjectCounts after1 = LiveGuiObjects();
  const size_t forms1 = RuntimeSkinManager()->Forms().size();
  for (int round = 1; round < 10; ++round)
    cycle();
  EXPECT_EQ(LiveGuiObjects(), after1);
  EXPECT_EQ(RuntimeSkinManager()->Forms().size(), forms1);
}

TEST_F(SkinSelectionTest, ScreenshotsOfEverySkin) {
  Start();
  // The ten main windows side by side, for a person to compare.
  TBitmap sheet;
  int cellWidth = 0, cellHeight = 0;
  for (const std::string &language : {kEnglish, kFrench}) {
    if (language != Language)
      Click(language == kFrench ? *form->BitBtn11 : *form->BitBtn10);
    for (int number = 0; number < 10; ++number) {
      const std::string suffix = std::to_string(number) + (language == kFrench ? "-fr" : "-en");
      SaveWindowImage(form->Handle(), ScreenshotPath("skin-" + suffix + ".png"));
      if (language == kEnglish) {
        const TBitmap shot = CaptureWindow(form->Handle()).ToBitmap();
        if (sheet.Empty()) {
          cellWidth = shot.Width() / 2;
          cellHeight = shot.Height() / 2;
          sheet = TBitmap(cellWidth * 5, cellHeight * 2);
        }
        StretchCopy(sheet, Bounds((number % 5) * cellWidth, (number / 5) * cellHeight, cellWidth, cellHeight), shot,
                    {0, 0, shot.Width(), shot.Height()});
      }
      Click(*form->BitBtn14);
      Settle();
    }
  }
  SaveImage(TDibBitmap(sheet), ScreenshotPath("skins-contact-sheet.png"));

  // The help window, a message box and the save dialog in two skins.
  for (int number : {2, 5}) {
    while (form->BitBtn14->Caption() != std::to_string(number)) {
      Click(*form->BitBtn14);
      Settle();
    }
    help->Show();
    WaitFor([&] { return Skinner(*help) && Skinner(*help)->State() == SkinState::Active; });
    SaveWindowImage(help->Handle(), ScreenshotPath("skin-" + std::to_string(number) + "-help.png"));
    help->Hide();

    TMessageForm box(nullptr, "Les fichiers en double ont \xC3\xA9t\xC3\xA9 envoy\xC3\xA9s \xC3\xA0 la corbeille.",
                     TMsgDlgType::mtInformation, mb::OK, DialogTexts().Information);
    box.Show();
    WaitFor([&] { return Skinner(box) && Skinner(box)->State() == SkinState::Active; });
    SaveWindowImage(box.Handle(), ScreenshotPath("skin-" + std::to_string(number) + "-message.png"));
    box.Hide();

    // The system's save dialog: shot and cancelled from a timer while it runs.
    static std::string shotPath;
    shotPath = ScreenshotPath("skin-" + std::to_string(number) + "-save.png");
    const OwnedTimer timer = StartTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
      HWND dialog = GetActiveWindow();
      TSkinManage *manager = RuntimeSkinManager();
      if (!dialog || !manager || !manager->FindSkinForm(dialog))
        return;
      KillTimer(nullptr, id);
      try {
        SaveWindowImage(dialog, shotPath);
      } catch (...) {
      }
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    TSaveDialog save(nullptr);
    save.SetFileName("doubles.txt");
    EXPECT_FALSE(save.Execute());
  }
}
