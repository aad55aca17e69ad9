#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "livedata/live_sample.hpp"
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

}  // namespace velkor::testing_support
