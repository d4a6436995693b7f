#include <gtest/gtest.h>

#include "chart/CDIB.h"
#include "platform/RecordingCanvas.h"

namespace vantrel::chart {
namespace {

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

/// A BMP file of the given size and bit count with a zeroed colour table and pixels.
std::vector<std::uint8_t> Bitmap(int width, int height, int bitCount) {
  const auto table = static_cast<std::size_t>(4 * CDIB::ColorTableEntries(bitCount));
  const auto pixels = static_cast<std::size_t>(CDIB::RowBytesFor(width, bitCount) * height);
  std::vector<std::uint8_t> b(54 + table + pixels, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, static_cast<std::uint32_t>(54 + table));
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<std::uint32_t>(width));
  Put32(b, 22, static_cast<std::uint32_t>(height));
  b[26] = 1;
  b[28] = static_cast<std::uint8_t>(bitCount);
  return b;
}

TEST(CDIB, RowBytesRoundUpToWholeWordsAndColourTablesFollowTheBitCount) {
  struct Case {
    int width, bits, rowBytes, tableEntries;
  };
  for (const Case& c :
       {Case{3, 24, 12, 0}, Case{33, 1, 8, 2}, Case{5, 8, 8, 256}, Case{7, 4, 4, 16}}) {
    SCOPED_TRACE(c.width);
    CDIB dib;
    ASSERT_TRUE(dib.LoadBytes(Bitmap(c.width, 2, c.bits)));
    EXPECT_EQ(dib.RowBytes(), c.rowBytes);
    EXPECT_EQ(dib.ColorTableSize(), c.tableEntries);
  }
}

TEST(CDIB, RowsAreStoredBottomUp) {
  std::vector<std::uint8_t> b = Bitmap(1, 2, 24);
  // First row in the file is the bottom row: blue; the second (top) is red.
  b[54] = 0xFF;
  b[54 + 4 + 2] = 0xFF;
  CDIB dib;
  ASSERT_TRUE(dib.LoadBytes(b));
  EXPECT_EQ(dib.PixelAt(0, 0), platform::MakeColor(255, 0, 0));
  EXPECT_EQ(dib.PixelAt(0, 1), platform::MakeColor(0, 0, 255));
}

TEST(CDIB, UnsoundFilesAreRefusedWithoutPixels) {
  std::vector<std::vector<std::uint8_t>> bad;
  auto mb = Bitmap(2, 2, 24);
  std::swap(mb[0], mb[1]);
  bad.push_back(mb);  // "MB"
  auto huge = Bitmap(2, 2, 24);
  Put32(huge, 18, 0x7FFFFFFF);  // absurd width
  bad.push_back(huge);
  auto topDown = Bitmap(2, 2, 24);
  Put32(topDown, 22, static_cast<std::uint32_t>(-2));  // negative height
  bad.push_back(topDown);
  auto bits = Bitmap(2, 2, 24);
  bits[28] = 7;  // no such bit count
  bad.push_back(bits);
  auto offset = Bitmap(2, 2, 24);
  Put32(offset, 10, 0xFFFFFFF0);  // pixels beyond the file
  bad.push_back(offset);
  auto truncated = Bitmap(20, 20, 24);
  truncated.resize(truncated.size() - 1);
  bad.push_back(truncated);
  bad.push_back({'B', 'M'});
  for (std::size_t i = 0; i < bad.size(); ++i) {
    SCOPED_TRACE(i);
    CDIB dib;
    EXPECT_FALSE(dib.LoadBytes(bad[i]));
    EXPECT_FALSE(dib.IsLoaded());
  }
  CDIB dib;
  EXPECT_FALSE(dib.LoadFile("/nonexistent/start.bmp"));
}

TEST(CDIB, DrawingTheTopLeftBlockReadsFromTheBottomRowOffset) {
  CDIB dib;
  ASSERT_TRUE(dib.LoadBytes(Bitmap(200, 150, 8)));
  EXPECT_EQ(dib.SourceRowFromBottom(50, 0), 100);
  platform::RecordingCanvas canvas;
  EXPECT_EQ(dib.Draw(canvas, 0, 0, 100, 50, 0, 0), 150);
  EXPECT_EQ(canvas.CallsOf(platform::RecordingCanvas::Op::SetPixel).size(), 5000U);
  CDIB empty;
  EXPECT_EQ(empty.Draw(canvas, 0, 0, 10, 10, 0, 0), 0);
}

}  // namespace
}  // namespace vantrel::chart
