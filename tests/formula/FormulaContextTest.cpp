#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "FormulaTestData.h"
#include "formula/FormulaContext.h"
#include "platform/Strings.h"

namespace vantrel::formula {
namespace {

using testing::AddCurve;
using testing::AddFlatCurve;

/// I1..I3 with distinct minimum, maximum and value; I4 = -1 and I5 = 0 everywhere.
void FillExampleCurves(model::CMessungObj& m) {
  AddCurve(m, {{0.7F, 1.3F, 2.2F}});
  AddCurve(m, {{4.0F, 5.0F, 6.0F}});
  AddCurve(m, {{1.5F, -2.0F, 3.0F}});
  AddFlatCurve(m, {-1.0F});
  AddFlatCurve(m, {0.0F});
}

struct ValueCase {
  const char16_t* formula;
  std::function<double(double, double, double)> expected;
};

TEST(FormulaContext, EvaluatesEveryExampleOfTheLanguageAsTheScannerGroupsIt) {
  model::CMessungObj m;
  FillExampleCurves(m);
  const FormulaContext context(m);
  const std::vector<ValueCase> cases = {
      {u"I1+I2*I3", [](double a, double b, double c) { return a + (b * c); }},
      {u"I1*I2+I3", [](double a, double b, double c) { return (a * b) + c; }},
      {u"I1-I2+I3", [](double a, double b, double c) { return a - (b + c); }},
      {u"I1-I2-I3", [](double a, double b, double c) { return a - (b - c); }},
      {u"I1/I2*I3", [](double a, double b, double c) { return (a / b) * c; }},
      {u"3*I1^2", [](double a, double, double) { return std::pow(3 * a, 2.0); }},
      {u"I1^2*3", [](double a, double, double) { return 3 * std::pow(a, 2.0); }},
      {u"2*sin(I1)+1", [](double a, double, double) { return 2 * (std::sin(a) + 1); }},
      {u"sin(I1)*2+1", [](double a, double, double) { return std::sin(a) * 2 + 1; }},
      {u"(I1-I2)*I3", [](double a, double b, double c) { return (a - b) * c; }},
      {u"(-I1)", [](double a, double, double) { return 0.0 - a; }},
      {u"sin I1", [](double a, double, double) { return std::sin(a); }},
      {u"sqrt(sqrt(I1))", [](double a, double, double) { return std::sqrt(std::sqrt(a)); }},
      {u"(I3-I1)*2.5", [](double a, double, double c) { return (c - a) * 2.5; }},
      {u"sqrt(I2)", [](double, double b, double) { return std::sqrt(b); }},
      {u"I1+I2", [](double a, double b, double) { return a + b; }},
      {u"(*3)", [](double, double, double) { return 0.0; }},
      {u"sqrt2", [](double, double, double) { return std::sqrt(2.0); }},
      {u"1.2.3", [](double, double, double) { return 1.2; }},
      {u"2+3", [](double, double, double) { return 5.0; }},
      {u" I1 ", [](double a, double, double) { return a; }},
      {u"cos(0)", [](double, double, double) { return 1.0; }},
      {u"tan I1", [](double a, double, double) { return std::tan(a); }},
      {u"logn(I2)", [](double, double b, double) { return std::log(b); }},
      {u"log10(100)", [](double, double, double) { return 2.0; }},
      {u"I2^0.5", [](double, double b, double) { return std::pow(b, 0.5); }},
      {u"logn(I5)", [](double, double, double) { return -HUGE_VAL; }},
      {u"I1)+5", [](double a, double, double) { return a; }},  // stops at the stray ")"
  };
  for (const ValueCase& row : cases) {
    for (int component = 0; component < 3; ++component) {
      SCOPED_TRACE(platform::ToUtf8(row.formula) + " component " + std::to_string(component));
      const auto x = [&](int curve) {
        return static_cast<double>(ComponentOf(m.GetCurve(curve)->Samples()[0], component));
      };
      double value = -12345.0;
      EXPECT_GE(context.EvaluateFormula(&value, row.formula, component, 0), 1);
      EXPECT_DOUBLE_EQ(value, row.expected(x(0), x(1), x(2)));
    }
  }
}

struct ResultCase {
  const char16_t* formula;
  int result;
};

TEST(FormulaContext, CheckFormulaAcceptsOnlyWellFormedFormulasOverExistingCurves) {
  model::CMessungObj m;
  FillExampleCurves(m);
  FormulaContext context(m);
  const std::vector<ResultCase> cases = {
      {u"I1+I2*I3", 1}, {u"(-I1)", 1},         {u"(*3)", 1},        {u"sin I1", 1},
      {u"sqrt2", 1},    {u"1.2.3", 1},         {u"log10(I5)", 1},   {u"I5", 1},
      {u"-I1", 0},      {u"SIN(I1)", 0},       {u"i1", 0},          {u"I1+", 0},
      {u"(I1", 0},      {u"I1)", 0},           {u"2 3", 0},         {u"1e5", 0},
      {u"", 0},         {u"I1 I2", 0},         {u"sin(I1)(I2)", 0}, {u".5", 0},
      {u"si(I1)", 0},   {u"log(I1)", 0},       {u"I1+*I2", 0},      {u"()", 0},
      {u"I6", -5},      {u"I0", -5},           {u"I", -5},          {u"I17", -5},
      {u"I-1", -5},     {u"I99999999999", -5}, {u"I1+I9", -5},
  };
  for (const ResultCase& row : cases) {
    SCOPED_TRACE(platform::ToUtf8(row.formula));
    context.SetFormula(row.formula);
    EXPECT_EQ(context.CheckFormula(), row.result);
  }
}

TEST(FormulaContext, EvaluateFormulaReportsFailuresWithoutTouchingTheOutValue) {
  model::CMessungObj m;
  FillExampleCurves(m);
  const FormulaContext context(m);
  const std::vector<ResultCase> cases = {
      {u"I1/(I2-I2)", -2}, {u"I1/I5", -2},     {u"logn(I4)", -3}, {u"log10(0-1)", -3},
      {u"sqrt(I4)", -4},   {u"sqrt(0-1)", -4}, {u"", -1},         {u"I1+", -1},
      {u"x", -1},          {u"1e5", -1},       {u"I1\t", -1},     {u")", 0},
      {u"I1+)", 0},        {u"I17", -5},       {u"I0", -5},       {u"2*I99999999999", -5},
  };
  for (const ResultCase& row : cases) {
    SCOPED_TRACE(platform::ToUtf8(row.formula));
    double value = 42.0;
    EXPECT_EQ(context.EvaluateFormula(&value, row.formula, 0, 0), row.result);
    if (row.result != 0) {
      EXPECT_EQ(value, 42.0);
    }
  }
}

TEST(FormulaContext, InnerCallsConsumeTheirClosingParenthesisOnlyWhenAskedTo) {
  const FormulaContext context;
  double value = 0.0;
  EXPECT_EQ(context.EvaluateFormula(&value, u"2*3)+1", 0, 1), 4);
  EXPECT_EQ(value, 6.0);
  EXPECT_EQ(context.EvaluateFormula(&value, u"2*3)+1", 0, 0), 3);
  EXPECT_EQ(context.EvaluateFormula(&value, u"7", 0, 0), 1);
}

TEST(FormulaContext, CheckFormulaRefusesDifferentIntervalsAndMarksReferencedCurves) {
  model::CMessungObj m;
  AddFlatCurve(m, {1.0F}, 0.01);
  AddFlatCurve(m, {1.0F}, 0.1);
  AddFlatCurve(m, {1.0F}, 0.01)->SetRecordingKind(1);
  FormulaContext context(m);
  context.SetFormula(u"I1+I2");
  EXPECT_EQ(context.CheckFormula(), -6);
  context.SetFormula(u"I1+I3");
  EXPECT_EQ(context.CheckFormula(), 1);
  EXPECT_TRUE(context.IsReferenced(0));
  EXPECT_FALSE(context.IsReferenced(1));
  EXPECT_TRUE(context.IsReferenced(2));
  EXPECT_EQ(context.GetThirdValueComputable(), 0);
  context.SetFormula(u"I1*2");
  EXPECT_EQ(context.CheckFormula(), 1);
  EXPECT_FALSE(context.IsReferenced(2));
  EXPECT_EQ(context.GetThirdValueComputable(), 1);
}

TEST(FormulaContext, MoreThanSixteenCurvesNeverReachBeyondTheSlots) {
  model::CMessungObj m;
  for (int i = 0; i < 20; ++i) AddFlatCurve(m, {static_cast<float>(i)});
  FormulaContext context(m);
  EXPECT_EQ(context.GetCurveCount(), 20);
  EXPECT_EQ(context.GetSlotCurve(15), m.GetCurve(15));
  EXPECT_EQ(context.GetSlotCurve(16), nullptr);
  EXPECT_EQ(context.GetReadPosition(17), -1);
  context.SetFormula(u"I16+I17");
  EXPECT_EQ(context.CheckFormula(), -5);
  context.SetFormula(u"I16");
  EXPECT_EQ(context.CheckFormula(), 1);
  double value = 0.0;
  EXPECT_EQ(context.EvaluateFormula(&value, u"I20", 0, 0), -5);
  EXPECT_GE(context.EvaluateFormula(&value, u"I16", 0, 0), 1);
  EXPECT_EQ(value, 15.0);
}

TEST(FormulaContext, ReadPositionsAdvanceUntilTheReferencedCurvesRunOut) {
  model::CMessungObj m;
  AddFlatCurve(m, {1, 2, 3});
  AddFlatCurve(m, {10});
  AddFlatCurve(m, {});
  FormulaContext context(m);
  EXPECT_EQ(context.GetReadPosition(2), -1);
  context.SetFormula(u"I2+I3");
  ASSERT_EQ(context.CheckFormula(), 1);
  double value = 0.0;
  context.EvaluateFormula(&value, u"I1+I2+I3", 0, 0);
  EXPECT_EQ(value, 11.0);
  EXPECT_FALSE(context.AdvanceReadPositions(true));  // I2 ran out, I1 is not referenced
  EXPECT_EQ(context.GetReadPosition(0), 0);
  context.EvaluateFormula(&value, u"I1+I2", 0, 0);
  EXPECT_EQ(value, 1.0);  // a curve that has run out reads 0
  EXPECT_TRUE(context.AdvanceReadPositions(false));
  EXPECT_EQ(context.GetReadPosition(0), 1);
}

TEST(FormulaContext, OverlongOrDeeplyNestedTextsAreRefusedWithoutExhaustingTheStack) {
  FormulaContext context;
  const std::u16string deep = std::u16string(kMaxFormulaLength / 2, u'(') + u"1" +
                              std::u16string(kMaxFormulaLength / 2 - 1, u')');
  double value = 0.0;
  EXPECT_GE(context.EvaluateFormula(&value, deep, 0, 0), 1);
  EXPECT_EQ(value, 1.0);
  const std::u16string tooLong(kMaxFormulaLength + 1, u'(');
  EXPECT_EQ(context.EvaluateFormula(&value, tooLong, 0, 0), -1);
  context.SetFormula(std::u16string(kMaxFormulaLength - 1, u' ') + u"12");
  EXPECT_EQ(context.CheckFormula(), 0);
  context.SetFormula(std::u16string(kMaxFormulaLength - 2, u' ') + u"12");
  EXPECT_EQ(context.CheckFormula(), 1);
}

}  // namespace
}  // namespace vantrel::formula
