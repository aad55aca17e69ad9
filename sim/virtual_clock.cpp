#include "sim/virtual_clock.hpp"

#include <cmath>

namespace velkor::sim {

Nanos Seconds(double seconds) {
  if (!(seconds > 0.0)) return Nanos{0};
  return Nanos{std::llround(seconds * 1e9)};
}

double ToSeconds(Nanos time) { return static_cast<double>(time.count()) / 1e9; }

void VirtualClock::Pause(double seconds) { AdvanceTo(now_ + Seconds(seconds)); }

EventId VirtualClock::ScheduleAt(Nanos at, EventKind kind, std::function<void()> action) {
  if (at < now_) at = now_;
  const EventId id = next_seq_++;
  QueueOf(kind).emplace(Key{at, id}, std::move(action));
  index_.emplace(id, std::make_pair(kind, at));
  return id;
}

EventId VirtualClock::ScheduleAfter(Nanos delay, EventKind kind, std::function<void()> action) {
  return ScheduleAt(now_ + (delay > Nanos{0} ? delay : Nanos{0}), kind, std::move(action));
}

bool VirtualClock::Cancel(EventId id) {
  auto found = index_.find(id);
  if (found == index_.end()) return false;
  QueueOf(found->second.first).erase(Key{found->second.second, id});
  index_.erase(found);
  return true;
}

void VirtualClock::RunEvent(Queue& queue, Queue::iterator it) {
  // Taken out of the queue before it runs: the action may schedule, cancel or run nested
  // turns, all of which touch the queues.
  const Key key = it->first;
  std::function<void()> action = std::move(it->second);
  queue.erase(it);
  index_.erase(key.seq);
  if (key.time > now_) now_ = key.time;
  ++events_run_;
  if (&queue == &device_) device_activity_ = true;
  if (action) action();
}

void VirtualClock::AdvanceTo(Nanos until) {
  while (!device_.empty() && device_.begin()->first.time <= until) {
    RunEvent(device_, device_.begin());
  }
  if (until > now_) now_ = until;
}

void VirtualClock::RunUntil(Nanos until) {
  for (;;) {
    const bool has_device = !device_.empty() && device_.begin()->first.time <= until;
    const bool has_ui = !ui_.empty() && ui_.begin()->first.time <= until;
    if (!has_device && !has_ui) break;
    if (has_device && (!has_ui || device_.begin()->first < ui_.begin()->first)) {
      RunEvent(device_, device_.begin());
    } else {
      RunEvent(ui_, ui_.begin());
    }
  }
  if (until > now_) now_ = until;
}

bool VirtualClock::RunDueUi(EventId limit) {
  bool ran = false;
  for (;;) {
    auto ui = ui_.begin();
    while (ui != ui_.end() && ui->first.time <= now_ && ui->first.seq >= limit) ++ui;
    if (ui == ui_.end() || ui->first.time > now_) break;
    const Key key = ui->first;
    // Device events that come before it (scheduled at this same instant earlier) run first.
    if (!device_.empty() && device_.begin()->first < key) {
      RunEvent(device_, device_.begin());
      continue;
    }
    RunEvent(ui_, ui);
    ran = true;
  }
  return ran;
}

void VirtualClock::Turn() {
  const EventId limit = next_seq_;
  const bool fresh_device_work = device_activity_;
  device_activity_ = false;
  // After device work the caller has not looked at yet (the last byte of a reply arrived in
  // the previous turn) the turn returns at once, as a real one would in microseconds: a wait
  // loop that reads its condition before giving the turn then ends when the reply is complete,
  // not when its next timer falls due.
  if (!RunDueUi(limit) && !fresh_device_work) {
    // With nothing due, a real turn is over in a moment (the program's loop sleeps 200 us). An
    // idle turn therefore moves time on by at most 1 ms, to the next event when that is sooner:
    // a wait loop still steps from event to event, but a single turn between two steps of a
    // procedure never lets seconds pass (and an ECU's session time-out strike in between).
    const Nanos horizon = now_ + kIdleTurn;
    const bool ui_soon = !ui_.empty() && ui_.begin()->first.time <= horizon;
    const bool device_soon = !device_.empty() && device_.begin()->first.time <= horizon;
    if (device_soon && (!ui_soon || device_.begin()->first < ui_.begin()->first)) {
      AdvanceTo(device_.begin()->first.time);
      return;
    }
    if (!ui_soon) {
      AdvanceTo(horizon);
      return;
    }
    const Key next_ui = ui_.begin()->first;
    while (!device_.empty() && device_.begin()->first < next_ui) {
      RunEvent(device_, device_.begin());
    }
    if (next_ui.time > now_) now_ = next_ui.time;
    RunDueUi(limit);
  }
  // Device work that UI events started at this instant (a byte written by a click) is due.
  AdvanceTo(now_);
}

std::optional<Nanos> VirtualClock::NextEventTime() const {
  std::optional<Nanos> next;
  if (!device_.empty()) next = device_.begin()->first.time;
  if (!ui_.empty() && (!next || ui_.begin()->first.time < *next)) next = ui_.begin()->first.time;
  return next;
}

std::size_t VirtualClock::PendingEvents(EventKind kind) const {
  return kind == EventKind::kDevice ? device_.size() : ui_.size();
}

EventId ScopedEvents::At(Nanos at, EventKind kind, std::function<void()> action) {
  if (ids_.size() >= 64) {
    std::erase_if(ids_, [this](EventId id) { return !clock_.IsPending(id); });
  }
  const EventId id = clock_.ScheduleAt(at, kind, std::move(action));
  ids_.push_back(id);
  return id;
}

void ScopedEvents::CancelAll() {
  for (EventId id : ids_) clock_.Cancel(id);
  ids_.clear();
}

}  // namespace velkor::sim
