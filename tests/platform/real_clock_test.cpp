#include "platform/real_clock.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace velkor {
namespace {

using std::chrono::microseconds;
using std::chrono::nanoseconds;
using std::chrono::steady_clock;

TEST(RealClockTest, PauseNeverReturnsBeforeItsDeadline) {
  RealClock clock;
  // Below, at and above the spin margin: pure spin, and sleep then spin.
  for (double seconds : {0.00002, 0.0002, 0.001, 0.0015, 0.006}) {
    const steady_clock::time_point start = steady_clock::now();
    const nanoseconds clock_start = clock.Now();
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

TEST(RealClockTest, CalibrationLeavesAMarginWithinItsBounds) {
  RealClock clock;
  EXPECT_GE(clock.SpinMargin(), SleepLateness::kMinMargin);
  EXPECT_LE(clock.SpinMargin(), SleepLateness::kMaxMargin);
}

TEST(RealClockTest, NowIsMonotonic) {
  RealClock clock;
  nanoseconds previous = clock.Now();
  for (int i = 0; i < 10000; ++i) {
    const nanoseconds now = clock.Now();
    ASSERT_GE(now, previous);
    previous = now;
  }
}

// A run of `count` sleeps that all woke `late`.
struct Sleeps {
  nanoseconds late;
  std::size_t count;
};

struct MarginCase {
  std::string name;
  std::vector<Sleeps> runs;
  nanoseconds margin;
};

void PrintTo(const MarginCase& c, std::ostream* os) { *os << c.name; }

class SleepLatenessTest : public ::testing::TestWithParam<MarginCase> {};

TEST_P(SleepLatenessTest, MarginFollowsTheRecentLateness) {
  SleepLateness lateness;
  for (const Sleeps& run : GetParam().runs) {
    for (std::size_t i = 0; i < run.count; ++i) lateness.Observe(run.late);
  }
  EXPECT_EQ(lateness.SpinMargin(), GetParam().margin);
}

constexpr std::size_t kWindow = SleepLateness::kWindow;
constexpr nanoseconds kSafety = SleepLateness::kSafety;
constexpr nanoseconds kMin = SleepLateness::kMinMargin;
constexpr nanoseconds kMax = SleepLateness::kMaxMargin;

INSTANTIATE_TEST_SUITE_P(
    Cases, SleepLatenessTest,
    ::testing::Values(
        // Until a sleep has been seen, the pause spins as long as it ever does.
        MarginCase{"NothingSeen", {}, kMax},
        MarginCase{"OneSleep", {{microseconds(60), 1}}, microseconds(60) + kSafety},
        MarginCase{"Steady", {{microseconds(60), 500}}, microseconds(60) + kSafety},
        // A lone stray wake-up is not worth spinning for at every pause after it.
        MarginCase{"OneStray",
                   {{microseconds(60), 50}, {microseconds(700), 1}, {microseconds(60), 50}},
                   microseconds(60) + kSafety},
        // A second one in the window is a pattern: the margin covers the smaller of the two.
        MarginCase{"TwoStrays",
                   {{microseconds(60), 50},
                    {microseconds(700), 1},
                    {microseconds(60), 10},
                    {microseconds(400), 1},
                    {microseconds(60), 10}},
                   microseconds(400) + kSafety},
        MarginCase{"BusierMachine",
                   {{microseconds(60), 200}, {microseconds(250), 5}},
                   microseconds(250) + kSafety},
        // Once the late ones have left the window, the margin comes back down.
        MarginCase{"QuietAgain",
                   {{microseconds(250), 200}, {microseconds(60), kWindow}},
                   microseconds(60) + kSafety},
        MarginCase{"QuietAgainButOne",
                   {{microseconds(250), 200}, {microseconds(60), kWindow - 2}},
                   microseconds(250) + kSafety},
        // Bounds: a sleep that woke on time (or, by clock reading order, before it) still keeps
        // a short spin; one woken far too late costs no more than the longest spin.
        MarginCase{"OnTime", {{nanoseconds(0), 20}}, kMin},
        MarginCase{"Early", {{microseconds(-5), 20}}, kMin},
        MarginCase{"FarTooLate", {{std::chrono::milliseconds(30), 20}}, kMax}),
    [](const ::testing::TestParamInfo<MarginCase>& c) { return c.param.name; });

}  // namespace
}  // namespace velkor
