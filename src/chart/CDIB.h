// An uncompressed Windows bitmap (BMP with the 40-byte information header) held in memory
// and painted unscaled onto a canvas: the start picture. Headers are untrusted: absurd
// sizes, bit counts or pixel offsets are refused instead of allocated or read past.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace vantrel::chart {

class CDIB {
 public:
  /// The largest width or height accepted, in pixels.
  static constexpr int kMaxDimension = 16384;

  CDIB() = default;

  /// Reads a BMP file; false (and no pixels) when it is missing, not marked "BM" or its
  /// header is not sound.
  bool LoadFile(const std::filesystem::path& path);
  /// The same from the bytes of a file.
  bool LoadBytes(const std::vector<std::uint8_t>& file);

  /// Paints the w x h pixels whose top-left corner is (sourceX, sourceY), counted from the
  /// top, at (x, y); returns the number of scan lines transferred, 0 on failure.
  int Draw(platform::Canvas& canvas, int x, int y, int w, int h, int sourceX, int sourceY) const;

  /// The transfer's source row counted from the bottom for a block of height h at sourceY.
  int SourceRowFromBottom(int h, int sourceY) const { return height_ - h - sourceY; }

  /// The colour of pixel (x, y) counted from the top; black outside the picture.
  platform::Color PixelAt(int x, int y) const;

  bool IsLoaded() const { return !block_.empty(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitCount() const { return bitCount_; }
  int RowBytes() const { return rowBytes_; }
  /// Number of colour-table entries: 2, 16 or 256 for 1, 4 or 8 bits, else 0.
  int ColorTableSize() const { return ColorTableEntries(bitCount_); }

  static int ColorTableEntries(int bitCount);
  /// Bytes of one pixel row: the row's bits rounded up to whole 32-bit words.
  static std::int64_t RowBytesFor(std::int64_t width, int bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
  }

 private:
  void Clear();
  const std::uint8_t* RowFromTop(int y) const;

  /// Information header, colour table and pixel rows (bottom-up), contiguous.
  std::vector<std::uint8_t> block_;
  std::size_t bitsOffset_ = 0;
  int height_ = 0;
  int rowBytes_ = 0;
  int width_ = 0;
  int bitCount_ = 0;
};

}  // namespace vantrel::chart
