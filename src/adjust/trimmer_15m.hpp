#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "adjust/trimmer_15m_controls.hpp"
#include "config/language_texts.hpp"
#include "core/screen_model.hpp"
#include "diagnostics/diagnostics_services.hpp"
#include "livedata/measurement_flags.hpp"

namespace velkor {

// A hold on the link (the session's lease): while it lives the main cycle cannot start, the
// keep-alive and the session commands are stopped; its end gives them back.
class LinkHandle {
 public:
  virtual ~LinkHandle() = default;
};

// What a window's widget does for its logic; without a display both are empty.
struct AdjustWindowView {
  std::function<void()> show;   // shows the window, placed where it was last
  std::function<void()> close;  // hides it, keeping its place
};

struct Trimmer15Services {
  DiagnosticsServices diagnostics;  // exchange, link, clock, loop, trace, language, dialogs
  MeasurementFlags& flags;          // StopRequest, MeasurementIdle, shared with the main cycle
  // The link for as long as the window is open; null when it cannot be had now (the main
  // cycle runs: it has been asked to stop; another window holds the link).
  std::function<std::unique_ptr<LinkHandle>()> take_link;
};

// The 15M/15RC trimmer window (frmTrimmer15). The ECU's trimmer mode is entered with the engine
// stopped (AA, then 8D); every byte sent afterwards is taken as the new trimmer value and
// echoed; two FF bytes store the value and leave the mode. The window holds the link from its
// opening to its closing, so the main cycle never runs while the ECU is in trimmer mode; its own
// small loop (Cycle15M: 01, 02, 09, 0A, 0F) runs only while no adjustment goes on.
//
//   idle --Mesures--> measuring --Stop / exit--> idle
//   idle --Run: 0F read, engine stopped (13), AA and 8D echoed--> trimmer mode
//   idle --Run: 8D refused--> FF (diagnostic mode left) --> idle, buttons back
//   trimmer mode --Trim +/- 1: one byte 01..FE, accepted only when echoed--> trimmer mode
//   trimmer mode --Save: FF, FF, 0F read back--> idle ("stored" only when it equals the value)
//   trimmer mode --Exit, window closed, program closing: the original byte, FF, FF,
//                  0F read back--> idle, closed
//
// Leaving the mode always goes through the store (FF FF): the ECU has no other way out but the
// ignition. So an exit first sends the original value back, and the store keeps it: the ECU
// ends in its normal mode holding the value it had before Run.
class Trimmer15 {
 public:
  static constexpr int kMinimumRaw = 0x01;
  static constexpr int kMaximumRaw = 0xFE;  // FF is the store command, never a value
  static constexpr int kLoopModulo = 10000;
  static constexpr double kBeforeTrimmerMode = 1.0;
  static constexpr double kAfterStep = 0.3;
  static constexpr double kBetweenStores = 0.5;
  static constexpr double kAfterStore = 0.2;
  // Status disc colours (0xBBGGRR).
  static constexpr int kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kYellow = 0x00FFFF;

  static constexpr LanguageText kEngineStopped{328, "Le moteur doit être arrété"};
  static constexpr LanguageText kEngineUnknown{964,
                                               "Etat du moteur inconnu : pas de réponse de l'ECU"};
  static constexpr LanguageText kNoTrimmer{963, "Pas de réponse de l'ECU : trimmer inconnu"};
  static constexpr LanguageText kNoDiagnosticMode{965, "L'ECU n'est pas entré en mode diagnostic"};
  static constexpr LanguageText kLimit{955, "Limite du trimmer atteinte"};
  static constexpr LanguageText kNoEcho{956, "Pas d'écho de l'ECU : la valeur reste "};
  static constexpr LanguageText kStored{957, "Valeur mémorisée : "};
  static constexpr LanguageText kNotStored{958, "Mémorisation non confirmée, l'ECU lit : "};
  static constexpr LanguageText kRestored{959, "Valeur d'origine rétablie : "};
  static constexpr LanguageText kNotRestored{960, "Retour non confirmé, l'ECU lit : "};
  static constexpr LanguageText kOutOfRange{966, "Trimmer hors plage, mode trimmer refusé : "};

  Trimmer15(ScreenModel& model, Trimmer15Services services);
  ~Trimmer15();
  Trimmer15(const Trimmer15&) = delete;
  Trimmer15& operator=(const Trimmer15&) = delete;

  void SetView(AdjustWindowView view) { view_ = std::move(view); }

  // cdTrimer15, mnTrim15M (F8): takes the link and shows the window. False when the link cannot
  // be had now (the measurements are asked to stop; the user opens it again once they have).
  bool Open();
  void PressMesures();        // cdMesures
  void PressRun();            // cdAA
  void PressTrim(int index);  // cdTrim(0) "Trim + 1", cdTrim(1) "Trim - 1"
  void PressSave();           // cdSave
  // cdFin, the window closed, the program closing: leaves the trimmer mode with the original
  // value and gives the link back (at once, or when the exchange or loop under way returns).
  void PressExit();

  bool IsOpen() const { return open_; }
  bool Measuring() const { return looping_; }
  bool InTrimmerMode() const { return mode_ == Mode::kTrimmer; }
  // The raw trimmer as last confirmed by the ECU (shown as raw - 128), and as found at Run.
  std::optional<int> Raw() const { return raw_; }
  std::optional<int> Original() const { return original_; }

 private:
  enum class Mode { kNormal, kDiagnostic, kTrimmer };

  void ApplyDesign();
  void Cycle15M();
  void ReadMeasures();
  void Run();
  void Trim(int index);
  void Save();
  // Leaves the diagnostic or trimmer mode (see the class comment).
  void Leave();
  void FinishExit();
  // FF, FF, then the trimmer read back.
  std::optional<int> StoreAndReadBack();
  std::optional<int> ReadByte(int request, std::string_view canned, int timeout_ms);
  bool SendEchoed(int byte, int timeout_ms);
  void ShowTrimmer(std::optional<int> raw);
  void ButtonsIdle();
  void Status(const std::string& text) { model_.SetText(frmTrimmer15::lbTrimStaut, text); }
  std::string Text(const LanguageText& text) const;
  std::string Shown(std::optional<int> raw) const;

  ScreenModel& model_;
  Trimmer15Services s_;
  AdjustWindowView view_;
  std::unique_ptr<LinkHandle> hold_;
  Mode mode_ = Mode::kNormal;
  std::optional<int> raw_;
  std::optional<int> original_;
  bool sent_value_ = false;  // a value byte went out in this trimmer mode
  int high_ = 0;             // the rotation period's last good high byte
  int rpm_ = 0;
  int turns_ = 0;
  bool open_ = false;
  bool looping_ = false;
  bool busy_ = false;
  bool closing_ = false;
};

}  // namespace velkor
