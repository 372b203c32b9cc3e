#include "Winskinform.h"

#include <algorithm>

#include "SkinGdi.h"
#include "SkinMessages.h"
#include "Winskindlg.h"
#include "Winskinmenu.h"
#include "Winsubclass.h"
#include "framework/core/BitmapDraw.h"
#include "framework/core/PublishedProperties.h"
#include "framework/core/Texts.h"
#include "framework/win/Forms.h"
#include "framework/win/ImgList.h"
#include "framework/win/Menus.h"
#include "skin/data/Winskindata.h"

namespace zorvex {

namespace {

constexpr UINT_PTR HoverTimerId = 0x5B1F;
constexpr int HoverInterval = 250;
constexpr int SystemMenuTag = 33333;

// Item tags of the skin's system menu; each is also the item's glyph.
namespace SysItem {
constexpr int Restore = 0, Maximize = 1, Minimize = 2, Close = 3, Line = 100;
}

// Versions of the system that keep the caption style and lose only the
// caption buttons when skinned.
bool KeepCaptionStyle() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&version))
    return false;
#pragma GCC diagnostic pop
  return version.dwMajorVersion > 4 && version.dwMinorVersion > 0;
}

bool Contains(const TRect &r, POINT p) { return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom; }

POINT LParamToPoint(LPARAM l) {
  return POINT{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
}

// The size a caption button takes: the window's icon for the icon button
// without a picture, one frame of its picture otherwise.
TRect ButtonSize(const TDataSkinSysButton &data, const TBitmap &icon) {
  if (IsIconButton(data.Action) && data.Image.Empty())
    return {0, 0, icon.Width(), icon.Height()};
  if (IsIconButton(data.Action))
    return {0, 0, data.Image.Width(), data.Image.Height()};
  return CaptionButtonFrameSize(data);
}

} // namespace

// ---- TNCObject ------------------------------------------------------------------

TNCObject::~TNCObject() {
  if (form_.HotObject == this)
    form_.HotObject = nullptr;
}

void TNCObject::MouseDown() {
  if (!Enabled)
    return;
  if (form_.HotObject && form_.HotObject != this)
    form_.HotObject->MouseLeave();
  form_.HotObject = this;
  State = StatePressed;
  Draw();
}

void TNCObject::MouseUp() {
  if (!Enabled)
    return;
  State = StateHot;
  Draw();
}

void TNCObject::MouseEnter() {
  if (!Enabled || form_.HotObject == this)
    return;
  if (form_.HotObject)
    form_.HotObject->MouseLeave();
  form_.HotObject = this;
  State = StateHot;
  Draw();
}

void TNCObject::MouseLeave() {
  if (!Enabled)
    return;
  if (form_.HotObject == this)
    form_.HotObject = nullptr;
  State = StateNormal;
  Draw();
}

void TWinSysButton::Draw() { form_.DrawSysbtn(*this, State); }

// ---- Construction ------------------------------------------------------------------

TWinSkinForm::TWinSkinForm(TComponent *ownerForm)
    : TComponent(ownerForm), captionFont_(CreateCaptionFont()), doubleClickTime_(GetDoubleClickTime()) {}

TWinSkinForm::~TWinSkinForm() {
  try {
    if (subclass_.Attached() || formProcReplaced_)
      UnSubclass3();
  } catch (...) {
    // A destructor lets nothing out; the window goes its own way.
  }
  HotObject = nullptr;
  buttons_.clear();
  if (TSkinManage *manager = RuntimeSkinManager())
    manager->DeleteForm2(this);
}

// ---- Attaching ------------------------------------------------------------------

void TWinSkinForm::InitTform(TSkinData *skinData, TForm *form) {
  form_ = form;
  if (const TPropertyTable *table = form->PublishedProperties())
    if (const TPropertyInfo *autoScroll = table->Find("AutoScroll"); autoScroll && !autoScroll->ReadOnly())
      autoScroll->SetOrdinal(*form, 0);
  if (skinData->SkinControls().Contains(TSkinControlType::xcMainMenu)) {
    oldFormProc_ = form->WindowProc;
    form->WindowProc = [this](TMessage &message) { NewWndProc(message); };
    formProcReplaced_ = true;
  }
  InitSkin(skinData);
  designedColors_.Replace(*form, TDesignedColors::TKind::Color, skinData->Colors(csButtonFace));
  if (skinData->SkinControls().Contains(TSkinControlType::xcMenuItem) ||
      skinData->SkinControls().Contains(TSkinControlType::xcPopupMenu))
    InitFormMenus(*form, *skinData, true);
}

