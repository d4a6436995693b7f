// Reads an open file front to back on a thread of its own, a few blocks ahead of its user:
// copying the file's bytes out of the system then overlaps with using them, on another
// processor core. A large document loads in about the time its parsing takes.
//
// The user takes block after block; each comes with the unread end of the previous one
// (a value split across two blocks) copied in front of it, so values are always read from
// one piece of memory.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace vantrel::platform {

class ReadAheadFile {
 public:
  /// Bytes read into one block.
  static constexpr std::size_t kBlockSize = 64 * 1024;
  /// The most bytes of a block that may be carried in front of the next.
  static constexpr std::size_t kMostCarried = 64;

  /// Starts reading `fd` (an ordinary file, owned from now on) at its current position.
  explicit ReadAheadFile(int fd);
  /// Stops the reading thread and closes the file.
  ~ReadAheadFile();
  ReadAheadFile(const ReadAheadFile&) = delete;
  ReadAheadFile& operator=(const ReadAheadFile&) = delete;

  /// Gives back the block taken last and takes the next one, with `carry` (at most
  /// kMostCarried bytes, typically the unread end of the previous block) in front of it.
  /// At the end of the file only the carried bytes are returned. Throws VantrelError
  /// `readErrorMessageId` when the system reports a read error, and whenever asked again.
  std::span<const std::uint8_t> Next(std::span<const std::uint8_t> carry, int readErrorMessageId);

 private:
  /// Blocks held at once: one in use, the others being filled or waiting.
  static constexpr std::size_t kBlocks = 3;

  struct Block {
    std::vector<std::uint8_t> bytes;  // kMostCarried room, then kBlockSize bytes of the file
    std::size_t size = 0;             // file bytes in it
    bool filled = false;
  };

  /// The reading thread: fills the blocks in turn as they become free.
  void ReadAll();
  /// Reads the next bytes of the file into block `index` and marks it filled; false at
  /// the end of the file or on a read error.
  bool Fill(std::size_t index);

  int fd_;
  std::mutex mutex_;
  std::condition_variable changed_;
  Block blocks_[kBlocks];
  std::size_t taken_ = kBlocks;  // the block the user holds; kBlocks: none yet
  std::size_t next_ = 0;         // the block the user takes next
  bool stopping_ = false;
  bool ended_ = false;  // the reader has filled its last block
  int readError_ = 0;   // errno of a failed read, after the last filled block
  std::thread reader_;
};

}  // namespace vantrel::platform
