#include "Controls.h"

#include <algorithm>
#include <cwchar>
#include <map>

#include <commctrl.h>

#include "Forms.h"
#include "Win32Error.h"
#include "framework/core/Texts.h"

// The linker's symbol for the start of the module's image.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace zorvex {

// ---- Module-wide pieces: the property atom, class registration, creation.

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

void EnsureCommonControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{sizeof(init),
                              ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    if (!InitCommonControlsEx(&init))
      LogLastOSError("InitCommonControlsEx");
    return true;
  }();
  (void)done;
}

const std::wstring &ControlPropName() {
  static const std::wstring name = [] {
    wchar_t buffer[64];
    swprintf(buffer, 64, L"ControlOfs%.8llX%.8lX",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(ModuleInstance())),
             static_cast<unsigned long>(GetCurrentThreadId()));
    return std::wstring(buffer);
  }();
  return name;
}

namespace {
// Asked by code of another module for the control behind a window.
UINT ControlObjectMessage() {
  static const UINT message = RegisterWindowMessageW(ControlPropName().c_str());
  return message;
}

// The control whose window CreateWindowEx is making on this thread, and the
// class it asked for. An unbound window of that class is that control's
// window, already before its first message: a CBT hook sees it at
// HCBT_CREATEWND, whichever hook runs first.
struct CreatingRecord {
  TWinControl *control = nullptr;
  const std::wstring *className = nullptr;
};
thread_local CreatingRecord creating;

struct ClassEntry {
  WNDPROC baseProc;
};
std::map<std::wstring, ClassEntry> &RegisteredClasses() {
  static std::map<std::wstring, ClassEntry> classes;
  return classes;
}

} // namespace

ATOM ControlAtom() {
  static const OwnedGlobalAtom atom = [] {
    OwnedGlobalAtom added(GlobalAddAtomW(ControlPropName().c_str()));
    if (!added)
      LogLastOSError("GlobalAddAtom");
    return added;
  }();
  return atom.get();
}

TWinControl *ClaimCreatingWindow(HWND window) {
  TWinControl *control = creating.control;
  if (!control)
    return nullptr;
  wchar_t name[256];
  if (GetClassNameW(window, name, 256) == 0 || _wcsicmp(name, creating.className->c_str()) != 0)
    return nullptr;
  creating.control = nullptr;
  control->Bind(window);
  return control;
}

TControl *FindControl(HWND window) {
  if (!window)
    return nullptr;
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId())
    return nullptr;
  if (auto *control = static_cast<TControl *>(GetPropW(window, MAKEINTATOM(ControlAtom()))))
    return control;
  return thread == GetCurrentThreadId() ? ClaimCreatingWindow(window) : nullptr;
}

LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {
WNDPROC RegisterWindowClass(const TCreateParams &params) {
  auto &classes = RegisteredClasses();
  auto found = classes.find(params.WinClassName);
  if (found != classes.end())
    return found->second.baseProc;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  WNDPROC baseProc = DefWindowProcW;
  if (!params.WindowClassBase.empty()) {
    EnsureCommonControls();
    if (!GetClassInfoExW(nullptr, params.WindowClassBase.c_str(), &windowClass))
      RaiseLastOSError("GetClassInfoEx " + Narrow(params.WindowClassBase));
    baseProc = windowClass.lpfnWndProc;
    windowClass.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  } else {
    windowClass.style = params.ClassStyle;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hIcon = params.ClassIcon;
  }
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = StdWndProc;
  windowClass.hInstance = ModuleInstance();
  windowClass.lpszClassName = params.WinClassName.c_str();
  windowClass.hIconSm = nullptr;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    RaiseLastOSError("RegisterClassEx " + Narrow(params.WinClassName));
  classes[params.WinClassName] = ClassEntry{baseProc};
  return baseProc;
}

WNDPROC BaseProcOf(HWND window) {
  wchar_t name[256];
  if (GetClassNameW(window, name, 256) > 0) {
    auto found = RegisteredClasses().find(name);
    if (found != RegisteredClasses().end())
      return found->second.baseProc;
  }
  return DefWindowProcW;
}

int NextChildId() {
  static int id = 100;
  id = id >= 0x7FFF ? 100 : id + 1;
  return id;
}
} // namespace

LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *control = static_cast<TWinControl *>(GetPropW(window, MAKEINTATOM(ControlAtom())));
  if (!control)
    control = ClaimCreatingWindow(window);
  if (!control)
    return CallWindowProcW(BaseProcOf(window), window, msg, wParam, lParam);
  if (msg == ControlObjectMessage() && msg != 0)
    return reinterpret_cast<LRESULT>(static_cast<TControl *>(control));
  TMessage message{msg, wParam, lParam, 0};
  try {
    control->WindowProc(message);
  } catch (...) {
    HandleException(std::current_exception());
  }
  if (msg == WM_NCDESTROY)
    control->Unbind();
  return message.Result;
}

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT)
    shift |= ss::Shift;
  if (keys & MK_CONTROL)
    shift |= ss::Ctrl;
  if (keys & MK_LBUTTON)
    shift |= ss::Left;
  if (keys & MK_RBUTTON)
    shift |= ss::Right;
  if (keys & MK_MBUTTON)
    shift |= ss::Middle;
  if (GetKeyState(VK_MENU) < 0)
    shift |= ss::Alt;
  return shift;
}

TShiftState KeyboardShiftState() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0)
    shift |= ss::Shift;
  if (GetKeyState(VK_CONTROL) < 0)
    shift |= ss::Ctrl;
  if (GetKeyState(VK_MENU) < 0)
    shift |= ss::Alt;
  return shift;
}

wchar_t UpperChar(wchar_t character) {
  wchar_t text[2] = {character, 0};
  CharUpperW(text);
  return text[0];
}

wchar_t AcceleratorOf(const std::string &caption) {
  const std::wstring wide = Wide(caption);
  for (size_t i = 0; i + 1 < wide.size(); ++i) {
    if (wide[i] != L'&')
      continue;
    if (wide[i + 1] == L'&') {
      ++i;
      continue;
    }
    return UpperChar(wide[i + 1]);
  }
  return 0;
}

const std::vector<std::string> &BorderStyleNames() {
  static const std::vector<std::string> names{"bsNone", "bsSingle"};
  return names;
}

// ---- TControl

const TPropertyTable &TControl::ClassProperties() {
  static const auto table =
      TPublished<TControl>(&TComponent::ClassProperties())
          .Integer("Left", &TControl::Left, &TControl::SetLeft)
          .Integer("Top", &TControl::Top, &TControl::SetTop)
          .Integer("Width", &TControl::Width, &TControl::SetWidth)
          .Integer("Height", &TControl::Height, &TControl::SetHeight)
          .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled)
          .Boolean("Visible", &TControl::Visible, &TControl::SetVisible)
          .Integer("Color", &TControl::Color, &TControl::SetColor)
          .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
          .Object(
              "Font", [](const TControl &control) { return const_cast<TFont *>(&control.Font()); },
              [](TControl &control, TFont *font) {
                if (font)
                  control.Font().Assign(*font);
              })
          .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
          .String("Hint", &TControl::Hint, &TControl::SetHint)
          .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
  return table;
}

TControl::TControl(TComponent *owner) : TComponent(owner) {
  WindowProc = [this](TMessage &message) { WndProc(message); };
  font_.OnChange = [this] {
    if (!applyingParentFont_)
      parentFont_ = false;
    Perform(CM_FONTCHANGED);
  };
}

TControl::~TControl() {
  font_.OnChange = nullptr;
  if (Application)
    Application->ControlDestroying(this);
  if (parent_)
    parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl *parent) {
  if (parent == parent_)
    return;
  if (parent_)
    parent_->RemoveControl(this);
  parent_ = parent;
  if (parent_) {
    parent_->InsertControl(this);
    if (parentFont_)
      AssignParentFont();
    if (parentColor_)
      AssignParentColor();
  }
}

