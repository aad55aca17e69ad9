#include "ui/identification_window.hpp"

#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.hpp"

namespace velkor {

namespace fi = frmIdentification;

namespace {

// The longest line of a 59M record, with room to spare: "Marelli Number : " and eleven
// characters.
constexpr std::string_view kWidestLine = "Programming Date : 20030828    Marelli ";

}  // namespace

IdentificationWindow::IdentificationWindow(ScreenModel& model, IniStore* store, QWidget* parent)
    : ModelWindow(model, fi::kWindow, store, WindowId::kIdent, parent) {
  auto* column = new QVBoxLayout(this);

  // The lines stand in a sunken panel, one below the other, each as high as a line of text even
  // when empty (P8 and EOBD show eight empty lines).
  auto* panel = new QFrame(this);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setBackgroundRole(QPalette::Base);
  panel->setAutoFillBackground(true);
  auto* lines = new QVBoxLayout(panel);
  lines->setSpacing(6);
  const QFontMetrics metrics(font());
  for (std::string_view name : fi::kLines) {
    auto* line = Add(new QLabel(panel), name);
    line->setMinimumHeight(metrics.height());
    line->setMinimumWidth(metrics.horizontalAdvance(Q(kWidestLine)));
    // A number can be copied from the window.
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lines->addWidget(line);
  }
  column->addWidget(panel);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  auto* log = Add(new QPushButton(this), fi::cdLOG);
  auto* quit = Add(new QPushButton(this), fi::cdquitter);
  for (QPushButton* button : {log, quit}) {
    button->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("Enregistrement")) + 24);
    buttons->addWidget(button);
  }
  quit->setDefault(true);
  column->addLayout(buttons);

  Bind();
}

}  // namespace velkor
