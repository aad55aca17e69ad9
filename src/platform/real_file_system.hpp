#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/file_system.hpp"

namespace velkor {

// The file system of the running program, on the disk: the settings store's reads and atomic
// replacements, the recordings and the trace.
class RealFileSystem : public FileSystem {
 public:
  ReadResult ReadFile(const std::filesystem::path& file, std::string& bytes) override;
  std::optional<std::filesystem::path> WriteTempFile(const std::filesystem::path& target,
                                                     std::string_view bytes) override;
  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
  bool SyncFolder(const std::filesystem::path& folder) override;
  bool Remove(const std::filesystem::path& file) override;
  std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& file,
                                               WriteMode mode) override;
  CopyResult Copy(const std::filesystem::path& from, const std::filesystem::path& to) override;
};

}  // namespace velkor
