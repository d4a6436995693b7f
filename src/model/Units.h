// Unit codes of curves and axes and their display names from the language library.
#pragma once

#include <string>

#include "platform/TextSource.h"

namespace vantrel::model {

/// Unit codes 0..8 name a unit of the language library; 9 (and any other) is free text.
enum UnitCode : int {
  kUnitRpm = 0,
  kUnitUPerMin = 1,
  kUnitTrPerMin = 2,
  kUnitPsi = 3,
  kUnitBar = 4,
  kUnitCelsius = 5,
  kUnitFahrenheit = 6,
  kUnitGpm = 7,
  kUnitLPerMin = 8,
  kUnitCustom = 9,
};

/// Time units of the x axis.
enum TimeUnit : int { kTimeHours = 0, kTimeMinutes = 1, kTimeSeconds = 2, kTimeCustom = 3 };

/// Language string of unit code 0..8; 0 for any other code.
int UnitStringId(int unitCode);
/// The display name of a unit: the language text for 0..8, else `unitText`.
std::u16string UnitName(int unitCode, const std::u16string& unitText,
                        const platform::TextSource& texts);
/// The display name of a time unit: strings 32862..32864 for 0..2, else `unitText`.
std::u16string TimeUnitName(int timeUnit, const std::u16string& unitText,
                            const platform::TextSource& texts);

}  // namespace vantrel::model
