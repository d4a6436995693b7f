// Axis layout of instrument curves: palette, time-axis rule, readout grouping, online growth.
#include <gtest/gtest.h>

#include "instrument/AxisAssignment.h"

namespace vantrel::instrument {
namespace {

model::CKurveObj& AddCurve(model::CMessungObj& measurement, int unit, float range, float peak,
                           const char16_t* text = u"") {
  model::CKurveObj& curve = *measurement.AddCurve();
  curve.SetUnit(unit, text);
  curve.SetSensorRange(range);
  curve.SetPeakValue(peak);
  return curve;
}

TEST(AxisAssignment, PaletteFollowsChannelSlots) {
  EXPECT_EQ(PaletteColor(0), 0x0000FFU);
  EXPECT_EQ(PaletteColor(2), 0xFF0000U);
  EXPECT_EQ(PaletteColor(3), 0x808000U);
  EXPECT_EQ(PaletteColor(7), 0x800000U);
}

TEST(AxisAssignment, TimeAxisSwitchesToMinutesAndHoursAndNeverBackFromHours) {
  model::CXAchse axis;
  ApplyXAxisRule(axis, 299);
  EXPECT_EQ(axis.GetUnit(nullptr), model::kTimeSeconds);
  ApplyXAxisRule(axis, 300);
  EXPECT_EQ(axis.GetUnit(nullptr), model::kTimeMinutes);
  ApplyXAxisRule(axis, 5 * 3600);
  EXPECT_EQ(axis.GetUnit(nullptr), model::kTimeHours);
  ApplyXAxisRule(axis, 600);
  EXPECT_EQ(axis.GetUnit(nullptr), model::kTimeHours);
  EXPECT_EQ(axis.GetMax(), 600.0F);
}

TEST(AxisAssignment, ReadoutGroupsCurvesBySettings) {
  struct Case {
    int zusammenfassen;
    int axes;
  };
  // bar/600, bar/600, bar/250, mbar (custom), mbar (custom).
  for (const Case& c : {Case{0, 2}, Case{1, 3}, Case{2, 5}}) {
    SCOPED_TRACE(c.zusammenfassen);
    model::CMessungObj measurement;
    AddCurve(measurement, 4, 600.0F, 100.0F);
    AddCurve(measurement, 4, 600.0F, 300.0F);
    AddCurve(measurement, 4, 250.0F, 50.0F);
    AddCurve(measurement, 9, 10.0F, 5.0F, u"mbar");
    AddCurve(measurement, 9, 10.0F, 6.0F, u"mbar");
    AssignReadoutAxes(measurement, {-5.0F, -1.0F, 0.0F, 0.0F, 0.0F, 0.0F}, {c.zusammenfassen, 0});
    EXPECT_EQ(measurement.GetYAxisCount(), c.axes);
    EXPECT_EQ(measurement.GetCurve(1)->GetAxisIndex(), c.zusammenfassen == 2 ? 1 : 0);
  }
}

TEST(AxisAssignment, ReadoutRangesAreSensorRangeOrFittedWithTenPercentOfIt) {
  model::CMessungObj plain;
  AddCurve(plain, 4, 600.0F, 100.0F);
  AssignReadoutAxes(plain, {-5.0F}, {0, 0});
  EXPECT_EQ(plain.GetYAxis(0)->GetMin(), 0.0F);
  EXPECT_EQ(plain.GetYAxis(0)->GetMax(), 600.0F);
  model::CMessungObj fitted;
  AddCurve(fitted, 4, 600.0F, 100.0F);
  AssignReadoutAxes(fitted, {-5.0F}, {0, 1});
  EXPECT_FLOAT_EQ(fitted.GetYAxis(0)->GetMin(), -65.0F);
  EXPECT_FLOAT_EQ(fitted.GetYAxis(0)->GetMax(), 160.0F);
}

TEST(AxisAssignment, FirstOnlineSampleGivesAnAxisWithoutTouchingTheTimeAxis) {
  model::CMessungObj measurement;
  model::CKurveObj& curve = AddCurve(measurement, 4, 0.0F, 0.0F);
  curve.SetAxisIndex(-1);
  curve.SetSampleInterval(0.5);
  measurement.GetXAxis().SetMax(-7.0F);
  OnlineAxisGrowth growth(measurement, {0, 1});
  growth.AddOnlineSample(0, 99.0F, 101.0F, 100.0F);
  EXPECT_EQ(curve.GetDuration(), 0);
  EXPECT_EQ(curve.GetAxisIndex(), 0);
  EXPECT_EQ(measurement.GetXAxis().GetMax(), -7.0F);
  EXPECT_FLOAT_EQ(measurement.GetYAxis(0)->GetMin(), 99.0F);
  EXPECT_FLOAT_EQ(measurement.GetYAxis(0)->GetMax(), 101.0F);
  growth.AddOnlineSample(0, 99.0F, 101.0F, 100.0F);
  growth.AddOnlineSample(0, 99.0F, 101.0F, 100.0F);
  EXPECT_EQ(curve.GetDuration(), 1);
  EXPECT_EQ(measurement.GetXAxis().GetMax(), 1.0F);
}

TEST(AxisAssignment, OnlineFirstAxisRangeDependsOnScaling) {
  struct Case {
    int einteilung;
    float minimum, maximum;
    float axisMin, axisMax;
  };
  for (const Case& c : {Case{1, 0.1F, 0.3F, 0.0F, 1.0F}, Case{0, 5.0F, 7.0F, 0.0F, 7.0F},
                        Case{1, 99.0F, 101.0F, 99.0F, 101.0F}}) {
    SCOPED_TRACE(c.maximum);
    model::CMessungObj measurement;
    AddCurve(measurement, 4, 0.0F, 0.0F).SetAxisIndex(-1);
    OnlineAxisGrowth growth(measurement, {0, c.einteilung});
    growth.AddOnlineSample(0, c.minimum, c.maximum, 0.0F);
    EXPECT_FLOAT_EQ(measurement.GetYAxis(0)->GetMin(), c.axisMin);
    EXPECT_FLOAT_EQ(measurement.GetYAxis(0)->GetMax(), c.axisMax);
  }
}

TEST(AxisAssignment, OnlineCurvesOfOneUnitShareAnAxisThatGrowsWithLaterSamples) {
  model::CMessungObj measurement;
  AddCurve(measurement, 4, 0.0F, 0.0F).SetAxisIndex(-1);
  AddCurve(measurement, 4, 0.0F, 0.0F).SetAxisIndex(-1);
  AddCurve(measurement, 8, 0.0F, 0.0F).SetAxisIndex(-1);
  OnlineAxisGrowth growth(measurement, {0, 0});
  growth.AddOnlineSample(0, 1.0F, 2.0F, 0.0F);
  growth.AddOnlineSample(1, 1.0F, 9.0F, 0.0F);
  growth.AddOnlineSample(2, 1.0F, 3.0F, 0.0F);
  EXPECT_EQ(measurement.GetYAxisCount(), 2);
  EXPECT_EQ(measurement.GetCurve(1)->GetAxisIndex(), 0);
  EXPECT_EQ(measurement.GetYAxis(0)->GetMax(), 2.0F);
  growth.AddOnlineSample(1, -4.0F, 9.0F, 0.0F);
  EXPECT_EQ(measurement.GetYAxis(0)->GetMax(), 9.0F);
  EXPECT_EQ(measurement.GetYAxis(0)->GetMin(), -4.0F);
}

}  // namespace
}  // namespace vantrel::instrument
