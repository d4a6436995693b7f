// Table mode 2, the value table: one row per sample time and one or two columns per
// selected curve (by the curve's value mode). Rows are never materialised: every cell is
// computed when the list view asks for it. The samples of a curve sit in one contiguous
// array, so the sample of row r is found directly by index in O(1), forwards, backwards or
// anywhere; this takes the place of read positions that walk one row at a time.
#pragma once

#include <vector>

#include "model/CMessungObj.h"
#include "platform/TextSource.h"
#include "tables/TableContents.h"
#include "tables/TextConventions.h"

namespace vantrel::tables {

class ValueTable final : public TableContents {
 public:
  /// `selection`: curve positions in selection order; positions that name no curve are
  /// skipped, at most 16 are used. The measurement must outlive the table; a table is
  /// rebuilt whenever the document changes.
  ValueTable(const model::CMessungObj& measurement, const std::vector<int>& selection,
             const platform::TextSource& texts, const TextConventions& conventions);

  const std::vector<Column>& Columns() const override { return columns_; }
  /// The largest sample count among the selected curves when the table was built.
  long long RowCount() const override { return rowCount_; }
  /// Column 0: the time text of row x time step. Other columns: "%5.3f" of the selected
  /// value of the column's curve at sample `row`, or of 0 when the curve has no such sample.
  std::u16string CellText(long long row, int column) const override;

  /// Seconds per row: the sample interval of the last selected curve.
  double TimeStep() const { return timeStep_; }

 private:
  struct ValueColumn {
    int selector = 0;  // 0 minimum, 1 maximum, 2 mean, 4 value
    int curvePosition = 0;
  };

  const model::CMessungObj& measurement_;
  TextConventions conventions_;
  std::vector<Column> columns_;
  std::vector<ValueColumn> valueColumns_;  // for columns 1..
  long long rowCount_ = 0;
  double timeStep_ = 0.0;
};

/// Splits a selection into the value tables the chart opens for it: sorted by sample
/// interval, longest first (equal intervals keep their order), and a new table
/// wherever the interval changes. Positions that name no curve are left out.
std::vector<std::vector<int>> GroupByInterval(const model::CMessungObj& measurement,
                                              const std::vector<int>& selection);

}  // namespace vantrel::tables
