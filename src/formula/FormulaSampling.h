// The sample loop shared by creating and extending formula curves: evaluates a formula's
// components sample after sample at the read positions of a working context, with either
// the literal scanner (advancing the read positions after each sample, as the dialog does)
// or a compiled program over whole blocks of samples. Both visit the same samples with the
// same values and results.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "formula/FormulaContext.h"
#include "formula/FormulaCurves.h"
#include "formula/FormulaProgram.h"

namespace vantrel::formula {

/// One sample's evaluation: value and result for each component evaluated.
struct EvaluatedSample {
  double values[3] = {0.0, 0.0, 0.0};
  int results[3] = {kFormulaValid, kFormulaValid, kFormulaValid};
};

/// Calls `visit(const EvaluatedSample&)` for every sample the loop produces (at least one)
/// until it returns false. Components 0 .. components-1 are evaluated. The advancing slots
/// are the referenced ones (`referencedOnly`) or all slots with a read position.
template <typename Visit>
void ForEachFormulaSample(FormulaContext& context, const std::u16string& formula,
                          bool referencedOnly, int components, FormulaEngine engine,
                          Visit&& visit) {
  components = std::clamp(components, 0, 3);
  EvaluatedSample sample;
  if (engine == FormulaEngine::Literal) {
    for (;;) {
      for (int c = 0; c < components; ++c) {
        sample.results[c] = context.EvaluateFormula(&sample.values[c], formula, c, 0);
      }
      if (!visit(static_cast<const EvaluatedSample&>(sample))) return;
      if (!context.AdvanceReadPositions(referencedOnly)) return;
    }
  }
  long long iterations = 1;
  const SlotTable slots = SlotsFromReadPositions(context, referencedOnly, &iterations);
  const FormulaProgram program = FormulaProgram::Compile(formula);
  constexpr std::size_t kChunk = 4096;
  std::vector<double> values(kChunk * 3);
  std::vector<int> results(kChunk * 3);
  long long visited = 0;
  bool stopped = false;
  while (visited < iterations && !stopped) {
    const std::size_t count =
        static_cast<std::size_t>(std::min<long long>(iterations - visited, kChunk));
    for (int c = 0; c < components; ++c) {
      const std::size_t offset = static_cast<std::size_t>(c) * kChunk;
      program.Evaluate(slots, c, visited, count, values.data() + offset, results.data() + offset);
    }
    for (std::size_t i = 0; i < count; ++i) {
      for (int c = 0; c < components; ++c) {
        const std::size_t at = static_cast<std::size_t>(c) * kChunk + i;
        sample.values[c] = values[at];
        sample.results[c] = results[at];
      }
      ++visited;
      if (!visit(static_cast<const EvaluatedSample&>(sample))) {
        stopped = true;
        break;
      }
    }
  }
  // Leave the read positions where the literal loop leaves them.
  const long long advanced = stopped ? visited - 1 : visited;
  for (int k = 0; k < kSlots; ++k) {
    const auto& slot = slots[static_cast<std::size_t>(k)];
    if (slot.samples != nullptr) context.SetReadPosition(k, slot.begin + advanced);
  }
}

}  // namespace vantrel::formula
