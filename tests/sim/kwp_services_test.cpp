// Family 4's actuator tests, routines, trimmer and stepper on the bench: the answers a tester
// gets with the engine stopped or running, and what the ECU did meanwhile (its actuator log).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"
#include "link/frame.hpp"
#include "sim/engine_model.hpp"
#include "sim/family_ecus.hpp"
#include "sim/kline_bus.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {
namespace {

using namespace std::chrono_literals;
using EndedBy = ActuatorActivation::EndedBy;

constexpr const char* k5AmName = "IAW5AMHW010S";
constexpr const char* k59MName = "IAW59MHW010S";

EngineState Engine(bool running) {
  EngineState state;
  state.rpm = running ? 1200 : 0;
  return state;
}

TEST(SwitchableEngineTest, FollowsItsScriptAndStopsEverythingThatTurns) {
  FixedEngine running(EngineState{.rpm = 1200,
                                  .throttle_deg = 3,
                                  .throttle_percent = 4,
                                  .pressure_hpa = 400,
                                  .injection_ms = 3,
                                  .advance_deg = 12,
                                  .coolant_c = 85,
                                  .battery_v = 14.1});
  SwitchableEngine engine(running);
  engine.StartAt(20s);
  engine.StopAt(10s);
  engine.StopAt(30s);
  const struct {
    Nanos t;
    bool running;
  } cases[] = {{0s, true}, {9s, true}, {10s, false}, {19s, false}, {20s, true}, {30s, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.t.count());
    EXPECT_EQ(engine.RunningAt(c.t), c.running);
    EXPECT_EQ(EngineRunning(engine.At(c.t)), c.running);
  }
  const EngineState stopped = engine.At(15s);
  EXPECT_EQ(stopped.rpm, 0);
  EXPECT_EQ(stopped.injection_ms, 0);
  EXPECT_EQ(stopped.throttle_deg, 0);
  EXPECT_EQ(stopped.advance_deg, 0);
  EXPECT_EQ(stopped.pressure_hpa, 1013);
  EXPECT_EQ(stopped.coolant_c, 85);  // the rest from the wrapped engine
  EXPECT_EQ(stopped.battery_v, 14.1);

  engine.SetRunning(false);  // the script is dropped
  EXPECT_FALSE(engine.RunningAt(25s));
  engine.SetRunning(true);
  EXPECT_TRUE(engine.RunningAt(15s));
}

// One request against a fresh ECU: the engine stopped or running, a 5AM or a 59M.
TEST(KwpServicesTest, AnswersWithTheEngineStoppedOrRunning) {
  const struct {
    const char* name;
    bool running;
    bool five_am;
    const char* payload;
    const char* reply;
    std::function<void(KwpEngineSettings&)> setup = nullptr;
  } cases[] = {
      {"phase stopped", false, false, "2157", "615702"},
      {"phase running", true, false, "2157", "615704"},
      {"phase stall", false, false, "2157", "615708",
       [](KwpEngineSettings& s) { s.engine_phase = 0x08; }},
      {"immobiliser ok", false, false, "2174", "617400"},
      {"immobiliser set", false, false, "2174", "617482",
       [](KwpEngineSettings& s) { s.immobiliser = 0x82; }},
      {"pump on", false, false, "300507", "700507"},
      {"pump refused running", true, false, "300507", "7F3022"},
      {"pump running allowed", true, false, "300507", "700507",
       [](KwpEngineSettings& s) { s.refuse_tests_while_running = false; }},
      {"pump off running", true, false, "300500", "700500"},
      {"fan 2 on", false, false, "300D07", "700D07"},
      {"unknown id", false, false, "301007", "7F3031"},
      {"unknown parameter", false, false, "300503", "7F3031"},
      {"too short", false, false, "3005", "7F3012"},
      {"too long", false, false, "30050700", "7F3012"},
      {"service reset 5AM", false, true, "302007", "702007"},
      {"service reset running", true, true, "302007", "7F3022"},
      {"service reset 59M", false, false, "302007", "7F3031"},
      {"stepper 5AM", true, true, "300407", "700407"},
      {"stepper stopped", false, true, "300407", "7F3022"},
      {"stepper 59M", true, false, "300407", "7F3031"},
      {"stepper position 5AM", false, true, "216C", "616C96"},
      {"stepper position 59M", false, false, "216C", "7F2131"},
      {"trimmer", true, false, "213D", "613D0925"},
      {"tps reset", false, false, "3121", "7121"},
      {"tps reset running", true, false, "3121", "7F3122"},
      {"tps reset refused", false, false, "3121", "7F3133",
       [](KwpEngineSettings& s) { s.tps_reset_refusal = 0x33; }},
      {"tps result before start", false, false, "3321", "7F3324"},
      {"other routine", false, false, "3122", "7F3131"},
      {"routine too long", false, false, "312100", "7F3112"},
      {"name 5AM", false, true, "1A92",
       "5A92"
       "49415735414D485730313053"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KwpEngineSettings settings;
    settings.ecu_name = c.five_am ? k5AmName : k59MName;
    if (c.setup) c.setup(settings);
    KwpEngineResponder ecu(settings);
    EXPECT_EQ(ecu.Respond(c.payload, Engine(c.running), 1s), c.reply);
  }
  // Without a name the ECU has no 1A 92 record.
  EXPECT_EQ(KwpEngineResponder().Respond("1A92", Engine(false), 1s), "7F1A31");
}

TEST(KwpServicesTest, ThrottleSensorResetGivesOneResultPerStart) {
  KwpEngineResponder ecu;
  const EngineState stopped = Engine(false);
  EXPECT_EQ(ecu.Respond("3121", stopped, 1s), "7121");
  EXPECT_EQ(ecu.Respond("3321", stopped, 8s), "732100");
  EXPECT_EQ(ecu.Respond("3321", stopped, 9s), "7F3324");
  EXPECT_EQ(ecu.Respond("3121", stopped, 10s), "7121");
  ecu.PowerDown(11s);  // the key turned off forgets the routine
  EXPECT_EQ(ecu.Respond("3321", stopped, 12s), "7F3324");
  EXPECT_EQ(ecu.TpsResetStarts(), 2);
  EXPECT_EQ(ecu.TpsResetResults(), 1);
}

TEST(KwpServicesTest, ActuatorLogOfTesterAndEcuEnds) {
  KwpEngineSettings settings;
  settings.actuator_limits[0x02] = std::nullopt;  // coil 1 never stops by itself
  KwpEngineResponder ecu(settings);
  const EngineState stopped = Engine(false);
  auto ask = [&](const char* payload, Nanos at) { return ecu.Respond(payload, stopped, at); };

  EXPECT_EQ(ask("300500", 500ms), "700500");  // nothing on: answered, nothing logged
  EXPECT_EQ(ask("300507", 1s), "700507");
  EXPECT_TRUE(ecu.ActuatorOn(0x05, 2s));
  EXPECT_EQ(ask("300500", 5s), "700500");
  EXPECT_FALSE(ecu.ActuatorOn(0x05, 5s));
  EXPECT_EQ(ask("300607", 10s), "700607");  // rev counter: 4 s of the ECU's own
  EXPECT_TRUE(ecu.ActuatorOn(0x06, 13900ms));
  EXPECT_FALSE(ecu.ActuatorOn(0x06, 14s));
  EXPECT_EQ(ask("300600", 20s), "700600");  // after the ECU's end: changes nothing
  EXPECT_EQ(ask("300E07", 30s), "700E07");
  EXPECT_EQ(ask("300E07", 35s), "700E07");  // already on: the same activation, not restarted
  EXPECT_EQ(ask("300207", 40s), "700207");
  EXPECT_EQ(ask("300807", 41s), "700807");
  ecu.PowerDown(43s);
  EXPECT_EQ(ask("300907", 50s), "700907");

  const std::vector<ActuatorActivation> expected = {
      {0x05, 1, 5.0, EndedBy::kTester}, {0x06, 10, 14.0, EndedBy::kEcu},
      {0x0E, 30, 42.0, EndedBy::kEcu},  {0x02, 40, 43.0, EndedBy::kEcu},
      {0x08, 41, 43.0, EndedBy::kEcu},  {0x09, 50, std::nullopt, EndedBy::kNever},
  };
  const std::vector<ActuatorActivation>& log = ecu.ActuatorLog(55s);
  ASSERT_EQ(log.size(), expected.size());
  for (std::size_t i = 0; i < log.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(log[i].id, expected[i].id);
    EXPECT_DOUBLE_EQ(log[i].on_s, expected[i].on_s);
    EXPECT_EQ(log[i].off_s, expected[i].off_s);
    EXPECT_EQ(log[i].ended_by, expected[i].ended_by);
  }
}

TEST(KwpServicesTest, TrimmerTemporaryStoredAndPowerCycle) {
  KwpEngineResponder ecu;
  const EngineState idle = Engine(true);
  auto ask = [&](const char* payload) { return ecu.Respond(payload, idle, 1s); };
  EXPECT_EQ(ask("213D"), "613D0925");
  EXPECT_EQ(ask("3015070C"), "7015070C");
  EXPECT_EQ(ask("213D"), "613D0C25");
  EXPECT_EQ(ask("3015050B"), "7F3022");  // not the value it runs with
  EXPECT_EQ(ecu.Settings().trimmer_stored, 9);
  EXPECT_EQ(ask("3015050C"), "7015050C");
  EXPECT_EQ(ecu.Settings().trimmer_stored, 12);
  EXPECT_EQ(ask("301507FF"), "701507FF");  // -1, running with it but not stored
  ecu.PowerDown(2s);
  EXPECT_EQ(ask("213D"), "613D0C25");
  EXPECT_EQ(ask("301505FF"), "7F3022");  // the temporary value went with the power
  EXPECT_EQ(ask("3015077F"), "7015077F");
  EXPECT_EQ(ask("3015057F"), "7F3022");  // beyond what it can store
  EXPECT_EQ(ask("301503"), "7F3012");
  EXPECT_EQ(ask("30150300"), "7F3031");

  std::vector<std::string> seen;
  for (const TrimmerCommand& c : ecu.TrimmerLog()) {
    seen.push_back(ByteToHex(c.control) + ByteToHex(c.value) + (c.accepted ? "+" : "-"));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"070C+", "050B-", "050C+", "07FF+", "05FF-", "077F+",
                                            "057F-", "0300-"}));
}

