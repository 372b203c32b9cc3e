#include "Winskindlg.h"

#include <algorithm>
#include <mutex>

#include "SkinGdi.h"
#include "SkinMessages.h"
#include "Winskinform.h"
#include "Winskinmenu.h"
#include "Winsubclass.h"
#include "framework/core/Texts.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/Winskindata.h"

namespace zorvex {

namespace {

// A recursive lock of the system's own: the code of every module that shares
// the lists takes the same object the same way.
class TListLock {
public:
  TListLock() { InitializeCriticalSection(&section_); }
  ~TListLock() { DeleteCriticalSection(&section_); }
  TListLock(const TListLock &) = delete;
  TListLock &operator=(const TListLock &) = delete;
  void lock() { EnterCriticalSection(&section_); }
  void unlock() { LeaveCriticalSection(&section_); }

private:
  CRITICAL_SECTION section_;
};

} // namespace

// The lists a module manager keeps and its sub-managers share. The hook of
// an extra thread reaches them from that thread: every use takes the lock.
struct TSkinManage::Lists {
  TListLock mutex;
  std::vector<TWinSkinForm *> forms; // owned by their framework forms, else by the manager
  std::vector<std::unique_ptr<TWinSkinPopMenu>> menus;
  std::vector<TSkinData *> skinData; // not owned
  std::vector<std::unique_ptr<SkinThread>> threads;
  std::vector<TSkinManage *> subManagers; // not owned
};

struct TSkinManage::SkinThread {
  std::unique_ptr<THook> hook;
  DWORD threadId = 0;
};

namespace {

using Lock = std::lock_guard<TListLock>;

bool ClassIs(const std::string &className, const char *name) { return SameTextAZ(className, name); }

TForm *OwnerForm(TSkinData *skinData) { return dynamic_cast<TForm *>(skinData->Owner()); }

HWND OwnerWindow(TSkinData *skinData) {
  auto *control = dynamic_cast<TWinControl *>(skinData->Owner());
  return control ? control->WindowHandle() : nullptr;
}

} // namespace

TSkinManage *RuntimeSkinManager() { return dynamic_cast<TSkinManage *>(SkinManager()); }

void InstallSkinRuntime() {
  SetSkinPlatform(&WindowsSkinPlatform());
  RegisterSkinManagerFactory([](TSkinManagerKind kind) { return std::make_unique<TSkinManage>(kind); });
  TPopupMenu::BeforeTrack = [](TPopupMenu &menu) {
    TSkinManage *manager = RuntimeSkinManager();
    TSkinData *skin = manager ? manager->MainSkinData() : nullptr;
    if (skin && menu.Tag() == skin->DisableTag())
      manager->MenuRoot().SkipNextMenu = true;
  };
}

// ---- Construction and teardown ---------------------------------------------------

TSkinManage::TSkinManage(TSkinManagerKind kind) : kind_(kind), timer_(std::make_unique<TTimer>(nullptr)) {
  if (kind == TSkinManagerKind::Module)
    lists_ = std::make_shared<Lists>();
  else
    moduleId_ = ModuleInstance();
  timer_->SetEnabled(false);
  timer_->SetInterval(SkinActionDelay);
  timer_->OnTimer = [this](TObject *) {
    try {
      OnTimer();
    } catch (...) {
      HandleException(std::current_exception());
    }
  };
}

TSkinManage::~TSkinManage() {
  runState_ = RunState::Destroying;
  active_ = false;
  timer_.reset();
  if (parent_)
    LeaveParent();
  else if (lists_)
    ReleaseLists();
  mainHook_.reset();
}

void TSkinManage::ReleaseLists() {
  std::shared_ptr<Lists> lists = lists_;
  std::vector<TSkinManage *> subs;
  {
    Lock lock(lists->mutex);
    subs = lists->subManagers;
  }
  // Each joined module lets go of its own forms, with its own code, first.
  for (TSkinManage *sub : subs)
    sub->AssignData(nullptr);
  std::vector<std::unique_ptr<SkinThread>> threads;
  std::vector<TWinSkinForm *> forms;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> menus;
  {
    Lock lock(lists->mutex);
    threads.swap(lists->threads);
    forms.swap(lists->forms);
    menus.swap(lists->menus);
    lists->subManagers.clear();
    lists->skinData.clear();
  }
  threads.clear();
  // Skinners of windows that are still there let go of them; those with
  // no framework form to free them are ours.
  for (TWinSkinForm *skinner : forms) {
    skinner->UnSubclass3();
    if (!skinner->Owner())
      delete skinner;
  }
  for (auto &menu : menus)
    menu->UnSubClass();
}

void TSkinManage::LeaveParent() {
  std::shared_ptr<Lists> lists = lists_;
  std::vector<TWinSkinForm *> ours;
  {
    Lock lock(lists->mutex);
    auto &subs = lists->subManagers;
    subs.erase(std::remove(subs.begin(), subs.end(), this), subs.end());
    auto &forms = lists->forms;
    for (auto it = forms.begin(); it != forms.end();) {
      if ((*it)->ModuleId == moduleId_) {
        ours.push_back(*it);
        it = forms.erase(it);
      } else {
        ++it;
      }
    }
    auto &skinData = lists->skinData;
    for (TSkinData *own : ownSkinData_)
      skinData.erase(std::remove(skinData.begin(), skinData.end(), own), skinData.end());
  }
  ownSkinData_.clear();
  // Out of the list first; the forms stay, in their own look.
  for (TWinSkinForm *skinner : ours)
    RemoveForm(skinner, true);
  lists_.reset();
  parent_ = nullptr;
}

// ---- Skin data ------------------------------------------------------------------

void TSkinManage::AddSkinData(TSkinData *skinData) {
  if (!lists_ || !skinData)
    return;
  Lock lock(lists_->mutex);
  auto &list = lists_->skinData;
  if (std::find(list.begin(), list.end(), skinData) == list.end()) {
    list.push_back(skinData);
    if (parent_)
      ownSkinData_.push_back(skinData);
  }
  if (!mainSkinData_ && skinData->SkinFormtype() == TSkinFormType::sfMainform)
    mainSkinData_ = skinData;
}

void TSkinManage::RemoveSkinData(TSkinData *skinData) {
  if (pending_ == skinData)
    pending_ = nullptr;
  if (mainSkinData_ == skinData)
    mainSkinData_ = nullptr;
  ownSkinData_.erase(std::remove(ownSkinData_.begin(), ownSkinData_.end(), skinData), ownSkinData_.end());
  if (!lists_)
    return;
  Lock lock(lists_->mutex);
  auto &list = lists_->skinData;
  list.erase(std::remove(list.begin(), list.end(), skinData), list.end());
}

TSkinData *TSkinManage::FindSkindata(HWND window) {
  if (!lists_)
    return nullptr;
  Lock lock(lists_->mutex);
  const auto &list = lists_->skinData;
  auto lastOf = [&](auto predicate) -> TSkinData * {
    for (auto it = list.rbegin(); it != list.rend(); ++it)
      if (predicate(*it))
        return *it;
    return nullptr;
  };
  if (window) {
    if (TSkinData *own = lastOf([&](TSkinData *d) {
          return d->SkinFormtype() == TSkinFormType::sfOnlyThisForm && OwnerWindow(d) == window;
        }))
      return own;
    const std::string className = LowerCaseAZ(WindowClassName(window));
    if (className == "tmessageform" || className == "#32770")
      if (TSkinData *dialog = lastOf([](TSkinData *d) { return d->SkinFormtype() == TSkinFormType::sfDialog; }))
        return dialog;
  }
  if (TSkinData *main = lastOf([](TSkinData *d) { return d->SkinFormtype() == TSkinFormType::sfMainform; }))
    return main;
  return list.empty() ? nullptr : list.front();
}

bool TSkinManage::OnBeforeSkin(const std::string &className) {
  bool allowed = true;
  if (TSkinData *main = mainSkinData_) {
    if (!main->Options().Contains(TSkinOption::xoPreview) &&
        LowerCaseAZ(className).find("preview") != std::string::npos)
      allowed = false;
    main->DoFormSkin(className, allowed);
  }
  return allowed;
}

// ---- Actions ------------------------------------------------------------------

void TSkinManage::SetAction(int action, int delayMs) {
  action_ = action;
  if (timer_)
    timer_->SetInterval(static_cast<unsigned>(std::max(delayMs, 1)));
  if (runState_ == RunState::NotStarted && (action == SkinActionInstall || action == SkinActionUninstall)) {
    // No window was activated yet: the hook skins them as they come.
    active_ = action == SkinActionInstall;
    return;
  }
  if (!parent_ && lists_)
    InstallSubManagers(action);
  if (timer_)
    timer_->SetEnabled(true);
}

std::vector<TSkinManage *> TSkinManage::SubManagers() {
  if (!lists_ || parent_)
    return {};
  Lock lock(lists_->mutex);
  return lists_->subManagers;
}

void TSkinManage::InstallSubManagers(int action) {
  for (TSkinManage *sub : SubManagers()) {
    sub->pending_ = pending_;
    if (action == SkinActionInstall) {
      sub->active_ = true;
      sub->SetAction(SkinActionInstall, SkinActionDelay + 50);
    } else if (action == SkinActionUninstall) {
      sub->active_ = false;
    }
  }
}

bool TSkinManage::TimerRunning() const { return timer_ && timer_->Enabled(); }

void TSkinManage::OnTimer() {
  if (timer_)
    timer_->SetEnabled(false);
  TSkinData *skinData = pending_;
  if (!skinData || !lists_)
    return;
  const int action = action_;
  RunAction(action, skinData);
  if (!parent_) {
    if (action == SkinActionInstall) {
      InstallSubManagers(SkinActionInstall);
    } else {
      // The joined modules let go of or change their own forms in the same
      // tick, so that every window of the program switches together.
      for (TSkinManage *sub : SubManagers()) {
        if (action == SkinActionUninstall)
          sub->active_ = false;
        sub->RunAction(action, skinData);
      }
    }
  }
  // The skin data's owner hears of the change once: from the manager of
  // the module that made it.
  if (!parent_ || std::find(ownSkinData_.begin(), ownSkinData_.end(), skinData) != ownSkinData_.end())
    skinData->DoSkinChanged();
  if (pending_ == skinData)
    pending_ = nullptr;
}

void TSkinManage::RunAction(int action, TSkinData *skinData) {
  if (!lists_)
    return;
  const bool onlyThisForm = skinData->SkinFormtype() == TSkinFormType::sfOnlyThisForm;
  switch (action) {
  case SkinActionInstall:
    active_ = forced_ = true;
    DeleteDeleted();
    if (onlyThisForm) {
      TForm *owner = OwnerForm(skinData);
      for (int i = Screen().FormCount() - 1; i >= 0; --i)
        if (Screen().Forms(i) == owner) {
          ActiveForm(owner);
          break;
        }
    } else {
      for (int i = Screen().FormCount() - 1; i >= 0; --i)
        if (i < Screen().FormCount())
          ActiveForm(Screen().Forms(i));
    }
    forced_ = false;
    break;
  case SkinActionUninstall:
    active_ = false;
    DeleteDeleted();
    for (;;) {
      std::vector<TWinSkinForm *> forms = OwnForms();
      auto it = std::find_if(forms.begin(), forms.end(),
                             [&](TWinSkinForm *f) { return !onlyThisForm || f->SkinData() == skinData; });
      if (it == forms.end())
        break;
      RemoveForm(*it, true);
    }
    break;
  case SkinActionChanged: {
    DeleteDeleted();
    std::vector<TWinSkinForm *> using_;
    for (TWinSkinForm *skinner : OwnForms())
      if (skinner->SkinData() == skinData)
        using_.push_back(skinner);
    for (TWinSkinForm *skinner : using_) {
      skinner->DeleteSysbtn();
      skinner->InitSkinData();
    }
    for (TWinSkinForm *skinner : using_)
      if (FindSkinFormEntry(skinner))
        skinner->SkinChange();
    break;
  }
  default: break;
  }
}

// ---- Hooks ------------------------------------------------------------------

void TSkinManage::InstallHook() {
  if (!mainHook_)
    mainHook_ = std::make_unique<THook>(THookKind::Cbt, [this](THook &hook, int code, WPARAM w, LPARAM l) {
      return SkinHookCBT(hook, code, w, l);
    });
}

LRESULT TSkinManage::SkinHookCBT(THook &hook, int code, WPARAM wParam, LPARAM lParam) {
  if (!active_) {
    if (code == HCBT_ACTIVATE && runState_ == RunState::NotStarted)
      runState_ = RunState::Running;
    return hook.CallNext(code, wParam, lParam);
  }
  const auto window = reinterpret_cast<HWND>(wParam);
  switch (code) {
  case HCBT_CREATEWND: {
    const auto *create = reinterpret_cast<CBT_CREATEWNDW *>(lParam)->lpcs;
    const std::string className = WindowClassName(window);
    if (ClassIs(className, "ScrollBar") && (create->style & SBS_SIZEGRIP)) {
      if (TWinSkinForm *skinner = FindSkinForm(create->hwndParent))
        skinner->AddControlh(window);
    } else if (!(create->style & WS_CHILD) && className == "#32768" && !parent_) {
      AddMenu(window);
    } else if (create->dwExStyle & WS_EX_MDICHILD) {
      AddForm(window);
    }
    break;
  }
  case HCBT_DESTROYWND: DeleteMenu(window); break;
  case HCBT_ACTIVATE:
    if (runState_ == RunState::NotStarted)
      runState_ = RunState::Running;
    AddForm(window);
    break;
  default: break;
  }
  return hook.CallNext(code, wParam, lParam);
}

LRESULT TSkinManage::SkinHookCBT2(THook &hook, int code, WPARAM wParam, LPARAM lParam) {
  const auto window = reinterpret_cast<HWND>(wParam);
  switch (code) {
  case HCBT_CREATEWND: {
    const auto *create = reinterpret_cast<CBT_CREATEWNDW *>(lParam)->lpcs;
    const std::string className = WindowClassName(window);
    if (ClassIs(className, "ScrollBar") && FindSkinForm(create->hwndParent))
      return 10; // skinned forms draw their own scroll bars
    if (className == "#32768")
      AddMenu(window);
    break;
  }
  case HCBT_DESTROYWND:
    DeleteMenu(window);
    DeleteForm(window);
    break;
  case HCBT_ACTIVATE:
    if (runState_ == RunState::NotStarted)
      runState_ = RunState::Running;
    AddForm(window);
    break;
  default: break;
  }
  return hook.CallNext(code, wParam, lParam);
}

void TSkinManage::InstallThread(int threadId) {
  if (parent_) {
    // The host's code hooks the thread: it stays loaded while the hook lives.
    parent_->InstallThread(threadId);
    return;
  }
  if (!lists_)
    return;
  Lock lock(lists_->mutex);
  for (const auto &thread : lists_->threads)
    if (thread->threadId == static_cast<DWORD>(threadId))
      return;
  auto entry = std::make_unique<SkinThread>();
  entry->threadId = static_cast<DWORD>(threadId);
  entry->hook = std::make_unique<THook>(
      THookKind::Cbt, [this](THook &hook, int code, WPARAM w, LPARAM l) { return SkinHookCBT2(hook, code, w, l); },
      static_cast<DWORD>(threadId));
  lists_->threads.push_back(std::move(entry));
}

void TSkinManage::UnInstallThread(int threadId) {
  if (parent_) {
    parent_->UnInstallThread(threadId);
    return;
  }
  if (!lists_)
    return;
  std::unique_ptr<SkinThread> gone;
  {
    Lock lock(lists_->mutex);
    auto &threads = lists_->threads;
    auto it = std::find_if(threads.begin(), threads.end(),
                           [&](const auto &t) { return t->threadId == static_cast<DWORD>(threadId); });
    if (it == threads.end())
      return;
    gone = std::move(*it);
    threads.erase(it);
  }
}

int TSkinManage::ThreadCount() {
  if (!lists_)
    return 0;
  Lock lock(lists_->mutex);
  return static_cast<int>(lists_->threads.size());
}

// ---- Forms ------------------------------------------------------------------

TWinControl *TSkinManage::FindTForm(HWND window) {
  for (int i = 0; i < Screen().FormCount(); ++i)
    if (Screen().Forms(i)->WindowHandle() == window)
      return Screen().Forms(i);
  return dynamic_cast<TWinControl *>(FindControl(window));
}

bool TSkinManage::NestedForm(HWND window) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (!(style & WS_CHILD) || (exStyle & WS_EX_MDICHILD))
    return false;
  return LowerCaseAZ(WindowClassName(GetParent(window))) != "mdiclient";
}

