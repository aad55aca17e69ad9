#pragma once

#include <string_view>

namespace velkor {

// Control names of the 15M/15RC trimmer window (the widgets' objectName). The window title is
// the control named after the window. Control arrays are named with their index: cdTrim0
// ("Trim + 1") and cdTrim1 ("Trim - 1").
namespace frmTrimmer15 {
inline constexpr std::string_view kWindow = "frmTrimmer15";
// "Change Trimmer": enter the trimmer mode, store.
inline constexpr std::string_view frExec = "frExec", cdAA = "cdAA", cdSave = "cdSave";
// "Trim": one step up or down.
inline constexpr std::string_view frTrimPlus = "frTrimPlus", cdTrim0 = "cdTrim0",
                                  cdTrim1 = "cdTrim1";
inline constexpr std::string_view cdTrim[2] = {cdTrim0, cdTrim1};
inline constexpr std::string_view cdMesures = "cdMesures", cdFin = "cdFin";
// The four values, each in a frame captioned with its name.
inline constexpr std::string_view frRPM = "frRPM", lbRPM = "lbRPM", frTPS = "frTPS",
                                  lbTPS = "lbTPS", frVolt = "frVolt", lbVolt = "lbVolt",
                                  frTrim = "frTrim", lbTrim = "lbTrim";
// The status line and the status disc (colour as a platform colour value, -1 for none).
inline constexpr std::string_view lbTrimStaut = "lbTrimStaut", shStatut = "shStatut";
}  // namespace frmTrimmer15

}  // namespace velkor
