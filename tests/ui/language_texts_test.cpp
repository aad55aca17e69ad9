// What a user reads in each language, with the compiled language files beside the test: the
// interface window, the status bar, the session starts with their questions and messages, and
// the status window. English shows English; French shows the program's own texts, as it does
// with no language file at all.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "config/language.hpp"
#include "config/settings_keys.hpp"
#include "core/ctime_it.hpp"
#include "link/frame.hpp"
#include "livedata/engine_status.hpp"
#include "livedata/frmparam.hpp"
#include "platform/qm_text_catalog.hpp"
#include "platform/real_file_system.hpp"
#include "session/main_window.hpp"
#include "session/session_control.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"
#include "ui/interface_window.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;

enum class Scenario {
  kDemoStartUp,     // no cable: the demo, the interface window first
  kNoAdapter,       // ELM327 chosen, no adapter to open at F2
  kNoCable,         // USB chosen, the cable gone at F2
  kKwpDemo,         // F2 on the 59M demo ECU
  kKwpSilent,       // F2 on a K-line cable with no ECU: all 40 attempts
  k1516Demo,        // F2 on the 16M demo ECU, then re-initialisation
  k1516Silent,      // F2 on a K-line cable with no 16M: nothing during the listening
  kStatusDemo,      // a status read on the demo ECU
  kStatusStandDown  // a status record with other values: stand out, part throttle, a stall
};

// Every text each control showed, in order, keyed "window/control" (tool tips as
// "window/control:tip"), with the messages and questions the user was shown.
using Seen = std::map<std::string, std::vector<std::string>, std::less<>>;

void Note(Seen& seen, const std::string& key, const std::string& text) {
  std::vector<std::string>& texts = seen[key];
  if (texts.empty() || texts.back() != text) texts.push_back(text);
}

void NoteControl(Seen& seen, std::string_view window, const std::string& control,
                 const ControlState& state) {
  const std::string key = std::string(window) + "/" + control;
  Note(seen, key, state.text);
  if (!state.tooltip.empty()) Note(seen, key + ":tip", state.tooltip);
}

class NoDevices : public InterfaceDevices {
 public:
  std::optional<std::vector<std::string>> ListFtdiDevices() override {
    return std::vector<std::string>{};
  }
  OpenResult<KLinePort> OpenFtdi(const std::string&) override { return {nullptr, "absent"}; }
  std::vector<SerialDeviceInfo> ListSerialDevices() override { return {}; }
  OpenResult<KLinePort> OpenSerialKLine(const std::string&) override { return {nullptr, "absent"}; }
  std::unique_ptr<SerialPort> CreateSerialPort() override { return nullptr; }
};

class Host : public MainWindowHost {
 public:
  InterfaceChoice RunInterfaceWindow() override { return run_interface(); }
  void ShowWindow() override {}
  void PlaceWindow(int, int) override {}
  WindowPosition CurrentPosition() const override { return {}; }

  std::function<InterfaceChoice()> run_interface;
};

class NoBeep : public Beeper {
 public:
  void Beep() override {}
};

// The program with its windows' logic, in `language` ("" for a machine without any language
// file), living through one scenario.
class Program {
 public:
  Program(const std::string& language, const std::filesystem::path& home)
      : home_(home),
        loader_(
            language.empty()
                ? std::vector<std::filesystem::path>{home}
                : std::vector<std::filesystem::path>{home, QCoreApplication::applicationDirPath()
                                                               .toStdString()}),
        language_name_(language.empty() ? "Francais" : language) {
    std::filesystem::remove_all(home_);
    std::filesystem::create_directories(home_);
  }
  ~Program() {
    logic_.SetSession(nullptr);
    std::filesystem::remove_all(home_);
  }