bool TSkinManage::AddForm(HWND window) {
  if (!active_ || !lists_ || !IsWindow(window))
    return false;
  if (SendMessageW(window, CN_IsSkinned, 0, 0) == 1)
    return false;
  DeleteDeleted();
  if (FindSkinForm(window))
    return false;
  TWinControl *control = FindTForm(window);
  auto *form = dynamic_cast<TForm *>(control);
  if (!forced_ && NestedForm(window))
    return false;
  const std::string className = WindowClassName(window);
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  if (!control && instance != ModuleInstance() && className != "#32770")
    return false;
  // Foreign windows are the host's: a library's code must not stay behind
  // in a window that outlives the library.
  if (!control && parent_)
    return false;
  RECT r{};
  GetWindowRect(window, &r);
  const bool mdiChild = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
  if ((r.right - r.left) * (r.bottom - r.top) == 0 && !mdiChild)
    return false;
  if (control && control->Tag() == NoSkinTag)
    return false;
  if (className == "TApplication")
    return false;
  if (!OnBeforeSkin(className))
    return false;
  TSkinData *skinData = FindSkindata(window);
  if (!skinData || skinData->SkinLoading())
    return false;

  auto *skinner = new TWinSkinForm(form); // owned by the form, or by us without one
  skinner->Handle = window;
  skinner->ModuleId = moduleId_;
  {
    Lock lock(lists_->mutex);
    lists_->forms.push_back(skinner);
  }
  try {
    if (form)
      skinner->InitTform(skinData, form);
    else
      skinner->InitSkin(skinData);
  } catch (...) {
    DeleteForm2(skinner);
    if (!skinner->Owner())
      delete skinner;
    throw;
  }
  PostMessageW(window, CN_SkinActive, 0, 1000);
  return true;
}

