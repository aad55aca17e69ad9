#include "ui/trace_window.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QListWidget>
#include <QWidget>
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/ini_store.hpp"
#include "platform/real_file_system.hpp"
#include "ui/twips.hpp"
#include "ui/window_placement.hpp"

namespace velkor {
namespace {

// ---- Twips --------------------------------------------------------------------------------------

struct TwipsCase {
  int twips;
  double dpi;
  int pixels;
};

class TwipsToPixelsCases : public ::testing::TestWithParam<TwipsCase> {};

TEST_P(TwipsToPixelsCases, RoundsToTheNearestPixel) {
  const TwipsCase& c = GetParam();
  EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(Cases, TwipsToPixelsCases,
                         ::testing::Values(TwipsCase{1440, 96, 96}, TwipsCase{3500, 96, 233},
                                           TwipsCase{8500, 96, 567}, TwipsCase{7, 96, 0},
                                           TwipsCase{8, 96, 1}, TwipsCase{-1440, 120, -120},
                                           TwipsCase{1440, 144, 144},
                                           // No usable resolution: 96 per inch.
                                           TwipsCase{1440, 0, 96}, TwipsCase{1440, -5, 96},
                                           TwipsCase{INT_MAX, 96, 143165576}));

struct PixelsCase {
  int pixels;
  double dpi;
  int twips;
};

class PixelsToTwipsCases : public ::testing::TestWithParam<PixelsCase> {};

TEST_P(PixelsToTwipsCases, RoundsToTheNearestTwip) {
  const PixelsCase& c = GetParam();
  EXPECT_EQ(PixelsToTwips(c.pixels, c.dpi), c.twips);
}

INSTANTIATE_TEST_SUITE_P(Cases, PixelsToTwipsCases,
                         ::testing::Values(PixelsCase{233, 96, 3495}, PixelsCase{1, 96, 15},
                                           PixelsCase{96, 144, 960}, PixelsCase{-10, 96, -150},
                                           PixelsCase{1, 0, 15},
                                           // A value no int can hold saturates.
                                           PixelsCase{INT_MAX, 96, INT_MAX},
                                           PixelsCase{INT_MIN, 96, INT_MIN}));

// ---- The list ---------------------------------------------------------------------------------

std::string Line(int n) { return "line " + std::to_string(n); }

void AppendLines(TraceWindow& window, int first, int count) {
  for (int n = first; n < first + count; ++n) window.AppendTraceLine(Line(n));
}

TEST(TraceWindow, IsAHiddenWindowNamedAfterItsControls) {
  TraceWindow window;
  EXPECT_EQ(window.objectName(), QStringLiteral("frmTrace"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Trace"));
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.findChild<QListWidget*>(QStringLiteral("ltTrace")), window.List());
}

TEST(TraceWindow, AppendsLinesAsTheyCome) {
  TraceWindow window;
  window.AppendTraceLine("Température 85 °C");
  window.AppendTraceLine("");
  ASSERT_EQ(window.List()->count(), 2);
  EXPECT_EQ(window.List()->item(0)->text(), QStringLiteral("Température 85 °C"));
  EXPECT_EQ(window.List()->item(1)->text(), QString());
}

struct ScrollCase {
  int lines;
  std::size_t top_index;
};

class TraceWindowScroll : public ::testing::TestWithParam<ScrollCase> {};

// Up to ten lines the list stays at its top; past that the tenth line from the end is the first
// visible one (the 11th line brings the 2nd to the top).
TEST_P(TraceWindowScroll, FirstVisibleLineIsTheTenthFromTheEnd) {
  TraceWindow window;
  AppendLines(window, 1, GetParam().lines);
  EXPECT_EQ(window.TopIndex(), GetParam().top_index);
}

INSTANTIATE_TEST_SUITE_P(Cases, TraceWindowScroll,
                         ::testing::Values(ScrollCase{1, 0}, ScrollCase{10, 0}, ScrollCase{11, 1},
                                           ScrollCase{12, 2}, ScrollCase{40, 30}));

// Lines added while the window is hidden are scrolled into place once it shows, and later lines
// keep scrolling the shown list.
TEST(TraceWindow, ShownListStartsAtTheTenthLineFromTheEnd) {
  TraceWindow window;
  AppendLines(window, 0, 30);
  QListWidget& list = *window.List();
  // Fewer than ten rows fit, so the rule is not cut short by the end of the list.
  window.resize(300, 5 * list.sizeHintForRow(0) + 2 * list.frameWidth());
  window.show();
  QApplication::processEvents();
  EXPECT_EQ(list.indexAt(QPoint(2, 2)).row(), 20);

  AppendLines(window, 30, 5);
  QApplication::processEvents();
  EXPECT_EQ(list.indexAt(QPoint(2, 2)).row(), 25);
  window.hide();
}

TEST(TraceWindow, KeepsOnlyTheNewestLines) {
  TraceWindow window;
  const int total = static_cast<int>(TraceWindow::kMaxLines) + 3;
  AppendLines(window, 0, total);
  QListWidget& list = *window.List();
  ASSERT_EQ(static_cast<std::size_t>(list.count()), TraceWindow::kMaxLines);
  EXPECT_EQ(list.item(0)->text().toStdString(), Line(3));
  EXPECT_EQ(list.item(list.count() - 1)->text().toStdString(), Line(total - 1));
  EXPECT_EQ(window.TopIndex(), TraceWindow::kMaxLines - 10);
}

// ---- The position in ecu.ini ------------------------------------------------------------------

std::filesystem::path FreshFolder() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("velkor_trace_window_" + std::to_string(::getpid()) + "_" +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

class TraceWindowPosition : public ::testing::Test {
 protected:
  // The stored place in pixels, brought on the test's screen as every window's is.
  static QPoint OnScreen(const QWidget& window, int top, int left) {
    const QPoint wanted(TwipsToPixels(left, LogicalDpiX(window)),
                        TwipsToPixels(top, LogicalDpiY(window)));
    return FramePositionOnScreens(QRect(wanted, window.frameGeometry().size()),
                                  TitleBarHeight(window), AvailableScreenAreas());
  }

  ~TraceWindowPosition() override { std::filesystem::remove_all(folder_); }

  void WriteIni(const std::string& text) { std::ofstream(store_.File(), std::ios::binary) << text; }

  const std::filesystem::path folder_ = FreshFolder();
  RealFileSystem file_system_;
  IniStore store_{folder_ / "ecu.ini", file_system_};
};

TEST_F(TraceWindowPosition, MissingKeysGiveTheDefaultPlace) {
  TraceWindow window(&store_);
  EXPECT_EQ(window.pos(), OnScreen(window, 3500, 8500));
}

TEST_F(TraceWindowPosition, StoredTwipsAreConvertedAtTheLogicalResolution) {
  WriteIni("[Positions]\r\ntracetop=1440\r\nTraceLeft=2880\r\n");
  TraceWindow window(&store_);
  EXPECT_EQ(window.pos(), QPoint(TwipsToPixels(2880, LogicalDpiX(window)),
                                 TwipsToPixels(1440, LogicalDpiY(window))));
}

TEST_F(TraceWindowPosition, PlaceOffTheScreensComesBackOnOne) {
  WriteIni("[POSITIONS]\r\nTraceTop=1440\r\nTraceLeft=-2880\r\n");
  TraceWindow window(&store_);
  EXPECT_EQ(window.pos(), OnScreen(window, 1440, -2880));
  EXPECT_EQ(window.pos().x(), AvailableScreenAreas().front().left());
}

TEST_F(TraceWindowPosition, ClosingWritesTheNewPlaceInWholeTwips) {
  WriteIni("[ECU]\r\nType=2\r\n");
  TraceWindow window(&store_);
  window.move(101, 47);
  window.close();
  EXPECT_EQ(store_.GetProfileInt("POSITIONS", "TraceLeft", -1),
            PixelsToTwips(101, LogicalDpiX(window)));
  EXPECT_EQ(store_.GetProfileInt("POSITIONS", "TraceTop", -1),
            PixelsToTwips(47, LogicalDpiY(window)));
  EXPECT_EQ(store_.GetProfileInt("ECU", "Type", -1), 2);
}

// Twips that fall between two pixels would drift a little on every save; an unmoved window
// writes back what it read.
TEST_F(TraceWindowPosition, UnmovedWindowWritesBackWhatItRead) {
  WriteIni("[POSITIONS]\r\nTraceTop=3501\r\nTraceLeft=1507\r\n");
  TraceWindow window(&store_);
  ASSERT_TRUE(window.SavePosition());
  EXPECT_EQ(store_.GetProfileString("POSITIONS", "TraceTop", "", 255), "3501");
  EXPECT_EQ(store_.GetProfileString("POSITIONS", "TraceLeft", "", 255), "1507");
}

TEST_F(TraceWindowPosition, SaveFailsWithoutAStoreOrAWritableFolder) {
  TraceWindow without_store;
  EXPECT_FALSE(without_store.SavePosition());

  IniStore nowhere(folder_ / "missing" / "ecu.ini", file_system_);
  TraceWindow window(&nowhere);
  EXPECT_FALSE(window.SavePosition());
  window.close();  // still closes
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace velkor
