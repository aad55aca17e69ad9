#include "platform/home_folder.hpp"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace velkor {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class HomeFolderTest : public ::testing::Test {
 protected:
  static fs::path Fresh(const std::string& name) {
    const fs::path path = fs::path(::testing::TempDir()) / ("home_folder_" + name);
    fs::remove_all(path);
    return path;
  }
};

TEST_F(HomeFolderTest, ArgumentThenEnvironmentThenProgramFolder) {
  const fs::path program = Fresh("program");
  fs::create_directories(program);
  const fs::path from_argument = Fresh("argument");
  const fs::path from_environment = Fresh("environment");
  const struct {
    const char* name;
    QStringList arguments;
    std::optional<std::string> environment;
    fs::path home;
  } cases[] = {
      {"--home DIR",
       {"velkor", "--home", QString::fromStdString(from_argument.string())},
       from_environment.string(),
       from_argument},
      {"--home=DIR",
       {"velkor", QString::fromStdString("--home=" + from_argument.string())},
       std::nullopt,
       from_argument},
      {"environment", {"velkor"}, from_environment.string(), from_environment},
      {"empty environment", {"velkor"}, std::string(), program},
      {"writable program folder", {"velkor"}, std::nullopt, program},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ResolveHomeFolder(c.arguments, c.environment, program), c.home);
    EXPECT_TRUE(fs::is_directory(c.home));  // created when missing
  }
}

TEST_F(HomeFolderTest, ProgramFolderThatCannotBeWrittenGivesTheUserDataFolder) {
  const fs::path missing = Fresh("no_such_program_folder") / "bin";
  const fs::path home = ResolveHomeFolder({"velkor"}, std::nullopt, missing);
  EXPECT_NE(home, missing);
  EXPECT_FALSE(home.empty());
}

TEST_F(HomeFolderTest, OnlyOneProgramPerHomeFolder) {
  const fs::path home = Fresh("instance");
  fs::create_directories(home);
  SingleInstance first(home);
  SingleInstance second(home);
  EXPECT_TRUE(first.Acquire().Ready());
  const HomeAccess refused = second.Acquire();
  EXPECT_EQ(refused.status, HomeAccess::Status::kInUse);
  EXPECT_EQ(refused.home, home);
  EXPECT_EQ(refused.holder_pid, static_cast<long long>(getpid()));
  EXPECT_EQ(refused.holder, HomeHolder::kOther);  // the lock names this test program
  const fs::path other = Fresh("instance_other");
  fs::create_directories(other);
  SingleInstance elsewhere(other);
  EXPECT_TRUE(elsewhere.Acquire().Ready());
}

TEST_F(HomeFolderTest, LockOfAProgramThatDiedIsTakenOver) {
  const fs::path home = Fresh("instance_died");
  fs::create_directories(home);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SingleInstance dying(home);
    _exit(dying.Acquire().Ready() ? 0 : 1);  // ends without letting go, as a crash would
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(fs::exists(home / "velkor.lock"));
  SingleInstance next(home);
  EXPECT_TRUE(next.Acquire().Ready());
}

TEST_F(HomeFolderTest, FileOrMissingParentIsNotTakenForASecondCopy) {
  const fs::path base = Fresh("instance_file");
  fs::create_directories(base);
  const fs::path file = base / "ecu.ini";
  std::ofstream(file) << "[ECU]\n";
  const struct {
    const char* name;
    fs::path home;
    HomeAccess::Status status;
  } cases[] = {
      {"a file", file, HomeAccess::Status::kNotAFolder},
      {"a folder under a file", file / "home", HomeAccess::Status::kNotWritable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SingleInstance instance(c.home);
    const HomeAccess access = instance.Acquire();
    EXPECT_EQ(access.status, c.status);
    EXPECT_EQ(access.home, c.home);
  }
  EXPECT_EQ(ReadText(file), "[ECU]\n");
}

// A folder nothing can be written in, even with a lock file left behind in it: permissions for
// a normal user, a read-only file system for root (whom permissions do not stop).
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(fs::path path) : path_(std::move(path)) {
    fs::create_directories(path_);
    if (geteuid() != 0) {
      LeaveLock();
      fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_exec);
      ready_ = true;
    } else if (mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=64k") == 0) {
      mounted_ = true;
      LeaveLock();
      ready_ = mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
  }
  ~ReadOnlyFolder() {
    if (mounted_) umount(path_.c_str());
    fs::permissions(path_, fs::perms::owner_all);
    fs::remove_all(path_);
  }
  bool ready() const { return ready_; }

 private:
  // What a copy that crashed before the folder turned read-only would have left.
  void LeaveLock() { std::ofstream(path_ / "velkor.lock") << "999999\nvelkor\n\n"; }

  fs::path path_;
  bool mounted_ = false;
  bool ready_ = false;
};

TEST_F(HomeFolderTest, ReadOnlyFolderIsNotTakenForASecondCopy) {
  const fs::path home = Fresh("instance_read_only");
  ReadOnlyFolder folder(home);
  if (!folder.ready()) GTEST_SKIP() << "no read-only folder can be made here";
  SingleInstance instance(home);
  const HomeAccess access = instance.Acquire();
  EXPECT_EQ(access.status, HomeAccess::Status::kNotWritable);
  EXPECT_EQ(access.home, home);
  EXPECT_FALSE(access.reason.empty());
}

}  // namespace
}  // namespace velkor
