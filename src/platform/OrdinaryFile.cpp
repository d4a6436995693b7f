#include "platform/OrdinaryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/FileErrors.h"

namespace vantrel::platform {
namespace {

[[noreturn]] void Fail(int messageId, const std::filesystem::path& path, const std::string& what,
                       int errorNumber) {
  throw FileError(messageId, path, what + " " + path.string() + ": " + std::strerror(errorNumber));
}

}  // namespace

OpenedFile::~OpenedFile() {
  if (fd_ >= 0) ::close(fd_);
}

OpenedFile OpenOrdinaryFile(const std::filesystem::path& path) {
  // Not blocking: opening a named pipe would otherwise wait for a writer.
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) Fail(FileReadErrorMessageFor(errno), path, "cannot open", errno);
  struct stat info {};
  const int statResult = ::fstat(fd, &info);
  const int statError = errno;
  OpenedFile file(fd, statResult == 0 ? static_cast<std::uintmax_t>(info.st_size) : 0);
  if (statResult != 0) Fail(kMsgFileReadError, path, "cannot read", statError);
  if (S_ISDIR(info.st_mode)) {
    throw FileError(kMsgFileIsFolder, path, path.string() + " is a folder");
  }
  if (!S_ISREG(info.st_mode)) {
    throw FileError(kMsgFileNotOrdinary, path, path.string() + " is not an ordinary file");
  }
  return file;
}

StreamHandle OpenOrdinaryStream(const std::filesystem::path& path, std::uintmax_t& size) {
  OpenedFile file = OpenOrdinaryFile(path);
  StreamHandle stream(::fdopen(file.Fd(), "rb"));
  if (stream == nullptr) Fail(FileReadErrorMessageFor(errno), path, "cannot open", errno);
  file.Release();  // closed with the stream from now on
  size = file.Size();
  return stream;
}

// Plain system calls rather than a file stream: a stream would set up the locale machinery
// of the C++ library, which costs every program that reads a small file a good part of a
// megabyte of memory.
std::vector<std::uint8_t> ReadOrdinaryFile(const std::filesystem::path& path,
                                           std::uintmax_t largest, int tooLargeMessageId) {
  const OpenedFile file = OpenOrdinaryFile(path);
  const int fd = file.Fd();
  const std::uintmax_t size = file.Size();
  if (size > largest) throw FileError(tooLargeMessageId, path, path.string() + " is too large");
  // The size found when it was opened bounds the reading: a file that grows meanwhile is read
  // as it was, one that shrank ends early.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  std::size_t have = 0;
  while (have < bytes.size()) {
    const ssize_t got = ::read(fd, bytes.data() + have, bytes.size() - have);
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail(kMsgFileReadError, path, "cannot read", errno);
    }
    if (got == 0) break;
    have += static_cast<std::size_t>(got);
  }
  bytes.resize(have);
  return bytes;
}

}  // namespace vantrel::platform
