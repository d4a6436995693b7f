// Primitive encodings and the tag protocol of the document archive, reading side.
#include "document/ArchiveReader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/Strings.h"

namespace vantrel::document {

ArchiveReader::ArchiveReader(std::span<const std::uint8_t> bytes)
    : begin_(bytes.data()), cur_(bytes.data()), end_(bytes.data() + bytes.size()) {}

ArchiveReader::ArchiveReader(std::FILE* file, std::uint64_t size)
    : file_(file), buffer_(kBlockSize), fileSize_(size) {
  begin_ = cur_ = end_ = buffer_.data();
}

void ArchiveReader::Fail(ArchiveError::Kind kind, const std::string& what) const {
  throw ArchiveError(kind, what + " at byte " + std::to_string(Position()));
}

const std::uint8_t* ArchiveReader::Refill(std::size_t size) {
  auto have = static_cast<std::size_t>(end_ - cur_);
  if (file_ != nullptr) {
    std::uint8_t* base = buffer_.data();
    std::memmove(base, cur_, have);
    cur_ = base;
    end_ = base + have;
    while (have < size) {
      const std::size_t got = std::fread(base + have, 1, kBlockSize - have, file_);
      if (got == 0) {
        if (std::ferror(file_) != 0) {
          throw platform::VantrelError(kMsgOpenFailed, "read error");
        }
        break;
      }
      have += got;
      fileRead_ += got;
      end_ = base + have;
    }
    if (have >= size) return cur_;
  }
  Fail(ArchiveError::Kind::EndOfFile, "unexpected end of file");
}

std::uint64_t ArchiveReader::Remaining() const {
  const auto buffered = static_cast<std::uint64_t>(end_ - cur_);
  if (file_ == nullptr) return buffered;
  return buffered + (fileSize_ > fileRead_ ? fileSize_ - fileRead_ : 0);
}

std::uint64_t ArchiveReader::Position() const {
  const auto buffered = static_cast<std::uint64_t>(end_ - cur_);
  if (file_ == nullptr) return static_cast<std::uint64_t>(cur_ - begin_);
  return fileRead_ - buffered;
}

std::uint64_t ArchiveReader::BoundCount(std::uint64_t count, std::size_t minBytes) const {
  return std::min<std::uint64_t>(count, Remaining() / minBytes);
}

bool ArchiveReader::AtEnd() {
  if (cur_ != end_) return false;
  if (file_ == nullptr) return true;
  try {
    Refill(1);
  } catch (const ArchiveError&) {
    return true;
  }
  return false;
}

std::uint16_t ArchiveReader::ReadWord() {
  const std::uint16_t value = Load<std::uint16_t>(Need(2));
  cur_ += 2;
  return value;
}

std::uint32_t ArchiveReader::ReadDword() {
  const std::uint32_t value = Load<std::uint32_t>(Need(4));
  cur_ += 4;
  return value;
}

float ArchiveReader::ReadFloat() { return std::bit_cast<float>(ReadDword()); }

double ArchiveReader::ReadDouble() {
  const std::uint64_t bits = Load<std::uint64_t>(Need(8));
  cur_ += 8;
  return std::bit_cast<double>(bits);
}

void ArchiveReader::ReadBytes(std::uint8_t* out, std::size_t size) {
  while (size > 0) {
    if (cur_ == end_) Need(1);
    const std::size_t part = std::min(size, static_cast<std::size_t>(end_ - cur_));
    std::memcpy(out, cur_, part);
    cur_ += part;
    out += part;
    size -= part;
  }
}

std::vector<std::uint8_t> ArchiveReader::ReadByteVector(std::uint64_t size) {
  if (size > Remaining()) Fail(ArchiveError::Kind::EndOfFile, "byte array past the end");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  ReadBytes(bytes.data(), bytes.size());
  return bytes;
}

std::uint32_t ArchiveReader::ReadLength() {
  const std::uint8_t byte = ReadByte();
  if (byte < 0xFF) return byte;
  const std::uint16_t word = ReadWord();
  if (word < 0xFFFF) return word;
  return ReadDword();
}

std::u16string ArchiveReader::ReadString() {
  std::uint32_t length = ReadByte();
  bool wide = false;
  if (length == 0xFF) {
    const std::uint16_t word = ReadWord();
    if (word == 0xFFFE) {
      wide = true;
      length = ReadLength();
    } else {
      length = word < 0xFFFF ? word : ReadDword();
    }
  }
  const std::uint64_t bytes = wide ? 2ULL * length : length;
  if (bytes > Remaining()) Fail(ArchiveError::Kind::EndOfFile, "string past the end");
  if (!wide) {
    std::string narrow(length, '\0');
    ReadBytes(reinterpret_cast<std::uint8_t*>(narrow.data()), narrow.size());
    return platform::FromCp1252(narrow);
  }
  std::u16string text(length, u'\0');
  for (char16_t& unit : text) unit = static_cast<char16_t>(ReadWord());
  return text;
}

std::uint32_t ArchiveReader::ReadCount() {
  const std::uint16_t word = ReadWord();
  return word < 0xFFFF ? word : ReadDword();
}

ArchiveClass ArchiveReader::ReadClassRecord() {
  const std::uint16_t schema = ReadWord();
  const std::uint16_t length = ReadWord();
  if (length >= kMaxClassNameLength) Fail(ArchiveError::Kind::BadClass, "class name too long");
  std::array<char, kMaxClassNameLength> name{};
  ReadBytes(reinterpret_cast<std::uint8_t*>(name.data()), length);
  const std::string_view read(name.data(), length);
  const auto* found = std::find_if(kArchiveClasses.begin(), kArchiveClasses.end(),
                                   [&](const ArchiveClassInfo& info) { return info.name == read; });
  if (found == kArchiveClasses.end()) {
    Fail(ArchiveError::Kind::BadClass, "unknown class \"" + std::string(read) + "\"");
  }
  if (found->schema != schema) {
    Fail(ArchiveError::Kind::BadSchema,
         "class " + std::string(read) + " with schema " + std::to_string(schema));
  }
  const auto cls = static_cast<ArchiveClass>(found - kArchiveClasses.begin());
  if (nextIndex_ > kMaxIndex) Fail(ArchiveError::Kind::BadIndex, "index space exhausted");
  const auto index = static_cast<std::uint32_t>(nextIndex_++);
  classes_.emplace_back(index, cls);
  latestClassIndex_[static_cast<std::size_t>(cls)] = index;
  return cls;
}

ArchiveClass ArchiveReader::ClassAt(std::uint32_t index) const {
  const auto it = std::lower_bound(classes_.begin(), classes_.end(), index,
                                   [](const std::pair<std::uint32_t, ArchiveClass>& entry,
                                      std::uint32_t key) { return entry.first < key; });
  if (it == classes_.end() || it->first != index) {
    Fail(ArchiveError::Kind::BadIndex, "class index " + std::to_string(index) + " not defined");
  }
  return it->second;
}

bool ArchiveReader::ReadObjectTag(ArchiveClass expected, bool nullAllowed) {
  const std::uint16_t word = ReadWord();
  std::uint32_t tag = 0;
  if (word == kBigObjectTag) {
    tag = ReadDword();
  } else {
    tag = (static_cast<std::uint32_t>(word & 0x8000U) << 16) | (word & 0x7FFFU);
  }
  if ((tag & kBigClassTag) == 0) {
    if (tag != 0) {
      // Every object is stored once; a second reference would share an owned element.
      Fail(ArchiveError::Kind::BadIndex, "reference to object " + std::to_string(tag));
    }
    if (!nullAllowed) {
      Fail(ArchiveError::Kind::BadClass,
           "null reference where " + std::string(InfoOf(expected).name) + " is required");
    }
    return false;
  }
  const ArchiveClass cls = word == kNewClassTag ? ReadClassRecord() : ClassAt(tag & ~kBigClassTag);
  if (cls != expected) {
    Fail(ArchiveError::Kind::BadClass, std::string(InfoOf(cls).name) + " where " +
                                           std::string(InfoOf(expected).name) + " is required");
  }
  TakeObjectIndex();
  return true;
}

}  // namespace vantrel::document
