#include "chart/ChartNavigation.h"

#include <algorithm>
#include <cmath>

namespace vantrel::chart {
namespace {

/// Truncates toward zero into 0 .. limit; not-a-number gives 0.
int TruncateInto(double value, int limit) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::trunc(std::clamp(value, 0.0, static_cast<double>(limit))));
}

/// The largest bar range: a zoom from a corrupt file must not overflow the range.
constexpr int kMaxRange = 1 << 30;

/// The range 0 .. trunc(zoom x 20) of a bar, 0 (hidden) when the zoom does not exceed 1.
int BarRange(double zoom) {
  if (!std::isfinite(zoom) || !(zoom > 1.0)) return 0;
  return TruncateInto(zoom * kScrollStepsPerZoom, kMaxRange);
}

/// The scrollable part 1 - 1/zoom of the data.
double Scrollable(double zoom) { return 1.0 - 1.0 / zoom; }

}  // namespace

ScrollBarState HorizontalBar(double zoom, double scroll) {
  ScrollBarState bar;
  bar.max = BarRange(zoom);
  const double scrollable = Scrollable(zoom);
  if (bar.max == 0 || !(scrollable > 0.0)) return ScrollBarState{};
  bar.position = TruncateInto(scroll * zoom * kScrollStepsPerZoom / scrollable, bar.max);
  return bar;
}

ScrollBarState VerticalBar(double zoom, double scroll) {
  ScrollBarState bar;
  bar.max = BarRange(zoom);
  const double scrollable = Scrollable(zoom);
  if (bar.max == 0 || !(scrollable > 0.0)) return ScrollBarState{};
  const double steps = zoom * kScrollStepsPerZoom;
  bar.position = TruncateInto(steps - scroll * steps / scrollable, bar.max);
  return bar;
}

double HorizontalScroll(double zoom, int position, int max) {
  if (max <= 0 || BarRange(zoom) == 0) return 0.0;
  return Scrollable(zoom) * position / max;
}

double VerticalScroll(double zoom, int position, int max) {
  if (max <= 0 || BarRange(zoom) == 0) return 0.0;
  const double s = Scrollable(zoom);
  return s - s * position / max;
}

int StepScrollBar(ScrollCode code, int position, int max, int track) {
  long long p = position;
  switch (code) {
    case ScrollCode::LineBack:
      p -= 1;
      break;
    case ScrollCode::LineForward:
      p += 1;
      break;
    case ScrollCode::PageBack:
      p -= kScrollPage;
      break;
    case ScrollCode::PageForward:
      p += kScrollPage;
      break;
    case ScrollCode::Track:
      p = track;
      break;
    case ScrollCode::ToStart:
      p = 0;
      break;
    case ScrollCode::ToEnd:
      p = max;
      break;
    case ScrollCode::Other:
      break;
  }
  return static_cast<int>(std::clamp(p, 0LL, static_cast<long long>(std::max(max, 0))));
}

ZoomState ZoomOf(const model::CMessungObj& measurement) {
  return {measurement.GetXZoom(), measurement.GetYZoom(), measurement.GetXScroll(),
          measurement.GetYScroll()};
}

void ApplyZoom(model::CMessungObj& measurement, const ZoomState& zoom) {
  measurement.SetZoom(zoom.xZoom, zoom.yZoom);
  measurement.SetScroll(zoom.xScroll, zoom.yScroll);
}

ZoomState ZoomToRectangle(const ZoomState& zoom, const platform::Rect& plot,
                          const platform::Rect& zoomRect) {
  const double w = plot.right - plot.left;
  const double h = plot.bottom - plot.top;
  const double zw = zoomRect.right - zoomRect.left;
  const double zh = zoomRect.bottom - zoomRect.top;
  if (!(w > 0.0) || !(h > 0.0) || zw == 0.0 || zh == 0.0) return zoom;
  if (zoom.xZoom == 0.0 || zoom.yZoom == 0.0) return zoom;
  ZoomState result = zoom;
  result.yScroll += (plot.bottom - zoomRect.bottom) / h / zoom.yZoom;
  result.xScroll += (zoomRect.left - plot.left) / w / zoom.xZoom;
  result.xZoom *= w / zw;
  result.yZoom *= h / zh;
  return result;
}

