#include <gtest/gtest.h>

#include "FakeTexts.h"
#include "MeasurementBuilder.h"
#include "tables/CellTexts.h"
#include "tables/InformationSheet.h"

namespace vantrel::tables {
namespace {

TEST(InformationSheet, ShowsTwentyOneRowsPerCurveInTheCurvesColour) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  model::CKurveObj& measured =
      testing::AddNamedCurve(measurement, u"Druck", 0.01, testing::Ramp(2));
  measured.SetChannelNumber(3);
  measured.SetUnit(4, u"");
  measured.SetSensorRange(600.7F);
  measured.SetOrigin(model::kOriginSpecial);
  measured.SetRecordingKind(1);
  measured.SetDuration(125);
  measured.SetTriggerMode(1);
  measured.SetTriggerChannel(3);
  measured.SetTriggerLevel(50.0F);
  measured.SetTriggerEdge(1);
  measured.SetColor(0x123456);
  measured.SetFilterCutoff(25.0F);
  TextConventions conventions;
  conventions.decimalSeparator = ',';
  conventions.dateTime = [](platform::TimeStamp stamp) { return IntText(stamp) + u"!"; };
  measured.SetStartTime(1000);

  const InformationSheet sheet(measurement, {0, 5}, u"/daten/m1.vqb", texts, conventions);
  ASSERT_EQ(sheet.RowCount(), kInformationRows);
  ASSERT_EQ(sheet.Columns().size(), 2U);
  EXPECT_EQ(sheet.Columns()[0].Width(30), 60);
  EXPECT_EQ(sheet.Columns()[1].title, u"Druck");
  EXPECT_EQ(sheet.Columns()[1].Width(30), 120);
  EXPECT_TRUE(sheet.OwnerDrawn());
  EXPECT_EQ(sheet.CellColor(4, 0), platform::kBlack);
  EXPECT_EQ(sheet.CellColor(4, 1), platform::Color{0x123456});

  const char16_t* expected[kInformationRows][2] = {
      {u"#32935", u"1"},         {u"#32936", u"3"},         {u"#32937", u"#32869"},
      {u"#32938", u"600"},       {u"#32940", u"#32854"},    {u"#32939", u"#32876"},
      {u"#32941", u""},          {u"#32942", u"0,000"},     {u"#32943", u"0,000"},
      {u"#32944", u"25,000 Hz"}, {u"#32945", u"1000!"},     {u"#32946", u"/daten/m1.vqb"},
      {u"#32947", u"#32878"},    {u"#32948", u"02:05 min"}, {u"#32949", u"0,010 s"},
      {u"#32955", u""},          {u"#32950", u"#32879"},    {u"#32951", u"50,000 #32869"},
      {u"#32952", u"#32883"},    {u"#32953", u"3"},         {u"#32954", u"0,000 s"},
  };
  for (int row = 0; row < kInformationRows; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(sheet.CellText(row, 0), expected[row][0]);
    EXPECT_EQ(sheet.CellText(row, 1), expected[row][1]);
  }
}

TEST(InformationSheet, AFormulaCurveShowsItsFormulaAndNoSensorOrTriggerMode) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  model::CKurveObj& formula = testing::AddNamedCurve(measurement, u"F", 0.1, {});
  formula.SetOrigin(model::kOriginComputed);
  formula.SetSourceText(u"I1*2");
  formula.SetTriggerMode(2);
  formula.SetValueMode(7);
  const auto column = InformationColumn(formula, 1, measurement, u"", texts, {});
  EXPECT_EQ(column[6], u"I1*2");
  EXPECT_EQ(column[3], u"");
  EXPECT_EQ(column[4], u"");
  EXPECT_EQ(column[16], u"");
  EXPECT_EQ(column[17], u"");
  EXPECT_EQ(column[19], u"");
}

}  // namespace
}  // namespace vantrel::tables
