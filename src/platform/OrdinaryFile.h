// Reading a whole file that the user named: only an ordinary file is opened (a pipe or a
// device could wait for a writer forever), and its size is bounded so that an absurd file
// cannot exhaust memory. Every failure names its cause as a message ID.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace vantrel::platform {

/// A file opened for reading by OpenOrdinaryFile; closed with the object unless released.
class OpenedFile {
 public:
  OpenedFile(int fd, std::uintmax_t size) : fd_(fd), size_(size) {}
  ~OpenedFile();
  OpenedFile(OpenedFile&& other) noexcept : fd_(other.Release()), size_(other.size_) {}
  OpenedFile(const OpenedFile&) = delete;
  OpenedFile& operator=(const OpenedFile&) = delete;
  OpenedFile& operator=(OpenedFile&&) = delete;

  int Fd() const { return fd_; }
  /// The size when it was opened.
  std::uintmax_t Size() const { return size_; }
  /// Hands the descriptor over to the caller, who closes it from now on.
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
  std::uintmax_t size_;
};

/// A C stream, closed with its handle.
struct StreamCloser {
  void operator()(std::FILE* stream) const { std::fclose(stream); }
};
using StreamHandle = std::unique_ptr<std::FILE, StreamCloser>;

/// Opens the ordinary file `path` for reading, without waiting on a named pipe; throws
/// FileError with the cause (not found, a folder, not an ordinary file, no permission, ...).
/// What was opened is what is checked, so it cannot be swapped in between.
OpenedFile OpenOrdinaryFile(const std::filesystem::path& path);
/// The same as a C stream for reading; `size` receives the size when it was opened.
StreamHandle OpenOrdinaryStream(const std::filesystem::path& path, std::uintmax_t& size);

/// The bytes of the ordinary file `path`. Throws FileError with the cause (not found, a
/// folder, not an ordinary file, no permission, ...), and FileError `tooLargeMessageId` when
/// the file holds more than `largest` bytes.
std::vector<std::uint8_t> ReadOrdinaryFile(const std::filesystem::path& path,
                                           std::uintmax_t largest, int tooLargeMessageId);

}  // namespace vantrel::platform
