// The status window as a user meets it: controls found by name showing a status read of test
// mode, its place in ecu.ini, and a screenshot for review.
#include "ui/status_window.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/ctime_it.hpp"
#include "core/trace_log.hpp"
#include "platform/qm_text_catalog.hpp"
#include "platform/real_file_system.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"
#include "ui/link_lamp.hpp"
#include "ui/screenshot.hpp"
#include "ui/twips.hpp"
#include "ui/window_placement.hpp"

namespace velkor {
namespace {

namespace fs = frmStatuts;

std::filesystem::path FreshFolder() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("velkor_status_window_" + std::to_string(::getpid()) + "_" +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

class StatusWindowTest : public ::testing::Test {
 protected:
  StatusWindowTest() { link_.EcuType = Iaw59M5AM; }
  ~StatusWindowTest() override { std::filesystem::remove_all(folder_); }

  void WriteIni(const std::string& text) { std::ofstream(store_.File(), std::ios::binary) << text; }

  template <typename T>
  T* Find(StatusWindow& window, std::string_view name) {
    T* found = window.findChild<T*>(QString::fromUtf8(name.data(), int(name.size())));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  const std::filesystem::path folder_ = FreshFolder();
  RealFileSystem file_system_;
  IniStore store_{folder_ / "ecu.ini", file_system_};
  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  CTimeIt watch_{clock_};
  TraceLog trace_{watch_};
  LinkState link_;
  Exchange exchange_{link_, clock_, loop_, *reply_timer_, trace_};
  QmTextCatalogLoader loader_{{}};  // no language file: the built-in texts
  Language language_{loader_};
  ScreenModel model_;
  EngineStatus status_{model_, {exchange_, link_, clock_, loop_, language_}};
};

TEST_F(StatusWindowTest, StatusReadLoadsTheWindowHiddenAndFillsItsControls) {
  StatusWindow window(model_, &store_);
  status_.SetHost(&window);
  EXPECT_EQ(window.objectName(), "frmStatuts");
  EXPECT_FALSE(window.Loaded());

  link_.TestMode = true;
  status_.ReadStatus();
  EXPECT_TRUE(window.Loaded());
  EXPECT_FALSE(window.isVisible());

  EXPECT_EQ(window.windowTitle(), "Statuts");
  EXPECT_EQ(Find<QGroupBox>(window, fs::FrEngine)->title(), "Moteur/Engine");
  EXPECT_EQ(Find<QGroupBox>(window, fs::frInjection)->title(), "Injection");
  EXPECT_NE(Find<QGroupBox>(window, fs::FrChassis), nullptr);
  EXPECT_EQ(Find<QLabel>(window, fs::lbstatut9)->text(), "Clutch handle");
  EXPECT_TRUE(Find<QLabel>(window, fs::lbstatut2)->isHidden());

  const struct {
    std::string_view box;
    const char* text;
  } texts[] = {
      {fs::txStatutMotor, "Engine ON"},
      {fs::txModeMotor, "Minimo al Crank"},
      {fs::txBequille, "Rentrée"},
      {fs::txEmbrayage, "Released"},
      {fs::txTPS, "Minimum"},
      {fs::txRunStop, "Run"},
      {fs::txDemarrage, "Ready"},
      {fs::txRichesse, "Pauvre"},
      {fs::txNeutral, ""},
  };
  for (const auto& t : texts) {
    auto* box = Find<QLineEdit>(window, t.box);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QString::fromUtf8(t.text)) << t.box;
    EXPECT_TRUE(box->isReadOnly()) << t.box;
  }
  const struct {
    std::string_view lamp;
    int colour;
  } lamps[] = {{fs::ShBequille, kLampGreen},
               {fs::shEmbrayage, kLampRed},
               {fs::shNeutral, kLampRed},
               {fs::ShRunStop, kLampGreen},
               {fs::ShDemarrage, kLampGreen}};
  for (const auto& l : lamps) {
    auto* lamp = Find<LinkLamp>(window, l.lamp);
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(lamp->Colour(), l.colour) << l.lamp;
  }

  status_.ShowWindow();
  EXPECT_TRUE(window.isVisible());
  window.Unload();
}

TEST_F(StatusWindowTest, PlacedFromTheStoredTwips) {
  const struct {
    const char* ini;
    int top, left;
  } cases[] = {
      {"", 1000, 6000},
      {"[POSITIONS]\r\nStatutsTop=1440\r\nStatutsLeft=2880\r\n", 1440, 2880},
      {"[Positions]\r\nstatutstop=-300\r\nStatutsLeft=-1\r\n", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ini);
    WriteIni(c.ini);
    StatusWindow window(model_, &store_);
    window.Load();
    // Brought on the test's screen, as every window's place is.
    const QPoint wanted(TwipsToPixels(c.left, LogicalDpiX(window)),
                        TwipsToPixels(c.top, LogicalDpiY(window)));
    EXPECT_EQ(window.pos(), FramePositionOnScreens(QRect(wanted, window.frameGeometry().size()),
                                                   TitleBarHeight(window), AvailableScreenAreas()));
  }
}

TEST_F(StatusWindowTest, UnloadingWritesThePlace) {
  WriteIni("[POSITIONS]\r\nStatutsTop=1001\r\nStatutsLeft=607\r\n[ECU]\r\nType=4\r\n");
  {
    // Never loaded: nothing to write when the program ends.
    StatusWindow window(model_, &store_);
  }
  EXPECT_EQ(store_.GetProfileString("POSITIONS", "StatutsLeft", "", 255), "607");

  {
    // Loaded but never moved: written back exactly as read, though it falls between pixels.
    StatusWindow window(model_, &store_);
    window.Load();
    window.Unload();
    EXPECT_EQ(store_.GetProfileString("POSITIONS", "StatutsTop", "", 255), "1001");
    EXPECT_EQ(store_.GetProfileString("POSITIONS", "StatutsLeft", "", 255), "607");
  }

  {
    StatusWindow window(model_, &store_);
    window.Show();
    window.move(101, 47);
    window.close();
    EXPECT_FALSE(window.Loaded());
    EXPECT_EQ(store_.GetProfileInt("POSITIONS", "StatutsLeft", -1),
              PixelsToTwips(101, LogicalDpiX(window)));
    EXPECT_EQ(store_.GetProfileInt("POSITIONS", "StatutsTop", -1),
              PixelsToTwips(47, LogicalDpiY(window)));
  }

  int expected_left = 0;
  {
    // Loaded by a status read, never shown, still loaded when the program ends.
    StatusWindow window(model_, &store_);
    window.Load();
    window.move(30, 20);
    expected_left = PixelsToTwips(30, LogicalDpiX(window));
  }
  EXPECT_EQ(store_.GetProfileInt("POSITIONS", "StatutsLeft", -1), expected_left);
  EXPECT_EQ(store_.GetProfileInt("ECU", "Type", -1), 4);
}

TEST_F(StatusWindowTest, Screenshot) {
  StatusWindow window(model_, nullptr);
  status_.SetHost(&window);
  link_.TestMode = true;
  status_.ReadStatus();
  window.resize(window.sizeHint());
  const QString path =
      QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots/status_window.png");
  EXPECT_TRUE(SaveScreenshot(window, path));
}

TEST_F(StatusWindowTest, ScreenshotInEnglish) {
  QmTextCatalogLoader english_files({QCoreApplication::applicationDirPath().toStdString()});
  Language english(english_files);
  english.SetCurrent("English");
  ASSERT_EQ(english.LoadLanguage(), LanguageLoad::kLoaded) << english.LastError();
  ScreenModel model;
  EngineStatus status(model, {exchange_, link_, clock_, loop_, english});
  StatusWindow window(model, nullptr);
  status.SetHost(&window);
  link_.TestMode = true;
  status.ReadStatus();
  EXPECT_EQ(window.windowTitle(), "Status");
  EXPECT_EQ(Find<QGroupBox>(window, fs::FrEngine)->title(), "Engine");
  window.resize(window.sizeHint());
  const QString path = QCoreApplication::applicationDirPath() +
                       QStringLiteral("/../screenshots/status_window_en.png");
  EXPECT_TRUE(SaveScreenshot(window, path));
}

}  // namespace
}  // namespace velkor
