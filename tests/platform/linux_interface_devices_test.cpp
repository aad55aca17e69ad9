#include "platform/linux_interface_devices.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velkor {
namespace {

namespace fs = std::filesystem;

// A fake /dev and /sys laid out as the kernel does: /sys/class/tty/<name>/device links into
// /sys/devices, where a USB serial port sits below its interface folder, below the USB device
// folder that holds the product name.
class FakeMachine {
 public:
  FakeMachine()
      : root_(fs::temp_directory_path() / ("velkor_devices_" + std::to_string(::getpid()))) {
    fs::remove_all(root_);
    fs::create_directories(Dev());
    fs::create_directories(Sys() / "class" / "tty");
  }
  ~FakeMachine() { fs::remove_all(root_); }

  fs::path Dev() const { return root_ / "dev"; }
  fs::path Sys() const { return root_ / "sys"; }

  void AddDevNode(const std::string& name) { std::ofstream(Dev() / name) << ""; }

  // A tty whose device is at `device` below /sys/devices; `product` is written two levels up
  // (the USB device above the interface) when not empty.
  void AddUsbTty(const std::string& name, const std::string& usb_device,
                 const std::string& product) {
    AddDevNode(name);
    const fs::path usb = Sys() / "devices" / "pci0000:00" / "usb1" / usb_device;
    const fs::path port = usb / (usb_device + ":1.0") / name;
    fs::create_directories(port);
    if (!product.empty()) std::ofstream(usb / "product") << product << "\n";
    LinkDevice(name, port);
  }

  // An on-board UART slot; `type` is what the serial core reports (0: nothing there).
  void AddUartSlot(const std::string& name, const std::string& type) {
    AddDevNode(name);
    const fs::path port = Sys() / "devices" / "pnp0" / ("00:0" + name.substr(4));
    fs::create_directories(port);
    LinkDevice(name, port);
    std::ofstream(Sys() / "class" / "tty" / name / "type") << type << "\n";
  }

 private:
  void LinkDevice(const std::string& name, const fs::path& target) {
    const fs::path tty = Sys() / "class" / "tty" / name;
    fs::create_directories(tty);
    fs::create_directory_symlink(target, tty / "device");
  }

  fs::path root_;
};

TEST(LinuxInterfaceDevicesTest, ListsSerialDevicesInNumberOrderWithTheirProductNames) {
  FakeMachine machine;
  machine.AddUsbTty("ttyUSB10", "1-3", "K-Line Interface");
  machine.AddUsbTty("ttyUSB0", "1-1", "USB Serial Converter");
  machine.AddUsbTty("ttyUSB2", "1-2", "");  // no product string
  machine.AddUsbTty("ttyACM0", "1-4", "OBD Adapter");
  machine.AddDevNode("rfcomm0");  // Bluetooth: no device folder at all
  machine.AddUartSlot("ttyS0", "4");
  machine.AddUartSlot("ttyS1", "0");  // slot without a UART
  machine.AddDevNode("ttyS2");        // no sysfs entry
  for (const char* other : {"tty0", "ttyUSB", "ttyUSBx", "null", "ttyS", "rfcomm"}) {
    machine.AddDevNode(other);
  }

  LinuxInterfaceDevices devices(machine.Dev(), machine.Sys());
  const std::vector<SerialDeviceInfo> listed = devices.ListSerialDevices();

  const std::string dev = machine.Dev().string() + "/";
  const std::vector<std::pair<std::string, std::string>> expected = {
      {dev + "rfcomm0", ""}, {dev + "ttyACM0", "OBD Adapter"},
      {dev + "ttyS0", ""},   {dev + "ttyUSB0", "USB Serial Converter"},
      {dev + "ttyUSB2", ""}, {dev + "ttyUSB10", "K-Line Interface"},
  };
  ASSERT_EQ(listed.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(listed[i].path, expected[i].first);
    EXPECT_EQ(listed[i].description, expected[i].second);
  }
}

TEST(LinuxInterfaceDevicesTest, MissingFoldersGiveAnEmptyList) {
  LinuxInterfaceDevices devices("/nonexistent/velkor/dev", "/nonexistent/velkor/sys");
  EXPECT_TRUE(devices.ListSerialDevices().empty());
}

TEST(LinuxInterfaceDevicesTest, SerialPortsComeClosedOrWithTheReasonTheyDidNot) {
  LinuxInterfaceDevices devices;
  const OpenResult<KLinePort> kline = devices.OpenSerialKLine("/nonexistent/velkor/ttyUSB7");
  EXPECT_EQ(kline.port, nullptr);
  EXPECT_EQ(kline.error, "Port /nonexistent/velkor/ttyUSB7 does not exist");

  const std::unique_ptr<SerialPort> serial = devices.CreateSerialPort();
  ASSERT_NE(serial, nullptr);
  EXPECT_FALSE(serial->IsOpen());
}

}  // namespace
}  // namespace velkor
