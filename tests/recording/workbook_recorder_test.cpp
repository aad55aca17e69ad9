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

#include "recording_test_support.hpp"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing_support::FileNames;
using testing_support::Sample;
using testing_support::StillLocalTime;
using testing_support::TempHome;

// What an independent reader finds in a workbook: per sheet its name, its last row, its frozen
// cell and the requested rows as value|number-format per cell.
struct SheetDump {
  std::string title;
  int max_row = 0;
  std::string freeze;
  std::map<int, std::vector<std::string>> rows;
};

constexpr const char* kReaderScript = R"(import sys, openpyxl
path, mode, rows = sys.argv[1], sys.argv[2], [int(r) for r in sys.argv[3:]]
book = openpyxl.load_workbook(path, read_only=(mode == 'ro'))
for sheet in book.worksheets:
    freeze = '-' if mode == 'ro' else (sheet.freeze_panes or '-')
    print('sheet', sheet.title, sheet.max_row, freeze, sep='\t')
    wanted = [r for r in rows if r <= sheet.max_row]
    if wanted:
        # One pass over the rows: the streaming reader starts again from the top for each call.
        for r, cells in enumerate(sheet.iter_rows(min_row=min(wanted), max_row=max(wanted)),
                                  start=min(wanted)):
            if r in wanted:
                print('row', r, *['%r|%s' % (c.value, c.number_format) for c in cells], sep='\t')
)";

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> parts;
  std::stringstream in(line);
  std::string part;
  while (std::getline(in, part, '\t')) parts.push_back(part);
  return parts;
}

class WorkbookRecorderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* candidate : {"/usr/bin/python3", "python3"}) {
      const std::string probe = std::string(candidate) + " -c 'import openpyxl' >/dev/null 2>&1";
      if (std::system(probe.c_str()) == 0) {
        python_ = candidate;
        break;
      }
    }
    if (python_.empty()) GTEST_SKIP() << "python3 with openpyxl is needed to read workbooks back";
    script_ = home_.path() / "read_workbook.py";
    std::ofstream(script_) << kReaderScript;
  }

  // read_only: the reader's streaming mode, for large sheets (it gives no frozen cell).
  std::vector<SheetDump> ReadBack(const fs::path& workbook, std::vector<int> rows,
                                  bool read_only = false) {
    std::string command = python_ + " '" + script_.string() + "' '" + workbook.string() + "' " +
                          (read_only ? "ro" : "rw");
    for (int r : rows) command += " " + std::to_string(r);
    std::vector<SheetDump> sheets;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return sheets;
    std::string output;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    EXPECT_EQ(pclose(pipe), 0) << output;
    std::stringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
      const std::vector<std::string> parts = SplitTabs(line);
      if (parts.size() == 4 && parts[0] == "sheet") {
        sheets.push_back({parts[1], std::stoi(parts[2]), parts[3], {}});
      } else if (parts.size() > 2 && parts[0] == "row" && !sheets.empty()) {
        sheets.back().rows[std::stoi(parts[1])] = {parts.begin() + 2, parts.end()};
      }
    }
    return sheets;
  }

  TempHome home_;
  StillLocalTime clock_;
  std::string python_;
  fs::path script_;
};

const std::vector<std::string> kHeader = {
    "'Time'|General",    "'RPM'|General",      "'TPS'|General",     "'Injection'|General",
    "'Advance'|General", "'Pressure'|General", "'AirTemp'|General", "'EngineTemp'|General",
    "'Voltage'|General", "'AFR1'|General",     "'AFR2'|General",    "'LambdamV'|General"};

TEST_F(WorkbookRecorderTest, HeaderFormatsAndValuesReadBackWithTheHeaderFrozen) {
  WorkbookRecorder recorder(home_.path(), clock_.Source());
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
  WorkbookRecorder recorder(home_.path(), clock_.Source());
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
  WorkbookRecorder recorder(home_.path(), clock_.Source());
  const fs::path file = recorder.Start(4).file;
  for (int i = 1; i <= 40000; ++i) recorder.Append(Sample(static_cast<float>(i), 1000.0f));
  recorder.Stop();
  EXPECT_EQ(recorder.Failures(), 0u);
  const std::vector<SheetDump> sheets = ReadBack(file, {32768, 40001}, /*read_only=*/true);
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(sheets[0].max_row, 40001);
  EXPECT_EQ(sheets[0].rows.at(32768).at(0), "32767|0.000");
  EXPECT_EQ(sheets[0].rows.at(40001).at(0), "40000|0.000");
}

TEST_F(WorkbookRecorderTest, AFullSheetGoesOnInANewSheetWithItsOwnHeader) {
  WorkbookOptions options;
  options.rows_per_sheet = 3;  // the header and two passes
  WorkbookRecorder recorder(home_.path(), clock_.Source(), options);
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
  WorkbookRecorder recorder(home_.path(), clock_.Source());
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
    WorkbookRecorder recorder(home_.path(), clock_.Source());
    recorder.Start(4);
    recorder.Append(Sample(7.0f, 1000.0f));
  }
  EXPECT_THAT(FileNames(home_.Measures()), ElementsAre("Mesures14h3005.xlsx"));
  const std::vector<SheetDump> sheets = ReadBack(home_.Measures() / "Mesures14h3005.xlsx", {2});
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(sheets[0].rows.at(2).at(0), "7|0.000");
}

}  // namespace
}  // namespace velkor
