#include "document/TextFileReader.h"

#include <charconv>
#include <cmath>
#include <ctime>
#include <limits>

#include "model/Units.h"

namespace vantrel::document {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpace(std::string_view text, std::size_t i) {
  while (i < text.size() && IsSpace(text[i])) ++i;
  return i;
}

// Decimal exponent of the first significant digit of a number whose integer digits are
// text[intBegin, intEnd) and fraction digits text[fracBegin, fracEnd), plus `exponent`.
// Only used to tell an overflow from an underflow, so a saturated exponent is harmless.
std::int64_t MagnitudeOf(std::string_view text, std::size_t intBegin, std::size_t intEnd,
                         std::size_t fracBegin, std::size_t fracEnd, std::int64_t exponent) {
  for (std::size_t k = intBegin; k < intEnd; ++k) {
    if (text[k] != '0') return static_cast<std::int64_t>(intEnd - k - 1) + exponent;
  }
  for (std::size_t k = fracBegin; k < fracEnd; ++k) {
    if (text[k] != '0') return exponent - static_cast<std::int64_t>(k - fracBegin + 1);
  }
  return std::numeric_limits<std::int64_t>::min();  // all zero digits
}

}  // namespace

std::string TextFileReader::ReadLine() {
  std::string line;
  bool overlong = false;
  while (position_ < bytes_.size()) {
    const std::uint8_t byte = bytes_[position_++];
    if (byte == 10) break;
    if (byte < 32) continue;
    if (line.size() < kMaxLineLength) {
      line.push_back(static_cast<char>(byte));
    } else {
      overlong = true;
    }
  }
  if (overlong) ++overlongLines_;
  return line;
}

void TextFileReader::SkipLines(int count) {
  for (int i = 0; i < count; ++i) ReadLine();
}

std::string_view TextFileReader::ReadRaw(std::size_t count) {
  const std::size_t taken = count < Remaining() ? count : Remaining();
  const std::string_view raw(reinterpret_cast<const char*>(bytes_.data()) + position_, taken);
  position_ += taken;
  return raw;
}

std::int32_t ParseInt(std::string_view text) {
  constexpr std::int64_t kCap = std::int64_t{1} << 32;
  std::size_t i = SkipSpace(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (magnitude < kCap) magnitude = magnitude * 10 + (text[i] - '0');
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

double ParseDecimal(std::string_view text) {
  std::size_t i = SkipSpace(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t intBegin = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::size_t intEnd = i;
  std::size_t fracBegin = i;
  std::size_t fracEnd = i;
  if (i < text.size() && text[i] == '.') {
    fracBegin = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    fracEnd = i;
  }
  if (intBegin == intEnd && fracBegin == fracEnd) return 0.0;
  // Exponents beyond any double's stop growing here; the value is out of range either way.
  constexpr std::int64_t kExponentCap = 1'000'000'000'000;
  std::size_t end = i;
  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      negativeExponent = text[j] == '-';
      ++j;
    }
    if (j < text.size() && IsDigit(text[j])) {
      for (; j < text.size() && IsDigit(text[j]); ++j) {
        if (exponent < kExponentCap) exponent = exponent * 10 + (text[j] - '0');
      }
      if (negativeExponent) exponent = -exponent;
      end = j;
    }
  }
  double value = 0.0;
  const auto result =
      std::from_chars(text.data() + intBegin, text.data() + end, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    const bool overflow = MagnitudeOf(text, intBegin, intEnd, fracBegin, fracEnd, exponent) >= 0;
    value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

std::string_view Field(std::string_view line, int k) {
  for (int comma = 1; comma < k; ++comma) {
    const std::size_t position = line.find(',');
    if (position == std::string_view::npos) return {};
    line.remove_prefix(position + 1);
  }
  return line;
}

std::string_view After(std::string_view text, char separator) {
  const std::size_t position = text.find(separator);
  if (position == std::string_view::npos) return {};
  return text.substr(position + 1);
}

std::u16string WidenBytes(std::string_view bytes) {
  std::u16string wide;
  wide.reserve(bytes.size());
  for (const char c : bytes) wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return wide;
}

float ToFloat(double value) {
  // Half a unit in the last place above the largest float: from here on the IEEE
  // conversion rounds to infinity, below it to the largest float.
  constexpr double kOverflow = 3.4028235677973366e38;
  constexpr double kLargest = static_cast<double>(std::numeric_limits<float>::max());
  if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
  if (value >= kOverflow) return std::numeric_limits<float>::infinity();
  if (value <= -kOverflow) return -std::numeric_limits<float>::infinity();
  if (value > kLargest) return std::numeric_limits<float>::max();
  if (value < -kLargest) return -std::numeric_limits<float>::max();
  return static_cast<float>(value);
}

std::int32_t CeilSeconds(double seconds) {
  if (std::isnan(seconds)) return 0;
  const double rounded = std::ceil(seconds);
  if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(rounded);
}

std::optional<platform::TimeStamp> LocalTimeToStamp(const LocalDateTime& time) {
  const auto within = [](std::int64_t v, std::int64_t lo, std::int64_t hi) {
    return v >= lo && v <= hi;
  };
  if (!within(time.year, 1900, 9999) || !within(time.month, 1, 12) || !within(time.day, 1, 31) ||
      !within(time.hour, 0, 23) || !within(time.minute, 0, 59) || !within(time.second, 0, 59)) {
    return std::nullopt;
  }
  return platform::LocalTimeStamp(static_cast<int>(time.year), static_cast<int>(time.month),
                                  static_cast<int>(time.day), static_cast<int>(time.hour),
                                  static_cast<int>(time.minute), static_cast<int>(time.second));
}

std::int64_t ExpandYear(std::int64_t twoDigitYear) {
  return twoDigitYear < 70 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

void ApplyFileUnit(const std::string& line, model::CKurveObj& curve, model::CAchse& axis,
                   char degreeByte) {
  int code = model::kUnitCustom;
  if (line == "bar") {
    code = model::kUnitBar;
  } else if (line == "U/min") {
    code = model::kUnitUPerMin;
  } else if (line == "l/min") {
    code = model::kUnitLPerMin;
  } else if (line.size() == 2 && line[0] == degreeByte && line[1] == 'C') {
    code = model::kUnitCelsius;
  }
  const std::u16string text = WidenBytes(line);
  curve.SetUnit(code, text);
  axis.SetUnit(code, text);
}

}  // namespace vantrel::document
