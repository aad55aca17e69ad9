// The actuator tests and service routines as the program runs them from its fault windows, on
// the bench's 59M/5AM (its actuator log kept) and 16M in virtual time: every way out of a
// running test switches the actuator off by the tester, nothing moves while the engine runs or
// its state is unknown, the routines end as the ECU says, and the 16M never stays in its
// diagnostic mode.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "diagnostics/actuator_panel_59.hpp"
#include "diagnostics/fault_window_1516.hpp"
#include "diagnostics/fault_window_59.hpp"
#include "program_fixture.hpp"

namespace velkor {
namespace {

using namespace scenario;
using Ended = sim::ActuatorActivation::EndedBy;
namespace w = FrmDTC59;
constexpr int kFuelPump = 1;  // index in the test list
constexpr std::uint8_t kFuelPumpId = 0x05;

class ActuatorScenarioTest : public ProgramTest {
 protected:
  ~ActuatorScenarioTest() override {
    logic_.reset();
    ecu_.reset();
    byte_ecu_.reset();
  }
  // A 59M (or, with `name` holding IAW5A, a 5AM) behind a K-line cable, engine stopped unless
  // told, its session open and its fault window open.
  sim::KwpEngineEcu& OpenM59(bool engine_running = false, std::string name = "IAW59M") {
    WriteIni("[ECU]\r\nType=4\r\nInit=0\r\n[Menu]\r\nauto=0\r\n");
    Cable();
    switchable_.SetRunning(engine_running);
    ecu_ = std::make_unique<sim::WakeUpEcu>(
        clock_, bus_, std::make_unique<sim::KwpEngineEcu>(clock_, bus_, switchable_),
        sim::KwpWakeUps());
    auto& kwp = static_cast<sim::KwpEngineEcu&>(ecu_->Model());
    kwp.Settings().ecu_name = std::move(name);
    Start(InterfaceKind::kKkl);
    EXPECT_TRUE(logic_->session.Initialise());
    logic_->window.PressDiagnostics();
    EXPECT_TRUE(logic_->diagnostics.Faults59Open());
    return kwp;
  }
  std::vector<std::string> HeardSince(std::size_t from) const {
    std::vector<std::string> heard;
    const auto& requests = ecu_->Model().Requests();
    for (std::size_t i = from; i < requests.size(); ++i) {
      if (requests[i].key != "3E") heard.push_back(requests[i].key);
    }
    return heard;
  }
  std::size_t Heard() const { return ecu_->Model().Requests().size(); }
  ScreenModel& Panel() { return logic_->diagnostics.faults_59_model; }
  void RunWhileBusy() {
    while (logic_->diagnostics.tests_59.Busy()) loop_.GiveTurn();
  }
  bool KeyOffBox() const {
    for (const auto& shown : dialogs_.messages) {
      if (shown.text == "Turn the KEY OFF and wait 15s") return true;
    }
    return false;
  }

