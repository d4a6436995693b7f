// Summaries built on worker threads: the same as built one after the other, whatever the
// number of threads, handed back with their curves; a build of no jobs is ready at once.
#include <gtest/gtest.h>

#include <random>

#include "chart/SummaryBuild.h"

namespace vantrel::chart {
namespace {

std::vector<model::CValueObj> Walk(long long n, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<float> step(0.0F, 1.0F);
  std::vector<model::CValueObj> samples;
  float v = 0.0F;
  for (long long i = 0; i < n; ++i) {
    v += step(random);
    samples.emplace_back(v - 0.5F, v + 0.5F, v);
  }
  return samples;
}

TEST(SummaryBuild, BuildsEveryCurveAsASerialUpdateDoes) {
  std::vector<model::CKurveObj> curves(5);
  std::vector<std::vector<model::CValueObj>> samples;
  for (int c = 0; c < 5; ++c) samples.push_back(Walk(1000 + 23456LL * c, static_cast<unsigned>(c)));
  for (unsigned threads : {1U, 2U, 8U}) {
    SCOPED_TRACE(threads);
    std::vector<SummaryBuild::Job> jobs;
    for (int c = 0; c < 5; ++c) {
      SummaryBuild::Job job;
      job.curve = &curves[static_cast<std::size_t>(c)];
      job.summary = std::make_unique<CurveSummary>();
      job.samples = &samples[static_cast<std::size_t>(c)];
      job.valueMode = c % 5;
      job.yOffset = 0.5F * static_cast<float>(c);
      job.xOffset = 3.0;
      job.interval = 0.001 * (c + 1);
      jobs.push_back(std::move(job));
    }
    SummaryBuild build(std::move(jobs), threads);
    EXPECT_TRUE(build.Has(&curves[3]));
    EXPECT_FALSE(build.Has(nullptr));
    std::vector<SummaryBuild::Job> done = build.Take();
    EXPECT_TRUE(build.Ready());
    ASSERT_EQ(done.size(), 5U);
    for (const SummaryBuild::Job& job : done) {
      const auto c = static_cast<int>(job.curve - curves.data());
      CurveSummary serial;
      serial.Update(*job.samples, c % 5, 0.5F * static_cast<float>(c), 3.0, 0.001 * (c + 1));
      ASSERT_EQ(job.summary->Count(), serial.Count());
      const long long n = serial.Count();
      for (long long a = 0; a < n; a += n / 7 + 1) {
        float lo1 = 0.0F;
        float hi1 = 0.0F;
        float lo2 = 0.0F;
        float hi2 = 0.0F;
        ASSERT_EQ(job.summary->Range(a, n, &lo1, &hi1), serial.Range(a, n, &lo2, &hi2));
        EXPECT_EQ(lo1, lo2);
        EXPECT_EQ(hi1, hi2);
        EXPECT_EQ(job.summary->TimeAt(a), serial.TimeAt(a));
      }
    }
  }
}

TEST(SummaryBuild, WithoutJobsItIsReadyAtOnce) {
  SummaryBuild build({}, 4);
  EXPECT_TRUE(build.Ready());
  EXPECT_TRUE(build.Take().empty());
  EXPECT_GE(SummaryBuild::Cores(), 1U);
}

}  // namespace
}  // namespace vantrel::chart
