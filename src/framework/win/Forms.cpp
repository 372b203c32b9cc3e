#include "Forms.h"

#include <algorithm>

#include <commctrl.h>
#include <windowsx.h>

#include "Dialogs.h"
#include "Menus.h"
#include "ScrollBar.h"
#include "Win32Error.h"
#include "framework/core/Notices.h"
#include "framework/core/Paths.h"
#include "framework/core/Texts.h"
#include "framework/core/Yield.h"

namespace zorvex {

TApplication *Application = nullptr;

TScreen &Screen() {
  // Never destroyed: forms that are module-wide objects leave it at the
  // module's end, in no order with it.
  static auto &screen = *new TScreen;
  return screen;
}

void HandleException(std::exception_ptr error) {
  if (Application) {
    Application->HandleException(error);
    return;
  }
  try {
    std::rethrow_exception(error);
  } catch (const EAbort &) {
  } catch (const std::exception &e) {
    OutputDebugStringW(Wide(std::string("Zorvex: unhandled exception: ") + e.what() + "\n").c_str());
  } catch (...) {
    OutputDebugStringW(L"Zorvex: unhandled exception\n");
  }
}

namespace {
// Sends a message to every windowed descendant until one answers non-zero.
bool BroadcastUntilHandled(TWinControl &parent, UINT msg, WPARAM wParam, LPARAM lParam) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    auto *child = dynamic_cast<TWinControl *>(parent.Controls(i));
    if (!child || !child->Visible() || !child->Enabled())
      continue;
    if (child->Perform(msg, wParam, lParam) != 0)
      return true;
    if (BroadcastUntilHandled(*child, msg, wParam, lParam))
      return true;
  }
  return false;
}

// The framework control a window belongs to: itself, or the nearest
// framework ancestor of a system child window (the edit of a combo box).
// The search stops at the top-level window: a dialog of the system is not
// part of the form that owns it.
TWinControl *OwningControl(HWND window) {
  while (window) {
    if (auto *control = dynamic_cast<TWinControl *>(FindControl(window)))
      return control;
    if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD))
      return nullptr;
    window = GetParent(window);
  }
  return nullptr;
}
} // namespace

// ---- TForm

TForm::TForm(TComponent *owner) : TWinControl(owner) {
  TControl::SetVisible(false);
  SetParentFont(false);
  clickOnMouseUp_ = true;
  Screen().forms_.push_back(this);
}

TForm::~TForm() {
  if (menu_)
    menu_->form_ = nullptr;
  auto &forms = Screen().forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (Screen().activeForm_ == this)
    Screen().activeForm_ = nullptr;
  if (Application && Application->mainForm_ == this)
    Application->mainForm_ = nullptr;
}

void TForm::DoCreate() {
  if (OnCreate)
    OnCreate(this);
}

void TForm::DoShow() {
  if (OnShow)
    OnShow(this);
}

void TForm::DoHide() {
  if (OnHide)
    OnHide(this);
}

const TPropertyTable &TForm::ClassProperties() {
  static const auto table =
      TPublished<TForm>(&TWinControl::ClassProperties())
          .String("Caption", &TForm::Caption, &TForm::SetCaption)
          .Enumeration("BorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow"},
                       &TForm::BorderStyle, &TForm::SetBorderStyle)
          .Enumeration("Position", {"poDesigned", "poScreenCenter", "poDesktopCenter", "poMainFormCenter"},
                       &TForm::Position, &TForm::SetPosition)
          .Enumeration("FormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}, &TForm::FormStyle,
                       &TForm::SetFormStyle)
          .Boolean("AutoScroll", &TForm::AutoScroll, &TForm::SetAutoScroll);
  return table;
}

void TForm::SetAutoScroll(bool autoScroll) {
  autoScroll_ = autoScroll;
  if (!autoScroll)
    ScrollTo(POINT{0, 0}); // the controls go back where they were put
  UpdateScrollRange();
}

