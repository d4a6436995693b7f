#include "platform/NumberFormat.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace vantrel::platform {
namespace {

std::string VFormat(const char* format, va_list args) {
  char small[128];
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (needed < 0) return {};
  if (static_cast<std::size_t>(needed) < sizeof small)
    return std::string(small, static_cast<std::size_t>(needed));
  std::vector<char> big(static_cast<std::size_t>(needed) + 1);
  std::vsnprintf(big.data(), big.size(), format, args);
  return std::string(big.data(), static_cast<std::size_t>(needed));
}

}  // namespace

std::string FormatC(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string result = VFormat(format, args);
  va_end(args);
  return result;
}

std::u16string FormatC16(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string result = VFormat(format, args);
  va_end(args);
  return Widen(result);
}

std::string WithDecimalSeparator(std::string formatted, char decimalSeparator) {
  if (decimalSeparator == '.') return formatted;
  for (char& c : formatted) {
    if (c == '.') c = decimalSeparator;
  }
  return formatted;
}

std::string ShortestFloatText(float value, char decimalSeparator) {
  // Plain notation up to this length; beyond it (1e20, 1e-30) the exponent form is shorter
  // and easier to read.
  constexpr std::ptrdiff_t kLongestPlain = 16;
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc() || result.ptr - buffer > kLongestPlain) {
    result = std::to_chars(buffer, buffer + sizeof buffer, value);
  }
  if (result.ec != std::errc()) return {};
  return WithDecimalSeparator(std::string(buffer, result.ptr), decimalSeparator);
}

std::u16string Widen(const std::string& ascii) {
  std::u16string out;
  out.reserve(ascii.size());
  for (char c : ascii) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace vantrel::platform
