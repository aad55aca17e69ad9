#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "core/file_system.hpp"

namespace velkor {

// A working file that a crash, a pulled plug or a full disk left in the Mesures folder.
struct RecoveredRecording {
  std::filesystem::path from;               // the working file: a CSV recording's .txt, a journal
  std::optional<std::filesystem::path> to;  // its .csv or .xlsx; nothing when it stays as it was
};

// Finishes the recordings the program could not close itself, as closing them would have: a CSV
// recording's working .txt becomes its .csv, a workbook's journal becomes its .xlsx. Run once at
// start-up, before any recording starts. The text files that stand in for a workbook are
// finished files and stay as they are.
std::vector<RecoveredRecording> FinishInterruptedRecordings(const std::filesystem::path& home,
                                                            FileSystem& files);

}  // namespace velkor
