#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/clock.hpp"

namespace velkor::sim {

// Virtual time of the bench, in nanoseconds from 0.
using Nanos = std::chrono::nanoseconds;

// Seconds as virtual time, rounded to the nanosecond; negative and NaN give 0.
Nanos Seconds(double seconds);
// Virtual time as seconds, for messages and comparisons in tests.
double ToSeconds(Nanos time);

// Device events are the world outside the program (bytes and levels on a wire): they happen
// whenever time passes, inside Pause too. UI events are message-loop work (timer ticks, scripted
// clicks): they run only inside a turn of the message loop, never inside Pause.
enum class EventKind { kDevice, kUi };

// Identifies a scheduled event; 0 is never used, so it can mean "none".
using EventId = std::uint64_t;

// VirtualClock: the program's Clock in simulated time, with a discrete-event scheduler.
// Events run in order of time, then of scheduling; inside an event Now() is the event's time.
// Pause advances time and runs only device events; a turn of the message loop
// (VirtualEventLoop) runs UI events; RunUntil/RunFor run everything, as an idle message loop
// would. Single-threaded; events may schedule, cancel and run nested turns or pauses.
//   VirtualClock clock;
//   clock.ScheduleAfter(std::chrono::milliseconds(5), EventKind::kDevice, [] { ... });
//   clock.Pause(0.010);  // runs it at t = 5 ms, returns at t = 10 ms
class VirtualClock : public Clock {
 public:
  Nanos Now() const override { return now_; }
  // Advances time by `seconds`, running every device event due until then at its own time.
  void Pause(double seconds) override;

  // Schedules `action` at time `at` (a time already past means now).
  EventId ScheduleAt(Nanos at, EventKind kind, std::function<void()> action);
  EventId ScheduleAfter(Nanos delay, EventKind kind, std::function<void()> action);
  // Removes a pending event; false when it already ran, was cancelled, or is 0.
  bool Cancel(EventId id);
  bool IsPending(EventId id) const { return index_.count(id) != 0; }

  // Device events up to `until` (as Pause does), then time is `until` (never moves back).
  void AdvanceTo(Nanos until);
  // Every event up to `until`, UI events included, as if the message loop were idle; then
  // time is `until`.
  void RunUntil(Nanos until);
  void RunFor(Nanos duration) { RunUntil(now_ + duration); }

  // One turn of the message loop: runs the UI events due now (and the device events due before
  // them). When none is due: if device events ran since the previous turn, returns at once so
  // the caller sees what they did (a byte arrived) before time moves on; otherwise advances to
  // the next event of any kind within kIdleTurn and runs it, or by kIdleTurn when none is that
  // near.
  // So a wait loop progresses from event to event, and one that gives a turn after reading its
  // condition still ends at the instant the condition became true. Only events scheduled before
  // the turn began run in it: a timer that reschedules itself at once cannot hold a turn forever.
  void Turn();
  static constexpr Nanos kIdleTurn = std::chrono::milliseconds(1);

  // Time of the earliest pending event of either kind.
  std::optional<Nanos> NextEventTime() const;
  std::size_t PendingEvents(EventKind kind) const;
  // Events run since creation.
  std::uint64_t EventsRun() const { return events_run_; }

 private:
  struct Key {
    Nanos time;
    EventId seq;
    auto operator<=>(const Key&) const = default;
  };
  using Queue = std::map<Key, std::function<void()>>;

  Queue& QueueOf(EventKind kind) { return kind == EventKind::kDevice ? device_ : ui_; }
  // Removes the event at `it` from `queue`, moves time to it and runs it.
  void RunEvent(Queue& queue, Queue::iterator it);
  // Runs UI events due now whose sequence is below `limit`; true when one ran.
  bool RunDueUi(EventId limit);

  Nanos now_{0};
  EventId next_seq_ = 1;
  std::uint64_t events_run_ = 0;
  bool device_activity_ = false;  // a device event ran since the last turn began
  Queue device_;
  Queue ui_;
  std::unordered_map<EventId, std::pair<EventKind, Nanos>> index_;
};

// ScopedEvents: events scheduled on behalf of one object, cancelled when that object goes away,
// so that a model destroyed before the clock leaves no event pointing at it.
class ScopedEvents {
 public:
  explicit ScopedEvents(VirtualClock& clock) : clock_(clock) {}
  ~ScopedEvents() { CancelAll(); }
  ScopedEvents(const ScopedEvents&) = delete;
  ScopedEvents& operator=(const ScopedEvents&) = delete;

  EventId At(Nanos at, EventKind kind, std::function<void()> action);
  EventId After(Nanos delay, EventKind kind, std::function<void()> action) {
    return At(clock_.Now() + delay, kind, std::move(action));
  }
  void CancelAll();

 private:
  VirtualClock& clock_;
  std::vector<EventId> ids_;
};

}  // namespace velkor::sim
