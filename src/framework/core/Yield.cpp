#include "Yield.h"

namespace zorvex {

namespace {
using Clock = std::chrono::steady_clock;

YieldPump &Pump() {
  static YieldPump pump;
  return pump;
}
Clock::duration interval = std::chrono::milliseconds(15);
Clock::time_point lastPump{};
} // namespace

YieldPump SetYieldPump(YieldPump pump) {
  YieldPump previous = std::move(Pump());
  Pump() = std::move(pump);
  return previous;
}

void SetYieldInterval(std::chrono::milliseconds value) { interval = value; }

void YieldNow() {
  lastPump = Clock::now();
  if (Pump())
    Pump()();
}

void ThrottledYield() {
  if (!Pump())
    return;
  if (Clock::now() - lastPump >= interval)
    YieldNow();
}

} // namespace zorvex
