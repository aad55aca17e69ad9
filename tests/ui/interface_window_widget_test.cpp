#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/ctime_it.hpp"
#include "platform/qm_text_catalog.hpp"
#include "platform/real_file_system.hpp"
#include "sim/scripted_dialogs.hpp"
#include "sim/scripted_serial_port.hpp"
#include "sim/virtual_clock.hpp"
#include "ui/interface_window.hpp"
#include "ui/screenshot.hpp"
#include "ui/twips.hpp"

namespace velkor {
namespace {

namespace fs = std::filesystem;

class ListedDevices : public InterfaceDevices {
 public:
  explicit ListedDevices(sim::VirtualClock& clock) : clock_(clock) {}
  std::optional<std::vector<std::string>> ListFtdiDevices() override { return ftdi; }
  OpenResult<KLinePort> OpenFtdi(const std::string&) override { return {nullptr, "absent"}; }
  std::vector<SerialDeviceInfo> ListSerialDevices() override { return serial; }
  OpenResult<KLinePort> OpenSerialKLine(const std::string&) override { return {nullptr, "absent"}; }
  std::unique_ptr<SerialPort> CreateSerialPort() override {
    return std::make_unique<sim::ScriptedSerialPort>(clock_);
  }

  std::vector<std::string> ftdi;
  std::vector<SerialDeviceInfo> serial;

 private:
  sim::VirtualClock& clock_;
};

class InterfaceDialogTest : public ::testing::Test {
 protected:
  InterfaceDialogTest() { fs::create_directories(folder_); }
  ~InterfaceDialogTest() override { fs::remove_all(folder_); }

  template <typename W>
  W* Find(InterfaceDialog& dialog, const char* name) {
    return dialog.findChild<W*>(QString::fromLatin1(name));
  }
  static QString ScreenshotPath(const char* name) {
    return QCoreApplication::applicationDirPath() + "/../screenshots/" + name;
  }

