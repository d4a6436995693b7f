// The chart window of a document: InstallChartFrames makes every new document open in a
// CChildFrame, and keeps the printer of the notes page that the notes editor supplies.
#pragma once

#include "gui/chart/ChartPrinting.h"

namespace vantrel::gui {

class CMainFrame;

/// Makes every new document open in a chart window.
void InstallChartFrames(CMainFrame& frame);

/// Sets the printer of page 3 (the notes) of every chart printout of `frame`'s documents.
void SetNotesPagePrinter(CMainFrame& frame, NotesPagePrinter printer);
/// The printer of page 3; empty while no notes printer is installed (page 3 is left out).
NotesPagePrinter NotesPagePrinterOf(CMainFrame& frame);

}  // namespace vantrel::gui
