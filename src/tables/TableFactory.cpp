#include "tables/TableFactory.h"

#include "tables/ExtremesTable.h"
#include "tables/InformationSheet.h"
#include "tables/LegendTable.h"
#include "tables/ValueTable.h"

namespace vantrel::tables {
namespace {

class EmptyTable final : public TextGrid {};

}  // namespace

std::unique_ptr<TableContents> BuildTable(const model::CMessungObj& measurement,
                                          const platform::TextSource& texts,
                                          const TableRequest& request) {
  switch (request.mode) {
    case kTableLegend:
      return std::make_unique<LegendTable>(measurement, texts, request.messages);
    case kTableExtremes:
      return std::make_unique<ExtremesTable>(measurement, texts, request.conventions,
                                             request.messages);
    case kTableValues:
      return std::make_unique<ValueTable>(measurement, request.selection, texts,
                                          request.conventions);
    case kTableInformation:
      return std::make_unique<InformationSheet>(measurement, request.selection,
                                                request.documentPath, texts, request.conventions,
                                                request.messages);
    default:
      return std::make_unique<EmptyTable>();
  }
}

}  // namespace vantrel::tables
