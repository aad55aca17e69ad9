#include "session/interface_window.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/ctime_it.hpp"
#include "platform/real_file_system.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/scripted_serial_port.hpp"
#include "sim/virtual_clock.hpp"

namespace velkor {
namespace {

namespace fs = std::filesystem;
namespace c = frmInterface;
using sim::ScriptedSerialPort;

// A cable that was opened; which one is in `name`.
class OpenedCable : public KLinePort {
 public:
  explicit OpenedCable(std::string cable) : name(std::move(cable)) {}
  bool Configure(int) override { return true; }
  bool SetSpeed(int) override { return true; }
  int Baud() const override { return 0; }
  bool SetBreak(bool) override { return true; }
  std::size_t BytesWaiting() override { return 0; }
  std::vector<std::uint8_t> Read(std::size_t) override { return {}; }
  bool WriteByte(std::uint8_t) override { return true; }
  void Purge() override {}
  std::string name;
};

// The machine's cables as a test wants them.
class ScriptedDevices : public InterfaceDevices {
 public:
  explicit ScriptedDevices(sim::VirtualClock& clock) : clock_(clock) {}

  std::optional<std::vector<std::string>> ListFtdiDevices() override { return ftdi; }
  OpenResult<KLinePort> OpenFtdi(const std::string& description) override {
    ftdi_opened.push_back(description);
    if (ftdi_error) return {nullptr, *ftdi_error};
    return {std::make_unique<OpenedCable>(description), ""};
  }
  std::vector<SerialDeviceInfo> ListSerialDevices() override { return serial; }
  OpenResult<KLinePort> OpenSerialKLine(const std::string& path) override {
    kline_opened.push_back(path);
    if (!kline_error.empty()) return {nullptr, kline_error};
    return {std::make_unique<OpenedCable>(path), ""};
  }
  std::unique_ptr<SerialPort> CreateSerialPort() override {
    auto port = std::make_unique<ScriptedSerialPort>(clock_);
    port->SetOpenFailure(elm_error, elm_error_kind);
    ++elm_ports_created;
    return port;
  }

  std::optional<std::vector<std::string>> ftdi = std::vector<std::string>{};
  std::optional<std::string> ftdi_error;  // set: the open fails with this text
  std::vector<SerialDeviceInfo> serial;
  std::string kline_error;
  std::string elm_error;
  SerialError elm_error_kind = SerialError::kOther;

  std::vector<std::string> ftdi_opened;
  std::vector<std::string> kline_opened;
  int elm_ports_created = 0;

 private:
  sim::VirtualClock& clock_;
};

std::vector<SerialDeviceInfo> Ports(std::initializer_list<const char*> paths) {
  std::vector<SerialDeviceInfo> ports;
  for (const char* path : paths) ports.push_back({path, ""});
  return ports;
}

class InterfaceWindowTest : public ::testing::Test {
 protected:
  InterfaceWindowTest() {
    fs::create_directories(folder_);
    trace_.Open(folder_ / "trace.txt");
  }
  ~InterfaceWindowTest() override {
    trace_.Close();
    fs::remove_all(folder_);
  }

