// The slow wake-up on the bench, in virtual time: the address byte drawn with the break, and the
// inverted key byte sent back when the ECU answered.
#include "session/five_baud.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "core/ctime_it.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_ecu.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

using sim::LineLevel;
using sim::Nanos;
using std::chrono::milliseconds;

class FiveBaudTest : public ::testing::Test {
 protected:
  void SetUp() override {
    trace_path_ = std::filesystem::path(::testing::TempDir()) /
                  (std::string("five_baud_") +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log");
    ASSERT_TRUE(trace_.Open(trace_path_));
    state_.EcuType = Iaw59M5AM;
    uart_.Configure(10400);
    exchange_.SetKLinePort(&uart_);
  }
  // The text of the trace file's last line, after its time stamp.
  std::string LastTimedLine() const {
    std::ifstream in(trace_path_, std::ios::binary);
    std::string line;
    std::string last;
    while (std::getline(in, line)) last = line;
    if (!last.empty() && last.back() == '\r') last.pop_back();
    const std::size_t colon = last.find(": ");
    return colon == std::string::npos ? "" : last.substr(colon + 2);
  }
  void TearDown() override {
    trace_.Close();
    std::filesystem::remove(trace_path_);
  }

  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  sim::KLineBus bus_{clock_};
  sim::TesterUart uart_{clock_, bus_};
  sim::ScriptedEcu ecu_{clock_, bus_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  CTimeIt watch_{clock_};
  TraceLog trace_{watch_};
  std::filesystem::path trace_path_;
  LinkState state_;
  Exchange exchange_{state_, clock_, loop_, *reply_timer_, trace_};
};

// Levels after the start bit, in bit times, starting low when bit 0 is a zero.
TEST_F(FiveBaudTest, DrawsTheAddressLeastSignificantBitFirstInWholeBitTimes) {
  const struct {
    std::uint16_t address;
    std::vector<int> runs;  // alternating levels after the start bit
    bool first_high;
  } cases[] = {
      {0x10, {4, 1, 3}, false},
      {0x11, {1, 3, 1, 3}, true},
      {0x33, {2, 2, 2, 2}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    clock_.Pause(1.0);
    const Nanos start = clock_.Now();
    Baud5Set(&uart_, clock_, 0.2f, c.address);
    const Nanos end = clock_.Now();

    // Expected changes of the line: low at once, then each run's level at its bit boundary;
    // a first run that is low merges with the start bit.
    std::vector<std::pair<int, bool>> expected = {{0, false}};
    int bit = 1;
    bool high = c.first_high;
    for (const int run : c.runs) {
      if (high != expected.back().second) expected.push_back({bit, high});
      bit += run;
      high = !high;
    }
    expected.push_back({bit, true});
    ASSERT_EQ(bit, 9);

    const auto transitions = bus_.LineTransitions(start - milliseconds(1), end + milliseconds(1));
    ASSERT_EQ(transitions.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(transitions[i].high, expected[i].second);
      // Deadlines are chained from the start, so even the last edge is within a microsecond.
      EXPECT_NEAR(sim::ToSeconds(transitions[i].time - start), 0.2 * expected[i].first, 1e-6);
    }
    EXPECT_NEAR(sim::ToSeconds(end - start), 1.8, 1e-6);
    EXPECT_FALSE(uart_.BreakOn());
  }
}

TEST_F(FiveBaudTest, WithoutACableOnlyTheTimePasses) {
  const Nanos start = clock_.Now();
  Baud5Set(nullptr, clock_, 0.2f, 0x10);
  EXPECT_NEAR(sim::ToSeconds(clock_.Now() - start), 1.8, 1e-6);
  EXPECT_TRUE(bus_.LineTransitions(start, clock_.Now()).empty());
}

// The ECU's answer after the address, against the confirmation the tester sends back.
TEST_F(FiveBaudTest, ConfirmsTheSecondKeyByteInvertedOnlyWhenItFollowsTheSync) {
  const struct {
    const char* name;
    HexMessage ecu_bytes;  // sent 100 ms after the address byte is over; "" is silence
    HexMessage answer;
    std::optional<std::uint8_t> confirmation;
  } cases[] = {
      {"sync and key bytes", "550808", "550808", 0xF7},
      {"other key bytes", "55EF8F", "55EF8F", 0x70},
      {"too short after the sync", "0055", "0055", std::nullopt},
      // Only three bytes are taken, so a stray byte first leaves the second key byte out.
      {"stray byte first", "00550808", "005508", std::nullopt},
      {"silence", "", "", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clock_.Pause(1.0);
    uart_.ClearWritten();
    const Nanos start = clock_.Now();
    // 0.4 s idle, then 9 bit times of 0.2 s before the line is released.
    if (!c.ecu_bytes.empty()) ecu_.SendAt(start + milliseconds(2300), c.ecu_bytes);

    const auto sent = FiveBaudWakeUp(exchange_, &uart_, clock_, trace_);

    EXPECT_EQ(sent, c.confirmation);
    EXPECT_EQ(LastTimedLine(), "Init 5 baud par bites apres 10 : " + c.answer);
    // The address byte began after 0.4 s of idle line.
    const auto first_edge = bus_.NextFallingEdge(start);
    ASSERT_TRUE(first_edge.has_value());
    EXPECT_NEAR(sim::ToSeconds(*first_edge - start), 0.4, 1e-6);
    if (c.confirmation) {
      ASSERT_EQ(uart_.Written().size(), 1u);
      EXPECT_EQ(uart_.Written()[0].byte, *c.confirmation);
      // 32 ms after the answer was in (its last byte's stop bit), give or take a turn.
      const Nanos answered = ecu_.Sent().back().end;
      const double delay = sim::ToSeconds(uart_.Written()[0].start - answered);
      EXPECT_GE(delay, 0.032);
      EXPECT_LT(delay, 0.034);
      // Then 0.1 s of quiet before the caller goes on.
      EXPECT_GE(sim::ToSeconds(clock_.Now() - uart_.Written()[0].start), 0.1);
    } else {
      EXPECT_TRUE(uart_.Written().empty());
    }
  }
}

TEST_F(FiveBaudTest, TestModeCannedAnswerHoldsNoSyncSoNothingIsSent) {
  state_.TestMode = true;
  EXPECT_EQ(FiveBaudWakeUp(exchange_, &uart_, clock_, trace_), std::nullopt);
  EXPECT_EQ(LastTimedLine(), "Init 5 baud par bites apres 10 : 0000EF8F");
  EXPECT_TRUE(uart_.Written().empty());
}

}  // namespace
}  // namespace velkor
