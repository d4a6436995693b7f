// Measurements with chosen curves and samples for tests.
#pragma once

#include <array>
#include <initializer_list>
#include <memory>

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

/// A measurement "Pumpe" with `count` curves of 21 samples (min = i, max = i + 1,
/// value = i + 0.5 plus 100 per curve) at 0.5 s on axes 1 and 2 alternately (0..100 bar),
/// an x axis of 0..10 s.
std::unique_ptr<model::CMessungObj> ChartMeasurement(int count);

}  // namespace vantrel::testing
