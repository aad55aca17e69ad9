#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "config/language.hpp"
#include "core/clock.hpp"
#include "core/dialogs.hpp"
#include "core/event_loop.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/kline_port.hpp"
#include "link/link_state.hpp"
#include "livedata/cycle_hooks.hpp"

namespace velkor {

// Session start of the byte-protocol families 16M, 15M and 15RC.
//
// With the ignition switched on, the 15M/16M announce themselves at 1200 baud with a key-byte
// record (0x55 and four bytes plus a checksum); the tester answers 0F AA CC with fixed pauses and
// from then on both sides talk at 7812 baud, one request byte for one answer byte. The 15RC
// skips the key bytes: the answer pattern is sent at once.
//
//   configure 1200 -> [15RC] ------------------------------------+
//        |                                                       v
//        +-> ask "key off" -> listen 20 s -> key bytes valid? -> phase 1: 0F AA CC at 1200
//              | Cancel        | silence: "Echec"  | no                   |
//              v               v                   v            phase 2: 7812, check "08"
//            false           false               false                    | silent: "Echec", false
//                                                               phase 3: faults 10-12, 14-16
//                                                                         v
//                                                                        true
namespace init1516 {
inline constexpr int kListenBaud = 1200;
inline constexpr int kWorkingBaud = 7812;
inline constexpr int kKeyBytes = 6;
inline constexpr int kKeyListenMs = 20000;
inline constexpr int kByteAnswerMs = 500;
// The answer pattern: a byte after each pause, measured from the start of the pattern; the
// final pause leaves the ECU time to switch to the working speed.
inline constexpr double kFirstByteAt = 0.6;
inline constexpr double kByteSpacing = 0.11;
inline constexpr double kSettle = 0.3;
inline constexpr std::uint8_t kAnswerPattern[] = {0x0F, 0xAA, 0xCC};
// ProgressBar1 counts the phases out of five; the model holds a bar's value in percent.
inline constexpr int kPhaseCount = 5;
// Run length of the progress timer, in ticks of 200 ms.
inline constexpr int kProgressRunLength = 150;
inline constexpr int kProgressTickMs = 200;
// The window's mouse pointer, as the platform's standard pointer numbers: each phase shows its
// own, so the user sees the start moving on; the caller restores the default afterwards.
inline constexpr std::string_view kMousePointer = "MousePointer";
inline constexpr int kPointerPhase1 = 7;
inline constexpr int kPointerPhase2 = 9;
inline constexpr int kPointerPresentFaults = 7;
inline constexpr int kPointerStoredFaults = 8;
inline constexpr std::string_view kCheckRequest = "08";
inline constexpr std::string_view kPresentFaultRequests[] = {"10", "11", "12"};
inline constexpr std::string_view kStoredFaultRequests[] = {"14", "15", "16"};
// The texts built in; the language in use may have its own (config/language_texts.hpp).
inline constexpr std::string_view kFailed = texts::kStartFailed.built_in;
inline constexpr std::string_view kQuestionTitle = texts::kKeyOffQuestionTitle.built_in;
inline constexpr std::string_view kQuestion = texts::kKeyOffQuestion.built_in;
}  // namespace init1516

// What the start needs of the program and of the main window.
struct Init1516Context {
  LinkState& link;
  Exchange& exchange;
  // The K-line cable the exchange uses; null behaves as a silent ECU.
  KLinePort* port;
  Clock& clock;
  TraceLog& trace;
  Dialogs& dialogs;
  const Language& language;
  Beeper& beeper;
  // The main window's controls (frmparam).
  ScreenModel& window;
  // TimerTempo, the main window's progress timer.
  Timer& progress_timer;
  // Starts TimerTempo for a run length in ticks with its tick count cleared (the main window's
  // StartProgress). When empty the timer is only given its interval and started.
  std::function<void(int run_length)> start_progress;
};

// True when `recep` holds a key-byte record: "55" or, failing that, "0B", followed by four
// bytes and the CheckSum of those five bytes. Only the first "55" and the first "0B" are tried;
// positions are not aligned to bytes.
bool verif_code_iso(std::string_view recep);

// Starts the session of link.EcuType (0, 1 or 2). True when the three phases were performed and
// the ECU answered the check request (test mode counts as answered); false on Cancel, silence,
// a wrong key-byte record or a silent check request.
bool Init1516(Init1516Context& context);

}  // namespace velkor
