// Stored measurements of the simulated instrument and their wire encodings: the block
// protocol (header, channel blocks, "/DAT", records, check bytes) and the legacy text
// protocol (fixed-column header, filler blocks, sample groups, end marker). Also used by the
// tests to build expected byte strings.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vantrel::sim {

struct SimChannel {
  int number = 1;    ///< instrument channel number (18: derived channel)
  std::string name;  ///< at most 15 characters of the name alphabet
  std::string unit;  ///< five unit bytes, blank padded
  float sensorRange = 600.0F;
  /// Raw (minimum, maximum) per sample.
  std::vector<std::pair<std::int16_t, std::int16_t>> samples;
};

struct SimMeasurement {
  int storageNumber = 1;
  std::string name;
  int hour = 12;
  int minute = 30;
  int yearByte = 24;
  int month = 5;
  int day = 17;
  std::uint32_t intervalMs = 10;
  std::uint16_t pretriggerSamples = 0;
  float triggerLevel = 0.0F;
  std::uint8_t triggerEdge = 0;
  std::uint8_t triggerLetter = '1';
  std::vector<SimChannel> channels;
};

/// The demonstration scenarios as stored measurements, numbered 1, 2, ...; noise from `seed`.
std::vector<SimMeasurement> DemoMeasurements(std::uint32_t seed);

/// `count` measurements "Messung 1", ... with `channels` channels (1..6) of `samples` samples
/// each. The channels take the demonstration scenarios' signals in turn, each signal's whole
/// scenario spread over the samples; noise from `seed` and the measurement's number.
std::vector<SimMeasurement> GenerateMeasurements(int count, int channels, int samples,
                                                 std::uint32_t seed);

/// The block encoding of one measurement, check bytes included. `announcedChannels` > 0
/// announces (and sends blocks and records for) that many channels instead, repeating the
/// last channel: a faulty header. `corruptCheck` flips the last check byte.
std::vector<std::uint8_t> EncodeBlockMeasurement(const SimMeasurement& measurement,
                                                 int announcedChannels = 0,
                                                 bool corruptCheck = false);
/// The start answer "/AN" + count.
std::vector<std::uint8_t> EncodeBlockStart(int count);

/// One channel of a legacy measurement.
struct SimLegacyChannel {
  int type = 1;  ///< 1 bar, 2 l/min, 3 degrees Celsius, 4 percent, 5 U/min
  int rangeCode = 40;
  std::vector<std::pair<std::int16_t, std::int16_t>> samples;
};

struct SimLegacyMeasurement {
  int storageNumber = 1;
  int hour = 8;
  int minute = 15;
  int year = 6;  ///< two digits
  int month = 12;
  int day = 7;
  int channelMode = 0;
  /// Instrument channels 1..3; a type of 0 leaves the channel out.
  std::vector<SimLegacyChannel> channels;
  int ticks1 = 1;
  int ticks2 = 0;
  int timeBase = 100;
  int pretrigger = 10;
  int triggerMode = 1;
  int triggerLevel = 50;
  int triggerEdge = 1;
};

/// `count` legacy measurements of pressure, flow and oil temperature (the first `channels`
/// of them) over two machine cycles spread on `samples` samples.
std::vector<SimLegacyMeasurement> GenerateLegacyMeasurements(int count, int channels, int samples,
                                                             std::uint32_t seed);
/// The 167-byte header.
std::string EncodeLegacyHeader(const SimLegacyMeasurement& measurement);
/// Header, six filler blocks, sample groups and end marker of one measurement.
std::vector<std::uint8_t> EncodeLegacyMeasurement(const SimLegacyMeasurement& measurement);
/// Start answer, count field and line end.
std::vector<std::uint8_t> EncodeLegacyStart(int count);

}  // namespace vantrel::sim
