// Small readers shared by the instrument protocols: decimal numbers read from a column in the
// "C" convention, the instrument's unit texts, and local start times turned into time stamps.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/Units.h"
#include "platform/TimeStamp.h"

namespace vantrel::instrument {

/// The decimal number that starts at `column` of `text` (leading blanks skipped, an optional
/// sign, digits, a decimal point, digits), read up to the first character that cannot
/// continue it and at most `width` characters; 0 when there is none.
double NumberAt(std::string_view text, std::size_t column,
                std::size_t width = std::string_view::npos);
/// As NumberAt, whole digits only (no decimal point), clamped to the int range.
int IntegerAt(std::string_view text, std::size_t column,
              std::size_t width = std::string_view::npos);

/// A unit code with its free text (the text only matters for code kUnitCustom).
struct UnitSetting {
  int code = model::kUnitCustom;
  std::u16string text;
};

/// Which fixed unit `text` starts with, in the instrument's order of comparison (bar, PSI,
/// l/min, GPM, degrees Celsius and Fahrenheit as 0xDF + letter, U/min, RPM, tr/min); -1 when
/// none.
int KnownUnitCode(std::string_view text);
/// The text the instrument writes for fixed unit `code`; empty for any other code.
std::string_view KnownUnitText(int code);

/// `text` cut before the first blank, CR or LF, at most `length` characters, as UTF-16.
std::u16string UnitTextUpToBlank(std::string_view text, std::size_t length);

/// The time stamp of a local date and time (daylight saving decided automatically), clamped
/// to the stamp's range 1970..2106; 0 for a date the C library cannot represent.
platform::TimeStamp LocalTimestamp(int year, int month, int day, int hour, int minute, int second);

}  // namespace vantrel::instrument
