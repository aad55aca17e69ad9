#include "sim/engine_model.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velkor::sim {

namespace {

constexpr double kDt = 0.01;  // seconds per step, = EngineModel::kStep
constexpr double kTwoPi = 2 * std::numbers::pi;

// Throttle.
constexpr double kIdleThrottleDeg = 1.8;  // the idle air screw holds the butterfly slightly open
constexpr double kBlipOpenSeconds = 0.15;
constexpr double kBlipCloseSeconds = 0.25;
// Engine speed follows the throttle: unloaded in neutral it spins up fast and falls back slower.
constexpr double kRpmRise = 7000;        // free-revving speed gained at a wide-open throttle
constexpr double kRpmRiseScaleDeg = 15;  // opening that gives 63 % of that gain
constexpr double kRpmLagUpSeconds = 0.3;
constexpr double kRpmLagDownSeconds = 0.6;
constexpr double kWanderSeconds = 0.5;  // time constant of the idle jitter
// Above idle by this much with the throttle shut, the fuel is cut (engine braking).
constexpr double kFuelCutAboveIdleRpm = 800;
// Lambda probe: switching time and swing.
constexpr double kProbeLagSeconds = 0.06;
constexpr double kProbeLeanMv = 100;
constexpr double kProbeRichMv = 800;
// A twin of about a litre.
constexpr double kDisplacementLitres = 1.0;
constexpr double kAirDensityGpl = 1.2;  // at 20 °C
constexpr double kVolumetricEfficiency = 0.85;

double Clamp01(double x) { return std::clamp(x, 0.0, 1.0); }

}  // namespace

EngineModel::EngineModel(EngineSettings settings) : settings_(settings) { Reset(); }