TForm *TControl::ParentForm() const {
  const TControl *top = this;
  while (top->parent_)
    top = top->parent_;
  return dynamic_cast<TForm *>(const_cast<TControl *>(top));
}

void TControl::StoreBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_)
    return;
  Invalidate();
  StoreBounds(left, top, width, height);
  Invalidate();
  BoundsChanged();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  if (!visible)
    Invalidate(); // the area it leaves
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string &text) {
  if (text == text_)
    return;
  text_ = text;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetParentFont(bool parentFont) {
  parentFont_ = parentFont;
  if (parentFont && parent_)
    AssignParentFont();
}

void TControl::AssignParentFont() {
  applyingParentFont_ = true;
  font_.Assign(parent_->Font());
  applyingParentFont_ = false;
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color == color_)
    return;
  color_ = color;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool parentColor) {
  parentColor_ = parentColor;
  if (parentColor && parent_)
    AssignParentColor();
}

void TControl::AssignParentColor() {
  if (parent_->Color() == color_)
    return;
  color_ = parent_->Color();
  Perform(CM_COLORCHANGED);
}

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
  TMessage m{message, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::Invalidate() {}

void TControl::Update() {}

void TControl::Click() {
  if (OnClick)
    OnClick(this);
}

POINT TControl::ClientOrigin() const {
  POINT origin = parent_ ? parent_->ClientOrigin() : POINT{0, 0};
  origin.x += left_;
  origin.y += top_;
  return origin;
}

POINT TControl::ClientToScreen(POINT point) const {
  const POINT origin = ClientOrigin();
  return POINT{point.x + origin.x, point.y + origin.y};
}

POINT TControl::ScreenToClient(POINT point) const {
  const POINT origin = ClientOrigin();
  return POINT{point.x - origin.x, point.y - origin.y};
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown)
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp)
    OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove)
    OnMouseMove(this, shift, x, y);
}

void TControl::FontChanged() { Invalidate(); }

void TControl::ColorChanged() { Invalidate(); }

void TControl::TextChanged() { Invalidate(); }

void TControl::VisibleChanged() { Invalidate(); }

void TControl::EnabledChanged() { Invalidate(); }

void TControl::DecodeMouse(TMessage &message) {
  const int x = static_cast<short>(LOWORD(message.LParam));
  const int y = static_cast<short>(HIWORD(message.LParam));
  TShiftState shift = KeysToShiftState(message.WParam);
  switch (message.Msg) {
  case WM_MOUSEMOVE: MouseMove(shift, x, y); return;
  case WM_LBUTTONDBLCLK: shift |= ss::Double; [[fallthrough]];
  case WM_LBUTTONDOWN:
    clickPending_ = clickOnMouseUp_;
    MouseDown(TMouseButton::mbLeft, shift, x, y);
    return;
  case WM_RBUTTONDBLCLK: shift |= ss::Double; [[fallthrough]];
  case WM_RBUTTONDOWN: MouseDown(TMouseButton::mbRight, shift, x, y); return;
  case WM_MBUTTONDBLCLK: shift |= ss::Double; [[fallthrough]];
  case WM_MBUTTONDOWN: MouseDown(TMouseButton::mbMiddle, shift, x, y); return;
  case WM_LBUTTONUP:
    if (clickPending_) {
      clickPending_ = false;
      const RECT client = ClientRect();
      if (x >= client.left && x < client.right && y >= client.top && y < client.bottom)
        Click();
    }
    MouseUp(TMouseButton::mbLeft, shift, x, y);
    return;
  case WM_RBUTTONUP: MouseUp(TMouseButton::mbRight, shift, x, y); return;
  case WM_MBUTTONUP: MouseUp(TMouseButton::mbMiddle, shift, x, y); return;
  default: return;
  }
}

