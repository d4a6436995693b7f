// Drawing of a curve on the recording canvas: the visible time window, xy mode with its
// x-source curve, bars, single pixels, the filter preview and curves without an axis.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "FakeTexts.h"
#include "model/CMessungObj.h"
#include "platform/RecordingCanvas.h"

namespace vantrel::model {
namespace {

using platform::Point;
using platform::RecordingCanvas;
using platform::Rect;
using Op = RecordingCanvas::Op;

constexpr platform::Color kRed = 0x0000FF;
constexpr Rect kPlot{0, 0, 100, 100};

/// A measurement with one value axis 0..100 and a time axis 0..10 s on a 100 x 100 plot:
/// at zoom 1, X = 10 x and Y = 100 - y.
struct Chart {
  CMessungObj m;
  testing::FakeTexts texts;
  RecordingCanvas canvas;

  Chart() {
    CAchse* axis = m.AddYAxis();
    axis->SetMin(0.0F);
    axis->SetMax(100.0F);
    m.GetXAxis().SetMax(10.0F);
  }

  /// A curve with samples of minimum and maximum `values` (mean = the value), 1 s apart.
  CKurveObj& AddCurve(const std::vector<float>& values, int valueMode = kModeMean) {
    CKurveObj* curve = m.AddCurve();
    curve->SetColor(kRed);
    curve->SetSampleInterval(1.0);
    curve->SetValueMode(valueMode);
    for (float v : values) curve->AddSample(v, v, v);
    return *curve;
  }

  /// The measuring pass of the chart: the axes record their visible windows.
  void Measure(double xZoom = 1.0, double xScroll = 0.0) {
    m.GetXAxis().Draw(canvas, kPlot, xZoom, xScroll, false, texts, '.');
    m.GetYAxis(0)->Draw(canvas, kPlot, 1.0, 0.0, {kRed}, false, texts, '.');
  }

