#include <gtest/gtest.h>

#include "FakeTexts.h"
#include "app/MessageIds.h"
#include "model/CMessungObj.h"

namespace vantrel::model {
namespace {

TEST(CMessungObj, StartsWithTheDocumentedDisplayState) {
  CMessungObj m;
  EXPECT_EQ(m.GetXZoom(), 1.0);
  EXPECT_EQ(m.GetYScroll(), 0.0);
  EXPECT_EQ(m.IsGridVisible(), 1);
  int columns = 0;
  int rows = 0;
  m.GetGrid(&columns, &rows);
  EXPECT_EQ(columns, 4);
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(m.GetCursorA(), -1.0);
  EXPECT_EQ(m.GetCursorB(), -1.0);
  EXPECT_EQ(m.GetTitleVisible(), 1);
  EXPECT_FALSE(m.GetNotes().has_value());
}

TEST(CMessungObj, LookupsOutOfRangeReturnNull) {
  CMessungObj m;
  m.AddCurve();
  m.AddYAxis();
  EXPECT_EQ(m.GetCurve(-1), nullptr);
  EXPECT_EQ(m.GetCurve(1), nullptr);
  EXPECT_NE(m.GetCurve(0), nullptr);
  EXPECT_EQ(m.GetYAxis(-1), nullptr);
  EXPECT_EQ(m.GetYAxis(1), nullptr);
  EXPECT_EQ(m.GetText(0), nullptr);
  EXPECT_EQ(m.GetLine(-1), nullptr);
}

TEST(CMessungObj, SetNameTakesOnlyStorageNumbersFrom1To255) {
  CMessungObj m;
  m.SetName(u"A", 0);
  EXPECT_EQ(m.GetName(), u"A");
  EXPECT_EQ(m.GetStorageNumber(), 0);
  m.SetName(u"B", 255);
  EXPECT_EQ(m.GetStorageNumber(), 255);
  m.SetName(u"C", 256);
  m.SetName(u"D", -1);
  EXPECT_EQ(m.GetName(), u"D");
  EXPECT_EQ(m.GetStorageNumber(), 255);
}

TEST(CMessungObj, NewValueAxisStartsWithAnEmptyRangeAndThreeDivisions) {
  CMessungObj m;
  CAchse* axis = m.AddYAxis();
  ASSERT_NE(axis, nullptr);
  EXPECT_EQ(axis->GetMin(), 3.4028235e38F);
  EXPECT_EQ(axis->GetMax(), 1.1754944e-38F);
  EXPECT_EQ(axis->GetDivisions(), 3);
}

TEST(CMessungObj, FindCurveByChannelExaminesOnlyTheFirstSixteenCurves) {
  CMessungObj m;
  for (int i = 0; i < 17; ++i) m.AddCurve()->SetChannelNumber(i + 1);
  m.GetCurve(3)->SetChannelNumber(2);
  EXPECT_EQ(m.FindCurveByChannel(2), m.GetCurve(1));
  EXPECT_EQ(m.FindCurveByChannel(16), m.GetCurve(15));
  EXPECT_EQ(m.FindCurveByChannel(17), nullptr);
}

TEST(CMessungObj, CollectAxisColorsLeavesOutTheXSourceCurve) {
  CMessungObj m;
  for (platform::Color c : {0x0000FFu, 0x00FF00u, 0xFF0000u}) {
    CKurveObj* curve = m.AddCurve();
    curve->SetColor(c);
    curve->SetAxisIndex(0);
  }
  EXPECT_EQ(m.CollectAxisColors(0), (std::vector<platform::Color>{0x0000FF, 0x00FF00, 0xFF0000}));
  m.GetXAxis().SetXYMode(1, 1);
  EXPECT_EQ(m.CollectAxisColors(0), (std::vector<platform::Color>{0x0000FF, 0xFF0000}));
  EXPECT_TRUE(m.CollectAxisColors(1).empty());
}

TEST(CMessungObj, RemovingTheOnlyCurveOfAnAxisRemovesTheAxisAndRenumbersLaterAxes) {
  CMessungObj m;
  for (int i = 0; i < 3; ++i) m.AddYAxis()->SetDivisions(10 + i);
  for (int axis : {0, 1, 2}) m.AddCurve()->SetAxisIndex(axis);
  m.RemoveCurve(1);
  ASSERT_EQ(m.GetYAxisCount(), 2);
  EXPECT_EQ(m.GetYAxis(1)->GetDivisions(), 12);
  ASSERT_EQ(m.GetCurveCount(), 2);
  EXPECT_EQ(m.GetCurve(0)->GetAxisIndex(), 0);
  EXPECT_EQ(m.GetCurve(1)->GetAxisIndex(), 1);
}

TEST(CMessungObj, RemovingOneOfTwoCurvesOnAnAxisKeepsTheAxis) {
  CMessungObj m;
  m.AddYAxis();
  m.AddCurve()->SetName(u"a");
  m.AddCurve()->SetName(u"b");
  m.RemoveCurve(0);
  EXPECT_EQ(m.GetYAxisCount(), 1);
  ASSERT_EQ(m.GetCurveCount(), 1);
  EXPECT_EQ(m.GetCurve(0)->GetName(), u"b");
  m.RemoveCurve(5);
  m.RemoveCurve(-1);
  EXPECT_EQ(m.GetCurveCount(), 1);
}

TEST(CMessungObj, RemovingACurveWhoseAxisIndexNamesNoAxisRemovesOnlyTheCurve) {
  CMessungObj m;
  m.AddYAxis();
  m.AddCurve()->SetAxisIndex(7);
  m.RemoveCurve(0);
  EXPECT_EQ(m.GetCurveCount(), 0);
  EXPECT_EQ(m.GetYAxisCount(), 1);
}

TEST(CMessungObj, AnnotationsAreAddedAndRemovedByListPosition) {
  CMessungObj m;
  m.AddText(u"one", 10, 0.1, 0.2);
  m.AddText(u"two", 12, 0.3, 0.4);
  m.AddLine(0.25, 0.25, 0.25, 0.25);
  m.RemoveText(0);
  ASSERT_EQ(m.GetTextCount(), 1);
  EXPECT_EQ(m.GetText(0)->GetText(), u"two");
  EXPECT_EQ(m.GetText(0)->GetFontSize(), 12);
  m.RemoveText(-1);
  m.RemoveLine(3);
  EXPECT_EQ(m.GetLineCount(), 1);
  m.RemoveLine(0);
  EXPECT_EQ(m.GetLineCount(), 0);
}

TEST(CMessungObj, OutOfMemoryIsAskedWithRetryAndCancelGivesNull) {
  testing::ScriptedMessages messages;
  messages.answers = {platform::Answer::Retry, platform::Answer::Cancel};
  int attempts = 0;
  const bool done = platform::RetryOnOutOfMemory(&messages, [&] {
    ++attempts;
    throw std::bad_alloc();
  });
  EXPECT_FALSE(done);
  EXPECT_EQ(attempts, 2);
  EXPECT_EQ(messages.asked, (std::vector<int>{ids::kMsgOutOfMemory, ids::kMsgOutOfMemory}));
}

}  // namespace
}  // namespace vantrel::model
