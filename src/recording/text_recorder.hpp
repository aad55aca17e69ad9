#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
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

// A recording that stopped at its first failed write (a full disk, a drive taken away).
struct RecordingFailure {
  std::filesystem::path file;  // the file that could not be written
  // The files that hold every pass written before the failure. A working file among them (a
  // text recording's .txt, a workbook's journal) is finished at the next start, when the disk
  // has room again.
  std::vector<std::filesystem::path> kept;
  // False while a working file among `kept` waits for the next start to be finished.
  bool finished = true;
};
using RecordingFailureHandler = std::function<void(const RecordingFailure&)>;

// A recording file whose every line is on the disk before the call returns: a crash or a
// pulled plug loses at most the line being written.
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
  // Creates `file`, which must not exist yet.
  bool CreateAt(const std::filesystem::path& file);
  // False on a write error (a full disk): the lines written before stay in the file; the
  // end of this one may have gone in, which the conversions leave out.
  bool Write(std::string_view text);
  void Close() { file_.reset(); }
  // Closes the file and removes it: a file that could not even take its header.
  void Discard();

  bool IsOpen() const { return file_ != nullptr; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  FileSystem* files_;
  std::unique_ptr<WritableFile> file_;
  std::filesystem::path path_;
};

// Writes the text recording `text_file` as its .csv (CsvPathFor) without any double quote,
// replacing an older file of that name in one step, then deletes the text file. A last line
// without its line end (the pass being written when a crash came, or the part of it a full disk
// took) is left out. Returns the
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

  // A pass that cannot be written stops the recording: the file is closed and converted (left
  // as it is when the disk has no room for the .csv), and `on_failure` is told, last.
  void Append(const LiveSample& sample) override;

  void SetOnFailure(RecordingFailureHandler on_failure) { on_failure_ = std::move(on_failure); }
  bool Recording() const { return file_.IsOpen(); }
  const std::filesystem::path& CurrentFile() const { return file_.Path(); }
  // How the last recording stopped, when a write failed; cleared by Start.
  const std::optional<RecordingFailure>& LastFailure() const { return failure_; }

 private:
  std::filesystem::path folder_;
  NumberLocale locale_;
  FileSystem& file_system_;
  LocalTimeSource now_;
  WriteThroughFile file_{&file_system_};
  std::optional<RecordingFailure> failure_;
  RecordingFailureHandler on_failure_;
};

// The comma-separated text recording written when no workbook can be: a new file, with its
// header, every kLinesPerFile passes.
class TextFallbackRecording {
 public:
  static constexpr std::uint32_t kLinesPerFile = 10000;

  // Files are created through `files`; null: through the C library.
  TextFallbackRecording(std::filesystem::path folder, FileSystem* files, LocalTimeSource now);

  bool Start();
  // False when the pass could not be written: the recording has stopped then, its files
  // closed, and LastFailure says where.
  bool Append(const LiveSample& sample);
  // Closes the file; the fallback files are not converted.
  std::vector<std::filesystem::path> Stop();

  bool Recording() const { return active_; }
  const std::filesystem::path& CurrentFile() const { return file_.Path(); }
  const std::optional<RecordingFailure>& LastFailure() const { return failure_; }

 private:
  bool OpenNextFile();
  void Fail(const std::filesystem::path& file);

  bool active_ = false;

  std::filesystem::path folder_;
  LocalTimeSource now_;
  WriteThroughFile file_;
  std::uint32_t lines_in_file_ = 0;
  std::vector<std::filesystem::path> files_;
  std::optional<RecordingFailure> failure_;
};

}  // namespace velkor
