// velkor-cli: the measurement cycle without windows, for logging from a terminal or a small
// computer on the bike. Same code as the program: the cycle writes the main window's model,
// and each iteration is printed as that window would show it.
#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "config/settings.hpp"
#include "config/settings_keys.hpp"
#include "core/ecu_family.hpp"
#include "core/number_format.hpp"
#include "core/screen_model.hpp"
#include "platform/home_folder.hpp"
#include "program_wiring.hpp"
#include "session/interface_window.hpp"

namespace {

using namespace velkor;
namespace fp = frmparam;

constexpr const char* kUsage =
    "usage: velkor-cli init [options]\n"
    "       velkor-cli measure [options]\n"
    "       velkor-cli ident [options]\n"
    "       velkor-cli faults [--clear] [options]\n"
    "       velkor-cli trimmer [--set N [--store]] [options]\n"
    "       velkor-cli test --list | <name> [options]\n"
    "\n"
    "init     starts the ECU's session as F2 does and prints\n"
    "           session: open family=<f> ecu=<name> variant=<how it woke>\n"
    "         then ends the session.\n"
    "ident    starts the session and prints the ECU's identification, one line each as the\n"
    "         identification window shows them.\n"
    "faults   starts the session and prints the stored fault codes, one line each:\n"
    "           fault: code=<code> text=<short text> cause=<cause> memo=<memorisation>\n"
    "                  lamp=<on|off|?> cycles=<n>        (59M/5AM, EOBD)\n"
    "           fault: row=<row> value=<byte> line=<fault line>   (15M, 16M, 15RC, P8)\n"
    "         then\n"
    "           faults: count=<n>\n"
    "         --clear (59M/5AM, EOBD) clears them without asking (the flag is the\n"
    "         confirmation), reads them again and prints the list and count again.\n"
    "test     --list prints the family's tests and routines, one name a line (59M/5AM:\n"
    "         rev-counter fuel-pump coil-1 coil-2 injector-1 injector-2 fan-1 fan-2\n"
    "         immobiliser tps-reset service-reset; 16M, 15M, 15RC: rev-counter fuel-pump\n"
    "         coil-1 coil-2 injector-1 injector-2). test <name> starts the session and\n"
    "         runs it as the fault window does, with the same checks (the engine must be\n"
    "         known to be stopped; the command is the confirmation of a routine), prints\n"
    "           test: <name> start\n"
    "           test: <name> running t=<seconds>     (while it runs)\n"
    "           test: <name> <line the window shows>\n"
    "           test: <name> result=<ok|refused|failed|no-answer|stop-unconfirmed>\n"
    "         and exits 0 on \"Test OK\", 5 when it was refused before anything moved\n"
    "         (the reason on stderr), 4 when the ECU refused, did not answer or did not\n"
    "         confirm the end (then switch the ignition off). Ctrl+C stops the test.\n"
    "measure  starts the session, then runs the measurement cycle and prints one line per\n"
    "         iteration (time and every engine value as the main window shows it), then\n"
    "           summary: iterations=<n> rate_hz=<r> misses=<m> recording=<paths>\n"
    "         with failed=<files> after it when a recording stopped on a failed write.\n"
    "trimmer  starts the session and prints the ECU's idle-mixture trimmer\n"
    "           trimmer: value=<n>            (59M/5AM: 21 3D; 15M, 15RC: address 0F,\n"
    "                                          with raw=<byte>)\n"
    "         --set N (59M/5AM, N from -127 to 127) runs the measurement cycle and, after\n"
    "         its first valid read, sets the value through the main window's logic: sent\n"
    "         only above 600 rpm with 'test Moteur' clear; --store then stores it (the flag\n"
    "         is the confirmation). Prints trimmer: value=<n> stored=<yes|no> when the ECU\n"
    "         reads N (and confirmed the store). Exit 5 with the reason on stderr when\n"
    "         the ECU refuses or does not take it, or when the engine does not run above\n"
    "         600 rpm within 30 s. The 15M/15RC trimmer is set from the desktop program's\n"
    "         15M trimmer window only (ECU in trimmer mode, engine started by hand).\n"
    "\n"
    "options:\n"
    "  --home DIR        home folder (ecu.ini, Mesures/); default as the program's\n"
    "  --interface KIND  usb, kkl, galetto or elm327; default [Interface] Type of ecu.ini\n"
    "  --port DEVICE     serial device (/dev/ttyUSB0) or FTDI cable description;\n"
    "                    default [Interface] Device of ecu.ini; usb: [Interface]\n"
    "                    Description, or the first cable found\n"
    "  --demo            no motorcycle: the built-in demo ECU answers\n"
    "  --family NAME     mm16, mm15, 15rc, p8, m59 (5am), eobd; default [ECU] Type of ecu.ini\n"
    "  --seconds N       measure: stop after N seconds\n"
    "  --iterations N    measure: stop after N iterations\n"
    "  --fast            measure: engine speed only (family m59), refreshed faster\n"
    "  --csv             measure: record to a .csv in Mesures/ (as the CSV box)\n"
    "  --xlsx            measure: record to a workbook in Mesures/ (as the Excel box)\n"
    "  --quiet           measure: print only the summary\n"
    "  --help            this text\n"
    "\n"
    "Ctrl+C stops the measurements; the recordings are closed and converted first.\n"
    "Exit codes: 0 done, 1 recording impossible, 2 bad arguments, 3 the link cannot be opened,\n"
    "4 no session (the ECU did not answer the start) or the ECU stopped answering (or\n"
    "refused a clear or a test: the reason is printed),\n"
    "5 the home folder cannot be used (a file, not writable, or Velkor or another\n"
    "velkor-cli runs on it), or a test refused before anything moved, 6 a recording\n"
    "stopped on a failed write (a full disk); the\n"
    "passes before are kept.\n";

std::atomic<bool> g_interrupted{false};

extern "C" void OnInterrupt(int) { g_interrupted = true; }

struct Options {
  std::string command;
  std::optional<std::string> home;
  std::optional<InterfaceKind> interface;
  std::optional<std::string> port;
  bool demo = false;
  std::optional<int> family;
  std::optional<double> seconds;
  std::optional<long> iterations;
  bool fast = false;
  bool csv = false;
  bool xlsx = false;
  bool quiet = false;
  bool clear = false;
  std::optional<int> trimmer_set;  // trimmer --set N
  bool store = false;              // trimmer --store
  bool list = false;
  std::string test;  // test <name>
};

constexpr const char* kFamilyNames[] = {"mm16", "mm15", "15rc", "p8", "m59", "eobd"};

std::optional<int> FamilyOf(const std::string& name) {
  for (int i = 0; i < 6; ++i) {
    if (name == kFamilyNames[i]) return i;
    // The 5AM is started and read as the 59M is: the same family.
    if (name == "5am" && i == Iaw59M5AM) return i;
  }
  return std::nullopt;
}

std::optional<InterfaceKind> InterfaceOf(const std::string& name) {
  if (name == "usb") return InterfaceKind::kUsb;
  if (name == "kkl") return InterfaceKind::kKkl;
  if (name == "galetto") return InterfaceKind::kGaletto;
  if (name == "elm327") return InterfaceKind::kElm327;
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
  options.command = arguments[1].toStdString();
  if (options.command != "measure" && options.command != "init" && options.command != "ident" &&
      options.command != "faults" && options.command != "trimmer" && options.command != "test") {
    Fail(2, "unknown command '" + options.command + "'");
  }
  for (int i = 2; i < arguments.size(); ++i) {
    const std::string argument = arguments[i].toStdString();
    auto value = [&]() -> std::string {
      if (i + 1 >= arguments.size()) Fail(2, argument + " needs a value");
      return arguments[++i].toStdString();
    };
    auto number = [&](const std::string& text) {
      // A period whatever the user's locale: strtod would want a comma on a French desktop.
      double parsed = 0;
      const auto read = std::from_chars(text.data(), text.data() + text.size(), parsed);
      if (read.ec != std::errc() || read.ptr != text.data() + text.size() || !(parsed > 0) ||
          !std::isfinite(parsed)) {
        Fail(2, argument + " needs a positive number, not '" + text + "'");
      }
      return parsed;
    };
    if (argument == "--help") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    } else if (argument == "--home") {
      options.home = value();
    } else if (argument == "--interface") {
      const std::string name = value();
      options.interface = InterfaceOf(name);
      if (!options.interface) Fail(2, "unknown interface '" + name + "'");
    } else if (argument == "--port") {
      options.port = value();
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
    } else if (argument == "--fast") {
      options.fast = true;
    } else if (argument == "--csv") {
      options.csv = true;
    } else if (argument == "--xlsx") {
      options.xlsx = true;
    } else if (argument == "--quiet") {
      options.quiet = true;
    } else if (argument == "--clear" && options.command == "faults") {
      options.clear = true;
    } else if (argument == "--list" && options.command == "test") {
      options.list = true;
    } else if (options.command == "test" && options.test.empty() && !argument.starts_with("-")) {
      options.test = argument;
    } else if (argument == "--set" && options.command == "trimmer") {
      const std::string text = value();
      int parsed = 0;
      const auto read = std::from_chars(text.data(), text.data() + text.size(), parsed);
      if (read.ec != std::errc() || read.ptr != text.data() + text.size() || parsed < -127 ||
          parsed > 127) {
        Fail(2, "--set needs a whole number from -127 to 127, not '" + text + "'");
      }
      options.trimmer_set = parsed;
    } else if (argument == "--store" && options.command == "trimmer") {
      options.store = true;
    } else {
      Fail(2, "unknown option '" + argument + "'");
    }
  }
  if (options.seconds && options.iterations) Fail(2, "give --seconds or --iterations, not both");
  if (options.store && !options.trimmer_set) Fail(2, "--store needs --set N");
  if (options.command == "test" && options.list == !options.test.empty()) {
    Fail(2, "test needs --list or the name of a test");
  }
  return options;
}

