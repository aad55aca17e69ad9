#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace velkor {

// Why an open failed, for the callers that react differently.
enum class SerialError { kNone, kNoSuchPort, kInUse, kAccessDenied, kOther };

// A serial port carrying text or bytes (the ELM327 adapter, the AFR devices). Implemented by the
// termios2 port and by the bench.
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // `settings` as "38400,n,8,1". Flow control is always off.
  virtual bool Open(const std::string& port, const std::string& settings) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual std::size_t BytesWaiting() = 0;
  // Everything received so far, as raw bytes in a string; never blocks.
  virtual std::string ReadAll() = 0;
  virtual bool Write(std::string_view data) = 0;
  // Waits until a byte is waiting, or at most `most`; a port that cannot be waited on returns at
  // once.
  virtual void WaitReadable(std::chrono::microseconds most) { (void)most; }
  // Text of the last failure, for the user.
  virtual std::string LastError() const { return {}; }
  virtual SerialError LastErrorKind() const { return SerialError::kOther; }
};

}  // namespace velkor
