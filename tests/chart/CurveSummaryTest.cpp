// The curve summary against a plain scan of the plotted values: ranges and first and last
// valid samples over random spans at every level, with NaN, both infinities and signed
// zeros, in every value mode with a y offset; the exact accumulated times; and a summary
// extended in uneven steps equal to one built at once.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "chart/CurveSummary.h"

namespace vantrel::chart {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

std::vector<model::CValueObj> RandomSamples(long long n, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> unit(-10.0F, 10.0F);
  std::vector<model::CValueObj> samples;
  for (long long i = 0; i < n; ++i) {
    const auto pick = random() % 100;
    float v = unit(random);
    if (pick < 8 || i % 701 < 90) v = kNaN;  // single NaN and whole NaN blocks
    if (pick == 8) v = kInf;
    if (pick == 9) v = -kInf;
    if (pick == 10) v = -0.0F;
    if (pick == 11) v = 0.0F;
    samples.emplace_back(v - 1.0F, v + 1.0F, v * 0.5F);
  }
  return samples;
}

/// Compares `summary` with a plain scan of `samples` over random spans.
void ExpectScanResults(const CurveSummary& summary, const std::vector<model::CValueObj>& samples,
                       int mode, float yOffset, unsigned seed) {
  std::mt19937 random(seed);
  const auto n = static_cast<long long>(samples.size());
  for (int round = 0; round < 400; ++round) {
    long long a = static_cast<long long>(random() % static_cast<unsigned>(n + 1));
    long long b = a + static_cast<long long>(random() % static_cast<unsigned>(n - a + 1));
    if (round % 4 == 0) a = 0;  // spans that cover the high levels whole
    float expectLo = kInf;
    float expectHi = -kInf;
    long long first = b;
    long long last = a - 1;
    for (long long i = a; i < b; ++i) {
      const float v = model::PlottedValue(samples[static_cast<std::size_t>(i)], mode, yOffset);
      if (std::isnan(v)) continue;
      if (first == b) {
        expectLo = expectHi = v;
      } else {
        if (v < expectLo) expectLo = v;
        if (v > expectHi) expectHi = v;
      }
      if (first == b) first = i;
      last = i;
    }
    float lo = 0.0F;
    float hi = 0.0F;
    const bool any = summary.Range(a, b, &lo, &hi);
    ASSERT_EQ(any, first < b) << a << ".." << b;
    if (any) {
      EXPECT_EQ(lo, expectLo) << a << ".." << b;
      EXPECT_EQ(hi, expectHi) << a << ".." << b;
    }
    EXPECT_EQ(summary.FirstValid(a, b), first);
    EXPECT_EQ(summary.LastValid(a, b), last);
  }
}

TEST(CurveSummary, RangesEqualAPlainScanInEveryValueMode) {
  const std::vector<model::CValueObj> samples = RandomSamples(70001, 3);
  const struct {
    int mode;
    float yOffset;
  } cases[] = {{model::kModeMinimum, 0.0F}, {model::kModeMaximum, 2.5F},
               {model::kModeMean, -1.25F},  {model::kModeValue, 0.0F},
               {model::kModeBar, 100.0F},   {model::kModeValue, -0.0F}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " offset " << c.yOffset);
    CurveSummary summary;
    summary.Update(samples, c.mode, c.yOffset, 0.0, 1.0);
    EXPECT_EQ(summary.Count(), 70001);
    ExpectScanResults(summary, samples, c.mode, c.yOffset, static_cast<unsigned>(c.mode + 11));
  }
}

TEST(CurveSummary, TimesAreAccumulatedOneSampleAtATime) {
  const std::vector<model::CValueObj> samples = RandomSamples(10000, 4);
  const double start = 213.5;
  const double interval = 0.0137;
  CurveSummary summary;
  summary.Update(samples, model::kModeValue, 0.0F, start, interval);
  double x = start;
  for (long long i = 0; i < 10000; ++i, x += interval) {
    ASSERT_EQ(summary.TimeAt(i), x) << i;
  }
}

TEST(CurveSummary, ExtendingInUnevenStepsEqualsBuildingAtOnce) {
  const std::vector<model::CValueObj> all = RandomSamples(40000, 5);
  std::vector<model::CValueObj> growing;
  CurveSummary extended;
  std::mt19937 random(6);
  while (growing.size() < all.size()) {
    const std::size_t step =
        std::min<std::size_t>(1 + random() % 3000, all.size() - growing.size());
    growing.insert(growing.end(), all.begin() + static_cast<std::ptrdiff_t>(growing.size()),
                   all.begin() + static_cast<std::ptrdiff_t>(growing.size() + step));
    EXPECT_EQ(extended.Outstanding(growing, model::kModeMean, 0.5F, 1.0, 0.01),
              static_cast<long long>(step));
    extended.Update(growing, model::kModeMean, 0.5F, 1.0, 0.01);
    EXPECT_EQ(extended.Outstanding(growing, model::kModeMean, 0.5F, 1.0, 0.01), 0);
  }
  CurveSummary once;
  once.Update(all, model::kModeMean, 0.5F, 1.0, 0.01);
  for (long long i = 0; i < 40000; i += 37) ASSERT_EQ(extended.TimeAt(i), once.TimeAt(i)) << i;
  ExpectScanResults(extended, all, model::kModeMean, 0.5F, 7);
  // Another key counts every sample as outstanding.
  EXPECT_EQ(extended.Outstanding(all, model::kModeMean, 0.75F, 1.0, 0.01), 40000);
  EXPECT_EQ(extended.Outstanding(all, model::kModeValue, 0.5F, 1.0, 0.01), 40000);
}

TEST(CurveSummary, OnlyNaNAndShortCurvesHaveNoRange) {
  const struct {
    const char* name;
    std::vector<float> values;
    bool any;
  } cases[] = {{"empty", {}, false},
               {"one NaN", {kNaN}, false},
               {"64 NaN", std::vector<float>(64, kNaN), false},
               {"one infinity", {kInf}, true},
               {"NaN then minus infinity", {kNaN, kNaN, -kInf}, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<model::CValueObj> samples;
    for (float v : c.values) samples.emplace_back(v, v, v);
    CurveSummary summary;
    summary.Update(samples, model::kModeValue, 0.0F, 0.0, 1.0);
    float lo = 0.0F;
    float hi = 0.0F;
    const auto n = static_cast<long long>(samples.size());
    EXPECT_EQ(summary.Range(0, n, &lo, &hi), c.any);
    if (c.any) {
      EXPECT_EQ(lo, c.values.back());
    }
  }
}

}  // namespace
}  // namespace vantrel::chart
