#include "core/ctime_it.hpp"

#include <cmath>

namespace velkor {

CTimeIt::CTimeIt(const Clock& clock, std::int64_t frequency)
    : clock_(clock), frequency_(frequency > 0 ? frequency : 0) {}

std::int64_t CTimeIt::Count() const {
  if (frequency_ <= 0) return 0;
  // Counter ticks since the clock's origin; done in long double so no realistic run overflows.
  const long double ns = static_cast<long double>(clock_.Now().count());
  return static_cast<std::int64_t>(ns * frequency_ / 1e9L);
}

void CTimeIt::Start() {
  start_ = Count();
  stop_ = 0;
}

void CTimeIt::StopNow() { stop_ = Count(); }

double CTimeIt::Result() const {
  if (stop_ == 0 || frequency_ == 0) return -1.0;
  const double seconds = static_cast<double>(stop_ - start_) / static_cast<double>(frequency_);
  return std::round(seconds * 10000.0) / 10000.0;
}

}  // namespace velkor
