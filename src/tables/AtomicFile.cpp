#include "tables/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#include "platform/Error.h"

namespace vantrel::tables {

int FileErrorMessageFor(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case EISDIR:
    case ELOOP:
      return kMsgFileInvalidPath;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kMsgFileDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return kMsgFileAccessDenied;
    default:
      return kMsgFileWriteError;
  }
}

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
  if (target_.filename().empty()) {
    throw platform::VantrelError(kMsgFileInvalidPath, "no file name in " + target_.string());
  }
  std::random_device random;
  std::uniform_int_distribution<unsigned> hex(0, 0xFFFFFF);
  int lastError = 0;
  // Exclusive creation: a name taken by another file is never reused or truncated.
  for (int attempt = 0; attempt < 16 && file_ == nullptr; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%06x.tmp", hex(random));
    std::filesystem::path candidate = target_;
    candidate += suffix;
    errno = 0;
    file_ = std::fopen(candidate.c_str(), "wbx");
    lastError = errno;
    if (file_ != nullptr) {
      temporary_ = candidate;
    } else if (lastError != EEXIST) {
      break;
    }
  }
  if (file_ == nullptr) {
    throw platform::VantrelError(
        FileErrorMessageFor(lastError),
        "cannot create " + target_.string() + ": " + std::strerror(lastError));
  }
}

AtomicFile::~AtomicFile() {
  if (file_ != nullptr) std::fclose(file_);
  if (!committed_ && !temporary_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
  }
}

void AtomicFile::Fail(int errorNumber, const std::string& what) {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  std::error_code ignored;
  std::filesystem::remove(temporary_, ignored);
  throw platform::VantrelError(FileErrorMessageFor(errorNumber),
                               what + " " + target_.string() + ": " + std::strerror(errorNumber));
}

void AtomicFile::Write(const char* data, std::size_t size) {
  if (file_ == nullptr) Fail(EBADF, "write to closed file");
  errno = 0;
  if (size != 0 && std::fwrite(data, 1, size, file_) != size) {
    Fail(errno != 0 ? errno : EIO, "cannot write");
  }
}

void AtomicFile::Commit() {
  if (file_ == nullptr) Fail(EBADF, "commit of closed file");
  errno = 0;
  if (std::fflush(file_) != 0 || std::ferror(file_) != 0)
    Fail(errno != 0 ? errno : EIO, "cannot write");
  std::FILE* file = file_;
  file_ = nullptr;
  errno = 0;
  if (std::fclose(file) != 0) Fail(errno != 0 ? errno : EIO, "cannot write");

  std::error_code error;
  const auto status = std::filesystem::status(target_, error);
  if (!error && std::filesystem::is_regular_file(status)) {
    std::filesystem::permissions(temporary_, status.permissions(),
                                 std::filesystem::perm_options::replace, error);
  }
  std::filesystem::rename(temporary_, target_, error);
  if (error) Fail(error.value(), "cannot replace");
  committed_ = true;
}

}  // namespace vantrel::tables
