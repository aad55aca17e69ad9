#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "adjust/stepper_test.hpp"
#include "adjust/trimmer.hpp"
#include "adjust/trimmer_15m.hpp"
#include "config/home_access.hpp"
#include "config/ini_store.hpp"
#include "config/language.hpp"
#include "config/settings.hpp"
#include "core/clock.hpp"
#include "core/ctime_it.hpp"
#include "core/dialogs.hpp"
#include "core/event_loop.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"
#include "link/exchange.hpp"
#include "link/kline_port.hpp"
#include "link/link_state.hpp"
#include "link/serial_port.hpp"
#include "livedata/engine_status.hpp"
#include "livedata/frmparam.hpp"
#include "livedata/measurement_cycle.hpp"
#include "livedata/measurement_flags.hpp"
#include "recording/text_recorder.hpp"
#include "recording/workbook_recorder.hpp"
#include "session/session_control.hpp"
#include "session/window_controls.hpp"

namespace velkor {

// How a control of the main window looks before anything is applied to it.
struct ControlDesign {
  std::string_view name;
  std::string_view text;
  bool visible = true;
  bool enabled = true;
};
// Every control of the main window with its design text, in layout order.
const std::vector<ControlDesign>& MainWindowDesign();

// The value frames that a double click switches, with their label.
struct MeasureFrame {
  std::string_view frame;
  std::string_view label;
};
const std::vector<MeasureFrame>& MeasureFrames();

// The link chosen in the interface window; its ports go to the session.
struct InterfaceChoice {
  InterfaceKind kind = InterfaceKind::kUsb;
  std::unique_ptr<KLinePort> kline;  // FTDI or serial K-line cable, when one was opened
  std::unique_ptr<SerialPort> elm;   // the ELM327 port, when opened
  std::string device;                // the FTDI cable's description or the serial device's path
  std::string panel4;                // status text for the link ("USB", "USB enable", ...)
  int port_number = 1;               // [Interface] PORT
  bool hide_donation = false;        // the only cable listed is our own
};

// What the main window's logic asks of its window.
class DiagnosticWindows;

class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  // Shows the interface window modally and returns what it opened.
  virtual InterfaceChoice RunInterfaceWindow() = 0;
  virtual void ShowWindow() = 0;
  // Positions in twips.
  virtual void PlaceWindow(int top, int left) = 0;
  virtual WindowPosition CurrentPosition() const = 0;
  virtual void Focus(std::string_view /*control*/) {}
  // Position of the trace window, when it exists.
  virtual std::optional<WindowPosition> TracePosition() const { return std::nullopt; }
  // Shows the trace window; false when there is none to show (a program without windows).
  virtual bool ShowTraceWindow() { return false; }
  // Closes every satellite window; the program ends after.
  virtual void CloseAllWindows() {}
};

struct MainWindowServices {
  IniStore& ini;
  LinkState& link;
  Exchange& exchange;
  Clock& clock;
  TraceLog& trace;
  CTimeIt& stopwatch;
  Dialogs& dialogs;
  Language& language;
  std::filesystem::path home;
  std::string version_suffix;  // " - 1.2.3"
  // Takes the home folder's lock: ready, or why this copy cannot use the folder (another program
  // holds it, it cannot be written, it is a file).
  std::function<HomeAccess()> acquire_single_instance;
};

// The main window's behaviour: start-up, the preferences applied to the controls, the value
// frames' switches, the averaging control, the progress timer and closing.
// The measurement parts, built by the application once the window's logic exists.
struct MeasurementParts {
  MeasurementCycle* cycle = nullptr;
  CsvRecorder* csv = nullptr;            // the box chCSV
  WorkbookRecorder* workbook = nullptr;  // the box Chenregistre
  // Opens a finished workbook with the desktop's default application; false when the desktop
  // has no program for it.
  std::function<bool(const std::string& path)> open_document;
  // The engine status of the 59M/5AM (the box chStatutSonde and the menu mnStatuts).
  EngineStatus* status = nullptr;
  // The recordings' files: at start-up, what a crash left in Mesures is finished through it.
  FileSystem* files = nullptr;
};

// The adjustments, built by the application once the window's logic exists.
struct AdjustParts {
  Trimmer* trimmer = nullptr;      // FrChgTrimmer, mnTrimmer
  StepperTest* stepper = nullptr;  // frMoteurPP's cdMoteurPP
  Trimmer15* trimmer15 = nullptr;  // frmTrimmer15
};

class MainWindow : public SessionHost {
 public:
  // False for the entries whose windows and actions are not offered yet: they stay greyed.
  static bool Offered(std::string_view control) { return velkor::Offered(control); }

  static constexpr int kProgressTickMs = 200;
  static constexpr int kAveragingMax = 20;
  static constexpr double kStopWait = 0.8;  // the cycle's time to stop before closing

  MainWindow(ScreenModel& model, MainWindowServices services, MainWindowHost& host,
             Timer& progress_timer);

