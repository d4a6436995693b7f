// A file written beside its target under a temporary name and renamed over the target only
// when every byte was written: a failed export never destroys an existing file and never
// leaves half a file under the target's name. Failures throw VantrelError with the message
// ID of the framework's file error that fits the cause (invalid path, disk full, access
// denied, other write error).
#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>

namespace vantrel::tables {

/// Message IDs of the file errors of writing a file (their texts take the file name as %1).
enum FileErrorMessage : int {
  kMsgFileInvalidPath = 61729,   // the path names no place a file can be created
  kMsgFileDiskFull = 61730,      // no space left
  kMsgFileAccessDenied = 61732,  // no permission, read-only medium
  kMsgFileWriteError = 61734,    // any other failure while writing
};

/// The message ID for an errno value of a failed create, write or rename.
int FileErrorMessageFor(int errorNumber);

class AtomicFile {
 public:
  /// Creates the temporary file beside `target`; throws VantrelError when it cannot.
  explicit AtomicFile(std::filesystem::path target);
  /// Removes the temporary file unless Commit succeeded.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  /// Appends bytes; throws VantrelError when the write fails.
  void Write(const char* data, std::size_t size);
  /// Flushes, closes and renames over the target (keeping an existing target's
  /// permissions); throws VantrelError when any step fails, the target then stays as it was.
  void Commit();

  const std::filesystem::path& TemporaryPath() const { return temporary_; }

 private:
  [[noreturn]] void Fail(int errorNumber, const std::string& what);

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::FILE* file_ = nullptr;
  bool committed_ = false;
};

}  // namespace vantrel::tables
