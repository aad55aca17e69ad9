#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/file_system.hpp"

namespace velkor {

// The file system of the running program: the settings store's reads and atomic replacements on
// the disk.
class RealFileSystem : public FileSystem {
 public:
  ReadResult ReadFile(const std::filesystem::path& file, std::string& bytes) override;
  std::optional<std::filesystem::path> WriteTempFile(const std::filesystem::path& target,
                                                     std::string_view bytes) override;
  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
  bool SyncFolder(const std::filesystem::path& folder) override;
  bool Remove(const std::filesystem::path& file) override;
};

}  // namespace velkor
