#include "gui/widgets/Swatches.h"

#include <QGuiApplication>
#include <QPainter>

namespace vantrel::gui {

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

QPixmap CurveSwatch(platform::Color color) {
  QPixmap pixmap(kChartSwatchSize);
  pixmap.fill(ToQColor(color));
  return pixmap;
}

QPixmap AxisSwatch(const std::vector<platform::Color>& colors) {
  QPixmap pixmap(kChartSwatchSize);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  const int width = kChartSwatchSize.width();
  const int n = static_cast<int>(colors.size());
  if (n == 0) {
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(0, 0, width - 1, kChartSwatchSize.height() - 1);
    return pixmap;
  }
  for (int k = 1; k <= n; ++k) {
    const int left = width * (k - 1) / n;
    const int right = width * k / n - 1;
    if (right < left) continue;  // more curves than pixel columns
    painter.fillRect(left, 0, right - left + 1, kChartSwatchSize.height(),
                     ToQColor(colors[static_cast<std::size_t>(k - 1)]));
  }
  return pixmap;
}

}  // namespace vantrel::gui
