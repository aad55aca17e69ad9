#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_store.hpp"
#include "config/language.hpp"
#include "config/settings_keys.hpp"
#include "core/dialogs.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/interface_devices.hpp"
#include "link/kline_port.hpp"
#include "link/link_state.hpp"
#include "link/serial_port.hpp"

namespace velkor {

// Control names of the interface window (the widgets' objectName). The window's caption is the
// text of the control named after the window.
namespace frmInterface {
inline constexpr std::string_view kWindow = "frmInterface";
inline constexpr std::string_view Frame1 = "Frame1";  // "Choise the type"
inline constexpr std::string_view opType0 = "opType0", opType1 = "opType1", opType2 = "opType2",
                                  opType3 = "opType3";
inline constexpr std::string_view cbUSB = "cbUSB";
inline constexpr std::string_view cbport = "cbport";
inline constexpr std::string_view FrBT = "FrBT";
inline constexpr std::string_view Label1 = "Label1", Label2 = "Label2", Label3 = "Label3";
inline constexpr std::string_view cdOK = "cdOK";
inline constexpr std::string_view cdNew = "cdNew";
// Properties of the window itself, as values in twips (Width/Height 0: the window's own size)
// and the mouse pointer (kBusyPointer while a cable is being opened, 0 otherwise).
inline constexpr std::string_view Top = "Top", Left = "Left";
inline constexpr std::string_view Width = "Width", Height = "Height";
inline constexpr std::string_view MousePointer = "MousePointer";
inline constexpr int kBusyPointer = 11;
}  // namespace frmInterface

namespace ini_keys {
// [Interface] Device: the path of the serial device last picked. Device numbering changes when
// cables are plugged in another order, so the path finds the device again where PORT (its
// position in the list) would not.
inline constexpr TextKey kInterfaceDevice{ini_sections::kInterface, "Device", "", 256};
}  // namespace ini_keys

// The interface window's behaviour: the user chooses the cable (FTDI USB, KKL or Galetto serial
// K-line cable, ELM327 adapter), the window opens it and keeps the choice in ecu.ini. When no
// cable can be used the program runs on in test mode.
//
// What the window opened stays readable after it closed: the caller takes the open port and
// the status texts for its own window.
class InterfaceWindow {
 public:
  static constexpr std::string_view kNoDevice = "Mode Demo";
  static constexpr std::string_view kOpenFailed = "Failed to open device.";
  static constexpr std::string_view kElmSettings = "38400,n,8,1";
  // Status panel 4 after closing without OK on a serial option with no device chosen.
  static constexpr std::string_view kNoPortChosen = texts::kNoPortChosen.built_in;
  // The size that shows the Bluetooth help when the ELM327 port is held by another program.
  static constexpr int kHelpWidth = 9000;
  static constexpr int kHelpHeight = 6500;

  // The window's texts come from `language` (null: the built-in texts), which must outlive it.
  InterfaceWindow(ScreenModel& model, IniStore& ini, InterfaceDevices& devices, Dialogs& dialogs,
                  LinkState& link, TraceLog& trace, const Language* language = nullptr);

  // Fills the controls from the devices present and the stored choice.
  void Load();
  // The option of cable `kind` (0 USB, 1 KKL, 2 Galetto, 3 ELM327) was chosen.
  void ClickType(int kind);
  // A serial device was picked in cbport; the choice is stored at once.
  void PickPort(int index);
  // An FTDI cable was picked in cbUSB.
  void PickUsb(int index);
  // cdOK. True when the window closes.
  bool Ok();
  // The window closes at `top`/`left` (twips). Without a successful OK nothing is open, test
  // mode stays as the options set it, and panel4() names the cable the session will open, or
  // the demo ("USB : Mode Demo").
  void Unload(int top, int left);

  // ---- What the window leaves for the main window ----
  InterfaceKind kind() const { return kind_; }
  // The open FTDI or serial K-line cable (USB, KKL, Galetto), once.
  std::unique_ptr<KLinePort> TakeKLinePort() { return std::move(kline_); }
  // The open ELM327 port, once.
  std::unique_ptr<SerialPort> TakeElmPort() { return std::move(elm_); }
  // Status panel 4: "USB", "USB enable", "ELM sur COM" + port number, what a window closed
  // without OK leaves (see Unload), or "".
  const std::string& panel4() const { return panel4_; }
  // Position of the chosen serial device in the list, from 1 ([Interface] PORT).
  int port_number() const { return port_number_; }
  // Path of the chosen serial device ("" when none).
  const std::string& port_path() const { return port_path_; }
  // What opens the chosen link (again): the description of the FTDI cable picked, or the
  // serial device's path; "" when none is chosen.
  const std::string& device() const {
    return kind_ == InterfaceKind::kUsb ? ftdi_description_ : port_path_;
  }
  // The only cable listed is our own: the donation image hides.
  bool hide_donation() const { return hide_donation_; }
  // OK opened the chosen link (or chose test mode) and the window closed.
  bool closed_by_ok() const { return closed_by_ok_; }

 private:
  void ListFtdi();
  void FillPorts();
  void SelectPort(int index);
  bool OkUsb();
  bool OkSerialKLine();
  bool OkElm();
  std::string KindTitle() const;
  void SetBusy(bool busy);

  ScreenModel& model_;
  IniStore& ini_;
  InterfaceDevices& devices_;
  Dialogs& dialogs_;
  LinkState& link_;
  TraceLog& trace_;
  const Language* language_;

  InterfaceKind kind_ = InterfaceKind::kUsb;
  std::vector<SerialDeviceInfo> ports_;
  std::string ftdi_description_;
  int port_number_ = 1;
  std::string port_path_;
  std::vector<std::string> ftdi_;
  std::unique_ptr<KLinePort> kline_;
  std::unique_ptr<SerialPort> elm_;
  std::string panel4_;
  bool hide_donation_ = false;
  bool closed_by_ok_ = false;
  bool unloaded_ = false;
};

}  // namespace velkor
