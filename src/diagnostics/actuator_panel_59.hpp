#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/event_loop.hpp"
#include "core/progress_ticker.hpp"
#include "core/screen_model.hpp"
#include "diagnostics/actuator_runner.hpp"
#include "diagnostics/diagnostics_services.hpp"
#include "link/kwp_reply.hpp"

namespace velkor {

// One entry of FrmDTC59's test list.
struct ActuatorTest59 {
  std::string_view cli_name;  // velkor-cli test <name>
  LanguageText name;          // ComboChoixTest
  LanguageText description;   // LDescription
  int id;                     // local identifier (30 id 07); -1 for the immobiliser read
  int seconds;
  int ticks;  // of ProgressTicker::kTickMs
};
inline constexpr int kImmobiliserIndex = 8;
inline constexpr int kActuatorTestCount = 9;
extern const ActuatorTest59 kActuatorTests59[kActuatorTestCount];

// How the last command of the panel ended, for velkor-cli.
enum class PanelOutcome {
  kNone,
  kRunning,
  kOk,               // the ECU confirmed the start (and the test or routine ran its time)
  kStopped,          // a test ended early by the user, the window or the program; stop confirmed
  kInterlocked,      // refused before anything was sent to move: engine not known to be stopped
  kCancelled,        // the confirmation was answered Cancel: nothing sent
  kRefused,          // the ECU refused (7F): "Test Echoué: " + reason
  kNoAnswer,         // the ECU said nothing
  kStopUnconfirmed,  // the stop was not confirmed after a retry: the ignition warning shown
  kSessionLost,      // tester present went unanswered during the test
};

// The actuator tests and service routines of FrmDTC59 (the 59M/5AM, EcuType 4): tests 0 to 7 by
// input/output control, the immobiliser status (index 8), the throttle-sensor reset and, for the
// 5AM, the service reset. Each command holds the link through `hold` for as long as it runs.
//
//   idle --PressStart(0-7), engine stopped, 70 id--> running --limit/stop/closed/lost--> idle
//                                                         (every way out sends 30 id 00)
//   idle --PressResetTps, OK, engine stopped, C1, 71 21--> routine 7 s --73 21--> key off,
//                                                         no session
//   idle --PressResetService (5AM), OK, engine stopped, 70 20--> routine 7 s --> idle
// The id and the tick limit of a test come from the list's current choice at the press; the
// routines use their own ids and never change what a later press sends.
class ActuatorPanel59 {
 public:
  static constexpr int kTpsId = 0x21;
  static constexpr int kServiceId = 0x20;
  static constexpr int kRoutineTicks = 35;

  // `window` (FrmDTC59) and `timer` (TimerTestActif) must outlive this object.
  ActuatorPanel59(ScreenModel& window, DiagnosticsServices services, Timer& timer, LinkHold& hold);

  // The panel's part of the window's loading: captions, the list, the routine buttons.
  // `ecu_name`: the session's ECU name (a 5AM holds "IAW5A").
  void Load(std::string_view ecu_name);

  void Choose(int index);    // ComboChoixTest
  void PressStart();         // CdeStartTest: starts the chosen test, or stops the running one
  void PressResetTps();      // cdresetTPS
  void PressResetService();  // cdService
  // The window closes, F4, the program closes: a running test is stopped ("30 id 00") and the
  // link given back; during an exchange, as soon as it returns.
  void StopForExit();

  bool Busy() const { return busy_; }
  bool TestRunning() const { return running_test_.has_value(); }
  PanelOutcome LastOutcome() const { return outcome_; }
  // What a refusal or a failure said ("Le moteur doit être arrêté", "Test Echoué: ...").
  const std::string& LastMessage() const { return message_; }

 private:
  enum class Routine { kNone, kTps, kService };
  enum class Exit { kRanOut, kStopButton, kWindow, kLost };

  std::string Text(const LanguageText& text) const;
  void Append(const std::string& line);
  void ShowIdle();
  void Lock();
  // A command begins: the panel locked, nothing of the last command's outcome kept.
  void Begin();
  // A routine begins: the test list greyed, its 7 s bar, the session kept alive.
  void BeginRoutine();
  // The routine's question, then the engine check; false when the routine has ended there
  // (cancelled, refused, stopped, or ended by the session's loss).
  bool RoutineMayGo(const LanguageText& question, std::string_view title,
                    std::string_view engine_title);
  // "Test Echoué: " and why: the reason of the ECU's refusal of `service`, or no answer.
  std::string Failure(std::string_view answer, const KwpReply& reply, int service) const;
  bool EngineStopped(const LanguageText& running_text, std::string_view title);
  void StartTest(int index);
  void EndTest(Exit why);
  void ReadImmobiliser();
  void RoutineEnded();
  void RoutineExit();
  void Lost();
  void Idle();
  void Finish(PanelOutcome outcome, bool session_lost = false);
  bool Allowed() const;

  ScreenModel& window_;
  DiagnosticsServices services_;
  ProgressTicker ticker_;
  LinkHold& hold_;
  bool five_am_ = false;
  bool busy_ = false;
  std::optional<int> running_test_;  // index 0-7 while its actuator is on
  Routine routine_ = Routine::kNone;
  bool exit_pending_ = false;  // a stop waits for the exchange under way
  Exit pending_why_ = Exit::kWindow;
  bool in_start_ = false;  // inside the start exchange
  bool lost_ = false;      // tester present went unanswered: Lost() has ended the command
  bool routine_end_pending_ = false;
  PanelOutcome outcome_ = PanelOutcome::kNone;
  std::string message_;
  std::string description_;
};

}  // namespace velkor
