#include "core/trace_log.hpp"

#include "core/number_format.hpp"

namespace velkor {

void TraceList::AppendTraceLine(const std::string& line) {
  lines_.push_back(line);
  if (lines_.size() > kVisibleLines) top_index_ = lines_.size() - kVisibleLines;
}

TraceLog::TraceLog(CTimeIt& stopwatch) : stopwatch_(stopwatch) {}

TraceLog::~TraceLog() { Close(); }

bool TraceLog::Open(const std::filesystem::path& path) {
  Close();
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) return false;
  path_ = path;
  previous_ = 0.0f;
  return true;
}

bool TraceLog::OpenForAppend(const std::filesystem::path& path) {
  Close();
  file_ = std::fopen(path.c_str(), "ab");
  if (file_ == nullptr) return false;
  path_ = path;
  return true;
}

void TraceLog::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

void TraceLog::WriteLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fwrite("\r\n", 1, 2, file_);
  std::fflush(file_);
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
