#include <gtest/gtest.h>

#include <algorithm>

#include "ImportFixtures.h"
#include "document/InstrumentTextImport.h"
#include "notes/NotesLayout.h"
#include "notes/NotesPrinter.h"
#include "notes/RtfWriter.h"
#include "platform/RecordingCanvas.h"

namespace vantrel::notes {
namespace {

using platform::RecordingCanvas;

// 72 dpi: a 12-point font is 12 pixels high and every character 6 pixels wide.
constexpr int kDpi = 72;

RtfDocument Lines(std::vector<std::u16string> texts, Alignment alignment = Alignment::Left) {
  RtfDocument doc;
  doc.fonts = {{0, u"Arial", "fswiss", -1}};
  doc.paragraphs.clear();
  for (std::u16string& text : texts) {
    Paragraph paragraph;
    paragraph.alignment = alignment;
    if (!text.empty()) paragraph.runs.push_back(Run{CharFormat{}, std::move(text)});
    doc.paragraphs.push_back(std::move(paragraph));
  }
  return doc;
}

TEST(NotesPrinter, KeepsTheMarginsOfTheNotesPage) {
  const RecordingCanvas canvas(600, {6600, 5100}, true);
  // 1700 twips at 600 dpi are 708 pixels; top and bottom one inch.
  EXPECT_EQ(NotesTextArea(canvas), (platform::Rect{708, 600, 6600 - 708, 5100 - 600}));
}

TEST(NotesPrinter, EndsTheLinesAtTheEditorsWidthWhenItIsNarrowerThanThePage) {
  // 600 dpi, a page 11 inches (15840 twips) wide: the page's right edge is 15840 - 1700
  // twips = 6600 - 708 pixels.
  const RecordingCanvas canvas(600, {6600, 5100}, true);
  struct Case {
    int editorTwips;
    int right;
  };
  const Case cases[] = {
      {kNoEditorWidth, 6600 - 708},
      {9000, 3750},         // 6.25 inches: the editor's edge
      {14160, 6600 - 708},  // a little wider than the page's margin
      {20000, 6600 - 708},  // wider than the page: the page's margin
      {1000, 709},          // narrower than the left margin: one pixel column
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.editorTwips);
    const platform::Rect area = NotesTextArea(canvas, c.editorTwips);
    EXPECT_EQ(area, (platform::Rect{708, 600, c.right, 5100 - 600}));
  }
}

TEST(NotesPrinter, WrapsAtTheEditorsWidth) {
  RecordingCanvas wide(kDpi, {1000, 1000}, true);
  RecordingCanvas narrow(kDpi, {1000, 1000}, true);
  std::u16string words;
  for (int i = 0; i < 60; ++i) words += u"word ";
  const RtfDocument doc = Lines({words});
  ASSERT_EQ(PrintNotes(wide, doc, {}), 1);
  // An editor 5 inches wide: the right edge at 360 pixels, 275 pixels of text.
  ASSERT_EQ(PrintNotes(narrow, doc, {}, 5 * 1440), 1);
  const auto rightmost = [](const RecordingCanvas& canvas) {
    int right = 0;
    for (const auto& call : canvas.CallsOf(RecordingCanvas::Op::TextOut)) {
      right = std::max(right, call.x + static_cast<int>(call.text.size()) * 6);
    }
    return right;
  };
  EXPECT_LE(rightmost(narrow), 360);
  EXPECT_GT(rightmost(wide), 360);
}

TEST(NotesPrinter, WrapsWordsInsideTheTextAreaAndPlacesLinesByAlignment) {
  RecordingCanvas canvas(kDpi, {1000, 1000}, true);
  const platform::Rect area = NotesTextArea(canvas);
  ASSERT_EQ(area, (platform::Rect{85, 72, 915, 928}));
  const int perLine = area.Width() / 6;  // characters of one line
  std::u16string words;
  for (int i = 0; i < 40; ++i) words += u"word ";
  const std::vector<LaidOutLine> lines = LayOutNotes(canvas, Lines({words}), area.Width());
  ASSERT_GT(lines.size(), 1U);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LaidOutLine& line = lines[i];
    ASSERT_EQ(line.pieces.size(), 1U);
    EXPECT_LE(line.pieces[0].width, area.Width());
    // Every line but the last is filled up to the last word that fits; no blank at its end.
    if (i + 1 < lines.size()) {
      EXPECT_GT(line.pieces[0].text.size() + 5, static_cast<std::size_t>(perLine));
    }
    EXPECT_NE(line.pieces[0].text.back(), u' ');
  }

  struct Case {
    Alignment alignment;
    int x;
  };
  for (const Case& c : {Case{Alignment::Left, 0}, Case{Alignment::Center, (area.Width() - 18) / 2},
                        Case{Alignment::Right, area.Width() - 18}, Case{Alignment::Justify, 0}}) {
    const std::vector<LaidOutLine> one =
        LayOutNotes(canvas, Lines({u"abc"}, c.alignment), area.Width());
    ASSERT_EQ(one.size(), 1U);
    EXPECT_EQ(one[0].pieces[0].x, c.x);
  }
}

