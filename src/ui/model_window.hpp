#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "config/ini_store.hpp"
#include "config/settings.hpp"
#include "core/screen_model.hpp"

class QLabel;

namespace velkor {

// A top-level window that mirrors a ScreenModel: each child bound under its control name (its
// objectName) shows the text, tip, enabled, visible, checked, value, range, items and colour of
// that control on every change; the control named after the window gives the title. User actions
// (clicks, a scroll bar moved, a list entry chosen) go to the callbacks the application sets, so
// that it can run them under its link lease; the window itself never reaches the ECU.
//
// Controls handled: QGroupBox (title), QLabel (text; a link label forwards its click), the
// buttons (QPushButton text; QRadioButton text and checked, kept exclusive within its frame),
// QPlainTextEdit (read-only text), QScrollBar (range and value), QComboBox (items and selected
// index), LinkLamp (colour, a round lamp) and BarGraph (range, value and fill colour). Line
// breaks in the model's texts may be CR LF, LF or a lone CR.
class ModelWindow : public QWidget {
  Q_OBJECT

 public:
  ~ModelWindow() override;

  // The widget mirroring a control of the model; nullptr for a name the window does not have.
  QWidget* Control(std::string_view name) const;

  // A click on a button or on a link label. Replaces the previous callback of that control.
  void SetOnClick(std::string_view control, std::function<void()> on_click);
  // The user moved a scroll bar or chose a list entry: the new value or index. A change the
  // model makes is not reported back.
  void SetOnValueChanged(std::string_view control, std::function<void(int)> on_change);
  // The window is closing (its title bar, the keyboard, close()), after its place is written.
  void SetOnClose(std::function<void()> on_close) { on_close_ = std::move(on_close); }

  // Places the window from its keys (once per opening); Show also shows and raises it.
  bool Loaded() const { return loaded_; }
  void Load();
  void Show();
  // Writes the place (when loaded) and hides the window; the next Load places it again.
  void Unload();

  // Where the window stands now, in twips: its frame's corner and height.
  WindowPosition PositionInTwips() const;
  // Writes the place. False without a store or when the file could not be written.
  bool SavePosition();

 protected:
  // `model` and `store` must outlive the window. Without a store the window keeps its default
  // place and saves nothing.
  // `place` names the window's [POSITIONS] keys (twips). A window that stores its height writes
  // it on closing; none of these windows reads it back (it opens at its design size).
  ModelWindow(ScreenModel& model, std::string_view window_name, IniStore* store, WindowId place,
              QWidget* parent);

  // Registers `widget` as the control `name`.
  template <typename W>
  W* Add(W* widget, std::string_view name) {
    widget->setObjectName(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    controls_[std::string(name)] = widget;
    return widget;
  }
  // Registers `label` as the control `name`, showing its text as a link whose click goes to the
  // control's click callback.
  QLabel* AddLink(QLabel* label, std::string_view name);
  // Call at the end of the derived constructor, once every control is added: connects the user
  // actions and shows what the model already holds.
  void Bind();
  // The size the window opens at, in twips (frame included); none: the layout's own size.
  void SetDesignSize(QSize twips) { design_twips_ = twips; }

  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Mirror(const std::string& name, const ControlState& state);
  void Clicked(const std::string& name);
  void ValueChanged(const std::string& name, int value);

  ScreenModel& model_;
  std::string window_name_;
  IniStore* store_ = nullptr;
  WindowId place_;
  std::map<std::string, QWidget*, std::less<>> controls_;
  std::map<std::string, std::function<void()>, std::less<>> on_click_;
  std::map<std::string, std::function<void(int)>, std::less<>> on_change_;
  std::function<void()> on_close_;
  std::optional<QSize> design_twips_;
  bool loaded_ = false;
  // The place as read, in twips and pixels: a window that was not moved writes back exactly what
  // it read instead of a value rounded through pixels.
  QPoint loaded_twips_;
  QPoint loaded_pixels_;
  bool placed_from_store_ = false;
};

// A window title shows no keyboard accelerators: "&Identification de l'ECU" is titled
// "Identification de l'ECU" ("&&" stays one "&").
QString TitleWithoutAccelerators(const QString& text);
// The model's line breaks (CR LF, LF or a lone CR) as Qt's "\n".
QString WithLineBreaks(std::string_view text);

}  // namespace velkor
