// Text of the simulated instrument's online streams: the line-format and field-format
// headers and their data records, and the sample sets they carry. The machine cycle plays the
// hydraulic signals of a repeating machine cycle in real time; the counting pattern gives
// set `sequence`, channel j the value `sequence`, the minimum j + 0.5 and the maximum
// `sequence` + j, so a receiver can check order and completeness.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "HydraulicSignals.h"

namespace vantrel::sim {

/// One sample per channel.
using StreamSet = std::vector<PhysicalSample>;

/// Set number `sequence` of the machine cycle sent at `rate` sets per second: set n covers
/// [n / rate, (n + 1) / rate) seconds. Channels in the order of the headers' units: pressure
/// P (bar), flow (l/min), oil temperature (degrees Celsius), pump speed (U/min), pressure B
/// (PSI), tank line (mbar).
StreamSet MachineCycleSet(int channels, std::uint64_t sequence, double rate, std::uint32_t seed);
/// Set number `sequence` of the counting pattern.
StreamSet CountingSet(int channels, std::uint64_t sequence);

/// Line format (at most 3 channels): start answer and six header lines.
std::string LineFormatHeader(int channels, const std::string& intervalText);
/// Per channel value, maximum and minimum in fields of 7 characters, one decimal.
std::string LineFormatRecord(const StreamSet& set);

/// Field format (at most 6 channels): four dropped lines, date, time, period, channel lines
/// and the TAB line.
std::string FieldFormatHeader(int channels, const std::string& intervalText);
/// Time, then per channel value, minimum and maximum in TAB-separated fields of 7
/// characters, one decimal with a decimal comma.
std::string FieldFormatRecord(const StreamSet& set);

}  // namespace vantrel::sim
