#include <gtest/gtest.h>

#include "FakeTexts.h"
#include "MeasurementBuilder.h"
#include "tables/LegendTable.h"
#include "tables/TableFactory.h"

namespace vantrel::tables {
namespace {

TEST(LegendTable, ListsEveryCurveWithNumberNameValueTextAndSwatch) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  testing::AddNamedCurve(measurement, u"Druck", 0.1, {}).SetColor(0x0000FF);
  model::CKurveObj& bar = testing::AddNamedCurve(measurement, u"Fluss", 0.1, {});
  bar.SetValueMode(model::kModeBar);
  bar.SetColor(0x00FF00);

  const LegendTable table(measurement, texts);
  ASSERT_EQ(table.Columns().size(), 3U);
  EXPECT_EQ(table.Columns()[0].title, u"#32837");
  EXPECT_EQ(table.Columns()[0].Width(40), 65);
  EXPECT_EQ(table.Columns()[1].Width(40), 160);
  EXPECT_EQ(table.Columns()[2].Width(40), 52);
  ASSERT_EQ(table.RowCount(), 2);
  EXPECT_EQ(table.CellText(0, 0), u"1");
  EXPECT_EQ(table.CellText(0, 1), u"Druck");
  EXPECT_EQ(table.CellText(0, 2), u"#32854");
  EXPECT_EQ(table.CellText(1, 2), u"#32852/#32853");
  EXPECT_EQ(table.RowSwatch(1), platform::Color{0x00FF00});
  EXPECT_EQ(table.CellText(2, 0), u"");
}

TEST(LegendTable, EveryModeOfAnEmptyMeasurementHasTitlesButNoRows) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  const struct {
    int mode;
    std::size_t columns;
    long long rows;
  } cases[] = {{kTableLegend, 3, 0},
               {kTableExtremes, 7, 0},
               {kTableValues, 1, 0},
               {kTableInformation, 1, 21},
               {7, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    TableRequest request;
    request.mode = c.mode;
    const auto table = BuildTable(measurement, texts, request);
    EXPECT_EQ(table->Columns().size(), c.columns);
    EXPECT_EQ(table->RowCount(), c.rows);
  }
}

}  // namespace
}  // namespace vantrel::tables