  Seen Run(Scenario scenario) {
    const bool family_4 = scenario != Scenario::k1516Demo && scenario != Scenario::k1516Silent;
    WriteSetting(ini_, ini_keys::kAffichageLangue, language_name_);
    WriteSetting(ini_, ini_keys::kEcuType, family_4 ? Iaw59M5AM : Iaw16M);
    WriteSetting(ini_, ini_keys::kMenuAuto, 0);
    host_.run_interface = [&] { return InterfaceWindow(scenario); };
    model_.SetListener([&](const std::string& control, const ControlState& state) {
      NoteControl(seen_, fp::kWindow, control, state);
    });
    status_model_.SetListener([&](const std::string& control, const ControlState& state) {
      NoteControl(seen_, frmStatuts::kWindow, control, state);
    });
    exchange_.SetKeepAliveTimer(keep_alive_.get());
    logic_.SetSession(&session_);
    EXPECT_TRUE(logic_.StartUp());

    switch (scenario) {
      case Scenario::kDemoStartUp:
        break;
      case Scenario::kNoAdapter:
      case Scenario::kNoCable:
      case Scenario::kKwpDemo:
      case Scenario::kKwpSilent:
      case Scenario::k1516Silent:
        session_.Initialise();
        break;
      case Scenario::k1516Demo:
        EXPECT_TRUE(session_.Initialise());
        session_.ReInitialise();
        break;
      case Scenario::kStatusDemo:
        status_.ReadStatus();
        break;
      case Scenario::kStatusStandDown:
        status_.ShowWindow();  // no window to show: the captions are applied
        ShowStatusRecord(FrameKwp("61A603030000082000000100040000010000", "F110"), "F110",
                         language_, status_model_);
        break;
    }
    // What the windows show at the end, including what never changed since their design.
    for (const auto& [control, state] : model_.Controls()) {
      NoteControl(seen_, fp::kWindow, control, state);
    }
    for (const auto& [control, state] : status_model_.Controls()) {
      NoteControl(seen_, frmStatuts::kWindow, control, state);
    }
    for (const sim::ScriptedDialogs::Shown& message : dialogs_.messages) {
      Note(seen_, "message", message.text);
      Note(seen_, "message title", message.title);
    }
    for (const std::string& question : dialogs_.questions) Note(seen_, "question", question);
    return seen_;
  }

 private:
  // The real interface window is built, its texts noted, and the scenario's link chosen.
  InterfaceChoice InterfaceWindow(Scenario scenario) {
    {
      InterfaceDialog dialog(ini_, devices_, dialogs_, link_, trace_, &language_);
      for (const auto& [control, state] : dialog.model().Controls()) {
        NoteControl(seen_, frmInterface::kWindow, control, state);
      }
    }
    InterfaceChoice choice;
    link_.TestMode = true;
    choice.panel4 = "USB";
    switch (scenario) {
      case Scenario::kNoAdapter:
        link_.TestMode = false;
        choice.kind = InterfaceKind::kElm327;
        choice.device = "/dev/rfcomm0";
        choice.port_number = 3;
        break;
      case Scenario::kNoCable:
        link_.TestMode = false;
        choice.device = "/dev/ttyUSB0";
        break;
      case Scenario::kKwpSilent:
      case Scenario::k1516Silent:
        link_.TestMode = false;
        choice.kline = std::make_unique<sim::TesterUart>(clock_, bus_);
        break;
      default:
        break;
    }
    return choice;
  }

