// Table mode 1, the extremes table: one row per curve with its lowest minimum and highest
// maximum, the times of their first occurrence and the curve's unit.
#pragma once

#include <optional>

#include "model/CKurveObj.h"
#include "model/CMessungObj.h"
#include "platform/MessageService.h"
#include "platform/TextSource.h"
#include "tables/TextConventions.h"
#include "tables/TextGrid.h"

namespace vantrel::tables {

/// The lowest minimum and highest maximum of a curve and the first sample index of each.
struct CurveExtremes {
  float low = 0.0F;
  long long lowIndex = -1;  // -1: no sample with a minimum that is a number
  float high = 0.0F;
  long long highIndex = -1;  // -1: no sample with a maximum that is a number
};

/// Scans all samples; the first of equal extremes wins; NaN parts are passed over. A curve
/// of negative values reports its true (negative) highest value.
CurveExtremes FindExtremes(const model::CKurveObj& curve);

class ExtremesTable final : public TextGrid {
 public:
  ExtremesTable(const model::CMessungObj& measurement, const platform::TextSource& texts,
                const TextConventions& conventions, platform::MessageService* messages = nullptr);
};

}  // namespace vantrel::tables
