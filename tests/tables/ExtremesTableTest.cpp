#include <gtest/gtest.h>

#include <limits>

#include "FakeTexts.h"
#include "MeasurementBuilder.h"
#include "tables/ExtremesTable.h"

namespace vantrel::tables {
namespace {

TEST(ExtremesTable, ShowsLowestAndHighestValuesWithTheTimesOfTheirFirstOccurrence) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  model::CKurveObj& curve = testing::AddNamedCurve(
      measurement, u"p", 0.5, {{-1.0F, 2.0F, 0}, {3.0F, 7.25F, 0}, {-1.0F, 7.25F, 0}});
  curve.SetUnit(4, u"");
  TextConventions conventions;
  conventions.decimalSeparator = ',';

  const ExtremesTable table(measurement, texts, conventions);
  ASSERT_EQ(table.RowCount(), 1);
  EXPECT_EQ(table.CellText(0, 0), u"1");
  EXPECT_EQ(table.CellText(0, 2), u"-1,000");
  EXPECT_EQ(table.CellText(0, 3), u"00:00:00,000");
  EXPECT_EQ(table.CellText(0, 4), u"7,250");
  EXPECT_EQ(table.CellText(0, 5), u"00:00:00,500");
  EXPECT_EQ(table.CellText(0, 6), u"#32869");
  EXPECT_EQ(table.Columns()[3].Width(10), 50);
}

TEST(ExtremesTable, ANegativeCurveReportsItsTrueHighestValue) {
  model::CMessungObj measurement;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  testing::AddNamedCurve(measurement, u"t", 1.0,
                         {{nan, nan, 0}, {-5.0F, -4.0F, 0}, {-6.0F, -4.5F, 0}});
  const CurveExtremes extremes = FindExtremes(*measurement.GetCurve(0));
  EXPECT_EQ(extremes.low, -6.0F);
  EXPECT_EQ(extremes.lowIndex, 2);
  EXPECT_EQ(extremes.high, -4.0F);
  EXPECT_EQ(extremes.highIndex, 1);
}

TEST(ExtremesTable, ACurveWithoutSamplesHasEmptyValueAndTimeCells) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  testing::AddNamedCurve(measurement, u"leer", 1.0, {});
  const ExtremesTable table(measurement, texts, {});
  ASSERT_EQ(table.RowCount(), 1);
  for (int column = 2; column <= 5; ++column) EXPECT_EQ(table.CellText(0, column), u"");
  EXPECT_EQ(table.CellText(0, 1), u"leer");
}

}  // namespace
}  // namespace vantrel::tables
