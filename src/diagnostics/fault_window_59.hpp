#pragma once

#include <string_view>

namespace velkor {

// Control names of the fault window of the 59M/5AM and EOBD families (the widgets' objectName).
// The window title is the control named after the window. Option arrays are name + index
// (Cause0..Cause3, Memo0..Memo3).
namespace FrmDTC59 {
inline constexpr std::string_view kWindow = "FrmDTC59";
// The fault list.
inline constexpr std::string_view FrameVisuErreur = "FrameVisuErreur",
                                  ButtonPrevious = "ButtonPrevious", ButtonNext = "ButtonNext",
                                  HScrollError = "HScrollError", LabelNbErr = "LabelNbErr",
                                  LabelTextError = "LabelTextError", LabelNbCycle = "LabelNbCycle",
                                  Label5 = "Label5", Label3 = "Label3", Shape1 = "Shape1";
inline constexpr std::string_view FrameCause = "FrameCause", Cause0 = "Cause0", Cause1 = "Cause1",
                                  Cause2 = "Cause2", Cause3 = "Cause3";
inline constexpr std::string_view FrameMemorisation = "FrameMemorisation", Memo0 = "Memo0",
                                  Memo1 = "Memo1", Memo2 = "Memo2", Memo3 = "Memo3";
inline constexpr std::string_view CleanError = "CleanError", ButtonClose = "ButtonClose";
// Links to the two fault-code reference pages.
inline constexpr std::string_view Label2 = "Label2", Label4 = "Label4";
// The actuator test and service area of the same window.
inline constexpr std::string_view FrameTestActif = "FrameTestActif", Label1 = "Label1",
                                  ComboChoixTest = "ComboChoixTest", CdeStartTest = "CdeStartTest",
                                  LDescription = "LDescription", ProgressBar1 = "ProgressBar1",
                                  LMin = "LMin", LMax = "LMax";
inline constexpr std::string_view frResetM5 = "frResetM5", cdresetTPS = "cdresetTPS",
                                  cdService = "cdService";
inline constexpr std::string_view frConfirm = "frConfirm", cdConfirmer1 = "cdConfirmer1",
                                  cdConfirmer2 = "cdConfirmer2", lbCaution = "lbCaution";

inline constexpr std::string_view kCause[4] = {Cause0, Cause1, Cause2, Cause3};
inline constexpr std::string_view kMemo[4] = {Memo0, Memo1, Memo2, Memo3};
}  // namespace FrmDTC59

}  // namespace velkor
