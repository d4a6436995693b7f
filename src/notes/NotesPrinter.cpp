// Pagination and painting of the laid-out notes lines.
#include "notes/NotesPrinter.h"

#include "notes/NotesLayout.h"
#include "notes/RtfReader.h"

namespace vantrel::notes {

platform::Rect NotesTextArea(const platform::Canvas& canvas, int editorWidthTwips) {
  constexpr long long kTwipsPerInch = 1440;
  const platform::Size page = canvas.PageSize();
  const int side = static_cast<int>(kNotesSideMarginTwips * static_cast<long long>(canvas.DpiX()) /
                                    kTwipsPerInch);
  const int vertical = canvas.DpiY();
  int right = page.cx - side;
  if (editorWidthTwips > kNoEditorWidth) {
    const long long editorRight =
        static_cast<long long>(editorWidthTwips) * canvas.DpiX() / kTwipsPerInch;
    if (editorRight < right) right = static_cast<int>(editorRight);
  }
  // An editor narrower than the left margin still leaves a (one pixel) column to print in.
  if (right <= side) right = side + 1;
  return platform::Rect{side, vertical, right, page.cy - vertical};
}

int PrintNotes(platform::Canvas& canvas, const RtfDocument& doc,
               const std::function<void()>& nextSheet, int editorWidthTwips) {
  if (doc.PlainText().empty()) return 0;
  const platform::Rect area = NotesTextArea(canvas, editorWidthTwips);
  const std::vector<LaidOutLine> lines = LayOutNotes(canvas, doc, area.Width());
  const platform::Font oldFont = canvas.SelectFont(platform::Font{});
  const platform::Color oldColor = canvas.SetTextColor(platform::kBlack);
  int sheets = 1;
  int y = area.top;
  for (const LaidOutLine& line : lines) {
    if (y + line.height > area.bottom && y > area.top) {
      if (!nextSheet) break;
      nextSheet();
      ++sheets;
      y = area.top;
    }
    for (const LaidOutPiece& piece : line.pieces) {
      const int x = area.left + piece.x;
      const int top = y + line.height - piece.height;
      canvas.SelectFont(piece.font);
      canvas.SetTextColor(piece.color);
      canvas.TextOut(x, top, piece.text);
      if (piece.underline) {
        const platform::Pen oldPen = canvas.SelectPen(platform::Pen{piece.color, 0});
        const int under = top + piece.height - 1 - piece.height / 10;
        canvas.MoveTo(x, under);
        canvas.LineTo(x + piece.width, under);
        canvas.SelectPen(oldPen);
      }
    }
    y += line.height;
  }
  canvas.SetTextColor(oldColor);
  canvas.SelectFont(oldFont);
  return sheets;
}

int PrintNotesPage(platform::Canvas& canvas, const model::CMessungObj& measurement,
                   const std::function<void()>& nextSheet, int editorWidthTwips) {
  if (!measurement.GetNotes().has_value()) return 0;
  return PrintNotes(canvas, ReadRtf(*measurement.GetNotes()), nextSheet, editorWidthTwips);
}

}  // namespace vantrel::notes
