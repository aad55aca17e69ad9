#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "core/clock.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/kline_port.hpp"

namespace velkor {

// Times the steps of one wake-up pattern on deadlines counted from the pattern's start: each
// wait pauses until start + offset, so the small overshoot of every Pause is absorbed by the
// next one instead of adding up over the bits of a slow byte.
class PatternTimer {
 public:
  explicit PatternTimer(Clock& clock) : clock_(clock), start_(clock.Now()) {}
  // Pauses until `seconds` after the start; returns at once when that moment has passed.
  void Until(double seconds);

 private:
  Clock& clock_;
  std::chrono::nanoseconds start_;
};

// Draws `address` on the K-line at 1 / bit_time baud with the cable's break: start bit low,
// the eight data bits least significant first (zero low, one high), then the line released for
// the stop bit and idle. Neighbouring equal bits make one level. A null port only waits.
void Baud5Set(KLinePort* port, Clock& clock, float bit_time, std::uint16_t address);

// Bit time and address of the slow wake-up of the KWP families.
inline constexpr float kFiveBaudBitTime = 0.2f;
inline constexpr std::uint16_t kKwpEcuAddress = 0x10;

// The slow wake-up before a start-communication request: 0.4 s of idle line, the address byte
// at 5 baud, then listening for the ECU's 55 and two key bytes; when they came, the second key
// byte inverted goes back 32 ms later, followed by 0.1 s of quiet. The ECU's own confirmation
// is left for the next exchange to discard. Returns the confirmation byte when one was sent.
std::optional<std::uint8_t> FiveBaudWakeUp(Exchange& exchange, KLinePort* port, Clock& clock,
                                           TraceLog& trace);

}  // namespace velkor
