#pragma once

#include <string>

namespace velkor {

// The values of one measurement iteration as they are shown and recorded. Field names are the
// column names of the measurement files.
struct LiveSample {
  float Time = 0;          // s since the cycle started
  float RPM = 0;           // averaged engine speed, not rounded
  float TPS = 0;           // throttle as displayed (EOBD: %)
  float Injection = 0;     // averaged, ms (EOBD: load %); 1.0 while its measure is off
  float Advance = 0;       // degrees (EOBD: mass-air-flow byte)
  float Pressure = 0;      // hPa or mmHg
  float AirTemp = 0;       // °C or °F
  float EngineTemp = 0;    // °C or °F
  float Voltage = 0;       // V (EOBD: km/h)
  std::string AFR1 = "0";  // texts of the AFR window's labels; "--" recorded as 0
  std::string AFR2 = "0";
  std::string Lambda = "0";  // text of lbLambda; "--" recorded as 0
};

}  // namespace velkor
