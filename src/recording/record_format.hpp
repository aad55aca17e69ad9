#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/number_format.hpp"
#include "livedata/live_sample.hpp"

namespace velkor {

// The local date and time that recording names are made of.
struct LocalDateTime {
  int year = 2000;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Where recorders take the time for their file names; tests give a fixed one.
using LocalTimeSource = std::function<LocalDateTime()>;

// The wall-clock time of this machine in its local time zone.
LocalDateTime SystemLocalTime();

// ---- Names (two digits each, month before day, never the year) ---------------------------------

// "mes" MM DD " -" hh mm ss ".txt", e.g. "mes0125 -143005.txt".
std::string TextRecordingName(const LocalDateTime& time);
// The text recording's name with ".csv" in place of its last four characters.
std::filesystem::path CsvPathFor(const std::filesystem::path& text_recording);
// "Mesures" hh "h" mm ss ".xlsx", e.g. "Mesures14h3005.xlsx".
std::string WorkbookName(const LocalDateTime& time);
// hh "h" mm, e.g. "14h30".
std::string SheetName(const LocalDateTime& time);

// ---- Values and lines --------------------------------------------------------------------------

// The twelve column names of the text recordings, in record order. "EngineTemp " keeps the
// trailing space that files written so far carry.
inline constexpr std::string_view kRecordColumnNames[12] = {
    "Time",    "RPM",         "TPS",     "Injection", "Advance", "Pressure",
    "AirTemp", "EngineTemp ", "Voltage", "AFR1",      "AFR2",    "Lambda"};

// The shortest text that reads back as the same single-precision value, never in exponent
// form and without grouping, with `decimal` as separator. NaN and infinities are written 0.
std::string FormatRecordedValue(float value, char decimal);

// An AFR or lambda label as recorded: its text, or "0" while it shows "--" (no reading).
std::string RecordedLabel(std::string_view label_text);

// The lambda label as the semicolon recording holds it: its value written again with "0.000" in
// the separators of `locale` (the window writes it with a period), "0" while it shows "--", and
// any text that is no number as it stands.
std::string RecordedLambda(std::string_view label_text, const NumberLocale& locale);

// The label as a number for a workbook cell: 0 for "--", the value of a decimal text written
// with a period or a comma, nothing for any other text.
std::optional<double> LabelNumber(std::string_view label_text);

// Lines of the semicolon recording: the whole line in double quotes, CR LF at the end. Values 1
// to 9 and the lambda use the decimal separator of `locale`; the AFR labels go as they read.
std::string CsvHeaderLine();
std::string CsvLine(const LiveSample& sample, const NumberLocale& locale);

// Lines of the comma-separated text recording that stands in for a workbook: quoted names,
// values with a period whatever the user's settings, labels quoted (or a bare 0), CR LF.
std::string TextHeaderLine();
std::string TextLine(const LiveSample& sample);

}  // namespace velkor
