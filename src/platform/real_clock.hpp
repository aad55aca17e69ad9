#pragma once

#include <array>
#include <chrono>
#include <cstddef>

#include "core/clock.hpp"

namespace velkor {

// How late this machine's timed sleeps wake, learned from the sleeps themselves, and the spin
// margin that follows from it: the time a pause keeps for spinning after its sleep.
//
// The margin covers a high percentile of the recent wake-up lateness (the second largest of the
// last kWindow sleeps, about the 99th) plus kSafety, within [kMinMargin, kMaxMargin]. A single
// stray wake-up (a preemption, a page fault) leaves the margin as it was; a machine that gets
// busier raises it within a few sleeps, and it falls back once the late wake-ups have left the
// window.
class SleepLateness {
 public:
  static constexpr std::size_t kWindow = 128;
  static constexpr std::chrono::nanoseconds kSafety = std::chrono::microseconds(30);
  // Below this the spin would be shorter than the time to read the clock a few times.
  static constexpr std::chrono::nanoseconds kMinMargin = std::chrono::microseconds(40);
  // The most a pause ever spins: a wake-up later than this is the scheduler's doing, which no
  // affordable spin makes up for.
  static constexpr std::chrono::nanoseconds kMaxMargin = std::chrono::milliseconds(1);

  // Records how late one sleep woke (negative counts as 0; beyond kMaxMargin as kMaxMargin).
  void Observe(std::chrono::nanoseconds lateness);
  // kMaxMargin until something has been observed.
  std::chrono::nanoseconds SpinMargin() const { return margin_; }

 private:
  std::array<std::chrono::nanoseconds, kWindow> samples_{};
  std::size_t count_ = 0;  // samples held, at most kWindow
  std::size_t next_ = 0;   // where the next sample goes
  std::chrono::nanoseconds margin_ = kMaxMargin;
};

// The clock of the running program: std::chrono::steady_clock (CLOCK_MONOTONIC on Linux).
//
// Pause keeps the precision of a pure busy wait at a fraction of its CPU: it sleeps on an
// absolute deadline until the spin margin before it, then spins the rest. The margin is what
// the sleep's own wake-up needs on this machine (SleepLateness), measured by a few short sleeps
// when the clock is made and by every pause after. The sleep is only this punctual with a tiny
// timer slack, which is a per-thread setting: construct the clock on the thread that pauses (the
// user-interface thread); Pause is not for several threads at once.
class RealClock : public Clock {
 public:
  // Longer pauses are cut to this, so a wild value cannot overflow the deadline.
  static constexpr double kMaxPauseSeconds = 86400.0;
  // Sleeps made by the constructor to learn the first margin.
  static constexpr int kCalibrationSleeps = 8;

  RealClock();

  std::chrono::nanoseconds Now() const override;
  // Returns at once for a non-positive, NaN or infinite number of seconds.
  void Pause(double seconds) override;

  // What the next pause will keep for spinning.
  std::chrono::nanoseconds SpinMargin() const { return lateness_.SpinMargin(); }

 private:
  // Sleeps until `wake_up` on CLOCK_MONOTONIC and records how late it woke.
  void SleepUntil(std::chrono::nanoseconds wake_up);

  SleepLateness lateness_;
};

}  // namespace velkor
