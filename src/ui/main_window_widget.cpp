#include "ui/main_window_widget.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "ui/bar_graph.hpp"
#include "ui/link_lamp.hpp"
#include "ui/qt_text.hpp"
#include "ui/trace_window.hpp"
#include "ui/twips.hpp"
#include "ui/window_placement.hpp"

namespace velkor {

namespace fp = frmparam;

namespace {

constexpr int kValuePointSize = 26;
constexpr int kMoveDebounceMs = 300;
// The trimmer's scroll bar: a signed byte less its -128.
constexpr int kTrimmerLimit = 127;

}  // namespace

MainWindowWidget::MainWindowWidget(ScreenModel& model, QWidget* parent)
    : QMainWindow(parent), model_(model) {
  setObjectName(Q(fp::kWindow));
  BuildMenus();
  BuildBody();
  move_debounce_.setSingleShot(true);
  move_debounce_.setInterval(kMoveDebounceMs);
  connect(&move_debounce_, &QTimer::timeout, this, [this] {
    if (logic_ == nullptr || closing_) return;
    const WindowPosition position = CurrentPosition();
    logic_->WindowMoved(position.top, position.left);
  });
  model_.SetListener(
      [this](const std::string& name, const ControlState& state) { Mirror(name, state); });
  MirrorAll();
}

MainWindowWidget::~MainWindowWidget() { model_.SetListener({}); }

template <typename W>
W* MainWindowWidget::Add(W* widget, std::string_view name) {
  widget->setObjectName(Q(name));
  controls_.emplace(std::string(name), widget);
  return widget;
}

QAction* MainWindowWidget::AddAction(QMenu* menu, std::string_view name, const QKeySequence& key) {
  QAction* action = menu->addAction(QString());
  action->setObjectName(Q(name));
  if (!key.isEmpty()) action->setShortcut(key);
  controls_.emplace(std::string(name), action);
  return action;
}

void MainWindowWidget::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto submenu = [&](std::string_view name) {
    QMenu* menu = bar->addMenu(QString());
    menu->setObjectName(Q(name));
    controls_.emplace(std::string(name), menu->menuAction());
    return menu;
  };
  QMenu* file = submenu(fp::mnfichier);
  AddAction(file, fp::mnpreferences);
  AddAction(file, fp::mnTestUsb);
  file->addSeparator();
  connect(AddAction(file, fp::mnquitter, QKeySequence(Qt::Key_F9)), &QAction::triggered, this,
          &MainWindowWidget::Quit);

  QMenu* acquisition = submenu(fp::mnacquisition);
  connect(AddAction(acquisition, fp::MnInit, QKeySequence(Qt::Key_F2)), &QAction::triggered, this,
          [this] {
            if (logic_ != nullptr) logic_->PressInitialisation();
          });
  connect(AddAction(acquisition, fp::mnparam, QKeySequence(Qt::Key_F3)), &QAction::triggered, this,
          [this] {
            if (logic_ != nullptr) logic_->PressParameters();
          });
  connect(AddAction(acquisition, fp::mndiag, QKeySequence(Qt::Key_F4)), &QAction::triggered, this,
          [this] {
            if (logic_ != nullptr) logic_->PressDiagnostics();
          });
  connect(AddAction(acquisition, fp::MnRreInit), &QAction::triggered, this, [this] {
    if (logic_ != nullptr) logic_->PressReInitialisation();
  });
  acquisition->addSeparator();
  AddAction(acquisition, fp::mnMap);
  AddAction(acquisition, fp::mngraphe, QKeySequence(Qt::CTRL | Qt::Key_G));
  AddAction(acquisition, fp::mnralenti, QKeySequence(Qt::CTRL | Qt::Key_R));
  connect(AddAction(acquisition, fp::mnmoyplus, QKeySequence(Qt::CTRL | Qt::Key_P)),
          &QAction::triggered, this, [this] {
            if (logic_ != nullptr) logic_->AveragingPlus();
          });
  connect(AddAction(acquisition, fp::mnmoymoins, QKeySequence(Qt::CTRL | Qt::Key_M)),
          &QAction::triggered, this, [this] {
            if (logic_ != nullptr) logic_->AveragingMinus();
          });
  AddAction(acquisition, fp::mnrepond);

