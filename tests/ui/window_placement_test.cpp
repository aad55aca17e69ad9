// Windows placed from ecu.ini: the stored place is the frame's corner, and the whole title bar
// ends up on a screen present now.
#include "ui/window_placement.hpp"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "core/screen_model.hpp"
#include "ui/main_window_widget.hpp"
#include "ui/twips.hpp"

namespace velkor {
namespace {

constexpr int kTitle = 30;

TEST(FramePositionOnScreensTest, TitleBarComesBackOnAScreenPresentNow) {
  // A laptop's screen with a panel at the bottom, and a smaller monitor to its right.
  const QRect laptop(0, 0, 1920, 1050);
  const QRect monitor(1920, 0, 1280, 1024);
  // One to the left of the main screen, in negative coordinates.
  const QRect left_monitor(-1280, 0, 1280, 1024);
  const QSize size(600, 400);
  const struct {
    const char* name;
    QPoint wanted;
    QList<QRect> screens;
    QPoint placed;
  } cases[] = {
      {"inside stays", {300, 200}, {laptop}, {300, 200}},
      {"top-left corner stays", {0, 0}, {laptop}, {0, 0}},
      {"title bar above the screen", {100, -20}, {laptop}, {100, 0}},
      {"left of the screen", {-250, 100}, {laptop}, {0, 100}},
      {"far right", {30000, 100}, {laptop}, {1320, 100}},
      {"title bar below the panel", {100, 1040}, {laptop}, {100, 1020}},
      {"window below, title bar on screen", {100, 900}, {laptop}, {100, 900}},
      {"on the monitor present", {2200, 300}, {laptop, monitor}, {2200, 300}},
      {"on a monitor gone", {2200, 300}, {laptop}, {1320, 300}},
      {"across both screens", {1700, 300}, {laptop, monitor}, {1700, 300}},
      {"below the shorter monitor", {2200, 1030}, {laptop, monitor}, {2200, 994}},
      {"title bar half below the shorter monitor", {1700, 1010}, {laptop, monitor}, {1320, 1010}},
      {"on a monitor left of the main one", {-1000, 50}, {laptop, left_monitor}, {-1000, 50}},
      {"beyond the left monitor", {-5000, 50}, {laptop, left_monitor}, {-1280, 50}},
      {"no screen at all", {-5000, -50}, {}, {-5000, -50}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FramePositionOnScreens(QRect(c.wanted, size), kTitle, c.screens), c.placed);
  }
}

TEST(FramePositionOnScreensTest, FrameWiderThanTheScreenKeepsItsLeftEdgeOnIt) {
  const QRect screen(0, 0, 1024, 768);
  EXPECT_EQ(FramePositionOnScreens(QRect(400, 100, 1300, 500), kTitle, {screen}), QPoint(0, 100));
  EXPECT_EQ(FramePositionOnScreens(QRect(-400, 100, 1300, 500), kTitle, {screen}), QPoint(0, 100));
}

// The main window as the program opens it, under the offscreen platform (one screen, frames two
// pixels thick all round).
class MainWindowPlacementTest : public ::testing::Test {
 protected:
  QRect Screen() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

  // Placed from the stored twips, shown, and given the turns the check after showing takes.
  void PlaceAndShow(MainWindowWidget& window, int top, int left) {
    window.PlaceWindow(top, left);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(500);
  }

  ScreenModel model_;
};

TEST_F(MainWindowPlacementTest, StoredPlaceIsTheFramesCorner) {
  const struct {
    const char* name;
    int top, left;       // twips, as ecu.ini holds them
    bool created_first;  // the window exists before it is placed (a dialog used it as parent)
  } cases[] = {
      {"0,0", 0, 0, false},
      {"0,0 on a window that exists", 0, 0, true},
      {"a little in", 1500, 750, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindowWidget window(model_);
    window.resize(300, 200);
    if (c.created_first) window.winId();
    PlaceAndShow(window, c.top, c.left);
    const QPoint wanted = TwipsToPixels(QPoint(c.left, c.top), window);
    EXPECT_EQ(window.frameGeometry().topLeft(), wanted);
    EXPECT_GT(window.geometry().top(), window.frameGeometry().top());  // the frame is above
    // Read back as it was stored (these twips fall on whole pixels).
    EXPECT_EQ(window.CurrentPosition().top, c.top);
    EXPECT_EQ(window.CurrentPosition().left, c.left);
  }
}

TEST_F(MainWindowPlacementTest, StoredPlaceOffTheScreenComesBack) {
  const struct {
    const char* name;
    int top, left;
  } cases[] = {
      {"far right", 1500, 200000},
      {"far below", 200000, 1500},
      {"far right and below", 200000, 200000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindowWidget window(model_);
    window.resize(300, 200);
    PlaceAndShow(window, c.top, c.left);
    const QRect frame = window.frameGeometry();
    const QRect title(frame.left(), frame.top(), frame.width(), TitleBarHeight(window));
    EXPECT_TRUE(Screen().contains(title)) << frame.x() << "," << frame.y();
  }
}

}  // namespace
}  // namespace velkor
