#include "ui/fault_window_1516.hpp"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.hpp"

namespace velkor {

namespace fe = frmerreur;

namespace {

// The longest texts a row's value shows (a read refused while the measurements run) and a
// dialogue label shows.
constexpr std::string_view kWidestValue = "Recliquer sur Lecture / Try again  ";
constexpr std::string_view kWidestName = "Statut Moteur  ";
constexpr std::string_view kWidestStep = "Attente de l'arrêt des mesures";

QLabel* ValueBox(QLabel* label) {
  label->setFrameShape(QFrame::StyledPanel);
  label->setFrameShadow(QFrame::Sunken);
  label->setBackgroundRole(QPalette::Base);
  label->setAutoFillBackground(true);
  label->setMargin(2);
  return label;
}

}  // namespace

FaultWindow1516Widget::FaultWindow1516Widget(ScreenModel& model, IniStore* store, QWidget* parent)
    : ModelWindow(model, fe::kWindow, store, WindowId::kErreur, parent) {
  const QFontMetrics metrics(font());
  auto* halves = new QHBoxLayout(this);

  // ---- Left half: the fault read ----
  auto* read = Add(new QGroupBox(this), fe::Frdiag1);
  auto* read_column = new QVBoxLayout(read);
  auto add_row = [&](QGridLayout* grid, int grid_row, std::size_t row) {
    QWidget* parent_widget = grid->parentWidget();
    auto* name = Add(new QLabel(parent_widget), fe::ldef[row]);
    name->setMinimumWidth(metrics.horizontalAdvance(Q(kWidestName)));
    auto* value = ValueBox(Add(new QLabel(parent_widget), fe::rdef[row]));
    value->setMinimumWidth(metrics.horizontalAdvance(Q(kWidestValue)));
    grid->addWidget(name, grid_row, 0);
    grid->addWidget(value, grid_row, 1);
  };
  auto add_frame = [&](std::string_view frame_name, std::size_t first_row) {
    auto* frame = Add(new QGroupBox(read), frame_name);
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(1, 1);
    for (std::size_t k = 0; k < 3; ++k) add_row(grid, static_cast<int>(k), first_row + k);
    read_column->addWidget(frame);
  };
  add_frame(fe::frpresent, 0);
  add_frame(fe::frmem, 4);
  {
    // The engine status row lines up with the rows of the frames above: it stands in a frame
    // too, a flat one without a caption, whose margins are those of the others.
    auto* status = new QGroupBox(read);
    status->setFlat(true);
    auto* grid = new QGridLayout(status);
    grid->setColumnStretch(1, 1);
    add_row(grid, 0, fe::kStatusRow);
    read_column->addWidget(status);
  }
  auto* text = Add(new QPlainTextEdit(read), fe::Text1);
  text->setReadOnly(true);
  text->setMinimumHeight(metrics.lineSpacing() * 12);
  read_column->addWidget(text, 1);
  auto* read_button = Add(new QPushButton(read), fe::cderreur);
  read_button->setDefault(true);
  read_column->addWidget(read_button);
  halves->addWidget(read, 1);

  // ---- Right half: the commands, the dialogue of the one running, and the close button ----
  auto* tests = Add(new QGroupBox(this), fe::Frdiag2);
  auto* tests_column = new QVBoxLayout(tests);
  auto* commands = Add(new QGroupBox(tests), fe::frcde);
  auto* command_column = new QVBoxLayout(commands);
  for (std::string_view name : fe::cddiag) {
    command_column->addWidget(Add(new QPushButton(commands), name));
  }
  tests_column->addWidget(commands);
  auto* dialogue = Add(new QGroupBox(tests), fe::frdialogue);
  auto* steps = new QGridLayout(dialogue);
  for (std::size_t k = 0; k < fe::kDialogueSteps; ++k) {
    auto* sent = Add(new QLabel(dialogue), fe::lenvoie[k]);
    auto* received = Add(new QLabel(dialogue), fe::lrecu[k]);
    for (QLabel* step : {sent, received}) {
      step->setMinimumWidth(metrics.horizontalAdvance(Q(kWidestStep)) / 2 + 40);
      step->setMinimumHeight(metrics.height());
      step->setWordWrap(true);
    }
    steps->addWidget(sent, static_cast<int>(k), 0);
    steps->addWidget(received, static_cast<int>(k), 1);
  }
  tests_column->addWidget(dialogue);
  tests_column->addStretch(1);
  auto* close = Add(new QPushButton(tests), fe::cdarret);
  tests_column->addWidget(close);
  halves->addWidget(tests);

  Bind();
}

}  // namespace velkor
