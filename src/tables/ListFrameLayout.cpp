#include "tables/ListFrameLayout.h"

#include <algorithm>

#include "app/MessageIds.h"
#include "tables/TableContents.h"

namespace vantrel::tables {

int TitleSuffixId(int tableMode) {
  switch (tableMode) {
    case kTableLegend:
      return ids::kStrLegendTitle;
    case kTableExtremes:
      return ids::kStrExtremesTitle;
    case kTableValues:
      return ids::kStrValueListTitle;
    case kTableInformation:
      return ids::kStrCurveInformationTitle;
    default:
      return 0;
  }
}

FirstPlacement FirstPlacementFor(int tableMode, int selectionCount, int clientBottom,
                                 int nonClientHeight) {
  const int count = std::clamp(selectionCount, 0, kMaxSelection);
  const int top = clientBottom - nonClientHeight - 136;
  switch (tableMode) {
    case kTableLegend:
      return {true, {0, top}, {250, 136}};
    case kTableExtremes:
      return {true, {250, top}, {508, 136}};
    case kTableValues:
      return {false, {}, {std::min(70 * count + 100, 640), 200}};
    case kTableInformation:
      return {false, {}, {std::min(125 * count + 140, 640), 360}};
    default:
      return {};
  }
}

}  // namespace vantrel::tables