double EngineModel::Random() {
  // SplitMix64: tiny, fast, and the same sequence on every platform and library.
  std::uint64_t z = (rng_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<double>(z >> 11) * 0x1.0p-53;
}

void EngineModel::Reset() {
  rng_ = settings_.seed;
  step_ = -1;
  blip_ = Blip::kNone;
  blip_phase_left_ = 0;
  blip_angle_ = kIdleThrottleDeg;
  next_blip_ = Random(0.5, 1.5) * settings_.blip_every_seconds;
  mean_rpm_ = settings_.idle_rpm;
  wander_ = 0;
  probe_phase_ = Random(0, kTwoPi);
  probe_mv_ = kProbeLeanMv;
  state_ = {};
  state_.throttle_deg = kIdleThrottleDeg;  // so the first step sees no opening throttle
  Step();                                  // step 0: the state at time 0
}

EngineState EngineModel::At(Nanos t) {
  const std::int64_t target = std::max<std::int64_t>(0, t / kStep);
  if (target < step_) Reset();
  while (step_ < target) Step();
  return state_;
}

void EngineModel::Step() {
  ++step_;
  const double t = static_cast<double>(step_) * kDt;
  const EngineSettings& s = settings_;
  const double previous_throttle = state_.throttle_deg;
  EngineState e;

  // Throttle: idle, then now and then a blip (open quickly, hold, close).
  double throttle = kIdleThrottleDeg;
  if (s.blips) {
    if (blip_ == Blip::kNone) {
      next_blip_ -= kDt;
      if (next_blip_ <= 0) {
        blip_ = Blip::kOpening;
        blip_phase_left_ = kBlipOpenSeconds;
        blip_angle_ = Random(10, 55);
      }
    } else {
      blip_phase_left_ -= kDt;
      if (blip_phase_left_ <= 0) {
        if (blip_ == Blip::kOpening) {
          blip_ = Blip::kHolding;
          blip_phase_left_ = Random(0.2, 1.0);
        } else if (blip_ == Blip::kHolding) {
          blip_ = Blip::kClosing;
          blip_phase_left_ = kBlipCloseSeconds;
        } else {
          blip_ = Blip::kNone;
          next_blip_ = Random(0.5, 1.5) * s.blip_every_seconds;
        }
      }
    }
    const double open = blip_angle_ - kIdleThrottleDeg;
    switch (blip_) {
      case Blip::kNone:
        break;
      case Blip::kOpening:
        throttle += open * Clamp01(1 - blip_phase_left_ / kBlipOpenSeconds);
        break;
      case Blip::kHolding:
        throttle = blip_angle_;
        break;
      case Blip::kClosing:
        throttle += open * Clamp01(blip_phase_left_ / kBlipCloseSeconds);
        break;
    }
  }
  e.throttle_deg = throttle;
  e.throttle_percent = 100 * throttle / EngineState::kThrottleFullDeg;

  // Speed: a lag toward what the opening gives, plus the idle's own wander.
  const double target_rpm =
      s.idle_rpm + kRpmRise * (1 - std::exp(-(throttle - kIdleThrottleDeg) / kRpmRiseScaleDeg));
  const double lag = target_rpm > mean_rpm_ ? kRpmLagUpSeconds : kRpmLagDownSeconds;
  mean_rpm_ += (target_rpm - mean_rpm_) * kDt / lag;
  // Ornstein-Uhlenbeck walk whose spread settles at idle_jitter_rpm (unit-variance noise).
  const double noise = Random(-1, 1) * std::sqrt(3.0);
  wander_ += -wander_ * kDt / kWanderSeconds +
             s.idle_jitter_rpm * std::sqrt(2 / kWanderSeconds) * std::sqrt(kDt) * noise;
  e.rpm = std::max(0.0, mean_rpm_ + wander_);

  // Temperatures: the coolant warms toward the thermostat, then wavers as it opens and shuts.
  const double warm = 1 - std::exp(-t / s.warm_up_seconds);
  e.coolant_c = s.start_coolant_c + (s.warm_coolant_c - s.start_coolant_c) * warm +
                0.4 * warm * std::sin(kTwoPi * t / 45);
  e.air_c = s.air_c + 0.3 * std::sin(kTwoPi * t / 37);

  // Manifold pressure: the share of the ambient pressure the butterfly lets through against what
  // the cylinders draw. Vacuum at idle (about 500 hPa) and deeper on a closed-throttle
  // overrun, near ambient wide open at low speed.
  const double passage = 0.02 + throttle / 90;
  const double draw = 0.35 * e.rpm / 10000;
  e.pressure_hpa = s.ambient_hpa * passage / (passage + draw);
  e.load_percent = 100 * Clamp01((e.pressure_hpa - 0.1 * s.ambient_hpa) / (0.9 * s.ambient_hpa));

  // Air flow: speed-density of a four-stroke (one intake per two turns).
  const double density = kAirDensityGpl * 293.0 / (273.0 + e.air_c);
  e.air_flow_gps = kDisplacementLitres * density * (e.pressure_hpa / s.ambient_hpa) *
                   kVolumetricEfficiency * e.rpm / 120;

  // Mixture loop: the probe swings between lean and rich about once a second at idle, faster
  // with speed; shut on the overrun the fuel is cut and it reads lean, an opening throttle is
  // enriched and it reads rich.
  const bool fuel_cut =
      throttle <= kIdleThrottleDeg + 0.01 && e.rpm > s.idle_rpm + kFuelCutAboveIdleRpm;
  const double throttle_rate = (throttle - previous_throttle) / kDt;  // degrees per second
  const bool accelerating = throttle_rate > 20;
  probe_phase_ = std::fmod(probe_phase_ + kTwoPi * (0.7 + e.rpm / 3000) * kDt, kTwoPi);
  double probe_target = std::sin(probe_phase_) > 0 ? kProbeRichMv : kProbeLeanMv;
  if (fuel_cut) probe_target = 60;
  if (accelerating) probe_target = 850;
  probe_mv_ += (probe_target - probe_mv_) * kDt / kProbeLagSeconds;
  e.lambda_mv = probe_mv_ + Random(-15, 15);

  // Injection: proportional to the air in the cylinder, richer when cold, a little extra on an
  // opening throttle, trimmed by the mixture loop; nothing while the fuel is cut.
  const double cold = Clamp01((s.warm_coolant_c - e.coolant_c) / (s.warm_coolant_c - 20));
  const double trim = 0.03 * std::cos(probe_phase_);
  const double enrichment = accelerating ? std::min(1.0, throttle_rate / 200) : 0;
  e.injection_ms =
      fuel_cut ? 0
               : (0.8 + 5.6 * e.pressure_hpa / s.ambient_hpa) * (1 + 0.35 * cold) * (1 + trim) +
                     enrichment;

  // Advance: more with speed, less with load.
  e.advance_deg = std::clamp(10 + 26 * Clamp01((e.rpm - s.idle_rpm) / 5000) -
                                 10 * Clamp01((e.load_percent / 100 - 0.4) / 0.6),
                             0.0, 45.0);

  // Battery: the charging voltage is a little lower at idle than once the alternator spins up.
  e.battery_v = 13.6 + 0.5 * Clamp01((e.rpm - s.idle_rpm) / 2500) + Random(-0.02, 0.02);

  e.vehicle_kmh = 0;
  state_ = e;
}

void SwitchableEngine::SetRunning(bool running) {
  initially_running_ = running;
  changes_.clear();
}

void SwitchableEngine::Script(Nanos t, bool running) {
  const auto after = std::upper_bound(changes_.begin(), changes_.end(), t,
                                      [](Nanos at, const Change& c) { return at < c.at; });
  changes_.insert(after, Change{t, running});
}

bool SwitchableEngine::RunningAt(Nanos t) const {
  bool running = initially_running_;
  for (const Change& change : changes_) {
    if (change.at > t) break;
    running = change.running;
  }
  return running;
}

EngineState SwitchableEngine::At(Nanos t) {
  EngineState state = running_.At(t);
  if (RunningAt(t)) return state;
  state.rpm = 0;
  state.throttle_deg = 0;
  state.throttle_percent = 0;
  state.pressure_hpa = ambient_hpa;
  state.load_percent = 0;
  state.injection_ms = 0;
  state.advance_deg = 0;
  state.lambda_mv = probe_at_rest_mv;
  state.air_flow_gps = 0;
  state.vehicle_kmh = 0;
  return state;
}

}  // namespace velkor::sim
