#pragma once

#include "config/language.hpp"
#include "core/clock.hpp"
#include "core/dialogs.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/link_state.hpp"

namespace velkor {

// What the main window's adjustments (the trimmer and the stepper test) work with. Both run
// inside the measurement cycle, so they need no lease of the link.
struct AdjustServices {
  ScreenModel& window;  // frmparam
  Exchange& exchange;
  LinkState& link;  // EcuType, ReplyHeader, TestMode
  Clock& clock;     // the pauses before requests
  TraceLog& trace;
  const Language& language;
  Dialogs& dialogs;
};

}  // namespace velkor
