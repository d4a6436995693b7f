// The update pass of formula curves during an online recording (ExtendFormulaCurves):
// each formula curve is evaluated again from its stored formula over the samples its
// source curves received since the last pass.
#include <cfloat>

#include "formula/FormulaCurves.h"
#include "formula/FormulaSampling.h"

namespace vantrel::formula {

namespace {

void NoteProblem(FormulaUpdateResult& result, int messageId, int curve) {
  if (result.messageId != 0) return;
  result.messageId = messageId;
  result.problemCurve = curve;
}

/// Extends formula curve `f` at position `position`; the context's slots hold the source
/// curves before it.
void ExtendCurve(model::CMessungObj& measurement, int position, model::CKurveObj& f,
                 FormulaContext& context, int scaleMode, FormulaEngine engine,
                 FormulaUpdateResult& result) {
  // Every source continues at the formula curve's own length, or at its last sample when
  // it has no more than that.
  const long long known = f.GetSampleCount();
  for (int k = 0; k < kSlots; ++k) {
    const model::CKurveObj* source = context.GetSlotCurve(k);
    if (source == nullptr) continue;
    const long long count = source->GetSampleCount();
    context.SetReadPosition(k, count > known ? known : count - 1);
  }

  model::CAchse* axis = measurement.GetYAxis(f.GetAxisIndex());
  if (axis == nullptr) NoteProblem(result, kMsgEvaluationFailed, position);
  double low = 0.0;
  double high = 0.0;
  if (axis != nullptr) {
    if (scaleMode == 1) {
      // One twelfth of the span is the margin the last pass added on each side.
      const float w = (axis->GetMax() - axis->GetMin()) * 0.083333336F;
      low = static_cast<double>(axis->GetMin() + w);
      high = static_cast<double>(axis->GetMax() - w);
    } else {
      low = static_cast<double>(axis->GetMin());
      high = static_cast<double>(axis->GetMax());
    }
  }

  // A failed sample repeats the previous minimum and maximum; before the first sample of
  // the pass that is the curve's last stored sample.
  double first = 0.0;
  double second = 0.0;
  if (const model::CValueObj* last = f.GetSample(known - 1); last != nullptr) {
    first = static_cast<double>(last->minimum);
    second = static_cast<double>(last->maximum);
  }
  const std::u16string formula = f.GetSourceText();
  bool extended = false;
  ForEachFormulaSample(context, formula, false, 3, engine, [&](const EvaluatedSample& sample) {
    double third = 0.0;
    int failed = kFormulaValid;
    for (int c = 0; c < 3 && failed == kFormulaValid; ++c) {
      if (sample.results[c] < 1) failed = sample.results[c];
    }
    if (failed == kFormulaValid) {
      first = sample.values[0];
      second = sample.values[1];
      third = sample.values[2];
    } else {
      NoteProblem(result, EvaluationMessageId(failed), position);
    }
    if (!f.AddSample(static_cast<float>(first), static_cast<float>(second),
                     static_cast<float>(third))) {
      return false;
    }
    extended = true;
    if (low > first) low = first;
    if (high < second) high = second;
    return true;
  });
  if (extended) ++result.curvesExtended;

  if (const model::CKurveObj* head = measurement.GetCurve(0); head != nullptr) {
    f.SetDuration(head->GetDuration());
  }
  if (axis == nullptr) return;
  if (scaleMode == 1) {
    const double margin = (high - low) * 0.1;
    low = low - margin;
    high = high + margin;
  }
  axis->SetMin(static_cast<float>(low));
  axis->SetMax(static_cast<float>(high));
}

}  // namespace

FormulaUpdateResult ExtendFormulaCurves(model::CMessungObj& measurement, int scaleMode,
                                        FormulaEngine engine) {
  FormulaUpdateResult result;
  FormulaContext context;
  context.SetCurveCount(measurement.GetCurveCount());
  for (int i = 0; i < measurement.GetCurveCount(); ++i) {
    model::CKurveObj* curve = measurement.GetCurve(i);
    if (curve->GetOrigin() != model::kOriginComputed) {
      // A source for the formula curves after it; only the first 16 curves have slots.
      context.SetSlotCurve(i, curve);
      continue;
    }
    ExtendCurve(measurement, i, *curve, context, scaleMode, engine, result);
  }
  return result;
}

}  // namespace vantrel::formula
