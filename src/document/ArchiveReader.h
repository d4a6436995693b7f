// Reads the primitive values, strings, counts and object tags of a document archive, from
// memory or from a file in blocks of 64 KiB. Every malformed input raises ArchiveError.
//
// Memory: the reader keeps the next index and the indices of the class records it has read,
// not one entry per object. A back-reference to an object is rejected as a bad index: every
// object of a document is stored exactly once and belongs to exactly one owning list, so a
// second reference to it cannot be honoured.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "document/ArchiveClasses.h"
#include "document/ArchiveError.h"

namespace vantrel::document {

class ArchiveReader {
 public:
  static constexpr std::size_t kBlockSize = 64 * 1024;

  /// Reads from memory; the bytes must outlive the reader.
  explicit ArchiveReader(std::span<const std::uint8_t> bytes);
  /// Reads from `file` (not owned) at its current position; `size` is the number of bytes
  /// expected from there on, used only to bound what announced counts may reserve.
  ArchiveReader(std::FILE* file, std::uint64_t size);
  ArchiveReader(const ArchiveReader&) = delete;
  ArchiveReader& operator=(const ArchiveReader&) = delete;

  std::uint8_t ReadByte() {
    const std::uint8_t value = *Need(1);
    ++cur_;
    return value;
  }
  std::uint16_t ReadWord();
  std::uint32_t ReadDword();
  std::int32_t ReadInt() { return static_cast<std::int32_t>(ReadDword()); }
  float ReadFloat();
  double ReadDouble();
  void ReadBytes(std::uint8_t* out, std::size_t size);
  /// `size` bytes into a new vector; end of file (before allocating) when fewer remain.
  std::vector<std::uint8_t> ReadByteVector(std::uint64_t size);
  /// Both stored forms: UTF-16 after the FF FFFE marker, else Windows-1252 bytes.
  std::u16string ReadString();
  /// A word, or word 0xFFFF followed by a dword.
  std::uint32_t ReadCount();

  /// Reads the reference that introduces an object of class `expected` and gives the object
  /// the next index. Returns false for the null reference when `nullAllowed`; any other
  /// class, a null where an object is required, or a back-reference raises ArchiveError.
  bool ReadObjectTag(ArchiveClass expected, bool nullAllowed);

  /// Reads `count` objects of class `cls`, each a tag and a record of `recordSize` (at most
  /// 64) bytes passed to `store(record)`. The usual tag (the back-reference to the class
  /// read last) is checked in place; anything else goes through ReadObjectTag.
  template <typename Store>
  void ReadObjectRun(ArchiveClass cls, std::uint64_t count, std::size_t recordSize, Store&& store);

  /// How many of `count` announced items the rest of the input can hold at `minBytes` each.
  std::uint64_t BoundCount(std::uint64_t count, std::size_t minBytes) const;
  /// Bytes not read yet (for a file: as far as its size told).
  std::uint64_t Remaining() const;
  /// Bytes read so far.
  std::uint64_t Position() const;
  /// True when no byte follows.
  bool AtEnd();

  /// The little-endian unsigned value at `in`.
  template <typename T>
  static T Load(const std::uint8_t* in) {
    T value = 0;
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(&value, in, sizeof(T));
    } else {
      for (std::size_t i = 0; i < sizeof(T); ++i) {
        value = static_cast<T>(value | static_cast<T>(static_cast<T>(in[i]) << (8 * i)));
      }
    }
    return value;
  }
  static float LoadFloat(const std::uint8_t* in) {
    return std::bit_cast<float>(Load<std::uint32_t>(in));
  }

 private:
  /// Makes `size` (<= kBlockSize) bytes readable at cur_; end of file when they do not exist.
  const std::uint8_t* Need(std::size_t size) {
    if (static_cast<std::size_t>(end_ - cur_) >= size) return cur_;
    return Refill(size);
  }
  const std::uint8_t* Refill(std::size_t size);
  std::uint32_t ReadLength();
  void TakeObjectIndex() { TakeObjectIndices(1); }
  void TakeObjectIndices(std::uint64_t count) {
    nextIndex_ += count;
    if (nextIndex_ > std::uint64_t{kMaxIndex} + 1) {
      Fail(ArchiveError::Kind::BadIndex, "index space exhausted");
    }
  }
  ArchiveClass ReadClassRecord();
  ArchiveClass ClassAt(std::uint32_t index) const;
  [[noreturn]] void Fail(ArchiveError::Kind kind, const std::string& what) const;

  std::FILE* file_ = nullptr;
  std::vector<std::uint8_t> buffer_;  // file blocks only
  const std::uint8_t* begin_ = nullptr;
  const std::uint8_t* cur_ = nullptr;
  const std::uint8_t* end_ = nullptr;
  std::uint64_t fileSize_ = 0;
  std::uint64_t fileRead_ = 0;  // bytes taken from the file into the buffer

  std::uint64_t nextIndex_ = 1;
  /// (index, class) of every class record read, in index order.
  std::vector<std::pair<std::uint32_t, ArchiveClass>> classes_;
  /// The index of the latest class record of each class; 0 when none.
  std::array<std::uint32_t, kArchiveClassCount> latestClassIndex_{};
};

template <typename Store>
void ArchiveReader::ReadObjectRun(ArchiveClass cls, std::uint64_t count, std::size_t recordSize,
                                  Store&& store) {
  std::array<std::uint8_t, 64> record{};
  const auto slot = static_cast<std::size_t>(cls);
  std::uint64_t i = 0;
  while (i < count) {
    // Fast path: the whole records that the buffer holds, as long as each carries the usual
    // back-reference to the class.
    const std::uint32_t known = latestClassIndex_[slot];
    if (known != 0) {
      const bool big = known >= kBigObjectTag;
      const std::size_t tagSize = big ? 6 : 2;
      const std::size_t step = tagSize + recordSize;
      const std::uint64_t fit = static_cast<std::size_t>(end_ - cur_) / step;
      const std::uint64_t n = fit < count - i ? fit : count - i;
      const std::uint8_t* p = cur_;
      std::uint64_t k = 0;
      if (!big) {
        const auto word = static_cast<std::uint16_t>(kClassTag | known);
        for (; k < n && Load<std::uint16_t>(p) == word; ++k, p += step) store(p + 2);
      } else {
        const std::uint32_t dword = kBigClassTag | known;
        for (; k < n && Load<std::uint16_t>(p) == kBigObjectTag &&
               Load<std::uint32_t>(p + 2) == dword;
             ++k, p += step) {
          store(p + 6);
        }
      }
      cur_ = p;
      TakeObjectIndices(k);
      i += k;
      if (i == count) break;
    }
    // Anything else, and records split across two blocks: one object the general way.
    ReadObjectTag(cls, false);
    ReadBytes(record.data(), recordSize);
    store(record.data());
    ++i;
  }
}

}  // namespace vantrel::document
