// The life of a session as the main window sees it, on the bench in virtual time: F2 by family
// and link, the keep-alive tick, the session lost, re-initialisation, and a cable that cannot be
// opened.
#include "session/session_control.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "core/ecu_family.hpp"
#include "livedata/family_decoder.hpp"
#include "livedata/frmparam.hpp"
#include "livedata/measurement_cycle.hpp"
#include "platform/real_file_system.hpp"
#include "session/live_data_hooks.hpp"
#include "session/main_window.hpp"
#include "sim/elm327_model.hpp"
#include "sim/engine_model.hpp"
#include "sim/family_ecus.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/scripted_serial_port.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"
#include "sim/wakeup_ecu.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;
using sim::Nanos;
using std::chrono::milliseconds;

class Host : public MainWindowHost {
 public:
  InterfaceChoice RunInterfaceWindow() override { return std::move(choice); }
  void ShowWindow() override {}
  void PlaceWindow(int, int) override {}
  WindowPosition CurrentPosition() const override { return {}; }
  InterfaceChoice choice;
};

class CountingBeeper : public Beeper {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

// Opens cables again after one went away: each serial open gives a fresh bench cable.
class Devices : public InterfaceDevices {
 public:
  Devices(sim::VirtualClock& clock, sim::KLineBus& bus) : clock_(clock), bus_(bus) {}
  std::optional<std::vector<std::string>> ListFtdiDevices() override { return {}; }
  OpenResult<KLinePort> OpenFtdi(const std::string& description) override {
    opened.push_back(description);
    return {nullptr, "FTDI device not found"};
  }
  std::vector<SerialDeviceInfo> ListSerialDevices() override { return {}; }
  OpenResult<KLinePort> OpenSerialKLine(const std::string& path) override {
    opened.push_back(path);
    if (!error.empty()) return {nullptr, error};
    return {std::make_unique<sim::TesterUart>(clock_, bus_), ""};
  }
  std::unique_ptr<SerialPort> CreateSerialPort() override { return nullptr; }

  std::vector<std::string> opened;
  std::string error;

 private:
  sim::VirtualClock& clock_;
  sim::KLineBus& bus_;
};

class SessionTest : public ::testing::Test {
 protected:
  static std::filesystem::path FreshHome() {
    const auto home =
        std::filesystem::path(::testing::TempDir()) /
        (std::string("session_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    return home;
  }
  SessionTest() {
    keep_alive_->SetInterval(2500);
    exchange_.SetKeepAliveTimer(keep_alive_.get());
    bus_.SetHistoryHorizon(std::chrono::minutes(1));
    window_.SetSession(&session_);
  }
  ~SessionTest() override {
    trace_.Close();
    std::filesystem::remove_all(home_);
  }

  void WriteIni(const std::string& text) { std::ofstream(EcuIniPath(home_)) << text; }

  // The window started on a K-line cable of the bench (or the demo ECU with `test_mode`).
  void StartOnKLine(bool test_mode = false) {
    host_.choice.kind = InterfaceKind::kKkl;
    host_.choice.device = "/dev/ttyUSB0";
    if (!test_mode) {
      auto uart = std::make_unique<sim::TesterUart>(clock_, bus_);
      uart_ = uart.get();
      host_.choice.kline = std::move(uart);
    }
    link_.TestMode = test_mode;
    ASSERT_TRUE(window_.StartUp());
    trace_.SetSink(&trace_lines_);
  }

  // A sleeping M59 behind the cable that wakes to a fast init.
  sim::WakeUpEcu& SleepingM59() {
    ecu_ = std::make_unique<sim::WakeUpEcu>(
        clock_, bus_, std::make_unique<sim::KwpEngineEcu>(clock_, bus_, engine_),
        sim::KwpWakeUps());
    return *ecu_;
  }

  int Requests(const std::string& payload_start) const {
    const auto& requests = ecu_->Model().Requests();
    return static_cast<int>(std::count_if(requests.begin(), requests.end(), [&](const auto& r) {
      return r.key.rfind(payload_start, 0) == 0;
    }));
  }
  // A plain line as written, or a timed one ending with it.
  bool Traced(const std::string& line) const {
    const auto& lines = trace_lines_.Lines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l == line || l.ends_with(" " + line); });
  }

