#include "session/diagnostic_windows.hpp"

#include <memory>
#include <optional>

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
      s_(std::move(services)) {}

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
  return saved;
}

void DiagnosticWindows::GiveBack(const SavedCommands& saved) {
  // A window closed while its read runs: the read's lease gives the commands back as they were
  // when it began (greyed), so the window's own give-back waits until the lease has ended.
  if (under_lease_ > 0) {
    deferred_.push_back(saved);
    return;
  }
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
  if (--under_lease_ == 0) {
    std::vector<SavedCommands> deferred;
    deferred.swap(deferred_);
    for (const SavedCommands& saved : deferred) GiveBack(saved);
  }
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

}  // namespace velkor
