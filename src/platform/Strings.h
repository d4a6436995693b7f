// Conversions between the program's UTF-16 strings, UTF-8 (files, terminal, JSON) and the
// 8-bit Windows-1252 text of the instrument, its text files and old archive strings.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::platform {

/// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
/// UTF-8 to UTF-16; malformed sequences become U+FFFD, one per bad byte.
std::u16string FromUtf8(std::string_view text);
/// Windows-1252 bytes to UTF-16 (the five undefined bytes map to the C1 controls, as Windows does).
std::u16string FromCp1252(std::string_view bytes);
/// UTF-16 to Windows-1252; characters the code page lacks become '?'.
std::string ToCp1252(std::u16string_view text);

/// Replaces every occurrence of `from` by `to`.
std::u16string ReplaceAll(std::u16string text, std::u16string_view from, std::u16string_view to);

}  // namespace vantrel::platform
