// A library carrying its own copy of the framework and the skin runtime
// joins the program's skin manager through SkinDll: its forms follow the
// program's skin, and it leaves nothing of its own behind when it goes.

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include <windows.h>

#include "BuiltSkins.h"
#include "framework/win/Forms.h"
#include "skin/data/Winskindata.h"
#include "skin/runtime/Winskindlg.h"
#include "skin/runtime/Winskinform.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class SkinModuleTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    InstallSkinRuntime();
    skin_ = std::make_unique<TSkinData>(nullptr);
    LoadSkin(2);
    manager_ = RuntimeSkinManager();
    ASSERT_NE(manager_, nullptr);
    library_ = LoadLibraryW(L"" ZORVEX_SKIN_PROBE);
    ASSERT_NE(library_, nullptr) << "the probe library did not load: " << GetLastError();
    showProbe_ = reinterpret_cast<HWND (*)()>(reinterpret_cast<void *>(GetProcAddress(library_, "ProbeShowForm")));
    closeProbe_ = reinterpret_cast<void (*)()>(reinterpret_cast<void *>(GetProcAddress(library_, "ProbeCloseForm")));
    ASSERT_TRUE(showProbe_ && closeProbe_);
  }
  void TearDown() override {
    if (library_)
      closeProbe_();
    form_.reset();
    skin_.reset();
    DestroySkinManager();
    if (library_)
      FreeLibrary(library_);
    GuiTest::TearDown();
  }
  void LoadSkin(size_t index) {
    skin_->LoadFromFile(SkinPackages().at(index));
    ASSERT_FALSE(skin_->SkinLoading());
    skin_->Loaded();
  }
  // The program's own form, skinned now as the timer would.
  void SkinProgram() {
    form_ = std::make_unique<TForm>(nullptr);
    form_->SetBounds(60, 60, 420, 300);
    form_->SetCaption("Program");
    form_->Show();
    ProcessMessages();
    skin_->SetActive(true);
    manager_->OnTimer();
    ASSERT_TRUE(WaitFor([&] { return SkinnedBy(form_->WindowHandle(), nullptr); }));
  }
  TSkinManage *Join() {
    EXPECT_TRUE(JoinSkinModule(library_));
    const std::vector<TSkinManage *> subs = manager_->SubManagers();
    return subs.size() == 1 ? subs.front() : nullptr;
  }
  // Whether the window carries an active skinner made by that module's
  // manager (null: the program's).
  bool SkinnedBy(HWND window, HMODULE module) {
    TWinSkinForm *skinner = manager_->FindSkinForm(window);
    return skinner && skinner->State() == SkinState::Active && skinner->ModuleId == module;
  }
  // The window's borders, as the skinner sizes them.
  static RECT Borders(HWND window) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return {origin.x - outer.left, origin.y - outer.top, outer.right - origin.x - client.right,
            outer.bottom - origin.y - client.bottom};
  }
  static bool SameBorders(const RECT &a, const RECT &b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }

  std::unique_ptr<TSkinData> skin_;
  TSkinManage *manager_ = nullptr;
  std::unique_ptr<TForm> form_;
  HMODULE library_ = nullptr;
  HWND (*showProbe_)() = nullptr;
  void (*closeProbe_)() = nullptr;
};

} // namespace

TEST_F(SkinModuleTest, AJoinedLibrarySkinsItsOwnFormsWithTheProgramsSkin) {
  SkinProgram();
  TSkinManage *sub = Join();
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->Parent(), manager_);
  EXPECT_TRUE(sub->Active());
  EXPECT_EQ(sub->RunState(), 2);
  EXPECT_EQ(sub->ModuleId(), library_);
  // Joining again changes nothing.
  EXPECT_TRUE(JoinSkinModule(library_));
  EXPECT_EQ(manager_->SubManagers().size(), 1u);

  const HWND probe = showProbe_();
  ASSERT_NE(probe, nullptr);
  ASSERT_TRUE(WaitFor([&] { return SkinnedBy(probe, library_); }));
  ProcessMessages();
  EXPECT_TRUE(SameBorders(Borders(probe), Borders(form_->WindowHandle())));
  // The program's own hook left the library's form to the library.
  EXPECT_EQ(manager_->Forms().size(), 2u);

  // An extra thread's hook is the program's: it outlives any library.
  sub->InstallThread(static_cast<int>(GetCurrentThreadId()));
  EXPECT_EQ(manager_->ThreadCount(), 1);
  sub->UnInstallThread(static_cast<int>(GetCurrentThreadId()));
  EXPECT_EQ(manager_->ThreadCount(), 0);
}

