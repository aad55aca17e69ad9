#include "livedata/measurement_cycle.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <random>

#include "core/ecu_family.hpp"
#include "core/number_format.hpp"
#include "livedata/frmparam.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;

// Language text ids.
constexpr int kTitleText = 101;
constexpr int kTpsCaptionText = 118;
constexpr int kStartCaptionText = 128;
constexpr int kMeasuringText = 147;
constexpr int kResetToText = 174;

constexpr std::string_view kTpsCaption = "TPS (deg)";
constexpr std::string_view kMeasuringCaption = "Mesures en cours";
constexpr std::string_view kResetToCaption = "Reset to ";
constexpr std::string_view kInactive = "--";

// Below this displayed speed the engine counts as stopped.
constexpr int kStoppedBelow = 300;
constexpr int kLowGraphBelow = 1000;
constexpr double kMmHgPerHpa = 1.33;

// Int() of the original: the largest whole number not above the value.
int Floor(double value) { return static_cast<int>(std::floor(value)); }

// The value label's text as a recording field: a switched-off "--" (or nothing) counts as 0.
std::string RecordedText(const std::string& shown) {
  return shown.empty() || shown == kInactive ? std::string("0") : shown;
}

}  // namespace

std::string PlainNumber(float value) {
  if (value == 0) return "0";  // also for -0
  std::array<char, 32> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  return std::string(buffer.data(), result.ptr);
}

MeasurementCycle::MeasurementCycle(MeasurementCycleServices services)
    : s_(std::move(services)), stopwatch_(s_.clock) {
  if (!s_.random) {
    auto engine = std::make_shared<std::mt19937>(std::random_device{}());
    fallback_random_ = [engine] {
      return std::uniform_real_distribution<double>(0.0, 1.0)(*engine);
    };
  }
}

void MeasurementCycle::SetRecorders(SampleRecorder* workbook, SampleRecorder* text) {
  s_.workbook = workbook;
  s_.text = text;
}

double MeasurementCycle::Random() {
  const double r = s_.random ? s_.random() : fallback_random_();
  return std::isnan(r) ? 0.0 : std::clamp(r, 0.0, 1.0);
}

// Int(span * r + 1): 1 to span. A draw at (or rounding up to) 1 stays at span, so test mode
// never shows 5991 rpm or an injection of 8.
int MeasurementCycle::Draw(int span) { return std::clamp(Floor(span * Random() + 1), 1, span); }

// Zero slots take the newest value, so a freshly started or freshly enlarged window needs no
// warm-up and an engine that was stopped is forgotten as soon as it runs. The slots outlive
// runs and changes of depth; slots at `depth` and beyond are left alone.
float MeasurementCycle::moyenne(int channel, int index, float value, int depth) {
  if (depth <= 1 || channel < 0 || channel >= kAveragingChannels) return value;
  depth = std::min(depth, kAveragingSlots);
  auto& row = store_[static_cast<std::size_t>(channel)];
  const int slot = ((index % depth) + depth) % depth;
  row[static_cast<std::size_t>(slot)] = value;
  float sum = 0;
  for (int k = 0; k < depth; ++k) {
    float& held = row[static_cast<std::size_t>(k)];
    if (held == 0) held = value;
    sum += held;
  }
  return sum / static_cast<float>(depth);
}

void MeasurementCycle::PressStart() {
  ScreenModel& w = s_.window;
  // The run itself, not the caption, says whether to stop: a second F3 that arrives before the
  // loop has seen the first must not start a loop inside the one still running.
  if (running_) {
    w.SetText(fp::cdparametre, s_.language.LookupText(kStartCaptionText, kStartCaption));
    w.SetEnabled(fp::cdparametre, false);
    s_.flags.StopRequest = true;
    w.SetChecked(fp::Chenregistre, false);
    w.SetEnabled(fp::mnConvert, true);
    return;
  }
  if (!s_.flags.MeasureAllowed) return;
  w.SetText(fp::cdparametre, std::string(kStopCaption));
  s_.flags.StopRequest = false;
  w.SetEnabled(fp::mnConvert, false);
  Run();
}

