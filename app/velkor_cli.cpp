// velkor-cli: the measurement cycle without windows, for logging from a terminal or a small
// computer on the bike. Same code as the program: the cycle writes the main window's model,
// and each iteration is printed as that window would show it.
#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "config/ini_store.hpp"
#include "config/language.hpp"
#include "config/settings.hpp"
#include "config/settings_keys.hpp"
#include "core/ctime_it.hpp"
#include "core/number_format.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/link_state.hpp"
#include "livedata/family_decoder.hpp"
#include "livedata/measurement_cycle.hpp"
#include "platform/home_folder.hpp"
#include "platform/qm_text_catalog.hpp"
#include "platform/qt_event_loop.hpp"
#include "platform/real_clock.hpp"
#include "platform/real_file_system.hpp"
#include "recording/text_recorder.hpp"
#include "recording/workbook_recorder.hpp"
#include "session/live_data_hooks.hpp"
#include "session/main_window.hpp"

namespace {

using namespace velkor;
namespace fp = frmparam;

constexpr const char* kUsage =
    "usage: velkor-cli measure [options]\n"
    "\n"
    "Runs the measurement cycle and prints one line per iteration (time and every engine\n"
    "value as the main window shows it), then a summary line:\n"
    "  summary: iterations=<n> rate_hz=<r> misses=<m> recording=<paths>\n"
    "\n"
    "options:\n"
    "  --home DIR        home folder (ecu.ini, Mesures/); default as the program's\n"
    "  --demo            no motorcycle: the built-in demo ECU answers\n"
    "  --family NAME     mm16, mm15, 15rc, p8, m59 or eobd; default [ECU] Type of ecu.ini\n"
    "  --seconds N       stop after N seconds\n"
    "  --iterations N    stop after N iterations\n"
    "  --csv             record to a .csv in Mesures/ (as the CSV box)\n"
    "  --xlsx            record to a workbook in Mesures/ (as the Excel box)\n"
    "  --quiet           print only the summary\n"
    "  --help            this text\n"
    "\n"
    "Ctrl+C stops the measurements; the recordings are closed and converted first.\n"
    "Exit codes: 0 done, 2 bad arguments, 3 no link to measure on.\n";

std::atomic<bool> g_interrupted{false};

extern "C" void OnInterrupt(int) { g_interrupted = true; }

struct Options {
  std::optional<std::string> home;
  bool demo = false;
  std::optional<int> family;
  std::optional<double> seconds;
  std::optional<long> iterations;
  bool csv = false;
  bool xlsx = false;
  bool quiet = false;
};

std::optional<int> FamilyOf(const std::string& name) {
  const char* names[] = {"mm16", "mm15", "15rc", "p8", "m59", "eobd"};
  for (int i = 0; i < 6; ++i) {
    if (name == names[i]) return i;
  }
  return std::nullopt;
}

[[noreturn]] void Fail(int code, const std::string& message) {
  std::fprintf(stderr, "velkor-cli: %s\n", message.c_str());
  if (code == 2) std::fprintf(stderr, "Try 'velkor-cli --help'.\n");
  std::exit(code);
}

Options Parse(const QStringList& arguments) {
  Options options;
  if (arguments.size() < 2) Fail(2, "a command is needed");
  if (arguments[1] == "--help" || arguments[1] == "-h") {
    std::fputs(kUsage, stdout);
    std::exit(0);
  }
  if (arguments[1] != "measure") Fail(2, "unknown command '" + arguments[1].toStdString() + "'");
  for (int i = 2; i < arguments.size(); ++i) {
    const std::string argument = arguments[i].toStdString();
    auto value = [&]() -> std::string {
      if (i + 1 >= arguments.size()) Fail(2, argument + " needs a value");
      return arguments[++i].toStdString();
    };
    auto number = [&](const std::string& text) {
      char* end = nullptr;
      const double parsed = std::strtod(text.c_str(), &end);
      if (text.empty() || *end != '\0' || !(parsed > 0)) {
        Fail(2, argument + " needs a positive number, not '" + text + "'");
      }
      return parsed;
    };
    if (argument == "--help") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    } else if (argument == "--home") {
      options.home = value();
    } else if (argument == "--demo") {
      options.demo = true;
    } else if (argument == "--family") {
      const std::string name = value();
      options.family = FamilyOf(name);
      if (!options.family) Fail(2, "unknown family '" + name + "'");
    } else if (argument == "--seconds") {
      options.seconds = number(value());
    } else if (argument == "--iterations") {
      options.iterations = static_cast<long>(number(value()));
    } else if (argument == "--csv") {
      options.csv = true;
    } else if (argument == "--xlsx") {
      options.xlsx = true;
    } else if (argument == "--quiet") {
      options.quiet = true;
    } else {
      Fail(2, "unknown option '" + argument + "'");
    }
  }
  if (options.seconds && options.iterations) Fail(2, "give --seconds or --iterations, not both");
  return options;
}

class TerminalBeeper : public Beeper {
 public:
  void Beep() override { std::fputc('\a', stderr); }
};