void TControl::WndProc(TMessage &message) {
  switch (message.Msg) {
  case WM_MOUSEMOVE:
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
  case WM_MBUTTONDBLCLK:
    if (enabled_ || message.Msg == WM_MOUSEMOVE)
      DecodeMouse(message);
    DefaultHandler(message);
    return;
  case CM_MOUSEENTER: MouseEnter(); return;
  case CM_MOUSELEAVE: MouseLeave(); return;
  case CM_FONTCHANGED: FontChanged(); return;
  case CM_COLORCHANGED: ColorChanged(); return;
  case CM_TEXTCHANGED: TextChanged(); return;
  case CM_VISIBLECHANGED: VisibleChanged(); return;
  case CM_ENABLEDCHANGED: EnabledChanged(); return;
  case CM_PARENTFONTCHANGED:
    if (parentFont_ && parent_)
      AssignParentFont();
    return;
  case CM_PARENTCOLORCHANGED:
    if (parentColor_ && parent_)
      AssignParentColor();
    return;
  default: DefaultHandler(message);
  }
}

void TControl::DefaultHandler(TMessage &message) { message.Result = 0; }

// ---- TGraphicControl

TGraphicControl::~TGraphicControl() {
  SetState(cs::Destroying, true);
  DestroyComponents();
}

void TGraphicControl::Invalidate() {
  TWinControl *parent = Parent();
  if (parent && parent->HandleAllocated()) {
    const RECT bounds = BoundsRect();
    InvalidateRect(parent->WindowHandle(), &bounds, TRUE);
  }
}

void TGraphicControl::Update() {
  if (Parent())
    Parent()->Update();
}

void TGraphicControl::PaintTo(HDC dc) { Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc)); }

void TGraphicControl::WndProc(TMessage &message) {
  if (message.Msg != WM_PAINT || !message.WParam) {
    TControl::WndProc(message);
    return;
  }
  const HDC dc = reinterpret_cast<HDC>(message.WParam);
  struct Release {
    TCanvas &canvas;
    ~Release() { canvas.SetHandle(nullptr); }
  } release{canvas_};
  canvas_.SetHandle(dc);
  canvas_.Font() = Font();
  Paint();
}

// ---- TWinControl

TWinControl::TWinControl(TComponent *owner) : TControl(owner) { brush_.SetColor(Color()); }

TWinControl::~TWinControl() {
  // What the control owns goes while its window is still there, so that
  // whatever an owned component did to the window (a subclass) is undone on
  // a live window.
  SetState(cs::Destroying, true);
  DestroyComponents();
  for (TControl *child : controls_)
    child->parent_ = nullptr;
  controls_.clear();
  DestroyHandle();
}

void TWinControl::InsertControl(TControl *control) {
  controls_.push_back(control);
  auto *windowed = dynamic_cast<TWinControl *>(control);
  if (windowed && handle_) {
    if (windowed->handle_)
      ::SetParent(windowed->handle_, handle_);
    else
      windowed->CreateHandle();
  } else {
    control->Invalidate();
  }
}

void TWinControl::RemoveControl(TControl *control) {
  if (mouseCapture_ == control)
    mouseCapture_ = nullptr;
  control->Invalidate();
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

TControl *TWinControl::ControlAtPos(POINT point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl *control = *it;
    if (dynamic_cast<TWinControl *>(control) || !control->Visible())
      continue;
    const RECT bounds = control->BoundsRect();
    if (PtInRect(&bounds, point))
      return control;
  }
  return nullptr;
}

HWND TWinControl::Handle() {
  if (!handle_)
    CreateHandle();
  return handle_;
}

void TWinControl::CreateParams(TCreateParams &params) {
  params.Caption = Wide(text_);
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (Visible())
    params.Style |= WS_VISIBLE;
  if (!Enabled())
    params.Style |= WS_DISABLED;
  if (tabStop_)
    params.Style |= WS_TABSTOP;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  params.WndParent = Parent() ? Parent()->Handle() : nullptr;
  params.WinClassName = Wide(ClassName());
}

