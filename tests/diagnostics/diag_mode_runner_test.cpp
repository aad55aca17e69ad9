// The 15M/16M commands of frmerreur against a scripted ECU on the byte protocol, in virtual
// time: the engine check, the AA handshake, the end byte, and the FF that always leaves the
// diagnostic mode once the ECU has entered it.
#include "diagnostics/diag_mode_runner.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/ecu_family.hpp"
#include "diagnostics/fault_window_1516.hpp"
#include "sim/engine_model.hpp"
#include "sim/family_ecus.hpp"
#include "window_bench.hpp"

namespace velkor {
namespace {

namespace fe = frmerreur;
using diag_bench::kByteProtocolBaud;
using diag_bench::WindowBench;
using Bytes = std::vector<std::string>;

// The bench's 16M (engine stopped unless told) beside the scripted ECU of the bench, which
// stays silent.
struct ByteBench {
  explicit ByteBench(double rpm = 0) : engine(sim::EngineState{.rpm = rpm}) {}
  WindowBench b{Iaw16M, kByteProtocolBaud};
  sim::FixedEngine engine;
  sim::ByteFamilyEcu ecu{b.clock_, b.bus_, engine, Iaw16M};
  ScreenModel window;
  DiagModeRunner runner{window, b.Services()};
};

struct EndCase {
  const char* name;
  int index;
  std::function<void(sim::ByteFamilyEcu&)> setup;
  Bytes written;
  DiagModeOutcome outcome;
  std::string step3;  // lenvoie2
};

TEST(DiagModeRunnerTest, AfterAnAcceptedAaTheCommandAlwaysEndsWithFf) {
  const auto none = [](sim::ByteFamilyEcu&) {};
  const EndCase cases[] = {
      {"coil, end FF", 3, none, {"13", "AA", "82", "FF"}, DiagModeOutcome::kOk, "Test OK"},
      {"coil, end EE",
       3,
       [](sim::ByteFamilyEcu& e) { e.Settings().end_byte_override = 0xEE; },
       {"13", "AA", "82", "FF"},
       DiagModeOutcome::kFailed,
       "Test échoué"},
      {"coil, no end byte in 32 s",
       3,
       [](sim::ByteFamilyEcu& e) { e.Settings().silent_end = true; },
       {"13", "AA", "82", "FF"},
       DiagModeOutcome::kNoEnd,
       "Pas de fin de test de l'ECU"},
      {"coil, another end byte",
       3,
       [](sim::ByteFamilyEcu& e) { e.Settings().end_byte_override = 0x55; },
       {"13", "AA", "82", "FF"},
       DiagModeOutcome::kNoEnd,
       "Fin de test inattendue : 55"},
      {"command not echoed: no wait",
       3,
       [](sim::ByteFamilyEcu& e) { e.AddFault({.request = "82", .silence = true}); },
       {"13", "AA", "82", "FF"},
       DiagModeOutcome::kNoEnd,
       "Commande non acceptée par l'ECU"},
      {"clear", 0, none, {"13", "AA", "84", "FF"}, DiagModeOutcome::kOk, "Test OK"},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    ByteBench t;
    c.setup(t.ecu);
    const auto start = t.b.clock_.Now();

    EXPECT_EQ(t.runner.Run(c.index), c.outcome);
    EXPECT_EQ(t.b.WrittenBytes(), c.written);
    EXPECT_EQ(t.window.Text(fe::lenvoie[2]), c.step3);
    EXPECT_EQ(t.window.Text(fe::lenvoie[3]), "Fin du mode diag");
    EXPECT_EQ(t.window.Text(fe::lrecu[3]), "Confirmé");
    EXPECT_TRUE(t.window.Text(fe::frdialogue).ends_with(": Terminé"));
    EXPECT_FALSE(t.ecu.InDiagnosticMode());
    EXPECT_TRUE(t.window.Enabled(fe::frcde));
    EXPECT_TRUE(t.window.Enabled(fe::cdarret));
    EXPECT_FALSE(t.runner.Running());
    EXPECT_LT(t.b.clock_.Now() - start, std::chrono::seconds(45));
    for (const auto& activation : t.ecu.ActuatorLog()) EXPECT_TRUE(activation.off_s.has_value());
    if (c.outcome == DiagModeOutcome::kFailed) {
      ASSERT_EQ(t.b.dialogs_.messages.size(), 1u);
      EXPECT_EQ(t.b.dialogs_.messages[0].text, "Fin incorrecte");
    } else {
      EXPECT_TRUE(t.b.dialogs_.messages.empty());
    }
  }
}

struct RefusalCase {
  const char* name;
  double rpm;
  std::optional<sim::EcuFault> fault;
  Bytes written;
  DiagModeOutcome outcome;
  std::string message;  // the box shown; "" none
};

TEST(DiagModeRunnerTest, NoCommandIsSentWhenTheEngineRunsOrAaIsNotEchoed) {
  const RefusalCase cases[] = {
      {"engine running",
       1200,
       std::nullopt,
       {"13"},
       DiagModeOutcome::kInterlocked,
       "Le moteur doit être arrété"},
      {"engine state unknown",
       0,
       sim::EcuFault{.request = "13", .silence = true},
       {"13"},
       DiagModeOutcome::kInterlocked,
       std::string(texts_test::kEngineUnknown.built_in)},
      // The ECU took the AA but its echo was lost: FF brings it back to its normal mode.
      {"AA not echoed",
       0,
       sim::EcuFault{.request = "AA", .silence = true},
       {"13", "AA", "FF"},
       DiagModeOutcome::kNotEntered,
       ""},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    ByteBench t(c.rpm);
    if (c.fault) t.ecu.AddFault(*c.fault);

    EXPECT_EQ(t.runner.Run(2), c.outcome);
    t.b.clock_.Pause(1.0);
    EXPECT_EQ(t.b.WrittenBytes(), c.written);
    EXPECT_TRUE(t.ecu.ActuatorLog().empty());
    EXPECT_FALSE(t.ecu.InDiagnosticMode());
    if (c.message.empty()) {
      EXPECT_TRUE(t.b.dialogs_.messages.empty());
      EXPECT_EQ(t.window.Text(fe::lenvoie[0]), "Mode Diag");
    } else {
      ASSERT_EQ(t.b.dialogs_.messages.size(), 1u);
      EXPECT_EQ(t.b.dialogs_.messages[0].text, c.message);
      EXPECT_EQ(t.b.dialogs_.messages[0].title, "Attention/Caution");
    }
    EXPECT_TRUE(t.window.Enabled(fe::frcde));
  }
}

// The window or the program closing during the wait for the pump's end cuts it short: FF goes
// out at once, also while the link refuses every other exchange because the program is closing.
TEST(DiagModeRunnerTest, ClosingDuringTheWaitSendsFfAtOnce) {
  for (const bool program_closing : {false, true}) {
    SCOPED_TRACE(program_closing ? "program closing" : "window closed");
    ByteBench t;
    t.b.loop_.After(std::chrono::seconds(5), [&] {
      if (program_closing) t.b.link_.Closing = true;
      t.runner.Interrupt();
    });
    const auto start = t.b.clock_.Now();

    EXPECT_EQ(t.runner.Run(2), DiagModeOutcome::kInterrupted);
    EXPECT_EQ(t.b.WrittenBytes(), (Bytes{"13", "AA", "80", "FF"}));
    EXPECT_EQ(t.window.Text(fe::lrecu[3]), "Confirmé");
    EXPECT_LT(t.b.clock_.Now() - start, std::chrono::seconds(7));
    EXPECT_EQ(t.b.link_.Closing, program_closing);
    EXPECT_FALSE(t.ecu.InDiagnosticMode());
    ASSERT_EQ(t.ecu.ActuatorLog().size(), 1u);
    EXPECT_EQ(t.ecu.ActuatorLog()[0].ended_by, sim::ActuatorActivation::EndedBy::kTester);
  }
}

TEST(DiagModeRunnerTest, P8AndUnknownIndicesHaveNoCommand) {
  EXPECT_FALSE(DiagCommandByte(IawP8, 1));
  EXPECT_FALSE(DiagCommandByte(Iaw59M5AM, 1));
  EXPECT_FALSE(DiagCommandByte(Iaw16M, 7));
  EXPECT_EQ(DiagCommandByte(Iaw16M, 5), 0x81);
  EXPECT_EQ(DiagCommandByte(Iaw15M, 5), 0x86);
  EXPECT_EQ(DiagCommandByte(Iaw15RC, 0), 0x83);
  WindowBench b(IawP8, kByteProtocolBaud);
  ScreenModel window;
  DiagModeRunner runner(window, b.Services());
  EXPECT_EQ(runner.Run(1), DiagModeOutcome::kNone);
  EXPECT_TRUE(b.WrittenBytes().empty());
}

}  // namespace
}  // namespace velkor
