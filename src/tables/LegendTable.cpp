#include "tables/LegendTable.h"

#include "app/MessageIds.h"
#include "tables/CellTexts.h"

namespace vantrel::tables {

LegendTable::LegendTable(const model::CMessungObj& measurement, const platform::TextSource& texts,
                         platform::MessageService* messages) {
  AddColumn(texts.Text(ids::kStrColumnNumber), 1, 25);
  AddUserTextColumn(texts.Text(ids::kStrColumnName), 4, 0);
  AddColumn(texts.Text(ids::kStrColumnDisplay), 1, 12);
  const auto& curves = measurement.Curves();
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const model::CKurveObj& curve = *curves[i];
    const bool added = BuildStep(messages, [&] {
      AddRow({IntText(static_cast<long long>(i) + 1), curve.GetName(),
              ValueModeText(curve.GetValueMode(), texts)},
             curve.GetColor());
    });
    if (!added) break;
  }
}

}  // namespace vantrel::tables
