// Mapping of system error numbers to the file error messages, and display names of paths.
#include "platform/FileErrors.h"

#include <cerrno>

#include "platform/Strings.h"

namespace vantrel::platform {

int FileErrorMessageFor(int errorNumber) {
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
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kMsgFileDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return kMsgFileAccessDenied;
    case ENXIO:
    case ENODEV:
      return kMsgFileNotOrdinary;
    default:
      return kMsgFileWriteError;
  }
}

int FileReadErrorMessageFor(int errorNumber) {
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
    case EACCES:
    case EPERM:
      return kMsgFileCannotRead;
    case ENXIO:
    case ENODEV:
      return kMsgFileNotOrdinary;
    default:
      return kMsgFileReadError;
  }
}

std::u16string DisplayName(const std::filesystem::path& path) { return FromUtf8(path.native()); }

}  // namespace vantrel::platform