  QMenu* trimmer = acquisition->addMenu(QString());
  trimmer->setObjectName(Q(fp::mnTrimmer));
  controls_.emplace(std::string(fp::mnTrimmer), trimmer->menuAction());
  connect(AddAction(trimmer, fp::mnTrim15M, QKeySequence(Qt::Key_F8)), &QAction::triggered, this,
          [this] {
            if (logic_ != nullptr) logic_->OpenTrimmer15();
          });
  connect(AddAction(trimmer, fp::mnPlus, QKeySequence(Qt::Key_F7)), &QAction::triggered, this,
          [this] {
            if (logic_ != nullptr) logic_->TrimmerPlus();
          });
  connect(AddAction(trimmer, fp::mnMoinsUn, QKeySequence(Qt::Key_F6)), &QAction::triggered, this,
          [this] {
            if (logic_ != nullptr) logic_->TrimmerMinus();
          });

  // Top-level entries that open a window at once.
  QAction* identification = bar->addAction(QString());
  identification->setObjectName(Q(fp::mnIdentification));
  controls_.emplace(std::string(fp::mnIdentification), identification);
  connect(identification, &QAction::triggered, this, [this] {
    if (logic_ != nullptr) logic_->OpenIdentification();
  });
  submenu(fp::mnConvert);
  QAction* statuts = bar->addAction(QString());
  statuts->setObjectName(Q(fp::mnStatuts));
  controls_.emplace(std::string(fp::mnStatuts), statuts);
  connect(statuts, &QAction::triggered, this, [this] {
    if (logic_ != nullptr) logic_->OpenStatus();
  });
  QMenu* help = submenu(fp::mnaide);
  connect(AddAction(help, fp::mnabout), &QAction::triggered, this, [this] {
    // Modeless: the values go on changing while it is open.
    auto* box =
        new QMessageBox(QMessageBox::Information, "Velkor", windowTitle(), QMessageBox::Ok, this);
    box->setObjectName("aboutBox");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
  });
  AddAction(help, fp::mnExploreAide, QKeySequence(Qt::Key_F1));
  AddAction(help, fp::mnweb);
  connect(AddAction(help, fp::mnTrace), &QAction::triggered, this, [this] { ShowTraceWindow(); });
}

