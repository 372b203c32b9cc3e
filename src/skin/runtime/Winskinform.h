#pragma once
// TWinSkinForm: the skinner of one top-level window, MDI child or dialog
// box. It replaces the window procedure, shrinks the client area to the
// skin's borders, paints borders, title bar, caption text, icon and caption
// buttons from the skin, shapes the window from the borders' magenta
// pixels, answers hit tests and clicks on its own caption buttons and offers
// the skin's own system menu. It also hosts the skinners of the window's
// menu bar and child controls.

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "DesignedColors.h"
#include "SkinCaption.h"
#include "SkinFrame.h"
#include "framework/core/Component.h"
#include "framework/win/Controls.h"
#include "framework/win/Handles.h"
#include "framework/win/Subclass.h"

namespace zorvex {

class TForm;
class TPopupMenu;
class TSkinData;
class TWinSkinForm;
class TWinSkinMenu;
class TSkinControl;

// Skinner states.
namespace SkinState {
constexpr int Created = 0;
constexpr int Active = 1;
constexpr int Changing = 3;
constexpr int Closing = 4;
constexpr int Resizing = 5;
constexpr int Destroyed = 6;
} // namespace SkinState

// A clickable object of a skinned non-client area (a caption button, a
// menu bar button): normal, pressed or hot; only one object of a window is
// hot at a time.
class TNCObject {
public:
  explicit TNCObject(TWinSkinForm &form) : form_(form) {}
  virtual ~TNCObject();
  TNCObject(const TNCObject &) = delete;
  TNCObject &operator=(const TNCObject &) = delete;

  virtual void MouseDown();
  virtual void MouseUp();
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Draw() = 0;

  TRect Rect;        // window coordinates
  bool Enabled = true;
  int State = StateNormal;

protected:
  TWinSkinForm &form_;
};

// A caption button: one description of the skin.
class TWinSysButton : public TNCObject {
public:
  TWinSysButton(TWinSkinForm &form, const TDataSkinSysButton &data, int index)
      : TNCObject(form), Data(data), Index(index) {}
  void Draw() override;

  const TDataSkinSysButton &Data; // not owned: the skin data's
  const int Index;
  bool Visible = false;
};

class TWinSkinForm : public TComponent {
public:
  // Owned by the window's framework form when there is one.
  explicit TWinSkinForm(TComponent *ownerForm);
  ~TWinSkinForm() override;
  std::string ClassName() const override { return "TWinSkinForm"; }

  HWND Handle = nullptr;     // the skinned window (not owned)
  HINSTANCE ModuleId = nullptr; // the module whose manager made it

  // Attaching: InitTform for framework forms (it calls InitSkin), InitSkin
  // for any other window.
  void InitTform(TSkinData *skinData, TForm *form);
  void InitSkin(TSkinData *skinData);
  // Frame sizes and caption buttons from the skin data.
  void InitSkinData();
  // Re-applies the skin after a new one was loaded.
  void SkinChange();
  // Drops the caption buttons (they are built again from the skin).
  void DeleteSysbtn();

  // Detaching: UnSubclass gives the window its own look back while it
  // lives; UnSubclass3 only lets go (the window is going away); UnSubclass2
  // is the detaching of a window without frame handling.
  void UnSubclass();
  void UnSubclass2();
  void UnSubclass3();

  void ResizeForm(bool keepClient);
  void Cropwindow();
  void Uncropwindow();
  void Refresh();
  static void RePaint(HWND window);
  // Hides (false) or shows (true) the window's real caption.
  void EnableSysbtn(bool show);
  // Paints the non-client area on `dc` (the window's own when null).
  void UpdateNc(HDC dc = nullptr);

  // A child window of a foreign window gets a control skinner (size grips).
  void AddControlh(HWND window);
  void AddControlList(TSkinControl *control);
  void RemoveControl(TSkinControl *control);
  void DeleteControls();
  // The control skinner under the mouse (foreign windows), not owned.
  TSkinControl *HoveredControl = nullptr;

  // Caption buttons and the system menu.
  void SetSysbtnRect();
  void DrawSysbtn(TWinSysButton &button, int state);
  bool Checkvisible(int index);
  TWinSysButton *FindBtn(POINT windowPoint);
  POINT GetWinXY(int screenX, int screenY) const;
  void SysBtnAction(int screenX, int screenY);
  void Maximize();
  void Restore();
  void Minimize();
  void PopSysmenu(POINT screenPoint);
  TPopupMenu *SystemMenu() const { return sysMenu_; }

  // The menu bar strip.
  TWinSkinMenu *MenuBar() const { return menuBar_; }
  bool InMenuLoop = false;
  void CancelMenu() { InMenuLoop = false; }

