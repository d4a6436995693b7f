// The raster canvas: lines without their last pixel, the same pixels in both directions
// apart from the end points, clipping of far-away lines, rectangles, text boxes and the PNG.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "platform/RasterCanvas.h"

namespace vantrel::platform {
namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels Painted(const RasterCanvas& canvas) {
  Pixels painted;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (canvas.PixelAt(x, y) != kWhite) painted.insert({x, y});
    }
  }
  return painted;
}

Pixels Line(int x0, int y0, int x1, int y1, Size size = {40, 40}) {
  RasterCanvas canvas(size);
  canvas.SelectPen(Pen{kBlack, 0});
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
  return Painted(canvas);
}

TEST(RasterCanvas, LinesLeaveOutTheirLastPixel) {
  EXPECT_EQ(Line(2, 3, 6, 3), (Pixels{{2, 3}, {3, 3}, {4, 3}, {5, 3}}));
  EXPECT_EQ(Line(5, 5, 5, 2), (Pixels{{5, 5}, {5, 4}, {5, 3}}));
  EXPECT_EQ(Line(0, 0, 4, 2), (Pixels{{0, 0}, {1, 1}, {2, 1}, {3, 2}}));
  EXPECT_TRUE(Line(7, 7, 7, 7).empty());
  EXPECT_EQ(Line(1, 1, 2, 2), (Pixels{{1, 1}}));
}

TEST(RasterCanvas, LinesOneColumnAcrossFollowTheLineRule) {
  // Painted as two vertical runs: step i of |dy| is in the end column from |dy| / 2 on
  // (halves rounded away from the start), clipped to the buffer like any line.
  for (int dx : {-1, 1}) {
    for (int dy = -45; dy <= 45; ++dy) {
      for (int y0 : {-3, 0, 17, 39, 44}) {
        SCOPED_TRACE(::testing::Message() << dx << " " << dy << " from " << y0);
        const int x0 = 20;
        Pixels expected;
        const int major = std::max(std::abs(dx), std::abs(dy));
        for (int i = 0; i < major; ++i) {
          const bool xMajor = std::abs(dx) >= std::abs(dy);
          const int minor = xMajor ? std::abs(dy) : 1;
          const int offset = (2 * i * minor + major) / (2 * major);
          const int px = xMajor ? x0 + i * dx : x0 + offset * dx;
          const int py = xMajor ? y0 + offset * (dy >= 0 ? 1 : -1) : y0 + i * (dy > 0 ? 1 : -1);
          if (px >= 0 && py >= 0 && px < 40 && py < 40) expected.insert({px, py});
        }
        EXPECT_EQ(Line(x0, y0, x0 + dx, y0 + dy), expected);
      }
    }
  }
}

TEST(RasterCanvas, FarLinesAreClippedToTheSamePixelsAsNearOnes) {
  // A long line through the buffer paints what the visible part of the same line would.
  std::mt19937 random(3);
  std::uniform_int_distribution<int> far(-1 << 28, 1 << 28);
  for (int round = 0; round < 50; ++round) {
    const int x0 = far(random) % 600;
    const int y0 = far(random) % 600;
    const int x1 = far(random) % 600;
    const int y1 = far(random) % 600;
    // Reference: the full line on a buffer that holds it, shifted into view.
    RasterCanvas big({1200, 1200});
    big.MoveTo(x0 + 600, y0 + 600);
    big.LineTo(x1 + 600, y1 + 600);
    Pixels expected;
    for (const auto& [x, y] : Painted(big)) {
      if (x >= 600 && x < 640 && y >= 600 && y < 640) expected.insert({x - 600, y - 600});
    }
    EXPECT_EQ(Line(x0, y0, x1, y1), expected) << x0 << "," << y0 << " " << x1 << "," << y1;
  }
  // Coordinates at the ends of the int range neither overflow nor take long.
  EXPECT_FALSE(Line(-2147483647, 20, 2147483647, 20).empty());
}

