// The printed pages of a chart window on a printer canvas: page 1 the chart inside one-inch
// margins with a one-pixel frame, page 2 the curve information table (23 rows, as many curve
// columns of 1.615 inch as fit across the sheet, further sheets for the other curves, each
// with the title and the row labels again). Page 3, the notes, is printed by the notes
// editor and not here.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "chart/ChartPainter.h"
#include "model/CMessungObj.h"
#include "platform/Canvas.h"
#include "platform/TextSource.h"
#include "tables/TextConventions.h"

namespace vantrel::chart {

/// Logical pages of a printout: chart, curve information, notes.
inline constexpr int kPrintPageCount = 3;
/// Rows of the curve information table.
inline constexpr int kCurveTableRows = 23;
/// Width of a table column in inches.
inline constexpr double kCurveTableColumnInches = 1.615;
/// Font sizes of the table's title and rows.
inline constexpr int kCurveTableTitlePoints = 22;
inline constexpr int kCurveTableRowPoints = 11;

/// The language strings of the row labels, row by row.
const std::vector<int>& CurveTableLabelIds();

/// The geometry of the curve information table on a canvas.
struct CurveTableGeometry {
  /// Column width trunc(DPI x 1.615).
  int columnWidth = 0;
  /// Curve columns per sheet: page width / column width - 1, at least 1.
  int columnsPerSheet = 1;
};
CurveTableGeometry CurveTableGeometryOf(const platform::Canvas& canvas);

/// Physical sheets page 2 takes for `curveCount` curves (one, empty, when there are none).
int CurveTableSheetCount(int curveCount, const platform::Canvas& canvas);

/// The 23 texts of one curve's column (row 1, the colour swatch, is empty).
/// `fileName` is the document's file name without its folder.
std::vector<std::u16string> CurveTableColumn(const model::CMessungObj& measurement, int position,
                                             const std::u16string& fileName,
                                             const platform::TextSource& texts,
                                             const tables::TextConventions& conventions);

/// The part of a document path after its last backslash or slash (the whole path when there
/// is none; empty for a document never saved).
std::u16string PrintFileName(const std::u16string& documentPath);

struct PrintOptions {
  /// The document's path name; empty when it was never saved.
  std::u16string documentPath;
  tables::TextConventions conventions;
  /// Ends the current physical sheet and starts the next (page 2 with many curves).
  std::function<void()> nextSheet;
  /// The painter of page 1 (a fresh one when null).
  ChartPainter* painter = nullptr;
};

/// Page 1: the chart in the area one inch inside the page, margins cleared, framed; its
/// numbers use `decimalSeparator`.
void PrintChartPage(platform::Canvas& canvas, model::CMessungObj& measurement,
                    const platform::TextSource& texts, ChartPainter& painter,
                    char decimalSeparator);

/// One physical sheet of page 2: the title, the row labels and the curves from
/// `sheet` x columns-per-sheet on.
void PrintCurveTableSheet(platform::Canvas& canvas, const model::CMessungObj& measurement,
                          int sheet, const platform::TextSource& texts,
                          const PrintOptions& options);

/// Prints logical page `page` (1 chart, 2 curve information on as many sheets as needed).
/// Returns false for pages this function does not print (3, the notes, and any other).
bool PrintPage(platform::Canvas& canvas, model::CMessungObj& measurement, int page,
               const platform::TextSource& texts, const PrintOptions& options);

}  // namespace vantrel::chart
