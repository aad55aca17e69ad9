// The identification window and the two fault windows as a user meets them: the logic of each
// runs its read in test mode, the widget shows it (controls found by their names), forwards the
// user's clicks and scroll-bar moves, keeps its place in ecu.ini, and leaves a screenshot for
// review.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/ctime_it.hpp"
#include "core/trace_log.hpp"
#include "diagnostics/fault_window_1516.hpp"
#include "diagnostics/fault_window_59.hpp"
#include "diagnostics/identification.hpp"
#include "platform/qm_text_catalog.hpp"
#include "platform/real_file_system.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/virtual_clock.hpp"
#include "sim/virtual_event_loop.hpp"
#include "ui/bar_graph.hpp"
#include "ui/fault_window_1516.hpp"
#include "ui/fault_window_59.hpp"
#include "ui/identification_window.hpp"
#include "ui/link_lamp.hpp"
#include "ui/screenshot.hpp"
#include "ui/twips.hpp"
#include "ui/window_placement.hpp"

namespace velkor {
namespace {

namespace fi = frmIdentification;
namespace fe = frmerreur;
namespace fd = FrmDTC59;

constexpr int kWhite = 0xFFFFFF;

std::filesystem::path FreshFolder() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("velkor_diagnostic_windows_" + std::to_string(::getpid()) + "_" +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

QString Screenshot(const char* name) {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots/") +
         QString::fromLatin1(name);
}

class NoBeep : public Beeper {
 public:
  void Beep() override {}
};

class DiagnosticWindowsTest : public ::testing::Test {
 protected:
  DiagnosticWindowsTest() { link_.TestMode = true; }
  ~DiagnosticWindowsTest() override { std::filesystem::remove_all(folder_); }

  DiagnosticsServices Services(const Language& language) {
    return {exchange_, link_, clock_, loop_, trace_, language, dialogs_, beep_};
  }
  // The language file `name` beside the test, loaded into `language`.
  static void LoadFile(Language& language, const char* name) {
    language.SetCurrent(name);
    ASSERT_EQ(language.LoadLanguage(), LanguageLoad::kLoaded) << language.LastError();
  }
  void WriteIni(const std::string& text) { std::ofstream(store_.File(), std::ios::binary) << text; }

  template <typename T>
  static T* Find(QWidget& window, std::string_view name) {
    T* found = window.findChild<T*>(QString::fromUtf8(name.data(), int(name.size())));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  static std::string LabelText(QWidget& window, std::string_view name) {
    QLabel* label = Find<QLabel>(window, name);
    return label == nullptr ? "(none)" : label->text().toStdString();
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
  sim::ScriptedDialogs dialogs_;
  NoBeep beep_;
  QmTextCatalogLoader no_files_{{}};  // the built-in texts
  Language built_in_{no_files_};
  QmTextCatalogLoader files_{{QCoreApplication::applicationDirPath().toStdString()}};
  Language english_{files_};
  Language francais_{files_};
  ScreenModel model_;
};

TEST_F(DiagnosticWindowsTest, IdentificationShowsTheDemoRecordAndForwardsItsButtons) {
  link_.EcuType = Iaw59M5AM;
  Identification logic(model_, Services(built_in_));
  IdentificationWindow window(model_, nullptr);
  int logged = 0;
  int quit = 0;
  window.SetOnClick(fi::cdLOG, [&] { ++logged; });
  window.SetOnClick(fi::cdquitter, [&] { ++quit; });
  EXPECT_EQ(logic.Load(), DiagnosticOutcome::kDone);

  EXPECT_EQ(window.objectName(), "frmIdentification");
  EXPECT_EQ(window.windowTitle(), "Identification de l'ECU");
  EXPECT_EQ(LabelText(window, fi::lbMarelli), "Marelli Number : IAW59MHW010");
  EXPECT_EQ(LabelText(window, fi::lbDate), "Programming Date : 20030828");
  for (std::size_t k = 0; k < fi::kLineCount; ++k) {
    EXPECT_EQ(LabelText(window, fi::kLines[k]), logic.Lines()[k]) << fi::kLines[k];
  }
  Find<QPushButton>(window, fi::cdLOG)->click();
  Find<QPushButton>(window, fi::cdquitter)->click();
  EXPECT_EQ(logged, 1);
  EXPECT_EQ(quit, 1);

  window.Load();
  EXPECT_TRUE(SaveScreenshot(window, Screenshot("identification_m59.png")));
}

TEST_F(DiagnosticWindowsTest, Faults1516ShowTheRowsAndTheDecodedLinesBesideTheCommands) {
  link_.EcuType = Iaw16M;
  FaultWindow1516 logic(model_, Services(built_in_));
  FaultWindow1516Widget window(model_, nullptr);
  int reads = 0;
  window.SetOnClick(fe::cderreur, [&] { ++reads; });
  logic.Load(" - 1.2.3");
  EXPECT_EQ(logic.Read(), DiagnosticOutcome::kDone);

  EXPECT_EQ(window.windowTitle(), "Diagnostic - 1.2.3");
  for (int row : kFaultRows) EXPECT_EQ(LabelText(window, fe::rdef[row]), "03") << row;
  EXPECT_EQ(LabelText(window, fe::rdef[fe::kStatusRow]), "48");
  EXPECT_EQ(LabelText(window, fe::ldef[0]), "Capteurs");
  EXPECT_EQ(Find<QGroupBox>(window, fe::frpresent)->title(),
            "Erreur(s) présente(s) / Failure(s) now");
  const QString lines = Find<QPlainTextEdit>(window, fe::Text1)->toPlainText();
  EXPECT_TRUE(lines.contains("Défaut Capteur Papillon\n   en C.C GND\n")) << lines.toStdString();
  EXPECT_TRUE(lines.contains("Papillon au maxi ou mini / TPS max or min")) << lines.toStdString();
  EXPECT_FALSE(lines.contains('\r'));
  EXPECT_TRUE(Find<QPlainTextEdit>(window, fe::Text1)->isReadOnly());

  // The commands' half stands beside the read, usable once the read has ended; reading and
  // closing stay usable.
  EXPECT_TRUE(Find<QGroupBox>(window, fe::frcde)->isEnabled());
  EXPECT_TRUE(Find<QPushButton>(window, fe::cddiag[2])->isEnabledTo(&window));
  EXPECT_EQ(Find<QPushButton>(window, fe::cddiag[0])->text(), "Effacement mémoire");
  EXPECT_TRUE(Find<QPushButton>(window, fe::cdarret)->isEnabledTo(&window));
  auto* read = Find<QPushButton>(window, fe::cderreur);
  EXPECT_TRUE(read->isEnabledTo(&window));
  read->click();
  EXPECT_EQ(reads, 1);

  window.Load();
  EXPECT_TRUE(SaveScreenshot(window, Screenshot("faults_1516.png")));
}

struct OptionsShown {
  std::string cause;  // the checked option of each frame, "" for none
  std::string memo;
};

OptionsShown CheckedOptions(QWidget& window) {
  OptionsShown shown;
  for (std::string_view name : fd::kCause) {
    auto* option = window.findChild<QRadioButton*>(QString::fromUtf8(name.data(), name.size()));
    if (option != nullptr && option->isChecked()) shown.cause += std::string(name);
  }
  for (std::string_view name : fd::kMemo) {
    auto* option = window.findChild<QRadioButton*>(QString::fromUtf8(name.data(), name.size()));
    if (option != nullptr && option->isChecked()) shown.memo += std::string(name);
  }
  return shown;
}

TEST_F(DiagnosticWindowsTest, Faults59ShowEachCodeAndForwardTheNavigation) {
  LoadFile(francais_, "Francais");
  link_.EcuType = Iaw59M5AM;
  FaultWindow59 logic(model_, Services(francais_), " - 1.2.3");
  FaultWindow59Widget window(model_, nullptr);
  std::vector<int> scrolled;
  window.SetOnClick(fd::ButtonNext, [&] { logic.ButtonNext(); });
  window.SetOnClick(fd::ButtonPrevious, [&] { logic.ButtonPrevious(); });
  window.SetOnValueChanged(fd::HScrollError, [&](int value) {
    scrolled.push_back(value);
    logic.ScrollChanged(value);
  });
  int links = 0;
  window.SetOnClick(fd::Label2, [&] { ++links; });
  ASSERT_EQ(logic.Load(), DiagnosticOutcome::kDone);
  window.Load();
  EXPECT_TRUE(SaveScreenshot(window, Screenshot("faults_59.png")));

  EXPECT_EQ(window.windowTitle(), "Velkor - 1.2.3");
  EXPECT_EQ(LabelText(window, fd::LabelNbErr), "Erreur numéro 1 sur 2");
  const std::string first = LabelText(window, fd::LabelTextError);
  EXPECT_TRUE(first.starts_with("P0201\nInjecteur cylindre 1 : circuit\n")) << first;
  EXPECT_EQ(first.find('\r'), std::string::npos) << first;
  auto* previous = Find<QPushButton>(window, fd::ButtonPrevious);
  auto* next = Find<QPushButton>(window, fd::ButtonNext);
  auto* bar = Find<QScrollBar>(window, fd::HScrollError);
  EXPECT_FALSE(previous->isEnabledTo(&window));
  EXPECT_TRUE(next->isEnabledTo(&window));
  EXPECT_EQ(bar->minimum(), 1);
  EXPECT_EQ(bar->maximum(), 2);
  EXPECT_EQ(bar->value(), 1);
  EXPECT_TRUE(scrolled.empty()) << "a value the logic set came back as the user's";
  const OptionsShown options = CheckedOptions(window);
  EXPECT_EQ(options.cause, model_.Checked(fd::Cause2) ? "Cause2" : "");
  EXPECT_EQ(options.memo, model_.Checked(fd::Memo1) ? "Memo1" : "");
  EXPECT_EQ(Find<LinkLamp>(window, fd::Shape1)->Colour(), model_.Get(fd::Shape1).colour);
  EXPECT_FALSE(Find<LinkLamp>(window, fd::Shape1)->isHidden());

  next->click();
  EXPECT_EQ(LabelText(window, fd::LabelNbErr), "Erreur numéro 2 sur 2");
  EXPECT_TRUE(LabelText(window, fd::LabelTextError).starts_with("U1600\n"));
  EXPECT_EQ(bar->value(), 2);
  EXPECT_FALSE(next->isEnabledTo(&window));
  EXPECT_TRUE(previous->isEnabledTo(&window));

  bar->setValue(1);  // the user drags the scroll bar back
  EXPECT_EQ(scrolled, std::vector<int>{1});
  EXPECT_EQ(LabelText(window, fd::LabelNbErr), "Erreur numéro 1 sur 2");

  Find<QLabel>(window, fd::Label2)->linkActivated(QString());
  EXPECT_EQ(links, 1);

  // The tests and the resets are there, greyed; the confirmation waits hidden.
  EXPECT_FALSE(Find<QGroupBox>(window, fd::FrameTestActif)->isEnabled());
  EXPECT_FALSE(Find<QComboBox>(window, fd::ComboChoixTest)->isEnabledTo(&window));
  EXPECT_FALSE(Find<QGroupBox>(window, fd::frResetM5)->isEnabled());
  EXPECT_TRUE(Find<QGroupBox>(window, fd::frConfirm)->isHidden());
  EXPECT_EQ(Find<BarGraph>(window, fd::ProgressBar1)->FillColor(), QColor(0, 0, 255));
}

TEST_F(DiagnosticWindowsTest, FaultsEobdShowTheCodesWithoutAStatus) {
  LoadFile(francais_, "Francais");
  link_.EcuType = Eobd;
  FaultWindow59 logic(model_, Services(francais_), " - 1.2.3");
  FaultWindow59Widget window(model_, nullptr);
  ASSERT_EQ(logic.Load(), DiagnosticOutcome::kDone);
  EXPECT_EQ(LabelText(window, fd::LabelNbErr), "Erreur numéro 1 sur 3");
  EXPECT_TRUE(LabelText(window, fd::LabelTextError).starts_with("P0123\n"));
  EXPECT_EQ(Find<QGroupBox>(window, fd::FrameCause)->title(), "Cause : non disponible en EOBD");
  const OptionsShown options = CheckedOptions(window);
  EXPECT_EQ(options.cause, "");
  EXPECT_EQ(options.memo, "");
  window.Load();
  EXPECT_TRUE(SaveScreenshot(window, Screenshot("faults_eobd.png")));
}

TEST_F(DiagnosticWindowsTest, InEnglishTheCodeTextsComeFromTheLanguageFile) {
  LoadFile(english_, "English");
  link_.EcuType = Iaw59M5AM;
  FaultWindow59 logic(model_, Services(english_), " - 1.2.3");
  FaultWindow59Widget window(model_, nullptr);
  ASSERT_EQ(logic.Load(), DiagnosticOutcome::kDone);
  EXPECT_EQ(LabelText(window, fd::LabelNbErr), "Fault 1 of 2");
  const std::string text = LabelText(window, fd::LabelTextError);
  EXPECT_TRUE(text.starts_with("P0201\nInjector cylinder 1: circuit fault\nThe drive circuit"))
      << text;
  EXPECT_EQ(Find<QPushButton>(window, fd::ButtonPrevious)->text(), "Previous");
  EXPECT_EQ(Find<QGroupBox>(window, fd::FrameMemorisation)->title(), "Storage state");
  window.Load();
  EXPECT_TRUE(SaveScreenshot(window, Screenshot("faults_59_en.png")));

  ScreenModel model_1516;
  link_.EcuType = Iaw16M;
  FaultWindow1516 logic_1516(model_1516, Services(english_));
  FaultWindow1516Widget window_1516(model_1516, nullptr);
  logic_1516.Load("");
  logic_1516.Read();
  EXPECT_EQ(Find<QGroupBox>(window_1516, fe::frpresent)->title(), "Current faults");
  EXPECT_TRUE(Find<QPlainTextEdit>(window_1516, fe::Text1)
                  ->toPlainText()
                  .contains("Throttle sensor fault\n   shorted to ground"));
  window_1516.Load();
  EXPECT_TRUE(SaveScreenshot(window_1516, Screenshot("faults_1516_en.png")));
}

// What the model says reaches the screen whatever came before: an option the logic clears is
// cleared (an exclusive option refuses to clear itself), a text from the ECU is never markup,
// the title shows no accelerator, line breaks of any kind are lines.
TEST_F(DiagnosticWindowsTest, TheScreenFollowsTheModel) {
  FaultWindow59Widget faults(model_, nullptr);
  model_.SetChecked(fd::Cause2, true);
  EXPECT_EQ(CheckedOptions(faults).cause, "Cause2");
  model_.SetChecked(fd::Cause3, true);
  model_.SetChecked(fd::Cause2, false);
  EXPECT_EQ(CheckedOptions(faults).cause, "Cause3");
  model_.SetChecked(fd::Cause3, false);
  EXPECT_EQ(CheckedOptions(faults).cause, "");
  model_.SetText(fd::LabelTextError, "P0122\r\nshort\rlong\nend");
  EXPECT_EQ(LabelText(faults, fd::LabelTextError), "P0122\nshort\nlong\nend");
  model_.SetVisible(fd::Shape1, false);
  EXPECT_TRUE(Find<LinkLamp>(faults, fd::Shape1)->isHidden());

  ScreenModel ident_model;
  ident_model.SetText(fi::kWindow, "&Identification de l'ECU && co");
  ident_model.SetText(fi::lbDucati, "Ducati Number : <b>1</b>");
  IdentificationWindow ident(ident_model, nullptr);  // built after the model was filled
  EXPECT_EQ(ident.windowTitle(), "Identification de l'ECU & co");
  auto* line = Find<QLabel>(ident, fi::lbDucati);
  EXPECT_EQ(line->text(), "Ducati Number : <b>1</b>");
  EXPECT_EQ(line->textFormat(), Qt::PlainText);
}

TEST_F(DiagnosticWindowsTest, EachWindowKeepsItsPlaceInEcuIni) {
  struct PlaceCase {
    const char* ini;
    const char* top_key;
    const char* left_key;
    const char* height_key;  // nullptr: not stored
    std::function<std::unique_ptr<ModelWindow>(ScreenModel&, IniStore*)> make;
  };
  const PlaceCase cases[] = {
      {"[POSITIONS]\r\nIdentTop=1440\r\nIdentLeft=2880\r\n", "IdentTop", "IdentLeft", nullptr,
       [](ScreenModel& m, IniStore* s) { return std::make_unique<IdentificationWindow>(m, s); }},
      {"[POSITIONS]\r\nErreurTop=1001\r\nErreurLeft=607\r\n", "ErreurTop", "ErreurLeft", nullptr,
       [](ScreenModel& m, IniStore* s) { return std::make_unique<FaultWindow1516Widget>(m, s); }},
      {"[positions]\r\ndtc59top=720\r\nDTC59Left=1500\r\n", "DTC59Top", "DTC59Left", "DTC59Height",
       [](ScreenModel& m, IniStore* s) { return std::make_unique<FaultWindow59Widget>(m, s); }},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.top_key);
    WriteIni(c.ini);
    ScreenModel model;
    {
      std::unique_ptr<ModelWindow> window = c.make(model, &store_);
      window->Load();
      const int top = store_.GetProfileInt("POSITIONS", c.top_key, -1);
      const int left = store_.GetProfileInt("POSITIONS", c.left_key, -1);
      const QPoint wanted(TwipsToPixels(left, LogicalDpiX(*window)),
                          TwipsToPixels(top, LogicalDpiY(*window)));
      EXPECT_EQ(window->pos(),
                FramePositionOnScreens(QRect(wanted, window->frameGeometry().size()),
                                       TitleBarHeight(*window), AvailableScreenAreas()));
      // Not moved: written back as read, though it falls between pixels.
      window->Unload();
      EXPECT_EQ(store_.GetProfileInt("POSITIONS", c.top_key, -1), top);
      EXPECT_EQ(store_.GetProfileInt("POSITIONS", c.left_key, -1), left);
    }
    {
      int closed = 0;
      std::unique_ptr<ModelWindow> window = c.make(model, &store_);
      window->SetOnClose([&] { ++closed; });
      window->Show();
      window->move(101, 47);
      window->close();
      EXPECT_EQ(closed, 1);
      EXPECT_FALSE(window->Loaded());
      EXPECT_EQ(store_.GetProfileInt("POSITIONS", c.left_key, -1),
                PixelsToTwips(101, LogicalDpiX(*window)));
      EXPECT_EQ(store_.GetProfileInt("POSITIONS", c.top_key, -1),
                PixelsToTwips(47, LogicalDpiY(*window)));
      if (c.height_key != nullptr) {
        EXPECT_EQ(store_.GetProfileInt("POSITIONS", c.height_key, -1),
                  PixelsToTwips(window->frameGeometry().height(), LogicalDpiY(*window)));
      }
    }
  }
}

}  // namespace
}  // namespace velkor
