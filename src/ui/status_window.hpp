#pragma once

#include <QPoint>
#include <QWidget>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_store.hpp"
#include "config/settings.hpp"
#include "core/screen_model.hpp"
#include "livedata/engine_status.hpp"

class QLabel;

namespace velkor {

// The status window `frmStatuts`: the 59M/5AM engine state as texts and round lamps in three
// frames (engine, injection, chassis). It mirrors the screen model that EngineStatus writes and
// is that logic's host: it starts unloaded and hidden; Load places it from [POSITIONS]
// StatutsTop / StatutsLeft (twips), Unload (closing it, or the program ending while it is
// loaded) writes its place back.
class StatusWindow : public QWidget, public StatusWindowHost {
  Q_OBJECT

 public:
  // `model` and `store` must outlive the window. Without a store the window keeps its default
  // place and saves nothing.
  StatusWindow(ScreenModel& model, IniStore* store, QWidget* parent = nullptr);
  // Unloads a loaded window.
  ~StatusWindow() override;

  // StatusWindowHost.
  bool Loaded() const override { return loaded_; }
  void Load() override;
  void Show() override;

  // Writes the place (when loaded) and hides the window; the next Load places it again.
  void Unload();

  // The widget mirroring a control of the model.
  QWidget* Control(std::string_view name) const;

  // Where the window stands now, in twips (top and left only).
  WindowPosition PositionInTwips() const;
  // Writes StatutsTop and StatutsLeft. False without a store or when the file could not be
  // written.
  bool SavePosition();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Build();
  template <typename W>
  W* Add(W* widget, std::string_view name);
  void Mirror(const std::string& name, const ControlState& state);
  // Gives the caption labels of all frames one width, the widest caption's.
  void AlignCaptions();

  ScreenModel& model_;
  IniStore* store_ = nullptr;
  std::map<std::string, QWidget*, std::less<>> controls_;
  std::vector<QLabel*> captions_;  // beside a text box
  bool loaded_ = false;
  // The place as read, in twips and pixels: a window that was not moved writes back exactly what
  // it read instead of a value rounded through pixels.
  QPoint loaded_twips_;
  QPoint loaded_pixels_;
  bool placed_from_store_ = false;
};

}  // namespace velkor
