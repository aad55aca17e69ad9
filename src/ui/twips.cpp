#include "ui/twips.hpp"

#include <QScreen>
#include <QWidget>
#include <cmath>
#include <limits>

namespace velkor {

namespace {

double UsableDpi(double logical_dpi) {
  return (logical_dpi > 0.0 && std::isfinite(logical_dpi)) ? logical_dpi : kFallbackLogicalDpi;
}

// A corrupt ini value can be any int; the result saturates instead of overflowing.
int RoundToInt(double value) {
  constexpr double kMin = std::numeric_limits<int>::min();
  constexpr double kMax = std::numeric_limits<int>::max();
  const double rounded = std::round(value);
  if (rounded <= kMin) return std::numeric_limits<int>::min();
  if (rounded >= kMax) return std::numeric_limits<int>::max();
  return static_cast<int>(rounded);
}

}  // namespace

int TwipsToPixels(int twips, double logical_dpi) {
  return RoundToInt(static_cast<double>(twips) * UsableDpi(logical_dpi) / kTwipsPerInch);
}

int PixelsToTwips(int px, double logical_dpi) {
  return RoundToInt(static_cast<double>(px) * kTwipsPerInch / UsableDpi(logical_dpi));
}

double LogicalDpiX(const QWidget& widget) { return UsableDpi(widget.logicalDpiX()); }
double LogicalDpiY(const QWidget& widget) { return UsableDpi(widget.logicalDpiY()); }

double LogicalDpiX(const QScreen* screen) {
  return screen == nullptr ? kFallbackLogicalDpi : UsableDpi(screen->logicalDotsPerInchX());
}

double LogicalDpiY(const QScreen* screen) {
  return screen == nullptr ? kFallbackLogicalDpi : UsableDpi(screen->logicalDotsPerInchY());
}

QPoint TwipsToPixels(QPoint twips, const QWidget& widget) {
  return {TwipsToPixels(twips.x(), LogicalDpiX(widget)),
          TwipsToPixels(twips.y(), LogicalDpiY(widget))};
}

QPoint PixelsToTwips(QPoint px, const QWidget& widget) {
  return {PixelsToTwips(px.x(), LogicalDpiX(widget)), PixelsToTwips(px.y(), LogicalDpiY(widget))};
}

QSize TwipsToPixels(QSize twips, const QWidget& widget) {
  return {TwipsToPixels(twips.width(), LogicalDpiX(widget)),
          TwipsToPixels(twips.height(), LogicalDpiY(widget))};
}

QSize PixelsToTwips(QSize px, const QWidget& widget) {
  return {PixelsToTwips(px.width(), LogicalDpiX(widget)),
          PixelsToTwips(px.height(), LogicalDpiY(widget))};
}

}  // namespace velkor
