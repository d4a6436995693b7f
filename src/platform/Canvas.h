// The drawing surface every chart, axis, curve and annotation paints on. It stands in for
// a device context: the current pen, font, text and background colours are state of the
// canvas, selecting one returns the previous so the caller can restore it. Coordinates
// are integer device pixels; callers truncate their real-valued positions themselves.
// Implementations: RecordingCanvas (tests), SvgCanvas (core), a QPainter canvas (gui/).
#pragma once

#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace vantrel::platform {

struct Pen {
  Color color = kBlack;
  /// 0 = one device pixel whatever the device.
  int width = 0;
  friend bool operator==(const Pen&, const Pen&) = default;
};

struct Font {
  std::u16string family = u"Arial";
  /// Size in points; the pixel height on a device is points x DPI / 72 (truncated).
  int points = 10;
  bool bold = false;
  bool italic = false;
  friend bool operator==(const Font&, const Font&) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  Canvas() = default;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  /// Selects a pen; returns the one selected before.
  virtual Pen SelectPen(const Pen& pen) = 0;
  /// Selects a font; returns the one selected before.
  virtual Font SelectFont(const Font& font) = 0;
  /// Width and height in pixels of the text in the current font.
  virtual Size TextExtent(const std::u16string& text) = 0;

  virtual void MoveTo(int x, int y) = 0;
  /// Line from the current position to (x, y), last pixel excluded; (x, y) becomes current.
  virtual void LineTo(int x, int y) = 0;
  virtual void SetPixel(int x, int y, Color color) = 0;
  virtual void FillRect(const Rect& rect, Color color) = 0;
  /// Text with its top-left corner at (x, y) in the current font, text and background colours.
  virtual void TextOut(int x, int y, const std::u16string& text) = 0;
  /// Exclusive-or feedback rectangle with a one-pixel border; erases `previous` unless it is null.
  virtual void DragRect(const Rect& rect, const Rect* previous) = 0;

  /// Paints a width x height block of pixels (row-major, top row first) with its top-left
  /// corner at (x, y). The default sets pixel by pixel; canvases override it for speed.
  virtual void DrawPixels(int x, int y, int width, int height, const std::vector<Color>& pixels) {
    for (int row = 0; row < height; ++row) {
      for (int col = 0; col < width; ++col) {
        SetPixel(x + col, y + row, pixels[static_cast<std::size_t>(row * width + col)]);
      }
    }
  }

  virtual Color SetTextColor(Color color) = 0;
  virtual Color SetBackgroundColor(Color color) = 0;
  virtual Color BackgroundColor() const = 0;

  /// Dots per inch, horizontally and vertically.
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;
  /// Printable page in device pixels (the drawing area for screens).
  virtual Size PageSize() const = 0;
  virtual bool IsPrinter() const = 0;

  /// Pixel height of a font of `points` points on this canvas.
  int PointsToPixels(int points) const { return points * DpiY() / 72; }
};

}  // namespace vantrel::platform
