#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "config/ini_document.hpp"
#include "core/file_system.hpp"

namespace velkor {

// One INI file on disk. Nothing is cached: every read parses the file as it is now, so a change
// made by someone else between two reads is seen. Every change loads the file, edits it and
// replaces it atomically: a temporary file in the same folder is written and flushed, then
// renamed over the file, then the folder is flushed. When any step before the rename fails the
// old file is left as it was, the temporary file is removed and the change reports false. A file
// that exists but cannot be read is never replaced.
class IniStore : public ProfileReader, public ProfileWriter {
 public:
  // `file_system` must outlive the store.
  explicit IniStore(std::filesystem::path file, FileSystem& file_system);

  const std::filesystem::path& File() const { return file_; }

  // The file as it is now; a missing or unreadable file gives an empty document.
  IniDocument Load() const;

  int GetProfileInt(std::string_view section, std::string_view key,
                    int default_value) const override;
  std::string GetProfileString(std::string_view section, std::string_view key,
                               std::string_view default_value,
                               std::size_t buffer_size) const override;
  // One load and one replace.
  bool WriteProfileString(std::string_view section, std::string_view key,
                          std::string_view value) override;

  // Several changes in one load and one replace. `edit` returns false to abandon the change.
  // When the edits leave the bytes as they were, the file is not rewritten.
  bool Update(const std::function<bool(IniDocument&)>& edit);

 private:
  std::filesystem::path file_;
  FileSystem* file_system_;  // never null; a pointer keeps the store assignable
};

}  // namespace velkor
