#include "ui/fault_window_59.hpp"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/bar_graph.hpp"
#include "ui/link_lamp.hpp"
#include "ui/qt_text.hpp"

namespace velkor {

namespace fd = FrmDTC59;

namespace {

// The window's design size, frame included.
constexpr int kDesignWidthTwips = 9855;
constexpr int kDesignHeightTwips = 7400;
constexpr int kLampSide = 24;
constexpr int kDescriptionLines = 4;

QLabel* Sunken(QLabel* label) {
  label->setFrameShape(QFrame::StyledPanel);
  label->setFrameShadow(QFrame::Sunken);
  label->setBackgroundRole(QPalette::Base);
  label->setAutoFillBackground(true);
  label->setMargin(3);
  return label;
}

}  // namespace

FaultWindow59Widget::FaultWindow59Widget(ScreenModel& model, IniStore* store, QWidget* parent)
    : ModelWindow(model, fd::kWindow, store, WindowId::kDtc59, parent) {
  SetDesignSize(QSize(kDesignWidthTwips, kDesignHeightTwips));
  const QFontMetrics metrics(font());
  auto* column = new QVBoxLayout(this);

  // ---- The fault codes ----
  auto* faults = Add(new QGroupBox(this), fd::FrameVisuErreur);
  auto* faults_grid = new QGridLayout(faults);
  faults_grid->setColumnStretch(0, 1);
  faults_grid->setColumnStretch(1, 1);

  auto* count = Add(new QLabel(faults), fd::LabelNbErr);
  QFont bold = count->font();
  bold.setBold(true);
  count->setFont(bold);
  auto* links = new QHBoxLayout();
  links->addStretch(1);
  links->addWidget(AddLink(new QLabel(faults), fd::Label2));
  links->addWidget(AddLink(new QLabel(faults), fd::Label4));
  faults_grid->addWidget(count, 0, 0);
  faults_grid->addLayout(links, 0, 1);

  // The code, its short text and its long text (and for EOBD the status byte), wrapped.
  auto* description = Sunken(Add(new QLabel(faults), fd::LabelTextError));
  description->setWordWrap(true);
  description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  description->setMinimumHeight(metrics.lineSpacing() * 5 + 8);
  description->setTextInteractionFlags(Qt::TextSelectableByMouse);
  faults_grid->addWidget(description, 1, 0, 1, 2);

  auto* navigation = new QHBoxLayout();
  navigation->addWidget(Add(new QPushButton(faults), fd::ButtonPrevious));
  auto* scroll = Add(new QScrollBar(Qt::Horizontal, faults), fd::HScrollError);
  scroll->setPageStep(1);
  navigation->addWidget(scroll, 1);
  navigation->addWidget(Add(new QPushButton(faults), fd::ButtonNext));
  faults_grid->addLayout(navigation, 2, 0, 1, 2);

  auto* cycles = new QHBoxLayout();
  auto* cycles_caption = Add(new QLabel(faults), fd::Label5);
  cycles_caption->setWordWrap(true);
  cycles->addWidget(cycles_caption, 1);
  auto* cycle_count = Sunken(Add(new QLabel(faults), fd::LabelNbCycle));
  cycle_count->setAlignment(Qt::AlignCenter);
  cycle_count->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral(" 64 ")) + 12);
  cycles->addWidget(cycle_count);
  faults_grid->addLayout(cycles, 3, 0);

  auto* lamp_row = new QHBoxLayout();
  auto* lamp_caption = Add(new QLabel(faults), fd::Label3);
  lamp_caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lamp_row->addWidget(lamp_caption, 1);
  auto* lamp = Add(new LinkLamp(faults), fd::Shape1);
  lamp->setFixedSize(kLampSide, kLampSide);
  lamp_row->addWidget(lamp);
  faults_grid->addLayout(lamp_row, 3, 1);

  // Each frame's four options are exclusive among themselves (QRadioButton's own rule).
  auto add_options = [&](std::string_view frame_name, const std::string_view(&names)[4],
                         int grid_column) {
    auto* frame = Add(new QGroupBox(faults), frame_name);
    auto* options = new QGridLayout(frame);
    for (int k = 0; k < 4; ++k) {
      options->addWidget(Add(new QRadioButton(frame), names[k]), k % 2, k / 2);
    }
    faults_grid->addWidget(frame, 4, grid_column);
  };
  add_options(fd::FrameCause, fd::kCause, 0);
  add_options(fd::FrameMemorisation, fd::kMemo, 1);

  auto* clear_row = new QHBoxLayout();
  clear_row->addStretch(1);
  clear_row->addWidget(Add(new QPushButton(faults), fd::CleanError));
  faults_grid->addLayout(clear_row, 5, 0, 1, 2);
  column->addWidget(faults);

  // ---- The actuator tests and the resets ----
  auto* lower = new QHBoxLayout();
  auto* tests = Add(new QGroupBox(this), fd::FrameTestActif);
  auto* tests_grid = new QGridLayout(tests);
  tests_grid->addWidget(Add(new QLabel(tests), fd::Label1), 0, 0);
  auto* choice = Add(new QComboBox(tests), fd::ComboChoixTest);
  choice->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("Statut Antidémarrage")) + 40);
  tests_grid->addWidget(choice, 0, 1);
  auto* start = Add(new QPushButton(tests), fd::CdeStartTest);
  // The caption turns from "Lancer le test" to "Arrêter le test" and back: the button keeps
  // the width of the longer one.
  start->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("Arrêter le test")) + 24);
  tests_grid->addWidget(start, 0, 2);
  // The test's description with its result below it, or the immobiliser's status one line per
  // bit set: room for four lines before the window has to grow.
  auto* test_text = Sunken(Add(new QLabel(tests), fd::LDescription));
  test_text->setWordWrap(true);
  test_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  test_text->setMinimumHeight(metrics.lineSpacing() * kDescriptionLines + 8);
  tests_grid->addWidget(test_text, 1, 0, 1, 3);
  auto* progress = new QHBoxLayout();
  progress->addWidget(Add(new QLabel(tests), fd::LMin));
  auto* bar = Add(new BarGraph(tests), fd::ProgressBar1);
  bar->SetFillColor(BarGraph::kPersistedFillColor);
  bar->setMinimumHeight(metrics.height() + 6);
  progress->addWidget(bar, 1);
  // The longest duration is the fuel pump's "30s".
  auto* duration = Add(new QLabel(tests), fd::LMax);
  duration->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("30s")) + 4);
  progress->addWidget(duration);
  tests_grid->addLayout(progress, 2, 0, 1, 3);
  tests_grid->setColumnStretch(1, 1);
  lower->addWidget(tests, 3);

  auto* resets = Add(new QGroupBox(this), fd::frResetM5);
  auto* resets_column = new QVBoxLayout(resets);
  resets_column->addWidget(Add(new QPushButton(resets), fd::cdresetTPS));
  resets_column->addWidget(Add(new QPushButton(resets), fd::cdService));
  auto* caution = Add(new QLabel(resets), fd::lbCaution);
  caution->setWordWrap(true);
  resets_column->addWidget(caution);
  resets_column->addStretch(1);
  // The confirmation of a throttle-sensor reset.
  auto* confirm = Add(new QGroupBox(resets), fd::frConfirm);
  auto* confirm_row = new QHBoxLayout(confirm);
  confirm_row->addWidget(Add(new QPushButton(confirm), fd::cdConfirmer1));
  confirm_row->addWidget(Add(new QPushButton(confirm), fd::cdConfirmer2));
  resets_column->addWidget(confirm);
  lower->addWidget(resets, 2);
  column->addLayout(lower);

  auto* close_row = new QHBoxLayout();
  close_row->addStretch(1);
  auto* close = Add(new QPushButton(this), fd::ButtonClose);
  close->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("Close")) + 48);
  close_row->addWidget(close);
  column->addLayout(close_row);

  Bind();
}

}  // namespace velkor
