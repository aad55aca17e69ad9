#include "diagnostics/diag_mode_runner.hpp"

#include "core/ecu_family.hpp"
#include "core/hex_message.hpp"
#include "diagnostics/engine_state.hpp"
#include "diagnostics/fault_window_1516.hpp"

namespace velkor {

const DiagCommand1516 kDiagCommands1516[kDiagCommandCount] = {
    {"", "Effacement mémoire/Clear memory", {0x84, 0x83, 0x83}},
    {"rev-counter", "Test compte tour à 3750tr/mn RMP", {0x86, 0x85, 0x85}},
    {"fuel-pump", "Test Pompe (30s)", {0x80, 0x80, 0x80}},
    {"coil-1", "Test Bobine Horizontale / Coil", {0x82, 0x81, 0x81}},
    {"coil-2", "Test Bobine Verticale / Coil", {0x83, 0x82, 0x82}},
    {"injector-1", "Test Injecteur 1", {0x81, 0x86, 0x86}},
    {"injector-2", "Test Injecteur 2", {0x87, 0x87, 0x87}},
};

std::optional<int> DiagCommandByte(int ecu_type, int index) {
  if (index < 0 || index >= kDiagCommandCount) return std::nullopt;
  if (ecu_type != Iaw16M && ecu_type != Iaw15M && ecu_type != Iaw15RC) return std::nullopt;
  return kDiagCommands1516[index].bytes[ecu_type];
}

namespace {

namespace fe = frmerreur;

constexpr std::string_view kBlank = " ";
constexpr LanguageText kWaitingCommand{326, "Attente de l'arrêt des mesures"};
constexpr LanguageText kClickAgainCommand{327, "Recliquer sur la commande  "};
constexpr LanguageText kEngineRunningCommand{328, "Le moteur doit être arrété"};
constexpr LanguageText kInitialising{329, "Initialisation du test"};
constexpr LanguageText kDiagMode{330, "Mode Diag"};
constexpr LanguageText kReady{331, "Prêt"};
constexpr LanguageText kCommandSent{332, "Commande lancée"};
constexpr LanguageText kTestRunning{333, "Test en cours"};
constexpr LanguageText kBadEnd{334, "Fin incorrecte"};
constexpr LanguageText kTestFailed1516{335, "Test échoué"};
constexpr LanguageText kTestOk1516{336, "Test OK"};
constexpr LanguageText kLeaving{337, "Fin du mode diag"};
constexpr LanguageText kConfirmed{338, "Confirmé"};
constexpr LanguageText kDone{339, ": Terminé"};
constexpr std::string_view kCautionTitle = "Attention/Caution";
constexpr double kStepGap = 0.2;

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

}  // namespace

DiagModeRunner::DiagModeRunner(ScreenModel& window, DiagnosticsServices services)
    : window_(window), services_(services) {}

std::string DiagModeRunner::Text(const LanguageText& text) const {
  return services_.language.LookupText(text);
}

void DiagModeRunner::LeaveToBeSure() {
  services_.clock.Pause(kStepGap);
  const SendDespiteClosing send(services_.link);
  Ask(kLeaveDiagMode, kLeaveDiagMode, kDiagStepTimeoutMs);
}

void DiagModeRunner::ClearDialogue() {
  for (std::size_t k = 0; k < fe::kDialogueSteps; ++k) {
    window_.SetText(fe::lenvoie[k], std::string(kBlank));
    window_.SetText(fe::lrecu[k], std::string(kBlank));
  }
}

void DiagModeRunner::ShowWaitingForMeasurements() {
  ClearDialogue();
  window_.SetText(fe::lrecu[0], Text(kWaitingCommand));
  window_.SetText(fe::lrecu[1], Text(kClickAgainCommand));
}

std::optional<int> DiagModeRunner::Ask(int byte, int canned, int timeout_ms) {
  const std::string request = byte < 0 ? std::string() : ByteToHex(byte);
  const std::string answer =
      services_.exchange.SendReceive(request, ByteToHex(canned), 1, timeout_ms);
  services_.trace.WriteTrace("Diag " + (request.empty() ? std::string("--") : request) + " : " +
                                 (answer.empty() ? std::string("--") : answer),
                             true);
  if (answer.size() != 2 || !IsHexDigit(answer[0]) || !IsHexDigit(answer[1])) return std::nullopt;
  return HexToByte(answer);
}

void DiagModeRunner::SetControls(bool enabled) {
  window_.SetEnabled(fe::frcde, enabled);
  for (std::string_view command : fe::cddiag) window_.SetEnabled(command, enabled);
  window_.SetEnabled(fe::cderreur, enabled);
  window_.SetEnabled(fe::cdarret, enabled);
}

void DiagModeRunner::Interrupt() {
  if (!running_) return;
  interrupted_ = true;
  // Only the long wait for the end byte is cut short: every other step ends within 5 s, and an
  // AA whose echo was cut off would leave it unknown whether the ECU entered the mode.
  if (waiting_end_) services_.link.ReplyTimeout = true;
}

DiagModeOutcome DiagModeRunner::Run(int index) {
  const std::optional<int> command = DiagCommandByte(services_.link.EcuType, index);
  if (!command || running_) return DiagModeOutcome::kNone;
  running_ = true;
  interrupted_ = false;
  message_.clear();
  struct Restore {
    DiagModeRunner& self;
    ~Restore() {
      self.SetControls(true);
      self.running_ = false;
      self.waiting_end_ = false;
    }
  } restore{*this};

  ClearDialogue();
  window_.SetText(fe::frdialogue, Text(kInitialising));
  SetControls(false);

  const EngineRun run = ReadEngineRun(services_);
  if (run != EngineRun::kStopped) {
    message_ = EngineRefusalText(run, kEngineRunningCommand, services_.language);
    services_.dialogs.Message(message_, std::string(kCautionTitle), Dialogs::Icon::kWarning);
    return DiagModeOutcome::kInterlocked;
  }
  if (interrupted_) return DiagModeOutcome::kInterrupted;

  const std::optional<int> entered = Ask(kEnterDiagMode, kEnterDiagMode, kDiagStepTimeoutMs);
  window_.SetText(fe::lenvoie[0], Text(kDiagMode));
  services_.beeper.Beep();
  if (entered != kEnterDiagMode) {
    // No command is sent. But an echo lost on the line does not mean the ECU stayed in its
    // normal mode: FF, which it ignores there, makes sure it is not left in diagnostic mode.
    message_ = Text(kDiagMode);
    LeaveToBeSure();
    return DiagModeOutcome::kNotEntered;
  }

  // From here on the ECU is in diagnostic mode: every way out leaves it with FF.
  DiagModeOutcome outcome = DiagModeOutcome::kInterrupted;
  std::string step3 = Text(texts_test::kTestInterrupted);
  if (!interrupted_) {
    window_.SetText(fe::lrecu[0], Text(kReady));
    services_.beeper.Beep();
    window_.SetText(fe::frdialogue, std::string(kDiagCommands1516[index].title));
    services_.clock.Pause(kStepGap);
    services_.beeper.Beep();
    const std::optional<int> answer = Ask(*command, *command, kDiagStepTimeoutMs);
    window_.SetText(fe::lenvoie[1], Text(kCommandSent));
    window_.SetText(fe::lrecu[1], Text(kTestRunning));
    services_.beeper.Beep();

    std::optional<int> end;
    bool asked = true;
    if (index == 0) {
      end = answer;  // the clearing's answer is its end byte
    } else if (answer != *command) {
      asked = false;
      step3 = Text(texts_test::kCommandNotEchoed);
      outcome = DiagModeOutcome::kNoEnd;
    } else if (!interrupted_) {
      waiting_end_ = true;
      end = Ask(-1, kEndOk, kEndByteTimeoutMs);
      waiting_end_ = false;
    } else {
      asked = false;
    }
    if (asked && interrupted_ && !end) {
      outcome = DiagModeOutcome::kInterrupted;
    } else if (asked) {
      window_.SetText(fe::lrecu[2], Text(texts_test::kTestEnded));
      if (end == kEndFailed) {
        services_.dialogs.Message(Text(kBadEnd), std::string(kCautionTitle),
                                  Dialogs::Icon::kWarning);
        step3 = Text(kTestFailed1516);
        outcome = DiagModeOutcome::kFailed;
      } else if (end == kEndOk) {
        step3 = Text(kTestOk1516);
        outcome = DiagModeOutcome::kOk;
      } else if (!end) {
        step3 = Text(texts_test::kEndByteMissing);
        outcome = DiagModeOutcome::kNoEnd;
      } else {
        step3 = Text(texts_test::kEndByteUnexpected) + ByteToHex(*end);
        outcome = DiagModeOutcome::kNoEnd;
      }
    }
  }
  window_.SetText(fe::lenvoie[2], step3);
  if (outcome != DiagModeOutcome::kOk) message_ = step3;

  services_.beeper.Beep();
  services_.clock.Pause(kStepGap);
  {
    // Sent while the program closes too: the closing waits for this lease.
    std::optional<int> left;
    {
      const SendDespiteClosing send(services_.link);
      left = Ask(kLeaveDiagMode, kLeaveDiagMode, kDiagStepTimeoutMs);
    }
    window_.SetText(fe::lenvoie[3], Text(kLeaving));
    if (left == kLeaveDiagMode) {
      window_.SetText(fe::lrecu[3], Text(kConfirmed));
      window_.SetText(fe::frdialogue, window_.Text(fe::frdialogue) + Text(kDone));
    } else {
      window_.SetText(fe::lrecu[3], Text(texts_test::kLeaveNotConfirmed));
    }
  }
  return outcome;
}

}  // namespace velkor
