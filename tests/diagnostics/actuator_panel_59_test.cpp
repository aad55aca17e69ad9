// The actuator tests and service routines of FrmDTC59 against a scripted 59M on the bench
// K-line, in virtual time: the engine check, the start and its answer, the stop on every way
// out (checked, retried once), the immobiliser bits and the two routines.
#include "diagnostics/actuator_panel_59.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/ecu_family.hpp"
#include "diagnostics/fault_window_59.hpp"
#include "link/frame.hpp"
#include "window_bench.hpp"

namespace velkor {
namespace {

namespace w = FrmDTC59;
using diag_bench::kKwpBaud;
using diag_bench::WindowBench;
using Payloads = std::vector<std::string>;
using sim::EcuStep;

HexMessage Req(std::string_view data) { return FrameKwp(data, "10F1"); }
HexMessage Rep(std::string_view data) { return FrameKwp(data, "F110"); }

// The session's side of the hold: counts takes and releases, and can say the session is lost.
class FakeHold : public LinkHold {
 public:
  bool Take() override {
    if (held) return false;
    held = true;
    ++takes;
    return true;
  }
  void KeepAlive(std::function<void()> lost_call, std::function<void()> idle) override {
    kept_alive = true;
    on_lost = std::move(lost_call);
    on_idle = std::move(idle);
  }
  void Release(bool session_lost) override {
    held = false;
    kept_alive = false;
    lost = session_lost;
    ++releases;
  }
  bool Held() const override { return held; }

  bool held = false;
  bool kept_alive = false;
  bool lost = false;
  int takes = 0;
  int releases = 0;
  std::function<void()> on_lost;
  std::function<void()> on_idle;
};

class PanelBench {
 public:
  explicit PanelBench(std::string ecu_name = "IAW59M") : b(Iaw59M5AM, kKwpBaud) {
    panel.Load(ecu_name);
  }
  // The request payloads the ECU heard, in order.
  Payloads Heard() const {
    Payloads heard;
    for (const auto& request : b.ecu_.Requests()) {
      const std::string& bytes = request.bytes;
      // Format byte, two address bytes, data, checksum.
      heard.push_back(bytes.size() >= 8 ? bytes.substr(6, bytes.size() - 8) : bytes);
    }
    return heard;
  }
  void RunToEnd() {
    while (panel.Busy()) b.loop_.GiveTurn();
  }
  void EngineStopped() { b.ecu_.Expect(Req("2157"), Rep("615702")); }
  const std::string& Description() const { return window.Text(w::LDescription); }
  // Timed lines go to the trace file only.
  bool TraceFileHolds(const std::string& text) const {
    std::ifstream in(b.trace_path_);
    std::stringstream all;
    all << in.rdbuf();
    return all.str().find(text) != std::string::npos;
  }

