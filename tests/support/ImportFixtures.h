// Builders of small instrument text files for the import tests, and a time zone fixed to
// UTC so start times are exact on every machine.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "document/TextFileReader.h"
#include "model/CMessungObj.h"
#include "platform/TimeStamp.h"

namespace vantrel::testing {

/// The bytes of a fixture file under tests/data/import; empty when it cannot be read.
inline std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::string(VANTREL_TEST_DATA_DIR) + "/import/" + name, std::ios::binary);
  std::string bytes(4096, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

inline std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

/// Seconds since 1970 of a UTC calendar time (the import's local time in these tests).
inline std::optional<platform::TimeStamp> UtcStamp(const document::LocalDateTime& t) {
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.year < 1900 || t.year > 9999) {
    return std::nullopt;
  }
  // Days from civil (proleptic Gregorian calendar).
  const std::int64_t y = t.year - (t.month <= 2 ? 1 : 0);
  const std::int64_t era = y / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (t.month + (t.month > 2 ? -3 : 9)) + 2) / 5 + t.day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const std::int64_t days = era * 146097 + doe - 719468;
  return platform::ClampedTimeStamp(days * 86400 + t.hour * 3600 + t.minute * 60 + t.second);
}

inline document::ImportSettings UtcSettings(platform::TimeStamp importTime = 1'700'000'000) {
  document::ImportSettings settings;
  settings.toTimeStamp = &UtcStamp;
  settings.importTime = importTime;
  return settings;
}

/// A unit line of an imported file and the unit the curve and its axis get from it.
struct UnitLineCase {
  const char* line;
  int code;
  std::u16string text;  ///< the unit's own text (custom units only)
};

/// Expects the first curve of `measurement` and its axis to have the unit of `c`.
inline void ExpectUnitOfTheFirstCurve(const model::CMessungObj& measurement,
                                      const UnitLineCase& c) {
  std::u16string curveText;
  std::u16string axisText;
  EXPECT_EQ(measurement.GetCurve(0)->GetUnit(&curveText), c.code);
  EXPECT_EQ(measurement.GetYAxis(0)->GetUnit(&axisText), c.code);
  EXPECT_EQ(curveText, c.text);
  EXPECT_EQ(axisText, c.text);
}

/// One channel of an online-recording file: unit line and samples (value, minimum, maximum).
struct OnlineChannel {
  std::string unit = "bar";
  std::vector<std::array<int, 3>> samples;
};

struct OnlineFile {
  std::string date = "D:24 M:12 Y:99 \r\n";  // 17 bytes: day at 2, month at 7, year at 12
  std::string time = "h:13 m:45 s:30 \r\n";  // 17 bytes: hour at 2, minute at 7, second at 12
  std::string interval = "1\r\n";            // 3 bytes
  int fullScale = 3000;
  std::string count;  // empty: the sample count of the first present channel
  std::array<std::optional<OnlineChannel>, 3> slots;

  std::string Build() const {
    std::string text = "Vantrel\r\nOnline-Messung\r\nGeraet\r\nSerie 1\r\nKanaele\r\nStart\r\n";
    text += date + time + interval;
    std::string n = count;
    for (const auto& slot : slots) {
      if (n.empty() && slot) n = std::to_string(slot->samples.size());
    }
    text += std::to_string(fullScale) + "," + (n.empty() ? "0" : n) + "\r\n";
    for (const auto& slot : slots) {
      if (!slot) {
        text += "0\r\n";
        continue;
      }
      text += "1\r\n" + slot->unit + "\r\nMesswerte\r\n";
      for (std::size_t j = 0; j < slot->samples.size(); ++j) {
        const auto& s = slot->samples[j];
        text +=
            std::to_string(s[0]) + "," + std::to_string(s[1]) + "," + std::to_string(s[2]) + ",";
        if (j % 5 == 4 || j + 1 == slot->samples.size()) text += "\r\n";
      }
    }
    return text;
  }
};

/// One curve block of an instrument data file; samples are "time,minimum,maximum".
struct InstrumentBlock {
  std::string count;  // empty: the number of samples
  std::string name = "Druck P1";
  std::string sensorRange = "600.0";
  std::string channelLine = "0,255,0,400";
  std::string unit = "bar";
  std::vector<std::string> samples;
};

struct InstrumentFile {
  int a = 0;
  int b = 1;
  std::string xUnit = "mm";  // used when a + b = 2
  std::string date = "24.12.99";
  std::string time = "13:45";
  std::string trigger = "T,x,5,1,20,1";
  std::vector<InstrumentBlock> blocks;
  std::vector<std::string> notes = {"n1", "n2", "n3", "n4", "n5", "n6", "n7", "n8"};
  bool closing = true;

  std::string Build() const {
    std::string text =
        "Vantrel\r\nGeraet\r\nDatei\r\n" + std::to_string(a) + "\r\n" + std::to_string(b) + "\r\n";
    if (a + b == 2) {
      text += xUnit + "\r\nleer\r\n";
    } else {
      text += date + "\r\n" + time + "\r\n";
    }
    text += trigger + "\r\n";
    for (std::size_t k = 0; k < blocks.size(); ++k) {
      const InstrumentBlock& block = blocks[k];
      if (k > 0) text += "Vantrel\r\n";
      text += (block.count.empty() ? std::to_string(block.samples.size()) : block.count) + "\r\n";
      text += block.name + "\r\n" + block.sensorRange + "\r\nA\r\nB\r\n";
      text += block.channelLine + "\r\n" + block.unit + "\r\n";
      for (std::size_t i = 0; i < block.samples.size(); ++i) {
        text += block.samples[i] + ",";
        if (i % 6 == 5 || i + 1 == block.samples.size()) text += "\r\n";
      }
      if (block.samples.size() % 6 == 0) text += "\r\n";
    }
    for (const std::string& note : notes) text += note + "\r\n";
    if (closing) text += "Vantrel\r\n";
    return text;
  }
};

}  // namespace vantrel::testing
