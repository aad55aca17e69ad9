#pragma once

#include "diagnostics/fault_window_1516.hpp"
#include "ui/model_window.hpp"

namespace velkor {

// The 15M/16M fault window `frmerreur`, in two halves side by side. Left, `Frdiag1`: the present
// and the stored fault rows (`ldef`/`rdef` 0-2 and 4-6), the engine-status row 3, the decoded
// lines in the read-only box `Text1` and the read button `cderreur`. Right, `Frdiag2`: the
// commands `cddiag0`..`cddiag6` (memory clearing and six tests) in `frcde`, the dialogue of the
// command running in `frdialogue` (the steps sent, `lenvoie0`..3, on the left, the ECU's
// answers, `lrecu0`..3, on the right) and the close button `cdarret`. It mirrors the screen
// model that FaultWindow1516 writes. The application sets the click callbacks (cderreur,
// cddiag0..6, cdarret) and the closing one (SetOnClose) and runs each exchange under its link
// lease. Its place is [POSITIONS] ErreurLeft / ErreurTop.
class FaultWindow1516Widget : public ModelWindow {
  Q_OBJECT

 public:
  FaultWindow1516Widget(ScreenModel& model, IniStore* store, QWidget* parent = nullptr);
};

}  // namespace velkor
