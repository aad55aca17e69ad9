#include "recording/text_recorder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "full_disk_file_system.hpp"
#include "platform/real_file_system.hpp"
#include "recording/recovery.hpp"
#include "recording/workbook_recorder.hpp"
#include "recording_test_support.hpp"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using testing_support::CrLfLines;
using testing_support::FileNames;
using testing_support::ReadAll;
using testing_support::Sample;
using testing_support::StillLocalTime;
using testing_support::TempHome;

constexpr NumberLocale kDecimalComma{',', ' '};

// The real file system with a disk that fills up and a replacement that fails on demand.
class FlakyFileSystem : public testing_support::FullDiskFileSystem {
 public:
  bool fail_rename = false;
  bool Rename(const fs::path& from, const fs::path& to) override {
    return !fail_rename && RealFileSystem::Rename(from, to);
  }
};

class CsvRecorderTest : public ::testing::Test {
 protected:
  CsvRecorder MakeRecorder() {
    return CsvRecorder(home_.path(), kDecimalComma, fs_, clock_.Source());
  }

  TempHome home_;
  StillLocalTime clock_;
  FlakyFileSystem fs_;
};

TEST_F(CsvRecorderTest, ThreePassesGiveAFourLineCsvWithoutQuotesAndNoTextFileLeft) {
  CsvRecorder recorder = MakeRecorder();
  const std::optional<fs::path> text = recorder.Start();
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, home_.Measures() / "mes0125 -143005.txt");
  for (int i = 0; i < 3; ++i) recorder.Append(Sample(12.5f + i, 1500.0f));

  const std::vector<fs::path> files = recorder.Stop();
  ASSERT_THAT(files, ElementsAre(home_.Measures() / "mes0125 -143005.csv"));
  EXPECT_THAT(FileNames(home_.Measures()), ElementsAre("mes0125 -143005.csv"));
  const std::string csv = ReadAll(files[0]);
  EXPECT_THAT(csv, Not(HasSubstr("\"")));
  EXPECT_THAT(CrLfLines(csv),
              ElementsAre("Time;RPM;TPS;Injection;Advance;Pressure;AirTemp;EngineTemp ;Voltage;"
                          "AFR1;AFR2;Lambda",
                          "12,5;1500;3,5;2,25;12;1013;21;85;13,8;14.7;0;1,000",
                          "13,5;1500;3,5;2,25;12;1013;21;85;13,8;14.7;0;1,000",
                          "14,5;1500;3,5;2,25;12;1013;21;85;13,8;14.7;0;1,000"));
  EXPECT_FALSE(recorder.Recording());
  EXPECT_TRUE(recorder.Stop().empty());
}

TEST_F(CsvRecorderTest, EachPassIsInTheFileBeforeTheNextOne) {
  CsvRecorder recorder = MakeRecorder();
  const fs::path text = *recorder.Start();
  EXPECT_EQ(CrLfLines(ReadAll(text)).size(), 1u);
  recorder.Append(Sample(1.0f, 1200.0f));
  const std::vector<std::string> lines = CrLfLines(ReadAll(text));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "\"1;1200;3,5;2,25;12;1013;21;85;13,8;14.7;0;1,000\"");
  recorder.Append(Sample(2.0f, 1250.0f));
  EXPECT_EQ(CrLfLines(ReadAll(text)).size(), 3u);
}

TEST_F(CsvRecorderTest, DestructionConvertsARecordingStillOpen) {
  {
    CsvRecorder recorder = MakeRecorder();
    recorder.Start();
    recorder.Append(Sample(1.0f, 1200.0f));
  }
  EXPECT_THAT(FileNames(home_.Measures()), ElementsAre("mes0125 -143005.csv"));
  EXPECT_EQ(CrLfLines(ReadAll(home_.Measures() / "mes0125 -143005.csv")).size(), 2u);
}

TEST_F(CsvRecorderTest, AFailedConversionKeepsTheTextRecording) {
  CsvRecorder recorder = MakeRecorder();
  const fs::path text = *recorder.Start();
  recorder.Append(Sample(1.0f, 1200.0f));
  fs_.fail_rename = true;
  EXPECT_THAT(recorder.Stop(), ElementsAre(text));
  EXPECT_THAT(FileNames(home_.Measures()), ElementsAre("mes0125 -143005.txt"));
  EXPECT_EQ(CrLfLines(ReadAll(text)).size(), 2u);
}

