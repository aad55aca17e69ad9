#pragma once

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/screen_model.hpp"
#include "session/main_window.hpp"
#include "ui/busy_pointer.hpp"

class QAction;
class QGroupBox;

namespace velkor {

class TraceWindow;

// The main window `frmparam`: value frames with large digits, the command buttons, the
// averaging control, the link lamp, the bar graph, the status bar and the menus. It mirrors the
// screen model that the window's logic writes and forwards the user's actions to that logic.
class MainWindowWidget : public QMainWindow, public MainWindowHost {
  Q_OBJECT

 public:
  explicit MainWindowWidget(ScreenModel& model, QWidget* parent = nullptr);
  ~MainWindowWidget() override;

  // The logic is built after the window (it needs the window as its host).
  void SetLogic(MainWindow* logic) { logic_ = logic; }
  void SetInterfaceRunner(std::function<InterfaceChoice()> run) { run_interface_ = std::move(run); }
  void SetTraceWindow(TraceWindow* trace) { trace_window_ = trace; }
  // Windows to close with the main window.
  void AddSatellite(QWidget* window) { satellites_.push_back(window); }

  // MainWindowHost.
  InterfaceChoice RunInterfaceWindow() override;
  void ShowWindow() override { show(); }
  void PlaceWindow(int top, int left) override;
  WindowPosition CurrentPosition() const override;
  void Focus(std::string_view control) override;
  std::optional<WindowPosition> TracePosition() const override;
  bool ShowTraceWindow() override;
  void CloseAllWindows() override;

  // The widget or action mirroring a control of the model.
  QObject* Control(std::string_view name) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildBody();
  QAction* AddAction(QMenu* menu, std::string_view name, const QKeySequence& key = {});
  template <typename W>
  W* Add(W* widget, std::string_view name);
  void Mirror(const std::string& name, const ControlState& state);
  void MirrorAll();
  void Quit();

  ScreenModel& model_;
  MainWindow* logic_ = nullptr;
  std::function<InterfaceChoice()> run_interface_;
  TraceWindow* trace_window_ = nullptr;
  std::vector<QWidget*> satellites_;
  std::map<std::string, QObject*, std::less<>> controls_;
  QTimer move_debounce_;
  bool closing_ = false;
  BusyPointer busy_pointer_;
};

}  // namespace velkor
