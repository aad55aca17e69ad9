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

// Sends through a link that the program is closing, for the one request that puts the ECU back
// as it was (the end of a stepper test, the trimmer's original value): the session lets the
// link go only after its holders are done, and lowers Closing around its own closing frames the
// same way.
class SendDespiteClosing {
 public:
  explicit SendDespiteClosing(LinkState& link) : link_(link), was_(link.Closing) {
    link_.Closing = false;
  }
  ~SendDespiteClosing() { link_.Closing = was_; }
  SendDespiteClosing(const SendDespiteClosing&) = delete;
  SendDespiteClosing& operator=(const SendDespiteClosing&) = delete;

 private:
  LinkState& link_;
  bool was_;
};

}  // namespace velkor
