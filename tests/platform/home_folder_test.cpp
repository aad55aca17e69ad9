#include "platform/home_folder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace velkor {
namespace {

namespace fs = std::filesystem;

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

TEST_F(HomeFolderTest, OnlyOneCopyPerHomeFolder) {
  const fs::path home = Fresh("instance");
  fs::create_directories(home);
  SingleInstance first(home);
  SingleInstance second(home);
  EXPECT_TRUE(first.Acquire());
  EXPECT_FALSE(second.Acquire());
  const fs::path other = Fresh("instance_other");
  fs::create_directories(other);
  SingleInstance elsewhere(other);
  EXPECT_TRUE(elsewhere.Acquire());
}

}  // namespace
}  // namespace velkor
