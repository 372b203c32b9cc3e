#pragma once
// TTrackBar: a slider over the system's track bar class, with tick marks
// and an optional selection range.

#include <algorithm>
#include <string>
#include <vector>

#include "Controls.h"

namespace zorvex {

enum class TTrackBarOrientation { trHorizontal, trVertical };
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum class TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
public:
  explicit TTrackBar(TComponent *owner);
  std::string ClassName() const override { return "TTrackBar"; }

  // Changing the orientation turns the bar: width and height swap.
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation orientation);
  int Min() const { return min_; }
  void SetMin(int min) { SetRange(min, std::max(min, max_)); }
  int Max() const { return max_; }
  void SetMax(int max) { SetRange(std::min(min_, max), max); }
  void SetRange(int min, int max);
  // Kept within Min..Max.
  int Position() const { return position_; }
  void SetPosition(int position);
  // A tick every Frequency values (automatic ticks).
  int Frequency() const { return frequency_; }
  void SetFrequency(int frequency);
  int LineSize() const { return lineSize_; }
  void SetLineSize(int size);
  int PageSize() const { return pageSize_; }
  void SetPageSize(int size);
  TTickMark TickMarks() const { return tickMarks_; }
  void SetTickMarks(TTickMark marks);
  TTickStyle TickStyle() const { return tickStyle_; }
  void SetTickStyle(TTickStyle style);
  // A tick at one value (manual ticks).
  void SetTick(int value);
  // The highlighted range; none while SelEnd <= SelStart.
  int SelStart() const { return selStart_; }
  void SetSelStart(int value);
  int SelEnd() const { return selEnd_; }
  void SetSelEnd(int value);
  int ThumbLength() const { return thumbLength_; }
  void SetThumbLength(int length);

  // Orientation, Min, Max, Position, Frequency, LineSize, PageSize,
  // TickMarks, TickStyle, SelStart, SelEnd, ThumbLength.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  // The position changed, by the user or the program.
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  void WndProc(TMessage &message) override;

private:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void ApplySelection();
  void Changed();
  TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
  int min_ = 0, max_ = 10, position_ = 0;
  int frequency_ = 1, lineSize_ = 1, pageSize_ = 2;
  TTickMark tickMarks_ = TTickMark::tmBottomRight;
  TTickStyle tickStyle_ = TTickStyle::tsAuto;
  int selStart_ = 0, selEnd_ = 0;
  int thumbLength_ = 20;
  std::vector<int> ticks_; // manual ticks
};

} // namespace zorvex
