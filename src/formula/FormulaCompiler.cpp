#include "formula/FormulaCompiler.h"

#include <algorithm>

namespace vantrel::formula {

namespace {

bool UsesAccumulator(Operation operation) {
  switch (operation) {
    case Operation::Add:
    case Operation::Subtract:
    case Operation::Multiply:
    case Operation::Divide:
    case Operation::Power:
      return true;
    default:
      return false;
  }
}

}  // namespace

void FormulaCompiler::Compile(std::u16string_view text, FormulaProgram& program) {
  program.code_.clear();
  program.registerCount_ = 2;
  FormulaCompiler compiler(program);
  if (text.size() > kMaxFormulaLength) {
    program.finalResult_ = kUnexpectedCharacter;
    return;
  }
  const int result = compiler.Frame(text, 0, 0);
  program.finalResult_ = result;
  if (result >= 1) compiler.Materialize(0);
  program.registerCount_ = std::max<std::size_t>(compiler.registers_.size(), 2);
}

std::uint16_t FormulaCompiler::Register(int depth, bool operand) {
  const auto reg = static_cast<std::size_t>(2 * depth + (operand ? 1 : 0));
  if (registers_.size() <= reg) registers_.resize(reg + 1);
  return static_cast<std::uint16_t>(reg);
}

void FormulaCompiler::SetKnown(std::uint16_t reg, double value) {
  registers_[reg] = RegisterState{true, false, value};
}

void FormulaCompiler::Materialize(std::uint16_t reg) {
  RegisterState& state = registers_[reg];
  if (!state.known || state.written) return;
  FormulaProgram::Instruction instruction;
  instruction.op = FormulaProgram::OpCode::Constant;
  instruction.a = reg;
  instruction.constant = state.value;
  program_.code_.push_back(instruction);
  state.written = true;
}

void FormulaCompiler::LoadReference(std::uint16_t reg, int slot) {
  FormulaProgram::Instruction instruction;
  instruction.op = FormulaProgram::OpCode::Reference;
  instruction.a = reg;
  instruction.slot = slot;
  program_.code_.push_back(instruction);
  registers_[reg] = RegisterState{};
}

void FormulaCompiler::Move(std::uint16_t target, std::uint16_t source) {
  const RegisterState state = registers_[source];
  if (state.known) {
    SetKnown(target, state.value);
    return;
  }
  FormulaProgram::Instruction instruction;
  instruction.op = FormulaProgram::OpCode::Move;
  instruction.a = target;
  instruction.b = source;
  program_.code_.push_back(instruction);
  registers_[target] = RegisterState{};
}

int FormulaCompiler::Apply(Operation& pending, bool& ready, std::uint16_t a, std::uint16_t b) {
  if (pending == Operation::None) return kUnexpectedCharacter;
  const RegisterState operand = registers_[b];
  const RegisterState accumulator = registers_[a];
  const bool usesA = UsesAccumulator(pending);
  if (operand.known) {
    const int check = OperandCheck(pending, operand.value);
    if (check < 1) return check;
    if (accumulator.known || !usesA) {
      SetKnown(a, Combine(pending, accumulator.value, operand.value));
      pending = Operation::None;
      ready = false;
      return 1;
    }
  }
  Materialize(b);
  if (usesA) Materialize(a);
  FormulaProgram::Instruction instruction;
  instruction.op = FormulaProgram::OpCode::Apply;
  instruction.operation = pending;
  instruction.a = a;
  instruction.b = b;
  program_.code_.push_back(instruction);
  registers_[a] = RegisterState{};
  pending = Operation::None;
  ready = false;
  return 1;
}

int FormulaCompiler::Frame(std::u16string_view text, int closing, int depth) {
  // Mirrors FormulaContext::Evaluate step by step; keep the two in the same shape.
  const std::uint16_t a = Register(depth, false);
  const std::uint16_t b = Register(depth, true);
  SetKnown(a, 0.0);
  SetKnown(b, 0.0);
  Operation pending = Operation::None;
  bool ready = false;
  if (text.empty()) return kUnexpectedCharacter;
  std::u16string_view rest = text;
  const auto remove = [&rest](std::size_t count) {
    rest.remove_prefix(std::min(count, rest.size()));
  };
  const auto consumed = [&] { return static_cast<int>(text.size() - rest.size()); };
  const std::uint16_t inner = Register(depth + 1, false);
  while (!rest.empty()) {
    const char16_t c = rest.front();
    if (c < u' ' || c > u't') return kUnexpectedCharacter;
    bool appliedAtOnce = false;
    if (c == u' ') {
      remove(1);
    } else if (c == u'(') {
      remove(1);
      const bool intoB = pending != Operation::None;
      const int r = Frame(rest, 1, depth + 1);
      if (r < 1) return r;
      Move(intoB ? b : a, inner);
      if (intoB) ready = true;
      remove(static_cast<std::size_t>(r));
    } else if (c == u')') {
      if (closing == 1) remove(1);
      return consumed();
    } else if (c == u'*') {
      pending = Operation::Multiply;
      remove(1);
    } else if (c == u'/') {
      pending = Operation::Divide;
      remove(1);
    } else if (c == u'^') {
      pending = Operation::Power;
      remove(1);
    } else if (c == u'+' || c == u'-') {
      pending = c == u'+' ? Operation::Add : Operation::Subtract;
      remove(1);
      const int r = Frame(rest, 0, depth + 1);
      if (r < 1) return r;
      Move(b, inner);
      remove(static_cast<std::size_t>(r));
      if (const int applied = Apply(pending, ready, a, b); applied < 1) return applied;
      appliedAtOnce = true;
    } else if (c >= u'0' && c <= u'9') {
      const double value = ReadDecimalNumber(rest);
      if (pending != Operation::None) {
        SetKnown(b, value);
        ready = true;
      } else {
        SetKnown(a, value);
      }
      remove(NumberRunLength(rest));
    } else if (c == u'I') {
      remove(1);
      const int n = ReadReferenceNumber(rest);
      remove(n < 10 ? 1 : 2);
      if (n < 1 || n > kSlots) return kBadReference;
      if (pending != Operation::None) {
        LoadReference(b, n - 1);
        if (const int applied = Apply(pending, ready, a, b); applied < 1) return applied;
        appliedAtOnce = true;
      } else {
        LoadReference(a, n - 1);
      }
    } else if ((c == u'c' || c == u't' || c == u'l' || c == u's') && pending != Operation::None) {
      const int r = Frame(rest, 0, depth + 1);
      if (r < 1) return r;
      Move(b, inner);
      remove(static_cast<std::size_t>(r));
      if (const int applied = Apply(pending, ready, a, b); applied < 1) return applied;
      appliedAtOnce = true;
    } else if (c == u'c') {
      pending = Operation::Cosine;
      remove(3);
    } else if (c == u't') {
      pending = Operation::Tangent;
      remove(3);
    } else if (c == u'l') {
      const bool natural = StartsWith(rest, u"logn");
      pending = natural ? Operation::NaturalLog : Operation::CommonLog;
      remove(natural ? 4 : 5);
    } else if (c == u's') {
      const bool sine = StartsWith(rest, u"sin");
      pending = sine ? Operation::Sine : Operation::SquareRoot;
      remove(sine ? 3 : 4);
    } else {
      return kUnexpectedCharacter;
    }
    if (!appliedAtOnce && ready) {
      if (const int applied = Apply(pending, ready, a, b); applied < 1) return applied;
    }
  }
  return static_cast<int>(text.size());
}

}  // namespace vantrel::formula
