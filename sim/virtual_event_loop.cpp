#include "sim/virtual_event_loop.hpp"

namespace velkor::sim {

void VirtualEventLoop::GiveTurn() {
  ++turns_;
  clock_.Turn();
}

EventId VirtualEventLoop::At(Nanos at, std::function<void()> action) {
  return clock_.ScheduleAt(at, EventKind::kUi, std::move(action));
}

EventId VirtualEventLoop::After(Nanos delay, std::function<void()> action) {
  return clock_.ScheduleAfter(delay, EventKind::kUi, std::move(action));
}

bool VirtualEventLoop::RunUntil(const std::function<bool()>& done, Nanos timeout) {
  const Nanos deadline = clock_.Now() + timeout;
  while (!done() && clock_.Now() < deadline) {
    const std::optional<Nanos> next = clock_.NextEventTime();
    if (next && *next > deadline) {
      // Nothing happens before the deadline: do not let the turn jump past it.
      clock_.AdvanceTo(deadline);
      break;
    }
    GiveTurn();
  }
  return done();
}

VirtualTimer::~VirtualTimer() { clock_.Cancel(pending_); }

Nanos VirtualTimer::Period() const {
  const Nanos period = std::chrono::milliseconds(interval_ms_);
  return period < std::chrono::milliseconds(1) ? std::chrono::milliseconds(1) : period;
}

void VirtualTimer::SetInterval(int milliseconds) {
  interval_ms_ = milliseconds;
  if (running_) Start();
}

void VirtualTimer::Start() {
  clock_.Cancel(pending_);
  pending_ = 0;
  running_ = true;
  overdue_ = false;
  ScheduleTick(clock_.Now() + Period());
}

void VirtualTimer::Stop() {
  clock_.Cancel(pending_);
  pending_ = 0;
  running_ = false;
  overdue_ = false;
}

std::optional<Nanos> VirtualTimer::NextTick() const {
  if (pending_ == 0) return std::nullopt;
  return pending_at_;
}

void VirtualTimer::ScheduleTick(Nanos at) {
  pending_at_ = at;
  pending_ = clock_.ScheduleAt(at, EventKind::kUi, [this, at] { OnTick(at); });
}

void VirtualTimer::OnTick(Nanos due) {
  pending_ = 0;
  if (!running_) return;
  if (in_handler_) {
    overdue_ = true;
    return;
  }
  // The next tick is counted from when this one was due, as a message-loop timer does; a timer
  // that fell behind (ticks held up by a long pause) does not catch up with a burst but counts
  // from now. Scheduled before the handler runs so that the handler may stop or restart it.
  Nanos next = due + Period();
  if (next <= clock_.Now()) next = clock_.Now() + Period();
  ScheduleTick(next);
  ++ticks_;
  in_handler_ = true;
  Tick();
  in_handler_ = false;
  if (overdue_) {
    overdue_ = false;
    if (running_ && pending_ == 0) ScheduleTick(clock_.Now());
  }
}

std::unique_ptr<Timer> VirtualTimerService::CreateTimer() {
  return std::make_unique<VirtualTimer>(clock_);
}

}  // namespace velkor::sim
