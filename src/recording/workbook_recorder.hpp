#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "livedata/cycle_hooks.hpp"
#include "livedata/live_sample.hpp"
#include "recording/record_format.hpp"
#include "recording/text_recorder.hpp"

namespace velkor {

enum class WorkbookMode {
  kIdle,
  kWorkbook,      // passes go to an .xlsx workbook
  kTextFallback,  // no workbook could be written: a comma-separated text recording instead
};

// The status panel text that tells the user which recording runs (empty while idle).
std::string_view RecordingStatusText(WorkbookMode mode);

struct WorkbookOptions {
  // Rows of one sheet, header included: the format's limit. A recording that fills a sheet goes
  // on in a new one.
  std::uint32_t rows_per_sheet = 1048576;
  // Where the workbook keeps its rows until it is saved; empty for the Mesures folder, which
  // has room for a long recording where a memory-backed /tmp may not.
  std::filesystem::path temp_folder;
  // False where no workbook may be written (a machine without the means, a test of the
  // fallback): every recording is the text fallback then.
  bool workbooks_available = true;
};

struct WorkbookStart {
  WorkbookMode mode = WorkbookMode::kIdle;  // kIdle: neither a workbook nor a text file
  std::filesystem::path file;               // the workbook to be saved, or the text file
};

// The recording of the box `Chenregistre`: a workbook under <home>/Mesures, saved when a run
// of the measurement cycle ends, when the box is cleared and when the recorder is destroyed.
// A pass after a saved run starts the next workbook. When no workbook can be written the
// passes go to the text fallback instead.
//
//   idle --Start--> workbook --RunEnded--> saved --Append--> next workbook
//        \                 \--Stop / destruction--> idle (saved)
//         \--(no workbook)--> text fallback --Stop / destruction--> idle (closed)
class WorkbookRecorder : public SampleRecorder {
 public:
  // The workbook's name is tried and the text fallback written through `files`. The workbook
  // itself is written by the workbook library, which opens its files on its own.
  WorkbookRecorder(std::filesystem::path home, FileSystem& files,
                   LocalTimeSource now = SystemLocalTime, WorkbookOptions options = {});
  // The same through the C library's files, for the parts not yet handed a FileSystem.
  explicit WorkbookRecorder(std::filesystem::path home, LocalTimeSource now = SystemLocalTime,
                            WorkbookOptions options = {});
  ~WorkbookRecorder() override;

  // Box ticked. `ecu_type` chooses the captions (EOBD has its own for columns 4, 5 and 9).
  // Already recording: what is running.
  WorkbookStart Start(int ecu_type);
  // Box cleared: saves the workbook or closes the text file. Returns every file this
  // recording wrote (workbooks saved, or text files); empty when nothing was recording.
  std::vector<std::filesystem::path> Stop();

  void Append(const LiveSample& sample) override;
  void RunEnded() override;

  WorkbookMode Mode() const { return mode_; }
  // After Stop: the last workbook saved by that recording, for the offer to open it with the
  // desktop's default application; nothing after a text fallback or a failed save.
  std::optional<std::filesystem::path> PathToOffer() const { return path_to_offer_; }
  // Workbooks that could not be saved and passes that could not be written since Start (a
  // full disk): a text fallback keeps the passes written before.
  std::uint64_t Failures() const;

 private:
  class Workbook;

  WorkbookRecorder(std::filesystem::path home, FileSystem* files, LocalTimeSource now,
                   WorkbookOptions options);

  bool OpenWorkbook();
  // False when the open workbook could not be saved.
  bool SaveWorkbook();
  void FallBackToText();

  std::filesystem::path folder_;
  FileSystem* files_;  // null: the C library's files
  LocalTimeSource now_;
  WorkbookOptions options_;
  WorkbookMode mode_ = WorkbookMode::kIdle;
  int ecu_type_ = 0;
  std::unique_ptr<Workbook> workbook_;
  TextFallbackRecording fallback_;
  std::vector<std::filesystem::path> saved_;
  std::optional<std::filesystem::path> path_to_offer_;
  std::uint64_t failures_ = 0;
};

}  // namespace velkor
