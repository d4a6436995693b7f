// Breaks the notes document into lines for a canvas: words wrap at the width of the text
// area, tabs advance to the next half inch, line breaks and paragraph ends start new
// lines, and each line is placed by its paragraph's alignment (justified text is set flush
// left). Fonts are measured on the canvas the lines are meant for, so the layout fits the
// printer's resolution. The layout only computes positions; NotesPrinter paints them.
#pragma once

#include <string>
#include <vector>

#include "notes/RtfDocument.h"
#include "platform/Canvas.h"

namespace vantrel::notes {

/// Tab stops: every 720 twips (half an inch).
inline constexpr int kTabTwips = 720;

struct LaidOutPiece {
  /// Left edge relative to the text area, in pixels.
  int x = 0;
  int width = 0;
  int height = 0;
  std::u16string text;
  platform::Font font;
  platform::Color color = platform::kBlack;
  bool underline = false;
};

struct LaidOutLine {
  int height = 0;
  std::vector<LaidOutPiece> pieces;
};

/// The canvas font of a character format (face from the font table, "Arial" when the table
/// lacks it; points rounded from half-points, at least 1).
platform::Font CanvasFontOf(const RtfDocument& doc, const CharFormat& format);

/// The lines of `doc` in a text area `width` pixels wide on `canvas`.
std::vector<LaidOutLine> LayOutNotes(platform::Canvas& canvas, const RtfDocument& doc, int width);

}  // namespace vantrel::notes