void MainWindowWidget::BuildBody() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);

  QFont value_font = font();
  value_font.setPointSize(kValuePointSize);
  value_font.setBold(true);

  // One frame per engine value, its reading in large digits.
  auto value_frame = [&](std::string_view frame, std::string_view label) {
    auto* box = Add(new QGroupBox(central), frame);
    auto* layout = new QVBoxLayout(box);
    auto* text = Add(new QLabel(box), label);
    text->setFont(value_font);
    text->setAlignment(Qt::AlignCenter);
    text->setMinimumWidth(130);
    text->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(text);
    box->installEventFilter(this);
    return box;
  };
  auto* values = new QGridLayout;
  values->addWidget(value_frame(fp::Frrmp, fp::Rmp), 0, 0);
  values->addWidget(value_frame(fp::Frgaz, fp::Potar), 0, 1);
  values->addWidget(value_frame(fp::frTPS, fp::lbTPSVolt), 0, 2);
  values->addWidget(value_frame(fp::Frinject, fp::Injection), 0, 3);
  values->addWidget(value_frame(fp::Fravance, fp::Avance), 1, 0);
  values->addWidget(value_frame(fp::Frpression, fp::Pression), 1, 1);
  values->addWidget(value_frame(fp::Frair, fp::Air), 1, 2);
  values->addWidget(value_frame(fp::Freau, fp::Eau), 1, 3);
  values->addWidget(value_frame(fp::Frbatterie, fp::Tension), 2, 0);
  values->addWidget(value_frame(fp::frLambda, fp::lbLambda), 2, 1);
  values->addWidget(value_frame(fp::Frtrimmer, fp::Trimmer), 2, 2);
  QGroupBox* stepper = value_frame(fp::frMoteurPP, fp::lbMoteurPP);
  auto* stepper_test = Add(new QPushButton(stepper), fp::cdMoteurPP);
  connect(stepper_test, &QPushButton::clicked, this, [this] {
    if (logic_ != nullptr) logic_->PressStepperTest();
  });
  stepper->layout()->addWidget(stepper_test);
  values->addWidget(stepper, 2, 3);
  column->addLayout(values);

  auto* controls = new QHBoxLayout;
  auto* commands = Add(new QGroupBox(central), fp::frcde);
  auto* command_layout = new QVBoxLayout(commands);
  for (std::string_view name : {fp::cdintialisation, fp::cdparametre, fp::cddiag, fp::cdTrimer15,
                                fp::CdReInit, fp::Command, fp::cdquitter}) {
    auto* button = Add(new QPushButton(commands), name);
    button->setMinimumHeight(32);
    command_layout->addWidget(button);
  }
  connect(static_cast<QPushButton*>(controls_.at(std::string(fp::cdquitter))),
          &QPushButton::clicked, this, &MainWindowWidget::Quit);
  connect(static_cast<QPushButton*>(controls_.at(std::string(fp::cdparametre))),
          &QPushButton::clicked, this, [this] {
            if (logic_ != nullptr) logic_->PressParameters();
          });
  connect(static_cast<QPushButton*>(controls_.at(std::string(fp::cddiag))), &QPushButton::clicked,
          this, [this] {
            if (logic_ != nullptr) logic_->PressDiagnostics();
          });
  connect(static_cast<QPushButton*>(controls_.at(std::string(fp::cdintialisation))),
          &QPushButton::clicked, this, [this] {
            if (logic_ != nullptr) logic_->PressInitialisation();
          });
  connect(static_cast<QPushButton*>(controls_.at(std::string(fp::CdReInit))), &QPushButton::clicked,
          this, [this] {
            if (logic_ != nullptr) logic_->PressReInitialisation();
          });
  connect(static_cast<QPushButton*>(controls_.at(std::string(fp::cdTrimer15))),
          &QPushButton::clicked, this, [this] {
            if (logic_ != nullptr) logic_->OpenTrimmer15();
          });
  controls->addWidget(commands);

  auto* middle = new QVBoxLayout;
  auto* averaging = Add(new QGroupBox(central), fp::Frame1);
  auto* averaging_layout = new QHBoxLayout(averaging);
  auto* scroll = Add(new QScrollBar(Qt::Horizontal, averaging), fp::HScrollMoyenne);
  scroll->setRange(0, MainWindow::kAveragingMax);
  scroll->setSingleStep(1);
  scroll->setPageStep(5);
  scroll->setMinimumWidth(160);
  connect(scroll, &QScrollBar::valueChanged, this, [this](int value) {
    if (logic_ != nullptr) logic_->ScrollAveraging(value);
  });
  averaging_layout->addWidget(scroll);
  auto* depth = Add(new QLabel(averaging), fp::ltempo);
  depth->setMinimumWidth(30);
  averaging_layout->addWidget(depth);
  middle->addWidget(averaging);

  // The trimmer adjustment: the scroll bar and the value it stands at, the keys that step it,
  // the reset and the store. "test Moteur" stands beside the frame, not in it: the frame greys
  // itself while the box holds the engine as stopped, and the box must stay usable then.
  auto* trimmer_row = new QHBoxLayout;
  auto* trimmer = Add(new QGroupBox(central), fp::FrChgTrimmer);
  auto* trimmer_grid = new QGridLayout(trimmer);
  auto* trimmer_scroll = Add(new QScrollBar(Qt::Horizontal, trimmer), fp::HScrollTrimmer);
  trimmer_scroll->setRange(-kTrimmerLimit, kTrimmerLimit);
  trimmer_scroll->setSingleStep(1);
  trimmer_scroll->setPageStep(10);
  trimmer_scroll->setMinimumWidth(160);
  // Only a move by the user is sent on: the model's value mirrored onto the bar (the ECU's
  // reading, F6/F7, the reset) is blocked in Mirror and never comes back as a choice.
  connect(trimmer_scroll, &QScrollBar::valueChanged, this, [this](int value) {
    if (logic_ != nullptr) logic_->TrimmerScrolled(value);
  });
  trimmer_grid->addWidget(trimmer_scroll, 0, 0, 1, 2);
  auto* trimmer_value = Add(new QLabel(trimmer), fp::lbTrimmer);
  trimmer_value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  trimmer_value->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-127")) + 8);
  trimmer_grid->addWidget(trimmer_value, 0, 2);
  trimmer_grid->addWidget(Add(new QLabel(trimmer), fp::lbHintF6), 1, 0);
  auto* hint_f7 = Add(new QLabel(trimmer), fp::lbHintF7);
  hint_f7->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  trimmer_grid->addWidget(hint_f7, 1, 1);
  auto* reset = Add(new QPushButton(trimmer), fp::cdTrimmer);
  // Wide enough for "Reset to -127".
  reset->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Reset to -127")) + 24);
  connect(reset, &QPushButton::clicked, this, [this] {
    if (logic_ != nullptr) logic_->PressResetTrimmer();
  });
  trimmer_grid->addWidget(reset, 2, 0);
  auto* memorise = Add(new QPushButton(trimmer), fp::CdMemorise);
  connect(memorise, &QPushButton::clicked, this, [this] {
    if (logic_ != nullptr) logic_->PressMemorise();
  });
  trimmer_grid->addWidget(memorise, 2, 1, 1, 2);
  trimmer_grid->setColumnStretch(0, 1);
  trimmer_grid->setColumnStretch(1, 1);
  trimmer_row->addWidget(trimmer, 1);
  auto* engine_test = Add(new QCheckBox(central), fp::chMoteur);
  // The user's click only: the model's state mirrored onto the box is not a click.
  connect(engine_test, &QCheckBox::clicked, this, [this](bool checked) {
    if (logic_ != nullptr) logic_->ClickMoteur(checked);
  });
  trimmer_row->addWidget(engine_test, 0, Qt::AlignTop);
  middle->addLayout(trimmer_row);

  auto* progress_row = new QHBoxLayout;
  auto* progress = Add(new BarGraph(central), fp::ProgressBar1);
  progress->setMinimumSize(220, 26);
  progress_row->addWidget(progress, 1);
  // Wide enough for "Init Mode 0  100%" and "TPS (deg)" beside the bar.
  auto* progress_text = Add(new QLabel(central), fp::Lbtest);
  progress_text->setMinimumWidth(130);
  progress_row->addWidget(progress_text);
  middle->addLayout(progress_row);
  middle->addWidget(Add(new QLabel(central), fp::lmemo));
  middle->addWidget(Add(new QLabel(central), fp::lpresent));
  middle->addStretch(1);
  controls->addLayout(middle, 1);

  auto* right = new QVBoxLayout;
  auto* com = Add(new QGroupBox(central), fp::Frame2);
  auto* com_layout = new QHBoxLayout(com);
  com_layout->addWidget(Add(new LinkLamp(com), fp::Shape1), 0, Qt::AlignCenter);
  right->addWidget(com);
  for (std::string_view name :
       {fp::chgraph, fp::chMap, fp::Chenregistre, fp::chCSV, fp::chStatutSonde}) {
    right->addWidget(Add(new QCheckBox(central), name));
  }
  // Only the user's click: the model mirrored onto the box must not read the ECU again.
  connect(static_cast<QCheckBox*>(controls_.at(std::string(fp::chStatutSonde))),
          &QCheckBox::clicked, this, [this](bool on) {
            if (logic_ != nullptr) logic_->ClickStatutSonde(on);
          });
  connect(static_cast<QCheckBox*>(controls_.at(std::string(fp::chCSV))), &QCheckBox::toggled, this,
          [this](bool on) {
            if (logic_ != nullptr) logic_->ToggleCsv(on);
          });
  connect(static_cast<QCheckBox*>(controls_.at(std::string(fp::Chenregistre))), &QCheckBox::toggled,
          this, [this](bool on) {
            if (logic_ != nullptr) logic_->ToggleWorkbook(on);
          });
  right->addWidget(Add(new QLabel(central), fp::contact));
  right->addWidget(Add(new QLabel(central), fp::Picture1));
  auto* donate = Add(new QLabel(central), fp::imDonate);
  donate->setOpenExternalLinks(true);
  right->addWidget(donate);
  right->addStretch(1);
  controls->addLayout(right);
  column->addLayout(controls);
  setCentralWidget(central);

  for (std::string_view name :
       {fp::lbPanel1, fp::lbPanel2, fp::lbPanel3, fp::lbPanel4, fp::lbPanel5}) {
    auto* panel = Add(new QLabel(this), name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setMinimumWidth(110);
    statusBar()->addWidget(panel, name == fp::lbPanel5 ? 1 : 0);
  }
}

