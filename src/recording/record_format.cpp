#include "recording/record_format.hpp"

#include <charconv>
#include <cmath>
#include <ctime>
#include <string>

namespace velkor {

namespace {

std::string TwoDigits(int value) { return FormatNumber(value, "00"); }

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool ShowsNoReading(std::string_view label_text) { return Trimmed(label_text) == "--"; }

// Values 1 to 9 of a sample, in record order.
void NumericValues(const LiveSample& s, float (&values)[9]) {
  const float all[9] = {s.Time,     s.RPM,     s.TPS,        s.Injection, s.Advance,
                        s.Pressure, s.AirTemp, s.EngineTemp, s.Voltage};
  for (int i = 0; i < 9; ++i) values[i] = all[i];
}

}  // namespace

LocalDateTime SystemLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  LocalDateTime time;
  time.year = local.tm_year + 1900;
  time.month = local.tm_mon + 1;
  time.day = local.tm_mday;
  time.hour = local.tm_hour;
  time.minute = local.tm_min;
  time.second = local.tm_sec;
  return time;
}

std::string TextRecordingName(const LocalDateTime& time) {
  return "mes" + TwoDigits(time.month) + TwoDigits(time.day) + " -" + TwoDigits(time.hour) +
         TwoDigits(time.minute) + TwoDigits(time.second) + ".txt";
}

std::filesystem::path CsvPathFor(const std::filesystem::path& text_recording) {
  std::string name = text_recording.string();
  name.resize(name.size() >= 4 ? name.size() - 4 : 0);
  return std::filesystem::path(name + ".csv");
}

std::string WorkbookName(const LocalDateTime& time) {
  return "Mesures" + TwoDigits(time.hour) + "h" + TwoDigits(time.minute) + TwoDigits(time.second) +
         ".xlsx";
}

std::string SheetName(const LocalDateTime& time) {
  return TwoDigits(time.hour) + "h" + TwoDigits(time.minute);
}

std::string FormatRecordedValue(float value, char decimal) {
  if (!std::isfinite(value) || value == 0.0f) return "0";
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  std::string written(text, result.ptr);
  for (char& c : written) {
    if (c == '.') c = decimal;
  }
  return written;
}

std::string RecordedLabel(std::string_view label_text) {
  if (ShowsNoReading(label_text)) return "0";
  return std::string(label_text);
}

std::string RecordedLambda(std::string_view label_text, const NumberLocale& locale) {
  if (ShowsNoReading(label_text)) return "0";
  const std::optional<double> value = LabelNumber(label_text);
  if (!value) return std::string(label_text);
  return FormatNumber(*value, "0.000", locale);
}

std::optional<double> LabelNumber(std::string_view label_text) {
  const std::string_view text = Trimmed(label_text);
  if (text == "--") return 0.0;
  if (text.empty()) return std::nullopt;
  std::string normalised(text);
  int separators = 0;
  for (char& c : normalised) {
    if (c == ',') c = '.';
    if (c == '.') ++separators;
  }
  if (separators > 1) return std::nullopt;
  double value = 0;
  const char* begin = normalised.data();
  const char* end = begin + normalised.size();
  if (*begin == '+') ++begin;
  const auto result = std::from_chars(begin, end, value, std::chars_format::fixed);
  if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
  return value;
}

std::string CsvHeaderLine() {
  std::string line = "\"";
  for (int i = 0; i < 12; ++i) {
    if (i > 0) line += ';';
    line += kRecordColumnNames[i];
  }
  return line + "\"\r\n";
}

std::string CsvLine(const LiveSample& sample, const NumberLocale& locale) {
  float values[9];
  NumericValues(sample, values);
  std::string line = "\"";
  for (int i = 0; i < 9; ++i) {
    if (i > 0) line += ';';
    line += FormatRecordedValue(values[i], locale.decimal);
  }
  for (const std::string* label : {&sample.AFR1, &sample.AFR2}) {
    line += ';';
    line += RecordedLabel(*label);
  }
  line += ';';
  line += RecordedLambda(sample.Lambda, locale);
  return line + "\"\r\n";
}

std::string TextHeaderLine() {
  std::string line;
  for (int i = 0; i < 12; ++i) {
    if (i > 0) line += ',';
    line += '"';
    line += kRecordColumnNames[i];
    line += '"';
  }
  return line + "\r\n";
}

std::string TextLine(const LiveSample& sample) {
  float values[9];
  NumericValues(sample, values);
  std::string line;
  for (int i = 0; i < 9; ++i) {
    if (i > 0) line += ',';
    line += FormatRecordedValue(values[i], '.');
  }
  for (const std::string* label : {&sample.AFR1, &sample.AFR2, &sample.Lambda}) {
    line += ',';
    if (ShowsNoReading(*label)) {
      line += '0';
    } else {
      line += '"';
      line += *label;
      line += '"';
    }
  }
  return line + "\r\n";
}

}  // namespace velkor
