// The formatted notes text as the notes editor and the printout see it: paragraphs of
// runs, each run one piece of text in one character format, plus the font and colour
// tables the formats refer to. It covers what the notes need (font, size, bold, italic,
// underline, colour, paragraph alignment, tabs and line breaks), nothing of pictures,
// tables, styles or page setup.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace vantrel::notes {

/// A line break inside a paragraph (RTF \line) in run texts.
inline constexpr char16_t kLineBreak = u'\u2028';
/// Size of text without an explicit size: 12 points (RTF's default of 24 half-points).
inline constexpr int kDefaultHalfPoints = 24;

enum class Alignment { Left, Center, Right, Justify };

struct FontEntry {
  /// The font number the formats refer to (\fN).
  int number = 0;
  std::u16string name;
  /// The font family word without its backslash: "fnil", "froman", "fswiss", ...
  std::string family = "fnil";
  /// \fcharsetN; -1 when not given.
  int charset = -1;
  friend bool operator==(const FontEntry&, const FontEntry&) = default;
};

struct CharFormat {
  /// Font number (\fN); refers to FontEntry::number.
  int font = 0;
  /// Size in half-points (\fsN).
  int halfPoints = kDefaultHalfPoints;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  /// Index into the colour table (\cfN); 0 is the automatic colour when the table's first
  /// entry is empty.
  int color = 0;
  friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

struct Run {
  CharFormat format;
  /// Text; '\t' for tabs, kLineBreak for line breaks.
  std::u16string text;
  friend bool operator==(const Run&, const Run&) = default;
};

struct Paragraph {
  Alignment alignment = Alignment::Left;
  std::vector<Run> runs;
  /// The character format at the end of the paragraph (the size of an empty line).
  CharFormat endFormat;
  friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

struct RtfDocument {
  std::vector<FontEntry> fonts;
  /// Colour table; an empty entry (none) is the automatic colour.
  std::vector<std::optional<platform::Color>> colors;
  /// The font of text without \f (\deffN).
  int defaultFont = 0;
  /// Language of the text (\deflangN); 0 when not given.
  int defaultLanguage = 0;
  /// At least one paragraph; the last one is not ended by \par.
  std::vector<Paragraph> paragraphs{Paragraph{}};

  /// The font with this number; null when the table has none.
  const FontEntry* FindFont(int number) const;
  /// The colour of table entry `index`; none for the automatic colour or a missing entry.
  std::optional<platform::Color> ColorAt(int index) const;
  /// The text without formats: paragraphs separated by '\n'.
  std::u16string PlainText() const;
  friend bool operator==(const RtfDocument&, const RtfDocument&) = default;
};

}  // namespace vantrel::notes