void TWinControl::CreateHandle() {
  if (handle_)
    return;
  if (Parent() && !Parent()->handle_) {
    Parent()->CreateHandle();
    if (handle_)
      return;
  }
  CreateWnd();
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
  CreateWindowHandleDone();
  if (!Hint().empty() && Application)
    Application->RegisterHint(this);
  for (TControl *child : std::vector<TControl *>(controls_))
    if (auto *windowed = dynamic_cast<TWinControl *>(child))
      windowed->CreateHandle();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  defWndProc_ = RegisterWindowClass(params);
  HMENU id = (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<intptr_t>(NextChildId())) : nullptr;
  struct RestoreRecord {
    CreatingRecord outer;
    ~RestoreRecord() { creating = outer; }
  } restore{creating};
  creating = CreatingRecord{this, &params.WinClassName};
  HWND window = CreateWindowHandle(params, id);
  const DWORD error = GetLastError();
  creating = restore.outer;
  if (!window) {
    Unbind(); // a hook may have seen the window before its creation was refused
    RaiseOSError("CreateWindowEx " + ClassName(), error);
  }
  if (handle_ != window)
    Bind(window);
}

HWND TWinControl::CreateWindowHandle(const TCreateParams &params, HMENU id) {
  return CreateWindowExW(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X,
                         params.Y, params.Width, params.Height, params.WndParent, id, ModuleInstance(), nullptr);
}

void TWinControl::RecreateWnd() {
  if (!handle_)
    return;
  DestroyHandle();
  CreateHandle();
}

void TWinControl::DestroyHandle() {
  if (!handle_)
    return;
  if (!DestroyWindow(handle_)) {
    LogLastOSError("DestroyWindow " + ClassName());
    Unbind();
  }
}

void TWinControl::Bind(HWND window) {
  handle_ = window;
  if (!SetPropW(window, MAKEINTATOM(ControlAtom()), static_cast<TControl *>(this)))
    LogLastOSError("SetProp ControlAtom");
}

void TWinControl::Unbind() {
  if (!handle_)
    return;
  RemovePropW(handle_, MAKEINTATOM(ControlAtom()));
  handle_ = nullptr;
}

void TWinControl::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
  if (handle_) {
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(handle_, GWL_STYLE, style);
  }
}

void TWinControl::ChangeStyle(DWORD bits, bool on, bool extended) {
  if (!handle_)
    return;
  const int index = extended ? GWL_EXSTYLE : GWL_STYLE;
  const LONG_PTR style = GetWindowLongPtrW(handle_, index);
  const LONG_PTR changed = on ? (style | static_cast<LONG_PTR>(bits)) : (style & ~static_cast<LONG_PTR>(bits));
  if (changed == style)
    return;
  SetWindowLongPtrW(handle_, index, changed);
  if (!SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                    SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED))
    LogLastOSError("SetWindowPos " + ClassName());
  Invalidate();
}

bool TWinControl::CanFocus() const {
  for (const TControl *control = this; control; control = control->Parent())
    if (!control->Visible() || !control->Enabled())
      return false;
  return true;
}

