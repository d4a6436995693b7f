#include "gui/app/StartPicture.h"

#include <QPainter>

#include "gui/platform/QtCanvas.h"

namespace vantrel::gui {

StartPicture::StartPicture(const std::filesystem::path& dataFolder, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  chart::CDIB bitmap;
  bitmap.LoadFile(dataFolder / "start.bmp");
  if (!bitmap.IsLoaded()) {
    setFixedSize(1, 1);
    return;
  }
  picture_ = QImage(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  {
    QPainter painter(&picture_);
    QtCanvas canvas(painter);
    bitmap.Draw(canvas, 0, 0, bitmap.Width(), bitmap.Height(), 0, 0);
  }
  setFixedSize(picture_.size());
}

void StartPicture::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  // The picture keeps its size in units; on a screen of more device pixels per unit it is
  // scaled up smoothly instead of doubling its pixels.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, devicePixelRatioF() != 1.0);
  painter.drawImage(rect(), picture_);
}

}  // namespace vantrel::gui
