#pragma once
// What the skin data needs of the skin manager, the one object per module
// that finds windows and skins them. The manager lives in the skin runtime,
// a higher layer: it derives from TSkinManagerLink and registers a factory,
// so the skin data creates and drives it without knowing its class.

#include <functional>
#include <memory>

namespace zorvex {

class TComponent;
class TSkinData;

// A native window (an HWND); not owned.
using TSkinWindow = void *;

// The manager's delayed actions.
constexpr int SkinActionInstall = 1;
constexpr int SkinActionUninstall = 2;
constexpr int SkinActionChanged = 3;
// How long the manager waits before it carries out an action, in ms.
constexpr int SkinActionDelay = 250;

class TSkinManagerLink {
public:
  virtual ~TSkinManagerLink() = default;

  // The skin data of the module; removing one also clears it as pending.
  virtual void AddSkinData(TSkinData *skinData) = 0;
  virtual void RemoveSkinData(TSkinData *skinData) = 0;
  // The skin data on whose behalf the next action runs.
  virtual void SetPendingSkinData(TSkinData *skinData) = 0;
  // Carries out `action` after `delayMs` from the message loop.
  virtual void SetAction(int action, int delayMs) = 0;
  // 0 until a window was activated, 1 or more while running.
  virtual int RunState() const = 0;
  virtual void SetRunState(int runState) = 0;
  // When off, no new window or menu is skinned.
  virtual bool Active() const = 0;
  virtual void SetActive(bool active) = 0;
  // Set around an explicit skinning request: lets nested forms through.
  virtual void SetForced(bool forced) = 0;

  virtual void InstallHook() = 0;
  virtual void InstallThread(int threadId) = 0;
  virtual void UnInstallThread(int threadId) = 0;
  // Skins the window if it qualifies; true if a skinner was attached.
  virtual bool AddForm(TSkinWindow window) = 0;
  // The window of `owner` when it is a framework form, else null.
  virtual TSkinWindow FormWindow(TComponent *owner) = 0;
  // Forms that use the pending skin data drop their caption buttons.
  virtual void DeleteSysbtn() = 0;

  // Per form, each finding the form's skinner by its window.
  virtual void UpdateSkinControl(TComponent *form, TComponent *control) = 0;
  virtual void UpdateMenu(TComponent *form) = 0;
  virtual void AddNestForm(TComponent *host, TComponent *nested) = 0;
  virtual void DeleteGraphicControl(TComponent *form, TComponent *graphicControl) = 0;
  // Every skinned form repaints its menu bar buttons.
  virtual void RefreshMenuBars() = 0;

  // Makes this (sub-)manager share the parent's lists; null detaches it.
  virtual void AssignData(TSkinManagerLink *parent) = 0;
};

enum class TSkinManagerKind { Module, SubManager };
using TSkinManagerFactory = std::function<std::unique_ptr<TSkinManagerLink>(TSkinManagerKind)>;

// The runtime registers how a manager is made (an empty factory unregisters).
void RegisterSkinManagerFactory(TSkinManagerFactory factory);
// The module's manager, or null when none was created.
TSkinManagerLink *SkinManager();
// The module's manager, created through the factory when there is none;
// null when no factory is registered (a program without the runtime).
TSkinManagerLink *CreateSkinManager(TSkinManagerKind kind = TSkinManagerKind::Module);
// Frees the module's manager (at the end of the program, and in tests).
void DestroySkinManager();

// Joins this module's manager to the host program's: creates it as a
// sub-manager if there is none, shares the host's lists, installs its hook
// and raises its run state by one.
void SkinDll(TSkinManagerLink *hostManager);

} // namespace zorvex
