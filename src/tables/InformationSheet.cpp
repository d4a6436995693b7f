#include "tables/InformationSheet.h"

#include <array>
#include <cmath>

#include "app/MessageIds.h"
#include "tables/CellTexts.h"

namespace vantrel::tables {
namespace {

// "%d" of the whole part; numbers outside the 32-bit range keep their "%.0f" text.
std::u16string WholeNumberText(float value) {
  const double number = std::trunc(static_cast<double>(value));
  if (std::isfinite(number) && std::fabs(number) <= 2147483647.0) {
    return IntText(static_cast<long long>(number));
  }
  return FormatNumber("%.0f", number, '.');
}

}  // namespace

std::vector<std::u16string> InformationColumn(const model::CKurveObj& curve, int columnNumber,
                                              const model::CMessungObj& measurement,
                                              const std::u16string& documentPath,
                                              const platform::TextSource& texts,
                                              const TextConventions& conventions) {
  const char separator = conventions.decimalSeparator;
  const bool computed = curve.GetOrigin() == model::kOriginComputed;
  const int mode = curve.GetTriggerMode();
  const int valueMode = curve.GetValueMode();
  const int origin = curve.GetOrigin();
  const int kind = curve.GetRecordingKind();

  std::vector<std::u16string> cells(kInformationRows);
  cells[0] = IntText(columnNumber);
  cells[1] = IntText(curve.GetChannelNumber());
  cells[2] = CurveUnitText(curve, texts);
  if (!computed) cells[3] = WholeNumberText(curve.GetSensorRange());
  if (valueMode >= 0 && valueMode <= 4) cells[4] = ValueModeText(valueMode, texts);
  if (origin >= 1 && origin <= 3) cells[5] = texts.Text(ids::kStrOriginCopied + (origin - 1));
  cells[6] = curve.GetSourceText();
  cells[7] = FormatNumber("%5.3f", static_cast<double>(curve.GetXOffset()), separator);
  cells[8] = FormatNumber("%5.3f", static_cast<double>(curve.GetYOffset()), separator);
  cells[9] = FilterCutoffText(curve.GetFilterCutoff(), separator);
  cells[10] = conventions.DateTime(curve.GetStartTime());
  cells[11] = documentPath;
  if (kind == 0 || kind == 1) cells[12] = texts.Text(ids::kStrOnlineMeasurement + kind);
  cells[13] = DurationText(curve.GetDuration());
  cells[14] = FormatNumber("%5.3f", curve.GetSampleInterval(), separator) + u" s";
  cells[16] = TriggerModeText(curve, texts);
  if (mode == 1) cells[17] = TriggerLevelText(curve, measurement, texts, separator);
  if (HasEdgeText(curve))
    cells[18] = EdgeText(curve, ids::kStrEdgeRising, ids::kStrEdgeFalling, texts);
  if (mode == 1) cells[19] = IntText(curve.GetTriggerChannel());
  cells[20] = PretriggerText(curve, separator);
  return cells;
}

bool InformationSheet::IsUserText(long long row, int column) const {
  constexpr long long kSourceRow = 6;
  constexpr long long kFileRow = 11;
  return column > 0 && (row == kSourceRow || row == kFileRow);
}

InformationSheet::InformationSheet(const model::CMessungObj& measurement,
                                   const std::vector<int>& selection,
                                   const std::u16string& documentPath,
                                   const platform::TextSource& texts,
                                   const TextConventions& conventions,
                                   platform::MessageService* messages) {
  AddColumn(texts.Text(ids::kStrColumnCurve), 2, 0);
  columnColors_.push_back(platform::kBlack);
  std::vector<std::vector<std::u16string>> curveColumns;
  for (int position : selection) {
    if (static_cast<int>(curveColumns.size()) == kMaxSelection) break;
    const model::CKurveObj* curve = measurement.GetCurve(position);
    if (curve == nullptr) continue;
    const bool added = BuildStep(messages, [&] {
      curveColumns.push_back(InformationColumn(*curve, static_cast<int>(curveColumns.size()) + 1,
                                               measurement, documentPath, texts, conventions));
      AddColumn(curve->GetName(), 0, kInformationCurveColumnWidth);
      columnColors_.push_back(curve->GetColor());
    });
    if (!added) break;
  }
  for (int row = 0; row < kInformationRows; ++row) {
    const bool added = BuildStep(messages, [&] {
      std::vector<std::u16string> cells;
      cells.reserve(curveColumns.size() + 1);
      cells.push_back(texts.Text(kInformationLabelIds[static_cast<std::size_t>(row)]));
      for (const auto& column : curveColumns)
        cells.push_back(column[static_cast<std::size_t>(row)]);
      AddRow(std::move(cells));
    });
    if (!added) break;
  }
}

std::optional<platform::Color> InformationSheet::CellColor(long long row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 ||
      column >= static_cast<int>(columnColors_.size())) {
    return {};
  }
  return columnColors_[static_cast<std::size_t>(column)];
}

}  // namespace vantrel::tables
