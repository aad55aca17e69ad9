#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/virtual_clock.hpp"

namespace velkor::sim {

// A level of a wire from `time` on: high (idle, mark, logical 1) or low (start bit, break).
struct LineLevel {
  Nanos time;
  bool high;
  bool operator==(const LineLevel&) const = default;
};

// KLineBus: the single K-line wire, open collector with a pull-up. Every party that can pull it
// low (the tester's UART, its break, each ECU model) is a driver with its own level history; the
// line is low whenever any driver is low (wired AND) and high otherwise. A driver may record
// levels ahead of time (a UART records a whole frame when it starts it); recording from time t
// replaces whatever that driver had recorded for t and later. The history is kept so receivers
// can sample any past instant; entries older than the horizon (10 s by default, enough for a
// five-baud byte) are pruned once a driver's history grows long.
// Besides the levels, the bus keeps a log of speed changes and configurations announced by the
// parties (so an ECU model or a pseudo-terminal front end can see the tester change speed).
//   KLineBus bus(clock);
//   auto ecu = bus.AddDriver("ecu");
//   bus.Drive(ecu, false, clock.Now());                       // pull low now
//   bus.Drive(ecu, true, clock.Now() + std::chrono::milliseconds(25));  // release in 25 ms
class KLineBus {
 public:
  using DriverId = int;

  // A speed set by a party: Configure (reset + purge + speed) or a speed change alone.
  struct SpeedChange {
    Nanos time;
    std::string who;
    int baud;
    bool configure;
  };

  explicit KLineBus(VirtualClock& clock) : clock_(clock) {}
  KLineBus(const KLineBus&) = delete;
  KLineBus& operator=(const KLineBus&) = delete;

  VirtualClock& clock() { return clock_; }

  // A new driver, idle (high) from the beginning.
  DriverId AddDriver(std::string name);
  const std::string& DriverName(DriverId driver) const;

  // The driver's level from `at` on (a past time means now).
  void Drive(DriverId driver, bool high, Nanos at);
  // Several levels of one driver at ascending times (>= now), recorded as one change.
  void DriveSequence(DriverId driver, const std::vector<LineLevel>& levels);

  // The line at time t (wired AND of every driver).
  bool LevelAt(Nanos t) const;
  bool DriverLevelAt(DriverId driver, Nanos t) const;
  // Changes of the line with from < time <= to, in order.
  std::vector<LineLevel> LineTransitions(Nanos from, Nanos to) const;
  // First high-to-low change of the line at or after `from`.
  std::optional<Nanos> NextFallingEdge(Nanos from) const;

  // Told whenever some driver's recorded levels change from time `from` on (from may lie in the
  // future: levels are recorded ahead). Returns an id for Unsubscribe.
  int Subscribe(std::function<void(Nanos from)> on_change);
  void Unsubscribe(int id);

  void RecordSpeed(std::string who, int baud, bool configure);
  const std::vector<SpeedChange>& SpeedLog() const { return speed_log_; }
  // Told of every speed change as it is recorded.
  int SubscribeSpeed(std::function<void(const SpeedChange&)> on_speed);
  void UnsubscribeSpeed(int id);

  void SetHistoryHorizon(Nanos horizon) { horizon_ = horizon; }

 private:
  struct Driver {
    std::string name;
    bool initial = true;             // level before the first recorded change
    std::vector<LineLevel> changes;  // ascending times, each a real change of level
    std::size_t prune_at = 0;        // history size that triggers the next pruning
  };

  static bool Level(const Driver& driver, Nanos t);
  void Record(Driver& driver, const std::vector<LineLevel>& levels);
  void Prune(Driver& driver);
  void NotifyChange(Nanos from);

  VirtualClock& clock_;
  std::vector<Driver> drivers_;
  std::map<int, std::function<void(Nanos)>> on_change_;
  std::map<int, std::function<void(const SpeedChange&)>> on_speed_;
  int next_subscription_ = 1;
  std::vector<SpeedChange> speed_log_;
  Nanos horizon_ = std::chrono::seconds(10);
};

// Bit boundary `bit` (0 = start of the start bit, 10 = end of the stop bit) of a frame at
// `baud`, from the frame's start; computed per boundary so that no rounding accumulates.
Nanos BitOffset(int baud, int bit);
// One frame of 10 bits (start, 8 data, stop) at `baud`.
inline Nanos FrameTime(int baud) { return BitOffset(baud, 10); }

}  // namespace velkor::sim
