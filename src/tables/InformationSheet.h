// Table mode 3, the curve information sheet: 21 fixed rows (label in column 0) and one
// column per selected curve with its recording facts, display settings and trigger
// settings. The GUI paints the rows itself: column 0 in black, each curve column in the
// curve's colour.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/MessageIds.h"
#include "model/CMessungObj.h"
#include "platform/MessageService.h"
#include "platform/TextSource.h"
#include "tables/TextConventions.h"
#include "tables/TextGrid.h"

namespace vantrel::tables {

/// Number of rows of the information sheet.
inline constexpr int kInformationRows = 21;
/// Fixed width in pixels of a curve column.
inline constexpr int kInformationCurveColumnWidth = 120;
/// The label of each row.
inline constexpr std::array<int, kInformationRows> kInformationLabelIds = {
    ids::kStrInfoCurveNumber, ids::kStrInfoChannel,        ids::kStrInfoUnit,
    ids::kStrInfoSensorRange, ids::kStrInfoDisplay,        ids::kStrInfoOrigin,
    ids::kStrInfoSource,      ids::kStrInfoXOffset,        ids::kStrInfoYOffset,
    ids::kStrInfoFilter,      ids::kStrInfoStartTime,      ids::kStrInfoFile,
    ids::kStrInfoRecording,   ids::kStrInfoDuration,       ids::kStrInfoSampleInterval,
    ids::kStrInfoTrigger,     ids::kStrInfoTriggerMode,    ids::kStrInfoTriggerLevel,
    ids::kStrInfoEdge,        ids::kStrInfoTriggerChannel, ids::kStrInfoPretrigger};

class InformationSheet final : public TextGrid {
 public:
  /// `selection`: curve positions; those that name no curve are skipped, at most 16 used.
  /// `documentPath`: the document's full path name (row 11).
  InformationSheet(const model::CMessungObj& measurement, const std::vector<int>& selection,
                   const std::u16string& documentPath, const platform::TextSource& texts,
                   const TextConventions& conventions,
                   platform::MessageService* messages = nullptr);

  std::optional<platform::Color> CellColor(long long row, int column) const override;
  bool OwnerDrawn() const override { return true; }
  /// The curves' source texts and the document's file name are the user's; the row labels
  /// and every other curve text are the program's.
  bool IsUserText(long long row, int column) const override;

 private:
  std::vector<platform::Color> columnColors_;  // column 0 black, then one per curve
};

/// The 21 texts of one curve column, row by row; `columnNumber` counts from 1.
std::vector<std::u16string> InformationColumn(const model::CKurveObj& curve, int columnNumber,
                                              const model::CMessungObj& measurement,
                                              const std::u16string& documentPath,
                                              const platform::TextSource& texts,
                                              const TextConventions& conventions);

}  // namespace vantrel::tables