std::vector<TWinSkinForm *> TSkinManage::Forms() {
  if (!lists_)
    return {};
  Lock lock(lists_->mutex);
  return lists_->forms;
}

std::vector<TWinSkinForm *> TSkinManage::OwnForms() {
  std::vector<TWinSkinForm *> own = Forms();
  own.erase(std::remove_if(own.begin(), own.end(), [&](TWinSkinForm *f) { return f->ModuleId != moduleId_; }),
            own.end());
  return own;
}

TWinSkinForm *TSkinManage::FindSkinForm(HWND window) {
  if (!lists_ || !window)
    return nullptr;
  Lock lock(lists_->mutex);
  for (TWinSkinForm *skinner : lists_->forms)
    if (skinner->Handle == window)
      return skinner;
  return nullptr;
}

bool TSkinManage::FindSkinFormEntry(TWinSkinForm *skinner) {
  if (!lists_)
    return false;
  Lock lock(lists_->mutex);
  return std::find(lists_->forms.begin(), lists_->forms.end(), skinner) != lists_->forms.end();
}

void TSkinManage::RemoveForm(TWinSkinForm *skinner, bool unskin) {
  const HWND window = skinner->Handle;
  if (unskin && IsWindow(window)) {
    skinner->UnSubclass();
    TWinSkinForm::RePaint(window);
  }
  DeleteForm2(skinner);
  delete skinner; // leaves its form's component list as it goes
}

