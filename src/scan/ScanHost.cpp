#include "ScanHost.h"

#include <algorithm>

namespace zorvex {

void ProgressBarState::SetPosition(int position) { Position = std::clamp(position, Min, std::max(Min, Max)); }

void ProgressBarState::StepIt() {
  int64_t next = int64_t(Position) + Step;
  const int64_t span = int64_t(Max) - Min;
  if (span <= 0) {
    Position = Min;
    return;
  }
  if (next > Max)
    next = Min + (next - Min) % span;
  else if (next < Min)
    next = Max - (Min - next) % span;
  Position = static_cast<int>(next);
}

} // namespace zorvex
