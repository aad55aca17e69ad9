// The exchange against the bench, in virtual time: what goes on the simulated wire, what comes
// back, and how the wait behaves when the ECU is late, silent, chatty or refusing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "core/ctime_it.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/frame.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_ecu.hpp"
#include "sim/scripted_serial_port.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

using sim::Seconds;
using std::chrono::milliseconds;

class SendReceiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    trace_path_ = std::filesystem::path(::testing::TempDir()) /
                  (std::string("send_receive_") +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log");
    watch_.Start();
    ASSERT_TRUE(trace_.Open(trace_path_));
    trace_.SetSink(&trace_lines_);
    state_.EcuType = Iaw59M5AM;
    uart_.Configure(10400);
    exchange_.SetKLinePort(&uart_);
    exchange_.SetKeepAliveTimer(keep_alive_.get());
  }
  void TearDown() override {
    trace_.Close();
    std::filesystem::remove(trace_path_);
  }

  // Runs one exchange; returns the answer and notes when it started and ended.
  HexMessage Send(const HexMessage& request, const HexMessage& canned, int expected,
                  int timeout_ms) {
    started_ = clock_.Now();
    HexMessage answer = exchange_.SendReceive(request, canned, expected, timeout_ms);
    ended_ = clock_.Now();
    return answer;
  }
  double ElapsedSeconds() const { return sim::ToSeconds(ended_ - started_); }
  bool Traced(const std::string& line) const {
    const auto& lines = trace_lines_.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  sim::KLineBus bus_{clock_};
  sim::TesterUart uart_{clock_, bus_};
  sim::ScriptedEcu ecu_{clock_, bus_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  std::unique_ptr<Timer> keep_alive_ = timers_.CreateTimer();
  CTimeIt watch_{clock_};
  TraceLog trace_{watch_};
  TraceList trace_lines_;
  std::filesystem::path trace_path_;
  LinkState state_;
  Exchange exchange_{state_, clock_, loop_, *reply_timer_, trace_};
  sim::Nanos started_{0};
  sim::Nanos ended_{0};
};

TEST_F(SendReceiveTest, WritesTheFrameWithSixMillisecondsOfIdleLineBeforeEveryByte) {
  ecu_.Expect("8210F12130D4", "84F1106130");
  const HexMessage answer = Send("2130", "", 6, 600);

  std::vector<std::uint8_t> written;
  sim::Nanos previous_end = started_;
  for (const auto& frame : uart_.Written()) {
    written.push_back(frame.byte);
    EXPECT_GE(frame.start - previous_end, milliseconds(6)) << int{frame.byte};
    previous_end = frame.end;
  }
  EXPECT_EQ(written, (std::vector<std::uint8_t>{0x82, 0x10, 0xF1, 0x21, 0x30, 0xD4}));
  // Five reply bytes where six were expected: it waited out the time-out and kept them.
  EXPECT_EQ(answer, "84F1106130");
  EXPECT_EQ(state_.lamp_colour, kLampGreen);
  EXPECT_FALSE(state_.ExchangeBusy);
}

// Replies as the ECU sends them, against what the caller gets back.
TEST_F(SendReceiveTest, ReplyIsCutAfterTheEchoAndToTheExpectedLength) {
  const struct {
    const char* name;
    HexMessage reply;
    int expected;
    HexMessage answer;
    bool waits_for_timeout;
  } cases[] = {
      {"exact", "84F1106130000016", 8, "84F1106130000016", false},
      {"shorter than expected", "84F11061", 7, "84F11061", true},
      {"longer than expected", "84F1106130000016AA", 7, "84F11061300000", false},
      // The pattern is still found after a stray byte; the last byte falls off the end.
      {"stray byte first", "0084F1106130000016", 8, "0084F11061300000", false},
      {"silence", "", 8, "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.reply.empty()) {
      ecu_.Add(sim::EcuStep::Silence("8210F12130D4"));
    } else {
      ecu_.Expect("8210F12130D4", c.reply);
    }
    const HexMessage answer = Send("2130", "", c.expected, 600);
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(state_.lamp_colour, c.answer.empty() ? kLampRed : kLampGreen);
    // Six bytes of 6 ms gaps and frames, then either the reply or the whole time-out.
    if (c.waits_for_timeout) {
      EXPECT_GE(ElapsedSeconds(), 0.6);
      EXPECT_LT(ElapsedSeconds(), 0.7);
    } else {
      EXPECT_LT(ElapsedSeconds(), 0.1);
    }
    clock_.RunFor(milliseconds(50));  // let any surplus arrive before the next case
  }
  // Surplus bytes of one reply are drained by the next exchange, not taken as its reply.
  ecu_.Expect("8210F12130D4", "84F1106130123456");
  EXPECT_EQ(Send("2130", "", 8, 600), "84F1106130123456");
}

TEST_F(SendReceiveTest, ByteProtocolFamilySendsTheRequestUnframed) {
  state_.EcuType = Iaw16M;
  uart_.Configure(7812);
  ecu_.SetBaud(7812);
  ecu_.Expect("08", "5A");
  EXPECT_EQ(Send("08", "FF", 1, 500), "5A");
  ASSERT_EQ(uart_.Written().size(), 1u);
  EXPECT_EQ(uart_.Written()[0].byte, 0x08);
}

TEST_F(SendReceiveTest, EmptyRequestOnlyListens) {
  ecu_.SendAt(milliseconds(200), "0000EF8F");
  EXPECT_EQ(Send("", "0000EF8F", 3, 600), "0000EF");
  EXPECT_TRUE(uart_.Written().empty());
}

TEST_F(SendReceiveTest, UnpluggedCableBehavesAsASilentEcu) {
  uart_.Unplug();
  EXPECT_EQ(Send("2130", "", 8, 600), "");
  EXPECT_EQ(state_.lamp_colour, kLampRed);
  exchange_.SetKLinePort(nullptr);
  EXPECT_EQ(Send("2130", "", 8, 300), "");
  EXPECT_GE(ElapsedSeconds(), 0.3);
}

TEST_F(SendReceiveTest, SecondExchangeDuringTheWaitGetsNothingAndTheFirstCompletes) {
  ecu_.Expect("8210F12130D4", "84F1106130000016", 0.1);
  HexMessage second = "not called";
  // A click handled while the first exchange waits for its reply.
  loop_.After(milliseconds(60), [&] { second = exchange_.SendReceive("3E", "", 5, 600); });
  const HexMessage first = Send("2130", "", 8, 600);
  EXPECT_EQ(second, "");
  EXPECT_EQ(first, "84F1106130000016");
  EXPECT_EQ(uart_.Written().size(), 6u);  // nothing of the second request went out
  EXPECT_EQ(ecu_.Requests().size(), 1u);
}

TEST_F(SendReceiveTest, ExchangeRestartsARunningKeepAliveTimer) {
  int keep_alive_ticks = 0;
  keep_alive_->SetOnTick([&] { ++keep_alive_ticks; });
  keep_alive_->SetInterval(2500);
  keep_alive_->Start();
  clock_.RunFor(milliseconds(2000));
  ecu_.Expect("8110F13EC0", "81F1107E00");
  EXPECT_EQ(Send("3E", "", 5, 100), "81F1107E00");
  // Without the restart the tick would have come at 2.5 s.
  clock_.RunUntil(milliseconds(2600));
  EXPECT_EQ(keep_alive_ticks, 0);
  clock_.RunUntil(ended_ + milliseconds(2500));
  EXPECT_EQ(keep_alive_ticks, 1);

  // A stopped keep-alive timer stays stopped.
  keep_alive_->Stop();
  Send("3E", "", 5, 100);
  EXPECT_FALSE(keep_alive_->IsRunning());
}

TEST_F(SendReceiveTest, StartCommunicationFrameIsFollowedByABlankTraceLine) {
  ecu_.Expect("8110F18103", "83F110C1EF8FC3");
  EXPECT_EQ(Send("81", "", 7, 600), "83F110C1EF8FC3");
  EXPECT_TRUE(Traced(" "));
  trace_lines_ = TraceList();
  ecu_.Expect("8210F12130D4", "84F1106130000016");
  Send("2130", "", 8, 600);
  EXPECT_FALSE(Traced(" "));
}

TEST_F(SendReceiveTest, NegativeReplyIsTracedAndReturnedUnchanged) {
  const HexMessage refusal = FrameKwp("7F2131", "F110");
  ecu_.Expect("8210F12130D4", refusal);
  EXPECT_EQ(Send("2130", "", 7, 600), refusal.substr(0, 14));
  EXPECT_TRUE(Traced("Nack : 21 - 31 request out of range"));
}

// A KWP ECU that needs time first answers 7F <service> 78. The exchange traces it and waits for
// the real answer up to 5 s from that frame, whatever the caller's own time-out; a second
// pending frame does not start the 5 s again.
TEST_F(SendReceiveTest, ResponsePendingExtendsTheWaitForTheRealAnswerOnce) {
  const HexMessage request = "8210F12130D4";
  const HexMessage pending = FrameKwp("7F2178", "F110");
  const HexMessage reply = FrameKwp("61300000", "F110");
  const struct {
    const char* name;
    sim::EcuStep step;
    int timeout_ms;
    HexMessage answer;
    double min_seconds;
    double max_seconds;
    int pending_traced;
  } cases[] = {
      {"reply 2 s after the pending frame", sim::EcuStep::Reply(request, pending).Then(reply, 2.0),
       600, reply, 2.0, 2.2, 1},
      {"stray byte before the pending frame",
       sim::EcuStep::Reply(request, "00" + pending).Then(reply, 2.0), 600, reply, 2.0, 2.2, 1},
      {"two pending frames, then the reply",
       sim::EcuStep::Reply(request, pending).Then(pending, 1.0).Then(reply, 1.0), 600, reply, 2.0,
       2.2, 2},
      {"no real answer", sim::EcuStep::Reply(request, pending), 600, "", 5.0, 5.2, 1},
      // The 5 s count from the first pending frame: the reply 6 s after it comes too late.
      {"second pending frame does not extend the wait",
       sim::EcuStep::Reply(request, pending).Then(pending, 4.0).Then(reply, 2.0), 600, "", 5.0, 5.2,
       2},
      // A caller that waits longer anyway keeps its own time-out.
      {"caller's time-out longer than the 5 s",
       sim::EcuStep::Reply(request, pending).Then(reply, 7.0), 8000, reply, 7.0, 7.2, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    trace_lines_ = TraceList();
    ecu_.Add(c.step);
    EXPECT_EQ(Send("2130", "", 8, c.timeout_ms), c.answer);
    EXPECT_GE(ElapsedSeconds(), c.min_seconds);
    EXPECT_LT(ElapsedSeconds(), c.max_seconds);
    EXPECT_EQ(state_.lamp_colour, c.answer.empty() ? kLampRed : kLampGreen);
    const auto& lines = trace_lines_.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Nack : 21 - 78 error unknows"),
              c.pending_traced);
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(c.pending_traced));
    clock_.RunFor(std::chrono::seconds(3));  // late replies land before the next case
  }
  EXPECT_EQ(ecu_.Mismatches(), 0);
}