void TForm::UpdateScrollRange() {
  if (!HandleAllocated() || updatingScroll_ || formStyle_ == TFormStyle::fsMDIForm)
    return;
  const bool barsShown = GetWindowLongPtrW(WindowHandle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL);
  if (!autoScroll_ && !barsShown)
    return;
  updatingScroll_ = true;
  struct Done {
    bool &flag;
    ~Done() { flag = false; }
  } done{updatingScroll_};
  // Where the controls reach, unscrolled.
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl *control = Controls(i);
    if (!control->Visible())
      continue;
    right = std::max(right, control->Left() + control->Width() + static_cast<int>(scrolled_.x));
    bottom = std::max(bottom, control->Top() + control->Height() + static_cast<int>(scrolled_.y));
  }
  if (!autoScroll_)
    right = bottom = 0;
  // Twice: one bar taking room may call for the other.
  for (int pass = 0; pass < 2; ++pass) {
    const RECT client = ClientRect();
    SCROLLINFO horizontal{
        sizeof(horizontal), SIF_RANGE | SIF_PAGE, 0, std::max(right - 1, 0), static_cast<UINT>(client.right), 0, 0};
    SCROLLINFO vertical{
        sizeof(vertical), SIF_RANGE | SIF_PAGE, 0, std::max(bottom - 1, 0), static_cast<UINT>(client.bottom), 0, 0};
    SetScrollInfo(WindowHandle(), SB_HORZ, &horizontal, TRUE);
    SetScrollInfo(WindowHandle(), SB_VERT, &vertical, TRUE);
  }
  const RECT client = ClientRect();
  ScrollTo(POINT{std::clamp<int>(scrolled_.x, 0, std::max<int>(right - client.right, 0)),
                 std::clamp<int>(scrolled_.y, 0, std::max<int>(bottom - client.bottom, 0))});
}

void TForm::ScrollTo(POINT position) {
  const int dx = static_cast<int>(scrolled_.x - position.x), dy = static_cast<int>(scrolled_.y - position.y);
  if (dx == 0 && dy == 0)
    return;
  scrolled_ = position;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl *control = Controls(i);
    control->SetBounds(control->Left() + dx, control->Top() + dy, control->Width(), control->Height());
  }
  if (HandleAllocated()) {
    SetScrollPos(WindowHandle(), SB_HORZ, scrolled_.x, TRUE);
    SetScrollPos(WindowHandle(), SB_VERT, scrolled_.y, TRUE);
    Invalidate();
  }
}

void TForm::ScrollRequest(int bar, WORD request) {
  SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(WindowHandle(), bar, &info))
    return;
  const TScrollRange range{info.nMin, info.nMax, static_cast<int>(info.nPage)};
  const int line = std::max(static_cast<int>(info.nPage) / 10, 1);
  const int target = ScrollTarget(static_cast<TScrollCode>(std::min<WORD>(request, SB_ENDSCROLL)), info.nPos,
                                  info.nTrackPos, range, line, std::max(static_cast<int>(info.nPage), 1));
  ScrollTo(bar == SB_HORZ ? POINT{target, scrolled_.y} : POINT{scrolled_.x, target});
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  borderIcons_ = icons;
  RecreateWnd();
}

