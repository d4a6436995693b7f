#include "gui/widgets/ProgramIcon.h"

#include <QFile>
#include <QPolygonF>

namespace vantrel::gui {
namespace {

/// The icon is designed on a 32 x 32 grid.
constexpr qreal kDesignSize = 32.0;

}  // namespace

void PaintProgramIcon(QPainter& painter, qreal size) {
  painter.save();
  painter.scale(size / kDesignSize, size / kDesignSize);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0, 84, 147));
  painter.setPen(Qt::NoPen);
  painter.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
  painter.setPen(QPen(QColor(255, 200, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(QPolygonF(
      {QPointF(5, 24), QPointF(11, 15), QPointF(16, 19), QPointF(21, 8), QPointF(27, 12)}));
  painter.setPen(QPen(Qt::white, 1));
  painter.drawLine(QPointF(5, 27), QPointF(27, 27));
  painter.drawLine(QPointF(5, 27), QPointF(5, 5));
  painter.restore();
}

QImage ProgramIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  PaintProgramIcon(painter, size);
  return image;
}

QIcon ProgramIcon(const std::filesystem::path& dataFolder) {
  QIcon icon;
  if (!dataFolder.empty()) {
    const std::filesystem::path theme =
        (dataFolder / ".." / "icons" / "hicolor").lexically_normal();
    for (const int size : kIconSizes) {
      const std::filesystem::path file = theme /
                                         (std::to_string(size) + "x" + std::to_string(size)) /
                                         "apps" / (std::string(kDesktopId) + ".png");
      const QString name = QString::fromStdString(file.string());
      if (QFile::exists(name)) icon.addFile(name, QSize(size, size));
    }
  }
  if (!icon.isNull()) return icon;
  for (const int size : kIconSizes) icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
  return icon;
}

}  // namespace vantrel::gui
