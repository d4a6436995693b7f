#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "tables/FilterSteps.h"

namespace vantrel::tables {
namespace {

TEST(FilterSteps, TheSeriesRunsOneTwoPointFiveAndFiveTimesPowersOfTen) {
  const std::vector<float> expected = {500, 250, 100, 50, 25, 10, 5, 2.5F, 1, 0.5F, 0.25F, 0.1F};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(CutoffSeriesValue(static_cast<int>(i)), expected[i]);
  }
}

TEST(FilterSteps, TheFirstCutoffIsTheSmallestSeriesValueAboveHalfTheSamplingRate) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    float filtered;
    double interval;
    float cutoff;
    float limit;
  } cases[] = {
      {0.0F, 0.01, 100.0F, 100.0F}, {0.0F, 0.001, 500.0F, 500.0F},
      {25.0F, 0.01, 25.0F, 25.0F},  {0.0F, 0.3, 2.5F, 2.5F},
      {0.0F, 0.0, 500.0F, 500.0F},  {0.0F, -1.0, 500.0F, 500.0F},
      {0.0F, nan, 500.0F, 500.0F},  {0.0F, 1e300, CutoffSeriesValue(44), CutoffSeriesValue(44)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.interval);
    const FilterStart start = InitialCutoff(c.filtered, c.interval);
    EXPECT_EQ(start.cutoff, c.cutoff);
    EXPECT_EQ(start.upperLimit, c.limit);
  }
}

TEST(FilterSteps, LowerStepsDownTheSeries) {
  float cutoff = 100.0F;
  for (float expected : {50.0F, 25.0F, 10.0F, 5.0F}) {
    cutoff = LowerCutoff(cutoff).value();
    EXPECT_EQ(cutoff, expected);
  }
  EXPECT_EQ(LowerCutoff(30.0F), 10.0F);  // below the series value not above 30
  EXPECT_FALSE(LowerCutoff(0.000001F).has_value());
  EXPECT_FALSE(LowerCutoff(std::numeric_limits<float>::quiet_NaN()).has_value());
}

TEST(FilterSteps, HigherStepsUpToTheUpperLimitOnly) {
  EXPECT_EQ(HigherCutoff(10.0F, 100.0F), 25.0F);
  EXPECT_EQ(HigherCutoff(100.0F, 500.0F), 250.0F);
  EXPECT_EQ(HigherCutoff(250.0F, 500.0F), 500.0F);
  EXPECT_EQ(HigherCutoff(0.1F, 500.0F), 0.25F);
  EXPECT_FALSE(HigherCutoff(500.0F, 500.0F).has_value());
  EXPECT_FALSE(HigherCutoff(25.0F, 25.0F).has_value());
  EXPECT_EQ(HigherCutoff(25.0F, 30.0F), 30.0F);  // a limit off the series is not passed
}

}  // namespace
}  // namespace vantrel::tables