// The main window's value labels as the stored preferences leave them.
void ApplyMeasures(ScreenModel& model, const Settings& settings) {
  for (const ControlDesign& control : MainWindowDesign()) {
    model.SetText(control.name, std::string(control.text));
  }
  const MeasureSwitches& m = settings.measures;
  const std::pair<std::string_view, bool> labels[] = {
      {fp::Potar, m.potar},     {fp::Injection, m.injection},
      {fp::Avance, m.avance},   {fp::Pression, m.pression},
      {fp::Air, m.air},         {fp::Eau, m.eau},
      {fp::Tension, m.tension}, {fp::lbLambda, m.lambda},
      {fp::Trimmer, m.trimmer},
  };
  for (const auto& [label, active] : labels) model.SetEnabled(label, active);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName("Velkor");
  const Options options = Parse(QCoreApplication::arguments());

  QStringList home_arguments;
  if (options.home) home_arguments << "--home" << QString::fromStdString(*options.home);
  const std::filesystem::path home = ResolveHomeFolder(home_arguments);

  RealFileSystem files;
  IniStore ini(EcuIniPath(home), files);
  RealClock clock;
  QtEventLoop loop;
  QtTimerService timers;
  CTimeIt stopwatch(clock);
  TraceLog trace(stopwatch);
  trace.SetDecimalSeparator(NumberLocale::User().decimal);
  std::error_code ignored;
  std::filesystem::create_directories(MeasuresFolder(home), ignored);
  OpenNextTraceFile(ini, home, trace);
  stopwatch.Start();

  QmTextCatalogLoader catalogs(QmTextCatalogLoader::StandardFolders(home));
  Language language(catalogs);
  language.StartUpLanguage(ReadSetting(ini, ini_keys::kAffichageLangue), trace);

  Settings settings = LoadSettings(ini);
  LinkState link;
  link.EcuType = options.family.value_or(settings.ecu_type);
  if (!options.demo) {
    Fail(3,
         "measuring on a cable needs the ECU's session start, which this version cannot do yet; "
         "use --demo to measure against the demo ECU");
  }
  link.TestMode = true;

  std::unique_ptr<Timer> reply_timer = timers.CreateTimer();
  Exchange exchange(link, clock, loop, *reply_timer, trace);
  FamilyDecoder decoder(exchange, link, clock);

  ScreenModel model;
  ApplyMeasures(model, settings);
  MeasurementFlags flags;
  flags.AveragingDepth = std::clamp(settings.averaging_depth, 0, MainWindow::kAveragingMax);

  CsvRecorder csv(home, NumberLocale::User(), files);
  WorkbookRecorder workbook(home);
  if (options.csv) {
    if (!csv.Start()) Fail(1, "cannot create a recording in " + MeasuresFolder(home).string());
    model.SetChecked(fp::chCSV, true);
  }
  if (options.xlsx) {
    workbook.Start(link.EcuType);
    model.SetChecked(fp::Chenregistre, true);
  }

  long iterations = 0;
  long misses = 0;
  float last_time = 0;
  LiveDataHooks hooks(model, link);
  hooks.SetOnSample([&](const LiveSample& sample) {
    ++iterations;
    last_time = sample.Time;
    if (link.lamp_colour == kLampRed) ++misses;
    if (!options.quiet) {
      std::printf(
          "time=%s\trpm=%s\ttps=%s\tinj=%s\tadv=%s\tpress=%s\tair=%s\tcoolant=%s\tbattery=%s\n",
          FormatNumber(sample.Time, "0.000").c_str(), model.Text(fp::Rmp).c_str(),
          model.Text(fp::Potar).c_str(), model.Text(fp::Injection).c_str(),
          model.Text(fp::Avance).c_str(), model.Text(fp::Pression).c_str(),
          model.Text(fp::Air).c_str(), model.Text(fp::Eau).c_str(),
          model.Text(fp::Tension).c_str());
      std::fflush(stdout);
    }
    if (g_interrupted || (options.iterations && iterations >= *options.iterations) ||
        (options.seconds && sample.Time >= *options.seconds)) {
      flags.StopRequest = true;
    }
  });
  TerminalBeeper beeper;
  MeasurementCycle cycle(MeasurementCycleServices{model, flags, link, decoder, clock, loop, trace,
                                                  language, hooks, beeper, settings, "", nullptr,
                                                  &workbook, &csv});
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
  model.SetEnabled(fp::cdparametre, true);
  cycle.PressStart();

  // The boxes are cleared: the text recording is converted, the workbook saved.
  std::vector<std::filesystem::path> recorded = csv.Stop();
  for (const auto& path : workbook.Stop()) recorded.push_back(path);
  std::string paths;
  for (const auto& path : recorded) {
    if (!paths.empty()) paths += ',';
    paths += path.string();
  }
  const double rate = last_time > 0 ? iterations / static_cast<double>(last_time) : 0.0;
  std::printf("summary: iterations=%ld rate_hz=%s misses=%ld recording=%s\n", iterations,
              FormatNumber(rate, "0.0").c_str(), misses, paths.empty() ? "none" : paths.c_str());
  trace.Close();
  return 0;
}