// Exit code of a read or a clear: 0 when every answer came, 4 when the ECU said nothing or
// refused (what it said is on stderr already).
int OutcomeCode(DiagnosticOutcome outcome) { return outcome == DiagnosticOutcome::kDone ? 0 : 4; }

int PrintIdentification(DiagnosticWindows& diagnostics) {
  const DiagnosticOutcome outcome = diagnostics.ReadIdentification();
  for (const std::string& line : diagnostics.identification.Lines()) {
    if (!line.empty()) std::printf("%s\n", line.c_str());
  }
  if (outcome != DiagnosticOutcome::kDone) {
    std::fprintf(stderr, "velkor-cli: the ECU gave no identification\n");
  }
  return OutcomeCode(outcome);
}

void PrintFaultList(const std::vector<StoredFault>& faults) {
  for (const StoredFault& fault : faults) {
    const char* lamp = !fault.lamp ? "?" : *fault.lamp ? "on" : "off";
    std::printf("fault: code=%s\ttext=%s\tcause=%s\tmemo=%s\tlamp=%s\tcycles=%s\n",
                fault.code.c_str(), fault.short_text.c_str(), fault.cause.c_str(),
                fault.memorisation.c_str(), lamp, fault.cycles.c_str());
  }
  std::printf("faults: count=%zu\n", faults.size());
}