  void Store(std::string_view section, std::string_view key, std::string_view value) {
    ini_.WriteProfileString(section, key, value);
  }
  std::string Stored(std::string_view section, std::string_view key) const {
    return ini_.GetProfileString(section, key, "<absent>", 256);
  }
  // A settings file of its own for one case of a table.
  IniStore FreshIni() {
    const fs::path file = folder_ / "case.ini";
    fs::remove(file);
    return IniStore(file, files_);
  }
  std::string TraceText() const {
    std::ifstream in(folder_ / "trace.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  const fs::path folder_ =
      fs::temp_directory_path() / ("velkor_interface_" + std::to_string(std::random_device{}()));
  sim::VirtualClock clock_;
  CTimeIt stopwatch_{clock_};
  TraceLog trace_{stopwatch_};
  RealFileSystem files_;
  IniStore ini_{folder_ / "ecu.ini", files_};
  ScriptedDevices devices_{clock_};
  sim::ScriptedDialogs dialogs_;
  LinkState link_;
  ScreenModel model_;
  InterfaceWindow window_{model_, ini_, devices_, dialogs_, link_, trace_};
};

TEST_F(InterfaceWindowTest, WithoutFtdiCableUsbRunsTheDemoSilently) {
  // An empty list and a failed listing mean the same to the user.
  for (const auto& listed : {std::optional<std::vector<std::string>>(std::vector<std::string>{}),
                             std::optional<std::vector<std::string>>()}) {
    SCOPED_TRACE(listed ? "empty list" : "listing failed");
    ScreenModel model;
    LinkState link;
    devices_.ftdi = listed;
    InterfaceWindow window(model, ini_, devices_, dialogs_, link, trace_);
    window.Load();

    EXPECT_TRUE(model.Checked(c::opType0));
    EXPECT_TRUE(model.Visible(c::cbUSB));
    EXPECT_EQ(model.Text(c::cbUSB), "Mode Demo");
    EXPECT_TRUE(link.TestMode);
    EXPECT_EQ(window.panel4(), "USB");

    EXPECT_TRUE(window.Ok());
    EXPECT_TRUE(dialogs_.messages.empty());
    EXPECT_TRUE(devices_.ftdi_opened.empty());
    EXPECT_TRUE(link.TestMode);
    EXPECT_EQ(window.TakeKLinePort(), nullptr);
    EXPECT_EQ(Stored("Interface", "Type"), "0");
  }
}

TEST_F(InterfaceWindowTest, SeveralFtdiCablesPreselectTheStoredDescription) {
  struct Case {
    const char* stored;  // nullptr: no Description key
    std::vector<std::string> listed;
    int selected;
  };
  const std::vector<Case> cases = {
      {"Cable B", {"Cable A", "Cable B"}, 1},
      // Longer than the 16-character buffer the key has elsewhere: still found.
      {"Velkor K-Line Interface v2", {"FT232R USB UART", "Velkor K-Line Interface v2"}, 1},
      {"Cable C", {"Cable A", "Cable B"}, 0},
      {nullptr, {"Cable A", "Cable B"}, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.stored ? test.stored : "no stored description");
    IniStore ini = FreshIni();
    if (test.stored) ini.WriteProfileString("Interface", "Description", test.stored);
    devices_.ftdi = test.listed;
    ScreenModel model;
    InterfaceWindow window(model, ini, devices_, dialogs_, link_, trace_);
    window.Load();

    EXPECT_EQ(model.Items(c::cbUSB), test.listed);
    EXPECT_EQ(model.Value(c::cbUSB), test.selected);
    EXPECT_EQ(model.Text(c::cbUSB), test.listed[static_cast<std::size_t>(test.selected)]);
    EXPECT_FALSE(link_.TestMode);
    EXPECT_FALSE(window.hide_donation());  // only a single cable of ours hides it
  }
}

TEST_F(InterfaceWindowTest, SingleFtdiCableIsSelectedAndOursHidesTheDonationImage) {
  for (const auto& [description, ours] : std::vector<std::pair<std::string, bool>>{
           {"Velkor K-Line", true}, {"FT232R USB UART", false}}) {
    SCOPED_TRACE(description);
    devices_.ftdi = std::vector<std::string>{description};
    ScreenModel model;
    InterfaceWindow window(model, ini_, devices_, dialogs_, link_, trace_);
    window.Load();
    EXPECT_EQ(model.Value(c::cbUSB), 0);
    EXPECT_EQ(model.Text(c::cbUSB), description);
    EXPECT_EQ(window.hide_donation(), ours);
  }
}

TEST_F(InterfaceWindowTest, UsbCableOpensByItsDescriptionAndIsRemembered) {
  link_.TestMode = true;
  devices_.ftdi = std::vector<std::string>{"Cable A", "Cable B"};
  window_.Load();
  window_.PickUsb(1);

  EXPECT_TRUE(window_.Ok());
  EXPECT_EQ(devices_.ftdi_opened, std::vector<std::string>{"Cable B"});
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_FALSE(link_.TestMode);
  EXPECT_EQ(window_.panel4(), "USB enable");
  EXPECT_EQ(window_.kind(), InterfaceKind::kUsb);
  EXPECT_EQ(Stored("Interface", "Description"), "Cable B");
  auto port = window_.TakeKLinePort();
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(static_cast<OpenedCable&>(*port).name, "Cable B");
}

TEST_F(InterfaceWindowTest, UsbOpenFailureShowsTheWholeReasonThenRunsTheDemo) {
  const std::string advice =
      "Failed to open device.\n"
      "The kernel's serial driver holds the cable. Unload it or install the udev rule:\n"
      "  sudo cp 99-velkor.rules /etc/udev/rules.d/";
  struct Case {
    std::string error;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {advice, advice},
      {"Permission denied: add yourself to the plugdev group",
       "Failed to open device.\nPermission denied: add yourself to the plugdev group"},
      {"", "Failed to open device."},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.error);
    devices_.ftdi = std::vector<std::string>{"Cable A"};
    devices_.ftdi_error = test.error;
    dialogs_.messages.clear();
    ScreenModel model;
    LinkState link;
    InterfaceWindow window(model, ini_, devices_, dialogs_, link, trace_);
    window.Load();

    EXPECT_TRUE(window.Ok());
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].text, test.shown);
    EXPECT_TRUE(link.TestMode);
    EXPECT_EQ(window.TakeKLinePort(), nullptr);
    EXPECT_EQ(Stored("Interface", "Description"), "<absent>");
  }
}

TEST_F(InterfaceWindowTest, OptionsShowTheListTheirCableNeeds) {
  struct Case {
    const char* stored_type;
    const char* checked;
    bool usb_list, port_list, bluetooth_help;
  };
  const std::vector<Case> cases = {
      {"0", "opType0", true, false, false}, {"1", "opType1", false, true, false},
      {"2", "opType2", false, true, false}, {"3", "opType3", false, true, true},
      {"7", "opType0", true, false, false},  // edited by hand: no such option
  };
  devices_.serial = Ports({"/dev/ttyUSB0"});
  for (const Case& test : cases) {
    SCOPED_TRACE(test.stored_type);
    Store("Interface", "Type", test.stored_type);
    ScreenModel model;
    InterfaceWindow window(model, ini_, devices_, dialogs_, link_, trace_);
    window.Load();
    for (std::string_view option : {c::opType0, c::opType1, c::opType2, c::opType3}) {
      EXPECT_EQ(model.Checked(option), option == test.checked) << option;
    }
    EXPECT_EQ(model.Visible(c::cbUSB), test.usb_list);
    EXPECT_EQ(model.Visible(c::cbport), test.port_list);
    EXPECT_EQ(model.Visible(c::FrBT), test.bluetooth_help);
  }
}

TEST_F(InterfaceWindowTest, PortListShowsDevicesAndPreselectsTheStoredOne) {
  struct Case {
    const char* name;
    const char* port;    // [Interface] PORT, nullptr: absent
    const char* device;  // [Interface] Device, nullptr: absent
    std::vector<SerialDeviceInfo> present;
    int selected;
  };
  const std::vector<Case> cases = {
      // The cables were plugged in another order: the path still finds the adapter.
      {"path wins after renumbering", "1", "/dev/ttyUSB1", Ports({"/dev/ttyUSB0", "/dev/ttyUSB1"}),
       1},
      {"path absent, position used", "2", "/dev/ttyUSB7", Ports({"/dev/ttyUSB0", "/dev/ttyUSB1"}),
       1},
      {"file of an earlier version", "2", nullptr, Ports({"/dev/ttyUSB0", "/dev/ttyUSB1"}), 1},
      {"first run", nullptr, nullptr, Ports({"/dev/rfcomm0"}), 0},
      {"position beyond the list", "5", nullptr, Ports({"/dev/ttyUSB0"}), -1},
      {"nothing present", "1", "/dev/ttyUSB0", {}, -1},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    IniStore ini = FreshIni();
    ini.WriteProfileString("Interface", "Type", "3");
    if (test.port) ini.WriteProfileString("Interface", "PORT", test.port);
    if (test.device) ini.WriteProfileString("Interface", "Device", test.device);
    devices_.serial = test.present;
    ScreenModel model;
    InterfaceWindow window(model, ini, devices_, dialogs_, link_, trace_);
    window.Load();
    EXPECT_EQ(model.Value(c::cbport), test.selected);
    if (test.selected >= 0) {
      EXPECT_EQ(model.Text(c::cbport), test.present[static_cast<std::size_t>(test.selected)].path);
      EXPECT_EQ(window.port_number(), test.selected + 1);
    }
  }

  devices_.serial = {{"/dev/rfcomm0", ""}, {"/dev/ttyUSB0", "FT232R USB UART"}};
  Store("Interface", "Type", "3");
  window_.Load();
  EXPECT_EQ(model_.Items(c::cbport),
            (std::vector<std::string>{"/dev/rfcomm0", "/dev/ttyUSB0 (FT232R USB UART)"}));
}

TEST_F(InterfaceWindowTest, PickedPortIsStoredAtOnceEvenWithoutOk) {
  devices_.serial = Ports({"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3", "/dev/ttyS4",
                           "/dev/ttyS5", "/dev/ttyUSB0", "/dev/rfcomm0"});
  Store("Interface", "Type", "3");
  window_.Load();
  window_.PickPort(6);
  EXPECT_EQ(Stored("Interface", "PORT"), "7");
  EXPECT_EQ(Stored("Interface", "Device"), "/dev/ttyUSB0");
  EXPECT_EQ(model_.Text(c::cbport), "/dev/ttyUSB0");

  window_.PickPort(8);  // not in the list: ignored
  EXPECT_EQ(Stored("Interface", "PORT"), "7");

  window_.Unload(0, 0);
  EXPECT_EQ(Stored("Interface", "PORT"), "7");
  EXPECT_EQ(window_.TakeElmPort(), nullptr);
}

TEST_F(InterfaceWindowTest, ClosedWithoutOkKeepsTheModeTheOptionsGaveAndSaysWhich) {
  struct Case {
    const char* what;
    std::vector<std::string> ftdi;
    std::vector<SerialDeviceInfo> serial;
    const char* stored_type;
    std::vector<int> clicks;  // options chosen after the window loaded
    bool ok;
    bool test_mode;
    std::string panel4;
    std::string device;  // what the session opens at its start
  };
  const std::vector<Case> cases = {
      {"no FTDI cable: the demo", {}, {}, "0", {}, false, true, "USB : Mode Demo", ""},
      {"an FTDI cable: that cable, opened by the session",
       {"Cable A", "Cable B"},
       {},
       "0",
       {},
       false,
       false,
       "USB : Cable A",
       "Cable A"},
      {"ELM327 port preselected",
       {},
       Ports({"/dev/rfcomm0"}),
       "3",
       {},
       false,
       false,
       "ELM : /dev/rfcomm0",
       "/dev/rfcomm0"},
      {"KKL without any serial device", {}, {}, "1", {}, false, false, "KKL : aucun port", ""},
      // The USB option found no cable and chose the demo; KKL leaves the mode as it was.
      {"USB without cable, then KKL",
       {},
       Ports({"/dev/ttyUSB0"}),
       "0",
       {1},
       false,
       true,
       "KKL : Mode Demo",
       "/dev/ttyUSB0"},
      {"OK opened the cable: its own text stays",
       {"Cable A"},
       {},
       "0",
       {},
       true,
       false,
       "USB enable",
       "Cable A"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    IniStore ini = FreshIni();
    ini.WriteProfileString("Interface", "Type", test.stored_type);
    devices_.ftdi = test.ftdi;
    devices_.serial = test.serial;
    devices_.ftdi_opened.clear();
    devices_.elm_ports_created = 0;
    ScreenModel model;
    LinkState link;  // as at program start: not in test mode
    InterfaceWindow window(model, ini, devices_, dialogs_, link, trace_);
    window.Load();
    for (int kind : test.clicks) window.ClickType(kind);
    if (test.ok) {
      ASSERT_TRUE(window.Ok());
    }
    window.Unload(0, 0);

    EXPECT_EQ(link.TestMode, test.test_mode);
    EXPECT_EQ(window.panel4(), test.panel4);
    EXPECT_EQ(window.device(), test.device);
    if (!test.ok) {
      EXPECT_TRUE(devices_.ftdi_opened.empty());
      EXPECT_EQ(devices_.elm_ports_created, 0);
      EXPECT_EQ(window.TakeKLinePort(), nullptr);
    }
  }
}

TEST_F(InterfaceWindowTest, ElmOpensTheChosenPortAndLeavesItOpen) {
  link_.TestMode = true;
  devices_.serial = Ports({"/dev/ttyUSB0", "/dev/rfcomm0"});
  Store("Interface", "Type", "3");
  window_.Load();
  window_.PickPort(1);

  EXPECT_TRUE(window_.Ok());
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_FALSE(link_.TestMode);
  EXPECT_TRUE(model_.Enabled(c::cdOK));
  EXPECT_EQ(model_.Value(c::MousePointer), 0);
  EXPECT_EQ(window_.kind(), InterfaceKind::kElm327);
  EXPECT_EQ(window_.panel4(), "ELM sur COM2");
  EXPECT_EQ(Stored("Interface", "Type"), "3");
  auto port = window_.TakeElmPort();
  ASSERT_NE(port, nullptr);
  EXPECT_TRUE(port->IsOpen());
  auto& scripted = static_cast<ScriptedSerialPort&>(*port);
  EXPECT_EQ(scripted.PortName(), "/dev/rfcomm0");
  EXPECT_EQ(scripted.Settings(), "38400,n,8,1");
  EXPECT_NE(TraceText().find(": tentative Ouverture COM2\r\n"), std::string::npos) << TraceText();
}

TEST_F(InterfaceWindowTest, ElmOpenFailureKeepsTheWindowOpenForAnotherTry) {
  struct Case {
    SerialError kind;
    const char* error;
    bool help_shown;
  };
  const std::vector<Case> cases = {
      {SerialError::kNoSuchPort, "/dev/rfcomm0: no such device", false},
      {SerialError::kInUse, "/dev/rfcomm0 is in use by another program", true},
      {SerialError::kAccessDenied, "/dev/rfcomm0: permission denied (dialout group)", false},
  };
  devices_.serial = Ports({"/dev/ttyUSB0", "/dev/rfcomm0"});
  Store("Interface", "Type", "3");
  Store("Interface", "PORT", "2");
  for (const Case& test : cases) {
    SCOPED_TRACE(test.error);
    dialogs_.messages.clear();
    devices_.elm_error = test.error;
    devices_.elm_error_kind = test.kind;
    ScreenModel model;
    LinkState link;
    link.TestMode = true;
    InterfaceWindow window(model, ini_, devices_, dialogs_, link, trace_);
    window.Load();

    EXPECT_FALSE(window.Ok());
    EXPECT_EQ(dialogs_.messages, (std::vector<sim::ScriptedDialogs::Shown>{{test.error, "ELM"}}));
    EXPECT_TRUE(model.Enabled(c::cdOK));
    EXPECT_EQ(model.Value(c::MousePointer), 0);
    EXPECT_EQ(model.Value(c::Width), test.help_shown ? 9000 : 0);
    EXPECT_EQ(model.Value(c::Height), test.help_shown ? 6500 : 0);
    EXPECT_EQ(window.TakeElmPort(), nullptr);

    // The adapter is back: the same window opens it.
    devices_.elm_error.clear();
    EXPECT_TRUE(window.Ok());
    EXPECT_NE(window.TakeElmPort(), nullptr);
    EXPECT_FALSE(link.TestMode);
  }
}

TEST_F(InterfaceWindowTest, ElmWithoutAPortAsksForOneAndOpensNothing) {
  Store("Interface", "Type", "3");
  window_.Load();
  EXPECT_FALSE(window_.Ok());
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].title, "ELM");
  EXPECT_EQ(devices_.elm_ports_created, 0);
}

