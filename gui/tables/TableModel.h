// The item model of a table window: answers the list view from the core's table contents
// (column titles, cell texts, swatches, text colours, alignment). Cells are asked for only
// when the view shows them, so the value table of a long curve never materialises rows.
// The model can expose a window of the table's rows (SetRowWindow): a list then keeps no
// per-row state for the millions of rows it does not show.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <climits>
#include <map>
#include <memory>

#include "tables/TableContents.h"

namespace vantrel::gui {

class TableModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  /// Replaces the whole table (the view forgets every row and column); null empties it.
  void SetContents(std::unique_ptr<tables::TableContents> contents);
  /// The table shown; null when empty.
  const tables::TableContents* Contents() const { return contents_.get(); }

  /// Shows table rows first .. first + count - 1 as model rows 0 .. count - 1 (fewer at the
  /// end of the table). Without a window the model shows every row.
  void SetRowWindow(long long first, int count);
  /// The table row shown as model row 0.
  long long FirstRow() const { return first_; }
  /// The rows of the whole table.
  long long TotalRows() const { return contents_ != nullptr ? contents_->RowCount() : 0; }

  /// The rows of the window (of the whole table without one, capped to 2^31 - 1).
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  /// Display text, the swatch (column 0), the cell's text colour and its alignment.
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  /// Cells can be selected but never edited.
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  QIcon Swatch(platform::Color color) const;
  int RowsFor(long long first, int count) const;

  std::unique_ptr<tables::TableContents> contents_;
  long long first_ = 0;
  int windowRows_ = INT_MAX;
  mutable std::map<platform::Color, QIcon> swatches_;
};

}  // namespace vantrel::gui
