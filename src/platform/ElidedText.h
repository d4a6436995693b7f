// Texts cut to the width of a column: a text longer than its column ends in "..." instead of
// running into the next one, on screen and on paper alike.
#pragma once

#include <string>

#include "platform/Canvas.h"

namespace vantrel::platform {

/// `text` as it fits into `width` pixels in the canvas's current font: the whole text when
/// it fits, else its longest beginning followed by "..." (just "..." when no character fits
/// beside it, nothing when not even "..." fits). A character pair (UTF-16 surrogates) is
/// never split.
std::u16string ElidedText(Canvas& canvas, const std::u16string& text, int width);

}  // namespace vantrel::platform
