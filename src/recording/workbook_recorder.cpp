#include "recording/workbook_recorder.hpp"

#include <xlsxwriter.h>

#include <charconv>
#include <set>
#include <string>
#include <system_error>
#include <utility>

#include "config/settings.hpp"
#include "core/ecu_family.hpp"

namespace velkor {

namespace fs = std::filesystem;

namespace {

constexpr int kNameAttempts = 100;

constexpr const char* kCaptions[12] = {"Time",    "RPM",      "TPS",     "Injection",
                                       "Advance", "Pressure", "AirTemp", "EngineTemp",
                                       "Voltage", "AFR1",     "AFR2",    "LambdamV"};

// The cell value of a single-precision reading: the double of its shortest decimal text, so
// that 0.1f shows as 0.1 and not 0.100000001490116 in the cell.
double CellValue(float value) {
  const std::string text = FormatRecordedValue(value, '.');
  double number = 0;
  std::from_chars(text.data(), text.data() + text.size(), number);
  return number;
}

fs::path WorkbookCandidate(const fs::path& folder, const std::string& base, int attempt) {
  if (attempt == 1) return folder / base;
  const std::string stem = base.substr(0, base.size() - 5);
  return folder / (stem + "-" + std::to_string(attempt) + ".xlsx");
}

}  // namespace

std::string_view RecordingStatusText(WorkbookMode mode) {
  switch (mode) {
    case WorkbookMode::kWorkbook:
      return "Traces Excel";
    case WorkbookMode::kTextFallback:
      return "Traces textuelles";
    case WorkbookMode::kIdle:
      break;
  }
  return {};
}

// One workbook being written, from its creation to its save.
class WorkbookRecorder::Workbook {
 public:
  Workbook(fs::path path, const fs::path& temp_folder, int ecu_type, std::uint32_t rows_per_sheet)
      : path_(std::move(path)),
        path_text_(path_.string()),
        temp_folder_(temp_folder.string()),
        ecu_type_(ecu_type),
        rows_per_sheet_(rows_per_sheet < 2 ? 2 : rows_per_sheet) {
    // Rows go to the disk as they are written, so a long recording needs no memory.
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

  // A workbook neither begun nor saved leaves no file behind.
  ~Workbook() {
    if (workbook_ != nullptr) lxw_workbook_free(workbook_);
  }
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  // The first sheet, named after `time`. False when the workbook cannot hold rows (its
  // temporary file could not be made).
  bool Begin(const LocalDateTime& time) { return workbook_ != nullptr && AddSheet(time); }

  bool WriteRow(const LiveSample& s, const LocalTimeSource& now) {
    if (sheet_ == nullptr) return false;
    if (next_row_ >= rows_per_sheet_ && !AddSheet(now())) return false;
    const lxw_row_t row = next_row_++;
    const struct {
      float value;
      lxw_format* format;
    } numbers[9] = {{s.Time, time_},      {s.RPM, whole_},
                    {s.TPS, tenths_},     {s.Injection, hundredths_},
                    {s.Advance, nullptr}, {s.Pressure, tenths_},
                    {s.AirTemp, nullptr}, {s.EngineTemp, nullptr},
                    {s.Voltage, tenths_}};
    bool written = true;
    lxw_col_t column = 0;
    for (const auto& n : numbers) {
      written &= worksheet_write_number(sheet_, row, column++, CellValue(n.value), n.format) ==
                 LXW_NO_ERROR;
    }
    // The labels hold numbers as text; a cell gets the number so that it can be charted.
    for (const std::string* label : {&s.AFR1, &s.AFR2, &s.Lambda}) {
      const std::optional<double> number = LabelNumber(*label);
      const lxw_error error =
          number ? worksheet_write_number(sheet_, row, column, *number, nullptr)
                 : worksheet_write_string(sheet_, row, column, label->c_str(), nullptr);
      written &= error == LXW_NO_ERROR;
      ++column;
    }
    return written;
  }

  bool Save() {
    if (workbook_ == nullptr) return false;
    const lxw_error error = workbook_close(workbook_);
    workbook_ = nullptr;
    sheet_ = nullptr;
    return error == LXW_NO_ERROR;
  }

  const fs::path& Path() const { return path_; }

 private:
  bool AddSheet(const LocalDateTime& time) {
    std::string name = SheetName(time);
    for (int n = 2; sheet_names_.count(name) != 0; ++n) {
      name = SheetName(time) + " (" + std::to_string(n) + ")";
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook_, name.c_str());
    if (sheet == nullptr) return false;
    sheet_names_.insert(name);
    sheet_ = sheet;
    for (lxw_col_t column = 0; column < 12; ++column) {
      worksheet_write_string(sheet_, 0, column, Caption(column), nullptr);
    }
    // The header row stays in view while the rows below scroll.
    worksheet_freeze_panes(sheet_, 1, 0);
    worksheet_set_selection(sheet_, 1, 0, 1, 0);
    next_row_ = 1;
    return true;
  }

  const char* Caption(lxw_col_t column) const {
    if (ecu_type_ == Eobd) {
      if (column == 3) return "LOAD %";
      if (column == 4) return "Mass Air cg/s";
      if (column == 8) return "Speed";
    }
    return kCaptions[column];
  }

  fs::path path_;
  std::string path_text_;
  std::string temp_folder_;
  int ecu_type_;
  std::uint32_t rows_per_sheet_;
  lxw_workbook* workbook_ = nullptr;
  lxw_worksheet* sheet_ = nullptr;
  lxw_format* time_ = nullptr;
  lxw_format* whole_ = nullptr;
  lxw_format* tenths_ = nullptr;
  lxw_format* hundredths_ = nullptr;
  lxw_row_t next_row_ = 0;  // 0-based: row 0 is the header
  std::set<std::string> sheet_names_;
};

WorkbookRecorder::WorkbookRecorder(fs::path home, FileSystem& files, LocalTimeSource now,
                                   WorkbookOptions options)
    : WorkbookRecorder(std::move(home), &files, std::move(now), std::move(options)) {}

WorkbookRecorder::WorkbookRecorder(fs::path home, LocalTimeSource now, WorkbookOptions options)
    : WorkbookRecorder(std::move(home), nullptr, std::move(now), std::move(options)) {}

WorkbookRecorder::WorkbookRecorder(fs::path home, FileSystem* files, LocalTimeSource now,
                                   WorkbookOptions options)
    : folder_(MeasuresFolder(home)),
      files_(files),
      now_(std::move(now)),
      options_(std::move(options)),
      fallback_(folder_, files_, now_) {}

WorkbookRecorder::~WorkbookRecorder() { Stop(); }

std::uint64_t WorkbookRecorder::Failures() const { return failures_ + fallback_.FailedWrites(); }

WorkbookStart WorkbookRecorder::Start(int ecu_type) {
  if (mode_ == WorkbookMode::kWorkbook) {
    return {mode_, workbook_ != nullptr ? workbook_->Path() : fs::path()};
  }
  if (mode_ == WorkbookMode::kTextFallback) return {mode_, fallback_.CurrentFile()};
  ecu_type_ = ecu_type;
  saved_.clear();
  path_to_offer_.reset();
  failures_ = 0;
  if (OpenWorkbook()) {
    mode_ = WorkbookMode::kWorkbook;
    return {mode_, workbook_->Path()};
  }
  FallBackToText();
  return {mode_, mode_ == WorkbookMode::kIdle ? fs::path() : fallback_.CurrentFile()};
}

bool WorkbookRecorder::OpenWorkbook() {
  if (!options_.workbooks_available) return false;
  std::error_code ignored;
  fs::create_directories(folder_, ignored);
  const LocalDateTime time = now_();
  const std::string base = WorkbookName(time);
  for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
    const fs::path candidate = WorkbookCandidate(folder_, base, attempt);
    // The workbook is written only when it is saved: make sure now that the file can be
    // created there, and keep no file under its name until then.
    constexpr FileSystem::WriteMode kNew = FileSystem::WriteMode::kCreateNew;
    const bool created = (files_ != nullptr ? files_->OpenForWriting(candidate, kNew)
                                            : OpenPlainFile(candidate, kNew)) != nullptr;
    if (!created) {
      if (fs::exists(fs::symlink_status(candidate, ignored))) continue;
      return false;
    }
    if (files_ != nullptr) {
      files_->Remove(candidate);
    } else {
      fs::remove(candidate, ignored);
    }
    const fs::path temp_folder = options_.temp_folder.empty() ? folder_ : options_.temp_folder;
    auto workbook =
        std::make_unique<Workbook>(candidate, temp_folder, ecu_type_, options_.rows_per_sheet);
    if (!workbook->Begin(time)) return false;
    workbook_ = std::move(workbook);
    return true;
  }
  return false;
}

bool WorkbookRecorder::SaveWorkbook() {
  if (workbook_ == nullptr) return true;
  const bool saved = workbook_->Save();
  if (saved) {
    saved_.push_back(workbook_->Path());
  } else {
    ++failures_;
  }
  workbook_.reset();
  return saved;
}

void WorkbookRecorder::FallBackToText() {
  mode_ = fallback_.Start() ? WorkbookMode::kTextFallback : WorkbookMode::kIdle;
}

void WorkbookRecorder::Append(const LiveSample& sample) {
  switch (mode_) {
    case WorkbookMode::kIdle:
      return;
    case WorkbookMode::kTextFallback:
      fallback_.Append(sample);
      return;
    case WorkbookMode::kWorkbook:
      break;
  }
  if (workbook_ == nullptr && !OpenWorkbook()) {
    FallBackToText();
    if (mode_ == WorkbookMode::kTextFallback) fallback_.Append(sample);
    return;
  }
  if (!workbook_->WriteRow(sample, now_)) ++failures_;
}

void WorkbookRecorder::RunEnded() {
  if (mode_ == WorkbookMode::kWorkbook) SaveWorkbook();
}

std::vector<fs::path> WorkbookRecorder::Stop() {
  std::vector<fs::path> files;
  switch (mode_) {
    case WorkbookMode::kIdle:
      return {};
    case WorkbookMode::kWorkbook:
      if (SaveWorkbook() && !saved_.empty()) path_to_offer_ = saved_.back();
      break;
    case WorkbookMode::kTextFallback:
      break;
  }
  // A recording that went over to the text fallback half-way keeps its saved workbooks too.
  files = std::exchange(saved_, {});
  for (fs::path& text : fallback_.Stop()) files.push_back(std::move(text));
  mode_ = WorkbookMode::kIdle;
  return files;
}

}  // namespace velkor
