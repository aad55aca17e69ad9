// The exchange's wait for a reply whose length only its frame tells (SendReceiveFrame): it ends
// when the whole frame has come, however long, and not before; against the bench in virtual time.
#include "link/exchange.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/ctime_it.hpp"
#include "core/trace_log.hpp"
#include "link/frame.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_ecu.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

constexpr int kTimeoutMs = 1000;
constexpr int kMaxBytes = 260;  // the longest KWP frame: 255 data bytes after a length byte

// A reply frame from F110; beyond 63 data bytes format byte 80 and a length byte.
HexMessage ReplyFrame(const std::string& data) {
  if (ByteLength(data) <= 63) return FrameKwp(data, "F110");
  const HexMessage frame = "80F110" + ByteToHex(static_cast<int>(ByteLength(data))) + data;
  return frame + CheckSum(frame);
}

// The list of stored codes: 58, the count, one three-byte record per code.
HexMessage CodeList(int codes) {
  std::string data = "58" + ByteToHex(codes);
  for (int i = 0; i < codes; ++i) data += ByteToHex(i) + "2224";
  return ReplyFrame(data);
}

class SendReceiveFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state_.EcuType = Iaw59M5AM;
    uart_.Configure(10400);
    exchange_.SetKLinePort(&uart_);
  }

  HexMessage Send(int max_bytes = kMaxBytes) {
    const sim::Nanos start = clock_.Now();
    HexMessage answer = exchange_.SendReceiveFrame("1800FF00", "", max_bytes, kTimeoutMs);
    elapsed_ = sim::ToSeconds(clock_.Now() - start);
    return answer;
  }

  static HexMessage Request() { return FrameKwp("1800FF00", "10F1"); }

  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  sim::KLineBus bus_{clock_};
  sim::TesterUart uart_{clock_, bus_};
  sim::ScriptedEcu ecu_{clock_, bus_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  CTimeIt watch_{clock_};
  TraceLog trace_{watch_};
  LinkState state_;
  Exchange exchange_{state_, clock_, loop_, *reply_timer_, trace_};
  double elapsed_ = 0;
};

TEST_F(SendReceiveFrameTest, WaitEndsWithTheFrameWhateverItsLength) {
  const HexMessage pending = FrameKwp("7F1878", "F110");
  const struct {
    const char* name;
    std::vector<HexMessage> replies;  // sent one after the other
    HexMessage answer;
    bool waits_for_timeout;
  } cases[] = {
      {"no code", {CodeList(0)}, CodeList(0), false},
      {"two codes", {CodeList(2)}, CodeList(2), false},
      // 77 data bytes: a length byte follows the addresses.
      {"25 codes", {CodeList(25)}, CodeList(25), false},
      {"stray byte first", {"00" + CodeList(2)}, "00" + CodeList(2), false},
      {"refusal", {FrameKwp("7F1831", "F110")}, FrameKwp("7F1831", "F110"), false},
      {"response pending, then the list", {pending, CodeList(3)}, CodeList(3), false},
      // Nothing says the frame is whole: the wait runs to its end and keeps what came.
      {"cut short", {CodeList(25).substr(0, 40)}, CodeList(25).substr(0, 40), true},
      {"wrong checksum",
       {CodeList(2).substr(0, 22) + "00"},
       CodeList(2).substr(0, 22) + "00",
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sim::EcuStep step = sim::EcuStep::Reply(Request(), c.replies.front());
    for (std::size_t i = 1; i < c.replies.size(); ++i) step.Then(c.replies[i], 0.05);
    ASSERT_FALSE(c.replies.back().empty());
    ecu_.Add(step);
    EXPECT_EQ(Send(), c.answer);
    if (c.waits_for_timeout) {
      EXPECT_GE(elapsed_, kTimeoutMs / 1000.0);
    } else {
      EXPECT_LT(elapsed_, 0.5);
    }
    clock_.Pause(0.3);  // anything late is the next exchange's to drain
  }
  EXPECT_EQ(ecu_.Mismatches(), 0);
}

TEST_F(SendReceiveFrameTest, AnswerHoldsAtMostMaxBytes) {
  ecu_.Expect(Request(), CodeList(25));
  EXPECT_EQ(Send(20), CodeList(25).substr(0, 40));
  EXPECT_LT(elapsed_, 0.5);  // twenty bytes came: no need to wait for more
}

TEST_F(SendReceiveFrameTest, TestModeGivesTheCannedAnswer) {
  state_.TestMode = true;
  EXPECT_EQ(exchange_.SendReceiveFrame("1800FF00", CodeList(2), kMaxBytes, kTimeoutMs),
            CodeList(2));
  EXPECT_TRUE(uart_.Written().empty());
}

}  // namespace
}  // namespace velkor
