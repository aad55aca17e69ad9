#pragma once

#include <chrono>

#include "core/clock.hpp"

namespace velkor {

// The clock of the running program: std::chrono::steady_clock (CLOCK_MONOTONIC on Linux).
//
// Pause keeps the precision of a pure busy wait at a fraction of its CPU: it sleeps on an
// absolute deadline until about a millisecond before it, then spins the rest. The sleep is
// only accurate with a tiny timer slack, which is a per-thread setting: construct the clock on
// the thread that pauses (the user-interface thread).
class RealClock : public Clock {
 public:
  // Time left to the spin after the sleep: covers the wake-up latency of a loaded system.
  static constexpr std::chrono::nanoseconds kSpinMargin = std::chrono::milliseconds(1);
  // Longer pauses are cut to this, so a wild value cannot overflow the deadline.
  static constexpr double kMaxPauseSeconds = 86400.0;

  RealClock();

  std::chrono::nanoseconds Now() const override;
  // Returns at once for a non-positive, NaN or infinite number of seconds.
  void Pause(double seconds) override;
};

}  // namespace velkor
