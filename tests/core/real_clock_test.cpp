#include "platform/real_clock.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>

namespace velkor {
namespace {

using std::chrono::steady_clock;

TEST(RealClockTest, PauseNeverReturnsBeforeItsDeadline) {
  RealClock clock;
  // Below, at and above the spin margin: pure spin, and sleep then spin.
  for (double seconds : {0.0002, 0.001, 0.0015, 0.006}) {
    const steady_clock::time_point start = steady_clock::now();
    const std::chrono::nanoseconds clock_start = clock.Now();
    clock.Pause(seconds);
    const std::chrono::duration<double> elapsed = steady_clock::now() - start;
    EXPECT_GE(elapsed.count(), seconds);
    EXPECT_GE(std::chrono::duration<double>(clock.Now() - clock_start).count(), seconds);
  }
}

TEST(RealClockTest, PauseWithoutAPositiveLengthReturnsAtOnce) {
  RealClock clock;
  // None of these is a length to wait; NaN and infinity must neither block nor overflow.
  for (double seconds :
       {0.0, -0.0, -1.0, -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    clock.Pause(seconds);
  }
  SUCCEED();
}

TEST(RealClockTest, NowIsMonotonic) {
  RealClock clock;
  std::chrono::nanoseconds previous = clock.Now();
  for (int i = 0; i < 10000; ++i) {
    const std::chrono::nanoseconds now = clock.Now();
    ASSERT_GE(now, previous);
    previous = now;
  }
}

}  // namespace
}  // namespace velkor
