// Painting of value axes and the x axis on the recording canvas: tick positions, label
// texts and placements, unit and exponent labels, coloured axis segments, and robustness
// against ranges, divisions and zoom values from corrupt files.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "FakeTexts.h"
#include "model/CAchse.h"
#include "model/Units.h"
#include "platform/RecordingCanvas.h"

namespace vantrel::model {
namespace {

using platform::Color;
using platform::RecordingCanvas;
using platform::Rect;
using Op = RecordingCanvas::Op;

// At 96 dpi the 7-point axis font is 9 pixels high and every character 4 pixels wide.
constexpr int kCw = 4;
constexpr int kCh = 9;
constexpr Rect kColumn{10, 20, 60, 120};  // 100 pixels high, axis along x = 60

CAchse ValueAxis(float min, float max, int divisions) {
  CAchse axis;
  axis.SetMin(min);
  axis.SetMax(max);
  axis.SetDivisions(divisions);
  axis.SetUnit(4, u"");
  return axis;
}

struct Painted {
  RecordingCanvas canvas;
  testing::FakeTexts texts;
};

std::vector<std::u16string> TickLabels(const RecordingCanvas& canvas, std::size_t skip) {
  std::vector<std::u16string> texts = canvas.Texts();
  return {texts.begin() + static_cast<long>(skip), texts.end()};
}

TEST(AxisDrawing, ValueAxisPlacesTicksAndLabelsFromTheBottomUp) {
  Painted p;
  CAchse axis = ValueAxis(0.0F, 10.0F, 4);
  axis.Draw(p.canvas, kColumn, 1.0, 0.0, {0x0000FF}, true, p.texts, '.');

  const std::vector<std::u16string> labels = {u" 0.00", u" 2.00", u" 4.00",
                                              u" 6.00", u" 8.00", u"10.00"};
  EXPECT_EQ(TickLabels(p.canvas, 1), labels);
  const int expectedTops[] = {120 - kCh,    100 - kCh / 2, 80 - kCh / 2,
                              60 - kCh / 2, 40 - kCh / 2,  20};
  const auto lines = p.canvas.CallsOf(Op::LineTo);
  ASSERT_EQ(lines.size(), 7U);  // the axis line, then one tick mark per tick
  for (int i = 0; i <= 5; ++i) {
    SCOPED_TRACE(i);
    const int y = 120 - 20 * i;
    EXPECT_EQ(lines[static_cast<std::size_t>(i) + 1].rect, (Rect{60, y, 60 - kCw, y}));
    const auto* label = p.canvas.FindText(labels[static_cast<std::size_t>(i)]);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->x, 60 - 5 * kCw - kCw);
    EXPECT_EQ(label->y, expectedTops[i]);
    EXPECT_EQ(label->font.points, 7);
  }
  EXPECT_EQ(p.canvas.CurrentPen(), platform::Pen{});
}

TEST(AxisDrawing, ValueAxisFillsItsColumnAndPutsTheUnitUnderIt) {
  Painted p;
  CAchse axis = ValueAxis(0.0F, 10.0F, 4);
  p.canvas.SetBackgroundColor(0x123456);
  axis.Draw(p.canvas, kColumn, 1.0, 0.0, {0x0000FF}, true, p.texts, '.');

  ASSERT_FALSE(p.canvas.Calls().empty());
  EXPECT_EQ(p.canvas.Calls().front().op, Op::FillRect);
  EXPECT_EQ(p.canvas.Calls().front().rect, kColumn);
  EXPECT_EQ(p.canvas.Calls().front().color, 0x123456U);
  const auto* unit = p.canvas.FindText(u"[#32869]");
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(unit->x, 60 - 8 * kCw - kCw);
  EXPECT_EQ(unit->y, 120 + kCw);
}

struct ExponentCase {
  float min;
  float max;
  std::u16string exponentLabel;  // empty: none
  std::u16string firstLabel;
  std::u16string lastLabel;
};

TEST(AxisDrawing, LabelsAreScaledByTheDecadeOfTheMaximum) {
  const ExponentCase cases[] = {
      {0.0F, 2500.0F, u"[10e3]", u" 0.00", u" 2.50"},
      {0.0F, 999.9F, u"", u" 0.00", u"999.90"},
      {-10.0F, -5.0F, u"[10e-3]", u"-10000.00", u"-5000.00"},
      {0.0F, 5.0e6F, u"[10e6]", u" 0.00", u" 5.00"},
  };
  for (const ExponentCase& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.max));
    Painted p;
    CAchse axis = ValueAxis(c.min, c.max, 4);
    axis.Draw(p.canvas, kColumn, 1.0, 0.0, {0}, true, p.texts, '.');
    const std::vector<std::u16string> texts = p.canvas.Texts();
    if (c.exponentLabel.empty()) {
      EXPECT_EQ(texts.size(), 7U);
    } else {
      ASSERT_EQ(texts.size(), 8U);
      EXPECT_EQ(texts[1], c.exponentLabel);
      const auto* label = p.canvas.FindText(c.exponentLabel);
      EXPECT_EQ(label->x, 60 - static_cast<int>(c.exponentLabel.size()) * kCw - kCw);
      EXPECT_EQ(label->y, 120 + kCw + kCh);
    }
    EXPECT_EQ(texts[texts.size() - 6], c.firstLabel);
    EXPECT_EQ(texts.back(), c.lastLabel);
  }
}

