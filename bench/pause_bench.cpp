// Pause against a pure busy wait, side by side: lateness past the deadline and CPU time of the
// waiting thread. RealClock::Pause should be as punctual as the spin (p99 within 0.2 ms) at no
// more than a quarter of its CPU.
//
// Prints one line per wait length:
//   pause <ms>ms: p99_late_us=.. mean_late_us=.. cpu_pct=.. spin_p99_late_us=.. spin_cpu_pct=..

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/number_format.hpp"
#include "platform/real_clock.hpp"

namespace {

using SteadyClock = std::chrono::steady_clock;
using velkor::FormatNumber;

double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

struct Series {
  std::vector<double> late_us;
  double cpu_seconds = 0.0;
  double wall_seconds = 0.0;

  double P99() const {
    std::vector<double> sorted = late_us;
    std::sort(sorted.begin(), sorted.end());
    const auto rank =
        static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(sorted.size())));
    return sorted[rank == 0 ? 0 : rank - 1];
  }
  double Mean() const {
    double sum = 0.0;
    for (double x : late_us) sum += x;
    return sum / static_cast<double>(late_us.size());
  }
  double CpuPercent() const { return 100.0 * cpu_seconds / wall_seconds; }
};

// Times one wait made by `wait` (given the deadline it must reach) into `series`.
template <typename Wait>
void Measure(double seconds, Series& series, Wait wait) {
  const double cpu_start = ThreadCpuSeconds();
  const SteadyClock::time_point start = SteadyClock::now();
  const SteadyClock::time_point deadline =
      start + std::chrono::ceil<std::chrono::nanoseconds>(std::chrono::duration<double>(seconds));
  wait(seconds, deadline);
  const SteadyClock::time_point end = SteadyClock::now();
  series.cpu_seconds += ThreadCpuSeconds() - cpu_start;
  series.wall_seconds += std::chrono::duration<double>(end - start).count();
  series.late_us.push_back(std::chrono::duration<double, std::micro>(end - deadline).count());
}

}  // namespace

int main() {
  velkor::RealClock clock;
  struct Run {
    int milliseconds;
    int count;
  };
  for (const Run run : {Run{6, 200}, Run{25, 80}}) {
    const double seconds = run.milliseconds / 1000.0;
    Series pause;
    Series spin;
    // Interleaved so both see the same load on the machine.
    for (int i = 0; i < run.count; ++i) {
      Measure(seconds, pause, [&](double s, SteadyClock::time_point) { clock.Pause(s); });
      Measure(seconds, spin, [](double, SteadyClock::time_point deadline) {
        while (SteadyClock::now() < deadline) {
        }
      });
    }
    const auto one_decimal = [](double value) { return FormatNumber(value, "0.0"); };
    std::printf(
        "pause %dms: p99_late_us=%s mean_late_us=%s cpu_pct=%s spin_p99_late_us=%s "
        "spin_cpu_pct=%s\n",
        run.milliseconds, one_decimal(pause.P99()).c_str(), one_decimal(pause.Mean()).c_str(),
        one_decimal(pause.CpuPercent()).c_str(), one_decimal(spin.P99()).c_str(),
        one_decimal(spin.CpuPercent()).c_str());
  }
  return 0;
}
