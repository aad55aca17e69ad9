// Sleeping ECU models on the simulated K-line: each wake-up, produced by the tester's cable the
// way the tester produces it, wakes the models that accept it and no other; patterns out of
// tolerance wake nothing; a KWP session left silent for P3max is dropped.
#include "sim/wakeup_ecu.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/hex_message.hpp"
#include "link/frame.hpp"
#include "sim/engine_model.hpp"
#include "sim/family_ecus.hpp"
#include "sim/kline_bus.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {
namespace {

using std::chrono::milliseconds;

const HexMessage kStartCommunication = FrameKwp("81", "10F1");

class WakeUpEcuTest : public ::testing::Test {
 public:
  WakeUpEcuTest() {
    uart_.Configure(10400);
    clock_.Pause(1.0);  // an idle line before anything happens
  }

  std::unique_ptr<WakeUpEcu> KwpEcu(WakeUpSettings settings) {
    return std::make_unique<WakeUpEcu>(
        clock_, bus_, std::make_unique<KwpEngineEcu>(clock_, bus_, engine_), std::move(settings));
  }
  std::unique_ptr<WakeUpEcu> ByteEcu(WakeUpSettings settings) {
    return std::make_unique<WakeUpEcu>(clock_, bus_,
                                       std::make_unique<ByteFamilyEcu>(clock_, bus_, engine_, 0),
                                       std::move(settings));
  }

  // Timings chained from the start of a pattern, so that no error adds up.
  void PauseUntil(Nanos deadline) { clock_.Pause(ToSeconds(deadline - clock_.Now())); }

  void BreakPulse(Nanos low, Nanos high) {
    const Nanos start = clock_.Now();
    uart_.SetBreak(true);
    PauseUntil(start + low);
    uart_.SetBreak(false);
    PauseUntil(start + low + high);
  }
  // One slow byte whose start and zero bits make the low pulse, then back to 10400 baud.
  void SlowByte(int baud, std::uint8_t byte) {
    const Nanos start = clock_.Now();
    uart_.SetSpeed(baud);
    uart_.WriteByte(byte);
    PauseUntil(start + milliseconds(50));
    uart_.SetSpeed(10400);
  }
  // The address drawn at 5 baud with the break, bit runs timed from the start bit.
  void FiveBaudAddress(std::uint8_t address) {
    const Nanos start = clock_.Now();
    uart_.SetBreak(true);
    for (int bit = 0; bit < 8; ++bit) {
      PauseUntil(start + (bit + 1) * milliseconds(200));
      uart_.SetBreak(((address >> bit) & 1) == 0);
    }
    PauseUntil(start + 9 * milliseconds(200));
    uart_.SetBreak(false);
  }
  // After the address: what the ECU said within 600 ms, and the confirmation sent 32 ms later
  // when `confirm` says so (none: nothing sent).
  HexMessage FiveBaudAnswer(std::function<std::optional<std::uint8_t>(const HexMessage&)> confirm) {
    uart_.Purge();
    // As the exchange does: until three bytes came or 600 ms passed.
    const Nanos deadline = clock_.Now() + milliseconds(600);
    while (uart_.BytesWaiting() < 3 && clock_.Now() < deadline) clock_.Pause(0.001);
    const HexMessage heard = BytesToHex(uart_.Read(uart_.BytesWaiting()));
    if (auto byte = confirm(heard)) {
      clock_.Pause(0.032);
      uart_.WriteByte(*byte);
    }
    clock_.Pause(0.1);
    return heard;
  }
  void FiveBaudWakeUp() {
    FiveBaudAddress(0x10);
    FiveBaudAnswer([](const HexMessage& heard) -> std::optional<std::uint8_t> {
      if (heard.size() < 6) return std::nullopt;
      return static_cast<std::uint8_t>(0xFF - HexToByte(Mid(heard, 5, 2)));
    });
  }

