#include "platform/home_folder.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <system_error>

namespace velkor {

namespace {

bool WritableFolder(const std::filesystem::path& folder) {
  const QFileInfo info(QString::fromStdString(folder.string()));
  return info.isDir() && info.isWritable();
}

}  // namespace

std::filesystem::path ResolveHomeFolder(const QStringList& arguments,
                                        const std::optional<std::string>& environment_home,
                                        const std::filesystem::path& program_folder) {
  std::filesystem::path home;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == "--home" && i + 1 < arguments.size()) {
      home = arguments[i + 1].toStdString();
    } else if (argument.startsWith("--home=")) {
      home = argument.mid(7).toStdString();
    }
  }
  if (home.empty() && environment_home && !environment_home->empty()) home = *environment_home;
  if (home.empty()) {
    home =
        WritableFolder(program_folder)
            ? program_folder
            : std::filesystem::path(
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString());
  }
  std::error_code ignored;
  std::filesystem::create_directories(home, ignored);
  return home;
}

std::filesystem::path ResolveHomeFolder(const QStringList& arguments) {
  const QByteArray environment_home = qgetenv("VELKOR_HOME");
  return ResolveHomeFolder(arguments,
                           environment_home.isEmpty()
                               ? std::nullopt
                               : std::optional<std::string>(environment_home.toStdString()),
                           QCoreApplication::applicationDirPath().toStdString());
}

SingleInstance::SingleInstance(const std::filesystem::path& home)
    : lock_(QString::fromStdString((home / "velkor.lock").string())) {
  lock_.setStaleLockTime(0);  // a lock left by a crashed copy is taken over
}

bool SingleInstance::Acquire() { return lock_.tryLock(0); }

}  // namespace velkor