  const fs::path folder_ =
      fs::temp_directory_path() / ("velkor_interface_ui_" + std::to_string(std::random_device{}()));
  sim::VirtualClock clock_;
  CTimeIt stopwatch_{clock_};
  TraceLog trace_{stopwatch_};
  RealFileSystem files_;
  IniStore ini_{folder_ / "ecu.ini", files_};
  ListedDevices devices_{clock_};
  sim::ScriptedDialogs dialogs_;
  LinkState link_;
};

TEST_F(InterfaceDialogTest, ControlsCarryTheirNamesAndTexts) {
  InterfaceDialog dialog(ini_, devices_, dialogs_, link_, trace_);
  EXPECT_EQ(dialog.objectName(), "frmInterface");
  EXPECT_EQ(dialog.windowTitle(), "Device");

  const std::vector<std::pair<const char*, const char*>> buttons = {
      {"opType0", "USB"}, {"opType1", "KKL"}, {"opType2", "Galetto"}, {"opType3", "ELM327"}};
  for (const auto& [name, text] : buttons) {
    auto* option = Find<QRadioButton>(dialog, name);
    ASSERT_NE(option, nullptr) << name;
    EXPECT_EQ(option->text(), text);
  }
  ASSERT_NE(Find<QGroupBox>(dialog, "Frame1"), nullptr);
  EXPECT_EQ(Find<QGroupBox>(dialog, "Frame1")->title(), "Choise the type");
  ASSERT_NE(Find<QGroupBox>(dialog, "FrBT"), nullptr);
  for (const char* label : {"Label1", "Label2", "Label3"}) {
    EXPECT_NE(Find<QLabel>(dialog, label), nullptr) << label;
  }
  ASSERT_NE(Find<QPushButton>(dialog, "cdOK"), nullptr);
  EXPECT_EQ(Find<QPushButton>(dialog, "cdOK")->text(), "OK");
  ASSERT_NE(Find<QPushButton>(dialog, "cdNew"), nullptr);
  EXPECT_EQ(Find<QPushButton>(dialog, "cdNew")->text(), "What's New");

  // No cable: the USB list says so.
  auto* usb = Find<QComboBox>(dialog, "cbUSB");
  ASSERT_NE(usb, nullptr);
  EXPECT_TRUE(Find<QRadioButton>(dialog, "opType0")->isChecked());
  EXPECT_TRUE(usb->isVisibleTo(&dialog));
  EXPECT_EQ(usb->currentIndex(), -1);
  EXPECT_EQ(usb->placeholderText(), "Mode Demo");
  ASSERT_NE(Find<QComboBox>(dialog, "cbport"), nullptr);
  EXPECT_FALSE(Find<QComboBox>(dialog, "cbport")->isVisibleTo(&dialog));
  EXPECT_FALSE(Find<QGroupBox>(dialog, "FrBT")->isVisibleTo(&dialog));
}

TEST_F(InterfaceDialogTest, ElmOptionShowsThePortsAndAPickIsStored) {
  devices_.serial = {{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/rfcomm0", ""}};
  InterfaceDialog dialog(ini_, devices_, dialogs_, link_, trace_);
  dialog.show();

  QTest::mouseClick(Find<QRadioButton>(dialog, "opType3"), Qt::LeftButton);
  auto* ports = Find<QComboBox>(dialog, "cbport");
  EXPECT_TRUE(Find<QRadioButton>(dialog, "opType3")->isChecked());
  EXPECT_FALSE(Find<QRadioButton>(dialog, "opType0")->isChecked());
  EXPECT_TRUE(ports->isVisible());
  EXPECT_TRUE(Find<QGroupBox>(dialog, "FrBT")->isVisible());
  EXPECT_FALSE(Find<QComboBox>(dialog, "cbUSB")->isVisible());
  ASSERT_EQ(ports->count(), 2);
  EXPECT_EQ(ports->itemText(0), "/dev/ttyUSB0 (FT232R USB UART)");
  EXPECT_EQ(ports->currentIndex(), 0);  // PORT 1 by default

  ports->setCurrentIndex(1);
  emit ports->activated(1);
  EXPECT_EQ(ini_.GetProfileString("Interface", "Device", "", 256), "/dev/rfcomm0");
  EXPECT_EQ(ini_.GetProfileInt("Interface", "PORT", 0), 2);
}

TEST_F(InterfaceDialogTest, OkWithoutCableClosesTheWindowAndKeepsItsPlace) {
  InterfaceDialog dialog(ini_, devices_, dialogs_, link_, trace_);
  dialog.show();
  QTest::mouseClick(Find<QPushButton>(dialog, "cdOK"), Qt::LeftButton);

  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(link_.TestMode);
  EXPECT_EQ(ini_.GetProfileString("POSITIONS", "InterTop", "<absent>", 16),
            std::to_string(PixelsToTwips(dialog.pos(), dialog).y()));
  InterfaceChoice choice = dialog.TakeChoice();
  EXPECT_EQ(choice.kind, InterfaceKind::kUsb);
  EXPECT_EQ(choice.panel4, "USB");
  EXPECT_EQ(choice.kline, nullptr);
}

TEST_F(InterfaceDialogTest, ClosingWithoutOkLeavesTheCableForTheSession) {
  devices_.ftdi = {"FT232R USB UART"};
  InterfaceDialog dialog(ini_, devices_, dialogs_, link_, trace_);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);

  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(link_.TestMode);
  InterfaceChoice choice = dialog.TakeChoice();
  EXPECT_EQ(choice.kline, nullptr);
  EXPECT_EQ(choice.device, "FT232R USB UART");
  EXPECT_EQ(choice.panel4, "USB : FT232R USB UART");
  EXPECT_EQ(ini_.GetProfileString("POSITIONS", "InterTop", "<absent>", 16),
            std::to_string(PixelsToTwips(dialog.pos(), dialog).y()));
}

TEST_F(InterfaceDialogTest, Screenshots) {
  {
    InterfaceDialog dialog(ini_, devices_, dialogs_, link_, trace_);
    dialog.show();
    EXPECT_TRUE(SaveScreenshot(dialog, ScreenshotPath("interface_usb.png")));
  }
  devices_.serial = {{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/rfcomm0", ""}};
  ini_.WriteProfileString("Interface", "Type", "3");
  InterfaceDialog dialog(ini_, devices_, dialogs_, link_, trace_);
  dialog.show();
  EXPECT_TRUE(SaveScreenshot(dialog, ScreenshotPath("interface_elm327.png")));
}

TEST_F(InterfaceDialogTest, ScreenshotInEnglish) {
  QmTextCatalogLoader english_files({QCoreApplication::applicationDirPath().toStdString()});
  Language english(english_files);
  english.SetCurrent("English");
  ASSERT_EQ(english.LoadLanguage(), LanguageLoad::kLoaded) << english.LastError();
  devices_.serial = {{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/rfcomm0", ""}};
  ini_.WriteProfileString("Interface", "Type", "3");
  InterfaceDialog dialog(ini_, devices_, dialogs_, link_, trace_, &english);
  dialog.show();
  EXPECT_EQ(Find<QGroupBox>(dialog, "Frame1")->title(), "Choose the type of cable");
  EXPECT_TRUE(SaveScreenshot(dialog, ScreenshotPath("interface_elm327_en.png")));
}

}  // namespace
}  // namespace velkor