TEST(AxisDrawing, AxisLineIsSplitIntoOneSegmentPerCurveFirstColourAtTheBottom) {
  Painted p;
  CAchse axis = ValueAxis(0.0F, 10.0F, 4);
  const std::vector<Color> colors = {0x0000FF, 0x00FF00, 0xFF0000};
  axis.Draw(p.canvas, kColumn, 1.0, 0.0, colors, true, p.texts, '.');

  const auto& calls = p.canvas.Calls();
  ASSERT_GE(calls.size(), 5U);
  EXPECT_EQ(calls[1].op, Op::MoveTo);
  EXPECT_EQ(calls[1].x, 60);
  EXPECT_EQ(calls[1].y, 120);
  // 100 pixels in three parts by integer division: 120 - 33, 120 - 66, 120 - 100.
  const int ends[] = {87, 54, 20};
  for (std::size_t k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(calls[2 + k].op, Op::LineTo);
    EXPECT_EQ(calls[2 + k].rect, (Rect{60, k == 0 ? 120 : ends[k - 1], 60, ends[k]}));
    EXPECT_EQ(calls[2 + k].color, colors[k]);
  }
  // Tick marks are black again.
  EXPECT_EQ(p.canvas.CallsOf(Op::LineTo)[3].color, platform::kBlack);
}

TEST(AxisDrawing, MeasuringPassRecordsTheWindowAndDrawsNothing) {
  Painted p;
  CAchse axis = ValueAxis(0.0F, 100.0F, 4);
  axis.Draw(p.canvas, kColumn, 2.0, 0.5, {0}, false, p.texts, '.');
  CXAchse x;
  x.SetMax(100.0F);
  x.Draw(p.canvas, {0, 200, 400, 230}, 2.0, 0.5, false, p.texts, '.');

  EXPECT_TRUE(p.canvas.Calls().empty());
  EXPECT_EQ(axis.GetVisibleStart(), 50.0F);
  EXPECT_EQ(axis.GetVisibleEnd(), 100.0F);
  EXPECT_EQ(x.GetVisibleStart(), 50.0F);
  EXPECT_EQ(x.GetVisibleEnd(), 100.0F);
}

constexpr Rect kBand{0, 200, 400, 230};  // 400 pixels wide, axis along y = 200