void TWinSkinForm::InitSkin(TSkinData *skinData) {
  if (subclass_.Attached() || !Handle)
    return;
  skinData_ = skinData;
  TSkinManage *manager = RuntimeSkinManager();
  if (manager)
    manager->SetRunState(RunState::Running);
  frameHandling_ = skinData->SkinControls().Contains(TSkinControlType::xcMainMenu);

  style_ = GetWindowLongPtrW(Handle, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(Handle, GWL_EXSTYLE);
  rightToLeft_ = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
  isChild_ = (style_ & WS_CHILD) != 0;
  sysMenuHandle_ = GetSystemMenu(Handle, FALSE);
  const std::string className = LowerCaseAZ(WindowClassName(Handle));
  GetClientRect(Handle, &savedClient_);
  RECT window{};
  GetWindowRect(Handle, &window);
  systemFrame_ = {(window.right - window.left) - savedClient_.right,
                  (window.bottom - window.top) - savedClient_.bottom};

  icons_ = {};
  if ((style_ & WS_SYSMENU) || sysMenuHandle_)
    icons_.Include(TSkinFormIcon::sbisystem);
  if (style_ & WS_MINIMIZEBOX)
    icons_.Include(TSkinFormIcon::sbiMin);
  if (style_ & WS_MAXIMIZEBOX)
    icons_.Include(TSkinFormIcon::sbiMax);
  CreateSysmenu();
  ReadWindowState();
  thickFrame_ = (style_ & WS_THICKFRAME) != 0;
  if (exStyle & WS_EX_MDICHILD)
    formStyle_ = TSkinFormStyle::sfsMDIChild;
  else if (FindWindowExW(Handle, nullptr, L"MDIClient", nullptr))
    formStyle_ = TSkinFormStyle::sfsMDIform;
  else if (isChild_)
    formStyle_ = TSkinFormStyle::sfsChild;
  else
    formStyle_ = TSkinFormStyle::sfsNormal;

  border_ = TSkinFormBorder::sbsSingle;
  if (!(style_ & WS_BORDER) || !(style_ & WS_DLGFRAME))
    border_ = TSkinFormBorder::sbsNone;
  else if (style_ & WS_THICKFRAME)
    border_ = TSkinFormBorder::sbsSizeable;
  else if (style_ & DS_MODALFRAME)
    border_ = TSkinFormBorder::sbsDialog;
  if (exStyle & WS_EX_DLGMODALFRAME)
    border_ = TSkinFormBorder::sbsDialog;
  if (className == "#32770" || className == "tmessageform") {
    border_ = TSkinFormBorder::sbsDialog;
    dialogBox_ = true;
  }

  if (formStyle_ == TSkinFormStyle::sfsMDIform) {
    mdiClient_ = FindWindowExW(Handle, nullptr, L"MDIClient", nullptr);
    if (manager) {
      manager->MDIClient = mdiClient_;
      manager->MDIMainForm = form_;
    }
    mdiClientSubclass_.Attach(mdiClient_, [this](TWindowSubclass &sub, UINT msg, WPARAM w, LPARAM l) {
      MdiClientProc(msg, w, l);
      if (msg == CN_SkinRedrawMDI) {
        RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return LRESULT{0};
      }
      if (msg == WM_NCCALCSIZE && skinData_ && !skinData_->Options().Contains(TSkinOption::xoMDIScrollbar)) {
        const LONG_PTR s = GetWindowLongPtrW(mdiClient_, GWL_STYLE);
        if (s & (WS_HSCROLL | WS_VSCROLL))
          SetWindowLongPtrW(mdiClient_, GWL_STYLE, s & ~(WS_HSCROLL | WS_VSCROLL));
      }
      return sub.CallOld(msg, w, l);
    });
  }

  if (frameHandling_) {
    menuHandle_ = GetMenu(Handle);
    if (menuHandle_ && formStyle_ != TSkinFormStyle::sfsMDIChild) {
      menuBar_ = new TWinSkinMenu(this, *this); // owned through the component tree
      metrics_.MenuBar = GetSystemMetrics(SM_CYMENU);
      menuBar_->UpdataBtn();
    }
    const bool mdiChildHidden = formStyle_ == TSkinFormStyle::sfsMDIChild && manager && manager->MDIMax();
    if (!mdiChildHidden && windowState_ != TSkinWindowState::swsMin)
      EnableSysbtn(false);
    InitSkinData();
  } else {
    state_ = SkinState::Active;
  }
  if (formStyle_ == TSkinFormStyle::sfsMDIChild) {
    const int system = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
    if (metrics_.Top < system)
      metrics_.MenuBar = system - metrics_.Top;
  }

  unicode_ = IsWindowUnicode(Handle) != FALSE;
  subclass_.Attach(
      Handle,
      [this](TWindowSubclass &sub, UINT msg, WPARAM w, LPARAM l) { return WndProc(sub, msg, w, l); },
      unicode_ ? TProcKind::Wide : TProcKind::Ansi);
  if (formStyle_ == TSkinFormStyle::sfsMDIChild && windowState_ == TSkinWindowState::swsMax && manager &&
      !manager->MDIMax())
    manager->SetMDIMax(true);
  RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::InitSkinData() {
  if (!skinData_ || skinData_->SkinLoading())
    return;
  const int menuBar = metrics_.MenuBar;
  if (border_ == TSkinFormBorder::sbsNone) {
    metrics_ = {};
  } else {
    metrics_ = SkinFrameMetrics(*skinData_, border_);
    metrics_.MenuBar = menuBar;
  }
  HotObject = nullptr;
  buttons_.clear();
  int index = 0;
  for (const auto &data : skinData_->SysButtons()) {
    buttons_.push_back(std::make_unique<TWinSysButton>(*this, *data, index++));
    if (IsIconButton(data->Action))
      FetchIcon();
  }
}

void TWinSkinForm::DeleteSysbtn() {
  HotObject = nullptr;
  buttons_.clear();
}

void TWinSkinForm::FetchIcon() {
  const int size = GetSystemMetrics(SM_CXSMICON);
  auto icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_SMALL, 0));
  if (!icon)
    icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_BIG, 0));
  if (!icon)
    icon = reinterpret_cast<HICON>(GetClassLongPtrW(Handle, GCLP_HICONSM));
  icon_ = IconToBitmap(icon, size);
  if (icon_.Empty() && skinData_) {
    const TBitmap *fallback = &skinData_->AppIcon();
    if (fallback->Empty())
      if (TSkinManage *manager = RuntimeSkinManager(); manager && manager->MainSkinData())
        fallback = &manager->MainSkinData()->AppIcon();
    icon_ = *fallback;
  }
}

void TWinSkinForm::ReadWindowState() {
  if (IsIconic(Handle))
    windowState_ = TSkinWindowState::swsMin;
  else if (IsZoomed(Handle))
    windowState_ = TSkinWindowState::swsMax;
  else
    windowState_ = TSkinWindowState::swsNormal;
}

// ---- First skinning, skin changes ---------------------------------------------------

void TWinSkinForm::SkinActive() {
  activated_ = true;
  FetchIcon();
  InitControls(*this);
  if (state_ == SkinState::Created) {
    if (formStyle_ == TSkinFormStyle::sfsMDIChild) {
      if (windowState_ == TSkinWindowState::swsMax) {
        if (TSkinManage *manager = RuntimeSkinManager(); manager && manager->MDIClient)
          PostMessageW(manager->MDIClient, CN_SkinRedrawMDI, reinterpret_cast<WPARAM>(Handle), 0);
      } else if (windowState_ == TSkinWindowState::swsMin) {
        EnableSysbtn(true);
      } else {
        state_ = SkinState::Resizing;
        ResizeForm(false);
        state_ = SkinState::Active;
        Cropwindow();
      }
    } else if (!isChild_ && border_ != TSkinFormBorder::sbsNone && windowState_ != TSkinWindowState::swsMin) {
      state_ = SkinState::Resizing;
      ResizeForm(false);
      state_ = SkinState::Active;
      if (windowState_ == TSkinWindowState::swsMax)
        Refresh();
      else
        Cropwindow();
    }
  }
  state_ = SkinState::Active;
  StartHoverTimer(true);
}

