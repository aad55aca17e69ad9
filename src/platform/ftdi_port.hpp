#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/interface_devices.hpp"
#include "link/kline_port.hpp"

struct ftdi_context;

namespace velkor {

// A fixed-size first-in first-out byte store. Bytes that find it full are refused, as a UART's
// receive FIFO loses what arrives when it is full: what was stored first stays intact.
class ByteRing {
 public:
  explicit ByteRing(std::size_t capacity);

  // Stores as many of `bytes` as fit, in order; returns how many were stored.
  std::size_t Push(std::span<const std::uint8_t> bytes);
  // Takes up to `max_bytes` from the front.
  std::vector<std::uint8_t> Pop(std::size_t max_bytes);
  void Clear();

  std::size_t Size() const { return size_; }
  std::size_t Capacity() const { return storage_.size(); }

 private:
  std::vector<std::uint8_t> storage_;
  std::size_t head_ = 0;  // index of the oldest byte
  std::size_t size_ = 0;
};

// Why an FTDI cable could not be opened.
enum class FtdiOpenProblem {
  kNotPresent,     // no cable of that description is plugged in
  kAccessDenied,   // the USB device node is not writable for this user
  kHeldByDriver,   // the kernel's serial driver holds the cable and would not let go
  kListingFailed,  // the USB library itself failed
  kOther,
};

// Sorts a failed open: `probe_code` is what opening the USB device directly returned (a
// LIBUSB_ERROR_* value, 0 when that open worked), `open_code` what ftdi_usb_open_dev returned
// after a good probe. A failed probe decides alone: the two tables share numbers.
FtdiOpenProblem ClassifyFtdiOpenFailure(int open_code, int probe_code);

// The text shown to the user: "Failed to open device." on the first line, then what to do.
// `detail` is the library's own wording, appended to kOther.
std::string FtdiOpenFailureText(FtdiOpenProblem problem, const std::string& description,
                                const std::string& detail);

// A K-line cable built on an FTDI USB chip, driven directly over USB through libftdi, so the
// kernel's serial driver is not involved.
//
// The chip reports no receive queue count: BytesWaiting() drains what the chip has sent so far
// into a ring of our own and reports its size; Read() takes from that ring. A cable unplugged
// while open makes every later call fail quietly (false, 0, nothing read).
class FtdiPort : public KLinePort {
 public:
  static constexpr int kVendorId = 0x0403;
  // The chip holds received bytes this long before it sends a short packet; at the default of
  // 16 ms a reply arrives late enough to eat the reply window of the fast protocols.
  static constexpr unsigned char kLatencyMs = 1;
  static constexpr std::size_t kRingCapacity = 64 * 1024;

  // Descriptions (USB product strings) of the FTDI devices present, in bus order. A device whose
  // description cannot be read is listed by its USB position instead, so the user still sees
  // it and gets the reason when opening it. Nothing when the USB library itself failed.
  static std::optional<std::vector<std::string>> ListDescriptions();
  // Opens the first device listed under `description`; the error text otherwise.
  static OpenResult<FtdiPort> Open(const std::string& description);

  ~FtdiPort() override;
  FtdiPort(const FtdiPort&) = delete;
  FtdiPort& operator=(const FtdiPort&) = delete;

  bool Configure(int baud) override;
  bool SetSpeed(int baud) override;
  int Baud() const override { return baud_; }
  bool SetBreak(bool on) override;
  std::size_t BytesWaiting() override;
  std::vector<std::uint8_t> Read(std::size_t max_bytes) override;
  bool WriteByte(std::uint8_t byte) override;
  void Purge() override;

  bool IsOpen() const { return context_ != nullptr; }

 private:
  explicit FtdiPort(ftdi_context* context);
  // Moves what the chip has received into the ring; false when the cable is gone.
  bool Drain();
  // Checks a libftdi result; a failure that means the cable is gone closes the port.
  bool Check(int result);
  void Release();

  ftdi_context* context_;
  ByteRing ring_{kRingCapacity};
  int baud_ = 0;
};

}  // namespace velkor
