#pragma once
// Controls: TControl (position, visibility, font, colour, mouse events, the
// replaceable WindowProc), TGraphicControl (drawn by its parent),
// TWinControl (a window of its own, registered under the C++ class name) and
// TCustomControl (a window that paints itself on a canvas).
//
// Every framework window carries its control under the window property
// ControlAtom, so FindControl maps a bare HWND back to its object. The Win32
// window procedure only calls the control's WindowProc, which is
// replaceable: a skinner keeps the old one, installs its own and calls the
// old one for what it does not handle. No exception leaves a window
// procedure: each goes to the application's HandleException.

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include "Graphics.h"
#include "framework/core/Component.h"

namespace zorvex {

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

using TWndMethod = std::function<void(TMessage &message)>;
using TNotifyEvent = std::function<void(TObject *sender)>;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = unsigned;
namespace ss {
constexpr unsigned Shift = 1, Alt = 2, Ctrl = 4, Left = 8, Right = 16, Middle = 32, Double = 64;
}

using TMouseEvent = std::function<void(TObject *sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject *sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject *sender, WORD &key, TShiftState shift)>;

// The framework's own notifications. Their numbers are fixed: the skin
// runtime sends and answers them.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;          // 45061
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;         // 45062
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;       // 45063, LParam: the focused TWinControl
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;  // 45064
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9; // 45065
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;    // 45067, WParam: visible
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;    // 45068
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;      // 45069
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;       // 45070
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;       // 45074
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;        // 45075
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;        // 45076
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;       // 45077
constexpr UINT CM_RELEASE = CM_BASE + 33;           // posted: frees a form outside its own handlers

// Notifications a parent reflects back to the child control they concern.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;

// Modal results.
constexpr int mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY, mrIgnore = IDIGNORE,
              mrYes = IDYES, mrNo = IDNO;

// The window property under which every framework window keeps its control:
// "ControlOfs" followed by the module instance and the thread id in hex, as
// a global atom made once per process.
ATOM ControlAtom();
const std::wstring &ControlPropName();
// The framework control of a window of this process, or null. A window
// being created is found from the moment it exists (before its first
// message), so a CBT hook can map it at HCBT_CREATEWND.
class TControl;
TControl *FindControl(HWND window);

TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardShiftState();

class TWinControl;
class TForm;

// The border of controls that may have a sunken client edge.
enum class TBorderStyle { bsNone, bsSingle };
// Its value names, for published properties.
const std::vector<std::string> &BorderStyleNames();

class TControl : public TComponent {
public:
  explicit TControl(TComponent *owner);
  ~TControl() override;
  std::string ClassName() const override { return "TControl"; }

  TWinControl *Parent() const { return parent_; }
  virtual void SetParent(TWinControl *parent);
  // The form the control lies on, or null.
  TForm *ParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
  int ClientWidth() const { return ClientRect().right; }
  int ClientHeight() const { return ClientRect().bottom; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent up to the top-level window is shown.
  virtual bool Showing() const;

  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string &text) { SetText(text); }
  virtual std::string GetText() const { return text_; }
  virtual void SetText(const std::string &text);

  TFont &Font() { return font_; }
  const TFont &Font() const { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);

  const std::string &Hint() const { return hint_; }
  virtual void SetHint(const std::string &hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  virtual void SetShowHint(bool show) { showHint_ = show; }

  // Replaceable message handler; starts as the control's own dispatcher.
  TWndMethod WindowProc;
  // Sends a message through WindowProc and returns its result.
  LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  virtual void Invalidate();
  // Paints now what is invalid.
  virtual void Update();
  void Repaint() {
    Invalidate();
    Update();
  }
  virtual void Click();

  POINT ClientToScreen(POINT point) const;
  POINT ScreenToClient(POINT point) const;
  // Where the control's client area lies in its nearest window.
  virtual POINT ClientOrigin() const;

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // Enabled, Visible, bounds, Color, Font, hints.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  // The control's own message dispatch: decodes the messages it knows into
  // the typed handlers below, passes the rest to DefaultHandler.
  virtual void WndProc(TMessage &message);
  // What happens to a message nobody handled; nothing for a control without
  // a window.
  virtual void DefaultHandler(TMessage &message);

  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void TextChanged();
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  virtual void BoundsChanged() {}

  // Controls that click on a left release over themselves (labels, images,
  // panels, grids); buttons click through their window instead.
  bool clickOnMouseUp_ = false;
  std::string text_;

  // Window-level state kept in step by TWinControl.
  void StoreBounds(int left, int top, int width, int height);

private:
  friend class TWinControl;
  void AssignParentFont();
  void AssignParentColor();
  void DecodeMouse(TMessage &message);

  TWinControl *parent_ = nullptr; // not owned
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TFont font_;
  bool parentFont_ = true;
  bool applyingParentFont_ = false;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  std::string hint_;
  bool showHint_ = true;
  bool clickPending_ = false;
};

// A control without a window of its own, painted by its parent.
class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent *owner) : TControl(owner) {}
  // What the control owns (a skinner that replaced its WindowProc) goes
  // while the control is still whole.
  ~TGraphicControl() override;
  std::string ClassName() const override { return "TGraphicControl"; }
  void Invalidate() override;
  void Update() override;
  // Paints into the parent's device context, origin at the control's corner.
  // The paint goes through WindowProc as WM_PAINT with the device context,
  // so that whoever replaced the procedure can draw the control instead.
  void PaintTo(HDC dc);

protected:
  void WndProc(TMessage &message) override;
  virtual void Paint() {}
  TCanvas &Canvas() { return canvas_; }

private:
  TCanvas canvas_;
};

