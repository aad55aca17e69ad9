#include "recording/workbook_recorder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/real_file_system.hpp"
#include "recording/recovery.hpp"
#include "recording_test_support.hpp"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing_support::FileNames;
using testing_support::FillingDisk;
using testing_support::Sample;
using testing_support::SheetDump;
using testing_support::StillLocalTime;
using testing_support::TempHome;
using testing_support::WorkbookReader;

class WorkbookRecorderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!reader_.Available()) GTEST_SKIP() << "python3 with openpyxl is needed to read workbooks";
  }

  std::vector<SheetDump> ReadBack(const fs::path& workbook, std::vector<int> rows,
                                  bool read_only = false) {
    return reader_.Read(workbook, rows, read_only);
  }

  TempHome home_;
  StillLocalTime clock_;
  RealFileSystem files_;
  WorkbookReader reader_{home_.path()};
};

const std::vector<std::string> kHeader = {
    "'Time'|General",    "'RPM'|General",      "'TPS'|General",     "'Injection'|General",
    "'Advance'|General", "'Pressure'|General", "'AirTemp'|General", "'EngineTemp'|General",
    "'Voltage'|General", "'AFR1'|General",     "'AFR2'|General",    "'LambdamV'|General"};

TEST_F(WorkbookRecorderTest, HeaderFormatsAndValuesReadBackWithTheHeaderFrozen) {
  WorkbookRecorder recorder(home_.path(), files_, clock_.Source());
  const WorkbookStart start = recorder.Start(4);
  EXPECT_EQ(start.mode, WorkbookMode::kWorkbook);
  EXPECT_EQ(RecordingStatusText(start.mode), "Traces Excel");
  EXPECT_EQ(start.file, home_.Measures() / "Mesures14h3005.xlsx");
  LiveSample first = Sample(1.25f, 1500.0f);
  first.Voltage = 0.1f;
  LiveSample second = Sample(2.5f, 1210.0f);
  second.AFR1 = "lean";
  second.Lambda = "0,987";
  recorder.Append(first);
  recorder.Append(second);

  EXPECT_THAT(recorder.Stop(), ElementsAre(start.file));
  EXPECT_EQ(recorder.PathToOffer(), start.file);
  const std::vector<SheetDump> sheets = ReadBack(start.file, {1, 2, 3});
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(sheets[0].title, "14h30");
  EXPECT_EQ(sheets[0].max_row, 3);
  EXPECT_EQ(sheets[0].freeze, "A2");
  EXPECT_THAT(sheets[0].rows.at(1), ElementsAreArray(kHeader));
  EXPECT_THAT(
      sheets[0].rows.at(2),
      ElementsAre("1.25|0.000", "1500|0", "3.5|0.0", "2.25|0.00", "12|General", "1013|0.0",
                  "21|General", "85|General", "0.1|0.0", "14.7|General", "0|General", "1|General"));
  EXPECT_THAT(sheets[0].rows.at(3),
              ElementsAre("2.5|0.000", "1210|0", "3.5|0.0", "2.25|0.00", "12|General", "1013|0.0",
                          "21|General", "85|General", "13.8|0.0", "'lean'|General", "0|General",
                          "0.987|General"));
}

TEST_F(WorkbookRecorderTest, EobdCaptionsReplaceInjectionAdvanceAndVoltage) {
  WorkbookRecorder recorder(home_.path(), files_, clock_.Source());
  const fs::path file = recorder.Start(5).file;
  recorder.Stop();
  const std::vector<SheetDump> sheets = ReadBack(file, {1});
  ASSERT_EQ(sheets.size(), 1u);
  std::vector<std::string> expected = kHeader;
  expected[3] = "'LOAD %'|General";
  expected[4] = "'Mass Air cg/s'|General";
  expected[8] = "'Speed'|General";
  EXPECT_THAT(sheets[0].rows.at(1), ElementsAreArray(expected));
}

