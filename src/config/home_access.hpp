#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velkor {

// The programs that take a home folder's lock, as the lock file names them.
enum class HomeHolder {
  kDesktop,   // velkor
  kTerminal,  // velkor-cli
  kOther,     // a name neither program has (a renamed copy, a test)
};

HomeHolder HolderOfProgram(std::string_view program_name);

// Whether a program may use its home folder: ecu.ini, Mesures/ and the lock live there, and only
// one program at a time writes them (two would overwrite each other's settings and recordings).
struct HomeAccess {
  enum class Status {
    kReady,        // the lock is ours
    kNotAFolder,   // the path names a file
    kNotWritable,  // nothing can be created in it (read-only, no permission, cannot be made)
    kInUse,        // another running program holds the lock
  };

  Status status = Status::kReady;
  std::filesystem::path home{};
  std::string reason{};                    // kNotWritable: the system's words, when it gave any
  HomeHolder holder = HomeHolder::kOther;  // kInUse
  long long holder_pid = 0;                // kInUse: 0 when the lock file does not say

  bool Ready() const { return status == Status::kReady; }
};

// The message box of the desktop program that cannot start on its folder. A second desktop copy
// is told "Velkor est déjà lancé"; every other case names the folder and the way out.
std::string HomeAccessWindowText(const HomeAccess& access);

// The same for a terminal, in one line (velkor-cli's messages, and the desktop program's line on
// stderr).
std::string HomeAccessTerminalText(const HomeAccess& access);

}  // namespace velkor
