// Fast "%10.3f" for the CSV export: the same bytes as the C library's formatted output
// (correct rounding of the exact binary value, ties to even, "-0.000" for small negative
// numbers, "nan"/"inf" with their sign), without a call into printf for ordinary values.
#pragma once

#include <cstddef>

namespace vantrel::tables {

/// Longest text AppendFixed3Width10 can write ("%10.3f" of -DBL_MAX plus some slack).
inline constexpr std::size_t kFixed3MaxLength = 330;

/// Writes "%10.3f" of `value` to `out` with '.' replaced by `decimalSeparator`; returns the
/// end of the text. `out` must have room for kFixed3MaxLength bytes.
char* AppendFixed3Width10(char* out, double value, char decimalSeparator);

}  // namespace vantrel::tables
