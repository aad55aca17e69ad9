#include "platform/linux_interface_devices.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/ftdi_port.hpp"
#include "platform/termios_port.hpp"

namespace velkor {
namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 4> kSerialPrefixes = {"ttyUSB", "ttyACM", "rfcomm", "ttyS"};

bool HasSerialPrefix(std::string_view name) {
  return std::any_of(kSerialPrefixes.begin(), kSerialPrefixes.end(), [&](std::string_view p) {
    return name.size() > p.size() && name.substr(0, p.size()) == p &&
           std::all_of(name.begin() + p.size(), name.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
  });
}

// The first line of a small sysfs file, blanks trimmed; nothing when it cannot be read.
std::optional<std::string> ReadLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  if (!in || !std::getline(in, line)) return std::nullopt;
  const auto first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  const auto last = line.find_last_not_of(" \t\r");
  return line.substr(first, last - first + 1);
}

// "ttyUSB10" -> ("ttyUSB", 10): names compare by prefix, then by number.
std::pair<std::string_view, unsigned long> SplitNumber(std::string_view name) {
  std::size_t digits = name.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) --digits;
  unsigned long number = 0;
  for (char c : name.substr(digits)) number = number * 10 + static_cast<unsigned long>(c - '0');
  return {name.substr(0, digits), number};
}

}  // namespace

LinuxInterfaceDevices::LinuxInterfaceDevices(std::filesystem::path dev_root,
                                             std::filesystem::path sys_root)
    : dev_root_(std::move(dev_root)), sys_root_(std::move(sys_root)) {}

std::optional<std::vector<std::string>> LinuxInterfaceDevices::ListFtdiDevices() {
  return FtdiPort::ListDescriptions();
}

OpenResult<KLinePort> LinuxInterfaceDevices::OpenFtdi(const std::string& description) {
  OpenResult<FtdiPort> opened = FtdiPort::Open(description);
  return {std::move(opened.port), std::move(opened.error)};
}

bool LinuxInterfaceDevices::HasUart(const std::string& name) const {
  const fs::path tty = sys_root_ / "class" / "tty" / name;
  std::error_code error;
  if (!fs::exists(tty / "device", error)) return false;
  // The serial core reports the UART type it found; 0 means no UART answered at that address.
  const std::optional<std::string> type = ReadLine(tty / "type");
  return !type || (!type->empty() && *type != "0");
}

std::string LinuxInterfaceDevices::UsbProductName(const std::string& name) const {
  std::error_code error;
  const fs::path root = fs::weakly_canonical(sys_root_, error);
  if (error) return {};
  fs::path dir = fs::canonical(sys_root_ / "class" / "tty" / name / "device", error);
  if (error) return {};
  // The tty hangs below its USB interface, which hangs below the USB device that names the
  // product: walk up until a folder has a "product" file, never above the sysfs root.
  const std::string root_text = root.string();
  while (dir.has_relative_path() && dir != root) {
    const std::string text = dir.string();
    if (text.size() <= root_text.size() || text.compare(0, root_text.size(), root_text) != 0) {
      break;
    }
    if (const std::optional<std::string> product = ReadLine(dir / "product")) return *product;
    dir = dir.parent_path();
  }
  return {};
}

std::vector<SerialDeviceInfo> LinuxInterfaceDevices::ListSerialDevices() {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(dev_root_, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (!HasSerialPrefix(name)) continue;
    if (name.starts_with("ttyS") && !HasUart(name)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return SplitNumber(a) < SplitNumber(b);
  });

  std::vector<SerialDeviceInfo> devices;
  for (const std::string& name : names) {
    devices.push_back({(dev_root_ / name).string(), UsbProductName(name)});
  }
  return devices;
}

OpenResult<KLinePort> LinuxInterfaceDevices::OpenSerialKLine(const std::string& path) {
  auto port = std::make_unique<TermiosPort>();
  if (!port->OpenKLine(path)) return {nullptr, port->LastError()};
  return {std::move(port), {}};
}

std::unique_ptr<SerialPort> LinuxInterfaceDevices::CreateSerialPort() {
  return std::make_unique<TermiosPort>();
}

}  // namespace velkor
