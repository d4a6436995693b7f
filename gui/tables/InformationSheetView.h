// The painted curve information sheet (table mode 3): a header with the column titles and
// 21 fixed-height rows whose cells are painted from the core's sheet: the labels in black,
// each curve column in the curve's colour, on the list background. The layout of the cells
// is computed first (SheetLayoutFor) and then painted.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QHeaderView>
#include <QRect>
#include <QString>
#include <vector>

#include "tables/TableContents.h"

namespace vantrel::gui {

class TableModel;

struct SheetCell {
  QRect rect;  // in sheet coordinates (row 0 at y 0, column 0 at x 0)
  QString text;
  QColor color;
};

struct SheetLayout {
  std::vector<SheetCell> cells;  // row by row, column 0 first
  /// Per row: the rest of the row right of the last column up to the client width.
  std::vector<QRect> rowEnds;
  QSize size;  // the extent of all columns and rows
};

/// Cells of every row: column c spans from the end of column c-1 to its own end
/// (`columnWidths`); rows are `rowHeight` high; text colours from the contents (black
/// when none).
SheetLayout SheetLayoutFor(const tables::TableContents& sheet, const std::vector<int>& columnWidths,
                           int rowHeight, int clientWidth);

class InformationSheetView final : public QAbstractScrollArea {
  Q_OBJECT
 public:
  /// Pixels beside a cell's text: its indent and the gap before the next column.
  static constexpr int kTextPadding = 8;
  /// Shows the columns and rows of `model` (which must outlive the view).
  explicit InformationSheetView(TableModel& model, QWidget* parent = nullptr);

  /// Takes the contents of the model anew with these column widths.
  void Rebuild(const std::vector<int>& columnWidths);
  const SheetLayout& Layout() const { return layout_; }
  QHeaderView& Header() { return *header_; }
  int RowHeight() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void UpdateGeometry();

  TableModel& model_;
  QHeaderView* header_ = nullptr;
  std::vector<int> widths_;
  SheetLayout layout_;
};

}  // namespace vantrel::gui
