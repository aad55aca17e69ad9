#pragma once

#include <string>

#include "config/settings.hpp"
#include "core/clock.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/link_state.hpp"
#include "link/serial_port.hpp"

namespace velkor {

// What the session start over a text-command adapter works with. The port is the main window's
// `MSCommELM`, already open at 38400 baud; the exchange talks through it (interface kind ELM327).
struct ElmInitContext {
  Exchange& exchange;
  LinkState& state;
  Clock& clock;
  TraceLog& trace;
  ScreenModel& screen;        // the main window (status panel 5, the stepper and lambda controls)
  MeasureSwitches& measures;  // [Mesures] preferences in memory
  SerialPort* port = nullptr;
  std::string ecu_name{};  // out: the name read from the ECU (M59/M5A)
};

// Opens the session of the family M59/M5A through the adapter: resets and configures it, lets it
// wake the ECU with the first engine-data request, reads the ECU name and sets the adapter's
// wake-up message to tester present. True when the adapter reported a successful bus
// initialisation or relayed a positive engine-data reply.
bool InitComELM(ElmInitContext& context);

// The EOBD start through the adapter: the same reset and configuration with an automatic
// protocol search, then "0100" (supported PIDs). True when the adapter relays a positive answer.
bool InitComELMEobd(ElmInitContext& context);

}  // namespace velkor
