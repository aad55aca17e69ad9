#include "config/home_access.hpp"

#include <gtest/gtest.h>

namespace velkor {
namespace {

using Status = HomeAccess::Status;

TEST(HomeAccessTest, TheLockFileNamesTheProgramHoldingTheFolder) {
  EXPECT_EQ(HolderOfProgram("velkor"), HomeHolder::kDesktop);
  EXPECT_EQ(HolderOfProgram("velkor-cli"), HomeHolder::kTerminal);
  EXPECT_EQ(HolderOfProgram("Velkor"), HomeHolder::kOther);
  EXPECT_EQ(HolderOfProgram(""), HomeHolder::kOther);
}

// Every message but the second desktop copy's names the folder, and every one that a change of
// folder mends says how: --home or VELKOR_HOME. What the holder is matters: the desktop user
// closes a window, the terminal user waits for a run.
TEST(HomeAccessTest, MessagesNameTheFolderTheCauseAndTheWayOut) {
  const struct {
    const char* name;
    HomeAccess access;
    std::vector<std::string> window;    // parts of the message box
    std::vector<std::string> terminal;  // parts of the terminal line
  } cases[] = {
      {"second desktop copy",
       {.status = Status::kInUse, .home = "/h", .holder = HomeHolder::kDesktop, .holder_pid = 77},
       {"Velkor est déjà lancé"},
       {"Velkor is already running (process 77) with the home folder /h; close it first",
        "--home DIR or VELKOR_HOME"}},
      {"velkor-cli holds it",
       {.status = Status::kInUse, .home = "/h", .holder = HomeHolder::kTerminal, .holder_pid = 78},
       {"velkor-cli est déjà lancé (processus 78)", "/h", "--home DOSSIER", "VELKOR_HOME"},
       {"velkor-cli is already running (process 78) with the home folder /h; wait for it",
        "--home DIR or VELKOR_HOME"}},
      {"an unknown holder, no pid",
       {.status = Status::kInUse, .home = "/h", .holder = HomeHolder::kOther},
       {"Velkor est déjà lancé"},
       {"another program holds the home folder /h (its lock file velkor.lock)", "--home DIR"}},
      {"read-only",
       {.status = Status::kNotWritable, .home = "/ro/h", .reason = "Read-only file system"},
       {"Impossible d'écrire dans le dossier de Velkor :\n/ro/h\n(Read-only file system)",
        "--home DOSSIER", "VELKOR_HOME"},
       {"the home folder /ro/h cannot be written (Read-only file system); give another folder "
        "with --home DIR or VELKOR_HOME"}},
      {"a file",
       {.status = Status::kNotAFolder, .home = "/h/ecu.ini"},
       {"n'est pas un dossier :\n/h/ecu.ini", "--home DOSSIER", "VELKOR_HOME"},
       {"the home folder /h/ecu.ini is a file, not a folder; give another folder with --home DIR "
        "or VELKOR_HOME"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string window = HomeAccessWindowText(c.access);
    const std::string terminal = HomeAccessTerminalText(c.access);
    for (const std::string& part : c.window)
      EXPECT_NE(window.find(part), std::string::npos) << window;
    for (const std::string& part : c.terminal) {
      EXPECT_NE(terminal.find(part), std::string::npos) << terminal;
    }
    EXPECT_EQ(terminal.find('\n'), std::string::npos);
  }
  // The second copy's box says exactly what it always has.
  EXPECT_EQ(HomeAccessWindowText(cases[0].access), "Velkor est déjà lancé");
  EXPECT_EQ(HomeAccessWindowText({.home = "/h"}), "");
}

}  // namespace
}  // namespace velkor