  TNCObject *HotObject = nullptr; // not owned
  void SetHot(TNCObject *object);

  int State() const { return state_; }
  TSkinFormStyle FormStyle() const { return formStyle_; }
  TSkinWindowState WindowState() const { return windowState_; }
  TSkinFormBorder Border() const { return border_; }
  TSkinFormIcons Icons() const { return icons_; }
  TSkinData *SkinData() const { return skinData_; }
  TForm *Form() const { return form_; }
  bool IsActive() const { return active_; }
  bool FrameHandling() const { return frameHandling_; }
  bool IsDialogBox() const { return dialogBox_; }
  const TFrameMetrics &Metrics() const { return metrics_; }
  bool Shaped() const { return shaped_; }
  const std::vector<std::unique_ptr<TWinSysButton>> &SysButtons() const { return buttons_; }
  // The window as last composed (borders, title bar, caption buttons).
  const TBitmap &FrameBitmap() const { return frame_; }

protected:
  void Notification(TComponent *component, TOperation operation) override;

private:
  LRESULT WndProc(TWindowSubclass &subclass, UINT message, WPARAM wParam, LPARAM lParam);
  void NewWndProc(TMessage &message);
  bool NonClientMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  void SkinActive();
  void ReadWindowState();
  void FetchIcon();
  void ComposeTitleBar(HDC dc);
  void DrawCaptionButton(TBitmap &target, const TWinSysButton &button, int frame, int offsetX, int offsetY) const;
  void DrawMenuBarStrip(HDC dc);
  TCaptionState CaptionStateNow();
  bool MenuBarMdiButtonsShown();
  void CreateSysmenu();
  void DoSysMenu(int tag);
  void HoverTick();
  void StartHoverTimer(bool on);
  void MdiClientProc(UINT message, WPARAM wParam, LPARAM lParam);
  void SetSystemMenuEnabled();
  void WMNCCalcSize(WPARAM wParam, LPARAM lParam, const RECT &window);
  LRESULT WMNCHitTest(WPARAM wParam, LPARAM lParam);
  bool WMNCMouseMove(LPARAM lParam);
  bool WMNCLButtonDown(WPARAM wParam, LPARAM lParam, LRESULT &result);
  bool WMNCLButtonUp(LPARAM lParam);
  bool WMNCLButtonDblClk(WPARAM wParam, LPARAM lParam, LRESULT &result);
  bool WMNCRButtonDown(WPARAM wParam, LPARAM lParam);
  bool WMSysCommand(WPARAM wParam, LPARAM lParam, LRESULT &result);
  void WMGetMinMaxInfo(LPARAM lParam);

  TSkinData *skinData_ = nullptr; // not owned
  TForm *form_ = nullptr;         // not owned: owns us
  TWindowSubclass subclass_;
  TWindowSubclass mdiClientSubclass_;
  TWndMethod oldFormProc_;
  bool formProcReplaced_ = false;
  OwnedFont captionFont_;
  OwnedTimer hoverTimer_;
  bool activated_ = false;
  bool frameHandling_ = false;
  RECT savedClient_{};
  DWORD lastSysMenuTime_ = 0;
  DWORD doubleClickTime_ = 0;
  TBitmap icon_; // the window's small icon, on magenta
  TFrameMetrics metrics_;
  RECT windowRect_{};
  TRect captionRect_;
  SIZE systemFrame_{0, 0};
  int leftmostRightButton_ = 0;
  bool rightToLeft_ = false;
  bool thickFrame_ = false;
  bool unicode_ = true;
  bool dialogBox_ = false;
  bool isChild_ = false;
  TPopupMenu *sysMenu_ = nullptr; // owned through the component tree
  HWND mdiClient_ = nullptr;      // not owned
  HMENU sysMenuHandle_ = nullptr; // not owned: the window's
  HMENU menuHandle_ = nullptr;    // not owned: the window's menu at skinning
  TDesignedColors designedColors_{*this};
  LONG_PTR style_ = 0;
  bool shaped_ = false;
  SIZE shapedSize_{0, 0};
  TBitmap frame_;
  TWinSkinMenu *menuBar_ = nullptr; // owned through the component tree
  std::vector<std::unique_ptr<TWinSysButton>> buttons_;
  std::vector<TSkinControl *> controls_; // owned through the component tree
  bool active_ = true;
  TSkinFormStyle formStyle_ = TSkinFormStyle::sfsNormal;
  TSkinFormBorder border_ = TSkinFormBorder::sbsSingle;
  TSkinFormIcons icons_;
  TSkinWindowState windowState_ = TSkinWindowState::swsNormal;
  int state_ = SkinState::Created;
};

} // namespace zorvex