  std::filesystem::path home_ = FreshHome();
  RealFileSystem files_;
  IniStore ini_{EcuIniPath(home_), files_};
  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  sim::KLineBus bus_{clock_};
  sim::EngineModel engine_;
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  std::unique_ptr<Timer> keep_alive_ = timers_.CreateTimer();
  std::unique_ptr<Timer> tempo_ = timers_.CreateTimer();
  CTimeIt stopwatch_{clock_};
  TraceLog trace_{stopwatch_};
  TraceList trace_lines_;
  LinkState link_;
  Exchange exchange_{link_, clock_, loop_, *reply_timer_, trace_};
  sim::ScriptedDialogs dialogs_;
  sim::NoLanguageFiles loader_;
  Language language_{loader_};
  CountingBeeper beeper_;
  ScreenModel model_;
  Host host_;
  Devices devices_{clock_, bus_};
  ScreenModel afr_;  // the AFR input's window
  MainWindow window_{model_,
                     MainWindowServices{ini_, link_, exchange_, clock_, trace_, stopwatch_,
                                        dialogs_, language_, home_, " - 1.2.3", nullptr},
                     host_, *tempo_};
  SessionControl session_{SessionServices{.window = model_,
                                          .link = link_,
                                          .exchange = exchange_,
                                          .clock = clock_,
                                          .loop = loop_,
                                          .ini = ini_,
                                          .trace = trace_,
                                          .dialogs = dialogs_,
                                          .language = language_,
                                          .beeper = beeper_,
                                          .keep_alive = *keep_alive_,
                                          .progress_timer = *tempo_,
                                          .flags = window_.flags(),
                                          .measures = window_.measures(),
                                          .home = home_,
                                          .devices = &devices_,
                                          .afr_window = &afr_},
                          window_};
  sim::TesterUart* uart_ = nullptr;
  std::unique_ptr<sim::WakeUpEcu> ecu_;
};

void ExpectOpen(const ScreenModel& model, const LinkState& link, const Timer& keep_alive) {
  EXPECT_EQ(link.lamp_colour, kLampGreen);
  EXPECT_EQ(model.Text(fp::lbPanel1), "Init : ON");
  EXPECT_EQ(model.Text(fp::lbPanel2), "Attente / Wait");
  EXPECT_TRUE(model.Enabled(fp::cdparametre));
  EXPECT_TRUE(model.Enabled(fp::mnparam));
  EXPECT_FALSE(model.Enabled(fp::cdintialisation));
  EXPECT_FALSE(model.Enabled(fp::MnInit));
  EXPECT_EQ(model.Value(fp::MousePointer), 0);
  EXPECT_TRUE(keep_alive.IsRunning());
}

void ExpectClosed(const ScreenModel& model, const LinkState& link) {
  EXPECT_EQ(link.lamp_colour, kLampRed);
  EXPECT_FALSE(model.Enabled(fp::cdparametre));
  EXPECT_TRUE(model.Enabled(fp::cdintialisation));
  EXPECT_TRUE(model.Enabled(fp::MnInit));
  EXPECT_EQ(model.Value(fp::MousePointer), 0);
}

class SessionFamilyTest : public SessionTest, public ::testing::WithParamInterface<int> {};

TEST_P(SessionFamilyTest, TestModeStartOpensTheSession) {
  const int type = GetParam();
  WriteIni("[ECU]\r\nType=" + std::to_string(type) + "\r\n[Menu]\r\nauto=0\r\n");
  StartOnKLine(/*test_mode=*/true);
  ASSERT_TRUE(model_.Enabled(fp::cdintialisation));
  const int beeps_before = beeper_.beeps;

  window_.PressInitialisation();

  ExpectOpen(model_, link_, *keep_alive_);
  if (type < Iaw59M5AM) {
    EXPECT_TRUE(model_.Enabled(fp::CdReInit));
    EXPECT_TRUE(model_.Enabled(fp::MnRreInit));
  } else {
    EXPECT_EQ(beeper_.beeps - beeps_before, 1);  // test mode: no start beep, the success beep
  }
  EXPECT_FALSE(model_.Visible(fp::imDonate));
  if (type >= Iaw59M5AM) {
    EXPECT_EQ(model_.Text(fp::lbPanel5), "IAW5AMHW010");
    EXPECT_EQ(session_.EcuName(), "IAW5AMHW010");
  }
  if (type == Iaw59M5AM) {
    // The demo trimmer answers 09.
    EXPECT_EQ(model_.Text(fp::cdTrimmer), "Reset to 9");
    EXPECT_TRUE(model_.Visible(fp::chStatutSonde));
    EXPECT_TRUE(Traced("Trimmer Initial: 09"));
  }
  if (type == Eobd) {
    EXPECT_TRUE(Traced("17FF00  StartDiag : F11050"));
  }

  // A second F2 with the lamp green changes nothing.
  model_.SetText(fp::lpresent, "untouched");
  session_.Initialise();
  EXPECT_EQ(model_.Text(fp::lpresent), "untouched");
}

INSTANTIATE_TEST_SUITE_P(Families, SessionFamilyTest,
                         ::testing::Values(Iaw16M, Iaw15M, Iaw15RC, Iaw59M5AM, Eobd));

TEST_F(SessionTest, P8HasNoSessionStart) {
  WriteIni("[ECU]\r\nType=3\r\n");
  StartOnKLine(/*test_mode=*/true);
  EXPECT_FALSE(session_.Initialise());
  ExpectClosed(model_, link_);
  EXPECT_FALSE(model_.Visible(fp::contact));
  EXPECT_FALSE(keep_alive_->IsRunning());
}

TEST_F(SessionTest, AutoStartMeasuresOnceTheSessionIsOpen) {
  for (int auto_start : {1, 0}) {
    SCOPED_TRACE(auto_start);
    WriteIni("[ECU]\r\nType=4\r\n[Menu]\r\nauto=" + std::to_string(auto_start) + "\r\n");
    if (auto_start == 1) {
      StartOnKLine(/*test_mode=*/true);
    } else {
      window_.SetInitialisation();  // the preferences read again
    }
    link_.SetLamp(kLampRed);
    model_.SetEnabled(fp::cdintialisation, true);
    FamilyDecoder decoder(exchange_, link_, clock_);
    LiveDataHooks hooks(model_, link_);
    MeasurementCycle cycle(MeasurementCycleServices{
        model_, window_.flags(), link_, decoder, clock_, loop_, trace_, language_, hooks, beeper_,
        window_.settings(), " - 1.2.3", keep_alive_.get(), nullptr, nullptr});
    window_.SetMeasurement({&cycle, nullptr, nullptr, {}});
    hooks.SetOnSample([&](const LiveSample&) {
      if (cycle.Iteration() == 3) window_.flags().StopRequest = true;
    });

    ASSERT_TRUE(session_.Initialise());
    EXPECT_EQ(cycle.Iteration(), auto_start == 1 ? 3 : 0);
    EXPECT_TRUE(window_.flags().MeasurementIdle);
    window_.SetMeasurement({});
  }
}

TEST_F(SessionTest, FastInitWakesASleepingEcuAndTesterPresentKeepsItAwake) {
  WriteIni("[ECU]\r\nType=4\r\nInit=1\r\n[Menu]\r\nauto=0\r\n");
  sim::WakeUpEcu& ecu = SleepingM59();
  StartOnKLine();

  ASSERT_TRUE(session_.Initialise());
  ExpectOpen(model_, link_, *keep_alive_);
  EXPECT_EQ(session_.Variant(), 1);
  ASSERT_EQ(ecu.WakeUps().size(), 1u);
  const int beeps = beeper_.beeps;

  // Idle for 12 s: tester present every ~2.6 s, each answered and followed by a beep; the
  // ECU's 5 s session time-out never strikes.
  clock_.RunFor(std::chrono::seconds(12));
  const int presents = Requests("3E");
  EXPECT_GE(presents, 4);
  EXPECT_LE(presents, 5);
  EXPECT_EQ(beeper_.beeps - beeps, presents);
  EXPECT_EQ(ecu.SessionsDropped(), 0);
  EXPECT_EQ(link_.lamp_colour, kLampGreen);
}

TEST_F(SessionTest, SessionLostWhenTheEcuStopsAnsweringTesterPresent) {
  WriteIni("[ECU]\r\nType=4\r\nInit=1\r\n[Menu]\r\nauto=0\r\n");
  sim::WakeUpEcu& ecu = SleepingM59();
  StartOnKLine();
  ASSERT_TRUE(session_.Initialise());
  ecu.SetIgnition(false);
  // The end of the ECU's last reply is the last exchange.
  const Nanos last = ecu.Model().Sent().back().end;

  std::optional<Nanos> lost;
  for (int i = 0; i < 500 && !lost; ++i) {
    clock_.RunFor(milliseconds(5));
    if (link_.lamp_colour == kLampRed) lost = clock_.Now();
  }
  ASSERT_TRUE(lost.has_value());
  // 2.5 s of keep-alive, 0.06 s, the request, then 0.5 s without an answer.
  EXPECT_NEAR(sim::ToSeconds(*lost - last), 3.06 + 0.035, 0.03);
  ExpectClosed(model_, link_);
  EXPECT_EQ(model_.Text(fp::lbPanel1), "Init : OFF");
  EXPECT_FALSE(keep_alive_->IsRunning());
  EXPECT_TRUE(dialogs_.messages.empty());
  // Nothing more is sent after that.
  const std::size_t written = uart_->Written().size();
  clock_.RunFor(std::chrono::seconds(10));
  EXPECT_EQ(uart_->Written().size(), written);
}

// The AFR window's own measurement button is offered only while no session holds the link: it
// greys when a start begins, comes back when the start fails or the session is lost.
TEST_F(SessionTest, AfrButtonIsOfferedOnlyWithoutASession) {
  WriteIni("[ECU]\r\nType=4\r\nInit=1\r\n[Menu]\r\nauto=0\r\n");
  afr_.SetEnabled(kAfrButton, true);
  StartOnKLine();
  bool greyed_during_start = false;
  loop_.At(clock_.Now() + milliseconds(100),
           [&] { greyed_during_start = !afr_.Enabled(kAfrButton); });
  EXPECT_FALSE(session_.Initialise());  // nobody on the line
  EXPECT_TRUE(greyed_during_start);
  EXPECT_TRUE(afr_.Enabled(kAfrButton));

  sim::WakeUpEcu& ecu = SleepingM59();
  ASSERT_TRUE(session_.Initialise());
  EXPECT_FALSE(afr_.Enabled(kAfrButton));
  ecu.SetIgnition(false);
  clock_.RunFor(std::chrono::seconds(4));  // the next keep-alive finds the session gone
  ASSERT_EQ(link_.lamp_colour, kLampRed);
  EXPECT_TRUE(afr_.Enabled(kAfrButton));
}

TEST_F(SessionTest, KeepAliveTickIsSkippedWhileAnExchangeRuns) {
  WriteIni("[ECU]\r\nType=4\r\nInit=1\r\n[Menu]\r\nauto=0\r\n");
  SleepingM59();
  StartOnKLine();
  ASSERT_TRUE(session_.Initialise());
  const std::size_t written = uart_->Written().size();
  link_.ExchangeBusy = true;
  session_.KeepAliveTick();
  EXPECT_EQ(uart_->Written().size(), written);
  EXPECT_EQ(link_.lamp_colour, kLampGreen);
  link_.ExchangeBusy = false;
}

TEST_F(SessionTest, FamiliesWithoutKeepAliveIgnoreTheTick) {
  WriteIni("[ECU]\r\nType=1\r\n");
  StartOnKLine();
  session_.KeepAliveTick();
  EXPECT_TRUE(uart_->Written().empty());
}

// Over an adapter the tick does not look into the answer's frame, but an adapter that brought
// nothing from the ECU has lost the session, as a silent ECU on a K-line has.
TEST_F(SessionTest, ElmTickKeepsTheSessionOnlyWhenTheAdapterBroughtAnAnswer) {
  struct Case {
    const char* answer;  // the adapter's text before its prompt; nullptr: nothing at all
    bool alive;
  };
  for (const Case c : {Case{"7E\r\r", true}, Case{"7E00\r\r", true}, Case{"NO DATA\r\r", false},
                       Case{"BUS ERROR\r\r", false}, Case{"?\r\r", false}, Case{nullptr, false}}) {
    SCOPED_TRACE(c.answer != nullptr ? c.answer : "silence");
    WriteIni("[ECU]\r\nType=4\r\n");
    auto port = std::make_unique<sim::ScriptedSerialPort>(clock_);
    ASSERT_TRUE(port->Open("/dev/rfcomm0", "38400,n,8,1"));
    // The tester-present request; its answer 0.05 s later.
    if (c.answer != nullptr) port->Expect("3E", std::string(c.answer) + ">", 0.05);
    session_.Attach({InterfaceKind::kElm327, nullptr, std::move(port), "/dev/rfcomm0"});
    link_.TestMode = false;
    link_.EcuType = Iaw59M5AM;
    link_.SetLamp(kLampGreen);
    model_.SetText(fp::lbPanel1, "Init : ON");
    keep_alive_->Start();
    const int beeps = beeper_.beeps;
    session_.KeepAliveTick();
    EXPECT_EQ(link_.lamp_colour, c.alive ? kLampGreen : kLampRed);
    EXPECT_EQ(model_.Text(fp::lbPanel1), c.alive ? "Init : ON" : "Init : OFF");
    // Alive: restarted after the tick, the next one comes 2.5 s later, with a beep.
    EXPECT_EQ(keep_alive_->IsRunning(), c.alive);
    EXPECT_EQ(beeper_.beeps - beeps, c.alive ? 1 : 0);
    session_.Attach({});
  }
}

TEST_F(SessionTest, ElmStartReopensThePortAndRunsTheFamilyScript) {
  ASSERT_TRUE(window_.StartUp());
  for (int type : {Iaw59M5AM, Eobd}) {
    SCOPED_TRACE(type);
    std::vector<HexMessage> heard;
    auto adapter = std::make_unique<sim::Elm327Model>(clock_, [&](const HexMessage& request) {
      heard.push_back(request);
      if (request == "81") return HexMessage("C1EF8F");
      if (request == "21A0") return HexMessage("61A0" + std::string(40, '1'));
      if (request == "1A92") return HexMessage("5A92" + std::string("49415735414D485730313053"));
      if (request == "0100") return HexMessage("4100BE1FB810");
      return HexMessage();
    });
    ASSERT_TRUE(adapter->Open("/dev/rfcomm0", "38400,n,8,1"));
    auto* elm = adapter.get();
    session_.Attach({InterfaceKind::kElm327, nullptr, std::move(adapter), "/dev/rfcomm0"});
    link_.TestMode = false;
    link_.EcuType = type;
    link_.SetLamp(kLampRed);
    trace_.SetSink(&trace_lines_);

    ASSERT_TRUE(session_.Initialise());
    EXPECT_TRUE(elm->IsOpen());
    // The family's script (and for M59 the trimmer's initial value), each command once: a
    // command ends with a single CR, so nothing stopped a request or ran a command again.
    const std::vector<std::string> script =
        type == Eobd
            ? std::vector<std::string>{"ATZ", "ATS0", "ATL0", "ATH1", "ATE0", "ATSP0", "0100"}
            : std::vector<std::string>{"ATZ",          "ATS0", "ATL0", "ATH1", "ATE0",
                                       "ATSPA5",       "21A0", "21A0", "1A92", "81",
                                       "ATWM8110F13E", "8302", "213D"};
    EXPECT_EQ(elm->Commands(), script);
    const bool asked_pids = std::find(heard.begin(), heard.end(), "0100") != heard.end();
    EXPECT_EQ(asked_pids, type == Eobd);
    EXPECT_EQ(link_.lamp_colour, kLampGreen);
    session_.Attach({});
  }
}

TEST_F(SessionTest, AdapterThatCannotBeOpenedIsNamedInTheMessage) {
  WriteIni("[ECU]\r\nType=4\r\n");
  auto port = std::make_unique<sim::ScriptedSerialPort>(clock_);
  ASSERT_TRUE(port->Open("/dev/rfcomm0", "38400,n,8,1"));
  port->SetOpenFailure("Permission denied", SerialError::kAccessDenied);
  host_.choice.kind = InterfaceKind::kElm327;
  host_.choice.device = "/dev/rfcomm0";
  host_.choice.elm = std::move(port);
  ASSERT_TRUE(window_.StartUp());

  EXPECT_FALSE(session_.Initialise());
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].text,
            "Impossible d'ouvrir le port /dev/rfcomm0\nPermission denied");
  ExpectClosed(model_, link_);
}

