#include "ui/desktop_document.hpp"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <optional>

namespace velkor {
namespace {

// On a freedesktop system the program chosen for a type is known before anything is started:
// xdg-open does not say when it found none (it falls back to a browser, or fails after it was
// started). Nothing known (no xdg-mime, no answer in time): let the desktop try.
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
bool DesktopHasNoProgramFor(const QString& path) {
  const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (query.isEmpty()) return false;
  const QString type = QMimeDatabase().mimeTypeForFile(path).name();
  QProcess process;
  process.start(query, {QStringLiteral("query"), QStringLiteral("default"), type});
  if (!process.waitForFinished(3000)) {
    process.kill();
    process.waitForFinished(1000);
    return false;
  }
  if (process.exitStatus() != QProcess::NormalExit) return false;
  return process.readAllStandardOutput().trimmed().isEmpty();
}

// xdg-open, started on its own: it opens the file whatever platform plugin the windows use.
// Whether it started; nothing without xdg-open.
std::optional<bool> StartXdgOpen(const QString& path) {
  const QString open = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (open.isEmpty()) return std::nullopt;
  return QProcess::startDetached(open, {path});
}
#else
bool DesktopHasNoProgramFor(const QString&) { return false; }
std::optional<bool> StartXdgOpen(const QString&) { return std::nullopt; }
#endif

}  // namespace

bool OpenWithDesktop(const QString& path) {
  if (DesktopHasNoProgramFor(path)) return false;
  if (const std::optional<bool> started = StartXdgOpen(path)) return *started;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace velkor
