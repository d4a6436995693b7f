#include "tables/CurveSelectionList.h"

#include <algorithm>

#include "app/MessageIds.h"
#include "tables/CellTexts.h"
#include "tables/TableContents.h"

namespace vantrel::tables {

CurveSelectionList::CurveSelectionList(const model::CMessungObj& measurement,
                                       const platform::TextSource& texts,
                                       const TextConventions& conventions,
                                       platform::MessageService* messages) {
  AddColumn(texts.Text(ids::kStrColumnNumber), 1, 22);
  AddUserTextColumn(texts.Text(ids::kStrColumnName), 4, 0);
  AddColumn(texts.Text(ids::kStrColumnDisplay), 1, 18);
  AddColumn(texts.Text(ids::kStrColumnFilter), 1, 18);
  const auto& curves = measurement.Curves();
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const model::CKurveObj& curve = *curves[i];
    const bool added = BuildStep(messages, [&] {
      const float cutoff = curve.GetFilterCutoff();
      std::u16string cutoffText;
      if (cutoff > 0.0F) {
        cutoffText =
            FormatNumber("%f", static_cast<double>(cutoff), conventions.decimalSeparator) + u" Hz";
      }
      AddRow({IntText(static_cast<long long>(i) + 1), curve.GetName(),
              ValueModeText(curve.GetValueMode(), texts), cutoffText},
             curve.GetColor());
    });
    if (!added) break;
  }
}

std::vector<int> SelectionFromRows(std::vector<int> selectedRows, int curveCount) {
  std::sort(selectedRows.begin(), selectedRows.end());
  selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
  std::vector<int> selection;
  for (int row : selectedRows) {
    if (row < 0 || row >= curveCount) continue;
    if (static_cast<int>(selection.size()) == kMaxSelection) break;
    selection.push_back(row);
  }
  return selection;
}

}  // namespace vantrel::tables
