#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/ctime_it.hpp"
#include "core/file_system.hpp"

namespace velkor {

// Receives every plain trace line (the trace window's list).
class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void AppendTraceLine(const std::string& line) = 0;
};

// The list of plain lines as the trace window keeps it: once it holds more than ten lines its
// first visible line is the tenth from the end.
class TraceList : public TraceSink {
 public:
  static constexpr std::size_t kVisibleLines = 10;
  void AppendTraceLine(const std::string& line) override;
  const std::vector<std::string>& Lines() const { return lines_; }
  std::size_t TopIndex() const { return top_index_; }

 private:
  std::vector<std::string> lines_;
  std::size_t top_index_ = 0;
};

// The trace file: plain lines (the text) and timed lines ("0.000" seconds since the previous
// timed line, ": ", the text), each ended by CR LF and handed to the system at once so that a
// crash keeps everything written before it.
class TraceLog {
 public:
  // The file is opened, written and copied through `files`.
  TraceLog(CTimeIt& stopwatch, FileSystem& files);
  // The same through the C library's files, for the parts not yet handed a FileSystem.
  explicit TraceLog(CTimeIt& stopwatch);
  ~TraceLog();
  TraceLog(const TraceLog&) = delete;
  TraceLog& operator=(const TraceLog&) = delete;

  // Opens the file for writing from the start (an earlier file of that name is replaced).
  bool Open(const std::filesystem::path& path);
  // Opens the file to go on writing at its end (created when missing); timed lines keep
  // counting from the last one written before.
  bool OpenForAppend(const std::filesystem::path& path);
  // Keeps the trace under the name `kept` and goes on there: closes the file, copies it over
  // `kept`, deletes it and reopens the copy for appending. When the copy fails the file stays
  // the trace, with everything written so far, and is reopened for appending. Nothing happens
  // (kFailed) when no file was ever opened.
  FileSystem::CopyResult KeepAs(const std::filesystem::path& kept);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  const std::filesystem::path& Path() const { return path_; }
  // Lines that did not reach the file since it was opened (a full disk): the file keeps every
  // line written before, and the trace window still shows the plain ones.
  std::uint64_t FailedWrites() const { return failed_writes_; }

  void SetSink(TraceSink* sink) { sink_ = sink; }
  // Decimal separator of the timed lines (the user's locale).
  void SetDecimalSeparator(char separator) { decimal_separator_ = separator; }

  // Does nothing while no file is open.
  void WriteTrace(std::string_view text, bool timed = false);

 private:
  bool OpenFile(const std::filesystem::path& path, FileSystem::WriteMode mode);
  void WriteLine(std::string_view line);

  CTimeIt& stopwatch_;
  FileSystem* files_ = nullptr;  // null: the C library's files
  std::unique_ptr<WritableFile> file_;
  std::filesystem::path path_;
  TraceSink* sink_ = nullptr;
  char decimal_separator_ = '.';
  float previous_ = 0.0f;  // held in single precision, as the timed lines always were
  std::uint64_t failed_writes_ = 0;
};

}  // namespace velkor
