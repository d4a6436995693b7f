// Colour swatches of the lists and tables, and curve colours (0x00BBGGRR) as Qt colours.
// The legend, the curve selection list and the marker dialog show a 20 x 10 swatch in the
// curve's colour; the chart setup lists show the same curve swatch, and an axis swatch split
// into vertical stripes, one per curve drawn on the axis (stripe k of n covers the columns
// 20 (k - 1) / n to 20 k / n - 1). An axis without curves gets a plain white swatch with a
// grey frame.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <vector>

#include "gui/widgets/QtColor.h"
#include "platform/Geometry.h"

namespace vantrel::gui {

/// Size in pixels of a curve's colour swatch in the legend, the curve selection list and
/// the marker dialog.
inline constexpr QSize kSwatchSize{20, 10};
/// Size in pixels of the swatches of the chart setup lists.
inline constexpr QSize kChartSwatchSize{20, 10};

/// A swatch with every pixel in `color`, `ratio` device pixels per unit. Black is drawn
/// too: a black curve gets a black swatch rather than a transparent one.
QPixmap SwatchPixmap(platform::Color color, qreal ratio = 1.0);

/// The swatch as an icon, for normal and selected rows, sharp on the screens of the
/// program (a picture of one pixel per unit and one at the highest device pixel ratio).
QIcon SwatchIcon(platform::Color color);

QPixmap CurveSwatch(platform::Color color);
QPixmap AxisSwatch(const std::vector<platform::Color>& colors);

}  // namespace vantrel::gui