int PrintFaults(DiagnosticWindows& diagnostics, const LinkState& link, bool clear) {
  if (link.EcuType >= Iaw16M && link.EcuType <= IawP8) {
    if (clear) {
      Fail(2,
           "--clear: the fault memory of the 15M, 16M and 15RC is cleared from the desktop "
           "program's fault window");
    }
    diagnostics.OpenFaults1516();
    const DiagnosticOutcome outcome = diagnostics.ReadFaults1516();
    const FaultRead1516& read = diagnostics.faults_1516.Result();
    std::size_t count = 0;
    for (const FaultRow1516& row : read.rows) {
      for (const std::string& line : row.lines) {
        // Kind lines are indented under their fault line.
        if (!line.starts_with(" ")) ++count;
        std::printf("fault: row=%d\tvalue=%s\tline=%s\n", row.row, row.shown.c_str(), line.c_str());
      }
    }
    for (const std::string& line : read.status_lines) std::printf("status: %s\n", line.c_str());
    std::printf("faults: count=%zu\n", count);
    diagnostics.Faults1516Closed();
    return OutcomeCode(outcome);
  }
  DiagnosticOutcome outcome = diagnostics.ReadFaults59();
  PrintFaultList(diagnostics.faults_59.Faults());
  if (outcome == DiagnosticOutcome::kDone && clear) {
    outcome = diagnostics.ClearFaults59();
    // What the ECU holds after the clear: read again, or still the list when it refused.
    if (outcome != DiagnosticOutcome::kNoAnswer) PrintFaultList(diagnostics.faults_59.Faults());
  }
  return OutcomeCode(outcome);
}

