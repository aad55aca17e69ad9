#pragma once

#include <QLockFile>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "config/home_access.hpp"

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

// One running program per home folder, the desktop program and velkor-cli alike. A lock left by a
// program that has ended (a crash, a kill) is taken over.
class SingleInstance {
 public:
  explicit SingleInstance(const std::filesystem::path& home);
  // Takes the lock, or says what keeps this program from using the folder: it is a file, nothing
  // can be written in it, or a running program (named by the lock file) holds it.
  HomeAccess Acquire();

 private:
  std::filesystem::path home_;
  QLockFile lock_;
};

}  // namespace velkor
