// The measurement loop in virtual time: a scripted decoder hands it the raw values of each
// iteration (and may act while "the exchange" runs), the main window's model shows what the
// user would see, spies stand in for the recorders, the beeper and the helpers.
#include "livedata/measurement_cycle.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <vector>

#include "livedata/frmparam.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;
using std::chrono::milliseconds;

constexpr double kExchangeSeconds = 0.1;  // what one scripted decode takes

// The raw values and the lamp of one iteration; `during` runs while the exchange is under way.
struct Step {
  RawEngineValues raw;
  bool red = false;
  std::function<void()> during;
};

Step Speed(float rpm, bool red = false) {
  Step step;
  step.raw.speed = rpm;
  step.red = red;
  return step;
}

// Plays one Step per Decode; the last step also stands for the user stopping the run, so a
// script of n steps gives n complete iterations unless the loop ends earlier on its own.
class ScriptedDecoder : public EngineDecoder {
 public:
  ScriptedDecoder(sim::VirtualClock& clock, LinkState& link, MeasurementFlags& flags)
      : clock_(clock), link_(link), flags_(flags) {}

  void Decode(int ecu_type, const ActiveMeasures& active, RawEngineValues& raw) override {
    families.push_back(ecu_type);
    last_active = active;
    ++calls;
    const std::size_t index = next_++;
    if (index >= steps.size()) {
      flags_.StopRequest = true;
      return;
    }
    clock_.Pause(kExchangeSeconds);
    raw = steps[index].raw;
    link_.SetLamp(steps[index].red ? kLampRed : kLampGreen);
    if (steps[index].during) steps[index].during();
    if (index + 1 == steps.size()) flags_.StopRequest = true;
  }
  int ReadLambda() override {
    ++lambda_reads;
    return lambda_mv;
  }

  void Script(std::vector<Step> script) {
    steps = std::move(script);
    next_ = 0;
  }

  std::vector<Step> steps;
  int calls = 0;  // over every run
  std::vector<int> families;
  ActiveMeasures last_active;
  int lambda_mv = 0;
  int lambda_reads = 0;

 private:
  sim::VirtualClock& clock_;
  LinkState& link_;
  MeasurementFlags& flags_;
  std::size_t next_ = 0;
};

class RecorderSpy : public SampleRecorder {
 public:
  void Append(const LiveSample& sample) override { samples.push_back(sample); }
  void RunEnded() override { ++runs_ended; }
  std::vector<LiveSample> samples;
  int runs_ended = 0;
};

