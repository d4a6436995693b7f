// Mapping of system error numbers to the file error messages, and display names of paths.
#include "platform/FileErrors.h"

#include <cerrno>

#include "platform/Strings.h"

namespace vantrel::platform {

namespace {

/// The message of a cause that reading and writing share; 0 when the cause is not one.
int SharedFileErrorMessage(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
      return kMsgFileNotFound;
    case EISDIR:
      return kMsgFileIsFolder;
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
      return kMsgFileInvalidPath;
    case ENXIO:
    case ENODEV:
      return kMsgFileNotOrdinary;
    default:
      return 0;
  }
}

}  // namespace

int FileErrorMessageFor(int errorNumber) {
  if (const int shared = SharedFileErrorMessage(errorNumber)) return shared;
  switch (errorNumber) {
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

int FileReadErrorMessageFor(int errorNumber) {
  if (const int shared = SharedFileErrorMessage(errorNumber)) return shared;
  switch (errorNumber) {
    case EACCES:
    case EPERM:
      return kMsgFileCannotRead;
    default:
      return kMsgFileReadError;
  }
}

std::u16string DisplayName(const std::filesystem::path& path) { return FromUtf8(path.native()); }

}  // namespace vantrel::platform
