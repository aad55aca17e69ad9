#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/kline_port.hpp"
#include "link/serial_port.hpp"

namespace velkor {

enum class Parity { kNone, kEven, kOdd };

// A serial line format as written in the settings text "38400,n,8,1".
struct LineSettings {
  int baud = 0;
  Parity parity = Parity::kNone;
  int data_bits = 8;
  int stop_bits = 1;

  bool operator==(const LineSettings&) const = default;
};

// Parses "baud,parity,data bits,stop bits": a positive baud, parity n/e/o (either case), 5 to 8
// data bits, 1 or 2 stop bits. Blanks around a field are allowed; anything else is refused.
std::optional<LineSettings> ParseLineSettings(std::string_view text);

// Why opening `path` failed with `error_number` (an errno value), worded for the user.
struct OpenFailure {
  SerialError kind = SerialError::kOther;
  std::string message;
};
OpenFailure DescribeOpenFailure(const std::string& path, int error_number);

// A Linux serial device (USB-serial, on-board UART, Bluetooth rfcomm, pseudo-terminal) driven
// raw through termios2, so that any speed can be set (BOTHER), not only the standard ones.
//
// Always raw 8-bit: no echo, no line editing, no character translation and never any flow
// control (the AFR stream carries 0x11 and 0x13 as data). Reads never block. The device is
// held exclusively: a second program (or a second port in this one) gets kInUse.
//
// A device that goes away (USB cable unplugged) closes the port: every call then fails quietly
// (false, 0, nothing read) and IsOpen() is false, so the K-line behaves as a silent ECU.
class TermiosPort : public KLinePort, public SerialPort {
 public:
  // Speeds read back after setting may differ by this much (the divisor of a UART rounds).
  static constexpr double kSpeedTolerance = 0.02;
  // The format a K-line cable is opened with; the wake-ups then set their own speeds.
  static constexpr std::string_view kKLineSettings = "10400,n,8,1";

  TermiosPort() = default;
  ~TermiosPort() override;
  TermiosPort(const TermiosPort&) = delete;
  TermiosPort& operator=(const TermiosPort&) = delete;

  // Opens a K-line cable: raw, 8N1 at 10400 baud.
  bool OpenKLine(const std::string& path);
  const std::string& Path() const { return path_; }

  // KLinePort
  bool Configure(int baud) override;
  bool SetSpeed(int baud) override;
  int Baud() const override { return baud_; }
  bool SetBreak(bool on) override;
  std::size_t BytesWaiting() override;
  std::vector<std::uint8_t> Read(std::size_t max_bytes) override;
  bool WriteByte(std::uint8_t byte) override;
  void Purge() override;
  // Both kinds of port: a poll of the device, woken by the first byte.
  void WaitReadable(std::chrono::microseconds most) override;

  // SerialPort
  bool Open(const std::string& port, const std::string& settings) override;
  void Close() override;
  bool IsOpen() const override { return fd_ >= 0; }
  std::string ReadAll() override;
  bool Write(std::string_view data) override;
  std::string LastError() const override { return last_error_; }
  SerialError LastErrorKind() const override { return last_error_kind_; }

 private:
  bool OpenWith(const std::string& path, const LineSettings& settings);
  // Applies the whole format (false: keep the line format, change the speed only).
  bool ApplySettings(const LineSettings& settings, bool full_format);
  void TryLowLatency();
  // True when the device has hung up; closes the port then.
  bool CheckGone();
  void MarkGone();
  void Fail(SerialError kind, std::string message);
  std::size_t ReadInto(std::uint8_t* buffer, std::size_t size);

  int fd_ = -1;
  std::string path_;
  LineSettings settings_;
  int baud_ = 0;
  std::string last_error_;
  SerialError last_error_kind_ = SerialError::kNone;
};

}  // namespace velkor
