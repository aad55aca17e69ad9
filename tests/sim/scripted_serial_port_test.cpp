#include "sim/scripted_serial_port.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor::sim {
namespace {

using namespace std::chrono_literals;

class ScriptedSerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(port_.Open("/dev/ttyUSB0", "38400,n,8,1")); }

  VirtualClock clock_;
  VirtualEventLoop loop_{clock_};
  ScriptedSerialPort port_{clock_};
};

TEST_F(ScriptedSerialPortTest, AnswerArrivesInChunksAsTimePasses) {
  port_.Expect("0100", {{0.05, "0100\rSEARCHING...\r"}, {0.9, "41 00 BE 1F B8 10\r\r>"}});
  port_.Write("0100\r\n");

  clock_.AdvanceTo(50ms - 1ns);
  EXPECT_EQ(port_.BytesWaiting(), 0u);
  clock_.AdvanceTo(50ms);  // device events: a pause sees the driver's queue fill
  EXPECT_EQ(port_.ReadAll(), "0100\rSEARCHING...\r");
  EXPECT_EQ(port_.ReadAll(), "");

  // A wait loop that gives turns until the prompt sees the rest at 950 ms.
  std::string text;
  while (text.find('>') == std::string::npos) {
    loop_.GiveTurn();
    text += port_.ReadAll();
  }
  EXPECT_EQ(text, "41 00 BE 1F B8 10\r\r>");
  EXPECT_EQ(clock_.Now(), 950ms);
  EXPECT_EQ(port_.Commands(), std::vector<std::string>{"0100"});
  EXPECT_EQ(port_.Written(), "0100\r\n");
}

TEST_F(ScriptedSerialPortTest, CommandIsTakenWhenItsCarriageReturnArrives) {
  port_.Expect("ATZ", "ELM327 v1.5\r\r>");
  port_.Write("AT");
  clock_.Pause(0.1);
  EXPECT_EQ(port_.BytesWaiting(), 0u);
  port_.Write("Z\r");
  clock_.Pause(0.0);
  EXPECT_EQ(port_.ReadAll(), "ELM327 v1.5\r\r>");
}

TEST_F(ScriptedSerialPortTest, UnscriptedCommandGetsNoAnswer) {
  port_.Expect("ATE0", "OK\r\r>");
  port_.Write("ATZ\r\n");
  clock_.Pause(1.0);
  EXPECT_EQ(port_.BytesWaiting(), 0u);
  EXPECT_EQ(port_.Mismatches(), 1);
  EXPECT_EQ(port_.StepsLeft(), 1u);
  port_.Write("ATE0\r\n");
  clock_.Pause(0.0);
  EXPECT_EQ(port_.ReadAll(), "OK\r\r>");
}

TEST_F(ScriptedSerialPortTest, TextDueWhileClosedIsLost) {
  port_.Expect("", "OK\r\r>", 0.1);  // any command
  port_.Write("ATL0\r");
  port_.Close();
  EXPECT_FALSE(port_.Write("ATL0\r"));
  ASSERT_TRUE(port_.Open("/dev/ttyUSB0", "38400,n,8,1"));
  clock_.Pause(0.2);
  EXPECT_EQ(port_.BytesWaiting(), 0u);
  EXPECT_EQ(port_.OpenCount(), 2);
}

TEST_F(ScriptedSerialPortTest, UnpromptedTextArrives) {
  port_.DeliverAfter(0.02, "\x01\x02");
  clock_.Pause(0.02);
  EXPECT_EQ(port_.ReadAll(), std::string("\x01\x02"));
}

TEST(ScriptedSerialPortOpenTest, OpenFailureIsReportedWithItsText) {
  VirtualClock clock;
  ScriptedSerialPort port(clock);
  port.SetOpenFailure("Port not found: /dev/rfcomm0");
  EXPECT_FALSE(port.Open("/dev/rfcomm0", "38400,n,8,1"));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.LastError(), "Port not found: /dev/rfcomm0");
  EXPECT_FALSE(port.Write("ATZ\r"));

  port.SetOpenFailure("");
  EXPECT_TRUE(port.Open("/dev/rfcomm0", "38400,n,8,1"));
  EXPECT_EQ(port.Settings(), "38400,n,8,1");
  EXPECT_FALSE(port.Open("/dev/rfcomm0", "38400,n,8,1"));  // already open
  EXPECT_TRUE(port.IsOpen());
}

}  // namespace
}  // namespace velkor::sim