void MeasurementCycle::Run() {
  if (running_) return;
  running_ = true;
  Prepare();
  while (true) {
    if (s_.flags.MeasurementIdle) {
      // Another measuring loop (the 15M trimmer's) ended while this one gave it turns.
      s_.window.SetText(fp::lbPanel2, s_.language.LookupText(kMeasuringText, kMeasuringCaption));
    }
    iteration_ = (iteration_ + 1) % kIterationModulo;
    s_.loop.GiveTurn();
    if (s_.flags.StopRequest) break;
    if (!Iterate()) break;
  }
  Finish();
  running_ = false;
}

void MeasurementCycle::Prepare() {
  ScreenModel& w = s_.window;
  const int family = s_.link.EcuType;
  raw_ = RawEngineValues{};
  sample_ = LiveSample{};
  displayed_speed_ = 0;
  iteration_ = 0;
  graph_position_ = 0;
  previous_time_ = 0;

  stopwatch_.Start();
  if (s_.link.TestMode) w.SetText(fp::lbPanel3, s_.language.LookupText(texts::kDemo));
  if (s_.run_hooks != nullptr) s_.run_hooks->RunStarting();
  if (family == Iaw15M || family == Iaw15RC) {
    w.SetVisible(fp::mnTrimmer, false);
    w.SetVisible(fp::cdTrimer15, false);
  }
  w.SetVisible(fp::kWindow, true);
  s_.flags.MeasurementIdle = false;
  if (s_.keep_alive != nullptr) s_.keep_alive->Stop();
  if (family == Iaw59M5AM) {
    const bool trimmer = w.Enabled(fp::Trimmer);
    w.SetVisible(fp::FrChgTrimmer, trimmer);
    w.SetVisible(fp::mnTrimmer, trimmer);
    const std::optional<int> initial =
        s_.run_hooks != nullptr ? s_.run_hooks->TrimmerInitial() : std::nullopt;
    // Unknown is not 0: the reset has nothing to go back to.
    w.SetText(fp::cdTrimmer, s_.language.LookupText(kResetToText, kResetToCaption) +
                                 (initial ? std::to_string(*initial) : std::string(kInactive)));
    // A byte 0x80 reads +128, beyond the scroll bar: nothing to reset to either.
    const int value = initial.value_or(0);
    const bool usable = initial.has_value() && value >= -127 && value <= 127;
    w.SetEnabled(fp::cdTrimmer, usable);
    if (s_.link.TestMode && usable) {
      w.SetValue(fp::HScrollTrimmer, value);
      w.SetText(fp::lbTrimmer, std::to_string(value));  // the bar's label says what it shows
    }
  }
  if (family == Eobd) {
    w.SetText(fp::Frinject, "LOAD %");
    w.SetText(fp::Fravance, "Mass Air cg/s");
    w.SetText(fp::Frbatterie, "Speed");
  }
  w.SetVisible(fp::ProgressBar1, true);
  w.SetText(fp::Lbtest, s_.language.LookupText(kTpsCaptionText, kTpsCaption));
  w.SetVisible(fp::Lbtest, true);
}

ActiveMeasures MeasurementCycle::Measures() const {
  const ScreenModel& w = s_.window;
  ActiveMeasures active;
  active.throttle = w.Enabled(fp::Potar);
  active.injection = w.Enabled(fp::Injection);
  active.advance = w.Enabled(fp::Avance);
  active.pressure = w.Enabled(fp::Pression);
  active.air_temp = w.Enabled(fp::Air);
  active.coolant_temp = w.Enabled(fp::Eau);
  active.battery = w.Enabled(fp::Tension);
  return active;
}

