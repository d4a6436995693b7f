#include "formula/FormulaProgram.h"

#include <algorithm>
#include <cmath>

#include "formula/FormulaCompiler.h"

namespace vantrel::formula {

namespace {

/// Samples evaluated together; every register holds one block.
constexpr std::size_t kBlock = 256;

/// Marks a sample on which no operand test has failed yet.
constexpr int kNoFailure = 1;

float model::CValueObj::*FieldOf(int component) {
  switch (component) {
    case 0:
      return &model::CValueObj::minimum;
    case 1:
      return &model::CValueObj::maximum;
    case 2:
      return &model::CValueObj::value;
    default:
      return nullptr;
  }
}

void LoadSlot(const SlotSamples& slot, float model::CValueObj::*field, long long first,
              std::size_t count, double* out) {
  std::size_t i = 0;
  if (slot.samples != nullptr && field != nullptr) {
    const long long start = slot.begin + first;
    // Lanes before index 0 (only possible with a negative begin) read 0.0.
    for (; i < count && start + static_cast<long long>(i) < 0; ++i) out[i] = 0.0;
    const long long available = slot.end - (start + static_cast<long long>(i));
    const std::size_t inside =
        available <= 0 ? 0 : std::min<std::size_t>(count - i, static_cast<std::size_t>(available));
    const model::CValueObj* source = slot.samples + start + static_cast<long long>(i);
    for (std::size_t k = 0; k < inside; ++k) out[i + k] = static_cast<double>(source[k].*field);
    i += inside;
  }
  for (; i < count; ++i) out[i] = 0.0;
}

/// Runs the operand test and the operation of one Apply instruction over a block. Every
/// lane computes what Combine computes for it (the same expression, the same NaN rule).
void ApplyBlock(Operation operation, double* a, const double* b, std::size_t count, int* results) {
  switch (operation) {
    case Operation::Add:
      for (std::size_t i = 0; i < count; ++i) a[i] = CanonicalNaN(b[i] + a[i]);
      return;
    case Operation::Subtract:
      for (std::size_t i = 0; i < count; ++i) a[i] = CanonicalNaN(a[i] - b[i]);
      return;
    case Operation::Multiply:
      for (std::size_t i = 0; i < count; ++i) a[i] = CanonicalNaN(b[i] * a[i]);
      return;
    case Operation::Divide:
      for (std::size_t i = 0; i < count; ++i) {
        const double operand = b[i];
        const bool refused = operand == 0.0 || std::isnan(operand);
        if (refused && results[i] == kNoFailure) results[i] = kDivisionByZero;
        a[i] = CanonicalNaN(a[i] / (refused ? 1.0 : operand));
      }
      return;
    case Operation::Power:
    case Operation::Sine:
    case Operation::Cosine:
    case Operation::Tangent:
      for (std::size_t i = 0; i < count; ++i) a[i] = Combine(operation, a[i], b[i]);
      return;
    case Operation::NaturalLog:
    case Operation::CommonLog:
    case Operation::SquareRoot:
      for (std::size_t i = 0; i < count; ++i) {
        const int check = OperandCheck(operation, b[i]);
        if (check < 1) {
          if (results[i] == kNoFailure) results[i] = check;
          a[i] = 0.0;
        } else {
          a[i] = Combine(operation, a[i], b[i]);
        }
      }
      return;
    case Operation::None:
      return;
  }
}

}  // namespace

FormulaProgram FormulaProgram::Compile(std::u16string_view text) {
  FormulaProgram program;
  FormulaCompiler::Compile(text, program);
  return program;
}

bool FormulaProgram::ReadsSlot(int slot) const {
  return std::any_of(code_.begin(), code_.end(), [slot](const Instruction& instruction) {
    return instruction.op == OpCode::Reference && instruction.slot == slot;
  });
}

void FormulaProgram::Evaluate(const SlotTable& slots, int component, long long first,
                              std::size_t count, double* values, int* results) const {
  const auto field = FieldOf(component);
  std::vector<double> registers(registerCount_ * kBlock);
  std::vector<int> failures(kBlock);
  const auto reg = [&registers](std::uint16_t index) {
    return registers.data() + static_cast<std::size_t>(index) * kBlock;
  };
  for (std::size_t done = 0; done < count; done += kBlock) {
    const std::size_t n = std::min(kBlock, count - done);
    const long long iteration = first + static_cast<long long>(done);
    std::fill_n(failures.begin(), n, kNoFailure);
    for (const Instruction& instruction : code_) {
      double* a = reg(instruction.a);
      switch (instruction.op) {
        case OpCode::Constant:
          std::fill_n(a, n, instruction.constant);
          break;
        case OpCode::Reference: {
          const bool inSlots = instruction.slot >= 0 && instruction.slot < kSlots;
          const SlotSamples none;
          LoadSlot(inSlots ? slots[static_cast<std::size_t>(instruction.slot)] : none, field,
                   iteration, n, a);
          break;
        }
        case OpCode::Move:
          std::copy_n(reg(instruction.b), n, a);
          break;
        case OpCode::Apply:
          ApplyBlock(instruction.operation, a, reg(instruction.b), n, failures.data());
          break;
      }
    }
    const double* result = reg(0);
    for (std::size_t i = 0; i < n; ++i) {
      values[done + i] = result[i];
      results[done + i] = failures[i] == kNoFailure ? finalResult_ : failures[i];
    }
  }
}

}  // namespace vantrel::formula
