// The main window's behaviour against a scripted window, a temp home folder and the bench.
#include "session/main_window.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "config/settings_keys.hpp"
#include "livedata/family_decoder.hpp"
#include "platform/real_file_system.hpp"
#include "session/live_data_hooks.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/scripted_ecu.hpp"
#include "sim/scripted_serial_port.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;
using std::chrono::milliseconds;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class ScriptedHost : public MainWindowHost {
 public:
  InterfaceChoice RunInterfaceWindow() override {
    ++interface_runs;
    return std::move(choice);
  }
  void ShowWindow() override { shown = true; }
  void PlaceWindow(int top, int left) override { placed = {top, left, 0, 0}; }
  WindowPosition CurrentPosition() const override { return position; }

  InterfaceChoice choice;
  int interface_runs = 0;
  bool shown = false;
  WindowPosition placed{-1, -1, 0, 0};
  WindowPosition position{150, 300, 0, 0};
};

class MainWindowTest : public ::testing::Test {
 protected:
  static std::filesystem::path FreshHome() {
    const auto home = std::filesystem::path(::testing::TempDir()) /
                      (std::string("main_window_") +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    return home;
  }
  ~MainWindowTest() override { std::filesystem::remove_all(home_); }

  void WriteIni(const std::string& text) { std::ofstream(EcuIniPath(home_)) << text; }

  MainWindow& Window() {
    if (!window_) {
      window_ = std::make_unique<MainWindow>(
          model_,
          MainWindowServices{ini_, link_, exchange_, clock_, trace_, stopwatch_, dialogs_,
                             language_, home_, " - 1.2.3", [this] { return !other_copy_; }},
          host_, *tempo_);
    }
    return *window_;
  }

  std::filesystem::path home_ = FreshHome();
  RealFileSystem files_;
  IniStore ini_{EcuIniPath(home_), files_};
  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  sim::KLineBus bus_{clock_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  std::unique_ptr<Timer> tempo_ = timers_.CreateTimer();
  CTimeIt stopwatch_{clock_};
  TraceLog trace_{stopwatch_};
  LinkState link_;
  Exchange exchange_{link_, clock_, loop_, *reply_timer_, trace_};
  sim::ScriptedDialogs dialogs_;
  sim::NoLanguageFiles loader_;
  Language language_{loader_};
  ScreenModel model_;
  ScriptedHost host_;
  bool other_copy_ = false;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, FirstRunWithoutSettingsFileShowsEveryDefault) {
  ASSERT_TRUE(Window().StartUp());
  EXPECT_TRUE(host_.shown);
  EXPECT_EQ(host_.interface_runs, 1);

  // Measures: all shown but trimmer and stepper.
  for (std::string_view label : {fp::Air, fp::Eau, fp::Avance, fp::Pression, fp::lbLambda,
                                 fp::Injection, fp::Tension, fp::Potar}) {
    EXPECT_TRUE(model_.Enabled(label)) << label;
  }
  EXPECT_FALSE(model_.Enabled(fp::Trimmer));
  EXPECT_EQ(model_.Text(fp::Trimmer), "--");
  EXPECT_FALSE(model_.Visible(fp::FrChgTrimmer));
  EXPECT_FALSE(model_.Visible(fp::frMoteurPP));
  EXPECT_TRUE(model_.Visible(fp::frTPS));  // family 0 shows the throttle voltage
  // Units °C and hPa, averaging 5, family 0, lamp red.
  EXPECT_EQ(model_.Text(fp::Frair), "T° Air (°C)");
  EXPECT_EQ(model_.Text(fp::Freau), "T° Mot. (°C)");
  EXPECT_EQ(model_.Text(fp::Frpression), "Pression (hPa)");
  EXPECT_EQ(model_.Text(fp::ltempo), "5");
  EXPECT_EQ(model_.Value(fp::HScrollMoyenne), 5);
  EXPECT_EQ(link_.EcuType, 0);
  EXPECT_EQ(model_.Get(fp::Shape1).colour, kLampRed);
  EXPECT_EQ(Window().settings(), Settings{});
  // Title and status panels.
  EXPECT_EQ(model_.Text(fp::kWindow), "Velkor - 1.2.3");
  EXPECT_EQ(model_.Text(fp::lbPanel1), "Défauts présents");
  EXPECT_EQ(model_.Text(fp::lbPanel2), "Attente");
  EXPECT_FALSE(model_.Visible(fp::contact));
  EXPECT_FALSE(model_.Visible(fp::mnTrim15M));
  EXPECT_EQ(link_.RequestHeader, "10F1");
  EXPECT_EQ(link_.ReplyHeader, "F110");

  // The first trace file, its number stored, the version line last.
  const auto trace_file = home_ / "Mesures" / "velkor1.log";
  ASSERT_TRUE(std::filesystem::exists(trace_file));
  EXPECT_EQ(ReadSetting(ini_, ini_keys::kMenuLog), 1);
  const std::string trace = ReadFile(trace_file);
  EXPECT_NE(trace.find("Connect the PC to web"), std::string::npos);  // no language file here
  EXPECT_TRUE(trace.ends_with("Version : Velkor - 1.2.3\r\n")) << trace;
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(MainWindowTest, TraceRotationWrapsAfterNine) {
  WriteIni("[MENU]\r\nlog=9\r\n");
  ASSERT_TRUE(Window().StartUp());
  EXPECT_TRUE(std::filesystem::exists(home_ / "Mesures" / "velkor0.log"));
  EXPECT_EQ(ReadSetting(ini_, ini_keys::kMenuLog), 0);
}

TEST_F(MainWindowTest, NegativeStoredPositionIsClampedToTheScreen) {
  WriteIni("[POSITIONS]\r\nParamTop=-300\r\nParamLeft=200\r\n");
  ASSERT_TRUE(Window().StartUp());
  EXPECT_EQ(host_.placed.top, 0);
  EXPECT_EQ(host_.placed.left, 200);
}

TEST_F(MainWindowTest, SecondCopyEndsWithoutTouchingTheSettingsFile) {
  other_copy_ = true;
  EXPECT_FALSE(Window().StartUp());
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].text, "Velkor est déjà lancé");
  EXPECT_EQ(dialogs_.messages[0].title, "Velkor");
  EXPECT_EQ(dialogs_.messages[0].icon, Dialogs::Icon::kError);
  EXPECT_FALSE(std::filesystem::exists(EcuIniPath(home_)));
  EXPECT_FALSE(std::filesystem::exists(home_ / "Mesures"));
  EXPECT_EQ(host_.interface_runs, 0);
}

TEST_F(MainWindowTest, AveragingBarAndItsShortcutsStoreTheDepth) {
  ASSERT_TRUE(Window().StartUp());
  const struct {
    const char* step;
    std::function<void()> act;
    int depth;
  } steps[] = {
      {"scroll to 7", [&] { Window().ScrollAveraging(7); }, 7},
      {"Ctrl+P", [&] { Window().AveragingPlus(); }, 8},
      {"Ctrl+M", [&] { Window().AveragingMinus(); }, 7},
      {"scroll to 20, Ctrl+P stays at 20",
       [&] {
         Window().ScrollAveraging(20);
         Window().AveragingPlus();
       },
       20},
      {"scroll to 0, Ctrl+M stays at 0",
       [&] {
         Window().ScrollAveraging(0);
         Window().AveragingMinus();
       },
       0},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    s.act();
    EXPECT_EQ(model_.Text(fp::ltempo), std::to_string(s.depth));
    EXPECT_EQ(model_.Value(fp::HScrollMoyenne), s.depth);
    EXPECT_EQ(Window().flags().AveragingDepth, s.depth);
    EXPECT_EQ(ReadSetting(ini_, ini_keys::kAffichageTempo), s.depth);
  }
}

TEST_F(MainWindowTest, StoredAveragingOutsideTheBarIsBroughtIntoRange) {
  WriteIni("[Affichage]\r\nTempo=57\r\n");
  ASSERT_TRUE(Window().StartUp());
  EXPECT_EQ(Window().flags().AveragingDepth, 20);
  EXPECT_EQ(model_.Text(fp::ltempo), "20");
}

TEST_F(MainWindowTest, DoubleClickOnTheThrottleFrameDependsOnTheFamily) {
  const struct {
    int family;
    bool tps_when_active;
  } cases[] = {{Iaw59M5AM, false}, {Iaw15M, true}, {Iaw16M, true}, {Eobd, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.family);
    WriteIni("[ECU]\r\nType=" + std::to_string(c.family) + "\r\n");
    Window().SetInitialisation();
    ASSERT_TRUE(model_.Enabled(fp::Potar));
    Window().DoubleClickFrame(fp::Frgaz);
    EXPECT_FALSE(model_.Enabled(fp::Potar));
    EXPECT_EQ(model_.Text(fp::Potar), "--");
    EXPECT_FALSE(model_.Visible(fp::frTPS));
    EXPECT_FALSE(ReadSetting(ini_, ini_keys::kMesuresPotar));
    Window().DoubleClickFrame(fp::Frgaz);
    EXPECT_TRUE(model_.Enabled(fp::Potar));
    EXPECT_EQ(model_.Visible(fp::frTPS), c.tps_when_active);
    EXPECT_TRUE(ReadSetting(ini_, ini_keys::kMesuresPotar));
  }
}

TEST_F(MainWindowTest, DoubleClickSwitchesEachMeasureAndSavesThemAll) {
  WriteIni("[Mesures]\r\nAir=1\r\nTrimmer=0\r\n");  // "1" is as good as "-1"
  Window().SetInitialisation();
  EXPECT_TRUE(model_.Enabled(fp::Air));
  Window().DoubleClickFrame(fp::Frair);
  Window().DoubleClickFrame(fp::Frtrimmer);
  Window().DoubleClickFrame(fp::Frrmp);  // engine speed is always measured
  EXPECT_TRUE(model_.Enabled(fp::Rmp));
  const std::string ini = ReadFile(EcuIniPath(home_));
  EXPECT_NE(ini.find("Air=0"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Trimmer=-1"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Tension=-1"), std::string::npos) << ini;  // the whole set is written
  EXPECT_TRUE(model_.Visible(fp::FrChgTrimmer));
  EXPECT_TRUE(model_.Visible(fp::mnTrimmer));
}

TEST_F(MainWindowTest, FahrenheitAndMillimetresChangeTheCaptions) {
  WriteIni("[Unite]\r\nTemp=0\r\nPression=0\r\n");
  ASSERT_TRUE(Window().StartUp());
  EXPECT_EQ(model_.Text(fp::Frair), "T° Air (°F)");
  EXPECT_EQ(model_.Text(fp::Freau), "T° Mot. (°F)");
  EXPECT_EQ(model_.Text(fp::Frpression), "Pression (mmHg)");
}

TEST_F(MainWindowTest, ProgressTimerFillsTheBarAndStops) {
  Window().StartProgress(5);
  loop_.RunUntil([&] { return !tempo_->IsRunning(); }, milliseconds(2000));
  EXPECT_FALSE(tempo_->IsRunning());
  EXPECT_EQ(model_.Value(fp::ProgressBar1), 0);
  EXPECT_EQ(sim::ToSeconds(clock_.Now()), 1.0);  // five ticks of 200 ms
  Window().StartProgress(10);
  clock_.RunFor(milliseconds(610));
  EXPECT_EQ(model_.Value(fp::ProgressBar1), 30);
  EXPECT_EQ(model_.Text(fp::Lbtest), "1");  // 0.6 s shown as whole seconds
}

TEST_F(MainWindowTest, ClosingTheKwpSessionAfterTheCycleHadTimeToStop) {
  WriteIni("[ECU]\r\nType=4\r\n");
  sim::TesterUart uart(clock_, bus_);
  sim::ScriptedEcu ecu(clock_, bus_);
  uart.Configure(10400);
  ecu.Add(sim::EcuStep::Silence());
  ASSERT_TRUE(Window().StartUp());
  exchange_.SetKLinePort(&uart);
  Window().flags().MeasurementIdle = false;  // a measurement loop is running

  const sim::Nanos closing = clock_.Now();
  Window().Quit();
  EXPECT_TRUE(Window().flags().StopRequest);
  Window().Unload();

  ASSERT_EQ(ecu.Requests().size(), 2u);
  EXPECT_EQ(ecu.Requests()[0].bytes, "8110F120A2");  // stop diagnostic session
  EXPECT_EQ(ecu.Requests()[1].bytes, "8110F18204");  // stop communication
  EXPECT_GE(ecu.Requests()[0].start - closing, milliseconds(860));
  // Positions kept, trace file closed.
  const WindowPosition stored = ReadWindowPosition(ini_, WindowId::kParam);
  EXPECT_EQ(stored.top, 150);
  EXPECT_EQ(stored.left, 300);
  EXPECT_FALSE(trace_.IsOpen());
}

TEST_F(MainWindowTest, ClosingAnEobdSessionSendsNothing) {
  WriteIni("[ECU]\r\nType=5\r\n");
  sim::TesterUart uart(clock_, bus_);
  uart.Configure(10400);
  ASSERT_TRUE(Window().StartUp());
  exchange_.SetKLinePort(&uart);
  Window().Unload();
  EXPECT_TRUE(uart.Written().empty());
}

TEST_F(MainWindowTest, ClosingOverAnElmClosesItsPortAndSendsNothingOnTheKLine) {
  WriteIni("[ECU]\r\nType=4\r\n");
  sim::TesterUart uart(clock_, bus_);
  host_.choice.kind = InterfaceKind::kElm327;
  host_.choice.port_number = 3;
  auto port = std::make_unique<sim::ScriptedSerialPort>(clock_);
  ASSERT_TRUE(port->Open("/dev/rfcomm0", "38400,n,8,1"));
  auto* elm = port.get();
  host_.choice.elm = std::move(port);
  link_.TestMode = true;
  ASSERT_TRUE(Window().StartUp());
  EXPECT_FALSE(link_.TestMode);
  EXPECT_EQ(model_.Text(fp::lbPanel4), "ELM sur COM3");
  Window().Unload();
  EXPECT_FALSE(elm->IsOpen());
  EXPECT_TRUE(uart.Written().empty());
  EXPECT_EQ(ReadWindowPosition(ini_, WindowId::kParam).left, 300);
}

TEST_F(MainWindowTest, TestModeIsShownInTheStatusBar) {
  link_.TestMode = true;
  host_.choice.panel4 = "USB";
  ASSERT_TRUE(Window().StartUp());
  EXPECT_EQ(model_.Text(fp::lbPanel3), "Démo");
  EXPECT_EQ(model_.Text(fp::lbPanel4), "USB");
}

class Beeps : public Beeper {
 public:
  void Beep() override {}
};

TEST_F(MainWindowTest, MeasuringInDemoRecordsAndNothingIsLostOnClosing) {
  link_.TestMode = true;
  ASSERT_TRUE(Window().StartUp());
  ASSERT_TRUE(model_.Enabled(fp::cdparametre));  // the demo ECU needs no session start

  FamilyDecoder decoder(exchange_, link_, clock_);
  LiveDataHooks hooks(model_, link_);
  Beeps beeps;
  CsvRecorder csv(home_, NumberLocale::Period(), files_);
  WorkbookRecorder workbook(home_);
  MeasurementCycle cycle(MeasurementCycleServices{
      model_, Window().flags(), link_, decoder, clock_, loop_, trace_, language_, hooks, beeps,
      Window().settings(), " - 1.2.3", nullptr, &workbook, &csv});
  std::vector<std::string> opened;
  Window().SetMeasurement(
      {&cycle, &csv, &workbook, [&](const std::string& path) { opened.push_back(path); }});
  Window().ToggleCsv(true);
  Window().ToggleWorkbook(true);
  // F3 again after ten iterations: the run ends, the workbook box is cleared and saved.
  hooks.SetOnSample([&](const LiveSample&) {
    if (cycle.Iteration() == 10) Window().PressParameters();
  });
  Window().PressParameters();
  EXPECT_EQ(cycle.Iteration(), 10);
  EXPECT_TRUE(Window().flags().MeasurementIdle);
  EXPECT_FALSE(model_.Checked(fp::Chenregistre));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_TRUE(opened[0].ends_with(".xlsx"));
  EXPECT_TRUE(std::filesystem::exists(opened[0]));
  EXPECT_EQ(dialogs_.questions.size(), 1u);

  // The CSV box is still ticked when the program closes: the recording is converted anyway.
  ASSERT_TRUE(csv.Recording());
  Window().Unload();
  EXPECT_FALSE(csv.Recording());
  int csv_files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(home_ / "Mesures")) {
    EXPECT_NE(entry.path().extension(), ".txt") << entry.path();
    if (entry.path().extension() == ".csv") ++csv_files;
  }
  EXPECT_EQ(csv_files, 1);
}

}  // namespace
}  // namespace velkor