TEST_F(WorkbookRecorderTest, RowsGoOnPastTheSixteenBitCounter) {
  WorkbookRecorder recorder(home_.path(), files_, clock_.Source());
  const fs::path file = recorder.Start(4).file;
  for (int i = 1; i <= 40000; ++i) recorder.Append(Sample(static_cast<float>(i), 1000.0f));
  recorder.Stop();
  EXPECT_FALSE(recorder.LastFailure());
  const std::vector<SheetDump> sheets = ReadBack(file, {32768, 40001}, /*read_only=*/true);
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(sheets[0].max_row, 40001);
  EXPECT_EQ(sheets[0].rows.at(32768).at(0), "32767|0.000");
  EXPECT_EQ(sheets[0].rows.at(40001).at(0), "40000|0.000");
}

TEST_F(WorkbookRecorderTest, AFullSheetGoesOnInANewSheetWithItsOwnHeader) {
  WorkbookOptions options;
  options.rows_per_sheet = 3;  // the header and two passes
  WorkbookRecorder recorder(home_.path(), files_, clock_.Source(), options);
  const fs::path file = recorder.Start(4).file;
  for (int i = 1; i <= 4; ++i) recorder.Append(Sample(static_cast<float>(i), 1000.0f));
  clock_.time.minute = 31;
  recorder.Append(Sample(5.0f, 1000.0f));
  recorder.Stop();

  const std::vector<SheetDump> sheets = ReadBack(file, {1, 2, 3});
  ASSERT_EQ(sheets.size(), 3u);
  EXPECT_EQ(sheets[0].title, "14h30");
  EXPECT_EQ(sheets[1].title, "14h30 (2)");
  EXPECT_EQ(sheets[2].title, "14h31");
  const char* first_times[] = {"1|0.000", "3|0.000", "5|0.000"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(sheets[i].title);
    EXPECT_EQ(sheets[i].freeze, "A2");
    EXPECT_THAT(sheets[i].rows.at(1), ElementsAreArray(kHeader));
    EXPECT_EQ(sheets[i].rows.at(2).at(0), first_times[i]);
  }
  EXPECT_EQ(sheets[1].rows.at(3).at(0), "4|0.000");
  EXPECT_EQ(sheets[2].max_row, 2);
}

TEST_F(WorkbookRecorderTest, EachRunIsSavedWhenItEndsAndTheNextPassStartsANewWorkbook) {
  WorkbookRecorder recorder(home_.path(), files_, clock_.Source());
  const fs::path first = recorder.Start(4).file;
  recorder.Append(Sample(1.0f, 1000.0f));
  recorder.RunEnded();
  // Saved at the end of the run, before the box is cleared.
  ASSERT_EQ(ReadBack(first, {2}).at(0).rows.at(2).at(0), "1|0.000");

  clock_.time.second = 40;
  recorder.Append(Sample(0.5f, 1100.0f));
  const fs::path second = home_.Measures() / "Mesures14h3040.xlsx";
  EXPECT_THAT(recorder.Stop(), ElementsAre(first, second));
  EXPECT_EQ(recorder.PathToOffer(), second);
  EXPECT_EQ(ReadBack(second, {2}).at(0).rows.at(2).at(1), "1100|0");
}

TEST_F(WorkbookRecorderTest, DestructionSavesAnOpenWorkbook) {
  {
    WorkbookRecorder recorder(home_.path(), files_, clock_.Source());
    recorder.Start(4);
    recorder.Append(Sample(7.0f, 1000.0f));
  }
  EXPECT_THAT(FileNames(home_.Measures()), ElementsAre("Mesures14h3005.xlsx"));
  const std::vector<SheetDump> sheets = ReadBack(home_.Measures() / "Mesures14h3005.xlsx", {2});
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(sheets[0].rows.at(2).at(0), "7|0.000");
}

