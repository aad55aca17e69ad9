#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/file_system.hpp"
#include "livedata/live_sample.hpp"

namespace velkor {

// The journal of a workbook recording: its passes written through to a text file as they come,
// as the CSV recording's are, so that a crash or a pulled plug loses at most the pass being
// written. The workbook is built from the journal when the recording closes, or at the next
// start when the program could not close it.
//
//   Velkor workbook journal;1;<ecu type>             the first line
//   S;<sheet name>                                    a sheet begins (the first one included)
//   R;<time>;<rpm>;...;<voltage>;<afr1>;<afr2>;<lambda>   one pass
//
// Lines end in CR LF. Values 1 to 9 are written with a period in their shortest exact form (the
// cell gets the same number as when written live); the labels keep their text, with '%', ';',
// CR and LF written %25, %3B, %0D and %0A.

// "Mesures14h3005.xlsx" -> "Mesures14h3005.xlsx.journal".
std::filesystem::path JournalPathFor(const std::filesystem::path& workbook);
// The reverse; nothing for a name that is no journal's.
std::optional<std::filesystem::path> WorkbookPathFor(const std::filesystem::path& journal);

std::string JournalHeaderLine(int ecu_type);
std::string JournalSheetLine(std::string_view sheet_name);
std::string JournalRowLine(const LiveSample& sample);

// Builds the workbook of `journal` (WorkbookPathFor) from its whole lines: a line cut short by a
// crash, or one the disk did not take whole, is left out. The workbook replaces an older file of
// its name in one step and the journal is removed once the workbook is on the disk for good.
// `scratch_folder`, empty for the journal's own, holds the workbook library's temporary files.
// Returns the workbook; nothing when `journal` is no journal or the workbook could not be
// written, in which case the journal is kept as it was and no workbook file is left.
std::optional<std::filesystem::path> BuildWorkbook(
    const std::filesystem::path& journal, FileSystem& files,
    const std::filesystem::path& scratch_folder = {});

}  // namespace velkor
