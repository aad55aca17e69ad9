// The diagnostic, test and trimmer modes of the byte families 0 to 2 on the bench: the answers a
// tester gets, the end byte a test sends of its own accord, and the actuator log.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"
#include "sim/engine_model.hpp"
#include "sim/family_ecus.hpp"
#include "sim/kline_bus.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {
namespace {

using EndedBy = ActuatorActivation::EndedBy;

class ByteModesTest : public ::testing::Test {
 protected:
  ByteFamilyEcu& Connect(int family, ByteFamilySettings settings = {}) {
    ecu_ = std::make_unique<ByteFamilyEcu>(clock_, bus_, engine_, family, settings);
    uart_.Configure(FamilyBaud(family));
    return *ecu_;
  }
  // One byte out; what came back after its echo within `wait` seconds.
  HexMessage Send(const char* byte, double wait = 0.05) {
    Listen(0);
    clock_.Pause(0.006);
    uart_.WriteByte(static_cast<std::uint8_t>(HexToByte(byte)));
    return Mid(Listen(wait), 3);
  }
  // Whatever the line brings in `seconds`.
  HexMessage Listen(double seconds) {
    clock_.Pause(seconds);
    return BytesToHex(uart_.Read(uart_.BytesWaiting()));
  }
  double Now() const { return ToSeconds(clock_.Now()); }

