#include "TrackBar.h"

#include <commctrl.h>

namespace zorvex {

TTrackBar::TTrackBar(TComponent *owner) : TWinControl(owner) {
  SetTabStop(true);
  StoreBounds(0, 0, 150, 45);
}

const TPropertyTable &TTrackBar::ClassProperties() {
  static const auto table =
      TPublished<TTrackBar>(&TWinControl::ClassProperties())
          .Enumeration("Orientation", {"trHorizontal", "trVertical"}, &TTrackBar::Orientation,
                       &TTrackBar::SetOrientation)
          .Integer("Min", &TTrackBar::Min, &TTrackBar::SetMin)
          .Integer("Max", &TTrackBar::Max, &TTrackBar::SetMax)
          .Integer("Position", &TTrackBar::Position, &TTrackBar::SetPosition)
          .Integer("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency)
          .Integer("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize)
          .Integer("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize)
          .Enumeration("TickMarks", {"tmBottomRight", "tmTopLeft", "tmBoth"}, &TTrackBar::TickMarks,
                       &TTrackBar::SetTickMarks)
          .Enumeration("TickStyle", {"tsNone", "tsAuto", "tsManual"}, &TTrackBar::TickStyle, &TTrackBar::SetTickStyle)
          .Integer("SelStart", &TTrackBar::SelStart, &TTrackBar::SetSelStart)
          .Integer("SelEnd", &TTrackBar::SelEnd, &TTrackBar::SetSelEnd)
          .Integer("ThumbLength", &TTrackBar::ThumbLength, &TTrackBar::SetThumbLength);
  return table;
}

LRESULT TTrackBar::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return HandleAllocated() ? SendMessageW(WindowHandle(), message, wParam, lParam) : 0;
}

void TTrackBar::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = TRACKBAR_CLASSW;
  params.Style |= TBS_FIXEDLENGTH | TBS_ENABLESELRANGE;
  params.Style |= orientation_ == TTrackBarOrientation::trHorizontal ? TBS_HORZ : TBS_VERT;
  switch (tickMarks_) {
  case TTickMark::tmBottomRight: params.Style |= TBS_BOTTOM; break;
  case TTickMark::tmTopLeft: params.Style |= TBS_TOP; break;
  case TTickMark::tmBoth: params.Style |= TBS_BOTH; break;
  }
  switch (tickStyle_) {
  case TTickStyle::tsNone: params.Style |= TBS_NOTICKS; break;
  case TTickStyle::tsAuto: params.Style |= TBS_AUTOTICKS; break;
  case TTickStyle::tsManual: break;
  }
}

void TTrackBar::CreateWindowHandleDone() {
  Send(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(thumbLength_));
  Send(TBM_SETLINESIZE, 0, lineSize_);
  Send(TBM_SETPAGESIZE, 0, pageSize_);
  Send(TBM_SETRANGEMIN, FALSE, min_);
  Send(TBM_SETRANGEMAX, FALSE, max_);
  Send(TBM_SETPOS, TRUE, position_);
  if (tickStyle_ == TTickStyle::tsAuto)
    Send(TBM_SETTICFREQ, static_cast<WPARAM>(frequency_));
  for (int tick : ticks_)
    Send(TBM_SETTIC, 0, tick);
  ApplySelection();
}

void TTrackBar::WndProc(TMessage &message) {
  if (message.Msg != CN_HSCROLL && message.Msg != CN_VSCROLL) {
    TWinControl::WndProc(message);
    return;
  }
  const int position = static_cast<int>(Send(TBM_GETPOS));
  if (position != position_) {
    position_ = position;
    Changed();
  }
  message.Result = 0;
}

void TTrackBar::Changed() {
  if (OnChange)
    OnChange(this);
}

void TTrackBar::SetOrientation(TTrackBarOrientation orientation) {
  if (orientation == orientation_)
    return;
  orientation_ = orientation;
  RecreateWnd();
  SetBounds(Left(), Top(), Height(), Width());
}

void TTrackBar::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  Send(TBM_SETRANGEMIN, FALSE, min_);
  Send(TBM_SETRANGEMAX, TRUE, max_);
  const int clamped = std::clamp(position_, min_, max_);
  if (clamped != position_) {
    position_ = clamped;
    Send(TBM_SETPOS, TRUE, position_);
    Changed();
  }
}

void TTrackBar::SetPosition(int position) {
  position = std::clamp(position, min_, max_);
  if (position == position_)
    return;
  position_ = position;
  Send(TBM_SETPOS, TRUE, position_);
  Changed();
}

void TTrackBar::SetFrequency(int frequency) {
  frequency_ = std::max(frequency, 1);
  if (tickStyle_ == TTickStyle::tsAuto)
    Send(TBM_SETTICFREQ, static_cast<WPARAM>(frequency_));
}

void TTrackBar::SetLineSize(int size) {
  lineSize_ = size;
  Send(TBM_SETLINESIZE, 0, size);
}

void TTrackBar::SetPageSize(int size) {
  pageSize_ = size;
  Send(TBM_SETPAGESIZE, 0, size);
}

void TTrackBar::SetTickMarks(TTickMark marks) {
  if (marks == tickMarks_)
    return;
  tickMarks_ = marks;
  RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle style) {
  if (style == tickStyle_)
    return;
  tickStyle_ = style;
  RecreateWnd();
}

void TTrackBar::SetTick(int value) {
  ticks_.push_back(value);
  Send(TBM_SETTIC, 0, value);
}

void TTrackBar::SetSelStart(int value) {
  selStart_ = value;
  ApplySelection();
}

void TTrackBar::SetSelEnd(int value) {
  selEnd_ = value;
  ApplySelection();
}

void TTrackBar::ApplySelection() {
  if (selEnd_ > selStart_) {
    Send(TBM_SETSELSTART, FALSE, selStart_);
    Send(TBM_SETSELEND, TRUE, selEnd_);
  } else {
    Send(TBM_CLEARSEL, TRUE);
  }
}

void TTrackBar::SetThumbLength(int length) {
  thumbLength_ = length;
  Send(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(length));
}

} // namespace zorvex