void TWinControl::SetFocus() {
  TForm *form = ParentForm();
  if (form && form != this && !form->Showing()) {
    form->SetActiveControl(this);
    return;
  }
  ::SetFocus(Handle());
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::CollectTabStops(std::vector<TWinControl *> &out) const {
  std::vector<TWinControl *> children;
  for (TControl *control : controls_)
    if (auto *windowed = dynamic_cast<TWinControl *>(control))
      children.push_back(windowed);
  std::stable_sort(children.begin(), children.end(),
                   [](const TWinControl *a, const TWinControl *b) { return a->tabOrder_ < b->tabOrder_; });
  for (TWinControl *child : children) {
    if (!child->Visible() || !child->Enabled())
      continue;
    if (child->tabStop_)
      out.push_back(child);
    child->CollectTabStops(out);
  }
}

TWinControl *TWinControl::FindNextControl(TWinControl *current, bool forward) const {
  std::vector<TWinControl *> stops;
  CollectTabStops(stops);
  if (stops.empty())
    return nullptr;
  auto it = std::find(stops.begin(), stops.end(), current);
  if (it == stops.end())
    return forward ? stops.front() : stops.back();
  const auto index = static_cast<size_t>(it - stops.begin());
  const size_t next = forward ? (index + 1) % stops.size() : (index + stops.size() - 1) % stops.size();
  return stops[next];
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (!handle_) {
    TControl::SetBounds(left, top, width, height);
    return;
  }
  if (!SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE))
    LogLastOSError("SetWindowPos " + ClassName());
}

RECT TWinControl::ClientRect() const {
  if (!handle_)
    return TControl::ClientRect();
  RECT rect{};
  GetClientRect(handle_, &rect);
  return rect;
}

POINT TWinControl::ClientOrigin() const {
  if (!handle_)
    return TControl::ClientOrigin();
  POINT origin{0, 0};
  ::ClientToScreen(handle_, &origin);
  return origin;
}

bool TWinControl::Showing() const { return handle_ && IsWindowVisible(handle_); }

