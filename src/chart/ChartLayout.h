// The layout of a measurement's chart in an area, as plain values: the value-axis columns
// of the measuring and of the painting pass, the x-axis band, the plot rectangle, the order
// in which curves are drawn and the order of their axes. The chart painter computes it
// first and then paints it; tests check it number by number.
#pragma once

#include <vector>

#include "model/CMessungObj.h"
#include "platform/Geometry.h"

namespace vantrel::chart {

/// Margin in device pixels above the plot and right of it.
inline constexpr int kChartMargin = 10;

/// One value axis in its column.
struct AxisColumn {
  int axis = -1;
  platform::Rect rect;
  /// Colours of the curves drawn on the axis, in list order (the x source left out).
  std::vector<platform::Color> colors;
  friend bool operator==(const AxisColumn&, const AxisColumn&) = default;
};

struct ChartLayout {
  /// False when the area is too small: nothing is drawn and the plot rectangle is kept.
  bool fits = false;
  /// Width and height of "X" in the axis font.
  platform::Size charSize;
  /// Columns of the measuring pass: axes with curves in list order, as far as they fit.
  std::vector<AxisColumn> measureColumns;
  /// Axes with curves that got no column; their visible windows are computed all the same.
  std::vector<int> unplacedAxes;
  /// Columns of the painting pass: the axis of the top-most curve next to the plot.
  std::vector<AxisColumn> paintColumns;
  /// Height of every column (all columns have the same).
  int columnHeight = 0;
  platform::Rect xBand;
  platform::Rect plotRect;
  /// Curve positions in drawing order: descending drawOrder, equal keys in list order.
  std::vector<int> curveOrder;
  /// Axis positions in order of first use from the top-most curve down.
  std::vector<int> axisOrder;
};

/// Curve positions sorted by the chart's bubble sort: descending drawOrder, stable.
std::vector<int> CurveDrawingOrder(const model::CMessungObj& measurement);

/// The axes of the curves in `curveOrder`, walked from its end, each at its first use.
std::vector<int> AxisOrder(const model::CMessungObj& measurement,
                           const std::vector<int>& curveOrder);

/// The layout of `measurement` in `area` with `charSize` the extent of "X" in the axis font.
ChartLayout ComputeChartLayout(const model::CMessungObj& measurement, const platform::Rect& area,
                               platform::Size charSize);

}  // namespace vantrel::chart
