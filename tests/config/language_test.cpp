#include "config/language.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/ctime_it.hpp"
#include "core/screen_model.hpp"
#include "core/trace_log.hpp"

namespace velkor {
namespace {

using Texts = std::map<int, std::string>;

class MapCatalog : public TextCatalog {
 public:
  explicit MapCatalog(Texts texts) : texts_(std::move(texts)) {}
  std::optional<std::string> GetResourceString(int id) const override {
    const auto it = texts_.find(id);
    if (it == texts_.end()) return std::nullopt;
    return it->second;
  }

 private:
  Texts texts_;
};

// Language files in memory: a name with texts loads, a name listed in `broken` is a file that
// exists but cannot be used, any other name is not found.
class MapLoader : public TextCatalogLoader {
 public:
  CatalogLoadResult Load(std::string_view language) override {
    requested.emplace_back(language);
    CatalogLoadResult result;
    if (broken.count(std::string(language)) != 0) {
      result.status = CatalogLoadResult::Status::kFailed;
      result.message = "damaged";
    } else if (const auto it = files.find(std::string(language)); it != files.end()) {
      result.status = CatalogLoadResult::Status::kLoaded;
      result.catalog = std::make_unique<MapCatalog>(it->second);
    }
    return result;
  }
  std::vector<std::string> ListLanguageFiles() const override {
    std::vector<std::string> names;
    for (const auto& [name, texts] : files) names.push_back(name);
    for (const std::string& name : broken) names.push_back(name);
    return names;
  }

