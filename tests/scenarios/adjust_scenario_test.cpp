// The adjustments through the program's logic on the bench's 59M/5AM in virtual time: the
// trimmer adjusted and stored from the main window, the stepper test, and the 15M trimmer
// window holding the link.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "program_fixture.hpp"
#include "sim/engine_model.hpp"

namespace velkor {
namespace {

using namespace scenario;
namespace t15 = frmTrimmer15;

class AdjustScenarioTest : public ProgramTest {
 protected:
  ~AdjustScenarioTest() override {
    logic_.reset();
    ecu_.reset();
  }
  // A 59M (a 5AM with `name` holding IAW5A) behind a K-line cable, its engine idling, the
  // trimmer and stepper measures on, the session open.
  sim::KwpEngineEcu& OpenM59(std::string name = "IAW59M") {
    WriteIni(
        "[ECU]\r\nType=4\r\nInit=0\r\n[Menu]\r\nauto=0\r\n[Mesures]\r\nTrimmer=1\r\n"
        "MoteurPP=1\r\n");
    Cable();
    ecu_ = std::make_unique<sim::WakeUpEcu>(
        clock_, bus_, std::make_unique<sim::KwpEngineEcu>(clock_, bus_, switchable_),
        sim::KwpWakeUps());
    auto& kwp = static_cast<sim::KwpEngineEcu&>(ecu_->Model());
    kwp.Settings().ecu_name = std::move(name);
    Start(InterfaceKind::kKkl);
    EXPECT_TRUE(logic_->session.Initialise());
    return kwp;
  }
  // Measures until `done`, called after every pass with its number, says so (at most `limit`
  // passes).
  int MeasureUntil(const std::function<bool(int)>& done, int limit = 200) {
    int passes = 0;
    logic_->hooks.SetOnSample([&](const LiveSample&) {
      ++passes;
      if (done(passes) || passes >= limit) logic_->window.flags().StopRequest = true;
    });
    logic_->window.PressParameters();
    logic_->hooks.SetOnSample({});
    return passes;
  }

  sim::SwitchableEngine switchable_{engine_};
};

// Scroll +3, store, confirm: 30 15 07 and then 30 15 05 with that value, and after an ignition
// off/on the ECU's stored value is that value.
TEST_F(AdjustScenarioTest, TrimmerScrolledAndStoredSurvivesTheIgnition) {
  sim::KwpEngineEcu& kwp = OpenM59();
  ASSERT_EQ(logic_->session.TrimmerInitial(), 9);
  MeasureUntil([&](int pass) {
    if (pass == 2) {
      EXPECT_EQ(model_.Value(fp::HScrollTrimmer), 9);
      logic_->window.TrimmerPlus();
      logic_->window.TrimmerPlus();
      logic_->window.TrimmerPlus();
      logic_->window.PressMemorise();
    }
    return model_.Text(fp::lbPanel1) == "Commande OK";
  });
  EXPECT_EQ(model_.Text(fp::lbPanel1), "Commande OK");
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(dialogs_.questions[0], "Mémoriser dans l'ECU le trimmer à 12 ?");
  const auto& log = kwp.TrimmerLog();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2].control, 0x07);
  EXPECT_EQ(log[log.size() - 2].value, 0x0C);
  EXPECT_EQ(log.back().control, 0x05);
  EXPECT_EQ(log.back().value, 0x0C);
  EXPECT_TRUE(log.back().accepted);
  for (const auto& command : log) EXPECT_EQ(command.value, 0x0C);

  kwp.SetIgnition(false);
  kwp.SetIgnition(true);
  EXPECT_FALSE(kwp.TrimmerTemporary());
  EXPECT_EQ(kwp.Settings().trimmer_stored, 12);
}

// Five passes at idle with nobody touching the trimmer, the first read silent and the ECU then
// holding 0x80: no trimmer value goes out at all.
TEST_F(AdjustScenarioTest, UntouchedTrimmerSendsNothingWhateverItReads) {
  sim::KwpEngineEcu& kwp = OpenM59();
  kwp.AddFault(sim::EcuFault{.request = "213D", .silence = true, .times = 1});
  MeasureUntil([&](int pass) {
    if (pass == 2) kwp.Settings().trimmer_stored = -128;
    return pass >= 5;
  });
  EXPECT_TRUE(kwp.TrimmerLog().empty());
  EXPECT_EQ(model_.Text(fp::Trimmer), "128");
  EXPECT_EQ(model_.Value(fp::HScrollTrimmer), 9);
}

