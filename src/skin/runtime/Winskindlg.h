#pragma once
// TSkinManage: the one skin manager of the module. Its CBT hook offers every
// window that is created, activated or destroyed; it decides whether and
// with which skin data a window is skinned, attaches form skinners and popup
// menu skinners, keeps the lists of everything skinned, and carries out the
// switching of skins on and off from its action timer, on the user-interface
// thread. Another module carrying the runtime (a library with its own copy
// of the framework) joins it through SkinDll and shares its lists as a
// sub-manager: each manager skins, switches and lets go of the forms of its
// own module, with its own code, so that a library can leave before it is
// unloaded without leaving anything of its own behind.

#include <memory>
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
  // The manager whose hook skins popup menu windows, and so whose menu
  // kind counts: the host's, for a sub-manager.
  TSkinManage &MenuRoot() { return parent_ ? *parent_ : *this; }

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
  TSkinData *MainSkinData() const { return parent_ ? parent_->MainSkinData() : mainSkinData_; }
  bool Forced() const { return forced_; }
  bool IsSubManager() const { return parent_ != nullptr || kind_ == TSkinManagerKind::SubManager; }
  TSkinManage *Parent() const { return parent_; }
  // The managers of other modules that joined this one.
  std::vector<TSkinManage *> SubManagers();
  // The module whose forms this manager skins (null: the program's own).
  HINSTANCE ModuleId() const { return moduleId_; }
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
  // The skinners of this manager's own module.
  std::vector<TWinSkinForm *> OwnForms();
  void InstallSubManagers(int action);
  // Carries out an action on the forms of this module.
  void RunAction(int action, TSkinData *skinData);
  // A module manager lets go of everything in its own lists.
  void ReleaseLists();
  // A sub-manager un-skins its module's forms, takes its skin data out of
  // the shared lists and leaves its parent.
  void LeaveParent();

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
  // Skin data a sub-manager put into the shared list; taken out as it leaves.
  std::vector<TSkinData *> ownSkinData_; // not owned
};

// The module's manager as the runtime sees it, or null.
TSkinManage *RuntimeSkinManager();
// Registers the runtime's manager with the skin data (called once at start;
// a program that links the runtime calls it before its forms are made).
void InstallSkinRuntime();
// Lets a loaded library that carries the runtime (and exports SkinDll)
// join this module's manager; false when the library has no such export or
// there is no manager to join.
bool JoinSkinModule(HMODULE library);

} // namespace zorvex
