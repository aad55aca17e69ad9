// The windows that move something on the motorcycle, as a user meets them: the test panel of
// FrmDTC59, the commands of frmerreur, frmTrimmer15, and the main window's trimmer and stepper
// frames. Each widget shows what its model says (controls found by their names) and sends the
// user's actions, and only those, to the program's logic.
//
// Screenshots go to the folder named by VELKOR_SCREENSHOTS, else to the build's screenshots/.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <cstdlib>
#include <ostream>
#include <string>

#include "adjust/trimmer_15m_controls.hpp"
#include "app/program_windows.hpp"
#include "config/settings_keys.hpp"
#include "diagnostics/fault_window_1516.hpp"
#include "diagnostics/fault_window_59.hpp"
#include "livedata/frmparam.hpp"
#include "platform/qm_text_catalog.hpp"
#include "platform/real_file_system.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"
#include "ui/bar_graph.hpp"
#include "ui/fault_window_1516.hpp"
#include "ui/fault_window_59.hpp"
#include "ui/link_lamp.hpp"
#include "ui/main_window_widget.hpp"
#include "ui/screenshot.hpp"
#include "ui/trimmer_15m_window.hpp"

// Failures print the text, not its characters one by one.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace velkor {
namespace {

namespace fd = FrmDTC59;
namespace fe = frmerreur;
namespace ft = frmTrimmer15;
namespace fp = frmparam;
using std::chrono::milliseconds;
using std::chrono::seconds;

// Platform colour values (0xBBGGRR).
constexpr int kRed = 255;
constexpr int kGreen = 65280;
constexpr int kBlue = 16711680;
constexpr int kYellow = 65535;

QString ScreenshotPath(const char* name) {
  const char* folder = std::getenv("VELKOR_SCREENSHOTS");
  const QString base =
      folder != nullptr && *folder != '\0'
          ? QString::fromLocal8Bit(folder)
          : QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots");
  return base + QLatin1Char('/') + QString::fromLatin1(name);
}

template <typename T>
T* Find(QWidget& window, std::string_view name) {
  T* found = window.findChild<T*>(QString::fromUtf8(name.data(), int(name.size())));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

// No two visible children of `window` that are not nested in each other overlap, and each lies
// inside its parent: nothing cut off, no text over another.
void ExpectNoOverlap(QWidget& window) {
  const QList<QWidget*> all = window.findChildren<QWidget*>();
  QList<QWidget*> shown;
  for (QWidget* w : all) {
    const QString name = w->objectName();
    if (w->isVisibleTo(&window) && !name.isEmpty() && !name.startsWith(QLatin1String("qt_")) &&
        !w->isWindow()) {
      shown.append(w);
    }
  }
  for (QWidget* w : shown) {
    const QRect inside = w->parentWidget()->rect();
    EXPECT_TRUE(inside.contains(w->geometry()))
        << w->objectName().toStdString() << " is cut off by its frame";
  }
  for (int i = 0; i < shown.size(); ++i) {
    for (int j = i + 1; j < shown.size(); ++j) {
      QWidget* a = shown[i];
      QWidget* b = shown[j];
      if (a->isAncestorOf(b) || b->isAncestorOf(a)) continue;
      const QRect ra(a->mapTo(&window, QPoint(0, 0)), a->size());
      const QRect rb(b->mapTo(&window, QPoint(0, 0)), b->size());
      EXPECT_FALSE(ra.intersects(rb))
          << a->objectName().toStdString() << " overlaps " << b->objectName().toStdString();
    }
  }
}

// ---- What each window shows ------------------------------------------------------------------

TEST(ActuatorWindowsModel, TheTestPanelShowsTheRunningTest) {
  ScreenModel model;
  FaultWindow59Widget window(model, nullptr);
  model.SetItems(fd::ComboChoixTest, {"Compte Tour", "Pompe à essence", "Bobine 1"});
  model.SetValue(fd::ComboChoixTest, 1);
  model.SetEnabled(fd::ComboChoixTest, false);
  model.SetText(fd::CdeStartTest, "Arrêter le test");
  model.SetText(fd::LDescription, "Vérifiez que vous entendez la pompe à essence.\r\nTest OK");
  model.SetRange(fd::ProgressBar1, 0, 30000);
  model.SetValue(fd::ProgressBar1, 12000);
  model.SetColour(fd::ProgressBar1, kBlue);
  model.SetText(fd::LMax, "30s");
  model.SetText(fd::lbCaution,
                "Caution\rThe Reset TPS is not described in the Workshop Manual of M59");
  model.SetVisible(fd::frConfirm, false);

  auto* list = Find<QComboBox>(window, fd::ComboChoixTest);
  EXPECT_EQ(list->count(), 3);
  EXPECT_EQ(list->currentText(), "Pompe à essence");
  EXPECT_FALSE(list->isEnabled());
  EXPECT_EQ(Find<QPushButton>(window, fd::CdeStartTest)->text(), "Arrêter le test");
  EXPECT_EQ(Find<QLabel>(window, fd::LDescription)->text(),
            "Vérifiez que vous entendez la pompe à essence.\nTest OK");
  auto* bar = Find<BarGraph>(window, fd::ProgressBar1);
  EXPECT_EQ(bar->Maxi(), 30000);
  EXPECT_EQ(bar->Percent(), 40);
  EXPECT_EQ(bar->FillColor(), QColor(0, 0, 255));
  EXPECT_EQ(Find<QLabel>(window, fd::LMax)->text(), "30s");
  EXPECT_EQ(Find<QLabel>(window, fd::lbCaution)->text(),
            "Caution\nThe Reset TPS is not described in the Workshop Manual of M59");
  EXPECT_TRUE(Find<QGroupBox>(window, fd::frConfirm)->isHidden());
  window.Load();
  window.show();
  ExpectNoOverlap(window);
  auto* caution = Find<QLabel>(window, fd::lbCaution);
  EXPECT_GE(caution->height(), caution->heightForWidth(caution->width()));
  EXPECT_TRUE(SaveScreenshot(window, ScreenshotPath("fault_window_59_caution.png")));

  // The list refilled with the same entries keeps them; another choice is shown.
  model.SetItems(fd::ComboChoixTest, {"Compte Tour", "Pompe à essence", "Bobine 1", "Bobine 2"});
  model.SetValue(fd::ComboChoixTest, 3);
  EXPECT_EQ(list->currentText(), "Bobine 2");
}

TEST(ActuatorWindowsModel, TheDialogueShowsSentStepsLeftAndAnswersRight) {
  ScreenModel model;
  FaultWindow1516Widget window(model, nullptr);
  model.SetText(fe::frdialogue, "Test Pompe (30s)");
  model.SetText(fe::lenvoie[0], "Mode Diag");
  model.SetText(fe::lrecu[0], "Prêt");
  model.SetEnabled(fe::frcde, false);
  window.Load();
  window.show();
  EXPECT_EQ(Find<QGroupBox>(window, fe::frdialogue)->title(), "Test Pompe (30s)");
  auto* sent = Find<QLabel>(window, fe::lenvoie[0]);
  auto* received = Find<QLabel>(window, fe::lrecu[0]);
  EXPECT_EQ(sent->text(), "Mode Diag");
  EXPECT_EQ(received->text(), "Prêt");
  EXPECT_LT(sent->geometry().right(), received->geometry().left());
  for (std::string_view name : fe::cddiag) {
    EXPECT_FALSE(Find<QPushButton>(window, name)->isEnabled()) << name;
  }
}

TEST(ActuatorWindowsModel, TheTrimmer15WindowShowsItsValuesAndStatusDisc) {
  ScreenModel model;
  Trimmer15MWindow window(model, nullptr);
  model.SetText(ft::kWindow, "Test Trimmer 15M");
  model.SetText(ft::frRPM, "RPM");
  model.SetText(ft::lbRPM, "1,250");
  model.SetText(ft::lbTrim, "1");
  model.SetText(ft::cdTrim0, "Trim + 1");
  model.SetEnabled(ft::frTrimPlus, false);
  window.Load();
  window.show();
  EXPECT_EQ(window.windowTitle(), "Test Trimmer 15M");
  EXPECT_EQ(Find<QGroupBox>(window, ft::frRPM)->title(), "RPM");
  EXPECT_EQ(Find<QLabel>(window, ft::lbRPM)->text(), "1,250");
  EXPECT_EQ(Find<QPushButton>(window, ft::cdTrim0)->text(), "Trim + 1");
  EXPECT_FALSE(Find<QPushButton>(window, ft::cdTrim1)->isEnabled());

  // The disc takes each colour the logic gives it; the window keeps its size whatever the status
  // line says.
  const QSize size = window.size();
  auto* disc = Find<LinkLamp>(window, ft::shStatut);
  const struct {
    int colour;
    const char* status;
  } steps[] = {{kRed, "It's not possible to Change Trimmer when Mesures are in action"},
               {kGreen, "ECU Ready if Motor ON"},
               {kBlue, "<== New Value, Continue, Save or Abord"},
               {kYellow, "Save passed, only if Motor was ON"}};
  for (const auto& step : steps) {
    model.SetColour(ft::shStatut, step.colour);
    model.SetText(ft::lbTrimStaut, step.status);
    QCoreApplication::processEvents();
    EXPECT_EQ(disc->Colour(), step.colour);
    EXPECT_EQ(Find<QLabel>(window, ft::lbTrimStaut)->text(), step.status);
    EXPECT_EQ(window.size(), size) << step.status;
  }
  // The longest status in two lines, the whole of it on show.
  model.SetText(ft::lbTrimStaut, steps[0].status);
  auto* status = Find<QLabel>(window, ft::lbTrimStaut);
  EXPECT_GE(status->height(), status->heightForWidth(status->width()));
}

// ---- The whole program on the demo ECU, in virtual time --------------------------------------

// Calls `on_beep` at each beep: the 15M/16M commands beep at each step of their dialogue.
class StepBeeper : public Beeper {
 public:
  void Beep() override {
    ++beeps;
    if (on_beep) on_beep(beeps);
  }
  int beeps = 0;
  std::function<void(int)> on_beep;
};

class ProgramWindowsTest : public ::testing::Test {
 protected:
  static std::filesystem::path FreshHome() {
    const auto home = std::filesystem::path(::testing::TempDir()) /
                      (std::string("actuator_windows_") +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    return home;
  }
  ProgramWindowsTest() { exchange_.SetKeepAliveTimer(keep_alive_.get()); }
  ~ProgramWindowsTest() override {
    windows_.reset();
    logic_.reset();
    trace_.Close();
    std::filesystem::remove_all(home_);
  }

  // The program started in test mode (the demo ECU answers) on family `ecu_type`, in French.
  void Start(int ecu_type, bool trimmer_and_stepper = false) {
    WriteSetting(ini_, ini_keys::kAffichageLangue, std::string("Francais"));
    WriteSetting(ini_, ini_keys::kEcuType, ecu_type);
    WriteSetting(ini_, ini_keys::kMenuAuto, 0);
    WriteSetting(ini_, ini_keys::kMesuresTrimmer, trimmer_and_stepper);
    WriteSetting(ini_, ini_keys::kMesuresMoteurPP, trimmer_and_stepper);
    logic_ = std::make_unique<ProgramLogic>(ProgramServices{
        .front = FrontEnd{.window = model_,
                          .host = main_,
                          .dialogs = dialogs_,
                          .beeper = beeper_,
                          .version_suffix = " - 1.2.3",
                          .acquire_single_instance = nullptr,
                          .open_document = nullptr},
        .ini = ini_,
        .files = files_,
        .clock = clock_,
        .loop = loop_,
        .trace = trace_,
        .stopwatch = stopwatch_,
        .language = language_,
        .link = link_,
        .exchange = exchange_,
        .keep_alive = *keep_alive_,
        .progress = *tempo_,
        .timers = timers_,
        .home = home_,
    });
    main_.SetLogic(&logic_->window);
    main_.SetInterfaceRunner([this] {
      link_.TestMode = true;
      InterfaceChoice choice;
      choice.panel4 = "USB";
      return choice;
    });
    windows_ = std::make_unique<ProgramWindows>(*logic_, main_, &ini_);
    ASSERT_TRUE(logic_->window.StartUp());
    main_.resize(main_.sizeHint());
  }
  // F2: the demo ECU's session.
  void OpenSession() {
    Find<QPushButton>(main_, fp::cdintialisation)->click();
    ASSERT_FALSE(logic_->session.EcuName().empty());
  }

  std::filesystem::path home_ = FreshHome();
  RealFileSystem files_;
  IniStore ini_{EcuIniPath(home_), files_};
  sim::VirtualClock clock_;
  sim::VirtualEventLoop loop_{clock_};
  sim::VirtualTimerService timers_{clock_};
  std::unique_ptr<Timer> reply_timer_ = timers_.CreateTimer();
  std::unique_ptr<Timer> keep_alive_ = timers_.CreateTimer();
  std::unique_ptr<Timer> tempo_ = timers_.CreateTimer();
  CTimeIt stopwatch_{clock_};
  TraceLog trace_{stopwatch_};
  LinkState link_;
  Exchange exchange_{link_, clock_, loop_, *reply_timer_, trace_};
  sim::ScriptedDialogs dialogs_;
  QmTextCatalogLoader loader_{{QCoreApplication::applicationDirPath().toStdString()}};
  Language language_{loader_};
  StepBeeper beeper_;
  ScreenModel model_;
  MainWindowWidget main_{model_};
  std::unique_ptr<ProgramLogic> logic_;
  std::unique_ptr<ProgramWindows> windows_;
};

// The 5AM's test panel: a test chosen, started (the bar fills in blue), stopped; the two resets.
TEST_F(ProgramWindowsTest, FaultWindow59TestsGoToTheLogic) {
  Start(Iaw59M5AM);
  OpenSession();
  FaultWindow59Widget& window = windows_->faults_59;
  ASSERT_TRUE(logic_->diagnostics.OpenFaults59());
  ASSERT_TRUE(window.isVisible());

  auto* list = Find<QComboBox>(window, fd::ComboChoixTest);
  auto* start = Find<QPushButton>(window, fd::CdeStartTest);
  ASSERT_EQ(list->count(), 9);
  EXPECT_EQ(list->itemText(1), "Pompe à essence");
  EXPECT_FALSE(start->isEnabled());
  emit list->activated(1);  // the user picks the fuel pump
  EXPECT_EQ(Find<QLabel>(window, fd::LDescription)->text(),
            "Vérifiez que vous entendez la pompe à essence.");
  EXPECT_EQ(Find<QLabel>(window, fd::LMax)->text(), "30s");
  ASSERT_TRUE(start->isEnabled());

  start->click();
  EXPECT_EQ(start->text(), "Arrêter le test");
  EXPECT_TRUE(Find<QLabel>(window, fd::LDescription)->text().endsWith("\nTest OK"));
  EXPECT_FALSE(list->isEnabled());
  auto* bar = Find<BarGraph>(window, fd::ProgressBar1);
  EXPECT_TRUE(loop_.RunUntil([&] { return bar->Percent() >= 40; }, seconds(20)));
  EXPECT_EQ(bar->FillColor(), QColor(0, 0, 255));
  window.resize(window.sizeHint().expandedTo(window.size()));
  ExpectNoOverlap(window);
  EXPECT_TRUE(SaveScreenshot(window, ScreenshotPath("fault_window_59_tests.png")));

  start->click();  // stops it
  EXPECT_EQ(start->text(), "Lancer le test");
  EXPECT_EQ(bar->Percent(), 0);
  EXPECT_TRUE(list->isEnabled());

  // The throttle-sensor reset asks first; cancelled, nothing more happens.
  dialogs_.answer = false;
  const std::size_t asked = dialogs_.questions.size();
  Find<QPushButton>(window, fd::cdresetTPS)->click();
  EXPECT_EQ(dialogs_.questions.size(), asked + 1);
  EXPECT_TRUE(Find<QGroupBox>(window, fd::frConfirm)->isHidden());
  EXPECT_TRUE(Find<QGroupBox>(window, fd::frResetM5)->isEnabled());

  // The 5AM's service reset runs its 7 s.
  auto* service = Find<QPushButton>(window, fd::cdService);
  ASSERT_TRUE(service->isEnabledTo(&window));
  EXPECT_TRUE(Find<QLabel>(window, fd::lbCaution)->isHidden());
  dialogs_.answer = true;
  service->click();
  const QString description = Find<QLabel>(window, fd::LDescription)->text();
  EXPECT_TRUE(description.contains("Wait 7sec")) << description.toStdString();
  EXPECT_EQ(Find<QLabel>(window, fd::LMax)->text(), "7s");
}

// The 16M's commands: each button runs its own command; the dialogue fills in as it goes.
TEST_F(ProgramWindowsTest, Faults1516CommandsGoToTheLogic) {
  Start(Iaw16M);
  FaultWindow1516Widget& window = windows_->faults_1516;
  ASSERT_TRUE(logic_->diagnostics.OpenFaults1516());
  ASSERT_TRUE(window.isVisible());
  EXPECT_EQ(Find<QPushButton>(window, fe::cddiag[2])->text(), "Test Pompe Essence");
  Find<QPushButton>(window, fe::cderreur)->click();  // the faults read first, as a user would
  beeper_.beeps = 0;

  // Mid-dialogue, at the beep that follows "Commande lancée": looked at as the user sees it.
  bool seen = false;
  beeper_.on_beep = [&](int beep) {
    if (beep != 4 || seen) return;
    seen = true;
    EXPECT_EQ(Find<QGroupBox>(window, fe::frdialogue)->title(), "Test Pompe (30s)");
    EXPECT_EQ(Find<QLabel>(window, fe::lenvoie[1])->text(), "Commande lancée");
    EXPECT_EQ(Find<QLabel>(window, fe::lrecu[1])->text(), "Test en cours");
    EXPECT_FALSE(Find<QGroupBox>(window, fe::frcde)->isEnabled());
    ExpectNoOverlap(window);
    EXPECT_TRUE(SaveScreenshot(window, ScreenshotPath("fault_window_1516_commands.png")));
  };
  Find<QPushButton>(window, fe::cddiag[2])->click();
  EXPECT_TRUE(seen);
  EXPECT_EQ(Find<QLabel>(window, fe::lenvoie[2])->text(), "Test OK");
  EXPECT_TRUE(Find<QGroupBox>(window, fe::frcde)->isEnabled());

  // The clearing: the demo echoes the command byte, neither FF nor EE, so it stops at
  // "Test terminé".
  beeper_.on_beep = nullptr;
  Find<QPushButton>(window, fe::cddiag[0])->click();
  EXPECT_TRUE(Find<QGroupBox>(window, fe::frdialogue)
                  ->title()
                  .startsWith("Effacement mémoire/Clear memory"));
  EXPECT_EQ(Find<QLabel>(window, fe::lrecu[2])->text(), "Test terminé");
  EXPECT_NE(Find<QLabel>(window, fe::lenvoie[2])->text(), "Test OK");
}

// The 5AM on the demo ECU with the trimmer and the stepper measures on: the trimmer frame and
// the stepper frame as they show during the measurements, and where each control's action goes.
TEST_F(ProgramWindowsTest, MainWindowTrimmerAndStepperGoToTheLogic) {
  Start(Iaw59M5AM, /*trimmer_and_stepper=*/true);
  OpenSession();
  // The stepper's measure, which the start-up switched off before the session named the 5AM.
  auto* stepper_frame = Find<QGroupBox>(main_, fp::frMoteurPP);
  ASSERT_TRUE(stepper_frame->isVisibleTo(&main_));
  if (!Find<QLabel>(main_, fp::lbMoteurPP)->isEnabled()) {
    QTest::mouseDClick(stepper_frame, Qt::LeftButton);
  }
  auto* scroll = Find<QScrollBar>(main_, fp::HScrollTrimmer);
  auto* value = Find<QLabel>(main_, fp::lbTrimmer);
  EXPECT_EQ(scroll->minimum(), -127);
  EXPECT_EQ(scroll->maximum(), 127);
  EXPECT_EQ(Find<QLabel>(main_, fp::lbHintF6)->text(), "F6 = - 1");
  EXPECT_EQ(Find<QLabel>(main_, fp::lbHintF7)->text(), "F7 = + 1");
  EXPECT_EQ(Find<QCheckBox>(main_, fp::chMoteur)->text(), "test Moteur");
  EXPECT_EQ(Find<QAction>(main_, fp::mnPlus)->shortcut(), QKeySequence(Qt::Key_F7));
  EXPECT_EQ(Find<QAction>(main_, fp::mnMoinsUn)->shortcut(), QKeySequence(Qt::Key_F6));
  EXPECT_EQ(Find<QAction>(main_, fp::mnTrim15M)->shortcut(), QKeySequence(Qt::Key_F8));

  bool seen = false;
  logic_->hooks.SetOnSample([&](const LiveSample&) {
    if (logic_->cycle.Iteration() != 3 || seen) return;
    seen = true;
    logic_->window.flags().StopRequest = true;  // this pass is the last, whatever fails below
    EXPECT_TRUE(Find<QGroupBox>(main_, fp::FrChgTrimmer)->isVisibleTo(&main_));
    ASSERT_TRUE(Find<QGroupBox>(main_, fp::FrChgTrimmer)->isEnabled());
    EXPECT_TRUE(Find<QGroupBox>(main_, fp::frMoteurPP)->isVisibleTo(&main_));
    EXPECT_EQ(Find<QLabel>(main_, fp::lbMoteurPP)->text(), "150");
    EXPECT_TRUE(SaveScreenshot(main_, ScreenshotPath("main_window_trimmer_stepper.png")));

    // The user's move is the user's choice; the model's value mirrored is not.
    scroll->setValue(12);
    EXPECT_EQ(model_.Value(fp::HScrollTrimmer), 12);
    EXPECT_EQ(value->text(), "12");
    model_.SetValue(fp::HScrollTrimmer, -20);
    EXPECT_EQ(scroll->value(), -20);
    EXPECT_EQ(value->text(), "12") << "a value the model set came back as the user's";
    model_.SetValue(fp::HScrollTrimmer, 12);

    Find<QAction>(main_, fp::mnPlus)->trigger();  // F7
    EXPECT_EQ(scroll->value(), 13);
    Find<QAction>(main_, fp::mnMoinsUn)->trigger();  // F6
    Find<QAction>(main_, fp::mnMoinsUn)->trigger();
    EXPECT_EQ(scroll->value(), 11);
    Find<QPushButton>(main_, fp::cdTrimmer)->click();  // back to the session's value
    EXPECT_EQ(scroll->value(), 9);

    dialogs_.answer = true;
    Find<QPushButton>(main_, fp::CdMemorise)->click();
    EXPECT_FALSE(Find<QPushButton>(main_, fp::CdMemorise)->isEnabled());

    auto* stepper = Find<QPushButton>(main_, fp::cdMoteurPP);
    ASSERT_TRUE(stepper->isEnabled());
    stepper->click();
    EXPECT_FALSE(stepper->isEnabled());

    Find<QCheckBox>(main_, fp::chMoteur)->click();
    EXPECT_TRUE(model_.Checked(fp::chMoteur));
    EXPECT_FALSE(Find<QGroupBox>(main_, fp::FrChgTrimmer)->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>(main_, fp::chMoteur)->isEnabled()) << "the box can be cleared";
  });
  Find<QPushButton>(main_, fp::cdparametre)->click();
  EXPECT_TRUE(seen);
  logic_->hooks.SetOnSample({});
}

// The 15M's trimmer window: opened from the main window, each button to its own command, the
// disc following the steps, the title bar's close leaving as "Abord - Exit" does.
TEST_F(ProgramWindowsTest, Trimmer15ButtonsGoToTheLogic) {
  Start(Iaw15M);
  Trimmer15MWindow& window = windows_->trimmer15;
  auto* open = Find<QPushButton>(main_, fp::cdTrimer15);
  ASSERT_TRUE(open->isVisibleTo(&main_));
  open->click();
  ASSERT_TRUE(window.isVisible());
  EXPECT_TRUE(logic_->trimmer15.IsOpen());
  EXPECT_EQ(window.windowTitle(), "Test Trimmer 15M");
  const QSize size = window.size();

  // Measuring until the user presses "Stop".
  auto* measures = Find<QPushButton>(window, ft::cdMesures);
  bool measured = false;
  loop_.After(seconds(1), [&] {
    measured = true;
    logic_->window.flags().StopRequest = true;  // never runs on, whatever fails below
    EXPECT_EQ(measures->text(), "Stop");
    EXPECT_EQ(Find<QLabel>(window, ft::lbRPM)->text(), "360");
    EXPECT_FALSE(Find<QGroupBox>(window, ft::frExec)->isEnabled());
    measures->click();
  });
  measures->click();
  EXPECT_TRUE(measured);
  EXPECT_EQ(measures->text(), "Mesures");
  EXPECT_TRUE(Find<QGroupBox>(window, ft::frExec)->isEnabled());

  Find<QPushButton>(window, ft::cdAA)->click();  // Run
  EXPECT_TRUE(logic_->trimmer15.InTrimmerMode());
  EXPECT_EQ(Find<LinkLamp>(window, ft::shStatut)->Colour(), kGreen);
  EXPECT_TRUE(Find<QGroupBox>(window, ft::frTrimPlus)->isEnabled());
  const std::optional<int> before = logic_->trimmer15.Raw();
  Find<QPushButton>(window, ft::cdTrim0)->click();  // Trim + 1
  ASSERT_TRUE(before.has_value());
  EXPECT_EQ(logic_->trimmer15.Raw(), *before + 1);
  EXPECT_EQ(Find<LinkLamp>(window, ft::shStatut)->Colour(), kBlue);
  EXPECT_TRUE(Find<QPushButton>(window, ft::cdSave)->isEnabled());
  EXPECT_EQ(window.size(), size);
  ExpectNoOverlap(window);
  EXPECT_TRUE(SaveScreenshot(window, ScreenshotPath("trimmer_15m.png")));
  Find<QPushButton>(window, ft::cdTrim1)->click();  // Trim - 1
  EXPECT_EQ(logic_->trimmer15.Raw(), before);
  Find<QPushButton>(window, ft::cdSave)->click();
  EXPECT_FALSE(logic_->trimmer15.InTrimmerMode());
  EXPECT_EQ(Find<LinkLamp>(window, ft::shStatut)->Colour(), kYellow);

  Find<QPushButton>(window, ft::cdFin)->click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(logic_->trimmer15.IsOpen());

  // F8 opens it again; its title bar closes it as the exit button does.
  Find<QAction>(main_, fp::mnTrim15M)->trigger();
  ASSERT_TRUE(window.isVisible());
  window.close();
  EXPECT_FALSE(logic_->trimmer15.IsOpen());
}

}  // namespace
}  // namespace velkor
