// The arithmetic of the marker dialog: which curve sets the time step, how many steps the
// scroll bar has, where markers A and B start, how scrolling moves them, the marker
// fractions handed to the measurement and the marker times. Intervals, spans, zoom factors
// and step counts of 0 (or not numbers) are mended so that nothing divides by zero: the
// step count then comes from the samples alone, a zoom of 0 counts as 1, and a step count of
// 0 puts both markers at the start.
#pragma once

#include <optional>

#include "model/CMessungObj.h"

namespace vantrel::tables {

struct MarkerScale {
  int referenceCurve = -1;  // position of the curve that sets the time step; -1 without curves
  int stepCount = 0;        // the highest marker position, >= 0
  double timeStep = 0.0;    // seconds per step (the reference curve's interval, 0 when unusable)
};

/// The reference curve by duration and sample count, its interval, and the step count
/// derived from the x axis span (`xMax` - `xMin`) when that differs from the samples' span.
MarkerScale ComputeMarkerScale(const model::CMessungObj& measurement, double xMin, double xMax);

struct MarkerPositions {
  int a = 0;
  int b = 0;
};

/// Markers at a third and two thirds of the visible x range.
MarkerPositions InitialMarkerPositions(int stepCount, double xScroll, double xZoom);

/// Scroll-bar codes that move the active marker.
enum class MarkerScroll { kLineLeft, kLineRight, kPageLeft, kPageRight, kThumbTrack, kOther };

/// The active marker's new position: +-1 per line, +-stepCount/40 per page, the tracked
/// position for the thumb, unchanged otherwise; clamped to 0 .. stepCount.
int ScrollMarker(int position, MarkerScroll code, int trackedPosition, int stepCount);

/// The marker's fraction of the full x range (position / stepCount); 0 for a step count of 0.
double MarkerFraction(int position, int stepCount);

/// Marker time in seconds: `xStart` + position x time step.
double MarkerTime(double xStart, int position, double timeStep);

}  // namespace vantrel::tables
