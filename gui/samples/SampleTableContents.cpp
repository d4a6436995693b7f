// Cell texts of the sample table.
#include "gui/samples/SampleTableContents.h"

#include "app/MessageIds.h"
#include "tables/CellTexts.h"

namespace vantrel::gui {
namespace {

constexpr int kValueColumnPixels = 60;

}  // namespace

SampleTableContents::SampleTableContents(const model::CKurveObj& curve,
                                         const platform::TextSource& texts, char decimalSeparator)
    : curve_(curve), decimalSeparator_(decimalSeparator) {
  columns_.push_back(tables::Column{texts.Text(ids::kStrColumnTime), 5, 0, false});
  columns_.push_back(tables::Column{texts.Text(ids::kStrMinimum), 0, kValueColumnPixels, true});
  columns_.push_back(tables::Column{texts.Text(ids::kStrMaximum), 0, kValueColumnPixels, true});
  // Only recordings made online carry the single value of each interval.
  if (curve.GetRecordingKind() == 0) {
    columns_.push_back(tables::Column{texts.Text(ids::kStrValue), 0, kValueColumnPixels, true});
  }
}

std::u16string SampleTableContents::CellText(long long row, int column) const {
  const model::CValueObj* sample = curve_.GetSample(row);
  if (sample == nullptr || column < 0 || column >= static_cast<int>(columns_.size())) return {};
  switch (column) {
    case 0:
      return tables::TableTimeText(static_cast<double>(row) * curve_.GetSampleInterval(),
                                   decimalSeparator_);
    case 1:
      return tables::FormatNumber("%5.3f", static_cast<double>(sample->minimum), decimalSeparator_);
    case 2:
      return tables::FormatNumber("%5.3f", static_cast<double>(sample->maximum), decimalSeparator_);
    default:
      return tables::FormatNumber("%5.3f", static_cast<double>(sample->value), decimalSeparator_);
  }
}

}  // namespace vantrel::gui
