#include "model/CTextObj.h"

#include <cmath>

#include "model/CMessungObj.h"

namespace vantrel::model {

platform::Point AnchorOf(double p, double q, const platform::Rect& plot, const CMessungObj& m) {
  const double w = plot.right - plot.left;
  const double h = plot.bottom - plot.top;
  return {plot.left + static_cast<int>(std::trunc(w * m.GetXZoom() * (p - m.GetXScroll()))),
          plot.top + static_cast<int>(std::trunc((1.0 - (q - m.GetYScroll()) * m.GetYZoom()) * h))};
}

void CTextObj::Draw(platform::Canvas&, const platform::Rect&, const CMessungObj&) {}

bool CTextObj::DragTo(double, double, platform::Canvas&, const platform::Rect&, const CMessungObj&) {
  return false;
}

platform::Rect CTextObj::ScreenRect(platform::Canvas&, const platform::Rect&, const CMessungObj&) const {
  return {};
}

}  // namespace vantrel::model
