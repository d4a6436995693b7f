#include "model/CKurveObj.h"

#include <algorithm>
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

CKurveObj::CKurveObj(platform::MessageService* messages)
    : messages_(messages),
      samples_(std::make_shared<std::vector<CValueObj>>()),
      filteredSamples_(std::make_shared<std::vector<CValueObj>>()),
      identity_(std::make_shared<char>('\0')) {}

void CKurveObj::DetachSamples() {
  if (samples_.use_count() > 1) samples_ = std::make_shared<std::vector<CValueObj>>(*samples_);
}

bool CKurveObj::AddSample(float minimum, float maximum, float value) {
  // Appending extends shared storage in place: copies only ever read the samples they had.
  return platform::RetryOnOutOfMemory(messages_,
                                      [&] { samples_->emplace_back(minimum, maximum, value); });
}

const CValueObj* CKurveObj::GetSample(long long index) const {
  if (index < 0 || index >= GetSampleCount()) return nullptr;
  return &(*samples_)[static_cast<std::size_t>(index)];
}

CValueObj* CKurveObj::GetSample(long long index) {
  if (index < 0 || index >= GetSampleCount()) return nullptr;
  DetachSamples();
  return &(*samples_)[static_cast<std::size_t>(index)];
}

std::vector<CValueObj>& CKurveObj::MutableSamples() {
  DetachSamples();
  return *samples_;
}

void CKurveObj::TakeNewIdentity() { identity_ = std::make_shared<char>('\0'); }

bool CKurveObj::SameSettingsAs(const CKurveObj& other) const {
  // A copy that takes over the parts left out, so the member-wise comparison covers every
  // setting, including ones added later.
  CKurveObj settings = *this;
  settings.messages_ = other.messages_;
  settings.samples_ = other.samples_;
  settings.filteredSamples_ = other.filteredSamples_;
  settings.identity_ = other.identity_;
  settings.duration_ = other.duration_;
  settings.previewCutoff_ = other.previewCutoff_;
  return settings == other;
}

void CKurveObj::RestoreState(const CKurveObj& state) {
  const SampleStorage current = samples_;
  const std::int32_t currentDuration = duration_;
  platform::MessageService* const messages = messages_;
  *this = state;
  messages_ = messages;
  DiscardFilter();
  if (current != samples_ && current->size() > samples_->size()) {
    const auto tail = current->begin() + static_cast<std::ptrdiff_t>(samples_->size());
    samples_->insert(samples_->end(), tail, current->end());
  }
  if (current->size() == samples_->size()) duration_ = currentDuration;
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
      if (position < static_cast<double>(samples_->size())) {
        result = (*samples_)[static_cast<std::size_t>(position)];
      }
    }
  }
  result.Get(minimum, maximum, value);
}

bool CKurveObj::PreviewFilter(float cutoffHz) {
  previewCutoff_ = cutoffHz;
  const double k =
      std::pow(2.718281828, -(sampleInterval_ * static_cast<double>(cutoffHz) * 6.283185308));
  const double a = (1.0 - k) * (1.0 - k);
  const double b = 2.0 * k;
  const double c = -k * k;
  const std::vector<CValueObj>& samples = *samples_;
  if (samples.empty()) return true;

  const bool allocated = platform::RetryOnOutOfMemory(messages_, [&] {
    // A preview shared with a copy of the curve is that copy's: this one computes its own.
    if (filteredSamples_.use_count() > 1) {
      filteredSamples_ = std::make_shared<std::vector<CValueObj>>();
    }
    if (filteredSamples_->size() < samples.size()) filteredSamples_->resize(samples.size());
  });
  if (!allocated) {
    DiscardFilter();
    return false;
  }
  std::vector<CValueObj>& filtered = *filteredSamples_;
  const CValueObj& first = samples.front();
  double y1[3] = {static_cast<double>(first.minimum), static_cast<double>(first.maximum),
                  static_cast<double>(first.value)};
  double y2[3] = {y1[0], y1[1], y1[2]};
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const CValueObj& x = samples[i];
    const double in[3] = {static_cast<double>(x.minimum), static_cast<double>(x.maximum),
                          static_cast<double>(x.value)};
    double out[3];
    for (int part = 0; part < 3; ++part) {
      out[part] = c * y2[part] + a * in[part] + b * y1[part];
      y2[part] = y1[part];
      y1[part] = out[part];
    }
    filtered[i].Set(static_cast<float>(out[0]), static_cast<float>(out[1]),
                    static_cast<float>(out[2]));
  }
  return true;
}

void CKurveObj::CommitFilter() {
  const std::vector<CValueObj>& filtered = *filteredSamples_;
  const auto n = static_cast<std::ptrdiff_t>(std::min(samples_->size(), filtered.size()));
  if (samples_.use_count() > 1) {
    // Shared samples stay with their copies; the committed ones are built in one pass.
    const bool built = platform::RetryOnOutOfMemory(messages_, [&] {
      auto committed = std::make_shared<std::vector<CValueObj>>();
      committed->reserve(samples_->size());
      committed->insert(committed->end(), filtered.begin(), filtered.begin() + n);
      committed->insert(committed->end(), samples_->begin() + n, samples_->end());
      samples_ = std::move(committed);
    });
    if (!built) return;
  } else {
    std::copy(filtered.begin(), filtered.begin() + n, samples_->begin());
  }
  filterCutoff_ = previewCutoff_;
}

void CKurveObj::DiscardFilter() {
  previewCutoff_ = 0.0F;
  // Shared with copies of the curve, the preview is let go rather than cleared.
  if (filteredSamples_.use_count() > 1 || !filteredSamples_->empty()) {
    filteredSamples_ = std::make_shared<std::vector<CValueObj>>();
  }
}

}  // namespace vantrel::model