TEST(AxisDrawing, MinutesAxisShowsConvertedTimesLeftCentredAndRightAligned) {
  Painted p;
  CXAchse x;
  x.SetUnit(kTimeMinutes, u"");
  x.SetMax(7200.0F);
  x.Draw(p.canvas, kBand, 1.0, 0.0, true, p.texts, '.');

  const std::vector<std::u16string> labels = {u"0.00",  u"24.00", u"48.00",
                                              u"72.00", u"96.00", u"120.00"};
  EXPECT_EQ(TickLabels(p.canvas, 1), labels);
  const auto* unit = p.canvas.FindText(u"[#32863]");
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(unit->x, 400 - 8 * kCw - kCw);
  EXPECT_EQ(unit->y, 215);

  const auto lines = p.canvas.CallsOf(Op::LineTo);
  ASSERT_EQ(lines.size(), 7U);
  EXPECT_EQ(lines[0].rect, (Rect{0, 200, 400, 200}));
  const int expectedLefts[] = {0, 80 - 10, 160 - 10, 240 - 10, 320 - 10, 400 - 24};
  for (int i = 0; i <= 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(lines[static_cast<std::size_t>(i) + 1].rect, (Rect{80 * i, 200, 80 * i, 200 + kCw}));
    const auto* label = p.canvas.FindText(labels[static_cast<std::size_t>(i)]);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->x, expectedLefts[i]);
    EXPECT_EQ(label->y, 200 + kCw);
  }
}

TEST(AxisDrawing, XAxisPutsTheExponentIntoTheUnitLabel) {
  struct Case {
    int timeUnit;
    float max;
    std::u16string unitLabel;
    std::u16string lastLabel;
  };
  const Case cases[] = {
      {0, 7.2e6F, u"[10e3 #32862]", u"2.00"},  // 2000 hours
      {2, 5000.0F, u"[10e3 #32864]", u"5.00"},
      {2, 500.0F, u"[#32864]", u"500.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.timeUnit);
    Painted p;
    CXAchse x;
    x.SetUnit(c.timeUnit, u"");
    x.SetMax(c.max);
    x.Draw(p.canvas, kBand, 1.0, 0.0, true, p.texts, '.');
    EXPECT_EQ(p.canvas.Texts().front(), c.unitLabel);
    EXPECT_EQ(p.canvas.Texts().back(), c.lastLabel);
  }
}

TEST(AxisDrawing, XyModeLabelsTheSourceUnitWithoutTimeConversion) {
  Painted p;
  CXAchse x;
  x.SetUnit(1, u"");  // minutes while time
  x.SetXYMode(1, 0);
  x.SetUnit(4, u"");
  x.SetMin(0.0F);
  x.SetMax(100.0F);
  x.SetDivisions(0);
  x.Draw(p.canvas, kBand, 1.0, 0.0, true, p.texts, '.');
  const std::vector<std::u16string> expected = {u"[#32869]", u"0.00", u"100.00"};
  EXPECT_EQ(p.canvas.Texts(), expected);
}

TEST(AxisDrawing, CorruptRangesDivisionsAndZoomDoNotBreakPainting) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const float fnan = std::numeric_limits<float>::quiet_NaN();
  const float finf = std::numeric_limits<float>::infinity();
  struct Case {
    float min;
    float max;
    int divisions;
    double zoom;
    double scroll;
    Rect area;
  };
  const Case cases[] = {
      {0.0F, 10.0F, -1, 1.0, 0.0, kColumn},        {0.0F, 10.0F, -7, 1.0, 0.0, kColumn},
      {0.0F, 10.0F, 4, 0.0, 0.0, kColumn},         {0.0F, 10.0F, 4, nan, nan, kColumn},
      {fnan, 10.0F, 4, 1.0, 0.0, kColumn},         {0.0F, finf, 4, 1.0, 0.0, kColumn},
      {-finf, finf, 4, inf, -inf, kColumn},        {0.0F, 10.0F, 4, 1.0, 0.0, {5, 5, 5, 5}},
      {5.0F, 5.0F, 2147483647, 1.0, 0.0, kColumn},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.divisions);
    Painted p;
    CAchse axis = ValueAxis(c.min, c.max, c.divisions);
    axis.Draw(p.canvas, c.area, c.zoom, c.scroll, {1, 2}, true, p.texts, '.');
    CXAchse x;
    x.SetMin(c.min);
    x.SetMax(c.max);
    x.SetDivisions(c.divisions);
    x.Draw(p.canvas, c.area, c.zoom, c.scroll, true, p.texts, '.');
    EXPECT_LT(p.canvas.Calls().size(), 1000000U);
    for (const auto& call : p.canvas.CallsOf(Op::LineTo)) {
      EXPECT_LE(std::abs(static_cast<long long>(call.x)), 1LL << 28);
      EXPECT_LE(std::abs(static_cast<long long>(call.y)), 1LL << 28);
    }
  }
}

