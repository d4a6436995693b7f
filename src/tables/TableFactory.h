// Builds the contents of a list window for its table mode: the legend, the extremes table,
// the value table or the information sheet of a measurement. The GUI rebuilds the table on
// every update of the document.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/CMessungObj.h"
#include "platform/MessageService.h"
#include "platform/TextSource.h"
#include "tables/TableContents.h"
#include "tables/TextConventions.h"

namespace vantrel::tables {

struct TableRequest {
  int mode = kTableLegend;
  /// Curve positions of modes 2 and 3 (at most 16 are used; stale positions are skipped).
  std::vector<int> selection;
  /// The document's full path name (information sheet).
  std::u16string documentPath;
  TextConventions conventions;
  /// Asked with message 32900 when memory runs out while building; may be null.
  platform::MessageService* messages = nullptr;
};

/// The table for `request.mode`; an unknown mode gives a table without columns and rows.
/// The measurement and the texts must outlive the table.
std::unique_ptr<TableContents> BuildTable(const model::CMessungObj& measurement,
                                          const platform::TextSource& texts,
                                          const TableRequest& request);

}  // namespace vantrel::tables
