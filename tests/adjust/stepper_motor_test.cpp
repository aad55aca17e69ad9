// The 5AM's stepper-motor test on the bench's 59M/5AM model in virtual time: what the cycle's
// passes send, the progress on its own ticker, and the stop on every way out.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "adjust/stepper_test.hpp"
#include "core/ecu_family.hpp"
#include "diagnostics/window_bench.hpp"
#include "livedata/frmparam.hpp"
#include "sim/engine_model.hpp"
#include "sim/family_ecus.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;
using diag_bench::WindowBench;

sim::KwpEngineSettings FiveAm() {
  sim::KwpEngineSettings settings;
  settings.ecu_name = "IAW5AM.P1";
  return settings;
}

class StepperBench {
 public:
  StepperBench() {
    engine_.SetRunning(true);
    window_.SetVisible(fp::frMoteurPP, true);
    window_.SetEnabled(fp::lbMoteurPP, true);  // the stepper switch
    stepper_.SwitchChanged();
  }

  // Turns of the message loop until `done` or `seconds` of virtual time have passed.
  template <typename Done>
  void RunUntil(Done done, double seconds) {
    const auto end = bench_.clock_.Now() + sim::Seconds(seconds);
    while (!done() && bench_.clock_.Now() < end) bench_.loop_.GiveTurn();
  }
  int Requests(const std::string& payload) const {
    int count = 0;
    for (const auto& r : ecu_.Requests()) count += r.key == payload ? 1 : 0;
    return count;
  }

  WindowBench bench_{Iaw59M5AM, diag_bench::kKwpBaud};
  sim::EngineModel running_;
  sim::SwitchableEngine engine_{running_};
  sim::KwpEngineEcu ecu_{bench_.clock_, bench_.bus_, engine_, FiveAm()};
  ScreenModel window_;
  std::unique_ptr<Timer> timer_ = bench_.timers_.CreateTimer();
  StepperTest stepper_{AdjustServices{window_, bench_.exchange_, bench_.link_, bench_.clock_,
                                      bench_.trace_, bench_.language_, bench_.dialogs_},
                       *timer_};
};

class StepperTestTest : public ::testing::Test, public StepperBench {};

// One 30 04 07 in the first pass above 600 rpm, its progress in the bar, and 160 ticks later the
// bar empty and 30 04 00 sent; at 600 rpm exactly nothing but the position read goes out.
TEST_F(StepperTestTest, RunsOnceAbove600RpmAndIsStoppedAtItsEnd) {
  stepper_.RunStarting();
  stepper_.Press();
  EXPECT_FALSE(window_.Enabled(fp::cdMoteurPP));
  EXPECT_EQ(stepper_.GestionMoteurPP(600), "150");
  EXPECT_EQ(Requests("300407"), 0);
  EXPECT_TRUE(stepper_.Requested());

  stepper_.GestionMoteurPP(601);
  EXPECT_EQ(Requests("300407"), 1);
  ASSERT_TRUE(stepper_.Running());
  EXPECT_TRUE(ecu_.ActuatorOn(sim::kKwpStepperTest));
  stepper_.GestionMoteurPP(1200);  // a running test is not started again
  EXPECT_EQ(Requests("300407"), 1);

  const auto started = bench_.clock_.Now();
  RunUntil([&] { return window_.Value(fp::ProgressBar1) >= 50; }, 40);
  EXPECT_EQ(window_.Text(fp::Lbtest), "16");
  RunUntil([&] { return !stepper_.Running(); }, 40);
  EXPECT_NEAR(sim::ToSeconds(bench_.clock_.Now() - started), 32.0, 0.3);
  EXPECT_EQ(window_.Value(fp::ProgressBar1), 0);
  stepper_.GestionMoteurPP(1200);  // the stop goes out in the next pass
  EXPECT_EQ(Requests("300400"), 1);
  ASSERT_EQ(ecu_.ActuatorLog().size(), 1u);
  EXPECT_EQ(ecu_.ActuatorLog()[0].id, sim::kKwpStepperTest);
  EXPECT_FALSE(ecu_.ActuatorOn(sim::kKwpStepperTest));
  EXPECT_TRUE(window_.Enabled(fp::cdMoteurPP));
}

// A test the ECU refuses (engine stopped: 7F 30 22) shows why, runs no progress and offers the
// button again.
TEST_F(StepperTestTest, RefusedTestShowsTheReasonAndNoProgress) {
  engine_.SetRunning(false);
  stepper_.Press();
  stepper_.GestionMoteurPP(1200);
  EXPECT_FALSE(stepper_.Running());
  EXPECT_EQ(window_.Text(fp::lbPanel1).rfind("Test Stepper refusé : ", 0), 0u)
      << window_.Text(fp::lbPanel1);
  EXPECT_TRUE(window_.Enabled(fp::cdMoteurPP));
  RunUntil([] { return false; }, 2);
  EXPECT_EQ(window_.Value(fp::ProgressBar1), 0);
}

// The end of a run stops a running test at once; a request still waiting for the engine is
// dropped by the next run's start, which offers the button again.
TEST_F(StepperTestTest, RunEndStopsTheTestAndRunStartDropsARequest) {
  stepper_.Press();
  stepper_.GestionMoteurPP(1200);
  ASSERT_TRUE(stepper_.Running());
  stepper_.RunEnded();
  EXPECT_EQ(Requests("300400"), 1);
  EXPECT_FALSE(ecu_.ActuatorOn(sim::kKwpStepperTest));

  stepper_.Press();
  stepper_.GestionMoteurPP(500);
  EXPECT_FALSE(window_.Enabled(fp::cdMoteurPP));
  stepper_.RunStarting();
  EXPECT_FALSE(stepper_.Requested());
  EXPECT_TRUE(window_.Enabled(fp::cdMoteurPP));
  stepper_.GestionMoteurPP(1200);
  EXPECT_EQ(Requests("300407"), 1);
}

// The end of the progress never offers the button while the switch is off.
TEST_F(StepperTestTest, ProgressEndLeavesTheButtonAsTheSwitchSays) {
  stepper_.Press();
  stepper_.GestionMoteurPP(1200);
  window_.SetEnabled(fp::lbMoteurPP, false);
  stepper_.SwitchChanged();
  RunUntil([&] { return !stepper_.Running(); }, 40);
  EXPECT_FALSE(window_.Enabled(fp::cdMoteurPP));
  EXPECT_EQ(stepper_.GestionMoteurPP(1200), "--");  // switch off: nothing read
  stepper_.RunEnded();                              // the stop still owed goes out here
  EXPECT_EQ(Requests("300400"), 1);
  EXPECT_FALSE(window_.Enabled(fp::cdMoteurPP));
}

TEST_F(StepperTestTest, MissingPositionShowsDashes) {
  ecu_.AddFault(sim::EcuFault{.request = "216C", .silence = true});
  EXPECT_EQ(stepper_.GestionMoteurPP(1200), "--");
}

TEST_F(StepperTestTest, ExitStopsARunningTest) {
  stepper_.Press();
  stepper_.GestionMoteurPP(1200);
  stepper_.Exit();
  EXPECT_EQ(Requests("300400"), 1);
  EXPECT_FALSE(ecu_.ActuatorOn(sim::kKwpStepperTest));
}

}  // namespace
}  // namespace velkor
