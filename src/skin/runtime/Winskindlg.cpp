#include "Winskindlg.h"

#include <algorithm>

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

// The lists a module manager keeps and its sub-managers share. The hook of
// an extra thread reaches them from that thread: every use takes the lock.
struct TSkinManage::Lists {
  std::recursive_mutex mutex;
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

using Lock = std::lock_guard<std::recursive_mutex>;

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
      manager->SkipNextMenu = true;
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
  if (!lists_) {
    mainHook_.reset();
    return;
  }
  std::shared_ptr<Lists> lists = lists_;
  if (!parent_) {
    std::vector<std::unique_ptr<SkinThread>> threads;
    std::vector<TWinSkinForm *> forms;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> menus;
    std::vector<TSkinManage *> subs;
    {
      Lock lock(lists->mutex);
      threads.swap(lists->threads);
      forms.swap(lists->forms);
      menus.swap(lists->menus);
      subs.swap(lists->subManagers);
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
    menus.clear();
    for (TSkinManage *sub : subs)
      sub->AssignData(nullptr);
  } else {
    std::vector<TWinSkinForm *> ours;
    {
      Lock lock(lists->mutex);
      auto &subs = lists->subManagers;
      subs.erase(std::remove(subs.begin(), subs.end(), this), subs.end());
      for (TWinSkinForm *skinner : lists->forms)
        if (skinner->ModuleId == moduleId_)
          ours.push_back(skinner);
    }
    for (TWinSkinForm *skinner : ours) {
      skinner->UnSubclass3();
      if (!skinner->Owner())
        delete skinner;
      else
        DeleteForm2(skinner);
    }
  }
  mainHook_.reset();
}

// ---- Skin data ------------------------------------------------------------------

void TSkinManage::AddSkinData(TSkinData *skinData) {
  if (!lists_ || !skinData)
    return;
  Lock lock(lists_->mutex);
  auto &list = lists_->skinData;
  if (std::find(list.begin(), list.end(), skinData) == list.end())
    list.push_back(skinData);
  if (!mainSkinData_ && skinData->SkinFormtype() == TSkinFormType::sfMainform)
    mainSkinData_ = skinData;
}

void TSkinManage::RemoveSkinData(TSkinData *skinData) {
  if (pending_ == skinData)
    pending_ = nullptr;
  if (mainSkinData_ == skinData)
    mainSkinData_ = nullptr;
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

void TSkinManage::InstallSubManagers(int action) {
  std::vector<TSkinManage *> subs;
  {
    Lock lock(lists_->mutex);
    subs = lists_->subManagers;
  }
  for (TSkinManage *sub : subs) {
    sub->pending_ = pending_;
    if (action == SkinActionInstall) {
      sub->active_ = true;
      sub->SetAction(SkinActionInstall, 300);
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
  if (skinData->SkinFormtype() == TSkinFormType::sfOnlyThisForm) {
    switch (action) {
    case SkinActionInstall: {
      active_ = forced_ = true;
      TForm *owner = OwnerForm(skinData);
      for (int i = Screen().FormCount() - 1; i >= 0; --i)
        if (Screen().Forms(i) == owner) {
          ActiveForm(owner);
          break;
        }
      forced_ = false;
      break;
    }
    case SkinActionUninstall: {
      active_ = false;
      DeleteDeleted();
      std::vector<TWinSkinForm *> forms = Forms();
      for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if ((*it)->SkinData() == skinData) {
          RemoveForm(*it, true);
          break;
        }
      break;
    }
    case SkinActionChanged:
      DeleteDeleted();
      for (TWinSkinForm *skinner : Forms())
        if (skinner->SkinData() == skinData) {
          skinner->DeleteSysbtn();
          skinner->InitSkinData();
          skinner->SkinChange();
          break;
        }
      break;
    default: break;
    }
  } else {
    switch (action) {
    case SkinActionInstall:
      active_ = forced_ = true;
      DeleteDeleted();
      for (int i = Screen().FormCount() - 1; i >= 0; --i)
        if (i < Screen().FormCount())
          ActiveForm(Screen().Forms(i));
      forced_ = false;
      if (!parent_)
        InstallSubManagers(SkinActionInstall);
      break;
    case SkinActionUninstall:
      active_ = false;
      DeleteDeleted();
      for (;;) {
        std::vector<TWinSkinForm *> forms = Forms();
        if (forms.empty())
          break;
        RemoveForm(forms.front(), true);
      }
      if (!parent_)
        InstallSubManagers(SkinActionUninstall);
      break;
    case SkinActionChanged: {
      DeleteDeleted();
      std::vector<TWinSkinForm *> using_;
      for (TWinSkinForm *skinner : Forms())
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
  skinData->DoSkinChanged();
  if (pending_ == skinData)
    pending_ = nullptr;
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
  for (TWinSkinForm *skinner : Forms())
    if (skinner->SkinData() == pending_)
      skinner->DeleteSysbtn();
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
  for (TWinSkinForm *skinner : Forms())
    if (TWinSkinMenu *bar = skinner->MenuBar()) {
      bar->UpdataBtn();
      skinner->UpdateNc();
    }
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
  if (parent) {
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
  parent_ = nullptr;
  active_ = false;
  runState_ = RunState::Destroying;
  mainHook_.reset();
}

} // namespace zorvex
