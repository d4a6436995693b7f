#include "model/Units.h"

#include <array>

namespace vantrel::model {

int UnitStringId(int unitCode) {
  static constexpr std::array<int, 9> kIds = {32866, 32865, 32867, 32868, 32869,
                                              32870, 32871, 32873, 32872};
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
  if (timeUnit >= kTimeHours && timeUnit <= kTimeSeconds) return texts.Text(32862 + timeUnit);
  return unitText;
}

}  // namespace vantrel::model
