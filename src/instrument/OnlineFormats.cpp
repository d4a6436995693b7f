// Parsing of the online header formats and data records.
#include "instrument/OnlineFormats.h"

#include <algorithm>

#include "platform/Strings.h"

namespace vantrel::instrument {
namespace {

/// Column `back` characters before the end of `line`, or past its end when it is shorter.
std::size_t FromEnd(std::string_view line, std::size_t back) {
  return line.size() >= back ? line.size() - back : line.size();
}

int TwoDigitYear(int year) { return year <= 70 ? 2000 + year : 1900 + year; }

/// Period in whole seconds at column 14, kept within what the time-outs can hold.
int PeriodAt(std::string_view line) { return std::clamp(IntegerAt(line, 14), 0, 2000000); }

}  // namespace

bool IsCompleteLine(std::string_view line) {
  return line.size() >= 3 && line[line.size() - 2] == '\r' && line[line.size() - 1] == '\n';
}

UnitSetting LineFormatUnit(std::string_view line) {
  struct Known {
    std::string_view text;
    std::size_t column;
    int code;
  };
  static constexpr std::array<Known, 9> kUnits = {{
      {"bar", 4, 4},
      {"PSI", 4, 3},
      {"l/min", 3, 8},
      {"GPM", 3, 7},
      {"\xDF"
       "C",
       4, 5},
      {"\xDF"
       "F",
       4, 6},
      {"U/min", 3, 1},
      {"tr/min", 3, 2},
      {"RPM", 3, 0},
  }};
  for (const Known& unit : kUnits) {
    if (unit.column < line.size() && line.substr(unit.column, unit.text.size()) == unit.text) {
      return {unit.code, {}};
    }
  }
  // Five characters from column 3, without the line end.
  std::string_view text = line.size() > 3 ? line.substr(3, 5) : std::string_view();
  text = text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3)));
  return {model::kUnitCustom, platform::FromCp1252(text)};
}

OnlineHeader ParseLineFormatHeader(const std::array<std::string, 6>& lines) {
  OnlineHeader header;
  const std::string_view date = lines[0];
  const std::string_view time = lines[1];
  header.startTime = LocalTimestamp(
      TwoDigitYear(IntegerAt(date, FromEnd(date, 5))), IntegerAt(date, FromEnd(date, 10)),
      IntegerAt(date, FromEnd(date, 15)), IntegerAt(time, FromEnd(time, 15)),
      IntegerAt(time, FromEnd(time, 10)), IntegerAt(time, FromEnd(time, 5)));
  header.periodSeconds = PeriodAt(lines[2]);
  header.sampleInterval = NumberAt(lines[2], 13);
  for (int i = 3; i < 6; ++i) {
    const std::string& line = lines[static_cast<std::size_t>(i)];
    if (line.size() <= 5) continue;
    OnlineChannel channel;
    channel.channelNumber = i - 2;
    channel.unit = LineFormatUnit(line);
    header.channels.push_back(channel);
  }
  return header;
}

bool IsFieldHeaderEnd(std::string_view line, int k) {
  return k > 3 && line.size() > 4 && line[4] == '\t';
}

std::array<int, 3> FieldFormatTriple(std::string_view line) {
  std::string_view rest = line.substr(0, 20);
  const std::size_t start = rest.find_first_of("0123456789.:");
  rest = start == std::string_view::npos ? std::string_view() : rest.substr(start);
  std::array<int, 3> numbers{};
  for (int& number : numbers) {
    number = IntegerAt(rest, 0);
    std::size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
    rest = rest.substr(std::min(rest.size(), digits + 1));
  }
  return numbers;
}

int FieldFormatYear(int year) {
  if (year <= 70) return 2000 + year;
  if (year <= 99) return 1900 + year;
  return year;
}

UnitSetting FieldFormatUnit(std::string_view line, std::size_t column) {
  const std::string_view unit = column < line.size() ? line.substr(column) : std::string_view();
  const int code = KnownUnitCode(unit);
  if (code >= 0) return {code, {}};
  return {model::kUnitCustom, UnitTextUpToBlank(unit, 5)};
}

OnlineHeader ParseFieldFormatHeader(const std::vector<std::string>& lines) {
  OnlineHeader header;
  if (lines.size() < 3) return header;
  const std::array<int, 3> date = FieldFormatTriple(lines[0]);
  const std::array<int, 3> time = FieldFormatTriple(lines[1]);
  header.startTime =
      LocalTimestamp(FieldFormatYear(date[2]), date[1], date[0], time[0], time[1], time[2]);
  header.periodSeconds = PeriodAt(lines[2]);
  header.sampleInterval = NumberAt(lines[2], 14);
  const std::size_t end = std::min<std::size_t>(lines.size() - 1, 3 + kFieldFormatChannels);
  for (std::size_t k = 3; k < end; ++k) {
    const std::string_view line = lines[k];
    OnlineChannel channel;
    const bool derived = line.size() > 2 && line[2] == '-';
    channel.origin = derived ? 3 : 0;
    channel.channelNumber = IntegerAt(line, 1);
    channel.unit = FieldFormatUnit(line, derived ? 8 : 5);
    header.channels.push_back(channel);
  }
  return header;
}

bool ParseLineRecord(std::string_view line, int channelCount, OnlineSampleSet* set) {
  if (line.size() < static_cast<std::size_t>(21 * channelCount)) return false;
  for (int j = 0; j < channelCount && j < kFieldFormatChannels; ++j) {
    const auto column = static_cast<std::size_t>(21 * j);
    OnlineSampleSet::Triple& triple = set->channels[static_cast<std::size_t>(j)];
    triple.value = static_cast<float>(NumberAt(line, column, kFieldWidth));
    triple.maximum = static_cast<float>(NumberAt(line, column + 7, kFieldWidth));
    triple.minimum = static_cast<float>(NumberAt(line, column + 14, kFieldWidth));
  }
  return true;
}

void ParseFieldRecord(std::string text, int channelCount, OnlineSampleSet* set) {
  std::size_t from = 0;
  for (int replaced = 0; replaced < 3 * channelCount; ++replaced) {
    const std::size_t comma = text.find(',', from);
    if (comma == std::string::npos) break;
    text[comma] = '.';
    from = comma + 1;
  }
  for (int j = 0; j < channelCount && j < kFieldFormatChannels; ++j) {
    const auto column = static_cast<std::size_t>(21 * j);
    OnlineSampleSet::Triple& triple = set->channels[static_cast<std::size_t>(j)];
    triple.value = static_cast<float>(NumberAt(text, column, kFieldWidth));
    triple.minimum = static_cast<float>(NumberAt(text, column + 7, kFieldWidth));
    triple.maximum = static_cast<float>(NumberAt(text, column + 14, kFieldWidth));
  }
}

}  // namespace vantrel::instrument
