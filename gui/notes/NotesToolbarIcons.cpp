// Drawing of the toolbar images: simple outlines on a transparent ground with
// one-pixel pens and no antialiasing.
#include "gui/notes/NotesToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace vantrel::gui {
namespace {

const QColor kInk(40, 40, 40);

void Lines(QPainter& p, const int (&widths)[4], int alignment) {
  p.setPen(kInk);
  for (int i = 0; i < 4; ++i) {
    const int w = widths[i];
    const int x = alignment == 0 ? 2 : alignment == 1 ? (17 - w) / 2 : 15 - w;
    const int y = 3 + i * 3;
    p.drawLine(x, y, x + w - 1, y);
  }
}

void Page(QPainter& p, int x, int y, int w, int h) {
  p.setPen(kInk);
  p.setBrush(Qt::white);
  p.drawRect(x, y, w - 1, h - 1);
  for (int line = y + 3; line < y + h - 2; line += 2) p.drawLine(x + 2, line, x + w - 3, line);
}

void Draw(QPainter& p, int index) {
  switch (index) {
    case 0: {  // open: a folder
      p.setPen(QColor(150, 110, 20));
      p.setBrush(QColor(240, 200, 80));
      p.drawRect(1, 5, 14, 9);
      p.drawRect(1, 3, 6, 2);
      p.setBrush(QColor(250, 225, 130));
      p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(16, 8), QPoint(14, 14), QPoint(1, 14)}));
      break;
    }
    case 1:
      Lines(p, {13, 9, 13, 7}, 0);
      break;
    case 2:
      Lines(p, {13, 9, 13, 7}, 1);
      break;
    case 3:
      Lines(p, {13, 9, 13, 7}, 2);
      break;
    case 4: {  // font: a bold letter
      QFont font(QStringLiteral("Times New Roman"));
      font.setPixelSize(15);
      font.setBold(true);
      p.setFont(font);
      p.setPen(kInk);
      p.drawText(QRect(0, 0, 17, 16), Qt::AlignCenter, QStringLiteral("A"));
      break;
    }
    case 5: {  // cut: scissors
      p.setPen(kInk);
      p.drawLine(5, 1, 10, 10);
      p.drawLine(11, 1, 6, 10);
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(2, 10, 4, 4);
      p.drawEllipse(10, 10, 4, 4);
      break;
    }
    case 6:  // copy: two pages
      Page(p, 1, 1, 9, 11);
      Page(p, 6, 4, 9, 11);
      break;
    case 7: {  // paste: a clipboard with a page
      p.setPen(QColor(110, 70, 20));
      p.setBrush(QColor(190, 140, 70));
      p.drawRect(1, 2, 10, 13);
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(4, 1, 4, 2);
      Page(p, 7, 6, 9, 10);
      break;
    }
    case 8: {  // save: a disk
      p.setPen(QColor(20, 40, 110));
      p.setBrush(QColor(60, 100, 200));
      p.drawRect(1, 1, 14, 14);
      p.setBrush(Qt::white);
      p.drawRect(4, 1, 8, 5);
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(4, 10, 8, 5);
      break;
    }
    case 9: {  // store: a check mark
      QPen pen(QColor(20, 130, 40));
      pen.setWidth(2);
      p.setPen(pen);
      p.drawPolyline(QPolygon({QPoint(2, 8), QPoint(6, 12), QPoint(14, 3)}));
      break;
    }
    default:
      break;
  }
}

}  // namespace

QPixmap NotesToolbarStrip() {
  QPixmap strip(kNotesImageWidth * kNotesImageCount, kNotesImageHeight);
  strip.fill(Qt::transparent);
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (int i = 0; i < kNotesImageCount; ++i) {
    painter.save();
    painter.translate(i * kNotesImageWidth, 0);
    painter.setClipRect(0, 0, kNotesImageWidth, kNotesImageHeight);
    Draw(painter, i);
    painter.restore();
  }
  return strip;
}

QIcon NotesToolbarIcon(int index) {
  const QPixmap strip = NotesToolbarStrip();
  return QIcon(strip.copy(index * kNotesImageWidth, 0, kNotesImageWidth, kNotesImageHeight));
}

}  // namespace vantrel::gui
