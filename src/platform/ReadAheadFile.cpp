#include "platform/ReadAheadFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include "platform/Error.h"

namespace vantrel::platform {

ReadAheadFile::ReadAheadFile(int fd) : fd_(fd) {
  try {
    for (Block& block : blocks_) block.bytes.resize(kMostCarried + kBlockSize);
  } catch (...) {
    ::close(fd_);
    throw;
  }
  try {
    reader_ = std::thread([this] { ReadAll(); });
  } catch (const std::system_error&) {
    // No thread to be had (a process limit): Next reads each block itself.
  }
}

ReadAheadFile::~ReadAheadFile() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (reader_.joinable()) reader_.join();
  ::close(fd_);
}

bool ReadAheadFile::Fill(std::size_t index) {
  Block& block = blocks_[index];
  std::size_t size = 0;
  int error = 0;
  while (size < kBlockSize) {
    const ssize_t got = ::read(fd_, block.bytes.data() + kMostCarried + size, kBlockSize - size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error = errno;
    if (got <= 0) break;
    size += static_cast<std::size_t>(got);
  }
  const std::lock_guard lock(mutex_);
  block.size = size;
  block.filled = true;
  ended_ = size < kBlockSize;
  readError_ = error;
  return !ended_;
}

void ReadAheadFile::ReadAll() {
  for (std::size_t index = 0;; index = (index + 1) % kBlocks) {
    Block& block = blocks_[index];
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return stopping_ || (!block.filled && index != taken_); });
      if (stopping_) return;
    }
    // The block is the reader's alone until it is marked filled.
    const bool more = Fill(index);
    changed_.notify_all();
    if (!more) return;
  }
}

std::span<const std::uint8_t> ReadAheadFile::Next(std::span<const std::uint8_t> carry,
                                                  int readErrorMessageId) {
  if (carry.size() > kMostCarried) {
    throw VantrelError(readErrorMessageId,
                       "read ahead: " + std::to_string(carry.size()) + " bytes carried over");
  }
  if (!reader_.joinable() && !ended_) Fill(next_);
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return blocks_[next_].filled || ended_; });
  Block& block = blocks_[next_];
  if (!block.filled) {
    // Everything was taken: the end of the file, or the read that failed after it.
    lock.unlock();
    if (readError_ != 0) {
      throw VantrelError(readErrorMessageId,
                         std::string("read error: ") + std::strerror(readError_));
    }
    return carry;
  }
  if (block.size < kBlockSize && readError_ != 0) {
    throw VantrelError(readErrorMessageId, std::string("read error: ") + std::strerror(readError_));
  }
  // The carried bytes may lie in the block given back now: copied before it is refilled.
  std::uint8_t* start = block.bytes.data() + kMostCarried - carry.size();
  if (!carry.empty()) std::memcpy(start, carry.data(), carry.size());
  if (taken_ < kBlocks) blocks_[taken_].filled = false;
  taken_ = next_;
  next_ = (next_ + 1) % kBlocks;
  const std::size_t size = block.size;
  lock.unlock();
  changed_.notify_all();
  return {start, carry.size() + size};
}

}  // namespace vantrel::platform
