#include "session/program_logic.hpp"

namespace velkor {

namespace {

// The 15M trimmer window's hold on the link is a lease of the session.
class LeaseHold : public LinkHandle {
 public:
  explicit LeaseHold(std::unique_ptr<LinkLease> lease) : lease_(std::move(lease)) {}

 private:
  std::unique_ptr<LinkLease> lease_;
};

}  // namespace

ProgramLogic::ProgramLogic(ProgramServices s)
    : test_timer_(s.timers.CreateTimer()),
      window(s.front.window,
             MainWindowServices{
                 .ini = s.ini,
                 .link = s.link,
                 .exchange = s.exchange,
                 .clock = s.clock,
                 .trace = s.trace,
                 .stopwatch = s.stopwatch,
                 .dialogs = s.front.dialogs,
                 .language = s.language,
                 .home = s.home,
                 .version_suffix = s.front.version_suffix,
                 .acquire_single_instance = s.front.acquire_single_instance,
             },
             s.front.host, s.progress),
      session(
          SessionServices{
              .window = s.front.window,
              .link = s.link,
              .exchange = s.exchange,
              .clock = s.clock,
              .loop = s.loop,
              .ini = s.ini,
              .trace = s.trace,
              .dialogs = s.front.dialogs,
              .language = s.language,
              .beeper = s.front.beeper,
              .keep_alive = s.keep_alive,
              .progress_timer = s.progress,
              .flags = window.flags(),
              .measures = window.measures(),
              .home = s.home,
              .devices = s.devices,
          },
          window),
      status(status_model, EngineStatusServices{.exchange = s.exchange,
                                                .link = s.link,
                                                .clock = s.clock,
                                                .loop = s.loop,
                                                .language = s.language}),
      decoder(s.exchange, s.link, s.clock),
      hooks(s.front.window, s.link),
      csv(s.home, s.recording_locale, s.files),
      workbook(s.home, s.files),
      cycle(MeasurementCycleServices{
          .window = s.front.window,
          .flags = window.flags(),
          .link = s.link,
          .decoder = decoder,
          .clock = s.clock,
          .loop = s.loop,
          .trace = s.trace,
          .language = s.language,
          .hooks = hooks,
          .beeper = s.front.beeper,
          .settings = window.settings(),
          .version_suffix = s.front.version_suffix,
          .keep_alive = &s.keep_alive,
          .workbook = &workbook,
          .text = &csv,
          .run_hooks = this,
      }),
      diagnostics(DiagnosticWindowsServices{
          .diagnostics = {.exchange = s.exchange,
                          .link = s.link,
                          .clock = s.clock,
                          .loop = s.loop,
                          .trace = s.trace,
                          .language = s.language,
                          .dialogs = s.front.dialogs,
                          .beeper = s.front.beeper},
          .session = session,
          .main_window = s.front.window,
          .flags = window.flags(),
          .version_suffix = s.front.version_suffix,
          .test_timer = *test_timer_,
      }),
      stepper_timer_(s.timers.CreateTimer()),
      trimmer(AdjustServices{.window = s.front.window,
                             .exchange = s.exchange,
                             .link = s.link,
                             .clock = s.clock,
                             .trace = s.trace,
                             .language = s.language,
                             .dialogs = s.front.dialogs}),
      stepper(AdjustServices{.window = s.front.window,
                             .exchange = s.exchange,
                             .link = s.link,
                             .clock = s.clock,
                             .trace = s.trace,
                             .language = s.language,
                             .dialogs = s.front.dialogs},
              *stepper_timer_),
      trimmer15(trimmer15_model,
                Trimmer15Services{.diagnostics = {.exchange = s.exchange,
                                                  .link = s.link,
                                                  .clock = s.clock,
                                                  .loop = s.loop,
                                                  .trace = s.trace,
                                                  .language = s.language,
                                                  .dialogs = s.front.dialogs,
                                                  .beeper = s.front.beeper},
                                  .flags = window.flags(),
                                  .take_link = [this]() -> std::unique_ptr<LinkHandle> {
                                    std::unique_ptr<LinkLease> lease = session.TakeLease();
                                    if (lease == nullptr) return nullptr;
                                    return std::make_unique<LeaseHold>(std::move(lease));
                                  }}) {
  window.SetSession(&session);
  window.SetDiagnostics(&diagnostics);
  // A running actuator test is stopped before the session's closing frames.
  session.SetBeforeClose([this] { diagnostics.StopForClose(); });
  // The lambda probe is read only from the ECU the session found to be a 5AM.
  decoder.SetEcuDescription([this] { return session.HasStepper() ? session.EcuName() : ""; });
  hooks.SetEngineStatus(&status);
  hooks.SetAdjustments(&trimmer, &stepper);
  window.SetAdjustments(
      AdjustParts{.trimmer = &trimmer, .stepper = &stepper, .trimmer15 = &trimmer15});
  window.SetMeasurement(MeasurementParts{.cycle = &cycle,
                                         .csv = &csv,
                                         .workbook = &workbook,
                                         .open_document = s.front.open_document,
                                         .status = &status,
                                         .files = &s.files});
}

}  // namespace velkor
