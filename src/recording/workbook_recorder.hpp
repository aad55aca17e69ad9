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
  // Where the workbook library keeps its temporary files while it builds a workbook; empty for
  // the Mesures folder, which has room for a long recording where a memory-backed /tmp may not.
  std::filesystem::path temp_folder;
  // False where no workbook may be written (a machine without the means, a test of the
  // fallback): every recording is the text fallback then.
  bool workbooks_available = true;
};

struct WorkbookStart {
  WorkbookMode mode = WorkbookMode::kIdle;  // kIdle: neither a workbook nor a text file
  std::filesystem::path file;               // the workbook to be built, or the text file
};

// The recording of the box `Chenregistre`: a workbook under <home>/Mesures. Each pass goes
// through to the workbook's journal at once; the workbook is built from it
// when a run of the measurement cycle ends, when the box is cleared and when the recorder is
// destroyed. A pass after a finished run starts the next workbook. When no workbook can be
// written the passes go to the text fallback instead.
//
//   idle --Start--> workbook --RunEnded--> built --Append--> next workbook
//        \                 \--Stop / destruction--> idle (built)
//         \--(no workbook)--> text fallback --Stop / destruction--> idle (closed)
//   workbook or text fallback --a write fails--> idle (what was written kept), on_failure
class WorkbookRecorder : public SampleRecorder {
 public:
  // Every file of the recording goes through `files`, but for the workbook library's own
  // temporary files.
  WorkbookRecorder(std::filesystem::path home, FileSystem& files,
                   LocalTimeSource now = SystemLocalTime, WorkbookOptions options = {});
  ~WorkbookRecorder() override;

  // Box ticked. `ecu_type` chooses the captions (EOBD has its own for columns 4, 5 and 9).
  // Already recording: what is running.
  WorkbookStart Start(int ecu_type);
  // Box cleared: builds the workbook or closes the text file. Returns every file this
  // recording wrote (workbooks, a journal whose workbook could not be built, or text files);
  // empty when nothing was recording.
  std::vector<std::filesystem::path> Stop();

  // A pass that cannot be written stops the recording: the workbook is built from what its
  // journal holds (the journal is kept when the disk has no room for it), and `on_failure` is
  // told, last. So is a workbook that could not be built at the end of a run or at Stop.
  void Append(const LiveSample& sample) override;
  void RunEnded() override;

  void SetOnFailure(RecordingFailureHandler on_failure) { on_failure_ = std::move(on_failure); }
  WorkbookMode Mode() const { return mode_; }
  // After Stop: the last workbook built by that recording, for the offer to open it with the
  // desktop's default application; nothing after a text fallback or a failed build.
  std::optional<std::filesystem::path> PathToOffer() const { return path_to_offer_; }
  // How the last recording stopped, when a write failed; cleared by Start.
  const std::optional<RecordingFailure>& LastFailure() const { return failure_; }

 private:
  // Creates the next workbook's journal.
  bool OpenWorkbook();
  // Builds the workbook of the open journal; false when it could not be.
  bool CloseWorkbook();
  void FallBackToText();
  // Ends the recording after a failure at `file`, keeping `kept` and telling the handler.
  void Fail(const std::filesystem::path& file, std::vector<std::filesystem::path> kept);

  std::filesystem::path folder_;
  FileSystem& files_;
  LocalTimeSource now_;
  WorkbookOptions options_;
  WorkbookMode mode_ = WorkbookMode::kIdle;
  int ecu_type_ = 0;
  WriteThroughFile journal_;
  std::filesystem::path workbook_;  // the workbook of the open journal
  std::uint32_t rows_in_sheet_ = 0;
  TextFallbackRecording fallback_;
  std::vector<std::filesystem::path> saved_;
  std::optional<std::filesystem::path> path_to_offer_;
  std::optional<RecordingFailure> failure_;
  RecordingFailureHandler on_failure_;
};

}  // namespace velkor