  // Writes the request bytes 6 ms apart and returns what came back after the echo.
  HexMessage Exchange(const HexMessage& request, double wait = 0.3) {
    uart_.Read(uart_.BytesWaiting());
    for (std::uint8_t byte : HexToBytes(request)) {
      clock_.Pause(0.006);
      uart_.WriteByte(byte);
    }
    clock_.Pause(wait);
    const HexMessage heard = BytesToHex(uart_.Read(uart_.BytesWaiting()));
    return Mid(heard, request.size() + 1);
  }
  bool StartsSession() { return Exchange(kStartCommunication).find("C1EF8F") != HexMessage::npos; }

  VirtualClock clock_;
  KLineBus bus_{clock_};
  TesterUart uart_{clock_, bus_};
  FixedEngine engine_;
};

WakeUpSettings Only(bool fast, bool five) {
  WakeUpSettings settings;
  settings.accept_fast_init = fast;
  settings.accept_five_baud = five;
  return settings;
}

struct WakeUpCase {
  std::string name;
  std::function<void(WakeUpEcuTest&)> produce;
  bool fast_init;  // a fast init, not a five-baud wake-up
};

class WakeUpKindTest : public WakeUpEcuTest, public ::testing::WithParamInterface<WakeUpCase> {};

// Every model listens on the same line at once: only the ones that accept the pattern wake.
TEST_P(WakeUpKindTest, WakesOnlyTheModelsThatAcceptIt) {
  auto fast_only = KwpEcu(Only(true, false));
  auto five_only = KwpEcu(Only(false, true));
  auto both = KwpEcu(KwpWakeUps());
  auto key_bytes = ByteEcu(IgnitionKeyWakeUp());

  GetParam().produce(*this);

  EXPECT_EQ(fast_only->Awake(), GetParam().fast_init);
  EXPECT_EQ(five_only->Awake(), !GetParam().fast_init);
  EXPECT_TRUE(both->Awake());
  EXPECT_FALSE(key_bytes->Awake());
  ASSERT_EQ(both->WakeUps().size(), 1u);
  EXPECT_EQ(both->WakeUps()[0].how, GetParam().fast_init ? WakeUp::kFastInit : WakeUp::kFiveBaud);

  // Exactly one model of the pair answers, so its reply is not garbled by another.
  auto single = GetParam().fast_init ? std::move(fast_only) : std::move(five_only);
  both.reset();
  EXPECT_TRUE(StartsSession());
  EXPECT_EQ(single->Model().Requests().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Producers, WakeUpKindTest,
    ::testing::Values(WakeUpCase{"Break",
                                 [](WakeUpEcuTest& fixture) {
                                   fixture.BreakPulse(milliseconds(25), milliseconds(25));
                                 },
                                 true},
                      WakeUpCase{"F0At200Baud",
                                 [](WakeUpEcuTest& fixture) { fixture.SlowByte(200, 0xF0); }, true},
                      WakeUpCase{"ZeroAt360Baud",
                                 [](WakeUpEcuTest& fixture) { fixture.SlowByte(360, 0x00); }, true},
                      WakeUpCase{"FiveBaudAddress",
                                 [](WakeUpEcuTest& fixture) { fixture.FiveBaudWakeUp(); }, false}),
    [](const auto& case_info) { return case_info.param.name; });

// A sleeping ECU hears nothing: the request alone gets no answer.
TEST_F(WakeUpEcuTest, AsleepEcuIgnoresRequests) {
  auto ecu = KwpEcu(KwpWakeUps());
  EXPECT_FALSE(StartsSession());
  EXPECT_TRUE(ecu->Model().Requests().empty());
}

struct PulseCase {
  int idle_ms;  // line idle before the pulse
  int low_ms;
  int high_ms;  // before the start-communication request
  bool wakes;
};

class FastInitPulseTest : public WakeUpEcuTest, public ::testing::WithParamInterface<PulseCase> {};

TEST_P(FastInitPulseTest, WakesOnlyWithinTolerance) {
  auto ecu = KwpEcu(Only(true, false));
  // Activity on the line (a byte), then the idle time before the pulse.
  uart_.WriteByte(0x00);
  const Nanos byte_end = clock_.Now() + FrameTime(10400);
  PauseUntil(byte_end + milliseconds(GetParam().idle_ms));
  // The exchange waits 6 ms before its first byte: that is part of the high time.
  BreakPulse(milliseconds(GetParam().low_ms), milliseconds(GetParam().high_ms - 6));
  EXPECT_EQ(StartsSession(), GetParam().wakes);
  EXPECT_EQ(ecu->Awake(), GetParam().wakes);
}

INSTANTIATE_TEST_SUITE_P(Pulses, FastInitPulseTest,
                         ::testing::Values(PulseCase{350, 25, 25, true},  // nominal
                                           PulseCase{350, 20, 20, true},  // shortest taken
                                           PulseCase{350, 30, 25, true},  // longest low taken
                                           PulseCase{350, 19, 25, false},
                                           PulseCase{350, 31, 25, false},
                                           PulseCase{350, 25, 15, false},  // request too soon
                                           PulseCase{100, 25, 25, false}   // no idle before
                                           ));

TEST_F(WakeUpEcuTest, FiveBaudHandshakeBytesAndTiming) {
  auto ecu = KwpEcu(Only(false, true));
  FiveBaudAddress(0x10);
  const Nanos released = clock_.Now();
  const HexMessage heard =
      FiveBaudAnswer([](const HexMessage&) { return std::optional<std::uint8_t>(0xF7); });
  EXPECT_EQ(heard, "550808");
  const auto& sent = ecu->HandshakeSent();
  ASSERT_EQ(sent.size(), 4u);
  // 0x55 after the stop bit (200 ms) and W1 (60 ms).
  EXPECT_EQ(sent[0].start, released + milliseconds(260));
  EXPECT_EQ(sent[3].byte, 0xEF);  // the address inverted, after the confirmation
  EXPECT_TRUE(ecu->Awake());
  EXPECT_TRUE(StartsSession());
}

struct ConfirmCase {
  std::string name;
  std::uint8_t address;
  std::optional<std::uint8_t> confirmation;
  bool keys_sent;
};

class FiveBaudRefusalTest : public WakeUpEcuTest,
                            public ::testing::WithParamInterface<ConfirmCase> {};

TEST_P(FiveBaudRefusalTest, StaysAsleep) {
  auto ecu = KwpEcu(Only(false, true));
  FiveBaudAddress(GetParam().address);
  const HexMessage heard =
      FiveBaudAnswer([](const HexMessage&) { return GetParam().confirmation; });
  EXPECT_EQ(heard.empty(), !GetParam().keys_sent) << heard;
  EXPECT_FALSE(ecu->Awake());
  EXPECT_FALSE(StartsSession());
}

INSTANTIATE_TEST_SUITE_P(Refusals, FiveBaudRefusalTest,
                         ::testing::Values(ConfirmCase{"OtherAddress", 0x11, 0xF7, false},
                                           ConfirmCase{"NoConfirmation", 0x10, std::nullopt, true},
                                           ConfirmCase{"WrongConfirmation", 0x10, 0xF8, true}),
                         [](const auto& case_info) { return case_info.param.name; });

// The ECU announces itself while the tester listens at 1200 baud, then takes the answer pattern
// (0F AA CC) and serves one-byte requests at 7812 baud.
class IgnitionKeysTest : public WakeUpEcuTest {
 protected:
  IgnitionKeysTest() {
    WakeUpSettings settings = IgnitionKeyWakeUp();
    settings.ignition = false;
    ecu_ = ByteEcu(settings);
  }

  HexMessage ListenAtIgnitionOn() {
    uart_.Configure(1200);
    ecu_->SetIgnition(true);
    clock_.Pause(1.0);
    return BytesToHex(uart_.Read(uart_.BytesWaiting()));
  }
  void AnswerPattern(const std::vector<std::uint8_t>& pattern) {
    const Nanos start = clock_.Now();
    Nanos at = start + milliseconds(600);
    for (std::uint8_t byte : pattern) {
      PauseUntil(at);
      uart_.WriteByte(byte);
      at += milliseconds(110);
    }
    PauseUntil(at - milliseconds(110) + milliseconds(300));
    uart_.Configure(7812);
  }

  std::unique_ptr<WakeUpEcu> ecu_;
};

TEST_F(IgnitionKeysTest, KeyBytesThenAnswerPatternOpensByteProtocol) {
  EXPECT_EQ(ListenAtIgnitionOn(), "55B080808085");
  AnswerPattern({0x0F, 0xAA, 0xCC});
  EXPECT_TRUE(ecu_->Awake());
  engine_.state.coolant_c = 17;
  EXPECT_EQ(Exchange("08"), "48");  // coolant + 55
}

TEST_F(IgnitionKeysTest, WrongOrMissingAnswerPatternKeepsItAsleep) {
  for (const auto& pattern :
       {std::vector<std::uint8_t>{0x0F, 0xAA, 0xCD}, std::vector<std::uint8_t>{}}) {
    ecu_->SetIgnition(false);
    clock_.Pause(1.0);
    EXPECT_EQ(ListenAtIgnitionOn(), "55B080808085");
    AnswerPattern(pattern);
    clock_.Pause(3.0);  // past the answer window
    EXPECT_FALSE(ecu_->Awake());
    EXPECT_EQ(Exchange("08"), "");
  }
}

TEST_F(IgnitionKeysTest, NoAnnouncementWithoutIgnitionOn) {
  uart_.Configure(1200);
  clock_.Pause(2.0);
  EXPECT_EQ(uart_.BytesWaiting(), 0u);
  EXPECT_TRUE(ecu_->HandshakeSent().empty());
}

TEST_F(WakeUpEcuTest, SessionDroppedAfterP3maxOfSilence) {
  auto ecu = KwpEcu(KwpWakeUps());
  BreakPulse(milliseconds(25), milliseconds(25));
  ASSERT_TRUE(StartsSession());
  // Requests about 4.5 s apart keep it open.
  for (int i = 0; i < 3; ++i) {
    clock_.Pause(4.2);
    EXPECT_NE(Exchange(FrameKwp("3E", "10F1")), "");
  }
  EXPECT_EQ(ecu->SessionsDropped(), 0);
  clock_.Pause(5.0);
  EXPECT_FALSE(ecu->Awake());
  EXPECT_EQ(ecu->SessionsDropped(), 1);
  EXPECT_FALSE(StartsSession());
  // A new wake-up opens a new session.
  clock_.Pause(0.5);
  BreakPulse(milliseconds(25), milliseconds(25));
  EXPECT_TRUE(StartsSession());
  EXPECT_EQ(ecu->WakeUps().size(), 2u);
}

TEST_F(WakeUpEcuTest, IgnitionOffEndsSessionAndDeafensTheEcu) {
  auto ecu = KwpEcu(KwpWakeUps());
  BreakPulse(milliseconds(25), milliseconds(25));
  ASSERT_TRUE(StartsSession());
  ecu->SetIgnition(false);
  EXPECT_FALSE(StartsSession());
  clock_.Pause(0.5);
  BreakPulse(milliseconds(25), milliseconds(25));
  EXPECT_FALSE(ecu->Awake());
  ecu->SetIgnition(true);
  clock_.Pause(0.5);
  BreakPulse(milliseconds(25), milliseconds(25));
  EXPECT_TRUE(StartsSession());
}

}  // namespace
}  // namespace velkor::sim