  sim::SwitchableEngine switchable_{engine_};
  std::unique_ptr<sim::ByteFamilyEcu> byte_ecu_;
};

struct WayOut {
  const char* name;
  std::function<void(ActuatorScenarioTest&, ProgramLogic&)> act;  // 5 s into the test
  bool program_closed;
  bool session_lost;
  int lost_tester_presents = 0;  // unanswered tester presents (0: every one when session_lost)
};

TEST_F(ActuatorScenarioTest, EveryWayOutOfARunningPumpTestSwitchesThePumpOffByTheTester) {
  const WayOut ways[] = {
      {"ran out", nullptr, false, false},
      {"stop button", [](auto&, ProgramLogic& l) { l.diagnostics.PressStartTest59(); }, false,
       false},
      {"window closed", [](auto&, ProgramLogic& l) { l.diagnostics.Faults59Closed(); }, false,
       false},
      // F4 is greyed while the test holds the link; the menu's action closes and reopens the
      // fault window.
      {"F4",
       [](auto&, ProgramLogic& l) {
         l.window.PressDiagnostics();
         l.diagnostics.OpenFaults59();
       },
       false, false},
      {"session lost", nullptr, false, true},
      // One answer lost on the line is asked again at once: the pump runs its time out.
      {"one tester present lost", nullptr, false, false, 1},
      // Last: the program's end leaves the fixture's home as a closed program does.
      {"program closed",
       [](auto&, ProgramLogic& l) {
         l.window.Quit();
         l.window.Unload();
       },
       true, false},
  };
  for (const WayOut& way : ways) {
    SCOPED_TRACE(way.name);
    sim::KwpEngineEcu& kwp = OpenM59();
    if (way.session_lost || way.lost_tester_presents > 0) {
      ecu_->Model().AddFault({.request = "3E", .silence = true, .times = way.lost_tester_presents});
    }
    logic_->diagnostics.ChooseTest59(kFuelPump);
    logic_->diagnostics.PressStartTest59();
    ASSERT_TRUE(logic_->diagnostics.tests_59.TestRunning());
    EXPECT_TRUE(Panel().Text(w::LDescription).ends_with("Test OK"));
    // F2, F3 and F4 stay greyed while the test drives the link, through the keep-alive's ticks.
    loop_.After(std::chrono::milliseconds(4900), [&] {
      if (way.session_lost) return;  // lost at 2.5 s: F2 is offered again
      EXPECT_FALSE(model_.Enabled(fp::cdparametre));
      EXPECT_FALSE(model_.Enabled(fp::cddiag));
      EXPECT_FALSE(model_.Enabled(fp::cdintialisation));
    });
    if (way.act) loop_.After(std::chrono::seconds(5), [&] { way.act(*this, *logic_); });
    RunWhileBusy();
    clock_.RunFor(std::chrono::seconds(3));

    const auto& log = kwp.ActuatorLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].id, kFuelPumpId);
    EXPECT_EQ(log[0].ended_by, Ended::kTester);
    ASSERT_TRUE(log[0].off_s.has_value());
    const double on_for = *log[0].off_s - log[0].on_s;
    if (!way.act && !way.session_lost) {
      EXPECT_GE(on_for, 30.0);
      EXPECT_LT(on_for, 30.3);
    } else if (way.session_lost) {
      EXPECT_LT(on_for, 4.0);  // the first tester present after 2.5 s went unanswered
      EXPECT_TRUE(model_.Enabled(fp::cdintialisation));
      EXPECT_EQ(model_.Text(fp::lbPanel1), "Init : OFF");
    } else {
      EXPECT_GE(on_for, 5.0);
      EXPECT_LT(on_for, 5.3);
    }
    if (way.program_closed) {
      // The stop goes before the closing frames.
      const auto heard = HeardSince(0);
      ASSERT_GE(heard.size(), 3u);
      EXPECT_EQ(heard[heard.size() - 3], "300500");
      EXPECT_EQ(heard[heard.size() - 2], "20");
      EXPECT_EQ(heard.back(), "82");
    } else if (!way.session_lost) {
      EXPECT_FALSE(logic_->session.Leased());
      EXPECT_TRUE(logic_->session.Open());
    }
    EXPECT_TRUE(dialogs_.messages.empty());
    logic_.reset();
    ecu_.reset();
    dialogs_.messages.clear();
  }
}

// The program closes while the pump's start is still on its way: the stop follows its answer,
// before the closing frames.
TEST_F(ActuatorScenarioTest, ClosingDuringTheStartStopsThePumpWhenTheAnswerComes) {
  sim::KwpEngineEcu& kwp = OpenM59();
  ecu_->Model().AddFault({.request = "300507", .extra_delay = 0.5});
  logic_->diagnostics.ChooseTest59(kFuelPump);
  loop_.After(std::chrono::milliseconds(450), [&] {
    ASSERT_TRUE(link_.ExchangeBusy);
    logic_->window.Quit();
    logic_->window.Unload();
  });
  logic_->diagnostics.PressStartTest59();
  RunWhileBusy();
  clock_.RunFor(std::chrono::seconds(3));

  const auto& log = kwp.ActuatorLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].ended_by, Ended::kTester);
  const auto heard = HeardSince(0);
  ASSERT_GE(heard.size(), 4u);
  EXPECT_EQ(heard[heard.size() - 4], "300507");
  EXPECT_EQ(heard[heard.size() - 3], "300500");
  EXPECT_EQ(heard[heard.size() - 2], "20");
  EXPECT_EQ(heard.back(), "82");
  EXPECT_TRUE(cable_released_);
}

