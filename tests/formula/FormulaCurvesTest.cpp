#include <gtest/gtest.h>

#include <cstring>

#include "FormulaTestData.h"
#include "app/MessageIds.h"
#include "formula/FormulaCurves.h"
#include "platform/Strings.h"

namespace vantrel::formula {
namespace {

using testing::AddCurve;
using testing::AddFlatCurve;

FormulaCurveOptions Options(int scaleMode = 0) {
  FormulaCurveOptions options;
  options.scaleMode = scaleMode;
  options.startTime = 1700000000;
  return options;
}

/// I1..I3 ordinary, I4 = -1, I5 = 0, I6 with another sample interval.
void FillExampleCurves(model::CMessungObj& m) {
  AddFlatCurve(m, {0.7F, 2.0F});
  AddFlatCurve(m, {4.0F, 5.0F});
  AddFlatCurve(m, {1.5F, 3.0F});
  AddFlatCurve(m, {-1.0F});
  AddFlatCurve(m, {0.0F});
  AddFlatCurve(m, {1.0F}, 0.5);
}

struct MessageCase {
  const char16_t* formula;
  int messageId;
};

TEST(CreateFormulaCurve, ReportsTheMessageOfEveryCheckAndEvaluationFailure) {
  const std::vector<MessageCase> cases = {
      {u"I1+I2*I3", 0},
      {u"(-I1)", 0},
      {u"logn(I5)", 0},
      {u"-I1", ids::kMsgFormulaInvalid},
      {u"SIN(I1)", ids::kMsgFormulaInvalid},
      {u"i1", ids::kMsgFormulaInvalid},
      {u"I1+", ids::kMsgFormulaInvalid},
      {u"", ids::kMsgFormulaInvalid},
      {u"I7", ids::kMsgBadReference},
      {u"I0", ids::kMsgBadReference},
      {u"I17", ids::kMsgBadReference},
      {u"I1+I6", ids::kMsgMixedIntervals},
      {u"I1/(I2-I2)", ids::kMsgDivisionByZero},
      {u"I1/I5", ids::kMsgDivisionByZero},
      {u"sqrt(I4)", ids::kMsgRootOfNegative},
      {u"logn(I4)", ids::kMsgLogOfNegative},
      {u"log10(I4*2)", ids::kMsgLogOfNegative},
  };
  for (const MessageCase& row : cases) {
    SCOPED_TRACE(platform::ToUtf8(row.formula));
    model::CMessungObj m;
    FillExampleCurves(m);
    const FormulaCurveResult result = CreateFormulaCurve(m, row.formula, Options());
    EXPECT_EQ(result.messageId, row.messageId);
    if (row.messageId == 0) {
      EXPECT_EQ(m.GetCurveCount(), 7);
      EXPECT_EQ(result.curve, m.GetCurve(6));
    } else {
      EXPECT_EQ(m.GetCurveCount(), 6);  // no partial curve remains
      EXPECT_EQ(m.GetYAxisCount(), 0);
      EXPECT_EQ(result.curve, nullptr);
      EXPECT_EQ(result.dialogStaysOpen, row.messageId < ids::kMsgEvaluationFailed);
    }
  }
}

TEST(CreateFormulaCurve, AFormulaOverTheLengthLimitGetsItsOwnMessage) {
  const std::u16string nested = std::u16string(120, u'(') + u"I1" + std::u16string(120, u')');
  const std::u16string padded = std::u16string(kMaxFormulaLength - 2, u' ') + u"I1";
  const std::vector<std::pair<std::u16string, int>> cases = {
      {nested, 0},
      {padded, 0},
      {u" " + padded, kMsgFormulaTooLong},
      {std::u16string(kMaxFormulaLength + 1, u'('), kMsgFormulaTooLong},
  };
  for (const auto& [formula, messageId] : cases) {
    SCOPED_TRACE(formula.size());
    model::CMessungObj m;
    FillExampleCurves(m);
    const FormulaCurveResult result = CreateFormulaCurve(m, formula, Options());
    EXPECT_EQ(result.messageId, messageId);
    EXPECT_EQ(m.GetCurveCount(), messageId == 0 ? 7 : 6);
  }
}

TEST(CreateFormulaCurve, CopiesACurveWithUnitKeineAndAFittedAxisOfItsOwn) {
  model::CMessungObj m;
  AddCurve(m, {{1, 2, 0}, {3, 4, 0}}, 0.25, 7)->SetRecordingKind(0);
  const FormulaCurveResult result = CreateFormulaCurve(m, u"I1", Options());
  ASSERT_EQ(result.result, 1);
  const model::CKurveObj& f = *m.GetCurve(1);
  ASSERT_EQ(f.GetSampleCount(), 2);
  EXPECT_EQ(f.Samples()[0].minimum, 1.0F);
  EXPECT_EQ(f.Samples()[0].maximum, 2.0F);
  EXPECT_EQ(f.Samples()[1].minimum, 3.0F);
  EXPECT_EQ(f.Samples()[1].maximum, 4.0F);
  EXPECT_EQ(f.GetSampleInterval(), 0.25);
  EXPECT_EQ(f.GetDuration(), 7);
  std::u16string unit;
  EXPECT_EQ(f.GetUnit(&unit), model::kUnitCustom);
  EXPECT_EQ(unit, u"keine");
  EXPECT_EQ(f.GetName(), u"I1");
  EXPECT_EQ(f.GetSourceText(), u"I1");
  EXPECT_EQ(f.GetOrigin(), 2);
  EXPECT_EQ(f.GetChannelNumber(), 0);
  EXPECT_EQ(f.GetSourceNumber(), 1);
  EXPECT_EQ(f.GetRecordingKind(), 0);
  EXPECT_EQ(f.GetDrawOrder(), 1);
  EXPECT_EQ(f.GetStartTime(), 1700000000U);
  EXPECT_EQ(f.GetColor(), platform::MakeColor(0, 255, 0));
  ASSERT_EQ(m.GetYAxisCount(), 1);
  EXPECT_EQ(f.GetAxisIndex(), 0);
  EXPECT_EQ(m.GetYAxis(0)->GetMin(), 1.0F);
  EXPECT_EQ(m.GetYAxis(0)->GetMax(), 4.0F);
  std::u16string axisUnit = u"x";
  EXPECT_EQ(m.GetYAxis(0)->GetUnit(&axisUnit), model::kUnitCustom);
  EXPECT_EQ(axisUnit, u"");
}

TEST(CreateFormulaCurve, KeepsTheScannersGroupingAndTheLongestCurvesLength) {
  model::CMessungObj m;
  AddFlatCurve(m, {10, 10, 10, 10, 10}, 0.1, 5);
  AddFlatCurve(m, {4, 4, 4}, 0.1, 9);
  AddFlatCurve(m, {1, 1, 1}, 0.1, 2);
  ASSERT_EQ(CreateFormulaCurve(m, u"I1-I2-I3", Options()).result, 1);
  const model::CKurveObj& f = *m.GetCurve(3);
  ASSERT_EQ(f.GetSampleCount(), 5);
  EXPECT_EQ(f.Samples()[0].value, 7.0F);
  EXPECT_EQ(f.Samples()[3].value, 10.0F);  // I2 and I3 have run out and read 0
  EXPECT_EQ(f.GetDuration(), 9);           // the longest duration among the references
  ASSERT_EQ(CreateFormulaCurve(m, u"I1+I2", Options()).result, 1);
  EXPECT_EQ(m.GetCurve(4)->Samples()[4].minimum, 10.0F);
  EXPECT_EQ(m.GetCurve(4)->GetColor(), platform::MakeColor(0, 255, 255));
}

TEST(CreateFormulaCurve, AFormulaWithoutReferencesGivesOneSample) {
  model::CMessungObj m;
  ASSERT_EQ(CreateFormulaCurve(m, u"2+3", Options()).result, 1);
  const model::CKurveObj& f = *m.GetCurve(0);
  ASSERT_EQ(f.GetSampleCount(), 1);
  EXPECT_EQ(f.Samples()[0].minimum, 5.0F);
  EXPECT_EQ(f.Samples()[0].maximum, 5.0F);
  EXPECT_EQ(f.Samples()[0].value, 5.0F);
  EXPECT_EQ(f.GetSampleInterval(), 0.0);
  EXPECT_EQ(f.GetColor(), platform::MakeColor(255, 0, 0));
}

TEST(CreateFormulaCurve, WidensTheAxisByATenthOfTheSpanWithEinteilungOne) {
  for (int scaleMode : {0, 1}) {
    model::CMessungObj m;
    AddCurve(m, {{0, 3, 0}, {2, 10, 0}, {1, 5, 0}});
    ASSERT_EQ(CreateFormulaCurve(m, u"I1", Options(scaleMode)).result, 1);
    EXPECT_EQ(m.GetYAxis(0)->GetMin(), scaleMode == 1 ? -1.0F : 0.0F);
    EXPECT_EQ(m.GetYAxis(0)->GetMax(), scaleMode == 1 ? 11.0F : 10.0F);
  }
}

TEST(CreateFormulaCurve, LeavesTheValuesAtZeroForCurvesReadFromTheInstrumentsMemory) {
  model::CMessungObj m;
  AddCurve(m, {{1, 2, 7}, {3, 4, 8}})->SetRecordingKind(1);
  ASSERT_EQ(CreateFormulaCurve(m, u"I1*2", Options()).result, 1);
  const model::CKurveObj& f = *m.GetCurve(1);
  EXPECT_EQ(f.GetRecordingKind(), 1);
  EXPECT_EQ(f.Samples()[0].value, 0.0F);
  EXPECT_EQ(f.Samples()[1].value, 0.0F);
  EXPECT_EQ(f.Samples()[1].maximum, 8.0F);
}

TEST(CreateFormulaCurve, RefusesTheSeventeenthCurveEvenInAnOverfullMeasurement) {
  for (int curves : {16, 20}) {
    model::CMessungObj m;
    for (int i = 0; i < curves; ++i) AddFlatCurve(m, {1.0F});
    const FormulaCurveResult result = CreateFormulaCurve(m, u"I1", Options());
    EXPECT_EQ(result.messageId, ids::kMsgTooManyCurves);
    EXPECT_TRUE(result.dialogStaysOpen);
    EXPECT_EQ(m.GetCurveCount(), curves);
  }
  model::CMessungObj m;
  for (int i = 0; i < 15; ++i) AddFlatCurve(m, {1.0F});
  ASSERT_EQ(CreateFormulaCurve(m, u"I15+1", Options()).result, 1);
  EXPECT_EQ(m.GetCurve(15)->GetColor(), platform::MakeColor(0, 0, 0));
  EXPECT_EQ(CreateFormulaCurve(m, u"I1", Options()).messageId, ids::kMsgTooManyCurves);
}

TEST(CreateFormulaCurve, AddsNothingWhileTheMeasurementIsRecordedUnlessTheRecordingAsks) {
  model::CMessungObj m;
  AddFlatCurve(m, {1.0F});
  m.SetOnlineActive(1);
  const FormulaCurveResult refused = CreateFormulaCurve(m, u"I1", Options());
  EXPECT_EQ(refused.result, kRefusedWhileRecording);
  EXPECT_EQ(refused.messageId, 0);
  EXPECT_EQ(m.GetCurveCount(), 1);
  FormulaCurveOptions options = Options();
  options.whileRecording = true;
  EXPECT_EQ(CreateFormulaCurve(m, u"I1", options).result, 1);
  EXPECT_EQ(m.GetCurveCount(), 2);
}

TEST(CreateFormulaCurve, AFailedEvaluationLeavesTheAxesOfOtherCurvesAlone) {
  model::CMessungObj m;
  m.AddYAxis();
  m.AddYAxis();
  AddFlatCurve(m, {1.0F})->SetAxisIndex(1);
  AddFlatCurve(m, {0.0F})->SetAxisIndex(1);
  EXPECT_EQ(CreateFormulaCurve(m, u"I1/I2", Options()).messageId, ids::kMsgDivisionByZero);
  EXPECT_EQ(m.GetYAxisCount(), 2);
  EXPECT_EQ(m.GetCurve(0)->GetAxisIndex(), 1);
  EXPECT_EQ(m.GetCurve(1)->GetAxisIndex(), 1);
}

TEST(CreateFormulaCurve, TheDialogsContextServesASecondOkAfterARefusedFormula) {
  model::CMessungObj m;
  AddFlatCurve(m, {1, 2, 3}, 0.0, 0);  // an interval of 0 is a valid value
  FormulaContext context(m);
  EXPECT_EQ(CreateFormulaCurve(context, m, u"I2", Options()).messageId, ids::kMsgBadReference);
  EXPECT_EQ(context.GetReadPosition(0), 0);
  ASSERT_EQ(CreateFormulaCurve(context, m, u"I1*I1", Options()).result, 1);
  EXPECT_EQ(m.GetCurve(1)->GetSampleCount(), 3);
  EXPECT_EQ(m.GetCurve(1)->Samples()[2].value, 9.0F);
  EXPECT_EQ(m.GetCurve(1)->GetSampleInterval(), 0.0);
}

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(CreateFormulaCurve, TheCompiledAndTheLiteralEngineBuildIdenticalCurves) {
  std::mt19937 rng(99);
  int created = 0;
  for (int round = 0; round < 150; ++round) {
    const unsigned seed = rng();
    std::mt19937 curvesA(seed);
    std::mt19937 curvesB(seed);
    model::CMessungObj a;
    model::CMessungObj b;
    const int curves = 1 + round % 8;
    testing::AddRandomCurves(a, curvesA, curves, 300);
    testing::AddRandomCurves(b, curvesB, curves, 300);
    testing::FormulaGenerator generator(rng, curves);
    const std::u16string text = generator.Next();
    FormulaCurveOptions literal = Options(round % 2);
    literal.engine = FormulaEngine::Literal;
    const FormulaCurveResult ra = CreateFormulaCurve(a, text, Options(round % 2));
    const FormulaCurveResult rb = CreateFormulaCurve(b, text, literal);
    SCOPED_TRACE(platform::ToUtf8(text));
    ASSERT_EQ(ra.result, rb.result);
    ASSERT_EQ(ra.messageId, rb.messageId);
    ASSERT_EQ(a.GetCurveCount(), b.GetCurveCount());
    if (ra.result != 1) continue;
    ++created;
    const auto& sa = ra.curve->Samples();
    const auto& sb = rb.curve->Samples();
    ASSERT_EQ(sa.size(), sb.size());
    for (std::size_t i = 0; i < sa.size(); ++i) {
      ASSERT_TRUE(SameBits(sa[i].minimum, sb[i].minimum)) << i;
      ASSERT_TRUE(SameBits(sa[i].maximum, sb[i].maximum)) << i;
      ASSERT_TRUE(SameBits(sa[i].value, sb[i].value)) << i;
    }
    EXPECT_TRUE(SameBits(a.GetYAxis(0)->GetMin(), b.GetYAxis(0)->GetMin()));
    EXPECT_TRUE(SameBits(a.GetYAxis(0)->GetMax(), b.GetYAxis(0)->GetMax()));
  }
  EXPECT_GT(created, 20);
}

TEST(FormulaCurveColors, FollowTheSixteenEntryTableByCurvePosition) {
  EXPECT_EQ(kFormulaCurveColors[3], kFormulaCurveColors[9]);  // teal twice
  EXPECT_EQ(kFormulaCurveColors[12], 0x4080FFu);              // orange
  EXPECT_EQ(kFormulaCurveColors[13], platform::MakeColor(164, 255, 164));
  EXPECT_EQ(kFormulaCurveColors[15], 0u);
}

}  // namespace
}  // namespace vantrel::formula
