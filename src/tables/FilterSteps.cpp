#include "tables/FilterSteps.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vantrel::tables {
namespace {

// 500 down to 1e-12: far below the smallest cut-off the lower button can reach (1e-6).
constexpr int kLastIndex = 44;

}  // namespace

float CutoffSeriesValue(int index) {
  static constexpr std::array<double, 3> kMantissas = {5.0, 2.5, 1.0};
  const int clamped = std::clamp(index, 0, kLastIndex);
  const int exponent = 2 - clamped / 3;
  const double mantissa = kMantissas[static_cast<std::size_t>(clamped % 3)];
  const double power = std::pow(10.0, std::abs(exponent));
  return static_cast<float>(exponent >= 0 ? mantissa * power : mantissa / power);
}

FilterStart InitialCutoff(float filterCutoff, double sampleInterval) {
  if (filterCutoff != 0.0F && std::isfinite(filterCutoff)) return {filterCutoff, filterCutoff};
  FilterStart start;
  if (!(sampleInterval > 0.0) || !std::isfinite(sampleInterval)) return start;
  const double half = 1.0 / (2.0 * sampleInterval);
  for (int index = 0; index < kLastIndex && half < static_cast<double>(CutoffSeriesValue(index));
       ++index) {
    const float next = CutoffSeriesValue(index + 1);
    if (!(static_cast<double>(next) > half)) break;
    start.upperLimit = next;
  }
  start.cutoff = start.upperLimit;
  return start;
}

std::optional<float> LowerCutoff(float cutoff) {
  if (!(static_cast<double>(cutoff) > 0.000001)) return std::nullopt;
  for (int index = 0; index < kLastIndex; ++index) {
    if (!(CutoffSeriesValue(index) > cutoff)) return CutoffSeriesValue(index + 1);
  }
  return std::nullopt;
}

std::optional<float> HigherCutoff(float cutoff, float upperLimit) {
  if (!(cutoff < upperLimit)) return std::nullopt;
  const double reach = static_cast<double>(cutoff) + 0.0000001;
  for (int index = 1; index <= kLastIndex; ++index) {
    if (!(static_cast<double>(CutoffSeriesValue(index)) > reach)) {
      return std::min(CutoffSeriesValue(index - 1), upperLimit);
    }
  }
  return std::nullopt;
}

}  // namespace vantrel::tables
