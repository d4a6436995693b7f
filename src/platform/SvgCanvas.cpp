// SVG output of the drawing calls, with approximate Liberation Sans text metrics.
#include "platform/SvgCanvas.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/NumberFormat.h"
#include "platform/Strings.h"

namespace vantrel::platform {
namespace {

/// Advance widths of Liberation Sans (equal to Arial's) for the characters 32..126, in
/// thousandths of the em.
constexpr std::array<int, 95> kAsciiWidths = {
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // ' '../
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0..?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @..O
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P.._
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // `..o
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};      // p..~
constexpr int kDefaultWidth = 556;
/// Ascent and descent of Liberation Sans in font units of a 2048-unit em.
constexpr int kAscent = 1854;
constexpr int kDescent = 434;
constexpr int kUnitsPerEm = 2048;
constexpr long long kMaxFontPixels = 100000;

int CharWidth(char16_t c) {
  if (c >= 32 && c <= 126) return kAsciiWidths[static_cast<std::size_t>(c - 32)];
  return kDefaultWidth;
}

int Round(double value) { return static_cast<int>(std::lround(value)); }

std::string ColorText(Color color) {
  return FormatC("#%02x%02x%02x", RedOf(color), GreenOf(color), BlueOf(color));
}

std::string StrokeAttributes(const Pen& pen) {
  return " stroke=\"" + ColorText(pen.color) + "\" stroke-width=\"" +
         std::to_string(std::max(pen.width, 1)) + "\"";
}

/// One polyline element; strokes run through pixel centres so that a one-pixel line
/// covers exactly one pixel row or column.
std::string PathElement(const std::string& data, const Pen& pen) {
  return "<path d=\"" + data + "\" fill=\"none\"" + StrokeAttributes(pen) +
         " transform=\"translate(0.5 0.5)\"/>\n";
}

/// Pixel em size of a font of `points` points at `dpi`; never negative or huge.
int EmPixels(int points, int dpi) {
  const long long pixels = static_cast<long long>(points) * dpi / 72;
  return static_cast<int>(std::clamp(pixels, 0LL, kMaxFontPixels));
}

}  // namespace

std::string XmlEscape(const std::u16string& text) {
  std::u16string allowed = text;
  for (char16_t& c : allowed) {
    const bool control = c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
    if (control || c == 0xFFFE || c == 0xFFFF) c = 0xFFFD;
  }
  const std::string utf8 = ToUtf8(allowed);
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

SvgCanvas::SvgCanvas(Size size, int dpi)
    : size_{std::max(size.cx, 0), std::max(size.cy, 0)}, dpi_(std::max(dpi, 1)) {}

Pen SvgCanvas::SelectPen(const Pen& pen) {
  Pen previous = pen_;
  pen_ = pen;
  return previous;
}

Font SvgCanvas::SelectFont(const Font& font) {
  Font previous = font_;
  font_ = font;
  return previous;
}

Size SvgCanvas::TextExtent(const std::u16string& text) {
  const int em = EmPixels(font_.points, dpi_);
  long long width = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool lowSurrogate = c >= 0xDC00 && c <= 0xDFFF;
    if (lowSurrogate && i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF) continue;
    width += Round(static_cast<double>(CharWidth(c)) * em / 1000.0);
  }
  const int height = Round(static_cast<double>(em) * (kAscent + kDescent) / kUnitsPerEm);
  return {static_cast<int>(std::min(width, 1LL << 30)), height};
}

void SvgCanvas::MoveTo(int x, int y) { position_ = {x, y}; }

void SvgCanvas::LineTo(int x, int y) {
  if (!path_.empty() && !(pathPen_ == pen_)) FlushPath();
  if (path_.empty() || !(pathEnd_ == position_)) {
    if (path_.empty()) pathPen_ = pen_;
    path_ += "M" + std::to_string(position_.x) + " " + std::to_string(position_.y);
  }
  path_ += "L" + std::to_string(x) + " " + std::to_string(y);
  pathEnd_ = {x, y};
  position_ = {x, y};
}

void SvgCanvas::FlushPath() {
  if (path_.empty()) return;
  body_ += PathElement(path_, pathPen_);
  path_.clear();
}

void SvgCanvas::SetPixel(int x, int y, Color color) { FillRect({x, y, x + 1, y + 1}, color); }

void SvgCanvas::FillRect(const Rect& rect, Color color) {
  Rect r = rect;
  r.Normalize();
  if (r.IsEmpty()) return;
  FlushPath();
  body_ += "<rect x=\"" + std::to_string(r.left) + "\" y=\"" + std::to_string(r.top) +
           "\" width=\"" + std::to_string(r.Width()) + "\" height=\"" + std::to_string(r.Height()) +
           "\" fill=\"" + ColorText(color) + "\"/>\n";
}

void SvgCanvas::TextOut(int x, int y, const std::u16string& text) {
  if (text.empty()) return;
  const Size extent = TextExtent(text);
  FillRect({x, y, x + extent.cx, y + extent.cy}, background_);  // opaque text background
  const int em = EmPixels(font_.points, dpi_);
  const int baseline = y + Round(static_cast<double>(em) * kAscent / kUnitsPerEm);
  body_ += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(baseline) +
           "\" font-family=\"Arial, Liberation Sans\" font-size=\"" + std::to_string(em) + "\"";
  if (font_.bold) body_ += " font-weight=\"bold\"";
  if (font_.italic) body_ += " font-style=\"italic\"";
  body_ += " fill=\"" + ColorText(textColor_) + "\">" + XmlEscape(text) + "</text>\n";
}

void SvgCanvas::OutlineRect(const Rect& rect, const char* extraAttributes) {
  Rect r = rect;
  r.Normalize();
  if (r.IsEmpty()) return;
  body_ += "<rect x=\"" + std::to_string(r.left) + "\" y=\"" + std::to_string(r.top) +
           "\" width=\"" + std::to_string(r.Width() - 1) + "\" height=\"" +
           std::to_string(r.Height() - 1) +
           "\" fill=\"none\" stroke=\"#ffffff\" stroke-width=\"1\" transform=\"translate(0.5 "
           "0.5)\"" +
           extraAttributes + "/>\n";
}

void SvgCanvas::DragRect(const Rect& rect, const Rect* previous) {
  FlushPath();
  const char* invert = " style=\"mix-blend-mode:difference\"";
  if (previous != nullptr) OutlineRect(*previous, invert);
  OutlineRect(rect, invert);
}

Color SvgCanvas::SetTextColor(Color color) {
  Color previous = textColor_;
  textColor_ = color;
  return previous;
}

Color SvgCanvas::SetBackgroundColor(Color color) {
  Color previous = background_;
  background_ = color;
  return previous;
}

std::string SvgCanvas::Document() const {
  const std::string width = std::to_string(size_.cx);
  const std::string height = std::to_string(size_.cy);
  const std::string pending = path_.empty() ? std::string() : PathElement(path_, pathPen_);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
         width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
         "\" shape-rendering=\"crispEdges\" xml:space=\"preserve\">\n" + body_ + pending +
         "</svg>\n";
}

}  // namespace vantrel::platform