TEST_F(SessionTest, UnpluggedCableIsOpenedAgainOrNamedInTheMessage) {
  WriteIni("[ECU]\r\nType=4\r\nInit=1\r\n[Menu]\r\nauto=0\r\n");
  SleepingM59();
  StartOnKLine();
  uart_->Unplug();

  // Plugged back in: the path opens a new cable and the start goes on with it.
  ASSERT_TRUE(session_.Initialise());
  EXPECT_EQ(devices_.opened, std::vector<std::string>{"/dev/ttyUSB0"});
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_NE(session_.KLine(), uart_);

  // Still out: one message naming the port, and not a single attempt on the line.
  static_cast<sim::TesterUart*>(session_.KLine())->Unplug();
  link_.SetLamp(kLampRed);
  model_.SetEnabled(fp::cdintialisation, true);
  devices_.error = "No such file or directory";
  const std::string ini_before = ini_.GetProfileString("ECU", "Init", "-", 255);
  EXPECT_FALSE(session_.Initialise());
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].text,
            "Impossible d'ouvrir le port /dev/ttyUSB0\nNo such file or directory");
  EXPECT_EQ(dialogs_.messages[0].title, "Initialisation");
  EXPECT_EQ(ini_.GetProfileString("ECU", "Init", "-", 255), ini_before);
  ExpectClosed(model_, link_);
}

