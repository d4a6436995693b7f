// Scroll bars both ways, scroll steps, the zoom rectangle, pixel to chart units, following
// the newest data of a recording, the keyboard cursor steps and the wheel's zoom around the
// pointer.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "MeasurementBuilder.h"
#include "chart/ChartNavigation.h"

namespace vantrel::chart {
namespace {

using platform::Point;
using platform::Rect;

TEST(ChartNavigation, BarsMirrorZoomAndScroll) {
  struct Case {
    double zoom;
    double scroll;
    ScrollBarState horizontal;
    ScrollBarState vertical;
  };
  const Case cases[] = {
      {1.0, 0.0, {0, 0}, {0, 0}},        // zoom 1 hides the bars
      {0.5, 0.0, {0, 0}, {0, 0}},        // so does a zoom below 1
      {2.0, 0.0, {40, 0}, {40, 40}},     // start of the data; lowest values at the bottom
      {2.0, 0.5, {40, 40}, {40, 0}},     // end of the data; highest values at the top
      {4.0, 0.375, {80, 40}, {80, 40}},  // the middle
      {2.0, 7.0, {40, 40}, {40, 0}},     // a scroll past the end is clamped
      {std::numeric_limits<double>::infinity(), 0.0, {0, 0}, {0, 0}},
      {std::numeric_limits<double>::quiet_NaN(), 0.0, {0, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "zoom " << c.zoom << " scroll " << c.scroll);
    EXPECT_EQ(HorizontalBar(c.zoom, c.scroll), c.horizontal);
    EXPECT_EQ(VerticalBar(c.zoom, c.scroll), c.vertical);
  }
}

TEST(ChartNavigation, PositionsGiveBackTheScrollValues) {
  EXPECT_DOUBLE_EQ(HorizontalScroll(2.0, 40, 40), 0.5);
  EXPECT_DOUBLE_EQ(HorizontalScroll(2.0, 20, 40), 0.25);
  EXPECT_DOUBLE_EQ(VerticalScroll(2.0, 0, 40), 0.5);
  EXPECT_DOUBLE_EQ(VerticalScroll(2.0, 40, 40), 0.0);
  // A hidden bar (range 0) and zoom 1 divide nothing.
  EXPECT_EQ(HorizontalScroll(1.0, 0, 0), 0.0);
  EXPECT_EQ(VerticalScroll(1.0, 5, 0), 0.0);
  EXPECT_EQ(HorizontalScroll(1.0, 10, 20), 0.0);
}

TEST(ChartNavigation, ScrollStepsMoveByLinesPagesAndEndsWithinTheRange) {
  struct Case {
    ScrollCode code;
    int from;
    int expected;
  };
  const Case cases[] = {
      {ScrollCode::LineBack, 10, 9},     {ScrollCode::LineForward, 10, 11},
      {ScrollCode::PageBack, 10, 0},     {ScrollCode::PageForward, 0, 20},
      {ScrollCode::PageForward, 30, 40}, {ScrollCode::ToStart, 30, 0},
      {ScrollCode::ToEnd, 3, 40},        {ScrollCode::Track, 3, 17},
      {ScrollCode::Other, 3, 3},         {ScrollCode::LineBack, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.code));
    EXPECT_EQ(StepScrollBar(c.code, c.from, 40, 17), c.expected);
  }
}

TEST(ChartNavigation, ZoomRectangleOverTheTopLeftQuarterDoublesBothZooms) {
  const Rect plot{45, 10, 385, 270};  // 340 x 260
  const ZoomState zoomed = ZoomToRectangle(ZoomState{}, plot, {45, 10, 215, 140});
  EXPECT_EQ(zoomed, (ZoomState{2.0, 2.0, 0.0, 0.5}));
  EXPECT_EQ(HorizontalBar(zoomed.xZoom, zoomed.xScroll), (ScrollBarState{40, 0}));
  EXPECT_EQ(VerticalBar(zoomed.yZoom, zoomed.yScroll), (ScrollBarState{40, 0}));
  // To the right end: half the data is scrolled over.
  const int end = StepScrollBar(ScrollCode::ToEnd, 0, 40);
  EXPECT_DOUBLE_EQ(HorizontalScroll(zoomed.xZoom, end, 40), 0.5);
  // A second rectangle zooms into the zoomed view.
  const ZoomState again = ZoomToRectangle(zoomed, plot, {215, 140, 385, 270});
  EXPECT_EQ(again, (ZoomState{4.0, 4.0, 0.25, 0.5}));
}

TEST(ChartNavigation, ZoomRectangleWithoutWidthOrHeightChangesNothing) {
  const Rect plot{0, 0, 100, 100};
  const ZoomState start{2.0, 3.0, 0.1, 0.2};
  EXPECT_EQ(ZoomToRectangle(start, plot, {10, 10, 10, 50}), start);
  EXPECT_EQ(ZoomToRectangle(start, plot, {10, 10, 50, 10}), start);
  EXPECT_EQ(ZoomToRectangle(start, {5, 5, 5, 5}, {1, 1, 3, 3}), start);
  // As wide as the plot: the x zoom stays 1 and its bar is hidden.
  const ZoomState wide = ZoomToRectangle(ZoomState{}, plot, {0, 0, 100, 50});
  EXPECT_EQ(wide.xZoom, 1.0);
  EXPECT_FALSE(HorizontalBar(wide.xZoom, wide.xScroll).Visible());
}

TEST(ChartNavigation, PixelsBecomeChartUnits) {
  const Rect plot{0, 0, 200, 100};
  const NormalizedPoint p = PixelToNormalized({100, 25}, plot, ZoomState{2.0, 1.0, 0.25, 0.0});
  EXPECT_DOUBLE_EQ(p.x, 0.5);
  EXPECT_DOUBLE_EQ(p.y, 0.75);
  const NormalizedPoint none = PixelToNormalized({1, 1}, {0, 0, 0, 10}, ZoomState{});
  EXPECT_EQ(none.x, 0.0);
}

TEST(ChartNavigation, RecordingLongerThanFiveMinutesIsFollowedAtItsEnd) {
  model::CMessungObj m;
  m.GetXAxis().SetMax(600.0F);
  m.SetZoom(1.0, 3.0);
  m.SetFormulaUpdatePending(1);
  const FollowResult result = FollowNewestData(m, 0);
  EXPECT_TRUE(result.newData);
  EXPECT_TRUE(result.followed);
  EXPECT_EQ(m.GetFormulaUpdatePending(), 0);
  EXPECT_DOUBLE_EQ(m.GetXZoom(), static_cast<double>(600.0F * 0.0033333334F));
  EXPECT_DOUBLE_EQ(m.GetXScroll(), 1.0 - 1.0 / m.GetXZoom());
  EXPECT_EQ(m.GetYZoom(), 3.0);
  EXPECT_EQ(result.horizontal, (ScrollBarState{40, 40}));
}

TEST(ChartNavigation, ShortRecordingOrNoNewDataKeepsTheZoom) {
  model::CMessungObj m;
  m.GetXAxis().SetMax(300.0F);
  m.SetZoom(1.5, 1.0);
  m.SetFormulaUpdatePending(1);
  FollowResult result = FollowNewestData(m, 0);
  EXPECT_TRUE(result.newData);
  EXPECT_FALSE(result.followed);
  EXPECT_EQ(m.GetXZoom(), 1.5);

  m.GetXAxis().SetMax(900.0F);
  result = FollowNewestData(m, 0);  // the flag is clear: nothing new
  EXPECT_FALSE(result.newData);
  EXPECT_EQ(m.GetXZoom(), 1.5);
}

TEST(ChartNavigation, NewDataExtendsTheFormulaCurves) {
  model::CMessungObj m;
  testing::AddAxis(m, 0, 10);
  testing::AddCurve(m, 0, 1, 0, {1, 2, 3});
  model::CKurveObj* f = testing::AddCurve(m, 0, 2, 0, {2});
  f->SetOrigin(model::kOriginComputed);
  f->SetSourceText(u"I1*2");
  m.SetFormulaUpdatePending(1);
  const FollowResult result = FollowNewestData(m, 0);
  EXPECT_EQ(result.formulas.curvesExtended, 1);
  EXPECT_EQ(f->GetSampleCount(), 3);
}

TEST(ChartNavigation, KeyboardStepsMoveTwoPixelsAndStayInTheWindow) {
  const Rect window{100, 100, 200, 150};
  EXPECT_EQ(StepCursor({150, 120}, window, CursorDirection::Down), (Point{150, 122}));
  EXPECT_EQ(StepCursor({150, 120}, window, CursorDirection::Up), (Point{150, 118}));
  EXPECT_EQ(StepCursor({150, 120}, window, CursorDirection::Left), (Point{148, 120}));
  EXPECT_EQ(StepCursor({198, 120}, window, CursorDirection::Right), (Point{199, 120}));
  EXPECT_EQ(StepCursor({199, 120}, window, CursorDirection::Right), (Point{199, 120}));
  EXPECT_EQ(StepCursor({150, 100}, window, CursorDirection::Up), (Point{150, 100}));
}

/// The time (or value) in chart units under pixel `p` of `plot`.
double UnderPointer(const ZoomState& zoom, const Rect& plot, Point p, ZoomAxis axis) {
  const NormalizedPoint n = PixelToNormalized(p, plot, zoom);
  return axis == ZoomAxis::Time ? n.x : n.y;
}

/// One pixel of `plot` in chart units at `zoom` along `axis`.
double OnePixel(const ZoomState& zoom, const Rect& plot, ZoomAxis axis) {
  return axis == ZoomAxis::Time ? 1.0 / (plot.Width() * zoom.xZoom)
                                : 1.0 / (plot.Height() * zoom.yZoom);
}

TEST(ChartNavigation, WheelZoomKeepsWhatIsUnderThePointerWithinOnePixel) {
  const Rect plot{60, 20, 860, 520};
  struct Case {
    const char* name;
    ZoomState start;
    Point pointer;
    double factor;
    ZoomAxis axis;
    double zoomAfter;
  };
  const Case cases[] = {
      {"time in, middle", {}, {460, 300}, 1.25, ZoomAxis::Time, 1.25},
      {"time in, left edge", {}, {60, 300}, 1.25 * 1.25, ZoomAxis::Time, 1.5625},
      {"time in, right edge", {}, {860, 300}, 1.25, ZoomAxis::Time, 1.25},
      {"time out", {8.0, 1.0, 0.3, 0.0}, {700, 300}, 0.8, ZoomAxis::Time, 6.4},
      {"values in, upper quarter", {}, {300, 145}, 1.25, ZoomAxis::Values, 1.25},
      {"values out", {1.0, 4.0, 0.0, 0.5}, {300, 400}, 0.8, ZoomAxis::Values, 3.2},
      {"time at the largest zoom",
       {kMaxWheelZoom / 1.1, 1.0, 0.4, 0.0},
       {333, 300},
       1.25,
       ZoomAxis::Time,
       kMaxWheelZoom},
      {"time already past the largest zoom",
       {2 * kMaxWheelZoom, 1.0, 0.4, 0.0},
       {333, 300},
       1.25,
       ZoomAxis::Time,
       2 * kMaxWheelZoom},
      {"centre out to the whole range",
       {1.25, 1.0, 0.1, 0.0},
       {460, 300},
       0.8,
       ZoomAxis::Time,
       1.0},
      {"centre out past the whole range",
       {1.25 * 1.25, 1.0, 0.18, 0.0},
       {460, 300},
       0.5,
       ZoomAxis::Time,
       1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ZoomState after = ZoomAroundPointer(c.start, plot, c.pointer, c.factor, c.axis);
    EXPECT_DOUBLE_EQ(c.axis == ZoomAxis::Time ? after.xZoom : after.yZoom, c.zoomAfter);
    // The other axis is left alone.
    if (c.axis == ZoomAxis::Time) {
      EXPECT_EQ(after.yZoom, c.start.yZoom);
      EXPECT_EQ(after.yScroll, c.start.yScroll);
    } else {
      EXPECT_EQ(after.xZoom, c.start.xZoom);
      EXPECT_EQ(after.xScroll, c.start.xScroll);
    }
    EXPECT_NEAR(UnderPointer(after, plot, c.pointer, c.axis),
                UnderPointer(c.start, plot, c.pointer, c.axis), OnePixel(after, plot, c.axis));
  }
}

TEST(ChartNavigation, WheelZoomNeverLeavesTheDataOrGoesBelowTheWholeRange) {
  const Rect plot{0, 0, 800, 500};
  // Zooming out at the left edge of a window scrolled to the start keeps the start; at
  // zoom 1 the whole range is shown whatever was under the pointer.
  ZoomState zoom{3.0, 1.0, 0.0, 0.0};
  zoom = ZoomAroundPointer(zoom, plot, {790, 250}, 0.8, ZoomAxis::Time);
  EXPECT_GE(zoom.xScroll, 0.0);
  EXPECT_LE(zoom.xScroll, 1.0 - 1.0 / zoom.xZoom + 1e-12);
  for (int notch = 0; notch < 20; ++notch) {
    zoom = ZoomAroundPointer(zoom, plot, {123, 250}, 0.8, ZoomAxis::Time);
  }
  EXPECT_EQ(zoom.xZoom, 1.0);
  EXPECT_EQ(zoom.xScroll, 0.0);
  // Many notches in stop at the largest zoom, the window still inside the data.
  for (int notch = 0; notch < 100; ++notch) {
    zoom = ZoomAroundPointer(zoom, plot, {799, 250}, 1.25, ZoomAxis::Time);
  }
  EXPECT_EQ(zoom.xZoom, kMaxWheelZoom);
  EXPECT_LE(zoom.xScroll, 1.0 - 1.0 / zoom.xZoom + 1e-12);
  EXPECT_TRUE(HorizontalBar(zoom.xZoom, zoom.xScroll).Visible());
}

TEST(ChartNavigation, WheelZoomIgnoresAnEmptyPlotAndBadFactors) {
  const ZoomState zoom{2.0, 2.0, 0.25, 0.25};
  EXPECT_EQ(ZoomAroundPointer(zoom, Rect{10, 10, 10, 50}, {10, 20}, 1.25, ZoomAxis::Time), zoom);
  for (double factor : {0.0, -1.25, std::nan(""), std::numeric_limits<double>::infinity()}) {
    SCOPED_TRACE(factor);
    EXPECT_EQ(ZoomAroundPointer(zoom, Rect{0, 0, 100, 100}, {50, 50}, factor, ZoomAxis::Values),
              zoom);
  }
  // A zoom from a damaged file (below 1, not finite) zooms from the whole range.
  const ZoomState damaged{std::nan(""), 0.5, 0.0, 0.0};
  const ZoomState fixed =
      ZoomAroundPointer(damaged, Rect{0, 0, 100, 100}, {0, 50}, 1.25, ZoomAxis::Time);
  EXPECT_DOUBLE_EQ(fixed.xZoom, 1.25);
  EXPECT_EQ(fixed.xScroll, 0.0);
}

TEST(ChartNavigation, WheelNotchesAddUpPartialTurnsAndKeepTheRest) {
  struct Step {
    int delta;
    int notches;
    int remainder;
  };
  const Step steps[] = {
      {120, 1, 0},     {360, 3, 0},  {-120, -1, 0}, {40, 0, 40},
      {40, 0, 80},     {50, 1, 10},  {-30, 0, -30},  // a turn back starts the partial notch anew
      {-100, -1, -10}, {250, 2, 10},
  };
  WheelNotches wheel;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.delta);
    EXPECT_EQ(wheel.Add(step.delta), step.notches);
    EXPECT_EQ(wheel.Remainder(), step.remainder);
  }
  wheel.Reset();
  EXPECT_EQ(wheel.Remainder(), 0);
}

}  // namespace
}  // namespace vantrel::chart
