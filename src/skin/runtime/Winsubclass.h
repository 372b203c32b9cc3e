#pragma once
// The control skinners: one TSkinControl per child control of a skinned
// window. A skinner takes the control's messages (through the framework
// control's WindowProc, or by subclassing a foreign window), paints the
// control from the skin's pictures and colours, and follows its hover,
// pressed and focus states. This header holds the base every skinner shares
// and the choice of a skinner for a control; the skinners themselves live in
// units of their own (SkinButtons, SkinBars, SkinEdits, SkinScrollbars).

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "DesignedColors.h"
#include "framework/core/Bitmap.h"
#include "framework/core/Component.h"
#include "framework/core/Rect.h"
#include "framework/win/Controls.h"
#include "framework/win/Handles.h"
#include "framework/win/Subclass.h"
#include "skin/data/SkinDataObjects.h"

namespace zorvex {

class TSkinData;
class TWinSkinForm;
class TPropertyInfo;
class TObject;

// Mouse flags of a control skinner.
namespace SkinMouse {
constexpr uint8_t Hot = 1;
constexpr uint8_t Pressed = 2;
} // namespace SkinMouse

// A memory device context with a 32-bit DIB section of a given size: the
// off-screen picture a skinner composes before copying it to the window in
// one step.
class TPaintBuffer {
public:
  // False when the system refused the bitmap.
  bool Resize(int width, int height);
  HDC Dc() const { return dc_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Copies the bitmap's pixels in at (0, 0).
  void Load(const TBitmap &bitmap);
  void BlitTo(HDC dest, int x, int y) const;

private:
  MemoryDC dc_;
  OwnedBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
  int width_ = 0, height_ = 0;
};

class TSkinControl : public TComponent {
public:
  // Owned by the framework control it skins, or by nothing for a foreign
  // window (the form skinner frees it then).
  explicit TSkinControl(TComponent *owner);
  ~TSkinControl() override;
  std::string ClassName() const override { return "TSkinControl"; }

  // Attaches to a framework control (replaces its WindowProc). Does nothing
  // when already attached.
  virtual void Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control);
  // Attaches to a foreign window (subclasses it).
  virtual void Inithwnd(HWND window, TSkinData &skinData, TWinSkinForm &form);
  // Lets go: restores the colour and the window procedure; the control
  // paints itself again.
  virtual void Unsubclass();
  // Re-reads the skin after a skin change and repaints.
  virtual void SkinChange();
  virtual int GetState() { return 1; }

  // Repaints the control (the framework's way, or invalidate and update).
  void Invalidate();
  // Sends the framework's mouse-leave notification.
  void MouseLeave();
  // Whether the screen point lies on the control as last painted.
  bool CursorInside(POINT screen) const;
  // Paints now, on `dc` or the window's own device context.
  void PaintControl(HDC dc = nullptr);

  HWND Handle() const { return window_; }
  TControl *Control() const { return control_; }
  TWinSkinForm *Form() const { return form_; }
  TSkinData *SkinData() const { return skinData_; }
  bool Foreign() const { return foreign_; }
  bool SkinEnabled() const { return enabled_; }
  int State() const { return state_; }
  uint8_t MouseFlags() const { return mouseFlags_; }

  // ---- Published properties of the control, by name (empty or 0 when the
  // control has no such property, or for a foreign window)
  std::string GetProperty(const std::string &name) const;
  int64_t GetIntProperty(const std::string &name) const;
  std::string GetEnumProperty(const std::string &name) const;
  std::string GetStringProp(const std::string &name) const;
  TObject *GetObjProp(const std::string &name) const;
  // Enumerations by value name, integers from decimal text; others are left
  // alone.
  void SetProperty(const std::string &name, const std::string &value);

protected:
  // Called once the skinner is attached, to a framework control or to a
  // foreign window alike.
  virtual void Attached() {}
  // Sees each message before the control: true lets the control's own
  // procedure run (then AfterProc), false means the skinner handled it.
  virtual bool BeforeProc(TMessage &message);
  virtual void AfterProc(TMessage &message);
  // Draws the whole control on dc, rect at (0, 0) in the control's size.
  virtual void DrawControl(HDC dc, const TRect &rect) = 0;

