#include "platform/OrdinaryFile.h"

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/FileErrors.h"

namespace vantrel::platform {

std::vector<std::uint8_t> ReadOrdinaryFile(const std::filesystem::path& path,
                                           std::uintmax_t largest, int tooLargeMessageId) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error) {
    throw FileError(FileReadErrorMessageFor(error.value()), path,
                    "cannot open " + path.string() + ": " + error.message());
  }
  if (std::filesystem::is_directory(status)) {
    throw FileError(kMsgFileIsFolder, path, path.string() + " is a folder");
  }
  if (!std::filesystem::is_regular_file(status)) {
    throw FileError(kMsgFileNotOrdinary, path, path.string() + " is not an ordinary file");
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw FileError(kMsgFileReadError, path, "cannot read " + path.string());
  if (size > largest) throw FileError(tooLargeMessageId, path, path.string() + " is too large");
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(FileReadErrorMessageFor(errno), path, "cannot open " + path.string());
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
    throw FileError(kMsgFileReadError, path, "cannot read " + path.string());
  }
  return bytes;
}

}  // namespace vantrel::platform
