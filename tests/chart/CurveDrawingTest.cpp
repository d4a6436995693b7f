// The fast curve drawing against the curve's own sample-by-sample drawing: on the raster
// canvas both must give the same pixels, for random walks, spikes, NaN gaps, constant runs,
// infinite values, many and few samples per pixel column, zoomed and scrolled windows,
// every value mode, single pixels, and after samples were appended.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "FakeTexts.h"
#include "MeasurementBuilder.h"
#include "chart/CurveDrawing.h"
#include "platform/RasterCanvas.h"

namespace vantrel::chart {
namespace {

using platform::RasterCanvas;
using platform::Rect;

constexpr Rect kPlot{20, 10, 420, 310};
constexpr platform::Size kCanvas{440, 330};
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

enum class Shape { RandomWalk, Spikes, NaNGaps, ConstantRuns, Infinities, Steps };

struct Case {
  const char* name;
  Shape shape;
  long long samples;
  double interval;
  float xOffset;
  double xZoom;
  double xScroll;
  double yZoom;
  double yScroll;
  int valueMode;
  int drawLines;
  unsigned seed;
};

std::vector<float> MakeValues(Shape shape, long long n, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<float> step(0.0F, 1.5F);
  std::uniform_real_distribution<float> unit(0.0F, 1.0F);
  std::vector<float> values;
  values.reserve(static_cast<std::size_t>(n));
  float v = 50.0F;
  for (long long i = 0; i < n; ++i) {
    switch (shape) {
      case Shape::RandomWalk:
        v += step(random);
        break;
      case Shape::Spikes:
        v = 50.0F + step(random);
        if (unit(random) < 0.01F) v = unit(random) < 0.5F ? -400.0F : 500.0F;
        break;
      case Shape::NaNGaps:
        v += step(random);
        if (i % 1000 > 700 || unit(random) < 0.05F) {
          values.push_back(kNaN);
          continue;
        }
        break;
      case Shape::ConstantRuns:
        if (unit(random) < 0.002F) v = 10.0F + 80.0F * unit(random);
        break;
      case Shape::Infinities:
        v += step(random);
        if (unit(random) < 0.001F) {
          values.push_back(unit(random) < 0.5F ? kInf : -kInf);
          continue;
        }
        break;
      case Shape::Steps:
        v = static_cast<float>((i / 37) % 5) * 20.0F + 10.0F;
        break;
    }
    values.push_back(v);
  }
  return values;
}

struct Scene {
  model::CMessungObj m;
  vantrel::testing::FakeTexts texts;
  model::CKurveObj* curve = nullptr;

  explicit Scene(const Case& c) {
    testing::AddAxis(m, 0.0F, 100.0F);
    m.GetXAxis().SetMax(static_cast<float>(c.samples) * static_cast<float>(c.interval));
    m.GetXAxis().SetDrawLines(c.drawLines);
    curve = testing::AddCurve(m, 0, 0x0000FF, 0, {}, c.interval);
    curve->SetValueMode(c.valueMode);
    curve->SetXOffset(c.xOffset);
    Append(c, MakeValues(c.shape, c.samples, c.seed));
    m.SetZoom(c.xZoom, c.yZoom);
    m.SetScroll(c.xScroll, c.yScroll);
  }

  void Append(const Case& c, const std::vector<float>& values) {
    std::mt19937 random(c.seed + 7);
    std::uniform_real_distribution<float> spread(0.0F, 6.0F);
    for (float v : values) {
      const float d = std::isfinite(v) ? spread(random) : 0.0F;
      curve->AddSample(v - d, v + d, v + d * 0.5F);
    }
  }

  void Measure() {
    RasterCanvas scratch(kCanvas);
    m.GetXAxis().Draw(scratch, kPlot, m.GetXZoom(), m.GetXScroll(), false, texts, '.');
    m.GetYAxis(0)->Draw(scratch, kPlot, m.GetYZoom(), m.GetYScroll(), {}, false, texts, '.');
  }

