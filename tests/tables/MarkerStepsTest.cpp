#include <gtest/gtest.h>

#include "MeasurementBuilder.h"
#include "tables/CellTexts.h"
#include "tables/MarkerSteps.h"

namespace vantrel::tables {
namespace {

TEST(MarkerSteps, MarkersStartAtAThirdAndTwoThirdsOfTheVisibleRange) {
  model::CMessungObj measurement;
  testing::AddNamedCurve(measurement, u"a", 0.5, testing::Ramp(21)).SetDuration(11);
  const MarkerScale scale = ComputeMarkerScale(measurement, 0.0, 10.0);
  EXPECT_EQ(scale.referenceCurve, 0);
  EXPECT_EQ(scale.stepCount, 20);
  const MarkerPositions positions = InitialMarkerPositions(scale.stepCount, 0.0, 1.0);
  EXPECT_EQ(positions.a, 6);
  EXPECT_EQ(positions.b, 13);
  const double ta = MarkerTime(0.0, positions.a, scale.timeStep);
  const double tb = MarkerTime(0.0, positions.b, scale.timeStep);
  EXPECT_EQ(MarkerTimeText(ta, '.'), u"00:00:03.000");
  EXPECT_EQ(MarkerTimeText(tb, '.'), u"00:00:06.500");
  EXPECT_EQ(MarkerTimeText(std::abs(ta - tb), '.'), u"00:00:03.500");
  EXPECT_DOUBLE_EQ(MarkerFraction(positions.a, scale.stepCount), 0.3);
}

TEST(MarkerSteps, TheAxisSpanSetsTheStepCountWhenItDiffersFromTheSamples) {
  model::CMessungObj measurement;
  testing::AddNamedCurve(measurement, u"short", 0.5, testing::Ramp(5)).SetDuration(3);
  testing::AddNamedCurve(measurement, u"long", 0.25, testing::Ramp(9)).SetDuration(3);
  const MarkerScale scale = ComputeMarkerScale(measurement, 0.0, 4.0);
  EXPECT_EQ(scale.referenceCurve, 1);
  EXPECT_EQ(scale.timeStep, 0.25);
  EXPECT_EQ(scale.stepCount, 16);
}

TEST(MarkerSteps, ZeroIntervalsSpansZoomsAndStepCountsDivideByNothing) {
  model::CMessungObj measurement;
  testing::AddNamedCurve(measurement, u"z", 0.0, testing::Ramp(11)).SetDuration(0);
  const MarkerScale scale = ComputeMarkerScale(measurement, 0.0, 10.0);
  EXPECT_EQ(scale.stepCount, 10);
  EXPECT_EQ(scale.timeStep, 0.0);
  EXPECT_EQ(MarkerTimeText(MarkerTime(2.0, 5, scale.timeStep), '.'), u"00:00:02.000");
  const MarkerPositions zoomZero = InitialMarkerPositions(9, 0.0, 0.0);
  EXPECT_EQ(zoomZero.a, 3);
  EXPECT_EQ(zoomZero.b, 6);
  EXPECT_EQ(MarkerFraction(0, 0), 0.0);
  const model::CMessungObj empty;
  EXPECT_EQ(ComputeMarkerScale(empty, 0.0, 10.0).stepCount, 0);
  EXPECT_EQ(ComputeMarkerScale(empty, 0.0, 10.0).referenceCurve, -1);
}

TEST(MarkerSteps, ScrollingMovesByLinesAndPagesWithinTheRange) {
  const struct {
    int position;
    MarkerScroll code;
    int tracked;
    int steps;
    int expected;
  } cases[] = {
      {5, MarkerScroll::kLineLeft, 0, 100, 4},       {0, MarkerScroll::kLineLeft, 0, 100, 0},
      {100, MarkerScroll::kLineRight, 0, 100, 100},  {50, MarkerScroll::kPageRight, 0, 100, 52},
      {10, MarkerScroll::kPageLeft, 0, 30, 10},      {1, MarkerScroll::kThumbTrack, 77, 100, 77},
      {1, MarkerScroll::kThumbTrack, 170, 100, 100}, {9, MarkerScroll::kOther, 0, 100, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    EXPECT_EQ(ScrollMarker(c.position, c.code, c.tracked, c.steps), c.expected);
  }
}

}  // namespace
}  // namespace vantrel::tables
