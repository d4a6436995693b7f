#include "gui/widgets/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

namespace vantrel::gui {

QIcon ProgramIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0, 84, 147));
  painter.setPen(Qt::NoPen);
  painter.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
  painter.setPen(QPen(QColor(255, 200, 0), 2.5));
  painter.drawPolyline(QPolygonF({QPointF(5, 24), QPointF(11, 15), QPointF(16, 19), QPointF(21, 8),
                                  QPointF(27, 12)}));
  painter.setPen(QPen(Qt::white, 1));
  painter.drawLine(QPointF(5, 27), QPointF(27, 27));
  painter.drawLine(QPointF(5, 27), QPointF(5, 5));
  return QIcon(pixmap);
}

}  // namespace vantrel::gui