void TForm::SetFormStyle(TFormStyle style) {
  const auto isMDI = [](TFormStyle kind) { return kind == TFormStyle::fsMDIForm || kind == TFormStyle::fsMDIChild; };
  const TFormStyle old = formStyle_;
  formStyle_ = style;
  if (isMDI(old) || isMDI(style)) {
    if (old != style)
      RecreateWnd();
    return;
  }
  if (HandleAllocated())
    SetWindowPos(WindowHandle(), style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetIcon(HICON icon) {
  icon_ = icon;
  if (HandleAllocated()) {
    SendMessageW(WindowHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(WindowHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
}

void TForm::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.Style = WS_CLIPCHILDREN;
  params.ExStyle = 0;
  switch (borderStyle_) {
  case TFormBorderStyle::bsNone: params.Style |= WS_POPUP; break;
  case TFormBorderStyle::bsSingle: params.Style |= WS_CAPTION | WS_BORDER; break;
  case TFormBorderStyle::bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
  case TFormBorderStyle::bsDialog:
    params.Style |= WS_POPUP | WS_CAPTION;
    params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    break;
  case TFormBorderStyle::bsToolWindow:
    params.Style |= WS_CAPTION;
    params.ExStyle |= WS_EX_TOOLWINDOW;
    break;
  }
  if (borderStyle_ != TFormBorderStyle::bsNone && (borderIcons_ & bi::SystemMenu)) {
    params.Style |= WS_SYSMENU;
    if (borderStyle_ != TFormBorderStyle::bsDialog && borderStyle_ != TFormBorderStyle::bsToolWindow) {
      if (borderIcons_ & bi::Minimize)
        params.Style |= WS_MINIMIZEBOX;
      if (borderIcons_ & bi::Maximize)
        params.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (!Enabled())
    params.Style |= WS_DISABLED;
  if (formStyle_ == TFormStyle::fsStayOnTop)
    params.ExStyle |= WS_EX_TOPMOST;
  params.WndParent = Application ? Application->Handle() : nullptr;
  if (Application && Application->MainForm() == this)
    params.ExStyle |= WS_EX_APPWINDOW;
  params.ClassIcon = icon_ ? icon_ : (Application ? Application->Icon() : nullptr);
  if (Parent() && formStyle_ != TFormStyle::fsMDIChild) {
    // A form placed in another control lives inside it.
    params.Style = (params.Style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS;
    params.ExStyle &= ~static_cast<DWORD>(WS_EX_APPWINDOW | WS_EX_TOPMOST);
    params.WndParent = Parent()->Handle();
  }
  if (formStyle_ == TFormStyle::fsMDIChild) {
    params.Style = (params.Style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS;
    params.ExStyle = (params.ExStyle & ~static_cast<DWORD>(WS_EX_APPWINDOW | WS_EX_TOPMOST)) | WS_EX_MDICHILD;
    TForm *frame = MDIFrame();
    params.WndParent = frame ? frame->ClientHandle() : nullptr;
  }
}

HWND TForm::CreateWindowHandle(const TCreateParams &params, HMENU id) {
  if (formStyle_ != TFormStyle::fsMDIChild)
    return TWinControl::CreateWindowHandle(params, id);
  // An MDI child is made by its frame's client window.
  TForm *frame = MDIFrame();
  if (!frame)
    throw Exception("Cannot make the MDI child " + ClassName() + ": there is no MDI frame");
  frame->HandleNeeded();
  MDICREATESTRUCTW create{};
  create.szClass = params.WinClassName.c_str();
  create.szTitle = params.Caption.c_str();
  create.hOwner = ModuleInstance();
  create.x = params.X;
  create.y = params.Y;
  create.cx = params.Width;
  create.cy = params.Height;
  create.style = params.Style & ~static_cast<DWORD>(WS_CHILD);
  return reinterpret_cast<HWND>(
      SendMessageW(frame->ClientHandle(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

void TForm::CreateWindowHandleDone() {
  HICON icon = icon_ ? icon_ : (Application ? Application->Icon() : nullptr);
  if (icon) {
    SendMessageW(WindowHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(WindowHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  if (menu_ && formStyle_ != TFormStyle::fsMDIChild && !::SetMenu(WindowHandle(), menu_->Handle()))
    LogLastOSError("SetMenu " + ClassName());
  if (formStyle_ == TFormStyle::fsMDIForm) {
    CLIENTCREATESTRUCT client{nullptr, 0xFF00};
    const RECT area = ClientRect();
    clientHandle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, area.right,
                                    area.bottom, WindowHandle(), nullptr, ModuleInstance(), &client);
    if (!clientHandle_)
      RaiseLastOSError("CreateWindowEx MDIClient");
  }
}

void TForm::SetMenu(TMainMenu *menu) {
  if (menu == menu_)
    return;
  if (menu_)
    menu_->form_ = nullptr;
  if (menu && menu->form_)
    menu->form_->SetMenu(nullptr);
  menu_ = menu;
  if (menu_)
    menu_->form_ = this;
  if (!HandleAllocated() || formStyle_ == TFormStyle::fsMDIChild)
    return;
  if (!::SetMenu(WindowHandle(), menu_ ? menu_->Handle() : nullptr))
    LogLastOSError("SetMenu " + ClassName());
  if (!(ComponentState() & cs::Destroying))
    SendMessageW(WindowHandle(), CM_MENUCHANGED, 0, 0);
}

TWindowState TForm::WindowState() const {
  if (!HandleAllocated())
    return TWindowState::wsNormal;
  if (IsIconic(WindowHandle()))
    return TWindowState::wsMinimized;
  return IsZoomed(WindowHandle()) ? TWindowState::wsMaximized : TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  const HWND window = Handle();
  if (formStyle_ == TFormStyle::fsMDIChild && state != TWindowState::wsMinimized) {
    SendMessageW(GetParent(window), state == TWindowState::wsMaximized ? WM_MDIMAXIMIZE : WM_MDIRESTORE,
                 reinterpret_cast<WPARAM>(window), 0);
    return;
  }
  ShowWindow(window, state == TWindowState::wsMaximized   ? SW_MAXIMIZE
                     : state == TWindowState::wsMinimized ? SW_MINIMIZE
                                                          : SW_RESTORE);
}

TForm *TForm::MDIFrame() {
  if (Application && Application->MainForm() && Application->MainForm()->FormStyle() == TFormStyle::fsMDIForm)
    return Application->MainForm();
  for (int i = 0; i < Screen().FormCount(); ++i)
    if (Screen().Forms(i)->FormStyle() == TFormStyle::fsMDIForm)
      return Screen().Forms(i);
  return nullptr;
}

std::vector<TForm *> TForm::MDIChildList() const {
  std::vector<TForm *> children;
  if (!clientHandle_)
    return children;
  for (int i = 0; i < Screen().FormCount(); ++i) {
    TForm *form = Screen().Forms(i);
    if (form->FormStyle() == TFormStyle::fsMDIChild && form->HandleAllocated() &&
        GetParent(form->WindowHandle()) == clientHandle_)
      children.push_back(form);
  }
  return children;
}

int TForm::MDIChildCount() const { return static_cast<int>(MDIChildList().size()); }

TForm *TForm::MDIChildren(int index) const { return MDIChildList().at(static_cast<size_t>(index)); }

TForm *TForm::ActiveMDIChild() const {
  if (!clientHandle_)
    return nullptr;
  return dynamic_cast<TForm *>(FindControl(reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0))));
}

void TForm::SetClientSize(int width, int height) {
  TCreateParams params;
  CreateParams(params);
  RECT rect{0, 0, width, height};
  AdjustWindowRectEx(&rect, params.Style, FALSE, params.ExStyle);
  SetBounds(Left(), Top(), rect.right - rect.left, rect.bottom - rect.top);
}

void TForm::PlaceOnScreen() {
  int x = Left(), y = Top();
  switch (position_) {
  case TPosition::poDesigned: return;
  case TPosition::poScreenCenter:
    x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
    break;
  case TPosition::poDesktopCenter: {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    x = work.left + (work.right - work.left - Width()) / 2;
    y = work.top + (work.bottom - work.top - Height()) / 2;
    break;
  }
  case TPosition::poMainFormCenter: {
    TForm *main = Application ? Application->MainForm() : nullptr;
    if (!main || main == this)
      return;
    x = main->Left() + (main->Width() - Width()) / 2;
    y = main->Top() + (main->Height() - Height()) / 2;
    break;
  }
  }
  SetBounds(std::max(x, 0), std::max(y, 0), Width(), Height());
}

bool TForm::Showing() const { return showing_ && HandleAllocated() && IsWindowVisible(WindowHandle()); }

void TForm::VisibleChanged() {
  if (Visible()) {
    HandleNeeded();
    PlaceOnScreen();
    DoShow();
    if (!Visible())
      return; // OnShow hid it again
    showing_ = true;
    if (formStyle_ == TFormStyle::fsMDIChild) {
      ShowWindow(WindowHandle(), SW_SHOW);
      SendMessageW(GetParent(WindowHandle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(WindowHandle()), 0);
    } else {
      ShowWindow(WindowHandle(), SW_SHOWNORMAL);
      SetForegroundWindow(WindowHandle());
    }
    ApplyFocus();
  } else {
    showing_ = false;
    if (HandleAllocated())
      ShowWindow(WindowHandle(), SW_HIDE);
    DoHide();
  }
}

void TForm::SetActiveControl(TWinControl *control) {
  activeControl_ = control;
  if (control && Showing() && control->CanFocus() && !control->Focused())
    control->SetFocus();
}

void TForm::ApplyFocus() {
  if (!Showing())
    return;
  TWinControl *target = activeControl_;
  if (!target || !target->CanFocus())
    target = FindNextControl(nullptr, true);
  if (target && target->CanFocus())
    ::SetFocus(target->Handle());
  else
    ::SetFocus(WindowHandle());
}

void TForm::FocusChanged(TWinControl *control) {
  activeControl_ = control;
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TForm::FocusNextFrom(TWinControl *control) {
  TWinControl *next = FindNextControl(control, true);
  if (next && next != control && next->CanFocus())
    next->SetFocus();
  else if (HandleAllocated())
    ::SetFocus(WindowHandle());
}

bool TForm::Active() const { return HandleAllocated() && GetActiveWindow() == WindowHandle(); }

bool TForm::CloseQuery(TCloseAction &action) {
  if (OnClose)
    OnClose(this, action);
  return action != TCloseAction::caNone;
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  const bool isMain = Application && Application->MainForm() == this;
  TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
  if (!CloseQuery(action))
    return;
  if (isMain) {
    Hide();
    Application->Terminate();
    return;
  }
  switch (action) {
  case TCloseAction::caHide: Hide(); break;
  case TCloseAction::caMinimize:
    if (HandleAllocated())
      ShowWindow(WindowHandle(), SW_MINIMIZE);
    break;
  case TCloseAction::caFree: Release(); break;
  case TCloseAction::caNone: break;
  }
}

void TForm::Release() {
  if (HandleAllocated())
    PostMessageW(WindowHandle(), CM_RELEASE, 0, 0);
}

int TForm::ShowModal() {
  if (modal_ || Visible())
    throw Exception("Cannot make a visible window modal");
  if (!Application)
    throw Exception("A modal window needs the application's message loop");
  HWND previous = GetActiveWindow();
  // Every other window of the program is disabled for the time being.
  std::vector<HWND> disabled;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
          reinterpret_cast<std::vector<HWND> *>(data)->push_back(window);
          EnableWindow(window, FALSE);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&disabled));
  struct Restore {
    std::vector<HWND> &windows;
    HWND previous;
    ~Restore() {
      for (HWND window : windows)
        if (IsWindow(window))
          EnableWindow(window, TRUE);
      if (previous && IsWindow(previous))
        SetActiveWindow(previous);
    }
  } restore{disabled, previous};

  modal_ = true;
  modalResult_ = mrNone;
  struct EndModal {
    TForm &form;
    ~EndModal() {
      form.modal_ = false;
      form.Hide();
    }
  } endModal{*this};
  Show();
  while (modalResult_ == mrNone) {
    Application->HandleMessage();
    if (Application->Terminated()) {
      if (modalResult_ == mrNone)
        modalResult_ = mrCancel;
      break;
    }
    if (modalResult_ != mrNone) {
      TCloseAction action = TCloseAction::caHide;
      if (!CloseQuery(action))
        modalResult_ = mrNone;
    }
  }
  return modalResult_;
}

bool TForm::DialogKey(WORD key, TShiftState shift) {
  TWinControl *focused = OwningControl(GetFocus());
  switch (key) {
  case VK_TAB: {
    if (shift & ss::Alt)
      return false;
    // Ctrl+Tab is for the control that turns pages.
    if (shift & ss::Ctrl)
      return BroadcastUntilHandled(*this, CM_DIALOGKEY, key, 0);
    TWinControl *next = FindNextControl(focused, !(shift & ss::Shift));
    if (next)
      next->SetFocus();
    return true;
  }
  case VK_LEFT:
  case VK_RIGHT:
  case VK_UP:
  case VK_DOWN: {
    if (!focused || !focused->Parent())
      return false;
    // Arrows move among the controls of the same parent (radio buttons).
    TWinControl *parent = focused->Parent();
    std::vector<TWinControl *> siblings;
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (auto *sibling = dynamic_cast<TWinControl *>(parent->Controls(i)); sibling && sibling->CanFocus())
        siblings.push_back(sibling);
    auto it = std::find(siblings.begin(), siblings.end(), focused);
    if (it == siblings.end() || siblings.size() < 2)
      return true;
    const bool forward = key == VK_RIGHT || key == VK_DOWN;
    const auto index = static_cast<size_t>(it - siblings.begin());
    siblings[forward ? (index + 1) % siblings.size() : (index + siblings.size() - 1) % siblings.size()]->SetFocus();
    return true;
  }
  case VK_RETURN:
  case VK_ESCAPE: return BroadcastUntilHandled(*this, CM_DIALOGKEY, key, 0);
  default: return false;
  }
}

bool TForm::DialogChar(wchar_t character) {
  return character != 0 && BroadcastUntilHandled(*this, CM_DIALOGCHAR, character, 0);
}

void TForm::WndProc(TMessage &message) {
  switch (message.Msg) {
  case WM_CLOSE: Close(); return;
  case WM_ACTIVATE:
    if (LOWORD(message.WParam) == WA_INACTIVE) {
      if (TWinControl *focused = OwningControl(GetFocus()); focused && focused != this && focused->ParentForm() == this)
        activeControl_ = focused;
      DefaultHandler(message);
      return;
    }
    Screen().activeForm_ = this;
    DefaultHandler(message);
    if (!IsIconic(WindowHandle()))
      ApplyFocus();
    if (OnActivate)
      OnActivate(this);
    return;
  case CM_DIALOGKEY:
    message.Result = DialogKey(static_cast<WORD>(message.WParam), KeyboardShiftState()) ? 1 : 0;
    return;
  case CM_DIALOGCHAR: message.Result = DialogChar(static_cast<wchar_t>(message.WParam)) ? 1 : 0; return;
  case WM_COMMAND:
    // A command of the form's menu (lParam 0: a menu or an accelerator).
    if (message.LParam == 0 && menu_)
      if (TMenuItem *item = menu_->FindItem(LOWORD(message.WParam))) {
        item->Click();
        message.Result = 0;
        return;
      }
    break;
  case WM_MEASUREITEM:
  case WM_DRAWITEM:
    if (HandleMenuOwnerDraw(message))
      return;
    break;
  case WM_DESTROY:
    // The window would take its menu with it; the menu is the TMainMenu's.
    if (menu_ && formStyle_ != TFormStyle::fsMDIChild)
      ::SetMenu(WindowHandle(), nullptr);
    break;
  case WM_NCDESTROY: clientHandle_ = nullptr; break;
  case WM_HSCROLL:
  case WM_VSCROLL:
    // The form's own scroll bars (a control's come with its window).
    if (message.LParam == 0 && autoScroll_) {
      ScrollRequest(message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(message.WParam));
      message.Result = 0;
      return;
    }
    break;
  default: break;
  }
  TWinControl::WndProc(message);
}

void TForm::DefaultHandler(TMessage &message) {
  if (HandleAllocated() && formStyle_ == TFormStyle::fsMDIForm && clientHandle_) {
    message.Result = DefFrameProcW(WindowHandle(), clientHandle_, message.Msg, message.WParam, message.LParam);
    return;
  }
  if (HandleAllocated() && formStyle_ == TFormStyle::fsMDIChild) {
    message.Result = DefMDIChildProcW(WindowHandle(), message.Msg, message.WParam, message.LParam);
    return;
  }
  TWinControl::DefaultHandler(message);
}

// ---- TApplication

TApplication::TApplication() {
  Application = this;
  EnsureCommonControls();

  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::string name = ExtractFileName(Narrow(path));
  if (auto dot = name.rfind('.'); dot != std::string::npos)
    name.resize(dot);
  title_ = name;
  icon_ = LoadIconW(ModuleInstance(), L"MAINICON");

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WndProc;
  windowClass.hInstance = ModuleInstance();
  windowClass.hIcon = icon_;
  windowClass.lpszClassName = L"TApplication";
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    RaiseLastOSError("RegisterClassEx TApplication");
  window_ = CreateWindowExW(0, L"TApplication", Wide(title_).c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr,
                            nullptr, ModuleInstance(), nullptr);
  if (!window_)
    RaiseLastOSError("CreateWindowEx TApplication");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                             0, window_, nullptr, ModuleInstance(), nullptr);
  if (tooltip_)
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
  else
    LogLastOSError("CreateWindowEx tooltip");

  SetYieldPump([this] { ProcessMessages(); });
  // Portable code's plain notices show in the framework's own box.
  SetNoticeHandler([](const std::string &text) { ShowMessage(text); });
}

TApplication::~TApplication() {
  SetYieldPump(nullptr);
  SetNoticeHandler(nullptr);
  // The forms go first, while the window that owns theirs still exists.
  while (ComponentCount() > 0)
    delete Components(ComponentCount() - 1);
  if (tooltip_)
    DestroyWindow(tooltip_);
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (Application == this)
    Application = nullptr;
}

void TApplication::SetTitle(const std::string &title) {
  title_ = title;
  if (window_)
    SetWindowTextW(window_, Wide(title).c_str());
}

LRESULT CALLBACK TApplication::WndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *self = reinterpret_cast<TApplication *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  try {
    if (self && msg == WM_CLOSE) {
      if (self->mainForm_)
        self->mainForm_->Close();
      return 0;
    }
    // It owns the popup menus while they are shown.
    TMessage message{msg, wParam, lParam, 0};
    if (HandleMenuOwnerDraw(message))
      return message.Result;
  } catch (...) {
    zorvex::HandleException(std::current_exception());
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

void TApplication::Run() {
  if (mainForm_ && !mainForm_->Visible())
    mainForm_->Show();
  while (!terminated_)
    HandleMessage();
}

void TApplication::Terminate() {
  if (!terminated_)
    PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
  MSG message;
  while (!terminated_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      terminated_ = true;
      break;
    }
    ProcessMessage(message);
  }
}

void TApplication::HandleMessage() {
  MSG message;
  const BOOL got = GetMessageW(&message, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    if (got == -1)
      LogLastOSError("GetMessage");
    terminated_ = true;
    return;
  }
  ProcessMessage(message);
}

bool TApplication::ProcessMessage(MSG &message) {
  // Whatever a handler throws on the way, the loop goes on.
  try {
    if (message.message == CM_RELEASE) {
      if (auto *form = dynamic_cast<TForm *>(FindControl(message.hwnd)))
        delete form;
      return true;
    }
    if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) {
      TrackMouse(message);
      if (tooltip_)
        SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    } else if (message.message == WM_MOUSELEAVE && mouseControl_) {
      auto *windowed = dynamic_cast<TWinControl *>(mouseControl_);
      TWinControl *holder = windowed ? windowed : mouseControl_->Parent();
      if (holder && holder->WindowHandle() == message.hwnd) {
        TControl *left = mouseControl_;
        mouseControl_ = nullptr;
        left->Perform(CM_MOUSELEAVE);
      }
    }
    if (mainForm_ && mainForm_->ClientHandle() && TranslateMDISysAccel(mainForm_->ClientHandle(), &message))
      return true;
    if (IsKeyMessage(message))
      return true;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  } catch (...) {
    HandleException(std::current_exception());
  }
  return true;
}

bool TApplication::IsKeyMessage(MSG &message) {
  const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  const bool character = message.message == WM_CHAR || message.message == WM_SYSCHAR;
  if (!keyDown && !character)
    return false;
  TWinControl *control = OwningControl(message.hwnd);
  if (!control)
    return false;
  TForm *form = control->ParentForm();
  if (keyDown) {
    if (control->Perform(CN_KEYDOWN, message.wParam, message.lParam) != 0)
      return true;
    switch (message.wParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_ESCAPE: {
      const LRESULT code =
          SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
      if (code & DLGC_WANTALLKEYS)
        return false;
      if (message.wParam == VK_TAB && (code & DLGC_WANTTAB))
        return false;
      if (message.wParam != VK_TAB && message.wParam != VK_RETURN && message.wParam != VK_ESCAPE &&
          (code & DLGC_WANTARROWS))
        return false;
      return form && form->Perform(CM_DIALOGKEY, message.wParam, message.lParam) != 0;
    }
    default: return false;
    }
  }
  if (message.message == WM_CHAR) {
    const LRESULT code = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
    if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_HASSETSEL))
      return false;
  }
  return form && form->Perform(CM_DIALOGCHAR, message.wParam, message.lParam) != 0;
}

void TApplication::TrackMouse(const MSG &message) {
  if (message.message != WM_MOUSEMOVE)
    return;
  TControl *target = FindControl(message.hwnd);
  if (auto *windowed = dynamic_cast<TWinControl *>(target)) {
    if (TControl *graphic = windowed->ControlAtPos(POINT{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)}))
      target = graphic;
  }
  if (target != mouseControl_) {
    TControl *left = mouseControl_;
    mouseControl_ = target;
    if (left)
      left->Perform(CM_MOUSELEAVE);
    if (target)
      target->Perform(CM_MOUSEENTER);
  }
  if (target) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, message.hwnd, 0};
    TrackMouseEvent(&track);
  }
}

void TApplication::RegisterHint(TWinControl *control) {
  if (!tooltip_ || !control->HandleAllocated())
    return;
  UnregisterHint(control);
  if (control->Hint().empty() || !control->ShowHint())
    return;
  std::wstring text = Wide(control->Hint());
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = GetParent(control->WindowHandle());
  tool.uId = reinterpret_cast<UINT_PTR>(control->WindowHandle());
  tool.lpszText = text.data();
  if (!SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
    LogOSError("TTM_ADDTOOL " + control->Name(), 0);
}

void TApplication::UnregisterHint(TWinControl *control) {
  if (!tooltip_ || !control->HandleAllocated())
    return;
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = GetParent(control->WindowHandle());
  tool.uId = reinterpret_cast<UINT_PTR>(control->WindowHandle());
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TApplication::ControlDestroying(TControl *control) {
  if (mouseControl_ == control)
    mouseControl_ = nullptr;
}

void TApplication::HandleException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const EAbort &) {
  } catch (const Exception &e) {
    ShowException(e);
  } catch (...) {
    ShowException(Exception(""));
  }
}

void TApplication::ShowException(const Exception &error) {
  if (OnException) {
    OnException(this, error);
    return;
  }
  if (handlingException_) {
    OutputDebugStringW(Wide("Zorvex: " + error.Message() + "\n").c_str());
    return;
  }
  handlingException_ = true;
  struct Reset {
    bool &flag;
    ~Reset() { flag = false; }
  } reset{handlingException_};
  ShowExceptionMessage(error.Message());
}

} // namespace zorvex
