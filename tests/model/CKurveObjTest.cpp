#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "FakeTexts.h"
#include "app/MessageIds.h"
#include "model/CAchse.h"
#include "model/CKurveObj.h"

namespace vantrel::model {
namespace {

CKurveObj CurveWith(std::initializer_list<float> values, double interval, int duration) {
  CKurveObj curve;
  for (float v : values) curve.AddSample(v, v + 1.0F, v + 2.0F);
  curve.SetSampleInterval(interval);
  curve.SetDuration(duration);
  return curve;
}

TEST(CKurveObj, StartsWithMeanValueModeVisibleAndTriggerChannelOne) {
  CKurveObj curve;
  EXPECT_EQ(curve.GetValueMode(), 2);
  EXPECT_EQ(curve.GetVisible(), 1);
  EXPECT_EQ(curve.GetTriggerChannel(), 1);
  EXPECT_EQ(curve.GetSample(0), nullptr);
  EXPECT_EQ(curve.GetSample(-1), nullptr);
}

TEST(CKurveObj, ValueAtPicksTheSampleOfTheTimeAndZeroBeyondDuration) {
  CKurveObj curve = CurveWith({10, 20, 30}, 0.5, 2);
  float mn = -1, mx = -1, v = -1;
  curve.ValueAt(0.0, &mn, &mx, &v);
  EXPECT_EQ(mn, 10);
  EXPECT_EQ(mx, 11);
  EXPECT_EQ(v, 12);
  curve.ValueAt(0.99, &mn, nullptr, nullptr);
  EXPECT_EQ(mn, 20);
  curve.ValueAt(1.5, &mn, &mx, &v);  // within duration, past the last sample
  EXPECT_EQ(mn, 0);
  EXPECT_EQ(v, 0);
  curve.ValueAt(2.01, &mn, &mx, &v);  // beyond duration
  EXPECT_EQ(mx, 0);
}

TEST(CKurveObj, ValueAtWithZeroIntervalDoesNotDivideByZero) {
  CKurveObj curve = CurveWith({7, 8}, 0.0, 10);
  float mn = -1;
  curve.ValueAt(0.0, &mn, nullptr, nullptr);
  EXPECT_EQ(mn, 7);
  curve.ValueAt(3.0, &mn, nullptr, nullptr);
  EXPECT_EQ(mn, 0);
}

TEST(CKurveObj, PlottedValueFollowsTheValueMode) {
  const CValueObj s(2.0F, 4.0F, 9.0F);
  EXPECT_EQ(PlottedValue(s, kModeMinimum, 1.0F), 3.0F);
  EXPECT_EQ(PlottedValue(s, kModeMaximum, 1.0F), 5.0F);
  EXPECT_EQ(PlottedValue(s, kModeMean, 1.0F), 4.0F);
  EXPECT_EQ(PlottedValue(s, kModeBar, 0.0F), 2.0F);
  EXPECT_EQ(PlottedValue(s, kModeValue, 0.5F), 9.5F);
  EXPECT_EQ(PlottedValue(s, 7, 1.0F), 0.0F);
}

TEST(CKurveObj, FilterOnAnEmptyCurveOnlyRecordsTheCutoff) {
  CKurveObj curve;
  EXPECT_TRUE(curve.PreviewFilter(5.0F));
  EXPECT_EQ(curve.GetPreviewCutoff(), 5.0F);
  EXPECT_TRUE(curve.FilteredSamples().empty());
}

TEST(CKurveObj, FilterWithZeroCutoffRepeatsTheFirstSample) {
  CKurveObj curve = CurveWith({1, 5, 9, -3}, 0.1, 1);
  ASSERT_TRUE(curve.PreviewFilter(0.0F));
  ASSERT_EQ(curve.FilteredSamples().size(), 4U);
  for (const CValueObj& s : curve.FilteredSamples()) {
    EXPECT_EQ(s.minimum, 1.0F);
    EXPECT_EQ(s.maximum, 2.0F);
    EXPECT_EQ(s.value, 3.0F);
  }
  // A zero cut-off is also "no preview": the raw samples stay on display.
  EXPECT_EQ(&curve.DisplayedSamples(), &curve.Samples());
}

TEST(CKurveObj, FilterMatchesTheTwoStageRecursionAndCommitReplacesSamples) {
  CKurveObj curve = CurveWith({0, 10, 10, 10}, 0.01, 1);
  ASSERT_TRUE(curve.PreviewFilter(10.0F));
  const double k = std::pow(2.718281828, -(0.01 * 10.0 * 6.283185308));
  const double a = (1 - k) * (1 - k), b = 2 * k, c = -k * k;
  double y1 = 0, y2 = 0;
  std::vector<float> expected;
  for (double x : {0.0, 10.0, 10.0, 10.0}) {
    const double y = c * y2 + a * x + b * y1;
    y2 = y1;
    y1 = y;
    expected.push_back(static_cast<float>(y));
  }
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(curve.FilteredSamples()[i].minimum, expected[i]);
  EXPECT_EQ(&curve.DisplayedSamples(), &curve.FilteredSamples());
  curve.CommitFilter();
  EXPECT_EQ(curve.GetFilterCutoff(), 10.0F);
  EXPECT_EQ(curve.GetSample(3)->minimum, expected[3]);
  EXPECT_EQ(curve.FilteredSamples().size(), 4U);  // the preview stays until discarded
  curve.DiscardFilter();
  EXPECT_EQ(curve.GetPreviewCutoff(), 0.0F);
  EXPECT_TRUE(curve.FilteredSamples().empty());
}

TEST(CKurveObj, UnitTextIsKeptUnlessTheCodeIsCustom) {
  testing::FakeTexts texts;
  texts.texts[ids::kStrUnitBar] = u"bar";
  CKurveObj curve;
  curve.SetUnit(model::kUnitCustom, u"mm");
  curve.SetUnit(4, u"ignored");
  std::u16string text = u"unset";
  EXPECT_EQ(curve.GetUnit(&text), 4);
  EXPECT_EQ(text, u"unset");
  EXPECT_EQ(curve.GetUnitText(), u"mm");
  EXPECT_EQ(curve.GetUnitName(texts), u"bar");
  curve.SetUnit(model::kUnitCustom, u"Nm");
  EXPECT_EQ(curve.GetUnitName(texts), u"Nm");
}

TEST(CAchse, SetUnitFallsBackToCustomAndTimeAxisToSeconds) {
  CAchse axis;
  axis.SetUnit(model::kUnitCustom, u"x");
  axis.SetUnit(12, u"y");
  std::u16string text;
  EXPECT_EQ(axis.GetUnit(&text), model::kUnitCustom);
  EXPECT_EQ(text, u"x");
  CXAchse x;
  x.SetUnit(7, u"");
  EXPECT_EQ(x.GetUnit(nullptr), 2);
  x.SetUnit(3, u"Takt");
  EXPECT_EQ(x.GetUnit(&text), 3);
  EXPECT_EQ(text, u"Takt");
}

TEST(CAchse, XAxisSwitchesItsRangeWithTheXYMode) {
  CXAchse x;
  EXPECT_EQ(x.GetMin(), 0.0F);
  EXPECT_EQ(x.GetDivisions(), 4);
  EXPECT_EQ(x.GetDrawLines(), 1);
  x.SetMax(60.0F);
  x.SetXYMode(1, 2);
  x.SetMax(5.0F);
  x.SetDivisions(9);
  EXPECT_EQ(x.GetXCurveIndex(), 2);
  EXPECT_EQ(x.GetMax(), 5.0F);
  x.SetXYMode(0, 4);
  EXPECT_EQ(x.GetXCurveIndex(), -1);
  EXPECT_EQ(x.GetMax(), 60.0F);
  EXPECT_EQ(x.GetDivisions(), 4);
  x.SetXYMode(1, 4);
  EXPECT_EQ(x.GetXCurveIndex(), 4);
}

TEST(CKurveObjSharing, ACopySharesTheSamplesUntilEitherChangesThem) {
  CKurveObj original = CurveWith({1, 2, 3}, 0.5, 2);
  const CValueObj* storage = original.Samples().data();

  CKurveObj copy = original;
  EXPECT_TRUE(copy.SharesSamplesWith(original));
  EXPECT_TRUE(copy.IsSameCurveAs(original));
  EXPECT_EQ(std::as_const(copy).GetSample(1),
            std::as_const(original).GetSample(1));  // reading keeps sharing

  copy.GetSample(1)->Set(9, 9, 9);  // writing detaches the writer only
  EXPECT_FALSE(copy.SharesSamplesWith(original));
  EXPECT_EQ(original.Samples().data(), storage);
  EXPECT_EQ(std::as_const(original).GetSample(1)->minimum, 2.0F);

  CKurveObj second = original;
  second.MutableSamples().clear();
  EXPECT_EQ(original.GetSampleCount(), 3);
  EXPECT_EQ(original.Samples().data(), storage);
}

TEST(CKurveObjSharing, AnUnsharedCurveChangesItsSamplesInPlace) {
  CKurveObj curve = CurveWith({1, 2, 3}, 0.5, 2);
  const CValueObj* storage = curve.Samples().data();
  curve.GetSample(0)->Set(5, 5, 5);
  curve.MutableSamples()[1].Set(6, 6, 6);
  EXPECT_EQ(curve.Samples().data(), storage);
}

TEST(CKurveObjSharing, AFilterCommittedOnASharedCurveLeavesTheCopyItsSamples) {
  CKurveObj curve = CurveWith({0, 10, 0, 10, 0, 10}, 0.01, 1);
  const std::vector<CValueObj> unfiltered = curve.Samples();
  const CKurveObj copy = curve;
  ASSERT_TRUE(curve.PreviewFilter(5.0F));
  curve.CommitFilter();
  EXPECT_EQ(curve.GetFilterCutoff(), 5.0F);
  EXPECT_NE(curve.Samples()[1].minimum, unfiltered[1].minimum);
  EXPECT_EQ(copy.Samples()[1].minimum, unfiltered[1].minimum);
  EXPECT_EQ(copy.GetFilterCutoff(), 0.0F);
  EXPECT_TRUE(copy.FilteredSamples().empty());
}

TEST(CKurveObjSharing, RestoringAStateKeepsTheSamplesAppendedSince) {
  CKurveObj curve = CurveWith({1, 2, 3}, 1.0, 2);
  const CKurveObj state = curve;
  curve.SetColor(0x123456);
  curve.GetSample(0)->Set(7, 7, 7);  // detaches: the state keeps the old samples
  curve.AddSample(4, 5, 6);
  curve.SetDuration(3);

  curve.RestoreState(state);
  EXPECT_EQ(curve.GetColor(), state.GetColor());
  ASSERT_EQ(curve.GetSampleCount(), 4);
  EXPECT_EQ(std::as_const(curve).GetSample(0)->minimum, 1.0F);
  EXPECT_EQ(std::as_const(curve).GetSample(3)->minimum, 4.0F);
  EXPECT_EQ(curve.GetDuration(), 3);
  EXPECT_TRUE(curve.SameSettingsAs(state));
}

TEST(CAchse, VisibleWindowFollowsZoomAndScroll) {
  AxisWindow w = ComputeAxisWindow(0, 100, 4, 2.0, 0.5, 100);
  EXPECT_EQ(w.visibleStart, 50.0F);
  EXPECT_EQ(w.visibleEnd, 100.0F);
  EXPECT_EQ(w.tickValues.size(), 6U);
  EXPECT_DOUBLE_EQ(w.pixelStep, 20.0);
  w = ComputeAxisWindow(0, 10, 2147483647, 1.0, 0.0, 100);  // corrupt division count
  EXPECT_LE(w.tickValues.size(), 100001U);
}

TEST(CAchse, DecadeExponentDependsOnTheMaximumOnly) {
  EXPECT_EQ(DecadeExponent(999.9), 0);
  EXPECT_EQ(DecadeExponent(2500), 3);
  EXPECT_EQ(DecadeExponent(-5), -3);
  EXPECT_EQ(DecadeExponent(1e6), 6);
  EXPECT_EQ(DecadeExponent(120), 0);
}

}  // namespace
}  // namespace vantrel::model
