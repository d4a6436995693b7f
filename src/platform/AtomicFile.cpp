// The safe save; see AtomicFile.h.
#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

namespace vantrel::platform {
namespace {

/// As many links in a row as the system follows before it reports a loop.
constexpr int kMaxLinkLevels = 40;
/// Bytes collected before they are written out.
constexpr std::size_t kBufferSize = 64 * 1024;
/// Bytes written between two requests to start writing them to the disk.
constexpr std::uint64_t kWriteBackStep = 8 * 1024 * 1024;
/// Tries for a free temporary name.
constexpr int kNameAttempts = 16;

std::string Describe(const std::string& what, const std::filesystem::path& path, int number) {
  return what + " " + path.string() + ": " + std::strerror(number);
}

/// `path` with its symbolic links followed through every level; the name reached last need
/// not exist (a dangling link leads to the file it would create).
std::filesystem::path FollowLinks(const std::filesystem::path& path,
                                  const std::filesystem::path& shown) {
  std::filesystem::path current = path;
  for (int level = 0; level <= kMaxLinkLevels; ++level) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::error_code error;
    const std::filesystem::path next = std::filesystem::read_symlink(current, error);
    if (error) {
      throw FileError(FileErrorMessageFor(error.value()), shown,
                      Describe("cannot read the link", current, error.value()));
    }
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  throw FileError(kMsgFileInvalidPath, shown, Describe("cannot follow", path, ELOOP));
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
  if (target_.empty()) throw FileError(kMsgFileInvalidPath, target_, "no file name");
  struct stat info {};
  if (::stat(target_.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      throw FileError(kMsgFileIsFolder, target_, target_.string() + " is a folder");
    }
    if (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode)) {
      // Renaming over a device or pipe would replace the node, not feed it: write in place.
      final_ = target_;
      do {
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
      } while (fd_ < 0 && errno == EINTR);
      if (fd_ < 0) Fail(errno, "cannot open");
      return;
    }
    if (!S_ISREG(info.st_mode)) {
      throw FileError(kMsgFileNotOrdinary, target_,
                      target_.string() + " is neither a file, a device nor a pipe");
    }
    final_ = FollowLinks(target_, target_);
    OpenTemporary(true, info.st_uid, info.st_gid, info.st_mode);
    return;
  }
  const int statError = errno;
  if (statError != ENOENT) Fail(statError, "cannot reach");
  // No file yet, or a link that leads nowhere yet: create the file where the links lead.
  final_ = FollowLinks(target_, target_);
  if (final_.filename().empty() || final_.filename() == "." || final_.filename() == "..") {
    throw FileError(kMsgFileInvalidPath, target_, "no file name in " + target_.string());
  }
  OpenTemporary(false, 0, 0, 0);
}

void AtomicFile::OpenTemporary(bool replacesFile, unsigned ownerId, unsigned groupId,
                               unsigned mode) {
  const std::filesystem::path folder =
      final_.has_parent_path() ? final_.parent_path() : std::filesystem::path(".");
  std::random_device random;
  std::uniform_int_distribution<unsigned> hex(0, 0xFFFFFF);
  int lastError = 0;
  // Exclusive creation: a name taken by another file is never reused or truncated.
  for (int attempt = 0; attempt < kNameAttempts && fd_ < 0; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%06x.tmp", hex(random));
    const std::filesystem::path candidate = folder / ("." + final_.filename().string() + suffix);
    fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    lastError = errno;
    if (fd_ >= 0) temporary_ = candidate;
    if (fd_ < 0 && lastError != EEXIST && lastError != EINTR) break;
  }
  if (fd_ < 0) Fail(lastError, "cannot create a file beside");
  if (replacesFile) {
    // The owner first: changing it may clear the set-ID bits that the mode then restores.
    // Only the superuser may give a file away; everyone else keeps at least the group
    // when they belong to it.
    if (::fchown(fd_, ownerId, groupId) != 0) {
      [[maybe_unused]] const int ignored = ::fchown(fd_, static_cast<uid_t>(-1), groupId);
    }
    if (::fchmod(fd_, mode & 07777) != 0) Fail(errno, "cannot keep the permissions of");
  }
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

void AtomicFile::Fail(int errorNumber, const std::string& what) {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  committed_ = false;
  if (errorNumber == 0) errorNumber = EIO;
  throw FileError(FileErrorMessageFor(errorNumber), target_,
                  Describe(what, final_.empty() ? target_ : final_, errorNumber));
}

void AtomicFile::WriteOut(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd_, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(errno, "cannot write");
    }
    if (written == 0) Fail(EIO, "cannot write");
    data += written;
    size -= static_cast<std::size_t>(written);
    written_ += static_cast<std::uint64_t>(written);
  }
  StartWriteBack(false);
}

void AtomicFile::StartWriteBack(bool all) {
  // The disk writes what is already written while the rest is still being produced, so
  // the sync at the end waits only for the tail. A device or pipe has nothing to write
  // back; a failure here only loses the head start (the sync reports real errors).
  if (WritesInPlace()) return;
  if (!all && written_ - writeBackStart_ < kWriteBackStep) return;
  [[maybe_unused]] const int started =
      ::sync_file_range(fd_, static_cast<off_t>(writeBackStart_),
                        static_cast<off_t>(written_ - writeBackStart_), SYNC_FILE_RANGE_WRITE);
  writeBackStart_ = written_;
}

void AtomicFile::FlushBuffer() {
  WriteOut(buffer_.data(), buffer_.size());
  buffer_.clear();
}

void AtomicFile::Write(const char* data, std::size_t size) {
  if (fd_ < 0) Fail(EBADF, "write after the end of");
  if (buffer_.size() + size > kBufferSize) {
    FlushBuffer();
    if (size >= kBufferSize) {
      WriteOut(data, size);
      return;
    }
  }
  buffer_.append(data, size);
}

void AtomicFile::Commit() {
  if (fd_ < 0) Fail(EBADF, "commit after the end of");
  FlushBuffer();
  StartWriteBack(true);
  // A device or pipe has nothing to sync; a file must be on the disk before it replaces
  // the old one.
  if (!WritesInPlace() && ::fsync(fd_) != 0) Fail(errno, "cannot write");
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) Fail(errno, "cannot close");
  if (!WritesInPlace()) {
    if (::rename(temporary_.c_str(), final_.c_str()) != 0) Fail(errno, "cannot replace");
    // The rename itself reaches the disk with the folder (best effort: not every file
    // system syncs folders).
    const std::filesystem::path folder =
        final_.has_parent_path() ? final_.parent_path() : std::filesystem::path(".");
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
      [[maybe_unused]] const int synced = ::fsync(folderFd);
      ::close(folderFd);
    }
  }
  committed_ = true;
}

void AtomicFile::CheckCanSave(const std::filesystem::path& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0 && (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode))) {
    // Opening a pipe would wait for its reader and then hand it an empty file.
    if (::access(target.c_str(), W_OK) != 0) {
      const int number = errno;
      throw FileError(FileErrorMessageFor(number), target,
                      Describe("cannot write to", target, number));
    }
    return;
  }
  const AtomicFile probe(target);  // its temporary file goes with it
}

void SaveFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  AtomicFile file(target);
  file.Write(bytes);
  file.Commit();
}

}  // namespace vantrel::platform
