#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/screen_model.hpp"
#include "diagnostics/actuator_runner.hpp"
#include "diagnostics/diagnostics_services.hpp"

namespace velkor {

// The commands of frmerreur (cddiag0..6): the fault-memory clearing and six actuator tests of
// the 15M, 16M and 15RC through the ECU's one-byte diagnostic mode. P8 has none.
struct DiagCommand1516 {
  std::string_view cli_name;  // velkor-cli test <name>; "" for the clearing
  std::string_view title;     // frdialogue's caption while it runs
  int bytes[3];               // command byte for EcuType 0 (16M), 1 (15M), 2 (15RC)
};
inline constexpr int kDiagCommandCount = 7;
extern const DiagCommand1516 kDiagCommands1516[kDiagCommandCount];
// The command byte of `index` for `ecu_type`; nothing for P8 or an unknown family.
std::optional<int> DiagCommandByte(int ecu_type, int index);

inline constexpr int kEnterDiagMode = 0xAA;
inline constexpr int kLeaveDiagMode = 0xFF;
inline constexpr int kEndOk = 0xFF;
inline constexpr int kEndFailed = 0xEE;
inline constexpr int kDiagStepTimeoutMs = 5000;
inline constexpr int kEndByteTimeoutMs = 32000;

enum class DiagModeOutcome {
  kNone,
  kOk,           // end byte FF (the clearing: its answer FF)
  kFailed,       // end byte EE: "Fin incorrecte"
  kNoEnd,        // no end byte, or another byte
  kNotEntered,   // AA not echoed: the ECU stayed in normal mode, nothing more was sent
  kInterlocked,  // the engine runs or its state is unknown: nothing was sent after the check
  kInterrupted,  // the window or the program closed during the command
};

// One command of frmerreur's right half, on its window's model. The session lends the link for
// Run (measurements stopped, main window greyed, busy pointer). After an accepted AA the command
// always ends with FF, whatever came before, so that the ECU never stays in diagnostic mode.
class DiagModeRunner {
 public:
  // `window` (frmerreur) must outlive this object.
  DiagModeRunner(ScreenModel& window, DiagnosticsServices services);

  // Every dialogue label blank (the start of a command).
  void ClearDialogue();
  // The measurements were still running: the two "click again" texts (326, 327).
  void ShowWaitingForMeasurements();
  // Runs command `index` (0 clearing, 1-6 tests) to its end.
  DiagModeOutcome Run(int index);
  // The window or the program closes: a wait for the end byte is cut short (the exchange's
  // ReplyTimeout raised) and FF follows at once; any other step ends after its exchange.
  void Interrupt();
  bool Running() const { return running_; }
  const std::string& LastMessage() const { return message_; }

 private:
  std::string Text(const LanguageText& text) const;
  std::optional<int> Ask(int byte, int canned, int timeout_ms);
  // FF after an AA whose echo did not come right: the ECU may have entered the mode all the same.
  void LeaveToBeSure();
  void SetControls(bool enabled);

  ScreenModel& window_;
  DiagnosticsServices services_;
  bool running_ = false;
  bool interrupted_ = false;
  bool waiting_end_ = false;
  std::string message_;
};

}  // namespace velkor
