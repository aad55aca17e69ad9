#include "session/main_window.hpp"

#include <algorithm>
#include <array>
#include <system_error>

#include "config/settings_keys.hpp"
#include "core/ecu_family.hpp"
#include "core/number_format.hpp"
#include "livedata/ecu_tables.hpp"
#include "recording/recovery.hpp"
#include "session/diagnostic_windows.hpp"
#include "session/window_controls.hpp"

namespace velkor {

namespace fp = frmparam;

namespace {

constexpr std::string_view kFrameTip = "Double cliquer pour activer/désactiver";
constexpr std::string_view kInactive = "--";
constexpr std::string_view kReadTheMessage = "Read the message";
// Status panel 2 once no workbook recording runs: the state of the measurements.
constexpr int kWaitingText = 137;
constexpr std::string_view kWaiting = "Attente";
constexpr int kMeasuringText = 147;
constexpr std::string_view kMeasuring = "Mesures en cours";

// "T° Air (°C)" -> "T° Air": the unit is added from the preferences.
std::string WithoutUnit(const std::string& caption) {
  if (!caption.empty() && caption.back() == ')') {
    const std::size_t open = caption.rfind(" (");
    if (open != std::string::npos) return caption.substr(0, open);
  }
  return caption;
}

bool& MeasureFlag(MeasureSwitches& m, std::string_view frame) {
  if (frame == fp::Frgaz) return m.potar;
  if (frame == fp::Frinject) return m.injection;
  if (frame == fp::Fravance) return m.avance;
  if (frame == fp::Frpression) return m.pression;
  if (frame == fp::Frair) return m.air;
  if (frame == fp::Freau) return m.eau;
  if (frame == fp::Frbatterie) return m.tension;
  if (frame == fp::frLambda) return m.lambda;
  if (frame == fp::frMoteurPP) return m.moteur_pp;
  return m.trimmer;  // Frtrimmer
}

// Families whose throttle sensor voltage is shown beside the angle.
bool ShowsThrottleVoltage(int ecu_type) { return ecu_type >= Iaw16M && ecu_type <= Iaw15RC; }

void CannotRecord(Dialogs& dialogs, const std::filesystem::path& home, const std::string& title) {
  dialogs.Message(
      "Impossible de créer le fichier d'enregistrement dans " + MeasuresFolder(home).string(),
      title, Dialogs::Icon::kWarning);
}

bool IsRecordingStatus(const std::string& text) {
  return text == RecordingStatusText(WorkbookMode::kWorkbook) ||
         text == RecordingStatusText(WorkbookMode::kTextFallback);
}

// Panel 2 tells which recording of the box Chenregistre runs, and the state of the measurements
// again once none does. A workbook that cannot be written goes over to the text fallback at a
// later pass; that shows at the end of the run.
void ShowRecordingStatus(ScreenModel& model, const WorkbookRecorder* workbook,
                         const MeasurementFlags& flags, const Language& language) {
  if (workbook == nullptr) return;
  const std::string_view recording = RecordingStatusText(workbook->Mode());
  if (!recording.empty()) {
    model.SetText(fp::lbPanel2, std::string(recording));
    return;
  }
  // Someone else wrote the panel since: theirs is the newer news.
  if (!IsRecordingStatus(model.Text(fp::lbPanel2))) return;
  // A run asked to stop is as good as ended: the box is cleared on its way out.
  const bool measuring = !flags.MeasurementIdle && !flags.StopRequest;
  model.SetText(fp::lbPanel2, measuring ? language.LookupText(kMeasuringText, kMeasuring)
                                        : language.LookupText(kWaitingText, kWaiting));
}

}  // namespace

const std::vector<ControlDesign>& MainWindowDesign() {
  static const std::vector<ControlDesign> kDesign = {
      {fp::kWindow, "Velkor"},
      {fp::Frrmp, "RMP (tr/mn)"},
      {fp::Rmp, "0"},
      {fp::Frgaz, "Angle Gaz (deg)"},
      {fp::Potar, "0.0"},
      {fp::frTPS, "TPS (mV)"},
      {fp::lbTPSVolt, "0"},
      {fp::Frinject, "Injection (ms)"},
      {fp::Injection, "0.00"},
      {fp::Fravance, "Avance (deg)"},
      {fp::Avance, "0"},
      {fp::Frpression, "Pression (mmHg)"},
      {fp::Pression, "744"},
      {fp::Frair, "T° Air (°C)"},
      {fp::Air, "0"},
      {fp::Freau, "T° Mot. (°C)"},
      {fp::Eau, "0"},
      {fp::Frbatterie, "Batterie (V)"},
      {fp::Tension, "12.5"},
      {fp::frLambda, "Lambda (mV)"},
      {fp::lbLambda, "0"},
      {fp::frMoteurPP, "Moteur Pas à Pas"},
      {fp::lbMoteurPP, "0"},
      {fp::cdMoteurPP, "Test Stepper"},
      {fp::Frtrimmer, "Trimmer"},
      {fp::Trimmer, "0"},
      {fp::frcde, "Commandes"},
      {fp::cdintialisation, "Initialisation F2"},
      {fp::cdparametre, "Paramètres F3"},
      {fp::cddiag, "Diagnostic F4"},
      {fp::cdquitter, "Quitter  F9"},
      {fp::CdReInit, "Ré-Initialisation", false},
      {fp::cdTrimer15, "Trimmer F8"},
      {fp::Command, "Px", false},
      {fp::chgraph, "Graphe - Ctrl+ G"},
      {fp::chMap, "Mapping"},
      {fp::Chenregistre, "Excel"},
      {fp::chCSV, "CSV"},
      {fp::chStatutSonde, "Statuts", false},
      {fp::Frame1, "Moyenne"},
      {fp::HScrollMoyenne, ""},
      {fp::ltempo, "5"},
      {fp::FrChgTrimmer, "Modif Trimmer"},
      {fp::cdTrimmer, "Trimmer"},
      {fp::CdMemorise, "Mémorise"},
      {fp::HScrollTrimmer, ""},
      {fp::lbTrimmer, "0"},
      {fp::lbHintF6, "F6 = - 1"},
      {fp::lbHintF7, "F7 = + 1"},
      {fp::chMoteur, "test Moteur"},
      {fp::Frame2, "COM"},
      {fp::Shape1, ""},
      {fp::ProgressBar1, ""},
      {fp::Lbtest, "Label1", false},
      {fp::lbPanel1, ""},
      {fp::lbPanel2, ""},
      {fp::lbPanel3, ""},
      {fp::lbPanel4, ""},
      {fp::lbPanel5, ""},
      {fp::lmemo, texts::kGoToDiagnostics.built_in},
      {fp::lpresent, ""},
      {fp::contact, "", false},
      {fp::Picture1, ""},
      {fp::imDonate, ""},
      {fp::mnfichier, "&Fichier"},
      {fp::mnpreferences, "P&aramétrages"},
      {fp::mnTestUsb, "Test Interface"},
      {fp::mnquitter, "&Quitter"},
      {fp::mnacquisition, "Ac&quisitions"},
      {fp::MnInit, "&Initialisation"},
      {fp::mnparam, "Paramètres"},
      {fp::mndiag, "Diagnostic actif"},
      {fp::MnRreInit, "Ré-Initialisation"},
      {fp::mnMap, "Mapping"},
      {fp::mngraphe, "Graphe"},
      {fp::mnralenti, "Ralenti"},
      {fp::mnmoyplus, "Moyenne +"},
      {fp::mnmoymoins, "Moyenne -"},
      {fp::mnTrimmer, "Trimmer"},
      {fp::mnTrim15M, "15M"},
      {fp::mnPlus, "Plus 1"},
      {fp::mnMoinsUn, "Moins 1"},
      {fp::mnIdentification, "&Identification de l'ECU"},
      {fp::mnConvert, "&Converter"},
      {fp::mnStatuts, "S&tatuts"},
      {fp::mnrepond, "Répondeur", false},
      {fp::mnaide, "&Aide"},
      {fp::mnabout, "A propos"},
      {fp::mnExploreAide, "Aide"},
      {fp::mnweb, "Support en ligne"},
      {fp::mnTrace, "Trace"},
  };
  return kDesign;
}

const std::vector<MeasureFrame>& MeasureFrames() {
  static const std::vector<MeasureFrame> kFrames = {
      {fp::Frgaz, fp::Potar},
      {fp::Frinject, fp::Injection},
      {fp::Fravance, fp::Avance},
      {fp::Frpression, fp::Pression},
      {fp::Frair, fp::Air},
      {fp::Freau, fp::Eau},
      {fp::Frbatterie, fp::Tension},
      {fp::frLambda, fp::lbLambda},
      {fp::frMoteurPP, fp::lbMoteurPP},
      {fp::Frtrimmer, fp::Trimmer},
  };
  return kFrames;
}

MainWindow::MainWindow(ScreenModel& model, MainWindowServices services, MainWindowHost& host,
                       Timer& progress_timer)
    : model_(model), services_(std::move(services)), host_(host), progress_timer_(progress_timer) {
  ApplyDesign();
  services_.link.on_lamp = [this](int colour) { model_.SetColour(fp::Shape1, colour); };
  progress_timer_.SetOnTick([this] { ProgressTick(); });
}

void MainWindow::ApplyDesign() {
  for (const ControlDesign& control : MainWindowDesign()) {
    model_.SetText(control.name, std::string(control.text));
    model_.SetVisible(control.name, control.visible);
    model_.SetEnabled(control.name, control.enabled && Offered(control.name));
  }
  model_.SetValue(fp::HScrollMoyenne, flags_.AveragingDepth);
}

bool MainWindow::StartUp() {
  Language& language = services_.language;
  if (services_.acquire_single_instance) {
    const HomeAccess access = services_.acquire_single_instance();
    if (!access.Ready()) {
      services_.dialogs.Message(HomeAccessWindowText(access), "Velkor", Dialogs::Icon::kError);
      return false;
    }
  }
  services_.link.RequestHeader = kDefaultRequestHeader;
  services_.link.ReplyHeader = kDefaultReplyHeader;
  std::error_code ignored;
  std::filesystem::create_directories(MeasuresFolder(services_.home), ignored);
  model_.SetText(fp::kWindow, language.LookupText(501, "Velkor") + services_.version_suffix);
  OpenNextTraceFile(services_.ini, services_.home, services_.trace);
  RecoverRecordings();
  model_.SetVisible(fp::mnTrim15M, false);
  settings_ = LoadSettings(services_.ini);

  // The language comes before the interface window, so that its texts are the user's language.
  // Without any language file the trace window carries the three-language request to fetch
  // them; the message sends the user there. With no trace window to read, it would say nothing.
  language.StartUpLanguage(
      ReadSetting(services_.ini, ini_keys::kAffichageLangue), services_.trace, [this] {
        if (host_.ShowTraceWindow()) {
          services_.dialogs.Message(std::string(kReadTheMessage), "Velkor", Dialogs::Icon::kError);
        }
      });

  InterfaceChoice choice = host_.RunInterfaceWindow();
  interface_kind_ = choice.kind;
  services_.link.interface_kind = choice.kind;
  const bool adapter_opened = choice.elm != nullptr;
  if (session_ != nullptr) {
    session_->Attach(
        {choice.kind, std::move(choice.kline), std::move(choice.elm), std::move(choice.device)});
  }
  if (!choice.panel4.empty()) model_.SetText(fp::lbPanel4, choice.panel4);
  if (choice.hide_donation) model_.SetVisible(fp::imDonate, false);

  const WindowPosition position = ReadWindowPosition(services_.ini, WindowId::kParam);
  host_.PlaceWindow(position.top, position.left);

  host_.ShowWindow();
  SetInitialisation();
  language.ApplyLanguage(model_, services_.version_suffix);
  model_.SetText(fp::lmemo, language.LookupText(texts::kGoToDiagnostics));
  ApplyUnitCaptions();

  if (interface_kind_ == InterfaceKind::kElm327) {
    // Only an adapter that really opened replaces the demo ECU.
    if (adapter_opened) services_.link.TestMode = false;
    model_.SetText(fp::lbPanel4,
                   language.LookupText(texts::kElmOnPort) + std::to_string(choice.port_number));
  }
  host_.Focus(fp::cdintialisation);
  services_.stopwatch.Start();
  ApplyStepperFrame();
  model_.SetText(fp::lbPanel1, language.LookupText(136, "Défauts présents"));
  if (flags_.MeasurementIdle) model_.SetText(fp::lbPanel2, language.LookupText(137, "Attente"));
  // Measurements need an open session; the demo ECU is always open (a real cable's session start
  // enables them once it succeeds).
  model_.SetEnabled(fp::cdparametre, services_.link.TestMode);
  model_.SetEnabled(fp::mnparam, services_.link.TestMode);
  if (services_.link.TestMode) model_.SetText(fp::lbPanel3, language.LookupText(texts::kDemo));
  model_.SetVisible(fp::contact, false);
  services_.trace.WriteTrace("Version : Velkor" + services_.version_suffix);
  return true;
}

void MainWindow::SetInitialisation() {
  services_.link.SetLamp(kLampRed);
  settings_ = LoadSettings(services_.ini);
  ApplyStepperFrame();
  ApplyMeasures();
  services_.link.EcuType = settings_.ecu_type;
  ApplyTrimmer15Entries();

  const Language& language = services_.language;
  const std::string frame_tip = language.LookupText(155, kFrameTip);
  for (std::string_view frame : {fp::Frair, fp::Freau, fp::Fravance, fp::Frbatterie, fp::Frgaz,
                                 fp::Frinject, fp::Frpression, fp::frMoteurPP}) {
    model_.SetTooltip(frame, frame_tip);
  }
  for (std::string_view frame : {fp::frLambda, fp::Frtrimmer, fp::frTPS}) {
    model_.SetTooltip(frame, std::string(kFrameTip));
  }
  const std::string engine_tip = language.LookupText(156, "Le moteur doit être en marche");
  model_.SetTooltip(fp::FrChgTrimmer, engine_tip);
  model_.SetTooltip(fp::CdMemorise, engine_tip);
  model_.SetTooltip(
      fp::cdintialisation,
      language.LookupText(169, "15M,16M: Couper le contact, 59/5A:Mettre le contact"));
  model_.SetTooltip(fp::cddiag, language.LookupText(texts::kDiagnosticsTip));
  model_.SetTooltip(fp::chgraph, language.LookupText(texts::kGraphTip));
  model_.SetTooltip(fp::Frame1, language.LookupText(texts::kAveragingTip));

  flags_.time_factor = 1.0;
  flags_.MeasurementIdle = true;
  flags_.MeasureAllowed = true;

  // A stored depth outside what the scroll bar can show is brought back into its range.
  const int depth = std::clamp(settings_.averaging_depth, 0, kAveragingMax);
  flags_.AveragingDepth = depth;
  model_.SetValue(fp::HScrollMoyenne, depth);
  model_.SetText(fp::ltempo, std::to_string(depth));
  ApplyUnitCaptions();
}

void MainWindow::ApplyMeasures() {
  const MeasureSwitches& m = settings_.measures;
  for (const MeasureFrame& entry : MeasureFrames()) {
    const bool active = MeasureFlag(settings_.measures, entry.frame);
    if (entry.frame == fp::frMoteurPP) continue;  // the stepper frame has rules of its own
    model_.SetEnabled(entry.label, active);
    if (!active) model_.SetText(entry.label, std::string(kInactive));
  }
  model_.SetVisible(fp::frTPS, m.potar && ShowsThrottleVoltage(settings_.ecu_type));
  model_.SetVisible(fp::FrChgTrimmer, m.trimmer);
  model_.SetVisible(fp::mnTrimmer, m.trimmer);
}

void MainWindow::ApplyStepperFrame() {
  const bool has_stepper =
      session_ != nullptr && session_->HasStepper() && services_.link.EcuType == Iaw59M5AM;
  ShowStepperControls(model_, settings_.measures, has_stepper, /*with_lambda=*/false);
}

void MainWindow::ApplyTrimmer15Entries() {
  const bool fifteen = settings_.ecu_type == Iaw15M || settings_.ecu_type == Iaw15RC;
  model_.SetVisible(fp::cdTrimer15, fifteen);
  model_.SetVisible(fp::mnTrim15M, fifteen);
  // Offered by a family-4 run only, once the ECU has told its trimmer: the 15M/15RC "Reset to"
  // (AA, 8D and nothing more) would leave the ECU in its trimmer mode.
  model_.SetEnabled(fp::cdTrimmer, false);
  model_.SetEnabled(fp::CdMemorise, false);
}

void MainWindow::ApplyUnitCaptions() {
  const char* temperature = settings_.temp_celsius ? " (°C)" : " (°F)";
  model_.SetText(fp::Frair, WithoutUnit(model_.Text(fp::Frair)) + temperature);
  model_.SetText(fp::Freau, WithoutUnit(model_.Text(fp::Freau)) + temperature);
  model_.SetText(fp::Frpression, WithoutUnit(model_.Text(fp::Frpression)) +
                                     (settings_.pressure_hpa ? " (hPa)" : " (mmHg)"));
}

void MainWindow::DoubleClickFrame(std::string_view frame) {
  const auto& frames = MeasureFrames();
  const auto entry = std::find_if(frames.begin(), frames.end(),
                                  [&](const MeasureFrame& f) { return f.frame == frame; });
  if (entry == frames.end()) return;
  const bool active = !model_.Enabled(entry->label);
  MeasureFlag(settings_.measures, frame) = active;
  model_.SetEnabled(entry->label, active);
  model_.SetText(entry->label, active ? "0" : std::string(kInactive));
  if (frame == fp::Frgaz) {
    model_.SetVisible(fp::frTPS, active && ShowsThrottleVoltage(services_.link.EcuType));
  } else if (frame == fp::frMoteurPP) {
    // The button follows the switch, unless a test is asked for or running.
    if (adjust_.stepper != nullptr) {
      adjust_.stepper->SwitchChanged();
    } else {
      model_.SetEnabled(fp::cdMoteurPP, active && Offered(fp::cdMoteurPP));
    }
  } else if (frame == fp::Frtrimmer) {
    model_.SetVisible(fp::FrChgTrimmer, active);
    model_.SetVisible(fp::mnTrimmer, active);
  }
  Save();
}

void MainWindow::ScrollAveraging(int position) {
  position = std::clamp(position, 0, kAveragingMax);
  model_.SetValue(fp::HScrollMoyenne, position);
  flags_.AveragingDepth = position;
  settings_.averaging_depth = position;
  model_.SetText(fp::ltempo, std::to_string(position));
  Save();
}

bool MainWindow::Save() {
  // The language in use, not the name that was read: an unknown name or a missing file has
  // become "Francais".
  settings_.language = services_.language.Current();
  return SaveSettings(services_.ini, settings_);
}

void MainWindow::StartProgress(int run_length) {
  progress_length_ = std::max(run_length, 1);
  progress_ticks_ = 0;
  progress_timer_.SetInterval(kProgressTickMs);
  progress_timer_.Start();
}

void MainWindow::ProgressTick() {
  ++progress_ticks_;
  if (progress_ticks_ >= progress_length_) {
    model_.SetValue(fp::ProgressBar1, 0);
    progress_timer_.Stop();
    // The stepper test has a ticker of its own: the end of this count enables nothing of it.
    return;
  }
  model_.SetValue(fp::ProgressBar1, progress_ticks_ * 100 / progress_length_);
  model_.SetText(fp::Lbtest, FormatNumber(progress_ticks_ * kProgressTickMs / 1000.0, "0"));
}

void MainWindow::PressParameters() {
  if (parts_.cycle == nullptr || !model_.Enabled(fp::cdparametre)) return;
  parts_.cycle->PressStart();
  // The window may have closed during the run: the session lets the link go now that the run
  // is off the stack.
  if (session_ != nullptr) session_->ReleaseIfClosed();
  // The end of a run offers the converter again; until it exists its entry stays greyed.
  if (!Offered(fp::mnConvert)) model_.SetEnabled(fp::mnConvert, false);
  SyncRecorders();
}

void MainWindow::SetMeasurement(MeasurementParts parts) {
  parts_ = std::move(parts);
  if (parts_.csv != nullptr) {
    parts_.csv->SetOnFailure(
        [this](const RecordingFailure& failure) { RecordingFailed(fp::chCSV, failure); });
  }
  if (parts_.workbook != nullptr) {
    parts_.workbook->SetOnFailure(
        [this](const RecordingFailure& failure) { RecordingFailed(fp::Chenregistre, failure); });
  }
}

void MainWindow::RecoverRecordings() {
  if (parts_.files == nullptr) return;
  for (const RecoveredRecording& r : FinishInterruptedRecordings(services_.home, *parts_.files)) {
    const std::string from = r.from.filename().string();
    services_.trace.WriteTrace(r.to ? "Enregistrement récupéré : " + from + " -> " +
                                          r.to->filename().string()
                                    : "Enregistrement non récupéré : " + from);
  }
}

// The recording has stopped by itself, its files closed: the box follows, and the user is told
// where the passes recorded so far are.
void MainWindow::RecordingFailed(std::string_view box, const RecordingFailure& failure) {
  model_.SetChecked(box, false);
  if (box == fp::Chenregistre) {
    ShowRecordingStatus(model_, parts_.workbook, flags_, services_.language);
  }
  const std::string title = box == fp::chCSV ? "CSV" : "Excel";
  services_.trace.WriteTrace("Enregistrement " + title + " arrêté : écriture impossible dans " +
                             failure.file.string());
  std::string text = "L'enregistrement s'est arrêté : impossible d'écrire dans " +
                     failure.file.string() + " (disque plein ?).\n";
  if (failure.kept.empty()) {
    text += "Aucune mesure n'a pu être gardée.";
  } else {
    std::string kept;
    for (const std::filesystem::path& file : failure.kept) {
      kept += (kept.empty() ? "" : ", ") + file.string();
    }
    text += "Les mesures enregistrées jusque-là sont dans " + kept + ".";
    if (!failure.finished) text += "\nVelkor terminera ce fichier à son prochain démarrage.";
  }
  // Said during the run, which goes on with the values on screen while the box is open.
  services_.dialogs.Notify(text, title, Dialogs::Icon::kWarning);
}

void MainWindow::ToggleCsv(bool checked) {
  model_.SetChecked(fp::chCSV, checked);
  if (parts_.csv == nullptr) return;
  if (checked) {
    if (!parts_.csv->Recording() && !parts_.csv->Start()) {
      model_.SetChecked(fp::chCSV, false);
      CannotRecord(services_.dialogs, services_.home, "CSV");
    }
  } else {
    parts_.csv->Stop();
  }
}

void MainWindow::ToggleWorkbook(bool checked) {
  model_.SetChecked(fp::Chenregistre, checked);
  if (parts_.workbook == nullptr) return;
  if (checked) {
    if (parts_.workbook->Mode() == WorkbookMode::kIdle &&
        parts_.workbook->Start(services_.link.EcuType).mode == WorkbookMode::kIdle) {
      // Neither a workbook nor its text fallback could be created: a ticked box would say that
      // passes are kept when none is.
      model_.SetChecked(fp::Chenregistre, false);
      CannotRecord(services_.dialogs, services_.home, "Excel");
      return;
    }
    ShowRecordingStatus(model_, parts_.workbook, flags_, services_.language);
  } else {
    StopWorkbook();
  }
}

void MainWindow::StopWorkbook() {
  if (parts_.workbook == nullptr || parts_.workbook->Mode() == WorkbookMode::kIdle) return;
  parts_.workbook->Stop();
  ShowRecordingStatus(model_, parts_.workbook, flags_, services_.language);
  const auto path = parts_.workbook->PathToOffer();
  if (!path || !parts_.open_document || unloaded_) return;
  if (services_.dialogs.AskOkCancel("Ouvrir l'enregistrement " + path->filename().string() + " ?",
                                    "Excel") &&
      !parts_.open_document(path->string())) {
    // Nothing happened on screen: say so, and where the workbook is.
    services_.dialogs.Notify(
        services_.language.LookupText(texts::kNoSpreadsheet) + "\n" + path->string(), "Excel",
        Dialogs::Icon::kWarning);
  }
}

void MainWindow::SyncRecorders() {
  if (parts_.csv != nullptr && parts_.csv->Recording() && !model_.Checked(fp::chCSV)) {
    parts_.csv->Stop();
  }
  if (!model_.Checked(fp::Chenregistre)) StopWorkbook();
  ShowRecordingStatus(model_, parts_.workbook, flags_, services_.language);
}

void MainWindow::SessionOpened() {
  if (settings_.auto_start == 1) PressParameters();
}

void MainWindow::OpenIdentification() {
  if (diagnostics_ == nullptr || !model_.Enabled(fp::mnIdentification)) return;
  // A window that reads the ECU ends a workbook recording first.
  model_.SetChecked(fp::Chenregistre, false);
  StopWorkbook();
  diagnostics_->OpenIdentification();
}

void MainWindow::PressDiagnostics() {
  if (diagnostics_ == nullptr || !model_.Enabled(fp::cddiag)) return;
  model_.SetChecked(fp::Chenregistre, false);
  StopWorkbook();
  if (services_.link.EcuType >= Iaw16M && services_.link.EcuType <= IawP8) {
    diagnostics_->OpenFaults1516();
  } else {
    diagnostics_->OpenFaults59();
  }
}

void MainWindow::OpenStatus() {
  if (parts_.status == nullptr) return;
  parts_.status->ShowWindow();
  ReadStatusOnce();
}

void MainWindow::ClickStatutSonde(bool checked) {
  model_.SetChecked(fp::chStatutSonde, checked);
  if (parts_.status == nullptr) return;
  parts_.status->ClickStatutSonde(model_);
  if (checked) ReadStatusOnce();
}

void MainWindow::ReadStatusOnce() {
  // While measuring, the cycle reads the status at every pass. Otherwise one read now, so the
  // window does not show an old state as the current one.
  if (session_ == nullptr || services_.link.EcuType != Iaw59M5AM || !flags_.MeasurementIdle) {
    return;
  }
  if (!session_->Open() && !services_.link.TestMode) return;
  const std::unique_ptr<LinkLease> lease = session_->TakeLease();
  if (lease == nullptr) return;
  parts_.status->ReadStatus();
}

void MainWindow::PressInitialisation() {
  if (session_ != nullptr && model_.Enabled(fp::cdintialisation)) session_->Initialise();
}

void MainWindow::PressReInitialisation() {
  if (session_ != nullptr && model_.Enabled(fp::CdReInit)) session_->ReInitialise();
}

void MainWindow::TrimmerScrolled(int value) {
  if (adjust_.trimmer != nullptr) adjust_.trimmer->Scrolled(value);
}

void MainWindow::TrimmerPlus() {
  if (adjust_.trimmer != nullptr) adjust_.trimmer->Plus();
}

void MainWindow::TrimmerMinus() {
  if (adjust_.trimmer != nullptr) adjust_.trimmer->Minus();
}

void MainWindow::PressMemorise() {
  if (adjust_.trimmer != nullptr) adjust_.trimmer->PressMemorise();
}

void MainWindow::PressResetTrimmer() {
  if (adjust_.trimmer != nullptr) adjust_.trimmer->PressReset();
}

void MainWindow::ClickMoteur(bool checked) {
  if (adjust_.trimmer != nullptr) {
    adjust_.trimmer->ClickMoteur(checked);
  } else {
    model_.SetChecked(fp::chMoteur, checked);
  }
}

void MainWindow::PressStepperTest() {
  if (adjust_.stepper != nullptr) adjust_.stepper->Press();
}

void MainWindow::OpenTrimmer15() {
  const int family = services_.link.EcuType;
  if (adjust_.trimmer15 == nullptr || (family != Iaw15M && family != Iaw15RC)) return;
  // The window talks to the ECU of an open session (or the demo ECU).
  if (session_ == nullptr || (!session_->Open() && !services_.link.TestMode)) return;
  adjust_.trimmer15->Open();
}

void MainWindow::Quit() {
  if (!flags_.MeasurementIdle) flags_.StopRequest = true;
  if (model_.Checked(fp::chCSV)) model_.SetChecked(fp::chCSV, false);
  SyncRecorders();
  model_.SetEnabled(fp::cdquitter, false);
}

void MainWindow::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (!flags_.MeasurementIdle) {
    flags_.StopRequest = true;
    services_.clock.Pause(kStopWait);
  }
  // What the adjustments left on the ECU is put back while the link still sends: the 15M
  // trimmer mode left with the original value, a stepper test stopped.
  if (adjust_.trimmer15 != nullptr) adjust_.trimmer15->PressExit();
  if (adjust_.stepper != nullptr) adjust_.stepper->Exit();
  // The session ends the diagnostic session and closes the link, once nothing uses it.
  if (session_ != nullptr) session_->Close();
  // Positions are kept whatever the link: an ELM327 user's windows stay where they were put.
  IniStore& ini = services_.ini;
  const WindowPosition main = host_.CurrentPosition();
  if (const auto trace = host_.TracePosition()) {
    WriteWindowPositions(ini, {{WindowId::kParam, main}, {WindowId::kTrace, *trace}});
  } else {
    WriteWindowPositions(ini, {{WindowId::kParam, main}});
  }
  // Every recording still open is closed, converted and saved: an orderly exit loses nothing.
  if (model_.Checked(fp::chCSV)) model_.SetChecked(fp::chCSV, false);
  if (parts_.csv != nullptr && parts_.csv->Recording()) parts_.csv->Stop();
  if (parts_.workbook != nullptr && parts_.workbook->Mode() != WorkbookMode::kIdle) {
    parts_.workbook->Stop();
  }
  host_.CloseAllWindows();
  services_.trace.Close();
}

void MainWindow::WindowMoved(int top, int left) {
  WriteWindowPosition(services_.ini, WindowId::kParam, {top, left, 0, 0});
}

}  // namespace velkor
