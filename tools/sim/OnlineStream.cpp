// Online stream text of the simulated instrument.
#include "OnlineStream.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vantrel::sim {
namespace {

// "\337" is the degree sign of the instrument's code page (0xDF) before the "C".
const char* const kLineUnits[] = {"K1  bar\r\n", "K2 l/min\r\n", "K3  \337C\r\n"};
const char* const kFieldUnits[] = {"bar", "l/min", "\337C", "U/min", "PSI", "mbar"};

/// A 7-character field with one decimal; a whole number too wide for that keeps its last
/// seven digits (long counting runs).
std::string Seven(double value, bool decimalComma) {
  char text[48];
  std::snprintf(text, sizeof text, "%7.1f", value);
  std::string field(text);
  if (field.size() > 7) {
    std::snprintf(text, sizeof text, "%7.0f", std::fmod(value, 1e7));
    field = text;
  }
  if (field.size() > 7) field = field.substr(field.size() - 7);
  if (decimalComma) {
    for (char& c : field) {
      if (c == '.') c = ',';
    }
  }
  return field;
}

constexpr SignalId kCycleSignals[] = {SignalId::kCyclePressureP,      SignalId::kCycleFlow,
                                      SignalId::kCycleOilTemperature, SignalId::kCycleSpeed,
                                      SignalId::kCyclePressureB,      SignalId::kCycleTankLine};

}  // namespace

StreamSet MachineCycleSet(int channels, std::uint64_t sequence, double rate, std::uint32_t seed) {
  const double interval = rate > 0.0 ? 1.0 / rate : 1.0;
  StreamSet set;
  for (int j = 0; j < std::clamp(channels, 0, 6); ++j) {
    set.push_back(SampleSignal(kCycleSignals[j], static_cast<double>(sequence) * interval, interval,
                               seed, sequence));
  }
  return set;
}

StreamSet CountingSet(int channels, std::uint64_t sequence) {
  StreamSet set;
  for (int j = 0; j < channels; ++j) {
    const auto value = static_cast<double>(sequence);
    set.push_back({j + 0.5, value + j, value});
  }
  return set;
}

std::string LineFormatHeader(int channels, const std::string& intervalText) {
  std::string text = "\x02\r\n\r\n";
  text += "Datum: 07   12   06 \r\n";
  text += "Zeit:  14   35   20 \r\n";
  text += "Abtastrate:   " + intervalText + "\r\n";
  for (int i = 0; i < 3; ++i) text += i < channels ? kLineUnits[i] : "K\r\n";
  return text;
}

std::string LineFormatRecord(const StreamSet& set) {
  std::string line;
  for (const PhysicalSample& sample : set) {
    line += Seven(sample.value, false);
    line += Seven(sample.maximum, false);
    line += Seven(sample.minimum, false);
  }
  return line + "\r\n";
}

std::string FieldFormatHeader(int channels, const std::string& intervalText) {
  std::string text = "Trevanometrix\r\nOnline\r\n----\r\n \r\n";
  text += "Datum      07.12.06\r\n";
  text += "Zeit       14:35:20\r\n";
  text += "Messrate:     " + intervalText + "\r\n";
  for (int j = 0; j < channels; ++j) {
    char line[64];
    // Channel 2 of six is a channel derived by the instrument: "-" and the unit 3 further on.
    if (channels == 6 && j == 1) {
      std::snprintf(line, sizeof line, " %d-     %s\r\n", j + 1, kFieldUnits[j]);
    } else {
      std::snprintf(line, sizeof line, " %d   %s\r\n", j + 1, kFieldUnits[j]);
    }
    text += line;
  }
  text += "Zeit\tK1\tK2\r\n";
  return text;
}

std::string FieldFormatRecord(const StreamSet& set) {
  std::string record = "12:00:00";
  for (const PhysicalSample& sample : set) {
    record += '\t' + Seven(sample.value, true);
    record += '\t' + Seven(sample.minimum, true);
    record += '\t' + Seven(sample.maximum, true);
  }
  return record + "\r\n";
}

}  // namespace vantrel::sim
