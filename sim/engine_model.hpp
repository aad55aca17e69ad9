#pragma once

#include <cstdint>
#include <vector>

#include "sim/virtual_clock.hpp"

namespace velkor::sim {

// A small engine for the bench, so that live data move plausibly: a warm-up from cold on the
// stand, in neutral, idling around 1200 rpm with a little jitter and blipped now and then.
//
// Wiring one to an ECU model (see family_ecus.hpp) takes three lines:
//   sim::EngineModel engine({.seed = 7});
//   sim::ByteFamilyEcu ecu(clock, bus, engine, Iaw16M);  // or KwpEngineEcu, EobdEcu
//   uart.Configure(sim::FamilyBaud(Iaw16M));
// Tests that want exact figures use a FixedEngine instead, holding a state they chose.

// Every value an ECU can report, in plain units.
struct EngineState {
  double rpm = 0;
  double throttle_deg = 0;      // butterfly angle, 0 closed to kThrottleFullDeg wide open
  double throttle_percent = 0;  // the same opening in percent of full
  double pressure_hpa = 0;      // manifold absolute pressure: low at idle, near ambient when open
  double load_percent = 0;      // calculated load
  double injection_ms = 0;      // injector opening time per cycle; 0 while the fuel is cut
  double advance_deg = 0;       // ignition advance before top dead centre
  double air_c = 0;             // intake air
  double coolant_c = 0;
  double battery_v = 0;
  double lambda_mv = 0;     // narrow-band probe: ~100 mV lean, ~800 mV rich
  double air_flow_gps = 0;  // mass air flow, g/s
  double vehicle_kmh = 0;   // on the stand: 0

  static constexpr double kThrottleFullDeg = 84;
};

// Where an ECU model takes its values from.
class EngineSource {
 public:
  virtual ~EngineSource() = default;
  virtual EngineState At(Nanos t) = 0;
};

// The same state at every instant: for tests that check an answer byte by byte.
class FixedEngine : public EngineSource {
 public:
  explicit FixedEngine(EngineState fixed = {}) : state(fixed) {}
  EngineState At(Nanos) override { return state; }
  EngineState state;
};

struct EngineSettings {
  std::uint64_t seed = 1;
  double idle_rpm = 1200;
  double idle_jitter_rpm = 15;   // typical wander around the idle speed
  double start_coolant_c = 20;   // cold engine at time 0
  double warm_coolant_c = 90;    // the thermostat's temperature
  double warm_up_seconds = 240;  // time constant of the warm-up
  double air_c = 25;
  double ambient_hpa = 1013;
  bool blips = true;              // false: a steady idle
  double blip_every_seconds = 8;  // mean time between two throttle blips
};

// EngineModel: the engine simulated in fixed steps of 10 ms of virtual time from time 0. At(t)
// gives the state of the step t falls in, so the answer depends only on the seed and t, not on
// how often or in which order it is asked (asking for an earlier time replays from 0). Every
// random draw comes from the model's own generator, so a seed gives the same run everywhere.
class EngineModel : public EngineSource {
 public:
  explicit EngineModel(EngineSettings settings = {});

  EngineState At(Nanos t) override;
  const EngineSettings& Settings() const { return settings_; }

  static constexpr Nanos kStep = std::chrono::milliseconds(10);

 private:
  enum class Blip { kNone, kOpening, kHolding, kClosing };

  void Reset();
  void Step();
  // Uniform in [0, 1).
  double Random();
  // Uniform in [lo, hi).
  double Random(double lo, double hi) { return lo + (hi - lo) * Random(); }

  EngineSettings settings_;
  std::uint64_t rng_ = 0;
  std::int64_t step_ = 0;  // index of the step `state_` belongs to
  EngineState state_;

  // Throttle blips.
  Blip blip_ = Blip::kNone;
  double blip_phase_left_ = 0;  // seconds left in the current blip phase
  double blip_angle_ = 0;       // the angle the current blip opens to
  double next_blip_ = 0;        // seconds until the next blip starts
  // Slow parts of the engine.
  double mean_rpm_ = 0;     // speed following the throttle, without the jitter
  double wander_ = 0;       // idle jitter, a mean-reverting random walk
  double probe_phase_ = 0;  // closed-loop mixture oscillation, radians
  double probe_mv_ = 0;
};

// An engine that can be stopped and started, at once or at scripted times: for the commands that
// want the engine stopped (actuator tests, the throttle-sensor reset) or running (the stepper
// test, the trimmer), and for an engine that stalls or is started in the middle of a test.
// While it runs it gives the wrapped engine's state; stopped, the wrapped engine's temperatures
// and battery with no speed, no injection, no advance, the throttle closed, the manifold at the
// ambient pressure and the probe at rest. It runs from the start unless told otherwise.
class SwitchableEngine : public EngineSource {
 public:
  explicit SwitchableEngine(EngineSource& running) : running_(running) {}

  // Running (or stopped) at every instant, whatever was scripted before.
  void SetRunning(bool running);
  // Scripted changes: stopped, or running, from `t` on. Any number, kept in time order; two at
  // the same instant apply in the order they were given.
  void StopAt(Nanos t) { Script(t, false); }
  void StartAt(Nanos t) { Script(t, true); }
  bool RunningAt(Nanos t) const;

  EngineState At(Nanos t) override;

  double ambient_hpa = 1013;
  double probe_at_rest_mv = 450;  // an unheated narrow-band probe reads mid-scale

 private:
  struct Change {
    Nanos at;
    bool running;
  };
  void Script(Nanos t, bool running);

  EngineSource& running_;
  bool initially_running_ = true;
  std::vector<Change> changes_;  // sorted by time, stable
};

}  // namespace velkor::sim
