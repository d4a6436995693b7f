#include "gui/platform/QtCanvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>

#include "gui/widgets/QtColor.h"

namespace vantrel::gui {
namespace {

QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

/// The image `painter` paints on when its pixels may be written directly (32 bits per
/// pixel, one device pixel per unit); otherwise null.
QImage* DirectImage(const QPainter& painter, bool printer) {
  QPaintDevice* device = painter.device();
  if (printer || device == nullptr || device->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(device);
  const QImage::Format format = image->format();
  const bool wholePixels = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                           format == QImage::Format_ARGB32_Premultiplied;
  return wholePixels && image->devicePixelRatio() == 1.0 ? image : nullptr;
}

/// Whether `painter` maps units to pixels one to one and paints everywhere: checked for
/// every line, as the painter's owner may transform or clip it while the canvas lives.
bool UnclippedAndUntransformed(const QPainter& painter) {
  return !painter.hasClipping() && painter.transform().isIdentity() &&
         !painter.viewTransformEnabled();
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, bool printer)
    : painter_(painter),
      printer_(printer),
      scaled_(!printer && painter.device() != nullptr &&
              painter.device()->devicePixelRatioF() > 1.0) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  SelectPen(pen_);
  ApplyFont();
  if (QImage* image = DirectImage(painter_, printer_); image != nullptr) {
    // The painter holds the image detached since it began, so bits() does not copy.
    runs_.Attach(reinterpret_cast<std::uint32_t*>(image->bits()), image->width(), image->height(),
                 static_cast<std::size_t>(image->bytesPerLine()) / sizeof(std::uint32_t));
    direct_ = true;
  }
}

QtCanvas::QtCanvas(QPainter& painter, bool printer, QSize page) : QtCanvas(painter, printer) {
  page_ = page;
  painter_.setClipRect(QRect(QPoint(0, 0), page), Qt::IntersectClip);
  // Lines now go through the painter, which clips them.
  runs_.Paint();
  direct_ = false;
}

QtCanvas::~QtCanvas() { runs_.Paint(); }

platform::Pen QtCanvas::SelectPen(const platform::Pen& pen) {
  platform::Pen previous = pen_;
  pen_ = pen;
  penPixel_ = ToQColor(pen.color).rgb();
  QPen qpen(ToQColor(pen.color));
  if (scaled_) {
    // On a high-resolution picture a one-pixel pen is one unit wide (as many device pixels
    // as the ratio), so lines keep their weight; the square cap covers the end pixel as the
    // cosmetic pen does.
    qpen.setWidth(std::max(1, pen.width));
    qpen.setCapStyle(Qt::SquareCap);
  } else {
    qpen.setWidth(pen.width);  // 0 is Qt's cosmetic one-pixel pen, as on every device
    qpen.setCapStyle(Qt::FlatCap);
  }
  painter_.setPen(qpen);
  return previous;
}

platform::Font QtCanvas::SelectFont(const platform::Font& font) {
  platform::Font previous = font_;
  font_ = font;
  ApplyFont();
  return previous;
}

void QtCanvas::ApplyFont() {
  QFont font(ToQString(font_.family));
  // The font is sized in device pixels for this device, so it scales with printers.
  font.setPixelSize(std::max(1, PointsToPixels(font_.points)));
  font.setBold(font_.bold);
  font.setItalic(font_.italic);
  painter_.setFont(font);
}

platform::Size QtCanvas::TextExtent(const std::u16string& text) {
  const QFontMetrics metrics(painter_.font(), painter_.device());
  return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

void QtCanvas::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void QtCanvas::LineTo(int x, int y) {
  const QPoint from = position_;
  position_ = QPoint(x, y);
  if (position_ == from) return;
  const bool plain = painter_.compositionMode() == QPainter::CompositionMode_SourceOver;
  if (direct_ && plain && x == from.x() && pen_.width <= 1 && UnclippedAndUntransformed(painter_)) {
    runs_.AddLine(x, from.y(), y, penPixel_);
    return;
  }
  // A line of the same colour may come before pending runs; any other must come after them.
  if (plain) {
    runs_.PaintUnless(penPixel_);
  } else {
    runs_.Paint();
  }
  if (scaled_) {
    // A line of odd width covers the units right of and below its coordinates, as on a
    // picture of one device pixel per unit; an even one is centred on them.
    const qreal shift = std::max(1, pen_.width) % 2 == 1 ? 0.5 : 0.0;
    painter_.drawLine(QPointF(from) + QPointF(shift, shift),
                      QPointF(position_) + QPointF(shift, shift));
    return;
  }
  painter_.drawLine(from, position_);
}

void QtCanvas::SetPixel(int x, int y, platform::Color color) {
  runs_.Paint();
  painter_.fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

void QtCanvas::FillRect(const platform::Rect& rect, platform::Color color) {
  runs_.Paint();
  painter_.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(color));
}

void QtCanvas::TextOut(int x, int y, const std::u16string& text) {
  runs_.Paint();
  const QString qtext = ToQString(text);
  const QFontMetrics metrics(painter_.font(), painter_.device());
  const QRect box(x, y, metrics.horizontalAdvance(qtext), metrics.height());
  // Text is drawn opaque on the background colour, as the chart's labels expect.
  painter_.fillRect(box, ToQColor(background_));
  const QPen pen = painter_.pen();
  painter_.setPen(ToQColor(textColor_));
  painter_.drawText(QPoint(x, y + metrics.ascent()), qtext);
  painter_.setPen(pen);
}

void QtCanvas::DragRect(const platform::Rect& rect, const platform::Rect* previous) {
  runs_.Paint();
  const bool raster =
      painter_.paintEngine() != nullptr && painter_.paintEngine()->type() == QPaintEngine::Raster;
  const QPainter::CompositionMode mode = painter_.compositionMode();
  const QPen pen = painter_.pen();
  if (raster) painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter_.setPen(QPen(Qt::white, 0));
  auto outline = [this](const platform::Rect& r) {
    if (r.Width() != 0 || r.Height() != 0)
      painter_.drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
  };
  if (previous != nullptr) outline(*previous);
  outline(rect);
  painter_.setCompositionMode(mode);
  painter_.setPen(pen);
}

void QtCanvas::DrawPixels(int x, int y, int width, int height,
                          const std::vector<platform::Color>& pixels) {
  if (width <= 0 || height <= 0 ||
      pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return;
  }
  runs_.Paint();
  QImage image(width, height, QImage::Format_RGB32);
  for (int row = 0; row < height; ++row) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
    for (int col = 0; col < width; ++col) {
      const platform::Color c =
          pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                 static_cast<std::size_t>(col)];
      line[col] = qRgb(platform::RedOf(c), platform::GreenOf(c), platform::BlueOf(c));
    }
  }
  painter_.drawImage(QPoint(x, y), image);
}

platform::Color QtCanvas::SetTextColor(platform::Color color) {
  platform::Color previous = textColor_;
  textColor_ = color;
  return previous;
}

platform::Color QtCanvas::SetBackgroundColor(platform::Color color) {
  platform::Color previous = background_;
  background_ = color;
  return previous;
}

int QtCanvas::DpiX() const { return painter_.device()->logicalDpiX(); }
int QtCanvas::DpiY() const { return painter_.device()->logicalDpiY(); }

platform::Size QtCanvas::PageSize() const {
  if (page_.isValid()) return {page_.width(), page_.height()};
  // In units: a high-resolution picture has more device pixels than units.
  const QPaintDevice* device = painter_.device();
  const qreal ratio = device->devicePixelRatioF();
  return {qRound(device->width() / ratio), qRound(device->height() / ratio)};
}

}  // namespace vantrel::gui
