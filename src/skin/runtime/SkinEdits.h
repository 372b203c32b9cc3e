#pragma once
// Edits and combo boxes drawn by the skin: the control paints its text
// itself, the skinner draws a flat frame over its border (edits) or the
// skin's field and drop-down button around it (combo boxes).

#include <initializer_list>

#include "Winsubclass.h"

namespace zorvex {

// Rings one pixel wide inside `outer`, the first colour outermost; no more
// of them than `depth`.
void DrawBorderRings(HDC dc, const RECT &outer, std::initializer_list<TColor> colors, int depth);
// How far the client area lies inside the window's top edge: the width of
// its border, 0 for none.
int BorderWidth(HWND window);

class TSkinEdit : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinEdit"; }

protected:
  void Attached() override { SkinSpinChild(); }
  void AfterProc(TMessage &message) override;
  // The frame over the border, on the window's own device context.
  void DrawControl(HDC dc, const TRect &rect) override;

private:
  // An up-down child (date pickers, spin edits) gets its own skinner.
  void SkinSpinChild();
};

// The frame of the skin's combo box picture: 1 normal, 2 under the mouse,
// 3 with its list open, 4 disabled.
int ComboFrame(bool disabled, bool dropped, bool hot);

class TSkinComBox : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  std::string ClassName() const override { return "TSkinComBox"; }

protected:
  void AfterProc(TMessage &message) override;
  void DrawControl(HDC dc, const TRect &rect) override;

private:
  bool Dropped() const;
  void SetHot(bool hot);
  bool trackingLeave_ = false;
};

} // namespace zorvex