// The pending frame is seven bytes, longer than some replies: it is taken whole and waited
// past, not cut at the reply's length and returned as the answer.
TEST_F(SendReceiveTest, PendingFrameLongerThanTheReplyIsWaitedPast) {
  const struct {
    const char* request;
    HexMessage reply;
    HexMessage lead;  // before the pending frame
  } cases[] = {
      {"3121", FrameKwp("7121", "F110"), ""},  // routine start: 6 bytes
      {"3121", FrameKwp("7121", "F110"), "00"},
      {"3E", FrameKwp("7E", "F110"), ""},  // tester present: 5 bytes
      {"3E", FrameKwp("7E", "F110"), "00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lead + c.request);
    const HexMessage pending = FrameKwp("7F" + std::string(c.request).substr(0, 2) + "78", "F110");
    ecu_.Add(sim::EcuStep::Reply(FrameKwp(c.request, "10F1"), c.lead + pending).Then(c.reply, 1.0));
    EXPECT_EQ(Send(c.request, "", static_cast<int>(ByteLength(c.reply)), 600), c.reply);
    EXPECT_GE(ElapsedSeconds(), 1.0);
    EXPECT_LT(ElapsedSeconds(), 1.2);
    clock_.RunFor(milliseconds(50));
  }
  EXPECT_EQ(ecu_.Mismatches(), 0);
}

// Only the KWP families wait past a pending frame: to a byte-protocol ECU the same bytes are
// just the answer, and its time-out stands.
TEST_F(SendReceiveTest, ResponsePendingMeansNothingToAByteProtocolFamily) {
  state_.EcuType = Iaw16M;
  uart_.Configure(7812);
  ecu_.SetBaud(7812);
  const HexMessage pending = FrameKwp("7F0878", "F110");
  ecu_.Add(sim::EcuStep::Reply("08", pending).Then("5A", 2.0));
  EXPECT_EQ(Send("08", "", 10, 500), pending);
  EXPECT_GE(ElapsedSeconds(), 0.5);
  EXPECT_LT(ElapsedSeconds(), 0.6);
}

TEST_F(SendReceiveTest, TestModeAnswersTheCannedTextWithoutTouchingTheCable) {
  state_.TestMode = true;
  int pointer_restored = 0;
  exchange_.SetRestorePointer([&] { ++pointer_restored; });
  ecu_.SendAt(milliseconds(1), "AABB");  // left waiting in the receive queue
  clock_.Pause(0.01);
  ASSERT_EQ(uart_.BytesWaiting(), 2u);

  const struct {
    HexMessage canned;
    int lamp;
  } cases[] = {
      {"84F1106130000016", kLampGreen},
      {"", kLampRed},
      {"83F1107F213122", kLampGreen},  // a canned refusal is never decoded
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Send("2130", c.canned, 8, 600), c.canned);
    EXPECT_DOUBLE_EQ(ElapsedSeconds(), 0.15);
    EXPECT_EQ(state_.lamp_colour, c.lamp);
  }
  EXPECT_EQ(pointer_restored, 3);
  EXPECT_TRUE(uart_.Written().empty());
  EXPECT_EQ(uart_.BytesWaiting(), 2u);
  EXPECT_TRUE(trace_lines_.Lines().empty());
}

