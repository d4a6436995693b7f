#include "tables/ValueTable.h"

#include <algorithm>
#include <utility>

#include "app/MessageIds.h"
#include "tables/CellTexts.h"

namespace vantrel::tables {

ValueTable::ValueTable(const model::CMessungObj& measurement, const std::vector<int>& selection,
                       const platform::TextSource& texts, const TextConventions& conventions)
    : measurement_(measurement), conventions_(conventions) {
  columns_.push_back(Column{texts.Text(ids::kStrColumnTime), 4, 0, false});
  int used = 0;
  for (int position : selection) {
    if (used == kMaxSelection) break;
    const model::CKurveObj* curve = measurement.GetCurve(position);
    if (curve == nullptr) continue;
    ++used;
    rowCount_ = std::max(rowCount_, curve->GetSampleCount());
    timeStep_ = curve->GetSampleInterval();
    const std::u16string number = u" " + IntText(static_cast<long long>(position) + 1);
    auto add = [&](int titleId, int selector) {
      columns_.push_back(Column{texts.Text(titleId) + number, 2, 0, true});
      valueColumns_.push_back(ValueColumn{selector, position});
    };
    switch (curve->GetValueMode()) {
      case model::kModeMinimum:
        add(ids::kStrMinimum, 0);
        break;
      case model::kModeMaximum:
        add(ids::kStrMaximum, 1);
        break;
      case model::kModeMean:
        add(ids::kStrMean, 2);
        break;
      case model::kModeBar:
        add(ids::kStrMinimum, 0);
        add(ids::kStrMaximum, 1);
        break;
      case model::kModeValue:
        add(ids::kStrValue, 4);
        break;
      default:
        break;
    }
  }
}

std::u16string ValueTable::CellText(long long row, int column) const {
  if (row < 0 || row >= rowCount_ || column < 0 || column >= static_cast<int>(columns_.size())) {
    return {};
  }
  const char separator = conventions_.decimalSeparator;
  if (column == 0) return TableTimeText(timeStep_ * static_cast<double>(row), separator);
  const ValueColumn& value = valueColumns_[static_cast<std::size_t>(column - 1)];
  const model::CKurveObj* curve = measurement_.GetCurve(value.curvePosition);
  const model::CValueObj* sample = curve != nullptr ? curve->GetSample(row) : nullptr;
  const model::CValueObj zero;
  return FormatNumber("%5.3f", SelectedValue(sample != nullptr ? *sample : zero, value.selector),
                      separator);
}

std::vector<std::vector<int>> GroupByInterval(const model::CMessungObj& measurement,
                                              const std::vector<int>& selection) {
  std::vector<std::pair<int, double>> byInterval;
  for (int position : selection) {
    const model::CKurveObj* curve = measurement.GetCurve(position);
    if (curve != nullptr) byInterval.emplace_back(position, curve->GetSampleInterval());
  }
  // Neighbour swaps (stable, and safe for intervals that are not numbers).
  for (std::size_t pass = 1; pass < byInterval.size(); ++pass) {
    for (std::size_t i = 0; i + 1 < byInterval.size(); ++i) {
      if (byInterval[i + 1].second > byInterval[i].second) {
        std::swap(byInterval[i], byInterval[i + 1]);
      }
    }
  }
  std::vector<std::vector<int>> groups;
  for (std::size_t i = 0; i < byInterval.size(); ++i) {
    if (i == 0 || byInterval[i].second != byInterval[i - 1].second) groups.emplace_back();
    groups.back().push_back(byInterval[i].first);
  }
  return groups;
}

}  // namespace vantrel::tables
