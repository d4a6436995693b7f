// The working context of a formula curve (what the formula dialog holds while it is open)
// and the literal formula scanner over it: CheckFormula, the syntax and reference check,
// and EvaluateFormula, the recursive scanner that evaluates one sample of one component.
// This scanner is the reference the compiled form (FormulaProgram) must match bit for bit;
// building curves from it is FormulaCurves' job.
#pragma once

#include <array>
#include <string>

#include "formula/FormulaCodes.h"
#include "model/CKurveObj.h"
#include "model/CMessungObj.h"

namespace vantrel::formula {

/// Sample component a formula is evaluated for.
enum Component : int { kComponentMinimum = 0, kComponentMaximum = 1, kComponentValue = 2 };

/// The value of `component` (0 minimum, 1 maximum, 2 value) of a sample; 0 for others.
inline float ComponentOf(const model::CValueObj& sample, int component) {
  switch (component) {
    case kComponentMinimum:
      return sample.minimum;
    case kComponentMaximum:
      return sample.maximum;
    case kComponentValue:
      return sample.value;
    default:
      return 0.0F;
  }
}

class FormulaContext {
 public:
  /// A fresh context: no curves, every slot empty, every read position none.
  FormulaContext() = default;
  /// Fills the context as the dialog's initialisation does: curve count, and for each of
  /// the first 16 curves its slot, its sample interval and its first sample as read
  /// position. Curves beyond the 16 slots are counted but take no slot.
  explicit FormulaContext(const model::CMessungObj& measurement);

  void SetFormula(std::u16string formula) { formula_ = std::move(formula); }
  const std::u16string& GetFormula() const { return formula_; }

  /// Checks the formula member: 1 valid, 0 invalid, -5 a reference outside 1 to the curve
  /// count (or outside the 16 slots), -6 referenced curves with different sample intervals.
  /// Sets the referenced flags and the third-value flag afresh.
  int CheckFormula();

  /// Evaluates `text` for `component` at the current read positions. `closing` is 1 when
  /// the call evaluates the inside of a parenthesis and consumes the closing one. Returns
  /// the number of characters consumed (at least 1) and writes `*out`, or a result below 1
  /// (-1 unexpected character or empty text, -2 division by zero, -3 logarithm of a
  /// negative number, -4 square root of a negative number, -5 a reference outside the 16
  /// slots, 0 nothing consumed).
  int EvaluateFormula(double* out, std::u16string text, int component, int closing) const;

  int GetCurveCount() const { return curveCount_; }
  void SetCurveCount(int count) { curveCount_ = count; }

  /// The curve of a slot, or null; null for a slot outside 0..15.
  const model::CKurveObj* GetSlotCurve(int slot) const;
  /// Sets a slot's curve and takes over its sample interval; the read position becomes none.
  void SetSlotCurve(int slot, const model::CKurveObj* curve);
  double GetSampleInterval(int slot) const;

  /// Index of the sample a slot reads next, -1 for none.
  long long GetReadPosition(int slot) const;
  /// Sets the read position; an index outside the slot curve's samples means none.
  void SetReadPosition(int slot, long long index);
  /// Moves every read position that is not none to the next sample (of referenced slots
  /// only when `referencedOnly`); true when at least one of them still has a sample.
  bool AdvanceReadPositions(bool referencedOnly);

  bool IsReferenced(int slot) const;
  int GetThirdValueComputable() const { return thirdValueComputable_; }

 private:
  bool ValidSlot(int slot) const { return slot >= 0 && slot < kSlots; }
  int Evaluate(double* out, std::u16string text, int component, int closing) const;
  double ReadSlot(int slot, int component) const;

  int curveCount_ = 0;
  std::array<double, kSlots> sampleInterval_{};
  std::array<long long, kSlots> readPosition_{-1, -1, -1, -1, -1, -1, -1, -1,
                                              -1, -1, -1, -1, -1, -1, -1, -1};
  std::array<const model::CKurveObj*, kSlots> slotCurve_{};
  std::array<int, kSlots> referenced_{};
  int thirdValueComputable_ = 1;
  std::u16string formula_;
};

}  // namespace vantrel::formula
