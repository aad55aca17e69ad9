#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/kline_bus.hpp"
#include "sim/tester_uart.hpp"
#include "sim/uart.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {
namespace {

using namespace std::chrono_literals;

constexpr Nanos kByteAt10400{961538};  // 10 bit times of 96.15 us

TEST(KLineBusTest, LineIsLowWhileAnyDriverIsLow) {
  VirtualClock clock;
  KLineBus bus(clock);
  const auto a = bus.AddDriver("a");
  const auto b = bus.AddDriver("b");
  bus.Drive(a, false, 1ms);
  bus.Drive(b, false, 2ms);
  bus.Drive(a, true, 3ms);
  bus.Drive(b, true, 4ms);

  EXPECT_TRUE(bus.LevelAt(0ms));
  EXPECT_FALSE(bus.LevelAt(1ms));
  EXPECT_FALSE(bus.LevelAt(3ms));  // a let go, b still holds it
  EXPECT_TRUE(bus.LevelAt(4ms));
  EXPECT_EQ(bus.LineTransitions(0ms, 10ms), (std::vector<LineLevel>{{1ms, false}, {4ms, true}}));
  EXPECT_EQ(bus.NextFallingEdge(0ms), 1ms);
  EXPECT_EQ(bus.NextFallingEdge(2ms), std::nullopt);
}

TEST(KLineBusTest, RecordingAgainReplacesTheDriversFuture) {
  VirtualClock clock;
  KLineBus bus(clock);
  const auto a = bus.AddDriver("a");
  bus.DriveSequence(a, {{1ms, false}, {2ms, true}, {5ms, false}, {6ms, true}});
  clock.Pause(0.003);
  bus.Drive(a, false, 4ms);  // the low from 5 ms to 6 ms is gone
  EXPECT_EQ(bus.LineTransitions(0ms, 10ms),
            (std::vector<LineLevel>{{1ms, false}, {2ms, true}, {4ms, false}}));
  // The past cannot be rewritten: a level for an earlier time starts now.
  bus.Drive(a, false, 1ms);
  EXPECT_EQ(bus.LineTransitions(0ms, 10ms),
            (std::vector<LineLevel>{{1ms, false}, {2ms, true}, {3ms, false}}));
}

TEST(KLineBusTest, LongRunsStillDecodeOnceOldHistoryIsPruned) {
  VirtualClock clock;
  KLineBus bus(clock);
  UartTransmitter tx(clock, bus, bus.AddDriver("ecu"), 10400);
  UartReceiver rx(clock, bus, 10400);
  int received = 0;
  rx.SetOnByte([&](std::uint8_t, Nanos) { ++received; });
  // 48 s of 0x55 every 4 ms (10 changes each), well past the 10 s history horizon.
  for (int i = 0; i < 12000; ++i) {
    tx.Send(0x55);
    clock.Pause(0.004);
  }
  EXPECT_EQ(received, 12000);
  EXPECT_EQ(rx.RejectedFrames(), 0);
  EXPECT_TRUE(bus.LevelAt(clock.Now()));
}

// One frame at 10400 baud as line changes: start bit, data LSB first, stop bit.
TEST(UartTest, ByteBecomesItsFrameOnTheLine) {
  struct Case {
    std::uint8_t byte;
    std::vector<int> change_bits;  // bit boundaries where the line changes, starting low
  };
  const std::vector<Case> cases = {
      {0x55, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {0x00, {0, 9}},
      {0xFF, {0, 1}},
      {0xF0, {0, 5}},
      {0x81, {0, 1, 2, 8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "byte " << int(c.byte));
    VirtualClock clock;
    KLineBus bus(clock);
    UartTransmitter tx(clock, bus, bus.AddDriver("tester"), 10400);
    clock.Pause(0.001);
    tx.Send(c.byte);
    std::vector<LineLevel> expected;
    bool high = true;
    for (int bit : c.change_bits) {
      high = !high;
      expected.push_back({1ms + BitOffset(10400, bit), high});
    }
    EXPECT_EQ(bus.LineTransitions(0ms, 10ms), expected);
    EXPECT_EQ(tx.Sent().front().end - tx.Sent().front().start, kByteAt10400);
  }
}

TEST(UartTest, QueuedBytesGoBackToBackOrWithTheirGap) {
  VirtualClock clock;
  KLineBus bus(clock);
  UartTransmitter tx(clock, bus, bus.AddDriver("ecu"), 10400);
  tx.Send({0x01, 0x02, 0x03});
  tx.Send({0x04, 0x05}, 2ms);
  clock.Pause(0.1);
  const std::vector<UartTransmitter::Frame>& sent = tx.Sent();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(sent[0].start, 0ms);
  EXPECT_EQ(sent[1].start, sent[0].end);
  EXPECT_EQ(sent[2].start, sent[1].end);
  EXPECT_EQ(sent[3].start, sent[2].end + 2ms);
  EXPECT_EQ(sent[4].start, sent[3].end + 2ms);
}

// What a receiver makes of one frame sent at another speed. It takes a frame only when the line
// is steady over the middle half of each of its bits: about +-2.5 %. A byte whose last bits do
// not change carries no timing and passes at a wrong speed too, as on a real UART.
TEST(UartTest, ReceiverTakesOnlyFramesAtItsOwnSpeed) {
  struct Case {
    int send_baud;
    int receive_baud;
    std::uint8_t byte;
    bool received;
  };
  const std::vector<Case> cases = {
      {10400, 10400, 0x55, true},   // same speed
      {10400, 10608, 0x55, true},   // +2 %
      {10400, 10192, 0x55, true},   // -2 %
      {10400, 10712, 0x55, false},  // +3 %
      {10400, 10088, 0x55, false},  // -3 %
      {10400, 9600, 0x55, false},   // -8 %
      {10400, 9600, 0x81, false},   // -8 %
      {10400, 9600, 0x00, false},   // -8 %: the stop bit's rise gives it away
      {10400, 9600, 0xFF, true},    // -8 %: only the start bit's end, no timing in it
      {10400, 7812, 0x55, false},   // a 15M request speed against KWP
      {7812, 10400, 0x55, false},   // and the other way
      {1200, 10400, 0x55, false},   // a key byte heard by a KWP receiver
      {1200, 1200, 0x55, true},     // key byte at its own speed
      {200, 200, 0xF0, true},       // wake-up byte at its own speed
      {10400, 10400, 0x00, true},   // all zeros with a good stop bit is a byte, not a break
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.send_baud << " -> " << c.receive_baud << " byte " << int(c.byte));
    VirtualClock clock;
    KLineBus bus(clock);
    UartTransmitter tx(clock, bus, bus.AddDriver("sender"), c.send_baud);
    UartReceiver rx(clock, bus, c.receive_baud);
    std::vector<std::uint8_t> got;
    rx.SetOnByte([&](std::uint8_t b, Nanos) { got.push_back(b); });
    tx.Send(c.byte);
    clock.Pause(0.2);
    if (c.received) {
      EXPECT_EQ(got, std::vector<std::uint8_t>{c.byte});
    } else {
      // A slower sender's frame may look like several frames to a faster receiver.
      EXPECT_TRUE(got.empty());
      EXPECT_GE(rx.RejectedFrames() + rx.FramingErrors(), 1);
    }
  }
}

TEST(UartTest, ReceiverIgnoresFramesOfItsOwnDriver) {
  VirtualClock clock;
  KLineBus bus(clock);
  const auto ecu = bus.AddDriver("ecu");
  UartTransmitter own(clock, bus, ecu, 10400);
  UartTransmitter tester(clock, bus, bus.AddDriver("tester"), 10400);
  UartReceiver rx(clock, bus, 10400);
  rx.IgnoreOwnFrames(ecu);
  std::vector<std::uint8_t> got;
  rx.SetOnByte([&](std::uint8_t b, Nanos) { got.push_back(b); });
  own.Send({0x11, 0x22});
  clock.Pause(0.005);
  tester.Send(0x33);
  clock.Pause(0.005);
  EXPECT_EQ(got, std::vector<std::uint8_t>{0x33});
}

class TesterUartTest : public ::testing::Test {
 protected:
  VirtualClock clock_;
  KLineBus bus_{clock_};
  TesterUart uart_{clock_, bus_};
};

TEST_F(TesterUartTest, WrittenByteIsEchoedWhenItsStopBitEnds) {
  uart_.Configure(10400);
  clock_.Pause(0.006);
  uart_.WriteByte(0x81);
  clock_.AdvanceTo(6ms + kByteAt10400 - 1ns);
  EXPECT_EQ(uart_.BytesWaiting(), 0u);
  clock_.AdvanceTo(6ms + kByteAt10400);
  EXPECT_EQ(uart_.Read(10), std::vector<std::uint8_t>{0x81});
  ASSERT_EQ(uart_.Written().size(), 1u);
  EXPECT_EQ(uart_.Written()[0].start, 6ms);
}

TEST_F(TesterUartTest, BytesWrittenTogetherLeaveBackToBack) {
  uart_.WriteByte(0x12);
  uart_.WriteByte(0x34);
  clock_.Pause(0.0019);
  EXPECT_EQ(uart_.BytesWaiting(), 1u);
  clock_.Pause(0.0001);
  EXPECT_EQ(uart_.Read(1), std::vector<std::uint8_t>{0x12});
  EXPECT_EQ(uart_.Read(5), std::vector<std::uint8_t>{0x34});
  EXPECT_EQ(uart_.Written()[1].start, kByteAt10400);
}

TEST_F(TesterUartTest, BreakHoldsTheLineLowAndIsNoByte) {
  UartReceiver ecu_rx(clock_, bus_, 10400);
  clock_.Pause(0.001);
  uart_.SetBreak(true);
  clock_.Pause(0.025);
  EXPECT_FALSE(bus_.LevelAt(1ms));
  EXPECT_FALSE(bus_.LevelAt(25ms));
  uart_.SetBreak(false);
  clock_.Pause(0.025);
  EXPECT_TRUE(bus_.LevelAt(clock_.Now()));
  EXPECT_EQ(bus_.LineTransitions(0ms, 60ms), (std::vector<LineLevel>{{1ms, false}, {26ms, true}}));
  // One framing error for the whole break, on both sides; nothing queued.
  EXPECT_EQ(uart_.BytesWaiting(), 0u);
  EXPECT_EQ(uart_.FramingErrors(), 1);
  EXPECT_EQ(ecu_rx.FramingErrors(), 1);
}

TEST_F(TesterUartTest, ConfigurePurgesSetsSpeedAndIsAnnounced) {
  uart_.WriteByte(0x01);
  clock_.Pause(0.002);
  uart_.WriteByte(0x02);
  uart_.WriteByte(0x03);  // still queued behind 0x02
  uart_.Configure(7812);
  clock_.Pause(0.01);
  // 0x02 was on the wire already; at the new speed the receiver does not take it.
  EXPECT_EQ(uart_.BytesWaiting(), 0u);
  ASSERT_EQ(uart_.Written().size(), 2u);
  uart_.WriteByte(0x04);
  uart_.SetSpeed(1200);
  uart_.SetSpeed(1200);
  clock_.Pause(0.01);
  ASSERT_EQ(bus_.SpeedLog().size(), 3u);
  EXPECT_EQ(bus_.SpeedLog()[0].baud, 7812);
  EXPECT_TRUE(bus_.SpeedLog()[0].configure);
  EXPECT_EQ(bus_.SpeedLog()[0].time, 2ms);
  EXPECT_EQ(bus_.SpeedLog()[1].baud, 1200);
  EXPECT_FALSE(bus_.SpeedLog()[1].configure);
  EXPECT_EQ(bus_.SpeedLog()[1].who, "tester");
}

TEST_F(TesterUartTest, UnpluggedCableDoesNothing) {
  uart_.Unplug();
  EXPECT_FALSE(uart_.Configure(10400));
  EXPECT_FALSE(uart_.WriteByte(0x81));
  EXPECT_FALSE(uart_.SetBreak(true));
  clock_.Pause(0.01);
  EXPECT_EQ(uart_.BytesWaiting(), 0u);
  EXPECT_TRUE(uart_.Written().empty());
  EXPECT_TRUE(bus_.LevelAt(clock_.Now()));
}

}  // namespace
}  // namespace velkor::sim
