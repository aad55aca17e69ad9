#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/interface_devices.hpp"

namespace velkor {

// The cables of a Linux machine: FTDI cables through libftdi, serial devices through termios2.
//
// Serial devices are found in the device folder by name (ttyUSB*, ttyACM*, rfcomm*, ttyS*);
// on-board ttyS ports are listed only where sysfs shows a UART behind them, since the kernel
// creates ttyS0 to ttyS31 whether or not the hardware exists. The roots are parameters so that
// tests can point them at a fake tree.
class LinuxInterfaceDevices : public InterfaceDevices {
 public:
  explicit LinuxInterfaceDevices(std::filesystem::path dev_root = "/dev",
                                 std::filesystem::path sys_root = "/sys");

  std::optional<std::vector<std::string>> ListFtdiDevices() override;
  OpenResult<KLinePort> OpenFtdi(const std::string& description) override;
  // Sorted by path, numbers in names compared as numbers (ttyUSB2 before ttyUSB10).
  std::vector<SerialDeviceInfo> ListSerialDevices() override;
  OpenResult<KLinePort> OpenSerialKLine(const std::string& path) override;
  std::unique_ptr<SerialPort> CreateSerialPort() override;

 private:
  bool HasUart(const std::string& name) const;
  std::string UsbProductName(const std::string& name) const;

  std::filesystem::path dev_root_;
  std::filesystem::path sys_root_;
};

}  // namespace velkor
