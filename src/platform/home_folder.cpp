#include "platform/home_folder.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
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
    : home_(home), lock_(QString::fromStdString((home / "velkor.lock").string())) {
  lock_.setStaleLockTime(0);  // a lock left by a crashed copy is taken over
}

HomeAccess SingleInstance::Acquire() {
  HomeAccess access{.home = home_};
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(home_, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_directory(status)) {
    access.status = HomeAccess::Status::kNotAFolder;
    return access;
  }
  if (!std::filesystem::is_directory(status)) {
    // ResolveHomeFolder could not make it: a parent that is read-only, a file, or forbidden.
    std::filesystem::create_directories(home_, error);
    if (!std::filesystem::is_directory(home_)) {
      access.status = HomeAccess::Status::kNotWritable;
      if (error) access.reason = error.message();
      return access;
    }
  }
  {
    // Only a real write tells (a read-only mount, an administrator's account); it also keeps
    // a lock file left in a folder that has since become read-only from reading as a running
    // copy.
    QTemporaryFile probe(QString::fromStdString((home_ / "velkor-write-test.XXXXXX").string()));
    if (!probe.open()) {
      access.status = HomeAccess::Status::kNotWritable;
      access.reason = probe.errorString().toStdString();
      return access;
    }
  }
  if (lock_.tryLock(0)) return access;
  if (lock_.error() == QLockFile::LockFailedError) {
    access.status = HomeAccess::Status::kInUse;
    qint64 pid = 0;
    QString host;
    QString program;
    if (lock_.getLockInfo(&pid, &host, &program)) {
      access.holder_pid = pid;
      access.holder = HolderOfProgram(program.toStdString());
    }
    return access;
  }
  access.status = HomeAccess::Status::kNotWritable;
  access.reason = lock_.error() == QLockFile::PermissionError ? "permission denied" : "";
  return access;
}

}  // namespace velkor
