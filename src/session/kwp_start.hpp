#pragma once

#include <filesystem>

#include "config/ini_store.hpp"
#include "config/language.hpp"
#include "config/settings.hpp"
#include "core/clock.hpp"
#include "core/dialogs.hpp"
#include "core/event_loop.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/kline_port.hpp"
#include "link/link_state.hpp"

namespace velkor {

// What the KWP session start works with. Everything is borrowed and must outlive the start.
struct KwpStartServices {
  Exchange& exchange;
  KLinePort* port;  // the open K-line cable; null behaves as a silent ECU
  LinkState& state;
  Clock& clock;
  EventLoop& loop;
  IniStore& ecu_ini;  // [ECU] Init, InitB, Chrono
  TraceLog& trace;
  Dialogs& dialogs;
  ScreenModel& screen;                   // the main window
  MeasureSwitches& measures;             // the preferences in memory (stepper motor, trimmer)
  Timer* keep_alive;                     // stopped while the attempts run; may be null
  std::filesystem::path program_folder;  // the kept trace goes to its Mesures folder
  int& ok_log_number;                    // owned by the main window, 0..9
  const Language* language = nullptr;    // the texts shown; null: the built-in texts
};

// Opens a KWP2000 session with a family 4 or 5 ECU over a K-line cable. Which wake-up an ECU and
// cable accept is not known in advance, so the start cycles through variants (the one that
// worked is remembered in [ECU] Init):
//   0  fast init by break: 0.45 s idle, low T, high T (T from BreakLength)
//   1  fast init by 0xF0 at 200 baud (25 ms low), after 0.45 s idle, 50 ms before 10400 baud
//   2  five-baud address 0x10 and key-byte confirmation
//   3  as 1 with 0.35 s idle and 25 ms before 10400 baud
//   4  as 1 with the speed changed at once
//   5+ no wake-up: a single attempt on the link as it is
class KwpStart {
 public:
  static constexpr int kAttemptLimit = 40;
  static constexpr int kNominalBaud = 10400;
  static constexpr int kWakeUpByteBaud = 200;

  explicit KwpStart(KwpStartServices services) : s_(services) {}

  // True when the session is open. Shows the progress on ProgressBar1 (value in percent of the
  // attempt limit) and Lbtest, and on success the ECU name in lbPanel5.
  bool InitKWP();

  // Break length of a variant-0 attempt, in seconds: 22 ms moved by up to 3 ms around it so
  // that one of seven successive attempts suits the ECU's tolerance.
  static double BreakLength(int attempt);
  // The variant after a tenth failed attempt: 3 goes to 0, others cycle 0 -> 1 -> 2 -> 0.
  static int NextVariant(int variant);

  // After InitKWP: the attempts made, the variant of the last one and the ECU name read.
  int Attempts() const { return attempt_; }
  int Variant() const { return variant_; }
  const std::string& EcuName() const { return ecu_name_; }

 private:
  void WakeUp(int variant, int attempt);
  void StoreVariant(int variant);
  void ReadTimingAndName();
  void ShowStepperControls();
  void KeepTrace();

  KwpStartServices s_;
  int attempt_ = 0;
  int variant_ = 0;
  double last_break_ = 0;  // T of the last variant-0 attempt, 0 when none
  std::string ecu_name_;
};

}  // namespace velkor
