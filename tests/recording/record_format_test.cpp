#include "recording/record_format.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "c_locale_scope.hpp"
#include "recording_test_support.hpp"

namespace velkor {
namespace {

using testing_support::Sample;

TEST(RecordingNamesTest, TwoDigitPartsMonthBeforeDayAndNoYear) {
  const LocalDateTime time{2031, 1, 5, 4, 3, 9};
  EXPECT_EQ(TextRecordingName(time), "mes0105 -040309.txt");
  EXPECT_EQ(WorkbookName(time), "Mesures04h0309.xlsx");
  EXPECT_EQ(SheetName(time), "04h03");
  EXPECT_EQ(CsvPathFor("/home/u/Mesures/mes0105 -040309.txt"),
            std::filesystem::path("/home/u/Mesures/mes0105 -040309.csv"));
}

TEST(RecordedValueTest, ShortestTextOfTheSinglePrecisionValue) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float value;
    char decimal;
    const char* expected;
  } cases[] = {
      {12.5f, ',', "12,5"},      {12.5f, '.', "12.5"},       {1500.0f, ',', "1500"},
      {0.1f, '.', "0.1"},        {-3.25f, ',', "-3,25"},     {-0.0f, '.', "0"},
      {1.0e7f, '.', "10000000"}, {0.00001f, '.', "0.00001"}, {nan, '.', "0"},
      {inf, '.', "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(FormatRecordedValue(c.value, c.decimal), c.expected);
  }
}

TEST(RecordedLabelTest, NoReadingIsRecordedAsZero) {
  EXPECT_EQ(RecordedLabel("--"), "0");
  EXPECT_EQ(RecordedLabel(" -- "), "0");
  EXPECT_EQ(RecordedLabel("14.7"), "14.7");
  EXPECT_EQ(RecordedLabel("0,987"), "0,987");

  const struct {
    const char* text;
    std::optional<double> expected;
  } numbers[] = {
      {"--", 0.0},           {"14.7", 14.7},     {"0,987", 0.987},       {"-1.5", -1.5},
      {"+2", 2.0},           {"", std::nullopt}, {"lean", std::nullopt}, {"1.2.3", std::nullopt},
      {"1e5", std::nullopt}, {"12 ", 12.0},
  };
  for (const auto& c : numbers) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(LabelNumber(c.text), c.expected);
  }
}

// The window shows the lambda with a period; the semicolon recording writes it in the user's
// separators with three decimals.
TEST(RecordedLambdaTest, WrittenAgainWithThreeDecimalsInTheUserSeparator) {
  const NumberLocale comma{',', ' '};
  const struct {
    const char* label;
    NumberLocale locale;
    const char* expected;
  } cases[] = {
      {"0.450", comma, "0,450"}, {"0.450", NumberLocale::Period(), "0.450"},
      {"1.2", comma, "1,200"},   {"0,987", comma, "0,987"},
      {"--", comma, "0"},        {"", comma, ""},
      {"lean", comma, "lean"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(RecordedLambda(c.label, c.locale), c.expected);
  }
}

TEST(RecordLineTest, SemicolonLinesFollowTheUserLocaleAndTextLinesAPeriod) {
  const NumberLocale comma{',', ' '};
  LiveSample s = Sample(12.5f, 1500.0f);
  s.Pressure = 1013.25f;  // a value where grouping would show
  EXPECT_EQ(CsvHeaderLine(),
            "\"Time;RPM;TPS;Injection;Advance;Pressure;AirTemp;EngineTemp ;Voltage;AFR1;AFR2;"
            "Lambda\"\r\n");
  EXPECT_EQ(CsvLine(s, comma), "\"12,5;1500;3,5;2,25;12;1013,25;21;85;13,8;14.7;0;1,000\"\r\n");
  EXPECT_EQ(TextHeaderLine(),
            "\"Time\",\"RPM\",\"TPS\",\"Injection\",\"Advance\",\"Pressure\",\"AirTemp\","
            "\"EngineTemp \",\"Voltage\",\"AFR1\",\"AFR2\",\"Lambda\"\r\n");
  EXPECT_EQ(TextLine(s), "12.5,1500,3.5,2.25,12,1013.25,21,85,13.8,\"14.7\",0,\"1.000\"\r\n");
}

// On a French desktop the program records with the environment's separators: a comma in the
// semicolon lines (values and lambda alike), a period in the comma-separated ones.
TEST(RecordLineTest, OnAFrenchDesktop) {
  const testing_support::ScopedCLocale french(testing_support::kFrenchLocale);
  ASSERT_TRUE(french.active());
  LiveSample s = Sample(0.2303f, 4346.0f);
  s.Lambda = "0.450";
  EXPECT_EQ(CsvLine(s, NumberLocale::User()),
            "\"0,2303;4346;3,5;2,25;12;1013;21;85;13,8;14.7;0;0,450\"\r\n");
  EXPECT_EQ(TextLine(s), "0.2303,4346,3.5,2.25,12,1013,21,85,13.8,\"14.7\",0,\"0.450\"\r\n");
  EXPECT_EQ(TextRecordingName({2031, 1, 5, 4, 3, 9}), "mes0105 -040309.txt");
}

}  // namespace
}  // namespace velkor