  void NewWndProc(TMessage &message);
  // The control's own procedure for the message.
  void Default(TMessage &message);
  // Runs the control's own code (its procedure, the application's event
  // handlers): a failure there is reported like any handler's, never taken
  // for the skinner's own.
  static void RunControlCode(const std::function<void()> &code);
  void WMPaint(TMessage &message);
  bool WMEraseBkgnd(TMessage &message);

  // ---- Colours and text
  TColor BackgroundColor() const;
  TColor FrameColor() const;
  TColor ParentColor() const;
  void FillBG(TBitmap &bitmap, const TRect &rect) const;
  void FillParentBG(TBitmap &bitmap, const TRect &rect) const;
  // The control's font (WM_GETFONT for foreign windows).
  HFONT ControlFont() const;
  TColor ControlFontColor() const;
  std::wstring CaptionText() const;
  int TextHeight(HDC dc, const std::wstring &text) const;
  void DrawFocus(HDC dc, const std::wstring &text, UINT format, const TRect &rect) const;
  void DrawCaption(HDC dc, const TRect &rect, UINT alignment, bool enabled, const std::wstring &text,
                   TColor color) const;
  bool IsEnabledNow() const;
  bool IsFocusedNow() const;

  // ---- Pictures (all with magenta as the transparent colour)
  // Frame `index` of `frames` side by side, by the nine-slice rule,
  // transparent when the object says so.
  static void DrawSkinMap(TBitmap &dest, const TRect &rect, int frames, int index, const TDataSkinObject &object);
  // A whole frame stretched to the rectangle, transparent (check marks,
  // radio dots, arrows).
  static void DrawSkinMap1(TBitmap &dest, const TRect &rect, int frames, int index, const TBitmap &image);
  // The composed picture to the device context.
  void Present(HDC dc, const TBitmap &bitmap, const std::wstring &text = {}, const TRect &textRect = {},
               UINT format = 0, TColor textColor = 0);

  TPaintBuffer &Buffer();

  uint8_t mouseFlags_ = 0;
  bool inPaint_ = false;
  bool foreign_ = false;
  bool focused_ = false;
  bool enabled_ = true;
  bool unicode_ = true;
  TSkinData *skinData_ = nullptr; // not owned
  HWND window_ = nullptr;         // not owned
  TControl *control_ = nullptr;   // not owned: owns us
  RECT windowRect_{};
  bool setParentColor_ = false;
  TColor savedColor_ = 0;
  bool savedParentColor_ = false; // the control followed its parent's colour
  bool initialised_ = false;
  int state_ = 0;
  TWinSkinForm *form_ = nullptr; // not owned
  bool noMouseForwarding_ = false;

private:
  TWndMethod oldControlProc_;
  TWindowSubclass subclass_;
  LRESULT lastResult_ = 0;
};

// ---- Choosing and attaching skinners

// Gives every control of the form skinner's window a skinner: the framework
// form's controls (nested forms' too), or the child windows of a foreign
// window.
void InitControls(TWinSkinForm &form);
// Skins the one control again (the whole form without one).
void UpdateControls(TWinSkinForm &form, TControl *control);
// A child window of a foreign window (and size grips): the skinner its
// class and style call for, if any. Null when none fits.
TSkinControl *AddForeignControl(TWinSkinForm &form, HWND window);
// A framework control: OnSkinControl, then Skin3rd, then the table of the
// framework's classes. Null when none fits or the control is left alone.
TSkinControl *AddComp(TWinSkinForm &form, TControl &control);
// A nested form placed in a skinned form.
void AddNestedControl(TWinSkinForm &form, TWinControl &nested);
// Frees the skinner of one control (a graphic control going away).
void RemoveControlSkinner(TWinSkinForm &form, TControl *control);
// The form's colours after a skin change (its own, nested forms', grids'
// fixed cells), each designed colour remembered first.
void SkinFormColors(TControl &form, TSkinData &skinData, TDesignedColors &designed);

// The kind word of a Skin3rd line for a class name, lower case; empty when
// the list does not name the class.
std::string Find3rdControl(const TSkinData &skinData, const std::string &className);

} // namespace zorvex
