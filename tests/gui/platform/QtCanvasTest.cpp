// The QPainter canvas on images: vertical lines written straight into a plain image paint
// the pixels the raster canvas paints, in the right order with fills, pixels and the
// dragged rectangle; a transformed or clipped painter keeps QPainter's own drawing.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>

#include "gui/platform/QtCanvas.h"
#include "platform/RasterCanvas.h"

namespace vantrel::gui {
namespace {

QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

platform::Color PixelOf(const QImage& image, int x, int y) {
  const QRgb rgb = image.pixel(x, y);
  return platform::MakeColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

TEST(QtCanvas, VerticalLinesOnAPlainImageMatchTheRasterCanvasAmongFillsAndPixels) {
  std::mt19937 random(5);
  for (int round = 0; round < 20; ++round) {
    const platform::Size size{53, 37};  // three blocks of 16 columns and a partial one
    QImage image = WhiteImage(size.cx, size.cy);
    platform::RasterCanvas reference(size);
    {
      QPainter painter(&image);
      QtCanvas canvas(painter);
      std::uniform_int_distribution<int> x(-3, size.cx + 2);
      std::uniform_int_distribution<int> y(-5, size.cy + 4);
      std::uniform_int_distribution<int> kind(0, 9);
      std::uniform_int_distribution<int> colour(1, 3);
      for (int call = 0; call < 200; ++call) {
        const int k = kind(random);
        const int x0 = x(random);
        const int y0 = y(random);
        const int y1 = y(random);
        const auto c = static_cast<platform::Color>(0x203040 * colour(random));
        for (platform::Canvas* target : {static_cast<platform::Canvas*>(&canvas),
                                         static_cast<platform::Canvas*>(&reference)}) {
          if (k == 0) {
            target->SelectPen(platform::Pen{c, 0});
          } else if (k <= 7) {
            target->MoveTo(x0, y0);
            target->LineTo(x0, y1);
          } else if (k == 8) {
            target->SetPixel(x0, y0, c);
          } else {
            target->FillRect({x0, y0, x0 + 3, y0 + 2}, c);
          }
        }
      }
    }  // the canvas paints what is pending as it ends
    for (int py = 0; py < size.cy; ++py) {
      for (int px = 0; px < size.cx; ++px) {
        ASSERT_EQ(PixelOf(image, px, py), reference.PixelAt(px, py))
            << "round " << round << " at " << px << "," << py;
      }
    }
  }
}

TEST(QtCanvas, PendingVerticalLinesArePaintedBeforeTheDraggedRectangleInvertsThem) {
  QImage image = WhiteImage(40, 30);
  {
    QPainter painter(&image);
    QtCanvas canvas(painter);
    canvas.SelectPen(platform::Pen{platform::MakeColor(255, 0, 0), 0});
    canvas.MoveTo(10, 0);
    canvas.LineTo(10, 20);
    canvas.DragRect({10, 5, 20, 15}, nullptr);  // its left edge runs down column 10
  }
  EXPECT_EQ(PixelOf(image, 10, 8), platform::MakeColor(0, 255, 255));
  EXPECT_EQ(PixelOf(image, 10, 2), platform::MakeColor(255, 0, 0));
  EXPECT_EQ(PixelOf(image, 10, 20), platform::kWhite);  // the end point is left out
}

TEST(QtCanvas, TransformedOrClippedPaintersDrawVerticalLinesThemselves) {
  const platform::Color red = platform::MakeColor(255, 0, 0);
  QImage scaled = WhiteImage(40, 40);
  {
    QPainter painter(&scaled);
    painter.scale(2.0, 2.0);
    QtCanvas canvas(painter);
    canvas.SelectPen(platform::Pen{red, 0});
    canvas.MoveTo(5, 2);
    canvas.LineTo(5, 10);
  }
  EXPECT_EQ(PixelOf(scaled, 10, 8), red);  // in device pixels
  EXPECT_EQ(PixelOf(scaled, 5, 8), platform::kWhite);

  QImage clipped = WhiteImage(40, 40);
  {
    QPainter painter(&clipped);
    QtCanvas canvas(painter);
    painter.setClipRect(QRect(0, 0, 40, 10));  // by the painter's owner, while the canvas lives
    canvas.SelectPen(platform::Pen{red, 0});
    canvas.MoveTo(5, 2);
    canvas.LineTo(5, 30);
  }
  EXPECT_EQ(PixelOf(clipped, 5, 5), red);
  EXPECT_EQ(PixelOf(clipped, 5, 20), platform::kWhite);
}

}  // namespace
}  // namespace vantrel::gui
