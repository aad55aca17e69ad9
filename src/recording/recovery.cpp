#include "recording/recovery.hpp"

#include <algorithm>
#include <cstdio>
#include <string>
#include <system_error>

#include "config/settings.hpp"
#include "recording/record_format.hpp"
#include "recording/text_recorder.hpp"
#include "recording/workbook_journal.hpp"

namespace velkor {

namespace fs = std::filesystem;

namespace {

// Whether `file` begins as a CSV recording's working file does: the quoted semicolon header.
bool IsCsvWorkingFile(const fs::path& file) {
  const std::string header = CsvHeaderLine();
  std::FILE* in = std::fopen(file.string().c_str(), "rb");
  if (in == nullptr) return false;
  std::string start(header.size(), '\0');
  const std::size_t read = std::fread(start.data(), 1, start.size(), in);
  std::fclose(in);
  return read == header.size() && start == header;
}

}  // namespace

std::vector<RecoveredRecording> FinishInterruptedRecordings(const fs::path& home,
                                                            FileSystem& files) {
  std::vector<fs::path> working;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(MeasuresFolder(home), error)) {
    std::error_code ignored;
    if (!entry.is_regular_file(ignored)) continue;
    const std::string name = entry.path().filename().string();
    if ((name.starts_with("mes") && name.ends_with(".txt") && IsCsvWorkingFile(entry.path())) ||
        WorkbookPathFor(entry.path())) {
      working.push_back(entry.path());
    }
  }
  std::sort(working.begin(), working.end());
  std::vector<RecoveredRecording> recovered;
  for (const fs::path& file : working) {
    recovered.push_back({file, file.extension() == ".txt" ? ConvertToCsv(file, files)
                                                          : BuildWorkbook(file, files)});
  }
  return recovered;
}

}  // namespace velkor
