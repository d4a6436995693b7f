// Writes the notes document as RTF the way rich-text editors read it: one 8-bit text in
// Windows-1252 with the header, font table and colour table first, then the paragraphs,
// each closed by \par, with only the format changes between runs. Characters outside the
// code page are written as \uN with a '?' fallback; tabs and line breaks as \tab and \line.
#pragma once

#include <cstdint>
#include <vector>

#include "notes/RtfDocument.h"

namespace vantrel::notes {

/// The RTF bytes of `doc`. ReadRtf gives the same document back (fonts, colours,
/// paragraphs, runs and formats).
std::vector<std::uint8_t> WriteRtf(const RtfDocument& doc);

}  // namespace vantrel::notes
