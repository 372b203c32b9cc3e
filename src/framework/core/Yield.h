#pragma once
// The throttled yield: long work on the user-interface thread calls
// ThrottledYield() at fine-grained points; it pumps the window system's
// messages at most every interval (15 ms by default) and otherwise returns at
// once. The windowing layer installs the pump; without one, yields do nothing.

#include <chrono>
#include <functional>

namespace zorvex {

using YieldPump = std::function<void()>;

// Installs the pump; returns the previous one.
YieldPump SetYieldPump(YieldPump pump);
void SetYieldInterval(std::chrono::milliseconds interval);

void ThrottledYield();
// Pumps now, whatever the time since the last pump.
void YieldNow();

} // namespace zorvex
