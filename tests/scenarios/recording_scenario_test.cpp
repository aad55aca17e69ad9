// The recordings as the program runs them (ProgramLogic, the demo ECU, virtual time) on a disk
// that fills up: the run goes on, each recording stops at its first failed write with a message
// and a trace line, and the next start finishes what the full disk left.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "livedata/frmparam.hpp"
#include "platform/real_file_system.hpp"
#include "recording/recording_test_support.hpp"
#include "session/program_logic.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing_support::CrLfLines;
using testing_support::FileNames;
using testing_support::ReadAll;
using testing_support::TempHome;

class Host : public MainWindowHost {
 public:
  InterfaceChoice RunInterfaceWindow() override { return {}; }
  void ShowWindow() override {}
  void PlaceWindow(int, int) override {}
  WindowPosition CurrentPosition() const override { return {}; }
};

class QuietBeeper : public Beeper {
 public:
  void Beep() override {}
};

// One run of the program on the demo ECU, its files on `disk`.
class Program {
 public:
  Program(const std::filesystem::path& home, FileSystem& disk,
          std::function<bool(const std::string&)> open_document = nullptr)
      : home_(home), ini_(EcuIniPath(home), disk) {
    trace_.SetSink(&trace_lines_);
    link_.TestMode = true;
    logic_ = std::make_unique<ProgramLogic>(ProgramServices{
        .front = FrontEnd{.window = model_,
                          .host = host_,
                          .dialogs = dialogs_,
                          .beeper = beeper_,
                          .version_suffix = "",
                          .acquire_single_instance = nullptr,
                          .open_document = std::move(open_document)},
        .ini = ini_,
        .files = disk,
        .clock = clock_,
        .loop = loop_,
        .trace = trace_,
        .stopwatch = stopwatch_,
        .language = language_,
        .link = link_,
        .exchange = exchange_,
        .keep_alive = *keep_alive_,
        .progress = *tempo_,
        .timers = timers_,
        .home = home,
        .recording_locale = NumberLocale::Period(),
    });
  }
  ~Program() {
    logic_.reset();
    trace_.Close();
  }

  MainWindow& Window() { return logic_->window; }
  // F3 for `passes` passes; `after_pass(n)` runs once pass n is complete.
  int Measure(int passes, const std::function<void(int)>& after_pass) {
    int done = 0;
    logic_->hooks.SetOnSample([&](const LiveSample&) {
      after_pass(++done);
      if (done >= passes) Window().flags().StopRequest = true;
    });
    Window().PressParameters();
    logic_->hooks.SetOnSample({});
    return done;
  }
  bool TraceHas(const std::string& text) const {
    const auto& lines = trace_lines_.Lines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(text) == 0; });
  }

  ScreenModel model_;
  sim::ScriptedDialogs dialogs_;

 private:
  std::filesystem::path home_;
  IniStore ini_;
  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  std::unique_ptr<Timer> keep_alive_ = timers_.CreateTimer();
  std::unique_ptr<Timer> tempo_ = timers_.CreateTimer();
  CTimeIt stopwatch_{clock_};
  TraceLog trace_{stopwatch_};
  TraceList trace_lines_;
  LinkState link_;
  Exchange exchange_{link_, clock_, loop_, *reply_timer_, trace_};
  sim::NoLanguageFiles loader_;
  Language language_{loader_};
  QuietBeeper beeper_;
  Host host_;
  std::unique_ptr<ProgramLogic> logic_;
};

