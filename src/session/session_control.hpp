#pragma once

#include <string>

#include "config/ini_store.hpp"
#include "config/language.hpp"
#include "core/clock.hpp"
#include "core/dialogs.hpp"
#include "core/event_loop.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/interface_devices.hpp"
#include "link/link_state.hpp"
#include "livedata/cycle_hooks.hpp"

namespace velkor {

class MainWindow;

// What the life of a session works with, besides the main window's own state.
struct SessionServices {
  ScreenModel& window;  // frmparam
  LinkState& link;
  Exchange& exchange;
  Clock& clock;
  EventLoop& loop;
  IniStore& ini;
  TraceLog& trace;
  Dialogs& dialogs;
  const Language& language;
  Beeper& beeper;
  Timer& keep_alive;      // Timer_present, 2500 ms
  Timer& progress_timer;  // TimerTempo
  // Opens a cable again when the one chosen at start-up went away; null: no second chance.
  InterfaceDevices* devices = nullptr;
};

// The life of a diagnostic session as the main window sees it:
//
//   no session --Initialise ok--> open --tick, no answer--> no session
//        ^                         |  \--ReInitialise (families 0-2)--^
//        +---- Initialise failed --+   \--Unload: stop requests (family 4)
//
// Initialise runs the family's start (the KWP start over a K-line for 4 and 5, the byte-protocol
// start for 0 to 2, the adapter's script over an ELM327) and sets the window from its result; the
// keep-alive tick sends tester present after 2.5 s without any other exchange (every exchange
// restarts the timer) and declares the session lost when it goes unanswered.
class SessionControl {
 public:
  static constexpr int kKeepAliveMs = 2500;
  static constexpr int kTesterPresentTimeoutMs = 500;
  static constexpr double kTickGap = 0.06;
  static constexpr double kSettle = 0.1;
  static constexpr double kStartDiagnosticWait = 1.0;
  static constexpr int kStartDiagnosticTimeoutMs = 600;
  static constexpr int kStartDiagnosticLength = 12;
  static constexpr const char* kElmSettings = "38400,n,8,1";
  static constexpr const char* kReInitQuestion = "Couper le contact de la moto\rTurn KEY OFF";
  static constexpr const char* kReInitTitle = "RéInitialisation/Reset Init";
  // The window's pointer while a start runs (the platform's busy pointer number).
  static constexpr int kBusyPointer = 12;

  SessionControl(SessionServices services, MainWindow& main);

  // cdintialisation / MnInit (F2). True when a session is open afterwards.
  bool Initialise();
  // Timer_present ticked.
  void KeepAliveTick();
  // CdReInit / MnRreInit.
  void ReInitialise();
  // The window closes: no tick may reach the link any more.
  void Close() { s_.keep_alive.Stop(); }

  // After a successful start: the ECU's name and, for the KWP start, the variant that worked
  // (-1 for the other starts).
  const std::string& EcuName() const { return ecu_name_; }
  int Variant() const { return variant_; }
  int TrimmerInitial() const { return trimmer_initial_; }

 private:
  bool RunStart();
  bool StartKLine();
  bool StartElm();
  void StartDiagnosticEobd();
  // The cable for a start; false (after a message naming the port) when it cannot be used.
  bool KLineReady();
  bool ElmReady();
  void PortMessage(const std::string& port, const std::string& error);
  void Enable(std::string_view control, bool on);
  std::string Text(int id, std::string_view built_in) const;

  SessionServices s_;
  MainWindow& main_;
  int ok_log_number_ = 0;
  std::string ecu_name_;
  int variant_ = -1;
  int trimmer_initial_ = 0;
};

// Reads the idle-mixture trimmer of a family-4 ECU ("213D"); 0 and the trace line
// "Error Trimmer" when the answer does not hold it.
int GetTrimmerInitial(Exchange& exchange, LinkState& link, Clock& clock, TraceLog& trace);

}  // namespace velkor
