#include "platform/qm_text_catalog.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

namespace velkor {
namespace {

namespace fs = std::filesystem;

// The build puts the compiled language files beside the test executable.
fs::path BuiltLanguageFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

class QmTextCatalogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    built_ = BuiltLanguageFolder();
    for (const char* name : {"lngEnglish.qm", "lngFrancais.qm"}) {
      ASSERT_TRUE(fs::is_regular_file(built_ / name))
          << name << " is missing beside the test: build the target velkor_languages";
    }
    root_ = fs::path(::testing::TempDir()) /
            (std::string("qm_catalog_") +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "home");
    fs::create_directories(root_ / "data");
  }
  void TearDown() override { fs::remove_all(root_); }

  void CopyBuilt(const std::string& from, const fs::path& to) {
    fs::copy_file(built_ / from, to, fs::copy_options::overwrite_existing);
  }
  static void Write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
  }

  std::unique_ptr<TextCatalog> LoadBuilt(const std::string& language) {
    QmTextCatalogLoader loader({built_});
    CatalogLoadResult result = loader.Load(language);
    EXPECT_EQ(result.status, CatalogLoadResult::Status::kLoaded) << result.message;
    return std::move(result.catalog);
  }

  fs::path built_;
  fs::path root_;
};

TEST_F(QmTextCatalogTest, AnswersTextIdsFromTheBuiltEnglishFile) {
  const std::unique_ptr<TextCatalog> english = LoadBuilt("English");
  ASSERT_NE(english, nullptr);
  EXPECT_EQ(english->GetResourceString(118), "Throttle angle (deg)");
  EXPECT_EQ(english->GetResourceString(127), "Start F2");
  EXPECT_EQ(english->GetResourceString(168), "ECU &identification");
  EXPECT_EQ(english->GetResourceString(174), "Reset to ");  // the value follows the blank
  EXPECT_EQ(english->GetResourceString(130), std::nullopt);
  EXPECT_EQ(english->GetResourceString(99999), std::nullopt);
}

// The French file must give back exactly the design captions (accents, accelerators, double
// blanks), and the English file must hold every id a window applies.
TEST_F(QmTextCatalogTest, BuiltFilesCoverEveryCaptionTheWindowsApply) {
  const std::unique_ptr<TextCatalog> francais = LoadBuilt("Francais");
  const std::unique_ptr<TextCatalog> english = LoadBuilt("English");
  ASSERT_NE(francais, nullptr);
  ASSERT_NE(english, nullptr);
  for (const auto& table : {MainWindowCaptions(), PreferencesCaptions()}) {
    for (const CaptionStep& step : table) {
      if (step.kind == CaptionStep::Kind::kFixed) continue;
      SCOPED_TRACE(step.id);
      EXPECT_EQ(francais->GetResourceString(step.id), std::string(step.text));
      EXPECT_TRUE(english->GetResourceString(step.id).has_value());
    }
  }
  for (int id : {501, 904, 905}) {
    EXPECT_TRUE(francais->GetResourceString(id).has_value()) << id;
    EXPECT_TRUE(english->GetResourceString(id).has_value()) << id;
  }
}

TEST_F(QmTextCatalogTest, TheHomeFolderComesBeforeTheDataFolder) {
  // A user's own English file in the home folder (here holding the French texts) wins.
  CopyBuilt("lngFrancais.qm", root_ / "home" / "lngEnglish.qm");
  CopyBuilt("lngEnglish.qm", root_ / "data" / "lngEnglish.qm");
  CopyBuilt("lngEnglish.qm", root_ / "data" / "lngItaliano.qm");
  QmTextCatalogLoader loader({root_ / "home", root_ / "data"});

  CatalogLoadResult english = loader.Load("English");
  ASSERT_EQ(english.status, CatalogLoadResult::Status::kLoaded);
  EXPECT_EQ(english.catalog->GetResourceString(118), "Angle Gaz (deg)");

  CatalogLoadResult italiano = loader.Load("Italiano");
  ASSERT_EQ(italiano.status, CatalogLoadResult::Status::kLoaded);
  EXPECT_EQ(italiano.catalog->GetResourceString(118), "Throttle angle (deg)");
}

TEST_F(QmTextCatalogTest, MissingDamagedAndUnsafeNames) {
  Write(root_ / "home" / "lngDeutch.qm", "not a language file");
  fs::create_directories(root_ / "data" / "lngNederlands.qm");  // a folder, not a file
  CopyBuilt("lngEnglish.qm", root_ / "lngOutside.qm");
  QmTextCatalogLoader loader({root_ / "home", root_ / "data", root_ / "nowhere"});
  struct Case {
    const char* language;
    CatalogLoadResult::Status status;
  };
  const Case cases[] = {
      {"Italiano", CatalogLoadResult::Status::kFileNotFound},
      {"Nederlands", CatalogLoadResult::Status::kFileNotFound},
      {"Deutch", CatalogLoadResult::Status::kFailed},
      {"", CatalogLoadResult::Status::kFileNotFound},
      {"/../../lngOutside", CatalogLoadResult::Status::kFileNotFound},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    const CatalogLoadResult result = loader.Load(c.language);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.catalog, nullptr);
    EXPECT_FALSE(result.message.empty());
  }
}

TEST_F(QmTextCatalogTest, ListsEachLanguageOnceAndSkipsBackups) {
  for (const char* name : {"lngEnglish.qm", "lngEnglish.qm~", "lngItaliano~.qm", "lng.qm",
                           "lngDeutch.ts", "readme.txt"}) {
    Write(root_ / "home" / name, "x");
  }
  for (const char* name : {"lngEnglish.qm", "lngFrancais.qm"}) Write(root_ / "data" / name, "x");
  fs::create_directories(root_ / "data" / "lngNederlands.qm");
  QmTextCatalogLoader loader({root_ / "home", root_ / "data", root_ / "nowhere"});
  EXPECT_THAT(loader.ListLanguageFiles(), ::testing::ElementsAre("English", "Francais"));
}

TEST_F(QmTextCatalogTest, LanguageUsesTheBuiltFiles) {
  QmTextCatalogLoader loader({root_ / "home", built_});
  Language language(loader);
  language.SetCurrent("English");
  ASSERT_EQ(language.LoadLanguage(), LanguageLoad::kLoaded);
  EXPECT_EQ(language.LookupText(126, "Commandes"), "Commands");
  EXPECT_EQ(language.LookupText(130, "design"), "design");
  language.SetCurrent("Nederlands");  // not installed: the French file takes its place
  ASSERT_EQ(language.LoadLanguage(), LanguageLoad::kLoaded);
  EXPECT_EQ(language.Current(), "Francais");
  EXPECT_EQ(language.LookupText(126, "x"), "Commandes");
}

}  // namespace
}  // namespace velkor
