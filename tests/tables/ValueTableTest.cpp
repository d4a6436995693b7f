#include <gtest/gtest.h>

#include "FakeTexts.h"
#include "MeasurementBuilder.h"
#include "tables/ValueTable.h"

namespace vantrel::tables {
namespace {

class ValueTableTest : public ::testing::Test {
 protected:
  ValueTableTest() {
    testing::AddNamedCurve(measurement, u"a", 0.5, testing::Ramp(3)).SetValueMode(model::kModeBar);
    testing::AddNamedCurve(measurement, u"b", 0.5, testing::Ramp(5))
        .SetValueMode(model::kModeValue);
    testing::AddNamedCurve(measurement, u"c", 0.5, testing::Ramp(4));  // mean
  }
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
};

TEST_F(ValueTableTest, ColumnsFollowTheValueModesOfTheSelectedCurves) {
  const ValueTable table(measurement, {0, 1, 2}, texts, {});
  const auto& columns = table.Columns();
  ASSERT_EQ(columns.size(), 5U);
  EXPECT_EQ(columns[0].title, u"#32856");
  EXPECT_EQ(columns[0].Width(20), 80);
  EXPECT_EQ(columns[1].title, u"#32852 1");
  EXPECT_EQ(columns[2].title, u"#32853 1");
  EXPECT_EQ(columns[3].title, u"#32855 2");
  EXPECT_EQ(columns[4].title, u"#32854 3");
  EXPECT_TRUE(columns[4].rightAligned);
  EXPECT_EQ(columns[4].Width(20), 40);
  EXPECT_EQ(table.RowCount(), 5);
}

TEST_F(ValueTableTest, CellsAreReadOnDemandInAnyOrderAndShortCurvesShowZero) {
  TextConventions conventions;
  conventions.decimalSeparator = ',';
  const ValueTable table(measurement, {0, 1, 2}, texts, conventions);
  // Rows read backwards, then forwards, then jumping: the same texts every time.
  const struct {
    long long row;
    const char16_t* cells[5];
  } expected[] = {
      {4, {u"00:00:02,000", u"0,000", u"0,000", u"4,250", u"0,000"}},
      {2, {u"00:00:01,000", u"2,000", u"2,500", u"2,250", u"2,250"}},
      {0, {u"00:00:00,000", u"0,000", u"0,500", u"0,250", u"0,250"}},
      {3, {u"00:00:01,500", u"0,000", u"0,000", u"3,250", u"3,250"}},
      {2, {u"00:00:01,000", u"2,000", u"2,500", u"2,250", u"2,250"}},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.row);
    for (int column = 0; column < 5; ++column)
      EXPECT_EQ(table.CellText(e.row, column), e.cells[column]);
  }
  EXPECT_EQ(table.CellText(5, 1), u"");
  EXPECT_EQ(table.CellText(-1, 1), u"");
}

TEST_F(ValueTableTest, StalePositionsAreSkippedAndAtMostSixteenCurvesAreUsed) {
  const ValueTable stale(measurement, {7, -1, 1}, texts, {});
  ASSERT_EQ(stale.Columns().size(), 2U);
  EXPECT_EQ(stale.Columns()[1].title, u"#32855 2");
  std::vector<int> many(20, 2);
  EXPECT_EQ(ValueTable(measurement, many, texts, {}).Columns().size(), 17U);
}

TEST_F(ValueTableTest, ARowFarDownALongCurveIsReadDirectly) {
  model::CMessungObj big;
  model::CKurveObj& curve = testing::AddNamedCurve(big, u"lang", 0.001, {});
  curve.MutableSamples().resize(1'000'000, model::CValueObj(1.0F, 2.0F, 3.0F));
  const ValueTable table(big, {0}, texts, {});
  EXPECT_EQ(table.RowCount(), 1'000'000);
  EXPECT_EQ(table.CellText(999'999, 0), u"00:16:39.999");
  EXPECT_EQ(table.CellText(999'999, 1), u"1.500");
}

TEST(ValueTableGroups, SelectionsSplitByIntervalLongestFirst) {
  model::CMessungObj measurement;
  testing::AddNamedCurve(measurement, u"a", 0.1, {});
  testing::AddNamedCurve(measurement, u"b", 1.0, {});
  testing::AddNamedCurve(measurement, u"c", 0.1, {});
  const std::vector<std::vector<int>> expected = {{1}, {0, 2}};
  EXPECT_EQ(GroupByInterval(measurement, {0, 1, 2, 9}), expected);
}

}  // namespace
}  // namespace vantrel::tables