TEST_F(ActuatorScenarioTest, NothingMovesWhileTheEngineRuns) {
  sim::KwpEngineEcu& kwp = OpenM59(/*engine_running=*/true, "IAW5AM HE05");
  const std::size_t before = Heard();
  for (int index = 0; index < kImmobiliserIndex; ++index) {
    logic_->diagnostics.ChooseTest59(index);
    logic_->diagnostics.PressStartTest59();
    RunWhileBusy();
  }
  logic_->diagnostics.PressResetTps59();
  RunWhileBusy();
  logic_->diagnostics.PressResetService59();
  RunWhileBusy();

  EXPECT_TRUE(kwp.ActuatorLog().empty());
  EXPECT_EQ(kwp.TpsResetStarts(), 0);
  EXPECT_EQ(kwp.ServiceResets(), 0);
  EXPECT_EQ(HeardSince(before), std::vector<std::string>(10, "2157"));
  ASSERT_EQ(dialogs_.messages.size(), 10u);
  EXPECT_EQ(dialogs_.messages[8].text, "Le moteur doit être arrêté");
  EXPECT_EQ(dialogs_.messages[8].title, "Reset TPS Error");
  EXPECT_FALSE(logic_->session.Leased());
}

TEST_F(ActuatorScenarioTest, TheThrottleResetRefusesAnEngineStateItCannotRead) {
  for (const bool silent : {true, false}) {
    SCOPED_TRACE(silent ? "2157 silent" : "2157 refused");
    sim::KwpEngineEcu& kwp = OpenM59();
    if (silent) {
      ecu_->Model().AddFault({.request = "2157", .silence = true});
    } else {
      ecu_->Model().AddFault({.request = "2157", .negative = 0x12});
    }
    const std::size_t before = Heard();
    logic_->diagnostics.PressResetTps59();
    RunWhileBusy();
    EXPECT_EQ(HeardSince(before), (std::vector<std::string>{"2157"}));
    EXPECT_EQ(kwp.TpsResetStarts(), 0);
    EXPECT_EQ(logic_->diagnostics.tests_59.LastOutcome(), PanelOutcome::kInterlocked);
    logic_.reset();
    ecu_.reset();
  }
}

TEST_F(ActuatorScenarioTest, ARefusedThrottleResetEndsAtOnce) {
  sim::KwpEngineEcu& kwp = OpenM59();
  kwp.Settings().tps_reset_refusal = 0x22;
  const std::size_t before = Heard();
  logic_->diagnostics.PressResetTps59();
  RunWhileBusy();
  EXPECT_EQ(HeardSince(before), (std::vector<std::string>{"2157", "81", "3121"}));
  EXPECT_TRUE(Panel().Text(w::LDescription).ends_with("Test Echoué: Conditions incorrectes"));
  EXPECT_FALSE(KeyOffBox());
  EXPECT_TRUE(logic_->session.Open());
}

TEST_F(ActuatorScenarioTest, AThrottleResetEndsWithTheKeyOffAndNoSession) {
  sim::KwpEngineEcu& kwp = OpenM59();
  logic_->diagnostics.PressResetTps59();
  RunWhileBusy();
  EXPECT_EQ(kwp.TpsResetStarts(), 1);
  EXPECT_EQ(kwp.TpsResetResults(), 1);
  EXPECT_TRUE(KeyOffBox());
  EXPECT_NE(Panel().Text(w::LDescription).find("Reset TPS confirmé par l'ECU"), std::string::npos);
  EXPECT_FALSE(logic_->session.Open());
  EXPECT_TRUE(model_.Enabled(fp::cdintialisation));
  EXPECT_FALSE(keep_alive_->IsRunning());
  EXPECT_EQ(link_.lamp_colour, kLampRed);
}

// After a routine (or its confirmation cancelled), the start button sends the test on show.
TEST_F(ActuatorScenarioTest, NoStartAfterARoutineSendsTheRoutinesId) {
  for (const int routine : {0, 1, 2}) {  // Reset TPS cancelled, Reset Service, Reset TPS
    SCOPED_TRACE(routine);
    sim::KwpEngineEcu& kwp = OpenM59(false, "IAW5AM HE05");
    dialogs_.answer = routine != 0;
    if (routine == 1) {
      logic_->diagnostics.PressResetService59();
    } else {
      logic_->diagnostics.PressResetTps59();
    }
    RunWhileBusy();
    dialogs_.answer = true;
    if (routine == 2) {
      // The session has gone with the key off: a fresh start, and the window again.
      ASSERT_TRUE(logic_->session.Initialise());
      logic_->window.PressDiagnostics();
    }
    logic_->diagnostics.PressStartTest59();  // nothing chosen: nothing sent
    RunWhileBusy();
    logic_->diagnostics.ChooseTest59(2);
    logic_->diagnostics.PressStartTest59();
    RunWhileBusy();
    for (const std::string& heard : HeardSince(0)) {
      EXPECT_FALSE(heard.starts_with("3021"));
      if (routine != 1) {
        EXPECT_FALSE(heard.starts_with("3020"));
      }
    }
    EXPECT_EQ(kwp.ServiceResets(), routine == 1 ? 1 : 0);
    ASSERT_FALSE(kwp.ActuatorLog().empty());
    EXPECT_EQ(kwp.ActuatorLog().back().id, 0x02);
    EXPECT_EQ(kwp.ActuatorLog().back().ended_by, Ended::kTester);
    logic_.reset();
    ecu_.reset();
  }
}

