// The plain text of a measurement's notes for the printout of vantrel-cli: the notes are
// RTF; formatting, font and colour tables, pictures and other destinations are dropped,
// paragraphs become line breaks. Bytes that are not RTF are taken as Windows-1252 text.
// This is a reader of the text only, not a layout of the formatted notes.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace vantrel::cli {

/// The text of `notes`, lines separated by '\n', without trailing blank lines.
std::u16string NotesPlainText(std::span<const std::uint8_t> notes);

/// `text` split into lines that are at most `fits(line)` wide: words move to the next line,
/// a word longer than a line is cut. `fits` says whether a candidate line fits.
std::vector<std::u16string> WrapLines(const std::u16string& text,
                                      const std::function<bool(const std::u16string&)>& fits);

}  // namespace vantrel::cli
