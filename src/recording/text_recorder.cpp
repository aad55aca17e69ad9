#include "recording/text_recorder.hpp"

#include <string>
#include <system_error>
#include <utility>

#include "config/settings.hpp"

namespace velkor {

namespace fs = std::filesystem;

namespace {

// Names tried before giving up: only a folder cluttered on purpose runs out of them.
constexpr int kNameAttempts = 100;

fs::path CandidateName(const fs::path& folder, const std::string& base, int attempt) {
  if (attempt == 1) return folder / base;
  const std::string stem = base.substr(0, base.size() - 4);
  return folder / (stem + "-" + std::to_string(attempt) + base.substr(base.size() - 4));
}

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

}  // namespace

bool WriteThroughFile::Create(const fs::path& folder, const LocalDateTime& time) {
  Close();
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  const std::string base = TextRecordingName(time);
  constexpr FileSystem::WriteMode kNew = FileSystem::WriteMode::kCreateNew;
  for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
    const fs::path candidate = CandidateName(folder, base, attempt);
    if (Exists(candidate) || Exists(CsvPathFor(candidate))) continue;
    // A new file only: it fails rather than write into a file that appeared since the check.
    file_ = files_ != nullptr ? files_->OpenForWriting(candidate, kNew)
                              : OpenPlainFile(candidate, kNew);
    if (file_ == nullptr) {
      if (Exists(candidate)) continue;
      return false;
    }
    path_ = candidate;
    return true;
  }
  return false;
}

bool WriteThroughFile::CreateAt(const fs::path& file) {
  Close();
  constexpr FileSystem::WriteMode kNew = FileSystem::WriteMode::kCreateNew;
  file_ = files_ != nullptr ? files_->OpenForWriting(file, kNew) : OpenPlainFile(file, kNew);
  if (file_ == nullptr) return false;
  path_ = file;
  return true;
}

void WriteThroughFile::Discard() {
  if (file_ == nullptr) return;
  Close();
  if (files_ != nullptr) {
    files_->Remove(path_);
  } else {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
}

bool WriteThroughFile::Write(std::string_view text) {
  return file_ != nullptr && file_->Write(text) && file_->Sync();
}

std::optional<fs::path> ConvertToCsv(const fs::path& text_file, FileSystem& file_system) {
  std::string bytes;
  if (file_system.ReadFile(text_file, bytes) != FileSystem::ReadResult::kOk) return std::nullopt;
  const std::size_t last_end = bytes.rfind('\n');
  bytes.resize(last_end == std::string::npos ? 0 : last_end + 1);
  std::erase(bytes, '"');
  const fs::path target = CsvPathFor(text_file);
  const std::optional<fs::path> temp = file_system.WriteTempFile(target, bytes);
  if (!temp) return std::nullopt;
  if (!file_system.Rename(*temp, target)) {
    file_system.Remove(*temp);
    return std::nullopt;
  }
  // The text file goes only once the .csv is on the disk for good.
  if (!file_system.SyncFolder(target.parent_path())) return target;
  file_system.Remove(text_file);
  return target;
}

// ---- CsvRecorder -------------------------------------------------------------------------------

CsvRecorder::CsvRecorder(fs::path home, NumberLocale locale, FileSystem& file_system,
                         LocalTimeSource now)
    : folder_(MeasuresFolder(home)),
      locale_(locale),
      file_system_(file_system),
      now_(std::move(now)) {}

CsvRecorder::~CsvRecorder() { Stop(); }

std::optional<fs::path> CsvRecorder::Start() {
  if (file_.IsOpen()) return file_.Path();
  failure_.reset();
  if (!file_.Create(folder_, now_())) return std::nullopt;
  if (!file_.Write(CsvHeaderLine())) {
    // Not even the header went in: there is no recording to speak of.
    file_.Discard();
    return std::nullopt;
  }
  return file_.Path();
}

std::vector<fs::path> CsvRecorder::Stop() {
  if (!file_.IsOpen()) return {};
  const fs::path text_file = file_.Path();
  file_.Close();
  if (std::optional<fs::path> csv = ConvertToCsv(text_file, file_system_)) return {*csv};
  return {text_file};
}

void CsvRecorder::Append(const LiveSample& sample) {
  if (!file_.IsOpen() || file_.Write(CsvLine(sample, locale_))) return;
  const fs::path text_file = file_.Path();
  const std::vector<fs::path> kept = Stop();
  failure_ = RecordingFailure{text_file, kept, kept.front() != text_file};
  // Last: the handler may show a message, and the window may start a new recording meanwhile.
  if (on_failure_) on_failure_(*failure_);
}

// ---- TextFallbackRecording ---------------------------------------------------------------------

TextFallbackRecording::TextFallbackRecording(fs::path folder, FileSystem* files,
                                             LocalTimeSource now)
    : folder_(std::move(folder)), now_(std::move(now)), file_(files) {}

bool TextFallbackRecording::Start() {
  if (active_) return true;
  files_.clear();
  failure_.reset();
  active_ = OpenNextFile();
  return active_;
}

bool TextFallbackRecording::OpenNextFile() {
  lines_in_file_ = 0;
  if (!file_.Create(folder_, now_())) return false;
  if (!file_.Write(TextHeaderLine())) {
    file_.Discard();
    return false;
  }
  files_.push_back(file_.Path());
  return true;
}

bool TextFallbackRecording::Append(const LiveSample& sample) {
  if (!active_) return true;
  if (lines_in_file_ >= kLinesPerFile) {
    file_.Close();
    if (!OpenNextFile()) {
      Fail(folder_);  // no next file could be made there
      return false;
    }
  }
  ++lines_in_file_;
  if (file_.Write(TextLine(sample))) return true;
  Fail(file_.Path());
  return false;
}

void TextFallbackRecording::Fail(const fs::path& file) {
  failure_ = RecordingFailure{file, Stop(), true};
}

std::vector<fs::path> TextFallbackRecording::Stop() {
  active_ = false;
  file_.Close();
  return std::exchange(files_, {});
}

}  // namespace velkor
