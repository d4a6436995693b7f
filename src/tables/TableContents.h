// What a table window shows, as data for the list views of the GUI: the columns (title,
// width rule, alignment), the rows, the text of every cell, the colour swatch of a row and
// the text colour of a cell. Every table mode and the curve selection list implement it;
// the value table supplies its cells on demand.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace vantrel::tables {

/// The four table modes of a list window.
enum TableMode : int {
  kTableLegend = 0,       // one row per curve: swatch, name, plotted value
  kTableExtremes = 1,     // one row per curve: lowest and highest value and their times
  kTableValues = 2,       // one row per sample time, columns per selected curve
  kTableInformation = 3,  // 21 fixed rows, one column per selected curve
};

/// Curve selections hold at most this many positions.
inline constexpr int kMaxSelection = 16;

struct Column {
  std::u16string title;
  /// Width in pixels = titleWidths x w + extraPixels, w being the pixel width of the title
  /// as the list view measures it.
  int titleWidths = 1;
  int extraPixels = 0;
  bool rightAligned = false;
  /// The column shows the user's texts (curve names): it keeps its width and a longer text
  /// is cut with "...". The program's own texts (value modes, units, dates) widen their
  /// column instead, so that they are read in full in every language and font.
  bool userText = false;

  int Width(int titleTextWidth) const { return titleWidths * titleTextWidth + extraPixels; }
};

class TableContents {
 public:
  virtual ~TableContents() = default;
  virtual const std::vector<Column>& Columns() const = 0;
  virtual long long RowCount() const = 0;
  /// The text of a cell; empty outside the table.
  virtual std::u16string CellText(long long row, int column) const = 0;
  /// The colour of the row's swatch image; none for tables without swatches.
  virtual std::optional<platform::Color> RowSwatch(long long /*row*/) const { return {}; }
  /// True when the columns are widened to the widest program text of their cells (tables
  /// that hold few cells, all computed when they are built).
  virtual bool FitsColumnsToTexts() const { return false; }
  /// True when the cell shows a text of the user (see Column::userText).
  virtual bool IsUserText(long long /*row*/, int column) const {
    const std::vector<Column>& columns = Columns();
    return column >= 0 && static_cast<std::size_t>(column) < columns.size() &&
           columns[static_cast<std::size_t>(column)].userText;
  }
  /// The text colour of a cell; none for the list's default colour.
  virtual std::optional<platform::Color> CellColor(long long /*row*/, int /*column*/) const {
    return {};
  }
  /// True when the owner paints the rows (fixed-height owner-drawn rows of the information
  /// sheet) instead of the list's ordinary row painting.
  virtual bool OwnerDrawn() const { return false; }
};

}  // namespace vantrel::tables
