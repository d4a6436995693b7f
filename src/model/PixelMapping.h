// Values to pixels through the visible windows of the x axis and a value axis: the one
// mapping of every curve drawing, so that the sample-by-sample drawing and the drawing from
// curve summaries round every value alike.
#pragma once

#include "model/CAchse.h"
#include "platform/Geometry.h"

namespace vantrel::model {

class PixelMapping {
 public:
  PixelMapping(const platform::Rect& plot, double xmin, double xmax, double ymin, double ymax)
      : plot_(plot), xmin_(xmin), xmax_(xmax), ymin_(ymin), ymax_(ymax) {}

  /// The unclamped real x pixel of value x.
  double X(double x) const {
    return (x - xmin_) * (plot_.right - plot_.left) / (xmax_ - xmin_) + plot_.left;
  }
  /// The unclamped real y pixel of value y.
  double Y(double y) const {
    return plot_.bottom - (y - ymin_) * (plot_.bottom - plot_.top) / (ymax_ - ymin_);
  }
  /// The pixel column and row of a value, as the drawing truncates them.
  int PixelX(double x) const { return TruncatePixel(X(x)); }
  int PixelY(float y) const { return TruncatePixel(Y(static_cast<double>(y))); }

 private:
  platform::Rect plot_;
  double xmin_;
  double xmax_;
  double ymin_;
  double ymax_;
};

}  // namespace vantrel::model
