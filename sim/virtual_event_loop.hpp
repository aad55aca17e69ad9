#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "core/event_loop.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor::sim {

// VirtualEventLoop: the message loop in virtual time. GiveTurn runs the UI events that are due;
// when none is, it jumps to the next event of any kind (after first letting the caller look at
// device work that just happened), so a wait loop that gives turns makes progress in simulated
// time (see VirtualClock::Turn). At/After script user actions as UI events: they run inside a
// turn, like a click handled by the message loop.
//   VirtualEventLoop loop(clock);
//   loop.After(std::chrono::milliseconds(300), [&] { stop_request = true; });
//   while (!stop_request) loop.GiveTurn();  // returns at t = 300 ms
class VirtualEventLoop : public EventLoop {
 public:
  explicit VirtualEventLoop(VirtualClock& clock) : clock_(clock) {}

  void GiveTurn() override;

  // A scripted user action at time `at` / after `delay`.
  EventId At(Nanos at, std::function<void()> action);
  EventId After(Nanos delay, std::function<void()> action);

  // Turns given so far, nested ones included.
  std::int64_t Turns() const { return turns_; }

  // Gives turns until `done` holds or `timeout` of virtual time has passed; returns done().
  bool RunUntil(const std::function<bool()>& done, Nanos timeout);

 private:
  VirtualClock& clock_;
  std::int64_t turns_ = 0;
};

// VirtualTimer: a message-loop timer in virtual time. While running it ticks every Interval()
// ms as a UI event (so only inside turns): the next tick is due one interval after the previous
// one was due, or one interval after it actually ran when that is already past (ticks held up
// by a pause come late, once, without a burst).
// Start restarts the count, SetInterval on a running timer restarts it, Stop and destruction
// cancel the pending tick. A tick never re-enters its own handler: while the handler runs
// (say, a nested wait loop giving turns), the timer's next tick waits until it returns. An
// interval below 1 ms ticks every 1 ms. A handler must not destroy its own timer.
class VirtualTimer : public Timer {
 public:
  explicit VirtualTimer(VirtualClock& clock) : clock_(clock) {}
  ~VirtualTimer() override;
  VirtualTimer(const VirtualTimer&) = delete;
  VirtualTimer& operator=(const VirtualTimer&) = delete;

  void SetInterval(int milliseconds) override;
  int Interval() const override { return interval_ms_; }
  void Start() override;
  void Stop() override;
  bool IsRunning() const override { return running_; }

  // Ticks delivered so far.
  int Ticks() const { return ticks_; }
  // Time the next tick is due, if one is pending.
  std::optional<Nanos> NextTick() const;

 private:
  Nanos Period() const;
  void ScheduleTick(Nanos at);
  void OnTick(Nanos due);

  VirtualClock& clock_;
  int interval_ms_ = 0;
  bool running_ = false;
  bool in_handler_ = false;
  bool overdue_ = false;  // a tick fell due while the handler was still running
  int ticks_ = 0;
  EventId pending_ = 0;
  Nanos pending_at_{0};
};

// VirtualTimerService: hands out VirtualTimers on one VirtualClock.
class VirtualTimerService : public TimerService {
 public:
  explicit VirtualTimerService(VirtualClock& clock) : clock_(clock) {}
  std::unique_ptr<Timer> CreateTimer() override;

 private:
  VirtualClock& clock_;
};

}  // namespace velkor::sim
