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
  bool ShowTraceWindow() override { return show_trace ? show_trace() : false; }

  InterfaceChoice choice;
  std::function<bool()> show_trace;  // unset: a program without a trace window
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
                             language_, home_, " - 1.2.3", [this] { return home_access_; }},
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
  HomeAccess home_access_{.home = home_};  // what the lock says; ready unless a test sets it
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

TEST_F(MainWindowTest, HomeFolderThatCannotBeUsedEndsWithoutTouchingIt) {
  using Status = HomeAccess::Status;
  const struct {
    const char* name;
    Status status;
    HomeHolder holder;
    const char* says;  // a part of the message that names the cause
  } cases[] = {
      {"second copy", Status::kInUse, HomeHolder::kDesktop, "Velkor est déjà lancé"},
      {"velkor-cli measuring", Status::kInUse, HomeHolder::kTerminal, "velkor-cli est déjà lancé"},
      {"read-only folder", Status::kNotWritable, HomeHolder::kOther, "Impossible d'écrire"},
      {"file given as the folder", Status::kNotAFolder, HomeHolder::kOther, "n'est pas un dossier"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window_.reset();
    dialogs_.messages.clear();
    home_access_ = {.status = c.status, .home = home_, .holder = c.holder, .holder_pid = 4242};
    EXPECT_FALSE(Window().StartUp());
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].text, HomeAccessWindowText(home_access_));
    EXPECT_NE(dialogs_.messages[0].text.find(c.says), std::string::npos);
    EXPECT_EQ(dialogs_.messages[0].title, "Velkor");
    EXPECT_EQ(dialogs_.messages[0].icon, Dialogs::Icon::kError);
    EXPECT_FALSE(std::filesystem::exists(EcuIniPath(home_)));
    EXPECT_FALSE(std::filesystem::exists(home_ / "Mesures"));
    EXPECT_EQ(host_.interface_runs, 0);
  }
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
  WorkbookRecorder workbook(home_, files_);
  MeasurementCycle cycle(MeasurementCycleServices{
      model_, Window().flags(), link_, decoder, clock_, loop_, trace_, language_, hooks, beeps,
      Window().settings(), " - 1.2.3", nullptr, &workbook, &csv});
  std::vector<std::string> opened;
  Window().SetMeasurement({&cycle, &csv, &workbook, [&](const std::string& path) {
                             opened.push_back(path);
                             return true;
                           }});
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

TEST_F(MainWindowTest, WithoutLanguageFilesTheMessageSendsTheUserToTheTraceWindow) {
  const struct {
    const char* what;
    bool trace_window;
  } cases[] = {{"desktop", true}, {"no trace window to read", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    window_.reset();
    dialogs_.messages.clear();
    int shown = 0;
    std::size_t messages_when_shown = 0;
    host_.show_trace = [&] {
      ++shown;
      messages_when_shown = dialogs_.messages.size();
      return c.trace_window;
    };
    ASSERT_TRUE(Window().StartUp());  // the fixture has no language file at all
    EXPECT_EQ(shown, 1);
    if (c.trace_window) {
      EXPECT_EQ(messages_when_shown, 0u);  // the window is up before the message
      ASSERT_EQ(dialogs_.messages,
                (std::vector<sim::ScriptedDialogs::Shown>{{"Read the message", "Velkor"}}));
      EXPECT_EQ(dialogs_.messages[0].icon, Dialogs::Icon::kError);
    } else {
      EXPECT_TRUE(dialogs_.messages.empty());
    }
  }
}

TEST_F(MainWindowTest, SettingsKeepTheLanguageInUseNotTheNameRead) {
  // No language file here: an unknown name and a missing file both end in "Francais".
  for (const char* stored : {"Klingon", "English"}) {
    SCOPED_TRACE(stored);
    window_.reset();
    WriteIni(std::string("[Affichage]\r\nLangue=") + stored + "\r\n");
    ASSERT_TRUE(Window().StartUp());
    Window().ScrollAveraging(7);  // writes the whole preference set
    EXPECT_EQ(ReadSetting(ini_, ini_keys::kAffichageLangue), "Francais");
  }
}

TEST_F(MainWindowTest, WorkbookBoxSaysInPanelTwoWhichRecordingRuns) {
  ASSERT_TRUE(Window().StartUp());
  const struct {
    const char* what;
    bool workbooks;
    const char* shown;
  } cases[] = {{"workbook", true, "Traces Excel"},
               {"no workbook can be written", false, "Traces textuelles"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WorkbookOptions options;
    options.workbooks_available = c.workbooks;
    WorkbookRecorder workbook(home_, files_, SystemLocalTime, options);
    Window().SetMeasurement({nullptr, nullptr, &workbook, {}});
    Window().ToggleWorkbook(true);
    EXPECT_EQ(model_.Text(fp::lbPanel2), c.shown);
    Window().ToggleWorkbook(false);
    EXPECT_EQ(model_.Text(fp::lbPanel2), "Attente");
  }

  // Not even the text fallback can be created: the box does not stay ticked over nothing.
  const auto blocked = home_ / "blocked";
  std::filesystem::create_directories(blocked);
  std::ofstream(blocked / "Mesures") << "a file where the folder should be";
  WorkbookRecorder workbook(blocked, files_);
  Window().SetMeasurement({nullptr, nullptr, &workbook, {}});
  Window().ToggleWorkbook(true);
  EXPECT_FALSE(model_.Checked(fp::Chenregistre));
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].title, "Excel");
  EXPECT_EQ(model_.Text(fp::lbPanel2), "Attente");
}

TEST_F(MainWindowTest, PanelTwoShowsTheMeasurementsAgainWhenTheWorkbookCloses) {
  link_.TestMode = true;
  ASSERT_TRUE(Window().StartUp());
  FamilyDecoder decoder(exchange_, link_, clock_);
  LiveDataHooks hooks(model_, link_);
  Beeps beeps;
  WorkbookRecorder workbook(home_, files_);
  MeasurementCycle cycle(MeasurementCycleServices{
      model_, Window().flags(), link_, decoder, clock_, loop_, trace_, language_, hooks, beeps,
      Window().settings(), " - 1.2.3", nullptr, &workbook, nullptr});
  Window().SetMeasurement({&cycle, nullptr, &workbook, {}});
  std::string ticked, cleared;
  hooks.SetOnSample([&](const LiveSample&) {
    switch (cycle.Iteration()) {
      case 1:
        Window().ToggleWorkbook(true);
        ticked = model_.Text(fp::lbPanel2);
        break;
      case 2:
        Window().ToggleWorkbook(false);
        cleared = model_.Text(fp::lbPanel2);
        break;
      case 3:
        Window().ToggleWorkbook(true);
        break;
      case 4:
        Window().PressParameters();  // F3: the run ends and clears the box
        break;
    }
  });
  Window().PressParameters();
  EXPECT_EQ(ticked, "Traces Excel");
  EXPECT_EQ(cleared, "Mesures en cours");
  EXPECT_FALSE(model_.Checked(fp::Chenregistre));
  EXPECT_EQ(model_.Text(fp::lbPanel2), "Attente");
}

}  // namespace
}  // namespace velkor