class ElmSendReceiveTest : public SendReceiveTest {
 protected:
  void SetUp() override {
    SendReceiveTest::SetUp();
    state_.interface_kind = InterfaceKind::kElm327;
    ASSERT_TRUE(port_.Open("/dev/rfcomm0", "38400,n,8,1"));
    exchange_.SetElmPort(&port_);
  }
  sim::ScriptedSerialPort port_{clock_};
};

TEST_F(ElmSendReceiveTest, ReturnsTheAdaptersRawTextUpToItsPrompt) {
  state_.TestMode = true;  // an ELM327 exchange always talks to the adapter
  port_.DeliverAfter(0.0, "stale\r>");
  clock_.Pause(0.001);
  port_.Expect("0100", {{0.05, "0100\rSEARCHING...\r"}, {0.9, "41 00 BE 1F B8 10 \r\r>"}});
  EXPECT_EQ(Send("0100", "", 0, 5000), "0100\rSEARCHING...\r41 00 BE 1F B8 10 \r\r>");
  EXPECT_EQ(port_.Written(), "0100\r");
  EXPECT_FALSE(state_.TestMode);
  EXPECT_LT(ElapsedSeconds(), 1.0);
}

TEST_F(ElmSendReceiveTest, TimeOutReturnsWhatArrivedWithoutAPrompt) {
  port_.Expect("ATZ", {{0.05, "ATZ\r"}, {2.0, "ELM327 v1.5\r\r>"}});
  EXPECT_EQ(Send("ATZ", "", 0, 500), "ATZ\r");
  EXPECT_GE(ElapsedSeconds(), 0.5);
  EXPECT_FALSE(state_.ExchangeBusy);
}