// The tests and routines of a family, by the names velkor-cli takes.
std::vector<std::string> TestNames(int family) {
  std::vector<std::string> names;
  if (family == Iaw59M5AM) {
    for (const ActuatorTest59& test : kActuatorTests59) names.emplace_back(test.cli_name);
    names.emplace_back("tps-reset");
    names.emplace_back("service-reset");
  } else if (DiagCommandByte(family, 1)) {
    for (int i = 1; i < kDiagCommandCount; ++i) names.emplace_back(kDiagCommands1516[i].cli_name);
  }
  return names;
}

int ListTests(int family) {
  const std::vector<std::string> names = TestNames(family);
  if (names.empty()) Fail(2, "this family has no tests");
  for (const std::string& name : names) std::printf("%s\n", name.c_str());
  return 0;
}

// Runs test `name` through the fault windows' logic, as the window's buttons do.
int RunTest(DiagnosticWindows& diagnostics, const LinkState& link, const std::string& name) {
  const int family = link.EcuType;
  TestRunResult result;
  std::string shown;
  std::printf("test: %s start\n", name.c_str());
  std::fflush(stdout);
  if (family == Iaw59M5AM) {
    int index = -1;
    for (int i = 0; i < kActuatorTestCount; ++i) {
      if (name == kActuatorTests59[i].cli_name) index = i;
    }
    if (index >= 0) {
      result = diagnostics.RunTest59(index);
    } else if (name == "tps-reset") {
      result = diagnostics.RunResetTps59();
    } else {
      result = diagnostics.RunResetService59();
    }
    shown = diagnostics.faults_59_model.Text(FrmDTC59::LDescription);
  } else {
    int index = -1;
    for (int i = 1; i < kDiagCommandCount; ++i) {
      if (name == kDiagCommands1516[i].cli_name) index = i;
    }
    result = diagnostics.RunCommand1516(index);
    const ScreenModel& window = diagnostics.faults_1516_model;
    for (std::size_t k = 0; k < frmerreur::kDialogueSteps; ++k) {
      for (std::string_view label : {frmerreur::lenvoie[k], frmerreur::lrecu[k]}) {
        if (window.Text(label).find_first_not_of(' ') != std::string::npos) {
          shown += window.Text(label) + "\n";
        }
      }
    }
  }
  // The window's text, one line each.
  std::size_t from = 0;
  while (from < shown.size()) {
    std::size_t end = shown.find_first_of("\r\n", from);
    if (end == std::string::npos) end = shown.size();
    if (end > from)
      std::printf("test: %s %s\n", name.c_str(), shown.substr(from, end - from).c_str());
    from = end + 1;
  }
  const char* word = "failed";
  int code = 4;
  switch (result.kind) {
    case TestRunResult::Kind::kOk:
      word = "ok";
      code = 0;
      break;
    case TestRunResult::Kind::kInterlocked:
      word = "refused";
      code = 5;
      break;
    case TestRunResult::Kind::kFailed:
      break;
    case TestRunResult::Kind::kNoAnswer:
      word = "no-answer";
      break;
    case TestRunResult::Kind::kStopUnconfirmed:
      word = "stop-unconfirmed";
      break;
    case TestRunResult::Kind::kUnavailable:
      word = "unavailable";
      break;
  }
  std::printf("test: %s result=%s\n", name.c_str(), word);
  std::fflush(stdout);
  if (code != 0 && !result.message.empty()) {
    std::fprintf(stderr, "velkor-cli: %s\n", result.message.c_str());
  }
  return code;
}

