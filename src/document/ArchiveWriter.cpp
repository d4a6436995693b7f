// Primitive encodings and the tag protocol of the document archive, writing side.
#include "document/ArchiveWriter.h"

#include <bit>
#include <string>

#include "document/ArchiveError.h"

namespace vantrel::document {

ArchiveWriter::ArchiveWriter(BlockSink sink) : sink_(std::move(sink)), buffer_(kBlockSize) {}

void ArchiveWriter::WriteFloat(float value) {
  StoreFloat(Room(4), value);
  Advance(4);
}

void ArchiveWriter::WriteDouble(double value) {
  Store(Room(8), std::bit_cast<std::uint64_t>(value));
  Advance(8);
}

void ArchiveWriter::WriteBytes(const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    if (used_ == kBlockSize) Flush();
    const std::size_t part = std::min(size, kBlockSize - used_);
    std::memcpy(buffer_.data() + used_, data, part);
    used_ += part;
    data += part;
    size -= part;
  }
}

void ArchiveWriter::WriteString(std::u16string_view text) {
  const std::size_t length = text.size();
  WriteByte(0xFF);
  WriteWord(0xFFFE);
  if (length < 0xFF) {
    WriteByte(static_cast<std::uint8_t>(length));
  } else if (length < 0xFFFE) {
    WriteByte(0xFF);
    WriteWord(static_cast<std::uint16_t>(length));
  } else {
    if (length > 0xFFFFFFFFU) {
      throw platform::VantrelError(kMsgSaveFailed, "string too long for the archive");
    }
    WriteByte(0xFF);
    WriteWord(0xFFFF);
    WriteDword(static_cast<std::uint32_t>(length));
  }
  for (char16_t unit : text) WriteWord(static_cast<std::uint16_t>(unit));
}

void ArchiveWriter::WriteCount(std::uint64_t count) {
  if (count < 0xFFFF) {
    WriteWord(static_cast<std::uint16_t>(count));
    return;
  }
  if (count > 0xFFFFFFFFU) {
    throw platform::VantrelError(kMsgSaveFailed, "count too large for the archive");
  }
  WriteWord(0xFFFF);
  WriteDword(static_cast<std::uint32_t>(count));
}

std::uint32_t ArchiveWriter::TakeIndices(std::size_t count) {
  const std::uint32_t first = nextIndex_;
  if (count > static_cast<std::size_t>(kMaxIndex) + 1 - first) {
    throw platform::VantrelError(kMsgSaveFailed, "too many objects for one archive");
  }
  nextIndex_ = static_cast<std::uint32_t>(first + count);
  return first;
}

std::size_t ArchiveWriter::ClassReference(ArchiveClass cls, std::uint8_t* out) const {
  const std::uint32_t index = classIndex_[static_cast<std::size_t>(cls)];
  if (index < kBigObjectTag) {
    Store(out, static_cast<std::uint16_t>(kClassTag | index));
    return 2;
  }
  Store(out, kBigObjectTag);
  Store(out + 2, kBigClassTag | index);
  return 6;
}

void ArchiveWriter::BeginObject(ArchiveClass cls) {
  std::uint32_t& classIndex = classIndex_[static_cast<std::size_t>(cls)];
  if (classIndex == 0) {
    const ArchiveClassInfo& info = InfoOf(cls);
    WriteWord(kNewClassTag);
    WriteWord(info.schema);
    WriteWord(static_cast<std::uint16_t>(info.name.size()));
    WriteBytes(reinterpret_cast<const std::uint8_t*>(info.name.data()), info.name.size());
    classIndex = TakeIndices(1);
  } else {
    std::array<std::uint8_t, 6> tag{};
    const std::size_t size = ClassReference(cls, tag.data());
    WriteBytes(tag.data(), size);
  }
  TakeIndices(1);
}

void ArchiveWriter::Flush() {
  if (used_ == 0) return;
  const std::size_t size = used_;
  used_ = 0;
  sink_(buffer_.data(), size);
}

}  // namespace vantrel::document
