// Text of the simulated instrument's online streams: the line-format and field-format
// headers and their data records. Sample set `sequence` carries, for channel j, the value
// `sequence`, the minimum j + 0.5 and the maximum `sequence` + j, so a receiver can check
// order and completeness.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel::sim {

/// Line format (at most 3 channels): start answer and six header lines.
std::string LineFormatHeader(int channels, const std::string& intervalText);
std::string LineFormatRecord(int channels, std::uint64_t sequence);

/// Field format (at most 6 channels): four dropped lines, date, time, period, channel lines
/// and the TAB line.
std::string FieldFormatHeader(int channels, const std::string& intervalText);
std::string FieldFormatRecord(int channels, std::uint64_t sequence);

}  // namespace vantrel::sim
