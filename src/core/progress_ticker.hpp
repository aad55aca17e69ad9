#pragma once

#include <functional>

#include "core/event_loop.hpp"

namespace velkor {

// The progress of a timed command (an actuator test, a service routine, the stepper test): a
// count of ticks of its own timer up to a limit. Each command that shows progress has its own
// ticker on its own timer, so that one command's ticks never end or re-enable another's.
//
//   idle --Start(limit)--> running --tick k < limit: on_tick(k)--> running
//                             |--tick k == limit: on_end()--> idle
//                             +--Stop()--> idle (no callback)
class ProgressTicker {
 public:
  static constexpr int kTickMs = 200;

  explicit ProgressTicker(Timer& timer) : timer_(timer) {
    timer_.SetOnTick([this] { Tick(); });
  }
  ~ProgressTicker() {
    timer_.Stop();
    timer_.SetOnTick(nullptr);
  }
  ProgressTicker(const ProgressTicker&) = delete;
  ProgressTicker& operator=(const ProgressTicker&) = delete;

  // on_tick(count) after each tick below the limit; on_end() once when the limit is reached
  // (the timer is already stopped then, so on_end may start the ticker again).
  void SetOnTick(std::function<void(int count)> on_tick) { on_tick_ = std::move(on_tick); }
  void SetOnEnd(std::function<void()> on_end) { on_end_ = std::move(on_end); }

  // Counts from 0 to `limit` ticks of kTickMs.
  void Start(int limit) {
    count_ = 0;
    limit_ = limit;
    timer_.SetInterval(kTickMs);
    timer_.Start();
  }
  void Stop() { timer_.Stop(); }
  bool Running() const { return timer_.IsRunning(); }
  int Count() const { return count_; }
  int Limit() const { return limit_; }

 private:
  void Tick() {
    if (!timer_.IsRunning()) return;
    ++count_;
    if (count_ < limit_) {
      if (on_tick_) on_tick_(count_);
      return;
    }
    timer_.Stop();
    if (on_end_) on_end_();
  }

  Timer& timer_;
  std::function<void(int)> on_tick_;
  std::function<void()> on_end_;
  int count_ = 0;
  int limit_ = 0;
};

}  // namespace velkor
