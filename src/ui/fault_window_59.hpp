#pragma once

#include "diagnostics/fault_window_59.hpp"
#include "ui/model_window.hpp"

namespace velkor {

// The fault window `FrmDTC59` of the 59M/5AM and EOBD families. Above, the frame
// `FrameVisuErreur`: the code on show (`LabelNbErr`, `LabelTextError`), the navigation
// (`ButtonPrevious`, the scroll bar `HScrollError`, `ButtonNext`), the cycle count, the
// dashboard lamp `Shape1`, the cause and storage options, `CleanError` and the two reference
// links. Below, the actuator tests (`FrameTestActif`: the list `ComboChoixTest`, `CdeStartTest`,
// the description and result `LDescription`, the blue bar `ProgressBar1` between `LMin` and
// `LMax`), the resets (`frResetM5`: `cdresetTPS`, `cdService`, the two-line `lbCaution`) and
// `ButtonClose`. The confirmation frame `frConfirm` stays hidden: the reset's confirmation is a
// dialog. It mirrors the screen model that the window's logic writes. The application sets the
// callbacks: SetOnClick for ButtonPrevious, ButtonNext, CleanError, ButtonClose, Label2, Label4,
// CdeStartTest, cdresetTPS and cdService, SetOnValueChanged for HScrollError (the user moved it)
// and ComboChoixTest (the user chose a test), SetOnClose. It opens 9855 x 7400 twips; its place
// is [POSITIONS] DTC59Left / DTC59Top, and it writes DTC59Height too.
class FaultWindow59Widget : public ModelWindow {
  Q_OBJECT

 public:
  FaultWindow59Widget(ScreenModel& model, IniStore* store, QWidget* parent = nullptr);
};

}  // namespace velkor