QObject* MainWindowWidget::Control(std::string_view name) const {
  const auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

void MainWindowWidget::MirrorAll() {
  for (const auto& [name, state] : model_.Controls()) Mirror(name, state);
}

void MainWindowWidget::Mirror(const std::string& name, const ControlState& state) {
  if (name == fp::kWindow) {
    setWindowTitle(QString::fromStdString(state.text));
    return;
  }
  if (name == fp::MousePointer) {
    busy_pointer_.Set(state.value != 0);  // any pointer but the default arrow means busy
    return;
  }
  QObject* object = Control(name);
  if (object == nullptr) return;
  const QString text = QString::fromStdString(state.text);
  const QString tip = QString::fromStdString(state.tooltip);
  if (auto* action = qobject_cast<QAction*>(object)) {
    action->setText(text);
    action->setToolTip(tip);
    action->setEnabled(state.enabled);
    action->setVisible(state.visible);
    if (action->isCheckable()) action->setChecked(state.checked);
    return;
  }
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return;
  widget->setToolTip(tip);
  widget->setEnabled(state.enabled);
  widget->setVisible(state.visible);
  if (auto* box = qobject_cast<QGroupBox*>(widget)) {
    box->setTitle(text);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
    if (button->isCheckable()) {
      const QSignalBlocker quiet(button);
      button->setChecked(state.checked);
    }
  } else if (auto* scroll = qobject_cast<QScrollBar*>(widget)) {
    const QSignalBlocker quiet(scroll);
    // A range the model never set keeps the bar's own (the averaging's 0 to 20).
    if (state.minimum < state.maximum) scroll->setRange(state.minimum, state.maximum);
    scroll->setValue(state.value);
  } else if (auto* lamp = qobject_cast<LinkLamp*>(widget)) {
    lamp->SetColour(state.colour);
  } else if (auto* bar = qobject_cast<BarGraph*>(widget)) {
    bar->SetPercent(state.value);
    bar->SetCaption(text);
  }
}

bool MainWindowWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick && logic_ != nullptr) {
    logic_->DoubleClickFrame(watched->objectName().toStdString());
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

InterfaceChoice MainWindowWidget::RunInterfaceWindow() {
  return run_interface_ ? run_interface_() : InterfaceChoice{};
}

void MainWindowWidget::PlaceWindow(int top, int left) {
  PlaceFrame(*this, TwipsToPixels(QPoint(left, top), *this));
}

WindowPosition MainWindowWidget::CurrentPosition() const {
  // The frame's corner, as PlaceWindow takes it.
  const QPoint twips = PixelsToTwips(pos(), *this);
  return {twips.y(), twips.x(), 0, 0};
}

void MainWindowWidget::Focus(std::string_view control) {
  if (auto* widget = qobject_cast<QWidget*>(Control(control))) widget->setFocus();
}

std::optional<WindowPosition> MainWindowWidget::TracePosition() const {
  if (trace_window_ == nullptr) return std::nullopt;
  return trace_window_->PositionInTwips();
}

bool MainWindowWidget::ShowTraceWindow() {
  if (trace_window_ == nullptr) return false;
  trace_window_->show();
  trace_window_->raise();
  return true;
}

void MainWindowWidget::CloseAllWindows() {
  if (trace_window_ != nullptr) trace_window_->hide();
  for (QWidget* window : satellites_) window->close();
}

void MainWindowWidget::Quit() {
  if (logic_ != nullptr) logic_->Quit();
  close();
}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    closing_ = true;
    move_debounce_.stop();
    if (logic_ != nullptr) logic_->Unload();
  }
  event->accept();
}

void MainWindowWidget::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  KeepTitleBarOnScreen(*this);
}

void MainWindowWidget::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (isVisible()) move_debounce_.start();
}

}  // namespace velkor
