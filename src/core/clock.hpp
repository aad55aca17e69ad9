#pragma once

#include <chrono>

namespace velkor {

// Time source of the program. Every link timing (inter-byte gaps, wake-up pulses) is made by
// Pause; nothing on the link uses a sleep of its own or a message-loop timer.
class Clock {
 public:
  virtual ~Clock() = default;
  // Monotonic time since an arbitrary origin.
  virtual std::chrono::nanoseconds Now() const = 0;
  // Returns once at least `seconds` have elapsed. Gives the message loop no turn: no timer
  // ticks and no repaint happen during a pause.
  virtual void Pause(double seconds) = 0;
};

}  // namespace velkor
