#include "tables/MarkerSteps.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vantrel::tables {
namespace {

int ClampToSteps(double value) {
  if (!(value > 0.0)) return 0;  // also NaN
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(value);
}

}  // namespace

MarkerScale ComputeMarkerScale(const model::CMessungObj& measurement, double xMin, double xMax) {
  MarkerScale scale;
  long long steps = LLONG_MIN;
  std::int32_t bestDuration = 0;
  for (int i = 0; i < measurement.GetCurveCount(); ++i) {
    const model::CKurveObj& curve = *measurement.GetCurve(i);
    const long long last = curve.GetSampleCount() - 1;
    if (curve.GetDuration() > bestDuration) {
      scale.referenceCurve = i;
      steps = last;
    } else if (curve.GetDuration() == bestDuration) {
      steps = std::max(steps, last);
      if (steps <= curve.GetSampleCount()) scale.referenceCurve = i;
    }
    bestDuration = std::max(bestDuration, curve.GetDuration());
  }
  scale.stepCount = steps < 0 ? 0 : static_cast<int>(std::min<long long>(steps, INT_MAX));
  if (scale.referenceCurve < 0) return scale;

  const double dt = measurement.GetCurve(scale.referenceCurve)->GetSampleInterval();
  // An interval of 0 (or not a number) cannot turn the axis span into steps: the steps of
  // the samples stay, and the marker times do not advance.
  if (!(dt > 0.0) || !std::isfinite(dt)) return scale;
  scale.timeStep = dt;
  const double span = xMax - xMin;
  if (std::isfinite(span) && span != static_cast<double>(scale.stepCount) * dt) {
    scale.stepCount = ClampToSteps(std::trunc(span / dt));
  }
  return scale;
}

MarkerPositions InitialMarkerPositions(int stepCount, double xScroll, double xZoom) {
  const double steps = static_cast<double>(std::max(stepCount, 0));
  const double zoom = (xZoom > 0.0 && std::isfinite(xZoom)) ? xZoom : 1.0;
  const double scroll = std::isfinite(xScroll) ? xScroll : 0.0;
  auto at = [&](double share) {
    return std::min(ClampToSteps(std::trunc(steps * scroll + steps / zoom * share)),
                    std::max(stepCount, 0));
  };
  return {at(1.0 / 3.0), at(2.0 / 3.0)};
}

int ScrollMarker(int position, MarkerScroll code, int trackedPosition, int stepCount) {
  const long long page = std::max(stepCount, 0) / 40;
  long long moved = position;
  switch (code) {
    case MarkerScroll::kLineLeft:
      moved -= 1;
      break;
    case MarkerScroll::kLineRight:
      moved += 1;
      break;
    case MarkerScroll::kPageLeft:
      moved -= page;
      break;
    case MarkerScroll::kPageRight:
      moved += page;
      break;
    case MarkerScroll::kThumbTrack:
      moved = trackedPosition;
      break;
    case MarkerScroll::kOther:
      break;
  }
  return static_cast<int>(std::clamp<long long>(moved, 0, std::max(stepCount, 0)));
}

double MarkerFraction(int position, int stepCount) {
  if (stepCount <= 0) return 0.0;
  return static_cast<double>(position) / static_cast<double>(stepCount);
}

double MarkerTime(double xStart, int position, double timeStep) {
  return xStart + static_cast<double>(position) * timeStep;
}

}  // namespace vantrel::tables
