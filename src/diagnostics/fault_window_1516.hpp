#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/language.hpp"
#include "core/screen_model.hpp"
#include "diagnostics/diagnostics_services.hpp"

namespace velkor {

// Control names of the 15M/16M fault window (the widgets' objectName). The window title is the
// control named after the window. Control arrays are named with their index: ldef0 .. ldef6.
namespace frmerreur {
inline constexpr std::string_view kWindow = "frmerreur";
// Left half: the fault read.
inline constexpr std::string_view Frdiag1 = "Frdiag1";
inline constexpr std::string_view frpresent = "frpresent", frmem = "frmem";
inline constexpr std::size_t kRows = 7;
// Row names and values; row kStatusRow is the engine status.
inline constexpr std::string_view ldef[kRows] = {"ldef0", "ldef1", "ldef2", "ldef3",
                                                 "ldef4", "ldef5", "ldef6"};
inline constexpr std::size_t kStatusRow = 3;
inline constexpr std::string_view rdef[kRows] = {"rdef0", "rdef1", "rdef2", "rdef3",
                                                 "rdef4", "rdef5", "rdef6"};
inline constexpr std::string_view Text1 = "Text1";
inline constexpr std::string_view cderreur = "cderreur";
// Right half: memory clearing and the actuator tests (DiagModeRunner).
inline constexpr std::string_view Frdiag2 = "Frdiag2";
inline constexpr std::string_view frcde = "frcde";
inline constexpr std::size_t kCommands = 7;
inline constexpr std::string_view cddiag[kCommands] = {"cddiag0", "cddiag1", "cddiag2", "cddiag3",
                                                       "cddiag4", "cddiag5", "cddiag6"};
inline constexpr std::string_view frdialogue = "frdialogue";
inline constexpr std::size_t kDialogueSteps = 4;
inline constexpr std::string_view lenvoie[kDialogueSteps] = {"lenvoie0", "lenvoie1", "lenvoie2",
                                                             "lenvoie3"};
inline constexpr std::string_view lrecu[kDialogueSteps] = {"lrecu0", "lrecu1", "lrecu2", "lrecu3"};
inline constexpr std::string_view cdarret = "cdarret";
}  // namespace frmerreur

// ---- The fault read -----------------------------------------------------------------------------

// Every request is one byte sent as it stands and answered by one byte.
inline constexpr int kFaultReadTimeoutMs = 100;
// Row i's fault bits answer request 10 + i, its fault kinds request 2B + i.
inline constexpr int kFaultBitsRequest = 0x10;
inline constexpr int kFaultKindsRequest = 0x2B;
// Row 3 (frmerreur::kStatusRow) is the engine status, request 13.
inline constexpr int kStatusRequest1516 = 0x13;
// The fault rows in the order they are read: present (0 to 2), then stored (4 to 6).
inline constexpr int kFaultRows[] = {0, 1, 2, 4, 5, 6};
// What test mode answers: faults 03 of both kinds 03 in every row, engine stopped with the
// throttle at a stop.
inline constexpr std::string_view kFaultCanned = "03";
inline constexpr std::string_view kStatusCanned = "48";

// Texts of the read, numbered by this program (the older window left them without a number).
// The fault lines and kind lines come from the language files under their own numbers.
inline constexpr LanguageText kPresentHeading{863, "Défauts Présents :"};
inline constexpr LanguageText kMemorisedHeading{864, "Défauts RAM :"};
inline constexpr LanguageText kStatusHeading{865, "Statuts"};
inline constexpr LanguageText kNoFault{866, "RAS"};
// A row whose fault bits the ECU did not give.
inline constexpr LanguageText kRowNoAnswer{867, "Pas de réponse"};
// Under a fault line whose kind byte the ECU did not give.
inline constexpr std::string_view kKindUnknown = "   ?";
// rdef3 and the status block when the ECU did not give the status byte.
inline constexpr std::string_view kStatusValueUnknown = "?";
inline constexpr LanguageText kStatusUnknown{868, "Statut inconnu"};
// The last line of Text1 (and a trace line) after a read that missed an answer, in place of the
// beep that ends a whole read.
inline constexpr LanguageText kIncompleteRead{
    869,
    "Lecture incomplète : l'ECU n'a pas répondu à toutes les demandes / Incomplete read: the ECU "
    "did not answer every request"};
// The read refused while the measurements have not stopped yet.
inline constexpr LanguageText kWaitingForMeasurements{870, "Attente de l'arrêt des mesures"};
inline constexpr LanguageText kClickAgain{871, "Recliquer sur Lecture / Try again"};
// The engine status lines.
inline constexpr LanguageText kStepperEnabled{872, "Habilitation Stepper OK"};
inline constexpr LanguageText kEngineRunning{873, "Moteur en marche"};
inline constexpr LanguageText kEngineStopped{874, "Moteur arrêté"};
inline constexpr LanguageText kThrottleAtStop{875, "Papillon au maxi ou mini / TPS max or min"};
inline constexpr LanguageText kThrottleBetween{876,
                                               "Papillon en position intermédiaire / TPS medium"};
inline constexpr LanguageText kStepperTest{877, "Test Stepper en action"};

// The lines of fault row i (0, 1, 2, 4, 5 or 6) for fault bits a and fault kinds b, in the
// order of the row's table: each fault set in a, followed for the rows that have kinds by its
// kind line chosen by the same bit of b, or kKindUnknown when b is not known. Other rows give
// nothing.
std::vector<std::string> gestion_erreur1516(int i, int a, std::optional<int> b,
                                            const Language& language);

// The status lines of status byte s: stepper enabled (bit 0), engine running or stopped (bit 1),
// throttle at a stop or in between (bit 3), stepper test running (bit 7); in `language` when
// given, the built-in texts otherwise.
std::vector<std::string> StatusLines1516(int s, const Language* language = nullptr);
// s as rdef3 shows it: hex digits without a leading zero, "00" for 0 (0A gives "A").
std::string StatusValue1516(int s);

struct FaultRow1516 {
  int row = 0;
  std::optional<int> fault_bits;   // A, when answered
  std::optional<int> fault_kinds;  // B, when asked for and answered
  std::string shown;               // what rdef(row) shows
  std::vector<std::string> lines;  // fault lines and kind lines, in order
};

// What one read found, for velkor-cli.
struct FaultRead1516 {
  std::vector<FaultRow1516> rows;  // in the order of kFaultRows
  std::optional<int> status;
  std::string status_shown;               // rdef3
  std::vector<std::string> status_lines;  // kStatusUnknown alone when the status is missing
  // kDone: every answer came; kNoAnswer: at least one did not (what is shown says which);
  // kCancelled: the window or the program closed during the read, or a read was running.
  DiagnosticOutcome outcome = DiagnosticOutcome::kDone;
};

// The left half of the 15M/16M fault window: the read of the fault memory (cderreur). The
// session lends it the link for Read. The right half (memory clearing and the actuator tests)
// is DiagModeRunner's.
class FaultWindow1516 {
 public:
  // `window` must outlive this object.
  FaultWindow1516(ScreenModel& window, DiagnosticsServices services);

  // Every row blank, then the row names and the captions; the window title is followed by
  // `version_suffix`.
  void Load(std::string_view version_suffix);

  // The read was refused because the measurements are still running: every row blank, rdef0
  // and rdef1 tell the user to click again.
  void ShowWaitingForMeasurements();

  // cderreur: reads the six fault rows and the engine status, shows them and writes the fault
  // lines to Text1 and the trace. cderreur and cdarret are greyed while it runs; a call while a
  // read runs does nothing (kCancelled). A whole read ends with the beep, one that missed an
  // answer with kIncompleteRead.
  DiagnosticOutcome Read();

  // The window is closing: a read under way ends at its next turn.
  void WindowClosed() { closed_ = true; }
  bool Reading() const { return reading_; }

  const FaultRead1516& Result() const { return result_; }

 private:
  std::optional<int> Ask(int request, std::string_view canned);
  void Append(std::string_view text);
  void Trace(std::string_view line);
  bool Interrupted() const { return closed_ || services_.link.Closing; }

  ScreenModel& window_;
  DiagnosticsServices services_;
  FaultRead1516 result_;
  std::string text_;  // Text1
  bool reading_ = false;
  bool closed_ = false;
};

}  // namespace velkor
