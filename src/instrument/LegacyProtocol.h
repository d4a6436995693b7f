// The legacy text protocol of the memory readout, as functions over received bytes: the
// 167-byte fixed-column measurement header, the channel types and the 4-byte sample groups.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel::instrument {

constexpr std::size_t kLegacyHeaderSize = 167;
constexpr std::size_t kLegacyBlockSize = 123;
constexpr int kLegacyBlockCount = 6;
constexpr std::size_t kLegacyChunkSize = 24;
constexpr int kLegacyMaxChannels = 3;
/// Start answer and data end marker of the legacy protocol.
constexpr std::array<std::uint8_t, 4> kLegacyStartAnswer = {0xFE, 0xFE, 0x0D, 0x0A};
constexpr std::array<std::uint8_t, 4> kLegacyEndMarker = {0xFF, 0xFF, 0x0D, 0x0A};
/// Scale of a legacy raw sample per unit of range multiplier x range code.
constexpr float kLegacyScale = 0.000407F;

struct LegacyHeader {
  int storageNumber = 0;
  int hour = 0;
  int minute = 0;
  int year = 0;  ///< four digits
  int month = 0;
  int day = 0;
  int channelMode = 0;
  std::array<int, 3> rangeCodes{};
  std::array<int, 3> types{};
  int ticks1 = 0;
  int ticks2 = 0;
  /// The third tick count lies beyond the header's bytes; it is taken as 0.
  int ticks3 = 0;
  int timeBase = 0;  ///< units of 0.00001 s
  int pretrigger = 0;
  int triggerMode = 0;
  int triggerLevel = 0;
  int triggerEdge = 0;
};

/// Reads the fixed columns of a header (shorter text reads as zeros past its end).
LegacyHeader ParseLegacyHeader(std::string_view header);

/// Sample interval in seconds: ticks x (time base x 0.00001 as a single).
double LegacySampleInterval(const LegacyHeader& header);

/// Trigger mode of the header's trigger code; -1 leaves the curve's mode unchanged.
int LegacyTriggerMode(int code);

/// Scaling and unit of a legacy channel type.
struct LegacyChannelType {
  bool unitKnown = false;  ///< false: the curve keeps its unit
  int unitCode = 0;
  std::u16string unitText;
  int rangeMultiplier = 15;
  int rangeCode = 0;    ///< the range code used for scaling
  int channelKind = 0;  ///< 1: doubled; 2: doubled less 50
  float sensorRange = 0.0F;
};
LegacyChannelType ClassifyLegacyChannel(int type, int rangeCode);

/// A raw legacy value: unsigned 16-bit little-endian minus 32768.
inline int LegacyRaw(std::uint8_t low, std::uint8_t high) { return low + 256 * (high - 128); }

/// Minimum and maximum of one sample group scaled for its channel.
void ScaleLegacyGroup(const std::uint8_t* group, const LegacyChannelType& channel, float* minimum,
                      float* maximum);

}  // namespace vantrel::instrument
