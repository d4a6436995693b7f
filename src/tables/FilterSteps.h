// The cut-off series of the curve filter dialog: 500, 250, 100, 50, 25, 10, 5, 2.5, 1, ...
// (1, 2.5 and 5 times the powers of ten), the first cut-off offered for a curve and the
// steps of the lower and higher buttons. Pure functions; every walk along the series is
// bounded, and a sample interval of 0 (or not a number) counts as an unlimited sampling
// rate, so the dialog opens with the top of the series.
#pragma once

#include <optional>

namespace vantrel::tables {

/// Largest value of the series.
inline constexpr float kTopCutoff = 500.0F;

/// The series value `index` steps down from 500 (index 0 = 500, 1 = 250, 2 = 100, ...).
float CutoffSeriesValue(int index);

struct FilterStart {
  float cutoff = kTopCutoff;
  float upperLimit = kTopCutoff;
};

/// A filtered curve starts at its cut-off (which is also the limit); otherwise the smallest
/// series value above half the sampling rate, at most 500.
FilterStart InitialCutoff(float filterCutoff, double sampleInterval);

/// The next smaller series value below the first series value not above `cutoff`; nothing
/// when `cutoff` is not above 0.000001.
std::optional<float> LowerCutoff(float cutoff);

/// The series value above the first one (from 250 down) not above `cutoff`, never beyond
/// `upperLimit`; nothing when `cutoff` is not below `upperLimit`.
std::optional<float> HigherCutoff(float cutoff, float upperLimit);

}  // namespace vantrel::tables