TEST(NotesPrinter, SplitsAWordWiderThanTheLineAndAdvancesTabsByHalfAnInch) {
  RecordingCanvas canvas(kDpi, {1000, 1000}, true);
  const std::vector<LaidOutLine> split =
      LayOutNotes(canvas, Lines({std::u16string(100, u'x')}), 60);
  ASSERT_EQ(split.size(), 10U);
  for (const LaidOutLine& line : split) EXPECT_EQ(line.pieces[0].text.size(), 10U);

  const std::vector<LaidOutLine> tabs = LayOutNotes(canvas, Lines({u"a\tb"}), 500);
  ASSERT_EQ(tabs[0].pieces.size(), 2U);
  EXPECT_EQ(tabs[0].pieces[1].x, 36);  // 720 twips at 72 dpi
  const std::vector<LaidOutLine> breaks = LayOutNotes(canvas, Lines({u"a\u2028b", u"", u"c"}), 500);
  EXPECT_EQ(breaks.size(), 4U);
  EXPECT_EQ(breaks[2].height, 12);  // an empty line keeps the height of its font
}

TEST(NotesPrinter, ContinuesOnFurtherSheetsWhenTheNotesDoNotFit) {
  RecordingCanvas canvas(kDpi, {1000, 1000}, true);
  // 856 pixels of text height hold 71 lines of 12 pixels.
  std::vector<std::u16string> texts(150, u"Zeile");
  int sheets = 0;
  const int printed = PrintNotes(canvas, Lines(texts), [&] { ++sheets; });
  EXPECT_EQ(printed, 3);
  EXPECT_EQ(sheets, 2);
  const auto drawn = canvas.CallsOf(RecordingCanvas::Op::TextOut);
  ASSERT_EQ(drawn.size(), 150U);
  EXPECT_EQ(drawn[0].x, 85);
  EXPECT_EQ(drawn[0].y, 72);
  EXPECT_EQ(drawn[70].y, 72 + 70 * 12);
  EXPECT_EQ(drawn[71].y, 72);  // the first line of the second sheet
}

TEST(NotesPrinter, PrintsNothingForNotesWithoutText) {
  RecordingCanvas canvas(kDpi, {1000, 1000}, true);
  model::CMessungObj measurement;
  EXPECT_EQ(PrintNotesPage(canvas, measurement, {}), 0);
  measurement.SetNotes(WriteRtf(RtfDocument{}));
  EXPECT_EQ(PrintNotesPage(canvas, measurement, {}), 0);
  EXPECT_TRUE(canvas.Calls().empty());
}

TEST(NotesPrinter, PrintsInstrumentNotesWithBracesAndBackslashesAsTheirText) {
  testing::InstrumentFile file;
  testing::InstrumentBlock block;
  block.samples = {"1,2,3"};
  file.blocks.push_back(block);
  file.notes = {"Ventil}", "{ok", "C:\\par\\test", "n4", "n5", "n6", "n7", "n8"};
  model::CMessungObj measurement;
  ASSERT_TRUE(document::ImportInstrumentText(testing::Bytes(file.Build()), measurement,
                                             testing::UtcSettings())
                  .Succeeded());
  RecordingCanvas canvas(kDpi, {1000, 1000}, true);
  EXPECT_EQ(PrintNotesPage(canvas, measurement, {}), 1);
  const std::vector<std::u16string> drawn = canvas.Texts();
  ASSERT_EQ(drawn.size(), 8U) << "one line per notes line, none lost";
  EXPECT_EQ(drawn[0], u"Ventil}");
  EXPECT_EQ(drawn[1], u"{ok");
  EXPECT_EQ(drawn[2], u"C:\\par\\test");
  EXPECT_EQ(drawn[7], u"n8");
}

TEST(NotesPrinter, DrawsFormatsWithTheirFontColourAndUnderline) {
  RecordingCanvas canvas(kDpi, {1000, 1000}, true);
  RtfDocument doc = Lines({u""});
  doc.colors = {platform::MakeColor(0, 0, 255)};
  CharFormat format;
  format.bold = true;
  format.underline = true;
  format.halfPoints = 17;
  doc.paragraphs[0].runs.push_back(notes::Run{format, u"fett"});
  EXPECT_EQ(PrintNotes(canvas, doc, {}), 1);
  const RecordingCanvas::Call* text = canvas.FindText(u"fett");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->font, (platform::Font{u"Arial", 9, true, false}));
  EXPECT_EQ(text->color, platform::MakeColor(0, 0, 255));
  EXPECT_EQ(canvas.CallsOf(RecordingCanvas::Op::LineTo).size(), 1U);
}

}  // namespace
}  // namespace vantrel::notes