// How long `trimmer --set` waits for the engine above 600 rpm, and for the whole adjustment.
constexpr double kTrimmerEngineWait = 30;
constexpr double kTrimmerWait = 90;

// velkor-cli trimmer: the read, or the adjustment through the main window's own logic and
// interlocks (the measurement cycle runs; the value goes out above 600 rpm only).
int RunTrimmer(ProgramLogic& logic, ProgramParts& parts, ScreenModel& model,
               const Options& options) {
  const int family = parts.link.EcuType;
  if (family == Iaw15M || family == Iaw15RC) {
    if (options.trimmer_set) {
      std::fprintf(stderr,
                   "velkor-cli: --set: the 15M/15RC trimmer is set from the desktop program's 15M "
                   "trimmer window\n");
      return 2;
    }
    const std::string answer = parts.exchange.SendReceive("0F", "81", 1, 300);
    const int raw = answer.size() == 2 ? HexToByte(answer) : -1;
    if (raw < 0) {
      std::fprintf(stderr, "velkor-cli: the ECU gave no trimmer\n");
      return 4;
    }
    std::printf("trimmer: value=%d raw=%s\n", raw - 128, answer.c_str());
    return 0;
  }
  if (family != Iaw59M5AM) {
    std::fprintf(stderr, "velkor-cli: this family has no trimmer\n");
    return 2;
  }
  if (!options.trimmer_set) {
    const std::optional<int> value =
        GetTrimmerInitial(parts.exchange, parts.link, parts.clock, parts.trace);
    if (!value) {
      std::fprintf(stderr, "velkor-cli: the ECU gave no trimmer\n");
      return 4;
    }
    std::printf("trimmer: value=%d\n", *value);
    return 0;
  }

  const int target = *options.trimmer_set;
  Trimmer& trimmer = logic.trimmer;
  const std::string done_text = parts.language.LookupText(709, "Commande OK");
  // The display switch, for this run only (the preferences are not written).
  model.SetEnabled(fp::Trimmer, true);
  bool chosen = false;
  bool stored = false;
  std::string refusal;
  bool finished = false;  // said done or refused; otherwise the run ended by itself
  logic.hooks.SetOnSample([&](const LiveSample& sample) {
    const auto finish = [&](std::string why) {
      refusal = std::move(why);
      finished = true;
      logic.window.flags().StopRequest = true;
    };
    if (g_interrupted) return finish("interrupted");
    if (!chosen) {
      if (trimmer.LastRead() && model.Enabled(fp::FrChgTrimmer)) {
        logic.window.TrimmerScrolled(target);
        if (options.store) logic.window.PressMemorise();
        chosen = true;
      } else if (sample.Time > kTrimmerEngineWait) {
        finish(trimmer.LastRead() ? "the engine must run above 600 rpm to adjust the trimmer"
                                  : "the ECU gave no trimmer");
      }
      return;
    }
    const std::string panel = model.Text(fp::lbPanel1);
    if (sample.Time > kTrimmerWait) return finish("no answer in time: " + panel);
    if (trimmer.Pending()) return;
    if (trimmer.LastRead() != target) return finish(panel);
    if (options.store) {
      if (trimmer.StoreRequest()) return;
      if (panel != done_text) return finish(panel);
      stored = true;
    }
    finish("");
  });
  model.SetEnabled(fp::cdparametre, true);
  logic.window.PressParameters();
  logic.hooks.SetOnSample({});
  if (!finished) {
    std::fprintf(stderr, "velkor-cli: the ECU stopped answering; measurements ended\n");
    return 4;
  }
  if (!refusal.empty()) {
    std::fprintf(stderr, "velkor-cli: trimmer not set: %s\n", refusal.c_str());
    return 5;
  }
  std::printf("trimmer: value=%d stored=%s\n", target, stored ? "yes" : "no");
  return 0;
}

