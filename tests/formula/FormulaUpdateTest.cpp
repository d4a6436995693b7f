#include <gtest/gtest.h>

#include <cstring>

#include "FormulaTestData.h"
#include "app/MessageIds.h"
#include "formula/FormulaCurves.h"
#include "platform/Strings.h"

namespace vantrel::formula {
namespace {

using testing::AddFlatCurve;

/// Source I1 with `values`, and the formula curve `formula` created over it.
model::CKurveObj* SourceAndFormula(model::CMessungObj& m, const std::vector<float>& values,
                                   const std::u16string& formula, int scaleMode = 0) {
  model::CKurveObj* source = AddFlatCurve(m, values, 0.1, 3);
  const FormulaCurveResult result = CreateFormulaCurve(m, formula, {scaleMode, 0, false, {}});
  EXPECT_EQ(result.result, 1);
  return source;
}

std::vector<float> Minima(const model::CKurveObj& curve) {
  std::vector<float> minima;
  for (const model::CValueObj& s : curve.Samples()) minima.push_back(s.minimum);
  return minima;
}

TEST(UpdateFormulaCurves, RunsOnlyWhenNewSamplesAreFlaggedAndClearsTheFlag) {
  model::CMessungObj m;
  SourceAndFormula(m, {1, 2}, u"I1*2");
  EXPECT_EQ(UpdateFormulaCurves(m, 0).curvesExtended, 0);
  EXPECT_EQ(m.GetCurve(1)->GetSampleCount(), 2);
  m.SetFormulaUpdatePending(1);
  EXPECT_EQ(UpdateFormulaCurves(m, 0).curvesExtended, 1);
  EXPECT_EQ(m.GetFormulaUpdatePending(), 0);
}

TEST(UpdateFormulaCurves, ExtendsFormulaCurvesOverTheSamplesThatArrived) {
  model::CMessungObj m;
  model::CKurveObj* source = SourceAndFormula(m, {1, 2}, u"I1*2");
  source->AddSample(3, 3, 3);
  source->AddSample(4, 4, 4);
  source->SetDuration(12);
  ExtendFormulaCurves(m, 0);
  const model::CKurveObj& f = *m.GetCurve(1);
  EXPECT_EQ(Minima(f), (std::vector<float>{2, 4, 6, 8}));
  EXPECT_EQ(f.Samples()[3].value, 8.0F);  // all three components, whatever the curve's kind
  EXPECT_EQ(f.GetDuration(), 12);         // the first curve's duration
  EXPECT_EQ(m.GetYAxis(0)->GetMin(), 2.0F);
  EXPECT_EQ(m.GetYAxis(0)->GetMax(), 8.0F);
  // Without new samples the pass still appends one: the last source sample once more.
  ExtendFormulaCurves(m, 0);
  EXPECT_EQ(Minima(f), (std::vector<float>{2, 4, 6, 8, 8}));
}

TEST(UpdateFormulaCurves, AFormulaCurveSeesOnlyTheSourceCurvesBeforeIt) {
  model::CMessungObj m;
  SourceAndFormula(m, {1}, u"I1+5");
  AddFlatCurve(m, {100});
  m.GetCurve(1)->SetSourceText(u"I1+I2+I3");  // I2 is itself, I3 comes after it
  ExtendFormulaCurves(m, 0);
  EXPECT_EQ(Minima(*m.GetCurve(1)), (std::vector<float>{6, 1}));
}

TEST(UpdateFormulaCurves, AFailedSampleRepeatsThePreviousMinimumAndMaximumWithValueZero) {
  model::CMessungObj m;
  model::CKurveObj* source = SourceAndFormula(m, {4}, u"1/I1");
  source->AddSample(0, 0, 0);  // fails at once: repeats the stored 0.25
  source->AddSample(2, 2, 2);
  source->AddSample(0, 0, 0);  // fails again: repeats the 0.5 of this pass
  const FormulaUpdateResult result = ExtendFormulaCurves(m, 0);
  const auto& s = m.GetCurve(1)->Samples();
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[1].minimum, 0.25F);
  EXPECT_EQ(s[1].maximum, 0.25F);
  EXPECT_EQ(s[1].value, 0.0F);
  EXPECT_EQ(s[2].value, 0.5F);
  EXPECT_EQ(s[3].minimum, 0.5F);
  EXPECT_EQ(s[3].value, 0.0F);
  EXPECT_EQ(result.messageId, ids::kMsgDivisionByZero);
  EXPECT_EQ(result.problemCurve, 1);
}

TEST(UpdateFormulaCurves, RefitsTheAxisKeepingTheTenPercentMarginWithEinteilungOne) {
  model::CMessungObj m;
  model::CKurveObj* source = SourceAndFormula(m, {0, 10}, u"I1", 1);
  ASSERT_EQ(m.GetYAxis(0)->GetMin(), -1.0F);
  source->AddSample(5, 5, 5);
  ExtendFormulaCurves(m, 1);
  EXPECT_NEAR(m.GetYAxis(0)->GetMin(), -1.0F, 1e-5);
  EXPECT_NEAR(m.GetYAxis(0)->GetMax(), 11.0F, 1e-5);
  source->AddSample(20, 20, 20);
  ExtendFormulaCurves(m, 1);
  EXPECT_NEAR(m.GetYAxis(0)->GetMin(), -2.0F, 1e-5);
  EXPECT_NEAR(m.GetYAxis(0)->GetMax(), 22.0F, 1e-5);
}

TEST(UpdateFormulaCurves, AFormulaCurveWithoutAnAxisIsExtendedAndReported) {
  model::CMessungObj m;
  model::CKurveObj* source = SourceAndFormula(m, {1}, u"I1");
  m.GetCurve(1)->SetAxisIndex(7);
  source->AddSample(2, 2, 2);
  const FormulaUpdateResult result = ExtendFormulaCurves(m, 1);
  EXPECT_EQ(Minima(*m.GetCurve(1)), (std::vector<float>{1, 2}));
  EXPECT_EQ(result.messageId, ids::kMsgEvaluationFailed);
  EXPECT_EQ(result.problemCurve, 1);
  EXPECT_EQ(m.GetYAxisCount(), 1);
  EXPECT_EQ(m.GetYAxis(0)->GetMax(), 1.0F);
}

TEST(UpdateFormulaCurves, FormulasFromFilesThatReachBeyondTheSlotsAreSafe) {
  model::CMessungObj m;
  for (int i = 0; i < 18; ++i) AddFlatCurve(m, {static_cast<float>(i)});
  model::CKurveObj* f = AddFlatCurve(m, {});
  f->SetOrigin(2);
  f->SetAxisIndex(-1);
  for (const char16_t* text : {u"I16+I17", u"I99999999999", u"", u"((((((((", u"I18*2"}) {
    SCOPED_TRACE(platform::ToUtf8(text));
    f->SetSourceText(text);
    const long long before = f->GetSampleCount();
    ExtendFormulaCurves(m, 0);
    EXPECT_EQ(f->GetSampleCount(), before + 1);
  }
  EXPECT_EQ(f->Samples()[0].value, 0.0F);  // I17 has no slot: the reference fails
}

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(UpdateFormulaCurves, TheCompiledAndTheLiteralEngineExtendIdentically) {
  std::mt19937 rng(5);
  for (int round = 0; round < 80; ++round) {
    const unsigned seed = rng();
    const int curves = 1 + round % 6;
    model::CMessungObj pair[2];
    std::u16string formulas[2];
    for (int side = 0; side < 2; ++side) {
      std::mt19937 local(seed);
      testing::AddRandomCurves(pair[side], local, curves, 50);
      testing::FormulaGenerator generator(local, curves);
      for (int k = 0; k < 2; ++k) {
        model::CKurveObj* f = AddFlatCurve(pair[side], {1.0F, 2.0F});
        f->SetOrigin(2);
        f->SetSourceText(generator.Next());
        f->SetAxisIndex(pair[side].GetYAxisCount());
        pair[side].AddYAxis()->SetMax(1.0F);
      }
      testing::AddRandomCurves(pair[side], local, 2, 60);
      ExtendFormulaCurves(pair[side], round % 2,
                          side == 0 ? FormulaEngine::Compiled : FormulaEngine::Literal);
    }
    for (int i = 0; i < pair[0].GetCurveCount(); ++i) {
      const auto& a = pair[0].GetCurve(i)->Samples();
      const auto& b = pair[1].GetCurve(i)->Samples();
      SCOPED_TRACE(platform::ToUtf8(pair[0].GetCurve(i)->GetSourceText()));
      ASSERT_EQ(a.size(), b.size());
      for (std::size_t s = 0; s < a.size(); ++s) {
        ASSERT_TRUE(SameBits(a[s].minimum, b[s].minimum)) << s;
        ASSERT_TRUE(SameBits(a[s].maximum, b[s].maximum)) << s;
        ASSERT_TRUE(SameBits(a[s].value, b[s].value)) << s;
      }
    }
    for (int axis = 0; axis < pair[0].GetYAxisCount(); ++axis) {
      EXPECT_TRUE(SameBits(pair[0].GetYAxis(axis)->GetMin(), pair[1].GetYAxis(axis)->GetMin()));
      EXPECT_TRUE(SameBits(pair[0].GetYAxis(axis)->GetMax(), pair[1].GetYAxis(axis)->GetMax()));
    }
  }
}

}  // namespace
}  // namespace vantrel::formula
