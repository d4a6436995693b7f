#include "model/CKurveObj.h"

#include <cmath>

#include "model/Units.h"

namespace vantrel::model {

float PlottedValue(const CValueObj& sample, int valueMode, float yOffset) {
  switch (valueMode) {
    case kModeMinimum:
    case kModeBar:
      return sample.minimum + yOffset;
    case kModeMaximum:
      return sample.maximum + yOffset;
    case kModeMean:
      return (sample.minimum + sample.maximum) * 0.5F + yOffset;
    case kModeValue:
      return sample.value + yOffset;
    default:
      return 0.0F;
  }
}

bool CKurveObj::AddSample(float minimum, float maximum, float value) {
  return platform::RetryOnOutOfMemory(messages_,
                                      [&] { samples_.emplace_back(minimum, maximum, value); });
}

const CValueObj* CKurveObj::GetSample(long long index) const {
  if (index < 0 || index >= GetSampleCount()) return nullptr;
  return &samples_[static_cast<std::size_t>(index)];
}

CValueObj* CKurveObj::GetSample(long long index) {
  if (index < 0 || index >= GetSampleCount()) return nullptr;
  return &samples_[static_cast<std::size_t>(index)];
}

std::u16string CKurveObj::GetUnitName(const platform::TextSource& texts) const {
  return UnitName(unitCode_, unitText_, texts);
}

void CKurveObj::ValueAt(double t, float* minimum, float* maximum, float* value) const {
  CValueObj result;
  if (!(static_cast<double>(duration_) < t)) {
    // A zero interval puts every sample at time 0; the quotient is then not a position.
    const double quotient = t == 0.0 ? 0.0 : t / sampleInterval_;
    if (std::isfinite(quotient)) {
      // Stepping a negative count along the list stays at the first sample.
      const double position = std::max(0.0, std::trunc(quotient));
      if (position < static_cast<double>(samples_.size())) {
        result = samples_[static_cast<std::size_t>(position)];
      }
    }
  }
  result.Get(minimum, maximum, value);
}

bool CKurveObj::PreviewFilter(float cutoffHz) {
  previewCutoff_ = cutoffHz;
  const double k = std::pow(2.718281828, -(sampleInterval_ * static_cast<double>(cutoffHz) * 6.283185308));
  const double a = (1.0 - k) * (1.0 - k);
  const double b = 2.0 * k;
  const double c = -k * k;
  if (samples_.empty()) return true;

  const bool allocated = platform::RetryOnOutOfMemory(messages_, [&] {
    if (filteredSamples_.size() < samples_.size()) filteredSamples_.resize(samples_.size());
  });
  if (!allocated) {
    DiscardFilter();
    return false;
  }
  const CValueObj& first = samples_.front();
  double y1[3] = {static_cast<double>(first.minimum), static_cast<double>(first.maximum),
                  static_cast<double>(first.value)};
  double y2[3] = {y1[0], y1[1], y1[2]};
  for (std::size_t i = 0; i < samples_.size(); ++i) {
    const CValueObj& x = samples_[i];
    const double in[3] = {static_cast<double>(x.minimum), static_cast<double>(x.maximum),
                          static_cast<double>(x.value)};
    double out[3];
    for (int part = 0; part < 3; ++part) {
      out[part] = c * y2[part] + a * in[part] + b * y1[part];
      y2[part] = y1[part];
      y1[part] = out[part];
    }
    filteredSamples_[i].Set(static_cast<float>(out[0]), static_cast<float>(out[1]),
                            static_cast<float>(out[2]));
  }
  return true;
}

void CKurveObj::CommitFilter() {
  filterCutoff_ = previewCutoff_;
  const std::size_t n = std::min(samples_.size(), filteredSamples_.size());
  for (std::size_t i = 0; i < n; ++i) samples_[i] = filteredSamples_[i];
}

void CKurveObj::DiscardFilter() {
  previewCutoff_ = 0.0F;
  filteredSamples_.clear();
  filteredSamples_.shrink_to_fit();
}

}  // namespace vantrel::model
