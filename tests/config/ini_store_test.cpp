#include "config/ini_store.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "config/settings.hpp"
#include "platform/real_file_system.hpp"

namespace velkor {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The real file system with one step made to fail, counting the replacements.
class FaultyFileSystem : public RealFileSystem {
 public:
  enum class Fail { kNothing, kRead, kWriteTemp, kRename, kSyncFolder };
  Fail fail = Fail::kNothing;
  int renames = 0;

  ReadResult ReadFile(const fs::path& file, std::string& bytes) override {
    if (fail == Fail::kRead) return ReadResult::kFailed;
    return RealFileSystem::ReadFile(file, bytes);
  }
  std::optional<fs::path> WriteTempFile(const fs::path& target, std::string_view bytes) override {
    if (fail == Fail::kWriteTemp) return std::nullopt;
    return RealFileSystem::WriteTempFile(target, bytes);
  }
  bool Rename(const fs::path& from, const fs::path& to) override {
    if (fail == Fail::kRename) return false;  // the temporary file is written by now
    ++renames;
    return RealFileSystem::Rename(from, to);
  }
  bool SyncFolder(const fs::path& folder) override {
    if (fail == Fail::kSyncFolder) return false;
    return RealFileSystem::SyncFolder(folder);
  }
};

class IniStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("velkor_store_" + std::to_string(std::random_device{}()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Names of everything in the folder, to catch temporary files left behind.
  std::vector<std::string> FolderContents() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  fs::path File() const { return folder_ / "ecu.ini"; }

  fs::path folder_;
  FaultyFileSystem files_;
  RealFileSystem real_files_;
};

TEST_F(IniStoreTest, MissingFileReadsDefaultsAndFirstWriteCreatesIt) {
  IniStore store(File(), files_);
  EXPECT_EQ(store.GetProfileInt("Menu", "log", 7), 7);
  EXPECT_EQ(store.GetProfileString("Affichage", "Langue", "Francais", 100), "Francais");
  EXPECT_FALSE(fs::exists(File()));
  ASSERT_TRUE(store.WriteProfileString("MENU", "log", "1"));
  EXPECT_EQ(ReadBytes(File()), "[MENU]\r\nlog=1\r\n");
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"ecu.ini"});
}

TEST_F(IniStoreTest, EveryReadSeesTheFileAsItIsNow) {
  IniStore store(File(), files_);
  ASSERT_TRUE(store.WriteProfileString("ECU", "Init", "3"));
  EXPECT_EQ(store.GetProfileInt("ECU", "Init", 0), 3);
  WriteBytes(File(), "[ECU]\r\nInit=4\r\n");  // another program edits the file
  EXPECT_EQ(store.GetProfileInt("ECU", "Init", 0), 4);
  fs::remove(File());
  EXPECT_EQ(store.GetProfileInt("ECU", "Init", 0), 0);
}

TEST_F(IniStoreTest, BatchIsOneReplaceAndAnUnchangedBatchNone) {
  IniStore store(File(), files_);
  Settings settings;
  ASSERT_TRUE(SaveSettings(store, settings));
  EXPECT_EQ(files_.renames, 1);
  ASSERT_TRUE(SaveSettings(store, settings));
  EXPECT_EQ(files_.renames, 1);  // same bytes: the file is left alone
  settings.averaging_depth = 9;
  ASSERT_TRUE(SaveSettings(store, settings));
  EXPECT_EQ(files_.renames, 2);
}

TEST_F(IniStoreTest, FailedReplaceLeavesThePreviousFileAndNoTemporaryFile) {
  const std::string previous = "; mine\r\n[Affichage]\r\nTempo=5\r\n";
  for (const auto fail : {FaultyFileSystem::Fail::kWriteTemp, FaultyFileSystem::Fail::kRename,
                          FaultyFileSystem::Fail::kRead}) {
    SCOPED_TRACE(static_cast<int>(fail));
    WriteBytes(File(), previous);
    IniStore store(File(), files_);
    files_.fail = fail;
    Settings in_memory;
    in_memory.averaging_depth = 12;
    in_memory.language = "English";
    EXPECT_FALSE(SaveSettings(store, in_memory));
    EXPECT_FALSE(store.WriteProfileString("Affichage", "Tempo", "6"));
    files_.fail = FaultyFileSystem::Fail::kNothing;
    EXPECT_EQ(ReadBytes(File()), previous);
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"ecu.ini"});
    // The caller goes on with what it holds; the file still gives the old value.
    EXPECT_EQ(in_memory.averaging_depth, 12);
    EXPECT_EQ(in_memory.language, "English");
    EXPECT_EQ(LoadSettings(store).averaging_depth, 5);
  }
}

TEST_F(IniStoreTest, FolderThatCannotBeFlushedDoesNotUndoADoneReplace) {
  IniStore store(File(), files_);
  files_.fail = FaultyFileSystem::Fail::kSyncFolder;
  EXPECT_TRUE(store.WriteProfileString("Graphe", "NbPoint", "60"));
  EXPECT_EQ(store.GetProfileInt("Graphe", "NbPoint", 30), 60);
}

TEST_F(IniStoreTest, RealFailuresAreReportedAndHarmless) {
  // No such folder: nothing can be written, nothing is created.
  IniStore nowhere(folder_ / "missing" / "ecu.ini", real_files_);
  EXPECT_FALSE(nowhere.WriteProfileString("Menu", "auto", "1"));
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
  // A folder where the file should be cannot be read, so it is never replaced.
  fs::create_directory(File());
  IniStore blocked(File(), real_files_);
  EXPECT_EQ(blocked.GetProfileInt("Menu", "auto", 1), 1);
  EXPECT_FALSE(blocked.WriteProfileString("Menu", "auto", "0"));
  EXPECT_TRUE(fs::is_directory(File()));
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"ecu.ini"});
}

TEST_F(IniStoreTest, ReplacementKeepsTheFilePermissions) {
  WriteBytes(File(), "[A]\r\nk=1\r\n");
  fs::permissions(File(), fs::perms::owner_read | fs::perms::owner_write);
  IniStore store(File(), real_files_);
  ASSERT_TRUE(store.WriteProfileString("A", "k", "2"));
  EXPECT_EQ(fs::status(File()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace velkor
