#include "recording/workbook_journal.hpp"

#include <xlsxwriter.h>

#include <array>
#include <charconv>
#include <set>
#include <string>
#include <vector>

#include "core/ecu_family.hpp"
#include "recording/record_format.hpp"

namespace velkor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kJournalExtension = ".journal";
constexpr std::string_view kHeaderStart = "Velkor workbook journal;1;";
constexpr std::string_view kLineEnd = "\r\n";
// Rows of one sheet, header included: the format's limit.
constexpr lxw_row_t kMaxRows = 1048576;

constexpr const char* kCaptions[12] = {"Time",    "RPM",      "TPS",     "Injection",
                                       "Advance", "Pressure", "AirTemp", "EngineTemp",
                                       "Voltage", "AFR1",     "AFR2",    "LambdamV"};

std::string Escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '%':
        out += "%25";
        break;
      case ';':
        out += "%3B";
        break;
      case '\r':
        out += "%0D";
        break;
      case '\n':
        out += "%0A";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    unsigned value = 0;
    const char* begin = text.data() + i + 1;
    const auto result = std::from_chars(begin, begin + 2, value, 16);
    if (result.ec != std::errc() || result.ptr != begin + 2) return std::nullopt;
    out += static_cast<char>(value);
    i += 2;
  }
  return out;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = line.find(';', start);
    fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

// One pass as the journal holds it.
struct JournalRow {
  std::array<double, 9> numbers{};
  std::array<std::string, 3> labels;
};

std::optional<JournalRow> ParseRow(std::string_view line) {
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.size() != 13 || fields[0] != "R") return std::nullopt;
  JournalRow row;
  for (std::size_t i = 0; i < 9; ++i) {
    const std::string_view text = fields[i + 1];
    const auto result = std::from_chars(text.data(), text.data() + text.size(), row.numbers[i],
                                        std::chars_format::fixed);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
      return std::nullopt;
    }
  }
  for (std::size_t i = 0; i < 3; ++i) {
    std::optional<std::string> label = Unescaped(fields[i + 10]);
    if (!label) return std::nullopt;
    row.labels[i] = std::move(*label);
  }
  return row;
}

// The workbook library's workbook, from its creation to its close.
class WorkbookWriter {
 public:
  WorkbookWriter(const fs::path& path, const fs::path& temp_folder, int ecu_type)
      : path_text_(path.string()), temp_folder_(temp_folder.string()), ecu_type_(ecu_type) {
    // Rows go to the library's temporary files as they are written: a long recording needs
    // no memory.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = temp_folder_.data();
    workbook_ = workbook_new_opt(path_text_.c_str(), &options);
    if (workbook_ == nullptr) return;
    const struct {
      lxw_format** format;
      const char* pattern;
    } formats[] = {{&time_, "0.000"}, {&whole_, "0"}, {&tenths_, "0.0"}, {&hundredths_, "0.00"}};
    for (const auto& f : formats) {
      *f.format = workbook_add_format(workbook_);
      if (*f.format != nullptr) format_set_num_format(*f.format, f.pattern);
    }
  }
  ~WorkbookWriter() {
    if (workbook_ != nullptr) lxw_workbook_free(workbook_);
  }
  WorkbookWriter(const WorkbookWriter&) = delete;
  WorkbookWriter& operator=(const WorkbookWriter&) = delete;

  bool AddSheet(const std::string& base_name) {
    if (workbook_ == nullptr) return false;
    std::string name = base_name;
    for (int n = 2; sheet_names_.count(name) != 0; ++n) {
      name = base_name + " (" + std::to_string(n) + ")";
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook_, name.c_str());
    if (sheet == nullptr) return false;
    sheet_names_.insert(name);
    base_name_ = base_name;
    sheet_ = sheet;
    bool written = true;
    for (lxw_col_t column = 0; column < 12; ++column) {
      written &=
          worksheet_write_string(sheet_, 0, column, Caption(column), nullptr) == LXW_NO_ERROR;
    }
    // The header row stays in view while the rows below scroll.
    worksheet_freeze_panes(sheet_, 1, 0);
    worksheet_set_selection(sheet_, 1, 0, 1, 0);
    next_row_ = 1;
    return written;
  }

  bool WriteRow(const JournalRow& r) {
    if (sheet_ == nullptr && !AddSheet("Mesures")) return false;
    // A sheet the format cannot make longer goes on in the next one.
    if (next_row_ >= kMaxRows && !AddSheet(base_name_)) return false;
    const lxw_row_t row = next_row_++;
    lxw_format* const formats[9] = {time_,   whole_,  tenths_, hundredths_, nullptr,
                                    tenths_, nullptr, nullptr, tenths_};
    bool written = true;
    lxw_col_t column = 0;
    for (std::size_t i = 0; i < 9; ++i) {
      written &=
          worksheet_write_number(sheet_, row, column++, r.numbers[i], formats[i]) == LXW_NO_ERROR;
    }
    // The labels hold numbers as text; a cell gets the number so that it can be charted.
    for (const std::string& label : r.labels) {
      const std::optional<double> number = LabelNumber(label);
      const lxw_error error =
          number ? worksheet_write_number(sheet_, row, column, *number, nullptr)
                 : worksheet_write_string(sheet_, row, column, label.c_str(), nullptr);
      written &= error == LXW_NO_ERROR;
      ++column;
    }
    return written;
  }

