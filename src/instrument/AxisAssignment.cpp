// Axis layout of instrument curves: palette, time-axis rule, readout and online y axes.
#include "instrument/AxisAssignment.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

namespace vantrel::instrument {
namespace {

bool SameUnit(const model::CAchse& axis, const model::CKurveObj& curve) {
  std::u16string axisText;
  std::u16string curveText;
  const int axisCode = axis.GetUnit(&axisText);
  const int curveCode = curve.GetUnit(&curveText);
  return axisCode == curveCode && axisText == curveText;
}

void SetAxisUnit(model::CAchse& axis, const model::CKurveObj& curve) {
  std::u16string text;
  const int code = curve.GetUnit(&text);
  axis.SetUnit(code, text);
}

}  // namespace

platform::Color PaletteColor(int slot) {
  static constexpr std::array<platform::Color, 8> kPalette = {
      0x0000FF, 0x00FF00, 0xFF0000, 0x808000, 0xFFFF00, 0xFF00FF, 0x000080, 0x800000};
  return kPalette[static_cast<std::size_t>(slot & 7)];
}

void ApplyXAxisRule(model::CXAchse& xAxis, std::int32_t durationSeconds) {
  xAxis.SetMax(static_cast<float>(durationSeconds));
  if (durationSeconds / 3600 >= 5) {
    xAxis.SetUnit(model::kTimeHours, u"");
  } else if (durationSeconds / 60 >= 5 && xAxis.GetUnit(nullptr) != model::kTimeHours) {
    xAxis.SetUnit(model::kTimeMinutes, u"");
  }
}

void AssignReadoutAxes(model::CMessungObj& measurement, const std::array<float, 6>& minimumValues,
                       const AxisSettings& settings) {
  // Range figure per axis: the largest sensor range of the curves drawn on it.
  std::array<float, 6> rangeFigures{};
  int axisCount = 0;
  const int curveCount = std::min(measurement.GetCurveCount(), 6);
  for (int c = 0; c < curveCount; ++c) {
    model::CKurveObj& curve = *measurement.GetCurve(c);
    const float minimum = minimumValues[static_cast<std::size_t>(c)];
    int found = -1;
    if (settings.zusammenfassen != 2) {
      for (int a = 0; a < axisCount && found < 0; ++a) {
        const model::CAchse& axis = *measurement.GetYAxis(a);
        if (!SameUnit(axis, curve)) continue;
        if (settings.zusammenfassen != 0 &&
            rangeFigures[static_cast<std::size_t>(a)] != curve.GetSensorRange()) {
          continue;
        }
        found = a;
      }
    }
    if (found >= 0) {
      model::CAchse& axis = *measurement.GetYAxis(found);
      curve.SetAxisIndex(found);
      axis.SetMax(std::max(axis.GetMax(), curve.GetPeakValue()));
      axis.SetMin(std::min(axis.GetMin(), minimum));
      float& figure = rangeFigures[static_cast<std::size_t>(found)];
      figure = std::max(figure, curve.GetSensorRange());
      continue;
    }
    model::CAchse* axis = measurement.AddYAxis();
    if (axis == nullptr) continue;  // out of memory and cancelled: the curve keeps axis 0
    curve.SetAxisIndex(axisCount);
    axis->SetMax(curve.GetPeakValue());
    axis->SetMin(minimum);
    rangeFigures[static_cast<std::size_t>(axisCount)] = curve.GetSensorRange();
    SetAxisUnit(*axis, curve);
    ++axisCount;
  }
  for (int a = 0; a < axisCount; ++a) {
    model::CAchse& axis = *measurement.GetYAxis(a);
    const float figure = rangeFigures[static_cast<std::size_t>(a)];
    if (settings.einteilung == 1) {
      const float margin = figure * 0.1F;
      axis.SetMax(axis.GetMax() + margin);
      axis.SetMin(axis.GetMin() - margin);
    } else {
      axis.SetMax(figure);
      axis.SetMin(0.0F);
    }
  }
}

void OnlineAxisGrowth::AddOnlineSample(int slot, float minimum, float maximum, float value) {
  model::CKurveObj* curve = measurement_.GetCurve(slot);
  if (curve == nullptr || !curve->AddSample(minimum, maximum, value)) return;
  const double span = static_cast<double>(curve->GetSampleCount() - 1) * curve->GetSampleInterval();
  const double duration = std::ceil(span);
  curve->SetDuration(duration < 2147483647.0 ? static_cast<std::int32_t>(duration) : INT32_MAX);
  if (curve->GetAxisIndex() < 0) {
    GiveFirstAxis(*curve, slot, minimum, maximum);
    return;
  }
  model::CAchse* axis = measurement_.GetYAxis(curve->GetAxisIndex());
  if (axis != nullptr) {
    if (settings_.einteilung == 1) {
      float margin = 0.0F;
      if (axis->GetMax() != FLT_MIN) margin = (axis->GetMax() - axis->GetMin()) * 0.0833333F;
      bool changed = false;
      if (axis->GetMax() - margin < maximum) {
        axis->SetMax(maximum);
        axis->SetMin(axis->GetMin() + margin);
        changed = true;
      }
      if (axis->GetMin() + margin > minimum) {
        if (!changed) axis->SetMax(axis->GetMax() - margin);
        axis->SetMin(minimum);
        changed = true;
      }
      if (changed) {
        const float widen = (axis->GetMax() - axis->GetMin()) * 0.1F;
        axis->SetMax(axis->GetMax() + widen);
        axis->SetMin(axis->GetMin() - widen);
      }
    } else {
      axis->SetMax(std::max(axis->GetMax(), maximum));
      axis->SetMin(std::min(axis->GetMin(), minimum));
    }
  }
  ApplyXAxisRule(measurement_.GetXAxis(), curve->GetDuration());
}

void OnlineAxisGrowth::GiveFirstAxis(model::CKurveObj& curve, int slot, float minimum,
                                     float maximum) {
  if (settings_.zusammenfassen != 2) {
    for (int a = 0; a < axisCount_ && a < measurement_.GetYAxisCount(); ++a) {
      if (SameUnit(*measurement_.GetYAxis(a), curve)) {
        curve.SetAxisIndex(a);
        return;
      }
    }
  }
  const int position = measurement_.GetYAxisCount();
  model::CAchse* axis = measurement_.AddYAxis();
  if (axis == nullptr) return;  // out of memory and cancelled: the next sample tries again
  SetAxisUnit(*axis, curve);
  curve.SetAxisIndex(position);
  // With one axis per curve the range is staggered by the curve's slot, else by the axis.
  SetFirstRange(*axis, settings_.zusammenfassen == 2 ? slot : axisCount_, minimum, maximum);
  ++axisCount_;
}

void OnlineAxisGrowth::SetFirstRange(model::CAchse& axis, int position, float minimum,
                                     float maximum) const {
  const float mid = (minimum + maximum) * 0.5F;
  if (settings_.einteilung != 1) {
    axis.SetMin(0.0F);
    axis.SetMax(maximum);
  } else if (mid < 0.5F) {
    axis.SetMin(0.0F);
    axis.SetMax(1.0F);
  } else {
    const float step = mid * 0.001F;
    axis.SetMin(static_cast<float>(position) * step + 0.99F * mid);
    axis.SetMax(static_cast<float>(position) * step + 1.01F * mid);
  }
}

}  // namespace vantrel::instrument
