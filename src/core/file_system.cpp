#include "core/file_system.hpp"

#include <cstdio>
#include <system_error>

namespace velkor {

namespace {

class PlainFile : public WritableFile {
 public:
  explicit PlainFile(std::FILE* file) : file_(file) {}
  ~PlainFile() override { std::fclose(file_); }
  PlainFile(const PlainFile&) = delete;
  PlainFile& operator=(const PlainFile&) = delete;

  bool Write(std::string_view bytes) override {
    return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
  }

 private:
  std::FILE* file_;
};

const char* OpenMode(FileSystem::WriteMode mode) {
  switch (mode) {
    case FileSystem::WriteMode::kCreateNew:
      return "wbx";  // "x": fails rather than reuse a file that exists
    case FileSystem::WriteMode::kReplace:
      return "wb";
    case FileSystem::WriteMode::kAppend:
      break;
  }
  return "ab";
}

}  // namespace

std::unique_ptr<WritableFile> OpenPlainFile(const std::filesystem::path& file,
                                            FileSystem::WriteMode mode) {
  std::FILE* opened = std::fopen(file.string().c_str(), OpenMode(mode));
  if (opened == nullptr) return nullptr;
  // Unbuffered: each write goes to the system at once, and a write that failed on a full disk
  // leaves nothing behind in a buffer to come out later, after the lines that follow it.
  std::setvbuf(opened, nullptr, _IONBF, 0);
  return std::make_unique<PlainFile>(opened);
}

FileSystem::CopyResult CopyPlainFile(const std::filesystem::path& from,
                                     const std::filesystem::path& to) {
  std::error_code error;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
  if (!error) return FileSystem::CopyResult::kCopied;
  return error == std::errc::permission_denied ? FileSystem::CopyResult::kPermissionDenied
                                               : FileSystem::CopyResult::kFailed;
}

}  // namespace velkor