std::string TWinControl::GetText() const {
  if (!handle_)
    return text_;
  const int length = GetWindowTextLengthW(handle_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(handle_, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return Narrow(text);
}

void TWinControl::SetText(const std::string &text) {
  if (text == GetText())
    return;
  text_ = text;
  if (handle_ && !SetWindowTextW(handle_, Wide(text).c_str()))
    LogLastOSError("SetWindowText " + ClassName());
  Perform(CM_TEXTCHANGED);
}

void TWinControl::SetHint(const std::string &hint) {
  TControl::SetHint(hint);
  if (handle_ && Application)
    Application->RegisterHint(this);
}

void TWinControl::Invalidate() {
  if (handle_)
    InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_)
    UpdateWindow(handle_);
}

void TWinControl::FontChanged() {
  if (handle_) {
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    Invalidate();
  }
  for (TControl *child : std::vector<TControl *>(controls_))
    child->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::ColorChanged() {
  brush_.SetColor(Color());
  Invalidate();
  for (TControl *child : std::vector<TControl *>(controls_))
    child->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::TextChanged() { Invalidate(); }

void TWinControl::VisibleChanged() {
  if (!handle_)
    return;
  if (!Visible() && Focused())
    if (TForm *form = ParentForm())
      form->FocusNextFrom(this);
  ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (handle_)
    EnableWindow(handle_, Enabled() ? TRUE : FALSE);
  Invalidate();
}

HBRUSH TWinControl::CNCtlColor(HDC dc) {
  SetTextColor(dc, GdiColor(Font().Color()));
  SetBkColor(dc, GdiColor(Color()));
  return brush_.Handle();
}

void TWinControl::KeyDown(WORD &key, TShiftState shift) {
  if (OnKeyDown)
    OnKeyDown(this, key, shift);
}

void TWinControl::DoEnter() {
  if (OnEnter)
    OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit)
    OnExit(this);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc) {
  for (TControl *control : std::vector<TControl *>(controls_)) {
    auto *graphic = dynamic_cast<TGraphicControl *>(control);
    if (!graphic || !graphic->Visible() || graphic->Width() <= 0 || graphic->Height() <= 0)
      continue;
    const RECT bounds = graphic->BoundsRect();
    if (!RectVisible(dc, &bounds))
      continue;
    ScopedDCState state(dc);
    OffsetViewportOrgEx(dc, graphic->Left(), graphic->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, graphic->Width(), graphic->Height());
    graphic->PaintTo(dc);
  }
}

bool TWinControl::EraseBackground(HDC dc) {
  const RECT client = ClientRect();
  ::FillRect(dc, &client, brush_.Handle());
  return true;
}

void TWinControl::PaintHandler(TMessage &message) {
  if (!IsOwnClass()) {
    DefaultHandler(message);
    return;
  }
  if (message.WParam) {
    const HDC dc = reinterpret_cast<HDC>(message.WParam);
    PaintWindow(dc);
    PaintControls(dc);
    return;
  }
  PaintDC paint(handle_);
  PaintWindow(paint.get());
  PaintControls(paint.get());
}

bool TWinControl::ReflectToChild(TMessage &message) {
  HWND child = nullptr;
  switch (message.Msg) {
  case WM_COMMAND: child = reinterpret_cast<HWND>(message.LParam); break;
  case WM_NOTIFY: child = reinterpret_cast<NMHDR *>(message.LParam)->hwndFrom; break;
  case WM_DRAWITEM:
    if (message.WParam == 0)
      return false; // a menu item
    child = reinterpret_cast<DRAWITEMSTRUCT *>(message.LParam)->hwndItem;
    break;
  default: child = reinterpret_cast<HWND>(message.LParam); break; // WM_CTLCOLOR*
  }
  if (!child || child == handle_)
    return false;
  TControl *control = FindControl(child);
  if (!control)
    return false;
  message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
  return true;
}

bool TWinControl::RouteMouseToGraphicChild(TMessage &message) {
  POINT point{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
  TControl *target = mouseCapture_;
  if (!target) {
    target = ControlAtPos(point);
    if (!target || (!target->Enabled() && message.Msg != WM_MOUSEMOVE))
      return false;
  }
  const bool down = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_RBUTTONDOWN || message.Msg == WM_MBUTTONDOWN ||
                    message.Msg == WM_LBUTTONDBLCLK;
  const bool up = message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP || message.Msg == WM_MBUTTONUP;
  if (down) {
    mouseCapture_ = target;
    SetCapture(handle_);
  }
  const LPARAM local =
      MAKELPARAM(static_cast<WORD>(point.x - target->Left()), static_cast<WORD>(point.y - target->Top()));
  // The release ends the capture even when the control's handler fails.
  struct EndCapture {
    TWinControl &holder;
    TControl *target;
    bool up;
    ~EndCapture() {
      if (up && holder.mouseCapture_ == target) {
        holder.mouseCapture_ = nullptr;
        if (GetCapture() == holder.handle_)
          ReleaseCapture();
      }
    }
  } endCapture{*this, target, up};
  message.Result = target->Perform(message.Msg, message.WParam, local);
  return true;
}

void TWinControl::WndProc(TMessage &message) {
  switch (message.Msg) {
  case WM_PAINT:
  case WM_PRINTCLIENT: PaintHandler(message); return;
  case WM_ERASEBKGND:
    if (!IsOwnClass())
      break;
    message.Result = EraseBackground(reinterpret_cast<HDC>(message.WParam)) ? 1 : 0;
    return;
  case WM_COMMAND:
  case WM_NOTIFY:
  case WM_DRAWITEM:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORLISTBOX:
  case WM_HSCROLL: // from scroll bars, track bars and up-downs; null for the window's own bars
  case WM_VSCROLL:
    if (ReflectToChild(message))
      return;
    break;
  case CN_COMMAND:
    if (CNCommand(HIWORD(message.WParam)))
      message.Result = 0;
    return;
  case CN_NOTIFY: {
    LRESULT result = 0;
    if (CNNotify(*reinterpret_cast<NMHDR *>(message.LParam), result))
      message.Result = result;
    return;
  }
  case CN_DRAWITEM:
    message.Result = CNDrawItem(*reinterpret_cast<DRAWITEMSTRUCT *>(message.LParam)) ? TRUE : FALSE;
    return;
  case CN_CTLCOLOREDIT:
  case CN_CTLCOLORBTN:
  case CN_CTLCOLORSTATIC:
  case CN_CTLCOLORLISTBOX:
    message.Result = reinterpret_cast<LRESULT>(CNCtlColor(reinterpret_cast<HDC>(message.WParam)));
    return;
  case CN_KEYDOWN: {
    WORD key = static_cast<WORD>(message.WParam);
    KeyDown(key, KeyboardShiftState());
    message.Result = key == 0 ? 1 : 0;
    return;
  }
  case WM_SETFOCUS:
    DefaultHandler(message);
    if (TForm *form = ParentForm(); form && form != this)
      form->FocusChanged(this);
    DoEnter();
    return;
  case WM_KILLFOCUS:
    DefaultHandler(message);
    DoExit();
    return;
  case WM_WINDOWPOSCHANGED: {
    RECT window{};
    GetWindowRect(handle_, &window);
    HWND parent = GetParent(handle_);
    if (parent && (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD))
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&window), 2);
    StoreBounds(window.left, window.top, window.right - window.left, window.bottom - window.top);
    DefaultHandler(message);
    BoundsChanged();
    return;
  }
  case WM_DESTROY:
    if (Application)
      Application->UnregisterHint(this);
    // What the user typed survives a window made again.
    text_ = GetText();
    DefaultHandler(message);
    return;
  case CM_FOCUSCHANGED:
    for (TControl *child : std::vector<TControl *>(controls_))
      child->Perform(message.Msg, message.WParam, message.LParam);
    return;
  case WM_MOUSEMOVE:
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
    if (RouteMouseToGraphicChild(message))
      return;
    if (IsOwnClass()) {
      if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_RBUTTONDOWN || message.Msg == WM_MBUTTONDOWN)
        SetCapture(handle_);
      else if ((message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP || message.Msg == WM_MBUTTONUP) &&
               GetCapture() == handle_)
        ReleaseCapture();
    }
    break;
  default: break;
  }
  TControl::WndProc(message);
}

