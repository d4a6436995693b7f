// Time stamps as an unsigned 32-bit count of seconds: the clamping at both ends and local
// dates after 2038 (checked through the local time of the same stamp, so any time zone).
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <limits>
#include <optional>

#include "platform/TimeStamp.h"

namespace vantrel::platform {
namespace {

TEST(TimeStamp, SecondsOutsideTheRangeAreClampedToItsEnds) {
  struct Case {
    std::int64_t seconds;
    TimeStamp stamp;
  };
  const Case cases[] = {
      {-1, 0U},
      {std::numeric_limits<std::int64_t>::min(), 0U},
      {0, 0U},
      {2147483647, 2147483647U},
      {2147483648, 2147483648U},
      {4294967295, 4294967295U},
      {4294967296, 4294967295U},
      {std::numeric_limits<std::int64_t>::max(), 4294967295U},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(ClampedTimeStamp(c.seconds), c.stamp);
  }
}

TEST(TimeStamp, LocalDatesAfter2038AreKeptAndReadBack) {
  struct Case {
    int year;
    int month;
    int day;
  };
  for (const Case& c : {Case{2023, 11, 4}, Case{2038, 1, 20}, Case{2039, 6, 1}, Case{2069, 12, 31},
                        Case{2105, 2, 3}}) {
    SCOPED_TRACE(c.year);
    const std::optional<TimeStamp> stamp = LocalTimeStamp(c.year, c.month, c.day, 13, 45, 30);
    ASSERT_TRUE(stamp.has_value());
    if (c.year > 2038) {
      EXPECT_GT(*stamp, 2147483647U);
    }
    const std::optional<std::tm> local = LocalTimeOf(*stamp);
    ASSERT_TRUE(local.has_value());
    EXPECT_EQ(local->tm_year + 1900, c.year);
    EXPECT_EQ(local->tm_mon + 1, c.month);
    EXPECT_EQ(local->tm_mday, c.day);
    EXPECT_EQ(local->tm_hour, 13);
    EXPECT_EQ(local->tm_min, 45);
    EXPECT_EQ(local->tm_sec, 30);
  }
}

TEST(TimeStamp, DatesBefore1970AndAfter2106SaturateAtTheEnds) {
  EXPECT_EQ(LocalTimeStamp(1919, 5, 1, 12, 0, 0), std::optional<TimeStamp>(0U));
  EXPECT_EQ(LocalTimeStamp(2155, 5, 1, 12, 0, 0), std::optional<TimeStamp>(4294967295U));
}

}  // namespace
}  // namespace vantrel::platform
