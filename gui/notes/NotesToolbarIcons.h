// The image strip of the notes editor's toolbar: ten images of 17 x 16 pixels, in order
// open, align left, centre, align right, font, cut, copy, paste, save, store. Drawn here
// rather than loaded, so they are crisp at every scale.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace vantrel::gui {

inline constexpr int kNotesImageWidth = 17;
inline constexpr int kNotesImageHeight = 16;
inline constexpr int kNotesImageCount = 10;

/// The whole strip, images side by side.
QPixmap NotesToolbarStrip();
/// Image `index` of the strip.
QIcon NotesToolbarIcon(int index);

}  // namespace vantrel::gui