class TerminalBeeper : public Beeper {
 public:
  void Beep() override {}  // a terminal bell at every exchange would only be noise here
};

// Messages go to the terminal; a question is printed and taken as OK (the user follows it at
// the motorcycle: "switch the key off, then on").
class TerminalDialogs : public Dialogs {
 public:
  void Message(const std::string& text, const std::string& title, Icon) override {
    std::fprintf(stderr, "velkor-cli: %s: %s\n", title.c_str(), Flat(text).c_str());
  }
  bool AskOkCancel(const std::string& text, const std::string& title, Icon) override {
    std::fprintf(stderr, "velkor-cli: %s: %s\n", title.c_str(), Flat(text).c_str());
    return true;
  }
  std::optional<std::string> PickOpenFile(const std::string&, const std::string&,
                                          const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> PickSaveFile(const std::string&, const std::string&,
                                          const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }

 private:
  static std::string Flat(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
  }
};

// The window's place in ecu.ini stays as the desktop program left it.
class TerminalHost : public MainWindowHost {
 public:
  explicit TerminalHost(IniStore& ini) : ini_(ini) {}
  InterfaceChoice RunInterfaceWindow() override { return std::move(choice); }
  void ShowWindow() override {}
  void PlaceWindow(int, int) override {}
  WindowPosition CurrentPosition() const override {
    return ReadWindowPosition(ini_, WindowId::kParam);
  }
  InterfaceChoice choice;

 private:
  IniStore& ini_;
};

// Opens the cable the options name, as the interface window would; exits with 3 naming the
// port when it cannot be opened.
InterfaceChoice OpenCable(InterfaceKind kind, std::string port, InterfaceDevices& devices) {
  InterfaceChoice choice;
  choice.kind = kind;
  if (kind == InterfaceKind::kUsb) {
    if (port.empty()) {
      const auto cables = devices.ListFtdiDevices();
      if (!cables || cables->empty()) Fail(3, "no USB K-line cable found");
      port = cables->front();
    }
    OpenResult<KLinePort> opened = devices.OpenFtdi(port);
    if (!opened.port) Fail(3, "cannot open the USB cable '" + port + "': " + opened.error);
    choice.kline = std::move(opened.port);
  } else {
    if (port.empty()) Fail(3, "no serial port given (--port DEVICE)");
    if (kind == InterfaceKind::kElm327) {
      std::unique_ptr<SerialPort> elm = devices.CreateSerialPort();
      if (!elm || !elm->Open(port, SessionControl::kElmSettings)) {
        Fail(3, "cannot open " + port + ": " + (elm ? elm->LastError() : std::string()));
      }
      choice.elm = std::move(elm);
    } else {
      OpenResult<KLinePort> opened = devices.OpenSerialKLine(port);
      if (!opened.port) Fail(3, "cannot open " + port + ": " + opened.error);
      choice.kline = std::move(opened.port);
    }
  }
  choice.device = port;
  return choice;
}

std::string HowItWoke(const LinkState& link, const SessionControl& session) {
  if (link.TestMode) return "demo";
  if (link.interface_kind == InterfaceKind::kElm327) return "adapter";
  if (link.EcuType == Iaw15RC) return "pattern";
  if (link.EcuType < Iaw59M5AM) return "key-bytes";
  return std::to_string(session.Variant());
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName("Velkor");
  const Options options = Parse(QCoreApplication::arguments());
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);

  QStringList home_arguments;
  if (options.home) home_arguments << "--home" << QString::fromStdString(*options.home);
  const std::filesystem::path home = ResolveHomeFolder(home_arguments);
  // One program per home folder, the desktop one included: two would overwrite each other's
  // ecu.ini and recordings. Taken before anything is opened or written; static, so that an exit
  // through Fail() lets it go too.
  static SingleInstance instance(home);
  if (const HomeAccess access = instance.Acquire(); !access.Ready()) {
    Fail(5, HomeAccessTerminalText(access));
  }
  ProgramParts parts(home);

