// The byte-protocol session start against the bench, in virtual time: an ECU at 1200 baud that
// sends its key bytes when the ignition comes on, and one at 7812 baud for the one-byte protocol.
#include "session/init_1516.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ctime_it.hpp"
#include "livedata/frmparam.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/scripted_ecu.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;
using std::chrono::milliseconds;

constexpr const char* kNoPresentFault = "Aucun Défaut présent / No Failure now";
constexpr const char* kPresentFault = "Défaut(s)présent(s) / Failure(s)";
constexpr const char* kNoStoredFault = "Aucun Défaut mémorisé / No Failure in RAM";
constexpr const char* kStoredFault = "Défaut(s) mémorisé(s) / Failure(s) in RAM";

TEST(VerifCodeIsoTest, AcceptsOnlyARecordWhoseChecksumMatches) {
  const struct {
    const char* recep;
    bool valid;
  } cases[] = {
      {"55B080808085", true},
      {"55B080808084", false},
      {"0055B080808085", true},  // the record need not start the text
      {"55B08", false},          // shorter than a record
      {"55B08080808", false},    // checksum cut short
      {"", false},
      // The first "55" fails (it is inside the record), the "0B" record holds.
      {"0B55808080E0", true},
      {"0B0102030415", true},
      {"0B0102030416", false},
      {"AAB080808085", false},  // no marker at all
  };
  for (const auto& c : cases) {
    EXPECT_EQ(verif_code_iso(c.recep), c.valid) << c.recep;
  }
}

class CountingBeeper : public Beeper {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

// The answers of the working-speed ECU, in request order "08", "10"-"12", "14"-"16"; an empty
// answer is silence.
using ByteAnswers = std::array<HexMessage, 7>;
constexpr std::array<const char*, 7> kByteRequests = {"08", "10", "11", "12", "14", "15", "16"};
const ByteAnswers kHealthy = {"00", "00", "FF", "00", "FF", "00", "00"};

double Ms(sim::Nanos time) { return sim::ToSeconds(time) * 1000.0; }

// A fresh bench per start, so that no script or line state carries over between cases.
class Bench {
 public:
  Bench() {
    static int count = 0;
    trace_path_ = std::filesystem::path(::testing::TempDir()) /
                  ("init_1516_" + std::to_string(++count) + ".log");
    watch_.Start();
    EXPECT_TRUE(trace_.Open(trace_path_));
    trace_.SetSink(&trace_lines_);
    link_.EcuType = Iaw16M;
    exchange_.SetKLinePort(&uart_);
    model_.SetVisible(fp::ProgressBar1, false);
    model_.SetVisible(fp::Lbtest, false);
    model_.SetVisible(fp::contact, false);
    model_.SetListener([this](const std::string& control, const ControlState& state) {
      if (control != fp::Lbtest || state.text.empty()) return;
      if (!phases_.empty() && phases_.back() == state.text) return;
      phases_.push_back(state.text);
      // The lamp as phase 2 left it: the fault requests of phase 3 repaint it.
      if (state.text == "Phase 3") lamp_after_check_ = link_.lamp_colour;
    });
    tempo_->SetOnTick([this] { ++tempo_ticks_; });
  }
  ~Bench() {
    trace_.Close();
    std::filesystem::remove(trace_path_);
  }
  Bench(const Bench&) = delete;
  Bench& operator=(const Bench&) = delete;