TEST(KwpServicesTest, StepperSweepsWhileItsTestRuns) {
  KwpEngineSettings settings;
  settings.ecu_name = k5AmName;
  KwpEngineResponder ecu(settings);
  const EngineState idle = Engine(true);
  EXPECT_EQ(ecu.StepperPosition(0s), 150);
  EXPECT_EQ(ecu.Respond("300407", idle, 10s), "700407");
  EXPECT_EQ(ecu.StepperPosition(11s), 195);
  EXPECT_EQ(ecu.StepperPosition(12s), 160);
  int low = 255;
  int high = 0;
  for (Nanos t = 10s; t < 42s; t += 10ms) {
    const int p = ecu.StepperPosition(t);
    low = std::min(low, p);
    high = std::max(high, p);
  }
  EXPECT_EQ(low, 20);
  EXPECT_EQ(high, 200);
  EXPECT_EQ(ecu.Respond("216C", idle, 42s), "616C96");  // the ECU's 32 s are over
  EXPECT_EQ(ecu.ActuatorLog(42s).back().ended_by, EndedBy::kEcu);
  EXPECT_DOUBLE_EQ(*ecu.ActuatorLog(42s).back().off_s, 42);

  EXPECT_EQ(ecu.Respond("300407", idle, 50s), "700407");
  EXPECT_EQ(ecu.Respond("300400", idle, 53s), "700400");
  EXPECT_EQ(ecu.StepperPosition(54s), 150);
  EXPECT_EQ(ecu.ActuatorLog(54s).back().ended_by, EndedBy::kTester);
}

