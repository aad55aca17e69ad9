#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/language_texts.hpp"
#include "core/screen_model.hpp"
#include "diagnostics/diagnostics_services.hpp"
#include "diagnostics/fault_replies.hpp"

namespace velkor {

// Control names of the fault window of the 59M/5AM and EOBD families (the widgets' objectName).
// The window title is the control named after the window. Option arrays are name + index
// (Cause0..Cause3, Memo0..Memo3).
namespace FrmDTC59 {
inline constexpr std::string_view kWindow = "FrmDTC59";
// The fault list.
inline constexpr std::string_view FrameVisuErreur = "FrameVisuErreur",
                                  ButtonPrevious = "ButtonPrevious", ButtonNext = "ButtonNext",
                                  HScrollError = "HScrollError", LabelNbErr = "LabelNbErr",
                                  LabelTextError = "LabelTextError", LabelNbCycle = "LabelNbCycle",
                                  Label5 = "Label5", Label3 = "Label3", Shape1 = "Shape1";
inline constexpr std::string_view FrameCause = "FrameCause", Cause0 = "Cause0", Cause1 = "Cause1",
                                  Cause2 = "Cause2", Cause3 = "Cause3";
inline constexpr std::string_view FrameMemorisation = "FrameMemorisation", Memo0 = "Memo0",
                                  Memo1 = "Memo1", Memo2 = "Memo2", Memo3 = "Memo3";
inline constexpr std::string_view CleanError = "CleanError", ButtonClose = "ButtonClose";
// Links to the two fault-code reference pages.
inline constexpr std::string_view Label2 = "Label2", Label4 = "Label4";
// The actuator test and service area of the same window.
inline constexpr std::string_view FrameTestActif = "FrameTestActif", Label1 = "Label1",
                                  ComboChoixTest = "ComboChoixTest", CdeStartTest = "CdeStartTest",
                                  LDescription = "LDescription", ProgressBar1 = "ProgressBar1",
                                  LMin = "LMin", LMax = "LMax";
inline constexpr std::string_view frResetM5 = "frResetM5", cdresetTPS = "cdresetTPS",
                                  cdService = "cdService";
inline constexpr std::string_view frConfirm = "frConfirm", cdConfirmer1 = "cdConfirmer1",
                                  cdConfirmer2 = "cdConfirmer2", lbCaution = "lbCaution";

inline constexpr std::string_view kCause[4] = {Cause0, Cause1, Cause2, Cause3};
inline constexpr std::string_view kMemo[4] = {Memo0, Memo1, Memo2, Memo3};
}  // namespace FrmDTC59

// Texts of this window that the older window did not have, numbered after its own (501-582).
namespace texts59 {
// LabelNbErr when the ECU said nothing to the read, and the status of a code whose status
// answer never came (or came for another code, or was a refusal).
inline constexpr LanguageText kNoEcuAnswer{583, "Pas de réponse de l'ECU"};
inline constexpr LanguageText kClearQuestion{584, "Effacer toutes les erreurs mémorisées ?"};
// Followed by the ECU's reason ("condition not correct").
inline constexpr LanguageText kClearRefused{585, "Effacement refusé par l'ECU : "};
inline constexpr LanguageText kReadRefused{586, "Lecture refusée par l'ECU : "};
// LabelNbErr when the ECU counts codes that its answer does not hold.
inline constexpr LanguageText kCodesMissing{588, "Codes annoncés par l'ECU mais non reçus"};
// What an EOBD code shows for its cause and memorisation: the protocol has no status per code.
inline constexpr LanguageText kNotInEobd{587, "Non disponible en EOBD"};
// The frames' captions for EOBD codes (the option captions 574-577 and 579-582 keep theirs
// unless the language file has texts for them).
inline constexpr LanguageText kEobdCauseFrame{573, "Cause : non disponible en EOBD"};
inline constexpr LanguageText kEobdMemoFrame{578, "Mémorisation : non disponible en EOBD"};
}  // namespace texts59

// One stored code as the read found it: what velkor-cli prints, one line per code.
struct StoredFault {
  std::string code;        // as shown: "P0122", "U1600"
  std::string short_text;  // from the language files; "" when they have none
  std::string long_text;
  std::string cause;          // the caption of the cause shown; "" for none
  std::string memorisation;   // the caption shown; texts59::kNoEcuAnswer when not known
  std::optional<bool> lamp;   // the dashboard lamp; nothing when not known
  std::string cycles;         // cycles without the fault seen ("63", " - ")
  std::optional<int> status;  // the status byte (59M/5AM), nothing when not known
};

// The logic of FrmDTC59, the stored trouble codes of the 59M/5AM (EcuType 4, KWP2000 services
// 18, 17 and 14) and of EOBD engines (EcuType 5, OBD modes 01, 03 and 04): reads them, shows
// one at a time in the window's model, clears them. The session calls it under a link lease;
// it never touches the keep-alive or the measurement flags.
//
//   Load() --codes--> showing code k (1..NbDefauts) --Next/Previous/scroll--> showing code k'
//     |                   |
//     +--no code/no answer--> empty list          CleanError() --asks, clears, 54/44--> Load()
class FaultWindow59 {
 public:
  // Applies the design texts to `window`, which must outlive this object. `version_suffix`
  // follows the window title (" - 1.2.3").
  FaultWindow59(ScreenModel& window, DiagnosticsServices services, std::string version_suffix = {});

