#include "model/Units.h"

#include <array>

#include "app/MessageIds.h"

namespace vantrel::model {

int UnitStringId(int unitCode) {
  static constexpr std::array<int, 9> kIds = {
      ids::kStrUnitRpm,        ids::kStrUnitRevolutions, ids::kStrUnitTurnsPerMinute,
      ids::kStrUnitPsi,        ids::kStrUnitBar,         ids::kStrUnitCelsius,
      ids::kStrUnitFahrenheit, ids::kStrUnitGpm,         ids::kStrUnitLitresPerMinute};
  if (unitCode < 0 || unitCode >= static_cast<int>(kIds.size())) return 0;
  return kIds[static_cast<std::size_t>(unitCode)];
}

std::u16string UnitName(int unitCode, const std::u16string& unitText,
                        const platform::TextSource& texts) {
  const int id = UnitStringId(unitCode);
  return id == 0 ? unitText : texts.Text(id);
}

std::u16string TimeUnitName(int timeUnit, const std::u16string& unitText,
                            const platform::TextSource& texts) {
  if (timeUnit >= kTimeHours && timeUnit <= kTimeSeconds)
    return texts.Text(ids::kStrHours + timeUnit);
  return unitText;
}

}  // namespace vantrel::model