class BeeperSpy : public Beeper {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

class HooksSpy : public CycleHooks {
 public:
  int TracePict(int position, float rpm, float, float) override {
    graph_rpm.push_back(rpm);
    return position + 1;
  }
  std::string GestionMoteurPP(int displayed_rpm) override {
    stepper_rpm.push_back(displayed_rpm);
    return "150";
  }
  void ReadEngineStatus() override { ++status_reads; }
  void SampleReady(const LiveSample& sample) override {
    if (on_sample) on_sample(sample);
  }
  std::function<void(const LiveSample&)> on_sample;
  std::vector<float> graph_rpm;
  std::vector<int> stepper_rpm;
  int status_reads = 0;
};

class RunHooksSpy : public CycleRunHooks {
 public:
  void RunStarting() override { ++starts; }
  std::optional<int> TrimmerInitial() override { return trimmer_initial; }
  void RunEnded() override { ++ends; }
  bool StepperUsesBarGraph() const override { return stepper_bar; }
  void LowerGraphScale() override { ++low_scale; }
  int starts = 0;
  std::optional<int> trimmer_initial;
  int ends = 0;
  bool stepper_bar = false;
  int low_scale = 0;
};

// Names a parameterised case after its `name` field.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

class MeasurementCycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');  // parameterised names hold slashes
    trace_path_ = std::filesystem::path(::testing::TempDir()) / ("cycle_" + name + ".log");
    ASSERT_TRUE(trace_.Open(trace_path_));
    flags_.AveragingDepth = 1;
    link_.EcuType = Iaw59M5AM;
    model_.SetText(fp::cdparametre, "Paramètres - F3");
    keep_alive_->SetInterval(2500);
    keep_alive_->Start();
  }
  void TearDown() override {
    trace_.Close();
    std::filesystem::remove(trace_path_);
  }

  MeasurementCycle& Cycle() {
    if (!cycle_) {
      cycle_ = std::make_unique<MeasurementCycle>(MeasurementCycleServices{
          .window = model_,
          .flags = flags_,
          .link = link_,
          .decoder = decoder_,
          .clock = clock_,
          .loop = loop_,
          .trace = trace_,
          .language = language_,
          .hooks = hooks_,
          .beeper = beeper_,
          .settings = settings_,
          .version_suffix = " - 3.1.0",
          .keep_alive = keep_alive_.get(),
          .workbook = &workbook_,
          .text = &text_,
          .run_hooks = &run_hooks_,
          .random = [this] { return random_(); },
      });
    }
    return *cycle_;
  }
  // Plays `steps` through the start button; returns when the run has ended.
  void Play(std::vector<Step> steps) {
    decoder_.Script(std::move(steps));
    Cycle().PressStart();
  }
  std::string TraceFile() const {
    std::ifstream in(trace_path_, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }

  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  std::unique_ptr<Timer> keep_alive_ = timers_.CreateTimer();
  LinkState link_;
  MeasurementFlags flags_;
  ScreenModel model_;
  Settings settings_;
  sim::NoLanguageFiles loader_;
  Language language_{loader_};
  CTimeIt trace_watch_{clock_};
  TraceLog trace_{trace_watch_};
  std::filesystem::path trace_path_;
  HooksSpy hooks_;
  RunHooksSpy run_hooks_;
  BeeperSpy beeper_;
  RecorderSpy workbook_;
  RecorderSpy text_;
  ScriptedDecoder decoder_{clock_, link_, flags_};
  std::function<double()> random_ = [] { return 0.5; };
  std::unique_ptr<MeasurementCycle> cycle_;
};

// ---- Averaging --------------------------------------------------------------------------------

struct AveragingCase {
  const char* name;
  struct Call {
    int index;
    float value;
    int depth;
    float expected;
  };
  std::vector<Call> calls;
};

class CycleAveragingTest : public MeasurementCycleTest,
                           public ::testing::WithParamInterface<AveragingCase> {};