TEST(RasterCanvas, DeferredVerticalRunsPaintAsIfPaintedAtOnce) {
  // The same random drawing twice: once as it comes, once with a read after every call (a
  // read paints whatever is pending). Vertical runs of several colours overlap each other,
  // share columns, cross lines and pixels, and reach the last, partial block of columns.
  std::mt19937 random(11);
  for (int round = 0; round < 40; ++round) {
    const Size size{53, 37};
    RasterCanvas deferred(size);
    RasterCanvas immediate(size);
    std::uniform_int_distribution<int> x(-3, size.cx + 2);
    std::uniform_int_distribution<int> y(-5, size.cy + 4);
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> colour(0, 2);
    for (int call = 0; call < 300; ++call) {
      const int k = kind(random);
      const int x0 = x(random);
      const int y0 = y(random);
      const int x1 = x(random);
      const int y1 = y(random);
      const auto c = static_cast<Color>(0x102030 * (colour(random) + 1));
      for (RasterCanvas* canvas : {&deferred, &immediate}) {
        if (k == 0) {
          canvas->SelectPen(Pen{c, 0});
        } else if (k <= 6) {
          canvas->MoveTo(x0, y0);
          canvas->LineTo(x0, y1);  // vertical
        } else if (k == 7) {
          canvas->MoveTo(x0, y0);
          canvas->LineTo(call % 2 == 0 ? x1 : x0 + 1, y1);
        } else if (k == 8) {
          canvas->SetPixel(x0, y0, c);
        } else {
          canvas->FillRect({x0, y0, x0 + 2, y0 + 3}, c);
        }
      }
      immediate.PixelAt(0, 0);
    }
    ASSERT_EQ(deferred.Pixels(), immediate.Pixels()) << "round " << round;
  }
}

TEST(RasterCanvas, FillsClipAndTextIsABoxInTheBackgroundWithCharacterBlocks) {
  RasterCanvas canvas({20, 20});
  canvas.FillRect({-5, -5, 3, 2}, 0x0000FF);
  EXPECT_EQ(canvas.PixelAt(0, 0), 0x0000FFU);
  EXPECT_EQ(canvas.PixelAt(2, 1), 0x0000FFU);
  EXPECT_EQ(canvas.PixelAt(3, 1), kWhite);
  canvas.FillRect({25, 0, 30, 5}, 0x0000FF);  // wholly right of the buffer: nothing
  canvas.FillRect({-9, 0, -4, 5}, 0x0000FF);
  EXPECT_EQ(canvas.PixelAt(19, 0), kWhite);
  canvas.SetBackgroundColor(0x00FF00);
  canvas.SelectFont(Font{u"Arial", 9});  // 12 pixels high, 6 per character
  EXPECT_EQ(canvas.TextExtent(u"ab"), (Size{12, 12}));
  canvas.TextOut(4, 4, u"ab");
  EXPECT_EQ(canvas.PixelAt(4, 4), 0x00FF00U);
  EXPECT_EQ(canvas.PixelAt(6, 10), kBlack);
}

TEST(RasterCanvas, DragRectangleInvertsItsBorderAndErasesThePrevious) {
  RasterCanvas canvas({20, 20});
  const Rect first{2, 2, 8, 8};
  canvas.DragRect(first, nullptr);
  EXPECT_EQ(canvas.PixelAt(2, 2), kBlack);
  EXPECT_EQ(canvas.PixelAt(4, 4), kWhite);
  canvas.DragRect({10, 10, 12, 12}, &first);
  EXPECT_EQ(canvas.PixelAt(2, 2), kWhite);
  EXPECT_EQ(canvas.PixelAt(11, 11), kBlack);
}

TEST(RasterCanvas, PngHasSignatureHeaderAndStoredPixels) {
  RasterCanvas canvas({3, 2});
  canvas.SetPixel(1, 0, MakeColor(10, 20, 30));
  const std::vector<std::uint8_t> png = canvas.ToPng();
  ASSERT_GT(png.size(), 60U);
  EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
  EXPECT_EQ(png[19], 3);  // width
  EXPECT_EQ(png[23], 2);  // height
  // Row 0 after its filter byte: white, then (10, 20, 30).
  const std::vector<std::uint8_t> row = {0, 255, 255, 255, 10, 20, 30, 255, 255, 255};
  EXPECT_NE(std::search(png.begin(), png.end(), row.begin(), row.end()), png.end());
}

}  // namespace
}  // namespace vantrel::platform
