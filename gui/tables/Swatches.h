// Colour helpers of the table windows: curve colours (0x00BBGGRR) as Qt colours and the
// 16 x 10 pixel colour swatch that stands for a curve in the legend and the curve
// selection list.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>

#include "platform/Geometry.h"

namespace vantrel::gui {

/// Size in pixels of a curve's colour swatch.
inline constexpr QSize kSwatchSize{16, 10};

QColor ToQColor(platform::Color color);

/// A swatch with every pixel in `color`, `ratio` device pixels per unit. Black is drawn
/// too: a black curve gets a black swatch rather than a transparent one.
QPixmap SwatchPixmap(platform::Color color, qreal ratio = 1.0);

/// The swatch as an icon, for normal and selected rows, sharp on the screens of the
/// program (a picture of one pixel per unit and one at the highest device pixel ratio).
QIcon SwatchIcon(platform::Color color);

}  // namespace vantrel::gui
