#pragma once

#include "config/language.hpp"
#include "core/clock.hpp"
#include "core/dialogs.hpp"
#include "core/event_loop.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/link_state.hpp"
#include "livedata/cycle_hooks.hpp"

namespace velkor {

// What the diagnostic windows' logic stands on. The session lends the link for each read,
// clear or test (it stops the measurements and the keep-alive and gives everything back on
// every way out), so none of these classes starts or stops anything of the session itself.
struct DiagnosticsServices {
  Exchange& exchange;
  LinkState& link;  // EcuType, ReplyHeader, TestMode, ReplyTimeout
  Clock& clock;     // Pause: the waits before requests
  EventLoop& loop;  // a turn between requests
  TraceLog& trace;
  const Language& language;
  Dialogs& dialogs;
  Beeper& beeper;
};

// How a read or a clear ended, for the session (which decides whether the session is lost)
// and for velkor-cli (its exit code).
enum class DiagnosticOutcome {
  kDone,       // every answer came
  kNoAnswer,   // the ECU said nothing to a request: what was shown says so
  kRefused,    // the ECU refused (a clear: 7F 14 xx); the reason was shown
  kCancelled,  // the user said Cancel to a question
};

}  // namespace velkor
