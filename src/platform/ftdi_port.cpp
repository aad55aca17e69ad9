#include "platform/ftdi_port.hpp"

#include <ftdi.h>
#include <libusb.h>

#include <algorithm>
#include <cstdio>

namespace velkor {

ByteRing::ByteRing(std::size_t capacity) : storage_(capacity) {}

std::size_t ByteRing::Push(std::span<const std::uint8_t> bytes) {
  const std::size_t count = std::min(bytes.size(), Capacity() - size_);
  for (std::size_t i = 0; i < count; ++i) {
    storage_[(head_ + size_ + i) % Capacity()] = bytes[i];
  }
  size_ += count;
  return count;
}

std::vector<std::uint8_t> ByteRing::Pop(std::size_t max_bytes) {
  const std::size_t count = std::min(max_bytes, size_);
  std::vector<std::uint8_t> bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = storage_[(head_ + i) % Capacity()];
  size_ -= count;
  head_ = size_ == 0 ? 0 : (head_ + count) % Capacity();
  return bytes;
}

void ByteRing::Clear() {
  head_ = 0;
  size_ = 0;
}

FtdiOpenProblem ClassifyFtdiOpenFailure(int open_code, int probe_code) {
  // The two codes come from different tables that share numbers: a failed probe decides alone.
  if (probe_code != 0) {
    if (probe_code == LIBUSB_ERROR_ACCESS) return FtdiOpenProblem::kAccessDenied;
    if (probe_code == LIBUSB_ERROR_NO_DEVICE || probe_code == LIBUSB_ERROR_NOT_FOUND) {
      return FtdiOpenProblem::kNotPresent;  // unplugged between listing and opening
    }
    return FtdiOpenProblem::kOther;
  }
  switch (open_code) {
    case -8:  // the serial driver could not be detached: no permission to do so
      return FtdiOpenProblem::kAccessDenied;
    case -3:   // configuration refused while the serial driver holds the interface
    case -5:   // interface could not be claimed: the serial driver still has it
    case -11:  // detaching the serial driver failed
      return FtdiOpenProblem::kHeldByDriver;
    default:
      return FtdiOpenProblem::kOther;
  }
}

std::string FtdiOpenFailureText(FtdiOpenProblem problem, const std::string& description,
                                const std::string& detail) {
  std::string text = "Failed to open device.\n";
  switch (problem) {
    case FtdiOpenProblem::kNotPresent:
      text += "No USB cable described as \"" + description +
              "\" is plugged in. Plug it in, or choose another device.";
      break;
    case FtdiOpenProblem::kAccessDenied:
      text +=
          "No permission to use the USB cable. Install the udev rule 99-velkor-kline.rules into "
          "/etc/udev/rules.d (sudo udevadm control --reload), add your user to the plugdev "
          "group, log out and in, then unplug and replug the cable.";
      break;
    case FtdiOpenProblem::kHeldByDriver:
      text +=
          "The cable is in use by the kernel's serial driver, which could not be detached. "
          "Unload it (sudo rmmod ftdi_sio), or use the cable as a KKL cable on /dev/ttyUSBn.";
      break;
    case FtdiOpenProblem::kListingFailed:
      text += "The USB devices could not be listed";
      text += detail.empty() ? "." : ": " + detail + ".";
      break;
    case FtdiOpenProblem::kOther:
      text += "The USB library reported";
      text += detail.empty() ? " an unknown error." : ": " + detail + ".";
      break;
  }
  return text;
}

namespace {

// What ftdi_read_data returns when the device handle is already gone.
constexpr int kFtdiDeviceUnavailable = -666;
// A USB read that the chip does not answer ends after this long; a present chip answers within
// its latency time, with status bytes when it has no data.
constexpr int kUsbReadTimeoutMs = 100;
constexpr int kUsbWriteTimeoutMs = 1000;
// The description buffer of the listing: longer product strings are cut, in the listing and
// in the open alike.
constexpr int kDescriptionBuffer = 64;

struct ContextDeleter {
  void operator()(ftdi_context* context) const { ftdi_free(context); }
};
using ContextPtr = std::unique_ptr<ftdi_context, ContextDeleter>;

struct DeviceListDeleter {
  void operator()(libusb_device** list) const { libusb_free_device_list(list, 1); }
};
using DeviceListPtr = std::unique_ptr<libusb_device*, DeviceListDeleter>;

struct ListedDevice {
  libusb_device* device;
  std::string name;
};

// The FTDI devices on the bus, whatever their product id, with the name the user picks them by.
std::optional<std::vector<ListedDevice>> ListDevices(ftdi_context* context, DeviceListPtr& list) {
  libusb_device** raw = nullptr;
  if (libusb_get_device_list(context->usb_ctx, &raw) < 0) return std::nullopt;
  list.reset(raw);
  std::vector<ListedDevice> found;
  for (libusb_device** it = raw; *it != nullptr; ++it) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(*it, &descriptor) != 0) continue;
    if (descriptor.idVendor != FtdiPort::kVendorId) continue;
    char description[kDescriptionBuffer] = {};
    std::string name;
    if (ftdi_usb_get_strings2(context, *it, nullptr, 0, description, sizeof(description), nullptr,
                              0) == 0) {
      name.assign(description, std::find(description, description + sizeof(description), '\0'));
    }
    if (name.empty()) {
      char fallback[80];
      std::snprintf(fallback, sizeof(fallback), "USB %04x:%04x at bus %u address %u",
                    descriptor.idVendor, descriptor.idProduct, libusb_get_bus_number(*it),
                    libusb_get_device_address(*it));
      name = fallback;
    }
    found.push_back({*it, std::move(name)});
  }
  return found;
}

}  // namespace