TEST(RecordingScenarioTest, AFullDiskStopsEachRecordingWithAMessageAndTheNextStartFinishesThem) {
  TempHome home;
  testing_support::FillingDisk disk;
  {
    Program program(home.path(), disk);
    ASSERT_TRUE(program.Window().StartUp());
    program.Window().ToggleCsv(true);
    program.Window().ToggleWorkbook(true);
    std::vector<std::string> speeds;
    // The disk fills up after the third pass.
    const int passes = program.Measure(8, [&](int pass) {
      speeds.push_back(program.model_.Text(fp::Rmp));
      if (pass == 3) disk.full = true;
    });
    // The run went on to its end with the values on screen.
    EXPECT_EQ(passes, 8);
    std::sort(speeds.begin(), speeds.end());
    EXPECT_GT(std::unique(speeds.begin(), speeds.end()) - speeds.begin(), 1);

    EXPECT_FALSE(program.model_.Checked(fp::chCSV));
    EXPECT_FALSE(program.model_.Checked(fp::Chenregistre));
    ASSERT_EQ(program.dialogs_.messages.size(), 2u);
    for (const auto& message : program.dialogs_.messages) {
      SCOPED_TRACE(message.title);
      EXPECT_EQ(message.icon, Dialogs::Icon::kWarning);
      EXPECT_THAT(message.text, HasSubstr("L'enregistrement s'est arrêté : impossible d'écrire"));
      EXPECT_THAT(message.text, HasSubstr("prochain démarrage"));
    }
    EXPECT_EQ(program.dialogs_.messages[0].title, "Excel");
    EXPECT_THAT(program.dialogs_.messages[0].text, HasSubstr(".xlsx.journal"));
    EXPECT_EQ(program.dialogs_.messages[1].title, "CSV");
    EXPECT_THAT(program.dialogs_.messages[1].text, HasSubstr(".txt"));
    EXPECT_TRUE(program.TraceHas("Enregistrement Excel arrêté : écriture impossible dans "));
    EXPECT_TRUE(program.TraceHas("Enregistrement CSV arrêté : écriture impossible dans "));
    program.Window().Unload();
  }
  // No workbook was left behind, empty or cut short: only the working files.
  std::vector<std::string> left = FileNames(home.Measures());
  std::erase_if(left, [](const std::string& name) { return name.ends_with(".log"); });
  ASSERT_EQ(left.size(), 2u);
  EXPECT_TRUE(left[0].ends_with(".xlsx.journal"));
  EXPECT_TRUE(left[1].ends_with(".txt"));

  disk.full = false;
  Program next(home.path(), disk);
  ASSERT_TRUE(next.Window().StartUp());
  EXPECT_TRUE(next.TraceHas("Enregistrement récupéré : " + left[0] + " -> "));
  EXPECT_TRUE(next.TraceHas("Enregistrement récupéré : " + left[1] + " -> "));
  left = FileNames(home.Measures());
  std::erase_if(left, [](const std::string& name) { return name.ends_with(".log"); });
  ASSERT_EQ(left.size(), 2u);
  EXPECT_TRUE(left[0].ends_with(".xlsx"));
  EXPECT_TRUE(left[1].ends_with(".csv"));
  // The header and the three passes before the disk was full.
  EXPECT_EQ(CrLfLines(ReadAll(home.Measures() / left[1])).size(), 4u);
  testing_support::WorkbookReader reader(home.path());
  if (reader.Available()) {
    const auto sheets = reader.Read(home.Measures() / left[0], {});
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].max_row, 4);
  }
  next.Window().Unload();
}

// Unticking Excel offers the finished workbook; when the desktop has no program for it, nothing
// would appear on screen, so the program says so and where the file is.
TEST(RecordingScenarioTest, AWorkbookNoProgramCanOpenIsNamedWithItsPlace) {
  for (const bool opened : {true, false}) {
    SCOPED_TRACE(opened ? "opened" : "no spreadsheet program");
    TempHome home;
    RealFileSystem disk;
    std::vector<std::string> asked;
    Program program(home.path(), disk, [&](const std::string& path) {
      asked.push_back(path);
      return opened;
    });
    ASSERT_TRUE(program.Window().StartUp());
    program.Window().ToggleWorkbook(true);
    program.Measure(2, [](int) {});
    program.Window().ToggleWorkbook(false);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].ends_with(".xlsx")) << asked[0];
    EXPECT_TRUE(std::filesystem::exists(asked[0]));
    if (opened) {
      EXPECT_TRUE(program.dialogs_.messages.empty());
    } else {
      ASSERT_EQ(program.dialogs_.messages.size(), 1u);
      EXPECT_EQ(program.dialogs_.messages[0].title, "Excel");
      EXPECT_EQ(program.dialogs_.messages[0].text,
                "Aucun tableur n'a été trouvé pour ouvrir l'enregistrement. Il se trouve ici :\n" +
                    asked[0]);
    }
    program.Window().Unload();
  }
}

}  // namespace
}  // namespace velkor
