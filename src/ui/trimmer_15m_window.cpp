#include "ui/trimmer_15m_window.hpp"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/link_lamp.hpp"
#include "ui/qt_text.hpp"

namespace velkor {

namespace ft = frmTrimmer15;

namespace {

constexpr int kValuePointSize = 20;
constexpr int kDiscSide = 40;
// The widest reading of each value frame, and the longest status line: the window is sized for
// them so that it never changes size while it runs.
constexpr std::string_view kWidestValue = "10,000";
constexpr std::string_view kWidestStatus =
    "It's not possible to Change Trimmer when Mesures are in action";
constexpr int kStatusLines = 2;

}  // namespace

Trimmer15MWindow::Trimmer15MWindow(ScreenModel& model, IniStore* store, QWidget* parent)
    : ModelWindow(model, ft::kWindow, store, WindowId::kTrim15, parent) {
  const QFontMetrics metrics(font());
  auto* column = new QVBoxLayout(this);
  // One size, whatever the captions and the status line hold.
  column->setSizeConstraint(QLayout::SetFixedSize);

  // ---- The four values ----
  QFont value_font = font();
  value_font.setPointSize(kValuePointSize);
  value_font.setBold(true);
  const QFontMetrics value_metrics(value_font);
  auto* values = new QHBoxLayout();
  const std::pair<std::string_view, std::string_view> frames[] = {{ft::frRPM, ft::lbRPM},
                                                                  {ft::frTPS, ft::lbTPS},
                                                                  {ft::frVolt, ft::lbVolt},
                                                                  {ft::frTrim, ft::lbTrim}};
  for (const auto& [frame_name, label_name] : frames) {
    auto* frame = Add(new QGroupBox(this), frame_name);
    auto* inside = new QVBoxLayout(frame);
    auto* value = Add(new QLabel(frame), label_name);
    value->setFont(value_font);
    value->setAlignment(Qt::AlignCenter);
    value->setMinimumWidth(value_metrics.horizontalAdvance(Q(kWidestValue)) + 12);
    inside->addWidget(value);
    values->addWidget(frame);
  }
  column->addLayout(values);

  // ---- The adjustment ----
  const int button_width = std::max(metrics.horizontalAdvance(QStringLiteral("Abord - Exit")),
                                    metrics.horizontalAdvance(QStringLiteral("Trim + 1"))) +
                           32;
  auto* middle = new QHBoxLayout();
  auto* exec = Add(new QGroupBox(this), ft::frExec);
  auto* exec_column = new QVBoxLayout(exec);
  for (std::string_view name : {ft::cdAA, ft::cdSave}) {
    auto* button = Add(new QPushButton(exec), name);
    button->setMinimumWidth(button_width);
    exec_column->addWidget(button);
  }
  middle->addWidget(exec);
  auto* trim = Add(new QGroupBox(this), ft::frTrimPlus);
  auto* trim_column = new QVBoxLayout(trim);
  for (std::string_view name : ft::cdTrim) {
    auto* button = Add(new QPushButton(trim), name);
    button->setMinimumWidth(button_width);
    trim_column->addWidget(button);
  }
  middle->addWidget(trim);

  auto* status = new QHBoxLayout();
  auto* disc = Add(new LinkLamp(this), ft::shStatut);
  disc->setFixedSize(kDiscSide, kDiscSide);
  status->addWidget(disc, 0, Qt::AlignVCenter);
  auto* status_text = Add(new QLabel(this), ft::lbTrimStaut);
  status_text->setWordWrap(true);
  status_text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // Two lines hold the longest status; the label keeps that size for the shorter ones.
  status_text->setFixedSize(metrics.horizontalAdvance(Q(kWidestStatus)) / kStatusLines + 40,
                            metrics.lineSpacing() * (kStatusLines + 1));
  status->addWidget(status_text, 1);
  middle->addLayout(status, 1);
  column->addLayout(middle);

  // ---- Measuring and leaving ----
  auto* bottom = new QHBoxLayout();
  auto* measures = Add(new QPushButton(this), ft::cdMesures);
  measures->setMinimumWidth(button_width);
  bottom->addWidget(measures);
  bottom->addStretch(1);
  auto* leave = Add(new QPushButton(this), ft::cdFin);
  leave->setMinimumWidth(button_width);
  bottom->addWidget(leave);
  column->addLayout(bottom);

  Bind();
}

}  // namespace velkor
