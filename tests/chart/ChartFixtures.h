// Measurements for the chart tests: axes with ranges, curves with colours and samples.
#pragma once

#include <vector>

#include "model/CMessungObj.h"

namespace vantrel::chart::testing {

/// Appends a value axis with range lo..hi.
inline model::CAchse* AddAxis(model::CMessungObj& m, float lo, float hi) {
  model::CAchse* axis = m.AddYAxis();
  axis->SetMin(lo);
  axis->SetMax(hi);
  return axis;
}

/// Appends a curve on `axis` with `color`, `drawOrder` and samples of `values` (minimum =
/// maximum = value), `interval` seconds apart.
inline model::CKurveObj* AddCurve(model::CMessungObj& m, int axis, platform::Color color,
                                  int drawOrder = 0, const std::vector<float>& values = {},
                                  double interval = 1.0) {
  model::CKurveObj* curve = m.AddCurve();
  curve->SetAxisIndex(axis);
  curve->SetColor(color);
  curve->SetDrawOrder(drawOrder);
  curve->SetSampleInterval(interval);
  for (float v : values) curve->AddSample(v, v, v);
  return curve;
}

}  // namespace vantrel::chart::testing
