// The compiled form of a formula: the text is scanned once, exactly as the literal scanner
// (FormulaContext::EvaluateFormula) would scan it, and every step it would take is written
// down as a flat register program with curve references resolved to slots. Running the
// program over many samples at once gives the same bits and the same result codes as
// calling the scanner sample by sample, because it performs the same double operations in
// the same order with the same failure tests.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "formula/FormulaCodes.h"
#include "formula/FormulaText.h"
#include "model/CValueObj.h"

namespace vantrel::formula {

/// What one slot reads while a program runs: iteration j reads `samples[begin + j]` while
/// that index lies below `end`, and 0.0 afterwards (or always, when `samples` is null).
struct SlotSamples {
  const model::CValueObj* samples = nullptr;
  long long begin = 0;
  long long end = 0;
};

using SlotTable = std::array<SlotSamples, kSlots>;

class FormulaProgram {
 public:
  /// Compiles `text`; never fails: a text the scanner refuses compiles into a program
  /// that returns the scanner's result code.
  static FormulaProgram Compile(std::u16string_view text);

  /// Evaluates `component` (0 minimum, 1 maximum, 2 value) for iterations
  /// first .. first + count - 1. `values[i]` and `results[i]` receive what EvaluateFormula
  /// would write and return for iteration first + i; `values[i]` is unspecified where
  /// `results[i]` is below 1.
  void Evaluate(const SlotTable& slots, int component, long long first, std::size_t count,
                double* values, int* results) const;

  /// The result for samples on which no operand test fails: the number of characters the
  /// scanner consumes, or its failure code.
  int FinalResult() const { return finalResult_; }
  /// Number of instructions (for tests of the folding).
  std::size_t InstructionCount() const { return code_.size(); }
  /// Whether slot k (0-based) is read by the program.
  bool ReadsSlot(int slot) const;

  enum class OpCode : std::uint8_t { Constant, Reference, Move, Apply };
  struct Instruction {
    OpCode op = OpCode::Constant;
    Operation operation = Operation::None;
    std::uint16_t a = 0;  // destination / accumulator register
    std::uint16_t b = 0;  // source / operand register
    int slot = 0;
    double constant = 0.0;
  };

 private:
  friend class FormulaCompiler;

  std::vector<Instruction> code_;
  std::size_t registerCount_ = 1;
  int finalResult_ = kUnexpectedCharacter;
};

}  // namespace vantrel::formula
