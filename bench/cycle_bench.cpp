// The measurement cycle's own CPU cost per iteration: decoding, the main window's model and both
// recordings, with every exchange answered at once (the demo ECU on the bench's virtual clock, so
// no time is spent waiting for a wire).
#include <time.h>

#include <cstdio>
#include <filesystem>

#include "config/language.hpp"
#include "config/settings.hpp"
#include "core/ctime_it.hpp"
#include "core/number_format.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "livedata/family_decoder.hpp"
#include "livedata/measurement_cycle.hpp"
#include "platform/real_file_system.hpp"
#include "recording/text_recorder.hpp"
#include "recording/workbook_recorder.hpp"
#include "session/live_data_hooks.hpp"
#include "session/main_window.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace {

using namespace velkor;

class SilentBeeper : public Beeper {
 public:
  void Beep() override {}
};

double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

}  // namespace

int main() {
  constexpr long kIterations = 20000;
  const auto home = std::filesystem::temp_directory_path() / "velkor_cycle_bench";
  std::filesystem::remove_all(home);
  std::filesystem::create_directories(MeasuresFolder(home));

  sim::VirtualClock clock;
  sim::VirtualEventLoop loop(clock);
  sim::VirtualTimerService timers(clock);
  auto reply_timer = timers.CreateTimer();
  CTimeIt stopwatch(clock);
  TraceLog trace(stopwatch);
  LinkState link;
  link.EcuType = Iaw59M5AM;
  link.TestMode = true;
  Exchange exchange(link, clock, loop, *reply_timer, trace);
  FamilyDecoder decoder(exchange, link, clock);
  sim::NoLanguageFiles no_files;
  Language language(no_files);
  Settings settings;
  MeasurementFlags flags;

  ScreenModel model;
  for (const ControlDesign& control : MainWindowDesign()) {
    model.SetText(control.name, std::string(control.text));
  }
  model.SetEnabled(frmparam::cdparametre, true);
  model.SetChecked(frmparam::chCSV, true);
  model.SetChecked(frmparam::Chenregistre, true);

  RealFileSystem files;
  CsvRecorder csv(home, NumberLocale::Period(), files);
  WorkbookRecorder workbook(home);
  csv.Start();
  workbook.Start(link.EcuType);

  long iterations = 0;
  LiveDataHooks hooks(model, link);
  hooks.SetOnSample([&](const LiveSample&) {
    if (++iterations >= kIterations) flags.StopRequest = true;
  });
  SilentBeeper beeper;
  MeasurementCycle cycle(MeasurementCycleServices{model, flags, link, decoder, clock, loop, trace,
                                                  language, hooks, beeper, settings, " - bench",
                                                  nullptr, &workbook, &csv});
  const double start = ThreadCpuSeconds();
  cycle.PressStart();
  const double cpu = ThreadCpuSeconds() - start;
  csv.Stop();
  workbook.Stop();
  std::filesystem::remove_all(home);
  std::printf("cycle: family=m59 cpu_us_per_iteration=%s iterations=%ld\n",
              FormatNumber(cpu * 1e6 / static_cast<double>(iterations), "0.0").c_str(), iterations);
  return 0;
}
