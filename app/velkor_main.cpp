// Velkor: the desktop program. Wires the real clock, event loop, timers, cables, settings file
// and language files to the windows.
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <cstdlib>
#include <memory>
#include <optional>

#include "config/ini_store.hpp"
#include "config/language.hpp"
#include "config/settings.hpp"
#include "core/ctime_it.hpp"
#include "core/number_format.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/link_state.hpp"
#include "livedata/engine_status.hpp"
#include "livedata/family_decoder.hpp"
#include "livedata/measurement_cycle.hpp"
#include "platform/home_folder.hpp"
#include "platform/linux_interface_devices.hpp"
#include "platform/qm_text_catalog.hpp"
#include "platform/qt_event_loop.hpp"
#include "platform/real_clock.hpp"
#include "platform/real_file_system.hpp"
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

  const std::filesystem::path home = ResolveHomeFolder(QApplication::arguments());

  RealFileSystem files;
  IniStore ini(EcuIniPath(home), files);
  RealClock clock;
  QtEventLoop loop;
  QtTimerService timers;
  CTimeIt stopwatch(clock);
  TraceLog trace(stopwatch);
  trace.SetDecimalSeparator(NumberLocale::User().decimal);

  LinkState link;
  std::unique_ptr<Timer> reply_timer = timers.CreateTimer();
  std::unique_ptr<Timer> keep_alive = timers.CreateTimer();
  std::unique_ptr<Timer> progress = timers.CreateTimer();
  keep_alive->SetInterval(2500);
  Exchange exchange(link, clock, loop, *reply_timer, trace);
  exchange.SetKeepAliveTimer(keep_alive.get());

  QmTextCatalogLoader catalogs(QmTextCatalogLoader::StandardFolders(home));
  Language language(catalogs);
  QtDialogs dialogs;
  SingleInstance instance(home);
  LinuxInterfaceDevices devices;

  ScreenModel main_model;
  MainWindowWidget window(main_model);
  dialogs.SetParent(&window);
  TraceWindow trace_window(&ini);
  trace.SetSink(&trace_window);
  exchange.SetRestorePointer([] {
    while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
  });

  const std::string suffix = std::string(" - ") + VELKOR_VERSION;
  MainWindow logic(main_model,
                   MainWindowServices{ini, link, exchange, clock, trace, stopwatch, dialogs,
                                      language, home, suffix, [&] { return instance.Acquire(); }},
                   window, *progress);
  window.SetLogic(&logic);
  window.SetTraceWindow(&trace_window);
  window.SetInterfaceRunner([&] {
    InterfaceDialog dialog(ini, devices, dialogs, link, trace);
    dialog.exec();
    return dialog.TakeChoice();
  });

  // Live data: the decoder, the cycle, the recordings and the engine-status window.
  FamilyDecoder decoder(exchange, link, clock);
  decoder.SetEcuDescription([&] { return main_model.Text(frmparam::lbPanel5); });
  ScreenModel status_model;
  EngineStatus engine_status(status_model,
                             EngineStatusServices{exchange, link, clock, loop, language});
  StatusWindow status_window(status_model, &ini);
  engine_status.SetHost(&status_window);
  window.SetStatusOpener([&] { engine_status.ShowWindow(); });
  window.AddSatellite(&status_window);
  LiveDataHooks hooks(main_model, link);
  hooks.SetEngineStatus(&engine_status);
  QtBeeper beeper;
  CsvRecorder csv(home, NumberLocale::User(), files);
  WorkbookRecorder workbook(home);
  MeasurementCycle cycle(MeasurementCycleServices{
      main_model, logic.flags(), link, decoder, clock, loop, trace, language, hooks, beeper,
      logic.settings(), suffix, keep_alive.get(), &workbook, &csv});
  logic.SetMeasurement(MeasurementParts{&cycle, &csv, &workbook, [](const std::string& path) {
                                          QDesktopServices::openUrl(
                                              QUrl::fromLocalFile(QString::fromStdString(path)));
                                        }});

  SessionControl session(
      SessionServices{main_model, link, exchange, clock, loop, ini, trace, dialogs, language,
                      beeper, *keep_alive, *progress, &devices},
      logic);
  logic.SetSession(&session);

  if (!logic.StartUp()) return 0;
  return QApplication::exec();
}
