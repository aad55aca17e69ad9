#include "session/diagnostic_windows.hpp"

#include <memory>
#include <optional>

#include "core/ecu_family.hpp"
#include "livedata/frmparam.hpp"

namespace velkor {

namespace fp = frmparam;

namespace {

// What a fault window greys in the main window while it is open: another diagnostic window,
// the measurements and a new start would compete with it for the link.
constexpr std::initializer_list<std::string_view> kFaultWindowCommands = {
    fp::cddiag, fp::mndiag, fp::cdintialisation, fp::MnInit, fp::cdparametre, fp::mnparam};

}  // namespace

DiagnosticWindows::DiagnosticWindows(DiagnosticWindowsServices services)
    : identification(identification_model, services.diagnostics),
      faults_1516(faults_1516_model, services.diagnostics),
      faults_59(faults_59_model, services.diagnostics, services.version_suffix),
      commands_1516(faults_1516_model, services.diagnostics),
      tests_59(faults_59_model, services.diagnostics, services.test_timer, *this),
      s_(std::move(services)) {}

DiagnosticWindows::~DiagnosticWindows() { test_lease_.reset(); }

bool DiagnosticWindows::Take() {
  if (test_lease_ != nullptr) return false;
  test_lease_ = s_.session.TakeLease();
  if (test_lease_ == nullptr) return false;
  ++under_lease_;
  return true;
}

void DiagnosticWindows::KeepAlive(std::function<void()> on_lost, std::function<void()> idle) {
  if (test_lease_ != nullptr) test_lease_->KeepSessionAlive(std::move(on_lost), std::move(idle));
}

void DiagnosticWindows::Release(bool session_lost) {
  if (test_lease_ == nullptr) return;
  if (session_lost) test_lease_->SessionLost();
  std::unique_ptr<LinkLease> lease = std::move(test_lease_);
  lease.reset();
  GiveBackDeferred();
}

void DiagnosticWindows::GiveBackDeferred() {
  if (--under_lease_ > 0) return;
  std::vector<SavedCommands> deferred;
  deferred.swap(deferred_);
  for (const SavedCommands& saved : deferred) GiveBack(saved);
}

std::optional<DiagnosticWindows::SavedCommands> DiagnosticWindows::TakeMainWindow(
    std::initializer_list<std::string_view> controls) {
  s_.flags.StopRequest = true;
  if (!s_.flags.MeasurementIdle) return std::nullopt;
  SavedCommands saved;
  saved.session_open = s_.session.Open();
  for (std::string_view control : controls) {
    saved.enabled.emplace_back(control, s_.main_window.Enabled(control));
    s_.main_window.SetEnabled(control, false);
  }
  s_.session.HoldCommands(true);
  return saved;
}

void DiagnosticWindows::GiveBack(const SavedCommands& saved) {
  // A window closed while its read runs: the read's lease gives the commands back as they were
  // when it began (greyed), so the window's own give-back waits until the lease has ended.
  if (under_lease_ > 0) {
    deferred_.push_back(saved);
    return;
  }
  s_.session.HoldCommands(false);
  const bool lost = saved.session_open && !s_.session.Open();
  for (const auto& [control, enabled] : saved.enabled) {
    if (lost && control != fp::mnIdentification) continue;
    s_.main_window.SetEnabled(control, enabled);
  }
}

DiagnosticOutcome DiagnosticWindows::UnderLease(const std::function<DiagnosticOutcome()>& run) {
  DiagnosticOutcome outcome = DiagnosticOutcome::kCancelled;
  {
    const std::unique_ptr<LinkLease> lease = s_.session.TakeLease();
    if (lease == nullptr) return outcome;
    ++under_lease_;
    outcome = run();
  }
  GiveBackDeferred();
  return outcome;
}

bool DiagnosticWindows::OpenIdentification() {
  if (identification_open_) IdentificationClosed();
  std::optional<SavedCommands> saved = TakeMainWindow(
      {fp::mnIdentification, fp::cdintialisation, fp::MnInit, fp::cdparametre, fp::mnparam});
  if (!saved) return false;
  identification_saved_ = std::move(*saved);
  identification_open_ = true;
  if (identification_view_.show) identification_view_.show();
  ReadIdentification();
  return true;
}

DiagnosticOutcome DiagnosticWindows::ReadIdentification() {
  return UnderLease([this] { return identification.Load(); });
}

void DiagnosticWindows::IdentificationClosed() {
  if (!identification_open_) return;
  identification_open_ = false;
  if (identification_view_.close) identification_view_.close();
  GiveBack(identification_saved_);
}

bool DiagnosticWindows::OpenFaults1516() {
  if (faults_1516_open_) Faults1516Closed();
  std::optional<SavedCommands> saved = TakeMainWindow(kFaultWindowCommands);
  if (!saved) return false;
  faults_1516_saved_ = std::move(*saved);
  faults_1516_open_ = true;
  faults_1516.Load(s_.version_suffix);
  if (faults_1516_view_.show) faults_1516_view_.show();
  return true;
}

DiagnosticOutcome DiagnosticWindows::ReadFaults1516() {
  if (!faults_1516_open_ || faults_1516.Reading()) return DiagnosticOutcome::kCancelled;
  s_.flags.StopRequest = true;
  if (!s_.flags.MeasurementIdle) {
    // The measurements end at their next turn; the user clicks again once they have.
    faults_1516.ShowWaitingForMeasurements();
    s_.diagnostics.link.ReplyTimeout = true;
    return DiagnosticOutcome::kCancelled;
  }
  return UnderLease([this] { return faults_1516.Read(); });
}

void DiagnosticWindows::Faults1516Closed() {
  if (!faults_1516_open_) return;
  faults_1516_open_ = false;
  faults_1516.WindowClosed();
  // A command waiting for its end byte stops waiting and leaves the diagnostic mode.
  commands_1516.Interrupt();
  if (faults_1516_view_.close) faults_1516_view_.close();
  GiveBack(faults_1516_saved_);
}

bool DiagnosticWindows::OpenFaults59() {
  if (faults_59_open_) Faults59Closed();
  std::optional<SavedCommands> saved = TakeMainWindow(kFaultWindowCommands);
  if (!saved) return false;
  faults_59_saved_ = std::move(*saved);
  faults_59_open_ = true;
  if (faults_59_view_.show) faults_59_view_.show();
  ReadFaults59();
  tests_59.Load(s_.session.EcuName());
  return true;
}

DiagnosticOutcome DiagnosticWindows::ReadFaults59() {
  return UnderLease([this] { return faults_59.Load(); });
}

// Showing another code of an EOBD engine asks the ECU again: under a lease, as every exchange
// outside the measurements.
void DiagnosticWindows::ScrollFaults59(int value) {
  UnderLease([&] {
    faults_59.ScrollChanged(value);
    return DiagnosticOutcome::kDone;
  });
}

void DiagnosticWindows::NextFault59() {
  UnderLease([&] {
    faults_59.ButtonNext();
    return DiagnosticOutcome::kDone;
  });
}

void DiagnosticWindows::PreviousFault59() {
  UnderLease([&] {
    faults_59.ButtonPrevious();
    return DiagnosticOutcome::kDone;
  });
}

DiagnosticOutcome DiagnosticWindows::ClearFaults59() {
  return UnderLease([this] { return faults_59.CleanError(); });
}

void DiagnosticWindows::Faults59Closed() {
  if (!faults_59_open_) return;
  faults_59_open_ = false;
  // A running test is stopped before anything else ("30 id 00"); during an exchange, as soon as
  // it has returned.
  tests_59.StopForExit();
  // Its idle line before whatever comes next on the link; a read still under way ends first.
  if (under_lease_ == 0) {
    UnderLease([this] {
      faults_59.Close();
      return DiagnosticOutcome::kDone;
    });
  }
  if (faults_59_view_.close) faults_59_view_.close();
  GiveBack(faults_59_saved_);
}

// ---- Actuator tests and routines of FrmDTC59 ----

void DiagnosticWindows::ChooseTest59(int index) {
  if (faults_59_open_) tests_59.Choose(index);
}

void DiagnosticWindows::PressStartTest59() {
  if (faults_59_open_) tests_59.PressStart();
}

void DiagnosticWindows::PressResetTps59() {
  if (faults_59_open_) tests_59.PressResetTps();
}

void DiagnosticWindows::PressResetService59() {
  if (faults_59_open_) tests_59.PressResetService();
}

void DiagnosticWindows::WaitWhileBusy() {
  while (tests_59.Busy()) s_.diagnostics.loop.GiveTurn();
}

TestRunResult DiagnosticWindows::PanelResult() const {
  TestRunResult result;
  result.message = tests_59.LastMessage();
  using Kind = TestRunResult::Kind;
  switch (tests_59.LastOutcome()) {
    case PanelOutcome::kOk:
      result.kind = Kind::kOk;
      break;
    case PanelOutcome::kInterlocked:
    case PanelOutcome::kCancelled:
      result.kind = Kind::kInterlocked;
      break;
    case PanelOutcome::kRefused:
    case PanelOutcome::kStopped:
      result.kind = Kind::kFailed;
      break;
    case PanelOutcome::kNoAnswer:
    case PanelOutcome::kSessionLost:
      result.kind = Kind::kNoAnswer;
      break;
    case PanelOutcome::kStopUnconfirmed:
      result.kind = Kind::kStopUnconfirmed;
      break;
    case PanelOutcome::kNone:
    case PanelOutcome::kRunning:
      result.kind = Kind::kUnavailable;
      break;
  }
  return result;
}

// velkor-cli has no window on screen: the panel is set up as the window's loading does, without
// the fault read.
TestRunResult DiagnosticWindows::RunTest59(int index) {
  if (s_.diagnostics.link.EcuType != Iaw59M5AM || index < 0 || index >= kActuatorTestCount) {
    return {};
  }
  if (!faults_59_open_) tests_59.Load(s_.session.EcuName());
  tests_59.Choose(index);
  tests_59.PressStart();
  WaitWhileBusy();
  return PanelResult();
}

TestRunResult DiagnosticWindows::RunResetTps59() {
  if (s_.diagnostics.link.EcuType != Iaw59M5AM) return {};
  if (!faults_59_open_) tests_59.Load(s_.session.EcuName());
  tests_59.PressResetTps();
  WaitWhileBusy();
  return PanelResult();
}

TestRunResult DiagnosticWindows::RunResetService59() {
  if (s_.diagnostics.link.EcuType != Iaw59M5AM) return {};
  if (!faults_59_open_) tests_59.Load(s_.session.EcuName());
  tests_59.PressResetService();
  WaitWhileBusy();
  return PanelResult();
}

// ---- Commands of frmerreur ----

void DiagnosticWindows::PressCommand1516(int index) {
  if (faults_1516_open_) RunCommand1516(index);
}

TestRunResult DiagnosticWindows::RunCommand1516(int index) {
  TestRunResult result;
  if (!DiagCommandByte(s_.diagnostics.link.EcuType, index) || commands_1516.Running() ||
      faults_1516.Reading()) {
    return result;
  }
  // The keep-alive and the measurements make way (the lease below stops the keep-alive).
  s_.flags.StopRequest = true;
  commands_1516.ClearDialogue();
  if (!s_.flags.MeasurementIdle) {
    commands_1516.ShowWaitingForMeasurements();
    s_.diagnostics.link.ReplyTimeout = true;
    return result;
  }
  DiagModeOutcome outcome = DiagModeOutcome::kNone;
  UnderLease([&] {
    outcome = commands_1516.Run(index);
    return DiagnosticOutcome::kDone;
  });
  result.message = commands_1516.LastMessage();
  using Kind = TestRunResult::Kind;
  switch (outcome) {
    case DiagModeOutcome::kOk:
      result.kind = Kind::kOk;
      break;
    case DiagModeOutcome::kFailed:
    case DiagModeOutcome::kInterrupted:
      result.kind = Kind::kFailed;
      break;
    case DiagModeOutcome::kNoEnd:
    case DiagModeOutcome::kNotEntered:
      result.kind = Kind::kNoAnswer;
      break;
    case DiagModeOutcome::kInterlocked:
      result.kind = Kind::kInterlocked;
      break;
    case DiagModeOutcome::kNone:
      result.kind = Kind::kUnavailable;
      break;
  }
  return result;
}

void DiagnosticWindows::StopForClose() {
  tests_59.StopForExit();
  commands_1516.Interrupt();
}

}  // namespace velkor
