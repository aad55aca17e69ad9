#pragma once

#include <QPoint>
#include <QSize>

class QScreen;
class QWidget;

namespace velkor {

// Window positions and sizes are stored in twips, 1440 per logical inch, so that ecu.ini files
// written by earlier versions keep placing the windows where they were.
inline constexpr int kTwipsPerInch = 1440;
// Used when no screen answers (no display at all) or a screen reports no resolution.
inline constexpr double kFallbackLogicalDpi = 96.0;

// Both round to the nearest whole unit, halves away from zero. A DPI that is not positive is
// taken as kFallbackLogicalDpi.
int TwipsToPixels(int twips, double logical_dpi);
int PixelsToTwips(int px, double logical_dpi);

// The logical resolution a window is laid out at; horizontal values (left, width) go with X,
// vertical ones (top, height) with Y. A null screen gives kFallbackLogicalDpi.
double LogicalDpiX(const QWidget& widget);
double LogicalDpiY(const QWidget& widget);
double LogicalDpiX(const QScreen* screen);
double LogicalDpiY(const QScreen* screen);

// (left, top) and (width, height) converted axis by axis at the widget's logical resolution.
QPoint TwipsToPixels(QPoint twips, const QWidget& widget);
QPoint PixelsToTwips(QPoint px, const QWidget& widget);
QSize TwipsToPixels(QSize twips, const QWidget& widget);
QSize PixelsToTwips(QSize px, const QWidget& widget);

}  // namespace velkor
