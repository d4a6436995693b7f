// Measurements with chosen curves and samples for tests.
#pragma once

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "model/CMessungObj.h"

namespace vantrel::testing {

/// Appends a curve with `samples` (minimum, maximum, value), the sample interval and unit,
/// named "K<n>" and drawn on a y axis of its own.
model::CKurveObj* AddCurve(model::CMessungObj& m,
                           std::initializer_list<std::array<float, 3>> samples,
                           double interval = 0.01, int unitCode = 4);
/// A measurement "Messung" of `count` curves, each with two samples, one axis per curve.
std::unique_ptr<model::CMessungObj> MeasurementOfCurves(
    int count, platform::MessageService* messages = nullptr);

/// Appends a value axis with range lo..hi.
model::CAchse* AddAxis(model::CMessungObj& m, float lo, float hi);
/// Appends a value axis with range lo..hi, `divisions` and the unit `unitCode`.
model::CAchse* AddAxis(model::CMessungObj& m, float lo, float hi, int divisions, int unitCode);
/// Appends a curve on `axis` with `color`, `drawOrder` and samples of `values` (minimum =
/// maximum = value), `interval` seconds apart.
model::CKurveObj* AddCurve(model::CMessungObj& m, int axis, platform::Color color,
                           int drawOrder = 0, const std::vector<float>& values = {},
                           double interval = 1.0);

struct SampleRow {
  float minimum;
  float maximum;
  float value;
};
/// Appends a curve with `samples`, `interval` seconds apart (every other field as a new
/// curve has it).
model::CKurveObj& AddCurveOfRows(model::CMessungObj& m, const std::vector<SampleRow>& samples,
                                 double interval);
/// Appends a curve with the given name, interval and samples.
model::CKurveObj& AddNamedCurve(model::CMessungObj& m, const std::u16string& name, double interval,
                                const std::vector<SampleRow>& samples);
/// Samples k = 0 .. count-1 with minimum k, maximum k + 0.5, value k + 0.25.
std::vector<SampleRow> Ramp(int count);
/// Replaces the samples of `curve` by the Ramp of `count` samples, filled in place (fit for
/// ten million; exact in float below 2^22, so tests of longer curves compare to the float).
void FillRamp(model::CKurveObj& curve, long long count);
/// Samples with minimum = maximum = value for each of `values`.
std::vector<SampleRow> FlatRows(const std::vector<float>& values);

/// A measurement "Pumpe" with `count` curves of 21 samples (min = i, max = i + 1,
/// value = i + 0.5 plus 100 per curve) at 0.5 s on axes 1 and 2 alternately (0..100 bar),
/// an x axis of 0..10 s.
std::unique_ptr<model::CMessungObj> ChartMeasurement(int count);

}  // namespace vantrel::testing