  WindowBench b;
  ScreenModel window;
  std::unique_ptr<Timer> timer = b.timers_.CreateTimer();
  FakeHold hold;
  ActuatorPanel59 panel{window, b.Services(), *timer, hold};
};

struct ReasonCase {
  int code;
  std::string reason;
};

TEST(ActuatorPanel59Test, ARefusedStartShowsTheEcusReasonAndStartsNothing) {
  const ReasonCase cases[] = {{0x10, "Cause générale"},
                              {0x12, "Sous fonction non supportée"},
                              {0x22, "Conditions incorrectes"},
                              {0x33, "Cause inconnue"}};
  for (const ReasonCase& c : cases) {
    SCOPED_TRACE(c.code);
    PanelBench p;
    p.EngineStopped();
    p.b.ecu_.Expect(Req("300507"), Rep("7F30" + ByteToHex(c.code)));
    p.b.ecu_.Add(EcuStep::Silence());
    p.panel.Choose(1);
    p.panel.PressStart();
    p.RunToEnd();
    p.b.clock_.Pause(1.0);

    EXPECT_EQ(p.panel.LastOutcome(), PanelOutcome::kRefused);
    EXPECT_TRUE(p.Description().ends_with("\r\nTest Echoué: " + c.reason));
    EXPECT_EQ(p.Heard(), (Payloads{"2157", "300507"}));
    EXPECT_FALSE(p.hold.held);
    EXPECT_EQ(p.window.Text(w::CdeStartTest), "Lancer le test");
    EXPECT_TRUE(p.window.Enabled(w::ComboChoixTest));
  }
}

// A test that runs out its time stops its actuator in the tick that reaches the limit.
TEST(ActuatorPanel59Test, ATestThatRunsOutSendsItsStopAtOnce) {
  PanelBench p;
  p.EngineStopped();
  p.b.ecu_.Expect(Req("300507"), Rep("700500"));
  p.b.ecu_.Expect(Req("300500"), Rep("700500"));
  p.panel.Choose(1);
  p.panel.PressStart();
  EXPECT_TRUE(p.panel.TestRunning());
  EXPECT_TRUE(p.hold.kept_alive);
  EXPECT_EQ(p.window.Text(w::CdeStartTest), "Arrêter le test");
  EXPECT_TRUE(p.Description().ends_with("\r\nTest OK"));
  const auto started = p.b.ecu_.Requests().back().end;
  p.RunToEnd();

  ASSERT_EQ(p.Heard(), (Payloads{"2157", "300507", "300500"}));
  const auto stop_at = p.b.ecu_.Requests().back().start - started;
  EXPECT_GE(stop_at, std::chrono::seconds(30));
  EXPECT_LT(stop_at, std::chrono::milliseconds(30300));
  EXPECT_EQ(p.panel.LastOutcome(), PanelOutcome::kOk);
  EXPECT_EQ(p.hold.releases, 1);
  EXPECT_FALSE(p.hold.lost);
  EXPECT_EQ(p.window.Value(w::ProgressBar1), 0);
  EXPECT_EQ(p.window.Text(w::CdeStartTest), "Lancer le test");
}

// The limit reached while a tester present is on the line: the stop goes out as soon as that
// exchange has returned, not never.
TEST(ActuatorPanel59Test, AStopThatMeetsAnExchangeUnderWayFollowsIt) {
  PanelBench p;
  p.EngineStopped();
  p.b.ecu_.Expect(Req("300607"), Rep("700600"));
  p.b.ecu_.Expect(Req("300600"), Rep("700600"));
  p.panel.Choose(0);
  p.panel.PressStart();
  const auto started = p.b.clock_.Now();
  p.b.loop_.After(std::chrono::milliseconds(1900), [&] { p.b.link_.ExchangeBusy = true; });
  p.b.loop_.After(std::chrono::milliseconds(2150), [&] {
    EXPECT_EQ(p.Heard().size(), 2u);  // nothing sent while the line was taken
    p.b.link_.ExchangeBusy = false;
    p.hold.on_idle();
  });
  p.RunToEnd();

  EXPECT_EQ(p.Heard(), (Payloads{"2157", "300607", "300600"}));
  EXPECT_GE(p.b.ecu_.Requests().back().start - started, std::chrono::milliseconds(2150));
  EXPECT_EQ(p.panel.LastOutcome(), PanelOutcome::kOk);
}

struct ExitCase {
  const char* name;
  std::function<void(PanelBench&)> exit;
  PanelOutcome outcome;
  bool lost;
};

TEST(ActuatorPanel59Test, EveryWayOutOfARunningTestSendsTheStop) {
  const ExitCase cases[] = {
      {"stop button", [](PanelBench& p) { p.panel.PressStart(); }, PanelOutcome::kStopped, false},
      {"window closed", [](PanelBench& p) { p.panel.StopForExit(); }, PanelOutcome::kStopped,
       false},
      {"session lost", [](PanelBench& p) { p.hold.on_lost(); }, PanelOutcome::kSessionLost, true},
  };
  for (const ExitCase& c : cases) {
    SCOPED_TRACE(c.name);
    PanelBench p;
    p.EngineStopped();
    p.b.ecu_.Expect(Req("300207"), Rep("700200"));
    p.b.ecu_.Expect(Req("300200"), Rep("700200"));
    p.panel.Choose(2);
    p.panel.PressStart();
    p.b.loop_.After(std::chrono::seconds(2), [&] { c.exit(p); });
    p.RunToEnd();

    EXPECT_EQ(p.Heard(), (Payloads{"2157", "300207", "300200"}));
    EXPECT_LT(p.b.ecu_.Requests().back().start - p.b.ecu_.Requests()[1].end,
              std::chrono::milliseconds(2300));
    EXPECT_EQ(p.panel.LastOutcome(), c.outcome);
    EXPECT_EQ(p.hold.lost, c.lost);
    EXPECT_FALSE(p.hold.held);
  }
}

// Stop pressed, or the window closed, while the start is still on its way: the stop follows
// the start's answer.
TEST(ActuatorPanel59Test, AnExitDuringTheStartExchangeStopsOnceTheAnswerHasCome) {
  PanelBench p;
  p.EngineStopped();
  p.b.ecu_.Add(EcuStep::Reply(Req("300807"), Rep("700800"), 0.3));
  p.b.ecu_.Expect(Req("300800"), Rep("700800"));
  p.panel.Choose(4);
  p.b.loop_.After(std::chrono::milliseconds(150), [&] { p.panel.StopForExit(); });
  p.panel.PressStart();
  p.RunToEnd();

  EXPECT_EQ(p.Heard(), (Payloads{"2157", "300807", "300800"}));
  EXPECT_EQ(p.panel.LastOutcome(), PanelOutcome::kStopped);
  EXPECT_FALSE(p.hold.held);
}

struct StopCase {
  const char* name;
  std::vector<std::string> stop_answers;  // "" silence
  PanelOutcome outcome;
  bool warned;
};

TEST(ActuatorPanel59Test, AnUnconfirmedStopIsRetriedOnceThenTheUserIsWarned) {
  const StopCase cases[] = {
      {"confirmed", {"700300"}, PanelOutcome::kStopped, false},
      {"refused then confirmed", {"7F3022", "700300"}, PanelOutcome::kStopped, false},
      {"silent then confirmed", {"", "700300"}, PanelOutcome::kStopped, false},
      {"silent twice", {"", ""}, PanelOutcome::kStopUnconfirmed, true},
      {"refused twice", {"7F3022", "7F3010"}, PanelOutcome::kStopUnconfirmed, true},
  };
  for (const StopCase& c : cases) {
    SCOPED_TRACE(c.name);
    PanelBench p;
    p.EngineStopped();
    p.b.ecu_.Expect(Req("300307"), Rep("700300"));
    Payloads heard{"2157", "300307"};
    for (const std::string& answer : c.stop_answers) {
      if (answer.empty()) {
        p.b.ecu_.Add(EcuStep::Silence(Req("300300")));
      } else {
        p.b.ecu_.Expect(Req("300300"), Rep(answer));
      }
      heard.push_back("300300");
    }
    p.b.ecu_.Add(EcuStep::Silence());
    p.panel.Choose(3);
    p.panel.PressStart();
    p.panel.PressStart();
    p.RunToEnd();
    p.b.clock_.Pause(2.0);

    EXPECT_EQ(p.Heard(), heard);
    EXPECT_EQ(p.panel.LastOutcome(), c.outcome);
    if (c.warned) {
      ASSERT_EQ(p.b.dialogs_.messages.size(), 1u);
      EXPECT_EQ(p.b.dialogs_.messages[0].text, texts_test::kStopNotConfirmed.built_in);
      EXPECT_EQ(p.b.dialogs_.messages[0].icon, Dialogs::Icon::kStop);
      EXPECT_TRUE(p.TraceFileHolds(std::string(texts_test::kStopNotConfirmed.built_in)));
    } else {
      EXPECT_TRUE(p.b.dialogs_.messages.empty());
    }
  }
}

// A start that went unanswered may still have reached the ECU: it is stopped all the same.
TEST(ActuatorPanel59Test, AnUnansweredStartIsStoppedAllTheSame) {
  PanelBench p;
  p.EngineStopped();
  p.b.ecu_.Add(EcuStep::Silence(Req("300607")));
  p.b.ecu_.Expect(Req("300600"), Rep("700600"));
  p.panel.Choose(0);
  p.panel.PressStart();
  p.RunToEnd();

  EXPECT_EQ(p.Heard(), (Payloads{"2157", "300607", "300600"}));
  EXPECT_EQ(p.panel.LastOutcome(), PanelOutcome::kNoAnswer);
  EXPECT_TRUE(p.Description().ends_with("Test Echoué: Pas de réponse de l'ECU"));
  EXPECT_FALSE(p.panel.TestRunning());
}

struct EngineCase {
  const char* name;
  std::string answer;  // to 2157; "" silence
  std::string message;
};

TEST(ActuatorPanel59Test, EveryTestAndRoutineRefusesUnlessTheEngineIsKnownToBeStopped) {
  const std::string unknown(texts_test::kEngineUnknown.built_in);
  const EngineCase engines[] = {
      {"running", "615704", "Le moteur doit être arrêté"},
      {"stalled", "615708", unknown},
      {"silent", "", unknown},
      {"refused", "7F2112", unknown},
  };
  // 0-7: the tests; 9: Reset TPS; 10: Reset Service.
  for (const EngineCase& e : engines) {
    for (int command = 0; command <= 10; ++command) {
      if (command == kImmobiliserIndex) continue;
      SCOPED_TRACE(std::string(e.name) + " " + std::to_string(command));
      PanelBench p("IAW5AM");
      if (e.answer.empty()) {
        p.b.ecu_.Add(EcuStep::Silence(Req("2157")));
      } else {
        p.b.ecu_.Expect(Req("2157"), Rep(e.answer));
      }
      p.b.ecu_.Add(EcuStep::Silence());
      if (command < kImmobiliserIndex) {
        p.panel.Choose(command);
        p.panel.PressStart();
      } else if (command == 9) {
        p.panel.PressResetTps();
      } else {
        p.panel.PressResetService();
      }
      p.RunToEnd();
      p.b.clock_.Pause(1.0);

      EXPECT_EQ(p.Heard(), (Payloads{"2157"}));
      EXPECT_EQ(p.panel.LastOutcome(), PanelOutcome::kInterlocked);
      ASSERT_EQ(p.b.dialogs_.messages.size(), 1u);
      EXPECT_EQ(p.b.dialogs_.messages[0].text, e.message);
      EXPECT_EQ(p.b.dialogs_.messages[0].title,
                command == 9 ? "Reset TPS Error" : "Attention/Caution");
      EXPECT_FALSE(p.hold.held);
      EXPECT_TRUE(p.window.Enabled(w::cdresetTPS));
    }
  }
}

struct ImmobiliserCase {
  std::string answer;
  std::string shown;
};

TEST(ActuatorPanel59Test, TheImmobiliserStatusShowsOneLinePerKnownBit) {
  const ImmobiliserCase cases[] = {
      {"617400", "Système OK\r\n"},
      {"617482", "ECU Bloqué\r\nAucun code reçu\r\n"},
      {"617408", ""},  // bit 3 has no text
      {"617401", "ECU Vierge\r\n"},
      {"7F2112", "Test Echoué: Sous fonction non supportée"},
      {"", "Test Echoué: Pas de réponse de l'ECU"},
  };
  for (const ImmobiliserCase& c : cases) {
    SCOPED_TRACE(c.answer);
    PanelBench p;
    if (c.answer.empty()) {
      p.b.ecu_.Add(EcuStep::Silence(Req("2174")));
    } else {
      p.b.ecu_.Expect(Req("2174"), Rep(c.answer));
    }
    p.panel.Choose(kImmobiliserIndex);
    p.panel.PressStart();
    EXPECT_EQ(p.Description(), c.shown);
    EXPECT_EQ(p.Heard(), (Payloads{"2174"}));  // nothing moves: no engine check
    EXPECT_FALSE(p.panel.Busy());
    EXPECT_FALSE(p.hold.held);
  }
}

TEST(ActuatorPanel59Test, ACancelledConfirmationSendsNothingAndLeavesThePanelUsable) {
  for (const bool service : {false, true}) {
    SCOPED_TRACE(service ? "Reset Service" : "Reset TPS");
    PanelBench p("IAW5AM");
    p.b.dialogs_.answer = false;
    p.b.ecu_.Add(EcuStep::Silence());
    if (service) {
      p.panel.PressResetService();
    } else {
      p.panel.PressResetTps();
    }
    p.b.clock_.Pause(1.0);

    EXPECT_EQ(p.b.dialogs_.questions.size(), 1u);
    EXPECT_TRUE(p.Heard().empty());
    EXPECT_EQ(p.panel.LastOutcome(), PanelOutcome::kCancelled);
    EXPECT_FALSE(p.hold.held);
    EXPECT_FALSE(p.window.Visible(w::frConfirm));
    EXPECT_TRUE(p.window.Enabled(w::cdresetTPS));
    EXPECT_TRUE(p.window.Enabled(w::cdService));
    EXPECT_TRUE(p.window.Enabled(w::FrameTestActif));
  }
}

TEST(ActuatorPanel59Test, TheThrottleResetRunsOnlyOnAPositiveStartAndExaminesItsResult) {
  struct Case {
    const char* name;
    std::string start;   // answer to 3121
    std::string result;  // answer to 3321; "" silence
    Payloads heard;
    PanelOutcome outcome;
    std::string last_line;
    bool key_off;
  };
  const Case cases[] = {
      {"done",
       "7121",
       "7321FF",
       {"2157", "81", "3121", "3321"},
       PanelOutcome::kOk,
       "Reset TPS confirmé par l'ECU",
       true},
      {"result refused",
       "7121",
       "7F3322",
       {"2157", "81", "3121", "3321"},
       PanelOutcome::kRefused,
       "Test Echoué: Conditions incorrectes",
       true},
      {"result silent",
       "7121",
       "",
       {"2157", "81", "3121", "3321"},
       PanelOutcome::kNoAnswer,
       "Résultat du reset TPS non reçu",
       true},
      {"start refused",
       "7F3122",
       "",
       {"2157", "81", "3121"},
       PanelOutcome::kRefused,
       "Test Echoué: Conditions incorrectes",
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PanelBench p;
    p.EngineStopped();
    p.b.ecu_.Expect(Req("81"), Rep("C1EF8F"));
    p.b.ecu_.Expect(Req("3121"), Rep(c.start));
    if (c.result.empty()) {
      p.b.ecu_.Add(EcuStep::Silence(Req("3321")));
    } else {
      p.b.ecu_.Expect(Req("3321"), Rep(c.result));
    }
    p.b.ecu_.Add(EcuStep::Silence());
    const auto start = p.b.clock_.Now();
    p.panel.PressResetTps();
    p.RunToEnd();
    p.b.clock_.Pause(1.0);

    EXPECT_EQ(p.Heard(), c.heard);
    EXPECT_EQ(p.panel.LastOutcome(), c.outcome);
    EXPECT_NE(p.Description().find(c.last_line), std::string::npos) << p.Description();
    EXPECT_EQ(p.hold.lost, c.key_off);
    const bool boxed = !p.b.dialogs_.messages.empty() &&
                       p.b.dialogs_.messages.back().text == "Turn the KEY OFF and wait 15s";
    EXPECT_EQ(boxed, c.key_off);
    if (c.key_off) {
      EXPECT_TRUE(p.Description().ends_with("Turn Key OFF 15sec"));
      EXPECT_GE(p.b.clock_.Now() - start, std::chrono::seconds(7));
    } else {
      EXPECT_LT(p.b.clock_.Now() - start, std::chrono::seconds(3));
    }
  }
}

TEST(ActuatorPanel59Test, TheThrottleResetNeedsTheStartOfCommunication) {
  PanelBench p;
  p.EngineStopped();
  p.b.ecu_.Add(EcuStep::Silence(Req("81")));
  p.b.ecu_.Add(EcuStep::Silence());
  p.panel.PressResetTps();
  p.RunToEnd();
  p.b.clock_.Pause(1.0);
  EXPECT_EQ(p.Heard(), (Payloads{"2157", "81"}));
  EXPECT_EQ(p.Description(), "Recommencer");
  EXPECT_FALSE(p.hold.lost);
}

// After a routine, "Lancer le test" sends the test on show in the list, never the routine's id.
TEST(ActuatorPanel59Test, APressAfterARoutineNeverSendsTheRoutinesId) {
  for (const bool service : {false, true}) {
    SCOPED_TRACE(service ? "Reset Service" : "Reset TPS");
    PanelBench p("IAW5AM");
    p.EngineStopped();
    if (service) {
      p.b.ecu_.Expect(Req("302007"), Rep("702000"));
    } else {
      p.b.ecu_.Expect(Req("81"), Rep("C1EF8F"));
      p.b.ecu_.Expect(Req("3121"), Rep("7121"));
      p.b.ecu_.Expect(Req("3321"), Rep("7321FF"));
    }
    p.EngineStopped();
    p.b.ecu_.Expect(Req("300207"), Rep("700200"));
    p.b.ecu_.Expect(Req("300200"), Rep("700200"));
    p.b.ecu_.Add(EcuStep::Silence());

    // Nothing chosen yet: the start does nothing.
    if (service) {
      p.panel.PressResetService();
    } else {
      p.panel.PressResetTps();
    }
    p.RunToEnd();
    p.panel.PressStart();
    EXPECT_FALSE(p.panel.Busy());

    p.panel.Choose(2);
    p.panel.PressStart();
    p.RunToEnd();
    p.b.clock_.Pause(1.0);
    for (const std::string& heard : p.Heard()) {
      EXPECT_FALSE(heard.starts_with("3021") || (heard.starts_with("3020") && !service));
    }
    const Payloads heard = p.Heard();
    ASSERT_GE(heard.size(), 3u);
    EXPECT_EQ(heard[heard.size() - 2], "300207");
    EXPECT_EQ(heard.back(), "300200");
    EXPECT_EQ(p.b.ecu_.Mismatches(), 0);
  }
}

TEST(ActuatorPanel59Test, TheServiceResetIsTracedAndOnlyForThe5Am) {
  PanelBench five("IAW5AM");
  EXPECT_TRUE(five.window.Enabled(w::cdService));
  EXPECT_FALSE(five.window.Visible(w::lbCaution));
  five.EngineStopped();
  five.b.ecu_.Expect(Req("302007"), Rep("702000"));
  five.panel.PressResetService();
  EXPECT_TRUE(five.Description().ends_with("Wait 7sec"));
  five.RunToEnd();
  EXPECT_EQ(five.panel.LastOutcome(), PanelOutcome::kOk);
  EXPECT_TRUE(five.TraceFileHolds("Service : 302007 " + Rep("702000")));

  PanelBench m59("IAW59M");
  EXPECT_FALSE(m59.window.Enabled(w::cdService));
  EXPECT_TRUE(m59.window.Visible(w::lbCaution));
  m59.panel.PressResetService();
  EXPECT_TRUE(m59.b.dialogs_.questions.empty());
  EXPECT_TRUE(m59.Heard().empty());
}

TEST(ActuatorPanel59Test, TestModeRunsOnWellFormedCannedFrames) {
  PanelBench p("IAW5AM");
  p.b.link_.TestMode = true;
  p.panel.Choose(0);
  p.panel.PressStart();
  EXPECT_NE(p.Description().find("Test OK\r\nmême si l'aiguille n'a pas bougé (Bus CAN)"),
            std::string::npos);
  p.RunToEnd();
  EXPECT_EQ(p.panel.LastOutcome(), PanelOutcome::kOk);
  p.panel.Choose(kImmobiliserIndex);
  p.panel.PressStart();
  EXPECT_EQ(p.Description(), "ECU Vierge\r\n");
  p.panel.PressResetTps();
  p.RunToEnd();
  EXPECT_EQ(p.panel.LastOutcome(), PanelOutcome::kOk);
}

TEST(ActuatorPanel59Test, EobdHasNoTests) {
  WindowBench b(Eobd, kKwpBaud);
  ScreenModel window;
  std::unique_ptr<Timer> timer = b.timers_.CreateTimer();
  FakeHold hold;
  ActuatorPanel59 panel(window, b.Services(), *timer, hold);
  panel.Load("");
  EXPECT_FALSE(window.Enabled(w::FrameTestActif));
  EXPECT_FALSE(window.Enabled(w::frResetM5));
  panel.Choose(1);
  panel.PressStart();
  panel.PressResetTps();
  EXPECT_EQ(hold.takes, 0);
}

}  // namespace
}  // namespace velkor