  std::filesystem::path home_;
  RealFileSystem files_;
  IniStore ini_{EcuIniPath(home_), files_};
  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  std::unique_ptr<Timer> tempo_ = timers_.CreateTimer();
  std::unique_ptr<Timer> keep_alive_ = timers_.CreateTimer();
  CTimeIt stopwatch_{clock_};
  TraceLog trace_{stopwatch_};
  LinkState link_;
  Exchange exchange_{link_, clock_, loop_, *reply_timer_, trace_};
  sim::KLineBus bus_{clock_};
  sim::ScriptedDialogs dialogs_;
  NoDevices devices_;
  QmTextCatalogLoader loader_;
  std::string language_name_;
  Language language_{loader_};
  ScreenModel model_;
  Host host_;
  MainWindow logic_{model_,
                    MainWindowServices{.ini = ini_,
                                       .link = link_,
                                       .exchange = exchange_,
                                       .clock = clock_,
                                       .trace = trace_,
                                       .stopwatch = stopwatch_,
                                       .dialogs = dialogs_,
                                       .language = language_,
                                       .home = home_,
                                       .version_suffix = " - 1.2.3",
                                       .acquire_single_instance = {}},
                    host_, *tempo_};
  NoBeep beep_;
  SessionControl session_{SessionServices{.window = model_,
                                          .link = link_,
                                          .exchange = exchange_,
                                          .clock = clock_,
                                          .loop = loop_,
                                          .ini = ini_,
                                          .trace = trace_,
                                          .dialogs = dialogs_,
                                          .language = language_,
                                          .beeper = beep_,
                                          .keep_alive = *keep_alive_,
                                          .progress_timer = *tempo_,
                                          .flags = logic_.flags(),
                                          .measures = logic_.measures(),
                                          .home = home_},
                          logic_};
  ScreenModel status_model_;
  EngineStatus status_{status_model_, {exchange_, link_, clock_, loop_, language_}};
  Seen seen_;
};

struct Case {
  Scenario scenario;
  const char* key;
  const char* english;
  const char* built_in;
  // What the French file shows where it is not the built-in text: a bilingual text without its
  // English half, a status text that the start-up and the session share one number for.
  const char* francais = nullptr;
};

