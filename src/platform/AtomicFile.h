// The one way the program saves a file (documents, CSV exports, pictures, notes, the
// profile, recovery copies). An ordinary target is written beside itself under an
// exclusively created temporary name, flushed, synced and renamed over the target only when
// every byte was written: a failed save never destroys the existing file and never leaves
// half a file under its name. A symbolic link is followed through every level (also when
// it dangles) and the file it leads to is replaced in its own folder; the link stays. A
// replaced file keeps its permissions and, where the system allows, its owner. A character
// device or a named pipe is never renamed over: it is written in place and every write and
// close error is reported. Folders, sockets and block devices are refused. No temporary
// file outlives the object. Failures throw FileError with the message ID of the cause and
// the target's name as given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/FileErrors.h"

namespace vantrel::platform {

class AtomicFile {
 public:
  /// Opens the file to write for `target` (the temporary file, or a device or pipe in
  /// place); throws FileError when it cannot.
  explicit AtomicFile(std::filesystem::path target);
  /// Closes quietly and removes the temporary file unless Commit succeeded.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  /// Appends bytes; throws FileError when the write fails (the target then stays as it was).
  void Write(const char* data, std::size_t size);
  void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }
  /// Writes what is buffered, syncs, closes and renames over the target; throws FileError
  /// when any step fails, the target then stays as it was.
  void Commit();

  /// Checks, without changing anything, that `target` can be saved: the same checks as
  /// opening it (a temporary file is created and removed again; a device or pipe is only
  /// checked for write permission, never opened). Throws FileError when it cannot.
  static void CheckCanSave(const std::filesystem::path& target);

  /// The temporary file; empty when the target is written in place.
  const std::filesystem::path& TemporaryPath() const { return temporary_; }
  /// The file that is replaced or written: the target with its links followed.
  const std::filesystem::path& FinalPath() const { return final_; }
  bool WritesInPlace() const { return temporary_.empty(); }

 private:
  void OpenTemporary(bool replacesFile, unsigned ownerId, unsigned groupId, unsigned mode);
  void WriteOut(const char* data, std::size_t size);
  void FlushBuffer();
  /// Asks the system to start writing the bytes written since the last request to the
  /// disk, once at least a step of them is waiting or `all` is set.
  void StartWriteBack(bool all);
  [[noreturn]] void Fail(int errorNumber, const std::string& what);

  std::filesystem::path target_;
  std::filesystem::path final_;
  std::filesystem::path temporary_;
  std::string buffer_;
  std::uint64_t written_ = 0;
  std::uint64_t writeBackStart_ = 0;
  int fd_ = -1;
  bool committed_ = false;
};

/// Saves `bytes` as the whole content of `target` through AtomicFile.
void SaveFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace vantrel::platform
