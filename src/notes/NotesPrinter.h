// The notes page of a printout (page 3 after the chart and the curve information): the
// formatted notes inside the notes margins (1700 twips left and right, one inch top and
// bottom; the right edge no further than the notes editor's width, so that the lines wrap
// as in the editor), continued on further sheets when they do not fit on one. Nothing is
// printed when the notes hold no text.
#pragma once

#include <functional>

#include "model/CMessungObj.h"
#include "notes/RtfDocument.h"
#include "platform/Canvas.h"

namespace vantrel::notes {

/// Left and right margin of the notes page in twips; top and bottom are one inch.
inline constexpr int kNotesSideMarginTwips = 1700;

/// No editor limits the right edge: it is the page's right margin.
inline constexpr int kNoEditorWidth = 0;

/// The text area of the notes on the canvas's page, in device pixels. Its right edge is
/// the smaller of the page width less 1700 twips and `editorWidthTwips` (the notes editor's
/// formatting width, measured from the page's left edge) unless that is kNoEditorWidth.
platform::Rect NotesTextArea(const platform::Canvas& canvas, int editorWidthTwips = kNoEditorWidth);

/// Prints `doc` from the top of the current sheet; `nextSheet` ends the sheet and starts
/// the next one (it may be empty when a single sheet is wanted: the rest is then cut off).
/// Returns the sheets printed on; 0 when the notes hold no text.
int PrintNotes(platform::Canvas& canvas, const RtfDocument& doc,
               const std::function<void()>& nextSheet, int editorWidthTwips = kNoEditorWidth);

/// The notes page of `measurement` (its notes read as RTF; none print nothing).
int PrintNotesPage(platform::Canvas& canvas, const model::CMessungObj& measurement,
                   const std::function<void()>& nextSheet, int editorWidthTwips = kNoEditorWidth);

}  // namespace vantrel::notes
