// The colour swatches of the chart setup lists: a curve's 20 x 10 swatch in its colour, and
// an axis swatch split into vertical stripes, one per curve drawn on the axis (stripe k of
// n covers the columns 20 (k - 1) / n to 20 k / n - 1). An axis without curves gets a
// plain window-coloured swatch with a grey frame.
#pragma once

#include <QPixmap>
#include <QSize>
#include <vector>

#include "platform/Geometry.h"

namespace vantrel::gui {

inline constexpr QSize kChartSwatchSize{20, 10};

QPixmap CurveSwatch(platform::Color color);
QPixmap AxisSwatch(const std::vector<platform::Color>& colors);

}  // namespace vantrel::gui
