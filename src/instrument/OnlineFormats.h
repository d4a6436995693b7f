// The two header formats and record layouts of online recording, as functions over
// received text: the line format (start answer, six header lines, fixed-column data lines)
// and the field format (header lines ended by a TAB line, separator-led 7-character fields).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "instrument/ProtocolText.h"

namespace vantrel::instrument {

/// Start answer of the line format.
constexpr std::array<std::uint8_t, 5> kLineFormatStartAnswer = {0x02, 0x0D, 0x0A, 0x0D, 0x0A};
/// Longest header line (CR LF counted) that fits its slot; longer lines fail the start.
constexpr std::size_t kMaxHeaderLine = 129;
/// Longest data line of the line format (CR LF counted); longer lines fail the recording.
constexpr std::size_t kMaxDataLine = 100;
/// Header lines read at most by the field format, and its first possible end line.
constexpr int kFieldHeaderLines = 10;
/// Online formats carry at most this many channels.
constexpr int kLineFormatChannels = 3;
constexpr int kFieldFormatChannels = 6;
/// Width of a number field in data records.
constexpr std::size_t kFieldWidth = 7;

/// True when `line` is a whole line: at least 3 bytes, the last two CR LF.
bool IsCompleteLine(std::string_view line);

/// One channel of an online header.
struct OnlineChannel {
  int channelNumber = 0;
  int origin = 0;
  UnitSetting unit;
};

/// What the header of either format tells.
struct OnlineHeader {
  platform::TimeStamp startTime = 0;
  double sampleInterval = 0.0;
  /// Whole seconds of the sample period, for the read time-outs.
  int periodSeconds = 0;
  std::vector<OnlineChannel> channels;
};

/// Line format: `lines` are header lines 0..5 (CR LF included).
OnlineHeader ParseLineFormatHeader(const std::array<std::string, 6>& lines);
/// Unit of a line-format channel line.
UnitSetting LineFormatUnit(std::string_view line);

/// Field format: true when header line `k` (counted after the four dropped lines) ends the
/// header: k above 3 and a TAB at column 4.
bool IsFieldHeaderEnd(std::string_view line, int k);
/// Field format: `lines` are header lines 0..k (k the end line); channels are lines 3..k-1.
OnlineHeader ParseFieldFormatHeader(const std::vector<std::string>& lines);
/// The three numbers of a field-format date or time line (label, then three numbers with
/// one separator each).
std::array<int, 3> FieldFormatTriple(std::string_view line);
/// Four-digit year of a field-format year: up to 70 is 20xx, 71..99 is 19xx.
int FieldFormatYear(int year);
/// Unit of a field-format channel line whose unit begins at `column`.
UnitSetting FieldFormatUnit(std::string_view line, std::size_t column);

/// One received sample time: per channel slot minimum, maximum and value.
struct OnlineSampleSet {
  struct Triple {
    float minimum = 0.0F;
    float maximum = 0.0F;
    float value = 0.0F;
  };
  std::array<Triple, 6> channels{};
};

/// Line format data line (CR LF included): per channel value, maximum, minimum at columns
/// 21j, 21j+7, 21j+14. False when the line is shorter than 21 x `channelCount` bytes.
bool ParseLineRecord(std::string_view line, int channelCount, OnlineSampleSet* set);
/// Field format: `text` holds the 7-character fields of one record back to back (value,
/// minimum, maximum per channel). Decimal commas are read as points.
void ParseFieldRecord(std::string text, int channelCount, OnlineSampleSet* set);

}  // namespace vantrel::instrument
