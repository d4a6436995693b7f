// A canvas that writes an SVG document of a fixed size in pixels: the chart picture for
// files and for tools without a window system. Coordinates stay integers; one-pixel lines
// are drawn crisp (shape-rendering="crispEdges", strokes through pixel centres).
//
// Text is set in "Arial, Liberation Sans" at the font's pixel size. Text extents are
// APPROXIMATE: they come from a table of the Liberation Sans (Arial-compatible) advance
// widths of printable ASCII, each rounded to whole pixels; other characters count as a
// digit's width. The viewer's real font may differ by a pixel here and there.
//
// Exclusive-or feedback (DragRect) is drawn with the "difference" blend mode in white,
// which inverts what lies below just as the screen's exclusive-or does.
#pragma once

#include <string>

#include "platform/Canvas.h"

namespace vantrel::platform {

class SvgCanvas final : public Canvas {
 public:
  /// A `size.cx` x `size.cy` pixel picture at `dpi` dots per inch (font sizes scale with it).
  explicit SvgCanvas(Size size, int dpi = 96);

  Pen SelectPen(const Pen& pen) override;
  Font SelectFont(const Font& font) override;
  Size TextExtent(const std::u16string& text) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void SetPixel(int x, int y, Color color) override;
  void FillRect(const Rect& rect, Color color) override;
  void TextOut(int x, int y, const std::u16string& text) override;
  void DragRect(const Rect& rect, const Rect* previous) override;
  Color SetTextColor(Color color) override;
  Color SetBackgroundColor(Color color) override;
  Color BackgroundColor() const override { return background_; }
  int DpiX() const override { return dpi_; }
  int DpiY() const override { return dpi_; }
  Size PageSize() const override { return size_; }
  bool IsPrinter() const override { return false; }

  /// The complete SVG document (UTF-8) of everything drawn so far.
  std::string Document() const;

 private:
  /// Ends the pending polyline, so that later elements paint over it.
  void FlushPath();
  void OutlineRect(const Rect& rect, const char* extraAttributes);

  Size size_;
  int dpi_;
  Pen pen_;
  Font font_;
  Color textColor_ = kBlack;
  Color background_ = kWhite;
  Point position_;
  /// Path data of consecutive lines in the current pen; empty when none is pending.
  std::string path_;
  Pen pathPen_;
  Point pathEnd_;
  std::string body_;
};

/// Escapes text for XML character data and attribute values (UTF-8 out); characters XML
/// does not allow become U+FFFD.
std::string XmlEscape(const std::u16string& text);

}  // namespace vantrel::platform
