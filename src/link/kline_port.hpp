#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velkor {

// A raw K-line cable: the operations the wake-ups and the exchange need. Implemented by the
// FTDI port, the termios2 serial port and the bench. Like the cable drivers they stand for,
// callers mostly ignore the results; a closed or absent device behaves as a silent ECU.
class KLinePort {
 public:
  virtual ~KLinePort() = default;
  // Full set-up at `baud`: reset, purge both directions, speed, 8 data bits, no parity, 1 stop
  // bit. True only when every step succeeded.
  virtual bool Configure(int baud) = 0;
  // Speed only, nothing purged.
  virtual bool SetSpeed(int baud) = 0;
  // The speed last set (0 before any).
  virtual int Baud() const = 0;
  // Holds the line low (true) or releases it (false).
  virtual bool SetBreak(bool on) = 0;
  // Bytes received and not yet read (the echo of what was written included).
  virtual std::size_t BytesWaiting() = 0;
  // Reads up to max_bytes of what is waiting; never blocks.
  virtual std::vector<std::uint8_t> Read(std::size_t max_bytes) = 0;
  virtual bool WriteByte(std::uint8_t byte) = 0;
  // Drops everything received and not yet sent.
  virtual void Purge() = 0;
  // Waits until a byte is waiting, or at most `most`, so that a caller waiting for a reply
  // sleeps instead of polling. A cable that cannot be waited on returns at once.
  virtual void WaitReadable(std::chrono::microseconds most) { (void)most; }
};

}  // namespace velkor
