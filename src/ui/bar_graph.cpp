#include "ui/bar_graph.hpp"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace velkor {

namespace {

// Caption text stays black whatever the desktop theme: the background is white by default.
constexpr QColor kCaptionColor{0, 0, 0};

}  // namespace

BarGraph::BarGraph(QWidget* parent)
    : QWidget(parent), fill_color_(palette().color(QPalette::Active, QPalette::Highlight)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The caption is read at a glance over a moving bar: bold, and no smaller than 10 points.
  QFont caption_font = font();
  caption_font.setBold(true);
  if (caption_font.pointSizeF() > 0 && caption_font.pointSizeF() < 10)
    caption_font.setPointSize(10);
  setFont(caption_font);
}

int BarGraph::Percent() const {
  constexpr float kMin = std::numeric_limits<std::int16_t>::min();
  constexpr float kMax = std::numeric_limits<std::int16_t>::max();
  return static_cast<int>(std::clamp(std::nearbyint(percent_), kMin, kMax));
}

void BarGraph::SetPercent(int percent) {
  percent_ = static_cast<float>(percent);
  update();
}

void BarGraph::SetValue(int value) {
  value_ = value;
  // Every container sets Maxi first; a Maxi of 0 would otherwise give an infinite or NaN bar.
  percent_ = maxi_ == 0 ? 0.0f : static_cast<float>(static_cast<double>(value) / maxi_ * 100.0);
  update();
}

void BarGraph::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void BarGraph::SetBackColor(const QColor& color) {
  back_color_ = color;
  update();
}

void BarGraph::SetFillColor(const QColor& color) {
  fill_color_ = color;
  update();
}

int BarGraph::BarWidth() const {
  const double step = std::floor(width() / 100.0);
  const double end = std::round(static_cast<double>(percent_) * step);
  // Anything past the right edge is clipped anyway; keep the conversion in range.
  return static_cast<int>(std::clamp(end, 0.0, static_cast<double>(std::max(width(), 0))));
}

QImage BarGraph::Render() const {
  QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image.fill(back_color_);
  QPainter painter(&image);
  painter.setFont(font());
  const QFontMetrics metrics(font());

  // The caption is placed as if it were the percentage text: centred for "35%", and starting
  // at that same place whatever the caption holds. QString::number writes a period whatever
  // the C locale says, so the place is the same on every desktop.
  const QString percent_text = QString::number(percent_, 'g', 7) + QLatin1Char('%');
  const int x =
      static_cast<int>(std::floor((width() - metrics.horizontalAdvance(percent_text)) / 2.0));
  painter.setPen(kCaptionColor);
  painter.drawText(x, metrics.ascent(), caption_);

  // Each covered pixel becomes NOT(fill XOR pixel): FillColor over white, inverted elsewhere.
  painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  painter.fillRect(QRect(0, 0, BarWidth(), height()), fill_color_);
  return image;
}

QSize BarGraph::sizeHint() const {
  const QFontMetrics metrics(font());
  return {200, metrics.height() + 4};
}

void BarGraph::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawImage(0, 0, Render());
}

}  // namespace velkor
