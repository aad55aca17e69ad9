#include "sim/kline_bus.hpp"

#include <algorithm>
#include <limits>

namespace velkor::sim {

namespace {
// History entries a driver keeps before old ones are pruned.
constexpr std::size_t kPruneThreshold = 4096;
}  // namespace

Nanos BitOffset(int baud, int bit) {
  if (baud <= 0) baud = 1;
  const std::int64_t ns = (static_cast<std::int64_t>(bit) * 1'000'000'000 + baud / 2) / baud;
  return Nanos{ns};
}

KLineBus::DriverId KLineBus::AddDriver(std::string name) {
  Driver driver;
  driver.name = std::move(name);
  driver.prune_at = kPruneThreshold;
  drivers_.push_back(std::move(driver));
  return static_cast<DriverId>(drivers_.size() - 1);
}

const std::string& KLineBus::DriverName(DriverId driver) const {
  static const std::string kUnknown = "?";
  if (driver < 0 || driver >= static_cast<DriverId>(drivers_.size())) return kUnknown;
  return drivers_[driver].name;
}

bool KLineBus::Level(const Driver& driver, Nanos t) {
  auto after = std::upper_bound(driver.changes.begin(), driver.changes.end(), t,
                                [](Nanos time, const LineLevel& l) { return time < l.time; });
  if (after == driver.changes.begin()) return driver.initial;
  return std::prev(after)->high;
}

void KLineBus::Drive(DriverId driver, bool high, Nanos at) {
  DriveSequence(driver, {LineLevel{at, high}});
}

void KLineBus::DriveSequence(DriverId driver, const std::vector<LineLevel>& levels) {
  if (levels.empty() || driver < 0 || driver >= static_cast<DriverId>(drivers_.size())) return;
  Record(drivers_[driver], levels);
  NotifyChange(std::max(levels.front().time, clock_.Now()));
}

void KLineBus::Record(Driver& driver, const std::vector<LineLevel>& levels) {
  const Nanos from = std::max(levels.front().time, clock_.Now());
  auto& changes = driver.changes;
  changes.erase(std::lower_bound(changes.begin(), changes.end(), from,
                                 [](const LineLevel& l, Nanos time) { return l.time < time; }),
                changes.end());
  Nanos last = from;
  for (const LineLevel& level : levels) {
    const Nanos t = std::max(level.time, last);
    last = t;
    const bool current = changes.empty() ? driver.initial : changes.back().high;
    if (level.high == current) continue;
    if (!changes.empty() && changes.back().time == t) {
      // Two levels at one instant: the later wins, and may undo the change altogether.
      changes.pop_back();
      const bool before = changes.empty() ? driver.initial : changes.back().high;
      if (before != level.high) changes.push_back(LineLevel{t, level.high});
    } else {
      changes.push_back(LineLevel{t, level.high});
    }
  }
  Prune(driver);
}

void KLineBus::Prune(Driver& driver) {
  // Pruned only when the history has doubled since the last time: amortised constant cost.
  if (driver.changes.size() < driver.prune_at) return;
  const Nanos cutoff = clock_.Now() - horizon_;
  auto keep = std::upper_bound(driver.changes.begin(), driver.changes.end(), cutoff,
                               [](Nanos time, const LineLevel& l) { return time < l.time; });
  if (keep != driver.changes.begin()) {
    driver.initial = std::prev(keep)->high;
    driver.changes.erase(driver.changes.begin(), keep);
  }
  driver.prune_at = std::max(kPruneThreshold, 2 * driver.changes.size());
}

bool KLineBus::DriverLevelAt(DriverId driver, Nanos t) const {
  if (driver < 0 || driver >= static_cast<DriverId>(drivers_.size())) return true;
  return Level(drivers_[driver], t);
}

bool KLineBus::LevelAt(Nanos t) const {
  return std::all_of(drivers_.begin(), drivers_.end(),
                     [t](const Driver& driver) { return Level(driver, t); });
}

std::vector<LineLevel> KLineBus::LineTransitions(Nanos from, Nanos to) const {
  struct Change {
    Nanos time;
    std::size_t driver;
    bool high;
  };
  std::vector<Change> all;
  std::vector<bool> levels(drivers_.size());
  int low_count = 0;
  for (std::size_t d = 0; d < drivers_.size(); ++d) {
    const Driver& driver = drivers_[d];
    levels[d] = Level(driver, from);
    if (!levels[d]) ++low_count;
    auto it = std::upper_bound(driver.changes.begin(), driver.changes.end(), from,
                               [](Nanos time, const LineLevel& l) { return time < l.time; });
    for (; it != driver.changes.end() && it->time <= to; ++it) {
      all.push_back(Change{it->time, d, it->high});
    }
  }
  std::stable_sort(all.begin(), all.end(),
                   [](const Change& a, const Change& b) { return a.time < b.time; });
  std::vector<LineLevel> result;
  bool line = low_count == 0;
  for (std::size_t i = 0; i < all.size();) {
    const Nanos time = all[i].time;
    for (; i < all.size() && all[i].time == time; ++i) {
      if (levels[all[i].driver] == all[i].high) continue;
      levels[all[i].driver] = all[i].high;
      low_count += all[i].high ? -1 : 1;
    }
    const bool now_high = low_count == 0;
    if (now_high != line) {
      line = now_high;
      result.push_back(LineLevel{time, line});
    }
  }
  return result;
}

std::optional<Nanos> KLineBus::NextFallingEdge(Nanos from) const {
  for (const LineLevel& change :
       LineTransitions(from - Nanos{1}, Nanos{std::numeric_limits<std::int64_t>::max()})) {
    if (!change.high) return change.time;
  }
  return std::nullopt;
}

int KLineBus::Subscribe(std::function<void(Nanos)> on_change) {
  const int id = next_subscription_++;
  on_change_.emplace(id, std::move(on_change));
  return id;
}

void KLineBus::Unsubscribe(int id) { on_change_.erase(id); }

void KLineBus::NotifyChange(Nanos from) {
  // Subscribers may subscribe, unsubscribe or drive the line themselves.
  std::vector<int> ids;
  for (const auto& [id, fn] : on_change_) ids.push_back(id);
  for (int id : ids) {
    auto it = on_change_.find(id);
    if (it == on_change_.end()) continue;
    auto fn = it->second;
    fn(from);
  }
}

void KLineBus::RecordSpeed(std::string who, int baud, bool configure) {
  speed_log_.push_back(SpeedChange{clock_.Now(), std::move(who), baud, configure});
  const SpeedChange change = speed_log_.back();
  std::vector<int> ids;
  for (const auto& [id, fn] : on_speed_) ids.push_back(id);
  for (int id : ids) {
    auto it = on_speed_.find(id);
    if (it == on_speed_.end()) continue;
    auto fn = it->second;
    fn(change);
  }
}

int KLineBus::SubscribeSpeed(std::function<void(const SpeedChange&)> on_speed) {
  const int id = next_subscription_++;
  on_speed_.emplace(id, std::move(on_speed));
  return id;
}

void KLineBus::UnsubscribeSpeed(int id) { on_speed_.erase(id); }

}  // namespace velkor::sim
