// The list windows as the chart window opens them: the legend (toggled by 32801), value
// tables grouped by sample interval (32787), the extremes table (32788) and the curve
// information sheet (32791), plus the curve selection the chart's other commands use.
//
// Contract for the chart window:
// - Every function works on the document's current measurement and does nothing (returns
//   false, 0 or null) when the document has none.
// - Windows open in the main frame's work area as further windows of the document; each is
//   rebuilt on every OpenDocument::UpdateAllViews/RefreshViews and goes when the document's
//   chart window closes (the document manager closes every window of the document).
// - A document has at most one legend. The legend belongs to the document's windows, so
//   its state needs no field in the chart: closing the legend by hand simply makes
//   IsLegendShown false, and the next ToggleLegend opens a new one. Set the check mark of
//   32801 in UpdateCommandStates from IsLegendShown.
// - Modes 2 and 3 ask the curve selection first; Cancel, or OK without a selected row,
//   opens nothing.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "gui/app/AppContext.h"
#include "gui/app/OpenDocument.h"
#include "model/CMessungObj.h"
#include "tables/TextConventions.h"

namespace vantrel::gui {

class CMainFrame;
class CMyListFrame;

/// The user's conventions for table texts: the decimal separator of the current default
/// locale (the system's unless a test sets another) and its short date with hh:mm:ss.
tables::TextConventions UserTextConventions();

/// Runs the curve selection dialog (template 155) for `measurement` over `parent`. The
/// curve positions chosen, in list order and at most 16 (possibly empty); none on Cancel.
std::optional<std::vector<int>> AskCurveSelection(QWidget* parent, const AppContext& context,
                                                  const model::CMessungObj& measurement);

/// Opens one list window of `tableMode` (0..3) with `selection` (modes 2 and 3) for the
/// document and shows it; the window is returned (owned by the work area).
CMyListFrame* OpenListWindow(CMainFrame& main, OpenDocument& document, int tableMode,
                             std::vector<int> selection);

/// The document's legend window; null when none is open.
CMyListFrame* FindLegend(const OpenDocument& document);
/// True while the document's legend window is open (the check mark of 32801).
bool IsLegendShown(const OpenDocument& document);
/// Closes the legend window when it is open (without asking), otherwise opens it.
/// Returns whether a legend is shown afterwards.
bool ToggleLegend(CMainFrame& main, OpenDocument& document);

/// Asks the curve selection and opens one value table per group of equal sample interval
/// (longest interval first). Returns the number of windows opened.
int OpenValueTables(CMainFrame& main, OpenDocument& document);
/// Opens the extremes table of all curves; null when the document has no measurement.
CMyListFrame* OpenExtremesTable(CMainFrame& main, OpenDocument& document);
/// Asks the curve selection and opens one information sheet of the chosen curves; null
/// when nothing was chosen.
CMyListFrame* OpenInformationSheet(CMainFrame& main, OpenDocument& document);

}  // namespace vantrel::gui