TEST_F(WorkbookRecorderTest, TheFirstFailedWriteStopsTheRecordingAndKeepsThePassesBefore) {
  const fs::path workbook = home_.Measures() / "Mesures14h3005.xlsx";
  const fs::path journal = home_.Measures() / "Mesures14h3005.xlsx.journal";
  const struct {
    const char* what;
    bool open_files_only;
    bool fill_at_run_end;  // no pass is refused: the workbook is built on a full disk
    fs::path failed;
    std::vector<std::string> left;
  } cases[] = {
      {"disk full", false, false, journal, {"Mesures14h3005.xlsx.journal"}},
      {"file at its size limit", true, false, journal, {"Mesures14h3005.xlsx"}},
      {"disk full when the run ends", false, true, workbook, {"Mesures14h3005.xlsx.journal"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(home_.Measures());
    FillingDisk disk;
    disk.open_files_only = c.open_files_only;
    WorkbookRecorder recorder(home_.path(), disk, clock_.Source());
    std::vector<RecordingFailure> told;
    recorder.SetOnFailure([&](const RecordingFailure& failure) { told.push_back(failure); });
    ASSERT_EQ(recorder.Start(4).file, workbook);
    recorder.Append(Sample(1.0f, 1000.0f));
    recorder.Append(Sample(2.0f, 1100.0f));
    disk.full = true;
    if (c.fill_at_run_end) {
      recorder.RunEnded();
    } else {
      recorder.Append(Sample(3.0f, 1200.0f));
    }
    disk.full = false;
    recorder.Append(Sample(4.0f, 1300.0f));  // the recording has stopped: nothing goes in
    EXPECT_EQ(recorder.Mode(), WorkbookMode::kIdle);
    EXPECT_TRUE(recorder.Stop().empty());

    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].file, c.failed);
    ASSERT_EQ(told[0].kept.size(), 1u);
    EXPECT_EQ(told[0].kept[0].filename().string(), c.left[0]);
    EXPECT_EQ(recorder.LastFailure()->kept, told[0].kept);
    // Never an empty or half-written workbook: either the whole one, or none beside its journal.
    EXPECT_EQ(FileNames(home_.Measures()), c.left);

    // A journal left on the full disk is finished at the next start.
    FinishInterruptedRecordings(home_.path(), disk);
    EXPECT_THAT(FileNames(home_.Measures()), ElementsAre("Mesures14h3005.xlsx"));
    const std::vector<SheetDump> sheets = ReadBack(workbook, {2, 3});
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].max_row, 3);
    EXPECT_EQ(sheets[0].rows.at(3).at(1), "1100|0");
  }
}

// The text that stands in for a workbook stops at its first failed write as well.
TEST_F(WorkbookRecorderTest, TheTextFallbackStopsAtItsFirstFailedWrite) {
  FillingDisk disk;
  WorkbookOptions text_only;
  text_only.workbooks_available = false;
  WorkbookRecorder recorder(home_.path(), disk, clock_.Source(), text_only);
  int told = 0;
  recorder.SetOnFailure([&](const RecordingFailure&) { ++told; });
  ASSERT_EQ(recorder.Start(0).mode, WorkbookMode::kTextFallback);
  recorder.Append(Sample(1.0f, 1200.0f));
  disk.full = true;
  recorder.Append(Sample(2.0f, 1250.0f));
  disk.full = false;
  recorder.Append(Sample(3.0f, 1300.0f));

  EXPECT_EQ(told, 1);
  EXPECT_EQ(recorder.Mode(), WorkbookMode::kIdle);
  const fs::path text = home_.Measures() / "mes0125 -143005.txt";
  ASSERT_TRUE(recorder.LastFailure());
  EXPECT_EQ(recorder.LastFailure()->file, text);
  EXPECT_THAT(recorder.LastFailure()->kept, ElementsAre(text));
  const std::vector<std::string> lines = testing_support::CrLfLines(testing_support::ReadAll(text));
  // The header and the first pass whole; after them at most what the disk took of the second.
  ASSERT_GE(lines.size(), 2u);
  EXPECT_LE(lines.size(), 3u);
  EXPECT_EQ(lines[1].rfind("1,1200,", 0), 0u);
}

}  // namespace
}  // namespace velkor
