#include "recording/recovery.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/real_file_system.hpp"
#include "recording/text_recorder.hpp"
#include "recording/workbook_recorder.hpp"
#include "recording_test_support.hpp"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing_support::CopyMeasures;
using testing_support::CrLfLines;
using testing_support::FileNames;
using testing_support::ReadAll;
using testing_support::Sample;
using testing_support::StillLocalTime;
using testing_support::TempHome;
using testing_support::WorkbookReader;

constexpr NumberLocale kDecimalComma{',', ' '};

void AppendBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
}

class RecoveryTest : public ::testing::Test {
 protected:
  TempHome home_;
  TempHome crashed_;
  StillLocalTime clock_;
  RealFileSystem files_;
  WorkbookReader reader_{home_.path()};
};

// A crash in the middle of both recordings: what the disk holds then is finished at the next
// start into the files an orderly stop gives, less the pass being written.
TEST_F(RecoveryTest, ACrashLeavesTheFilesAnOrderlyStopGivesLessThePassBeingWritten) {
  if (!reader_.Available()) GTEST_SKIP() << "python3 with openpyxl is needed to read workbooks";
  CsvRecorder csv(home_.path(), kDecimalComma, files_, clock_.Source());
  WorkbookRecorder workbook(home_.path(), files_, clock_.Source());
  ASSERT_TRUE(csv.Start());
  ASSERT_EQ(workbook.Start(4).mode, WorkbookMode::kWorkbook);
  for (int i = 1; i <= 3; ++i) {
    LiveSample sample = Sample(0.25f * static_cast<float>(i), 1000.0f + static_cast<float>(i));
    sample.AFR1 = "14;7%";  // a label with the journal's separator and escape in it
    csv.Append(sample);
    workbook.Append(sample);
  }
  CopyMeasures(home_, crashed_);
  EXPECT_THAT(FileNames(crashed_.Measures()),
              ElementsAre("Mesures14h3005.xlsx.journal", "mes0125 -143005.txt"));
  // The pass under way when the program died: all of it but its end reached the disk.
  AppendBytes(crashed_.Measures() / "Mesures14h3005.xlsx.journal",
              "R;1;1004;3.5;2.25;12;1013;21;85;13.8;14.7;--;1.0");
  AppendBytes(crashed_.Measures() / "mes0125 -143005.txt", "\"1;1004;3,");

  const std::vector<RecoveredRecording> recovered =
      FinishInterruptedRecordings(crashed_.path(), files_);
  ASSERT_EQ(recovered.size(), 2u);
  EXPECT_EQ(recovered[0].to, crashed_.Measures() / "Mesures14h3005.xlsx");
  EXPECT_EQ(recovered[1].to, crashed_.Measures() / "mes0125 -143005.csv");
  EXPECT_THAT(FileNames(crashed_.Measures()),
              ElementsAre("Mesures14h3005.xlsx", "mes0125 -143005.csv"));

  csv.Stop();
  workbook.Stop();
  const std::string csv_name = "mes0125 -143005.csv";
  EXPECT_EQ(ReadAll(crashed_.Measures() / csv_name), ReadAll(home_.Measures() / csv_name));
  EXPECT_EQ(CrLfLines(ReadAll(crashed_.Measures() / csv_name)).size(), 4u);
  const auto rows = [&](const TempHome& home) {
    const auto sheets = reader_.Read(home.Measures() / "Mesures14h3005.xlsx", {1, 2, 3, 4});
    EXPECT_EQ(sheets.size(), 1u);
    return sheets.empty() ? testing_support::SheetDump{} : sheets[0];
  };
  const testing_support::SheetDump recovered_sheet = rows(crashed_);
  const testing_support::SheetDump stopped_sheet = rows(home_);
  EXPECT_EQ(recovered_sheet.title, stopped_sheet.title);
  EXPECT_EQ(recovered_sheet.max_row, 4);
  EXPECT_EQ(recovered_sheet.rows, stopped_sheet.rows);
  EXPECT_EQ(recovered_sheet.rows.at(4).at(9), "'14;7%'|General");
}

TEST_F(RecoveryTest, FinishedFilesAndFilesOfUnknownMakeStayAsTheyAre) {
  fs::create_directories(home_.Measures());
  const struct {
    const char* name;
    const char* content;
  } files[] = {
      // The text that stands in for a workbook is finished as it is.
      {"mes0125 -143005.txt", "\"Time\",\"RPM\"\r\n1.5,1000\r\n"},
      {"mes0125 -143006.txt", "somebody's notes\r\n"},
      {"mes0125 -143007.txt", ""},
      {"Mesures14h3005.xlsx.journal", "not a journal\r\n"},
      {"velkor0.log", "0.000: Version\r\n"},
  };
  for (const auto& f : files)
    std::ofstream(home_.Measures() / f.name, std::ios::binary) << f.content;

  const std::vector<RecoveredRecording> recovered =
      FinishInterruptedRecordings(home_.path(), files_);
  // Only the journal is taken for a working file, and left as it is.
  ASSERT_EQ(recovered.size(), 1u);
  EXPECT_EQ(recovered[0].from, home_.Measures() / "Mesures14h3005.xlsx.journal");
  EXPECT_EQ(recovered[0].to, std::nullopt);
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(ReadAll(home_.Measures() / f.name), f.content);
  }
  EXPECT_EQ(FileNames(home_.Measures()).size(), 5u);
}

TEST_F(RecoveryTest, NoMeasuresFolderIsNothingToFinish) {
  EXPECT_TRUE(FinishInterruptedRecordings(home_.path() / "nowhere", files_).empty());
}

}  // namespace
}  // namespace velkor
