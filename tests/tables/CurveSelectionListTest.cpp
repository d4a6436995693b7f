#include <gtest/gtest.h>

#include "FakeTexts.h"
#include "MeasurementBuilder.h"
#include "app/MessageIds.h"
#include "tables/CurveSelectionList.h"
#include "tables/ListFrameLayout.h"

namespace vantrel::tables {
namespace {

TEST(CurveSelectionList, ShowsEveryCurveWithItsFilterCutoff) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  testing::AddNamedCurve(measurement, u"a", 0.1, {}).SetFilterCutoff(2.5F);
  testing::AddNamedCurve(measurement, u"b", 0.1, {}).SetColor(0xABCDEF);
  TextConventions conventions;
  conventions.decimalSeparator = ',';
  const CurveSelectionList list(measurement, texts, conventions);
  ASSERT_EQ(list.Columns().size(), 4U);
  EXPECT_EQ(list.Columns()[0].Width(10), 32);
  EXPECT_EQ(list.Columns()[3].title, u"#32848");
  EXPECT_EQ(list.Columns()[3].Width(10), 28);
  ASSERT_EQ(list.RowCount(), 2);
  EXPECT_EQ(list.CellText(0, 3), u"2,500000 Hz");
  EXPECT_EQ(list.CellText(1, 0), u"2");
  EXPECT_EQ(list.CellText(1, 3), u"");
  EXPECT_EQ(list.RowSwatch(1), platform::Color{0xABCDEF});
}

TEST(CurveSelectionList, SelectedRowsBecomeAtMostSixteenPositionsInListOrder) {
  EXPECT_EQ(SelectionFromRows({3, 1, 3, -1, 40}, 5), (std::vector<int>{1, 3}));
  std::vector<int> all;
  for (int row = 19; row >= 0; --row) all.push_back(row);
  const std::vector<int> selection = SelectionFromRows(all, 20);
  ASSERT_EQ(selection.size(), 16U);
  EXPECT_EQ(selection.front(), 0);
  EXPECT_EQ(selection.back(), 15);
}

TEST(ListFrameLayout, FirstPlacementAndTitleFollowTheTableMode) {
  const struct {
    int mode;
    int count;
    FirstPlacement placement;
    int suffix;
  } cases[] = {
      {kTableLegend, 0, {true, {0, 1000 - 30 - 136}, {250, 136}}, ids::kStrLegendTitle},
      {kTableExtremes, 0, {true, {250, 1000 - 30 - 136}, {508, 136}}, ids::kStrExtremesTitle},
      {kTableValues, 3, {false, {}, {310, 200}}, ids::kStrValueListTitle},
      {kTableValues, 9, {false, {}, {640, 200}}, ids::kStrValueListTitle},
      {kTableInformation, 4, {false, {}, {640, 360}}, ids::kStrCurveInformationTitle},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode * 100 + c.count);
    const FirstPlacement placement = FirstPlacementFor(c.mode, c.count, 1000, 30);
    EXPECT_EQ(placement.move, c.placement.move);
    EXPECT_EQ(placement.size, c.placement.size);
    if (c.placement.move) {
      EXPECT_EQ(placement.position, c.placement.position);
    }
    EXPECT_EQ(TitleSuffixId(c.mode), c.suffix);
  }
}

}  // namespace
}  // namespace vantrel::tables
