#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velkor {

// The file operations the settings store needs to read a file and to replace it atomically.
// The real one lives in platform/ and is wired by the application; tests derive from it to make
// one step fail.
class FileSystem {
 public:
  enum class ReadResult { kOk, kMissing, kFailed };

  virtual ~FileSystem() = default;

  // kMissing only when there is no such file; any other trouble (permissions, a folder of that
  // name, an I/O error) is kFailed so that a writer never mistakes an unreadable file for an
  // empty one and overwrites it.
  virtual ReadResult ReadFile(const std::filesystem::path& file, std::string& bytes) = 0;
  // Creates a new file in the folder of `target` under a name no other file has, writes
  // `bytes`, and flushes them to the disk. On failure nothing is left behind.
  virtual std::optional<std::filesystem::path> WriteTempFile(const std::filesystem::path& target,
                                                             std::string_view bytes) = 0;
  // Replaces `to` by `from` in one step.
  virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  // Makes a rename in `folder` durable.
  virtual bool SyncFolder(const std::filesystem::path& folder) = 0;
  virtual bool Remove(const std::filesystem::path& file) = 0;
};

}  // namespace velkor
