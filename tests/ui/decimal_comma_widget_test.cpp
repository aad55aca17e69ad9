// The main window measuring on a desktop whose decimal mark is a comma. QApplication takes the C
// locale from the desktop, so everything that wrote numbers through it (snprintf, strtod) changed
// with it: 4346 rpm showed as "4 ,34" and the title's rate as "4.,".
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <string>

#include "c_locale_scope.hpp"
#include "config/settings_keys.hpp"
#include "livedata/family_decoder.hpp"
#include "platform/qm_text_catalog.hpp"
#include "platform/real_file_system.hpp"
#include "session/live_data_hooks.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"
#include "ui/main_window_widget.hpp"
#include "ui/screenshot.hpp"

namespace velkor {
namespace {

namespace fp = frmparam;
using testing_support::ScopedCLocale;

class NoBeep : public Beeper {
 public:
  void Beep() override {}
};

class DecimalCommaWidgetTest : public ::testing::TestWithParam<const char*> {
 protected:
  static std::filesystem::path FreshHome() {
    const auto home = std::filesystem::path(::testing::TempDir()) /
                      (std::string("decimal_comma_widget_") + std::string(GetParam(), 2));
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    return home;
  }
  ~DecimalCommaWidgetTest() override { std::filesystem::remove_all(home_); }

  template <typename T>
  T* Find(std::string_view name) {
    T* found = widget_.findChild<T*>(QString::fromUtf8(name.data(), int(name.size())));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  // Set first, restored last: the whole window lives under the desktop's locale.
  ScopedCLocale locale_{GetParam()};
  std::filesystem::path home_ = FreshHome();
  RealFileSystem files_;
  IniStore ini_{EcuIniPath(home_), files_};
  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  std::unique_ptr<Timer> tempo_ = timers_.CreateTimer();
  CTimeIt stopwatch_{clock_};
  TraceLog trace_{stopwatch_};
  LinkState link_;
  Exchange exchange_{link_, clock_, loop_, *reply_timer_, trace_};
  sim::ScriptedDialogs dialogs_;
  QmTextCatalogLoader loader_{{home_, QCoreApplication::applicationDirPath().toStdString()}};
  Language language_{loader_};
  ScreenModel model_;
  MainWindowWidget widget_{model_};
  MainWindow logic_{model_,
                    MainWindowServices{ini_, link_, exchange_, clock_, trace_, stopwatch_, dialogs_,
                                       language_, home_, " - 1.2.3", [] { return HomeAccess{}; }},
                    widget_, *tempo_};
};

// Every value frame shows its pattern with a period, the way the window writes it whatever the
// desktop, and the title shows the loop's rate and period.
TEST_P(DecimalCommaWidgetTest, ValueFramesAndTitleKeepTheirPatterns) {
  ASSERT_TRUE(locale_.active());
  widget_.SetLogic(&logic_);
  widget_.SetInterfaceRunner([this] {
    link_.TestMode = true;
    InterfaceChoice choice;
    choice.panel4 = "USB";
    return choice;
  });
  ASSERT_TRUE(logic_.StartUp());
  widget_.resize(widget_.sizeHint());

  FamilyDecoder decoder(exchange_, link_, clock_);
  LiveDataHooks hooks(model_, link_);
  NoBeep beep;
  MeasurementCycle cycle(MeasurementCycleServices{model_, logic_.flags(), link_, decoder, clock_,
                                                  loop_, trace_, language_, hooks, beep,
                                                  logic_.settings(), " - 1.2.3"});
  logic_.SetMeasurement({&cycle, nullptr, nullptr, {}});

  const struct {
    std::string_view label;
    const char* pattern;
  } frames[] = {
      {fp::Rmp, R"(\d{1,3}( \d{3})*)"},  // "# ##0": a blank before the thousands
      {fp::Potar, R"(-?\d+\.\d)"},       // "0.0"
      {fp::Injection, R"(\d+\.\d\d)"},   // "0.00"
      {fp::Avance, R"(-?\d+\.\d)"},      // "0.0"
      {fp::Pression, R"(\d*)"},          // "###"
      {fp::Air, R"(-?\d+(\.\d+)?)"},     // the plain number
      {fp::Eau, R"(-?\d+(\.\d+)?)"},     // the plain number
      {fp::Tension, R"(\d+\.\d)"},       // "0.0"
  };
  int seen = 0;
  hooks.SetOnSample([&](const LiveSample&) {
    for (const auto& frame : frames) {
      const QString text = Find<QLabel>(frame.label)->text();
      const QRegularExpression whole(QRegularExpression::anchoredPattern(frame.pattern));
      EXPECT_TRUE(whole.match(text).hasMatch()) << frame.label << " shows \"" << text.toStdString()
                                                << "\" at iteration " << cycle.Iteration();
    }
    const QString title = widget_.windowTitle();
    EXPECT_TRUE(QRegularExpression(R"(^Velkor - 1\.2\.3  \(\d+\.\d Hz\)D=\d+\.\d{3} s$)")
                    .match(title)
                    .hasMatch())
        << title.toStdString();
    if (++seen == 5) {
      const QString folder = QCoreApplication::applicationDirPath() + "/../screenshots/";
      EXPECT_TRUE(SaveScreenshot(
          widget_, folder + "main_window_live_" + QString::fromLatin1(GetParam(), 5) + ".png"));
      Find<QPushButton>(fp::cdparametre)->click();
    }
  });
  Find<QPushButton>(fp::cdparametre)->click();
  EXPECT_EQ(seen, 5);
}

INSTANTIATE_TEST_SUITE_P(Desktops, DecimalCommaWidgetTest,
                         ::testing::Values(testing_support::kFrenchLocale,
                                           testing_support::kGermanLocale),
                         [](const auto& param_info) { return std::string(param_info.param, 2); });

}  // namespace
}  // namespace velkor
