#pragma once
// Scroll bars drawn by the skin. The system's own scroll bars (of grids,
// memos, rich edits, list views, and stand-alone scroll bar controls) keep
// working; a small window of ours lies over each of them, shows it in the
// skin's pictures and hands every click to the control, so the system's own
// tracking scrolls it.

#include <memory>
#include <vector>

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

// What the skinners that lay overlay bars over a control share: the bars
// are made when the control is attached and when a skin brings scroll bar
// pictures, follow the control after each message that may move them, and
// go when the skinner lets go.
class TScrollOverlaySkinner : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  ~TScrollOverlaySkinner() override;
  void Unsubclass() override;
  void SkinChange() override;

protected:
  void Attached() override { Cover(); }
  void AfterProc(TMessage &message) override;
  // Puts the control's overlays into bars_.
  virtual void MakeBars() = 0;
  virtual void FollowBars();
  void Cover();
  void FollowNow();

  std::vector<std::unique_ptr<TWScrollbar>> bars_;

private:
  bool following_ = false;
};

// Grids, memos, rich edits and other controls with the system's scroll
// bars: an overlay over each bar, the corner between them and a flat border
// in the skin's colours.
class TSkinScrollbar : public TScrollOverlaySkinner {
public:
  using TScrollOverlaySkinner::TScrollOverlaySkinner;
  std::string ClassName() const override { return "TSkinScrollbar"; }
  TWScrollbar *Bar(bool vertical) const;

protected:
  // The border and the corner, on the window's own device context.
  void DrawControl(HDC dc, const TRect &rect) override;
  void MakeBars() override;
  void FollowBars() override;
};

// A stand-alone scroll bar control, covered by one overlay of its kind.
class TSkinScControl : public TScrollOverlaySkinner {
public:
  using TScrollOverlaySkinner::TScrollOverlaySkinner;
  std::string ClassName() const override { return "TSkinScControl"; }
  TWScrollbar *Bar() const;

protected:
  void DrawControl(HDC, const TRect &) override {}
  void MakeBars() override;
  void FollowBars() override;

private:
  bool KindVertical() const;
};

} // namespace zorvex
