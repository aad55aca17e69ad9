#pragma once

#include <QString>

class QWidget;

namespace velkor {

// Grabs the widget as it would be painted (shown or not) and writes it as PNG, creating the
// folder when needed. False when the grab is empty or the file cannot be written.
bool SaveScreenshot(QWidget& widget, const QString& path);

}  // namespace velkor
