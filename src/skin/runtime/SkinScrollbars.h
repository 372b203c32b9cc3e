#pragma once
// Scroll bars drawn by the skin. The system's own scroll bars (of grids,
// memos, rich edits, list views, and stand-alone scroll bar controls) keep
// working; a small window of ours lies over each of them, shows it in the
// skin's pictures and hands every click to the control, so the system's own
// tracking scrolls it.

#include <memory>

#include "ScrollbarPicture.h"
#include "Winsubclass.h"

namespace zorvex {

class TSkinData;

// The picture side of one scroll bar: a window in the control's parent,
// just above the control, exactly over the bar the system reports.
class TWScrollbar : public TWinControl {
public:
  // `host`: the control whose bar it covers (not owned). `standalone`: the
  // host is itself a scroll bar control, covered whole.
  TWScrollbar(TSkinData &skinData, HWND host, bool vertical, bool standalone);
  ~TWScrollbar() override;
  std::string ClassName() const override { return "TWScrollbar"; }

  // Moves over the bar, or hides when the control or its bar is not shown;
  // repaints when what it shows has changed.
  void Follow();
  // Shows the current skin again.
  void Refresh();
  bool Vertical() const { return vertical_; }
  TScrollPart PressedPart() const { return look_.Pressed; }
  // Where the bar lies on the screen while it is shown (empty when hidden).
  RECT Covered() const;

protected:
  void CreateParams(TCreateParams &params) override;
  void WndProc(TMessage &message) override;
  void PaintWindow(HDC dc) override;
  bool EraseBackground(HDC) override { return true; }
  void MouseLeave() override;

private:
  // What the system reports of the bar.
  struct TBarState {
    RECT Bar{};
    int ArrowSize = 0;
    int ThumbStart = 0, ThumbEnd = 0;
    bool Enabled = true;
    bool operator==(const TBarState &other) const;
  };
  // False when there is no bar to cover now.
  bool Read(TBarState &state) const;
  TScrollBarGeometry Geometry(const TBarState &state) const;
  TScrollPart PartAt(POINT client) const;
  void Press(POINT client);
  void SetHot(TScrollPart part);
  void RepaintNow();
  bool AboveHost() const;

  TSkinData &skinData_;
  HWND host_; // not owned
  bool vertical_;
  bool standalone_;
  bool shown_ = false;
  bool trackingLeave_ = false;
  TBarState painted_;
  TScrollBarLook look_;
  // Cleared when the object goes, so a click's modal loop can tell.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The pictures a skin gives scroll bars; unusable when the skin has none.
TScrollBarSkin ScrollBarSkinOf(const TSkinData &skinData, bool vertical);

// Grids, memos, rich edits and other controls with the system's scroll
// bars: an overlay over each bar, the corner between them and a flat border
// in the skin's colours.
class TSkinScrollbar : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  ~TSkinScrollbar() override;
  std::string ClassName() const override { return "TSkinScrollbar"; }
  void Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) override;
  void Inithwnd(HWND window, TSkinData &skinData, TWinSkinForm &form) override;
  void Unsubclass() override;
  void SkinChange() override;
  TWScrollbar *Bar(bool vertical) const { return vertical ? vertical_.get() : horizontal_.get(); }

protected:
  void AfterProc(TMessage &message) override;
  // The border and the corner, on the window's own device context.
  void DrawControl(HDC dc, const TRect &rect) override;
  void MakeBars();
  void FollowBars();

private:
  std::unique_ptr<TWScrollbar> vertical_, horizontal_;
  bool following_ = false;
};

// List views: their scroll bars as above (the header keeps its own look).
class TSkinListView : public TSkinScrollbar {
public:
  using TSkinScrollbar::TSkinScrollbar;
  std::string ClassName() const override { return "TSkinListView"; }
};

// A stand-alone scroll bar control, covered by one overlay of its kind.
class TSkinScControl : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  ~TSkinScControl() override;
  std::string ClassName() const override { return "TSkinScControl"; }
  void Init(TWinSkinForm &form, TSkinData &skinData, bool setParentColor, TControl &control) override;
  void Inithwnd(HWND window, TSkinData &skinData, TWinSkinForm &form) override;
  void Unsubclass() override;
  void SkinChange() override;
  TWScrollbar *Bar() const { return bar_.get(); }

protected:
  void AfterProc(TMessage &message) override;
  void DrawControl(HDC, const TRect &) override {}

private:
  void MakeBar();
  std::unique_ptr<TWScrollbar> bar_;
  bool following_ = false;
};

} // namespace zorvex
