// Whole measurement runs against the bench: the tester's cable, an ECU model of each family
// serving a steady idling engine, the real exchange, decoder and cycle, in virtual time.
#include <gtest/gtest.h>

#include <filesystem>

#include "config/language.hpp"
#include "config/settings.hpp"
#include "core/ctime_it.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "livedata/family_decoder.hpp"
#include "livedata/frmparam.hpp"
#include "livedata/measurement_cycle.hpp"
#include "sim/engine_model.hpp"
#include "sim/family_ecus.hpp"
#include "sim/kline_bus.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/tester_uart.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;

class CountingBeeper : public Beeper {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

class StopAfter : public CycleHooks {
 public:
  StopAfter(MeasurementFlags& flags, int iterations) : flags_(flags), left_(iterations) {}
  void SampleReady(const LiveSample&) override {
    if (--left_ <= 0) flags_.StopRequest = true;
  }

 private:
  MeasurementFlags& flags_;
  int left_;
};

struct Run {
  int displayed_speed = 0;
  int misses = 0;
  int beeps = 0;
  LiveSample sample;
  ScreenModel window;
};

// Measures `iterations` passes of family `family` against an idling engine; `ignition` false
// leaves the ECU silent.
std::unique_ptr<Run> Measure(int family, int iterations, bool ignition = true) {
  auto run = std::make_unique<Run>();
  sim::VirtualClock clock;
  sim::VirtualEventLoop loop(clock);
  sim::VirtualTimerService timers(clock);
  sim::KLineBus bus(clock);
  sim::TesterUart uart(clock, bus);
  sim::EngineSettings engine_settings;
  engine_settings.blips = false;
  sim::EngineModel engine(engine_settings);
  auto ecu = sim::MakeFamilyEcu(clock, bus, engine, family);
  ecu->SetIgnition(ignition);
  uart.Configure(sim::FamilyBaud(family));

  auto reply_timer = timers.CreateTimer();
  CTimeIt stopwatch(clock);
  TraceLog trace(stopwatch);
  LinkState link;
  link.EcuType = family;
  Exchange exchange(link, clock, loop, *reply_timer, trace);
  exchange.SetKLinePort(&uart);
  FamilyDecoder decoder(exchange, link, clock);
  sim::NoLanguageFiles no_files;
  Language language(no_files);
  Settings settings;
  MeasurementFlags flags;
  flags.AveragingDepth = 1;
  StopAfter hooks(flags, iterations);
  CountingBeeper beeper;
  run->window.SetEnabled(fp::cdparametre, true);
  MeasurementCycle cycle(MeasurementCycleServices{run->window, flags, link, decoder, clock, loop,
                                                  trace, language, hooks, beeper, settings, ""});
  cycle.PressStart();
  run->displayed_speed = cycle.DisplayedSpeed();
  run->misses = cycle.MissCount();
  run->beeps = beeper.beeps;
  run->sample = cycle.Sample();
  return run;
}

TEST(LiveDataScenario, EveryFamilyShowsAnIdlingEngine) {
  for (int family : {Iaw16M, Iaw15M, Iaw15RC, IawP8, Iaw59M5AM, Eobd}) {
    SCOPED_TRACE("family " + std::to_string(family));
    const auto run = Measure(family, 10);
    EXPECT_EQ(run->misses, 0);
    EXPECT_EQ(run->beeps, 0);
    EXPECT_GE(run->displayed_speed, 1100);
    EXPECT_LE(run->displayed_speed, 1300);
    EXPECT_GT(run->sample.Time, 0.0f);
    EXPECT_NEAR(run->sample.AirTemp, 25, 2);
    EXPECT_GE(run->sample.EngineTemp, 15);
    EXPECT_LE(run->sample.EngineTemp, 30);  // a cold engine, seconds after starting
    if (family != Eobd) {
      EXPECT_NEAR(run->sample.Voltage, 13.6, 0.5);  // EOBD shows km/h there
    }
    EXPECT_EQ(run->window.Text(fp::cdparametre), "Paramètres - F3");
  }
}

TEST(LiveDataScenario, IgnitionOffEndsTheRunAfterTheThirdMiss) {
  for (int family : {Iaw16M, Iaw59M5AM, Eobd}) {
    SCOPED_TRACE("family " + std::to_string(family));
    const auto run = Measure(family, 50, /*ignition=*/false);
    EXPECT_EQ(run->beeps, 2);
    EXPECT_EQ(run->displayed_speed, 0);
  }
}

}  // namespace
}  // namespace velkor
