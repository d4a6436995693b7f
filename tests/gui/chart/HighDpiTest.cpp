// Pictures at the screen's device pixel ratio: the chart's off-screen picture, the legend
// swatches, the start picture and the program icon. The test program runs once at ratio 1
// and once with QT_SCALE_FACTOR=2; the layout in units must be the same in both runs, and
// at ratio 2 a one-pixel chart line is two device pixels wide. With VANTREL_SHOTS set the
// pictures are saved for looking at them.
#include <QGuiApplication>

#include "ChartWindowFixture.h"
#include "gui/app/StartPicture.h"
#include "gui/widgets/ProgramIcon.h"
#include "gui/widgets/Swatches.h"

namespace vantrel::testing {
namespace {

using HighDpiChartTest = ChartWindowTest;

qreal ScreenRatio() { return qApp->devicePixelRatio(); }

void SaveImage(const QImage& image, const QString& name) {
  const QByteArray dir = qgetenv("VANTREL_SHOTS");
  if (!dir.isEmpty())
    image.save(QString::fromLocal8Bit(dir) + QStringLiteral("/") + name + QStringLiteral(".png"));
}

/// Whether every device pixel of unit (x, y) of `picture` is `color`.
bool UnitIs(const QImage& picture, int x, int y, QRgb color) {
  const int ratio = qRound(picture.devicePixelRatio());
  for (int dy = 0; dy < ratio; ++dy) {
    for (int dx = 0; dx < ratio; ++dx) {
      if (picture.pixel(x * ratio + dx, y * ratio + dy) != color) return false;
    }
  }
  return true;
}

TEST_F(HighDpiChartTest, ThePictureHasTheScreensRatioAndTheLayoutOfOnePixelPerUnit) {
  const qreal ratio = Surface().devicePixelRatioF();
  EXPECT_EQ(ratio, ScreenRatio());
  const QImage picture = View().Picture();
  EXPECT_EQ(picture.devicePixelRatio(), ratio);
  EXPECT_EQ(picture.size(), Surface().size() * ratio);
  const platform::Rect plotOnScreen = Plot();
  SaveImage(picture, QStringLiteral("chart_ratio_%1").arg(ratio));

  // Drawn again at one device pixel per unit, the chart has the same layout.
  const QImage plain = View().RenderImage(Surface().size());
  EXPECT_EQ(plain.devicePixelRatio(), 1.0);
  EXPECT_EQ(plain.size(), Surface().size());
  EXPECT_EQ(Plot(), plotOnScreen);

  // Where the plain picture has a pixel of a straight horizontal or vertical line (the
  // plot frame and the grid), the screen picture has all its device pixels in that colour.
  int compared = 0;
  int differing = 0;
  for (int y = plotOnScreen.top; y < plotOnScreen.bottom; ++y) {
    for (int x : {plotOnScreen.left, plotOnScreen.right - 1}) {
      ++compared;
      if (!UnitIs(picture, x, y, plain.pixel(x, y))) ++differing;
    }
  }
  for (int x = plotOnScreen.left; x < plotOnScreen.right; ++x) {
    for (int y : {plotOnScreen.top, plotOnScreen.bottom - 1}) {
      ++compared;
      if (!UnitIs(picture, x, y, plain.pixel(x, y))) ++differing;
    }
  }
  ASSERT_GT(compared, 100);
  // Curves crossing the frame may cover a few of its pixels differently.
  EXPECT_LE(differing, compared / 50) << differing << " of " << compared;
}

TEST_F(HighDpiChartTest, AOnePixelLineIsAsManyDevicePixelsWideAsTheRatio) {
  const QImage picture = View().Picture();
  const int ratio = qRound(picture.devicePixelRatio());
  const platform::Rect plot = Plot();
  // A column inside the plot frame's left edge: find the frame's device columns on a row
  // in the middle of the plot and count them.
  const int y = (plot.top + plot.bottom) / 2 * ratio;
  const QRgb white = qRgb(255, 255, 255);
  int first = -1;
  for (int x = (plot.left - 2) * ratio; x < (plot.left + 3) * ratio; ++x) {
    if (picture.pixel(x, y) != white) {
      first = x;
      break;
    }
  }
  ASSERT_GE(first, 0);
  int width = 0;
  while (picture.pixel(first + width, y) == picture.pixel(first, y)) ++width;
  EXPECT_EQ(width, ratio);
  EXPECT_EQ(first % ratio, 0);  // the line covers whole units
}

TEST(HighDpi, LegendSwatchesAndTheProgramIconHavePicturesAtTheScreensRatio) {
  const qreal ratio = ScreenRatio();
  const QIcon swatch = gui::SwatchIcon(0x0000FF);
  const QPixmap pixmap = swatch.pixmap(gui::kSwatchSize, ratio);
  EXPECT_EQ(pixmap.devicePixelRatio(), ratio);
  EXPECT_EQ(pixmap.size(), gui::kSwatchSize * ratio);
  EXPECT_EQ(pixmap.toImage().pixel(pixmap.width() - 1, pixmap.height() - 1), qRgb(255, 0, 0));

  const QIcon icon = gui::ProgramIcon({});
  for (const int size : {16, 32, 64}) {
    SCOPED_TRACE(size);
    const QPixmap drawn = icon.pixmap(QSize(size, size), ratio);
    EXPECT_EQ(drawn.size(), QSize(size, size) * ratio);
  }
  // The drawn icon at 256 pixels: the tile's blue in the middle, transparent corners.
  const QImage large = gui::ProgramIconImage(256);
  EXPECT_EQ(qAlpha(large.pixel(0, 0)), 0);
  EXPECT_EQ(large.pixelColor(128, 200).rgb(), QColor(0, 84, 147).rgb());
  SaveImage(icon.pixmap(QSize(64, 64), ratio).toImage(),
            QStringLiteral("icon_ratio_%1").arg(ratio));
}

TEST(HighDpi, TheStartPictureKeepsItsSizeInUnitsAndFillsItsDevicePixels) {
  gui::StartPicture picture(ProgramDirectory(), nullptr);
  ASSERT_TRUE(picture.HasPicture());
  EXPECT_EQ(picture.size(), picture.Picture().size());
  const QPixmap shown = picture.grab();
  EXPECT_EQ(shown.devicePixelRatio(), ScreenRatio());
  EXPECT_EQ(shown.size(), picture.Picture().size() * ScreenRatio());
  SaveImage(shown.toImage(), QStringLiteral("start_picture_ratio_%1").arg(ScreenRatio()));
}

}  // namespace
}  // namespace vantrel::testing