bool TSkinManage::DeleteForm(HWND window) {
  if (runState_ == RunState::Destroying)
    return false;
  TWinSkinForm *skinner = FindSkinForm(window);
  if (!skinner)
    return false;
  RemoveForm(skinner, true);
  return true;
}

void TSkinManage::DeleteForm2(TWinSkinForm *skinner) {
  if (runState_ == RunState::Destroying || !lists_)
    return;
  Lock lock(lists_->mutex);
  auto &forms = lists_->forms;
  forms.erase(std::remove(forms.begin(), forms.end(), skinner), forms.end());
}

void TSkinManage::DeleteDeleted() {
  if (runState_ == RunState::Destroying || !lists_)
    return;
  std::vector<TWinSkinForm *> gone;
  {
    Lock lock(lists_->mutex);
    auto &forms = lists_->forms;
    for (auto it = forms.begin(); it != forms.end();) {
      if ((*it)->State() == SkinState::Destroyed && (*it)->ModuleId == moduleId_) {
        gone.push_back(*it);
        it = forms.erase(it);
      } else {
        ++it;
      }
    }
  }
  for (TWinSkinForm *skinner : gone)
    delete skinner;
}

void TSkinManage::ActiveForm(TForm *form) {
  if (!form || !form->HandleAllocated() || !IsWindowVisible(form->WindowHandle()))
    return;
  const LONG_PTR style = GetWindowLongPtrW(form->WindowHandle(), GWL_STYLE);
  if ((style & WS_CHILD) && form->FormStyle() != TFormStyle::fsMDIChild)
    return;
  AddForm(form->WindowHandle());
}

