#pragma once
// Runs code of the test at every yield of long work (a scan, a sort, a
// checksum), after the messages are handled: what a user does while the work
// lets the window run. Yields are not throttled while the hook is in place.

#include <chrono>
#include <functional>

#include "framework/core/Yield.h"

namespace zorvex::test {

class AtEveryYield {
public:
  explicit AtEveryYield(std::function<void()> action) : action_(std::move(action)) {
    SetYieldInterval(std::chrono::milliseconds(0));
    previous_ = SetYieldPump([this] {
      if (previous_)
        previous_();
      action_();
    });
  }
  ~AtEveryYield() {
    SetYieldPump(std::move(previous_));
    SetYieldInterval(std::chrono::milliseconds(15));
  }
  AtEveryYield(const AtEveryYield &) = delete;
  AtEveryYield &operator=(const AtEveryYield &) = delete;

private:
  std::function<void()> action_;
  YieldPump previous_;
};

} // namespace zorvex::test