std::optional<std::vector<std::string>> FtdiPort::ListDescriptions() {
  ContextPtr context(ftdi_new());
  if (!context) return std::nullopt;
  DeviceListPtr list;
  const std::optional<std::vector<ListedDevice>> devices = ListDevices(context.get(), list);
  if (!devices) return std::nullopt;
  std::vector<std::string> names;
  for (const ListedDevice& device : *devices) names.push_back(device.name);
  return names;
}

OpenResult<FtdiPort> FtdiPort::Open(const std::string& description) {
  ContextPtr context(ftdi_new());
  if (!context) {
    return {nullptr, FtdiOpenFailureText(FtdiOpenProblem::kListingFailed, description, {})};
  }
  DeviceListPtr list;
  const std::optional<std::vector<ListedDevice>> devices = ListDevices(context.get(), list);
  if (!devices) {
    return {nullptr, FtdiOpenFailureText(FtdiOpenProblem::kListingFailed, description,
                                         "libusb_get_device_list() failed")};
  }
  const auto match = std::find_if(devices->begin(), devices->end(),
                                  [&](const ListedDevice& d) { return d.name == description; });
  if (match == devices->end()) {
    return {nullptr, FtdiOpenFailureText(FtdiOpenProblem::kNotPresent, description, {})};
  }

  // libftdi reports a refused libusb_open only as "unable to open device"; opening the node
  // once ourselves tells a missing permission apart from the rest.
  libusb_device_handle* probe = nullptr;
  const int probe_code = libusb_open(match->device, &probe);
  if (probe_code == 0) libusb_close(probe);
  const int open_code = probe_code == 0 ? ftdi_usb_open_dev(context.get(), match->device) : 0;
  if (probe_code != 0 || open_code < 0) {
    const FtdiOpenProblem problem = ClassifyFtdiOpenFailure(open_code, probe_code);
    const std::string detail =
        probe_code == 0 ? ftdi_get_error_string(context.get()) : libusb_strerror(probe_code);
    return {nullptr, FtdiOpenFailureText(problem, description, detail)};
  }

  context->usb_read_timeout = kUsbReadTimeoutMs;
  context->usb_write_timeout = kUsbWriteTimeoutMs;
  ftdi_set_latency_timer(context.get(), kLatencyMs);
  return {std::unique_ptr<FtdiPort>(new FtdiPort(context.release())), {}};
}

FtdiPort::FtdiPort(ftdi_context* context) : context_(context) {}

FtdiPort::~FtdiPort() { Release(); }

void FtdiPort::Release() {
  if (context_ == nullptr) return;
  ftdi_usb_close(context_);
  ftdi_free(context_);
  context_ = nullptr;
  ring_.Clear();
}

bool FtdiPort::Check(int result) {
  if (result >= 0) return true;
  if (result == LIBUSB_ERROR_NO_DEVICE || result == kFtdiDeviceUnavailable) Release();
  return false;
}

bool FtdiPort::Configure(int baud) {
  if (context_ == nullptr) return false;
  ring_.Clear();
  const bool ok = ftdi_usb_reset(context_) == 0 && ftdi_tciflush(context_) == 0 &&
                  ftdi_tcoflush(context_) == 0 && SetSpeed(baud) &&
                  ftdi_set_line_property2(context_, BITS_8, STOP_BIT_1, NONE, BREAK_OFF) == 0;
  ring_.Clear();
  return ok;
}

bool FtdiPort::SetSpeed(int baud) {
  if (context_ == nullptr || baud <= 0) return false;
  // libftdi refuses a speed that its divisors miss by more than a few percent.
  if (ftdi_set_baudrate(context_, baud) != 0) return false;
  baud_ = baud;
  return true;
}

bool FtdiPort::SetBreak(bool on) {
  if (context_ == nullptr) return false;
  return ftdi_set_line_property2(context_, BITS_8, STOP_BIT_1, NONE, on ? BREAK_ON : BREAK_OFF) ==
         0;
}

bool FtdiPort::Drain() {
  std::uint8_t chunk[4096];
  // Bounded: a chip that keeps streaming cannot hold the caller here.
  for (int round = 0; round < 16 && context_ != nullptr; ++round) {
    const std::size_t room = std::min(sizeof(chunk), ring_.Capacity() - ring_.Size());
    // A full ring leaves the rest in the chip and in libftdi's buffer, nothing is lost.
    if (room == 0) return true;
    const int got = ftdi_read_data(context_, chunk, static_cast<int>(room));
    if (!Check(got)) return false;
    if (got == 0) return true;
    ring_.Push(std::span<const std::uint8_t>(chunk, static_cast<std::size_t>(got)));
  }
  return context_ != nullptr;
}

std::size_t FtdiPort::BytesWaiting() {
  if (context_ == nullptr) return 0;
  Drain();
  return ring_.Size();
}

std::vector<std::uint8_t> FtdiPort::Read(std::size_t max_bytes) {
  if (context_ == nullptr) return {};
  if (ring_.Size() < max_bytes) Drain();
  return ring_.Pop(max_bytes);
}

bool FtdiPort::WriteByte(std::uint8_t byte) {
  if (context_ == nullptr) return false;
  const int put = ftdi_write_data(context_, &byte, 1);
  return Check(put) && put == 1;
}

void FtdiPort::Purge() {
  if (context_ == nullptr) return;
  ftdi_tciflush(context_);
  ftdi_tcoflush(context_);
  ring_.Clear();
}

}  // namespace velkor
