#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/file_system.hpp"
#include "core/number_format.hpp"
#include "livedata/cycle_hooks.hpp"
#include "livedata/live_sample.hpp"
#include "recording/record_format.hpp"

namespace velkor {

// A recording file whose every line reaches the operating system before the call returns: a
// crash or a pulled plug loses at most the line being written.
class WriteThroughFile {
 public:
  // Files are created through `files`; null: through the C library.
  explicit WriteThroughFile(FileSystem* files) : files_(files) {}
  WriteThroughFile(const WriteThroughFile&) = delete;
  WriteThroughFile& operator=(const WriteThroughFile&) = delete;

  // Creates a new file in `folder` (made when missing) named after `time`, TextRecordingName.
  // A name already taken by a text recording or its .csv gets "-2", "-3", ... before the
  // extension, so two recordings of the same second never share a file. False when no file
  // could be created.
  bool Create(const std::filesystem::path& folder, const LocalDateTime& time);
  // False on any write error (a full disk): the lines written before stay in the file, and the
  // next lines are still tried.
  bool Write(std::string_view text);
  void Close() { file_.reset(); }

  bool IsOpen() const { return file_ != nullptr; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  FileSystem* files_;
  std::unique_ptr<WritableFile> file_;
  std::filesystem::path path_;
};

// Writes the text recording `text_file` as its .csv (CsvPathFor) without any double quote,
// replacing an older file of that name in one step, then deletes the text file. Returns the
// .csv path; nothing when the text file is missing or the .csv could not be written, in which
// case the text file is kept as it was.
std::optional<std::filesystem::path> ConvertToCsv(const std::filesystem::path& text_file,
                                                  FileSystem& file_system);

// The recording of the box `chCSV`: one semicolon line per pass in the user's number format,
// turned into a .csv file when the box is cleared.
//
//   idle --Start--> recording <file>.txt --Stop / destruction--> idle, <file>.csv
class CsvRecorder : public SampleRecorder {
 public:
  CsvRecorder(std::filesystem::path home, NumberLocale locale, FileSystem& file_system,
              LocalTimeSource now = SystemLocalTime);
  // Converts a recording still open: an orderly exit never loses one.
  ~CsvRecorder() override;

  // Box ticked: creates the text file under <home>/Mesures and writes the header. Returns the
  // text file; nothing when it could not be created. Already recording: the current file.
  std::optional<std::filesystem::path> Start();
  // Box cleared: closes and converts. Returns the .csv, or the text file when the conversion
  // failed; empty when nothing was recording.
  std::vector<std::filesystem::path> Stop();

  void Append(const LiveSample& sample) override;

  bool Recording() const { return file_.IsOpen(); }
  const std::filesystem::path& CurrentFile() const { return file_.Path(); }
  // Passes that could not be written since Start (a full disk): the file keeps the ones before.
  std::uint64_t FailedWrites() const { return failed_writes_; }

 private:
  std::filesystem::path folder_;
  NumberLocale locale_;
  FileSystem& file_system_;
  LocalTimeSource now_;
  WriteThroughFile file_{&file_system_};
  std::uint64_t failed_writes_ = 0;
};

// The comma-separated text recording written when no workbook can be: a new file, with its
// header, every kLinesPerFile passes.
class TextFallbackRecording {
 public:
  static constexpr std::uint32_t kLinesPerFile = 10000;

  // Files are created through `files`; null: through the C library.
  TextFallbackRecording(std::filesystem::path folder, FileSystem* files, LocalTimeSource now);

  bool Start();
  void Append(const LiveSample& sample);
  // Closes the file; the fallback files are not converted.
  std::vector<std::filesystem::path> Stop();

  bool Recording() const { return active_; }
  const std::filesystem::path& CurrentFile() const { return file_.Path(); }
  std::uint64_t FailedWrites() const { return failed_writes_; }

 private:
  bool OpenNextFile();

  bool active_ = false;

  std::filesystem::path folder_;
  LocalTimeSource now_;
  WriteThroughFile file_;
  std::uint32_t lines_in_file_ = 0;
  std::vector<std::filesystem::path> files_;
  std::uint64_t failed_writes_ = 0;
};

}  // namespace velkor
