// Opening a finished recording with the desktop's program, against stand-in xdg tools on PATH:
// a type the desktop has no program for is reported before anything is started.
#include "ui/desktop_document.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <string>

namespace velkor {
namespace {

void WriteScript(const QString& path, const QByteArray& body) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("#!/bin/sh\n" + body);
  file.close();
  file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// PATH holds only the stand-in tools (and the shell they need) while a case runs.
class DesktopDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tools_.isValid());
    const char* path = std::getenv("PATH");
    saved_path_ = path != nullptr ? path : "";
    setenv("PATH", (tools_.path().toStdString() + ":/bin:/usr/bin").c_str(), 1);
    opened_ = tools_.filePath("opened");
    WriteScript(tools_.filePath("xdg-open"), "echo \"$1\" > '" + opened_.toUtf8() + "'\n");
    workbook_ = tools_.filePath("mesure.xlsx");
    QFile file(workbook_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  void TearDown() override { setenv("PATH", saved_path_.c_str(), 1); }

  QTemporaryDir tools_;
  std::string saved_path_;
  QString opened_;
  QString workbook_;
};

TEST_F(DesktopDocumentTest, NoProgramForTheTypeIsReportedAndNothingIsStarted) {
  WriteScript(tools_.filePath("xdg-mime"), "exit 0\n");
  EXPECT_FALSE(OpenWithDesktop(workbook_));
  QTest::qWait(200);
  EXPECT_FALSE(QFile::exists(opened_));
}

TEST_F(DesktopDocumentTest, AProgramForTheTypeIsStartedWithTheFile) {
  WriteScript(tools_.filePath("xdg-mime"),
              "[ \"$1 $2\" = 'query default' ] && echo calc.desktop\n");
  ASSERT_TRUE(OpenWithDesktop(workbook_));
  QElapsedTimer waited;
  waited.start();
  while (!QFile::exists(opened_) && waited.elapsed() < 5000) QTest::qWait(20);
  QFile opened(opened_);
  ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
  EXPECT_TRUE(opened.readAll().trimmed().endsWith("mesure.xlsx"));
}

}  // namespace
}  // namespace velkor
