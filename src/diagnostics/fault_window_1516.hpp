#pragma once

#include <cstddef>
#include <string_view>

namespace velkor {

// Control names of the 15M/16M fault window (the widgets' objectName). The window title is the
// control named after the window. Control arrays are named with their index: ldef0 .. ldef6.
namespace frmerreur {
inline constexpr std::string_view kWindow = "frmerreur";
// Left half: the fault read.
inline constexpr std::string_view Frdiag1 = "Frdiag1";
inline constexpr std::string_view frpresent = "frpresent", frmem = "frmem";
inline constexpr std::size_t kRows = 7;
// Row names and values; row 3 is the engine status.
inline constexpr std::string_view ldef[kRows] = {"ldef0", "ldef1", "ldef2", "ldef3",
                                                 "ldef4", "ldef5", "ldef6"};
inline constexpr std::string_view rdef[kRows] = {"rdef0", "rdef1", "rdef2", "rdef3",
                                                 "rdef4", "rdef5", "rdef6"};
inline constexpr std::string_view Text1 = "Text1";
inline constexpr std::string_view cderreur = "cderreur";
// Right half: memory clearing and the actuator tests (greyed until they are built).
inline constexpr std::string_view Frdiag2 = "Frdiag2";
inline constexpr std::string_view frcde = "frcde";
inline constexpr std::size_t kCommands = 7;
inline constexpr std::string_view cddiag[kCommands] = {"cddiag0", "cddiag1", "cddiag2", "cddiag3",
                                                       "cddiag4", "cddiag5", "cddiag6"};
inline constexpr std::string_view frdialogue = "frdialogue";
inline constexpr std::size_t kDialogueSteps = 4;
inline constexpr std::string_view lenvoie[kDialogueSteps] = {"lenvoie0", "lenvoie1", "lenvoie2",
                                                             "lenvoie3"};
inline constexpr std::string_view lrecu[kDialogueSteps] = {"lrecu0", "lrecu1", "lrecu2", "lrecu3"};
inline constexpr std::string_view cdarret = "cdarret";
}  // namespace frmerreur

}  // namespace velkor
