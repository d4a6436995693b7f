// Generation and wire encoding of the simulated instrument's stored measurements.
#include "SimMeasurements.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "DemoScenarios.h"
#include "instrument/BlockProtocol.h"
#include "instrument/LegacyProtocol.h"

namespace vantrel::sim {
namespace {

void Append(std::vector<std::uint8_t>& out, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out.insert(out.end(), bytes, bytes + size);
}

void AppendLe16(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

/// Raw (minimum, maximum) of a sample: steps of sensor range / 15000, clamped to the range.
std::pair<std::int16_t, std::int16_t> RawPair(const PhysicalSample& sample, float sensorRange) {
  auto raw = [sensorRange](double value) {
    const double steps = std::round(value / static_cast<double>(sensorRange) * 15000.0);
    return static_cast<std::int16_t>(std::clamp(steps, -15000.0, 15000.0));
  };
  return {raw(sample.minimum), raw(sample.maximum)};
}

SimChannel ChannelOf(const ScenarioChannel& signal, int number,
                     const std::vector<PhysicalSample>& curve) {
  SimChannel channel;
  channel.number = number;
  channel.name = signal.name;
  channel.unit = signal.unit;
  channel.sensorRange = signal.sensorRange;
  channel.samples.reserve(curve.size());
  for (const PhysicalSample& sample : curve) {
    channel.samples.push_back(RawPair(sample, signal.sensorRange));
  }
  return channel;
}

/// Seconds of the scenario a demonstration signal belongs to.
double SignalSeconds(SignalId signal) {
  for (const Scenario& scenario : DemoScenarios()) {
    for (const ScenarioChannel& channel : scenario.channels) {
      if (channel.signal == signal) return ScenarioSeconds(scenario);
    }
  }
  return 1.0;
}

}  // namespace

std::vector<SimMeasurement> DemoMeasurements(std::uint32_t seed) {
  std::vector<SimMeasurement> measurements;
  for (const Scenario& scenario : DemoScenarios()) {
    SimMeasurement measurement;
    measurement.storageNumber = static_cast<int>(measurements.size()) + 1;
    measurement.name = scenario.name;
    measurement.hour = scenario.hour;
    measurement.minute = scenario.minute;
    measurement.intervalMs = scenario.intervalMs;
    measurement.pretriggerSamples = scenario.pretriggerSamples;
    measurement.triggerLevel = scenario.triggerLevel;
    measurement.triggerEdge = scenario.triggerEdge;
    measurement.triggerLetter = scenario.triggerLetter;
    const auto curves = ScenarioCurves(scenario, seed);
    for (std::size_t c = 0; c < scenario.channels.size(); ++c) {
      measurement.channels.push_back(
          ChannelOf(scenario.channels[c], static_cast<int>(c) + 1, curves[c]));
    }
    measurements.push_back(std::move(measurement));
  }
  return measurements;
}

std::vector<SimMeasurement> GenerateMeasurements(int count, int channels, int samples,
                                                 std::uint32_t seed) {
  const std::vector<ScenarioChannel> signals = DemoSignals();
  std::vector<SimMeasurement> measurements;
  std::size_t next = 0;
  for (int m = 0; m < count; ++m) {
    SimMeasurement measurement;
    measurement.storageNumber = m + 1;
    measurement.name = "Messung " + std::to_string(m + 1);
    measurement.triggerLevel = 12.5F;
    measurement.triggerLetter = static_cast<std::uint8_t>("1MEZ2"[m % 5]);
    const auto measurementSeed = seed + static_cast<std::uint32_t>(m);
    for (int c = 0; c < channels; ++c) {
      const ScenarioChannel& signal = signals[next++ % signals.size()];
      const double seconds = SignalSeconds(signal.signal);
      if (c == 0 && samples > 0) {
        measurement.intervalMs = static_cast<std::uint32_t>(
            std::clamp(std::lround(seconds * 1000.0 / samples), 1L, 60000L));
      }
      measurement.channels.push_back(ChannelOf(
          signal, c + 1, StretchedCurve(signal.signal, seconds, samples, measurementSeed)));
    }
    measurements.push_back(std::move(measurement));
  }
  return measurements;
}

std::vector<std::uint8_t> EncodeBlockStart(int count) {
  return {'/', 'A', 'N', static_cast<std::uint8_t>(count)};
}

std::vector<std::uint8_t> EncodeBlockMeasurement(const SimMeasurement& measurement,
                                                 int announcedChannels, bool corruptCheck) {
  const int channels =
      announcedChannels > 0 ? announcedChannels : static_cast<int>(measurement.channels.size());
  const std::size_t samples =
      measurement.channels.empty() ? 0 : measurement.channels.front().samples.size();
  std::vector<std::uint8_t> out;
  out.reserve(64 + 32 * static_cast<std::size_t>(channels) + 4 +
              4 * samples * static_cast<std::size_t>(channels) + 2);
  std::uint8_t header[64] = {};
  header[0] = 'H';
  header[1] = 'D';
  header[2] = static_cast<std::uint8_t>(measurement.storageNumber);
  std::memcpy(header + 3, measurement.name.data(),
              std::min<std::size_t>(15, measurement.name.size()));
  header[18] = static_cast<std::uint8_t>(channels);
  header[19] = static_cast<std::uint8_t>(measurement.hour);
  header[20] = static_cast<std::uint8_t>(measurement.minute);
  header[21] = static_cast<std::uint8_t>(measurement.yearByte);
  header[22] = static_cast<std::uint8_t>(measurement.month);
  header[23] = static_cast<std::uint8_t>(measurement.day);
  for (int i = 0; i < 4; ++i) {
    header[24 + i] = static_cast<std::uint8_t>(measurement.intervalMs >> (8 * i));
  }
  header[28] = static_cast<std::uint8_t>(samples & 0xFF);
  header[29] = static_cast<std::uint8_t>((samples >> 8) & 0xFF);
  header[30] = static_cast<std::uint8_t>(measurement.pretriggerSamples & 0xFF);
  header[31] = static_cast<std::uint8_t>(measurement.pretriggerSamples >> 8);
  instrument::WriteWordSwappedSingle(measurement.triggerLevel, header + 32);
  header[36] = measurement.triggerEdge;
  header[37] = measurement.triggerLetter;
  Append(out, header, sizeof header);

  auto channelAt = [&](int c) -> const SimChannel& {
    return measurement.channels[static_cast<std::size_t>(
        std::min(c, static_cast<int>(measurement.channels.size()) - 1))];
  };
  for (int c = 0; c < channels; ++c) {
    const SimChannel& channel = channelAt(c);
    std::uint8_t block[32] = {};
    block[0] = 'K';
    block[1] = 'B';
    block[2] = 'L';
    block[3] = static_cast<std::uint8_t>(channel.number);
    std::memcpy(block + 4, channel.name.data(), std::min<std::size_t>(15, channel.name.size()));
    std::memcpy(block + 19, channel.unit.data(), std::min<std::size_t>(5, channel.unit.size()));
    instrument::WriteWordSwappedSingle(channel.sensorRange, block + 24);
    Append(out, block, sizeof block);
  }
  Append(out, "/DAT", 4);
  for (std::size_t s = 0; s < samples; ++s) {
    for (int c = 0; c < channels; ++c) {
      const auto& sample = channelAt(c).samples[s];
      AppendLe16(out, sample.first);
      AppendLe16(out, sample.second);
    }
  }
  const std::uint16_t crc = instrument::UpdateCrc16(0, out.data(), out.size());
  out.push_back(static_cast<std::uint8_t>(crc >> 8));
  out.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  if (corruptCheck) out.back() ^= 0x5A;
  return out;
}

std::vector<SimLegacyMeasurement> GenerateLegacyMeasurements(int count, int channels, int samples,
                                                             std::uint32_t seed) {
  // Pressure, flow and oil temperature of two machine cycles.
  static constexpr int kTypes[] = {1, 2, 3};
  static constexpr int kRanges[] = {40, 4, 10};
  static constexpr SignalId kSignals[] = {SignalId::kCyclePressureP, SignalId::kCycleFlow,
                                          SignalId::kCycleOilTemperature};
  const double seconds = 2.0 * kMachineCyclePeriod;
  std::vector<SimLegacyMeasurement> measurements;
  for (int m = 0; m < count; ++m) {
    SimLegacyMeasurement measurement;
    measurement.storageNumber = m + 1;
    if (samples > 0) {
      // One tick is timeBase x 10 microseconds.
      const double tick = measurement.timeBase * 0.00001;
      measurement.ticks1 =
          static_cast<int>(std::clamp(std::lround(seconds / samples / tick), 1L, 99999L));
    }
    const auto measurementSeed = seed + static_cast<std::uint32_t>(m);
    for (int c = 0; c < std::min(channels, 3); ++c) {
      SimLegacyChannel channel;
      channel.type = kTypes[c];
      channel.rangeCode = kRanges[c];
      const instrument::LegacyChannelType kind =
          instrument::ClassifyLegacyChannel(kTypes[c], kRanges[c]);
      const double step = static_cast<double>(kind.rangeMultiplier * kind.rangeCode) *
                          static_cast<double>(instrument::kLegacyScale) *
                          (kind.channelKind != 0 ? 2.0 : 1.0);
      const double offset = kind.channelKind == 2 ? 50.0 : 0.0;
      auto raw = [step, offset](double value) {
        return static_cast<std::int16_t>(
            std::clamp(std::round((value + offset) / step), -32768.0, 32767.0));
      };
      for (const PhysicalSample& sample :
           StretchedCurve(kSignals[c], seconds, samples, measurementSeed)) {
        channel.samples.emplace_back(raw(sample.minimum), raw(sample.maximum));
      }
      measurement.channels.push_back(std::move(channel));
    }
    measurements.push_back(std::move(measurement));
  }
  return measurements;
}

std::string EncodeLegacyHeader(const SimLegacyMeasurement& measurement) {
  std::string header(instrument::kLegacyHeaderSize, ' ');
  auto put = [&header](std::size_t column, int value) {
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%d", value);
    header.replace(column, static_cast<std::size_t>(length), text);
  };
  put(3, measurement.storageNumber);
  put(8, measurement.hour);
  put(13, measurement.minute);
  put(18, measurement.year);
  put(23, measurement.month);
  put(28, measurement.day);
  put(33, measurement.channelMode);
  for (std::size_t i = 0; i < 3; ++i) {
    const bool present = i < measurement.channels.size();
    put(43 + 10 * i, present ? measurement.channels[i].rangeCode : 0);
    put(48 + 10 * i, present ? measurement.channels[i].type : 0);
  }
  put(100, measurement.ticks1);
  put(105, measurement.ticks2);
  put(110, measurement.timeBase);
  put(115, measurement.pretrigger);
  put(120, measurement.triggerMode);
  put(125, measurement.triggerLevel);
  put(130, measurement.triggerEdge);
  header[165] = '\r';
  header[166] = '\n';
  return header;
}

std::vector<std::uint8_t> EncodeLegacyMeasurement(const SimLegacyMeasurement& measurement) {
  std::vector<std::uint8_t> out;
  const std::string header = EncodeLegacyHeader(measurement);
  Append(out, header.data(), header.size());
  out.insert(out.end(), instrument::kLegacyBlockSize * instrument::kLegacyBlockCount, ' ');
  // Channels in curve order; the instrument's mode 1 stores the first two swapped.
  std::vector<const SimLegacyChannel*> order;
  for (std::size_t i = 0; i < measurement.channels.size(); ++i) {
    if (measurement.channels[i].type <= 0) continue;
    if (i == 1 && measurement.channelMode == 1) continue;
    order.push_back(&measurement.channels[i]);
  }
  if (measurement.channelMode == 1 && order.size() == 2) std::swap(order[0], order[1]);
  const std::size_t samples = order.empty() ? 0 : order.front()->samples.size();
  for (std::size_t s = 0; s < samples; ++s) {
    for (const SimLegacyChannel* channel : order) {
      AppendLe16(out, channel->samples[s].first + 32768);
      AppendLe16(out, channel->samples[s].second + 32768);
    }
  }
  Append(out, instrument::kLegacyEndMarker.data(), instrument::kLegacyEndMarker.size());
  return out;
}

std::vector<std::uint8_t> EncodeLegacyStart(int count) {
  std::vector<std::uint8_t> out(instrument::kLegacyStartAnswer.begin(),
                                instrument::kLegacyStartAnswer.end());
  char text[8];
  std::snprintf(text, sizeof text, "%5d", std::clamp(count, 0, 99999));
  Append(out, text, 5);
  Append(out, "\r\n", 2);
  return out;
}

}  // namespace vantrel::sim
