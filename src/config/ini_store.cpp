#include "config/ini_store.hpp"

#include <utility>

namespace velkor {

IniStore::IniStore(std::filesystem::path file, FileSystem& file_system)
    : file_(std::move(file)), file_system_(&file_system) {}

IniDocument IniStore::Load() const {
  std::string bytes;
  if (file_system_->ReadFile(file_, bytes) != FileSystem::ReadResult::kOk) return IniDocument();
  return IniDocument::Parse(bytes);
}

int IniStore::GetProfileInt(std::string_view section, std::string_view key,
                            int default_value) const {
  return Load().GetProfileInt(section, key, default_value);
}

std::string IniStore::GetProfileString(std::string_view section, std::string_view key,
                                       std::string_view default_value,
                                       std::size_t buffer_size) const {
  return Load().GetProfileString(section, key, default_value, buffer_size);
}

bool IniStore::WriteProfileString(std::string_view section, std::string_view key,
                                  std::string_view value) {
  return Update(
      [&](IniDocument& document) { return document.WriteProfileString(section, key, value); });
}

bool IniStore::Update(const std::function<bool(IniDocument&)>& edit) {
  FileSystem& files = *file_system_;
  std::string old_bytes;
  const FileSystem::ReadResult read = files.ReadFile(file_, old_bytes);
  if (read == FileSystem::ReadResult::kFailed) return false;
  IniDocument document =
      read == FileSystem::ReadResult::kOk ? IniDocument::Parse(old_bytes) : IniDocument();
  if (!edit(document)) return false;
  const std::string new_bytes = document.Serialize();
  if (read == FileSystem::ReadResult::kOk && new_bytes == old_bytes) return true;

  const auto temp = files.WriteTempFile(file_, new_bytes);
  if (!temp) return false;
  if (!files.Rename(*temp, file_)) {
    files.Remove(*temp);
    return false;
  }
  // The new content is in place once the rename is done; a folder that cannot be flushed (some
  // file systems refuse) only weakens durability after a power cut, so it does not fail the
  // change.
  files.SyncFolder(file_.parent_path());
  return true;
}

}  // namespace velkor
