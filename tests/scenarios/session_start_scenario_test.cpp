// Session starts against ECU models that wake only to one kind of wake-up seen on the line: the
// stored variant reaches its ECU at once, and the rotation finds the variant of an ECU that does
// not accept the stored one.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "config/ini_store.hpp"
#include "config/settings.hpp"
#include "core/ctime_it.hpp"
#include "core/ecu_family.hpp"
#include "livedata/frmparam.hpp"
#include "platform/real_file_system.hpp"
#include "session/init_1516.hpp"
#include "session/kwp_start.hpp"
#include "sim/engine_model.hpp"
#include "sim/family_ecus.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"
#include "sim/wakeup_ecu.hpp"

namespace velkor {
namespace {

using sim::WakeUp;

class NoBeep : public Beeper {
 public:
  void Beep() override {}
};

struct StartBench {
  explicit StartBench(const std::string& name)
      : home(std::filesystem::path(::testing::TempDir()) / ("start_scenario_" + name)) {
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home / "Mesures");
    watch.Start();
    trace.Open(home / "Mesures" / "velkor0.log");
    exchange.SetKLinePort(&uart);
    exchange.SetKeepAliveTimer(keep_alive.get());
    keep_alive->SetInterval(2500);
  }
  ~StartBench() {
    trace.Close();
    std::filesystem::remove_all(home);
  }

  // A sleeping KWP ECU that accepts only `how`.
  sim::WakeUpEcu& KwpEcu(WakeUp how) {
    sim::WakeUpSettings settings = sim::KwpWakeUps();
    settings.accept_fast_init = how == WakeUp::kFastInit;
    settings.accept_five_baud = how == WakeUp::kFiveBaud;
    ecu = std::make_unique<sim::WakeUpEcu>(
        clock, bus, std::make_unique<sim::KwpEngineEcu>(clock, bus, engine), settings);
    state.EcuType = Iaw59M5AM;
    return *ecu;
  }

  bool StartKwp(int stored_variant) {
    ini.WriteProfileString("ECU", "Init", std::to_string(stored_variant));
    KwpStart start(KwpStartServices{exchange, &uart, state, clock, loop, ini, trace, dialogs,
                                    screen, measures, keep_alive.get(), home, ok_log_number});
    const bool ok = start.InitKWP();
    attempts = start.Attempts();
    variant = start.Variant();
    return ok;
  }

  std::filesystem::path home;
  sim::VirtualClock clock;
  sim::VirtualEventLoop loop{clock};
  sim::VirtualTimerService timers{clock};
  sim::KLineBus bus{clock};
  sim::TesterUart uart{clock, bus};
  sim::EngineModel engine;
  std::unique_ptr<sim::WakeUpEcu> ecu;
  std::unique_ptr<Timer> reply_timer = timers.CreateTimer();
  std::unique_ptr<Timer> keep_alive = timers.CreateTimer();
  std::unique_ptr<Timer> tempo = timers.CreateTimer();
  CTimeIt watch{clock};
  TraceLog trace{watch};
  LinkState state;
  Exchange exchange{state, clock, loop, *reply_timer, trace};
  RealFileSystem files;
  IniStore ini{home / "ecu.ini", files};
  sim::ScriptedDialogs dialogs;
  sim::NoLanguageFiles loader;
  Language language{loader};
  NoBeep beeper;
  ScreenModel screen;
  MeasureSwitches measures;
  int ok_log_number = 0;
  int attempts = 0;
  int variant = -1;
};

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

TEST(SessionStartScenario, EachVariantWakesTheEcuThatAcceptsOnlyItsWakeUp) {
  // Every ten failed attempts the variant moves on (3 -> 0, others 0 -> 1 -> 2 -> 0). The
  // fast-init ECU takes 20 to 30 ms of low line: attempt 10 of variant 0 breaks for 24 ms.
  const struct {
    int stored;
    WakeUp accepted;
    int attempts;  // the attempt that opened the session
    int variant;   // the variant of that attempt
  } cases[] = {
      {0, WakeUp::kFastInit, 1, 0},  {1, WakeUp::kFastInit, 1, 1},
      {3, WakeUp::kFastInit, 1, 3},  {4, WakeUp::kFastInit, 1, 4},
      {2, WakeUp::kFiveBaud, 1, 2},  {2, WakeUp::kFastInit, 10, 0},  // 2, then 0
      {0, WakeUp::kFiveBaud, 20, 2},                                 // 0, 1, then 2
      {3, WakeUp::kFiveBaud, 30, 2},                                 // 3, 0, 1, then 2
      {4, WakeUp::kFiveBaud, 10, 2},                                 // 4, then 2
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "stored " << c.stored << " accepted " << static_cast<int>(c.accepted));
    StartBench bench(TestName() + std::to_string(c.stored) +
                     std::to_string(static_cast<int>(c.accepted)));
    sim::WakeUpEcu& ecu = bench.KwpEcu(c.accepted);
    ASSERT_TRUE(bench.StartKwp(c.stored));
    EXPECT_EQ(bench.attempts, c.attempts);
    EXPECT_EQ(bench.variant, c.variant);
    ASSERT_EQ(ecu.WakeUps().size(), 1u);
    EXPECT_EQ(ecu.WakeUps()[0].how, c.accepted);
    EXPECT_TRUE(ecu.Awake());
    EXPECT_TRUE(bench.dialogs.messages.empty());
  }
}