// The first pass the disk does not take stops the recording: the passes before it go to the
// .csv, or stay in the text file when the disk has no room for the .csv either, for the next
// start to convert.
TEST_F(CsvRecorderTest, TheFirstFailedWriteStopsTheRecordingAndKeepsThePassesBefore) {
  const fs::path text = home_.Measures() / "mes0125 -143005.txt";
  const fs::path csv = home_.Measures() / "mes0125 -143005.csv";
  const struct {
    const char* what;
    bool open_files_only;
    fs::path kept;
  } cases[] = {{"disk full", false, text}, {"file at its size limit", true, csv}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(home_.Measures());
    testing_support::FillingDisk disk;
    disk.open_files_only = c.open_files_only;
    CsvRecorder recorder(home_.path(), kDecimalComma, disk, clock_.Source());
    std::vector<RecordingFailure> told;
    recorder.SetOnFailure([&](const RecordingFailure& failure) {
      EXPECT_FALSE(recorder.Recording());  // told once the recording has stopped
      told.push_back(failure);
    });
    ASSERT_EQ(recorder.Start(), text);
    recorder.Append(Sample(1.0f, 1200.0f));
    recorder.Append(Sample(2.0f, 1250.0f));
    disk.full = true;
    recorder.Append(Sample(3.0f, 1300.0f));
    disk.full = false;
    recorder.Append(Sample(4.0f, 1350.0f));

    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].file, text);
    EXPECT_THAT(told[0].kept, ElementsAre(c.kept));
    EXPECT_EQ(recorder.LastFailure()->kept, told[0].kept);
    EXPECT_TRUE(recorder.Stop().empty());
    EXPECT_THAT(FileNames(home_.Measures()), ElementsAre(c.kept.filename().string()));

    FinishInterruptedRecordings(home_.path(), disk);
    EXPECT_THAT(FileNames(home_.Measures()), ElementsAre(csv.filename().string()));
    // The pass the disk took in part is not in the .csv.
    const std::vector<std::string> lines = CrLfLines(ReadAll(csv));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_THAT(lines[2], HasSubstr("2;1250;"));
    EXPECT_THAT(ReadAll(csv), Not(HasSubstr("\"")));
  }
}

TEST_F(CsvRecorderTest, ARecordingWhoseHeaderCannotBeWrittenDoesNotStart) {
  testing_support::FillingDisk disk;
  disk.full = true;
  CsvRecorder recorder(home_.path(), kDecimalComma, disk, clock_.Source());
  EXPECT_EQ(recorder.Start(), std::nullopt);
  EXPECT_FALSE(recorder.Recording());
  EXPECT_TRUE(FileNames(home_.Measures()).empty());
}

TEST_F(CsvRecorderTest, RecordingsOfTheSameSecondGetTheirOwnFiles) {
  CsvRecorder first = MakeRecorder();
  first.Start();
  first.Stop();  // leaves the .csv, which the next name must not collide with
  CsvRecorder second = MakeRecorder();
  EXPECT_EQ(*second.Start(), home_.Measures() / "mes0125 -143005-2.txt");
  WorkbookOptions text_only;
  text_only.workbooks_available = false;
  WorkbookRecorder workbook_box(home_.path(), fs_, clock_.Source(), text_only);
  EXPECT_EQ(workbook_box.Start(0).file, home_.Measures() / "mes0125 -143005-3.txt");

  second.Append(Sample(1.0f, 1200.0f));
  workbook_box.Append(Sample(2.0f, 1300.0f));
  EXPECT_THAT(second.Stop(), ElementsAre(home_.Measures() / "mes0125 -143005-2.csv"));
  EXPECT_THAT(workbook_box.Stop(), ElementsAre(home_.Measures() / "mes0125 -143005-3.txt"));
  EXPECT_THAT(CrLfLines(ReadAll(home_.Measures() / "mes0125 -143005-2.csv"))[1],
              HasSubstr("1;1200;"));
  EXPECT_THAT(CrLfLines(ReadAll(home_.Measures() / "mes0125 -143005-3.txt"))[1],
              HasSubstr("2,1300,"));
}

