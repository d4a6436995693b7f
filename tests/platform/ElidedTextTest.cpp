// Texts cut to a column's width with "...", measured with the recording canvas's metrics
// (at 72 dpi a 12-point character is 6 pixels wide).
#include <gtest/gtest.h>

#include "platform/ElidedText.h"
#include "platform/RecordingCanvas.h"

namespace vantrel::platform {
namespace {

TEST(ElidedText, KeepsWhatFitsAndEndsTheRestInDots) {
  RecordingCanvas canvas(72);
  canvas.SelectFont(Font{u"Arial", 12});
  struct Case {
    std::u16string text;
    int width;
    std::u16string expected;
  };
  const Case cases[] = {
      {u"Druck", 30, u"Druck"},  // exactly as wide as the column
      {u"Druck", 100, u"Druck"},
      {u"Systemdruck", 60, u"Systemd..."},  // 7 + 3 characters: 60 pixels
      {u"Systemdruck", 59, u"System..."},
      {u"Systemdruck", 20, u"..."},  // no character beside the dots
      {u"Systemdruck", 17, u""},     // not even the dots
      {u"", 0, u""},
      {u"ab\U0001F600cde", 36, u"ab..."},  // the pair is not split
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    const std::u16string elided = ElidedText(canvas, c.text, c.width);
    EXPECT_EQ(elided, c.expected);
    EXPECT_LE(canvas.TextExtent(elided).cx, std::max(c.width, 0));
  }
}

}  // namespace
}  // namespace vantrel::platform
