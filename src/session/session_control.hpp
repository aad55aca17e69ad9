#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "config/ini_store.hpp"
#include "config/language.hpp"
#include "config/settings.hpp"
#include "core/clock.hpp"
#include "core/dialogs.hpp"
#include "core/event_loop.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/interface_devices.hpp"
#include "link/kline_port.hpp"
#include "link/link_state.hpp"
#include "link/serial_port.hpp"
#include "livedata/cycle_hooks.hpp"
#include "livedata/measurement_flags.hpp"

namespace velkor {

// The AFR window's button that a session start greys while it talks on the line.
inline constexpr std::string_view kAfrButton = "cdAFR";

// The link the interface window opened, handed to the session that lives on it.
struct OpenLink {
  InterfaceKind kind = InterfaceKind::kUsb;
  std::unique_ptr<KLinePort> kline;  // FTDI or serial K-line cable, when one was opened
  std::unique_ptr<SerialPort> elm;   // the ELM327 port, when opened
  std::string device;                // the FTDI cable's description or the serial device's path
};

// What the session asks of the window it serves.
class SessionHost {
 public:
  virtual ~SessionHost() = default;
  // The 15M/16M start shows its progress for `run_length` ticks of 200 ms.
  virtual void StartProgress(int run_length) = 0;
  // A start closes the workbook first (the box Chenregistre is cleared).
  virtual void CloseWorkbook() = 0;
  // A session opened: the window starts the measurements when [Menu] auto says so.
  virtual void SessionOpened() = 0;
};

// What the life of a session works with.
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
  MeasurementFlags& flags;
  MeasureSwitches& measures;  // the preferences in memory (stepper motor, trimmer)
  std::filesystem::path home;
  // Opens a cable again when the one chosen at start-up went away; null: no second chance.
  InterfaceDevices* devices = nullptr;
  // The AFR window, when an external AFR source is configured; null: none.
  ScreenModel* afr_window = nullptr;
};

class LinkLease;

// The life of a diagnostic session as the main window sees it. The session owns the open link
// (the cable or the adapter's port) from the interface window to the program's end.
//
//   no session --Initialise ok--> open --tick, no answer--> no session
//        ^                         |  \--ReInitialise (families 0-2)--^
//        +---- Initialise failed --+
//   any state --Close--> closing: nothing more is sent; the link is let go once no start,
//                         exchange or measurement run is left on the stack
//
// Initialise runs the family's start (the KWP start over a K-line for 4 and 5, the byte-protocol
// start for 0 to 2, the adapter's script over an ELM327) and sets the window from its result; the
// keep-alive tick sends tester present after 2.5 s without any other exchange (every exchange
// restarts the timer) and declares the session lost when it goes unanswered.
//
// Everything here runs on the one thread, but a start, an exchange or a measurement run gives the
// message loop turns, and the window may close in one of them. Close therefore never frees the
// link under a caller: it raises LinkState::Closing (every start ends at its next turn, every
// exchange refuses to send) and lets the link go when the last of them has returned.
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
  static constexpr double kClosingGap = 0.06;  // before each closing request
  static constexpr int kClosingTimeoutMs = 1000;
  // The window's pointer while a start runs (the platform's busy pointer number).
  static constexpr int kBusyPointer = 12;

  SessionControl(SessionServices services, SessionHost& host);
  ~SessionControl();
  SessionControl(const SessionControl&) = delete;
  SessionControl& operator=(const SessionControl&) = delete;

  // The link the interface window opened (ports may be null: test mode, or nothing opened).
  void Attach(OpenLink link);

  // cdintialisation / MnInit (F2). True when a session is open afterwards.
  bool Initialise();
  // Timer_present ticked.
  void KeepAliveTick();
  // CdReInit / MnRreInit.
  void ReInitialise();
  // The window closes: for family 4 on a K-line the diagnostic session and the communication
  // are ended; nothing is sent after that, and the link is closed as soon as nobody uses it.
  // The hook set by SetBeforeClose runs first, before anything is refused.
  void Close();
  // Called first in Close(): a running actuator test is stopped and its lease given back before
  // the closing frames. A holder whose exchange is under way then sends its stop when that
  // exchange returns (lowering LinkState::Closing around it, as the closing frames do).
  void SetBeforeClose(std::function<void()> before_close) {
    before_close_ = std::move(before_close);
  }
  // A caller that gave turns (the measurement run) has returned: a pending close completes.
  void ReleaseIfClosed();

  // Takes the link for a window that talks to the ECU outside the measurement cycle. Null when
  // it cannot be had now: the cycle is running (it is asked to stop; the user clicks again once
  // it has), a start or another lease holds the link, or the program is closing.
  std::unique_ptr<LinkLease> TakeLease();

  // A window that greyed the main window's commands while it is open (a fault window between
  // its reads): the keep-alive's ticks leave them greyed until it gives them back.
  void HoldCommands(bool hold) { held_commands_ += hold ? 1 : (held_commands_ > 0 ? -1 : 0); }

  bool Open() const { return open_; }
  bool Starting() const { return starting_; }
  bool Closed() const { return closing_; }
  bool Leased() const { return lease_ != nullptr; }
  // After a successful start: the ECU's name and, for the KWP start, the variant that worked
  // (-1 for the other starts).
  const std::string& EcuName() const { return ecu_name_; }
  int Variant() const { return variant_; }
  // The ECU of the session is a 5AM: stepper motor and lambda probe.
  bool HasStepper() const { return has_stepper_; }
  // The trimmer's value read at the session start; none while the ECU has not told it.
  std::optional<int> TrimmerInitial() const { return trimmer_initial_; }
  // The trimmer's value for a measurement run of family 4: read from the ECU when not known yet.
  std::optional<int> TrimmerInitialForRun();
  InterfaceKind Kind() const { return link_.kind; }
  KLinePort* KLine() const { return link_.kline.get(); }
  SerialPort* Adapter() const { return link_.elm.get(); }

 private:
  friend class LinkLease;

  bool RunStart();
  bool StartKLine();
  bool StartElm();
  void StartDiagnosticEobd();
  // The cable for a start; false (after a message naming the port) when it cannot be used.
  bool KLineReady();
  bool ElmReady();
  void PortMessage(const std::string& port, const std::string& error);
  void Enable(std::string_view control, bool on);
  void EnableAfr(bool on);
  // The no-session state: F2 offered, measurements and diagnostics greyed, lamp red.
  void ShowNoSession();
  void SendClosingFrames();
  void LetGoOfLink();
  void LeaseEnded(bool check_session);
  // Timer_present ticked while a lease that keeps the session alive holds the link.
  void LeaseKeepAliveTick();
  std::string Text(int id, std::string_view built_in) const;

  SessionServices s_;
  SessionHost& host_;
  OpenLink link_;
  LinkLease* lease_ = nullptr;
  int held_commands_ = 0;
  int ok_log_number_ = 0;
  std::string ecu_name_;
  int variant_ = -1;
  std::optional<int> trimmer_initial_;
  bool has_stepper_ = false;
  bool open_ = false;
  bool starting_ = false;
  bool closing_ = false;
  bool cancelled_start_ = false;  // the window closed during a start: nothing more is sent
  bool frames_sent_ = false;
  std::function<void()> before_close_;
  bool before_closing_ = false;  // the hook runs: a lease it ends restarts nothing
};