  VirtualClock clock_;
  KLineBus bus_{clock_};
  TesterUart uart_{clock_, bus_, 7812};
  FixedEngine engine_{EngineState{.rpm = 0, .pressure_hpa = 1013, .battery_v = 12.6}};
  std::unique_ptr<ByteFamilyEcu> ecu_;
};

TEST_F(ByteModesTest, EachTestEndsByItselfAfterItsTime) {
  const struct {
    int family;
    const char* command;
    double seconds;
  } cases[] = {{Iaw16M, "86", 5},  {Iaw16M, "80", 30}, {Iaw16M, "83", 5}, {Iaw15M, "85", 5},
               {Iaw15M, "80", 30}, {Iaw15M, "86", 5},  {Iaw15RC, "87", 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    ByteFamilyEcu& ecu = Connect(c.family);
    EXPECT_EQ(Send("AA"), "AA");
    EXPECT_EQ(Send(c.command), c.command);
    const double on = ecu.ActuatorLog().back().on_s;
    EXPECT_EQ(ecu.Mode(), ByteMode::kTestRunning);
    EXPECT_EQ(Send("01"), "");  // no live data, no other command meanwhile
    EXPECT_EQ(Listen(c.seconds - 0.2), "");
    EXPECT_EQ(Listen(0.3), "FF");
    EXPECT_EQ(ecu.Mode(), ByteMode::kDiagnostic);
    EXPECT_TRUE(ecu.InDiagnosticMode());
    EXPECT_EQ(Send("FF"), "FF");
    EXPECT_EQ(ecu.Mode(), ByteMode::kNormal);
    ASSERT_EQ(ecu.ActuatorLog().size(), 1u);
    const ActuatorActivation& a = ecu.ActuatorLog().front();
    EXPECT_EQ(a.id, HexToByte(c.command));
    EXPECT_NEAR(*a.off_s - on, c.seconds, 1e-9);
    EXPECT_EQ(a.ended_by, EndedBy::kEcu);
  }
}

TEST_F(ByteModesTest, EndByteOverriddenOrNone) {
  ByteFamilySettings failing;
  failing.end_byte_override = 0xEE;
  Connect(Iaw16M, failing);
  Send("AA");
  EXPECT_EQ(Send("82"), "82");
  EXPECT_EQ(Listen(6), "EE");

  ByteFamilySettings silent;
  silent.silent_end = true;
  ByteFamilyEcu& ecu = Connect(Iaw15M, silent);
  Send("AA");
  EXPECT_EQ(Send("81"), "81");
  EXPECT_EQ(Listen(10), "");
  EXPECT_EQ(ecu.Mode(), ByteMode::kDiagnostic);  // the test is over, the mode is not
  EXPECT_EQ(ecu.ActuatorLog().back().ended_by, EndedBy::kEcu);
}

TEST_F(ByteModesTest, FfEndsARunningTestAndNothingComesAfter) {
  ByteFamilyEcu& ecu = Connect(Iaw16M);
  Send("AA");
  Send("80");
  Listen(3);
  EXPECT_EQ(Send("FF"), "FF");
  const double off = ecu.ActuatorLog().back().off_s.value_or(-1);
  EXPECT_EQ(ecu.Mode(), ByteMode::kNormal);
  EXPECT_EQ(Listen(40), "");  // the pump's end byte is not sent after all
  EXPECT_EQ(ecu.ActuatorLog().back().ended_by, EndedBy::kTester);
  EXPECT_NEAR(off, ecu.Requests().back().end.count() / 1e9, 1e-9);
}

TEST_F(ByteModesTest, WhatTheModesDoNotTake) {
  ByteFamilyEcu& ecu = Connect(Iaw16M);
  EXPECT_EQ(Send("86"), "");  // a test command outside the diagnostic mode
  engine_.state.rpm = 1200;
  EXPECT_EQ(Send("AA"), "");  // the engine runs
  EXPECT_EQ(ecu.Mode(), ByteMode::kNormal);
  EXPECT_EQ(Send("0F"), "");  // the 16M has no trimmer
  engine_.state.rpm = 0;
  EXPECT_EQ(Send("AA"), "AA");
  EXPECT_EQ(Send("88"), "");  // no command
  EXPECT_EQ(Send("8D"), "");  // no trimmer mode on the 16M
  EXPECT_EQ(Send("AA"), "");
  engine_.state.rpm = 1200;  // started in the diagnostic mode: no test
  EXPECT_EQ(Send("80"), "");
  EXPECT_EQ(ecu.Mode(), ByteMode::kDiagnostic);
  EXPECT_TRUE(ecu.ActuatorLog().empty());
}

// A command a fault refuses is not carried out either: silence, and nothing switched on.
TEST_F(ByteModesTest, RefusedCommandDrivesNothing) {
  ByteFamilyEcu& ecu = Connect(Iaw15M);
  ecu.AddFault({.request = "80", .negative = 0x22, .times = 1});
  Send("AA");
  EXPECT_EQ(Send("80"), "");
  EXPECT_EQ(ecu.Mode(), ByteMode::kDiagnostic);
  EXPECT_TRUE(ecu.ActuatorLog().empty());
  EXPECT_EQ(Send("80"), "80");
}

TEST_F(ByteModesTest, TrimmerModeEchoesAndStoresOnlyWhenTheEngineRan) {
  const struct {
    const char* name;
    bool running_at_first_ff;
    double gap;         // seconds between the two FF
    const char* after;  // address 0F afterwards
    ByteMode mode;      // after the second FF
  } cases[] = {
      {"stored", true, 0.5, "85", ByteMode::kNormal},
      {"engine off", false, 0.5, "81", ByteMode::kNormal},
      {"too slow", true, 2.5, "81", ByteMode::kTrimmer},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    engine_.state.rpm = 0;
    ByteFamilyEcu& ecu = Connect(Iaw15RC);
    EXPECT_EQ(Send("0F"), "81");
    EXPECT_EQ(Send("AA"), "AA");
    EXPECT_EQ(Send("8D"), "8D");
    EXPECT_EQ(ecu.Mode(), ByteMode::kTrimmer);
    engine_.state.rpm = 1200;
    EXPECT_EQ(Send("82"), "82");
    EXPECT_EQ(Send("13"), "13");  // every byte is a value here, an address too
    EXPECT_EQ(Send("85"), "85");
    EXPECT_EQ(Send("00"), "");
    EXPECT_EQ(ecu.TrimmerTemporary(), 0x85);
    if (!c.running_at_first_ff) engine_.state.rpm = 0;
    EXPECT_EQ(Send("FF"), "FF");
    engine_.state.rpm = 1200;
    Listen(c.gap);
    EXPECT_EQ(Send("FF"), "FF");
    EXPECT_EQ(ecu.Mode(), c.mode);
    if (c.mode == ByteMode::kTrimmer) continue;
    EXPECT_EQ(Send("0F"), c.after);
    EXPECT_EQ(ecu.Settings().trimmer_raw, HexToByte(c.after));
  }
}

TEST_F(ByteModesTest, TrimmerModeNeedsTheEngineStopped) {
  ByteFamilyEcu& ecu = Connect(Iaw15M);
  EXPECT_EQ(Send("AA"), "AA");
  engine_.state.rpm = 1200;
  EXPECT_EQ(Send("8D"), "");
  EXPECT_EQ(ecu.Mode(), ByteMode::kDiagnostic);
}

TEST_F(ByteModesTest, IgnitionOffEndsTestAndTrimmerMode) {
  ByteFamilyEcu& ecu = Connect(Iaw15M);
  Send("AA");
  Send("80");
  Listen(2);
  ecu.SetIgnition(false);
  const double off = Now();
  ecu.SetIgnition(true);
  EXPECT_EQ(ecu.Mode(), ByteMode::kNormal);
  EXPECT_EQ(ecu.ActuatorLog().back().ended_by, EndedBy::kEcu);
  EXPECT_DOUBLE_EQ(*ecu.ActuatorLog().back().off_s, off);
  EXPECT_EQ(Listen(40), "");

  Send("AA");
  Send("8D");
  EXPECT_EQ(Send("90"), "90");
  EXPECT_EQ(ecu.TrimmerRaw(), 0x90);
  ecu.SetIgnition(false);
  ecu.SetIgnition(true);
  EXPECT_EQ(ecu.Mode(), ByteMode::kNormal);
  EXPECT_EQ(Send("0F"), "81");
}

}  // namespace
}  // namespace velkor::sim