TSkinWindow TSkinManage::FormWindow(TComponent *owner) {
  auto *form = dynamic_cast<TForm *>(owner);
  return form ? static_cast<TSkinWindow>(form->Handle()) : nullptr;
}

void TSkinManage::DeleteSysbtn() {
  for (TWinSkinForm *skinner : OwnForms())
    if (skinner->SkinData() == pending_)
      skinner->DeleteSysbtn();
  for (TSkinManage *sub : SubManagers()) {
    sub->pending_ = pending_;
    sub->DeleteSysbtn();
  }
}

namespace {
TWinSkinForm *SkinnerOf(TSkinManage &manager, TComponent *form) {
  auto *control = dynamic_cast<TWinControl *>(form);
  return control && control->HandleAllocated() ? manager.FindSkinForm(control->WindowHandle()) : nullptr;
}
} // namespace

void TSkinManage::UpdateSkinControl(TComponent *form, TComponent *control) {
  if (TWinSkinForm *skinner = SkinnerOf(*this, form))
    UpdateControls(*skinner, dynamic_cast<TControl *>(control));
}

void TSkinManage::UpdateMenu(TComponent *form) {
  TWinSkinForm *skinner = SkinnerOf(*this, form);
  auto *f = dynamic_cast<TForm *>(form);
  if (skinner && f && skinner->SkinData())
    InitPopMenu(*f, *skinner->SkinData(), true);
}