TEST_F(SessionTest, ReInitialisationAsksToSwitchTheIgnitionOff) {
  WriteIni("[ECU]\r\nType=0\r\n");
  StartOnKLine(/*test_mode=*/true);
  ASSERT_TRUE(session_.Initialise());
  ASSERT_TRUE(model_.Enabled(fp::CdReInit));

  dialogs_.answer = false;  // Cancel: the session stays as it is
  window_.PressReInitialisation();
  EXPECT_TRUE(window_.flags().StopRequest);
  ASSERT_EQ(dialogs_.questions.size(), 2u);  // the start's own question came first
  EXPECT_EQ(dialogs_.questions[1], "Couper le contact de la moto\rTurn KEY OFF");
  EXPECT_EQ(dialogs_.question_icons[1], Dialogs::Icon::kStop);
  EXPECT_EQ(link_.lamp_colour, kLampGreen);

  dialogs_.answer = true;
  window_.PressReInitialisation();
  ExpectClosed(model_, link_);
  EXPECT_FALSE(model_.Enabled(fp::CdReInit));
  EXPECT_FALSE(model_.Enabled(fp::MnRreInit));
}

TEST_F(SessionTest, ReInitialisationOfTheKwpFamilyOnlyHidesItsButton) {
  WriteIni("[ECU]\r\nType=4\r\n");
  StartOnKLine(/*test_mode=*/true);
  ASSERT_TRUE(session_.Initialise());
  session_.ReInitialise();
  EXPECT_FALSE(model_.Visible(fp::CdReInit));
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_EQ(link_.lamp_colour, kLampGreen);
}

}  // namespace
}  // namespace velkor
