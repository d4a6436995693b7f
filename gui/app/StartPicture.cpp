#include "gui/app/StartPicture.h"

#include <QPainter>

#include "gui/platform/QtCanvas.h"

namespace vantrel::gui {

StartPicture::StartPicture(const std::filesystem::path& programDirectory, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  bitmap_.LoadFile(programDirectory / "start.bmp");
  if (bitmap_.IsLoaded()) {
    setFixedSize(bitmap_.Width(), bitmap_.Height());
  } else {
    setFixedSize(1, 1);
  }
}

void StartPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(painter);
  bitmap_.Draw(canvas, 0, 0, width(), height(), 0, 0);
}

}  // namespace vantrel::gui
