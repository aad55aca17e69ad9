#include "ui/screenshot.hpp"

#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QWidget>

namespace velkor {

bool SaveScreenshot(QWidget& widget, const QString& path) {
  const QFileInfo info(path);
  if (!QDir().mkpath(info.absolutePath())) return false;
  const QPixmap picture = widget.grab();
  if (picture.isNull()) return false;
  return picture.save(info.absoluteFilePath(), "PNG");
}

}  // namespace velkor
