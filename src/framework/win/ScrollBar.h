#pragma once
// TScrollBar: a stand-alone scroll bar over the system's SCROLLBAR class.

#include <functional>
#include <string>

#include "Controls.h"

namespace zorvex {

enum class TScrollBarKind { sbHorizontal, sbVertical };
// In the order of the system's SB_ request codes.
enum class TScrollCode {
  scLineUp,
  scLineDown,
  scPageUp,
  scPageDown,
  scPosition,
  scTrack,
  scTop,
  scBottom,
  scEndScroll
};
using TScrollEvent = std::function<void(TObject *sender, TScrollCode code, int &scrollPos)>;

// What a scroll bar's range allows: a bar with a page stops where the page
// reaches Max.
struct TScrollRange {
  int Min = 0, Max = 100, PageSize = 0;
  int Highest() const { return PageSize > 0 ? Max - PageSize + 1 : Max; }
  int Clamp(int position) const;
};

// The position a scroll request leads to from `position` (the thumb's
// position for scPosition and scTrack), kept in the range.
int ScrollTarget(TScrollCode code, int position, int thumbPosition, const TScrollRange &range, int smallChange,
                 int largeChange);

class TScrollBar : public TWinControl {
public:
  explicit TScrollBar(TComponent *owner);
  std::string ClassName() const override { return "TScrollBar"; }

  // Changing the kind turns the bar: width and height swap.
  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind kind);
  int Min() const { return range_.Min; }
  void SetMin(int min) { SetParams(position_, min, range_.Max); }
  int Max() const { return range_.Max; }
  void SetMax(int max) { SetParams(position_, range_.Min, max); }
  int Position() const { return position_; }
  void SetPosition(int position) { SetParams(position, range_.Min, range_.Max); }
  // The part in view, for a proportional thumb; 0 for none.
  int PageSize() const { return range_.PageSize; }
  void SetPageSize(int pageSize);
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int change) { smallChange_ = change; }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int change) { largeChange_ = change; }
  // Sets all three at once; OnChange when the position moved.
  void SetParams(int position, int min, int max);

  // Kind, Min, Max, Position, PageSize, SmallChange, LargeChange.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  // The position changed, by the user or the program.
  TNotifyEvent OnChange;
  // Each request of the user, before it moves the bar; the handler may
  // change where it goes.
  TScrollEvent OnScroll;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  void WndProc(TMessage &message) override;

private:
  void ApplyToWindow();
  TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
  TScrollRange range_;
  int position_ = 0;
  int smallChange_ = 1;
  int largeChange_ = 1;
};

} // namespace zorvex
