#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"

namespace velkor::sim {
namespace {

using namespace std::chrono_literals;

// Records what ran and when, as "name@ms".
class VirtualTimeTest : public ::testing::Test {
 protected:
  std::function<void()> Note(std::string name) {
    return [this, name] { log_.push_back(name + "@" + std::to_string(Ms())); };
  }
  std::int64_t Ms() const { return clock_.Now() / 1ms; }

  VirtualClock clock_;
  VirtualEventLoop loop_{clock_};
  VirtualTimerService timers_{clock_};
  std::vector<std::string> log_;
};

TEST_F(VirtualTimeTest, SecondsRoundsToNanosecondsAndRefusesNonsense) {
  EXPECT_EQ(Seconds(0.006), 6ms);
  EXPECT_EQ(Seconds(0.15), 150ms);
  EXPECT_EQ(Seconds(-1.0), 0ns);
  EXPECT_EQ(Seconds(std::nan("")), 0ns);
}

TEST_F(VirtualTimeTest, EventsRunInTimeThenSchedulingOrderAtTheirOwnTime) {
  clock_.ScheduleAt(5ms, EventKind::kDevice, Note("b"));
  clock_.ScheduleAt(2ms, EventKind::kDevice, Note("a"));
  clock_.ScheduleAt(5ms, EventKind::kDevice, Note("c"));
  clock_.ScheduleAt(9ms, EventKind::kDevice, Note("late"));

  clock_.Pause(0.006);

  EXPECT_EQ(log_, (std::vector<std::string>{"a@2", "b@5", "c@5"}));
  EXPECT_EQ(clock_.Now(), 6ms);
  EXPECT_EQ(clock_.PendingEvents(EventKind::kDevice), 1u);
}

TEST_F(VirtualTimeTest, PauseRunsDeviceEventsButLeavesUiEventsForTheNextTurn) {
  loop_.At(1ms, Note("click"));
  clock_.ScheduleAt(3ms, EventKind::kDevice, Note("byte"));

  clock_.Pause(0.010);
  EXPECT_EQ(log_, (std::vector<std::string>{"byte@3"}));

  loop_.GiveTurn();
  EXPECT_EQ(log_, (std::vector<std::string>{"byte@3", "click@10"}));
  EXPECT_EQ(clock_.Now(), 10ms);
}

TEST_F(VirtualTimeTest, IdleTurnMovesToTheNextEventButNeverMoreThanOneMillisecond) {
  clock_.ScheduleAt(1ms, EventKind::kDevice, Note("byte"));
  loop_.At(2ms, Note("click"));
  clock_.ScheduleAt(5s, EventKind::kDevice, Note("late"));

  loop_.GiveTurn();
  EXPECT_EQ(log_, (std::vector<std::string>{"byte@1"}));
  // The caller first gets a turn to see what the byte did; then time moves on.
  loop_.GiveTurn();
  EXPECT_EQ(clock_.Now(), 1ms);
  loop_.GiveTurn();
  EXPECT_EQ(log_, (std::vector<std::string>{"byte@1", "click@2"}));
  // The next event is seconds away: a single turn must not carry a procedure there.
  loop_.GiveTurn();
  EXPECT_EQ(clock_.Now(), 3ms);
  EXPECT_EQ(log_.size(), 2u);
  EXPECT_EQ(loop_.Turns(), 4);
}

TEST_F(VirtualTimeTest, WaitLoopEndsWhenItsConditionBecomesTrueNotAtItsNextTimer) {
  // The exchange reads the queue, then gives a turn, then tests what it read: the turn after
  // the last byte must not jump to the reply time-out.
  auto reply_timer = timers_.CreateTimer();
  bool timeout = false;
  reply_timer->SetOnTick([&] { timeout = true; });
  reply_timer->SetInterval(600);
  reply_timer->Start();
  int queued = 0;
  for (int i = 1; i <= 3; ++i) {
    clock_.ScheduleAt(i * 10ms, EventKind::kDevice, [&] { ++queued; });
  }
  int seen = 0;
  do {
    seen = queued;
    loop_.GiveTurn();
  } while (seen < 3 && !timeout);
  EXPECT_EQ(clock_.Now(), 30ms);
  EXPECT_FALSE(timeout);
}

TEST_F(VirtualTimeTest, UiEventScheduledInsideATurnWaitsForTheNextTurn) {
  loop_.At(0ms, [this] {
    Note("first")();
    loop_.At(clock_.Now(), Note("second"));
  });

  loop_.GiveTurn();
  EXPECT_EQ(log_, (std::vector<std::string>{"first@0"}));
  loop_.GiveTurn();
  EXPECT_EQ(log_, (std::vector<std::string>{"first@0", "second@0"}));
}

TEST_F(VirtualTimeTest, UiEventMayRunANestedWaitLoop) {
  bool stop = false;
  loop_.At(10ms, [&] {
    Note("wait begins")();
    while (!stop) loop_.GiveTurn();
    Note("wait ends")();
  });
  loop_.At(30ms, [&] {
    Note("stop")();
    stop = true;
  });
  clock_.ScheduleAt(20ms, EventKind::kDevice, Note("byte"));

  clock_.RunFor(50ms);

  EXPECT_EQ(log_,
            (std::vector<std::string>{"wait begins@10", "byte@20", "stop@30", "wait ends@30"}));
  EXPECT_EQ(clock_.Now(), 50ms);
}

TEST_F(VirtualTimeTest, CancelledEventNeverRuns) {
  const EventId id = clock_.ScheduleAt(1ms, EventKind::kDevice, Note("gone"));
  EXPECT_TRUE(clock_.Cancel(id));
  EXPECT_FALSE(clock_.Cancel(id));
  EXPECT_FALSE(clock_.Cancel(0));
  clock_.RunFor(5ms);
  EXPECT_TRUE(log_.empty());
}

TEST_F(VirtualTimeTest, ScopedEventsAreCancelledWithTheirOwner) {
  auto owner = std::make_unique<ScopedEvents>(clock_);
  owner->After(1ms, EventKind::kDevice, Note("owned"));
  owner.reset();
  clock_.RunFor(5ms);
  EXPECT_TRUE(log_.empty());
}

TEST_F(VirtualTimeTest, TimerTicksPeriodicallyOnlyInsideTurns) {
  auto timer = timers_.CreateTimer();
  timer->SetOnTick(Note("tick"));
  timer->SetInterval(100);
  timer->Start();

  clock_.Pause(0.35);
  EXPECT_TRUE(log_.empty());
  // Held up by the pause, the tick comes once at the next turn, then counts on from there.
  loop_.RunUntil([] { return false; }, 300ms);
  EXPECT_EQ(log_, (std::vector<std::string>{"tick@350", "tick@450", "tick@550", "tick@650"}));
}

TEST_F(VirtualTimeTest, TimerRestartsStopsAndDies) {
  struct Case {
    std::string name;
    std::function<void(Timer&)> at_50ms;
    std::vector<std::string> ticks_in_250ms;
  };
  const std::vector<Case> cases = {
      {"untouched", [](Timer&) {}, {"tick@100", "tick@200"}},
      {"SetInterval restarts the count",
       [](Timer& t) { t.SetInterval(100); },
       {"tick@150", "tick@250"}},
      {"Start restarts the count", [](Timer& t) { t.Start(); }, {"tick@150", "tick@250"}},
      {"Stop cancels the pending tick", [](Timer& t) { t.Stop(); }, {}},
      {"new interval",
       [](Timer& t) { t.SetInterval(30); },
       {"tick@80", "tick@110", "tick@140", "tick@170", "tick@200", "tick@230"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VirtualClock clock;
    VirtualEventLoop loop(clock);
    VirtualTimerService timers(clock);
    std::vector<std::string> ticks;
    auto timer = timers.CreateTimer();
    timer->SetOnTick([&] { ticks.push_back("tick@" + std::to_string(clock.Now() / 1ms)); });
    timer->SetInterval(100);
    timer->Start();
    loop.At(50ms, [&] { c.at_50ms(*timer); });
    clock.RunFor(250ms);
    EXPECT_EQ(ticks, c.ticks_in_250ms);
  }
}

TEST_F(VirtualTimeTest, DestroyedTimerLeavesNothingScheduled) {
  auto timer = timers_.CreateTimer();
  timer->SetInterval(10);
  timer->Start();
  EXPECT_EQ(clock_.PendingEvents(EventKind::kUi), 1u);
  timer.reset();
  EXPECT_EQ(clock_.PendingEvents(EventKind::kUi), 0u);
}

TEST_F(VirtualTimeTest, TimerStoppedFromItsOwnTickTicksOnce) {
  auto timer = timers_.CreateTimer();
  Timer* self = timer.get();
  timer->SetOnTick([&] {
    Note("tick")();
    self->Stop();
  });
  timer->SetInterval(20);
  timer->Start();
  clock_.RunFor(100ms);
  EXPECT_EQ(log_, (std::vector<std::string>{"tick@20"}));
  EXPECT_FALSE(timer->IsRunning());
}

TEST_F(VirtualTimeTest, TickHandlerRunningAWaitLoopIsNotReentered) {
  // The keep-alive's tick runs an exchange, which gives turns while it waits: its own timer must
  // not tick into it again, while other timers (the reply time-out) keep ticking.
  auto keep_alive = timers_.CreateTimer();
  auto reply_timeout = timers_.CreateTimer();
  int depth = 0;
  int max_depth = 0;
  bool timed_out = false;
  reply_timeout->SetOnTick([&] {
    Note("timeout")();
    timed_out = true;
  });
  int calls = 0;
  keep_alive->SetOnTick([&] {
    ++depth;
    max_depth = std::max(max_depth, depth);
    Note("keep-alive")();
    if (++calls > 1) {
      --depth;
      return;
    }
    timed_out = false;
    reply_timeout->SetInterval(250);
    reply_timeout->Start();
    while (!timed_out) loop_.GiveTurn();
    reply_timeout->Stop();
    --depth;
  });
  keep_alive->SetInterval(100);
  keep_alive->Start();

  clock_.RunFor(400ms);

  EXPECT_EQ(max_depth, 1);
  // Due at 200 and 300 during the first handler, the keep-alive ticks once more when it returns.
  EXPECT_EQ(log_, (std::vector<std::string>{"keep-alive@100", "timeout@350", "keep-alive@350"}));
}

TEST_F(VirtualTimeTest, WaitLoopEndsWhenItsTimeoutTimerTicks) {
  // The exchange's wait: give turns until enough bytes or the reply timer ticked.
  auto reply_timer = timers_.CreateTimer();
  bool timeout = false;
  reply_timer->SetOnTick([&] { timeout = true; });
  clock_.Pause(0.036);
  reply_timer->SetInterval(600);
  reply_timer->Start();
  while (!timeout) loop_.GiveTurn();
  EXPECT_EQ(clock_.Now(), 636ms);
  EXPECT_EQ(loop_.Turns(), 600);  // one per millisecond of idle wait
}

}  // namespace
}  // namespace velkor::sim
