#include "model/CAchse.h"

#include <algorithm>

#include "model/Units.h"

namespace vantrel::model {

AxisWindow ComputeAxisWindow(double min, double max, int divisions, double zoom, double scroll,
                             int extent) {
  AxisWindow window;
  const long long n = static_cast<long long>(divisions) + 1;
  const double range = max - min;
  const double start = min + range * scroll;
  window.visibleStart = static_cast<float>(start);
  window.pixelStep = static_cast<double>(extent) / static_cast<double>(n);
  const double valueStep = range / zoom / static_cast<double>(n);
  // A corrupt file may carry a huge or negative division count; the ticks are bounded by
  // what an axis can show so the chart never allocates or loops without end.
  const auto ticks = static_cast<int>(std::clamp(n, 0LL, kMaxAxisTicks));
  window.tickValues.reserve(static_cast<std::size_t>(ticks) + 1);
  double value = start;
  for (int i = 0; i <= ticks; ++i) {
    window.tickValues.push_back(value);
    value += valueStep;
  }
  // The window keeps its width when the tick loop stopped early: the last tick it would
  // have reached lies at start + range / zoom.
  window.visibleEnd =
      static_cast<float>(ticks < n ? start + range / zoom : window.tickValues.back());
  return window;
}

int DecadeExponent(double maximum) {
  int e = 0;
  if (maximum < 0) e = -3;
  if (maximum >= 1000) e = 3;
  if (maximum >= 1000000) e = 6;
  return e;
}

int CAchse::GetUnit(std::u16string* text) const {
  if (unitCode_ == kUnitCustom && text != nullptr) *text = unitText_;
  return unitCode_;
}

void CAchse::SetUnit(int code, const std::u16string& text) {
  if (code == kUnitCustom) {
    unitText_ = text;
    unitCode_ = kUnitCustom;
  } else if (code >= 0 && code <= 8) {
    unitCode_ = code;
  } else {
    unitCode_ = kUnitCustom;
  }
}

std::u16string CAchse::UnitDisplayName(const platform::TextSource& texts) const {
  return UnitName(unitCode_, unitText_, texts);
}

CXAchse::CXAchse() {
  rangeMin_ = 0.0F;
  rangeMax_ = 1.0F;
  divisions_ = 4;
  unitCode_ = kUnitCustom;
}

int CXAchse::GetUnit(std::u16string* text) const {
  if (xyMode_ != 0) return CAchse::GetUnit(text);
  if (timeUnit_ == kTimeCustom && text != nullptr) *text = unitText_;
  return timeUnit_;
}

void CXAchse::SetUnit(int code, const std::u16string& text) {
  if (xyMode_ != 0) {
    CAchse::SetUnit(code, text);
    return;
  }
  if (code >= kTimeHours && code <= kTimeSeconds) {
    timeUnit_ = code;
  } else if (code == kTimeCustom) {
    timeUnit_ = kTimeCustom;
    unitText_ = text;
  } else {
    timeUnit_ = kTimeSeconds;
  }
}

std::u16string CXAchse::UnitDisplayName(const platform::TextSource& texts) const {
  if (xyMode_ != 0) return CAchse::UnitDisplayName(texts);
  return TimeUnitName(timeUnit_, unitText_, texts);
}

}  // namespace vantrel::model
