#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "livedata/live_sample.hpp"
#include "platform/real_file_system.hpp"
#include "recording/record_format.hpp"

namespace velkor::testing_support {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempHome {
 public:
  TempHome()
      : path_(std::filesystem::temp_directory_path() /
              ("velkor_recording_" + std::to_string(std::random_device{}()))) {
    std::filesystem::create_directories(path_);
  }
  ~TempHome() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path Measures() const { return path_ / "Mesures"; }

 private:
  std::filesystem::path path_;
};

// A wall clock that stands still until a test moves it.
struct StillLocalTime {
  LocalDateTime time{2024, 1, 25, 14, 30, 5};
  LocalTimeSource Source() {
    return [this] { return time; };
  }
};

inline std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Lines without their CR LF; a last line without one is kept too.
inline std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

inline std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

inline LiveSample Sample(float time, float rpm) {
  LiveSample s;
  s.Time = time;
  s.RPM = rpm;
  s.TPS = 3.5f;
  s.Injection = 2.25f;
  s.Advance = 12.0f;
  s.Pressure = 1013.0f;
  s.AirTemp = 21.0f;
  s.EngineTemp = 85.0f;
  s.Voltage = 13.8f;
  s.AFR1 = "14.7";
  s.AFR2 = "--";
  s.Lambda = "1.000";
  return s;
}

// The real file system on a disk that fills up when a test says so, as a real one does: from
// then on a write goes in only in part and fails, and no new file takes any bytes. With
// `open_files_only` only the files already open refuse (a file at its file system's size limit),
// and new files can still be written.
class FillingDisk : public RealFileSystem {
 public:
  bool full = false;
  bool open_files_only = false;

  std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& file,
                                               WriteMode mode) override {
    std::unique_ptr<WritableFile> real = RealFileSystem::OpenForWriting(file, mode);
    if (real == nullptr) return nullptr;
    return std::make_unique<File>(std::move(real), full);
  }
  std::optional<std::filesystem::path> WriteTempFile(const std::filesystem::path& target,
                                                     std::string_view bytes) override {
    if (full && !open_files_only) return std::nullopt;
    return RealFileSystem::WriteTempFile(target, bytes);
  }
  CopyResult Copy(const std::filesystem::path& from, const std::filesystem::path& to) override {
    if (full && !open_files_only) return CopyResult::kFailed;
    return RealFileSystem::Copy(from, to);
  }

 private:
  class File : public WritableFile {
   public:
    File(std::unique_ptr<WritableFile> real, const bool& full)
        : real_(std::move(real)), full_(full) {}
    bool Write(std::string_view bytes) override {
      if (!full_) return real_->Write(bytes);
      real_->Write(bytes.substr(0, bytes.size() / 2));
      return false;
    }
    bool Sync() override { return real_->Sync(); }

   private:
    std::unique_ptr<WritableFile> real_;
    const bool& full_;
  };
};

// What a crash leaves: the files of `from`'s Mesures folder as they are on the disk now, copied
// to `to`'s, while the program that writes them goes on.
inline void CopyMeasures(const TempHome& from, const TempHome& to) {
  std::filesystem::create_directories(to.Measures());
  for (const auto& entry : std::filesystem::directory_iterator(from.Measures())) {
    std::filesystem::copy_file(entry.path(), to.Measures() / entry.path().filename());
  }
}

// What an independent reader finds in a workbook: per sheet its name, its last row, its frozen
// cell and the requested rows as value|number-format per cell.
struct SheetDump {
  std::string title;
  int max_row = 0;
  std::string freeze;
  std::map<int, std::vector<std::string>> rows;
};

// Reads workbooks back with python3's openpyxl, which shares no code with the writer.
class WorkbookReader {
 public:
  // The reader's script goes to `folder`.
  explicit WorkbookReader(const std::filesystem::path& folder)
      : script_(folder / "read_workbook.py") {
    for (const char* candidate : {"/usr/bin/python3", "python3"}) {
      const std::string probe = std::string(candidate) + " -c 'import openpyxl' >/dev/null 2>&1";
      if (std::system(probe.c_str()) == 0) {
        python_ = candidate;
        break;
      }
    }
    std::ofstream(script_) << kScript;
  }

  bool Available() const { return !python_.empty(); }

  // read_only: the reader's streaming mode, for large sheets (it gives no frozen cell).
  std::vector<SheetDump> Read(const std::filesystem::path& workbook, const std::vector<int>& rows,
                              bool read_only = false) const {
    std::string command = python_ + " '" + script_.string() + "' '" + workbook.string() + "' " +
                          (read_only ? "ro" : "rw");
    for (int r : rows) command += " " + std::to_string(r);
    std::vector<SheetDump> sheets;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return sheets;
    std::string output;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    EXPECT_EQ(pclose(pipe), 0) << output;
    std::stringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
      const std::vector<std::string> parts = SplitTabs(line);
      if (parts.size() == 4 && parts[0] == "sheet") {
        sheets.push_back({parts[1], std::stoi(parts[2]), parts[3], {}});
      } else if (parts.size() > 2 && parts[0] == "row" && !sheets.empty()) {
        sheets.back().rows[std::stoi(parts[1])] = {parts.begin() + 2, parts.end()};
      }
    }
    return sheets;
  }

 private:
  static constexpr const char* kScript = R"(import sys, openpyxl
path, mode, rows = sys.argv[1], sys.argv[2], [int(r) for r in sys.argv[3:]]
book = openpyxl.load_workbook(path, read_only=(mode == 'ro'))
for sheet in book.worksheets:
    freeze = '-' if mode == 'ro' else (sheet.freeze_panes or '-')
    print('sheet', sheet.title, sheet.max_row, freeze, sep='\t')
    wanted = [r for r in rows if r <= sheet.max_row]
    if wanted:
        # One pass over the rows: the streaming reader starts again from the top for each call.
        for r, cells in enumerate(sheet.iter_rows(min_row=min(wanted), max_row=max(wanted)),
                                  start=min(wanted)):
            if r in wanted:
                print('row', r, *['%r|%s' % (c.value, c.number_format) for c in cells], sep='\t')
)";

  static std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> parts;
    std::stringstream in(line);
    std::string part;
    while (std::getline(in, part, '\t')) parts.push_back(part);
    return parts;
  }

  std::filesystem::path script_;
  std::string python_;
};

}  // namespace velkor::testing_support
