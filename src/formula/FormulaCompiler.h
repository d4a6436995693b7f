// Turns a formula text into a FormulaProgram by walking it exactly as the literal scanner
// does (same recursion, same characters consumed, same result codes), writing down each
// load, move and operation instead of performing it. Operations whose operands are known
// while compiling are computed right away with the very same functions, so the program
// keeps the scanner's bits.
#pragma once

#include <string_view>
#include <vector>

#include "formula/FormulaProgram.h"

namespace vantrel::formula {

class FormulaCompiler {
 public:
  /// Compiles `text` into `program` (replacing its contents).
  static void Compile(std::u16string_view text, FormulaProgram& program);

 private:
  /// What the compiler knows about a register: a value fixed at compile time (`known`),
  /// and whether that value has already been written into the register at run time.
  struct RegisterState {
    bool known = false;
    bool written = false;
    double value = 0.0;
  };

  explicit FormulaCompiler(FormulaProgram& program) : program_(program) {}

  /// Scans one frame of the recursion over `text` at `depth`; its accumulator is register
  /// 2 x depth, its operand register 2 x depth + 1. Returns what the scanner returns.
  int Frame(std::u16string_view text, int closing, int depth);

  std::uint16_t Register(int depth, bool operand);
  void SetKnown(std::uint16_t reg, double value);
  void Materialize(std::uint16_t reg);
  void LoadReference(std::uint16_t reg, int slot);
  void Move(std::uint16_t target, std::uint16_t source);
  /// Applies `pending` to accumulator `a` with operand `b`: 1, or a failure known while
  /// compiling (an operand that is a constant the operation refuses).
  int Apply(Operation& pending, bool& ready, std::uint16_t a, std::uint16_t b);

  FormulaProgram& program_;
  std::vector<RegisterState> registers_;
};

}  // namespace vantrel::formula