// The 5AM's stepper test: one 30 04 07 in the first pass above 600 rpm, the progress on its own
// ticker, and the stop when it has run its 160 ticks; TimerTempo is never touched.
TEST_F(AdjustScenarioTest, StepperTestRunsItsCourseAndIsStopped) {
  sim::KwpEngineEcu& kwp = OpenM59("IAW5AM.HE");
  // Known only now to be a 5AM: the stepper measure is switched on by its frame.
  ASSERT_TRUE(model_.Visible(fp::frMoteurPP));
  ASSERT_FALSE(model_.Enabled(fp::lbMoteurPP));
  logic_->window.DoubleClickFrame(fp::frMoteurPP);
  ASSERT_TRUE(model_.Enabled(fp::cdMoteurPP));
  bool bar_taken = false;
  MeasureUntil(
      [&](int pass) {
        if (pass == 2) logic_->window.PressStepperTest();
        bar_taken = bar_taken || logic_->stepper.Running();
        return Requests("300400") > 0;
      },
      400);
  EXPECT_TRUE(bar_taken);
  EXPECT_EQ(Requests("300407"), 1);
  EXPECT_EQ(Requests("300400"), 1);
  ASSERT_EQ(kwp.ActuatorLog().size(), 1u);
  EXPECT_EQ(kwp.ActuatorLog()[0].id, sim::kKwpStepperTest);
  EXPECT_FALSE(tempo_->IsRunning());
  EXPECT_TRUE(model_.Enabled(fp::cdMoteurPP));
}

// Stopping the measurements while the stepper test runs stops the test.
TEST_F(AdjustScenarioTest, StepperTestIsStoppedWithTheMeasurements) {
  sim::KwpEngineEcu& kwp = OpenM59("IAW5AM.HE");
  logic_->window.DoubleClickFrame(fp::frMoteurPP);
  MeasureUntil([&](int pass) {
    if (pass == 2) logic_->window.PressStepperTest();
    return logic_->stepper.Running() && pass > 4;
  });
  EXPECT_EQ(Requests("300400"), 1);
  EXPECT_FALSE(kwp.ActuatorOn(sim::kKwpStepperTest));
  EXPECT_FALSE(logic_->stepper.Running());
}

// The 15M trimmer window holds the link while it is open: the measurements cannot start, and
// closing the program in trimmer mode leaves the mode before the link goes.
TEST_F(AdjustScenarioTest, FifteenMWindowHoldsTheLinkUntilItCloses) {
  WriteIni("[ECU]\r\nType=1\r\n[Menu]\r\nauto=0\r\n");
  Start(InterfaceKind::kUsb, /*test_mode=*/true);
  EXPECT_TRUE(model_.Visible(fp::cdTrimer15));
  EXPECT_FALSE(model_.Enabled(fp::cdTrimmer));  // no main-window reset for the 15M
  logic_->window.OpenTrimmer15();
  ASSERT_TRUE(logic_->trimmer15.IsOpen());
  EXPECT_TRUE(logic_->session.Leased());
  EXPECT_FALSE(model_.Enabled(fp::cdparametre));
  EXPECT_FALSE(logic_->window.flags().MeasureAllowed);
  logic_->trimmer15.PressRun();
  ASSERT_TRUE(logic_->trimmer15.InTrimmerMode());
  logic_->trimmer15.PressTrim(0);
  logic_->window.Quit();
  logic_->window.Unload();
  EXPECT_FALSE(logic_->trimmer15.InTrimmerMode());
  EXPECT_FALSE(logic_->trimmer15.IsOpen());
  EXPECT_FALSE(logic_->session.Leased());
}

TEST_F(AdjustScenarioTest, FifteenMWindowIsNotOfferedToOtherFamilies) {
  WriteIni("[ECU]\r\nType=4\r\n[Menu]\r\nauto=0\r\n");
  Start(InterfaceKind::kUsb, /*test_mode=*/true);
  EXPECT_FALSE(model_.Visible(fp::cdTrimer15));
  EXPECT_FALSE(model_.Visible(fp::mnTrim15M));
  logic_->window.OpenTrimmer15();
  EXPECT_FALSE(logic_->trimmer15.IsOpen());
}

}  // namespace
}  // namespace velkor
