#include "tables/Fixed3.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace vantrel::tables {
namespace {

constexpr int kWidth = 10;

// Values from 2^52 on have no fractional bits; they are rare enough to leave to printf.
char* AppendBySnprintf(char* out, double value, char decimalSeparator) {
  const int length = std::snprintf(out, kFixed3MaxLength, "%10.3f", value);
  if (length <= 0) return out;
  char* end =
      out + (static_cast<std::size_t>(length) < kFixed3MaxLength ? static_cast<std::size_t>(length)
                                                                 : kFixed3MaxLength - 1);
  if (decimalSeparator != '.') {
    for (char* p = out; p != end; ++p) {
      if (*p == '.') *p = decimalSeparator;
    }
  }
  return end;
}

char* AppendPadded(char* out, const char* text, std::size_t length) {
  std::size_t pad = length < kWidth ? kWidth - length : 0;
  while (pad-- > 0) *out++ = ' ';
  std::memcpy(out, text, length);
  return out + length;
}

}  // namespace

char* AppendFixed3Width10(char* out, double value, char decimalSeparator) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const auto exponentField = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);

  if (exponentField == 0x7FF) {
    if (fraction != 0) return AppendPadded(out, negative ? "-nan" : "nan", negative ? 4 : 3);
    return AppendPadded(out, negative ? "-inf" : "inf", negative ? 4 : 3);
  }

  // value = mantissa x 2^exponent, exactly.
  std::uint64_t mantissa = fraction;
  int exponent = -1074;
  if (exponentField != 0) {
    mantissa |= std::uint64_t{1} << 52;
    exponent = exponentField - 1075;
  }
  if (exponent >= 0) return AppendBySnprintf(out, value, decimalSeparator);

  // Thousandths, rounded to nearest with ties to even: mantissa x 1000 < 2^63 fits.
  const std::uint64_t scaled = mantissa * 1000;
  const int shift = -exponent;
  std::uint64_t thousandths = 0;
  if (shift < 64) {
    thousandths = scaled >> shift;
    const std::uint64_t remainder = scaled & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (remainder > half || (remainder == half && (thousandths & 1) != 0)) ++thousandths;
  }
  // shift >= 64: the value is below 0.0005 in magnitude and rounds to zero.

  char text[32];
  char* end = text + sizeof text;
  char* p = end;
  std::uint64_t whole = thousandths / 1000;
  auto frac = static_cast<unsigned>(thousandths % 1000);
  *--p = static_cast<char>('0' + frac % 10);
  *--p = static_cast<char>('0' + frac / 10 % 10);
  *--p = static_cast<char>('0' + frac / 100);
  *--p = decimalSeparator;
  do {
    *--p = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  if (negative) *--p = '-';
  return AppendPadded(out, p, static_cast<std::size_t>(end - p));
}

}  // namespace vantrel::tables