  TerminalDialogs dialogs;
  TerminalBeeper beeper;

  TerminalHost host(parts.ini);
  // The list needs no cable.
  if (options.command == "test" && options.list) {
    return ListTests(options.family.value_or(ReadSetting(parts.ini, ini_keys::kEcuType)));
  }
  if (options.demo) {
    parts.link.TestMode = true;
  } else {
    const auto kind = options.interface.value_or(static_cast<InterfaceKind>(
        std::clamp(ReadSetting(parts.ini, ini_keys::kInterfaceType), 0, 3)));
    // The FTDI cable is remembered by its USB description, a serial cable by its device.
    std::string stored = kind == InterfaceKind::kUsb
                             ? ReadSetting(parts.ini, ini_keys::kInterfaceDescription)
                             : ReadSetting(parts.ini, ini_keys::kInterfaceDevice);
    if (kind == InterfaceKind::kUsb && stored == ini_keys::kInterfaceDescription.default_value) {
      stored.clear();  // "Mode Demo": no cable was chosen; the first one found is taken
    }
    host.choice = OpenCable(kind, options.port.value_or(stored), parts.devices);
  }

  ScreenModel model;
  ProgramLogic logic(WireProgram(parts, FrontEnd{.window = model,
                                                 .host = host,
                                                 .dialogs = dialogs,
                                                 .beeper = beeper,
                                                 .version_suffix = "",
                                                 .acquire_single_instance = nullptr,  // above
                                                 .open_document = nullptr}));
  MainWindow& window = logic.window;
  SessionControl& session = logic.session;
  // Ctrl+C during a session start: the window closes as it would on the desktop, so the start
  // ends at its next turn, sends nothing more and the cable is let go once it has returned.
  std::unique_ptr<Timer> interrupt_watch = parts.timers.CreateTimer();
  interrupt_watch->SetInterval(100);
  interrupt_watch->SetOnTick([&] {
    // Ctrl+C during a test closes the window as the desktop would: the test is stopped first.
    if (g_interrupted && (session.Starting() || logic.diagnostics.tests_59.Busy() ||
                          logic.diagnostics.commands_1516.Running())) {
      window.Unload();
    }
  });
  interrupt_watch->Start();
  if (!window.StartUp()) return 1;
  window.SuppressAutoStart();  // the measurements start below, once the options are applied
  if (options.family) parts.link.EcuType = *options.family;
  const std::string family = parts.link.EcuType >= 0 && parts.link.EcuType < 6
                                 ? kFamilyNames[parts.link.EcuType]
                                 : std::to_string(parts.link.EcuType);
  if (options.command == "test") {
    const std::vector<std::string> names = TestNames(parts.link.EcuType);
    if (std::find(names.begin(), names.end(), options.test) == names.end()) {
      window.Unload();
      Fail(2, "no test '" + options.test + "' for the " + family + " (velkor-cli test --list)");
    }
  }

  // The demo ECU is always open for measuring; `init` walks through its start all the same.
  const bool start_session = !parts.link.TestMode || options.command != "measure";
  if (start_session) {
    if (!session.Initialise()) {
      if (g_interrupted) {
        std::fprintf(stderr, "velkor-cli: interrupted before the session opened\n");
      } else {
        std::fprintf(stderr, "velkor-cli: no session with the %s ECU\n", family.c_str());
      }
      window.Unload();
      return 4;
    }
    std::printf(
        "session: open family=%s ecu=%s variant=%s\n", family.c_str(),
        session.EcuName().empty() ? model.Text(fp::lbPanel5).c_str() : session.EcuName().c_str(),
        HowItWoke(parts.link, session).c_str());
    std::fflush(stdout);
  }
  if (options.command == "init" || g_interrupted) {
    window.Unload();
    return 0;
  }
  if (options.command == "test") {
    // One progress line a second while the actuator is on.
    std::unique_ptr<Timer> progress = parts.timers.CreateTimer();
    int seconds = 0;
    progress->SetInterval(1000);
    progress->SetOnTick([&] {
      if (!logic.diagnostics.tests_59.TestRunning() && !logic.diagnostics.commands_1516.Running()) {
        return;
      }
      std::printf("test: %s running t=%d\n", options.test.c_str(), ++seconds);
      std::fflush(stdout);
    });
    progress->Start();
    const int code = RunTest(logic.diagnostics, parts.link, options.test);
    progress->Stop();
    window.Unload();
    return code;
  }
  if (options.command == "trimmer") {
    const int code = RunTrimmer(logic, parts, model, options);
    window.Unload();
    return code;
  }
  if (options.command == "ident" || options.command == "faults") {
    const int code = options.command == "ident"
                         ? PrintIdentification(logic.diagnostics)
                         : PrintFaults(logic.diagnostics, parts.link, options.clear);
    window.Unload();
    return code;
  }