TEST_F(CsvRecorderTest, NoFolderForTheRecordingIsReportedAndPassesAreIgnored) {
  std::ofstream(home_.Measures()) << "a file where the folder should be";
  CsvRecorder recorder = MakeRecorder();
  EXPECT_EQ(recorder.Start(), std::nullopt);
  EXPECT_FALSE(recorder.Recording());
  recorder.Append(Sample(1.0f, 1200.0f));
  EXPECT_TRUE(recorder.Stop().empty());
}

TEST(ConvertToCsvTest, LeavesOutALastLineCutShort) {
  TempHome home;
  RealFileSystem file_system;
  const struct {
    const char* what;
    const char* text;
    const char* csv;
  } cases[] = {
      {"whole lines", "\"a;b\"\r\n\"1;2\"\r\n", "a;b\r\n1;2\r\n"},
      {"cut in a number", "\"a;b\"\r\n\"1;2\"\r\n\"3;4", "a;b\r\n1;2\r\n"},
      {"cut before its LF", "\"a;b\"\r\n\"1;2\"\r", "a;b\r\n"},
      {"the header cut", "\"a;", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path text = home.path() / "mes0101 -000000.txt";
    std::ofstream(text, std::ios::binary) << c.text;
    ASSERT_TRUE(ConvertToCsv(text, file_system));
    EXPECT_EQ(ReadAll(home.path() / "mes0101 -000000.csv"), c.csv);
  }
}

TEST(ConvertToCsvTest, ReplacesAnOlderCsvAndSkipsAMissingTextFile) {
  TempHome home;
  RealFileSystem file_system;
  const fs::path text = home.path() / "mes0101 -000000.txt";
  const fs::path csv = home.path() / "mes0101 -000000.csv";
  std::ofstream(text, std::ios::binary) << "\"a;\"\"b\"\r\n\"1;2\"\r\n";
  std::ofstream(csv, std::ios::binary) << "an older file of the same name, longer than the new";

  EXPECT_EQ(ConvertToCsv(text, file_system), csv);
  EXPECT_EQ(ReadAll(csv), "a;b\r\n1;2\r\n");
  EXPECT_FALSE(fs::exists(text));

  EXPECT_EQ(ConvertToCsv(text, file_system), std::nullopt);
  EXPECT_EQ(ReadAll(csv), "a;b\r\n1;2\r\n");
}

TEST(TextFallbackTest, PeriodDecimalsAndANewFileWithItsHeaderAfterTenThousandPasses) {
  TempHome home;
  StillLocalTime clock;
  WorkbookOptions text_only;
  text_only.workbooks_available = false;
  RealFileSystem disk;
  WorkbookRecorder recorder(home.path(), disk, clock.Source(), text_only);
  const WorkbookStart start = recorder.Start(0);
  EXPECT_EQ(start.mode, WorkbookMode::kTextFallback);
  EXPECT_EQ(RecordingStatusText(start.mode), "Traces textuelles");
  EXPECT_EQ(start.file, home.Measures() / "mes0125 -143005.txt");

  for (int i = 0; i < 10000; ++i) recorder.Append(Sample(12.5f, 1500.0f));
  clock.time.second = 6;
  recorder.Append(Sample(99.5f, 1600.0f));

  const std::vector<fs::path> files = recorder.Stop();
  ASSERT_THAT(files, ElementsAre(home.Measures() / "mes0125 -143005.txt",
                                 home.Measures() / "mes0125 -143006.txt"));
  EXPECT_EQ(recorder.PathToOffer(), std::nullopt);
  const std::string header = CrLfLines(TextHeaderLine())[0];
  const std::vector<std::string> first = CrLfLines(ReadAll(files[0]));
  ASSERT_EQ(first.size(), 10001u);
  EXPECT_EQ(first[0], header);
  EXPECT_EQ(first[10000], "12.5,1500,3.5,2.25,12,1013,21,85,13.8,\"14.7\",0,\"1.000\"");
  EXPECT_THAT(CrLfLines(ReadAll(files[1])),
              ElementsAre(header, "99.5,1600,3.5,2.25,12,1013,21,85,13.8,\"14.7\",0,\"1.000\""));
}

}  // namespace
}  // namespace velkor
