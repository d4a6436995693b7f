// Cutting a text to a width with the canvas's own text extents.
#include "platform/ElidedText.h"

namespace vantrel::platform {

std::u16string ElidedText(Canvas& canvas, const std::u16string& text, int width) {
  if (canvas.TextExtent(text).cx <= width) return text;
  const std::u16string ellipsis = u"...";
  if (canvas.TextExtent(ellipsis).cx > width) return {};
  // The longest beginning that fits with the ellipsis: extents grow with the length.
  std::size_t fits = 0;
  std::size_t tooLong = text.size();
  while (tooLong - fits > 1) {
    const std::size_t middle = fits + (tooLong - fits) / 2;
    if (canvas.TextExtent(text.substr(0, middle) + ellipsis).cx <= width) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  if (fits > 0 && text[fits - 1] >= 0xD800 && text[fits - 1] <= 0xDBFF) --fits;
  return text.substr(0, fits) + ellipsis;
}

}  // namespace vantrel::platform
