#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/kline_port.hpp"
#include "link/serial_port.hpp"

namespace velkor {

// A serial device the user can pick for a KKL cable, a Galetto cable or an ELM327 adapter.
struct SerialDeviceInfo {
  std::string path;         // "/dev/ttyUSB0", "/dev/rfcomm0"
  std::string description;  // USB product name where known, else empty
};

// The result of opening a cable: the port, or a message for the user.
template <typename Port>
struct OpenResult {
  std::unique_ptr<Port> port;
  std::string error;  // empty on success
};

// What the interface window needs from the machine: the FTDI cables and serial devices present,
// and opening them. Implemented by the platform code; scripted in tests.
class InterfaceDevices {
 public:
  virtual ~InterfaceDevices() = default;
  // Descriptions of the FTDI cables present, in index order; nothing when the listing failed.
  virtual std::optional<std::vector<std::string>> ListFtdiDevices() = 0;
  virtual OpenResult<KLinePort> OpenFtdi(const std::string& description) = 0;
  // Serial devices present, in a stable order (by path).
  virtual std::vector<SerialDeviceInfo> ListSerialDevices() = 0;
  // A serial device driven as a raw K-line (KKL and Galetto cables).
  virtual OpenResult<KLinePort> OpenSerialKLine(const std::string& path) = 0;
  // A serial port for the ELM327, not yet open.
  virtual std::unique_ptr<SerialPort> CreateSerialPort() = 0;
};

}  // namespace velkor