namespace {

/// The zoom `zoom` x `factor` kept within 1 .. kMaxWheelZoom; a zoom already above the
/// maximum (a rectangle zoom) is not zoomed in further.
double ClampedZoom(double zoom, double factor) {
  const double start = std::isfinite(zoom) && zoom >= 1.0 ? zoom : 1.0;
  const double wanted = start * factor;
  if (factor > 1.0) return std::max(start, std::min(wanted, kMaxWheelZoom));
  return std::max(1.0, wanted);
}

/// The scroll that keeps the position `fraction` (0..1 of the plot) at the same place of the
/// data when `zoom` becomes `next`, kept within the data range.
double ScrollAround(double zoom, double scroll, double next, double fraction) {
  const double start = std::isfinite(zoom) && zoom >= 1.0 ? zoom : 1.0;
  const double at = fraction / start + (std::isfinite(scroll) ? scroll : 0.0);
  const double wanted = at - fraction / next;
  return std::clamp(wanted, 0.0, Scrollable(next));
}

}  // namespace

ZoomState ZoomAroundPointer(const ZoomState& zoom, const platform::Rect& plot,
                            platform::Point pointer, double factor, ZoomAxis axis) {
  const double w = plot.right - plot.left;
  const double h = plot.bottom - plot.top;
  if (!(w > 0.0) || !(h > 0.0) || !std::isfinite(factor) || !(factor > 0.0)) return zoom;
  ZoomState result = zoom;
  if (axis == ZoomAxis::Time) {
    const double fraction = std::clamp((pointer.x - plot.left) / w, 0.0, 1.0);
    const double next = ClampedZoom(zoom.xZoom, factor);
    result.xScroll = ScrollAround(zoom.xZoom, zoom.xScroll, next, fraction);
    result.xZoom = next;
  } else {
    // Values grow upward: the fraction counts from the plot's bottom.
    const double fraction = std::clamp((plot.bottom - pointer.y) / h, 0.0, 1.0);
    const double next = ClampedZoom(zoom.yZoom, factor);
    result.yScroll = ScrollAround(zoom.yZoom, zoom.yScroll, next, fraction);
    result.yZoom = next;
  }
  return result;
}

int WheelNotches::Add(int angleDelta) {
  // A turn against the direction of the partial notch starts it anew.
  if ((angleDelta > 0 && remainder_ < 0) || (angleDelta < 0 && remainder_ > 0)) remainder_ = 0;
  const long long sum = static_cast<long long>(remainder_) + angleDelta;
  const long long notches = sum / kWheelNotch;
  remainder_ = static_cast<int>(sum % kWheelNotch);
  return static_cast<int>(std::clamp(notches, -1000000LL, 1000000LL));
}

NormalizedPoint PixelToNormalized(platform::Point pixel, const platform::Rect& plot,
                                  const ZoomState& zoom) {
  const double w = plot.right - plot.left;
  const double h = plot.bottom - plot.top;
  if (!(w > 0.0) || !(h > 0.0) || zoom.xZoom == 0.0 || zoom.yZoom == 0.0) return {};
  return {(pixel.x - plot.left) / w / zoom.xZoom + zoom.xScroll,
          (plot.bottom - pixel.y) / h / zoom.yZoom + zoom.yScroll};
}

FollowResult FollowNewestData(model::CMessungObj& measurement, int scaleMode) {
  FollowResult result;
  if (measurement.GetFormulaUpdatePending() == 0) return result;
  measurement.SetFormulaUpdatePending(0);
  result.newData = true;
  const float maximum = measurement.GetXAxis().GetMax();
  if (static_cast<double>(maximum) > kFollowSeconds) {
    // The zoom is computed in single precision with the constant 1/300 as a float.
    const auto zoom = static_cast<double>(maximum * 0.0033333334F);
    if (std::isfinite(zoom)) {
      measurement.SetZoom(zoom, measurement.GetYZoom());
      measurement.SetScroll(Scrollable(zoom), measurement.GetYScroll());
      result.followed = true;
      result.horizontal.max = BarRange(zoom);
      result.horizontal.position = result.horizontal.max;
    }
  }
  // The flag is already clear, so the pass is run directly rather than through the
  // flag-checking entry.
  result.formulas = formula::ExtendFormulaCurves(measurement, scaleMode);
  return result;
}

platform::Point StepCursor(platform::Point cursor, const platform::Rect& window,
                           CursorDirection direction) {
  platform::Point position = cursor;
  platform::Point result = cursor;
  for (int step = 0; step < 2; ++step) {
    switch (direction) {
      case CursorDirection::Down:
        ++position.y;
        break;
      case CursorDirection::Up:
        --position.y;
        break;
      case CursorDirection::Left:
        --position.x;
        break;
      case CursorDirection::Right:
        ++position.x;
        break;
    }
    if (window.Contains(position)) result = position;
  }
  return result;
}

}  // namespace vantrel::chart
