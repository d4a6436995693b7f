// The rows of the sample table: one per sample of a curve, with its time (sample number x
// sample interval, as "hh:mm:ss.sss"), minimum, maximum and, for curves recorded online,
// the single value. Texts are made when the list asks for a row, so a curve of millions of
// samples costs nothing until its rows are shown.
#pragma once

#include <vector>

#include "model/CKurveObj.h"
#include "platform/TextSource.h"
#include "tables/TableContents.h"

namespace vantrel::gui {

class SampleTableContents final : public tables::TableContents {
 public:
  /// `curve` and `texts` must outlive the contents.
  SampleTableContents(const model::CKurveObj& curve, const platform::TextSource& texts,
                      char decimalSeparator);

  const std::vector<tables::Column>& Columns() const override { return columns_; }
  long long RowCount() const override { return curve_.GetSampleCount(); }
  std::u16string CellText(long long row, int column) const override;

 private:
  const model::CKurveObj& curve_;
  char decimalSeparator_;
  std::vector<tables::Column> columns_;
};

}  // namespace vantrel::gui