void TSkinManage::AddNestForm(TComponent *host, TComponent *nested) {
  TWinSkinForm *skinner = SkinnerOf(*this, host);
  auto *control = dynamic_cast<TWinControl *>(nested);
  if (skinner && control)
    AddNestedControl(*skinner, *control);
}

void TSkinManage::DeleteGraphicControl(TComponent *form, TComponent *graphicControl) {
  if (TWinSkinForm *skinner = SkinnerOf(*this, form))
    RemoveControlSkinner(*skinner, dynamic_cast<TControl *>(graphicControl));
}

void TSkinManage::RefreshMenuBars() {
  for (TWinSkinForm *skinner : OwnForms())
    if (TWinSkinMenu *bar = skinner->MenuBar()) {
      bar->UpdataBtn();
      skinner->UpdateNc();
    }
  for (TSkinManage *sub : SubManagers())
    sub->RefreshMenuBars();
}

// ---- Popup menus ------------------------------------------------------------------

bool TSkinManage::AddMenu(HWND menuWindow) {
  if (!active_ || !lists_)
    return false;
  if (SendMessageW(menuWindow, CN_IsSkinned, 0, 0) == 1)
    return false;
  if (FindSkinMenu(menuWindow))
    return false;
  TSkinData *skinData = FindSkindata(menuWindow);
  if (!skinData || skinData->SkinLoading())
    return false;
  const TSkinControlTypes kinds = skinData->SkinControls();
  bool allowed = false;
  switch (MenuKind) {
  case MenuKind::Free: allowed = kinds.Contains(TSkinControlType::xcPopupMenu); break;
  case MenuKind::MenuBar:
    allowed = kinds.Contains(TSkinControlType::xcMainMenu) || kinds.Contains(TSkinControlType::xcMenuItem);
    break;
  case MenuKind::System: allowed = kinds.Contains(TSkinControlType::xcSystemMenu); break;
  default: break;
  }
  if (SkipNextMenu) {
    SkipNextMenu = false;
    return false;
  }
  if (!allowed)
    return false;
  auto skinner = std::make_unique<TWinSkinPopMenu>();
  skinner->InitSkin(menuWindow, skinData, 0);
  Lock lock(lists_->mutex);
  lists_->menus.push_back(std::move(skinner));
  return true;
}

void TSkinManage::DeleteMenu(HWND menuWindow) {
  if (!lists_)
    return;
  std::unique_ptr<TWinSkinPopMenu> gone;
  {
    Lock lock(lists_->mutex);
    auto &menus = lists_->menus;
    auto it = std::find_if(menus.begin(), menus.end(), [&](const auto &m) { return m->MenuWindow() == menuWindow; });
    if (it != menus.end()) {
      gone = std::move(*it);
      menus.erase(it);
    }
    if (menus.empty())
      MenuKind = MenuKind::Free;
  }
  if (gone)
    gone->UnSubClass();
}

TWinSkinPopMenu *TSkinManage::FindSkinMenu(HWND menuWindow) {
  if (!lists_)
    return nullptr;
  Lock lock(lists_->mutex);
  for (const auto &menu : lists_->menus)
    if (menu->MenuWindow() == menuWindow)
      return menu.get();
  return nullptr;
}

