// The main window's trimmer on a scripted 59M in virtual time: what goes on the line for each
// pass of the cycle, what the scroll bar and the labels show, and when a store is sent.
#include "adjust/trimmer.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ecu_family.hpp"
#include "diagnostics/window_bench.hpp"
#include "link/frame.hpp"
#include "livedata/frmparam.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;
using diag_bench::WindowBench;

HexMessage Request(const std::string& data) { return FrameKwp(data, "10F1"); }
HexMessage Reply(const std::string& data) { return FrameKwp(data, "F110"); }

// One main window and one scripted ECU; a table's rows each take their own.
class TrimmerBench {
 public:
  TrimmerBench() {
    window_.SetEnabled(fp::Trimmer, true);  // the display switch
    window_.SetVisible(fp::FrChgTrimmer, true);
    trimmer_.RunStarting();
    trimmer_.SetInitial(5);
  }

  // The ECU's answer to the next read: its byte, or silence.
  void Holds(int byte) { bench_.ecu_.Expect(Request("213D"), Reply("613D" + ByteToHex(byte))); }
  void SilentRead() { bench_.ecu_.Add(sim::EcuStep::Silence(Request("213D"))); }
  void TakesAdjust(int byte) {
    bench_.ecu_.Expect(Request("301507" + ByteToHex(byte)), Reply("701507" + ByteToHex(byte)));
  }
  void Pass(int rpm = 1200) { trimmer_.GestionTrimmer(rpm); }

  // The payloads the tester sent, in order.
  std::vector<std::string> Sent() const {
    std::vector<std::string> payloads;
    for (const auto& r : bench_.ecu_.Requests()) {
      payloads.push_back(r.bytes.substr(6, r.bytes.size() - 8));
    }
    return payloads;
  }
  int SentStartingWith(const std::string& prefix) const {
    int count = 0;
    for (const std::string& p : Sent()) count += p.starts_with(prefix) ? 1 : 0;
    return count;
  }

  WindowBench bench_{Iaw59M5AM, diag_bench::kKwpBaud};
  ScreenModel window_;
  Trimmer trimmer_{AdjustServices{window_, bench_.exchange_, bench_.link_, bench_.clock_,
                                  bench_.trace_, bench_.language_, bench_.dialogs_}};
};

class TrimmerTest : public ::testing::Test, public TrimmerBench {};

TEST(TrimmerByteTest, ScrollValuesAndBytesConvertBothWays) {
  struct Case {
    int value;
    std::optional<int> byte;
  };
  for (const Case& c : {Case{0, 0x00}, Case{1, 0x01}, Case{127, 0x7F}, Case{-1, 0xFF},
                        Case{-127, 0x81}, Case{128, std::nullopt}, Case{-128, std::nullopt}}) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(TrimmerByte(c.value), c.byte);  // 0x80 is never sent
    if (c.byte) {
      EXPECT_EQ(TrimmerValueOfByte(*c.byte), c.value);
    }
  }
  EXPECT_EQ(TrimmerValueOfByte(0x80), 128);  // read, shown, outside the bar
  EXPECT_FALSE(TrimmerInRange(128));
}

// Five passes at 1200 rpm with nobody touching anything, the first read silent and another one
// 0x80: the bar only ever takes a valid in-range read, and nothing but reads goes out.
TEST_F(TrimmerTest, PassesWithoutTheUserSendNoValue) {
  window_.SetValue(fp::HScrollTrimmer, 0);
  SilentRead();
  Holds(0x05);
  Holds(0x80);
  Holds(0x05);
  Holds(0xFD);
  const std::vector<std::string> trimmer_label = {"--", "5", "128", "5", "-3"};
  const std::vector<int> bar = {0, 5, 5, 5, -3};
  for (std::size_t i = 0; i < trimmer_label.size(); ++i) {
    SCOPED_TRACE(i);
    Pass();
    EXPECT_EQ(window_.Text(fp::Trimmer), trimmer_label[i]);
    EXPECT_EQ(window_.Value(fp::HScrollTrimmer), bar[i]);
  }
  EXPECT_EQ(SentStartingWith("3015"), 0);
  EXPECT_EQ(SentStartingWith("213D"), 5);
  EXPECT_EQ(bench_.ecu_.Mismatches(), 0);
}

