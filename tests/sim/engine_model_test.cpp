// The bench's engine: plausible values that move, the same run for the same seed, and the links
// between the values (speed lags the throttle, the vacuum drops as the throttle opens, the
// coolant warms up).
#include "sim/engine_model.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace velkor::sim {
namespace {

using namespace std::chrono_literals;

// The model's states every 10 ms over `duration`.
std::vector<EngineState> Simulate(EngineModel& engine, Nanos duration) {
  std::vector<EngineState> states;
  for (Nanos t{0}; t <= duration; t += EngineModel::kStep) states.push_back(engine.At(t));
  return states;
}

TEST(EngineModelTest, ValuesStayPlausibleAndMoveOverAMinute) {
  EngineModel engine;
  const std::vector<EngineState> minute = Simulate(engine, 60s);

  const struct {
    const char* name;
    std::function<double(const EngineState&)> value;
    double low, high;
    double least_swing;  // max - min over the minute, at least
  } cases[] = {
      {"rpm", [](const EngineState& e) { return e.rpm; }, 1000, 9000, 1500},
      {"throttle", [](const EngineState& e) { return e.throttle_deg; }, 0, 84, 10},
      {"pressure", [](const EngineState& e) { return e.pressure_hpa; }, 120, 1013, 150},
      {"injection", [](const EngineState& e) { return e.injection_ms; }, 0, 12, 1},
      {"advance", [](const EngineState& e) { return e.advance_deg; }, 0, 45, 5},
      {"air", [](const EngineState& e) { return e.air_c; }, 24, 26, 0.2},
      {"coolant", [](const EngineState& e) { return e.coolant_c; }, 19, 95, 10},
      {"battery", [](const EngineState& e) { return e.battery_v; }, 13.4, 14.3, 0.2},
      {"lambda", [](const EngineState& e) { return e.lambda_mv; }, 0, 1000, 600},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    double low = c.value(minute.front());
    double high = low;
    for (const EngineState& e : minute) {
      low = std::min(low, c.value(e));
      high = std::max(high, c.value(e));
    }
    EXPECT_GE(low, c.low);
    EXPECT_LE(high, c.high);
    EXPECT_GE(high - low, c.least_swing);
  }

  // Most of the minute is idle, around 1200 rpm.
  const auto idling = std::count_if(minute.begin(), minute.end(), [](const EngineState& e) {
    return e.rpm > 1100 && e.rpm < 1300;
  });
  EXPECT_GT(idling, static_cast<long>(minute.size() / 2));

  // The probe switches between lean and rich many times a minute.
  int switches = 0;
  for (std::size_t i = 1; i < minute.size(); ++i) {
    if ((minute[i - 1].lambda_mv < 450) != (minute[i].lambda_mv < 450)) ++switches;
  }
  EXPECT_GE(switches, 40);
}

TEST(EngineModelTest, SameSeedSameRunWhateverTheOrderOfQuestions) {
  EngineModel a({.seed = 42});
  EngineModel b({.seed = 42});
  EngineModel other({.seed = 43});
  const std::vector<EngineState> run = Simulate(a, 20s);

  // b is asked out of order: later first, then back to earlier instants.
  const EngineState late = b.At(15s);
  const EngineState early = b.At(3s + 5ms);  // inside the step of 3 s
  EXPECT_EQ(late.rpm, run[1500].rpm);
  EXPECT_EQ(early.rpm, run[300].rpm);
  EXPECT_EQ(early.lambda_mv, run[300].lambda_mv);
  EXPECT_EQ(early.battery_v, run[300].battery_v);

  bool differs = false;
  for (std::size_t i = 0; i < run.size(); i += 100) {
    differs = differs || other.At(i * EngineModel::kStep).rpm != run[i].rpm;
  }
  EXPECT_TRUE(differs);
}

TEST(EngineModelTest, SpeedFollowsABlipWithALagAndTheVacuumFallsAsTheThrottleOpens) {
  EngineModel engine;
  const std::vector<EngineState> run = Simulate(engine, 60s);
  const EngineState idle = run.front();

  // The first instant the throttle is well open.
  const auto opened =
      std::find_if(run.begin(), run.end(), [](const EngineState& e) { return e.throttle_deg > 8; });
  ASSERT_NE(opened, run.end());
  EXPECT_LT(opened->rpm, 2000);  // not there yet
  EXPECT_GT(opened->pressure_hpa, idle.pressure_hpa + 100);
  // Within the next half second the speed has climbed well above idle.
  const auto half_second_on = opened + 50;
  ASSERT_LT(half_second_on, run.end());
  EXPECT_GT(
      std::max_element(opened, half_second_on + 1,
                       [](const EngineState& x, const EngineState& y) { return x.rpm < y.rpm; })
          ->rpm,
      2500);
  // Idle is a little below the charging voltage of a spinning engine.
  double idle_volts = 0;
  double fast_volts = 0;
  int idle_count = 0;
  int fast_count = 0;
  for (const EngineState& e : run) {
    if (e.rpm < 1300) idle_volts += e.battery_v, ++idle_count;
    if (e.rpm > 3500) fast_volts += e.battery_v, ++fast_count;
  }
  ASSERT_GT(idle_count, 0);
  ASSERT_GT(fast_count, 0);
  EXPECT_LT(idle_volts / idle_count, fast_volts / fast_count);
  EXPECT_NEAR(idle_volts / idle_count, 13.7, 0.2);
}

TEST(EngineModelTest, SteadyIdleJittersAndTheCoolantSettlesAtTheThermostat) {
  EngineModel engine({.blips = false});
  const std::vector<EngineState> minute = Simulate(engine, 60s);
  double low = minute.front().rpm;
  double high = low;
  for (const EngineState& e : minute) {
    low = std::min(low, e.rpm);
    high = std::max(high, e.rpm);
    EXPECT_LT(e.lambda_mv, 900);
  }
  EXPECT_GT(low, 1100);
  EXPECT_LT(high, 1300);
  EXPECT_GT(high - low, 10);  // a little jitter, never a flat line

  EXPECT_LT(minute.front().coolant_c, 21);
  EXPECT_NEAR(engine.At(30min).coolant_c, 90, 1);
}

}  // namespace
}  // namespace velkor::sim
