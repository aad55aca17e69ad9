#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/real_file_system.hpp"

namespace velkor::testing_support {

// The real file system on a disk that fills up when a test says so. From then on every write to
// a file opened through it fails, and so do temporary files and copies; whatever was written
// before stays. Files still open, as they do on a real full disk.
class FullDiskFileSystem : public RealFileSystem {
 public:
  bool full = false;

  std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& file,
                                               WriteMode mode) override {
    std::unique_ptr<WritableFile> real = RealFileSystem::OpenForWriting(file, mode);
    if (real == nullptr) return nullptr;
    return std::make_unique<File>(std::move(real), full);
  }
  std::optional<std::filesystem::path> WriteTempFile(const std::filesystem::path& target,
                                                     std::string_view bytes) override {
    if (full) return std::nullopt;
    return RealFileSystem::WriteTempFile(target, bytes);
  }
  CopyResult Copy(const std::filesystem::path& from, const std::filesystem::path& to) override {
    if (full) return CopyResult::kFailed;
    return RealFileSystem::Copy(from, to);
  }

 private:
  class File : public WritableFile {
   public:
    File(std::unique_ptr<WritableFile> real, const bool& full)
        : real_(std::move(real)), full_(full) {}
    bool Write(std::string_view bytes) override { return !full_ && real_->Write(bytes); }

   private:
    std::unique_ptr<WritableFile> real_;
    const bool& full_;
  };
};

}  // namespace velkor::testing_support
