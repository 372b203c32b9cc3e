// The skin preview window: every built-in skin shown on it (a screenshot of
// each for a person to look at), broken packages refused without harm, and
// skin switches that leave no window-system object behind.
#include "preview/PreviewForm.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/win/Capture.h"
#include "framework/win/Handles.h"
#include "framework/win/ListBox.h"
#include "skin/data/Winskindata.h"
#include "skin/runtime/Winskindlg.h"
#include "skin/runtime/Winskinform.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class PreviewFormTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    InstallSkinRuntime();
    form = new TPreviewForm(nullptr);
    form->Show();
    ProcessMessages();
  }
  void TearDown() override {
    delete form;
    form = nullptr;
    DestroySkinManager();
    GuiTest::TearDown();
  }
  TWinSkinForm *Skinner() {
    TSkinManage *manager = RuntimeSkinManager();
    return manager ? manager->FindSkinForm(form->WindowHandle()) : nullptr;
  }
  // Carries out the pending skin action now, as the manager's timer would,
  // and waits until the window wears the skin data.
  void Settle() {
    TSkinManage *manager = RuntimeSkinManager();
    ASSERT_NE(manager, nullptr);
    if (manager->TimerRunning())
      manager->OnTimer();
    ASSERT_TRUE(WaitFor([&] { return Skinner() && Skinner()->State() == SkinState::Active; }));
    ProcessMessages();
  }
  // The package bytes of built-in skin `index`, as a file.
  std::string PackageFile(int index, const std::string &name) {
    TMemoryStream package;
    EXPECT_TRUE(BuiltInSkinPackage(ModuleInstance(), form->Skins().at(static_cast<size_t>(index)), package));
    const std::string path = temp / name;
    package.SaveToFile(path);
    return path;
  }

  // The name a built-in package gives its skin.
  std::string SkinNameOf(int index) {
    TMemoryStream package;
    EXPECT_TRUE(BuiltInSkinPackage(ModuleInstance(), form->Skins().at(static_cast<size_t>(index)), package));
    TSkinData scratch(nullptr);
    scratch.SetSkinFormtype(TSkinFormType::sfDialog);
    scratch.LoadFromStream(&package);
    return scratch.SkinName();
  }

  TPreviewForm *form = nullptr;
  TempDir temp;
};

TEST_F(PreviewFormTest, ShowsEveryBuiltInSkinOnTheWholeWindow) {
  ASSERT_EQ(static_cast<int>(form->Skins().size()), ZORVEX_SKIN_COUNT);
  EXPECT_EQ(form->SkinList()->Items().Count(), ZORVEX_SKIN_COUNT);
  std::vector<std::string> skinNames;
  for (int i = 0; i < ZORVEX_SKIN_COUNT; ++i) {
    const std::string &name = form->Skins()[static_cast<size_t>(i)].Name;
    SCOPED_TRACE(name);
    ASSERT_TRUE(form->ShowBuiltInSkin(i));
    Settle();
    EXPECT_EQ(Skinner()->SkinData(), form->SkinData());
    EXPECT_FALSE(form->SkinData()->SkinLoading());
    EXPECT_EQ(form->SkinList()->ItemIndex(), i);
    EXPECT_EQ(form->ShownSkin(), name);
    skinNames.push_back(form->SkinData()->SkinName());
    SaveWindowImage(form->WindowHandle(), ScreenshotPath("preview-" + name + ".png"));
  }
  // Each entry is a skin of its own, not one package ten times.
  std::sort(skinNames.begin(), skinNames.end());
  EXPECT_EQ(std::unique(skinNames.begin(), skinNames.end()), skinNames.end());
}

TEST_F(PreviewFormTest, ClickingASkinInTheListShowsIt) {
  ASSERT_TRUE(form->ShowBuiltInSkin(0));
  Settle();
  TListBox &list = *form->SkinList();
  const int last = ZORVEX_SKIN_COUNT - 1;
  list.SetTopIndex(last);
  ProcessMessages();
  Click(list, 10, (last - list.TopIndex()) * list.ItemHeight() + 2);
  Settle();
  EXPECT_EQ(form->ShownSkin(), form->Skins().back().Name);
  EXPECT_EQ(form->SkinData()->SkinName(), SkinNameOf(last));
}

TEST_F(PreviewFormTest, ABrokenPackageIsRefusedWithAMessageAndTheSkinStays) {
  ASSERT_TRUE(form->ShowBuiltInSkin(1));
  Settle();
  const std::string skinName = form->SkinData()->SkinName();

  const std::string good = PackageFile(3, "good.skn");
  const std::string bytes = ReadFile(good);
  // A package cut in its header.
  const std::string truncated = temp / "truncated.skn";
  WriteFile(truncated, bytes.substr(0, 12));
  const std::string garbage = temp / "garbage.skn";
  WriteFile(garbage, std::string(5000, '\x5A'));
  const std::string empty = temp / "empty.skn";
  WriteFile(empty, "");
  const std::string missing = temp / "missing.skn";

  for (const std::string &path : {truncated, garbage, empty, missing}) {
    SCOPED_TRACE(path);
    DialogRecorder recorder;
    EXPECT_FALSE(form->ShowSkinFile(path));
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_NE(recorder.Messages()[0].Text.find(path), std::string::npos);
    EXPECT_EQ(recorder.Messages()[0].Title, "Error"); // the program speaks English
    ProcessMessages();
    EXPECT_FALSE(form->SkinData()->SkinLoading());
    EXPECT_EQ(form->SkinData()->SkinName(), skinName);
    EXPECT_EQ(form->ShownSkin(), form->Skins()[1].Name);
    ASSERT_NE(Skinner(), nullptr);
    EXPECT_EQ(Skinner()->State(), SkinState::Active);
  }

  // "Open skin file…" takes the chosen file.
  DialogRecorder recorder;
  recorder.QueuePath(good);
  form->OpenSkinFile();
  Settle();
  EXPECT_TRUE(recorder.Messages().empty());
  EXPECT_EQ(form->ShownSkin(), "good.skn");
  EXPECT_EQ(form->SkinList()->ItemIndex(), -1);
  EXPECT_NE(form->SkinData()->SkinName(), skinName);
}

TEST_F(PreviewFormTest, HundredSkinSwitchesLeaveTheLiveObjectCountFlat) {
  // One round first: caches that live as long as the program fill up.
  for (int i = 0; i < ZORVEX_SKIN_COUNT; ++i) {
    ASSERT_TRUE(form->ShowBuiltInSkin(i));
    Settle();
  }
  const GuiObjectCounts before = LiveGuiObjects();
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(form->ShowBuiltInSkin(i % ZORVEX_SKIN_COUNT));
    Settle();
  }
  const GuiObjectCounts after = LiveGuiObjects();
  EXPECT_EQ(after.Gdi, before.Gdi);
  EXPECT_EQ(after.User, before.User);
}

} // namespace
