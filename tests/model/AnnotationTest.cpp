// Text and line annotations on the recording canvas: anchors in normalized chart units,
// drawing only inside the plot, drag feedback, and the hit rectangles of the measurement.
#include <gtest/gtest.h>

#include <vector>

#include "model/CMessungObj.h"
#include "platform/RecordingCanvas.h"

namespace vantrel::model {
namespace {

using platform::RecordingCanvas;
using platform::Rect;
using Op = RecordingCanvas::Op;

// 400 x 200 plot at (0, 0): the centre is (200, 100). At 96 dpi a 10-point font is 13
// pixels high and each character 6 pixels wide.
constexpr Rect kPlot{0, 0, 400, 200};

struct Annotated {
  CMessungObj m;
  RecordingCanvas canvas;
  Annotated() { m.SetPlotRect(kPlot); }
};

TEST(Annotation, TextAtTheMiddleIsDrawnAtThePlotCentre) {
  Annotated a;
  a.m.AddText(u"Hallo", 10, 0.5, 0.5);
  a.m.GetText(0)->Draw(a.canvas, kPlot, a.m);

  const auto texts = a.canvas.CallsOf(Op::TextOut);
  ASSERT_EQ(texts.size(), 1U);
  EXPECT_EQ(texts[0].x, 200);
  EXPECT_EQ(texts[0].y, 100);
  EXPECT_EQ(texts[0].text, u"Hallo");
  EXPECT_EQ(texts[0].font, (platform::Font{u"Arial", 10}));
  EXPECT_EQ(a.canvas.CurrentFont(), platform::Font{});
}

TEST(Annotation, TextZoomedOutOfThePlotIsNotDrawnButStillHit) {
  Annotated a;
  a.m.AddText(u"Hallo", 10, 0.5, 0.5);
  a.m.SetZoom(4.0, 1.0);
  a.m.GetText(0)->Draw(a.canvas, kPlot, a.m);
  EXPECT_TRUE(a.canvas.Calls().empty());

  Rect hit;
  EXPECT_EQ(a.m.HitTestText({801, 101}, &hit, a.canvas), 0);
  EXPECT_EQ(hit, (Rect{800, 100, 830, 113}));
  EXPECT_EQ(a.m.HitTestText({799, 101}, &hit, a.canvas), -1);
  EXPECT_EQ(a.m.HitTestText({830, 101}, &hit, a.canvas), -1);
}

TEST(Annotation, DraggingShowsFeedbackAndStopsAtThePlotEdge) {
  Annotated a;
  a.m.AddText(u"Hallo", 10, 0.5, 0.5);
  CTextObj& text = *a.m.GetText(0);

  EXPECT_TRUE(a.m.DrawTextAt(0, 0.25, 0.75, a.canvas));
  EXPECT_TRUE(a.m.DrawTextAt(0, 0.5, 0.5, a.canvas));
  // The anchor of x = 1 lies on the excluded right edge; y = -0.1 below the plot.
  EXPECT_FALSE(a.m.DrawTextAt(0, 1.0, 0.5, a.canvas));
  EXPECT_FALSE(a.m.DrawTextAt(0, 0.5, -0.1, a.canvas));

  const auto drags = a.canvas.CallsOf(Op::DragRect);
  ASSERT_EQ(drags.size(), 2U);
  EXPECT_EQ(drags[0].rect, (Rect{100, 50, 130, 63}));
  EXPECT_TRUE(drags[0].erased.IsNull());
  EXPECT_EQ(drags[1].rect, (Rect{200, 100, 230, 113}));
  EXPECT_EQ(drags[1].erased, (Rect{100, 50, 130, 63}));
  EXPECT_EQ(text.GetPosX(), 0.5);
  EXPECT_EQ(text.GetPosY(), 0.5);
  EXPECT_EQ(text.GetDragRect(), (Rect{200, 100, 230, 113}));

  // Drawing the text at its place ends the feedback.
  text.Draw(a.canvas, kPlot, a.m);
  EXPECT_TRUE(text.GetDragRect().IsNull());
}

TEST(Annotation, LineFromTheLowerLeftQuarterPointEndsAtTheCentre) {
  Annotated a;
  a.m.AddLine(0.25, 0.25, 0.25, 0.25);
  a.m.GetLine(0)->Draw(a.canvas, kPlot, a.m);

  const auto& calls = a.canvas.Calls();
  ASSERT_EQ(calls.size(), 2U);
  EXPECT_EQ(calls[0].op, Op::MoveTo);
  EXPECT_EQ(calls[1].rect, (Rect{100, 150, 200, 100}));
  EXPECT_EQ(calls[1].color, platform::kBlack);

  // Zoomed in twice horizontally, the line keeps its place in the data and grows.
  a.canvas.Clear();
  a.m.SetZoom(2.0, 1.0);
  a.m.GetLine(0)->Draw(a.canvas, kPlot, a.m);
  EXPECT_EQ(a.canvas.CallsOf(Op::LineTo)[0].rect, (Rect{200, 150, 400, 100}));
}

TEST(Annotation, LineHitRectanglesGrowForRightDownLinesAndShrinkOtherwise) {
  struct Case {
    double x, y, dx, dy;
    Rect expected;
  };
  const Case cases[] = {
      // (100, 50) -> (200, 100): right and down, the box grown by 2 on every side.
      {0.25, 0.75, 0.25, -0.25, {98, 48, 202, 102}},
      // (100, 150) -> (200, 100): upward, the box shrunk by 2 vertically.
      {0.25, 0.25, 0.25, 0.25, {98, 102, 202, 148}},
      // (200, 50) -> (100, 100): leftward, the box shrunk by 2 horizontally.
      {0.5, 0.75, -0.25, -0.25, {102, 48, 198, 102}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dx);
    Annotated a;
    a.m.AddLine(c.x, c.y, c.dx, c.dy);
    EXPECT_EQ(a.m.GetLine(0)->HitRect(kPlot, a.m), c.expected);
    Rect hit;
    EXPECT_EQ(a.m.HitTestLine({c.expected.left, c.expected.top}, &hit), 0);
    EXPECT_EQ(hit, c.expected);
    EXPECT_EQ(a.m.HitTestLine({c.expected.right, c.expected.top}, &hit), -1);
  }
}

TEST(Annotation, CorruptPositionsAndSizesStayWithinPixelRange) {
  Annotated a;
  a.m.AddText(u"X", 2147483647, 1e300, -1e300);
  a.m.AddLine(1e300, 0.0, -1e308, 1e308);
  a.m.SetZoom(1e10, 1e10);
  Rect hit;
  EXPECT_EQ(a.m.HitTestText({0, 0}, &hit, a.canvas), -1);
  EXPECT_EQ(a.m.HitTestLine({0, 0}, &hit), -1);
  a.m.GetText(0)->Draw(a.canvas, kPlot, a.m);
  a.m.GetLine(0)->Draw(a.canvas, kPlot, a.m);
  ASSERT_EQ(a.canvas.CallsOf(Op::LineTo).size(), 1U);
  EXPECT_EQ(a.canvas.CallsOf(Op::LineTo)[0].rect.left, 1 << 28);
}

TEST(Annotation, TextSizeZeroUsesTheDeviceDefaultHeight) {
  Annotated a;
  a.m.AddText(u"Null", 0, 0.5, 0.5);
  a.m.AddText(u"Minus", -3, 0.25, 0.5);
  a.m.GetText(0)->Draw(a.canvas, kPlot, a.m);
  a.m.GetText(1)->Draw(a.canvas, kPlot, a.m);
  const auto texts = a.canvas.CallsOf(Op::TextOut);
  ASSERT_EQ(texts.size(), 2U);
  EXPECT_EQ(texts[0].font, (platform::Font{u"Arial", kDefaultTextPoints}));
  EXPECT_EQ(texts[1].font, (platform::Font{u"Arial", 1})) << "other sizes stay as they were";

  // The hit rectangle measures the same font the text is drawn in.
  Rect hit;
  ASSERT_EQ(a.m.HitTestText({201, 101}, &hit, a.canvas), 0);
  EXPECT_EQ(hit.bottom - hit.top, a.canvas.PointsToPixels(kDefaultTextPoints));
}

}  // namespace
}  // namespace vantrel::model
