// The recording journal's bytes: a start block (magic, format version, the header's length
// and check value, the header) and then append-only records, each a payload length, a
// CRC-32 over length and payload, and the payload (sample sets of the journal's channel
// count, three little-endian floats per channel: minimum, maximum, value). A record that is
// cut off or fails its check ends the journal; everything before it is intact.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "instrument/AxisAssignment.h"
#include "instrument/OnlineFormats.h"

namespace vantrel::recovery {

inline constexpr std::array<std::uint8_t, 8> kJournalMagic = {'V', 'Q', 'J', 'O',
                                                              'U', 'R', 'N', 0x1A};
/// Raised whenever the journal's bytes change meaning; other versions are refused.
inline constexpr std::uint32_t kJournalVersion = 1;
/// Bounds that keep a damaged length from asking for absurd amounts of memory.
inline constexpr std::uint32_t kMaxHeaderBytes = 64U << 20;
inline constexpr std::uint32_t kMaxSetsPerRecord = 16384;
inline constexpr std::size_t kStartBlockBytes = 8 + 4 + 4 + 4;
inline constexpr std::size_t kRecordPrefixBytes = 8;

/// What rebuilds the recording's document: the document's archive image without samples
/// (curves, axes, units, interval, start time) and how its samples were appended.
struct JournalHeader {
  int channelCount = 0;
  instrument::AxisSettings axes;
  /// Seconds since 1970 UTC when the journal was started.
  std::int64_t startedAt = 0;
  /// The document's title and its template's extension (".vqa", ...).
  std::u16string title;
  std::u16string templateExtension;
  std::vector<std::uint8_t> image;
};

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

/// The start block of a journal with `header`.
std::vector<std::uint8_t> EncodeStartBlock(const JournalHeader& header);
/// Appends records holding `sets` (split at kMaxSetsPerRecord) to `out`.
void AppendRecords(std::vector<std::uint8_t>& out,
                   std::span<const instrument::OnlineSampleSet> sets, int channelCount);

/// Reads a journal from an open file front to back.
class JournalScanner {
 public:
  enum class HeaderStatus { kOk, kUnreadable, kDamaged, kOtherVersion };

  explicit JournalScanner(std::FILE* file) : file_(file) {}
  HeaderStatus ReadHeader(JournalHeader* header);
  /// The next intact record's sets (replacing `sets`); false at the end of the intact part.
  bool NextRecord(std::vector<instrument::OnlineSampleSet>& sets);
  /// True when the intact part ended on a read error rather than at the end or a torn record.
  bool ReadFailed() const { return readFailed_; }
  /// Bytes of the start block and all intact records read so far.
  std::uint64_t IntactBytes() const { return intactBytes_; }

 private:
  bool ReadExactly(std::uint8_t* data, std::size_t size);

  std::FILE* file_;
  int channelCount_ = 0;
  bool readFailed_ = false;
  std::uint64_t intactBytes_ = 0;
  std::vector<std::uint8_t> payload_;
};

}  // namespace vantrel::recovery