// The lamp after an adapter's answer: green only when the ECU (or the adapter, for its own
// commands) said something, so the cycle counts an adapter's "no answer" as a miss.
TEST_F(ElmSendReceiveTest, AnswerWithoutDataTurnsTheLampRed) {
  const struct {
    const char* name;
    const char* command;
    std::string answer;  // arrives 50 ms after the command, within its 300 ms
    int lamp;
  } cases[] = {
      {"record", "21A0", "96F11061A007C603F2003D00390029010C0089013C068E9C4012\r\r>", kLampGreen},
      {"after the bus init", "21A0", "BUS INIT: ...OK\r84F1106130032032\r\r>", kLampGreen},
      {"spaces and a search", "0100", "SEARCHING...\r41 00 BE 1F B8 10 \r\r>", kLampGreen},
      // A refusal is an answer, as on the K-line.
      {"refusal", "21A0", "83F1107F211233\r\r>", kLampGreen},
      {"the adapter's own answer", "ATS0", "OK\r\r>", kLampGreen},
      {"echo before the identity", "ATZ", "ATZ\r\rELM327 v1.5\r\r>", kLampGreen},
      {"no data", "21A0", "NO DATA\r\r>", kLampRed},
      {"echo and no data", "21A0", "21A0\rNO DATA\r\r>", kLampRed},
      {"not understood", "21A0", "?\r\r>", kLampRed},
      {"stopped", "21A0", "STOPPED\r\r>", kLampRed},
      {"no protocol", "0100", "SEARCHING...\rUNABLE TO CONNECT\r\r>", kLampRed},
      {"can error", "0100", "CAN ERROR\r\r>", kLampRed},
      {"bus error", "21A0", "BUS ERROR\r\r>", kLampRed},
      {"bus init failed", "21A0", "BUS INIT: ...ERROR\r\r>", kLampRed},
      {"bus init then nothing", "21A0", "BUS INIT: ...OK\rNO DATA\r\r>", kLampRed},
      {"bad frame", "21A0", "<DATA ERROR\r\r>", kLampRed},
      {"internal error", "21A0", "ERR94\r\r>", kLampRed},
      {"only the prompt", "21A0", "\r\r>", kLampRed},
      // The adapter went quiet half-way: an answer cut short, as on the K-line; its reader
      // finds the frame incomplete.
      {"cut before the prompt", "21A0", "96F11061A007C603", kLampGreen},
      {"only the echo before the time-out", "21A0", "21A0\r", kLampRed},
      {"nothing", "21A0", "", kLampRed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    state_.SetLamp(0);
    port_.Expect(c.command, c.answer, 0.05);
    EXPECT_EQ(Send(c.command, "", 0, 300), c.answer);
    EXPECT_EQ(state_.lamp_colour, c.lamp);
  }
  EXPECT_EQ(port_.Mismatches(), 0);
}

// An adapter that has gone (unplugged, its Bluetooth link lost) answers nothing: at once when
// it had gone before the request, as soon as it goes during the wait.
TEST_F(ElmSendReceiveTest, PortThatHasGoneIsAMissWithoutWaiting) {
  port_.Expect("21A0", "SEARCHING...\r", 0.05);
  loop_.After(milliseconds(100), [this] { port_.Close(); });
  EXPECT_EQ(Send("21A0", "", 0, 800), "SEARCHING...\r");
  EXPECT_LT(ElapsedSeconds(), 0.11);
  EXPECT_EQ(state_.lamp_colour, kLampRed);
  EXPECT_FALSE(state_.ExchangeBusy);

  state_.SetLamp(kLampGreen);
  EXPECT_EQ(Send("21A0", "", 0, 800), "");
  EXPECT_EQ(ElapsedSeconds(), 0.0);
  EXPECT_EQ(state_.lamp_colour, kLampRed);
  EXPECT_FALSE(state_.ExchangeBusy);
  EXPECT_EQ(port_.Commands().size(), 1u);  // nothing more was written
}

}  // namespace
}  // namespace velkor
