#pragma once
// TSkinManage: the one skin manager of the module. Its CBT hook offers every
// window that is created, activated or destroyed; it decides whether and
// with which skin data a window is skinned, attaches form skinners and popup
// menu skinners, keeps the lists of everything skinned, and carries out the
// switching of skins on and off from its action timer, on the user-interface
// thread. Another module carrying the runtime joins it through SkinDll and
// shares its lists as a sub-manager.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/win/Handles.h"
#include "framework/win/Hooks.h"
#include "skin/data/SkinManagerLink.h"

namespace zorvex {

class TForm;
class TSkinData;
class TWinControl;
class TWinSkinForm;
class TWinSkinPopMenu;
class TBitmap;
class TTimer;

// What the next popup menu window belongs to.
namespace MenuKind {
constexpr int Free = 0;    // a popup menu of its own
constexpr int MenuBar = 1; // a form's menu bar or menu item
constexpr int System = 2;  // a form's system menu
} // namespace MenuKind

// Run states.
namespace RunState {
constexpr int NotStarted = 0;
constexpr int Running = 1;
constexpr int Destroying = 4;
} // namespace RunState

class TSkinManage : public TSkinManagerLink {
public:
  explicit TSkinManage(TSkinManagerKind kind);
  ~TSkinManage() override;
  TSkinManage(const TSkinManage &) = delete;
  TSkinManage &operator=(const TSkinManage &) = delete;

  // ---- What the skin data asks (TSkinManagerLink)
  void AddSkinData(TSkinData *skinData) override;
  void RemoveSkinData(TSkinData *skinData) override;
  void SetPendingSkinData(TSkinData *skinData) override { pending_ = skinData; }
  void SetAction(int action, int delayMs) override;
  int RunState() const override { return runState_; }
  void SetRunState(int runState) override { runState_ = runState; }
  bool Active() const override { return active_; }
  void SetActive(bool active) override { active_ = active; }
  void SetForced(bool forced) override { forced_ = forced; }
  void InstallHook() override;
  void InstallThread(int threadId) override;
  void UnInstallThread(int threadId) override;
  bool AddForm(TSkinWindow window) override { return AddForm(static_cast<HWND>(window)); }
  TSkinWindow FormWindow(TComponent *owner) override;
  void DeleteSysbtn() override;
  void UpdateSkinControl(TComponent *form, TComponent *control) override;
  void UpdateMenu(TComponent *form) override;
  void AddNestForm(TComponent *host, TComponent *nested) override;
  void DeleteGraphicControl(TComponent *form, TComponent *graphicControl) override;
  void RefreshMenuBars() override;
  void AssignData(TSkinManagerLink *parent) override;

  // ---- Forms
  bool AddForm(HWND window);
  TWinSkinForm *FindSkinForm(HWND window);
  // Un-skins and frees the skinner of the window; refused while the manager
  // is being destroyed.
  bool DeleteForm(HWND window);
  // Drops the skinner's entry (its destructor calls this).
  void DeleteForm2(TWinSkinForm *skinner);
  // Frees the skinners whose windows are gone.
  void DeleteDeleted();
  // Every form skinner, in the order skinned (a copy: safe to iterate while
  // skinners come and go).
  std::vector<TWinSkinForm *> Forms();

  // ---- Popup menus
  bool AddMenu(HWND menuWindow);
  void DeleteMenu(HWND menuWindow);
  TWinSkinPopMenu *FindSkinMenu(HWND menuWindow);
  void SetHMenu(HMENU menu);
  // The frame picture of the menu window showing `menu`, or null.
  const TBitmap *GetMenuBg(HMENU menu);
  void SetPopMenu();
  int MenuKind = MenuKind::Free;
  // The next popup menu window is left alone (a menu whose Tag is the skin
  // data's DisableTag is opening).
  bool SkipNextMenu = false;

  // ---- MDI
  bool MDIMax() const { return mdiMax_; }
  void SetMDIMax(bool maximised);
  HWND MDIClient = nullptr;     // not owned
  TForm *MDIMainForm = nullptr; // not owned

  // ---- Helpers of the decisions
  static TWinControl *FindTForm(HWND window);
  static bool NestedForm(HWND window);
  TSkinData *FindSkindata(HWND window);
  bool OnBeforeSkin(const std::string &className);
  void ActiveForm(TForm *form);
  TSkinData *MainSkinData() const { return mainSkinData_; }
  bool Forced() const { return forced_; }
  bool IsSubManager() const { return parent_ != nullptr || kind_ == TSkinManagerKind::SubManager; }
  int PendingAction() const { return action_; }
  TSkinData *PendingSkinData() const { return pending_; }
  bool TimerRunning() const;
  // Runs the pending action now (the timer's tick).
  void OnTimer();
  // How many extra threads carry a hook.
  int ThreadCount();

private:
  struct Lists;
  struct SkinThread;

  LRESULT SkinHookCBT(THook &hook, int code, WPARAM wParam, LPARAM lParam);
  LRESULT SkinHookCBT2(THook &hook, int code, WPARAM wParam, LPARAM lParam);
  void RemoveForm(TWinSkinForm *skinner, bool unskin);
  bool FindSkinFormEntry(TWinSkinForm *skinner);
  void InstallSubManagers(int action);

  TSkinManagerKind kind_;
  std::shared_ptr<Lists> lists_; // shared with sub-managers
  std::unique_ptr<THook> mainHook_;
  std::unique_ptr<TTimer> timer_;
  bool active_ = false;
  bool forced_ = false;
  int runState_ = RunState::NotStarted;
  bool mdiMax_ = false;
  int action_ = 0;
  TSkinData *pending_ = nullptr;      // not owned
  TSkinData *mainSkinData_ = nullptr; // not owned
  HINSTANCE moduleId_ = nullptr;
  TSkinManage *parent_ = nullptr; // not owned
};

// The module's manager as the runtime sees it, or null.
TSkinManage *RuntimeSkinManager();
// Registers the runtime's manager with the skin data (called once at start;
// a program that links the runtime calls it before its forms are made).
void InstallSkinRuntime();

} // namespace zorvex
