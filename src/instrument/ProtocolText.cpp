// Column readers, unit texts and local time stamps of the instrument protocols.
#include "instrument/ProtocolText.h"

#include <array>
#include <charconv>
#include <climits>
#include <ctime>

#include "platform/Strings.h"

namespace vantrel::instrument {
namespace {

std::string_view Field(std::string_view text, std::size_t column, std::size_t width) {
  if (column >= text.size()) return {};
  return text.substr(column, width);
}

/// The longest prefix of `field` (after blanks) that forms a number.
std::string_view NumberPrefix(std::string_view field, bool allowPoint) {
  std::size_t start = 0;
  while (start < field.size() && (field[start] == ' ' || field[start] == '\t')) ++start;
  std::size_t end = start;
  if (end < field.size() && (field[end] == '-' || field[end] == '+')) ++end;
  bool point = false;
  while (end < field.size()) {
    const char c = field[end];
    if (c >= '0' && c <= '9') {
      ++end;
    } else if (c == '.' && allowPoint && !point) {
      point = true;
      ++end;
    } else {
      break;
    }
  }
  return field.substr(start, end - start);
}

}  // namespace

double NumberAt(std::string_view text, std::size_t column, std::size_t width) {
  std::string_view number = NumberPrefix(Field(text, column, width), true);
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  return result.ec == std::errc() ? value : 0.0;
}

int IntegerAt(std::string_view text, std::size_t column, std::size_t width) {
  std::string_view number = NumberPrefix(Field(text, column, width), false);
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  long long value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) return number.front() == '-' ? INT_MIN : INT_MAX;
  if (result.ec != std::errc()) return 0;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

namespace {

struct KnownUnit {
  std::string_view prefix;
  int code;
};
/// The instrument's unit texts in its order of comparison.
constexpr std::array<KnownUnit, 9> kKnownUnits = {{
    {"bar", 4},
    {"PSI", 3},
    {"l/min", 8},
    {"GPM", 7},
    {"\xDF"
     "C",
     5},
    {"\xDF"
     "F",
     6},
    {"U/min", 1},
    {"RPM", 0},
    {"tr/min", 2},
}};

}  // namespace

int KnownUnitCode(std::string_view text) {
  for (const KnownUnit& unit : kKnownUnits) {
    if (text.substr(0, unit.prefix.size()) == unit.prefix) return unit.code;
  }
  return -1;
}

std::string_view KnownUnitText(int code) {
  for (const KnownUnit& unit : kKnownUnits) {
    if (unit.code == code) return unit.prefix;
  }
  return {};
}

std::u16string UnitTextUpToBlank(std::string_view text, std::size_t length) {
  text = text.substr(0, length);
  const std::size_t end = text.find_first_of(std::string_view(" \r\n\0", 4));
  return platform::FromCp1252(text.substr(0, end));
}

platform::TimeStamp LocalTimestamp(int year, int month, int day, int hour, int minute, int second) {
  return platform::LocalTimeStamp(year, month, day, hour, minute, second).value_or(0);
}

}  // namespace vantrel::instrument
