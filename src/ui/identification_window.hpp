#pragma once

#include "diagnostics/identification.hpp"
#include "ui/model_window.hpp"

namespace velkor {

// The identification window `frmIdentification`: the eight lines of what the ECU says about
// itself, above the buttons cdLOG (the lines to the trace) and cdquitter. It mirrors the screen
// model that Identification writes; the application sets the buttons' callbacks
// (SetOnClick(frmIdentification::cdLOG, ...)) and closes the window on cdquitter.
class IdentificationWindow : public ModelWindow {
  Q_OBJECT

 public:
  IdentificationWindow(ScreenModel& model, IniStore* store, QWidget* parent = nullptr);
};

}  // namespace velkor