// What a windowed control asks CreateWindowEx for.
struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // Registered under this name; WindowClassBase is the system class it
  // extends ("BUTTON", "EDIT", ...) or empty for a class of its own.
  std::wstring WinClassName;
  std::wstring WindowClassBase;
  UINT ClassStyle = CS_DBLCLKS;
  HICON ClassIcon = nullptr; // not owned
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent *owner);
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }

  // The window, made on first use (with the windows of its parents).
  HWND Handle();
  HWND WindowHandle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  void DestroyHandle();

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl *Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  // The visible graphic child under a client point, or null.
  TControl *ControlAtPos(POINT point) const;

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order) { tabOrder_ = order; }
  virtual bool CanFocus() const;
  void SetFocus();
  bool Focused() const;

  // A solid brush of Color, handed out for the control's background.
  TBrush &Brush() { return brush_; }

  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  POINT ClientOrigin() const override;
  bool Showing() const override;
  std::string GetText() const override;
  void SetText(const std::string &text) override;
  void SetHint(const std::string &hint) override;
  void Invalidate() override;
  void Update() override;

  TKeyEvent OnKeyDown;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Next tab stop after `current` among this control's descendants.
  TWinControl *FindNextControl(TWinControl *current, bool forward) const;

protected:
  virtual void CreateParams(TCreateParams &params);
  // Makes the window and then the windows of the windowed children.
  virtual void CreateHandle();
  virtual void CreateWnd();
  // The CreateWindowEx call itself; an MDI child asks its client instead.
  virtual HWND CreateWindowHandle(const TCreateParams &params, HMENU id);
  // Called once the window exists, before the children get theirs.
  virtual void CreateWindowHandleDone() {}
  void RecreateWnd();

  void WndProc(TMessage &message) override;
  void DefaultHandler(TMessage &message) override;

  // Own-class windows paint here, then their graphic children are drawn.
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc);
  // Fills the background with Color; windows that paint everything return
  // true without erasing.
  virtual bool EraseBackground(HDC dc);
  // Reflected notifications.
  virtual bool CNCommand(WORD notifyCode) {
    (void)notifyCode;
    return false;
  }
  virtual bool CNNotify(NMHDR &header, LRESULT &result) {
    (void)header;
    (void)result;
    return false;
  }
  virtual bool CNDrawItem(DRAWITEMSTRUCT &item) {
    (void)item;
    return false;
  }
  virtual HBRUSH CNCtlColor(HDC dc);
  virtual void KeyDown(WORD &key, TShiftState shift);
  virtual void DoEnter();
  virtual void DoExit();
  void FontChanged() override;
  void ColorChanged() override;
  void TextChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;

  bool IsOwnClass() const { return defWndProc_ == DefWindowProcW; }
  // Turns window style bits (extended ones when `extended`) on or off, in
  // the live window too; frame changes take effect at once.
  void ChangeStyle(DWORD bits, bool on, bool extended = false);

private:
  friend class TControl;
  friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
  friend TWinControl *ClaimCreatingWindow(HWND window);
  void Bind(HWND window);
  void Unbind();
  void InsertControl(TControl *control);
  void RemoveControl(TControl *control);
  void CollectTabStops(std::vector<TWinControl *> &out) const;
  bool ReflectToChild(TMessage &message);
  bool RouteMouseToGraphicChild(TMessage &message);
  void PaintHandler(TMessage &message);

  HWND handle_ = nullptr;
  WNDPROC defWndProc_ = DefWindowProcW;
  std::vector<TControl *> controls_; // children, not owned
  TBrush brush_;
  bool tabStop_ = false;
  int tabOrder_ = 0;
  TControl *mouseCapture_ = nullptr; // graphic child holding the mouse, not owned
};

// A windowed control that draws itself on a canvas (grids, panels).
class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent *owner) : TWinControl(owner) {}
  std::string ClassName() const override { return "TCustomControl"; }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;
  TCanvas &Canvas() { return canvas_; }
  // Painting goes through an off-screen bitmap, so nothing flickers.
  bool doubleBuffered_ = false;

private:
  TCanvas canvas_;
};

// A hidden message-only window that hands its messages to a function
// (timers and similar); what the function leaves unhandled (returns false
// for) goes to DefWindowProc.
class UtilityWindow {
public:
  explicit UtilityWindow(std::function<bool(TMessage &)> handler);
  ~UtilityWindow();
  UtilityWindow(const UtilityWindow &) = delete;
  UtilityWindow &operator=(const UtilityWindow &) = delete;
  HWND Handle() const { return window_; }

private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  std::function<bool(TMessage &)> handler_;
  HWND window_ = nullptr;
};

// The module this copy of the framework is linked into (the program, or a
// library carrying its own copy): its windows' classes and its resources
// belong to that module, and its controls are found through a window
// property of its own.
HINSTANCE ModuleInstance();
// Registers the system's common control classes (progress bar, tooltips)
// once per process.
void EnsureCommonControls();

// The upper-case form of one character, as the system's tables have it.
wchar_t UpperChar(wchar_t character);
// The accelerator of a caption in upper case: "&Abandonner" gives 'A'; 0
// without one ("&&" is a plain '&').
wchar_t AcceleratorOf(const std::string &caption);

} // namespace zorvex
