#include "ui/status_window.hpp"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/link_lamp.hpp"
#include "ui/qt_text.hpp"
#include "ui/twips.hpp"
#include "ui/window_placement.hpp"

namespace velkor {

namespace fs = frmStatuts;

namespace {

constexpr int kLampSide = 22;
// The longest status texts ("Uscita da Cut-Off in accelerazione") fit without scrolling.
constexpr std::string_view kWidestText = "Uscita da Cut-Off in accelerazione  ";

}  // namespace

StatusWindow::StatusWindow(ScreenModel& model, IniStore* store, QWidget* parent)
    : QWidget(parent), model_(model), store_(store) {
  setWindowFlag(Qt::Window);
  setObjectName(Q(fs::kWindow));
  Build();
  model_.SetListener(
      [this](const std::string& name, const ControlState& state) { Mirror(name, state); });
  for (const auto& [name, state] : model_.Controls()) Mirror(name, state);
}

StatusWindow::~StatusWindow() {
  Unload();
  model_.SetListener({});
}

template <typename W>
W* StatusWindow::Add(W* widget, std::string_view name) {
  widget->setObjectName(Q(name));
  controls_.emplace(std::string(name), widget);
  return widget;
}

void StatusWindow::Build() {
  const int text_width = QFontMetrics(font()).horizontalAdvance(Q(kWidestText));
  // Every frame has the same three columns (caption, text, lamp) so that the text boxes of all
  // three line up.
  auto grid_of = [](QGroupBox* frame) {
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(2, kLampSide);
    return grid;
  };
  // A frame without lamps keeps an empty widget in the lamp column: the layout leaves out the
  // spacing of an empty column, which would make its text boxes longer than the chassis ones.
  auto keep_lamp_column = [](QGridLayout* grid) {
    auto* place = new QWidget(grid->parentWidget());
    place->setFixedSize(kLampSide, 0);
    grid->addWidget(place, 0, 2);
  };
  auto caption = [&](QWidget* parent, std::string_view name) {
    QLabel* label = Add(new QLabel(parent), name);
    captions_.push_back(label);
    return label;
  };
  auto add_row = [&](QGridLayout* grid, int row, std::string_view label, std::string_view text) {
    QWidget* parent = grid->parentWidget();
    grid->addWidget(caption(parent, label), row, 0);
    auto* box = Add(new QLineEdit(parent), text);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setMinimumWidth(text_width);
    grid->addWidget(box, row, 1);
  };

  auto* column = new QVBoxLayout(this);

  auto* engine = Add(new QGroupBox(this), fs::FrEngine);
  QGridLayout* engine_grid = grid_of(engine);
  add_row(engine_grid, 0, fs::lbstatut1, fs::txStatutMotor);
  add_row(engine_grid, 1, fs::lbstatut0, fs::txModeMotor);
  keep_lamp_column(engine_grid);
  column->addWidget(engine);

  auto* injection = Add(new QGroupBox(this), fs::frInjection);
  QGridLayout* injection_grid = grid_of(injection);
  // The mixture state is the lambda probe loop's: the probe's caption heads the frame.
  auto* probe = Add(new QLabel(injection), fs::lbstatut7);
  QFont probe_font = probe->font();
  probe_font.setItalic(true);
  probe->setFont(probe_font);
  injection_grid->addWidget(probe, 0, 0, 1, 3);
  add_row(injection_grid, 1, fs::lbstatut8, fs::txRichesse);
  add_row(injection_grid, 2, fs::lbstatut6, fs::txTPS);
  keep_lamp_column(injection_grid);
  column->addWidget(injection);

  auto* chassis = Add(new QGroupBox(this), fs::FrChassis);
  QGridLayout* chassis_grid = grid_of(chassis);
  const struct {
    std::string_view label, text, lamp;
  } rows[] = {
      {fs::lbstatut10, fs::txNeutral, fs::shNeutral},
      {fs::lbstatut9, fs::txEmbrayage, fs::shEmbrayage},
      {fs::lbstatut5, fs::txDemarrage, fs::ShDemarrage},
      {fs::lbstatut4, fs::txRunStop, fs::ShRunStop},
      {fs::lbstatut3, fs::txBequille, fs::ShBequille},
  };
  int row = 0;
  for (const auto& r : rows) {
    add_row(chassis_grid, row, r.label, r.text);
    auto* lamp = Add(new LinkLamp(chassis), r.lamp);
    lamp->setFixedSize(kLampSide, kLampSide);
    chassis_grid->addWidget(lamp, row, 2);
    ++row;
  }
  chassis_grid->addWidget(caption(chassis, fs::lbstatut2), row, 0);
  column->addWidget(chassis);
  column->addStretch(1);
}

void StatusWindow::AlignCaptions() {
  int widest = 0;
  for (QLabel* label : captions_) {
    // A child of a window not yet shown reads as hidden: ask the model instead.
    if (model_.Visible(label->objectName().toStdString()))
      widest = std::max(widest, label->sizeHint().width());
  }
  for (QLabel* label : captions_) label->setMinimumWidth(widest);
}

QWidget* StatusWindow::Control(std::string_view name) const {
  const auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

void StatusWindow::Mirror(const std::string& name, const ControlState& state) {
  if (name == fs::kWindow) {
    setWindowTitle(QString::fromStdString(state.text));
    return;
  }
  QWidget* widget = Control(name);
  if (widget == nullptr) return;
  const QString text = QString::fromStdString(state.text);
  widget->setToolTip(QString::fromStdString(state.tooltip));
  widget->setEnabled(state.enabled);
  // Hiding needs no shown parent; showing a child of a hidden window only marks it to show.
  widget->setVisible(state.visible);
  if (auto* box = qobject_cast<QGroupBox*>(widget)) {
    box->setTitle(text);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
    AlignCaptions();
  } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    line->setText(text);
    line->setCursorPosition(0);  // long texts show their start
  } else if (auto* lamp = qobject_cast<LinkLamp*>(widget)) {
    lamp->SetColour(state.colour);
  }
}

void StatusWindow::Load() {
  if (loaded_) return;
  loaded_ = true;
  if (store_ == nullptr) return;
  const WindowPosition position = ReadWindowPosition(*store_, WindowId::kStatuts);
  loaded_twips_ = QPoint(position.left, position.top);
  loaded_pixels_ = TwipsToPixels(loaded_twips_, *this);
  PlaceFrame(*this, loaded_pixels_);
  placed_from_store_ = true;
}

void StatusWindow::Show() {
  Load();
  show();
  raise();
}

void StatusWindow::Unload() {
  if (!loaded_) return;
  // A failed write leaves the old place in the file; unloading goes on regardless.
  SavePosition();
  loaded_ = false;
  hide();
}

WindowPosition StatusWindow::PositionInTwips() const {
  const QPoint twips =
      placed_from_store_ && pos() == loaded_pixels_ ? loaded_twips_ : PixelsToTwips(pos(), *this);
  return {.top = twips.y(), .left = twips.x()};
}

bool StatusWindow::SavePosition() {
  if (store_ == nullptr) return false;
  return WriteWindowPosition(*store_, WindowId::kStatuts, PositionInTwips());
}

void StatusWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  KeepTitleBarOnScreen(*this);
}

void StatusWindow::closeEvent(QCloseEvent* event) {
  Unload();
  event->accept();
}

}  // namespace velkor