  logic.decoder.SetFastSpeedMode(options.fast);
  CsvRecorder& csv = logic.csv;
  WorkbookRecorder& workbook = logic.workbook;

  long iterations = 0;
  long misses = 0;
  bool asked_to_stop = false;
  float last_time = 0;
  logic.hooks.SetOnSample([&](const LiveSample& sample) {
    ++iterations;
    last_time = sample.Time;
    if (parts.link.lamp_colour == kLampRed) ++misses;
    if (!options.quiet && !logic.cycle.LastPassArrived()) {
      // The window's labels show what the decoder made of nothing; a script reading these
      // lines would take them for a stopped engine.
      std::printf("time=%s\tmissed\n", FormatNumber(sample.Time, "0.000").c_str());
      std::fflush(stdout);
    } else if (!options.quiet) {
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
      asked_to_stop = true;
      window.flags().StopRequest = true;
    }
  });
  if (options.csv) {
    window.ToggleCsv(true);
    if (!model.Checked(fp::chCSV)) {
      window.Unload();
      Fail(1, "cannot create a recording in " + MeasuresFolder(parts.home).string());
    }
  }
  if (options.xlsx) window.ToggleWorkbook(true);
  model.SetEnabled(fp::cdparametre, true);
  window.PressParameters();
  // The cycle also ends by itself when the ECU misses several requests in a row.
  const bool lost = !asked_to_stop && !g_interrupted;

  // The boxes are cleared: the text recording is converted, the workbook saved.
  std::vector<std::filesystem::path> recorded = csv.Stop();
  for (const auto& path : workbook.Stop()) recorded.push_back(path);
  model.SetChecked(fp::chCSV, false);
  model.SetChecked(fp::Chenregistre, false);
  // A recording that stopped on a failed write (the window's message said so on stderr) keeps
  // the passes before it.
  std::vector<std::filesystem::path> failed;
  for (const std::optional<RecordingFailure>* failure :
       {&csv.LastFailure(), &workbook.LastFailure()}) {
    if (!*failure) continue;
    failed.push_back((*failure)->file);
    for (const auto& path : (*failure)->kept) {
      if (std::find(recorded.begin(), recorded.end(), path) == recorded.end()) {
        recorded.push_back(path);
      }
    }
  }
  const auto joined = [](const std::vector<std::filesystem::path>& files) {
    std::string text;
    for (const auto& path : files) text += (text.empty() ? "" : ",") + path.string();
    return text;
  };
  const std::string paths = joined(recorded);
  const std::string failures = failed.empty() ? "" : " failed=" + joined(failed);
  const double rate = last_time > 0 ? iterations / static_cast<double>(last_time) : 0.0;
  std::printf("summary: iterations=%ld rate_hz=%s misses=%ld recording=%s%s\n", iterations,
              FormatNumber(rate, "0.0").c_str(), misses, paths.empty() ? "none" : paths.c_str(),
              failures.c_str());
  std::fflush(stdout);
  if (lost) std::fprintf(stderr, "velkor-cli: the ECU stopped answering; measurements ended\n");
  // Ends the session (stop requests for the M59 family) and closes the cable.
  window.Unload();
  if (lost) return 4;
  return failed.empty() ? 0 : 6;
}
