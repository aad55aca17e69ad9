// Velkor: the desktop program. Wires the real clock, event loop, timers, cables, settings file
// and language files to the windows.
#include <QApplication>
#include <cstdio>
#include <initializer_list>
#include <memory>

#include "core/screen_model.hpp"
#include "platform/home_folder.hpp"
#include "program_wiring.hpp"
#include "ui/desktop_document.hpp"
#include "ui/fault_window_1516.hpp"
#include "ui/fault_window_59.hpp"
#include "ui/identification_window.hpp"
#include "ui/interface_window.hpp"
#include "ui/main_window_widget.hpp"
#include "ui/qt_beeper.hpp"
#include "ui/qt_dialogs.hpp"
#include "ui/status_window.hpp"
#include "ui/trace_window.hpp"

#ifndef VELKOR_VERSION
#define VELKOR_VERSION "0.0.0"
#endif

int main(int argc, char** argv) {
  using namespace velkor;
  QApplication app(argc, argv);
  QApplication::setApplicationName("Velkor");
  QApplication::setApplicationVersion(VELKOR_VERSION);

  ProgramParts parts(ResolveHomeFolder(QApplication::arguments()));

  QtDialogs dialogs;
  SingleInstance instance(parts.home);

  ScreenModel main_model;
  MainWindowWidget window(main_model);
  dialogs.SetParent(&window);
  TraceWindow trace_window(&parts.ini);
  parts.trace.SetSink(&trace_window);
  parts.exchange.SetRestorePointer([] {
    while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
  });

  const std::string suffix = std::string(" - ") + VELKOR_VERSION;
  // Started from a terminal, the program says there too why it ends.
  const auto acquire_home = [&] {
    HomeAccess access = instance.Acquire();
    if (!access.Ready()) {
      std::fprintf(stderr, "velkor: %s\n", HomeAccessTerminalText(access).c_str());
    }
    return access;
  };
  QtBeeper beeper;
  ProgramLogic logic(WireProgram(parts, FrontEnd{.window = main_model,
                                                 .host = window,
                                                 .dialogs = dialogs,
                                                 .beeper = beeper,
                                                 .version_suffix = suffix,
                                                 .acquire_single_instance = acquire_home,
                                                 .open_document = [](const std::string& path) {
                                                   return OpenWithDesktop(
                                                       QString::fromStdString(path));
                                                 }}));
  window.SetLogic(&logic.window);
  window.SetTraceWindow(&trace_window);
  window.SetInterfaceRunner([&] {
    InterfaceDialog dialog(parts.ini, parts.devices, dialogs, parts.link, parts.trace,
                           &parts.language);
    dialog.exec();
    return dialog.TakeChoice();
  });
  StatusWindow status_window(logic.status_model, &parts.ini);
  logic.status.SetHost(&status_window);
  window.AddSatellite(&status_window);

  // The diagnostic windows: their buttons act through the program's logic, which lends them the
  // link; closing a window any way (its button, the title bar, the program ending) is one path.
  DiagnosticWindows& diagnostics = logic.diagnostics;
  IdentificationWindow identification_window(diagnostics.identification_model, &parts.ini);
  FaultWindow1516Widget faults_1516_window(diagnostics.faults_1516_model, &parts.ini);
  FaultWindow59Widget faults_59_window(diagnostics.faults_59_model, &parts.ini);
  const auto view = [](ModelWindow& widget) {
    return DiagnosticWindowView{.show = [&widget] { widget.Show(); },
                                .close = [&widget] { widget.Unload(); }};
  };
  diagnostics.SetIdentificationView(view(identification_window));
  diagnostics.SetFaults1516View(view(faults_1516_window));
  diagnostics.SetFaults59View(view(faults_59_window));
  identification_window.SetOnClick(frmIdentification::cdLOG,
                                   [&] { diagnostics.LogIdentification(); });
  identification_window.SetOnClick(frmIdentification::cdquitter,
                                   [&] { identification_window.close(); });
  identification_window.SetOnClose([&] { diagnostics.IdentificationClosed(); });
  faults_1516_window.SetOnClick(frmerreur::cderreur, [&] { diagnostics.ReadFaults1516(); });
  faults_1516_window.SetOnClick(frmerreur::cdarret, [&] { faults_1516_window.close(); });
  faults_1516_window.SetOnClose([&] { diagnostics.Faults1516Closed(); });
  faults_59_window.SetOnValueChanged(FrmDTC59::HScrollError,
                                     [&](int value) { diagnostics.ScrollFaults59(value); });
  faults_59_window.SetOnClick(FrmDTC59::ButtonNext, [&] { diagnostics.NextFault59(); });
  faults_59_window.SetOnClick(FrmDTC59::ButtonPrevious, [&] { diagnostics.PreviousFault59(); });
  faults_59_window.SetOnClick(FrmDTC59::CleanError, [&] { diagnostics.ClearFaults59(); });
  faults_59_window.SetOnClick(FrmDTC59::ButtonClose, [&] { faults_59_window.close(); });
  faults_59_window.SetOnClose([&] { diagnostics.Faults59Closed(); });
  for (ModelWindow* satellite : std::initializer_list<ModelWindow*>{
           &identification_window, &faults_1516_window, &faults_59_window}) {
    window.AddSatellite(satellite);
  }

  if (!logic.window.StartUp()) return 0;
  return QApplication::exec();
}
