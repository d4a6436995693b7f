// An exclusive advisory lock (flock) on one file, held while this object lives. A running
// program holds the locks of its journals and copies, so a lock nobody holds marks an item
// left by a run that ended abnormally; whoever recovers an item holds its lock too.
#pragma once

#include <filesystem>
#include <memory>

namespace vantrel::recovery {

class FileLock {
 public:
  enum class Open { kExisting, kCreate, kCreateNew };

  /// Opens `path` for reading and writing (creating it as `open` says, mode 0600) and locks
  /// it without waiting; null when it is locked elsewhere, cannot be opened or is no ordinary
  /// file (`error` then holds errno, EINVAL for another kind of file, 0 for a held lock).
  static std::unique_ptr<FileLock> TryLock(const std::filesystem::path& path, Open open,
                                           int* error = nullptr);
  /// True when nobody holds a lock on `path` (a missing file counts as free, anything but an
  /// ordinary file as not free). Never waits.
  static bool IsFree(const std::filesystem::path& path);

  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  int Descriptor() const { return fd_; }

 private:
  explicit FileLock(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace vantrel::recovery
