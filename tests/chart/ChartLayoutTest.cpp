// Layout of the chart in an area: size limit, axis columns of both passes, plot rectangle,
// curve drawing order and axis order.
#include <gtest/gtest.h>

#include "MeasurementBuilder.h"
#include "chart/ChartLayout.h"

namespace vantrel::chart {
namespace {

using platform::Rect;
using testing::AddAxis;
using testing::AddCurve;

// "X" in the 7-point axis font on a 96-dpi recording canvas: 4 x 9 pixels, so three text
// heights are 27 pixels and eleven character widths 44.
constexpr platform::Size kCharX{4, 9};
constexpr Rect kArea{0, 0, 400, 300};

TEST(ChartLayout, AreaOfNineTextHeightsOrLessDoesNotFit) {
  model::CMessungObj m;
  EXPECT_FALSE(ComputeChartLayout(m, {0, 0, 400, 81}, kCharX).fits);
  EXPECT_TRUE(ComputeChartLayout(m, {0, 0, 400, 82}, kCharX).fits);
  EXPECT_FALSE(ComputeChartLayout(m, {0, 0, 132, 300}, kCharX).fits);
  EXPECT_TRUE(ComputeChartLayout(m, {0, 0, 133, 300}, kCharX).fits);
}

TEST(ChartLayout, WithoutAxesThePlotStartsAtTheAreaEdge) {
  model::CMessungObj m;
  const ChartLayout layout = ComputeChartLayout(m, kArea, kCharX);
  EXPECT_TRUE(layout.measureColumns.empty());
  EXPECT_EQ(layout.plotRect, (Rect{0, 10, 390, 273}));
  EXPECT_EQ(layout.xBand, (Rect{0, 273, 390, 300}));
}

TEST(ChartLayout, TwoAxesWithAllCurvesOnTheFirstReserveOneColumn) {
  model::CMessungObj m;
  AddAxis(m, 0, 10);
  AddAxis(m, 0, 100);
  AddCurve(m, 0, 0x0000FF);
  AddCurve(m, 0, 0x00FF00);
  const ChartLayout layout = ComputeChartLayout(m, kArea, kCharX);
  ASSERT_EQ(layout.measureColumns.size(), 1U);
  EXPECT_EQ(layout.measureColumns[0], (AxisColumn{0, Rect{0, 10, 44, 272}, {0x0000FF, 0x00FF00}}));
  EXPECT_EQ(layout.paintColumns, layout.measureColumns);
  EXPECT_EQ(layout.plotRect, (Rect{45, 10, 390, 273}));
  EXPECT_EQ(layout.xBand, (Rect{45, 273, 390, 300}));
}

TEST(ChartLayout, TopMostCurveAxisGetsTheColumnNextToThePlot) {
  model::CMessungObj m;
  AddAxis(m, 0, 10);   // A
  AddAxis(m, 0, 100);  // B
  AddCurve(m, 0, 0x000001, 0);
  AddCurve(m, 0, 0x000002, 2);
  AddCurve(m, 1, 0x000003, 1);
  const ChartLayout layout = ComputeChartLayout(m, kArea, kCharX);
  EXPECT_EQ(layout.curveOrder, (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(layout.axisOrder, (std::vector<int>{0, 1}));
  ASSERT_EQ(layout.paintColumns.size(), 2U);
  EXPECT_EQ(layout.paintColumns[0].axis, 1);
  EXPECT_EQ(layout.paintColumns[0].rect, (Rect{0, 10, 44, 272}));
  EXPECT_EQ(layout.paintColumns[1].axis, 0);
  EXPECT_EQ(layout.paintColumns[1].rect, (Rect{45, 10, 89, 272}));
  EXPECT_EQ(layout.measureColumns[0].axis, 0);
  EXPECT_EQ(layout.plotRect.left, 90);
}

TEST(ChartLayout, EqualDrawOrdersKeepListOrder) {
  model::CMessungObj m;
  AddAxis(m, 0, 1);
  for (int order : {1, 3, 1, 3, 2}) AddCurve(m, 0, 0, order);
  EXPECT_EQ(CurveDrawingOrder(m), (std::vector<int>{1, 3, 4, 0, 2}));
}

TEST(ChartLayout, XSourceCurveGivesNoColourAndItsOnlyAxisNoColumn) {
  model::CMessungObj m;
  AddAxis(m, 0, 10);
  AddAxis(m, 0, 100);
  AddCurve(m, 0, 0x000001);
  AddCurve(m, 0, 0x000002);
  AddCurve(m, 1, 0x000003);
  m.GetXAxis().SetXYMode(1, 2);
  ChartLayout layout = ComputeChartLayout(m, kArea, kCharX);
  ASSERT_EQ(layout.measureColumns.size(), 1U);
  EXPECT_EQ(layout.measureColumns[0].axis, 0);
  EXPECT_EQ(layout.paintColumns.size(), 1U);
  EXPECT_EQ(layout.plotRect.left, 45);

  m.GetXAxis().SetXYMode(1, 0);
  layout = ComputeChartLayout(m, kArea, kCharX);
  ASSERT_EQ(layout.measureColumns.size(), 2U);
  EXPECT_EQ(layout.measureColumns[0].colors, (std::vector<platform::Color>{0x000002}));
}

TEST(ChartLayout, ColumnsStopBeforeTheRightEdgeAndTheRestAreStillListed) {
  model::CMessungObj m;
  for (int i = 0; i < 8; ++i) {
    AddAxis(m, 0, 1);
    AddCurve(m, i, static_cast<platform::Color>(i));
  }
  // 200 pixels wide: after the third column the next would end at 179 > 200 - 44.
  const ChartLayout layout = ComputeChartLayout(m, {0, 0, 200, 300}, kCharX);
  ASSERT_EQ(layout.measureColumns.size(), 3U);
  EXPECT_EQ(layout.plotRect.left, 135);
  EXPECT_EQ(layout.unplacedAxes, (std::vector<int>{3, 4, 5, 6, 7}));
  EXPECT_EQ(layout.paintColumns.size(), 3U);
}

TEST(ChartLayout, CurveOnAMissingAxisGetsNoColumn) {
  model::CMessungObj m;
  AddAxis(m, 0, 1);
  AddCurve(m, 0, 1);
  AddCurve(m, 5, 2);
  AddCurve(m, -1, 3);
  const ChartLayout layout = ComputeChartLayout(m, kArea, kCharX);
  EXPECT_EQ(layout.measureColumns.size(), 1U);
  EXPECT_EQ(layout.paintColumns.size(), 1U);
}

}  // namespace
}  // namespace vantrel::chart
