#include "sim/scripted_ecu.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/hex_message.hpp"
#include "link/frame.hpp"
#include "sim/kline_bus.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor::sim {
namespace {

using namespace std::chrono_literals;

constexpr Nanos kByteAt10400{961538};
const HexMessage kRequest = "8210F12130D4";  // 21 30, framed
const HexMessage kReply = "84F1106130000016";

// A tester and a scripted ECU on one line, and a K-line wait written the way the exchange does
// it: 6 ms of idle line before each byte, then read the queue and give a turn until the echo and
// the expected bytes are there or the reply timer ticked. Returns every byte read, echo first.
struct Bench {
  HexMessage Exchange(const HexMessage& frame, int expected, int timeout_ms) {
    std::unique_ptr<Timer> reply_timer = timers_.CreateTimer();
    bool timeout = false;
    reply_timer->SetOnTick([&] { timeout = true; });
    tester_.Read(tester_.BytesWaiting());
    const std::vector<std::uint8_t> bytes = HexToBytes(frame);
    for (std::uint8_t byte : bytes) {
      clock_.Pause(0.006);
      tester_.WriteByte(byte);
    }
    reply_timer->SetInterval(timeout_ms);
    reply_timer->Start();
    std::size_t waiting = 0;
    do {
      waiting = tester_.BytesWaiting();
      loop_.GiveTurn();
    } while (waiting < bytes.size() + expected && !timeout);
    return BytesToHex(tester_.Read(waiting));
  }

