// Text annotations: their pixel anchor, drawing, drag feedback and screen rectangle.
#include "model/CTextObj.h"

#include <algorithm>
#include <cmath>

#include "model/CMessungObj.h"

namespace vantrel::model {
namespace {

/// The annotation font. A size of 0 (also what a size that is no number reads as) asks for
/// the device's default height; any other size from a corrupt file is kept within what a
/// font can be, so the canvas never computes a pixel height that overflows.
platform::Font TextFont(int points) {
  if (points == 0) return platform::Font{u"Arial", kDefaultTextPoints};
  return platform::Font{u"Arial", std::clamp(points, 1, 1000)};
}

/// The text extent in the annotation font, the caller's font restored.
platform::Size MeasureText(platform::Canvas& canvas, const std::u16string& text, int points) {
  const platform::Font oldFont = canvas.SelectFont(TextFont(points));
  const platform::Size extent = canvas.TextExtent(text);
  canvas.SelectFont(oldFont);
  return extent;
}

}  // namespace

platform::Point AnchorOf(double p, double q, const platform::Rect& plot, const CMessungObj& m) {
  const double w = plot.right - plot.left;
  const double h = plot.bottom - plot.top;
  return {plot.left + TruncatePixel(w * m.GetXZoom() * (p - m.GetXScroll())),
          plot.top + TruncatePixel((1.0 - (q - m.GetYScroll()) * m.GetYZoom()) * h)};
}

void CTextObj::Draw(platform::Canvas& canvas, const platform::Rect& plot, const CMessungObj& m) {
  const platform::Point anchor = AnchorOf(posX_, posY_, plot, m);
  // Only the anchor decides: a text scrolled or zoomed out of the plot is not drawn.
  if (!plot.Contains(anchor)) return;
  const platform::Font oldFont = canvas.SelectFont(TextFont(fontSize_));
  canvas.TextOut(anchor.x, anchor.y, text_);
  dragRect_ = {};
  canvas.SelectFont(oldFont);
}

bool CTextObj::DragTo(double x, double y, platform::Canvas& canvas, const platform::Rect& plot,
                      const CMessungObj& m) {
  const platform::Point anchor = AnchorOf(x, y, plot, m);
  if (!plot.Contains(anchor)) return false;  // the text stays at its last place in the plot
  const platform::Size extent = MeasureText(canvas, text_, fontSize_);
  platform::Rect rect{anchor.x, anchor.y, anchor.x + extent.cx, anchor.y + extent.cy};
  rect.Normalize();
  canvas.DragRect(rect, dragRect_.IsNull() ? nullptr : &dragRect_);
  dragRect_ = rect;
  posX_ = x;
  posY_ = y;
  return true;
}

platform::Rect CTextObj::ScreenRect(platform::Canvas& canvas, const platform::Rect& plot,
                                    const CMessungObj& m) const {
  const platform::Size extent = MeasureText(canvas, text_, fontSize_);
  const platform::Point anchor = AnchorOf(posX_, posY_, plot, m);
  return {anchor.x, anchor.y, anchor.x + extent.cx, anchor.y + extent.cy};
}

}  // namespace vantrel::model