const Case kCases[] = {
    // The interface window, before anything else.
    {Scenario::kDemoStartUp, "frmInterface/frmInterface", "Cable", "Device"},
    {Scenario::kDemoStartUp, "frmInterface/Frame1", "Choose the type of cable", "Choise the type"},
    {Scenario::kDemoStartUp, "frmInterface/FrBT", "Connecting over Bluetooth",
     "Help to connect at BT"},
    {Scenario::kDemoStartUp, "frmInterface/Label1", "Open the Bluetooth favourites",
     "Call Favoris Bleutooth"},
    {Scenario::kDemoStartUp, "frmInterface/Label2", "Find the ELM (CBT or CHX), connect",
     "Find ELM (CBT ou CHX), connect"},
    {Scenario::kDemoStartUp, "frmInterface/Label3", "Note the COM port of the Bluetooth link",
     "Note the port COM of BT"},
    {Scenario::kDemoStartUp, "frmInterface/cdNew", "What's new", "What's New"},
    // The main window after the start-up: the status bar and what the captions leave out.
    {Scenario::kDemoStartUp, "frmparam/lbPanel1", "Session: OFF", "Défauts présents", "Init : OFF"},
    {Scenario::kDemoStartUp, "frmparam/lbPanel2", "Wait", "Attente"},
    {Scenario::kDemoStartUp, "frmparam/lbPanel3", "Demo", "Démo"},
    {Scenario::kDemoStartUp, "frmparam/lmemo", " Open Diagnostics for a full analysis",
     " Aller dans Diagnostic pour une analyse complète"},
    {Scenario::kDemoStartUp, "frmparam/mnStatuts", "S&tatus", "S&tatuts"},
    {Scenario::kDemoStartUp, "frmparam/mnweb", "Online support", "Support en ligne"},
    {Scenario::kDemoStartUp, "frmparam/cddiag:tip", "Stop the measurements to run the diagnostics",
     "Arrêter les mesures pour lancer les diagnostics"},
    {Scenario::kDemoStartUp, "frmparam/Frame1:tip",
     "Steadies the display by averaging the values. Ctrl+P=+5 or Ctrl+M=-5",
     "Permet de stabiliser l'affichage en moyennant les valeurs. Ctrl+P=+5 ou Ctrl+M=-5"},
    // A cable or adapter that cannot be opened at F2.
    {Scenario::kNoAdapter, "frmparam/lbPanel4", "ELM on COM3", "ELM sur COM3"},
    {Scenario::kNoAdapter, "message", "Cannot open the port /dev/rfcomm0\nno serial port",
     "Impossible d'ouvrir le port /dev/rfcomm0\naucun port série"},
    {Scenario::kNoAdapter, "message title", "Session start", "Initialisation"},
    {Scenario::kNoCable, "message", "Cannot open the port /dev/ttyUSB0\nthe cable does not answer",
     "Impossible d'ouvrir le port /dev/ttyUSB0\nle câble ne répond pas"},
    // The KWP start.
    {Scenario::kKwpDemo, "frmparam/lpresent", "Starting the session",
     "Initialisation de la procédure / Init to process", "Initialisation de la procédure"},
    {Scenario::kKwpDemo, "frmparam/lmemo", "Wait for the instructions",
     "Attendre les instructions / Wait", "Attendre les instructions"},
    {Scenario::kKwpDemo, "frmparam/Lbtest", "Start variant 0  3%", "Init Mode 0  3%"},
    {Scenario::kKwpDemo, "frmparam/lbPanel1", "Session: ON", "Init : ON"},
    {Scenario::kKwpDemo, "frmparam/lbPanel2", "Wait", "Attente / Wait", "Attente"},
    {Scenario::kKwpSilent, "message", "No answer from the ECU! Check the connections",
     "Pas de réponse de l'ECU ! Vérifiez les connexions"},
    {Scenario::kKwpSilent, "message title", "Fatal error", "Fatal erreur"},
    // The 15M/16M start and its re-initialisation.
    {Scenario::k1516Demo, "question",
     "At this point the ignition KEY must be OFF,\rTurn the KEY ON after OK",
     "A ce moment le contact de la moto doit être coupé,\rMettre le contact après OK\r"
     "At this point the KEY must be OFF,\rTurn KEY ON after check OK",
     "A ce moment le contact de la moto doit être coupé,\rMettre le contact après OK"},
    {Scenario::k1516Demo, "frmparam/lpresent", "Turn the key ON", "Mettre le contact / Turn KEY ON",
     "Mettre le contact"},
    {Scenario::k1516Demo, "frmparam/lmemo", "and wait for the beeps and Session: ON",
     "et attendre les BIP et Init = ON"},
    {Scenario::k1516Demo, "frmparam/lpresent", "No current fault",
     "Aucun Défaut présent / No Failure now", "Aucun défaut présent"},
    {Scenario::k1516Demo, "frmparam/lmemo", "No stored fault",
     "Aucun Défaut mémorisé / No Failure in RAM", "Aucun défaut mémorisé"},
    {Scenario::k1516Demo, "question", "Turn the ignition KEY OFF",
     "Couper le contact de la moto\rTurn KEY OFF", "Couper le contact de la moto"},
    {Scenario::k1516Silent, "frmparam/lpresent", "Failed", "Echec"},
    // The status window: its captions and the texts of a status read.
    {Scenario::kStatusDemo, "frmStatuts/frmStatuts", "Status", "Statuts"},
    {Scenario::kStatusDemo, "frmStatuts/FrEngine", "Engine", "Moteur/Engine", "Moteur"},
    {Scenario::kStatusDemo, "frmStatuts/lbstatut0", "Engine mode", "Mode motor"},
    {Scenario::kStatusDemo, "frmStatuts/lbstatut1", "Engine state", "Statut moteur"},
    {Scenario::kStatusDemo, "frmStatuts/lbstatut3", "Side stand", "Stand"},
    {Scenario::kStatusDemo, "frmStatuts/lbstatut5", "Start readiness", "Démarrage"},
    {Scenario::kStatusDemo, "frmStatuts/lbstatut7", "Lambda probe", "Sonde lambda"},
    {Scenario::kStatusDemo, "frmStatuts/lbstatut8", "Mixture", "Richesse/title"},
    {Scenario::kStatusDemo, "frmStatuts/txStatutMotor", "Engine running", "Engine ON"},
    {Scenario::kStatusDemo, "frmStatuts/txModeMotor", "Idle after cranking", "Minimo al Crank"},
    {Scenario::kStatusDemo, "frmStatuts/txBequille", "Up", "Rentrée"},
    {Scenario::kStatusDemo, "frmStatuts/txRichesse", "Lean", "Pauvre"},
    {Scenario::kStatusStandDown, "frmStatuts/txStatutMotor", "Engine stalled",
     "Engine stall / Moteur Calé", "Moteur Calé"},
    {Scenario::kStatusStandDown, "frmStatuts/txModeMotor", "Leaving cut-off, accelerating",
     "Uscita da Cut-Off in accelerazione"},
    {Scenario::kStatusStandDown, "frmStatuts/txBequille", "Down", "Sortie"},
    {Scenario::kStatusStandDown, "frmStatuts/txTPS", "Part throttle", "Partiel"},
};

