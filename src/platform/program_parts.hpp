#pragma once

#include <filesystem>
#include <memory>

#include "config/ini_store.hpp"
#include "config/language.hpp"
#include "core/ctime_it.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/link_state.hpp"
#include "platform/linux_interface_devices.hpp"
#include "platform/qm_text_catalog.hpp"
#include "platform/qt_event_loop.hpp"
#include "platform/real_clock.hpp"
#include "platform/real_file_system.hpp"

namespace velkor {

// The real parts every front end of the program stands on, built in the order they depend on
// each other: the settings file in the home folder, the clock and the Qt message loop with its
// timers, the trace, the language files, the cables present, and the exchange with its
// reply-timeout, keep-alive (Timer_present, its interval set by the session) and progress
// (TimerTempo) timers.
struct ProgramParts {
  explicit ProgramParts(std::filesystem::path home_folder);
  ProgramParts(const ProgramParts&) = delete;
  ProgramParts& operator=(const ProgramParts&) = delete;

  std::filesystem::path home;
  RealFileSystem files;
  IniStore ini;
  RealClock clock;
  QtEventLoop loop;
  QtTimerService timers;
  CTimeIt stopwatch;
  TraceLog trace;
  QmTextCatalogLoader catalogs;
  Language language;
  LinuxInterfaceDevices devices;
  LinkState link;
  std::unique_ptr<Timer> reply_timer;
  std::unique_ptr<Timer> keep_alive;
  std::unique_ptr<Timer> progress;
  Exchange exchange;
};

}  // namespace velkor
