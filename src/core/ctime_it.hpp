#pragma once

#include <cstdint>

#include "core/clock.hpp"

namespace velkor {

// High-resolution stopwatch. Counts are read from the clock at a fixed counter frequency and
// the result is in seconds rounded to 0.0001 s.
class CTimeIt {
 public:
  static constexpr std::int64_t kDefaultFrequency = 10'000'000;  // counts per second
  static constexpr const char* kNoCounterMessage =
      "This timer class doesn't support high frequency clock's!";

  explicit CTimeIt(const Clock& clock, std::int64_t frequency = kDefaultFrequency);

  void Start();
  void StopNow();
  // (stop - start) / frequency in seconds, or -1 when not stopped or without a counter.
  double Result() const;
  std::int64_t Frequency() const { return frequency_; }
  // False when the counter frequency is not positive; the caller shows kNoCounterMessage.
  bool HasCounter() const { return frequency_ > 0; }

 private:
  std::int64_t Count() const;

  const Clock& clock_;
  std::int64_t frequency_;
  std::int64_t start_ = 0;
  std::int64_t stop_ = 0;
};

}  // namespace velkor
