// Colour helpers of the table windows: curve colours (0x00BBGGRR) as Qt colours and the
// 16 x 10 pixel colour swatch that stands for a curve in the legend and the curve
// selection list.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>

#include "platform/Geometry.h"

namespace vantrel::gui {

/// Size in pixels of a curve's colour swatch.
inline constexpr QSize kSwatchSize{16, 10};

QColor ToQColor(platform::Color color);

/// A swatch with every pixel in `color`. Black is drawn too: a black curve gets a black
/// swatch rather than a transparent one.
QPixmap SwatchPixmap(platform::Color color);

}  // namespace vantrel::gui