  bool Close() {
    if (workbook_ == nullptr) return false;
    if (sheet_ == nullptr && !AddSheet("Mesures")) return false;
    const lxw_error error = workbook_close(workbook_);
    workbook_ = nullptr;
    return error == LXW_NO_ERROR;
  }

 private:
  const char* Caption(lxw_col_t column) const {
    if (ecu_type_ == Eobd) {
      if (column == 3) return "LOAD %";
      if (column == 4) return "Mass Air cg/s";
      if (column == 8) return "Speed";
    }
    return kCaptions[column];
  }

  std::string path_text_;
  std::string temp_folder_;
  int ecu_type_;
  lxw_workbook* workbook_ = nullptr;
  lxw_worksheet* sheet_ = nullptr;
  lxw_format* time_ = nullptr;
  lxw_format* whole_ = nullptr;
  lxw_format* tenths_ = nullptr;
  lxw_format* hundredths_ = nullptr;
  lxw_row_t next_row_ = 0;  // 0-based: row 0 is the header
  std::string base_name_;
  std::set<std::string> sheet_names_;
};

// Writes the workbook of the journal's lines to `scratch`; false when the library failed.
bool WriteWorkbook(std::string_view lines, int ecu_type, const fs::path& scratch,
                   const fs::path& temp_folder) {
  WorkbookWriter writer(scratch, temp_folder, ecu_type);
  bool written = true;
  std::size_t start = 0;
  while (start < lines.size()) {
    const std::size_t end = lines.find(kLineEnd, start);
    // The last line without its end is the pass being written when the program stopped.
    if (end == std::string_view::npos) break;
    const std::string_view line = lines.substr(start, end - start);
    start = end + kLineEnd.size();
    if (line.starts_with("S;")) {
      written &= writer.AddSheet(std::string(line.substr(2)));
    } else if (const std::optional<JournalRow> row = ParseRow(line)) {
      written &= writer.WriteRow(*row);
    }
    // Anything else (bytes a power cut left behind) is no pass.
  }
  return writer.Close() && written;
}

}  // namespace

fs::path JournalPathFor(const fs::path& workbook) {
  fs::path journal = workbook;
  journal += std::string(kJournalExtension);
  return journal;
}

std::optional<fs::path> WorkbookPathFor(const fs::path& journal) {
  const std::string name = journal.filename().string();
  if (!name.ends_with(".xlsx.journal")) return std::nullopt;
  return journal.parent_path() / name.substr(0, name.size() - kJournalExtension.size());
}

std::string JournalHeaderLine(int ecu_type) {
  return std::string(kHeaderStart) + std::to_string(ecu_type) + std::string(kLineEnd);
}

std::string JournalSheetLine(std::string_view sheet_name) {
  return "S;" + Escaped(sheet_name) + std::string(kLineEnd);
}

std::string JournalRowLine(const LiveSample& s) {
  std::string line = "R";
  for (float value : {s.Time, s.RPM, s.TPS, s.Injection, s.Advance, s.Pressure, s.AirTemp,
                      s.EngineTemp, s.Voltage}) {
    line += ';';
    line += FormatRecordedValue(value, '.');
  }
  for (const std::string* label : {&s.AFR1, &s.AFR2, &s.Lambda}) {
    line += ';';
    line += Escaped(*label);
  }
  return line + std::string(kLineEnd);
}

std::optional<fs::path> BuildWorkbook(const fs::path& journal, FileSystem& files,
                                      const fs::path& scratch_folder) {
  const std::optional<fs::path> workbook = WorkbookPathFor(journal);
  if (!workbook) return std::nullopt;
  std::string bytes;
  if (files.ReadFile(journal, bytes) != FileSystem::ReadResult::kOk) return std::nullopt;
  const std::size_t header_end = bytes.find(kLineEnd);
  if (!bytes.starts_with(kHeaderStart) || header_end == std::string::npos) return std::nullopt;
  int ecu_type = 0;
  const char* type_begin = bytes.data() + kHeaderStart.size();
  const char* type_end = bytes.data() + header_end;
  const auto parsed = std::from_chars(type_begin, type_end, ecu_type);
  if (parsed.ec != std::errc() || parsed.ptr != type_end) return std::nullopt;

  const fs::path temp_folder = scratch_folder.empty() ? journal.parent_path() : scratch_folder;
  fs::path scratch = temp_folder / workbook->filename();
  scratch += ".part";
  const std::string_view lines = std::string_view(bytes).substr(header_end + kLineEnd.size());
  std::string built;
  const bool written = WriteWorkbook(lines, ecu_type, scratch, temp_folder) &&
                       files.ReadFile(scratch, built) == FileSystem::ReadResult::kOk;
  files.Remove(scratch);
  if (!written || built.empty()) return std::nullopt;

  // The library writes its file as it goes: the workbook takes its name only once it is whole,
  // so that a full disk or a crash never leaves a workbook cut short under it.
  const std::optional<fs::path> temp = files.WriteTempFile(*workbook, built);
  if (!temp) return std::nullopt;
  if (!files.Rename(*temp, *workbook)) {
    files.Remove(*temp);
    return std::nullopt;
  }
  // The journal goes only once the workbook is on the disk for good.
  if (files.SyncFolder(workbook->parent_path())) files.Remove(journal);
  return workbook;
}

}  // namespace velkor
