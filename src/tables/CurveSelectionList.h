// The contents of the curve selection dialog: one row per curve with its swatch, number,
// name, plotted-value text and filter cut-off; and the rule that turns the rows the user
// selected into the selection (curve positions in list order, at most 16).
#pragma once

#include <vector>

#include "model/CMessungObj.h"
#include "platform/MessageService.h"
#include "platform/TextSource.h"
#include "tables/TextConventions.h"
#include "tables/TextGrid.h"

namespace vantrel::tables {

class CurveSelectionList final : public TextGrid {
 public:
  CurveSelectionList(const model::CMessungObj& measurement, const platform::TextSource& texts,
                     const TextConventions& conventions,
                     platform::MessageService* messages = nullptr);
};

/// The selection for the selected rows of the list (any order, duplicates allowed): the
/// curve positions in list order, rows that name no curve left out, at most 16.
std::vector<int> SelectionFromRows(std::vector<int> selectedRows, int curveCount);

}  // namespace vantrel::tables
