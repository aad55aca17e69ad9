#pragma once

#include <QDialog>
#include <map>
#include <string>
#include <string_view>

#include "config/ini_store.hpp"
#include "core/dialogs.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/interface_devices.hpp"
#include "link/link_state.hpp"
#include "session/interface_window.hpp"
#include "session/main_window.hpp"
#include "ui/busy_pointer.hpp"

namespace velkor {

// The page "What's New" opens: a plain text page on the latest version.
inline constexpr const char* kWhatsNewUrl = "https://velkor.example.org/latest.txt";

// The interface window `frmInterface`, shown modally at start-up: the cable options, the FTDI
// cable list, the serial device list, the Bluetooth help and OK. It mirrors the screen model of
// its logic (InterfaceWindow) and forwards clicks and picks to it; the logic is loaded by the
// constructor.
//   InterfaceDialog dialog(ini, devices, dialogs, link, trace, &language);
//   dialog.exec();
//   InterfaceChoice choice = dialog.TakeChoice();
class InterfaceDialog : public QDialog {
  Q_OBJECT

 public:
  // The texts come from `language` (null: the built-in texts).
  InterfaceDialog(IniStore& ini, InterfaceDevices& devices, Dialogs& dialogs, LinkState& link,
                  TraceLog& trace, const Language* language = nullptr, QWidget* parent = nullptr);
  ~InterfaceDialog() override;

  InterfaceWindow& logic() { return logic_; }
  const ScreenModel& model() const { return model_; }
  // What the window opened, for the main window; the ports are moved out.
  InterfaceChoice TakeChoice();

 public slots:
  // Unloads the logic at the window's position, whichever way the window closes.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Build();
  template <typename W>
  W* Add(W* widget, std::string_view name);
  void Mirror(const std::string& name, const ControlState& state);
  void Place();
  void Enlarge();

  ScreenModel model_;  // before logic_, which writes it
  InterfaceWindow logic_;
  std::map<std::string, QWidget*, std::less<>> controls_;
  BusyPointer busy_pointer_;
  bool unloaded_ = false;
};

}  // namespace velkor
