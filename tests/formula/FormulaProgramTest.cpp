#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "FormulaTestData.h"
#include "formula/FormulaContext.h"
#include "formula/FormulaCurves.h"
#include "formula/FormulaProgram.h"
#include "platform/Strings.h"

namespace vantrel::formula {
namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

/// Evaluates `text` over every iteration with the literal scanner (advancing the read
/// positions of `context`) and with the compiled program, and expects the same results
/// and, where they succeed, the same bits. Returns the number of successful samples.
int ExpectCompiledMatchesLiteral(FormulaContext context, const std::u16string& text) {
  long long iterations = 0;
  const SlotTable slots = SlotsFromReadPositions(context, false, &iterations);
  const FormulaProgram program = FormulaProgram::Compile(text);
  const auto n = static_cast<std::size_t>(iterations);
  std::vector<double> values[3];
  std::vector<int> results[3];
  for (int c = 0; c < 3; ++c) {
    values[c].resize(n);
    results[c].resize(n);
    program.Evaluate(slots, c, 0, n, values[c].data(), results[c].data());
  }
  int successes = 0;
  for (std::size_t i = 0; i < n; ++i) {
    for (int c = 0; c < 3; ++c) {
      double literal = 0.0;
      const int result = context.EvaluateFormula(&literal, text, c, 0);
      if (result != results[c][i] || (result >= 1 && !SameBits(literal, values[c][i]))) {
        ADD_FAILURE() << "formula \"" << platform::ToUtf8(text) << "\" sample " << i
                      << " component " << c << ": literal " << result << " " << literal
                      << ", compiled " << results[c][i] << " " << values[c][i];
        return successes;
      }
      if (result >= 1) ++successes;
    }
    context.AdvanceReadPositions(false);
  }
  return successes;
}

/// A context over random curves whose read positions start at random samples.
FormulaContext RandomContext(const model::CMessungObj& m, std::mt19937& rng) {
  FormulaContext context(m);
  for (int k = 0; k < kSlots; ++k) {
    const model::CKurveObj* curve = m.GetCurve(k);
    if (curve == nullptr) continue;
    std::uniform_int_distribution<long long> start(0, curve->GetSampleCount());
    context.SetReadPosition(k, start(rng));
  }
  return context;
}

/// The seed of the random cases; VANTREL_FORMULA_SEED chooses another for a longer hunt.
unsigned Seed(unsigned fallback) {
  const char* text = std::getenv("VANTREL_FORMULA_SEED");
  return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : fallback;
}

TEST(FormulaProgram, ThousandsOfRandomFormulasGiveTheLiteralScannersBits) {
  std::mt19937 rng(Seed(20240611));
  int formulas = 0;
  int valid = 0;
  long long successes = 0;
  for (int round = 0; round < 60; ++round) {
    model::CMessungObj m;
    testing::AddRandomCurves(m, rng, 1 + round % 16, round % 3 == 0 ? 3 : 40);
    testing::FormulaGenerator generator(rng, m.GetCurveCount());
    for (int i = 0; i < 60; ++i, ++formulas) {
      const std::u16string text = generator.Next();
      FormulaContext check(m);
      check.SetFormula(text);
      if (check.CheckFormula() == kFormulaValid) ++valid;
      successes += ExpectCompiledMatchesLiteral(RandomContext(m, rng), text);
      if (HasFailure()) return;
    }
  }
  EXPECT_EQ(formulas, 3600);
  EXPECT_GT(valid, formulas * 3 / 4);  // the generator mostly writes valid formulas
  EXPECT_GT(successes, 10000);         // and many samples evaluate without failure
}

TEST(FormulaProgram, RandomTextsFailWithTheLiteralScannersResult) {
  std::mt19937 rng(Seed(7));
  for (int round = 0; round < 20; ++round) {
    model::CMessungObj m;
    testing::AddRandomCurves(m, rng, 4, 6);
    for (int i = 0; i < 200; ++i) {
      ExpectCompiledMatchesLiteral(RandomContext(m, rng), testing::RandomText(rng));
      if (HasFailure()) return;
    }
  }
}

TEST(FormulaProgram, HandWrittenCornersMatchTheLiteralScanner) {
  model::CMessungObj m;
  testing::AddFlatCurve(m, {1.0F, 0.0F, -1.0F, 2.0F, NAN, INFINITY});
  testing::AddFlatCurve(m, {0.0F, -0.0F, NAN});
  testing::AddFlatCurve(m, {});
  const char16_t* const texts[] = {
      u"I1/I2",
      u"I2/I1",
      u"logn(I1)",
      u"log10 I2",
      u"sqrt(I1)",
      u"sqrt I2*0",
      u"I1/0",
      u"0/0+I1",
      u"I1/(2-2)",
      u"I3+I1",
      u"I1^0.5",
      u"(-I1)^(1/3)",
      u"I17+I1",
      u"I1+I0",
      u"I1)+I2",
      u"I1+)",
      u")",
      u"(*3)",
      u"((((I1))))",
      u"sin cos tan I1",
      u"I1*sin(I2)+1",
      u"2*sqrt 4 + I1",
      u"logn(0)",
      u"I1 2",
      u"3 I1",
      u"I1++I2",
      u"I1**I2",
      u"sqrt(0-1)",
      u"1.2.3*I1",
      u"lx(I1)",
      u"c",
      u"s",
      u"I",
      u"I1/I2/I3",
      u"(I1",
  };
  for (const char16_t* text : texts) {
    FormulaContext context(m);
    ExpectCompiledMatchesLiteral(context, text);
  }
}

TEST(FormulaProgram, ConstantPartsAreComputedWhileCompiling) {
  EXPECT_EQ(FormulaProgram::Compile(u"2+3*4").InstructionCount(), 1u);
  EXPECT_EQ(FormulaProgram::Compile(u"2+3*4").FinalResult(), 5);
  EXPECT_EQ(FormulaProgram::Compile(u"I1").InstructionCount(), 1u);
  EXPECT_TRUE(FormulaProgram::Compile(u"I1+I12").ReadsSlot(11));
  EXPECT_FALSE(FormulaProgram::Compile(u"I1+I12").ReadsSlot(1));
  // A constant the operation refuses is a failure known while compiling.
  EXPECT_EQ(FormulaProgram::Compile(u"I1/0").FinalResult(), kDivisionByZero);
  EXPECT_EQ(FormulaProgram::Compile(u"sqrt(0-1)").FinalResult(), kRootOfNegative);
  EXPECT_EQ(FormulaProgram::Compile(u"I40").FinalResult(), kBadReference);
}

TEST(FormulaProgram, AnOperandFailureEarlierInTheFormulaWinsOverALaterKnownFailure) {
  model::CMessungObj m;
  testing::AddFlatCurve(m, {0.0F, 2.0F});
  const FormulaContext context(m);
  long long iterations = 0;
  const SlotTable slots = SlotsFromReadPositions(context, false, &iterations);
  const FormulaProgram program = FormulaProgram::Compile(u"1/I1+sqrt(0-1)");
  double values[2];
  int results[2];
  program.Evaluate(slots, 0, 0, 2, values, results);
  EXPECT_EQ(results[0], kDivisionByZero);
  EXPECT_EQ(results[1], kRootOfNegative);
}

TEST(FormulaProgram, SlotsReadZeroBeforeTheirFirstAndAfterTheirLastSample) {
  const model::CValueObj samples[] = {{1, 1, 1}, {2, 2, 2}};
  SlotTable slots{};
  slots[0] = {samples, -1, 2};
  const FormulaProgram program = FormulaProgram::Compile(u"I1+I2");
  double values[4];
  int results[4];
  program.Evaluate(slots, 0, 0, 4, values, results);
  EXPECT_EQ(values[0], 0.0);
  EXPECT_EQ(values[1], 1.0);
  EXPECT_EQ(values[2], 2.0);
  EXPECT_EQ(values[3], 0.0);
  EXPECT_EQ(results[3], 5);
}

}  // namespace
}  // namespace vantrel::formula
