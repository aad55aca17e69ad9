#pragma once

#include <string>

#include "link/exchange.hpp"
#include "link/link_state.hpp"

namespace velkor {

// The raw values one iteration decodes; a value an iteration does not read keeps what the
// previous iteration left (all 0 when a cycle starts). Averaging, units, test-mode substitutes
// and display are the cycle's.
struct RawEngineValues {
  float speed = 0;            // rpm
  float throttle = 0;         // degrees (EOBD: %)
  float injection = 0;        // ms (EOBD: load %)
  float advance = 0;          // degrees (EOBD: first mass-air-flow byte)
  float pressure = 0;         // hPa (EOBD: the byte as received)
  float air_temp = 0;         // °C
  float coolant_temp = 0;     // °C
  float battery = 0;          // V (EOBD: km/h)
  std::string tps_volt_text;  // families 0 to 3: the throttle voltage for lbTPSVolt, formatted
  // Set by every decoding: the ECU answered at least one of the iteration's requests with its
  // data. Without it the values above are only what the missing-value rules made of silence
  // (zeros, values kept), and the iteration is shown but not recorded.
  bool arrived = true;
};

// Which values are requested: the measure switches of the main window's labels. Engine speed
// is always read.
struct ActiveMeasures {
  bool throttle = true;
  bool injection = true;
  bool advance = true;
  bool pressure = true;
  bool air_temp = true;
  bool coolant_temp = true;
  bool battery = true;
};

// Fetches and decodes one iteration's engine data for a family through the exchange.
class EngineDecoder {
 public:
  virtual ~EngineDecoder() = default;
  // Families 0 to 5 exchange with the ECU and fill `raw`; any other family does nothing.
  virtual void Decode(int ecu_type, const ActiveMeasures& active, RawEngineValues& raw) = 0;
  // Family 4's lambda probe, mV.
  virtual int ReadLambda() = 0;
};

}  // namespace velkor