std::string Shown(const Seen& seen, const std::string& key) {
  const auto it = seen.find(key);
  if (it == seen.end()) return "(nothing)";
  std::string all;
  for (const std::string& text : it->second) all += "[" + text + "] ";
  return all;
}

bool WasShown(const Seen& seen, const std::string& key, const std::string& text) {
  const auto it = seen.find(key);
  return it != seen.end() &&
         std::find(it->second.begin(), it->second.end(), text) != it->second.end();
}

TEST(LanguageTexts, EachLanguageFileShowsItsTextsAndWithoutOneTheBuiltInOnes) {
  std::map<Scenario, std::map<std::string, Seen>> runs;
  for (const Case& c : kCases) {
    if (runs.count(c.scenario) != 0) continue;
    for (const std::string& language :
         {std::string("English"), std::string("Francais"), std::string()}) {
      const auto home = std::filesystem::path(::testing::TempDir()) /
                        ("language_texts_" + std::to_string(static_cast<int>(c.scenario)) + "_" +
                         (language.empty() ? "none" : language));
      Program program(language, home);
      runs[c.scenario][language] = program.Run(c.scenario);
    }
  }
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.key) + " in scenario " +
                 std::to_string(static_cast<int>(c.scenario)));
    const auto& run = runs[c.scenario];
    EXPECT_TRUE(WasShown(run.at("English"), c.key, c.english)) << Shown(run.at("English"), c.key);
    const char* francais = c.francais != nullptr ? c.francais : c.built_in;
    EXPECT_TRUE(WasShown(run.at("Francais"), c.key, francais)) << Shown(run.at("Francais"), c.key);
    EXPECT_TRUE(WasShown(run.at(""), c.key, c.built_in)) << Shown(run.at(""), c.key);
  }
}

// Every text the program numbers itself is in both files, so that a change of language never
// leaves a text of the previous one behind; the French file holds the built-in text, or its
// French half.
TEST(LanguageTexts, BothFilesHoldEveryTextTheProgramNumbers) {
  QmTextCatalogLoader loader({QCoreApplication::applicationDirPath().toStdString()});
  CatalogLoadResult francais = loader.Load("Francais");
  CatalogLoadResult english = loader.Load("English");
  ASSERT_NE(francais.catalog, nullptr) << francais.message;
  ASSERT_NE(english.catalog, nullptr) << english.message;
  std::set<int> ids;
  for (const LanguageText& text : NumberedProgramTexts()) {
    SCOPED_TRACE(text.id);
    EXPECT_TRUE(ids.insert(text.id).second) << "number used twice";
    const std::optional<std::string> french = francais.catalog->GetResourceString(text.id);
    ASSERT_TRUE(french.has_value());
    EXPECT_TRUE(text.built_in.starts_with(*french)) << *french;
    EXPECT_TRUE(english.catalog->GetResourceString(text.id).has_value());
  }
  for (const CaptionStep& step : MainWindowCaptions()) {
    if (step.kind != CaptionStep::Kind::kFixed) {
      EXPECT_EQ(ids.count(step.id), 0u) << "caption " << step.id << " numbered twice";
    }
  }
}