// What the user chose goes out once, in the next pass above 600 rpm with "test Moteur" clear;
// once the ECU reads it back, nothing more is sent.
TEST_F(TrimmerTest, AChosenValueGoesOutOnlyAbove600RpmWithTestMoteurClear) {
  struct Case {
    const char* name;
    int rpm;
    bool test_moteur;
    bool sent;
  };
  for (const Case& c : {Case{"At600", 600, false, false}, Case{"At601", 601, false, true},
                        Case{"TestMoteur", 1200, true, false}}) {
    SCOPED_TRACE(c.name);
    TrimmerBench bench;
    bench.Holds(0x05);
    bench.Pass();
    bench.trimmer_.Plus();
    bench.trimmer_.Plus();
    bench.trimmer_.Plus();
    EXPECT_EQ(bench.window_.Text(fp::lbTrimmer), "8");
    bench.trimmer_.ClickMoteur(c.test_moteur);
    bench.Holds(0x05);
    if (c.sent) bench.TakesAdjust(0x08);
    bench.Pass(c.rpm);
    EXPECT_EQ(bench.SentStartingWith("30150708"), c.sent ? 1 : 0);
    EXPECT_EQ(bench.window_.Enabled(fp::FrChgTrimmer), c.sent);
    if (!c.sent) continue;
    bench.Holds(0x08);
    bench.Pass();
    EXPECT_FALSE(bench.trimmer_.Pending());
    EXPECT_EQ(bench.SentStartingWith("3015"), 1);
  }
}

TEST_F(TrimmerTest, NothingCanBeChosenWhileTheAdjustmentIsDisabled) {
  Holds(0x05);
  Pass(600);
  trimmer_.Scrolled(20);
  trimmer_.Plus();
  EXPECT_EQ(window_.Value(fp::HScrollTrimmer), 5);  // the bar went back
  EXPECT_FALSE(trimmer_.Pending());
}

// An ECU that never takes the value: three sends (each may wait 10 s), then it is given up, the
// status panel says so and the bar follows the ECU again.
TEST_F(TrimmerTest, AnUntakenValueIsSentAtMostThreeTimes) {
  Holds(0x05);
  Pass();
  trimmer_.Scrolled(-2);
  for (int i = 0; i < 5; ++i) {
    Holds(0x05);
    if (i < Trimmer::kMaxSends) bench_.ecu_.Add(sim::EcuStep::Silence(Request("301507FE")));
  }
  for (int i = 0; i < 5; ++i) Pass();
  EXPECT_EQ(SentStartingWith("301507FE"), Trimmer::kMaxSends);
  EXPECT_EQ(window_.Text(fp::lbPanel1), "Trimmer non pris par l'ECU : -2");
  EXPECT_EQ(window_.Value(fp::HScrollTrimmer), 5);
}

// Scroll +3, store, confirm: the value goes out, then 30 15 07 and 30 15 05 with that value once
// the ECU reads it.
TEST_F(TrimmerTest, ConfirmedStoreSendsTheValueAtThePress) {
  Holds(0x05);
  Pass();
  trimmer_.Scrolled(8);
  trimmer_.PressMemorise();
  ASSERT_EQ(bench_.dialogs_.questions.size(), 1u);
  EXPECT_EQ(bench_.dialogs_.questions[0], "Mémoriser dans l'ECU le trimmer à 8 ?");
  EXPECT_EQ(window_.Text(fp::lbPanel1), "Mémorisation du trimmer en attente : 8");
  EXPECT_FALSE(window_.Enabled(fp::CdMemorise));
  Holds(0x05);
  TakesAdjust(0x08);
  Pass();  // the value first; the store waits for the ECU to hold it
  Holds(0x08);
  TakesAdjust(0x08);
  bench_.ecu_.Expect(Request("30150508"), Reply("70150508"));
  Pass();
  EXPECT_EQ(Sent(),
            (std::vector<std::string>{"213D", "213D", "30150708", "213D", "30150708", "30150508"}));
  EXPECT_EQ(window_.Text(fp::lbPanel1), "Commande OK");
  EXPECT_FALSE(trimmer_.StoreRequest());
  Holds(0x08);
  Pass();
  EXPECT_TRUE(window_.Enabled(fp::CdMemorise));
}

