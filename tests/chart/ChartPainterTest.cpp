// The chart drawing on the recording canvas: nothing in a too small area, the grid, the
// marker lines, the order of curves and axes, margins cleared after the curves; long
// curves summarised on worker threads, also ahead of the first drawing, give the pixels of
// the one-by-one drawing.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include "FakeTexts.h"
#include "MeasurementBuilder.h"
#include "PollUntil.h"
#include "chart/ChartPainter.h"
#include "platform/RasterCanvas.h"
#include "platform/RecordingCanvas.h"

namespace vantrel::chart {
namespace {

using platform::RecordingCanvas;
using platform::Rect;
using testing::AddAxis;
using testing::AddCurve;
using Op = RecordingCanvas::Op;

constexpr Rect kArea{0, 0, 400, 300};

struct Drawing {
  model::CMessungObj m;
  vantrel::testing::FakeTexts texts;
  RecordingCanvas canvas;
  ChartPainter painter;

  Drawing() {
    m.SetGridVisible(0);
    m.SetTitleVisible(0);
    m.GetXAxis().SetMax(10.0F);
  }
  ChartLayout Draw(const Rect& area = kArea) { return painter.Draw(canvas, m, area, texts, '.'); }

  /// The lines drawn in `color`, as (from, to) rectangles.
  std::vector<Rect> LinesIn(platform::Color color) const {
    std::vector<Rect> lines;
    for (const auto& call : canvas.CallsOf(Op::LineTo)) {
      if (call.color == color) lines.push_back(call.rect);
    }
    return lines;
  }
};

TEST(ChartPainter, TooSmallAreaDrawsNothingAndKeepsThePlotRectangle) {
  Drawing d;
  d.m.SetPlotRect({1, 2, 3, 4});
  EXPECT_FALSE(d.Draw({0, 0, 400, 81}).fits);
  EXPECT_TRUE(d.canvas.Calls().empty());
  EXPECT_EQ(d.m.GetPlotRect(), (Rect{1, 2, 3, 4}));
}

TEST(ChartPainter, DrawWritesThePlotRectangleAndTheVisibleWindows) {
  Drawing d;
  AddAxis(d.m, 0, 100);
  AddCurve(d.m, 0, 0x0000FF);
  d.m.SetZoom(2.0, 4.0);
  d.m.SetScroll(0.5, 0.25);
  d.Draw();
  EXPECT_EQ(d.m.GetPlotRect(), (Rect{45, 10, 390, 273}));
  EXPECT_FLOAT_EQ(d.m.GetXAxis().GetVisibleStart(), 5.0F);
  EXPECT_FLOAT_EQ(d.m.GetXAxis().GetVisibleEnd(), 10.0F);
  EXPECT_FLOAT_EQ(d.m.GetYAxis(0)->GetVisibleStart(), 25.0F);
  EXPECT_FLOAT_EQ(d.m.GetYAxis(0)->GetVisibleEnd(), 50.0F);
}

TEST(ChartPainter, GridOfFourByThreeHasFiveVerticalAndFourHorizontalLines) {
  Drawing d;
  d.m.SetGridVisible(1);
  d.m.SetGrid(4, 3);
  d.Draw();
  // Plot (0, 10, 390, 273): W 390, H 263.
  EXPECT_EQ(d.LinesIn(kGridColor), (std::vector<Rect>{{78, 10, 78, 274},
                                                      {156, 10, 156, 274},
                                                      {234, 10, 234, 274},
                                                      {312, 10, 312, 274},
                                                      {390, 10, 390, 274},
                                                      {0, 10, 390, 10},
                                                      {0, 75, 390, 75},
                                                      {0, 141, 390, 141},
                                                      {0, 207, 390, 207}}));
}

TEST(ChartPainter, NegativeGridCountsDrawNoGridLines) {
  Drawing d;
  d.m.SetGridVisible(1);
  d.m.SetGrid(-1, -7);
  d.Draw();
  EXPECT_TRUE(d.LinesIn(kGridColor).empty());
}

TEST(ChartPainter, MarkerAInTheMiddleAtZoomOneAndNotDrawnWhenZoomedAway) {
  Drawing d;
  d.m.SetCursors(0.5, -1.0);
  d.Draw();
  EXPECT_EQ(d.LinesIn(kMarkerColor), (std::vector<Rect>{{195, 10, 195, 273}}));
  const auto* letter = d.canvas.FindText(u"A");
  ASSERT_NE(letter, nullptr);
  EXPECT_EQ(letter->x, 197);
  EXPECT_EQ(letter->y, 12);
  EXPECT_EQ(letter->font.points, kAxisFontPoints);
  EXPECT_EQ(d.canvas.FindText(u"B"), nullptr);

  Drawing zoomed;
  zoomed.m.SetCursors(0.5, 0.1);
  zoomed.m.SetZoom(4.0, 1.0);
  zoomed.Draw();
  // B at 0.1 x 4 = 0.4 of the plot; A at 2.0 lies right of it.
  EXPECT_EQ(zoomed.LinesIn(kMarkerColor), (std::vector<Rect>{{156, 10, 156, 273}}));
  EXPECT_EQ(zoomed.canvas.FindText(u"A"), nullptr);
}

TEST(ChartPainter, NoMarkersWhenBothAreUnset) {
  Drawing d;
  d.Draw();
  EXPECT_TRUE(d.LinesIn(kMarkerColor).empty());
}

TEST(ChartPainter, CurvesAreDrawnLargestDrawOrderFirstAndAxesPaintedAfterThem) {
  Drawing d;
  AddAxis(d.m, 0, 10);
  AddAxis(d.m, 0, 10);
  AddCurve(d.m, 0, 0x000001, 0, {1, 2});
  AddCurve(d.m, 0, 0x000002, 2, {3, 4});
  AddCurve(d.m, 1, 0x000003, 1, {5, 6});
  d.Draw();
  std::vector<platform::Color> curveColors;
  std::size_t lastCurveCall = 0;
  std::size_t firstAxisFill = 0;
  const auto& calls = d.canvas.Calls();
  for (std::size_t i = 0; i < calls.size(); ++i) {
    const auto& call = calls[i];
    if (call.op == Op::LineTo && call.color >= 1 && call.color <= 3 &&
        call.rect.left >= d.m.GetPlotRect().left) {
      if (curveColors.empty() || curveColors.back() != call.color) {
        curveColors.push_back(call.color);
      }
      lastCurveCall = i;
    }
    if (call.op == Op::FillRect && call.rect == Rect{0, 10, 44, 272} && firstAxisFill == 0) {
      firstAxisFill = i;
    }
  }
  EXPECT_EQ(curveColors, (std::vector<platform::Color>{2, 3, 1}));
  EXPECT_GT(firstAxisFill, lastCurveCall);
}

TEST(ChartPainter, MarginsAreClearedAfterTheCurvesAndBeforeTheAnnotations) {
  Drawing d;
  d.m.AddText(u"note", 10, 0.5, 0.5);
  d.Draw();
  const auto fills = d.canvas.CallsOf(Op::FillRect);
  ASSERT_GE(fills.size(), 3U);
  EXPECT_EQ(fills[0].rect, kArea);
  EXPECT_EQ(fills[1].rect, (Rect{0, 0, 400, 10}));
  EXPECT_EQ(fills[2].rect, (Rect{391, 0, 400, 300}));
  const auto* note = d.canvas.FindText(u"note");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->x, 195);
}

TEST(ChartPainter, TitleIsCentredOverThePlot) {
  Drawing d;
  d.m.SetTitleVisible(1);
  d.m.SetName(u"Pumpe", -1);
  d.Draw();
  const auto* title = d.canvas.FindText(u"Pumpe");
  ASSERT_NE(title, nullptr);
  // 20 points at 96 dpi: 26 pixels high, 13 per character: 65 wide.
  EXPECT_EQ(title->font.points, kTitleFontPoints);
  EXPECT_EQ(title->x, 162);  // trunc(390 x 0.5 + 0 - 32.5)
  EXPECT_EQ(title->y, 12);
}

/// Two random-walk curves of 700 000 samples: enough for the summaries to be built on
/// worker threads.
std::unique_ptr<model::CMessungObj> LongCurves() {
  auto m = std::make_unique<model::CMessungObj>();
  m->SetGridVisible(0);
  m->SetTitleVisible(0);
  m->GetXAxis().SetMax(70.0F);
  AddAxis(*m, -300, 300);
  std::mt19937 random(9);
  std::normal_distribution<float> step(0.0F, 1.0F);
  for (int c = 0; c < 2; ++c) {
    std::vector<float> values;
    float v = 0.0F;
    for (int i = 0; i < 700000; ++i) values.push_back(v += step(random));
    AddCurve(*m, 0, c == 0 ? 0x0000FF : 0x00A000, c, values, 0.0001);
  }
  return m;
}

std::vector<platform::Color> Picture(ChartPainter& painter, model::CMessungObj& m, bool available) {
  platform::RasterCanvas canvas({400, 300});
  const vantrel::testing::FakeTexts texts;
  if (available) {
    painter.DrawAvailable(canvas, m, kArea, texts, '.');
  } else {
    painter.Draw(canvas, m, kArea, texts, '.');
  }
  return canvas.Pixels();
}

TEST(ChartPainter, LongCurvesSummarisedInParallelGiveTheOneByOnePixels) {
  auto m = LongCurves();
  ChartPainter literal;
  literal.SetCurveMode(CurveMode::Literal);
  const std::vector<platform::Color> expected = Picture(literal, *m, false);

  ChartPainter drawnAtOnce;
  EXPECT_EQ(Picture(drawnAtOnce, *m, false), expected);

  ChartPainter waiting;  // started ahead, the drawing waits for the summaries
  waiting.StartSummaries(*m);
  EXPECT_TRUE(waiting.SummariesPending());
  EXPECT_EQ(Picture(waiting, *m, false), expected);
  EXPECT_FALSE(waiting.SummariesPending());

  ChartPainter ahead;  // started ahead, drawn once they are ready
  ahead.StartSummaries(*m);
  ASSERT_TRUE(testing::PollUntil([&ahead] { return ahead.SummariesReady(); }));
  EXPECT_EQ(Picture(ahead, *m, true), expected);
  EXPECT_FALSE(ahead.SummariesPending());

  ChartPainter changed;  // a change of the samples finishes the build first
  changed.StartSummaries(*m);
  changed.SamplesChanged();
  EXPECT_FALSE(changed.SummariesPending());
  m->GetCurve(1)->AddSample(1.0F, 1.0F, 1.0F);
  EXPECT_EQ(Picture(changed, *m, true), Picture(literal, *m, false));
}

TEST(ChartPainter, ShortCurvesAreNotBuiltAhead) {
  Drawing d;
  AddAxis(d.m, 0, 100);
  AddCurve(d.m, 0, 0x0000FF, 0, {1, 2, 3});
  d.painter.StartSummaries(d.m);
  EXPECT_FALSE(d.painter.SummariesPending());
  EXPECT_TRUE(d.painter.SummariesReady());
}

}  // namespace
}  // namespace vantrel::chart