TEST_P(CycleAveragingTest, AveragesOverTheDepthFillingEmptySlots) {
  int n = 0;
  for (const auto& call : GetParam().calls) {
    EXPECT_FLOAT_EQ(Cycle().moyenne(1, call.index, call.value, call.depth), call.expected)
        << "call " << n++;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Moyenne, CycleAveragingTest,
    ::testing::Values(
        // Depth 1 returns the value and stores nothing: a later depth 5 starts from empty slots.
        AveragingCase{"DepthOneStoresNothing", {{1, 995, 1, 995}, {2, 1000, 5, 1000}}},
        AveragingCase{"DepthZeroIsDepthOne", {{1, 1234, 0, 1234}}},
        // Slot 1 takes 1000 and the four empty ones too; then slot 3 alone takes 2000.
        AveragingCase{"FreshStoreNeedsNoWarmUp",
                      {{1, 1000, 5, 1000}, {2, 1000, 5, 1000}, {3, 2000, 5, 1200}}},
        // Enlarging keeps the slots already filled and fills only the empty ones.
        AveragingCase{"EnlargedDepthKeepsSlots", {{1, 100, 2, 100}, {2, 200, 4, 150}}},
        // An engine that stood still (0) is forgotten as soon as a value arrives.
        AveragingCase{"ZeroIsReplacedByTheNextValue", {{1, 0, 3, 0}, {2, 900, 3, 900}}},
        // The slot wraps with the index.
        AveragingCase{"IndexWrapsOverTheDepth",
                      {{1, 10, 2, 10}, {2, 20, 2, 15}, {3, 30, 2, 25}, {9998, 40, 2, 35}}},
        // A depth beyond the store is held to its 61 slots.
        AveragingCase{"DepthBeyondTheStore", {{70, 61, 100, 61}, {71, 122, 100, 62}}}),
    CaseName<AveragingCase>);

TEST_F(MeasurementCycleTest, AveragingStoreOutlivesTheRun) {
  flags_.AveragingDepth = 5;
  Play({Speed(1000)});
  // The next run starts its index at 1 again, over the slots the first one left.
  Play({Speed(2000)});
  EXPECT_FLOAT_EQ(Cycle().Sample().RPM, (2000 + 4 * 1000) / 5.0f);
}

// ---- Engine speed ---------------------------------------------------------------------------

struct SpeedCase {
  float raw;
  std::string shown;
  int displayed;
  bool low_scale;
};

class CycleSpeedDisplayTest : public MeasurementCycleTest,
                              public ::testing::WithParamInterface<SpeedCase> {};

TEST_P(CycleSpeedDisplayTest, RoundsDownToTensAndZeroBelow300) {
  Play({Speed(GetParam().raw)});
  EXPECT_EQ(model_.Text(fp::Rmp), GetParam().shown);
  EXPECT_EQ(Cycle().DisplayedSpeed(), GetParam().displayed);
  EXPECT_FLOAT_EQ(Cycle().Sample().RPM, GetParam().raw);  // the sample is not rounded
  ASSERT_EQ(hooks_.stepper_rpm.size(), 1u);
  EXPECT_EQ(hooks_.stepper_rpm[0], GetParam().displayed);
  EXPECT_EQ(run_hooks_.low_scale == 1, GetParam().low_scale);
}

INSTANTIATE_TEST_SUITE_P(Rmp, CycleSpeedDisplayTest,
                         ::testing::Values(SpeedCase{995, "990", 990, true},
                                           SpeedCase{299, "0", 0, true},
                                           SpeedCase{300, "300", 300, true},
                                           SpeedCase{1000, "1 000", 1000, false},
                                           SpeedCase{5999.9f, "5 990", 5990, false}));

// ---- Value labels, units and switches -------------------------------------------------------

struct LabelCase {
  const char* name;
  bool celsius = true;
  bool hpa = true;
  bool active = true;
  RawEngineValues raw;
  // Potar, Injection, Avance, Pression, Air, Eau, Tension
  std::array<std::string, 7> shown;
  LiveSample recorded;
};

RawEngineValues Raw(float throttle, float injection, float advance, float pressure, float air,
                    float coolant, float battery) {
  RawEngineValues raw;
  raw.speed = 1990;
  raw.throttle = throttle;
  raw.injection = injection;
  raw.advance = advance;
  raw.pressure = pressure;
  raw.air_temp = air;
  raw.coolant_temp = coolant;
  raw.battery = battery;
  return raw;
}

LiveSample Recorded(float tps, float injection, float advance, float pressure, float air,
                    float coolant, float voltage) {
  LiveSample sample;
  sample.TPS = tps;
  sample.Injection = injection;
  sample.Advance = advance;
  sample.Pressure = pressure;
  sample.AirTemp = air;
  sample.EngineTemp = coolant;
  sample.Voltage = voltage;
  return sample;
}

class CycleLabelTest : public MeasurementCycleTest,
                       public ::testing::WithParamInterface<LabelCase> {};

TEST_P(CycleLabelTest, ShowsAndRecordsEachValue) {
  const LabelCase& c = GetParam();
  settings_.temp_celsius = c.celsius;
  settings_.pressure_hpa = c.hpa;
  const std::array<std::string_view, 7> labels = {
      fp::Potar, fp::Injection, fp::Avance, fp::Pression, fp::Air, fp::Eau, fp::Tension};
  for (auto label : labels) model_.SetEnabled(label, c.active);
  model_.SetChecked(fp::chCSV, true);
  Step step;
  step.raw = c.raw;
  Play({step});

  for (std::size_t k = 0; k < labels.size(); ++k) {
    EXPECT_EQ(model_.Text(labels[k]), c.shown[k]) << labels[k];
  }
  EXPECT_EQ(decoder_.last_active.injection, c.active);
  EXPECT_EQ(decoder_.last_active.battery, c.active);
  ASSERT_EQ(text_.samples.size(), 1u);
  const LiveSample& got = text_.samples[0];
  EXPECT_FLOAT_EQ(got.TPS, c.recorded.TPS);
  EXPECT_FLOAT_EQ(got.Injection, c.recorded.Injection);
  EXPECT_FLOAT_EQ(got.Advance, c.recorded.Advance);
  EXPECT_NEAR(got.Pressure, c.recorded.Pressure, 0.01);
  EXPECT_FLOAT_EQ(got.AirTemp, c.recorded.AirTemp);
  EXPECT_FLOAT_EQ(got.EngineTemp, c.recorded.EngineTemp);
  EXPECT_FLOAT_EQ(got.Voltage, c.recorded.Voltage);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CycleLabelTest,
    ::testing::Values(LabelCase{"CelsiusHpa",
                                true,
                                true,
                                true,
                                Raw(4.1f, 3.356f, 26.8f, 1010, 21, 17, 13.7f),
                                {"4.1", "3.36", "26.8", "1010", "21", "17", "13.7"},
                                Recorded(4.1f, 3.356f, 26.8f, 1010, 21, 17, 13.7f)},
                      // 21 °C is 69.8 °F and 20.5 °C is 68.9 °F: whole degrees, rounded down.
                      LabelCase{"FahrenheitMmHg",
                                false,
                                false,
                                true,
                                Raw(4.1f, 3.356f, 26.8f, 1010, 21, 20.5f, 13.7f),
                                {"4.1", "3.36", "26.8", "759", "69", "68", "13.7"},
                                Recorded(4.1f, 3.356f, 26.8f, 1010 / 1.33f, 69, 68, 13.7f)},
                      LabelCase{"CelsiusKeepsFractionsAndSign",
                                true,
                                true,
                                true,
                                Raw(-1.41f, -0.5f, 0, 744, 20.5f, -55, 0),
                                {"-1.4", "0.00", "0.0", "744", "20.5", "-55", "0.0"},
                                Recorded(-1.41f, 0, 0, 744, 20.5f, -55, 0)},
                      // Switched off: "--"; TPS keeps its earlier value (none yet), Injection
                      // records 1.0, the other values are recorded as decoded.
                      LabelCase{"AllSwitchedOff",
                                true,
                                true,
                                false,
                                Raw(4.1f, 3.356f, 26.8f, 1010, 21, 17, 13.7f),
                                {"--", "--", "--", "--", "--", "--", "--"},
                                Recorded(0, 1.0f, 26.8f, 1010, 21, 17, 13.7f)}),
    CaseName<LabelCase>);

TEST_F(MeasurementCycleTest, ThrottleKeepsItsValueAndFillsTheBarOnlyWhileActive) {
  std::vector<Step> steps(3);
  steps[0].raw = Raw(42.4f, 1, 0, 0, 0, 0, 0);
  steps[1].raw = Raw(12.6f, 1, 0, 0, 0, 0, 0);
  steps[1].during = [this] { run_hooks_.stepper_bar = true; };
  steps[2].raw = Raw(30, 1, 0, 0, 0, 0, 0);
  steps[2].during = [this] { model_.SetEnabled(fp::Potar, false); };
  model_.SetChecked(fp::chCSV, true);
  Play(steps);

  ASSERT_EQ(text_.samples.size(), 3u);
  EXPECT_FLOAT_EQ(text_.samples[0].TPS, 42.4f);
  EXPECT_FLOAT_EQ(text_.samples[1].TPS, 12.6f);
  EXPECT_FLOAT_EQ(text_.samples[2].TPS, 12.6f);  // switched off: the last value stays
  EXPECT_EQ(model_.Text(fp::Potar), "--");
  // The stepper test took the bar in the second iteration: it still shows the first throttle.
  EXPECT_EQ(model_.Value(fp::ProgressBar1), 42);
}

TEST_F(MeasurementCycleTest, FamilyFourReadsLambdaAndStatusOnlyWhenAsked) {
  decoder_.lambda_mv = 820;
  Play({Speed(1990)});
  EXPECT_EQ(model_.Text(fp::lbLambda), "0.820");
  EXPECT_EQ(hooks_.status_reads, 0);

  model_.SetChecked(fp::chStatutSonde, true);
  model_.SetEnabled(fp::lbLambda, false);
  model_.SetText(fp::lbLambda, "--");
  model_.SetChecked(fp::chCSV, true);
  Play({Speed(1990)});
  EXPECT_EQ(decoder_.lambda_reads, 1);
  EXPECT_EQ(hooks_.status_reads, 1);
  ASSERT_EQ(text_.samples.size(), 1u);
  EXPECT_EQ(text_.samples[0].Lambda, "0");  // "--" is recorded as 0

  link_.EcuType = Eobd;
  model_.SetEnabled(fp::lbLambda, true);
  Play({Speed(1990)});
  EXPECT_EQ(decoder_.lambda_reads, 1);
  EXPECT_EQ(hooks_.status_reads, 1);
}

// ---- Misses ---------------------------------------------------------------------------------

struct MissCase {
  const char* name;
  std::vector<bool> red;
  int iterations;
  int beeps;
  std::string trace;
  int miss_count;
};

class CycleMissTest : public MeasurementCycleTest,
                      public ::testing::WithParamInterface<MissCase> {};

TEST_P(CycleMissTest, ThirdConsecutiveMissEndsTheRun) {
  std::vector<Step> steps;
  for (bool red : GetParam().red) steps.push_back(Speed(1200, red));
  Play(steps);

  EXPECT_EQ(decoder_.calls, GetParam().iterations);
  EXPECT_EQ(TraceFile(), GetParam().trace);
  EXPECT_EQ(beeper_.beeps, GetParam().beeps);
  EXPECT_EQ(Cycle().MissCount(), GetParam().miss_count);
  EXPECT_EQ(model_.Text(fp::cdparametre), "Paramètres - F3");
  EXPECT_TRUE(model_.Enabled(fp::cdparametre));
  EXPECT_TRUE(flags_.MeasurementIdle);
}

INSTANTIATE_TEST_SUITE_P(Lamp, CycleMissTest,
                         ::testing::Values(MissCase{"ThreeRedStop",
                                                    {true, true, true, false, false},
                                                    3,
                                                    2,
                                                    "Raté: 1\r\nRaté: 2\r\n",
                                                    2},
                                           MissCase{"GreenRestartsTheCount",
                                                    {true, true, false, true, true, false},
                                                    6,
                                                    4,
                                                    "Raté: 1\r\nRaté: 2\r\nRaté: 1\r\nRaté: 2\r\n",
                                                    0},
                                           MissCase{"AllGreen", {false, false}, 2, 0, "", 0}),
                         CaseName<MissCase>);

TEST_F(MeasurementCycleTest, MissPausesBeforeTheNextIteration) {
  Play({Speed(1200, true), Speed(1200)});
  // The miss pause lies inside the second period: 1 ms turn + 0.25 s + 1 ms turn + 0.1 s.
  EXPECT_EQ(model_.Text(fp::kWindow), "Velkor - 3.1.0");
  EXPECT_NEAR(Cycle().Sample().Time, 0.101 + 0.25 + 0.101, 1e-4);
}

// ---- Start button ---------------------------------------------------------------------------

TEST_F(MeasurementCycleTest, StartButtonDuringARunEndsItAfterTheIteration) {
  struct Seen {
    std::string caption, title, panel2;
    bool mn_convert = true, idle = true, keep_alive = true, bar = false;
  } seen;
  std::vector<Step> steps(5, Speed(1500));
  steps[1].during = [&] {
    seen = {model_.Text(fp::cdparametre),    model_.Text(fp::kWindow), model_.Text(fp::lbPanel2),
            model_.Enabled(fp::mnConvert),   flags_.MeasurementIdle,   keep_alive_->IsRunning(),
            model_.Visible(fp::ProgressBar1)};
    // The user presses F3 twice while the exchange waits.
    loop_.After(milliseconds(0), [&] { Cycle().PressStart(); });
    loop_.After(milliseconds(0), [&] { Cycle().PressStart(); });
    loop_.GiveTurn();
    EXPECT_EQ(model_.Text(fp::cdparametre), "Paramètres - F3");
    EXPECT_FALSE(model_.Enabled(fp::cdparametre));
  };
  model_.SetChecked(fp::Chenregistre, true);
  model_.SetChecked(fp::chCSV, true);
  Play(steps);

  EXPECT_EQ(seen.caption, "Stop - F3");
  EXPECT_EQ(seen.title, "Velkor - 3.1.0  (9.9 Hz)D=0.101 s");
  EXPECT_EQ(seen.panel2, "");
  EXPECT_FALSE(seen.mn_convert);
  EXPECT_FALSE(seen.idle);
  EXPECT_FALSE(seen.keep_alive);
  EXPECT_TRUE(seen.bar);

  // The second iteration was completed and recorded; no third one began.
  EXPECT_EQ(decoder_.calls, 2);
  EXPECT_EQ(text_.samples.size(), 2u);
  EXPECT_EQ(workbook_.samples.size(), 1u);  // the press unticked the workbook box
  EXPECT_FALSE(model_.Checked(fp::Chenregistre));
  EXPECT_EQ(workbook_.runs_ended, 1);
  EXPECT_EQ(text_.runs_ended, 1);

  EXPECT_EQ(model_.Text(fp::cdparametre), "Paramètres - F3");
  EXPECT_TRUE(model_.Enabled(fp::cdparametre));
  EXPECT_TRUE(model_.Enabled(fp::mnConvert));
  EXPECT_EQ(model_.Text(fp::kWindow), "Velkor - 3.1.0");
  EXPECT_TRUE(flags_.MeasurementIdle);
  EXPECT_TRUE(keep_alive_->IsRunning());
  EXPECT_FALSE(model_.Visible(fp::ProgressBar1));
  EXPECT_FALSE(model_.Visible(fp::Lbtest));
  EXPECT_FALSE(Cycle().Running());
}

TEST_F(MeasurementCycleTest, StopScheduledBeforeTheFirstDecodeEndsAtOnce) {
  loop_.After(milliseconds(0), [&] { Cycle().PressStart(); });
  Play({Speed(1500), Speed(1500)});
  EXPECT_EQ(decoder_.calls, 0);
  EXPECT_EQ(model_.Text(fp::cdparametre), "Paramètres - F3");
  EXPECT_TRUE(flags_.MeasurementIdle);
}

TEST_F(MeasurementCycleTest, StartButtonDoesNothingWhileMeasuringIsNotAllowed) {
  flags_.MeasureAllowed = false;
  Play({Speed(1500)});
  EXPECT_EQ(decoder_.calls, 0);
  EXPECT_EQ(model_.Text(fp::cdparametre), "Paramètres - F3");
  EXPECT_TRUE(flags_.MeasurementIdle);
  EXPECT_TRUE(keep_alive_->IsRunning());
  EXPECT_EQ(run_hooks_.starts, 0);
}

TEST_F(MeasurementCycleTest, MissLimitReenablesTheConverterMenu) {
  Play({Speed(0, true), Speed(0, true), Speed(0, true)});
  EXPECT_TRUE(model_.Enabled(fp::mnConvert));
  EXPECT_EQ(workbook_.runs_ended, 1);
}

TEST_F(MeasurementCycleTest, PanelTwoTellsWhenAnotherLoopEndedMeanwhile) {
  std::vector<Step> steps(2, Speed(1500));
  steps[0].during = [this] { flags_.MeasurementIdle = true; };
  Play(steps);
  EXPECT_EQ(model_.Text(fp::lbPanel2), "Mesures en cours");
}

// ---- Recorders ------------------------------------------------------------------------------

TEST_F(MeasurementCycleTest, EachRecorderGetsThePassesWhileItsBoxIsTicked) {
  std::vector<Step> steps(4, Speed(1500));
  steps[1].during = [this] { model_.SetChecked(fp::Chenregistre, true); };
  steps[3].during = [this] { model_.SetChecked(fp::Chenregistre, false); };
  model_.SetChecked(fp::chCSV, true);
  Play(steps);

  ASSERT_EQ(workbook_.samples.size(), 2u);
  EXPECT_NEAR(workbook_.samples[0].Time, 0.202, 1e-4);  // the second pass
  EXPECT_NEAR(workbook_.samples[1].Time, 0.303, 1e-4);
  EXPECT_EQ(text_.samples.size(), 4u);
  EXPECT_EQ(workbook_.runs_ended, 1);
  EXPECT_EQ(text_.runs_ended, 1);

  // Without recorders the run goes on all the same.
  Cycle().SetRecorders(nullptr, nullptr);
  model_.SetChecked(fp::Chenregistre, true);
  Play({Speed(1500)});
  EXPECT_EQ(decoder_.calls, 5);
}

// The ECU stops answering mid-run: the missed passes are shown (the average falls), counted and
// traced, but neither recording gets their zeros; the passes around them are recorded as usual.
TEST_F(MeasurementCycleTest, PassesWithoutEngineDataAreNotRecorded) {
  flags_.AveragingDepth = 2;
  Step missed = Speed(0, /*red=*/true);
  missed.raw.arrived = false;
  std::vector<Step> steps = {Speed(1500), missed, Speed(1600), missed, missed, missed, Speed(1700)};
  model_.SetChecked(fp::chCSV, true);
  model_.SetChecked(fp::Chenregistre, true);
  std::vector<std::string> shown;
  hooks_.on_sample = [&](const LiveSample&) { shown.push_back(model_.Text(fp::Rmp)); };
  Play(steps);

  EXPECT_EQ(decoder_.calls, 6);  // the third miss in a row ended the run
  EXPECT_EQ(shown, (std::vector<std::string>{"1 500", "750", "1 600", "800", "0", "0"}));
  EXPECT_EQ(TraceFile(), "Raté: 1\r\nRaté: 1\r\nRaté: 2\r\n");
  for (const RecorderSpy* recorder : {&text_, &workbook_}) {
    ASSERT_EQ(recorder->samples.size(), 2u);
    EXPECT_FLOAT_EQ(recorder->samples[0].RPM, 1500);
    EXPECT_FLOAT_EQ(recorder->samples[1].RPM, 1600);
    EXPECT_EQ(recorder->runs_ended, 1);
  }
}

TEST_F(MeasurementCycleTest, GraphFollowsItsBoxAndItsPositionRestartsWithTheRun) {
  std::vector<Step> steps(3, Speed(1500));
  steps[1].during = [this] { model_.SetChecked(fp::chgraph, true); };
  Play(steps);
  EXPECT_EQ(hooks_.graph_rpm.size(), 2u);
  EXPECT_EQ(Cycle().GraphPosition(), 2);
  Play({Speed(1500)});
  EXPECT_EQ(Cycle().GraphPosition(), 1);
}

// ---- Test mode ------------------------------------------------------------------------------

struct RandomCase {
  double r;
  std::string rmp;
  std::string potar;
  std::string injection;
};

class CycleTestModeBoundsTest : public MeasurementCycleTest,
                                public ::testing::WithParamInterface<RandomCase> {};

TEST_P(CycleTestModeBoundsTest, SubstitutesEveryDrawnValue) {
  link_.TestMode = true;
  random_ = [this] { return GetParam().r; };
  Play({Speed(0)});
  EXPECT_EQ(model_.Text(fp::Rmp), GetParam().rmp);
  EXPECT_EQ(model_.Text(fp::Potar), GetParam().potar);
  EXPECT_EQ(model_.Text(fp::Injection), GetParam().injection);
  EXPECT_EQ(model_.Text(fp::lbPanel3), "Démo");
}

INSTANTIATE_TEST_SUITE_P(Random, CycleTestModeBoundsTest,
                         ::testing::Values(RandomCase{0.0, "990", "10.0", "6.00"},
                                           RandomCase{0.5, "3 490", "35.0", "7.00"},
                                           RandomCase{0.9999999, "5 990", "60.0", "7.00"},
                                           // A source straying to 1 stays in range.
                                           RandomCase{1.0, "5 990", "60.0", "7.00"}));

TEST_F(MeasurementCycleTest, TestModeStaysInRangeInStepsOfTheDepth) {
  link_.TestMode = true;
  flags_.AveragingDepth = 5;
  auto engine = std::make_shared<std::mt19937>(42);
  random_ = [engine] { return std::uniform_real_distribution<double>(0, 1)(*engine); };
  model_.SetChecked(fp::chCSV, true);
  Play(std::vector<Step>(200, Speed(0)));

  ASSERT_EQ(hooks_.stepper_rpm.size(), 200u);  // handed the displayed speed
  for (int speed : hooks_.stepper_rpm) {
    EXPECT_GE(speed, 990);
    EXPECT_LE(speed, 5990);
    EXPECT_EQ(speed % 10, 0);
  }
  bool averaged = false;
  for (const LiveSample& sample : text_.samples) {
    EXPECT_GE(sample.Injection, 6.0f);
    EXPECT_LE(sample.Injection, 7.0f);
    const float fifths = sample.Injection * 5;
    EXPECT_NEAR(fifths, std::round(fifths), 1e-4) << sample.Injection;
    averaged = averaged || std::abs(sample.Injection - std::round(sample.Injection)) > 0.1f;
  }
  EXPECT_TRUE(averaged);
}

// ---- Families -------------------------------------------------------------------------------

TEST_F(MeasurementCycleTest, FifteenMHidesItsTrimmerEntriesForTheRun) {
  link_.EcuType = Iaw15M;
  bool hidden = false;
  std::vector<Step> steps(1, Speed(1500));
  steps[0].during = [&] {
    hidden = !model_.Visible(fp::mnTrimmer) && !model_.Visible(fp::cdTrimer15);
  };
  Play(steps);
  EXPECT_TRUE(hidden);
  EXPECT_TRUE(model_.Visible(fp::mnTrimmer));
  EXPECT_TRUE(model_.Visible(fp::cdTrimer15));
  EXPECT_EQ(decoder_.families, std::vector<int>{Iaw15M});
}

TEST_F(MeasurementCycleTest, FamilyFourShowsTheTrimmerFrameWithItsSwitch) {
  run_hooks_.trimmer_initial = -3;
  link_.TestMode = true;
  bool frame_during = false;
  std::vector<Step> steps(1, Speed(1500));
  steps[0].during = [&] { frame_during = model_.Visible(fp::FrChgTrimmer); };
  Play(steps);
  EXPECT_TRUE(frame_during);
  EXPECT_FALSE(model_.Visible(fp::FrChgTrimmer));  // hidden when the run ends
  EXPECT_EQ(model_.Text(fp::cdTrimmer), "Reset to -3");
  EXPECT_EQ(model_.Value("HScrollTrimmer"), -3);
  EXPECT_EQ(run_hooks_.starts, 1);

  model_.SetEnabled(fp::Trimmer, false);
  Play(steps);
  EXPECT_FALSE(frame_during);
  EXPECT_FALSE(model_.Visible(fp::mnTrimmer));
}

// "Reset to n" only for a value the ECU told and the scroll bar can hold: an unknown value is
// not 0, and a byte 0x80 reads +128. Every run's end is told.
TEST_F(MeasurementCycleTest, TrimmerResetNeedsAKnownInitialValue) {
  struct Case {
    std::optional<int> initial;
    const char* caption;
    bool enabled;
    int scroll;
  };
  for (const Case& c : {Case{std::nullopt, "Reset to --", false, 7},
                        Case{128, "Reset to 128", false, 7}, Case{-3, "Reset to -3", true, -3}}) {
    SCOPED_TRACE(c.caption);
    run_hooks_.trimmer_initial = c.initial;
    link_.TestMode = true;
    model_.SetValue(fp::HScrollTrimmer, 7);
    model_.SetText(fp::lbTrimmer, "7");
    const int ends = run_hooks_.ends;
    std::vector<Step> steps(1, Speed(1500));
    Play(steps);
    EXPECT_EQ(model_.Text(fp::cdTrimmer), c.caption);
    EXPECT_EQ(model_.Enabled(fp::cdTrimmer), c.enabled);
    EXPECT_EQ(model_.Value(fp::HScrollTrimmer), c.scroll);
    EXPECT_EQ(model_.Text(fp::lbTrimmer), std::to_string(c.scroll));  // the label follows the bar
    EXPECT_EQ(run_hooks_.ends, ends + 1);
  }
}

TEST_F(MeasurementCycleTest, EobdRenamesThreeFrames) {
  link_.EcuType = Eobd;
  Play({Speed(1500)});
  EXPECT_EQ(model_.Text(fp::Frinject), "LOAD %");
  EXPECT_EQ(model_.Text(fp::Fravance), "Mass Air cg/s");
  EXPECT_EQ(model_.Text(fp::Frbatterie), "Speed");
}

TEST_F(MeasurementCycleTest, ByteFamiliesShowTheThrottleVoltage) {
  link_.EcuType = Iaw16M;
  Step step = Speed(1500);
  step.raw.tps_volt_text = "289";
  Play({step});
  EXPECT_EQ(model_.Text(fp::lbTPSVolt), "289");
}

}  // namespace
}  // namespace velkor