// On the line: times are those of the requests' ends; a refused request is not carried out, one
// whose reply is lost is; the ignition off ends what is on.
class KwpEcuOnTheLineTest : public ::testing::Test {
 protected:
  HexMessage Ask(const HexMessage& payload) {
    uart_.Read(uart_.BytesWaiting());
    const HexMessage request = FrameKwp(payload, "10F1");
    for (std::uint8_t byte : HexToBytes(request)) {
      clock_.Pause(0.006);
      uart_.WriteByte(byte);
    }
    clock_.Pause(0.2);
    return Mid(BytesToHex(uart_.Read(uart_.BytesWaiting())), request.size() + 1);
  }

  VirtualClock clock_;
  KLineBus bus_{clock_};
  TesterUart uart_{clock_, bus_, 10400};
  FixedEngine engine_{Engine(false)};
  KwpEngineEcu ecu_{clock_, bus_, engine_};
};

TEST_F(KwpEcuOnTheLineTest, RefusedNotDoneLostDoneIgnitionEnds) {
  ecu_.AddFault({.request = "300507", .negative = 0x22, .times = 1});
  EXPECT_EQ(Ask("300507"), FrameKwp("7F3022", "F110"));
  EXPECT_FALSE(ecu_.ActuatorOn(0x05));
  EXPECT_TRUE(ecu_.ActuatorLog().empty());

  ecu_.AddFault({.request = "300507", .silence = true, .times = 1});
  EXPECT_EQ(Ask("300507"), "");
  EXPECT_TRUE(ecu_.ActuatorOn(0x05));  // the pump runs though the tester heard nothing
  const double on = ecu_.Requests().back().end.count() / 1e9;
  EXPECT_DOUBLE_EQ(ecu_.ActuatorLog().back().on_s, on);

  clock_.Pause(1);
  ecu_.SetIgnition(false);
  EXPECT_FALSE(ecu_.ActuatorOn(0x05));
  EXPECT_EQ(ecu_.ActuatorLog().back().ended_by, EndedBy::kEcu);
  EXPECT_DOUBLE_EQ(*ecu_.ActuatorLog().back().off_s, clock_.Now().count() / 1e9);
}

}  // namespace
}  // namespace velkor::sim
