// Line annotations: drawing from the start point over the extent, and the hit rectangle.
#include "model/CLineObj.h"

#include "model/CMessungObj.h"

namespace vantrel::model {

void CLineObj::Draw(platform::Canvas& canvas, const platform::Rect& plot,
                    const CMessungObj& m) const {
  const double w = plot.right - plot.left;
  const double h = plot.bottom - plot.top;
  const int x1 = plot.left + TruncatePixel(w * m.GetXZoom() * (posX_ - m.GetXScroll()));
  const int y1 = TruncatePixel(plot.bottom - (posY_ - m.GetYScroll()) * m.GetYZoom() * h);
  const int x2 = x1 + TruncatePixel(dx_ * w * m.GetXZoom());
  const int y2 = y1 + TruncatePixel(-(dy_ * m.GetYZoom()) * h);
  const platform::Pen oldPen = canvas.SelectPen(platform::Pen{platform::kBlack, 0});
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
  canvas.SelectPen(oldPen);
}

platform::Rect CLineObj::HitRect(const platform::Rect& plot, const CMessungObj& m) const {
  const double w = plot.right - plot.left;
  const double h = plot.bottom - plot.top;
  // Grown by 2 pixels on each side for a line drawn right and down; the same formulas
  // shrink the box on an axis along which the line runs left or up.
  platform::Rect rect;
  rect.left = plot.left + TruncatePixel(w * m.GetXZoom() * (posX_ - m.GetXScroll())) - 2;
  rect.right = rect.left + TruncatePixel(w * m.GetXZoom() * dx_) + 4;
  rect.top = plot.top + TruncatePixel((1.0 - (posY_ - m.GetYScroll()) * m.GetYZoom()) * h) - 2;
  rect.bottom = rect.top + TruncatePixel(-(dy_ * m.GetYZoom()) * h) + 4;
  rect.Normalize();
  return rect;
}

}  // namespace vantrel::model
