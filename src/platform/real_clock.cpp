#include "platform/real_clock.hpp"

#include <sys/prctl.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>

namespace velkor {

namespace {

using SteadyClock = std::chrono::steady_clock;

// Short enough that calibrating costs the program's start nothing it would notice.
constexpr std::chrono::nanoseconds kCalibrationSleep = std::chrono::microseconds(200);

// Lets the other hyper-thread run and saves power while spinning.
inline void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#elif defined(__aarch64__)
  asm volatile("yield");
#endif
}

timespec ToTimespec(std::chrono::nanoseconds t) {
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(t.count() / 1'000'000'000);
  ts.tv_nsec = static_cast<long>(t.count() % 1'000'000'000);
  return ts;
}

std::chrono::nanoseconds MonotonicNow() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}

}  // namespace

// ---- SleepLateness -----------------------------------------------------------------------------

void SleepLateness::Observe(std::chrono::nanoseconds lateness) {
  samples_[next_] = std::clamp(lateness, std::chrono::nanoseconds::zero(), kMaxMargin);
  next_ = (next_ + 1) % kWindow;
  count_ = std::min(count_ + 1, kWindow);

  // The two largest of the window; with a single sample it is the one to go by.
  std::chrono::nanoseconds largest = std::chrono::nanoseconds::min();
  std::chrono::nanoseconds second = std::chrono::nanoseconds::min();
  for (std::size_t i = 0; i < count_; ++i) {
    const std::chrono::nanoseconds s = samples_[i];
    if (s > largest) {
      second = largest;
      largest = s;
    } else if (s > second) {
      second = s;
    }
  }
  const std::chrono::nanoseconds high = count_ == 1 ? largest : second;
  margin_ = std::clamp(high + kSafety, kMinMargin, kMaxMargin);
}

// ---- RealClock ---------------------------------------------------------------------------------

RealClock::RealClock() {
  // The default slack (50 us) lets the kernel defer the wake-up; with 1 ns the sleep ends
  // when asked and the spin margin stays short. Best effort: without it the measured lateness
  // is larger and the margin follows.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  for (int i = 0; i < kCalibrationSleeps; ++i) SleepUntil(MonotonicNow() + kCalibrationSleep);
}

std::chrono::nanoseconds RealClock::Now() const {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
      SteadyClock::now().time_since_epoch());
}

void RealClock::SleepUntil(std::chrono::nanoseconds wake_up) {
  // An absolute wake-up time: an interrupted sleep resumes toward the same instant. It is taken
  // on CLOCK_MONOTONIC itself so that it does not rely on steady_clock sharing its epoch.
  const timespec when = ToTimespec(wake_up);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) == EINTR) {
  }
  lateness_.Observe(MonotonicNow() - wake_up);
}

void RealClock::Pause(double seconds) {
  if (!(seconds > 0.0) || !std::isfinite(seconds)) return;
  if (seconds > kMaxPauseSeconds) seconds = kMaxPauseSeconds;

  const SteadyClock::time_point start = SteadyClock::now();
  const auto length =
      std::chrono::ceil<std::chrono::nanoseconds>(std::chrono::duration<double>(seconds));
  const SteadyClock::time_point deadline = start + length;

  // A pause no longer than twice the margin is spun whole, as a busy wait: a sleep that short
  // would cost as much as it saves.
  const std::chrono::nanoseconds margin = lateness_.SpinMargin();
  if (length > 2 * margin) SleepUntil(MonotonicNow() + (length - margin));
  while (SteadyClock::now() < deadline) CpuRelax();
}

}  // namespace velkor
