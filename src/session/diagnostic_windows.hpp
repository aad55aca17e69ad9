#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/event_loop.hpp"
#include "core/screen_model.hpp"
#include "diagnostics/actuator_panel_59.hpp"
#include "diagnostics/diag_mode_runner.hpp"
#include "diagnostics/diagnostics_services.hpp"
#include "diagnostics/fault_window_1516.hpp"
#include "diagnostics/fault_window_59.hpp"
#include "diagnostics/identification.hpp"
#include "livedata/measurement_flags.hpp"
#include "session/session_control.hpp"

namespace velkor {

// What a diagnostic window's widget does for its logic. Without a display (velkor-cli, tests)
// both are empty: the window's model is still written.
struct DiagnosticWindowView {
  std::function<void()> show;   // shows the window, placed where it was last
  std::function<void()> close;  // hides it, keeping its place
};

struct DiagnosticWindowsServices {
  DiagnosticsServices diagnostics;
  SessionControl& session;
  ScreenModel& main_window;  // frmparam
  MeasurementFlags& flags;
  std::string version_suffix;
  Timer& test_timer;  // TimerTestActif
};

// What an actuator test or a diagnostic-mode command ended with, for velkor-cli.
struct TestRunResult {
  enum class Kind {
    kOk,               // "Test OK": the ECU confirmed the start (or the FF end byte)
    kInterlocked,      // refused before anything moved (engine not known to be stopped)
    kFailed,           // the ECU refused or gave a bad end ("Test Echoué", "Fin incorrecte")
    kNoAnswer,         // the ECU said nothing, or the session was lost
    kStopUnconfirmed,  // the stop was not confirmed: the ignition warning was given
    kUnavailable,      // no such test for this family, or the link could not be had
  };
  Kind kind = Kind::kUnavailable;
  std::string message;  // the window's text for anything but kOk
};

// The diagnostic windows of the main window: the identification (mnIdentification) and the
// fault windows (cddiag / mndiag, F4). Each read or clear runs under a lease of the link, so the
// measurements, the keep-alive and the session commands are given back on every way out; the
// window stays open between them with the keep-alive running.
class DiagnosticWindows : private LinkHold {
 public:
  explicit DiagnosticWindows(DiagnosticWindowsServices services);
  ~DiagnosticWindows() override;
  DiagnosticWindows(const DiagnosticWindows&) = delete;
  DiagnosticWindows& operator=(const DiagnosticWindows&) = delete;

  void SetIdentificationView(DiagnosticWindowView view) { identification_view_ = std::move(view); }
  void SetFaults1516View(DiagnosticWindowView view) { faults_1516_view_ = std::move(view); }
  void SetFaults59View(DiagnosticWindowView view) { faults_59_view_ = std::move(view); }

  // ---- Identification (frmIdentification) ----
  // mnIdentification: asks the measurements to stop; once they have, shows the window and reads
  // the ECU's identification. False while they are still running (the user selects it again
  // once they have).
  bool OpenIdentification();
  DiagnosticOutcome ReadIdentification();
  void LogIdentification() { identification.Log(); }
  // cdquitter, or the window closed any other way.
  void IdentificationClosed();

  // ---- Fault window of the 15M, 16M, 15RC and P8 (frmerreur) ----
  // cddiag / mndiag for families 0 to 3: asks the measurements to stop; once they have, shows
  // the window with its rows blank. False while they are still running.
  bool OpenFaults1516();
  // cderreur: the read under a lease; the two "click again" texts while the measurements run.
  DiagnosticOutcome ReadFaults1516();
  // cdarret, or the window closed any other way.
  void Faults1516Closed();

  // ---- Fault window of the 59M/5AM and EOBD families (FrmDTC59) ----
  // cddiag / mndiag for families 4 and 5: asks the measurements to stop; once they have, shows
  // the window and reads the stored codes. False while they are still running.
  bool OpenFaults59();
  // The read alone, as velkor-cli does it.
  DiagnosticOutcome ReadFaults59();
  void ScrollFaults59(int value);
  void NextFault59();
  void PreviousFault59();
  // CleanError: asks, clears, reads again.
  DiagnosticOutcome ClearFaults59();
  // ButtonClose, or the window closed any other way (a running test is stopped first).
  void Faults59Closed();

  // ---- Actuator tests and routines of FrmDTC59 (59M/5AM) ----
  void ChooseTest59(int index);  // ComboChoixTest activated
  void PressStartTest59();       // CdeStartTest (start or stop)
  void PressResetTps59();        // cdresetTPS
  void PressResetService59();    // cdService
  // velkor-cli: chooses test `index` (0-8), starts it and gives turns until it has ended.
  TestRunResult RunTest59(int index);
  // velkor-cli: the throttle-sensor reset or the service reset, to its end.
  TestRunResult RunResetTps59();
  TestRunResult RunResetService59();

  // ---- Commands of frmerreur (15M/16M/15RC) ----
  // cddiag0..6: asks the measurements to stop (the two "click again" texts while they run),
  // then runs the command under a lease.
  void PressCommand1516(int index);
  TestRunResult RunCommand1516(int index);

  // The program closes (SessionControl's before-close hook): a running test or command is
  // stopped while its stop can still be sent.
  void StopForClose();

  bool IdentificationOpen() const { return identification_open_; }
  bool Faults1516Open() const { return faults_1516_open_; }
  bool Faults59Open() const { return faults_59_open_; }

  ScreenModel identification_model;  // frmIdentification
  ScreenModel faults_1516_model;     // frmerreur
  ScreenModel faults_59_model;       // FrmDTC59
  Identification identification;
  FaultWindow1516 faults_1516;
  FaultWindow59 faults_59;
  DiagModeRunner commands_1516;  // frmerreur's right half
  ActuatorPanel59 tests_59;      // FrmDTC59's test panel

 private:
  // The main window's commands as a diagnostic window found them when it opened, given back
  // when it closes; a session lost while it was open leaves them as the loss set them.
  struct SavedCommands {
    std::vector<std::pair<std::string_view, bool>> enabled;
    bool session_open = false;
  };
  // Asks the measurements to stop; once they have, greys `controls` and says how they were.
  // Nothing while the measurements still run.
  std::optional<SavedCommands> TakeMainWindow(std::initializer_list<std::string_view> controls);
  void GiveBack(const SavedCommands& saved);
  // Runs `run` under a lease of the link; kCancelled without running it when there is none
  // (the measurements have not stopped yet, a start or another read holds the link).
  DiagnosticOutcome UnderLease(const std::function<DiagnosticOutcome()>& run);

  // LinkHold: the test panel's lease, kept across turns while a test or routine runs.
  bool Take() override;
  void KeepAlive(std::function<void()> on_lost, std::function<void()> idle) override;
  void Release(bool session_lost) override;
  bool Held() const override { return test_lease_ != nullptr; }
  void GiveBackDeferred();
  TestRunResult PanelResult() const;
  void WaitWhileBusy();

  DiagnosticWindowsServices s_;
  std::unique_ptr<LinkLease> test_lease_;
  DiagnosticWindowView identification_view_;
  DiagnosticWindowView faults_1516_view_;
  DiagnosticWindowView faults_59_view_;
  SavedCommands identification_saved_;
  SavedCommands faults_1516_saved_;
  SavedCommands faults_59_saved_;
  bool identification_open_ = false;
  bool faults_1516_open_ = false;
  bool faults_59_open_ = false;
  int under_lease_ = 0;
  std::vector<SavedCommands> deferred_;
};

}  // namespace velkor
