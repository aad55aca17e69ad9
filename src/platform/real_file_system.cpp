#include "platform/real_file_system.hpp"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace velkor {
namespace {

namespace fs = std::filesystem;

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#if defined(_WIN32)
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

std::string UniqueSuffix() {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  char text[32];
  std::snprintf(text, sizeof text, ".%08x%04x.tmp", seed, (counter++) & 0xFFFFu);
  return text;
}

// A file of OpenPlainFile's kind whose Sync reaches the disk itself.
class DiskFile : public WritableFile {
 public:
  explicit DiskFile(std::FILE* file) : file_(file) {}
  ~DiskFile() override { std::fclose(file_); }
  DiskFile(const DiskFile&) = delete;
  DiskFile& operator=(const DiskFile&) = delete;

  bool Write(std::string_view bytes) override {
    return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
  }
  bool Sync() override {
#if defined(_WIN32) || defined(__APPLE__)
    return FlushToDisk(file_);
#else
    // The data only: the file's times need not reach the disk at every line.
    return std::fflush(file_) == 0 && fdatasync(fileno(file_)) == 0;
#endif
  }

 private:
  std::FILE* file_;
};

const char* OpenMode(FileSystem::WriteMode mode) {
  switch (mode) {
    case FileSystem::WriteMode::kCreateNew:
      return "wbx";
    case FileSystem::WriteMode::kReplace:
      return "wb";
    case FileSystem::WriteMode::kAppend:
      break;
  }
  return "ab";
}

}  // namespace

FileSystem::ReadResult RealFileSystem::ReadFile(const fs::path& file, std::string& bytes) {
  bytes.clear();
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (status.type() == fs::file_type::not_found) return ReadResult::kMissing;
  if (error || !fs::is_regular_file(status)) return ReadResult::kFailed;

  std::FILE* in = std::fopen(file.string().c_str(), "rb");
  if (in == nullptr) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  char buffer[8192];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes.append(buffer, count);
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  if (failed) {
    bytes.clear();
    return ReadResult::kFailed;
  }
  return ReadResult::kOk;
}

std::optional<fs::path> RealFileSystem::WriteTempFile(const fs::path& target,
                                                      std::string_view bytes) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    fs::path temp = target;
    temp += UniqueSuffix();
    // "x": fail rather than reuse a name that exists (another writer's temporary file).
    std::FILE* out = std::fopen(temp.string().c_str(), "wbx");
    if (out == nullptr) {
      if (errno == EEXIST) continue;
      return std::nullopt;
    }
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && FlushToDisk(out);
    const bool closed = std::fclose(out) == 0;
    if (written && closed) {
      // The replacement keeps the permissions of the file it replaces.
      std::error_code error;
      const fs::file_status old_status = fs::status(target, error);
      if (!error && fs::exists(old_status)) fs::permissions(temp, old_status.permissions(), error);
      return temp;
    }
    std::error_code ignored;
    fs::remove(temp, ignored);
    return std::nullopt;
  }
  return std::nullopt;
}

bool RealFileSystem::Rename(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::rename(from, to, error);
  return !error;
}

bool RealFileSystem::SyncFolder(const fs::path& folder) {
#if defined(_WIN32)
  (void)folder;
  return true;  // NTFS makes the rename itself durable; folders cannot be flushed
#else
  const fs::path name = folder.empty() ? fs::path(".") : folder;
  const int descriptor = ::open(name.c_str(), O_RDONLY | O_DIRECTORY);
  if (descriptor < 0) return false;
  const bool synced = ::fsync(descriptor) == 0;
  ::close(descriptor);
  return synced;
#endif
}

bool RealFileSystem::Remove(const fs::path& file) {
  std::error_code error;
  return fs::remove(file, error) && !error;
}

std::unique_ptr<WritableFile> RealFileSystem::OpenForWriting(const fs::path& file, WriteMode mode) {
  std::FILE* opened = std::fopen(file.string().c_str(), OpenMode(mode));
  if (opened == nullptr) return nullptr;
  // Unbuffered, as OpenPlainFile's: every Write reaches the system before it returns.
  std::setvbuf(opened, nullptr, _IONBF, 0);
  return std::make_unique<DiskFile>(opened);
}

FileSystem::CopyResult RealFileSystem::Copy(const fs::path& from, const fs::path& to) {
  return CopyPlainFile(from, to);
}

}  // namespace velkor