  std::vector<Point> Points(Op op) const {
    std::vector<Point> points;
    for (const auto& call : canvas.CallsOf(op)) points.push_back({call.x, call.y});
    return points;
  }
};

TEST(CurveDrawing, PolylineStartsWithAMoveAndUsesTheCurveColour) {
  Chart chart;
  CKurveObj& curve = chart.AddCurve({10.0F, 20.0F, 35.5F});
  chart.Measure();
  curve.Draw(chart.canvas, kPlot, chart.m);

  EXPECT_EQ(chart.Points(Op::MoveTo), (std::vector<Point>{{0, 90}}));
  EXPECT_EQ(chart.Points(Op::LineTo), (std::vector<Point>{{10, 80}, {20, 64}}));
  for (const auto& call : chart.canvas.CallsOf(Op::LineTo)) EXPECT_EQ(call.color, kRed);
  EXPECT_EQ(chart.canvas.CurrentPen(), platform::Pen{});
}

TEST(CurveDrawing, SamplesBeforeTheWindowAreSkippedAndTheFirstBeyondItEndsTheCurve) {
  Chart chart;
  // Window 2..7 s at zoom 2, scroll 0.2: X = 20 (x - 2).
  CKurveObj& curve = chart.AddCurve({0, 10, 20, 30, 40, 50, 60, 70, 80, 90});
  chart.Measure(2.0, 0.2);
  curve.Draw(chart.canvas, kPlot, chart.m);
  EXPECT_EQ(chart.Points(Op::MoveTo), (std::vector<Point>{{0, 80}}));
  EXPECT_EQ(chart.Points(Op::LineTo),
            (std::vector<Point>{{20, 70}, {40, 60}, {60, 50}, {80, 40}, {100, 30}}));

  // Running backwards from beyond the window: the first sample already ends the curve.
  Chart backwards;
  CKurveObj& reversed = backwards.AddCurve({0, 10, 20, 30, 40, 50, 60, 70, 80, 90});
  reversed.SetXOffset(9.0F);
  reversed.SetSampleInterval(-1.0);
  backwards.Measure(2.0, 0.2);
  reversed.Draw(backwards.canvas, kPlot, backwards.m);
  EXPECT_TRUE(backwards.canvas.Calls().empty());
}

TEST(CurveDrawing, XSourceCurveDrawsNothingAndSuppliesTheXOfTheOthers) {
  Chart chart;
  chart.m.GetXAxis().SetXYMode(1, 0);
  chart.m.GetXAxis().SetMin(0.0F);
  chart.m.GetXAxis().SetMax(10.0F);
  CKurveObj& source = chart.AddCurve({1.0F, 4.0F, 2.0F});
  source.SetYOffset(1.0F);
  CKurveObj& curve = chart.AddCurve({50.0F, 60.0F, 70.0F, 80.0F});
  chart.Measure();

  source.Draw(chart.canvas, kPlot, chart.m);
  EXPECT_TRUE(chart.canvas.Calls().empty());

  curve.Draw(chart.canvas, kPlot, chart.m);
  // x = source value + its offset; past the source's last sample x is 0.
  EXPECT_EQ(chart.Points(Op::MoveTo), (std::vector<Point>{{20, 50}}));
  EXPECT_EQ(chart.Points(Op::LineTo), (std::vector<Point>{{50, 40}, {30, 30}, {0, 20}}));
}

TEST(CurveDrawing, BarsDrawOnePixelWhereMinimumEqualsMaximum) {
  Chart chart;
  CKurveObj* curve = chart.m.AddCurve();
  curve->SetColor(kRed);
  curve->SetSampleInterval(1.0);
  curve->SetValueMode(kModeBar);
  curve->AddSample(50.0F, 50.0F, 0.0F);
  curve->AddSample(20.0F, 60.0F, 0.0F);
  chart.Measure();
  curve->Draw(chart.canvas, kPlot, chart.m);

  const auto& calls = chart.canvas.Calls();
  ASSERT_EQ(calls.size(), 4U);
  EXPECT_EQ(calls[0].op, Op::MoveTo);
  EXPECT_EQ(calls[1].op, Op::SetPixel);
  EXPECT_EQ((Point{calls[1].x, calls[1].y}), (Point{0, 50}));
  EXPECT_EQ(calls[1].color, kRed);
  EXPECT_EQ(calls[2].op, Op::MoveTo);
  EXPECT_EQ(calls[3].op, Op::LineTo);
  EXPECT_EQ(calls[3].rect, (Rect{10, 80, 10, 40}));
}

TEST(CurveDrawing, BarsOfTheXSourceAreDrawnAcrossAndTheCurveContinues) {
  Chart chart;
  chart.m.GetXAxis().SetXYMode(1, 0);
  chart.m.GetXAxis().SetMin(0.0F);
  chart.m.GetXAxis().SetMax(10.0F);
  CKurveObj* source = chart.m.AddCurve();
  source->SetValueMode(kModeBar);
  source->AddSample(2.0F, 5.0F, 0.0F);
  CKurveObj& curve = chart.AddCurve({40.0F});
  chart.Measure();
  curve.Draw(chart.canvas, kPlot, chart.m);

  const auto& calls = chart.canvas.Calls();
  ASSERT_EQ(calls.size(), 3U);
  EXPECT_EQ(calls[0].op, Op::MoveTo);
  EXPECT_EQ(calls[1].rect, (Rect{20, 60, 50, 60}));
  EXPECT_EQ(calls[2].op, Op::MoveTo);  // first point of the polyline
}

TEST(CurveDrawing, PointsModeSetsPixelsOnlyInsideThePlot) {
  Chart chart;
  chart.m.GetXAxis().SetDrawLines(0);
  CKurveObj& curve = chart.AddCurve({10, 150, -5, 20, 30, 40, 50, 60, 70, 80, 90});
  chart.Measure();
  curve.Draw(chart.canvas, kPlot, chart.m);
  // y = 150 lies above, y = -5 below the plot; x = 10 s lies on the excluded right edge.
  EXPECT_EQ(chart.Points(Op::SetPixel),
            (std::vector<Point>{
                {0, 90}, {30, 80}, {40, 70}, {50, 60}, {60, 50}, {70, 40}, {80, 30}, {90, 20}}));
  EXPECT_EQ(chart.canvas.CallsOf(Op::LineTo).size(), 0U);
}

TEST(CurveDrawing, PreviewedFilterOutputIsDrawnInsteadOfTheSamples) {
  Chart chart;
  CKurveObj& curve = chart.AddCurve({0.0F, 100.0F, 100.0F, 100.0F});
  ASSERT_TRUE(curve.PreviewFilter(0.1F));
  chart.Measure();
  curve.Draw(chart.canvas, kPlot, chart.m);

  const auto lines = chart.Points(Op::LineTo);
  ASSERT_EQ(lines.size(), 3U);
  for (std::size_t i = 0; i < 3; ++i) {
    const CValueObj& filtered = curve.FilteredSamples()[i + 1];
    const float mean = (filtered.minimum + filtered.maximum) * 0.5F;
    EXPECT_EQ(lines[i].y, TruncatePixel(100.0 - static_cast<double>(mean)));
    EXPECT_NE(lines[i].y, 0);  // the raw samples would map to the top edge
  }
}

TEST(CurveDrawing, CurvesThatAreHiddenOrHaveNoAxisAreNotDrawn) {
  for (int axisIndex : {-1, 1, 99}) {
    SCOPED_TRACE(axisIndex);
    Chart chart;
    CKurveObj& curve = chart.AddCurve({10.0F, 20.0F});
    curve.SetAxisIndex(axisIndex);
    chart.Measure();
    curve.Draw(chart.canvas, kPlot, chart.m);
    EXPECT_TRUE(chart.canvas.Calls().empty());
  }
  Chart chart;
  CKurveObj& hidden = chart.AddCurve({10.0F, 20.0F});
  hidden.SetVisible(0);
  chart.Measure();
  hidden.Draw(chart.canvas, kPlot, chart.m);
  EXPECT_TRUE(chart.canvas.Calls().empty());
}

TEST(CurveDrawing, NotANumberSamplesAreLeftOutAndInfiniteOnesClamp) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  Chart chart;
  CKurveObj& curve = chart.AddCurve({10.0F, nan, inf, 30.0F});
  chart.Measure();
  curve.Draw(chart.canvas, kPlot, chart.m);
  EXPECT_EQ(chart.Points(Op::MoveTo), (std::vector<Point>{{0, 90}}));
  EXPECT_EQ(chart.Points(Op::LineTo), (std::vector<Point>{{20, -(1 << 28)}, {30, 70}}));
}

TEST(CurveDrawing, DegenerateWindowsDoNotBreakDrawing) {
  Chart chart;
  chart.m.GetXAxis().SetMax(0.0F);  // xmax == xmin
  chart.m.GetYAxis(0)->SetMax(0.0F);
  CKurveObj& curve = chart.AddCurve({0.0F, 0.0F, 5.0F});
  chart.Measure();
  curve.Draw(chart.canvas, kPlot, chart.m);
  EXPECT_TRUE(chart.canvas.Calls().empty());
}

}  // namespace
}  // namespace vantrel::model
