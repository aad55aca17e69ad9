// The demo run on the real clock, message loop and timers, as the desktop program builds it:
// keys pressed during a run take effect at once, and a message box open during the run does not
// hold the measurements up.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>

#include "app/program_wiring.hpp"
#include "livedata/frmparam.hpp"
#include "ui/main_window_widget.hpp"
#include "ui/qt_dialogs.hpp"
#include "ui/trace_window.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;

class NoBeep : public Beeper {
 public:
  void Beep() override {}
};

class LiveRunWidgetTest : public ::testing::Test {
 protected:
  static std::filesystem::path FreshHome() {
    const auto home = std::filesystem::path(::testing::TempDir()) /
                      (std::string("live_run_") +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    // The demo M59, averaging over 12 passes, no automatic start.
    std::ofstream(home / "ecu.ini") << "[ECU]\r\nType=4\r\n[Menu]\r\nauto=0\r\n"
                                       "[Affichage]\r\nTempo=12\r\n";
    return home;
  }
  ~LiveRunWidgetTest() override {
    parts_.trace.Close();
    std::filesystem::remove_all(home_);
  }

  QAction* Action(std::string_view name) {
    return window_.findChild<QAction*>(QString::fromUtf8(name.data(), name.size()));
  }
  QString Label(std::string_view name) {
    return window_.findChild<QLabel*>(QString::fromUtf8(name.data(), name.size()))->text();
  }

  std::filesystem::path home_ = FreshHome();
  ProgramParts parts_{home_};
  QtDialogs dialogs_;
  NoBeep beeper_;
  ScreenModel model_;
  MainWindowWidget window_{model_};
  ProgramLogic logic_{WireProgram(parts_, FrontEnd{.window = model_,
                                                   .host = window_,
                                                   .dialogs = dialogs_,
                                                   .beeper = beeper_,
                                                   .version_suffix = "",
                                                   .acquire_single_instance = nullptr,
                                                   .open_document = nullptr})};
};

TEST_F(LiveRunWidgetTest, KeysActAtOnceAndAMessageBoxDoesNotStopTheRun) {
  dialogs_.SetParent(&window_);
  window_.SetLogic(&logic_.window);
  window_.SetInterfaceRunner([] { return InterfaceChoice{}; });
  parts_.link.TestMode = true;  // the demo ECU answers
  ASSERT_TRUE(logic_.window.StartUp());
  ASSERT_TRUE(parts_.link.TestMode);
  window_.show();
  window_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  ASSERT_EQ(Label(fp::ltempo), "12");

  QElapsedTimer clock;
  clock.start();
  int presses = 0;
  std::optional<qint64> last_press;
  std::optional<qint64> took_effect;
  std::set<QString> speeds_while_open;
  bool box_seen_open = false;

  // Ctrl+M nine times, 120 ms apart, once the run is going.
  QTimer keys;
  keys.setInterval(120);
  QObject::connect(&keys, &QTimer::timeout, [&] {
    QTest::keyClick(&window_, Qt::Key_M, Qt::ControlModifier);
    if (++presses == 9) {
      last_press = clock.elapsed();
      keys.stop();
    }
  });
  // Watches the averaging label, then opens the about box and watches the engine speed.
  QTimer watch;
  watch.setInterval(10);
  std::optional<qint64> box_opened;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (last_press && !took_effect && Label(fp::ltempo) == "3") took_effect = clock.elapsed();
    if (took_effect && !box_opened) {
      Action(fp::mnabout)->trigger();
      box_opened = clock.elapsed();
    }
    if (box_opened) {
      auto* box = window_.findChild<QMessageBox*>("aboutBox");
      if (box != nullptr && box->isVisible()) {
        box_seen_open = true;
        speeds_while_open.insert(Label(fp::Rmp));
      }
      if (clock.elapsed() - *box_opened > 2500) {
        if (box != nullptr) box->close();
        logic_.window.flags().StopRequest = true;
      }
    }
    if (clock.elapsed() > 20000) logic_.window.flags().StopRequest = true;  // never hang
  });
  QTimer::singleShot(300, [&] {
    keys.start();
    watch.start();
  });

  logic_.window.PressParameters();  // runs until StopRequest

  ASSERT_TRUE(last_press.has_value()) << presses << " presses during the run";
  ASSERT_TRUE(took_effect.has_value()) << "the averaging shows " << Label(fp::ltempo).toStdString();
  EXPECT_LE(*took_effect - *last_press, 500);
  EXPECT_TRUE(box_seen_open);
  // The demo's engine speed moves at every pass: several values while the box was open.
  EXPECT_GE(speeds_while_open.size(), 2u);
}

// The trace is offered in the help menu, not only when the program sends the user to it.
TEST_F(LiveRunWidgetTest, HelpMenuShowsTheTrace) {
  TraceWindow trace(&parts_.ini);
  window_.SetTraceWindow(&trace);
  ASSERT_NE(Action(fp::mnTrace), nullptr);
  EXPECT_FALSE(trace.isVisible());
  Action(fp::mnTrace)->trigger();
  EXPECT_TRUE(trace.isVisible());
}

}  // namespace
}  // namespace velkor
