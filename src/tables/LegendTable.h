// Table mode 0, the curve legend: one row per curve with its colour swatch, its number,
// name and the text of the value it plots.
#pragma once

#include "model/CMessungObj.h"
#include "platform/MessageService.h"
#include "platform/TextSource.h"
#include "tables/TextGrid.h"

namespace vantrel::tables {

class LegendTable final : public TextGrid {
 public:
  LegendTable(const model::CMessungObj& measurement, const platform::TextSource& texts,
              platform::MessageService* messages = nullptr);
};

}  // namespace vantrel::tables
