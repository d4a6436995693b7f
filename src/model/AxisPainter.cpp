// Painting of value axes and the x axis: the coloured axis line, ticks, tick labels and the
// unit and exponent labels. Each axis first computes its visible window (both passes of the
// chart), then lays its marks out as plain values and replays them on the canvas. Ranges,
// divisions and zoom come from files and are not trusted: every real position goes
// through TruncatePixel and the tick count is bounded by ComputeAxisWindow.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/CAchse.h"
#include "model/Units.h"
#include "platform/NumberFormat.h"

namespace vantrel::model {
namespace {

constexpr int kAxisFontPoints = 7;
constexpr double kPixelLimit = 268435456.0;  // 2^28

platform::Font AxisFont() { return platform::Font{u"Arial", kAxisFontPoints}; }

/// One painted element of an axis, in painting order: a line in a pen colour, or a label
/// with its top-left corner at `from`.
struct AxisMark {
  bool label = false;
  platform::Point from;
  platform::Point to;
  platform::Color color = platform::kBlack;
  std::u16string text;
};

using AxisLayout = std::vector<AxisMark>;

void AddLine(AxisLayout& layout, platform::Point from, platform::Point to,
             platform::Color color = platform::kBlack) {
  layout.push_back(AxisMark{false, from, to, color, {}});
}

/// A tick label: `value` formatted in the "C" convention with the user's decimal separator.
std::u16string Number(const char* format, double value, char decimalSeparator) {
  return platform::Widen(
      platform::WithDecimalSeparator(platform::FormatC(format, value), decimalSeparator));
}

void AddLabel(AxisLayout& layout, int x, int y, std::u16string text) {
  layout.push_back(AxisMark{true, {x, y}, {}, platform::kBlack, std::move(text)});
}

/// The visible window of `axis`. The window divides by the interval count and the zoom:
/// a negative division count from a corrupt file is taken as none and a zoom of 0 as 1,
/// so that neither divisor can be zero.
AxisWindow WindowOf(const CAchse& axis, double zoom, double scroll, int extent) {
  return ComputeAxisWindow(static_cast<double>(axis.GetMin()), static_cast<double>(axis.GetMax()),
                           std::max(axis.GetDivisions(), 0), zoom == 0.0 ? 1.0 : zoom, scroll,
                           extent);
}

/// The value axis along the right edge of `r`, in the order the axis is painted.
AxisLayout LayoutValueAxis(platform::Canvas& canvas, const platform::Rect& r,
                           const AxisWindow& window, int exponent,
                           const std::vector<platform::Color>& colors,
                           const std::u16string& unitName, char decimalSeparator) {
  AxisLayout layout;
  const platform::Size x = canvas.TextExtent(u"X");
  const int cw = x.cx;
  const int ch = x.cy;

  // Axis line: one equal segment per curve, bottom up, in the order of the colours.
  const long long height = static_cast<long long>(r.bottom) - r.top;
  const auto n = static_cast<long long>(colors.size());
  platform::Point at{r.right, r.bottom};
  for (long long k = 1; k <= n; ++k) {
    const platform::Point to{r.right, static_cast<int>(r.bottom - k * height / n)};
    AddLine(layout, at, to, colors[static_cast<std::size_t>(k - 1)]);
    at = to;
  }

  const std::u16string unit = u"[" + unitName + u"]";
  AddLabel(layout, r.right - canvas.TextExtent(unit).cx - cw, r.bottom + cw, unit);
  if (exponent != 0) {
    std::u16string label = platform::FormatC16("[10e%d]", exponent);
    const int left = r.right - canvas.TextExtent(label).cx - cw;
    AddLabel(layout, left, r.bottom + cw + ch, std::move(label));
  }

  const double scale = std::pow(10.0, exponent);
  const std::size_t last = window.tickValues.size() - 1;
  for (std::size_t i = 0; i <= last; ++i) {
    const int y = TruncatePixel(r.bottom - static_cast<double>(i) * window.pixelStep);
    AddLine(layout, {r.right, y}, {r.right - cw, y});
    std::u16string label = Number("%5.2f", window.tickValues[i] / scale, decimalSeparator);
    const int left = r.right - canvas.TextExtent(label).cx - cw;
    int top = y;  // the top label hangs below the last tick
    if (i == 0) {
      top = y - ch;  // above the bottom tick
    } else if (i < last) {
      top = y - ch / 2;  // centred on the tick
    }
    AddLabel(layout, left, top, std::move(label));
  }
  return layout;
}

/// The x axis along the top edge of `r`. `divisor` turns tick values (seconds in time mode)
/// into the displayed unit.
AxisLayout LayoutXAxis(platform::Canvas& canvas, const platform::Rect& r, const AxisWindow& window,
                       int exponent, double divisor, const std::u16string& unitName,
                       char decimalSeparator) {
  AxisLayout layout;
  AddLine(layout, {r.left, r.top}, {r.right, r.top});
  const int cw = canvas.TextExtent(u"X").cx;

  std::u16string unit = exponent != 0 ? platform::FormatC16("[10e%d ", exponent) + unitName + u"]"
                                      : u"[" + unitName + u"]";
  const int unitLeft = r.right - canvas.TextExtent(unit).cx - cw;
  AddLabel(layout, unitLeft, (r.top + r.bottom) / 2, std::move(unit));

  const double scale = std::pow(10.0, exponent);
  const std::size_t last = window.tickValues.size() - 1;
  for (std::size_t i = 0; i <= last; ++i) {
    const int x = TruncatePixel(static_cast<double>(i) * window.pixelStep + r.left);
    AddLine(layout, {x, r.top}, {x, r.top + cw});
    std::u16string label =
        Number("%3.2f", window.tickValues[i] / divisor / scale, decimalSeparator);
    const int width = canvas.TextExtent(label).cx;
    int left = r.right - width;  // the last label is right-aligned to the band
    if (i == 0) {
      left = x;
    } else if (i < last) {
      left = x - width / 2;
    }
    AddLabel(layout, left, r.top + cw, std::move(label));
  }
  return layout;
}

/// Replays a layout; consecutive lines that join are drawn as one polyline.
void Paint(platform::Canvas& canvas, const AxisLayout& layout) {
  platform::Color penColor = platform::kBlack;
  bool havePosition = false;
  platform::Point position;
  for (const AxisMark& mark : layout) {
    if (mark.label) {
      canvas.TextOut(mark.from.x, mark.from.y, mark.text);
      continue;
    }
    if (mark.color != penColor) {
      canvas.SelectPen(platform::Pen{mark.color, 0});
      penColor = mark.color;
    }
    if (!havePosition || !(position == mark.from)) canvas.MoveTo(mark.from.x, mark.from.y);
    canvas.LineTo(mark.to.x, mark.to.y);
    position = mark.to;
    havePosition = true;
  }
}

/// Fills the axis area, paints the layout that `layoutOf` computes with the axis pen and
/// font selected, and restores the caller's pen and font.
template <typename LayoutOf>
void PaintAxis(platform::Canvas& canvas, const platform::Rect& area, LayoutOf layoutOf) {
  canvas.FillRect(area, canvas.BackgroundColor());
  const platform::Pen oldPen = canvas.SelectPen(platform::Pen{platform::kBlack, 0});
  const platform::Font oldFont = canvas.SelectFont(AxisFont());
  Paint(canvas, layoutOf());
  canvas.SelectPen(oldPen);
  canvas.SelectFont(oldFont);
}

}  // namespace

int TruncatePixel(double position) {
  if (std::isnan(position)) return 0;
  return static_cast<int>(std::trunc(std::clamp(position, -kPixelLimit, kPixelLimit)));
}

void CAchse::Draw(platform::Canvas& canvas, const platform::Rect& column, double zoom,
                  double scroll, const std::vector<platform::Color>& colors, bool paint,
                  const platform::TextSource& texts, char decimalSeparator) {
  const AxisWindow window = WindowOf(*this, zoom, scroll, column.bottom - column.top);
  SetVisible(window.visibleStart, window.visibleEnd);
  if (!paint) return;
  const int exponent = DecadeExponent(static_cast<double>(GetMax()));
  const std::u16string unitName = UnitDisplayName(texts);
  PaintAxis(canvas, column, [&] {
    return LayoutValueAxis(canvas, column, window, exponent, colors, unitName, decimalSeparator);
  });
}

void CXAchse::Draw(platform::Canvas& canvas, const platform::Rect& band, double zoom, double scroll,
                   bool paint, const platform::TextSource& texts, char decimalSeparator) {
  const AxisWindow window = WindowOf(*this, zoom, scroll, band.right - band.left);
  SetVisible(window.visibleStart, window.visibleEnd);
  if (!paint) return;
  // The range is stored in seconds; hours and minutes are shown converted.
  double divisor = 1.0;
  if (GetXYMode() == 0 && GetTimeUnit() == kTimeHours) divisor = 3600.0;
  if (GetXYMode() == 0 && GetTimeUnit() == kTimeMinutes) divisor = 60.0;
  const int exponent = DecadeExponent(static_cast<double>(GetMax()) / divisor);
  const std::u16string unitName = UnitDisplayName(texts);
  PaintAxis(canvas, band, [&] {
    return LayoutXAxis(canvas, band, window, exponent, divisor, unitName, decimalSeparator);
  });
}

}  // namespace vantrel::model