TEST_F(SkinModuleTest, SwitchingAndChangingTheSkinReachTheLibrarysForms) {
  SkinProgram();
  ASSERT_NE(Join(), nullptr);
  const HWND probe = showProbe_();
  ASSERT_TRUE(WaitFor([&] { return SkinnedBy(probe, library_); }));

  // Off: every window of the program in the same tick.
  skin_->SetActive(false);
  manager_->OnTimer();
  EXPECT_TRUE(manager_->Forms().empty());
  const RECT plain = Borders(probe);

  // On: the program's forms at once, the library's on its own timer.
  skin_->SetActive(true);
  manager_->OnTimer();
  ASSERT_TRUE(WaitFor([&] { return SkinnedBy(form_->WindowHandle(), nullptr) && SkinnedBy(probe, library_); }));
  EXPECT_FALSE(SameBorders(plain, Borders(probe)));

  // Another skin with other borders: the library's form takes it as well.
  const RECT before = Borders(form_->WindowHandle());
  bool changed = false;
  for (size_t i = 0; i < SkinPackages().size(); ++i) {
    if (i == 2)
      continue;
    skin_->LoadFromFile(SkinPackages().at(i));
    ASSERT_EQ(manager_->PendingAction(), SkinActionChanged);
    manager_->OnTimer();
    ProcessMessages();
    changed = !SameBorders(before, Borders(form_->WindowHandle()));
    if (changed)
      break;
  }
  ASSERT_TRUE(changed) << "no built skin has other borders than skin 2";
  EXPECT_TRUE(SkinnedBy(probe, library_));
  EXPECT_TRUE(SameBorders(Borders(probe), Borders(form_->WindowHandle())));
}

TEST_F(SkinModuleTest, ALibraryThatGoesLeavesTheProgramsListsClean) {
  SkinProgram();
  ASSERT_NE(Join(), nullptr);
  const HWND probe = showProbe_();
  ASSERT_TRUE(WaitFor([&] { return SkinnedBy(probe, library_); }));

  // Unloaded with its form still open: the library's manager goes first
  // and takes its skinner out of the shared list, then the form closes.
  FreeLibrary(std::exchange(library_, nullptr));
  EXPECT_FALSE(IsWindow(probe));
  EXPECT_TRUE(manager_->SubManagers().empty());
  ASSERT_EQ(manager_->Forms().size(), 1u);

  // The program switches on as before.
  skin_->SetActive(false);
  manager_->OnTimer();
  skin_->SetActive(true);
  manager_->OnTimer();
  EXPECT_TRUE(WaitFor([&] { return SkinnedBy(form_->WindowHandle(), nullptr); }));
}

TEST_F(SkinModuleTest, TheProgramsManagerGoingFirstGivesTheLibrarysFormsBack) {
  const HWND probe = showProbe_();
  ASSERT_NE(probe, nullptr);
  ProcessMessages();
  const LONG_PTR plainProc = GetWindowLongPtrW(probe, GWLP_WNDPROC);
  const RECT plain = Borders(probe);
  SkinProgram();
  ASSERT_NE(Join(), nullptr);
  // The sub-manager joins an active program: its forms are skinned as the
  // program's own action reaches it.
  skin_->SetActive(false);
  manager_->OnTimer();
  skin_->SetActive(true);
  manager_->OnTimer();
  ASSERT_TRUE(WaitFor([&] { return SkinnedBy(probe, library_); }));
  ASSERT_NE(GetWindowLongPtrW(probe, GWLP_WNDPROC), plainProc);

  skin_.reset();
  DestroySkinManager();
  manager_ = nullptr;
  EXPECT_EQ(GetWindowLongPtrW(probe, GWLP_WNDPROC), plainProc);
  EXPECT_TRUE(SameBorders(Borders(probe), plain));
  // The library still works on its own and closes cleanly.
  EXPECT_EQ(showProbe_(), probe);
  closeProbe_();
  EXPECT_FALSE(IsWindow(probe));
}