bool MeasurementCycle::Iterate() {
  ScreenModel& w = s_.window;
  const int family = s_.link.EcuType;
  const ActiveMeasures active = Measures();
  s_.decoder.Decode(family, active, raw_);
  if (family >= Iaw16M && family <= IawP8 && active.throttle) {
    w.SetText(fp::lbTPSVolt, raw_.tps_volt_text);
  }
  if (family == Iaw59M5AM) {
    if (w.Checked(fp::chStatutSonde)) s_.hooks.ReadEngineStatus();
    if (w.Enabled(fp::lbLambda)) {
      w.SetText(fp::lbLambda, FormatNumber(s_.decoder.ReadLambda() / 1000.0, "0.000"));
    }
  }
  sample_.Lambda = RecordedText(w.Text(fp::lbLambda));

  ShowSpeed();
  ShowThrottle();
  ShowInjection();
  // The graph and the map get copies: nothing they do changes the sample.
  if (w.Checked(fp::chgraph)) {
    graph_position_ =
        s_.hooks.TracePict(graph_position_, sample_.RPM, sample_.Injection, sample_.TPS);
  }
  if (w.Checked(fp::chMap)) s_.hooks.DessineMap(sample_.RPM, sample_.TPS);
  ShowOthers();
  w.SetText(fp::lbMoteurPP, s_.hooks.GestionMoteurPP(displayed_speed_));
  s_.hooks.GestionTrimmer(displayed_speed_);

  stopwatch_.StopNow();
  double now = stopwatch_.Result();
  if (now < previous_time_) now = previous_time_;  // no reading: no time has passed
  sample_.Time = static_cast<float>(now);
  const double dt = now - previous_time_;
  ShowRate(dt);
  previous_time_ = now;

  if (s_.hooks.HasAfrSource()) s_.hooks.AcquireAfr(dt, sample_);
  // A pass whose engine data never came is shown (and counted as a miss) but not recorded:
  // its zeros would read as a stopped engine.
  if (raw_.arrived) {
    if (w.Checked(fp::Chenregistre) && s_.workbook != nullptr) s_.workbook->Append(sample_);
    if (w.Checked(fp::chCSV) && s_.text != nullptr) s_.text->Append(sample_);
  }

  CheckMiss();
  s_.hooks.SampleReady(sample_);
  return !s_.flags.StopRequest;
}

void MeasurementCycle::ShowSpeed() {
  if (s_.link.TestMode) raw_.speed = static_cast<float>(Draw(5000) + 990);
  sample_.RPM = moyenne(1, iteration_, raw_.speed, s_.flags.AveragingDepth);
  displayed_speed_ = Floor(sample_.RPM / 10.0f) * 10;
  if (displayed_speed_ < kStoppedBelow) displayed_speed_ = 0;
  if (displayed_speed_ < kLowGraphBelow && s_.run_hooks != nullptr) {
    s_.run_hooks->LowerGraphScale();
  }
  s_.window.SetText(fp::Rmp, FormatNumber(displayed_speed_, "# ##0"));
}

void MeasurementCycle::ShowThrottle() {
  ScreenModel& w = s_.window;
  if (s_.link.TestMode) raw_.throttle = static_cast<float>(50 * Random() + 10);
  if (!w.Enabled(fp::Potar)) {
    w.SetText(fp::Potar, std::string(kInactive));
    return;  // TPS keeps its value
  }
  w.SetText(fp::Potar, FormatNumber(raw_.throttle, "0.0"));
  sample_.TPS = raw_.throttle;
  const bool bar_busy = s_.run_hooks != nullptr && s_.run_hooks->StepperUsesBarGraph();
  if (!bar_busy) {
    // The bar's maximum is 100, so the value is the percentage.
    const long percent = std::lround(raw_.throttle);
    w.SetValue(fp::ProgressBar1, static_cast<int>(std::clamp(percent, 0L, 100L)));
  }
}

