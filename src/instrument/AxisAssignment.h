// How the instrument link lays out axes for the curves it makes: the eight-colour channel
// palette, the time-axis rule, the y-axis assignment after a readout, and the growth of axes
// while an online recording appends samples. The settings "Zusammenfassen" (axis grouping)
// and "Einteilung" (scaling) come in as plain values.
#pragma once

#include <array>
#include <cstdint>

#include "model/CMessungObj.h"
#include "model/Units.h"
#include "platform/Geometry.h"

namespace vantrel::instrument {

/// The user's axis settings: `zusammenfassen` 0 groups curves by unit, 1 by unit and sensor
/// range, 2 gives every curve its own axis; `einteilung` 1 fits ranges with a margin.
struct AxisSettings {
  int zusammenfassen = 0;
  int einteilung = 0;
};

/// Colour (0x00BBGGRR) of the curve in channel slot `slot` (0..7; other slots wrap).
platform::Color PaletteColor(int slot);

/// Sets the time axis to `durationSeconds` and switches its display to hours from five hours
/// on, or to minutes from five minutes on unless it already shows hours.
void ApplyXAxisRule(model::CXAchse& xAxis, std::int32_t durationSeconds);

/// Gives every curve of a completely read measurement its y axis. `minimumValues` holds the
/// smallest sample minimum per channel slot (curve position).
void AssignReadoutAxes(model::CMessungObj& measurement, const std::array<float, 6>& minimumValues,
                       const AxisSettings& settings);

/// Appends samples of an online recording to a measurement and grows its axes. Lives on the
/// thread that owns the measurement.
class OnlineAxisGrowth {
 public:
  OnlineAxisGrowth(model::CMessungObj& measurement, const AxisSettings& settings)
      : measurement_(measurement), settings_(settings) {}

  /// Appends (minimum, maximum, value) to the curve at `slot`, sets its duration from the
  /// sample count, gives it an axis on its first sample, else widens its axis and the time
  /// axis.
  void AddOnlineSample(int slot, float minimum, float maximum, float value);

 private:
  void GiveFirstAxis(model::CKurveObj& curve, int slot, float minimum, float maximum);
  void SetFirstRange(model::CAchse& axis, int position, float minimum, float maximum) const;

  model::CMessungObj& measurement_;
  AxisSettings settings_;
  int axisCount_ = 0;
};

}  // namespace vantrel::instrument
