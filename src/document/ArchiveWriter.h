// Writes the primitive values, strings, counts and object tags of a document archive into
// blocks of 64 KiB handed to a sink. One writer is one archive: classes and objects share
// one index space, and every object it introduces is a new one (documents never refer back
// to an object), so the writer keeps only the index of each class it has written.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

#include "document/ArchiveClasses.h"

namespace vantrel::document {

class ArchiveWriter {
 public:
  /// Receives each full block and the rest on Flush; throws to abort the save.
  using BlockSink = std::function<void(const std::uint8_t* data, std::size_t size)>;
  static constexpr std::size_t kBlockSize = 64 * 1024;

  explicit ArchiveWriter(BlockSink sink);
  ArchiveWriter(const ArchiveWriter&) = delete;
  ArchiveWriter& operator=(const ArchiveWriter&) = delete;

  void WriteByte(std::uint8_t value) {
    Store(Room(1), value);
    Advance(1);
  }
  void WriteWord(std::uint16_t value) {
    Store(Room(2), value);
    Advance(2);
  }
  void WriteDword(std::uint32_t value) {
    Store(Room(4), value);
    Advance(4);
  }
  void WriteInt(std::int32_t value) { WriteDword(static_cast<std::uint32_t>(value)); }
  void WriteFloat(float value);
  void WriteDouble(double value);
  void WriteBytes(const std::uint8_t* data, std::size_t size);
  /// The UTF-16 form: FF FE FF, the length in units (byte, or FF + word, or FF FFFF + dword),
  /// then the units little-endian.
  void WriteString(std::u16string_view text);
  /// n < 0xFFFF as a word, else word 0xFFFF and a dword; counts past 32 bits cannot be stored.
  void WriteCount(std::uint64_t count);
  void WriteNullReference() { WriteWord(kNullTag); }
  /// Writes the tag that introduces a new object of `cls` (its class record the first time,
  /// a back-reference to the class afterwards) and gives the object the next index. The
  /// object's record must follow.
  void BeginObject(ArchiveClass cls);

  /// Writes `count` objects of `cls`, each a tag and a record of `recordSize` (at most 64)
  /// bytes that `fill(i, destination)` stores. Same bytes as BeginObject plus the record
  /// per object, without a call per field.
  template <typename Fill>
  void WriteObjectRun(ArchiveClass cls, std::size_t count, std::size_t recordSize, Fill&& fill);

  /// Hands the buffered bytes to the sink.
  void Flush();
  /// The index the next class or object will take.
  std::uint32_t NextIndex() const { return nextIndex_; }

  /// Stores the unsigned `value` little-endian at `out`.
  template <typename T>
  static void Store(std::uint8_t* out, T value) {
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(out, &value, sizeof(T));
    } else {
      for (std::size_t i = 0; i < sizeof(T); ++i) {
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
      }
    }
  }
  static void StoreFloat(std::uint8_t* out, float value) {
    Store(out, std::bit_cast<std::uint32_t>(value));
  }

 private:
  std::uint8_t* Room(std::size_t size) {
    if (kBlockSize - used_ < size) Flush();
    return buffer_.data() + used_;
  }
  void Advance(std::size_t size) { used_ += size; }
  /// Records [i, count) of WriteObjectRun, each after a class reference of TagSize bytes.
  template <std::size_t TagSize, typename Fill>
  void WriteRecords(const std::uint8_t* tag, std::size_t i, std::size_t count,
                    std::size_t recordSize, Fill& fill);
  /// Reserves `count` consecutive indices and returns the first.
  std::uint32_t TakeIndices(std::size_t count);
  /// The back-reference tag to the already written class `cls`; returns its length (2 or 6).
  std::size_t ClassReference(ArchiveClass cls, std::uint8_t* out) const;

  BlockSink sink_;
  std::vector<std::uint8_t> buffer_;
  std::size_t used_ = 0;
  std::uint32_t nextIndex_ = 1;
  std::array<std::uint32_t, kArchiveClassCount> classIndex_{};  // 0 = not written yet
};

template <typename Fill>
void ArchiveWriter::WriteObjectRun(ArchiveClass cls, std::size_t count, std::size_t recordSize,
                                   Fill&& fill) {
  std::size_t i = 0;
  if (count == 0) return;
  if (classIndex_[static_cast<std::size_t>(cls)] == 0) {
    BeginObject(cls);
    fill(i, Room(recordSize));
    Advance(recordSize);
    ++i;
  }
  std::array<std::uint8_t, 6> tag{};
  const std::size_t tagSize = ClassReference(cls, tag.data());
  TakeIndices(count - i);
  if (tagSize == 2) {
    WriteRecords<2>(tag.data(), i, count, recordSize, fill);
  } else {
    WriteRecords<6>(tag.data(), i, count, recordSize, fill);
  }
}

template <std::size_t TagSize, typename Fill>
void ArchiveWriter::WriteRecords(const std::uint8_t* tag, std::size_t i, std::size_t count,
                                 std::size_t recordSize, Fill& fill) {
  const std::size_t step = TagSize + recordSize;
  while (i < count) {
    std::uint8_t* out = Room(step);
    // As many whole records as the block holds, without a check per record.
    const std::size_t fit = (kBlockSize - used_) / step;
    const std::size_t n = fit < count - i ? fit : count - i;
    for (std::size_t k = 0; k < n; ++k, out += step) {
      std::memcpy(out, tag, TagSize);
      fill(i + k, out + TagSize);
    }
    used_ += n * step;
    i += n;
  }
}

}  // namespace vantrel::document
