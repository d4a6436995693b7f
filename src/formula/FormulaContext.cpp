#include "formula/FormulaContext.h"

#include <algorithm>

#include "formula/FormulaText.h"

namespace vantrel::formula {

namespace {

/// Drops up to `count` characters from the front of `text` (fewer when it is shorter).
void RemoveFront(std::u16string& text, std::size_t count) {
  text.erase(0, std::min(count, text.size()));
}

/// Applies the pending operation to the accumulator: returns 1, or the failure code.
/// Afterwards nothing is pending and nothing is ready.
int Apply(Operation& pending, bool& ready, double& a, double b) {
  if (pending == Operation::None) return kUnexpectedCharacter;
  const int check = OperandCheck(pending, b);
  if (check < 1) return check;
  a = Combine(pending, a, b);
  pending = Operation::None;
  ready = false;
  return 1;
}

}  // namespace

FormulaContext::FormulaContext(const model::CMessungObj& measurement)
    : curveCount_(measurement.GetCurveCount()) {
  const int slots = std::min(curveCount_, kSlots);
  for (int i = 0; i < slots; ++i) {
    const model::CKurveObj* curve = measurement.GetCurve(i);
    SetSlotCurve(i, curve);
    SetReadPosition(i, 0);
  }
}

const model::CKurveObj* FormulaContext::GetSlotCurve(int slot) const {
  return ValidSlot(slot) ? slotCurve_[static_cast<std::size_t>(slot)] : nullptr;
}

void FormulaContext::SetSlotCurve(int slot, const model::CKurveObj* curve) {
  if (!ValidSlot(slot)) return;
  const auto k = static_cast<std::size_t>(slot);
  slotCurve_[k] = curve;
  sampleInterval_[k] = curve != nullptr ? curve->GetSampleInterval() : 0.0;
  readPosition_[k] = -1;
}

double FormulaContext::GetSampleInterval(int slot) const {
  return ValidSlot(slot) ? sampleInterval_[static_cast<std::size_t>(slot)] : 0.0;
}

long long FormulaContext::GetReadPosition(int slot) const {
  return ValidSlot(slot) ? readPosition_[static_cast<std::size_t>(slot)] : -1;
}

void FormulaContext::SetReadPosition(int slot, long long index) {
  if (!ValidSlot(slot)) return;
  const auto k = static_cast<std::size_t>(slot);
  const model::CKurveObj* curve = slotCurve_[k];
  const bool inside = curve != nullptr && index >= 0 && index < curve->GetSampleCount();
  readPosition_[k] = inside ? index : -1;
}

bool FormulaContext::AdvanceReadPositions(bool referencedOnly) {
  bool anyLeft = false;
  for (int k = 0; k < kSlots; ++k) {
    const auto i = static_cast<std::size_t>(k);
    if (referencedOnly && referenced_[i] == 0) continue;
    if (readPosition_[i] < 0) continue;
    SetReadPosition(k, readPosition_[i] + 1);
    if (readPosition_[i] >= 0) anyLeft = true;
  }
  return anyLeft;
}

bool FormulaContext::IsReferenced(int slot) const {
  return ValidSlot(slot) && referenced_[static_cast<std::size_t>(slot)] != 0;
}

double FormulaContext::ReadSlot(int slot, int component) const {
  const model::CKurveObj* curve = GetSlotCurve(slot);
  const long long position = GetReadPosition(slot);
  if (curve == nullptr || position < 0) return 0.0;
  const model::CValueObj* sample = curve->GetSample(position);
  if (sample == nullptr) return 0.0;
  return static_cast<double>(ComponentOf(*sample, component));
}

int FormulaContext::CheckFormula() {
  thirdValueComputable_ = 1;
  referenced_.fill(0);
  std::u16string_view rest = formula_;
  if (rest.empty() || rest.size() > kMaxFormulaLength) return kFormulaInvalid;
  int depth = 0;
  double referenceInterval = -1.0;
  bool operandSeen = false;
  bool operatorPending = true;
  const auto remove = [&rest](std::size_t count) {
    rest.remove_prefix(std::min(count, rest.size()));
  };
  while (!rest.empty()) {
    const char16_t c = rest.front();
    if (c == u' ') {
      remove(1);
    } else if (c == u'(') {
      if (operandSeen) return kFormulaInvalid;
      ++depth;
      operatorPending = false;
      remove(1);
    } else if (c == u')') {
      if (depth - 1 < 0 || !operandSeen) return kFormulaInvalid;
      --depth;
      operatorPending = false;
      remove(1);
    } else if (c == u'+' || c == u'-' || c == u'*' || c == u'/' || c == u'^') {
      if (operatorPending) return kFormulaInvalid;
      operatorPending = true;
      operandSeen = false;
      remove(1);
    } else if (c >= u'0' && c <= u'9') {
      if (operandSeen) return kFormulaInvalid;
      remove(NumberRunLength(rest));
      operandSeen = true;
      operatorPending = false;
    } else if (c == u'I') {
      if (operandSeen) return kFormulaInvalid;
      remove(1);
      const int n = ReadReferenceNumber(rest);
      // The slot tables have 16 entries whatever the curve count says.
      if (n < 1 || n > curveCount_ || n > kSlots) return kBadReference;
      const auto slot = static_cast<std::size_t>(n - 1);
      if (referenceInterval < 0.0) {
        referenceInterval = sampleInterval_[slot];
      } else if (sampleInterval_[slot] != referenceInterval) {
        return kMixedIntervals;
      }
      if (slotCurve_[slot] != nullptr && slotCurve_[slot]->GetRecordingKind() == 1) {
        thirdValueComputable_ = 0;
      }
      referenced_[slot] = 1;
      remove(n < 10 ? 1 : 2);
      operandSeen = true;
      operatorPending = false;
    } else if (c == u'c' || c == u't') {
      if (operandSeen || !StartsWith(rest, c == u'c' ? u"cos" : u"tan")) return kFormulaInvalid;
      remove(3);
      operatorPending = true;
    } else if (c == u's') {
      if (operandSeen) return kFormulaInvalid;
      if (StartsWith(rest, u"sin")) {
        remove(3);
      } else if (StartsWith(rest, u"sqrt")) {
        remove(4);
      } else {
        return kFormulaInvalid;
      }
      operatorPending = true;
    } else if (c == u'l') {
      if (operandSeen) return kFormulaInvalid;
      if (StartsWith(rest, u"logn")) {
        remove(4);
      } else if (StartsWith(rest, u"log10")) {
        remove(5);
      } else {
        return kFormulaInvalid;
      }
      operatorPending = true;
    } else {
      return kFormulaInvalid;
    }
  }
  return (!operatorPending && depth == 0) ? kFormulaValid : kFormulaInvalid;
}

int FormulaContext::EvaluateFormula(double* out, std::u16string text, int component,
                                    int closing) const {
  // Every recursion consumes text, so the length bound also bounds the depth.
  if (text.size() > kMaxFormulaLength) return kUnexpectedCharacter;
  return Evaluate(out, std::move(text), component, closing);
}

int FormulaContext::Evaluate(double* out, std::u16string text, int component, int closing) const {
  double a = 0.0;
  double b = 0.0;
  Operation pending = Operation::None;
  bool ready = false;
  if (text.empty()) return kUnexpectedCharacter;
  std::u16string rest = text;
  const auto consumed = [&] { return static_cast<int>(text.size() - rest.size()); };
  while (!rest.empty()) {
    const char16_t c = rest.front();
    if (c < u' ' || c > u't') return kUnexpectedCharacter;
    bool appliedAtOnce = false;
    if (c == u' ') {
      RemoveFront(rest, 1);
    } else if (c == u'(') {
      RemoveFront(rest, 1);
      const bool intoB = pending != Operation::None;
      const int r = Evaluate(intoB ? &b : &a, rest, component, 1);
      if (r < 1) return r;
      if (intoB) ready = true;
      RemoveFront(rest, static_cast<std::size_t>(r));
    } else if (c == u')') {
      if (closing == 1) RemoveFront(rest, 1);
      *out = a;
      return consumed();
    } else if (c == u'*') {
      pending = Operation::Multiply;
      RemoveFront(rest, 1);
    } else if (c == u'/') {
      pending = Operation::Divide;
      RemoveFront(rest, 1);
    } else if (c == u'^') {
      pending = Operation::Power;
      RemoveFront(rest, 1);
    } else if (c == u'+' || c == u'-') {
      pending = c == u'+' ? Operation::Add : Operation::Subtract;
      RemoveFront(rest, 1);
      const int r = Evaluate(&b, rest, component, 0);
      if (r < 1) return r;
      RemoveFront(rest, static_cast<std::size_t>(r));
      if (const int applied = Apply(pending, ready, a, b); applied < 1) return applied;
      appliedAtOnce = true;
    } else if (c >= u'0' && c <= u'9') {
      const double value = ReadDecimalNumber(rest);
      if (pending != Operation::None) {
        b = value;
        ready = true;
      } else {
        a = value;
      }
      RemoveFront(rest, NumberRunLength(rest));
    } else if (c == u'I') {
      RemoveFront(rest, 1);
      const int n = ReadReferenceNumber(rest);
      RemoveFront(rest, n < 10 ? 1 : 2);
      if (n < 1 || n > kSlots) return kBadReference;
      const double value = ReadSlot(n - 1, component);
      if (pending != Operation::None) {
        b = value;
        if (const int applied = Apply(pending, ready, a, b); applied < 1) return applied;
        appliedAtOnce = true;
      } else {
        a = value;
      }
    } else if ((c == u'c' || c == u't' || c == u'l' || c == u's') && pending != Operation::None) {
      const int r = Evaluate(&b, rest, component, 0);
      if (r < 1) return r;
      RemoveFront(rest, static_cast<std::size_t>(r));
      if (const int applied = Apply(pending, ready, a, b); applied < 1) return applied;
      appliedAtOnce = true;
    } else if (c == u'c') {
      pending = Operation::Cosine;
      RemoveFront(rest, 3);
    } else if (c == u't') {
      pending = Operation::Tangent;
      RemoveFront(rest, 3);
    } else if (c == u'l') {
      const bool natural = StartsWith(rest, u"logn");
      pending = natural ? Operation::NaturalLog : Operation::CommonLog;
      RemoveFront(rest, natural ? 4 : 5);
    } else if (c == u's') {
      const bool sine = StartsWith(rest, u"sin");
      pending = sine ? Operation::Sine : Operation::SquareRoot;
      RemoveFront(rest, sine ? 3 : 4);
    } else {
      return kUnexpectedCharacter;
    }
    if (!appliedAtOnce && ready) {
      if (const int applied = Apply(pending, ready, a, b); applied < 1) return applied;
    }
  }
  *out = a;
  return static_cast<int>(text.size());
}

}  // namespace vantrel::formula