  // The ignition comes on `at` seconds after the start: the ECU sends its key bytes.
  void IgnitionOn(const HexMessage& key_bytes, double at = 3.0) {
    // Switched on while the program listens, as the user was told.
    key_ecu_.SendAt(sim::Seconds(at), key_bytes);
  }
  void ScriptWorkingEcu(const ByteAnswers& answers) {
    for (std::size_t i = 0; i < answers.size(); ++i) {
      if (answers[i].empty()) {
        work_ecu_.Add(sim::EcuStep::Silence(kByteRequests[i]));
      } else {
        work_ecu_.Expect(kByteRequests[i], answers[i]);
      }
    }
  }
  bool Run() {
    Init1516Context context{link_,
                            exchange_,
                            port_,
                            clock_,
                            trace_,
                            dialogs_,
                            language_,
                            beeper_,
                            model_,
                            *tempo_,
                            [this](int run_length) {
                              run_length_ = run_length;
                              tempo_->SetInterval(init1516::kProgressTickMs);
                              tempo_->Start();
                            }};
    return Init1516(context);
  }
  bool Traced(const std::string& line) const {
    const auto& lines = trace_lines_.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  std::vector<std::uint8_t> Written() const {
    std::vector<std::uint8_t> bytes;
    for (const auto& frame : uart_.Written()) bytes.push_back(frame.byte);
    return bytes;
  }
  std::vector<sim::KLineBus::SpeedChange> TesterSpeeds() const {
    std::vector<sim::KLineBus::SpeedChange> speeds;
    for (const auto& change : bus_.SpeedLog()) {
      if (change.who == "tester") speeds.push_back(change);
    }
    return speeds;
  }

  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  sim::KLineBus bus_{clock_};
  sim::TesterUart uart_{clock_, bus_};
  sim::ScriptedEcu key_ecu_{clock_, bus_, init1516::kListenBaud};
  sim::ScriptedEcu work_ecu_{clock_, bus_, init1516::kWorkingBaud};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  std::unique_ptr<Timer> tempo_ = timers_.CreateTimer();
  CTimeIt watch_{clock_};
  TraceLog trace_{watch_};
  TraceList trace_lines_;
  std::filesystem::path trace_path_;
  LinkState link_;
  Exchange exchange_{link_, clock_, loop_, *reply_timer_, trace_};
  KLinePort* port_ = &uart_;
  sim::ScriptedDialogs dialogs_;
  sim::NoLanguageFiles loader_;
  Language language_{loader_};
  CountingBeeper beeper_;
  ScreenModel model_;
  std::vector<std::string> phases_;
  std::optional<int> run_length_;
  int tempo_ticks_ = 0;
  int lamp_after_check_ = 0;
};

TEST(Init1516Test, ValidKeyBytesOpenTheSessionAtTheWorkingSpeed) {
  Bench b;
  b.IgnitionOn("55B080808085");
  b.ScriptWorkingEcu(kHealthy);

  ASSERT_TRUE(b.Run());
  ASSERT_EQ(b.dialogs_.questions.size(), 1u);
  EXPECT_EQ(b.dialogs_.questions[0], init1516::kQuestion);
  EXPECT_TRUE(b.Traced("iso : 55B080808085"));
  // The pattern went out at the listening speed, the requests at the working speed.
  std::vector<int> speeds;
  for (const auto& change : b.TesterSpeeds()) speeds.push_back(change.baud);
  EXPECT_EQ(speeds, (std::vector<int>{1200, 7812}));
  EXPECT_EQ(b.work_ecu_.StepsLeft(), 0u);
  EXPECT_EQ(b.Written(), (std::vector<std::uint8_t>{0x0F, 0xAA, 0xCC, 0x08, 0x10, 0x11, 0x12, 0x14,
                                                    0x15, 0x16}));
  EXPECT_EQ(b.phases_, (std::vector<std::string>{"Phase 1", "Phase 2", "Phase 3"}));
  EXPECT_EQ(b.run_length_, init1516::kProgressRunLength);
  EXPECT_GT(b.tempo_ticks_, 0);  // the progress timer ran while the program listened
  EXPECT_EQ(b.beeper_.beeps, 1);

  EXPECT_EQ(b.model_.Text(fp::lpresent), kNoPresentFault);
  EXPECT_EQ(b.model_.Text(fp::lmemo), kNoStoredFault);
  EXPECT_EQ(b.model_.Text(fp::lbPanel5), "MM16");
  EXPECT_EQ(b.lamp_after_check_, kLampGreen);
  EXPECT_EQ(b.link_.lamp_colour, kLampGreen);
  EXPECT_FALSE(b.model_.Visible(fp::ProgressBar1));
  EXPECT_FALSE(b.model_.Visible(fp::Lbtest));
  EXPECT_FALSE(b.model_.Visible(fp::contact));
  EXPECT_EQ(b.model_.Value(init1516::kMousePointer), init1516::kPointerStoredFaults);
}

// The answer pattern is timed from its own start: 0.6 s, then 0.11 s between the bytes, and
// 0.3 s of quiet line before the speed changes.
TEST(Init1516Test, AnswerPatternKeepsItsPausesAndReachesTheListeningEcu) {
  Bench b;
  b.IgnitionOn("55B080808085");
  b.ScriptWorkingEcu(kHealthy);
  sim::Nanos phase1_start{0};
  b.model_.SetListener([&](const std::string& control, const ControlState& state) {
    if (control == fp::Lbtest && state.text == "Phase 1") phase1_start = b.clock_.Now();
  });

  ASSERT_TRUE(b.Run());
  const auto& frames = b.uart_.Written();
  ASSERT_GE(frames.size(), 3u);
  EXPECT_NEAR(Ms(frames[0].start - phase1_start), 600, 0.001);
  EXPECT_NEAR(Ms(frames[1].start - frames[0].start), 110, 0.001);
  EXPECT_NEAR(Ms(frames[2].start - frames[1].start), 110, 0.001);
  const auto speeds = b.TesterSpeeds();
  ASSERT_EQ(speeds.size(), 2u);
  EXPECT_EQ(speeds[1].baud, 7812);
  EXPECT_NEAR(Ms(speeds[1].time - frames[2].start), 300, 0.001);

  // Each byte arrives on its own, 0.11 s apart; what follows at 7812 baud is noise to it.
  HexMessage heard;
  for (const auto& request : b.key_ecu_.Requests()) heard += request.bytes;
  EXPECT_EQ(Left(heard, 6), "0FAACC");
}

// What the fault bytes make of the two labels. An unanswered fault request counts as a fault.
TEST(Init1516Test, FaultBytesDecideTheLabels) {
  const struct {
    const char* name;
    ByteAnswers answers;
    const char* present;
    const char* stored;
  } cases[] = {
      {"none", kHealthy, kNoPresentFault, kNoStoredFault},
      {"present", {"00", "00", "04", "FF", "00", "00", "00"}, kPresentFault, kNoStoredFault},
      {"stored", {"00", "FF", "FF", "FF", "FF", "FF", "20"}, kNoPresentFault, kStoredFault},
      {"a later clean byte keeps the fault",
       {"00", "01", "00", "00", "00", "80", "00"},
       kPresentFault,
       kStoredFault},
      {"silent fault request",
       {"00", "00", "00", "00", "00", "", "00"},
       kNoPresentFault,
       kStoredFault},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bench b;
    b.IgnitionOn("55B080808085");
    b.ScriptWorkingEcu(c.answers);

    ASSERT_TRUE(b.Run());
    EXPECT_EQ(b.model_.Text(fp::lpresent), c.present);
    EXPECT_EQ(b.model_.Text(fp::lmemo), c.stored);
    EXPECT_EQ(b.work_ecu_.StepsLeft(), 0u);
  }
}

// Every way the start fails: nothing is answered to the ECU unless its key bytes were valid,
// and only a silent ECU is reported as "Echec".
TEST(Init1516Test, FailedStartsReturnFalse) {
  const struct {
    const char* name;
    bool ok;                             // the answer to the ignition question
    HexMessage key_bytes;                // empty: silence
    std::optional<ByteAnswers> answers;  // the working-speed ECU, when present
    const char* present;
    const char* memo;
    bool pattern_sent;
  } cases[] = {
      {"cancel", false, "55B080808085", kHealthy, "", "", false},
      {"silence", true, "", kHealthy, "Echec", "", false},
      {"wrong checksum", true, "55B080808084", kHealthy, "ISO: 55B080808084",
       "et attendre les BIP et Init = ON", false},
      {"key bytes but no ECU at the working speed", true, "55B080808085", std::nullopt, "Echec", "",
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bench b;
    b.dialogs_.answer = c.ok;
    if (!c.key_bytes.empty()) b.IgnitionOn(c.key_bytes);
    if (c.answers) b.ScriptWorkingEcu(*c.answers);

    EXPECT_FALSE(b.Run());
    EXPECT_EQ(b.model_.Text(fp::lpresent), c.present);
    EXPECT_EQ(b.model_.Text(fp::lmemo), c.memo);
    const std::vector<std::uint8_t> written = b.Written();
    EXPECT_EQ(!written.empty() && written[0] == 0x0F, c.pattern_sent);
    if (c.present == std::string("Echec")) {
      EXPECT_EQ(b.link_.lamp_colour, kLampRed);
    }
    EXPECT_NE(b.model_.Text(fp::lbPanel5), "MM16");
  }
}

TEST(Init1516Test, SilenceIsTracedAfterTheWholeListeningTime) {
  Bench b;
  const sim::Nanos start = b.clock_.Now();
  EXPECT_FALSE(b.Run());
  EXPECT_TRUE(b.Traced("iso : "));
  EXPECT_GE(b.clock_.Now() - start, milliseconds(init1516::kKeyListenMs));
  EXPECT_TRUE(b.model_.Visible(fp::contact));  // the caller hides the picture on failure
}

// The 15RC sends no key bytes: no question, no listening, the pattern goes out at once.
TEST(Init1516Test, Family15RCStartsWithThePatternAtOnce) {
  Bench b;
  b.link_.EcuType = Iaw15RC;
  b.ScriptWorkingEcu(kHealthy);

  ASSERT_TRUE(b.Run());
  EXPECT_TRUE(b.dialogs_.questions.empty());
  EXPECT_FALSE(b.Traced("iso : "));
  EXPECT_FALSE(b.run_length_.has_value());
  ASSERT_FALSE(b.uart_.Written().empty());
  EXPECT_EQ(b.uart_.Written()[0].byte, 0x0F);
  // Configured at 1200 baud at the start, first byte after the pattern's first pause.
  const auto speeds = b.TesterSpeeds();
  ASSERT_FALSE(speeds.empty());
  EXPECT_EQ(speeds[0].baud, 1200);
  EXPECT_NEAR(Ms(b.uart_.Written()[0].start - speeds[0].time), 600, 0.001);
  EXPECT_EQ(b.model_.Text(fp::lbPanel5), "15RC");
}

// Test mode runs the whole start on the canned answers, with no cable at all.
TEST(Init1516Test, TestModeRunsOnCannedAnswers) {
  const struct {
    int ecu_type;
    const char* family;
  } cases[] = {{Iaw16M, "MM16"}, {Iaw15M, "MM15"}, {Iaw15RC, "15RC"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.family);
    Bench b;
    b.link_.TestMode = true;
    b.link_.EcuType = c.ecu_type;
    b.port_ = nullptr;
    b.exchange_.SetKLinePort(nullptr);

    ASSERT_TRUE(b.Run());
    // Test mode answers, but no ECU did: the check leaves the lamp red.
    EXPECT_EQ(b.lamp_after_check_, kLampRed);
    EXPECT_EQ(b.model_.Text(fp::lpresent), kNoPresentFault);
    EXPECT_EQ(b.model_.Text(fp::lmemo), kNoStoredFault);
    EXPECT_EQ(b.model_.Text(fp::lbPanel5), c.family);
    EXPECT_TRUE(b.uart_.Written().empty());
    EXPECT_EQ(b.Traced("iso : 55B080808085AA"), c.ecu_type != Iaw15RC);
  }
}

}  // namespace
}  // namespace velkor
