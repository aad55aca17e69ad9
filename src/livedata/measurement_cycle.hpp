#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "config/language.hpp"
#include "config/settings.hpp"
#include "core/clock.hpp"
#include "core/ctime_it.hpp"
#include "core/event_loop.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/link_state.hpp"
#include "livedata/cycle_hooks.hpp"
#include "livedata/engine_decoder.hpp"
#include "livedata/live_sample.hpp"
#include "livedata/measurement_flags.hpp"

namespace velkor {

// What a run asks of the live graph and the adjustment helpers besides the per-iteration steps
// of CycleHooks. Defaults do nothing.
class CycleRunHooks {
 public:
  virtual ~CycleRunHooks() = default;
  // A run starts: the live graph takes a fresh zero buffer, the stepper test its progress
  // length of 160 ticks with any pending request dropped, and the trimmer copies the ECU value
  // into its scroll bar at its next step.
  virtual void RunStarting() {}
  // 59M/5AM: the trimmer's initial value, read from the ECU when it is not known yet; none
  // while the ECU has not told it.
  virtual std::optional<int> TrimmerInitial() { return std::nullopt; }
  // The stepper test shows its progress in ProgressBar1, so the throttle must not.
  virtual bool StepperUsesBarGraph() const { return false; }
  // The engine runs below 1000 rpm: the live graph's lower scale bound becomes 900.
  virtual void LowerGraphScale() {}
  // The run is over, before the measurements are given back (MeasurementIdle): a stepper test
  // still running is stopped, a requested trimmer store dropped.
  virtual void RunEnded() {}
};

// Everything the cycle reads and writes besides its own state.
struct MeasurementCycleServices {
  ScreenModel& window;  // the main window frmparam
  MeasurementFlags& flags;
  LinkState& link;  // TestMode, EcuType and the link lamp
  EngineDecoder& decoder;
  Clock& clock;
  EventLoop& loop;
  TraceLog& trace;
  const Language& language;
  CycleHooks& hooks;
  Beeper& beeper;
  const Settings& settings;                  // temp_celsius, pressure_hpa, read at every iteration
  std::string version_suffix;                // " - 1.2.3"
  Timer* keep_alive = nullptr;               // Timer_present: stopped while measuring
  SampleRecorder* workbook = nullptr;        // fed while Chenregistre is checked
  SampleRecorder* text = nullptr;            // fed while chCSV is checked
  CycleRunHooks* run_hooks = nullptr;        // none: nothing to do
  std::function<double()> random = nullptr;  // uniform in [0, 1); none: a seeded generator
};

// The measurement loop of the main window: from the start button until StopRequest, it polls
// the ECU, turns each iteration into a LiveSample, shows it, hands it to the graph, map,
// stepper, trimmer, AFR and recorders, and ends the run after three consecutive iterations
// without an answer.
//
//   idle --PressStart, MeasureAllowed--> measuring --StopRequest seen--> idle
//
// The loop gives the message loop one turn per iteration, so every handler may run inside it,
// this object's PressStart included.
class MeasurementCycle {
 public:
  static constexpr std::string_view kStopCaption = "Stop - F3";
  static constexpr std::string_view kStartCaption = "Paramètres - F3";
  static constexpr int kAveragingChannels = 4;
  static constexpr int kAveragingSlots = 61;
  static constexpr int kIterationModulo = 10000;
  static constexpr int kMissLimit = 2;  // beeps before the next miss ends the run
  static constexpr double kMissPause = 0.25;

  explicit MeasurementCycle(MeasurementCycleServices services);

  // The recorders may be created after the cycle; null means none.
  void SetRecorders(SampleRecorder* workbook, SampleRecorder* text);

  // cdparametre / F3. While a run is under way it asks the run to stop (the run ends after the
  // iteration under way); otherwise, when MeasureAllowed, it runs the loop and returns when
  // the loop has ended.
  void PressStart();
  // The loop itself: preparation, iterations until StopRequest, ending. Does nothing when a run
  // is already under way.
  void Run();

  // Average of the last `depth` values of a channel, `index` choosing the slot (see .cpp).
  float moyenne(int channel, int index, float value, int depth);

  bool Running() const { return running_; }
  const LiveSample& Sample() const { return sample_; }
  int DisplayedSpeed() const { return displayed_speed_; }
  int Iteration() const { return iteration_; }
  int MissCount() const { return miss_count_; }
  // Whether the last pass's engine data came; one that did not was shown but not recorded.
  bool LastPassArrived() const { return raw_.arrived; }
  int GraphPosition() const { return graph_position_; }

 private:
  void Prepare();
  // One pass after the stop check; false when the run must end.
  bool Iterate();
  void Finish();
  void ShowSpeed();
  void ShowThrottle();
  void ShowInjection();
  void ShowOthers();
  void ShowRate(double now);
  void CheckMiss();
  ActiveMeasures Measures() const;
  std::string BaseTitle() const;
  double Random();
  int Draw(int span);

  MeasurementCycleServices s_;
  CTimeIt stopwatch_;
  std::array<std::array<float, kAveragingSlots>, kAveragingChannels> store_{};
  RawEngineValues raw_;
  LiveSample sample_;
  int displayed_speed_ = 0;
  int iteration_ = 0;
  int miss_count_ = 0;
  int graph_position_ = 0;
  double previous_time_ = 0;
  bool running_ = false;
  std::function<double()> fallback_random_;
};

// A number in its plain decimal form: 21 -> "21", 20.5 -> "20.5", -5 -> "-5".
std::string PlainNumber(float value);

}  // namespace velkor