void TWinControl::DefaultHandler(TMessage &message) {
  if (!handle_) {
    message.Result = 0;
    return;
  }
  message.Result = CallWindowProcW(defWndProc_, handle_, message.Msg, message.WParam, message.LParam);
}

// ---- TCustomControl

void TCustomControl::PaintWindow(HDC dc) {
  struct Release {
    TCanvas &canvas;
    ~Release() { canvas.SetHandle(nullptr); }
  } release{canvas_};
  canvas_.Font() = Font();
  if (!doubleBuffered_) {
    canvas_.SetHandle(dc);
    Paint();
    return;
  }
  const RECT client = ClientRect();
  const int width = std::max<int>(client.right, 1), height = std::max<int>(client.bottom, 1);
  MemoryDC memory(dc);
  OwnedBitmap buffer(CreateCompatibleBitmap(dc, width, height));
  if (!memory.get() || !buffer) {
    canvas_.SetHandle(dc);
    Paint();
    return;
  }
  ScopedSelect select(memory.get(), buffer.get());
  canvas_.SetHandle(memory.get());
  Paint();
  BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}

// ---- UtilityWindow

UtilityWindow::UtilityWindow(std::function<bool(TMessage &)> handler) : handler_(std::move(handler)) {
  static const wchar_t *className = L"TPUtilWindow";
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = ModuleInstance();
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      RaiseLastOSError("RegisterClassEx TPUtilWindow");
    return true;
  }();
  (void)registered;
  window_ = CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleInstance(), nullptr);
  if (!window_)
    RaiseLastOSError("CreateWindowEx TPUtilWindow");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

UtilityWindow::~UtilityWindow() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

LRESULT CALLBACK UtilityWindow::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *self = reinterpret_cast<UtilityWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || !self->handler_)
    return DefWindowProcW(window, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  try {
    if (!self->handler_(message))
      return DefWindowProcW(window, msg, wParam, lParam);
  } catch (...) {
    HandleException(std::current_exception());
    return 0;
  }
  return message.Result;
}

} // namespace zorvex