// A store is dropped when the user says Cancel, moves the bar before it is done, or the run
// ends; nothing of 30 15 05 ever goes out then.
TEST_F(TrimmerTest, StoreIsDroppedByCancelAChangeOrTheRunsEnd) {
  enum class Way { kCancel, kChange, kRunEnds };
  for (Way way : {Way::kCancel, Way::kChange, Way::kRunEnds}) {
    SCOPED_TRACE(static_cast<int>(way));
    TrimmerBench bench;
    bench.Holds(0x05);
    bench.Pass();
    bench.bench_.dialogs_.answer = way != Way::kCancel;
    bench.trimmer_.PressMemorise();
    if (way == Way::kChange) bench.trimmer_.Minus();
    if (way == Way::kRunEnds) {
      bench.trimmer_.RunEnded();
      bench.trimmer_.RunStarting();
    }
    EXPECT_FALSE(bench.trimmer_.StoreRequest());
    if (way != Way::kCancel) {
      EXPECT_EQ(bench.window_.Text(fp::lbPanel1), "Mémorisation du trimmer annulée");
    }
    bench.Holds(0x05);
    if (way == Way::kChange) bench.TakesAdjust(0x04);
    bench.Pass();
    bench.Holds(way == Way::kChange ? 0x04 : 0x05);
    bench.Pass();
    EXPECT_EQ(bench.SentStartingWith("301505"), 0);
  }
}

// A store the ECU refuses: "Erreur de commande", and for conditions not correct the box that
// says the allowed maximum.
TEST_F(TrimmerTest, RefusedStoreSaysSo) {
  struct Case {
    const char* name;
    HexMessage answer;
    bool box;
  };
  for (const Case& c : {Case{"ConditionsNotCorrect", Reply("7F3022"), true},
                        Case{"OtherRefusal", Reply("7F3012"), false},
                        Case{"WrongParameter", Reply("70150705"), false}}) {
    SCOPED_TRACE(c.name);
    TrimmerBench bench;
    bench.Holds(0x05);
    bench.Pass();
    bench.trimmer_.PressMemorise();
    bench.Holds(0x05);
    bench.TakesAdjust(0x05);
    bench.bench_.ecu_.Expect(Request("30150505"), c.answer);
    bench.Pass();
    EXPECT_EQ(bench.window_.Text(fp::lbPanel1), "Erreur de commande");
    EXPECT_EQ(bench.bench_.dialogs_.messages.size(), c.box ? 1u : 0u);
    if (c.box) {
      EXPECT_EQ(bench.bench_.dialogs_.messages[0].text, "Condition not correct");
      EXPECT_EQ(bench.bench_.dialogs_.messages[0].title, "La valeur Maximum possible est 126");
    }
    EXPECT_FALSE(bench.trimmer_.StoreRequest());
  }
}

// "Reset to n" is offered only for an initial value the bar can hold, and sets the bar to it.
TEST_F(TrimmerTest, ResetOnlyToAKnownInRangeInitialValue) {
  struct Case {
    std::optional<int> initial;
    const char* caption;
    bool enabled;
  };
  for (const Case& c : {Case{std::nullopt, "Reset to --", false}, Case{128, "Reset to 128", false},
                        Case{-3, "Reset to -3", true}}) {
    SCOPED_TRACE(c.caption);
    trimmer_.SetInitial(c.initial);
    EXPECT_EQ(window_.Text(fp::cdTrimmer), c.caption);
    EXPECT_EQ(window_.Enabled(fp::cdTrimmer), c.enabled);
  }
  Holds(0x05);
  Pass();
  trimmer_.PressReset();
  EXPECT_EQ(window_.Value(fp::HScrollTrimmer), -3);
  EXPECT_EQ(trimmer_.Pending(), -3);
}

TEST_F(TrimmerTest, DisplaySwitchOffSendsNothing) {
  window_.SetEnabled(fp::Trimmer, false);
  Pass();
  EXPECT_EQ(window_.Text(fp::Trimmer), "--");
  EXPECT_FALSE(window_.Visible(fp::FrChgTrimmer));
  EXPECT_TRUE(bench_.ecu_.Requests().empty());
}

// The 15M and 15RC show their trimmer read-only; an empty answer is no value, not -128.
TEST(FifteenMTrimmerTest, ReadOnlyDisplayShowsDashesForNoAnswer) {
  WindowBench bench(Iaw15M, diag_bench::kByteProtocolBaud);
  ScreenModel window;
  window.SetEnabled(fp::Trimmer, true);
  Trimmer trimmer(AdjustServices{window, bench.exchange_, bench.link_, bench.clock_, bench.trace_,
                                 bench.language_, bench.dialogs_});
  trimmer.RunStarting();
  bench.ecu_.Add(sim::EcuStep::Silence("0F"));
  bench.ecu_.Expect("0F", "7F");
  trimmer.GestionTrimmer(1200);
  EXPECT_EQ(window.Text(fp::Trimmer), "--");
  trimmer.GestionTrimmer(1200);
  EXPECT_EQ(window.Text(fp::Trimmer), "-1");
  EXPECT_FALSE(window.Visible(fp::FrChgTrimmer));
}

}  // namespace
}  // namespace velkor
