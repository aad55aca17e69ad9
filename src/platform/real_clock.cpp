#include "platform/real_clock.hpp"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>
#include <cmath>
#include <cstdint>

namespace velkor {

namespace {

using SteadyClock = std::chrono::steady_clock;

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

RealClock::RealClock() {
  // The default slack (50 us) lets the kernel defer the wake-up; with 1 ns the sleep ends
  // when asked and the spin margin stays short. Best effort: without it the margin still holds.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

std::chrono::nanoseconds RealClock::Now() const {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
      SteadyClock::now().time_since_epoch());
}

void RealClock::Pause(double seconds) {
  if (!(seconds > 0.0) || !std::isfinite(seconds)) return;
  if (seconds > kMaxPauseSeconds) seconds = kMaxPauseSeconds;

  const SteadyClock::time_point start = SteadyClock::now();
  const auto length =
      std::chrono::ceil<std::chrono::nanoseconds>(std::chrono::duration<double>(seconds));
  const SteadyClock::time_point deadline = start + length;

  if (length > kSpinMargin) {
    // An absolute wake-up time: an interrupted sleep resumes toward the same instant. It is
    // taken on CLOCK_MONOTONIC itself so that it does not rely on steady_clock sharing its epoch.
    const timespec wake_up = ToTimespec(MonotonicNow() + (length - kSpinMargin));
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake_up, nullptr) == EINTR) {
    }
  }
  while (SteadyClock::now() < deadline) CpuRelax();
}

}  // namespace velkor
