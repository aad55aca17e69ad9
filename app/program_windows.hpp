// The desktop program's satellite windows, built on the program's logic and wired to it in one
// place: the desktop program builds them here, and the widget tests build the same.
#pragma once

#include <initializer_list>

#include "session/program_logic.hpp"
#include "ui/fault_window_1516.hpp"
#include "ui/fault_window_59.hpp"
#include "ui/identification_window.hpp"
#include "ui/main_window_widget.hpp"
#include "ui/model_window.hpp"
#include "ui/status_window.hpp"
#include "ui/trimmer_15m_window.hpp"

namespace velkor {

// Each window's buttons act through the program's logic, which lends the window the link;
// closing a window any way (its button, the title bar, the program ending) is one path. The
// windows close with the main window.
class ProgramWindows {
 public:
  // `logic`, `main_window` and `ini` must outlive the windows; without a store the windows keep
  // their default places.
  ProgramWindows(ProgramLogic& logic, MainWindowWidget& main_window, IniStore* ini)
      : status(logic.status_model, ini),
        identification(logic.diagnostics.identification_model, ini),
        faults_1516(logic.diagnostics.faults_1516_model, ini),
        faults_59(logic.diagnostics.faults_59_model, ini),
        trimmer15(logic.trimmer15_model, ini) {
    logic.status.SetHost(&status);
    main_window.AddSatellite(&status);
    WireDiagnostics(logic.diagnostics);
    WireTrimmer15(logic.trimmer15);
    for (ModelWindow* satellite : std::initializer_list<ModelWindow*>{&identification, &faults_1516,
                                                                      &faults_59, &trimmer15}) {
      main_window.AddSatellite(satellite);
    }
  }
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  StatusWindow status;
  IdentificationWindow identification;
  FaultWindow1516Widget faults_1516;
  FaultWindow59Widget faults_59;
  Trimmer15MWindow trimmer15;

 private:
  static DiagnosticWindowView View(ModelWindow& widget) {
    return DiagnosticWindowView{.show = [&widget] { widget.Show(); },
                                .close = [&widget] { widget.Unload(); }};
  }

  void WireDiagnostics(DiagnosticWindows& d) {
    namespace fe = frmerreur;
    namespace fd = FrmDTC59;
    d.SetIdentificationView(View(identification));
    d.SetFaults1516View(View(faults_1516));
    d.SetFaults59View(View(faults_59));

    identification.SetOnClick(frmIdentification::cdLOG, [&d] { d.LogIdentification(); });
    identification.SetOnClick(frmIdentification::cdquitter, [this] { identification.close(); });
    identification.SetOnClose([&d] { d.IdentificationClosed(); });

    faults_1516.SetOnClick(fe::cderreur, [&d] { d.ReadFaults1516(); });
    for (int i = 0; i < static_cast<int>(fe::kCommands); ++i) {
      faults_1516.SetOnClick(fe::cddiag[i], [&d, i] { d.PressCommand1516(i); });
    }
    faults_1516.SetOnClick(fe::cdarret, [this] { faults_1516.close(); });
    faults_1516.SetOnClose([&d] { d.Faults1516Closed(); });

    faults_59.SetOnValueChanged(fd::HScrollError, [&d](int value) { d.ScrollFaults59(value); });
    faults_59.SetOnClick(fd::ButtonNext, [&d] { d.NextFault59(); });
    faults_59.SetOnClick(fd::ButtonPrevious, [&d] { d.PreviousFault59(); });
    faults_59.SetOnClick(fd::CleanError, [&d] { d.ClearFaults59(); });
    faults_59.SetOnValueChanged(fd::ComboChoixTest, [&d](int index) { d.ChooseTest59(index); });
    faults_59.SetOnClick(fd::CdeStartTest, [&d] { d.PressStartTest59(); });
    faults_59.SetOnClick(fd::cdresetTPS, [&d] { d.PressResetTps59(); });
    faults_59.SetOnClick(fd::cdService, [&d] { d.PressResetService59(); });
    faults_59.SetOnClick(fd::ButtonClose, [this] { faults_59.close(); });
    faults_59.SetOnClose([&d] { d.Faults59Closed(); });
  }

  // The window holds the link while it is open; its exit button and its title bar leave the
  // trimmer mode the same way.
  void WireTrimmer15(Trimmer15& t) {
    namespace ft = frmTrimmer15;
    t.SetView(AdjustWindowView{.show = [this] { trimmer15.Show(); },
                               .close = [this] { trimmer15.Unload(); }});
    trimmer15.SetOnClick(ft::cdMesures, [&t] { t.PressMesures(); });
    trimmer15.SetOnClick(ft::cdAA, [&t] { t.PressRun(); });
    trimmer15.SetOnClick(ft::cdTrim0, [&t] { t.PressTrim(0); });
    trimmer15.SetOnClick(ft::cdTrim1, [&t] { t.PressTrim(1); });
    trimmer15.SetOnClick(ft::cdSave, [&t] { t.PressSave(); });
    trimmer15.SetOnClick(ft::cdFin, [&t] { t.PressExit(); });
    trimmer15.SetOnClose([&t] { t.PressExit(); });
  }
};

}  // namespace velkor