// ---- The 15M/16M commands ----------------------------------------------------------------------

struct ByteWay {
  const char* name;
  std::function<void(sim::ByteFamilyEcu&)> setup;
  std::function<void(ProgramLogic&)> act;  // 5 s into the pump test
  TestRunResult::Kind kind;
};

TEST_F(ActuatorScenarioTest, The16mLeavesItsDiagnosticModeAfterEveryTest) {
  const auto none = [](sim::ByteFamilyEcu&) {};
  const ByteWay ways[] = {
      {"end FF", none, nullptr, TestRunResult::Kind::kOk},
      {"end EE", [](sim::ByteFamilyEcu& e) { e.Settings().end_byte_override = 0xEE; }, nullptr,
       TestRunResult::Kind::kFailed},
      {"silent end", [](sim::ByteFamilyEcu& e) { e.Settings().silent_end = true; }, nullptr,
       TestRunResult::Kind::kNoAnswer},
      {"window closed", none, [](ProgramLogic& l) { l.diagnostics.Faults1516Closed(); },
       TestRunResult::Kind::kFailed},
      {"program closed", none,
       [](ProgramLogic& l) {
         l.window.Quit();
         l.window.Unload();
       },
       TestRunResult::Kind::kFailed},
  };
  for (const ByteWay& way : ways) {
    SCOPED_TRACE(way.name);
    WriteIni("[ECU]\r\nType=0\r\n[Menu]\r\nauto=0\r\n");
    sim::TesterUart& uart = Cable();
    byte_ecu_ = std::make_unique<sim::ByteFamilyEcu>(clock_, bus_, switchable_, Iaw16M);
    switchable_.SetRunning(false);
    way.setup(*byte_ecu_);
    Start(InterfaceKind::kKkl);
    uart.Configure(7812);  // as the key-byte start leaves it
    ASSERT_TRUE(logic_->diagnostics.OpenFaults1516());
    if (way.act) loop_.After(std::chrono::seconds(5), [&] { way.act(*logic_); });

    const TestRunResult result = logic_->diagnostics.RunCommand1516(2);
    EXPECT_EQ(result.kind, way.kind);
    EXPECT_FALSE(byte_ecu_->InDiagnosticMode());
    ASSERT_EQ(byte_ecu_->ActuatorLog().size(), 1u);
    EXPECT_TRUE(byte_ecu_->ActuatorLog()[0].off_s.has_value());
    EXPECT_EQ(model_.Value(fp::MousePointer), 0);
    logic_.reset();
    byte_ecu_.reset();
  }
}

TEST_F(ActuatorScenarioTest, The16mRefusesWithTheEngineRunning) {
  WriteIni("[ECU]\r\nType=0\r\n[Menu]\r\nauto=0\r\n");
  sim::TesterUart& uart = Cable();
  switchable_.SetRunning(true);
  byte_ecu_ = std::make_unique<sim::ByteFamilyEcu>(clock_, bus_, switchable_, Iaw16M);
  Start(InterfaceKind::kKkl);
  uart.Configure(7812);
  ASSERT_TRUE(logic_->diagnostics.OpenFaults1516());
  const TestRunResult result = logic_->diagnostics.RunCommand1516(2);
  EXPECT_EQ(result.kind, TestRunResult::Kind::kInterlocked);
  EXPECT_EQ(result.message, "Le moteur doit être arrété");
  ASSERT_EQ(byte_ecu_->Requests().size(), 1u);  // the engine status only
  EXPECT_TRUE(byte_ecu_->ActuatorLog().empty());
}

}  // namespace
}  // namespace velkor