TEST(SessionStartScenario, EcuThatNeverWakesGivesUpAfterFortyAttempts) {
  StartBench bench(TestName());
  sim::WakeUpSettings deaf = sim::KwpWakeUps();
  deaf.accept_fast_init = false;
  deaf.accept_five_baud = false;
  bench.ecu = std::make_unique<sim::WakeUpEcu>(
      bench.clock, bench.bus,
      std::make_unique<sim::KwpEngineEcu>(bench.clock, bench.bus, bench.engine), deaf);
  bench.state.EcuType = Iaw59M5AM;
  EXPECT_FALSE(bench.StartKwp(1));
  EXPECT_EQ(bench.attempts, KwpStart::kAttemptLimit);
  ASSERT_EQ(bench.dialogs.messages.size(), 1u);
  EXPECT_EQ(bench.dialogs.messages[0].text, "Pas de réponse de l'ECU ! Vérifiez les connexions");
  EXPECT_EQ(bench.ini.GetProfileString("ECU", "Init", "-", 255), "0");
}

// The 15M announces itself with its key bytes when the ignition comes on while the tester
// listens; the tester's answer pattern and the check request at 7812 baud open the session.
TEST(SessionStartScenario, IgnitionKeyBytesOpenThe15MSession) {
  for (bool answer_in_time : {true, false}) {
    SCOPED_TRACE(answer_in_time);
    StartBench bench(TestName() + (answer_in_time ? "1" : "0"));
    sim::WakeUpSettings settings = sim::IgnitionKeyWakeUp();
    settings.ignition = false;
    // An ECU that wants the pattern sooner than the tester sends it (0.6 s) stays asleep.
    if (!answer_in_time) settings.key_answer_window = std::chrono::milliseconds(300);
    bench.ecu = std::make_unique<sim::WakeUpEcu>(
        bench.clock, bench.bus,
        std::make_unique<sim::ByteFamilyEcu>(bench.clock, bench.bus, bench.engine, Iaw15M),
        settings);
    bench.state.EcuType = Iaw15M;
    // The mechanic turns the key two seconds after answering the question.
    bench.clock.ScheduleAfter(std::chrono::seconds(2), sim::EventKind::kDevice,
                              [&] { bench.ecu->SetIgnition(true); });
    Init1516Context context{
        bench.state,    bench.exchange, &bench.uart,  bench.clock,  bench.trace, bench.dialogs,
        bench.language, bench.beeper,   bench.screen, *bench.tempo, {}};
    EXPECT_EQ(Init1516(context), answer_in_time);
    EXPECT_EQ(bench.ecu->Awake(), answer_in_time);
    if (answer_in_time) {
      ASSERT_EQ(bench.ecu->WakeUps().size(), 1u);
      EXPECT_EQ(bench.ecu->WakeUps()[0].how, WakeUp::kIgnitionKeys);
      EXPECT_EQ(bench.screen.Text(frmparam::lbPanel5), "MM15");
    }
  }
}

}  // namespace
}  // namespace velkor
