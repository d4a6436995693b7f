#include "platform/TimeStamp.h"

#include <limits>

namespace vantrel::platform {

TimeStamp ClampedTimeStamp(std::int64_t seconds) {
  if (seconds < 0) return 0;
  if (seconds > std::numeric_limits<TimeStamp>::max()) {
    return std::numeric_limits<TimeStamp>::max();
  }
  return static_cast<TimeStamp>(seconds);
}

std::optional<TimeStamp> LocalTimeStamp(int year, int month, int day, int hour, int minute,
                                        int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  const std::time_t stamp = std::mktime(&local);
  // -1 is mktime's failure value (as a moment it lies before 1970 and has no stamp anyway).
  if (stamp == static_cast<std::time_t>(-1)) return std::nullopt;
  return ClampedTimeStamp(static_cast<std::int64_t>(stamp));
}

std::optional<std::tm> LocalTimeOf(TimeStamp stamp) {
  const std::time_t time = static_cast<std::time_t>(stamp);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) return std::nullopt;
  return local;
}

TimeStamp CurrentTimeStamp() {
  return ClampedTimeStamp(static_cast<std::int64_t>(std::time(nullptr)));
}

}  // namespace vantrel::platform
