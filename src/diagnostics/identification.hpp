#pragma once

#include <string_view>

namespace velkor {

// Control names of the identification window (the widgets' objectName). The window title is the
// control named after the window.
namespace frmIdentification {
inline constexpr std::string_view kWindow = "frmIdentification";
// The display lines, top to bottom.
inline constexpr std::string_view lbDucati = "lbDucati", lbMarelli = "lbMarelli",
                                  lbRevHard = "lbRevHard", lbProgramme = "lbProgramme",
                                  lbRevSoft = "lbRevSoft", lbApproval = "lbApproval",
                                  lbDate = "lbDate", lbRepairShop = "lbRepairShop";
inline constexpr std::string_view cdLOG = "cdLOG", cdquitter = "cdquitter";
}  // namespace frmIdentification

}  // namespace velkor
