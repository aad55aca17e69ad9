// Velkor: the desktop program. Wires the real clock, event loop, timers, cables, settings file
// and language files to the windows.
#include <QApplication>
#include <cstdio>
#include <memory>

#include "core/screen_model.hpp"
#include "platform/home_folder.hpp"
#include "program_windows.hpp"
#include "program_wiring.hpp"
#include "ui/desktop_document.hpp"
#include "ui/interface_window.hpp"
#include "ui/main_window_widget.hpp"
#include "ui/qt_beeper.hpp"
#include "ui/qt_dialogs.hpp"
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
  // The satellite windows, wired to the logic; they close with the main window.
  ProgramWindows windows(logic, window, &parts.ini);

  if (!logic.window.StartUp()) return 0;
  return QApplication::exec();
}
