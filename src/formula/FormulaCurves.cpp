#include "formula/FormulaCurves.h"

#include <cfloat>

#include "formula/FormulaSampling.h"
#include "model/Units.h"

namespace vantrel::formula {

using platform::MakeColor;

const std::array<platform::Color, kSlots> kFormulaCurveColors = {
    MakeColor(255, 0, 0),    MakeColor(0, 255, 0),     MakeColor(0, 0, 255),
    MakeColor(0, 128, 128),  MakeColor(0, 255, 255),   MakeColor(255, 0, 255),
    MakeColor(128, 0, 0),    MakeColor(0, 0, 128),     MakeColor(128, 128, 0),
    MakeColor(0, 128, 128),  MakeColor(128, 0, 128),   MakeColor(128, 128, 128),
    MakeColor(255, 128, 64), MakeColor(164, 255, 164), MakeColor(0, 128, 0),
    MakeColor(0, 0, 0)};

namespace {

/// Takes the curve just appended out of the measurement again. Its axis index is cleared
/// first so that removing it never takes an axis of other curves along.
void DiscardNewCurve(model::CMessungObj& measurement, model::CKurveObj& curve) {
  curve.SetAxisIndex(-1);
  measurement.RemoveCurve(measurement.GetCurveCount() - 1);
}

FormulaCurveResult Refusal(int result, int messageId, bool staysOpen) {
  FormulaCurveResult refusal;
  refusal.result = result;
  refusal.messageId = messageId;
  refusal.dialogStaysOpen = staysOpen;
  return refusal;
}

FormulaCurveResult OutOfMemory() {
  FormulaCurveResult failure = Refusal(kOutOfMemory, platform::kMsgOutOfMemory, false);
  failure.messageShown = true;
  return failure;
}

}  // namespace

SlotTable SlotsFromReadPositions(const FormulaContext& context, bool referencedOnly,
                                 long long* iterations) {
  SlotTable slots{};
  long long longest = 1;
  for (int k = 0; k < kSlots; ++k) {
    if (referencedOnly && !context.IsReferenced(k)) continue;
    const model::CKurveObj* curve = context.GetSlotCurve(k);
    const long long position = context.GetReadPosition(k);
    if (curve == nullptr || position < 0) continue;
    SlotSamples& slot = slots[static_cast<std::size_t>(k)];
    slot.samples = curve->Samples().data();
    slot.begin = position;
    slot.end = curve->GetSampleCount();
    longest = std::max(longest, slot.end - slot.begin);
  }
  if (iterations != nullptr) *iterations = longest;
  return slots;
}

FormulaCurveResult CreateFormulaCurve(model::CMessungObj& measurement,
                                      const std::u16string& formula,
                                      const FormulaCurveOptions& options) {
  FormulaContext context(measurement);
  return CreateFormulaCurve(context, measurement, formula, options);
}

FormulaCurveResult CreateFormulaCurve(FormulaContext& context, model::CMessungObj& measurement,
                                      const std::u16string& formula,
                                      const FormulaCurveOptions& options) {
  if (measurement.GetOnlineActive() != 0 && !options.whileRecording) {
    return Refusal(kRefusedWhileRecording, 0, false);
  }
  const int curveCount = context.GetCurveCount();
  if (curveCount >= model::kMaxCurves || measurement.GetCurveCount() >= model::kMaxCurves) {
    return Refusal(kTooManyCurves, kMsgTooManyCurves, true);
  }
  context.SetFormula(formula);
  const int check = context.CheckFormula();
  if (check < kFormulaValid) {
    // An overlong text is not a wrong formula: the user learns the limit.
    const bool tooLong = formula.size() > kMaxFormulaLength;
    return Refusal(check, tooLong ? kMsgFormulaTooLong : CheckMessageId(check), true);
  }

  model::CKurveObj* curve = measurement.AddCurve();
  if (curve == nullptr) return OutOfMemory();

  double low = static_cast<double>(FLT_MAX);
  double high = static_cast<double>(FLT_MIN);
  double third = 0.0;
  int failure = kFormulaValid;
  const bool thirdComputable = context.GetThirdValueComputable() == 1;
  ForEachFormulaSample(
      context, formula, true, thirdComputable ? 3 : 2, options.engine,
      [&](const EvaluatedSample& sample) {
        for (int c = 0; c < (thirdComputable ? 3 : 2); ++c) {
          if (sample.results[c] < 1) {
            failure = sample.results[c];
            return false;
          }
        }
        const double first = sample.values[0];
        const double second = sample.values[1];
        if (thirdComputable) third = sample.values[2];
        if (!curve->AddSample(static_cast<float>(first), static_cast<float>(second),
                              static_cast<float>(third))) {
          failure = kOutOfMemory;
          return false;
        }
        if (low > first) low = first;
        if (high < second) high = second;
        return true;
      });
  if (failure == kOutOfMemory) {
    DiscardNewCurve(measurement, *curve);
    return OutOfMemory();
  }
  if (failure < kFormulaValid) {
    DiscardNewCurve(measurement, *curve);
    return Refusal(failure, EvaluationMessageId(failure), false);
  }

  // Completion: the longest referenced curve gives duration and sample interval.
  curve->SetColor(kFormulaCurveColors[static_cast<std::size_t>(curveCount)]);
  curve->SetStartTime(options.startTime);
  std::int32_t duration = 0;
  int durationSlot = 0;
  for (int k = 0; k < kSlots; ++k) {
    const model::CKurveObj* source = context.GetSlotCurve(k);
    if (!context.IsReferenced(k) || source == nullptr) continue;
    if (source->GetDuration() > duration) {
      duration = source->GetDuration();
      durationSlot = k;
    }
  }
  curve->SetDuration(duration);
  curve->SetSampleInterval(context.GetSampleInterval(durationSlot));
  curve->SetSourceNumber(curveCount);
  curve->SetChannelNumber(0);
  curve->SetRecordingKind(thirdComputable ? 0 : 1);
  curve->SetOrigin(model::kOriginComputed);
  curve->SetDrawOrder(1);
  curve->SetPeakValue(0.0F);
  curve->SetName(formula);
  curve->SetSourceText(formula);
  curve->SetUnit(model::kUnitCustom, u"keine");

  model::CAchse* axis = measurement.AddYAxis();
  if (axis == nullptr) {
    DiscardNewCurve(measurement, *curve);
    return OutOfMemory();
  }
  if (options.scaleMode == 1) {
    const double margin = (high - low) * 0.1;
    low = low - margin;
    high = high + margin;
  }
  axis->SetMin(static_cast<float>(low));
  axis->SetMax(static_cast<float>(high));
  axis->SetUnit(model::kUnitCustom, u"");
  curve->SetAxisIndex(measurement.GetYAxisCount() - 1);

  FormulaCurveResult success;
  success.curve = curve;
  success.curveIndex = measurement.GetCurveCount() - 1;
  return success;
}

FormulaUpdateResult UpdateFormulaCurves(model::CMessungObj& measurement, int scaleMode,
                                        FormulaEngine engine) {
  if (measurement.GetFormulaUpdatePending() == 0) return {};
  measurement.SetFormulaUpdatePending(0);
  return ExtendFormulaCurves(measurement, scaleMode, engine);
}

}  // namespace vantrel::formula
