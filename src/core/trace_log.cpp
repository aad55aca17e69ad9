#include "core/trace_log.hpp"

#include <system_error>

#include "core/number_format.hpp"

namespace velkor {

void TraceList::AppendTraceLine(const std::string& line) {
  lines_.push_back(line);
  if (lines_.size() > kVisibleLines) top_index_ = lines_.size() - kVisibleLines;
}

TraceLog::TraceLog(CTimeIt& stopwatch, FileSystem& files) : stopwatch_(stopwatch), files_(&files) {}

TraceLog::TraceLog(CTimeIt& stopwatch) : stopwatch_(stopwatch) {}

TraceLog::~TraceLog() { Close(); }

bool TraceLog::OpenFile(const std::filesystem::path& path, FileSystem::WriteMode mode) {
  Close();
  file_ = files_ != nullptr ? files_->OpenForWriting(path, mode) : OpenPlainFile(path, mode);
  if (file_ == nullptr) return false;
  path_ = path;
  failed_writes_ = 0;
  return true;
}

bool TraceLog::Open(const std::filesystem::path& path) {
  if (!OpenFile(path, FileSystem::WriteMode::kReplace)) return false;
  previous_ = 0.0f;
  return true;
}

bool TraceLog::OpenForAppend(const std::filesystem::path& path) {
  return OpenFile(path, FileSystem::WriteMode::kAppend);
}

FileSystem::CopyResult TraceLog::KeepAs(const std::filesystem::path& kept) {
  if (path_.empty()) return FileSystem::CopyResult::kFailed;
  const std::filesystem::path first = path_;
  Close();
  const FileSystem::CopyResult copied =
      files_ != nullptr ? files_->Copy(first, kept) : CopyPlainFile(first, kept);
  if (copied != FileSystem::CopyResult::kCopied) {
    OpenForAppend(first);
    return copied;
  }
  if (files_ != nullptr) {
    files_->Remove(first);
  } else {
    std::error_code ignored;
    std::filesystem::remove(first, ignored);
  }
  OpenForAppend(kept);
  return copied;
}

void TraceLog::Close() { file_.reset(); }

void TraceLog::WriteLine(std::string_view line) {
  std::string bytes(line);
  bytes += "\r\n";
  if (!file_->Write(bytes)) ++failed_writes_;
}

void TraceLog::WriteTrace(std::string_view text, bool timed) {
  if (file_ == nullptr) return;
  if (timed) {
    stopwatch_.StopNow();
    const float now = static_cast<float>(stopwatch_.Result());
    NumberLocale locale = NumberLocale::Period();
    locale.decimal = decimal_separator_;
    std::string line = FormatNumber(now - previous_, "0.000", locale);
    line += ": ";
    line += text;
    WriteLine(line);
    previous_ = now;
    return;
  }
  WriteLine(text);
  if (sink_ != nullptr) sink_->AppendTraceLine(std::string(text));
}

}  // namespace velkor
