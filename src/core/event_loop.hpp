#pragma once

#include <functional>
#include <memory>

namespace velkor {

// "Give the message loop a turn": clicks and timer ticks run inside it, so a wait loop that
// gives turns stays responsive and can be re-entered.
class EventLoop {
 public:
  virtual ~EventLoop() = default;
  virtual void GiveTurn() = 0;
};

// A message-loop timer: ticks every Interval() ms while running, and only inside a turn.
class Timer {
 public:
  virtual ~Timer() = default;
  // Changing the interval of a running timer restarts its count.
  virtual void SetInterval(int milliseconds) = 0;
  virtual int Interval() const = 0;
  // Starts the count from now (also when already running).
  virtual void Start() = 0;
  virtual void Stop() = 0;
  virtual bool IsRunning() const = 0;

  void SetOnTick(std::function<void()> on_tick) { on_tick_ = std::move(on_tick); }

 protected:
  void Tick() {
    if (on_tick_) on_tick_();
  }

 private:
  std::function<void()> on_tick_;
};

class TimerService {
 public:
  virtual ~TimerService() = default;
  virtual std::unique_ptr<Timer> CreateTimer() = 0;
};

}  // namespace velkor
