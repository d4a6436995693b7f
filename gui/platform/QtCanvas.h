// The Canvas on a QPainter: screen, off-screen images, printers and PDF files share the
// drawing code of the model and the chart through it. One-pixel pens are cosmetic and
// aliased, coordinates are integers, so lines are crisp on every device. On a picture of a
// high-resolution screen (device pixel ratio above 1) coordinates stay in units and lines
// are one unit wide, so the layout is the same and everything is drawn at full resolution.
//
// On a plain 32-bit image without transformation or clipping (the chart window's picture,
// PNG files) vertical one-pixel lines are written straight into the image as column runs
// (see ColumnRuns), leaving out their end point like every line of the chart: the column
// spans of long curves are thousands of such lines, which QPainter paints pixel by pixel.
// They are painted before anything else is drawn and when the canvas ends.
#pragma once

#include <QPainter>

#include "platform/Canvas.h"
#include "platform/ColumnRuns.h"

namespace vantrel::gui {

class QtCanvas final : public platform::Canvas {
 public:
  /// Draws with `painter` (already begun on its device). `printer` marks printer contexts.
  explicit QtCanvas(QPainter& painter, bool printer = false);
  /// Draws on a page of `page` units at the painter's origin (a printer's printable area)
  /// and paints nothing outside it, as a printer clips to its page: a curve far outside
  /// its axis range leaves no trace on the paper beyond the page's margins.
  QtCanvas(QPainter& painter, bool printer, QSize page);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  platform::Pen SelectPen(const platform::Pen& pen) override;
  platform::Font SelectFont(const platform::Font& font) override;
  platform::Size TextExtent(const std::u16string& text) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void SetPixel(int x, int y, platform::Color color) override;
  void FillRect(const platform::Rect& rect, platform::Color color) override;
  void TextOut(int x, int y, const std::u16string& text) override;
  void DragRect(const platform::Rect& rect, const platform::Rect* previous) override;
  void DrawPixels(int x, int y, int width, int height,
                  const std::vector<platform::Color>& pixels) override;
  platform::Color SetTextColor(platform::Color color) override;
  platform::Color SetBackgroundColor(platform::Color color) override;
  platform::Color BackgroundColor() const override { return background_; }
  int DpiX() const override;
  int DpiY() const override;
  platform::Size PageSize() const override;
  bool IsPrinter() const override { return printer_; }

 private:
  void ApplyFont();

  QPainter& painter_;
  bool printer_;
  /// The page when given at construction; else the device's size.
  QSize page_;
  /// The device has several device pixels per unit (a high-resolution screen picture).
  bool scaled_;
  platform::Pen pen_;
  platform::Font font_;
  platform::Color textColor_ = platform::kBlack;
  platform::Color background_ = platform::kWhite;
  QPoint position_;
  /// Whether vertical lines go to `runs_` (the image allows writing its pixels directly).
  bool direct_ = false;
  /// The pen's colour as an image pixel (opaque).
  std::uint32_t penPixel_ = 0;
  platform::ColumnRuns runs_;
};

}  // namespace vantrel::gui