// The fault windows' texts: a trouble code's two texts under its name, a numbered text of the
// windows, and the built-in text wherever the file has nothing. The blanks that indent a kind
// line under its fault line, or separate a number from its label, are part of the text.
TEST(LanguageTexts, FaultWindowsReadCodeTextsAndNumberedTextsFromTheFiles) {
  struct TextCase {
    const char* language;
    const char* code;  // nullptr: the numbered text `id`
    CodeTextKind kind;
    int id;
    const char* built_in;
    const char* expected;
  };
  constexpr CodeTextKind kShort = CodeTextKind::kShort;
  constexpr CodeTextKind kLong = CodeTextKind::kLong;
  const TextCase cases[] = {
      {"Francais", "P0122", kShort, 0, " ", "Capteur de position papillon : signal bas"},
      {"English", "P0122", kShort, 0, " ", "Throttle position sensor: signal low"},
      {"English", "P0201", kLong, 0, " - ",
       "The drive circuit of the cylinder 1 injector is open or shorted. Measure the injector's "
       "resistance and check its connector and the wire back to the ECU."},
      {"Francais", "P0123", kLong, 0, " - ",
       "La tension du capteur est trop haute : fil de signal en court-circuit avec le 5 V, ou "
       "masse du capteur coupée. Contrôlez le faisceau."},
      // A maker's own code, and a generic one nobody wrote: the built-in texts.
      {"English", "U1600", kShort, 0, "  ", "  "},
      {"Francais", "P0244", kLong, 0, " - ", " - "},
      // The code's texts are not numbered texts, nor the other way round.
      {"English", "355", kShort, 0, " ", " "},
      {"English", nullptr, kShort, 355, "Défaut Capteur Papillon", "Throttle sensor fault"},
      {"Francais", nullptr, kShort, 355, "Défaut Capteur Papillon", "Défaut Capteur Papillon"},
      {"English", nullptr, kShort, 874, "Moteur arrêté", "Engine stopped"},
      {"Francais", nullptr, kShort, 874, "Moteur arrêté", "Moteur arrêté"},
      {"English", nullptr, kShort, 366, "   en C.C GND", "   shorted to ground"},
      {"English", nullptr, kShort, 524, "Erreur numéro ", "Fault "},
      {"English", nullptr, kShort, 525, " sur ", " of "},
      {"Francais", nullptr, kShort, 303, "Erreur(s) présente(s) / Failure(s) now",
       "Erreur(s) présente(s)"},
      {"English", nullptr, kShort, 573, "Cause : non disponible en EOBD",
       "Cause: not available in EOBD"},
      {"English", nullptr, kShort, 526, "not numbered", "not numbered"},
  };
  QmTextCatalogLoader loader({QCoreApplication::applicationDirPath().toStdString()});
  std::map<std::string, std::unique_ptr<Language>> languages;
  for (const char* name : {"Francais", "English"}) {
    auto language = std::make_unique<Language>(loader);
    language->SetCurrent(name);
    ASSERT_EQ(language->LoadLanguage(), LanguageLoad::kLoaded) << language->LastError();
    languages[name] = std::move(language);
  }
  for (const TextCase& c : cases) {
    SCOPED_TRACE(std::string(c.language) + " " + (c.code != nullptr ? c.code : "") +
                 std::to_string(c.id));
    const Language& language = *languages.at(c.language);
    EXPECT_EQ(c.code != nullptr ? language.LookupCodeText(c.code, c.kind, c.built_in)
                                : language.LookupText(c.id, c.built_in),
              c.expected);
  }
}

}  // namespace
}  // namespace velkor