TEST_F(InterfaceWindowTest, SerialKLineCablesOpenTheChosenDevice) {
  for (const auto& [type, title] :
       std::vector<std::pair<std::string, std::string>>{{"1", "KKL"}, {"2", "Galetto"}}) {
    SCOPED_TRACE(title);
    devices_.serial = Ports({"/dev/ttyUSB0", "/dev/ttyUSB1"});
    devices_.kline_opened.clear();
    dialogs_.messages.clear();
    Store("Interface", "Type", type);
    ScreenModel model;
    LinkState link;
    link.TestMode = true;
    InterfaceWindow window(model, ini_, devices_, dialogs_, link, trace_);
    window.Load();
    window.PickPort(1);

    devices_.kline_error = "/dev/ttyUSB1: permission denied; add yourself to the dialout group";
    EXPECT_FALSE(window.Ok());
    EXPECT_EQ(dialogs_.messages,
              (std::vector<sim::ScriptedDialogs::Shown>{{devices_.kline_error, title}}));
    EXPECT_TRUE(model.Enabled(c::cdOK));

    devices_.kline_error.clear();
    EXPECT_TRUE(window.Ok());
    EXPECT_EQ(devices_.kline_opened, (std::vector<std::string>{"/dev/ttyUSB1", "/dev/ttyUSB1"}));
    EXPECT_FALSE(link.TestMode);
    EXPECT_EQ(Stored("Interface", "Type"), type);
    auto port = window.TakeKLinePort();
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(static_cast<OpenedCable&>(*port).name, "/dev/ttyUSB1");
  }
}

TEST_F(InterfaceWindowTest, WindowReturnsWhereItWasClosed) {
  Store("POSITIONS", "InterTop", "300");
  Store("POSITIONS", "InterLeft", "450");
  window_.Load();
  EXPECT_EQ(model_.Value(c::Top), 300);
  EXPECT_EQ(model_.Value(c::Left), 450);

  window_.Unload(1200, 2400);
  EXPECT_EQ(Stored("POSITIONS", "InterTop"), "1200");
  EXPECT_EQ(Stored("POSITIONS", "InterLeft"), "2400");
}

}  // namespace
}  // namespace velkor
