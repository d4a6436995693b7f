// The SVG canvas: a well-formed document, escaped text, colours, merged polylines and the
// approximate text metrics.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/SvgCanvas.h"

namespace vantrel::platform {
namespace {

/// Checks that tags nest and close properly and that no raw '<' or '&' stands in text;
/// enough to catch broken escaping or unterminated elements.
bool IsWellFormed(const std::string& xml) {
  std::vector<std::string> open;
  std::size_t i = 0;
  while (i < xml.size()) {
    if (xml[i] == '&') {
      const std::size_t end = xml.find(';', i);
      if (end == std::string::npos || end - i > 6) return false;
      i = end + 1;
      continue;
    }
    if (xml[i] != '<') {
      ++i;
      continue;
    }
    const std::size_t end = xml.find('>', i);
    if (end == std::string::npos) return false;
    const std::string tag = xml.substr(i + 1, end - i - 1);
    if (tag.find('<') != std::string::npos) return false;
    i = end + 1;
    if (tag.front() == '?') continue;
    if (tag.front() == '/') {
      if (open.empty() || open.back() != tag.substr(1)) return false;
      open.pop_back();
    } else if (tag.back() != '/') {
      open.push_back(tag.substr(0, tag.find(' ')));
    }
  }
  return open.empty();
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(SvgCanvas, ProducesAWellFormedDocumentOfTheGivenSize) {
  SvgCanvas canvas({300, 200});
  canvas.FillRect({0, 0, 300, 200}, kWhite);
  canvas.SelectPen({MakeColor(255, 0, 0), 0});
  canvas.MoveTo(10, 10);
  canvas.LineTo(20, 30);
  canvas.SetPixel(5, 6, MakeColor(0, 0, 255));
  canvas.TextOut(40, 50, u"Druck [bar]");
  canvas.DragRect({1, 1, 5, 5}, nullptr);
  const std::string svg = canvas.Document();

  EXPECT_TRUE(IsWellFormed(svg)) << svg;
  EXPECT_EQ(svg.rfind("<?xml", 0), 0U);
  EXPECT_NE(svg.find("width=\"300\" height=\"200\""), std::string::npos);
  EXPECT_NE(svg.find("shape-rendering=\"crispEdges\""), std::string::npos);
  EXPECT_NE(svg.find("stroke=\"#ff0000\""), std::string::npos);
  EXPECT_NE(svg.find("<rect x=\"5\" y=\"6\" width=\"1\" height=\"1\" fill=\"#0000ff\"/>"),
            std::string::npos);
  EXPECT_NE(svg.find("font-family=\"Arial, Liberation Sans\""), std::string::npos);
}

TEST(SvgCanvas, EscapesTextForXml) {
  const struct {
    std::u16string text;
    std::string escaped;
  } cases[] = {
      {u"a<b & \"c\" 'd' >", "a&lt;b &amp; &quot;c&quot; &apos;d&apos; &gt;"},
      {u"\u00B0C",
       "\xC2\xB0"
       "C"},
      {u"x\x01y", "x\xEF\xBF\xBDy"},
      {u"\xD800", "\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(XmlEscape(c.text), c.escaped);
  }
  SvgCanvas canvas({10, 10});
  canvas.TextOut(0, 0, u"</text><script>&");
  EXPECT_TRUE(IsWellFormed(canvas.Document()));
}

TEST(SvgCanvas, JoinsConnectedLinesOfOnePenIntoOnePath) {
  SvgCanvas canvas({100, 100});
  canvas.MoveTo(0, 0);
  canvas.LineTo(10, 0);
  canvas.LineTo(10, 10);
  canvas.MoveTo(50, 50);
  canvas.LineTo(60, 60);
  canvas.SelectPen({MakeColor(0, 128, 0), 0});
  canvas.LineTo(70, 60);
  const std::string svg = canvas.Document();
  EXPECT_EQ(Count(svg, "<path"), 2U);
  EXPECT_NE(svg.find("d=\"M0 0L10 0L10 10M50 50L60 60\""), std::string::npos);
  EXPECT_NE(svg.find("d=\"M60 60L70 60\" fill=\"none\" stroke=\"#008000\""), std::string::npos);
}

TEST(SvgCanvas, MeasuresTextWithLiberationSansWidths) {
  SvgCanvas canvas({100, 100});
  canvas.SelectFont({u"Arial", 7});  // 9 pixels at 96 dpi
  EXPECT_EQ(canvas.TextExtent(u"X"), (Size{6, 10}));
  EXPECT_EQ(canvas.TextExtent(u" 0.00"), (Size{3 + 5 + 3 + 5 + 5, 10}));
  EXPECT_EQ(canvas.TextExtent(u"il"), (Size{4, 10}));
  EXPECT_EQ(canvas.TextExtent(u""), (Size{0, 10}));
  canvas.SelectFont({u"Arial", 2147483647});
  EXPECT_GT(canvas.TextExtent(u"X").cx, 0);
}

TEST(SvgCanvas, DrawsTextOnItsBackgroundWithTheBaselineBelowTheTop) {
  SvgCanvas canvas({100, 100});
  canvas.SelectFont({u"Arial", 7});
  canvas.SetBackgroundColor(MakeColor(1, 2, 3));
  canvas.SetTextColor(MakeColor(4, 5, 6));
  canvas.TextOut(10, 20, u"Ab");
  const std::string svg = canvas.Document();
  EXPECT_NE(svg.find("<rect x=\"10\" y=\"20\" width=\"11\" height=\"10\" fill=\"#010203\"/>"),
            std::string::npos);
  EXPECT_NE(svg.find("<text x=\"10\" y=\"28\""), std::string::npos);
  EXPECT_NE(svg.find("fill=\"#040506\">Ab</text>"), std::string::npos);
}

}  // namespace
}  // namespace vantrel::platform
