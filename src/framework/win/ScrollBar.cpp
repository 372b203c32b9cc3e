#include "ScrollBar.h"

#include <algorithm>

namespace zorvex {

int TScrollRange::Clamp(int position) const { return std::clamp(position, Min, std::max(Min, Highest())); }

int ScrollTarget(TScrollCode code, int position, int thumbPosition, const TScrollRange &range, int smallChange,
                 int largeChange) {
  // In 64 bits: a change near the ends of the int range must not wrap.
  long long target = position;
  switch (code) {
  case TScrollCode::scLineUp: target -= smallChange; break;
  case TScrollCode::scLineDown: target += smallChange; break;
  case TScrollCode::scPageUp: target -= largeChange; break;
  case TScrollCode::scPageDown: target += largeChange; break;
  case TScrollCode::scPosition:
  case TScrollCode::scTrack: target = thumbPosition; break;
  case TScrollCode::scTop: target = range.Min; break;
  case TScrollCode::scBottom: target = range.Highest(); break;
  case TScrollCode::scEndScroll: break;
  }
  target = std::clamp<long long>(target, range.Min, std::max(range.Min, range.Highest()));
  return static_cast<int>(target);
}

TScrollBar::TScrollBar(TComponent *owner) : TWinControl(owner) {
  SetTabStop(true);
  StoreBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
}

const TPropertyTable &TScrollBar::ClassProperties() {
  static const auto table =
      TPublished<TScrollBar>(&TWinControl::ClassProperties())
          .Enumeration("Kind", {"sbHorizontal", "sbVertical"}, &TScrollBar::Kind, &TScrollBar::SetKind)
          .Integer("Min", &TScrollBar::Min, &TScrollBar::SetMin)
          .Integer("Max", &TScrollBar::Max, &TScrollBar::SetMax)
          .Integer("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize)
          .Integer("Position", &TScrollBar::Position, &TScrollBar::SetPosition)
          .Integer("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange)
          .Integer("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange);
  return table;
}

void TScrollBar::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = L"SCROLLBAR";
  params.Style |= kind_ == TScrollBarKind::sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWindowHandleDone() { ApplyToWindow(); }

void TScrollBar::ApplyToWindow() {
  if (!HandleAllocated())
    return;
  SCROLLINFO info{sizeof(info),
                  SIF_ALL | SIF_DISABLENOSCROLL,
                  range_.Min,
                  range_.Max,
                  static_cast<UINT>(std::max(range_.PageSize, 0)),
                  position_,
                  0};
  SetScrollInfo(WindowHandle(), SB_CTL, &info, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind kind) {
  if (kind == kind_)
    return;
  kind_ = kind;
  RecreateWnd();
  SetBounds(Left(), Top(), Height(), Width());
}

void TScrollBar::SetPageSize(int pageSize) {
  range_.PageSize = std::clamp(pageSize, 0, std::max(range_.Max - range_.Min + 1, 0));
  SetParams(position_, range_.Min, range_.Max);
}

void TScrollBar::SetParams(int position, int min, int max) {
  range_.Min = min;
  range_.Max = std::max(min, max);
  range_.PageSize = std::min(range_.PageSize, range_.Max - range_.Min + 1);
  const int previous = position_;
  position_ = range_.Clamp(position);
  ApplyToWindow();
  if (position_ != previous && OnChange)
    OnChange(this);
}

void TScrollBar::WndProc(TMessage &message) {
  if (message.Msg != CN_HSCROLL && message.Msg != CN_VSCROLL) {
    TWinControl::WndProc(message);
    return;
  }
  const auto code = static_cast<TScrollCode>(std::min<WORD>(LOWORD(message.WParam), SB_ENDSCROLL));
  SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
  GetScrollInfo(WindowHandle(), SB_CTL, &info); // the thumb's 32-bit position
  int target = ScrollTarget(code, position_, info.nTrackPos, range_, smallChange_, largeChange_);
  if (OnScroll)
    OnScroll(this, code, target);
  SetPosition(target);
  message.Result = 0;
}

} // namespace zorvex
