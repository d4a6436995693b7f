// Printing of a chart window: logical page 1 the chart, page 2 the curve information table
// (one or more sheets), page 3 the notes through a printer the notes editor supplies. The
// print dialog offers pages 1 to 3; direct printing and the print preview print every page.
#pragma once

#include <QPrinter>
#include <QWidget>
#include <functional>

#include "platform/Canvas.h"
#include "platform/TextSource.h"

namespace vantrel::gui {

class OpenDocument;

/// Prints the notes page of a document on a printer canvas (filled in by the notes editor).
using NotesPagePrinter =
    std::function<void(platform::Canvas&, OpenDocument&, const std::function<void()>& nextSheet)>;

struct ChartPrintJob {
  OpenDocument& document;
  const platform::TextSource& texts;
  /// Page 3; without it page 3 is left out of every printout.
  NotesPagePrinter notes;
};

/// The last logical page of a printout.
inline constexpr int kLastPrintPage = 3;

/// Prints logical pages `fromPage` .. `toPage` of the job on `printer` (0 for both: every
/// page). Returns the number of sheets printed; 0 when the printer could not be started.
int PrintChartDocument(QPrinter& printer, const ChartPrintJob& job, int fromPage, int toPage);

/// The print dialog (pages 1 .. 3) and, on OK, the printout of the chosen pages. False when
/// the user cancelled.
bool RunPrintDialog(QWidget* parent, QPrinter& printer, const ChartPrintJob& job);

/// The printer setup: the printer, its paper and orientation for later printouts, chosen
/// in the print dialog under `title`; nothing is printed.
void RunPrintSetup(QWidget* parent, QPrinter& printer, const QString& title);

/// The print preview of every page.
void RunPrintPreview(QWidget* parent, QPrinter& printer, const ChartPrintJob& job);

}  // namespace vantrel::gui
