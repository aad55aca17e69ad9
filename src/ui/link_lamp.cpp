#include "ui/link_lamp.hpp"

#include <QPainter>

namespace velkor {

LinkLamp::LinkLamp(QWidget* parent) : QWidget(parent) { setMinimumSize(20, 20); }

void LinkLamp::SetColour(int colour) {
  colour_ = colour;
  update();
}

void LinkLamp::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor fill = colour_ < 0
                          ? QColor(Qt::gray)
                          : QColor(colour_ & 0xFF, (colour_ >> 8) & 0xFF, (colour_ >> 16) & 0xFF);
  const int side = std::min(width(), height()) - 4;
  painter.setPen(QPen(Qt::black, 1.5));
  painter.setBrush(fill);
  painter.drawEllipse((width() - side) / 2, (height() - side) / 2, side, side);
}

}  // namespace velkor
