// Painting of value axes and the x axis (ticks, labels, unit and exponent labels).
#include "model/CAchse.h"

namespace vantrel::model {

void CAchse::Draw(platform::Canvas& /*canvas*/, const platform::Rect& column, double zoom,
                  double scroll, const std::vector<platform::Color>& /*colors*/, bool /*paint*/,
                  const platform::TextSource& /*texts*/) {
  const AxisWindow window = ComputeAxisWindow(GetMin(), GetMax(), GetDivisions(), zoom, scroll,
                                              column.bottom - column.top);
  SetVisible(window.visibleStart, window.visibleEnd);
}

void CXAchse::Draw(platform::Canvas& /*canvas*/, const platform::Rect& band, double zoom,
                   double scroll, bool /*paint*/, const platform::TextSource& /*texts*/) {
  const AxisWindow window = ComputeAxisWindow(GetMin(), GetMax(), GetDivisions(), zoom, scroll,
                                              band.right - band.left);
  SetVisible(window.visibleStart, window.visibleEnd);
}

}  // namespace vantrel::model
