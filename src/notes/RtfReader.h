// Reads RTF as rich-text editors write it into the notes document: groups, the font and
// colour tables, paragraphs (\par, \pard, \ql \qc \qr \qj), character formats (\plain, \b,
// \i, \ul, \f, \fs, \cf), \tab, \line, \'hh bytes in Windows-1252, \uN with its \ucN
// fallback, and destinations that hold no text (\* and the known ones such as \info or
// \pict), which are skipped. Unknown control words are ignored.
//
// The input is untrusted: unbalanced braces, numbers of any length, truncated escapes and
// deep nesting are read without failing; nesting, table sizes, font names and paragraph
// counts are bounded so the document stays proportional to the input. Bytes that do not
// start with "{\rtf" are read as plain Windows-1252 text, one paragraph per line.
#pragma once

#include <cstdint>
#include <span>

#include "notes/RtfDocument.h"

namespace vantrel::notes {

/// Groups nested deeper than this share the state of the deepest one.
inline constexpr int kMaxRtfDepth = 200;
/// Entries kept of the font and colour tables; later ones are ignored.
inline constexpr std::size_t kMaxTableEntries = 4096;
/// Paragraphs kept; later paragraph ends become line breaks.
inline constexpr std::size_t kMaxParagraphs = 1u << 20;

RtfDocument ReadRtf(std::span<const std::uint8_t> bytes);

}  // namespace vantrel::notes
