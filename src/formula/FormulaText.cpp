#include "formula/FormulaText.h"

#include <charconv>
#include <climits>
#include <limits>

namespace vantrel::formula {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

}  // namespace

std::size_t NumberRunLength(std::u16string_view text) {
  std::size_t n = 0;
  while (n < text.size() && (IsDigit(text[n]) || text[n] == u'.')) ++n;
  return n;
}

double ReadDecimalNumber(std::u16string_view text) {
  // Digits, then at most one point and more digits; every character is ASCII.
  std::string narrow;
  bool point = false;
  for (char16_t c : text) {
    if (c == u'.' && !point) {
      point = true;
    } else if (!IsDigit(c)) {
      break;
    }
    narrow.push_back(static_cast<char>(c));
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value,
                                            std::chars_format::fixed);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // Only a very long run of digits gets here: a non-zero digit before the point means
    // too large, otherwise too small.
    const std::size_t integerEnd = narrow.find('.');
    const std::string_view integerPart = std::string_view(narrow).substr(0, integerEnd);
    return integerPart.find_first_not_of('0') != std::string_view::npos
               ? std::numeric_limits<double>::infinity()
               : 0.0;
  }
  if (error != std::errc()) return 0.0;
  return value;
}

int ReadReferenceNumber(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  long long value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace vantrel::formula