  std::map<std::string, Texts> files;
  std::set<std::string> broken;
  std::vector<std::string> requested;
};

// Id 1 of every file in these tests holds the language's own name, so LookupText(1, ...) tells
// which file is in use.
constexpr int kWhichFile = 1;
constexpr std::string_view kBuiltIn = "built-in";

void AddFiles(MapLoader& loader, const std::vector<std::string>& names) {
  for (const std::string& name : names) loader.files[name] = {{kWhichFile, name}};
}

TEST(LookupText, FallsBackToTheBuiltInTextUnlessTheFileHasARealText) {
  struct Case {
    const char* what;
    bool loaded;
    Texts texts;
    std::string expected;
  };
  const Case cases[] = {
      {"no language loaded", false, {{7, "Seven"}}, "built-in"},
      {"text present", true, {{7, "Seven"}}, "Seven"},
      {"empty text", true, {{7, ""}}, "built-in"},
      {"a single blank", true, {{7, " "}}, "built-in"},
      {"two blanks are a text", true, {{7, "  "}}, "  "},
      {"id missing", true, {{8, "Eight"}}, "built-in"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MapLoader loader;
    loader.files["English"] = c.texts;
    Language language(loader);
    language.SetCurrent("English");
    if (c.loaded) {
      ASSERT_EQ(language.LoadLanguage(), LanguageLoad::kLoaded);
    }
    EXPECT_EQ(language.LookupText(7, kBuiltIn), c.expected);
  }
}

TEST(LoadLanguage, NamesMissingFilesAndFailures) {
  const std::vector<std::string> all = {"Francais", "English", "Italiano", "Deutch", "Nederlands"};
  struct Case {
    const char* what;
    std::vector<std::string> files;
    std::set<std::string> broken;
    std::string previous;  // loaded first when not empty
    std::string name;
    LanguageLoad result;
    std::string current;
    std::string in_use;  // LookupText(kWhichFile, kBuiltIn) afterwards
  };
  const Case cases[] = {
      {"Francais", all, {}, "", "Francais", LanguageLoad::kLoaded, "Francais", "Francais"},
      {"English", all, {}, "", "English", LanguageLoad::kLoaded, "English", "English"},
      {"Italiano", all, {}, "", "Italiano", LanguageLoad::kLoaded, "Italiano", "Italiano"},
      {"Deutch", all, {}, "", "Deutch", LanguageLoad::kLoaded, "Deutch", "Deutch"},
      {"Nederlands", all, {}, "", "Nederlands", LanguageLoad::kLoaded, "Nederlands", "Nederlands"},
      {"an unknown name is never looked for",
       {"Francais", "Klingon"},
       {},
       "",
       "Klingon",
       LanguageLoad::kLoaded,
       "Francais",
       "Francais"},
      {"a known name with different case is unknown",
       all,
       {},
       "",
       "english",
       LanguageLoad::kLoaded,
       "Francais",
       "Francais"},
      {"missing file falls back to Francais",
       {"Francais"},
       {},
       "",
       "English",
       LanguageLoad::kLoaded,
       "Francais",
       "Francais"},
      {"Francais missing too: reported, built-in texts",
       {},
       {},
       "",
       "English",
       LanguageLoad::kFallbackFailed,
       "Francais",
       "built-in"},
      {"Francais missing too: the earlier file stays",
       {"Italiano"},
       {},
       "Italiano",
       "English",
       LanguageLoad::kFallbackFailed,
       "Francais",
       "Italiano"},
      {"Francais damaged in the fallback",
       {},
       {"Francais"},
       "",
       "English",
       LanguageLoad::kFallbackFailed,
       "Francais",
       "built-in"},
      {"damaged file: false, the earlier file stays",
       {"Italiano"},
       {"English"},
       "Italiano",
       "English",
       LanguageLoad::kFailed,
       "English",
       "Italiano"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MapLoader loader;
    AddFiles(loader, c.files);
    loader.broken = c.broken;
    Language language(loader);
    if (!c.previous.empty()) {
      language.SetCurrent(c.previous);
      ASSERT_EQ(language.LoadLanguage(), LanguageLoad::kLoaded);
    }
    loader.requested.clear();
    language.SetCurrent(c.name);
    EXPECT_EQ(language.LoadLanguage(), c.result);
    EXPECT_EQ(language.Current(), c.current);
    EXPECT_EQ(language.LookupText(kWhichFile, kBuiltIn), c.in_use);
    EXPECT_THAT(loader.requested, ::testing::Not(::testing::Contains("Klingon")));
    EXPECT_EQ(language.LastError().empty(), c.result == LanguageLoad::kLoaded);
  }
}

class StartUpLanguageTest : public ::testing::Test {
 protected:
  class StillClock : public Clock {
   public:
    std::chrono::nanoseconds Now() const override { return {}; }
    void Pause(double) override {}
  };

  void SetUp() override {
    path_ = std::filesystem::path(::testing::TempDir()) /
            (std::string("language_") +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log");
    ASSERT_TRUE(trace_.Open(path_));
  }
  void TearDown() override {
    trace_.Close();
    std::filesystem::remove(path_);
  }
  std::string TraceText() {
    trace_.Close();
    std::ifstream in(path_, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  StillClock clock_;
  CTimeIt stopwatch_{clock_};
  TraceLog trace_{stopwatch_};
  std::filesystem::path path_;
  MapLoader loader_;
  Language language_{loader_};
};

TEST_F(StartUpLanguageTest, WithoutAnyLanguageFileAsksInTheTraceAndKeepsBuiltInTexts) {
  EXPECT_EQ(language_.StartUpLanguage("English", trace_), LanguageLoad::kFallbackFailed);
  EXPECT_EQ(language_.Current(), "Francais");
  EXPECT_FALSE(language_.HasCatalog());
  EXPECT_EQ(language_.LookupText(118, "Angle Gaz (deg)"), "Angle Gaz (deg)");
  EXPECT_EQ(TraceText(),
            "Connect the PC to web, disconnect the Velkor-USB device\r\n"
            "Connectez le PC à internet et débranchez l'interface USB du Velkor\r\n"
            "Connetti il PC ad internet e disinserisci l'interfaccia USB dello Velkor\r\n"
            "\r\n"
            "\r\n");
}

TEST_F(StartUpLanguageTest, StoredNameIsCutAtItsFirstNul) {
  AddFiles(loader_, {"Francais", "English"});
  using namespace std::string_view_literals;
  EXPECT_EQ(language_.StartUpLanguage("English\0\0\0junk"sv, trace_), LanguageLoad::kLoaded);
  EXPECT_EQ(language_.Current(), "English");
  EXPECT_EQ(language_.LookupText(kWhichFile, kBuiltIn), "English");
  EXPECT_EQ(TraceText(), "");
}

TEST_F(StartUpLanguageTest, ADamagedFileFallsBackToFrancaisWithoutTraceLines) {
  AddFiles(loader_, {"Francais"});
  loader_.broken = {"English"};
  EXPECT_EQ(language_.StartUpLanguage("English", trace_), LanguageLoad::kLoaded);
  EXPECT_EQ(language_.Current(), "Francais");
  EXPECT_EQ(language_.LookupText(kWhichFile, kBuiltIn), "Francais");
  EXPECT_EQ(TraceText(), "");
}

TEST_F(StartUpLanguageTest, OnlyAMachineWithoutAnyLanguageFileSendsTheUserToTheTrace) {
  struct Case {
    const char* what;
    std::vector<std::string> files;
    std::set<std::string> broken;
    const char* stored;
    bool notice;
  };
  const Case cases[] = {
      {"no file at all", {}, {}, "English", true},
      {"unknown name, Francais present", {"Francais"}, {}, "Klingon", false},
      {"stored file missing, another present", {"Francais"}, {}, "English", false},
      {"a damaged file is still a file", {}, {"English"}, "English", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MapLoader loader;
    AddFiles(loader, c.files);
    loader.broken = c.broken;
    Language language(loader);
    TraceList window;
    trace_.SetSink(&window);
    int notices = 0;
    std::size_t lines_before_notice = 0;
    language.StartUpLanguage(c.stored, trace_, [&] {
      ++notices;
      lines_before_notice = window.Lines().size();
    });
    trace_.SetSink(nullptr);
    EXPECT_EQ(notices, c.notice ? 1 : 0);
    // The request in three languages and its two empty lines are there to be read.
    if (c.notice) {
      EXPECT_EQ(lines_before_notice, 5u);
    }
    EXPECT_EQ(language.Current(), "Francais");
  }
}

// The main window as it is designed, before any language is applied.
ScreenModel DesignedMainWindow() {
  ScreenModel window;
  for (const CaptionStep& step : MainWindowCaptions()) {
    if (step.kind == CaptionStep::Kind::kCaption)
      window.SetText(step.control, std::string(step.text));
  }
  window.SetText("frmparam", "Velkor");
  window.SetText("Chenregistre", "Excel");
  window.SetText("CdReInit", "Ré-Initialisation");
  return window;
}

class ApplyLanguageTest : public ::testing::Test {
 protected:
  void Use(const std::string& name, Texts texts) {
    loader_.files[name] = std::move(texts);
    language_.SetCurrent(name);
    ASSERT_EQ(language_.LoadLanguage(), LanguageLoad::kLoaded);
  }

  static constexpr std::string_view kSuffix = " - 3.1.0";
  const Texts english_ = {{101, "Velkor EN"}, {118, "Throttle angle (deg)"},
                          {126, "Commands"},  {127, "Start F2"},
                          {158, "Store"},     {401, "Settings"},
                          {413, "Pressure"}};
  MapLoader loader_;
  Language language_{loader_};
};

TEST_F(ApplyLanguageTest, SetsCaptionsFixedTextsAndTitle) {
  ScreenModel window = DesignedMainWindow();
  Use("English", english_);
  language_.ApplyLanguage(window, kSuffix);
  EXPECT_EQ(window.Text("Frgaz"), "Throttle angle (deg)");
  EXPECT_EQ(window.Text("cdintialisation"), "Start F2");
  EXPECT_EQ(window.Text("CdMemorise"), "Store");
  EXPECT_EQ(window.Text("Frrmp"), "RMP (tr/mn)");  // not in the file: the design caption stays
  EXPECT_EQ(window.Text("Chenregistre"), "Excel");
  EXPECT_EQ(window.Text("CdReInit"), "Re-Init");
  EXPECT_EQ(window.Text("frmparam"), "Velkor EN - 3.1.0");
}

TEST_F(ApplyLanguageTest, ABlankTextKeepsTheCurrentCaption) {
  ScreenModel window = DesignedMainWindow();
  Use("Italiano", {{118, " "}});
  language_.ApplyLanguage(window, kSuffix);
  EXPECT_EQ(window.Text("Frgaz"), "Angle Gaz (deg)");
}

TEST_F(ApplyLanguageTest, ATextMissingFromTheNewLanguageKeepsThePreviousLanguage) {
  ScreenModel window = DesignedMainWindow();
  Use("English", english_);
  language_.ApplyLanguage(window, kSuffix);
  Use("Italiano", {{118, "Angolo farfalla (deg)"}});
  language_.ApplyLanguage(window, kSuffix);
  EXPECT_EQ(window.Text("frcde"), "Commands");
  EXPECT_EQ(window.Text("Frgaz"), "Angolo farfalla (deg)");
}

TEST_F(ApplyLanguageTest, TheVersionSuffixIsAppendedOnceHoweverOftenApplied) {
  struct Case {
    const char* what;
    Texts texts;
    std::string main_title;
    std::string preferences_title;
  };
  const Case cases[] = {
      {"the language has the titles", english_, "Velkor EN - 3.1.0", "Settings - 3.1.0"},
      {"the language lacks them", {{118, "x"}}, "Velkor - 3.1.0", "Paramétrages - 3.1.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScreenModel window = DesignedMainWindow();
    ScreenModel preferences;
    preferences.SetText("frmchoix", "Paramétrages");
    Use("English", c.texts);
    for (int i = 0; i < 2; ++i) {
      language_.ApplyPreferencesLanguage(preferences, kSuffix);
      language_.ApplyLanguage(window, kSuffix);
    }
    EXPECT_EQ(window.Text("frmparam"), c.main_title);
    EXPECT_EQ(preferences.Text("frmchoix"), c.preferences_title);
  }
}

TEST_F(ApplyLanguageTest, ControlsTheWindowLacksAreSkipped) {
  ScreenModel window;
  window.SetText("Frgaz", "Angle Gaz (deg)");
  ScreenModel preferences;
  preferences.SetText("frPression", "Pression");
  preferences.SetText("ChPression", "Pression");
  Use("English", english_);
  language_.ApplyLanguage(window, kSuffix);
  language_.ApplyPreferencesLanguage(preferences, kSuffix);
  EXPECT_EQ(window.Text("Frgaz"), "Throttle angle (deg)");
  EXPECT_EQ(window.Controls().size(), 1u);  // no title, no fixed texts, nothing created
  // One text id serves both pressure controls.
  EXPECT_EQ(preferences.Text("frPression"), "Pressure");
  EXPECT_EQ(preferences.Text("ChPression"), "Pressure");
  EXPECT_EQ(preferences.Controls().size(), 2u);
}

}  // namespace
}  // namespace velkor
