// The KWP session start on the bench, in virtual time: the wake-up each variant puts on the line,
// the rotation of variants over 40 attempts, what is remembered in ecu.ini, the ECU name and the
// controls it drives, and the trace kept under its OK name.
#include "session/kwp_start.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "config/settings_keys.hpp"
#include "core/ctime_it.hpp"
#include "livedata/frmparam.hpp"
#include "platform/real_file_system.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/scripted_ecu.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;
using sim::Nanos;
using std::chrono::milliseconds;

constexpr const char* kStartFrame = "8110F18103";
constexpr const char* kStartReply = "83F110C1EF8FC3";
constexpr const char* kNoAnswer = "Pas de réponse de l'ECU ! Vérifiez les connexions";

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// A tester, its cable and one scripted ECU on the wire, with a fresh program folder.
struct Bench {
  explicit Bench(const std::string& name) : home(FreshHome(name)) {
    first_trace = home / "Mesures" / "velkor0.log";
    watch.Start();
    trace.Open(first_trace);
    trace.SetSink(&trace_lines);
    bus.SetHistoryHorizon(std::chrono::hours(1));
    state.EcuType = Iaw59M5AM;
    exchange.SetKLinePort(&uart);
    exchange.SetKeepAliveTimer(keep_alive.get());
    keep_alive->SetInterval(2500);
    keep_alive->Start();
    measures.moteur_pp = true;
  }
  ~Bench() {
    trace.Close();
    std::filesystem::remove_all(home);
  }

  void StoreVariant(int variant) { ini.WriteProfileString("ECU", "Init", std::to_string(variant)); }
  static std::filesystem::path FreshHome(const std::string& name) {
    auto folder = std::filesystem::path(::testing::TempDir()) / ("kwp_start_" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "Mesures");
    return folder;
  }
  std::string Key(const char* key) const { return ini.GetProfileString("ECU", key, "-", 255); }

  // The ECU answers the start request, ignores the timing parameters and names itself.
  void AnswerStart(const std::string& name_hex = "49415735414D485730313053") {
    ecu.Expect(kStartFrame, kStartReply);
    ecu.Add(sim::EcuStep::Silence());
    if (!name_hex.empty()) ecu.Add(sim::EcuStep::Reply("", "BFF1105A92" + name_hex));
  }

  bool Start() {
    start_time = clock.Now();
    KwpStart start(KwpStartServices{exchange, &uart, state, clock, loop, ini, trace, dialogs,
                                    screen, measures, keep_alive.get(), home, ok_log_number});
    const bool ok = start.InitKWP();
    attempts = start.Attempts();
    ecu_name = start.EcuName();
    return ok;
  }
  double Since(Nanos t) const { return sim::ToSeconds(t - start_time); }

  // Trace lines "Init = n", as the variants were announced.
  std::vector<std::string> AnnouncedVariants() const {
    std::vector<std::string> variants;
    for (const auto& line : trace_lines.Lines()) {
      if (line.rfind("Init = ", 0) == 0) variants.push_back(line.substr(7));
    }
    return variants;
  }

  // Low pulses of the line between min_ms and max_ms long, in milliseconds, in order.
  std::vector<int> LowPulsesMs(int min_ms, int max_ms) const {
    std::vector<int> pulses;
    const auto transitions = bus.LineTransitions(start_time, clock.Now());
    for (std::size_t i = 0; i + 1 < transitions.size(); ++i) {
      if (transitions[i].high || !transitions[i + 1].high) continue;
      const double ms = sim::ToSeconds(transitions[i + 1].time - transitions[i].time) * 1000;
      if (ms >= min_ms && ms <= max_ms) pulses.push_back(static_cast<int>(ms + 0.5));
    }
    return pulses;
  }

  std::filesystem::path home;  // first: the ini store and the trace live in it
  std::filesystem::path first_trace;
  sim::VirtualClock clock;
  sim::VirtualEventLoop loop{clock};
  sim::VirtualTimerService timers{clock};
  sim::KLineBus bus{clock};
  sim::TesterUart uart{clock, bus};
  sim::ScriptedEcu ecu{clock, bus};
  std::unique_ptr<Timer> reply_timer = timers.CreateTimer();
  std::unique_ptr<Timer> keep_alive = timers.CreateTimer();
  CTimeIt watch{clock};
  TraceLog trace{watch};
  TraceList trace_lines;
  LinkState state;
  Exchange exchange{state, clock, loop, *reply_timer, trace};
  RealFileSystem file_system;
  IniStore ini{home / "ecu.ini", file_system};
  sim::ScriptedDialogs dialogs;
  ScreenModel screen;
  MeasureSwitches measures;
  int ok_log_number = 0;
  Nanos start_time{0};
  int attempts = 0;
  std::string ecu_name;
};

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

