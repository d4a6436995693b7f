// The notes of a chart window's document: the notes command (32786) opens the notes
// editor, and the printout's page 3 prints the notes. InstallNotesAndSamples registers
// the notes and sample commands (32786, 32784) with the main frame and the notes page with
// the chart windows' printouts.
#pragma once

#include <functional>

#include "app/CommandIds.h"
#include "gui/app/AppContext.h"
#include "gui/app/OpenDocument.h"
#include "platform/Canvas.h"

namespace vantrel::gui {

class CMainFrame;

using ids::kCmdChartNotes;

void InstallNotesAndSamples(CMainFrame& frame);

/// Runs the notes editor on the document's measurement. When the stored notes changed the
/// document is marked modified; returns whether they changed.
bool EditNotes(CMainFrame& frame, OpenDocument& document);

/// Page 3 of a printout: the document's notes from the top of the current sheet; further
/// sheets through `nextSheet` (empty: the notes are cut off after one sheet). Returns the
/// sheets printed on; 0 when the notes hold no text. The lines end at the notes editor's
/// width at the latest (`editorWidthTwips`, see NotesEditorWidthTwips).
int PrintDocumentNotes(platform::Canvas& canvas, OpenDocument& document,
                       const std::function<void()>& nextSheet, int editorWidthTwips);

/// The formatting width of the notes editor in twips, from the dialog made without showing it.
int NotesEditorWidthTwips(const AppContext& context);

}  // namespace vantrel::gui
