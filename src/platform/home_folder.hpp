#pragma once

#include <QLockFile>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace velkor {

// Where ecu.ini, Mesures/ and the lock file live: `--home DIR`, else VELKOR_HOME, else the
// program's own folder when it is writable (a portable copy keeps everything beside itself),
// else the user's application data folder. The folder is created when missing.
std::filesystem::path ResolveHomeFolder(const QStringList& arguments,
                                        const std::optional<std::string>& environment_home,
                                        const std::filesystem::path& program_folder);

// The same for a running program: VELKOR_HOME from the environment and the executable's folder.
// Needs the QCoreApplication.
std::filesystem::path ResolveHomeFolder(const QStringList& arguments);

// One running copy per home folder.
class SingleInstance {
 public:
  explicit SingleInstance(const std::filesystem::path& home);
  // False when another copy holds the lock.
  bool Acquire();

 private:
  QLockFile lock_;
};

}  // namespace velkor