  // The start-up sequence. False when the program must end at once (a copy already runs).
  bool StartUp();
  // Applies the stored preferences to the controls.
  void SetInitialisation();

  // A double click on a value frame switches its measure and saves the preferences.
  void DoubleClickFrame(std::string_view frame);
  // The averaging scroll bar moved to `position`.
  void ScrollAveraging(int position);
  void AveragingPlus() { ScrollAveraging(model_.Value(frmparam::HScrollMoyenne) + 1); }
  void AveragingMinus() { ScrollAveraging(model_.Value(frmparam::HScrollMoyenne) - 1); }

  // Starts the progress display for `run_length` ticks of 200 ms.
  void StartProgress(int run_length) override;
  // SessionHost: a start clears the workbook box; an open session starts the measurements
  // when [Menu] auto says so.
  void CloseWorkbook() override { ToggleWorkbook(false); }
  void SessionOpened() override;

  // A recording that stops on a failed write clears its box and says so.
  void SetMeasurement(MeasurementParts parts);
  // cdparametre / F3: starts the measurements, or stops the run under way.
  void PressParameters();
  // The recording boxes were ticked or cleared by the user.
  void ToggleCsv(bool checked);
  void ToggleWorkbook(bool checked);

  // The session (F2, keep-alive, re-initialisation), built by the application. It owns the
  // link: the interface window's ports are handed to it at start-up.
  void SetSession(SessionControl* session) { session_ = session; }
  // The identification and fault windows, built by the application.
  void SetDiagnostics(DiagnosticWindows* diagnostics) { diagnostics_ = diagnostics; }
  // mnIdentification: the identification window.
  void OpenIdentification();
  // cddiag / mndiag / F4: the fault window of the family in use.
  void PressDiagnostics();
  // mnStatuts: shows the status window.
  void OpenStatus();
  // chStatutSonde was clicked to `checked`.
  void ClickStatutSonde(bool checked);
  // cdintialisation / MnInit / F2.
  void PressInitialisation();

  void SetAdjustments(AdjustParts parts) { adjust_ = parts; }
  // The trimmer (family 4): HScrollTrimmer moved by the user; mnPlus / F7 and mnMoinsUn / F6
  // (the graph's "Trimmer + 1" and "Trimmer - 1" too); CdMemorise; cdTrimmer "Reset to n";
  // the box chMoteur ("test Moteur").
  void TrimmerScrolled(int value);
  void TrimmerPlus();
  void TrimmerMinus();
  void PressMemorise();
  void PressResetTrimmer();
  void ClickMoteur(bool checked);
  // cdMoteurPP: the stepper-motor test at the next pass above 600 rpm.
  void PressStepperTest();
  // cdTrimer15, mnTrim15M (F8): the 15M trimmer window, for the 15M and 15RC only.
  void OpenTrimmer15();
  // CdReInit / MnRreInit.
  void PressReInitialisation();

  // cdquitter / mnquitter: prepares closing; the window then unloads.
  void Quit();
  // The window closes: stops the cycle, ends the session, saves positions.
  void Unload();
  // The window moved: its position is stored at once.
  void WindowMoved(int top, int left);

  const Settings& settings() const { return settings_; }
  // The caller starts the measurements itself: a session start leaves them to it, whatever
  // [Menu] auto says (kept in memory only).
  void SuppressAutoStart() { settings_.auto_start = 0; }
  MeasurementFlags& flags() { return flags_; }
  // The preferences in memory: a session start may switch the stepper measure off.
  MeasureSwitches& measures() { return settings_.measures; }
  const std::filesystem::path& home() const { return services_.home; }
  // Whether the measure of a value label is active (the cycle polls it).
  bool MeasureActive(std::string_view label) const { return model_.Enabled(label); }

 private:
  void ApplyDesign();
  void ApplyMeasures();
  void ApplyStepperFrame();
  void ApplyUnitCaptions();
  // cdTrimer15 and mnTrim15M exist for the 15M and 15RC only; cdTrimmer and CdMemorise wait for
  // a family-4 run.
  void ApplyTrimmer15Entries();
  void ProgressTick();
  bool Save();
  // Closes the recordings whose box is no longer ticked (the cycle and closing clear boxes).
  void SyncRecorders();
  void StopWorkbook();
  // Finishes the recordings a crash left, and traces which.
  void RecoverRecordings();
  void RecordingFailed(std::string_view box, const RecordingFailure& failure);
  // One status read outside the cycle, under a lease of the link.
  void ReadStatusOnce();

  ScreenModel& model_;
  MainWindowServices services_;
  MainWindowHost& host_;
  Timer& progress_timer_;
  Settings settings_;
  MeasurementFlags flags_;
  InterfaceKind interface_kind_ = InterfaceKind::kUsb;
  MeasurementParts parts_;
  SessionControl* session_ = nullptr;
  DiagnosticWindows* diagnostics_ = nullptr;
  AdjustParts adjust_;
  int progress_ticks_ = 0;
  int progress_length_ = 0;
  bool unloaded_ = false;
};

}  // namespace velkor
