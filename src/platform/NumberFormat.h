// Number formatting with C conventions ("%5.2f" and friends) and the user's decimal
// separator substituted afterwards; the process locale is never switched.
#pragma once

#include <string>

namespace vantrel::platform {

/// printf-style formatting in the "C" convention.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));
/// As FormatC, widened to UTF-16 (the result is ASCII for numeric formats).
std::u16string FormatC16(const char* format, ...) __attribute__((format(printf, 1, 2)));
/// Replaces every '.' of a C-formatted number by `decimalSeparator`.
std::string WithDecimalSeparator(std::string formatted, char decimalSeparator);
/// The shortest decimal text that reads back as exactly `value` (56.92f gives "56.92", not
/// "56.920002"), in plain notation while that stays short, else with an exponent; '.' is
/// replaced by `decimalSeparator`. Infinity and NaN give "inf"/"nan".
std::string ShortestFloatText(float value, char decimalSeparator);
/// Widens an ASCII string.
std::u16string Widen(const std::string& ascii);

}  // namespace vantrel::platform
