#pragma once

#include "adjust/trimmer_15m_controls.hpp"
#include "ui/model_window.hpp"

namespace velkor {

// The 15M/15RC trimmer window `frmTrimmer15` ("Test Trimmer 15M"). Above, the four values in
// large digits, each in a frame of its own (`frRPM`/`lbRPM`, `frTPS`/`lbTPS`, `frVolt`/`lbVolt`,
// `frTrim`/`lbTrim`). Below, `frExec` ("Change Trimmer": `cdAA` "Run", `cdSave` "Save"),
// `frTrimPlus` ("Trim": `cdTrim0` "Trim + 1", `cdTrim1` "Trim - 1"), the status disc `shStatut`
// (its colour is the model's platform colour value) beside the status line `lbTrimStaut`, and
// `cdMesures` / `cdFin`. It mirrors the screen model that the window's logic writes; the
// application sets the click callbacks and SetOnClose (the title bar's close leaves the window as
// `cdFin` does). The window keeps one size whatever its texts say; its place is [POSITIONS]
// Trim15Left / Trim15Top.
class Trimmer15MWindow : public ModelWindow {
  Q_OBJECT

 public:
  Trimmer15MWindow(ScreenModel& model, IniStore* store, QWidget* parent = nullptr);
};

}  // namespace velkor