// A window's hold on the link outside the measurement cycle (identification, faults, tests, the
// 15M trimmer, the preferences, the status read, re-initialisation). While it lives, the cycle is
// stopped, Timer_present is stopped, MeasureAllowed is cleared, the main window's session
// commands are greyed and the pointer is busy. Its end gives every one of them back, whatever the
// way out: done, error, the window closed, the session lost (the commands then show the
// no-session state) or the program closing (nothing is restarted on the link).
class LinkLease {
 public:
  ~LinkLease();
  LinkLease(const LinkLease&) = delete;
  LinkLease& operator=(const LinkLease&) = delete;

  // The holder found the ECU gone: the lease ends in the no-session state.
  void SessionLost() { lost_ = true; }
  bool Lost() const { return lost_; }

  // For a holder that runs a long command across many turns (an actuator test lasts up to 30 s,
  // the ECU drops a KWP session after 5 s without a request): Timer_present runs again, and its
  // tick sends tester present (families 4 and 5 on a K-line; an ELM327 keeps the session itself)
  // whenever no exchange is under way. It re-enables nothing: the session commands stay greyed
  // while the lease holds the link. An unanswered tester present marks the lease lost and calls
  // on_lost (the holder stops what it runs at once, then gives the lease back). after_exchange,
  // when given, is called after each tester present that came back with the session alive, so
  // that a holder whose stop had to wait for that exchange sends it now.
  void KeepSessionAlive(std::function<void()> on_lost, std::function<void()> after_exchange = {});

 private:
  friend class SessionControl;
  explicit LinkLease(SessionControl& session);

  struct Saved {
    std::string_view control;
    bool enabled;
  };
  SessionControl& session_;
  std::vector<Saved> commands_;
  int pointer_ = 0;
  bool keep_alive_ = false;
  bool measure_allowed_ = true;
  bool lost_ = false;
  bool keeping_alive_ = false;
  std::function<void()> on_lost_;
  std::function<void()> after_exchange_;
};

// Reads the idle-mixture trimmer of a family-4 ECU ("213D", its reply 61 3D <byte>): the byte
// as a signed value (0x80 reads +128); none and the trace line "Error Trimmer" when the ECU's
// reply does not hold it.
std::optional<int> GetTrimmerInitial(Exchange& exchange, LinkState& link, Clock& clock,
                                     TraceLog& trace);

}  // namespace velkor
