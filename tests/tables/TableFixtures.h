// Small measurements for the table tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/CMessungObj.h"

namespace vantrel::tables::fixtures {

struct SampleRow {
  float minimum;
  float maximum;
  float value;
};

/// Appends a curve with the given name, interval and samples.
inline model::CKurveObj& AddCurve(model::CMessungObj& measurement, const std::u16string& name,
                                  double interval, const std::vector<SampleRow>& samples) {
  model::CKurveObj& curve = *measurement.AddCurve();
  curve.SetName(name);
  curve.SetSampleInterval(interval);
  for (const SampleRow& s : samples) curve.AddSample(s.minimum, s.maximum, s.value);
  return curve;
}

/// Samples k = 0 .. count-1 with minimum k, maximum k + 0.5, value k + 0.25.
inline std::vector<SampleRow> Ramp(int count) {
  std::vector<SampleRow> rows;
  for (int k = 0; k < count; ++k) {
    rows.push_back({static_cast<float>(k), k + 0.5F, k + 0.25F});
  }
  return rows;
}

}  // namespace vantrel::tables::fixtures
