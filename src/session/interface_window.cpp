#include "session/interface_window.hpp"

#include <algorithm>
#include <utility>

#include "config/settings.hpp"

namespace velkor {

namespace {

namespace c = frmInterface;

// The stored description is compared with the cables' own descriptions, which run to 63
// characters. Read through the 16-character buffer of the other readers, a longer description
// would come back cut and never match again.
constexpr TextKey kStoredDescription{ini_sections::kInterface, "Description",
                                     InterfaceWindow::kNoDevice, 64};

constexpr std::string_view kOurCable = "Velkor";

std::string PortLabel(const SerialDeviceInfo& device) {
  if (device.description.empty()) return device.path;
  return device.path + " (" + device.description + ")";
}

std::string_view OptionControl(int kind) {
  switch (kind) {
    case 1:
      return c::opType1;
    case 2:
      return c::opType2;
    case 3:
      return c::opType3;
    default:
      return c::opType0;
  }
}

}  // namespace

InterfaceWindow::InterfaceWindow(ScreenModel& model, IniStore& ini, InterfaceDevices& devices,
                                 Dialogs& dialogs, LinkState& link, TraceLog& trace,
                                 const Language* language)
    : model_(model),
      ini_(ini),
      devices_(devices),
      dialogs_(dialogs),
      link_(link),
      trace_(trace),
      language_(language) {}

void InterfaceWindow::Load() {
  model_.SetText(c::kWindow, LookupText(language_, texts::kInterfaceTitle));
  model_.SetText(c::Frame1, LookupText(language_, texts::kInterfaceType));
  model_.SetText(c::opType0, "USB");
  model_.SetText(c::opType1, "KKL");
  model_.SetText(c::opType2, "Galetto");
  model_.SetText(c::opType3, "ELM327");
  model_.SetText(c::cbUSB, std::string(kNoDevice));
  model_.SetValue(c::cbUSB, -1);
  model_.SetValue(c::cbport, -1);
  model_.SetText(c::FrBT, LookupText(language_, texts::kBluetoothHelp));
  model_.SetText(c::Label1, LookupText(language_, texts::kBluetoothStep1));
  model_.SetText(c::Label2, LookupText(language_, texts::kBluetoothStep2));
  model_.SetText(c::Label3, LookupText(language_, texts::kBluetoothStep3));
  model_.SetVisible(c::FrBT, false);
  model_.SetText(c::cdOK, "OK");
  model_.SetText(c::cdNew, LookupText(language_, texts::kWhatsNew));
  model_.SetValue(c::Width, 0);
  model_.SetValue(c::Height, 0);
  model_.SetValue(c::MousePointer, 0);

  const WindowPosition position = ReadWindowPosition(ini_, WindowId::kInter);
  model_.SetValue(c::Top, position.top);
  model_.SetValue(c::Left, position.left);

  int kind = ReadSetting(ini_, ini_keys::kInterfaceType);
  // Only the four options exist; any other stored number (a file edited by hand) means USB.
  if (kind < 0 || kind > 3) kind = 0;
  port_number_ = ReadSetting(ini_, ini_keys::kInterfacePort);
  port_path_ = ReadSetting(ini_, ini_keys::kInterfaceDevice);
  ClickType(kind);
}

void InterfaceWindow::ClickType(int kind) {
  if (kind < 0 || kind > 3) return;
  kind_ = static_cast<InterfaceKind>(kind);
  for (int k = 0; k <= 3; ++k) model_.SetChecked(OptionControl(k), k == kind);
  model_.SetVisible(c::cbport, false);
  model_.SetVisible(c::FrBT, false);
  model_.SetVisible(c::cbUSB, false);

  if (kind_ == InterfaceKind::kUsb) {
    ListFtdi();
    link_.TestMode = ftdi_.empty();
    panel4_ = ftdi_.empty() ? "USB" : "";
    model_.SetVisible(c::cbUSB, true);
    return;
  }
  // KKL and Galetto cables are driven as a raw K-line on a serial device; the ELM327 is a
  // serial port too. The list is read again on every click so that a cable plugged in while
  // the window is open can be found by choosing its option again.
  FillPorts();
  model_.SetVisible(c::cbport, true);
  if (kind_ == InterfaceKind::kElm327) model_.SetVisible(c::FrBT, true);
}

void InterfaceWindow::ListFtdi() {
  ftdi_.clear();
  std::optional<std::vector<std::string>> listed = devices_.ListFtdiDevices();
  if (listed) ftdi_ = std::move(*listed);

  int selected = -1;
  if (ftdi_.size() == 1) {
    selected = 0;
    if (ftdi_[0].find(kOurCable) != std::string::npos) hide_donation_ = true;
  } else if (ftdi_.size() > 1) {
    const std::string stored = ReadSetting(ini_, kStoredDescription);
    const auto found = std::find(ftdi_.begin(), ftdi_.end(), stored);
    selected = found == ftdi_.end() ? 0 : static_cast<int>(found - ftdi_.begin());
  }
  model_.SetItems(c::cbUSB, ftdi_);
  PickUsb(selected);
}

void InterfaceWindow::PickUsb(int index) {
  if (index < 0 || index >= static_cast<int>(ftdi_.size())) {
    model_.SetValue(c::cbUSB, -1);
    model_.SetText(c::cbUSB, std::string(kNoDevice));
    ftdi_description_.clear();
    return;
  }
  model_.SetValue(c::cbUSB, index);
  model_.SetText(c::cbUSB, ftdi_[static_cast<std::size_t>(index)]);
  // The session opens the picked cable by this description when OK did not.
  ftdi_description_ = ftdi_[static_cast<std::size_t>(index)];
}

void InterfaceWindow::FillPorts() {
  ports_ = devices_.ListSerialDevices();
  std::vector<std::string> labels;
  labels.reserve(ports_.size());
  for (const SerialDeviceInfo& device : ports_) labels.push_back(PortLabel(device));
  model_.SetItems(c::cbport, std::move(labels));

  // The stored path wins when that device is present; otherwise the stored position.
  int selected = -1;
  const auto by_path = std::find_if(ports_.begin(), ports_.end(), [&](const SerialDeviceInfo& d) {
    return !port_path_.empty() && d.path == port_path_;
  });
  if (by_path != ports_.end()) {
    selected = static_cast<int>(by_path - ports_.begin());
  } else if (port_number_ >= 1 && port_number_ <= static_cast<int>(ports_.size())) {
    selected = port_number_ - 1;
  }
  SelectPort(selected);
}

void InterfaceWindow::SelectPort(int index) {
  if (index < 0 || index >= static_cast<int>(ports_.size())) {
    // Nothing preselected: the stored choice is kept until the user picks another.
    model_.SetValue(c::cbport, -1);
    model_.SetText(c::cbport, "");
    return;
  }
  const SerialDeviceInfo& device = ports_[static_cast<std::size_t>(index)];
  port_number_ = index + 1;
  port_path_ = device.path;
  model_.SetValue(c::cbport, index);
  model_.SetText(c::cbport, PortLabel(device));
}

void InterfaceWindow::PickPort(int index) {
  if (index < 0 || index >= static_cast<int>(ports_.size())) return;
  SelectPort(index);
  ini_.Update([&](IniDocument& ini) {
    WriteSetting(ini, ini_keys::kInterfacePort, port_number_);
    WriteSetting(ini, ini_keys::kInterfaceDevice, port_path_);
    return true;
  });
}

bool InterfaceWindow::Ok() {
  WriteSetting(ini_, ini_keys::kInterfaceType, static_cast<int>(kind_));
  switch (kind_) {
    case InterfaceKind::kUsb:
      return OkUsb();
    case InterfaceKind::kKkl:
    case InterfaceKind::kGaletto:
      return OkSerialKLine();
    case InterfaceKind::kElm327:
      return OkElm();
  }
  return false;
}

bool InterfaceWindow::OkUsb() {
  const std::string description = model_.Text(c::cbUSB);
  if (ftdi_.empty() || description == kNoDevice) {
    // No cable: the program runs as a demonstration, without a word.
    link_.TestMode = true;
    closed_by_ok_ = true;
    return true;
  }
  SetBusy(true);
  OpenResult<KLinePort> opened = devices_.OpenFtdi(description);
  SetBusy(false);
  if (opened.port) {
    kline_ = std::move(opened.port);
    ftdi_description_ = description;
    link_.TestMode = false;
    panel4_ = "USB enable";
    WriteSetting(ini_, ini_keys::kInterfaceDescription, description);
    closed_by_ok_ = true;
    return true;
  }
  // The first line stays the short verdict; what follows tells the user what to do about it.
  std::string message = opened.error;
  if (message.rfind(kOpenFailed, 0) != 0) {
    message =
        message.empty() ? std::string(kOpenFailed) : std::string(kOpenFailed) + "\n" + message;
  }
  dialogs_.Message(message, "USB", Dialogs::Icon::kError);
  link_.TestMode = true;
  closed_by_ok_ = true;
  return true;
}

std::string InterfaceWindow::KindTitle() const {
  switch (kind_) {
    case InterfaceKind::kKkl:
      return "KKL";
    case InterfaceKind::kGaletto:
      return "Galetto";
    case InterfaceKind::kElm327:
      return "ELM";
    case InterfaceKind::kUsb:
      break;
  }
  return "USB";
}

void InterfaceWindow::SetBusy(bool busy) {
  model_.SetEnabled(c::cdOK, !busy);
  model_.SetValue(c::MousePointer, busy ? c::kBusyPointer : 0);
}

// A KKL or Galetto cable that does not open leaves the window open with the reason: the user
// chose a cable because a motorcycle is waiting, and demo values in its place would look like
// an answering ECU. Choosing "USB" with no cable still gives the demonstration.
bool InterfaceWindow::OkSerialKLine() {
  const int index = model_.Value(c::cbport);
  if (index < 0 || index >= static_cast<int>(ports_.size())) {
    dialogs_.Message(ports_.empty() ? "No serial port found. Plug in the cable, then choose its "
                                      "type again."
                                    : "Choose the serial port of the cable.",
                     KindTitle(), Dialogs::Icon::kWarning);
    return false;
  }
  const SerialDeviceInfo device = ports_[static_cast<std::size_t>(index)];
  SetBusy(true);
  OpenResult<KLinePort> opened = devices_.OpenSerialKLine(device.path);
  SetBusy(false);
  if (!opened.port) {
    dialogs_.Message(
        opened.error.empty() ? std::string(kOpenFailed) + "\n" + device.path : opened.error,
        KindTitle(), Dialogs::Icon::kError);
    return false;
  }
  kline_ = std::move(opened.port);
  link_.TestMode = false;
  panel4_.clear();
  PickPort(index);
  closed_by_ok_ = true;
  return true;
}

bool InterfaceWindow::OkElm() {
  const int index = model_.Value(c::cbport);
  if (index < 0 || index >= static_cast<int>(ports_.size())) {
    dialogs_.Message(ports_.empty() ? "No serial port found. Connect the adapter, then choose "
                                      "ELM327 again."
                                    : "Choose the serial port of the adapter.",
                     KindTitle(), Dialogs::Icon::kWarning);
    return false;
  }
  const SerialDeviceInfo device = ports_[static_cast<std::size_t>(index)];
  const int number = index + 1;
  SetBusy(true);
  trace_.WriteTrace("tentative Ouverture COM" + std::to_string(number), true);
  std::unique_ptr<SerialPort> port = devices_.CreateSerialPort();
  const bool opened = port && port->Open(device.path, std::string(kElmSettings));
  SetBusy(false);
  if (!opened) {
    const SerialError error = port ? port->LastErrorKind() : SerialError::kOther;
    std::string text = port ? port->LastError() : std::string();
    if (text.empty()) text = std::string(kOpenFailed) + "\n" + device.path;
    if (error == SerialError::kInUse) {
      // A Bluetooth port held by another program: the help on pairing shows in the larger
      // window.
      model_.SetValue(c::Width, kHelpWidth);
      model_.SetValue(c::Height, kHelpHeight);
    }
    dialogs_.Message(text, KindTitle(), Dialogs::Icon::kError);
    return false;
  }
  elm_ = std::move(port);
  link_.TestMode = false;
  panel4_ = LookupText(language_, texts::kElmOnPort) + std::to_string(number);
  PickPort(index);
  closed_by_ok_ = true;
  return true;
}

void InterfaceWindow::Unload(int top, int left) {
  if (unloaded_) return;
  unloaded_ = true;
  WindowPosition position;
  position.top = top;
  position.left = left;
  WriteWindowPosition(ini_, WindowId::kInter, position);
  if (closed_by_ok_) return;
  // Closed without OK: nothing is opened and the mode stays what the options gave (the demo
  // when no FTDI cable was listed; otherwise the session opens the chosen cable at its start).
  // The status bar says which, so that demo values are never taken for the motorcycle's.
  const std::string& chosen = device();
  panel4_ = KindTitle() + " : " +
            (link_.TestMode   ? std::string(kNoDevice)
             : chosen.empty() ? LookupText(language_, texts::kNoPortChosen)
                              : chosen);
}

}  // namespace velkor
