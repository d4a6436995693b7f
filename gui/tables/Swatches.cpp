#include "gui/tables/Swatches.h"

#include <QGuiApplication>

namespace vantrel::gui {

QColor ToQColor(platform::Color color) {
  return QColor(platform::RedOf(color), platform::GreenOf(color), platform::BlueOf(color));
}

QPixmap SwatchPixmap(platform::Color color, qreal ratio) {
  QPixmap pixmap(kSwatchSize * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(ToQColor(color));
  return pixmap;
}

QIcon SwatchIcon(platform::Color color) {
  // The same picture in a selected row: the swatch keeps the curve's true colour.
  QIcon icon;
  const qreal screenRatio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
  for (const qreal ratio : {1.0, screenRatio}) {
    const QPixmap pixmap = SwatchPixmap(color, ratio);
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Selected);
    if (screenRatio == 1.0) break;
  }
  return icon;
}

}  // namespace vantrel::gui
