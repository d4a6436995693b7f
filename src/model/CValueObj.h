// One sample of a curve: minimum, maximum and the single value of one sample interval.
// Twelve bytes, held by value in the curve's sample vector.
#pragma once

namespace vantrel::model {

struct CValueObj {
  float value = 0.0F;
  float minimum = 0.0F;
  float maximum = 0.0F;

  CValueObj() = default;
  /// Argument order is minimum, maximum, value (the order the archive stores them in).
  CValueObj(float min, float max, float val) : value(val), minimum(min), maximum(max) {}

  void Set(float min, float max, float val) {
    minimum = min;
    maximum = max;
    value = val;
  }
  /// Each output may be null.
  void Get(float* min, float* max, float* val) const {
    if (min != nullptr) *min = minimum;
    if (max != nullptr) *max = maximum;
    if (val != nullptr) *val = value;
  }
  void CopyFrom(const CValueObj& other) { *this = other; }
};

static_assert(sizeof(CValueObj) == 12, "a sample must stay twelve bytes");

}  // namespace vantrel::model
