#include "gui/tables/Swatches.h"

namespace vantrel::gui {

QColor ToQColor(platform::Color color) {
  return QColor(platform::RedOf(color), platform::GreenOf(color), platform::BlueOf(color));
}

QPixmap SwatchPixmap(platform::Color color) {
  QPixmap pixmap(kSwatchSize);
  pixmap.fill(ToQColor(color));
  return pixmap;
}

}  // namespace vantrel::gui