  VirtualClock clock_;
  VirtualEventLoop loop_{clock_};
  VirtualTimerService timers_{clock_};
  KLineBus bus_{clock_};
  TesterUart tester_{clock_, bus_};
  ScriptedEcu ecu_{clock_, bus_};
};

class ScriptedEcuTest : public ::testing::Test, protected Bench {};

TEST_F(ScriptedEcuTest, AnswersAfterP2AtItsByteRate) {
  ecu_.Expect(kRequest, kReply);
  EXPECT_EQ(Exchange(kRequest, 6, 600), kRequest + Left(kReply, 12));

  ASSERT_EQ(ecu_.Requests().size(), 1u);
  const ScriptedEcu::Request& request = ecu_.Requests()[0];
  EXPECT_EQ(request.bytes, kRequest);
  EXPECT_TRUE(request.matched);
  EXPECT_EQ(request.start, 6ms);
  EXPECT_EQ(request.end, 36ms + kByteAt10400);
  // The wait ended with the sixth reply byte, long before the time-out.
  const Nanos wait_ended = clock_.Now();
  clock_.Pause(0.01);
  const auto& sent = ecu_.Sent();
  ASSERT_EQ(sent.size(), 8u);
  EXPECT_EQ(wait_ended, sent[5].end);
  EXPECT_EQ(sent[0].start, request.end + 25ms);
  for (std::size_t i = 1; i < sent.size(); ++i) EXPECT_EQ(sent[i].start, sent[i - 1].end);
  EXPECT_EQ(ecu_.StepsLeft(), 0u);
}

TEST_F(ScriptedEcuTest, StepDelayAndP1ShapeTheReply) {
  ecu_.SetP1(0.002);
  ecu_.Add(EcuStep::Reply(kRequest, kReply, 0.040));
  Exchange(kRequest, 8, 600);
  const auto& sent = ecu_.Sent();
  ASSERT_EQ(sent.size(), 8u);
  EXPECT_EQ(sent[0].start, ecu_.Requests()[0].end + 40ms);
  for (std::size_t i = 1; i < sent.size(); ++i) EXPECT_EQ(sent[i].start, sent[i - 1].end + 2ms);
}

TEST_F(ScriptedEcuTest, FaultsAreJustScriptedBytes) {
  const HexMessage negative = FrameKwp("7F2112", "F110");
  const HexMessage stray = "55" + kReply;
  struct Case {
    std::string name;
    EcuStep step;
    HexMessage after_echo;  // what the exchange reads after the 6-byte echo
    bool times_out;
    int mismatches;
  };
  const std::vector<Case> cases = {
      {"normal", EcuStep::Reply(kRequest, kReply), Left(kReply, 12), false, 0},
      {"any request", EcuStep::Reply("", kReply), Left(kReply, 12), false, 0},
      {"lower-case script", EcuStep::Reply("8210f12130d4", kReply), Left(kReply, 12), false, 0},
      {"silence", EcuStep::Silence(kRequest), "", true, 0},
      {"late reply", EcuStep::Reply(kRequest, kReply, 0.8), "", true, 0},
      {"stray byte first", EcuStep::Reply(kRequest, stray), Left(stray, 12), false, 0},
      {"truncated", EcuStep::Reply(kRequest, "84F11061"), "84F11061", true, 0},
      {"negative", EcuStep::Reply(kRequest, negative), Left(negative, 12), false, 0},
      {"other request", EcuStep::Reply("8210F12131D5", kReply), "", true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bench bench;
    bench.ecu_.Add(c.step);
    const HexMessage raw = bench.Exchange(kRequest, 6, 600);
    EXPECT_EQ(raw, kRequest + c.after_echo);
    if (c.times_out) {
      EXPECT_EQ(bench.clock_.Now(), 36ms + 600ms);
    }
    EXPECT_EQ(bench.ecu_.Mismatches(), c.mismatches);
    EXPECT_EQ(bench.ecu_.StepsLeft(), c.mismatches == 0 ? 0u : 1u);
  }
}

TEST_F(ScriptedEcuTest, LateReplyArrivesAfterTheWaitGaveUp) {
  ecu_.Add(EcuStep::Reply(kRequest, kReply, 0.8));
  EXPECT_EQ(Exchange(kRequest, 6, 600), kRequest);
  clock_.Pause(0.3);
  EXPECT_EQ(BytesToHex(tester_.Read(100)), kReply);
}

TEST_F(ScriptedEcuTest, SeveralRepliesFollowOneRequest) {
  ecu_.Add(EcuStep::Reply(kRequest, "82F11050").Then("83F1105101", 0.005).Then("81F11041", 0.0));
  EXPECT_EQ(Exchange(kRequest, 9, 600), kRequest + "82F1105083F1105101");
  clock_.Pause(0.1);
  EXPECT_EQ(BytesToHex(tester_.Read(100)), "81F11041");
  const auto& sent = ecu_.Sent();
  ASSERT_EQ(sent.size(), 13u);
  EXPECT_EQ(sent[4].start, sent[3].end + 5ms);
  EXPECT_EQ(sent[9].start, sent[8].end);
}

TEST_F(ScriptedEcuTest, MismatchIsLoggedAndTheStepWaitsForItsRequest) {
  ecu_.Expect(kRequest, kReply);
  EXPECT_EQ(Exchange("8210F12131D5", 6, 600), "8210F12131D5");
  EXPECT_EQ(Exchange(kRequest, 6, 600), kRequest + Left(kReply, 12));
  ASSERT_EQ(ecu_.Requests().size(), 2u);
  EXPECT_FALSE(ecu_.Requests()[0].matched);
  EXPECT_TRUE(ecu_.Requests()[1].matched);
  EXPECT_EQ(ecu_.Mismatches(), 1);
}

// How the ECU knows a request is complete, for frames that are not KWP and for KWP frames that
// never finish.
TEST_F(ScriptedEcuTest, RequestEndsByLengthByExpectedBytesOrByIdleLine) {
  struct Case {
    std::string name;
    HexMessage script_request;
    HexMessage sent;
    HexMessage logged;
    bool matched;  // and so answered P2 after the request's end
  };
  const std::vector<Case> cases = {
      {"single byte as scripted", "08", "08", "08", true},
      {"two bytes as scripted", "0102", "0102", "0102", true},
      {"any request ends by idle line", "", "0102", "0102", true},
      {"other bytes end by idle line", "01", "0203", "0203", false},
      {"KWP frame with a length byte", "", "8010F102213000", "8010F102213000", true},
      {"KWP frame cut short", "", "8210F121", "8210F121", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bench bench;
    bench.ecu_.Add(EcuStep::Reply(c.script_request, "55"));
    bench.Exchange(c.sent, 1, 300);
    ASSERT_FALSE(bench.ecu_.Requests().empty());
    const ScriptedEcu::Request& request = bench.ecu_.Requests()[0];
    EXPECT_EQ(request.bytes, c.logged);
    EXPECT_EQ(request.matched, c.matched);
    if (c.matched) {
      ASSERT_EQ(bench.ecu_.Sent().size(), 1u);
      EXPECT_EQ(bench.ecu_.Sent()[0].start, request.end + 25ms);
    } else {
      EXPECT_TRUE(bench.ecu_.Sent().empty());
    }
  }
}

TEST_F(ScriptedEcuTest, SendsUnpromptedAtAGivenTime) {
  ecu_.SendAt(100ms, "AABB", 0.001);
  EXPECT_EQ(Exchange("", 2, 600), "AABB");
  ASSERT_EQ(ecu_.Sent().size(), 2u);
  EXPECT_EQ(ecu_.Sent()[0].start, 100ms);
  EXPECT_EQ(ecu_.Sent()[1].start, 100ms + kByteAt10400 + 1ms);
  EXPECT_TRUE(ecu_.Requests().empty());
}

TEST_F(ScriptedEcuTest, EcuAtAnotherSpeedHearsNothing) {
  ecu_.SetBaud(9600);
  ecu_.Expect(kRequest, kReply);
  EXPECT_EQ(Exchange(kRequest, 6, 600), kRequest);
  EXPECT_TRUE(ecu_.Sent().empty());
  EXPECT_EQ(ecu_.StepsLeft(), 1u);
}

TEST_F(ScriptedEcuTest, ExchangeOfOneSecondIsCheapInEvents) {
  // Every byte costs a handful of events, never one per bit or per microsecond; the idle wait
  // a turn per millisecond at most.
  ecu_.Expect(kRequest, kReply, 0.9);
  Exchange(kRequest, 8, 1000);
  EXPECT_LT(clock_.EventsRun(), 100u);
  EXPECT_LE(loop_.Turns(), 1000);
}

}  // namespace
}  // namespace velkor::sim
