// The arithmetic of the chart window's navigation: scroll bars that mirror the zoom state
// (both directions), the scroll-bar steps, the zoom rectangle, the conversion of pixels to
// normalized chart units, the follow-the-newest step of a growing online recording and the
// keyboard steps of the mouse cursor, and the mouse wheel's zoom around the pointer with
// its notch counting. The window calls these and only moves the results to
// its scroll bars and the measurement. Every division is guarded: a zoom of 1 (or less, or
// not finite) hides its bar, a scroll range of 0 gives scroll 0, an empty plot converts
// nothing.
#pragma once

#include "formula/FormulaCurves.h"
#include "model/CMessungObj.h"
#include "platform/Geometry.h"

namespace vantrel::chart {

/// Scroll-bar steps per unit of zoom: a bar has the range 0 .. trunc(zoom x 20).
inline constexpr int kScrollStepsPerZoom = 20;
/// One page of a scroll bar.
inline constexpr int kScrollPage = 20;
/// A recording longer than this (seconds) is followed at its newest end.
inline constexpr double kFollowSeconds = 300.0;

/// A scroll bar's range 0 .. max and its position; max 0 hides the bar.
struct ScrollBarState {
  int max = 0;
  int position = 0;
  bool Visible() const { return max > 0; }
  friend bool operator==(const ScrollBarState&, const ScrollBarState&) = default;
};

/// The bar that shows `zoom` and `scroll`: range 0 .. trunc(zoom x 20) and the position of
/// the scroll value (horizontal: left end = start of the data; vertical: top end = highest
/// values). A zoom that is not greater than 1 (or not finite) gives a hidden bar.
ScrollBarState HorizontalBar(double zoom, double scroll);
ScrollBarState VerticalBar(double zoom, double scroll);

/// The scroll value of bar position `position` in the range 0 .. `max` at `zoom`; 0 for a
/// hidden bar.
double HorizontalScroll(double zoom, int position, int max);
double VerticalScroll(double zoom, int position, int max);

/// What a scroll-bar message asks for.
enum class ScrollCode {
  LineBack,
  LineForward,
  PageBack,
  PageForward,
  Track,
  ToStart,
  ToEnd,
  Other
};

/// The new position after `code` from `position`, clamped to 0 .. `max`; `track` is the
/// tracked position for ScrollCode::Track. Other codes keep the position.
int StepScrollBar(ScrollCode code, int position, int max, int track = 0);

/// Zoom factors and scroll values of the chart.
struct ZoomState {
  double xZoom = 1.0;
  double yZoom = 1.0;
  double xScroll = 0.0;
  double yScroll = 0.0;
  friend bool operator==(const ZoomState&, const ZoomState&) = default;
};

ZoomState ZoomOf(const model::CMessungObj& measurement);
void ApplyZoom(model::CMessungObj& measurement, const ZoomState& zoom);

/// The zoom after dragging rectangle `zoomRect` (normalized) in `plot`: its contents then
/// fill the plot. A rectangle of no width or height, or an empty plot, changes nothing.
ZoomState ZoomToRectangle(const ZoomState& zoom, const platform::Rect& plot,
                          const platform::Rect& zoomRect);

/// The zoom factor of one wheel notch.
inline constexpr double kWheelZoomStep = 1.25;
/// The largest zoom the wheel reaches (a millionth of the data range fills the plot).
inline constexpr double kMaxWheelZoom = 1.0e6;
/// The angle of one wheel notch in eighths of a degree.
inline constexpr int kWheelNotch = 120;

/// Which axes a wheel zoom changes.
enum class ZoomAxis { Time, Values };

/// The zoom after multiplying the zoom of `axis` by `factor` around the pointer at `pointer`
/// (plot pixels; a pointer outside the plot counts at the plot's nearest edge): the time
/// (or value) under the pointer stays under it. The zoom stays within 1 .. kMaxWheelZoom
/// (a zoom already above the maximum is not zoomed in further) and the shown window within
/// the data range, so at the ends of the data and at zoom 1 the window stops there. An
/// empty plot or a factor that is not a positive finite number changes nothing.
ZoomState ZoomAroundPointer(const ZoomState& zoom, const platform::Rect& plot,
                            platform::Point pointer, double factor, ZoomAxis axis);

/// Counts wheel notches from angle deltas: deltas below one notch (high-resolution wheels,
/// touchpads) add up until they make a whole notch; the rest is kept for the next turn.
class WheelNotches {
 public:
  /// Adds `angleDelta` (eighths of a degree, positive away from the user) and returns the
  /// whole notches it completes (negative toward the user).
  int Add(int angleDelta);
  /// Forgets the partial notch (another kind of wheel action begins).
  void Reset() { remainder_ = 0; }
  int Remainder() const { return remainder_; }

 private:
  int remainder_ = 0;
};

/// A pixel point in normalized chart units (x right, y up); (0, 0) for an empty plot.
struct NormalizedPoint {
  double x = 0.0;
  double y = 0.0;
};
NormalizedPoint PixelToNormalized(platform::Point pixel, const platform::Rect& plot,
                                  const ZoomState& zoom);

/// What the follow-the-newest step did.
struct FollowResult {
  /// The pending flag was set (and is now clear).
  bool newData = false;
  /// The x zoom was changed to show the newest 300 seconds.
  bool followed = false;
  /// The horizontal bar to show when `followed`.
  ScrollBarState horizontal;
  /// The formula update pass, when new data arrived.
  formula::FormulaUpdateResult formulas;
};

/// The repaint step for new online samples: when the measurement's formulaUpdatePending
/// flag is set, clears it; when the x axis maximum then exceeds 300 s, sets xZoom to
/// maximum / 300 and scrolls to the right end; then extends the formula curves over the
/// new samples (`scaleMode` is the "Einteilung" setting).
FollowResult FollowNewestData(model::CMessungObj& measurement, int scaleMode);

/// Direction of a keyboard cursor step.
enum class CursorDirection { Down, Up, Left, Right };

/// The mouse cursor position after a keyboard step from `cursor` (screen pixels): two
/// one-pixel moves, each taken only while the position stays inside `window`.
platform::Point StepCursor(platform::Point cursor, const platform::Rect& window,
                           CursorDirection direction);

}  // namespace vantrel::chart
