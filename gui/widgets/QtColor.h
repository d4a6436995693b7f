// A colour of the core (0x00BBGGRR) as a Qt colour: the one conversion the canvas, the
// swatches, the tables and the notes editor share (header only, so the QPainter canvas
// needs nothing but Qt Gui).
#pragma once

#include <QColor>

#include "platform/Geometry.h"

namespace vantrel::gui {

inline QColor ToQColor(platform::Color color) {
  return QColor(platform::RedOf(color), platform::GreenOf(color), platform::BlueOf(color));
}

}  // namespace vantrel::gui
