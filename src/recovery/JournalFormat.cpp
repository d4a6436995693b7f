// Encoding and scanning of the recording journal; see JournalFormat.h.
#include "recovery/JournalFormat.h"

#include <bit>
#include <cstring>

namespace vantrel::recovery {
namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
void PutU64(std::vector<std::uint8_t>& out, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
void PutString(std::vector<std::uint8_t>& out, const std::u16string& text) {
  PutU32(out, static_cast<std::uint32_t>(text.size()));
  for (const char16_t unit : text) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
}
std::uint32_t GetU32(const std::uint8_t* in) {
  return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
         static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}
void StoreU32(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

/// Bounds-checked reading of the header payload.
class HeaderReader {
 public:
  explicit HeaderReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool U32(std::uint32_t* value) {
    if (bytes_.size() - position_ < 4) return false;
    *value = GetU32(bytes_.data() + position_);
    position_ += 4;
    return true;
  }
  bool U64(std::uint64_t* value) {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    if (!U32(&low) || !U32(&high)) return false;
    *value = static_cast<std::uint64_t>(high) << 32 | low;
    return true;
  }
  bool String(std::u16string* text) {
    std::uint32_t units = 0;
    if (!U32(&units) || (bytes_.size() - position_) / 2 < units) return false;
    text->clear();
    for (std::uint32_t i = 0; i < units; ++i) {
      text->push_back(static_cast<char16_t>(bytes_[position_] | bytes_[position_ + 1] << 8));
      position_ += 2;
    }
    return true;
  }
  bool Bytes(std::vector<std::uint8_t>* out) {
    std::uint32_t size = 0;
    if (!U32(&size) || bytes_.size() - position_ < size) return false;
    out->assign(bytes_.begin() + static_cast<std::ptrdiff_t>(position_),
                bytes_.begin() + static_cast<std::ptrdiff_t>(position_ + size));
    position_ += size;
    return true;
  }
  bool AtEnd() const { return position_ == bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
  crc = ~crc;
  for (const std::uint8_t byte : bytes) crc = kCrcTable[(crc ^ byte) & 0xFFU] ^ (crc >> 8);
  return ~crc;
}

std::vector<std::uint8_t> EncodeStartBlock(const JournalHeader& header) {
  std::vector<std::uint8_t> payload;
  PutU32(payload, static_cast<std::uint32_t>(header.channelCount));
  PutU32(payload, static_cast<std::uint32_t>(header.axes.zusammenfassen));
  PutU32(payload, static_cast<std::uint32_t>(header.axes.einteilung));
  PutU64(payload, static_cast<std::uint64_t>(header.startedAt));
  PutString(payload, header.title);
  PutString(payload, header.templateExtension);
  PutU32(payload, static_cast<std::uint32_t>(header.image.size()));
  payload.insert(payload.end(), header.image.begin(), header.image.end());

  std::vector<std::uint8_t> block(kJournalMagic.begin(), kJournalMagic.end());
  PutU32(block, kJournalVersion);
  PutU32(block, static_cast<std::uint32_t>(payload.size()));
  PutU32(block, Crc32(payload));
  block.insert(block.end(), payload.begin(), payload.end());
  return block;
}

void AppendRecords(std::vector<std::uint8_t>& out,
                   std::span<const instrument::OnlineSampleSet> sets, int channelCount) {
  const auto channels = static_cast<std::size_t>(channelCount);
  while (!sets.empty()) {
    const std::size_t count = std::min<std::size_t>(sets.size(), kMaxSetsPerRecord);
    const std::size_t payloadSize = count * channels * 12;
    const std::size_t start = out.size();
    out.resize(start + kRecordPrefixBytes + payloadSize);
    std::uint8_t* prefix = out.data() + start;
    std::uint8_t* cursor = prefix + kRecordPrefixBytes;
    for (std::size_t i = 0; i < count; ++i) {
      for (std::size_t j = 0; j < channels; ++j) {
        const auto& triple = sets[i].channels[j];
        StoreU32(cursor, std::bit_cast<std::uint32_t>(triple.minimum));
        StoreU32(cursor + 4, std::bit_cast<std::uint32_t>(triple.maximum));
        StoreU32(cursor + 8, std::bit_cast<std::uint32_t>(triple.value));
        cursor += 12;
      }
    }
    StoreU32(prefix, static_cast<std::uint32_t>(payloadSize));
    const std::uint32_t crc = Crc32(std::span<const std::uint8_t>(prefix, 4));
    StoreU32(prefix + 4,
             Crc32(std::span<const std::uint8_t>(prefix + kRecordPrefixBytes, payloadSize), crc));
    sets = sets.subspan(count);
  }
}

bool JournalScanner::ReadExactly(std::uint8_t* data, std::size_t size) {
  const std::size_t got = std::fread(data, 1, size, file_);
  if (got != size && std::ferror(file_) != 0) readFailed_ = true;
  return got == size;
}

JournalScanner::HeaderStatus JournalScanner::ReadHeader(JournalHeader* header) {
  std::array<std::uint8_t, kStartBlockBytes> start{};
  if (!ReadExactly(start.data(), start.size())) {
    return readFailed_ ? HeaderStatus::kUnreadable : HeaderStatus::kDamaged;
  }
  if (!std::equal(kJournalMagic.begin(), kJournalMagic.end(), start.begin())) {
    return HeaderStatus::kDamaged;
  }
  if (GetU32(start.data() + 8) != kJournalVersion) return HeaderStatus::kOtherVersion;
  const std::uint32_t size = GetU32(start.data() + 12);
  const std::uint32_t crc = GetU32(start.data() + 16);
  if (size > kMaxHeaderBytes) return HeaderStatus::kDamaged;
  std::vector<std::uint8_t> payload(size);
  if (!ReadExactly(payload.data(), payload.size())) {
    return readFailed_ ? HeaderStatus::kUnreadable : HeaderStatus::kDamaged;
  }
  if (Crc32(payload) != crc) return HeaderStatus::kDamaged;

  HeaderReader reader(payload);
  std::uint32_t channels = 0;
  std::uint32_t grouping = 0;
  std::uint32_t scale = 0;
  std::uint64_t started = 0;
  if (!reader.U32(&channels) || !reader.U32(&grouping) || !reader.U32(&scale) ||
      !reader.U64(&started) || !reader.String(&header->title) ||
      !reader.String(&header->templateExtension) || !reader.Bytes(&header->image) ||
      !reader.AtEnd() || channels < 1 || channels > instrument::kFieldFormatChannels ||
      grouping > 2 || scale > 1) {
    return HeaderStatus::kDamaged;
  }
  header->channelCount = static_cast<int>(channels);
  header->axes.zusammenfassen = static_cast<int>(grouping);
  header->axes.einteilung = static_cast<int>(scale);
  header->startedAt = static_cast<std::int64_t>(started);
  channelCount_ = header->channelCount;
  intactBytes_ = kStartBlockBytes + size;
  return HeaderStatus::kOk;
}

bool JournalScanner::NextRecord(std::vector<instrument::OnlineSampleSet>& sets) {
  sets.clear();
  if (channelCount_ == 0) return false;
  std::array<std::uint8_t, kRecordPrefixBytes> prefix{};
  if (!ReadExactly(prefix.data(), prefix.size())) return false;
  const std::uint32_t size = GetU32(prefix.data());
  const std::size_t setBytes = static_cast<std::size_t>(channelCount_) * 12;
  if (size == 0 || size % setBytes != 0 || size / setBytes > kMaxSetsPerRecord) return false;
  payload_.resize(size);
  if (!ReadExactly(payload_.data(), payload_.size())) return false;
  const std::uint32_t crc = Crc32(payload_, Crc32(std::span<const std::uint8_t>(prefix.data(), 4)));
  if (crc != GetU32(prefix.data() + 4)) return false;

  sets.resize(size / setBytes);
  const std::uint8_t* cursor = payload_.data();
  for (instrument::OnlineSampleSet& set : sets) {
    for (int j = 0; j < channelCount_; ++j) {
      auto& triple = set.channels[static_cast<std::size_t>(j)];
      triple.minimum = std::bit_cast<float>(GetU32(cursor));
      triple.maximum = std::bit_cast<float>(GetU32(cursor + 4));
      triple.value = std::bit_cast<float>(GetU32(cursor + 8));
      cursor += 12;
    }
  }
  intactBytes_ += kRecordPrefixBytes + size;
  return true;
}

}  // namespace vantrel::recovery
