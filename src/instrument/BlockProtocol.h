// The block protocol of the memory readout, as functions over received bytes: the check
// bytes (CRC-16/XMODEM), the 64-byte measurement header, the 32-byte channel block, the name
// rule, the header's year and trigger letter. The link that moves the bytes is elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "instrument/ProtocolText.h"

namespace vantrel::instrument {

constexpr std::size_t kBlockHeaderSize = 64;
constexpr std::size_t kChannelBlockSize = 32;
constexpr std::size_t kDataRecordSize = 4;
/// Channel slots of a measurement; a header announcing more is refused.
constexpr int kMaxChannels = 6;
/// Instrument channel number that marks a channel derived by the instrument.
constexpr int kDerivedChannel = 18;
/// Scale of raw samples: the single nearest 1/15000.
constexpr float kRawScale = 6.6666667e-05F;

/// The characters of the instrument's names.
constexpr std::string_view kNameAlphabet =
    "1234567890qwertzuioplkjhgfdsayxcvbnmQWERTZUIOPLKJHGFDSAYXCVBNM /%.+-";

/// Continues the CRC-16/XMODEM `crc` (polynomial 0x1021, start 0, no reflection) over `size`
/// bytes. Running it over a measurement and its two check bytes gives 0 when it is intact.
std::uint16_t UpdateCrc16(std::uint16_t crc, const std::uint8_t* data, std::size_t size);

/// A 32-bit single sent high word first, each word little-endian.
float ReadWordSwappedSingle(const std::uint8_t* field);
void WriteWordSwappedSingle(float value, std::uint8_t* field);

/// The name rule: `block` read as zero-terminated text from its first byte, less its first
/// `skip` characters, at most 15 characters, cut before the first character outside the
/// instrument's name alphabet. Returns the 8-bit text.
std::string NameFromBlock(const std::uint8_t* block, std::size_t blockSize, std::size_t skip);

/// Four-digit year of the header's two-digit year byte: 19 and 70..255 are 19xx.
int BlockYear(int yearByte);

/// Trigger mode and channel of the header's trigger letter; `channel` is -1 when the letter
/// leaves the curve's trigger channel unchanged.
struct TriggerSetting {
  int mode = 0;
  int channel = -1;
};
TriggerSetting TriggerFromLetter(std::uint8_t letter);

struct BlockHeader {
  int storageNumber = 0;
  std::string name;  ///< after the name rule, 8-bit text, possibly empty
  int channelCount = 0;
  int hour = 0;
  int minute = 0;
  int year = 0;  ///< four digits
  int month = 0;
  int day = 0;
  std::uint32_t intervalMs = 1;  ///< 0 in the header is taken as 1
  int samplesPerChannel = 0;
  int pretriggerSamples = 0;
  float triggerLevel = 0.0F;
  int triggerEdge = 0;
  std::uint8_t triggerLetter = 0;
};
/// Reads a 64-byte header.
BlockHeader ParseBlockHeader(const std::uint8_t* header);

struct ChannelBlock {
  int channelNumber = 0;
  std::string name;
  UnitSetting unit;
  float sensorRange = 0.0F;
};
/// Reads a 32-byte channel block.
ChannelBlock ParseChannelBlock(const std::uint8_t* block);

/// Raw minimum and maximum of a 4-byte data record (signed 16-bit little-endian each).
inline void ParseDataRecord(const std::uint8_t* record, int* rawMinimum, int* rawMaximum) {
  *rawMinimum = static_cast<std::int16_t>(record[0] | (record[1] << 8));
  *rawMaximum = static_cast<std::int16_t>(record[2] | (record[3] << 8));
}

}  // namespace vantrel::instrument
