#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velkor {

// A file open for writing. Every Write reaches the operating system before it returns, so a
// crash loses at most the bytes of the call under way. The file is closed when destroyed.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // False when not all of `bytes` could be written (a full disk, an I/O error); what earlier
  // calls wrote stays in the file.
  virtual bool Write(std::string_view bytes) = 0;
  // Makes what was written durable on the disk, so that a power cut keeps it too. False when
  // the disk refused. The C library's files only hand the bytes to the system.
  virtual bool Sync() { return true; }
};

// Every file the program creates, replaces or copies: the settings store's reads and atomic
// replacements, the recordings, the trace file and its kept copy. The real one lives in
// platform/ and is wired by the application; tests derive from it to make one step fail (a
// full disk, a read-only folder).
class FileSystem {
 public:
  enum class ReadResult { kOk, kMissing, kFailed };
  enum class WriteMode {
    kCreateNew,  // a new file: fails when a file of that name exists
    kReplace,    // from the start: an earlier file of that name is replaced
    kAppend,     // at the end: the file is created when missing
  };
  enum class CopyResult { kCopied, kPermissionDenied, kFailed };

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
  // Nothing when `file` cannot be opened that way.
  virtual std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& file,
                                                       WriteMode mode) = 0;
  // Copies `from` over `to`, which is replaced when it exists. kPermissionDenied when the
  // system refused access to either file.
  virtual CopyResult Copy(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
};

// The C library's files: what RealFileSystem opens and copies, and what the parts still built
// without a FileSystem (the constructors that take none) use directly.
std::unique_ptr<WritableFile> OpenPlainFile(const std::filesystem::path& file,
                                            FileSystem::WriteMode mode);
FileSystem::CopyResult CopyPlainFile(const std::filesystem::path& from,
                                     const std::filesystem::path& to);

}  // namespace velkor