void TSkinManage::SetHMenu(HMENU menu) {
  if (!lists_ || !menu)
    return;
  Lock lock(lists_->mutex);
  auto &menus = lists_->menus;
  for (const auto &m : menus)
    if (m->Menu == menu)
      return;
  for (auto it = menus.rbegin(); it != menus.rend(); ++it)
    if (!(*it)->Menu) {
      (*it)->Menu = menu;
      return;
    }
}

const TBitmap *TSkinManage::GetMenuBg(HMENU menu) {
  if (!lists_ || !menu)
    return nullptr;
  Lock lock(lists_->mutex);
  for (const auto &m : lists_->menus)
    if (m->Menu == menu && !m->FrameBitmap().Empty())
      return &m->FrameBitmap();
  return nullptr;
}

void TSkinManage::SetPopMenu() {
  if (!lists_)
    return;
  Lock lock(lists_->mutex);
  for (const auto &m : lists_->menus)
    m->OwnerDrawItems = true;
}

// ---- MDI ------------------------------------------------------------------

void TSkinManage::SetMDIMax(bool maximised) {
  if (mdiMax_ == maximised)
    return;
  mdiMax_ = maximised;
  for (TWinSkinForm *skinner : Forms()) {
    if (skinner->FormStyle() != TSkinFormStyle::sfsMDIChild)
      continue;
    if (maximised) {
      skinner->Uncropwindow();
      skinner->EnableSysbtn(true);
    } else if (skinner->WindowState() != TSkinWindowState::swsMin) {
      skinner->Cropwindow();
      skinner->EnableSysbtn(false);
      if (!skinner->Shaped())
        skinner->Refresh();
    }
  }
}

// ---- Sub-managers ------------------------------------------------------------------

void TSkinManage::AssignData(TSkinManagerLink *parentLink) {
  auto *parent = dynamic_cast<TSkinManage *>(parentLink);
  while (parent && parent->parent_)
    parent = parent->parent_;
  if (parent == this || (parent && parent == parent_))
    return;
  if (parent_)
    LeaveParent();
  else if (lists_ && parent)
    ReleaseLists(); // a module manager joining another leaves its own lists
  if (parent) {
    if (!parent->lists_)
      return;
    lists_ = parent->lists_;
    mainSkinData_ = parent->mainSkinData_;
    parent_ = parent;
    runState_ = RunState::Running;
    active_ = parent->active_;
    Lock lock(lists_->mutex);
    lists_->subManagers.push_back(this);
    return;
  }
  lists_.reset();
  mainSkinData_ = nullptr;
  active_ = false;
  runState_ = RunState::Destroying;
  mainHook_.reset();
}

bool JoinSkinModule(HMODULE library) {
  TSkinManage *manager = RuntimeSkinManager();
  if (!library || !manager || manager->IsSubManager())
    return false;
  using Join = void (*)(void *);
  auto join = reinterpret_cast<Join>(reinterpret_cast<void *>(GetProcAddress(library, "SkinDll")));
  if (!join)
    return false;
  join(manager);
  return true;
}

} // namespace zorvex

// A library that carries the runtime and is unloaded lets go of the
// program's lists before any of its module-wide objects is destroyed: the
// loader calls this before the library's own end-of-module code, which
// frees those objects in no useful order. At the end of the process
// (reserved not null) nothing is left to let go of.
namespace {
void NTAPI SkinRuntimeDetach(PVOID, DWORD reason, PVOID reserved) {
  if (reason == DLL_PROCESS_DETACH && !reserved)
    zorvex::DestroySkinManager();
}
} // namespace
extern "C" __attribute__((section(".CRT$XLY"), used)) const PIMAGE_TLS_CALLBACK zorvexSkinRuntimeDetach =
    SkinRuntimeDetach;

// A library carrying the runtime joins the host program's manager through
// this export; the host hands over its own manager (JoinSkinModule).
extern "C" __declspec(dllexport) void SkinDll(void *hostManager) {
  try {
    auto *host = static_cast<zorvex::TSkinManage *>(hostManager);
    if (!host || host == zorvex::RuntimeSkinManager())
      return;
    zorvex::InstallSkinRuntime();
    zorvex::SkinDll(host);
  } catch (...) {
    zorvex::HandleException(std::current_exception());
  }
}