TEST(AxisDrawing, NegativeDivisionCountsAndZoomZeroShowTheWholeRangeWithoutInnerTicks) {
  Painted p;
  CAchse axis = ValueAxis(0.0F, 10.0F, -1);
  axis.Draw(p.canvas, kColumn, 0.0, 0.0, {}, true, p.texts, '.');
  const auto lines = p.canvas.CallsOf(Op::LineTo);
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_EQ(lines[0].rect, (Rect{60, 120, 60 - kCw, 120}));
  EXPECT_EQ(lines[1].rect, (Rect{60, 20, 60 - kCw, 20}));
  EXPECT_EQ(axis.GetVisibleStart(), 0.0F);
  EXPECT_EQ(axis.GetVisibleEnd(), 10.0F);
}

TEST(AxisDrawing, LabelsUseTheGivenDecimalSeparator) {
  Painted p;
  CAchse axis = ValueAxis(0.0F, 10.0F, 3);
  axis.Draw(p.canvas, kColumn, 1.0, 0.0, {0}, true, p.texts, ',');
  const std::vector<std::u16string> values = {u" 0,00", u" 2,50", u" 5,00", u" 7,50", u"10,00"};
  EXPECT_EQ(TickLabels(p.canvas, 1), values);

  Painted q;
  CXAchse x;
  x.SetMax(5000.0F);
  x.SetDivisions(1);
  x.Draw(q.canvas, kBand, 1.0, 0.0, true, q.texts, ',');
  const std::vector<std::u16string> times = {u"[10e3 #32864]", u"0,00", u"2,50", u"5,00"};
  EXPECT_EQ(q.canvas.Texts(), times);
}

TEST(AxisDrawing, HugeDivisionCountsKeepTheWholeVisibleWindow) {
  struct Case {
    int divisions;
    double zoom;
    double scroll;
    float end;
  };
  const Case cases[] = {
      {99999, 1.0, 0.0, 10.0F},  {100000, 1.0, 0.0, 10.0F},  {2147483647, 1.0, 0.0, 10.0F},
      {250000, 2.0, 0.5, 10.0F}, {1000000, 4.0, 0.25, 5.0F},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.divisions);
    const AxisWindow window = ComputeAxisWindow(0.0, 10.0, c.divisions, c.zoom, c.scroll, 100);
    EXPECT_LE(window.tickValues.size(), static_cast<std::size_t>(kMaxAxisTicks) + 1);
    EXPECT_NEAR(window.visibleEnd, c.end, 1e-4);
    EXPECT_NEAR(window.visibleStart, 10.0 * c.scroll, 1e-6);
  }
  Painted p;
  CAchse axis = ValueAxis(0.0F, 10.0F, 500000);
  axis.Draw(p.canvas, kColumn, 1.0, 0.0, {0}, false, p.texts, '.');
  EXPECT_EQ(axis.GetVisibleEnd(), 10.0F);
}

}  // namespace
}  // namespace vantrel::model