  /// The number of pixels that differ between the literal and the fast drawing.
  long long Differences(CurveSummary& summary, long long* painted) {
    Measure();
    RasterCanvas literal(kCanvas);
    RasterCanvas fast(kCanvas);
    curve->Draw(literal, kPlot, m);
    DrawCurve(fast, kPlot, m, *curve, summary);
    long long differ = 0;
    *painted = 0;
    for (std::size_t i = 0; i < literal.Pixels().size(); ++i) {
      if (literal.Pixels()[i] != fast.Pixels()[i]) ++differ;
      if (literal.Pixels()[i] != platform::kWhite) ++*painted;
    }
    return differ;
  }
};

const Case kCases[] = {
    {"walk, many per column", Shape::RandomWalk, 200000, 0.01, 0.0F, 1, 0, 1, 0, 2, 1, 1},
    {"walk, fewer than one per column", Shape::RandomWalk, 150, 0.5, 0.0F, 1, 0, 1, 0, 2, 1, 2},
    {"walk, about three per column", Shape::RandomWalk, 1300, 0.1, 0.0F, 1, 0, 1, 0, 0, 1, 3},
    {"walk zoomed and scrolled", Shape::RandomWalk, 300000, 0.001, 0.0F, 7.5, 0.4, 3, 0.2, 1, 1, 4},
    {"zoomed far in", Shape::Spikes, 300000, 0.001, 0.0F, 2000, 0.5, 1, 0, 4, 1, 5},
    {"spikes beyond the axis", Shape::Spikes, 120000, 0.02, 0.0F, 1, 0, 1, 0, 2, 1, 6},
    {"NaN gaps", Shape::NaNGaps, 90000, 0.03, 0.0F, 1, 0, 1, 0, 4, 1, 7},
    {"NaN gaps zoomed", Shape::NaNGaps, 90000, 0.03, 0.0F, 3, 0.3, 1, 0, 2, 1, 8},
    {"constant runs", Shape::ConstantRuns, 250000, 0.004, 0.0F, 1, 0, 1, 0, 2, 1, 9},
    {"infinite samples", Shape::Infinities, 80000, 0.05, 0.0F, 1, 0, 1, 0, 4, 1, 10},
    {"steps", Shape::Steps, 50000, 0.1, 0.0F, 1.7, 0.11, 1, 0, 0, 1, 11},
    {"offset start, odd interval", Shape::RandomWalk, 170000, 0.0137, 213.5F, 1, 0, 1, 0, 2, 1, 12},
    {"starts before the window", Shape::RandomWalk, 170000, 0.01, -300.0F, 1, 0, 1, 0, 2, 1, 13},
    {"bars", Shape::RandomWalk, 40000, 0.05, 0.0F, 4, 0.2, 1, 0, 3, 1, 14},
    {"single pixels", Shape::RandomWalk, 60000, 0.05, 0.0F, 1, 0, 1, 0, 2, 0, 15},
    {"single pixel bars", Shape::Spikes, 60000, 0.05, 0.0F, 2, 0.5, 1, 0, 3, 0, 16},
};

class FastCurveDrawing : public ::testing::TestWithParam<Case> {};

TEST_P(FastCurveDrawing, PaintsTheSamePixelsAsTheSampleBySampleDrawing) {
  const Case& c = GetParam();
  Scene scene(c);
  CurveSummary summary;
  long long painted = 0;
  EXPECT_EQ(scene.Differences(summary, &painted), 0);
  EXPECT_GT(painted, 0);
  // A repaint of the same window replays the recorded columns.
  EXPECT_EQ(scene.Differences(summary, &painted), 0);

  // Samples appended after a drawing extend the summary.
  scene.Append(c, MakeValues(c.shape, c.samples / 3 + 17, c.seed + 100));
  scene.m.GetXAxis().SetMax(scene.m.GetXAxis().GetMax() * 1.4F);
  EXPECT_EQ(scene.Differences(summary, &painted), 0);

  // Another value mode and offset rebuild it.
  scene.curve->SetValueMode(c.valueMode == 4 ? 0 : 4);
  scene.curve->SetYOffset(-7.25F);
  EXPECT_EQ(scene.Differences(summary, &painted), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, FastCurveDrawing, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) {
                           std::string name;
                           for (const char* p = param.param.name; *p != 0; ++p) {
                             name += std::isalnum(static_cast<unsigned char>(*p)) != 0 ? *p : '_';
                           }
                           return name;
                         });

TEST(FastCurveDrawingRandom, ManyRandomWindowsGiveTheSamePixels) {
  std::mt19937 random(2024);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int round = 0; round < 40; ++round) {
    Case c{"random",
           static_cast<Shape>(round % 6),
           1000 + static_cast<long long>(unit(random) * 60000),
           0.001 + unit(random) * 0.05,
           static_cast<float>(unit(random) * 20.0 - 10.0),
           1.0 + unit(random) * 20.0,
           0.0,
           1.0 + unit(random) * 3.0,
           0.0,
           round % 5 == 3 ? 2 : round % 5,
           1,
           static_cast<unsigned>(round)};
    c.xScroll = unit(random) * (1.0 - 1.0 / c.xZoom);
    c.yScroll = unit(random) * (1.0 - 1.0 / c.yZoom);
    SCOPED_TRACE(round);
    Scene scene(c);
    CurveSummary summary;
    long long painted = 0;
    EXPECT_EQ(scene.Differences(summary, &painted), 0);
  }
}

TEST(FastCurveDrawingRandom, CasesOutsideTheFastPathAreDrawnLiterally) {
  Case c{"xy", Shape::RandomWalk, 5000, 0.01, 0.0F, 1, 0, 1, 0, 2, 1, 3};
  Scene scene(c);
  CurveSummary summary;
  long long painted = 0;
  scene.curve->SetSampleInterval(0.0);  // every sample at one time
  EXPECT_EQ(scene.Differences(summary, &painted), 0);
  scene.curve->SetSampleInterval(-0.01);
  EXPECT_EQ(scene.Differences(summary, &painted), 0);
  scene.curve->SetSampleInterval(0.01);
  scene.curve->PreviewFilter(2.0F);
  EXPECT_EQ(scene.Differences(summary, &painted), 0);
  EXPECT_GT(painted, 0);
  scene.curve->DiscardFilter();
  testing::AddCurve(scene.m, 0, 0x00FF00, 0, MakeValues(Shape::Steps, 5000, 1), 0.01);
  scene.m.GetXAxis().SetXYMode(1, 1);
  scene.m.GetXAxis().SetMin(0.0F);
  scene.m.GetXAxis().SetMax(100.0F);
  EXPECT_EQ(scene.Differences(summary, &painted), 0);
  EXPECT_GT(painted, 0);
}

TEST(FastCurveDrawingRandom, SummaryRangesMatchAPlainScan) {
  std::vector<model::CValueObj> samples;
  std::mt19937 random(5);
  std::uniform_real_distribution<float> unit(-10.0F, 10.0F);
  for (int i = 0; i < 5000; ++i) {
    const float v = i % 97 < 30 ? kNaN : unit(random);
    samples.emplace_back(v, v, v);
  }
  CurveSummary summary;
  summary.Update(samples, model::kModeMinimum, 0.0F, 0.0, 1.0);
  for (int round = 0; round < 300; ++round) {
    const long long a = static_cast<long long>(random() % 5000);
    const long long b = a + static_cast<long long>(random() % (5001 - a));
    float lo = 0.0F;
    float hi = 0.0F;
    const bool any = summary.Range(a, b, &lo, &hi);
    float expectLo = kInf;
    float expectHi = -kInf;
    long long first = b;
    long long last = a - 1;
    for (long long i = a; i < b; ++i) {
      const float v = samples[static_cast<std::size_t>(i)].minimum;
      if (std::isnan(v)) continue;
      expectLo = std::min(expectLo, v);
      expectHi = std::max(expectHi, v);
      if (first == b) first = i;
      last = i;
    }
    ASSERT_EQ(any, first < b) << a << ".." << b;
    if (any) {
      EXPECT_EQ(lo, expectLo);
      EXPECT_EQ(hi, expectHi);
    }
    EXPECT_EQ(summary.FirstValid(a, b), first);
    EXPECT_EQ(summary.LastValid(a, b), last);
  }
}

}  // namespace
}  // namespace vantrel::chart