  // The loading sequence's fault steps: captions in the current language, then the read of
  // the family (4: the code list and each code's status; 5: the count and lamp, then the
  // codes; any other family reads nothing), then code 1 shown. kNoAnswer when the ECU said
  // nothing to a request (the window says so), kRefused when it refused the read.
  DiagnosticOutcome Load();

  // Shows code k (1-based); nothing for a k outside the list.
  void DecodeErreur(int k);
  // HScrollError moved to `value`.
  void ScrollChanged(int value);
  void ButtonNext();
  void ButtonPrevious();

  // CleanError ("Supprimer Erreurs"): asks first; clears on OK, then reads the list again.
  // kCancelled: nothing sent. kRefused: the ECU's reason shown, the list kept. kNoAnswer: the
  // ECU said nothing, the list kept.
  DiagnosticOutcome CleanError();

  // ButtonClose or the window closed: the 59M/5AM gets its idle line before whatever the
  // session sends next. The widget saves the window's place.
  void Close();

  const std::vector<StoredFault>& Faults() const { return faults_; }
  int NbDefauts() const { return static_cast<int>(faults_.size()); }
  int IndexDefaut() const { return index_; }
  // EOBD: how the read reached the ECU's answers (CAN only when the adapter said so).
  ObdLink LastObdLink() const { return obd_link_; }

 private:
  void ApplyDesign();
  void ApplyCaptions();
  void ShowEmpty(const std::string& why);
  void ClearOptions();
  void UpdateButtons();
  void ShowList();
  DiagnosticOutcome ReadM59();
  DiagnosticOutcome ReadEobd();
  DiagnosticOutcome ClearM59();
  DiagnosticOutcome ClearEobd();
  std::string Text(const LanguageText& text) const;
  StoredFault MakeFault(int high, int low) const;
  // The answer's text as the decoders take it (an adapter's hex lines for the 59M/5AM).
  HexMessage KwpAnswer(const HexMessage& answer) const;
  bool OverElm() const;
  ObdLink FindObdLink();
  void TraceAnswer(std::string_view request, const std::string& answer);

  ScreenModel& window_;
  DiagnosticsServices services_;
  std::string version_suffix_;
  std::vector<StoredFault> faults_;
  int index_ = 0;
  bool eobd_shown_ = false;  // the list on show came from an EOBD read
  ObdLink obd_link_ = ObdLink::kKLine;
};

}  // namespace velkor