TEST(KwpStartTest, TestModeOpensAtTheFirstAttemptAndNamesTheEcu) {
  Bench bench(TestName());
  bench.state.TestMode = true;
  EXPECT_TRUE(bench.Start());
  EXPECT_EQ(bench.attempts, 1);
  EXPECT_EQ(bench.ecu_name, "IAW5AMHW010");
  EXPECT_EQ(bench.screen.Text(fp::lbPanel5), "IAW5AMHW010");
  EXPECT_TRUE(bench.screen.Visible(fp::frMoteurPP));
  EXPECT_EQ(bench.Key("Init"), "0");
  EXPECT_EQ(bench.Key("Chrono"), "23");
  EXPECT_TRUE(bench.dialogs.messages.empty());
  EXPECT_FALSE(bench.screen.Visible(fp::ProgressBar1));
  EXPECT_FALSE(bench.screen.Visible(fp::Lbtest));
  EXPECT_TRUE(bench.keep_alive->IsRunning());
  EXPECT_EQ(bench.state.RequestHeader, "10F1");
  const auto& lines = bench.trace_lines.Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Type init : 0"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Type ECU : IAW5AMHW010"), lines.end());
}

// Each stored variant against an ECU that answers the first start request: the wake-up seen on
// the wire (times from the start of the procedure, whose first 0.2 s are settling at 10400 baud)
// and the keys remembered for next time.
TEST(KwpStartTest, EachVariantWakesTheEcuAsStoredAndIsRemembered) {
  struct Speed {
    int baud;
    bool configure;
    double at;
  };
  const struct {
    int stored;
    std::vector<Speed> speeds;               // the tester's speed log
    std::optional<double> f0_at;             // the wake-up byte 0xF0 written at
    int break_ms;                            // the break pulse, 0 for none
    std::optional<std::uint8_t> first_byte;  // first byte written when no 0xF0
    const char* init;
    const char* init_b;
    const char* chrono;
  } cases[] = {
      {0, {{10400, true, 0}, {10400, true, 0.2}}, std::nullopt, 23, 0x81, "0", "-", "23"},
      {1, {{10400, true, 0}, {200, true, 0.2}, {10400, false, 0.7}}, 0.65, 0, {}, "1", "200", "-"},
      {2, {{10400, true, 0}, {10400, true, 0.2}}, std::nullopt, 0, 0xF7, "2", "-", "-"},
      {3,
       {{10400, true, 0}, {200, true, 0.2}, {10400, false, 0.575}},
       0.55,
       0,
       {},
       "3",
       "200",
       "-"},
      {4, {{10400, true, 0}, {200, true, 0.2}, {10400, false, 0.65}}, 0.65, 0, {}, "4", "200", "-"},
      {5, {{10400, true, 0}}, std::nullopt, 0, 0x81, "1", "200", "-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    Bench bench(TestName() + std::to_string(c.stored));
    bench.StoreVariant(c.stored);
    bench.AnswerStart();
    if (c.stored == 2) {
      // 0.2 s settling, 0.4 s idle, 1.8 s of address byte, then the sync and key bytes.
      bench.ecu.SendAt(bench.clock.Now() + milliseconds(2500), "550808");
    }
    const Nanos t0 = bench.clock.Now();
    bench.start_time = t0;

    ASSERT_TRUE(bench.Start());
    EXPECT_EQ(bench.attempts, 1);
    EXPECT_EQ(bench.Key("Init"), c.init);
    EXPECT_EQ(bench.Key("InitB"), c.init_b);
    EXPECT_EQ(bench.Key("Chrono"), c.chrono);

    const auto& log = bench.bus.SpeedLog();
    std::vector<Speed> speeds;
    for (const auto& change : log) {
      if (change.who == "tester") {
        speeds.push_back({change.baud, change.configure, bench.Since(change.time)});
      }
    }
    ASSERT_EQ(speeds.size(), c.speeds.size());
    for (std::size_t i = 0; i < speeds.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(speeds[i].baud, c.speeds[i].baud);
      EXPECT_EQ(speeds[i].configure, c.speeds[i].configure);
      EXPECT_NEAR(speeds[i].at, c.speeds[i].at, 1e-6);
    }

    const auto& written = bench.uart.Written();
    ASSERT_FALSE(written.empty());
    if (c.f0_at) {
      EXPECT_EQ(written[0].byte, 0xF0);
      EXPECT_NEAR(bench.Since(written[0].start), *c.f0_at, 1e-6);
    } else {
      EXPECT_EQ(written[0].byte, *c.first_byte);
    }
    if (c.break_ms != 0) {
      const auto pulses = bench.LowPulsesMs(10, 30);
      ASSERT_EQ(pulses.size(), 1u);
      EXPECT_EQ(pulses[0], c.break_ms);
      // The pulse follows 0.35 s of released line; the request its 23 ms of high line.
      const auto edge = bench.bus.NextFallingEdge(t0 + milliseconds(201));
      ASSERT_TRUE(edge.has_value());
      EXPECT_NEAR(bench.Since(*edge), 0.65, 1e-6);
      EXPECT_GE(bench.Since(written[0].start), 0.65 + 0.046);
    }
    EXPECT_EQ(bench.ecu.StepsLeft(), 0u);
  }
}

TEST(KwpStartTest, BreakLengthFollowsTheAttemptNumber) {
  Bench bench(TestName());
  bench.ecu.Add(sim::EcuStep::Silence());
  EXPECT_FALSE(bench.Start());
  // Attempts 1 to 9 are variant 0 (attempt 1: 23 ms, attempt 7: 22 ms); attempt 10 is the
  // 0xF0 at 200 baud, whose start bit and four zeros also make 25 ms.
  const auto pulses = bench.LowPulsesMs(10, 30);
  ASSERT_GE(pulses.size(), 10u);
  EXPECT_EQ(std::vector<int>(pulses.begin(), pulses.begin() + 10),
            (std::vector<int>{23, 21, 24, 20, 25, 19, 22, 23, 21, 25}));
}

// Silent ECU from every stored variant, and one that answers only the fortieth request.
TEST(KwpStartTest, RotatesVariantsEveryTenAttemptsAndGivesUpAfterForty) {
  const struct {
    int stored;
    bool answers_last;
    std::vector<std::string> announced;
  } cases[] = {
      {0, false, {"0", "1", "2", "0", "1"}},
      {3, false, {"3", "0", "1", "2", "0"}},
      {4, false, {"4", "2", "0", "1", "2"}},
      {0, true, {"0", "1", "2", "0", "1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.stored) + (c.answers_last ? " answers last" : " silent"));
    Bench bench(TestName() + std::to_string(c.stored) + (c.answers_last ? "a" : "s"));
    bench.StoreVariant(c.stored);
    if (c.answers_last) {
      for (int i = 0; i < 39; ++i) bench.ecu.Add(sim::EcuStep::Silence(kStartFrame));
      bench.AnswerStart();
    }
    std::vector<std::string> captions;
    std::vector<int> progress;
    bench.screen.SetListener([&](const std::string& control, const ControlState& state) {
      if (control == fp::Lbtest && (captions.empty() || captions.back() != state.text)) {
        captions.push_back(state.text);
      }
      if (control == fp::ProgressBar1) progress.push_back(state.value);
    });

    EXPECT_EQ(bench.Start(), c.answers_last);
    EXPECT_EQ(bench.attempts, 40);
    EXPECT_EQ(bench.AnnouncedVariants(), c.announced);
    ASSERT_EQ(captions.size(), 40u);
    EXPECT_EQ(captions.front(), "Init Mode " + c.announced[0] + "  3%");
    EXPECT_EQ(captions[19], "Init Mode " + c.announced[2] + "  50%");
    EXPECT_EQ(captions.back(), "Init Mode " + c.announced[4] + "  100%");
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100);
    EXPECT_FALSE(bench.screen.Visible(fp::ProgressBar1));
    EXPECT_FALSE(bench.screen.Visible(fp::Lbtest));
    if (c.answers_last) {
      EXPECT_TRUE(bench.dialogs.messages.empty());
      EXPECT_EQ(bench.Key("Init"), "1");
      EXPECT_TRUE(bench.keep_alive->IsRunning());
    } else {
      EXPECT_EQ(bench.dialogs.messages,
                (std::vector<sim::ScriptedDialogs::Shown>{{kNoAnswer, "Fatal erreur"}}));
      EXPECT_EQ(bench.Key("Init"), "0");
      EXPECT_FALSE(bench.keep_alive->IsRunning());
      EXPECT_EQ(bench.state.lamp_colour, kLampRed);
    }
  }
}

TEST(KwpStartTest, StoredVariantWithoutWakeUpMakesOneSilentAttempt) {
  for (const int stored : {5, 6, 7, 12}) {
    SCOPED_TRACE(stored);
    Bench bench(TestName() + std::to_string(stored));
    bench.StoreVariant(stored);
    EXPECT_FALSE(bench.Start());
    EXPECT_EQ(bench.attempts, 1);
    std::vector<std::uint8_t> written;
    for (const auto& frame : bench.uart.Written()) written.push_back(frame.byte);
    EXPECT_EQ(written, (std::vector<std::uint8_t>{0x81, 0x10, 0xF1, 0x81, 0x03}));
    EXPECT_TRUE(bench.LowPulsesMs(2, 100000).empty());
    EXPECT_TRUE(bench.dialogs.messages.empty());
    EXPECT_EQ(bench.Key("Init"), "0");
    EXPECT_TRUE(bench.keep_alive->IsRunning());
  }
}

// Only the IAW 5AM has the stepper motor and the lambda trimmer.
TEST(KwpStartTest, EcuNameDecidesTheStepperMotorControls) {
  const struct {
    const char* name;
    std::string name_hex;  // "" : the ECU does not answer the identification
    std::string shown;
    bool stepper;
  } cases[] = {
      {"5AM", "49415735414D485730313053", "IAW5AMHW010", true},
      {"59M", "494157353930485730313053", "IAW590HW010", false},
      {"no answer", "", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bench bench(TestName() + c.shown);
    bench.StoreVariant(5);
    bench.measures.moteur_pp = true;
    bench.measures.trimmer = false;
    bench.AnswerStart(c.name_hex);
    ASSERT_TRUE(bench.Start());
    EXPECT_EQ(bench.screen.Text(fp::lbPanel5), c.shown);
    EXPECT_EQ(bench.screen.Visible(fp::frMoteurPP), c.stepper);
    EXPECT_EQ(bench.screen.Enabled(fp::lbMoteurPP), c.stepper);
    // The stepper-motor test's button follows its measure, on a 5AM only.
    EXPECT_EQ(bench.screen.Enabled(fp::cdMoteurPP), c.stepper);
    EXPECT_EQ(bench.screen.Visible(fp::lbLambda), c.stepper);
    if (c.stepper) {
      EXPECT_FALSE(bench.screen.Enabled(fp::lbLambda));  // the trimmer preference is off
    }
    EXPECT_EQ(bench.measures.moteur_pp, c.stepper);
  }
}

TEST(KwpStartTest, TraceOfTheStartContinuesUnderTheOkName) {
  Bench bench(TestName());
  bench.state.TestMode = true;
  bench.ok_log_number = 3;
  bench.trace.WriteTrace("before");
  ASSERT_TRUE(bench.Start());
  bench.trace.WriteTrace("after");

  const auto kept = bench.home / "Mesures" / "velkorOK3.log";
  EXPECT_EQ(bench.trace.Path(), kept);
  EXPECT_FALSE(std::filesystem::exists(bench.first_trace));
  const std::string text = ReadFile(kept);
  EXPECT_EQ(text.rfind("before\r\nInit = 0\r\n", 0), 0u) << text;
  EXPECT_NE(text.find("Type ECU : IAW5AMHW010\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 7), "after\r\n");
  // The trace window saw each line once.
  const auto& lines = bench.trace_lines.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "before"), 1);
  EXPECT_EQ(lines.back(), "after");
  EXPECT_EQ(bench.ok_log_number, 3);
}

// A kept copy that cannot be made must not cost the trace: it goes on in the first file.
TEST(KwpStartTest, TraceStaysInTheFirstFileWhenTheCopyFails) {
  Bench bench(TestName());
  bench.state.TestMode = true;
  const auto other = bench.home / "elsewhere.log";
  bench.trace.Open(other);
  bench.trace.WriteTrace("before");
  std::filesystem::remove_all(bench.home / "Mesures");
  ASSERT_TRUE(bench.Start());
  bench.trace.WriteTrace("after");
  EXPECT_EQ(bench.trace.Path(), other);
  const std::string text = ReadFile(other);
  EXPECT_EQ(text.rfind("before\r\nInit = 0\r\n", 0), 0u) << text;
  EXPECT_EQ(text.substr(text.size() - 7), "after\r\n");
}

}  // namespace
}  // namespace velkor
