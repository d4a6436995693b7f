// Time stamps as documents and instruments keep them: an unsigned 32-bit count of seconds
// since 1970-01-01 00:00:00 UTC (1970..2106), converted from and to local date and time.
// Dates up to 2038-01-19 give the same 32 bits as a signed count; later ones stay correct.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace vantrel::platform {

using TimeStamp = std::uint32_t;

/// `seconds` since 1970 UTC clamped to the stamp's range: 0 before 1970, 4294967295 after
/// 2106-02-07 06:28:15 UTC.
TimeStamp ClampedTimeStamp(std::int64_t seconds);

/// The stamp of a local date and time (daylight saving decided automatically), clamped to
/// the stamp's range; nullopt when the C library cannot convert it.
std::optional<TimeStamp> LocalTimeStamp(int year, int month, int day, int hour, int minute,
                                        int second);

/// The local date and time of `stamp`; nullopt when the C library cannot convert it.
std::optional<std::tm> LocalTimeOf(TimeStamp stamp);

/// The current time as a stamp.
TimeStamp CurrentTimeStamp();

}  // namespace vantrel::platform
