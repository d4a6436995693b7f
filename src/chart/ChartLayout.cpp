#include "chart/ChartLayout.h"

#include <utility>

namespace vantrel::chart {
namespace {

/// Lays out columns for `axes` from the left of `area`: each column is W11 wide with one
/// pixel between columns; placing stops once the next column would come closer than W11 to
/// the right edge. Returns the left edge of the plot (the column after the last placed).
int PlaceColumns(const model::CMessungObj& measurement, const std::vector<int>& axes,
                 const platform::Rect& area, int w11, int h3, std::vector<AxisColumn>* columns,
                 std::vector<int>* unplaced) {
  platform::Rect k{area.left, area.top + kChartMargin, area.left + w11, area.bottom - h3 - 1};
  bool full = false;
  for (int axis : axes) {
    std::vector<platform::Color> colors = measurement.CollectAxisColors(axis);
    if (colors.empty() || measurement.GetYAxis(axis) == nullptr) continue;
    if (full) {
      if (unplaced != nullptr) unplaced->push_back(axis);
      continue;
    }
    columns->push_back(AxisColumn{axis, k, std::move(colors)});
    k.left = k.right + 1;
    k.right = k.left + w11;
    if (k.right > area.right - w11) full = true;
  }
  return k.left;
}

}  // namespace

std::vector<int> CurveDrawingOrder(const model::CMessungObj& measurement) {
  const auto& curves = measurement.Curves();
  std::vector<int> order(curves.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  const auto key = [&](int position) {
    return curves[static_cast<std::size_t>(position)]->GetDrawOrder();
  };
  const std::size_t n = order.size();
  for (std::size_t pass = 0; pass < n; ++pass) {
    for (std::size_t j = 0; j + 1 < n; ++j) {
      if (key(order[j]) < key(order[j + 1])) std::swap(order[j], order[j + 1]);
    }
  }
  return order;
}

std::vector<int> AxisOrder(const model::CMessungObj& measurement,
                           const std::vector<int>& curveOrder) {
  std::vector<int> axes;
  for (auto it = curveOrder.rbegin(); it != curveOrder.rend(); ++it) {
    const model::CKurveObj* curve = measurement.GetCurve(*it);
    if (curve == nullptr) continue;
    const int axis = curve->GetAxisIndex();
    bool seen = false;
    for (int a : axes) seen = seen || a == axis;
    if (!seen) axes.push_back(axis);
  }
  return axes;
}

ChartLayout ComputeChartLayout(const model::CMessungObj& measurement, const platform::Rect& area,
                               platform::Size charSize) {
  ChartLayout layout;
  layout.charSize = charSize;
  const int h3 = 3 * charSize.cy;
  const int w11 = 11 * charSize.cx;
  if (area.bottom - area.top <= 3 * h3 || area.right - area.left <= 3 * w11) return layout;
  layout.fits = true;
  layout.columnHeight = (area.bottom - h3 - 1) - (area.top + kChartMargin);

  std::vector<int> listOrder;
  for (int i = 0; i < measurement.GetYAxisCount(); ++i) listOrder.push_back(i);
  const int plotLeft = PlaceColumns(measurement, listOrder, area, w11, h3, &layout.measureColumns,
                                    &layout.unplacedAxes);
  layout.xBand = {plotLeft, area.bottom - h3, area.right - kChartMargin, area.bottom};
  layout.plotRect = {plotLeft, area.top + kChartMargin, area.right - kChartMargin,
                     area.bottom - h3};

  layout.curveOrder = CurveDrawingOrder(measurement);
  layout.axisOrder = AxisOrder(measurement, layout.curveOrder);
  // The painting pass places the axis list from its last entry (the top-most curve's axis)
  // on; the same axes get columns as in the measuring pass, so the band is the same.
  std::vector<int> paintOrder(layout.axisOrder.rbegin(), layout.axisOrder.rend());
  PlaceColumns(measurement, paintOrder, area, w11, h3, &layout.paintColumns, nullptr);
  return layout;
}

}  // namespace vantrel::chart
