// The 15M/16M fault read: the decoding of the three fault tables and of the status byte, and
// the read itself in test mode and against a bench ECU on the byte protocol, in virtual time.
#include "diagnostics/fault_window_1516.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/ecu_family.hpp"
#include "window_bench.hpp"

namespace velkor {
namespace {

namespace fe = frmerreur;
using diag_bench::kByteProtocolBaud;
using diag_bench::WindowBench;
using Lines = std::vector<std::string>;

// Text1's lines joined with CR LF, each ended by one.
std::string Text(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::vector<std::string> RowValues(const ScreenModel& window) {
  std::vector<std::string> values;
  for (std::string_view control : fe::rdef) values.push_back(window.Text(control));
  return values;
}

// ---- Decoding -----------------------------------------------------------------------------------

TEST(FaultWindow1516Test, EachRowDecodesItsFaultBitsAndKinds) {
  sim::NoLanguageFiles loader;
  const Language language(loader);
  const struct {
    int row;
    int a;
    std::optional<int> b;
    Lines lines;
  } cases[] = {
      {1, 0x80, 0x00, {"Défaut Relais Général", "   Open or C.C.GND"}},
      {0, 0x20, 0x20, {"Défaut Tension Batterie", "   Tension trop élevée"}},
      {0, 0x20, 0x00, {"Défaut Tension Batterie", "   Tension trop faible"}},
      {0, 0x04, 0x04, {}},  // bit 2 of the sensors has no text
      {4,
       0x3B,
       0x1A,
       {"Défaut Capteur Papillon", "   Open or V.Bat.", "Défaut Capteur de Pression",
        "   en C.C V.Bat.", "Défaut Capteur Température Moteur", "   en C.C GND",
        "Défaut Capteur Température Air", "   en C.C GND", "Défaut Tension Batterie",
        "   Tension trop faible"}},
      {5,
       0xC7,
       0x41,
       {"Défaut Injecteur", "   en C.C GND", "Défaut Bobine 1", "   Open or C.C.GND",
        "Défaut Bobine 2", "   Open or C.C.GND", "Défaut Pompe Essence", "   en C.C V.Bat.",
        "Défaut Relais Général", "   Open or C.C.GND"}},
      {1, 0x38, 0xFF, {}},  // bits 3 to 5 of the actuators have no text
      {6,
       0xFF,
       0x00,
       {"Défaut Paramètre Trimmer", "   Au Min", "Erreur Mémoire RAM", "Erreur Mémoire ROM",
        "Erreur Mémoire EEPROM", "Erreur Microprocesseur", "Défaut Capteur Tours"}},
      {2, 0x01, 0x01, {"Défaut Paramètre Trimmer", "   Au Max"}},
      // A kind byte that never came is not read as 0: the kind is shown as unknown.
      {0,
       0x03,
       std::nullopt,
       {"Défaut Capteur Papillon", "   ?", "Défaut Capteur de Pression", "   ?"}},
      {2, 0x03, std::nullopt, {"Défaut Paramètre Trimmer", "   ?", "Erreur Mémoire RAM"}},
      {3, 0xFF, 0xFF, {}},  // the status row has no fault table
      {7, 0xFF, 0xFF, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("row " + std::to_string(c.row) + " A " + ByteToHex(c.a));
    EXPECT_EQ(gestion_erreur1516(c.row, c.a, c.b, language), c.lines);
  }
}

TEST(FaultWindow1516Test, StatusByteGivesItsValueAndLines) {
  const struct {
    int s;
    const char* shown;
    Lines lines;
  } cases[] = {
      {0x48, "48", {"Moteur arrêté", "Papillon au maxi ou mini / TPS max or min"}},
      {0x0A, "A", {"Moteur en marche", "Papillon au maxi ou mini / TPS max or min"}},
      {0x00, "00", {"Moteur arrêté", "Papillon en position intermédiaire / TPS medium"}},
      {0x81,
       "81",
       {"Habilitation Stepper OK", "Moteur arrêté",
        "Papillon en position intermédiaire / TPS medium", "Test Stepper en action"}},
      {0x74, "74", {"Moteur arrêté", "Papillon en position intermédiaire / TPS medium"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ByteToHex(c.s));
    EXPECT_EQ(StatusValue1516(c.s), c.shown);
    EXPECT_EQ(StatusLines1516(c.s), c.lines);
  }
}

// ---- The window ---------------------------------------------------------------------------------

// The lines every row of test mode adds (A = B = 03), by row table.
const Lines kCannedSensors = {"Défaut Capteur Papillon", "   en C.C GND",
                              "Défaut Capteur de Pression", "   en C.C V.Bat."};
const Lines kCannedActuators = {"Défaut Injecteur", "   en C.C GND", "Défaut Bobine 1",
                                "   en C.C V.Bat."};
const Lines kCannedEcu = {"Défaut Paramètre Trimmer", "   Au Max", "Erreur Mémoire RAM"};

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(FaultWindow1516Test, TestModeReadShowsTheCannedFaultsAndStatus) {
  WindowBench b(Iaw16M, kByteProtocolBaud);
  b.link_.TestMode = true;
  ScreenModel window;
  FaultWindow1516 faults(window, b.Services());
  faults.Load(" - 1.0.0");

  EXPECT_EQ(faults.Read(), DiagnosticOutcome::kDone);
  EXPECT_EQ(RowValues(window),
            (std::vector<std::string>{"03", "03", "03", "48", "03", "03", "03"}));
  const Lines text =
      Join({{"Défauts Présents :"},
            kCannedSensors,
            kCannedActuators,
            kCannedEcu,
            {"Défauts RAM :"},
            kCannedSensors,
            kCannedActuators,
            kCannedEcu,
            {"", "Statuts", "Moteur arrêté", "Papillon au maxi ou mini / TPS max or min"}});
  EXPECT_EQ(window.Text(fe::Text1), Text(text));
  // The trace gets the headings (each after a line holding one space) and the fault lines.
  EXPECT_EQ(b.TraceLines(), Join({{" ", "Défauts Présents :"},
                                  kCannedSensors,
                                  kCannedActuators,
                                  kCannedEcu,
                                  {" ", "Défauts en RAM :"},
                                  kCannedSensors,
                                  kCannedActuators,
                                  kCannedEcu}));
  EXPECT_EQ(b.beeper_.beeps, 1);
  EXPECT_TRUE(b.WrittenBytes().empty());

  const FaultRead1516& result = faults.Result();
  ASSERT_EQ(result.rows.size(), 6u);
  EXPECT_EQ(result.rows[3].row, 4);
  EXPECT_EQ(result.rows[3].fault_bits, 0x03);
  EXPECT_EQ(result.rows[3].fault_kinds, 0x03);
  EXPECT_EQ(result.rows[3].lines, kCannedSensors);
  EXPECT_EQ(result.status, 0x48);
}

// One bench read: the ECU answers each request byte with its entry; a request it has no entry
// for, or an empty entry, meets silence.
struct BenchRead {
  const char* name;
  std::vector<std::pair<std::string, std::string>> answers;  // request, answer ("" silence)
  std::vector<std::string> requests;                         // what the tester sends, in order
  std::vector<std::string> rows;                             // rdef0 .. rdef6
  Lines text;                                                // Text1
  DiagnosticOutcome outcome;
  int beeps;
};

const std::string kIncomplete(kIncompleteRead.built_in);

TEST(FaultWindow1516Test, BenchReadsShowWhatTheEcuAnsweredAndNothingElse) {
  const BenchRead cases[] = {
      {"16M with faults in rows 0 and 5",
       {{"10", "21"},
        {"2B", "20"},
        {"11", "00"},
        {"12", "FF"},
        {"14", "00"},
        {"15", "41"},
        {"30", "01"},
        {"16", "00"},
        {"13", "0A"}},
       {"10", "2B", "11", "12", "14", "15", "30", "16", "13"},
       {"21", "RAS", "RAS", "A", "RAS", "41", "RAS"},
       {"Défauts Présents :", "Défaut Capteur Papillon", "   Open or V.Bat.",
        "Défaut Tension Batterie", "   Tension trop élevée", "Défauts RAM :", "Défaut Injecteur",
        "   en C.C GND", "Défaut Pompe Essence", "   Open or C.C.GND", "", "Statuts",
        "Moteur en marche", "Papillon au maxi ou mini / TPS max or min"},
       DiagnosticOutcome::kDone,
       1},
      {"a bit without text shows its byte and adds no line",
       {{"10", "04"},
        {"2B", "00"},
        {"11", "00"},
        {"12", "00"},
        {"14", "00"},
        {"15", "00"},
        {"16", "00"},
        {"13", "00"}},
       {"10", "2B", "11", "12", "14", "15", "16", "13"},
       {"04", "RAS", "RAS", "00", "RAS", "RAS", "RAS"},
       {"Défauts Présents :", "Défauts RAM :", "", "Statuts", "Moteur arrêté",
        "Papillon en position intermédiaire / TPS medium"},
       DiagnosticOutcome::kDone,
       1},
      // Silent from row 2 on: no kind request for a row that said nothing, the status is
      // unknown rather than "engine stopped", and the read ends with a warning, not the beep.
      {"ECU silent in the middle",
       {{"10", "01"}, {"2B", "01"}, {"11", "00"}},
       {"10", "2B", "11", "12", "14", "15", "16", "13"},
       {"01", "RAS", "Pas de réponse", "?", "Pas de réponse", "Pas de réponse", "Pas de réponse"},
       {"Défauts Présents :", "Défaut Capteur Papillon", "   en C.C GND", "Défauts RAM :", "",
        "Statuts", "Statut inconnu", kIncomplete},
       DiagnosticOutcome::kNoAnswer,
       0},
      {"a kind byte that never came",
       {{"10", "00"},
        {"11", "00"},
        {"12", "00"},
        {"14", "00"},
        {"15", "80"},
        {"30", ""},
        {"16", "00"},
        {"13", "48"}},
       {"10", "11", "12", "14", "15", "30", "16", "13"},
       {"RAS", "RAS", "RAS", "48", "RAS", "80", "RAS"},
       {"Défauts Présents :", "Défauts RAM :", "Défaut Relais Général", "   ?", "", "Statuts",
        "Moteur arrêté", "Papillon au maxi ou mini / TPS max or min", kIncomplete},
       DiagnosticOutcome::kNoAnswer,
       0},
      {"a status byte that never came",
       {{"10", "00"}, {"11", "00"}, {"12", "00"}, {"14", "00"}, {"15", "00"}, {"16", "00"}},
       {"10", "11", "12", "14", "15", "16", "13"},
       {"RAS", "RAS", "RAS", "?", "RAS", "RAS", "RAS"},
       {"Défauts Présents :", "Défauts RAM :", "", "Statuts", "Statut inconnu", kIncomplete},
       DiagnosticOutcome::kNoAnswer,
       0},
  };
  for (const BenchRead& c : cases) {
    SCOPED_TRACE(c.name);
    WindowBench b(Iaw16M, kByteProtocolBaud);
    for (const std::string& request : c.requests) {
      std::string answer;
      for (const auto& [asked, answered] : c.answers) {
        if (asked == request) answer = answered;
      }
      if (answer.empty()) {
        b.ecu_.Add(sim::EcuStep::Silence(request));
      } else {
        b.ecu_.Expect(request, answer);
      }
    }
    ScreenModel window;
    FaultWindow1516 faults(window, b.Services());
    faults.Load("");

    EXPECT_EQ(faults.Read(), c.outcome);
    EXPECT_EQ(b.WrittenBytes(), c.requests);
    EXPECT_EQ(RowValues(window), c.rows);
    EXPECT_EQ(window.Text(fe::Text1), Text(c.text));
    EXPECT_EQ(b.beeper_.beeps, c.beeps);
    EXPECT_EQ(b.ecu_.Mismatches(), 0);
    EXPECT_EQ(faults.Result().outcome, c.outcome);
    EXPECT_TRUE(window.Enabled(fe::cderreur));
    EXPECT_TRUE(window.Enabled(fe::cdarret));
  }
}

TEST(FaultWindow1516Test, MissingAnswersAreTracedAsAnIncompleteRead) {
  WindowBench b(Iaw16M, kByteProtocolBaud);
  b.ecu_.Add(sim::EcuStep::Silence());
  ScreenModel window;
  FaultWindow1516 faults(window, b.Services());
  faults.Load("");

  EXPECT_EQ(faults.Read(), DiagnosticOutcome::kNoAnswer);
  EXPECT_TRUE(b.Traced(kIncomplete));
  EXPECT_FALSE(faults.Result().status.has_value());
  EXPECT_EQ(faults.Result().status_lines, (Lines{"Statut inconnu"}));
}

// A second click while the read waits for an answer must not start a read inside the read.
TEST(FaultWindow1516Test, ButtonsAreGreyedDuringTheReadAndASecondClickDoesNothing) {
  WindowBench b(Iaw16M, kByteProtocolBaud);
  b.link_.TestMode = true;
  ScreenModel window;
  FaultWindow1516 faults(window, b.Services());
  faults.Load("");
  bool clicked = false;
  b.loop_.After(std::chrono::milliseconds(400), [&] {
    clicked = true;
    EXPECT_FALSE(window.Enabled(fe::cderreur));
    EXPECT_FALSE(window.Enabled(fe::cdarret));
    EXPECT_TRUE(faults.Reading());
    EXPECT_EQ(faults.Read(), DiagnosticOutcome::kCancelled);
  });

  EXPECT_EQ(faults.Read(), DiagnosticOutcome::kDone);
  EXPECT_TRUE(clicked);
  EXPECT_EQ(faults.Result().rows.size(), 6u);
  EXPECT_EQ(b.beeper_.beeps, 1);
  EXPECT_TRUE(window.Enabled(fe::cderreur));
  EXPECT_TRUE(window.Enabled(fe::cdarret));
  EXPECT_FALSE(faults.Reading());
}

TEST(FaultWindow1516Test, ClosingTheWindowEndsTheReadAtItsNextTurn) {
  WindowBench b(Iaw16M, kByteProtocolBaud);
  b.link_.TestMode = true;
  ScreenModel window;
  FaultWindow1516 faults(window, b.Services());
  faults.Load("");
  // Test mode answers after 0.15 s: the close comes during the second row's exchanges.
  b.loop_.After(std::chrono::milliseconds(400), [&] { faults.WindowClosed(); });

  EXPECT_EQ(faults.Read(), DiagnosticOutcome::kCancelled);
  EXPECT_EQ(faults.Result().rows.size(), 2u);
  EXPECT_EQ(b.beeper_.beeps, 0);
  EXPECT_TRUE(window.Enabled(fe::cderreur));
  EXPECT_TRUE(window.Enabled(fe::cdarret));
}

TEST(FaultWindow1516Test, LoadNamesTheRowsAndOffersTheCommandsHalf) {
  WindowBench b(Iaw16M, kByteProtocolBaud);
  b.UseTexts({{318, "Failures"}, {319, "Sensors"}, {305, "Read"}, {355, "Throttle sensor"}});
  ScreenModel window;
  FaultWindow1516 faults(window, b.Services());
  faults.Load(" - 2.1.0");

  EXPECT_EQ(window.Text(fe::kWindow), "Failures - 2.1.0");
  const std::vector<std::string> names = {"Sensors",  "Commandes", "Défaut", "Statut Moteur",
                                          "Capteurs", "Commandes", "Défaut"};
  for (std::size_t k = 0; k < fe::kRows; ++k) {
    EXPECT_EQ(window.Text(fe::ldef[k]), names[k]);
    EXPECT_EQ(window.Text(fe::rdef[k]), " ");
  }
  EXPECT_EQ(window.Text(fe::cderreur), "Read");
  EXPECT_EQ(window.Text(fe::cdarret), "Fermer / Close");
  EXPECT_EQ(window.Text(fe::frpresent), "Erreur(s) présente(s) / Failure(s) now");
  EXPECT_EQ(window.Text(fe::cddiag[0]), "Effacement mémoire");
  EXPECT_TRUE(window.Enabled(fe::cderreur));
  // The 16M has the clearing and the tests of the right half.
  EXPECT_TRUE(window.Enabled(fe::Frdiag2));
  EXPECT_TRUE(window.Enabled(fe::cdarret));
  EXPECT_TRUE(window.Enabled(fe::frcde));
  EXPECT_TRUE(window.Enabled(fe::frdialogue));
  for (std::string_view command : fe::cddiag) EXPECT_TRUE(window.Enabled(command));
  EXPECT_EQ(gestion_erreur1516(0, 0x01, 0x01, b.language_),
            (Lines{"Throttle sensor", "   en C.C GND"}));

  faults.ShowWaitingForMeasurements();
  EXPECT_EQ(RowValues(window), (std::vector<std::string>{"Attente de l'arrêt des mesures",
                                                         "Recliquer sur Lecture / Try again", " ",
                                                         " ", " ", " ", " "}));
  EXPECT_EQ(window.Text(fe::ldef[0]), " ");
}

// The P8 has no commands: cdarret stays usable, the two command frames are greyed.
TEST(FaultWindow1516Test, TheP8HasNoCommands) {
  WindowBench b(IawP8, kByteProtocolBaud);
  ScreenModel window;
  FaultWindow1516 faults(window, b.Services());
  faults.Load("");
  EXPECT_TRUE(window.Enabled(fe::cdarret));
  EXPECT_FALSE(window.Enabled(fe::frcde));
  EXPECT_FALSE(window.Enabled(fe::frdialogue));
  for (std::string_view command : fe::cddiag) EXPECT_FALSE(window.Enabled(command));
}

}  // namespace
}  // namespace velkor
