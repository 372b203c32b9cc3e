#pragma once
// Forms (with a menu bar; MDI frames with their "MDIClient" window and MDI
// children), the screen's list of them, and the application: its hidden
// window of class "TApplication", the message loop, hints, mouse enter and
// leave tracking, and the top-level exception handler.

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "Controls.h"
#include "framework/core/Exceptions.h"

namespace zorvex {

enum class TPosition { poDesigned, poScreenCenter, poDesktopCenter, poMainFormCenter };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
namespace bi {
constexpr unsigned SystemMenu = 1, Minimize = 2, Maximize = 4;
}
using TBorderIcons = unsigned;
using TCloseEvent = std::function<void(TObject *sender, TCloseAction &action)>;

class TMainMenu;

class TForm : public TWinControl {
public:
  explicit TForm(TComponent *owner);
  ~TForm() override;
  std::string ClassName() const override { return "TForm"; }

  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return formStyle_; }
  // The MDI styles take effect when the window is made (again).
  void SetFormStyle(TFormStyle style);
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);

  // The menu bar (not owned). Setting it sends CM_MENUCHANGED to the form.
  TMainMenu *Menu() const { return menu_; }
  void SetMenu(TMainMenu *menu);

  // An MDI frame's client window ("MDIClient"), made with the frame's
  // window; null for other forms.
  HWND ClientHandle() const { return clientHandle_; }
  // The MDI frame's children, in creation order, and the active one.
  int MDIChildCount() const;
  TForm *MDIChildren(int index) const;
  TForm *ActiveMDIChild() const;
  // The window's icon (not owned: resources loaded with LoadIcon live as
  // long as the module).
  void SetIcon(HICON icon);
  HICON Icon() const { return icon_; }
  // Sets the outer size so that the client area has this size.
  void SetClientSize(int width, int height);
  // Scroll bars appear when the controls reach past the client area, and
  // scroll them.
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool autoScroll);

  // Caption, BorderStyle, Position, FormStyle, AutoScroll.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  bool Showing() const override;
  // Shows the form and waits until its ModalResult is set or it is closed;
  // the other windows of the program are disabled meanwhile.
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  bool Modal() const { return modal_; }
  // Asks OnClose: hides the form, frees it, or (main form) ends the program.
  void Close();
  // Frees the form once the messages being handled are done.
  void Release();
  bool Active() const;

  TWinControl *ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl *control);
  // Called when a control of the form takes the focus.
  void FocusChanged(TWinControl *control);
  // Moves the focus on from a control that goes away.
  void FocusNextFrom(TWinControl *control);
  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TNotifyEvent OnActivate;

protected:
  // Derived forms build their controls, then call DoCreate, as loading a
  // designed form ends with its OnCreate.
  void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  void CreateParams(TCreateParams &params) override;
  HWND CreateWindowHandle(const TCreateParams &params, HMENU id) override;
  void CreateWindowHandleDone() override;
  void WndProc(TMessage &message) override;
  void DefaultHandler(TMessage &message) override;
  void VisibleChanged() override;
  void BoundsChanged() override { UpdateScrollRange(); }
  // Enter, Escape, Tab and arrows not taken by the focused control.
  virtual bool DialogKey(WORD key, TShiftState shift);
  // Alt+letter: the control whose caption has that accelerator.
  virtual bool DialogChar(wchar_t character);

private:
  void PlaceOnScreen();
  void ApplyFocus();
  bool CloseQuery(TCloseAction &action);
  void UpdateScrollRange();
  // Scrolls the contents to this position of the scroll bars.
  void ScrollTo(POINT position);
  void ScrollRequest(int bar, WORD request);
  // The frame an MDI child lives in: the main form or the first MDI frame.
  static TForm *MDIFrame();
  std::vector<TForm *> MDIChildList() const;

  TPosition position_ = TPosition::poDesigned;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons borderIcons_ = bi::SystemMenu | bi::Minimize | bi::Maximize;
  TFormStyle formStyle_ = TFormStyle::fsNormal;
  HICON icon_ = nullptr;                 // not owned
  TWinControl *activeControl_ = nullptr; // not owned
  TMainMenu *menu_ = nullptr;            // not owned
  HWND clientHandle_ = nullptr;          // a child of the form's window
  int modalResult_ = mrNone;
  bool modal_ = false;
  bool placed_ = false;
  bool showing_ = false;
  bool autoScroll_ = false;
  POINT scrolled_{0, 0}; // how far the contents are scrolled
  bool updatingScroll_ = false;
};

// The program's forms, in creation order.
class TScreen {
public:
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TForm *Forms(int index) const { return forms_.at(static_cast<size_t>(index)); }
  TForm *ActiveForm() const { return activeForm_; }
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }

private:
  friend class TForm;
  std::vector<TForm *> forms_;  // not owned
  TForm *activeForm_ = nullptr; // not owned
};

TScreen &Screen();

// Sees every exception that reaches a window procedure or the loop; set by
// tests that want them instead of a message box.
using TExceptionEvent = std::function<void(TObject *sender, const Exception &error)>;

class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;
  std::string ClassName() const override { return "TApplication"; }

  const std::string &Title() const { return title_; }
  void SetTitle(const std::string &title);
  HWND Handle() const { return window_; }
  // The program's icon, also the default one of its forms.
  HICON Icon() const { return icon_; }
  void SetIcon(HICON icon) { icon_ = icon; }

  // The first form created with CreateForm; closing it ends the program.
  TForm *MainForm() const { return mainForm_; }
  template <typename Form> Form *CreateForm() {
    auto *form = new Form(this); // owned by the application
    if (!mainForm_)
      mainForm_ = form;
    return form;
  }

  // Shows the main form and handles messages until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every pending message and returns.
  void ProcessMessages();
  // Waits for one message and handles it.
  void HandleMessage();

  // Silent for EAbort; anything else is shown in a box (or given to
  // OnException) and the program goes on. A non-framework exception is shown
  // as a framework exception with an empty message.
  void HandleException(std::exception_ptr error);
  void ShowException(const Exception &error);
  TExceptionEvent OnException;

  // Tooltips for controls with a hint.
  void RegisterHint(TWinControl *control);
  void UnregisterHint(TWinControl *control);
  HWND HintWindow() const { return tooltip_; }

  // Called by every control as it goes away.
  void ControlDestroying(TControl *control);
  // The control the mouse is over (graphic controls included), or null.
  TControl *MouseControl() const { return mouseControl_; }

private:
  friend class TForm;
  bool ProcessMessage(MSG &message);
  bool IsKeyMessage(MSG &message);
  void TrackMouse(const MSG &message);
  static LRESULT CALLBACK WndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  std::string title_;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  HICON icon_ = nullptr;             // not owned
  TForm *mainForm_ = nullptr;        // owned through the component tree
  TControl *mouseControl_ = nullptr; // not owned
  bool terminated_ = false;
  bool handlingException_ = false;
};

// The one application object; null before it is made and after it is gone.
extern TApplication *Application;

// Hands an exception to the application (or drops it silently when there is
// none). Every window procedure and callback ends in this.
void HandleException(std::exception_ptr error);

} // namespace zorvex
