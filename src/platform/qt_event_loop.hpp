#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

#include "core/event_loop.hpp"

namespace velkor {

// A turn of the Qt message loop. Wait loops poll the cable between turns, so a turn that finds
// nothing to do sleeps a fraction of a millisecond rather than spinning a whole core.
class QtEventLoop : public EventLoop {
 public:
  void GiveTurn() override;
};

// A message-loop timer on QTimer: ticks arrive only while the loop runs (a turn, or idle).
class QtTimer : public Timer {
 public:
  QtTimer();
  void SetInterval(int milliseconds) override;
  int Interval() const override { return timer_.interval(); }
  void Start() override { timer_.start(); }
  void Stop() override { timer_.stop(); }
  bool IsRunning() const override { return timer_.isActive(); }

 private:
  QTimer timer_;
};

class QtTimerService : public TimerService {
 public:
  std::unique_ptr<Timer> CreateTimer() override { return std::make_unique<QtTimer>(); }
};

}  // namespace velkor
