// The notes page of a printout (page 3 after the chart and the curve information): the
// formatted notes inside the notes margins (1700 twips left and right, one inch top and
// bottom), continued on further sheets when they do not fit on one. Nothing is printed
// when the notes hold no text.
#pragma once

#include <functional>

#include "model/CMessungObj.h"
#include "notes/RtfDocument.h"
#include "platform/Canvas.h"

namespace vantrel::notes {

/// Left and right margin of the notes page in twips; top and bottom are one inch.
inline constexpr int kNotesSideMarginTwips = 1700;

/// The text area of the notes on the canvas's page, in device pixels.
platform::Rect NotesTextArea(const platform::Canvas& canvas);

/// Prints `doc` from the top of the current sheet; `nextSheet` ends the sheet and starts
/// the next one (it may be empty when a single sheet is wanted: the rest is then cut off).
/// Returns the sheets printed on; 0 when the notes hold no text.
int PrintNotes(platform::Canvas& canvas, const RtfDocument& doc,
               const std::function<void()>& nextSheet);

/// The notes page of `measurement` (its notes read as RTF; none print nothing).
int PrintNotesPage(platform::Canvas& canvas, const model::CMessungObj& measurement,
                   const std::function<void()>& nextSheet);

}  // namespace vantrel::notes
