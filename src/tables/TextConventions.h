// The user's conventions for numbers and dates in tables and exported files: numbers are
// formatted in the "C" convention and get the user's decimal separator; dates come from a
// formatter the caller supplies (the GUI and the CLI know the user's format).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/TimeStamp.h"

namespace vantrel::tables {

/// "dd.mm.yyyy hh:mm:ss" of a time stamp (seconds since 1970 UTC) in local time; an empty
/// text when the stamp cannot be converted.
std::u16string DefaultDateTimeText(platform::TimeStamp stamp);

struct TextConventions {
  /// Replaces the '.' of every formatted number (',' in German settings).
  char decimalSeparator = '.';
  /// Local date and time of a time stamp in the user's format; DefaultDateTimeText when
  /// not set.
  std::function<std::u16string(platform::TimeStamp)> dateTime;

  std::u16string DateTime(platform::TimeStamp stamp) const {
    return dateTime ? dateTime(stamp) : DefaultDateTimeText(stamp);
  }
};

}  // namespace vantrel::tables