void TWinSkinForm::SkinChange() {
  if (!skinData_)
    return;
  if (form_)
    SkinFormColors(*form_, *skinData_, designedColors_);
  HWND focused = GetFocus();
  for (TSkinControl *control : std::vector<TSkinControl *>(controls_))
    control->SkinChange();
  state_ = SkinState::Changing;
  if (frameHandling_) {
    if (form_)
      InitFormMenus(*form_, *skinData_, true);
    ResizeForm(true);
    if (form_ && windowState_ == TSkinWindowState::swsNormal) {
      // A nudge of the height lays the form's controls out again.
      form_->SetHeight(form_->Height() + 1);
      form_->SetHeight(form_->Height() - 1);
    }
    Cropwindow();
    UpdateNc();
  }
  if (focused && IsWindow(focused))
    SetFocus(focused);
  state_ = SkinState::Active;
  RePaint(Handle);
}

void TWinSkinForm::Notification(TComponent *component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::Remove)
    designedColors_.Forget(component);
}

// ---- Detaching ------------------------------------------------------------------

void TWinSkinForm::UnSubclass() {
  if (!frameHandling_) {
    UnSubclass2();
    return;
  }
  const bool closing = state_ == SkinState::Closing;
  delete sysMenu_;
  sysMenu_ = nullptr;
  StartHoverTimer(false);
  if (formProcReplaced_ && form_) {
    form_->WindowProc = oldFormProc_;
    formProcReplaced_ = false;
  }
  subclass_.Restore();
  // Colours first: a control's skinner then gives back the colour it saved
  // when it was attached, before any skin change.
  if (form_ && !closing)
    designedColors_.Restore();
  DeleteControls();
  if (form_ && !closing)
    InitFormMenus(*form_, *skinData_, false);
  EnableSysbtn(true);
  delete menuBar_;
  menuBar_ = nullptr;
  if (menuHandle_ && IsMenu(menuHandle_) && !GetMenu(Handle))
    SetMenu(Handle, menuHandle_);
  mdiClientSubclass_.Restore();
  frame_.Clear();
  if ((formStyle_ == TSkinFormStyle::sfsMDIChild || !isChild_) && !closing &&
      windowState_ == TSkinWindowState::swsNormal && state_ != SkinState::Created) {
    RECT r{};
    GetWindowRect(Handle, &r);
    const int width = r.right - r.left + systemFrame_.cx - metrics_.Left - metrics_.Right;
    const int height =
        r.bottom - r.top + systemFrame_.cy - metrics_.Top - metrics_.Bottom - metrics_.MenuBar;
    SetWindowPos(Handle, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
  } else {
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  Uncropwindow();
}

void TWinSkinForm::UnSubclass2() {
  StartHoverTimer(false);
  if (form_ && skinData_)
    designedColors_.Restore(); // before the controls' skinners give back theirs
  DeleteControls();
  if (form_ && skinData_)
    InitFormMenus(*form_, *skinData_, false);
  if (formProcReplaced_ && form_) {
    form_->WindowProc = oldFormProc_;
    formProcReplaced_ = false;
  }
  subclass_.Restore();
  RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TWinSkinForm::UnSubclass3() {
  if (formProcReplaced_ && form_) {
    form_->WindowProc = oldFormProc_;
    formProcReplaced_ = false;
  }
  subclass_.Restore();
  mdiClientSubclass_.Restore();
  DeleteControls();
  delete sysMenu_;
  sysMenu_ = nullptr;
  delete menuBar_;
  menuBar_ = nullptr;
  hoverTimer_.reset();
}

// ---- Sizes and shape ------------------------------------------------------------------

void TWinSkinForm::ResizeForm(bool keepClient) {
  UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED;
  if (state_ == SkinState::Changing)
    flags |= SWP_NOACTIVATE;
  if (windowState_ == TSkinWindowState::swsMax) {
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0, flags | SWP_NOSIZE);
    return;
  }
  if (keepClient || dialogBox_ || state_ == SkinState::Changing) {
    RECT client{};
    GetClientRect(Handle, &client);
    savedClient_ = client;
  }
  int width = savedClient_.right + metrics_.Left + metrics_.Right;
  const int height = savedClient_.bottom + metrics_.Top + metrics_.Bottom + metrics_.MenuBar;
  if (dialogBox_ && state_ == SkinState::Resizing) {
    // A dialog's title must fit: widen it and keep its controls centred.
    WindowDC dc(Handle, true);
    const SIZE text = MeasureSkinText(dc.get(), CaptionText(WindowText(Handle)), captionFont_.get());
    const TDataSkinTitle &title = skinData_->Title();
    const int needed = title.LeftWidth + text.cx + title.RightWidth;
    if (needed > width) {
      const int shift = (needed - width) / 2;
      for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT *>(&r), 2);
        SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      width = needed;
    }
  }
  SetWindowPos(Handle, nullptr, 0, 0, width, height, flags);
}

void TWinSkinForm::Cropwindow() {
  if (state_ == SkinState::Destroyed || !skinData_ || !frameHandling_)
    return;
  if (formStyle_ == TSkinFormStyle::sfsMDIChild && windowState_ != TSkinWindowState::swsNormal)
    return;
  RECT r{};
  GetWindowRect(Handle, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0)
    return;
  if (width == shapedSize_.cx && height == shapedSize_.cy && state_ != SkinState::Changing)
    return;
  // Compose the frame at this size (the title bar's caption and buttons count).
  WindowDC dc(Handle, true);
  windowRect_ = r;
  ComposeTitleBar(dc.get());
  const TWindowShape shape = WindowShape(frame_, *skinData_, metrics_, border_);
  shapedSize_ = {width, height};
  if (shape.Whole) {
    Uncropwindow();
    return;
  }
  if (SetWindowRegion(Handle, RegionFromRects(shape.Rects), true))
    shaped_ = true;
}

void TWinSkinForm::Uncropwindow() {
  if (shaped_)
    SetWindowRegion(Handle, OwnedRegion(), true);
  shaped_ = false;
  shapedSize_ = {0, 0};
}

void TWinSkinForm::Refresh() {
  SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::RePaint(HWND window) {
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
}

void TWinSkinForm::EnableSysbtn(bool show) {
  TSkinManage *manager = RuntimeSkinManager();
  if (!show && formStyle_ == TSkinFormStyle::sfsMDIChild && manager && manager->MDIMax())
    return;
  if (show && isChild_ && formStyle_ != TSkinFormStyle::sfsMDIChild)
    return;
  LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
  const LONG_PTR before = style;
  if (!show) {
    // Owned windows too: the system's own caption buttons would otherwise
    // still answer clicks and draw themselves over the skin's.
    if (KeepCaptionStyle() || formStyle_ == TSkinFormStyle::sfsMDIChild) {
      style &= ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    } else if (style & WS_CAPTION) {
      style &= ~WS_CAPTION;
      icons_.Include(TSkinFormIcon::sbicaption);
    }
  } else {
    if (icons_.Contains(TSkinFormIcon::sbisystem) && (style_ & WS_SYSMENU))
      style |= WS_SYSMENU;
    if (icons_.Contains(TSkinFormIcon::sbiMin))
      style |= WS_MINIMIZEBOX;
    if (icons_.Contains(TSkinFormIcon::sbiMax))
      style |= WS_MAXIMIZEBOX;
    if (icons_.Contains(TSkinFormIcon::sbicaption)) {
      style |= (style_ & WS_CAPTION);
      icons_.Exclude(TSkinFormIcon::sbicaption);
    }
  }
  if (style != before)
    SetWindowLongPtrW(Handle, GWL_STYLE, style);
}

// ---- Painting ------------------------------------------------------------------

TCaptionState TWinSkinForm::CaptionStateNow() {
  TCaptionState s;
  s.WindowState = windowState_;
  s.Icons = icons_;
  s.Active = active_;
  s.Border = border_;
  s.DialogBox = dialogBox_;
  s.ChildMaximizedInMenuBar = MenuBarMdiButtonsShown();
  s.AskWindow = [this](int index) { return SendMessageW(Handle, CN_SkinButtonVisible, index, 0) > 0; };
  return s;
}

bool TWinSkinForm::MenuBarMdiButtonsShown() {
  if (formStyle_ != TSkinFormStyle::sfsMDIform || !menuBar_ || !form_)
    return false;
  TForm *child = form_->ActiveMDIChild();
  return child && child->HandleAllocated() && IsZoomed(child->WindowHandle());
}

bool TWinSkinForm::Checkvisible(int index) {
  if (index < 0 || index >= static_cast<int>(buttons_.size()))
    return false;
  TWinSysButton &button = *buttons_[static_cast<size_t>(index)];
  button.Visible = CaptionButtonVisible(button.Data, index, CaptionStateNow());
  button.Enabled = button.Visible;
  return button.Visible;
}

void TWinSkinForm::SetSysbtnRect() {
  const int width = windowRect_.right - windowRect_.left;
  TCaptionGeometry g;
  g.WindowWidth = width;
  g.Metrics = metrics_;
  g.CaptionText = captionRect_;
  g.RightToLeft = rightToLeft_;
  leftmostRightButton_ = 0;
  for (auto &button : buttons_) {
    Checkvisible(button->Index);
    const TRect size = ButtonSize(button->Data, icon_);
    button->Rect = CaptionButtonRect(button->Data, g, size.Width(), size.Height());
    if (button->Visible && button->Data.Align == 1 &&
        (leftmostRightButton_ == 0 || button->Rect.Left < leftmostRightButton_))
      leftmostRightButton_ = button->Rect.Left;
  }
}

void TWinSkinForm::DrawCaptionButton(TBitmap &target, const TWinSysButton &button, int frame, int offsetX,
                                     int offsetY) const {
  const TRect dest{button.Rect.Left + offsetX, button.Rect.Top + offsetY, button.Rect.Right + offsetX,
                   button.Rect.Bottom + offsetY};
  if (IsIconButton(button.Data.Action)) {
    const TBitmap &picture = button.Data.Image.Empty() ? icon_ : button.Data.Image;
    StretchCopy(target, dest, picture, {0, 0, picture.Width(), picture.Height()}, clFuchsia);
    return;
  }
  const TRect source = button.Data.FrameOf(std::min(frame, std::max(button.Data.Frame, 1)));
  if (!source.IsEmpty())
    StretchCopy(target, dest, button.Data.Image, source, clFuchsia);
}

void TWinSkinForm::ComposeTitleBar(HDC dc) {
  const int width = windowRect_.right - windowRect_.left;
  const int height = windowRect_.bottom - windowRect_.top;
  if (frame_.Width() != width || frame_.Height() != height)
    frame_ = TBitmap(width, height);
  frame_.Fill(skinData_->Colors(csButtonFace));
  ComposeFrame(frame_, *skinData_, metrics_, active_);

  // Right-anchored buttons first: the caption text stops before them.
  SetSysbtnRect();
  const TDataSkinTitle &title = skinData_->Title();
  TCaptionTextInput in;
  in.WindowWidth = width;
  in.TopHeight = metrics_.Top;
  const SIZE text = MeasureSkinText(dc, CaptionText(WindowText(Handle)), captionFont_.get());
  in.TextWidth = text.cx;
  in.TextHeight = text.cy;
  in.RightToLeft = rightToLeft_;
  in.Popup = (style_ & WS_POPUP) != 0;
  in.DialogBorder = border_ == TSkinFormBorder::sbsDialog;
  in.LeftmostRightButton = leftmostRightButton_;
  const TCaptionTextPlace place = CaptionTextPlace(title, in);
  captionRect_ = place.Text;
  // Buttons placed by the caption's edges follow it.
  SetSysbtnRect();

  if (!title.Image.Empty()) {
    const TRect strip = title.FrameOf(active_ ? 1 : std::min(2, std::max(title.Frame, 1)), true);
    if (!strip.IsEmpty()) {
      const int top = (metrics_.Top - strip.Height()) / 2 + title.TopHeight / 2;
      const TRect back{place.Back.Left, top, std::min(place.Back.Right, place.Text.Right + title.TXTBackRight),
                       top + strip.Height()};
      DrawNineSlice(frame_, back, title.Image, strip, {title.TXTBackleft, 0, title.TXTBackRight, 0}, true,
                    clFuchsia);
    }
  }
  for (const auto &button : buttons_)
    if (button->Visible && button->Data.Align != AlignMenuBar)
      DrawCaptionButton(frame_, *button, CaptionButtonRestFrame(button->Data, active_), 0, 0);
}

void TWinSkinForm::UpdateNc(HDC dc) {
  if (state_ != SkinState::Active && state_ != SkinState::Changing)
    return;
  if (!skinData_ || border_ == TSkinFormBorder::sbsNone || !frameHandling_)
    return;
  if (formStyle_ == TSkinFormStyle::sfsMDIChild && windowState_ != TSkinWindowState::swsNormal)
    return;
  try {
    std::unique_ptr<WindowDC> own;
    if (!dc) {
      own = std::make_unique<WindowDC>(Handle, true);
      dc = own->get();
    }
    if (!dc)
      return;
    GetWindowRect(Handle, &windowRect_);
    ComposeTitleBar(dc);
    const TFrameParts parts = FrameParts(frame_.Width(), frame_.Height(), metrics_);
    CopyBitmapToDC(dc, 0, 0, frame_, {0, 0, frame_.Width(), metrics_.Top});
    CopyBitmapToDC(dc, 0, metrics_.Top, frame_, {0, metrics_.Top, metrics_.Left, frame_.Height()});
    CopyBitmapToDC(dc, parts.RightBorder.Left, metrics_.Top, frame_,
                   {parts.RightBorder.Left, metrics_.Top, frame_.Width(), frame_.Height()});
    CopyBitmapToDC(dc, parts.BottomBorder.Left, parts.BottomBorder.Top, frame_, parts.BottomBorder);

    const TDataSkinTitle &title = skinData_->Title();
    TColor color = active_ ? title.ActiveTextColour : title.InactiveTextColour;
    if (color == CaptionColorNotGiven)
      color = skinData_->Colors(active_ ? csTitleTextActive : csTitleTextNoActive);
    UINT format = DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | DT_VCENTER;
    if (rightToLeft_)
      format |= DT_RIGHT;
    DrawSkinText(dc, CaptionText(WindowText(Handle)), captionRect_, captionFont_.get(), GdiColor(color), format);
    DrawMenuBarStrip(dc);
    HotObject = nullptr;
    for (auto &button : buttons_)
      button->State = StateNormal;
  } catch (...) {
    // A failed paint leaves the frame as it was; the next one tries again.
  }
}

void TWinSkinForm::DrawMenuBarStrip(HDC dc) {
  if (metrics_.MenuBar <= 0)
    return;
  const int width = windowRect_.right - windowRect_.left;
  const TRect strip{metrics_.Left, metrics_.Top, width - metrics_.Right, metrics_.Top + metrics_.MenuBar};
  if (menuBar_) {
    menuBar_->DrawMenu(dc, strip);
    return;
  }
  TBitmap fill(strip.Width(), strip.Height());
  fill.Fill(skinData_->Colors(csButtonFace));
  CopyBitmapToDC(dc, strip.Left, strip.Top, fill, {0, 0, fill.Width(), fill.Height()});
}

void TWinSkinForm::DrawSysbtn(TWinSysButton &button, int state) {
  if (!button.Visible || button.Rect.IsEmpty() || frame_.Empty())
    return;
  try {
    WindowDC dc(Handle, true);
    // The button over the frame as composed without it.
    TBitmap piece(button.Rect.Width(), button.Rect.Height());
    if (button.Data.Align == AlignMenuBar && menuBar_) {
      menuBar_->CopyBackground(piece, button.Rect);
    } else {
      TBitmap bare(frame_.Width(), frame_.Height());
      bare.Fill(skinData_->Colors(csButtonFace));
      ComposeFrame(bare, *skinData_, metrics_, active_);
      StretchCopy(piece, {0, 0, piece.Width(), piece.Height()}, bare, button.Rect);
    }
    const int frame = IsIconButton(button.Data.Action) ? 1 : CaptionButtonStateFrame(button.Data, state);
    DrawCaptionButton(piece, button, frame, -button.Rect.Left, -button.Rect.Top);
    CopyBitmapToDC(dc.get(), button.Rect.Left, button.Rect.Top, piece, {0, 0, piece.Width(), piece.Height()});
  } catch (...) {
    // Painting failures are not the user's business.
  }
}

void TWinSkinForm::SetHot(TNCObject *object) {
  if (object)
    object->MouseEnter();
  else if (HotObject)
    HotObject->MouseLeave();
}

// ---- Hit testing and the mouse ---------------------------------------------------

POINT TWinSkinForm::GetWinXY(int screenX, int screenY) const {
  POINT p{screenX, screenY};
  ScreenToClient(Handle, &p);
  if (windowState_ != TSkinWindowState::swsMin) {
    p.x += metrics_.Left;
    p.y += metrics_.Top + metrics_.MenuBar;
  }
  return p;
}

TWinSysButton *TWinSkinForm::FindBtn(POINT windowPoint) {
  std::vector<const TDataSkinSysButton *> data;
  std::vector<TRect> rects;
  std::vector<bool> visible;
  for (const auto &button : buttons_) {
    data.push_back(&button->Data);
    rects.push_back(button->Rect);
    visible.push_back(button->Visible && button->Enabled);
  }
  const int index = FindCaptionButton(data, rects, visible, windowPoint.x, windowPoint.y);
  return index < 0 ? nullptr : buttons_[static_cast<size_t>(index)].get();
}

LRESULT TWinSkinForm::WMNCHitTest(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Default(WM_NCHITTEST, wParam, lParam);
  const POINT screen = LParamToPoint(lParam);
  const POINT p = GetWinXY(screen.x, screen.y);
  switch (CaptionHitTest(result == HTNOWHERE || result == HTCAPTION, p.y, metrics_.Top, metrics_.MenuBar > 0)) {
  case TNcHit::Caption: return HTCAPTION;
  case TNcHit::Menu: return HTMENU;
  case TNcHit::Other: break;
  }
  return result;
}

bool TWinSkinForm::WMNCMouseMove(LPARAM lParam) {
  if (!active_)
    return false;
  const POINT screen = LParamToPoint(lParam);
  const POINT p = GetWinXY(screen.x, screen.y);
  TNCObject *over = FindBtn(p);
  if (!over && menuBar_)
    over = menuBar_->FindBtn(p);
  if (over) {
    over->MouseEnter();
    return true;
  }
  if (HotObject)
    HotObject->MouseLeave();
  return false;
}

bool TWinSkinForm::WMNCLButtonDown(WPARAM wParam, LPARAM lParam, LRESULT &result) {
  const POINT screen = LParamToPoint(lParam);
  const POINT p = GetWinXY(screen.x, screen.y);
  TNCObject *over = FindBtn(p);
  TMenuBtn *menuButton = nullptr;
  if (!over && menuBar_) {
    menuButton = menuBar_->FindBtn(p);
    over = menuButton;
  }
  if (over) {
    if (!active_)
      SetForegroundWindow(Handle);
    over->MouseDown();
    if (menuButton)
      menuBar_->CheckMenu(*menuButton);
    result = 0;
    return true;
  }
  if (windowState_ == TSkinWindowState::swsMax && active_ && wParam == HTCAPTION) {
    // A maximised window stays where it is.
    result = Default(WM_NCLBUTTONDOWN, HTMENU, lParam);
    return true;
  }
  return false;
}

bool TWinSkinForm::WMNCLButtonUp(LPARAM lParam) {
  const POINT screen = LParamToPoint(lParam);
  TWinSysButton *over = FindBtn(GetWinXY(screen.x, screen.y));
  if (!over || HotObject != over)
    return false;
  over->MouseUp();
  SysBtnAction(screen.x, screen.y);
  return true;
}

bool TWinSkinForm::WMNCLButtonDblClk(WPARAM wParam, LPARAM lParam, LRESULT &result) {
  const POINT screen = LParamToPoint(lParam);
  TWinSysButton *over = FindBtn(GetWinXY(screen.x, screen.y));
  if (over && IsIconButton(over->Data.Action)) {
    StartHoverTimer(false);
    PostMessageW(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    result = 0;
    return true;
  }
  if (over)
    return true; // a double click on a caption button is two clicks, nothing more
  if (wParam != HTCAPTION)
    return false;
  if (windowState_ != TSkinWindowState::swsNormal)
    Restore();
  else if (icons_.Contains(TSkinFormIcon::sbiMax))
    Maximize();
  else
    return false;
  result = 0;
  return true;
}

bool TWinSkinForm::WMNCRButtonDown(WPARAM wParam, LPARAM lParam) {
  if (wParam != HTCAPTION || formStyle_ == TSkinFormStyle::sfsMDIChild)
    return false;
  PopSysmenu(LParamToPoint(lParam));
  return true;
}

void TWinSkinForm::SysBtnAction(int screenX, int screenY) {
  TWinSysButton *button = dynamic_cast<TWinSysButton *>(HotObject);
  if (!button)
    return;
  const int action = button->Data.Action;
  TSkinManage *manager = RuntimeSkinManager();
  auto toActiveChild = [&](WPARAM command) {
    if (manager && manager->MDIClient) {
      HWND child = reinterpret_cast<HWND>(SendMessageW(manager->MDIClient, WM_MDIGETACTIVE, 0, 0));
      if (child)
        PostMessageW(child, WM_SYSCOMMAND, command, 0);
    }
  };
  switch (action) {
  case SysAction::Close:
    StartHoverTimer(false);
    PostMessageW(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    break;
  case SysAction::Maximize:
  case SysAction::MaximizeAlt:
    if (windowState_ == TSkinWindowState::swsMax)
      Restore();
    else
      Maximize();
    break;
  case SysAction::Minimize:
  case SysAction::MinimizeAlt:
    if (windowState_ == TSkinWindowState::swsMin)
      Restore();
    else
      Minimize();
    break;
  case SysAction::Icon:
  case SysAction::IconAlt:
  case SysAction::SystemMenu: PopSysmenu(POINT{screenX + 1, screenY + 1}); break;
  case SysAction::ChildMinimize:
  case SysAction::ChildMinimizeAlt: toActiveChild(SC_MINIMIZE); break;
  case SysAction::ChildRestore:
  case SysAction::ChildRestoreAlt: toActiveChild(SC_RESTORE); break;
  case SysAction::ChildClose:
  case SysAction::ChildCloseAlt: toActiveChild(SC_CLOSE); break;
  default: PostMessageW(Handle, CN_SkinButtonAction, static_cast<WPARAM>(action), 0); break;
  }
}

void TWinSkinForm::Maximize() {
  if (formStyle_ == TSkinFormStyle::sfsMDIChild)
    if (TSkinManage *manager = RuntimeSkinManager())
      manager->SetMDIMax(true);
  windowState_ = TSkinWindowState::swsMax;
  PostMessageW(Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  HotObject = nullptr;
}

void TWinSkinForm::Restore() {
  windowState_ = TSkinWindowState::swsNormal;
  PostMessageW(Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::Minimize() {
  windowState_ = TSkinWindowState::swsMin;
  PostMessageW(Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

// ---- System menu ------------------------------------------------------------------

void TWinSkinForm::CreateSysmenu() {
  delete sysMenu_;
  sysMenu_ = new TPopupMenu(this); // owned through the component tree
  sysMenu_->SetTag(SystemMenuTag);
  sysMenu_->SetOwnerDraw(true);
  if (skinData_)
    sysMenu_->SetImages(dynamic_cast<TImageList *>(skinData_->MenuGlyphs()));
  auto add = [this](const char *caption, int tag, TShortCut shortCut = 0) {
    auto *item = new TMenuItem(sysMenu_);
    item->SetCaption(caption);
    item->SetTag(tag);
    item->SetImageIndex(tag == SysItem::Line ? -1 : tag);
    item->SetShortCut(shortCut);
    item->OnClick = [this, tag](TObject *) { DoSysMenu(tag); };
    item->OnMeasureItem = [](TObject *sender, TCanvas &canvas, int &width, int &height) {
      MeasureItemPop(*static_cast<TMenuItem *>(sender), canvas, width, height);
    };
    item->OnDrawItem = [](TObject *sender, TCanvas &canvas, const RECT &rect, bool selected) {
      DrawMenuItem(*static_cast<TMenuItem *>(sender), canvas, rect, selected);
    };
    sysMenu_->Items()->Add(item);
  };
  add(" Restore ", SysItem::Restore);
  if (icons_.Contains(TSkinFormIcon::sbiMax))
    add(" Maximize ", SysItem::Maximize);
  if (icons_.Contains(TSkinFormIcon::sbiMin))
    add(" Minimize ", SysItem::Minimize);
  add("-", SysItem::Line);
  add(" Close ", SysItem::Close, TextToShortCut("ALT+F4"));
}

void TWinSkinForm::SetSystemMenuEnabled() {
  if (!sysMenu_)
    return;
  for (int i = 0; i < sysMenu_->Items()->Count(); ++i) {
    TMenuItem *item = sysMenu_->Items()->Items(i);
    switch (item->Tag()) {
    case SysItem::Restore: item->SetEnabled(windowState_ != TSkinWindowState::swsNormal); break;
    case SysItem::Maximize: item->SetEnabled(windowState_ != TSkinWindowState::swsMax); break;
    case SysItem::Minimize: item->SetEnabled(windowState_ != TSkinWindowState::swsMin); break;
    default: break;
    }
  }
}

void TWinSkinForm::PopSysmenu(POINT screenPoint) {
  SetSystemMenuEnabled();
  const DWORD now = GetTickCount();
  if (now - lastSysMenuTime_ > doubleClickTime_) {
    TSkinManage *manager = RuntimeSkinManager();
    if (manager)
      manager->MenuRoot().MenuKind = MenuKind::System;
    lastSysMenuTime_ = now;
    if (skinData_ && skinData_->SkinControls().Contains(TSkinControlType::xcSystemMenu) &&
        formStyle_ != TSkinFormStyle::sfsMDIChild && sysMenu_) {
      sysMenu_->Popup(screenPoint.x, screenPoint.y);
      if (manager)
        manager->MenuRoot().MenuKind = MenuKind::Free;
    } else if (HMENU menu = GetSystemMenu(Handle, FALSE)) {
      const UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, screenPoint.x,
                                                            screenPoint.y, 0, Handle, nullptr));
      if (command)
        PostMessageW(Handle, WM_SYSCOMMAND, command, 0);
    }
  } else if (HotObject) {
    // A second click on the icon within the double-click time closes.
    StartHoverTimer(false);
    PostMessageW(Handle, WM_CLOSE, 0, 0);
  }
}

void TWinSkinForm::DoSysMenu(int tag) {
  switch (tag) {
  case SysItem::Restore: Restore(); break;
  case SysItem::Maximize: Maximize(); break;
  case SysItem::Minimize: Minimize(); break;
  case SysItem::Close:
    StartHoverTimer(false);
    PostMessageW(Handle, WM_CLOSE, 0, 0);
    break;
  default: break;
  }
}

// ---- Hover timer ------------------------------------------------------------------

void TWinSkinForm::StartHoverTimer(bool on) {
  if (!on) {
    hoverTimer_.reset();
    return;
  }
  if (!hoverTimer_ && Handle)
    hoverTimer_ = StartTimer(Handle, HoverTimerId, HoverInterval);
}

void TWinSkinForm::HoverTick() {
  if (InMenuLoop)
    return;
  POINT cursor{};
  GetCursorPos(&cursor);
  if (HotObject) {
    const POINT p = GetWinXY(cursor.x, cursor.y);
    if (!Contains(HotObject->Rect, p))
      HotObject->MouseLeave();
  }
  if (HoveredControl && !HoveredControl->CursorInside(cursor)) {
    TSkinControl *left = HoveredControl;
    HoveredControl = nullptr;
    left->MouseLeave();
  }
}

// ---- Controls ------------------------------------------------------------------

void TWinSkinForm::AddControlh(HWND window) { AddForeignControl(*this, window); }

void TWinSkinForm::AddControlList(TSkinControl *control) {
  if (std::find(controls_.begin(), controls_.end(), control) == controls_.end())
    controls_.push_back(control);
}

void TWinSkinForm::RemoveControl(TSkinControl *control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  if (HoveredControl == control)
    HoveredControl = nullptr;
}

void TWinSkinForm::DeleteControls() {
  HoveredControl = nullptr;
  while (!controls_.empty()) {
    TSkinControl *control = controls_.back();
    controls_.pop_back();
    control->Unsubclass();
    delete control; // leaves its owner's list in its destructor
  }
}

// ---- Messages ------------------------------------------------------------------

LRESULT TWinSkinForm::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return subclass_.CallOld(message, wParam, lParam);
}

void TWinSkinForm::NewWndProc(TMessage &message) {
  switch (message.Msg) {
  case WM_SETTEXT:
    oldFormProc_(message);
    if (windowState_ == TSkinWindowState::swsMax)
      if (TSkinManage *manager = RuntimeSkinManager(); manager && manager->MDIClient)
        PostMessageW(manager->MDIClient, CN_SkinRedrawMDI, 0, 0);
    UpdateNc();
    return;
  case CN_SkinChange:
    SkinChange();
    message.Result = 0;
    return;
  case CM_DIALOGCHAR:
    if (menuBar_ && menuBar_->CMDialogChar(static_cast<wchar_t>(message.WParam))) {
      message.Result = 1;
      return;
    }
    break;
  default: break;
  }
  oldFormProc_(message);
}

void TWinSkinForm::MdiClientProc(UINT message, WPARAM wParam, LPARAM) {
  TSkinManage *manager = RuntimeSkinManager();
  switch (message) {
  case WM_MDICREATE:
    if (skinData_)
      skinData_->SetMenuUpdate(false);
    break;
  case WM_MDIDESTROY:
    if (manager && form_ && form_->MDIChildCount() <= 1) {
      manager->SetMDIMax(false);
      if (skinData_)
        skinData_->SetMenuUpdate(true);
      if (menuBar_)
        menuBar_->UpdataBtn();
    }
    break;
  case WM_MDITILE:
  case WM_MDICASCADE:
    if (manager)
      manager->SetMDIMax(false);
    break;
  case WM_MDISETMENU:
    if (menuBar_ && wParam) {
      menuBar_->UpdataBtn2(reinterpret_cast<HMENU>(wParam));
      SetMenu(Handle, nullptr);
    }
    break;
  default: break;
  }
}

bool TWinSkinForm::WMSysCommand(WPARAM wParam, LPARAM lParam, LRESULT &result) {
  const UINT command = static_cast<UINT>(wParam & 0xFFF0);
  switch (command) {
  case SC_MINIMIZE: windowState_ = TSkinWindowState::swsMin; break;
  case SC_MAXIMIZE: windowState_ = TSkinWindowState::swsMax; break;
  case SC_RESTORE: windowState_ = TSkinWindowState::swsNormal; break;
  case SC_KEYMENU:
    if (lParam == ' ') {
      RECT client{};
      GetClientRect(Handle, &client);
      POINT origin{0, 0};
      ClientToScreen(Handle, &origin);
      PopSysmenu(origin);
      result = 0;
      return true;
    }
    if (lParam != '-' && menuBar_ && !GetCapture()) {
      menuBar_->KeyMenu(static_cast<wchar_t>(lParam));
      result = 0;
      return true;
    }
    break;
  default: break;
  }
  if (formStyle_ == TSkinFormStyle::sfsMDIChild) {
    if (command == SC_MINIMIZE)
      EnableSysbtn(true);
    else if (command == SC_RESTORE) {
      if (TSkinManage *manager = RuntimeSkinManager())
        manager->SetMDIMax(false);
      EnableSysbtn(false);
    }
  }
  result = Default(WM_SYSCOMMAND, wParam, lParam);
  ReadWindowState();
  return true;
}

void TWinSkinForm::WMGetMinMaxInfo(LPARAM lParam) {
  if (border_ != TSkinFormBorder::sbsSizeable)
    return;
  auto *info = reinterpret_cast<MINMAXINFO *>(lParam);
  info->ptMaxTrackSize.x = GetSystemMetrics(SM_CXMAXIMIZED);
  info->ptMaxTrackSize.y = GetSystemMetrics(SM_CYMAXIMIZED);
}

void TWinSkinForm::WMNCCalcSize(WPARAM wParam, LPARAM lParam, const RECT &window) {
  if (!wParam)
    return;
  if (formStyle_ == TSkinFormStyle::sfsMDIChild && windowState_ != TSkinWindowState::swsNormal)
    return;
  if (border_ == TSkinFormBorder::sbsNone)
    return;
  RECT &r = reinterpret_cast<NCCALCSIZE_PARAMS *>(lParam)->rgrc[0];
  r = window;
  r.left += metrics_.Left;
  r.right -= metrics_.Right;
  r.top += metrics_.Top + metrics_.MenuBar;
  r.bottom -= metrics_.Bottom;
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
}

bool TWinSkinForm::NonClientMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result) {
  switch (message) {
  case WM_NCCALCSIZE: {
    // The window's new rectangle, before the default turns it into the
    // system's client rectangle.
    const RECT window = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS *>(lParam)->rgrc[0] : RECT{};
    result = Default(message, wParam, lParam);
    WMNCCalcSize(wParam, lParam, window);
    if (wParam)
      result = 0;
    return true;
  }
  case WM_NCHITTEST: result = WMNCHitTest(wParam, lParam); return true;
  case WM_NCPAINT:
    if (!skinData_ || !skinData_->MenuFramePainting()) {
      result = 0;
      return true;
    }
    if (border_ == TSkinFormBorder::sbsNone ||
        (formStyle_ == TSkinFormStyle::sfsMDIChild && windowState_ != TSkinWindowState::swsNormal))
      return false;
    UpdateNc();
    result = 0;
    return true;
  case WM_NCACTIVATE:
    active_ = wParam != FALSE;
    StartHoverTimer(active_);
    if (mdiClient_)
      SendMessageW(mdiClient_, WM_NCACTIVATE, wParam, lParam);
    UpdateNc();
    result = TRUE;
    return true;
  case CN_SkinUpdateNc:
    UpdateNc();
    result = 0;
    return true;
  case WM_NCMOUSEMOVE: return WMNCMouseMove(lParam) ? (result = 0, true) : false;
  case WM_NCLBUTTONDOWN: return WMNCLButtonDown(wParam, lParam, result);
  case WM_NCLBUTTONUP: return WMNCLButtonUp(lParam) ? (result = 0, true) : false;
  case WM_NCLBUTTONDBLCLK: return WMNCLButtonDblClk(wParam, lParam, result);
  case WM_NCRBUTTONDOWN: return WMNCRButtonDown(wParam, lParam) ? (result = 0, true) : false;
  case WM_MEASUREITEM:
  case WM_DRAWITEM: return HandleForeignMenuItem(*this, message, wParam, lParam, result);
  default: return false;
  }
}

LRESULT TWinSkinForm::WndProc(TWindowSubclass &, UINT message, WPARAM wParam, LPARAM lParam) {
  TSkinManage *manager = RuntimeSkinManager();
  // First, whatever the frame handling.
  switch (message) {
  case CN_IsSkinned: return 1;
  case CN_SkinActive: {
    const LRESULT result = Default(message, wParam, lParam);
    SkinActive();
    return result;
  }
  case WM_NCDESTROY: {
    state_ = SkinState::Closing;
    UnSubclass3();
    state_ = SkinState::Destroyed;
    return Default(message, wParam, lParam);
  }
  case WM_TIMER:
    if (wParam == HoverTimerId) {
      HoverTick();
      return 0;
    }
    break;
  case WM_ERASEBKGND:
    if (!form_ && skinData_ && skinData_->ButtonFaceBrush()) {
      RECT client{};
      GetClientRect(Handle, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, reinterpret_cast<HBRUSH>(skinData_->ButtonFaceBrush()));
      return 1;
    }
    break;
  case WM_MENUSELECT:
    if (menuBar_)
      menuBar_->MenuSelect(wParam, lParam);
    break;
  case WM_INITMENUPOPUP:
    if (manager)
      manager->MenuRoot().MenuKind = HIWORD(lParam) ? MenuKind::System : MenuKind::MenuBar;
    break;
  case WM_CTLCOLORBTN:
    if (!form_) {
      const LRESULT result = Default(message, wParam, lParam);
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return result;
    }
    break;
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORDLG:
    if (!form_ && skinData_ && skinData_->ButtonFaceBrush()) {
      Default(message, wParam, lParam);
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      // The system's text colour may not show on the skin's background.
      SetTextColor(reinterpret_cast<HDC>(wParam), GdiColor(skinData_->Colors(csButtonText)));
      return static_cast<LRESULT>(skinData_->ButtonFaceBrush());
    }
    break;
  default: break;
  }
  if (!frameHandling_)
    return Default(message, wParam, lParam);
  if (isChild_ && formStyle_ != TSkinFormStyle::sfsMDIChild)
    return Default(message, wParam, lParam);

  switch (message) {
  case WM_SIZE: {
    const LRESULT result = Default(message, wParam, lParam);
    ReadWindowState();
    if (state_ == SkinState::Active || state_ == SkinState::Changing)
      Cropwindow();
    return result;
  }
  case WM_GETMINMAXINFO: {
    const LRESULT result = Default(message, wParam, lParam);
    WMGetMinMaxInfo(lParam);
    return result;
  }
  case WM_WINDOWPOSCHANGED: {
    const LRESULT result = Default(message, wParam, lParam);
    ReadWindowState();
    return result;
  }
  case WM_ACTIVATE:
    active_ = LOWORD(wParam) != WA_INACTIVE;
    break;
  case WM_SETTEXT:
  case WM_SETICON: {
    // The system may paint its own caption meanwhile: paint over it.
    const LRESULT result = Default(message, wParam, lParam);
    if (message == WM_SETICON)
      FetchIcon();
    UpdateNc();
    return result;
  }
  case WM_SYSCOMMAND: {
    LRESULT result = 0;
    if (WMSysCommand(wParam, lParam, result))
      return result;
    break;
  }
  case CM_MENUCHANGED: {
    // The menu is being rebuilt: no frame painting until it is done.
    const bool painting = skinData_ && skinData_->MenuFramePainting();
    if (skinData_)
      skinData_->UpdateMainMenu(false);
    const LRESULT result = Default(message, wParam, lParam);
    if (skinData_)
      skinData_->UpdateMainMenu(painting);
    if (skinData_ && skinData_->MenuUpdate() && menuBar_ && GetMenu(Handle)) {
      menuBar_->UpdataBtn();
      UpdateNc();
    }
    return result;
  }
  default: break;
  }
  const bool nonClient = !(formStyle_ == TSkinFormStyle::sfsMDIChild && windowState_ != TSkinWindowState::swsNormal) &&
                         windowState_ != TSkinWindowState::swsMin && state_ != SkinState::Created;
  if (nonClient) {
    LRESULT result = 0;
    if (NonClientMessage(message, wParam, lParam, result))
      return result;
  } else if (message == WM_NCACTIVATE) {
    active_ = wParam != FALSE;
  }
  return Default(message, wParam, lParam);
}

} // namespace zorvex
