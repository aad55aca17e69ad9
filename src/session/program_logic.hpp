#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "adjust/stepper_test.hpp"
#include "adjust/trimmer.hpp"
#include "adjust/trimmer_15m.hpp"
#include "config/ini_store.hpp"
#include "config/language.hpp"
#include "core/clock.hpp"
#include "core/ctime_it.hpp"
#include "core/dialogs.hpp"
#include "core/event_loop.hpp"
#include "core/number_format.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/interface_devices.hpp"
#include "link/link_state.hpp"
#include "livedata/engine_status.hpp"
#include "livedata/family_decoder.hpp"
#include "livedata/measurement_cycle.hpp"
#include "recording/text_recorder.hpp"
#include "recording/workbook_recorder.hpp"
#include "session/diagnostic_windows.hpp"
#include "session/live_data_hooks.hpp"
#include "session/main_window.hpp"
#include "session/session_control.hpp"

namespace velkor {

// What a front end brings: its window model and host, dialogs, beeper, version suffix.
struct FrontEnd {
  ScreenModel& window;  // frmparam
  MainWindowHost& host;
  Dialogs& dialogs;
  Beeper& beeper;
  std::string version_suffix;  // " - 1.2.3", or "" without windows
  // Takes the home folder's lock (see MainWindowServices); none: the front end took it itself.
  std::function<HomeAccess()> acquire_single_instance;
  // Opens a finished workbook with the desktop's default application, false when no program
  // could open it; none: not offered.
  std::function<bool(const std::string& path)> open_document;
};

// Everything the program's logic stands on: the front end and the parts below it (the real
// ones, or the bench's).
struct ProgramServices {
  FrontEnd front;
  IniStore& ini;
  FileSystem& files;
  Clock& clock;
  EventLoop& loop;
  TraceLog& trace;
  CTimeIt& stopwatch;
  Language& language;
  LinkState& link;
  Exchange& exchange;
  Timer& keep_alive;  // Timer_present
  Timer& progress;    // TimerTempo
  // Further timers of the windows' own (TimerTestActif, the stepper test's progress).
  TimerService& timers;
  InterfaceDevices* devices = nullptr;
  std::filesystem::path home;
  NumberLocale recording_locale = NumberLocale::User();
};

// The program's logic, built once for every front end (the desktop program, velkor-cli, the
// scenario tests): the main window's behaviour, the session that owns the link, the live data
// with its decoder, hooks and cycle, the engine status and the two recorders. Adding a window or
// a source is one change here.
class ProgramLogic : private CycleRunHooks {
 public:
  explicit ProgramLogic(ProgramServices services);
  ProgramLogic(const ProgramLogic&) = delete;
  ProgramLogic& operator=(const ProgramLogic&) = delete;

  // Order matters: each part is built from the ones above it, and destroyed before them.
 private:
  std::unique_ptr<Timer> test_timer_;  // TimerTestActif of FrmDTC59

 public:
  MainWindow window;
  SessionControl session;
  ScreenModel status_model;  // frmStatuts
  EngineStatus status;
  FamilyDecoder decoder;
  LiveDataHooks hooks;
  CsvRecorder csv;
  WorkbookRecorder workbook;
  MeasurementCycle cycle;
  DiagnosticWindows diagnostics;  // frmIdentification, frmerreur, FrmDTC59

 private:
  std::unique_ptr<Timer> stepper_timer_;  // the stepper test's own progress ticks

 public:
  Trimmer trimmer;              // the main window's trimmer (family 4; 15M/15RC read-only)
  StepperTest stepper;          // the 5AM's stepper-motor test
  ScreenModel trimmer15_model;  // frmTrimmer15
  Trimmer15 trimmer15;

 private:
  // CycleRunHooks: a run starts and ends the trimmer's and the stepper test's work; a family-4
  // run starts with the trimmer value of the session.
  void RunStarting() override {
    trimmer.RunStarting();
    stepper.RunStarting();
  }
  std::optional<int> TrimmerInitial() override {
    const std::optional<int> initial = session.TrimmerInitialForRun();
    trimmer.SetInitial(initial);
    return initial;
  }
  bool StepperUsesBarGraph() const override { return stepper.Running(); }
  void RunEnded() override {
    stepper.RunEnded();
    trimmer.RunEnded();
  }
};

}  // namespace velkor
