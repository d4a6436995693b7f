// Drawing of one curve into the plot rectangle, sample by sample, through the visible
// windows the axes recorded in the measuring pass. This is the plain reference drawing:
// one polyline point (or pixel, or bar) per sample. Values from files are not trusted: a
// window of no width draws nothing, an infinite sample clamps in TruncatePixel, and a
// sample whose position is NaN is left out instead of being drawn at an arbitrary place.
#include <cmath>

#include "model/CKurveObj.h"
#include "model/CMessungObj.h"
#include "model/PixelMapping.h"

namespace vantrel::model {
namespace {

bool AnyNaN(double a, double b, double c, double d) {
  return std::isnan(a) || std::isnan(b) || std::isnan(c) || std::isnan(d);
}

}  // namespace

void CKurveObj::Draw(platform::Canvas& canvas, const platform::Rect& plot,
                     const CMessungObj& measurement) const {
  if (visible_ == 0) return;
  const CAchse* yAxis = measurement.GetYAxis(axisIndex_);
  if (yAxis == nullptr) return;  // no axis yet (online recording) or a corrupt index
  const CXAchse& xAxis = measurement.GetXAxis();
  const auto xmin = static_cast<double>(xAxis.GetVisibleStart());
  const auto xmax = static_cast<double>(xAxis.GetVisibleEnd());
  const auto ymin = static_cast<double>(yAxis->GetVisibleStart());
  const auto ymax = static_cast<double>(yAxis->GetVisibleEnd());
  // A window of no width (an empty or corrupt range) maps no value to a pixel.
  if (!(xmax != xmin) || !(ymax != ymin)) return;
  const PixelMapping map(plot, xmin, xmax, ymin, ymax);
  const bool drawLines = xAxis.GetDrawLines() != 0;

  // In xy mode the samples of the x-source curve supply x; a curve is never its own x.
  const int s = xAxis.GetXCurveIndex();
  const CKurveObj* xSource = s >= 0 ? measurement.GetCurve(s) : nullptr;
  if (xSource == this) return;
  const bool bar = valueMode_ == kModeBar;
  const bool xBar = xSource != nullptr && xSource->valueMode_ == kModeBar;
  auto x = static_cast<double>(xOffset_);

  const std::vector<CValueObj>& samples = DisplayedSamples();
  const platform::Pen oldPen = canvas.SelectPen(platform::Pen{color_, 0});
  bool first = true;
  for (std::size_t i = 0; i < samples.size(); ++i, x += sampleInterval_) {
    double x2 = 0.0;
    if (s >= 0) {
      x = 0.0;
      if (xSource != nullptr && i < xSource->Samples().size()) {
        const CValueObj& xs = xSource->Samples()[i];
        x = static_cast<double>(PlottedValue(xs, xSource->valueMode_, xSource->yOffset_));
        x2 = static_cast<double>(xs.maximum + xSource->yOffset_);
      }
    }
    const CValueObj& sample = samples[i];
    const auto y = static_cast<double>(PlottedValue(sample, valueMode_, yOffset_));
    const auto y2 = static_cast<double>(sample.maximum + yOffset_);

    if (s < 0) {
      if (xmin > x) continue;  // before the visible window: skip, the curve goes on
      if (x > xmax) break;     // past it: the rest of the curve is not visible
    }

    const double realX = map.X(x);
    const double realY = map.Y(y);
    const double realX2 = xBar ? map.X(x2) : realX;
    const double realY2 = bar ? map.Y(y2) : realY;
    if (AnyNaN(realX, realY, realX2, realY2)) continue;
    const int px = TruncatePixel(realX);
    const int py = TruncatePixel(realY);
    const int px2 = TruncatePixel(realX2);
    const int py2 = TruncatePixel(realY2);

    if (drawLines) {
      if (bar) {
        canvas.MoveTo(px, py);
        if (py2 == py) {
          canvas.SetPixel(px, py, color_);
        } else {
          canvas.LineTo(px, py2);
        }
      }
      if (xBar) {
        canvas.MoveTo(px, py);
        canvas.LineTo(px2, py);
      }
      if (!bar || xBar) {
        if (first) {
          canvas.MoveTo(px, py);
        } else {
          canvas.LineTo(px, py);
        }
        first = false;
      }
    } else {
      const auto pixel = [&](int atX, int atY) {
        if (plot.Contains({atX, atY})) canvas.SetPixel(atX, atY, color_);
      };
      pixel(px, py);
      if (bar) pixel(px, py2);
      if (xBar) {
        pixel(px2, py);
        if (bar) pixel(px2, py2);
      }
    }
  }
  canvas.SelectPen(oldPen);
}

}  // namespace vantrel::model
