#include "recording/workbook_recorder.hpp"

#include <algorithm>
#include <string>
#include <system_error>
#include <utility>

#include "config/settings.hpp"
#include "recording/workbook_journal.hpp"

namespace velkor {

namespace fs = std::filesystem;

namespace {

constexpr int kNameAttempts = 100;

fs::path WorkbookCandidate(const fs::path& folder, const std::string& base, int attempt) {
  if (attempt == 1) return folder / base;
  const std::string stem = base.substr(0, base.size() - 5);
  return folder / (stem + "-" + std::to_string(attempt) + ".xlsx");
}

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
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

WorkbookRecorder::WorkbookRecorder(fs::path home, FileSystem& files, LocalTimeSource now,
                                   WorkbookOptions options)
    : folder_(MeasuresFolder(home)),
      files_(files),
      now_(std::move(now)),
      options_(std::move(options)),
      journal_(&files_),
      fallback_(folder_, &files_, now_) {
  if (options_.rows_per_sheet < 2) options_.rows_per_sheet = 2;
}

WorkbookRecorder::~WorkbookRecorder() {
  // Whoever listened may be gone by now.
  on_failure_ = nullptr;
  Stop();
}

WorkbookStart WorkbookRecorder::Start(int ecu_type) {
  if (mode_ == WorkbookMode::kWorkbook) return {mode_, workbook_};
  if (mode_ == WorkbookMode::kTextFallback) return {mode_, fallback_.CurrentFile()};
  ecu_type_ = ecu_type;
  saved_.clear();
  path_to_offer_.reset();
  failure_.reset();
  if (OpenWorkbook()) {
    mode_ = WorkbookMode::kWorkbook;
    return {mode_, workbook_};
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
    const fs::path journal = JournalPathFor(candidate);
    if (Exists(candidate) || Exists(journal)) continue;
    if (!journal_.CreateAt(journal)) {
      if (Exists(journal)) continue;
      return false;
    }
    // The header and the first sheet in one write: a journal holds both or nothing.
    if (!journal_.Write(JournalHeaderLine(ecu_type_) + JournalSheetLine(SheetName(time)))) {
      journal_.Discard();
      return false;
    }
    workbook_ = candidate;
    rows_in_sheet_ = 0;
    return true;
  }
  return false;
}

bool WorkbookRecorder::CloseWorkbook() {
  if (!journal_.IsOpen()) return true;
  const fs::path journal = journal_.Path();
  journal_.Close();
  const std::optional<fs::path> built = BuildWorkbook(journal, files_, options_.temp_folder);
  saved_.push_back(built ? *built : journal);
  return built.has_value();
}

void WorkbookRecorder::FallBackToText() {
  mode_ = fallback_.Start() ? WorkbookMode::kTextFallback : WorkbookMode::kIdle;
}

void WorkbookRecorder::Fail(const fs::path& file, std::vector<fs::path> kept) {
  mode_ = WorkbookMode::kIdle;
  saved_.clear();
  const bool finished = std::none_of(kept.begin(), kept.end(), [](const fs::path& path) {
    return WorkbookPathFor(path).has_value();  // a journal whose workbook could not be built
  });
  failure_ = RecordingFailure{file, std::move(kept), finished};
  // Last: the handler may show a message, and the window may start a new recording meanwhile.
  if (on_failure_) on_failure_(*failure_);
}

void WorkbookRecorder::Append(const LiveSample& sample) {
  switch (mode_) {
    case WorkbookMode::kIdle:
      return;
    case WorkbookMode::kTextFallback:
      if (!fallback_.Append(sample)) {
        std::vector<fs::path> kept = std::exchange(saved_, {});
        for (const fs::path& file : fallback_.LastFailure()->kept) kept.push_back(file);
        Fail(fallback_.LastFailure()->file, std::move(kept));
      }
      return;
    case WorkbookMode::kWorkbook:
      break;
  }
  if (!journal_.IsOpen() && !OpenWorkbook()) {
    FallBackToText();
    if (mode_ == WorkbookMode::kIdle) {
      Fail(folder_, std::exchange(saved_, {}));
      return;
    }
    Append(sample);
    return;
  }
  std::string lines;
  // A full sheet goes on in a new one, named after the time it begins.
  if (rows_in_sheet_ + 1 >= options_.rows_per_sheet) {
    lines = JournalSheetLine(SheetName(now_()));
    rows_in_sheet_ = 0;
  }
  lines += JournalRowLine(sample);
  ++rows_in_sheet_;
  if (journal_.Write(lines)) return;
  const fs::path journal = journal_.Path();
  CloseWorkbook();
  Fail(journal, std::exchange(saved_, {}));
}

void WorkbookRecorder::RunEnded() {
  if (mode_ != WorkbookMode::kWorkbook || CloseWorkbook()) return;
  Fail(workbook_, std::exchange(saved_, {}));
}

std::vector<fs::path> WorkbookRecorder::Stop() {
  switch (mode_) {
    case WorkbookMode::kIdle:
      return {};
    case WorkbookMode::kWorkbook:
      if (!CloseWorkbook()) {
        std::vector<fs::path> kept = saved_;
        Fail(workbook_, std::exchange(saved_, {}));
        return kept;
      }
      if (!saved_.empty()) path_to_offer_ = saved_.back();
      break;
    case WorkbookMode::kTextFallback:
      break;
  }
  // A recording that went over to the text fallback half-way keeps its workbooks too.
  std::vector<fs::path> files = std::exchange(saved_, {});
  for (fs::path& text : fallback_.Stop()) files.push_back(std::move(text));
  mode_ = WorkbookMode::kIdle;
  return files;
}

}  // namespace velkor
