// A canvas that paints into an in-memory pixel buffer: the chart picture for image files,
// for benchmarks and for tests that compare two drawings pixel by pixel. Lines follow one
// fixed integer rule (below) and leave out their last pixel, as a device context's LineTo
// does, so the pixels of a line depend only on its two end points and its direction.
//
// Line rule: for a line from (x0, y0) to (x1, y1) with the major axis the longer one,
// step i (0 <= i < major length) paints the pixel whose minor offset is
// floor((2 i |dminor| + |dmajor|) / (2 |dmajor|)) in the minor direction, i.e. the
// nearest pixel with halves rounded away from the start. Lines far outside the buffer are
// clipped arithmetically: only the steps inside are visited.
//
// Lines at most one column across are collected as column runs of any colour and painted in
// blocks (see ColumnRuns): every other painting and every read of the pixels first paints
// them.
//
// Text metrics are those of the recording canvas (a font of p points is p x DPI / 72 pixels
// high, every character half as wide); text is painted as its background box with one
// filled block per character in the text colour, which is enough to see where labels go.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/ColumnRuns.h"

namespace vantrel::platform {

class RasterCanvas final : public Canvas {
 public:
  /// The largest width or height accepted; larger sizes are reduced to it.
  static constexpr int kMaxDimension = 16384;

  /// A `size.cx` x `size.cy` buffer filled with white. `printer` marks a printer canvas whose
  /// page is the whole buffer.
  explicit RasterCanvas(Size size, int dpi = 96, bool printer = false);
  RasterCanvas(const RasterCanvas&) = delete;  // the pending runs point into the pixels
  RasterCanvas& operator=(const RasterCanvas&) = delete;

  Pen SelectPen(const Pen& pen) override;
  Font SelectFont(const Font& font) override;
  Size TextExtent(const std::u16string& text) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void SetPixel(int x, int y, Color color) override;
  void FillRect(const Rect& rect, Color color) override;
  void TextOut(int x, int y, const std::u16string& text) override;
  void DragRect(const Rect& rect, const Rect* previous) override;
  void DrawPixels(int x, int y, int width, int height, const std::vector<Color>& pixels) override;
  Color SetTextColor(Color color) override;
  Color SetBackgroundColor(Color color) override;
  Color BackgroundColor() const override { return background_; }
  int DpiX() const override { return dpi_; }
  int DpiY() const override { return dpi_; }
  Size PageSize() const override { return size_; }
  bool IsPrinter() const override { return printer_; }

  /// The pixel at (x, y); white outside the buffer. Reading paints pending vertical runs.
  Color PixelAt(int x, int y) const;
  /// All pixels, row-major, top row first.
  const std::vector<Color>& Pixels() const {
    runs_.Paint();
    return pixels_;
  }
  int Width() const { return size_.cx; }
  int Height() const { return size_.cy; }
  /// Fills the whole buffer with `color`.
  void Clear(Color color);

  /// The picture as a PNG file (8-bit RGB, stored deflate blocks: large but simple).
  std::vector<std::uint8_t> ToPng() const;

 private:
  void Plot(long long x, long long y, Color color) {
    if (x < 0 || y < 0 || x >= size_.cx || y >= size_.cy) return;
    pixels_[static_cast<std::size_t>(y * size_.cx + x)] = color;
  }
  void InvertOutline(const Rect& rect);

  Size size_;
  int dpi_;
  bool printer_;
  Pen pen_;
  Font font_;
  Color textColor_ = kBlack;
  Color background_ = kWhite;
  Point position_;
  std::vector<Color> pixels_;
  /// Vertical lines waiting to be painted (reading paints them: logically const).
  mutable ColumnRuns runs_;
};

}  // namespace vantrel::platform