void MeasurementCycle::ShowInjection() {
  ScreenModel& w = s_.window;
  if (!w.Enabled(fp::Injection)) {
    sample_.Injection = 1.0f;
    w.SetText(fp::Injection, std::string(kInactive));
    return;
  }
  if (raw_.injection < 0) raw_.injection = 0;
  if (s_.link.TestMode) raw_.injection = static_cast<float>(Draw(2) + 5);
  sample_.Injection = moyenne(3, iteration_, raw_.injection, s_.flags.AveragingDepth);
  w.SetText(fp::Injection, FormatNumber(sample_.Injection, "0.00"));
}

void MeasurementCycle::ShowOthers() {
  ScreenModel& w = s_.window;
  const auto show = [&w](std::string_view label, std::string text) {
    w.SetText(label, w.Enabled(label) ? std::move(text) : std::string(kInactive));
  };
  sample_.Advance = raw_.advance;
  show(fp::Avance, FormatNumber(raw_.advance, "0.0"));

  sample_.Pressure =
      s_.settings.pressure_hpa ? raw_.pressure : static_cast<float>(raw_.pressure / kMmHgPerHpa);
  show(fp::Pression, FormatNumber(sample_.Pressure, "###"));

  const auto temperature = [this](float celsius) {
    return s_.settings.temp_celsius ? celsius : static_cast<float>(Floor(celsius * 9.0 / 5 + 32));
  };
  sample_.AirTemp = temperature(raw_.air_temp);
  show(fp::Air, PlainNumber(sample_.AirTemp));
  sample_.EngineTemp = temperature(raw_.coolant_temp);
  show(fp::Eau, PlainNumber(sample_.EngineTemp));

  sample_.Voltage = raw_.battery;
  show(fp::Tension, FormatNumber(raw_.battery, "0.0"));
}

std::string MeasurementCycle::BaseTitle() const {
  // The program's own name rather than the current title: the suffix must not pile up when the
  // language lacks the text.
  return s_.language.LookupText(kTitleText, kProgramTitle) + s_.version_suffix;
}

void MeasurementCycle::ShowRate(double dt) {
  if (dt <= 0) return;  // two iterations within the clock's resolution
  // The period carries its unit, so that "D=1.504" is not read as a second rate.
  s_.window.SetText(fp::kWindow, BaseTitle() + "  (" + FormatNumber(1 / dt, "0.0 Hz") + ")" +
                                     "D=" + FormatNumber(dt, "0.000") + " s");
}

void MeasurementCycle::CheckMiss() {
  if (s_.link.lamp_colour != kLampRed) {
    miss_count_ = 0;
    return;
  }
  if (miss_count_ < kMissLimit) {
    ++miss_count_;
    s_.beeper.Beep();
    s_.clock.Pause(kMissPause);
    s_.trace.WriteTrace("Raté: " + std::to_string(miss_count_));
  } else {
    s_.flags.StopRequest = true;
  }
}

void MeasurementCycle::Finish() {
  ScreenModel& w = s_.window;
  const int family = s_.link.EcuType;
  w.SetText(fp::cdparametre, s_.language.LookupText(kStartCaptionText, kStartCaption));
  w.SetEnabled(fp::cdparametre, true);
  // Whatever ended the run, the converter is usable again (not only after the button).
  w.SetEnabled(fp::mnConvert, true);
  if (s_.run_hooks != nullptr) s_.run_hooks->RunEnded();
  s_.flags.MeasurementIdle = true;
  // A program that closed during the run ends its session: nothing is kept alive any more.
  if (s_.keep_alive != nullptr && !s_.link.Closing) s_.keep_alive->Start();
  w.SetVisible(fp::FrChgTrimmer, false);
  if (family == Iaw15M || family == Iaw15RC) {
    w.SetVisible(fp::mnTrimmer, true);
    w.SetVisible(fp::cdTrimer15, true);
  }
  if (s_.workbook != nullptr) s_.workbook->RunEnded();
  if (s_.text != nullptr) s_.text->RunEnded();
  w.SetVisible(fp::ProgressBar1, false);
  w.SetVisible(fp::Lbtest, false);
  w.SetText(fp::kWindow, BaseTitle());
}

}  // namespace velkor
