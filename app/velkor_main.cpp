// Velkor: the desktop program. Wires the real clock, event loop, timers, cables, settings file
// and language files to the windows.
#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <memory>

#include "config/settings.hpp"
#include "core/number_format.hpp"
#include "core/screen_model.hpp"
#include "livedata/engine_status.hpp"
#include "livedata/family_decoder.hpp"
#include "livedata/measurement_cycle.hpp"
#include "platform/home_folder.hpp"
#include "platform/program_parts.hpp"
#include "recording/text_recorder.hpp"
#include "recording/workbook_recorder.hpp"
#include "session/live_data_hooks.hpp"
#include "session/main_window.hpp"
#include "session/session_control.hpp"
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
  MainWindow logic(main_model,
                   MainWindowServices{parts.ini, parts.link, parts.exchange, parts.clock,
                                      parts.trace, parts.stopwatch, dialogs, parts.language,
                                      parts.home, suffix, [&] { return instance.Acquire(); }},
                   window, *parts.progress);
  window.SetLogic(&logic);
  window.SetTraceWindow(&trace_window);
  window.SetInterfaceRunner([&] {
    InterfaceDialog dialog(parts.ini, parts.devices, dialogs, parts.link, parts.trace);
    dialog.exec();
    return dialog.TakeChoice();
  });

  // Live data: the decoder, the cycle, the recordings and the engine-status window.
  FamilyDecoder decoder(parts.exchange, parts.link, parts.clock);
  decoder.SetEcuDescription([&] { return main_model.Text(frmparam::lbPanel5); });
  ScreenModel status_model;
  EngineStatus engine_status(
      status_model,
      EngineStatusServices{parts.exchange, parts.link, parts.clock, parts.loop, parts.language});
  StatusWindow status_window(status_model, &parts.ini);
  engine_status.SetHost(&status_window);
  window.SetStatusOpener([&] { engine_status.ShowWindow(); });
  window.AddSatellite(&status_window);
  LiveDataHooks hooks(main_model, parts.link);
  hooks.SetEngineStatus(&engine_status);
  QtBeeper beeper;
  CsvRecorder csv(parts.home, NumberLocale::User(), parts.files);
  WorkbookRecorder workbook(parts.home);
  MeasurementCycle cycle(MeasurementCycleServices{main_model, logic.flags(), parts.link, decoder,
                                                  parts.clock, parts.loop, parts.trace,
                                                  parts.language, hooks, beeper, logic.settings(),
                                                  suffix, parts.keep_alive.get(), &workbook, &csv});
  logic.SetMeasurement(MeasurementParts{&cycle, &csv, &workbook, [](const std::string& path) {
                                          QDesktopServices::openUrl(
                                              QUrl::fromLocalFile(QString::fromStdString(path)));
                                        }});

  SessionControl session(
      SessionServices{main_model, parts.link, parts.exchange, parts.clock, parts.loop, parts.ini,
                      parts.trace, dialogs, parts.language, beeper, *parts.keep_alive,
                      *parts.progress, &parts.devices},
      logic);
  logic.SetSession(&session);

  if (!logic.StartUp()) return 0;
  return QApplication::exec();
}
