// flock-based item locks; see FileLock.h.
#include "recovery/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vantrel::recovery {
namespace {

bool IsOrdinaryFile(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::unique_ptr<FileLock> FileLock::TryLock(const std::filesystem::path& path, Open open,
                                            int* error) {
  // Not blocking, and only on an ordinary file: a named pipe in the folder must never keep
  // the program waiting for a writer.
  int flags = O_RDWR | O_CLOEXEC | O_NONBLOCK;
  if (open == Open::kCreate) flags |= O_CREAT;
  if (open == Open::kCreateNew) flags |= O_CREAT | O_EXCL;
  const int fd = ::open(path.c_str(), flags, 0600);
  if (fd < 0) {
    if (error != nullptr) *error = errno;
    return nullptr;
  }
  if (!IsOrdinaryFile(fd)) {
    ::close(fd);
    if (error != nullptr) *error = EINVAL;
    return nullptr;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int lockError = errno;
    ::close(fd);
    if (error != nullptr) *error = lockError == EWOULDBLOCK ? 0 : lockError;
    return nullptr;
  }
  if (error != nullptr) *error = 0;
  return std::unique_ptr<FileLock>(new FileLock(fd));
}

bool FileLock::IsFree(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT;
  const bool free = IsOrdinaryFile(fd) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return free;
}

FileLock::~FileLock() { ::close(fd_); }

}  // namespace vantrel::recovery
