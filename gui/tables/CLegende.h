// The table view of a list window: a report-style list (QTableView) over the core's table
// contents for the legend, the extremes table and the value table, and the painted
// information sheet for mode 3. Nothing in it can be edited. Column widths follow the
// table's width rules, measured on the header's font.
#pragma once

#include <QGridLayout>
#include <QScrollBar>
#include <QStackedLayout>
#include <QWidget>
#include <memory>
#include <vector>

#include "tables/TableContents.h"

namespace vantrel::gui {

class InformationSheetView;
class RowWindowTable;
class TableModel;

class CLegende final : public QWidget {
  Q_OBJECT
 public:
  explicit CLegende(QWidget* parent = nullptr);
  ~CLegende() override;

  /// Replaces every row and column with `contents` (null empties the view); keeps the
  /// scroll position as far as the new table reaches.
  void Show(std::unique_ptr<tables::TableContents> contents);

  TableModel& Model() { return *model_; }
  RowWindowTable& Table() { return *table_; }
  /// The scroll bar of the list's rows.
  QScrollBar& RowScrollBar() { return *rows_; }
  /// The text of a cell of the whole table (not only of the rows in sight).
  QString CellText(long long row, int column) const;
  InformationSheetView& Sheet() { return *sheet_; }
  /// True while the painted information sheet is shown instead of the list.
  bool ShowsSheet() const;
  /// The pixel widths of the columns by their width rules.
  std::vector<int> ColumnWidths() const;

 private:
  std::unique_ptr<TableModel> model_;
  QStackedLayout* stack_ = nullptr;
  QWidget* list_ = nullptr;
  QGridLayout* listLayout_ = nullptr;
  RowWindowTable* table_ = nullptr;
  QScrollBar* rows_ = nullptr;
  InformationSheetView* sheet_ = nullptr;
};

/// The pixel widths of `columns` by their width rules, each title measured with `metrics`.
std::vector<int> ColumnWidthsFor(const std::vector<tables::Column>& columns,
                                 const QFontMetrics& metrics);

/// Widens each column of `contents` whose cells hold the program's texts to its widest cell
/// text measured with `metrics` plus `padding` pixels (plus `swatchWidth` in the first
/// column of rows with a swatch); columns of the user's texts keep their width. Tables
/// that do not fit their columns to texts are left as they are.
void FitColumnsToTexts(const tables::TableContents& contents, const QFontMetrics& metrics,
                       int padding, int swatchWidth, std::vector<int>& widths);

}  // namespace vantrel::gui
