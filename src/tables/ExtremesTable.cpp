#include "tables/ExtremesTable.h"

#include <cmath>

#include "app/MessageIds.h"
#include "tables/CellTexts.h"

namespace vantrel::tables {

CurveExtremes FindExtremes(const model::CKurveObj& curve) {
  CurveExtremes result;
  const auto& samples = curve.Samples();
  for (std::size_t k = 0; k < samples.size(); ++k) {
    const model::CValueObj& sample = samples[k];
    if (!std::isnan(sample.minimum) && (result.lowIndex < 0 || result.low > sample.minimum)) {
      result.low = sample.minimum;
      result.lowIndex = static_cast<long long>(k);
    }
    if (!std::isnan(sample.maximum) && (result.highIndex < 0 || result.high < sample.maximum)) {
      result.high = sample.maximum;
      result.highIndex = static_cast<long long>(k);
    }
  }
  return result;
}

ExtremesTable::ExtremesTable(const model::CMessungObj& measurement,
                             const platform::TextSource& texts, const TextConventions& conventions,
                             platform::MessageService* messages) {
  AddColumn(texts.Text(ids::kStrColumnNumber), 1, 12);
  AddUserTextColumn(texts.Text(ids::kStrColumnName), 4, 0);
  AddColumn(texts.Text(ids::kStrMinimum), 3, 0);
  AddColumn(texts.Text(ids::kStrColumnTime), 5, 0);
  AddColumn(texts.Text(ids::kStrMaximum), 3, 0);
  AddColumn(texts.Text(ids::kStrColumnTime), 5, 0);
  AddColumn(texts.Text(ids::kStrColumnUnit), 2, 0);
  const char separator = conventions.decimalSeparator;
  const auto& curves = measurement.Curves();
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const model::CKurveObj& curve = *curves[i];
    const bool added = BuildStep(messages, [&] {
      const CurveExtremes extremes = FindExtremes(curve);
      const double interval = curve.GetSampleInterval();
      // A curve without samples has no extremes: its value and time cells stay empty.
      std::u16string low, lowTime, high, highTime;
      if (extremes.lowIndex >= 0) {
        low = FormatNumber("%5.3f", static_cast<double>(extremes.low), separator);
        lowTime = TableTimeText(static_cast<double>(extremes.lowIndex) * interval, separator);
      }
      if (extremes.highIndex >= 0) {
        high = FormatNumber("%5.3f", static_cast<double>(extremes.high), separator);
        highTime = TableTimeText(static_cast<double>(extremes.highIndex) * interval, separator);
      }
      AddRow({IntText(static_cast<long long>(i) + 1), curve.GetName(), low, lowTime, high, highTime,
              CurveUnitText(curve, texts)});
    });
    if (!added) break;
  }
}

}  // namespace vantrel::tables
