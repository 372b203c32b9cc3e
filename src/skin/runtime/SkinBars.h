#pragma once
// Progress bars, tabs and pages, track bars, tool bars, up-down buttons,
// status bars, headers and list views' headers drawn by the skin. Each
// composes its whole picture off screen from the control's own geometry
// (asked by message, so foreign windows work alike) and copies it in one
// step; without the skin object it needs, the control paints itself.

#include "BarPictures.h"
#include "SkinButtons.h"
#include "SkinScrollbars.h"
#include "Winsubclass.h"

namespace zorvex {

class TDataSkinObject;

// What the bar skinners share: painting in WM_PAINT when the skin has the
// object, and one hot part (an item, a button) followed with the mouse.
class TSkinBarControl : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  // The hot part, or -1.
  int HotPart() const { return hotPart_; }

protected:
  bool BeforeProc(TMessage &message) override;
  void AfterProc(TMessage &message) override;
  // Whether the skin has what DrawControl needs.
  virtual bool CanPaint() const = 0;
  // The part under a client point, or -1.
  virtual int PartAt(POINT) const { return -1; }
  void SetHotPart(int part);
  // The composed picture to the device context at rect's corner.
  void Show(HDC dc, const TRect &rect, const TBitmap &picture) const;
  int hotPart_ = -1;
};

class TSkinProgress : public TSkinBarControl {
public:
  using TSkinBarControl::TSkinBarControl;
  std::string ClassName() const override { return "TSkinProgress"; }
  void Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) override;
  void Inithwnd(HWND window, TSkinData &skinData, TWinSkinForm &form) override;
  void Unsubclass() override;

protected:
  bool BeforeProc(TMessage &message) override;
  bool CanPaint() const override;
  void DrawControl(HDC dc, const TRect &rect) override;

private:
  // The system's edge around the bar goes while the skin draws it.
  void DropEdge();
  LONG_PTR savedExStyle_ = 0;
  bool edgeDropped_ = false;
  // A marquee bar's chunk moves on the bar's own timer (its period is the
  // one PBM_SETMARQUEE gave), one step a tick, and goes when it is stopped.
  bool marqueeRunning_ = false;
  int64_t marqueeTick_ = 0;
};

// Tab controls and page controls (framework or foreign): the page's frame
// and every tab from the skin's tab pictures.
class TSkinTab : public TSkinBarControl {
public:
  using TSkinBarControl::TSkinBarControl;
  std::string ClassName() const override { return "TSkinTab"; }

protected:
  bool CanPaint() const override;
  int PartAt(POINT point) const override;
  void DrawControl(HDC dc, const TRect &rect) override;
};

// A tab set of another component set: a row of tabs named by its "Tabs"
// list, "TabIndex" the selected one.
class TSkinTab31 : public TSkinBarControl {
public:
  using TSkinBarControl::TSkinBarControl;
  std::string ClassName() const override { return "TSkinTab31"; }

protected:
  bool CanPaint() const override;
  void DrawControl(HDC dc, const TRect &rect) override;
};

// A page of a page control: the skin's background.
class TSkinTabSheet : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinTabSheet"; }

protected:
  bool BeforeProc(TMessage &message) override;
  void DrawControl(HDC, const TRect &) override {}
};

class TSkinTrackBar : public TSkinBarControl {
public:
  using TSkinBarControl::TSkinBarControl;
  std::string ClassName() const override { return "TSkinTrackBar"; }

protected:
  bool BeforeProc(TMessage &message) override;
  bool CanPaint() const override;
  int PartAt(POINT point) const override;
  void DrawControl(HDC dc, const TRect &rect) override;

private:
  bool dragging_ = false;
};

// Tool bars: the skin's tool bar picture behind the buttons, and the
// buttons' faces from the push button picture.
class TSkinToolbar : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinToolbar"; }
  void Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) override;
  void Unsubclass() override;

protected:
  bool BeforeProc(TMessage &message) override;
  void DrawControl(HDC, const TRect &) override {}

private:
  bool CustomDrawButton(NMHDR &header, LRESULT &result);
  bool savedFlat_ = false;
};

class TSkinUpDown : public TSkinBarControl {
public:
  using TSkinBarControl::TSkinBarControl;
  std::string ClassName() const override { return "TSkinUpDown"; }

protected:
  bool BeforeProc(TMessage &message) override;
  void AfterProc(TMessage &message) override;
  bool CanPaint() const override;
  int PartAt(POINT point) const override;
  void DrawControl(HDC dc, const TRect &rect) override;

private:
  bool Vertical() const;
  int pressedPart_ = -1;
};

class TSkinStatusBar : public TSkinBarControl {
public:
  using TSkinBarControl::TSkinBarControl;
  std::string ClassName() const override { return "TSkinStatusBar"; }

protected:
  bool CanPaint() const override;
  void DrawControl(HDC dc, const TRect &rect) override;
};

class TSkinHeader : public TSkinBarControl {
public:
  using TSkinBarControl::TSkinBarControl;
  std::string ClassName() const override { return "TSkinHeader"; }

protected:
  void AfterProc(TMessage &message) override;
  bool CanPaint() const override;
  int PartAt(POINT point) const override;
  void DrawControl(HDC dc, const TRect &rect) override;

private:
  int pressedPart_ = -1;
};

// List views: their scroll bars and border as for grids, their column
// header drawn like a header control.
class TSkinListView : public TSkinScrollbar {
public:
  using TSkinScrollbar::TSkinScrollbar;
  std::string ClassName() const override { return "TSkinListView"; }
  // The header's skinner (owned by this one), or null.
  TSkinControl *HeaderSkinner() const;

protected:
  void Attached() override;
  void AfterProc(TMessage &message) override;

private:
  // Skins the header the list shows now, once.
  void AttachHeader();
};

// A tool button with a drop-down menu: its menu drawn by the skin while the
// form is skinned.
class TSkinToolMenu : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinToolMenu"; }
  void Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) override;
  void Unsubclass() override;

protected:
  void DrawControl(HDC, const TRect &) override {}

private:
  void SkinMenu(bool on);
};

// A data navigator of another component set: flat buttons on the skin's
// background.
class TSkinNavigator : public TSkinBox {
public:
  using TSkinBox::TSkinBox;
  std::string ClassName() const override { return "TSkinNavigator"; }
  void Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) override;
};

} // namespace zorvex
