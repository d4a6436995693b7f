#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "ImportFixtures.h"
#include "document/InstrumentTextImport.h"
#include "notes/RtfReader.h"
#include "notes/RtfWriter.h"
#include "platform/Strings.h"

namespace vantrel::notes {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

RtfDocument Read(std::string_view text) { return ReadRtf(Bytes(text)); }

constexpr std::string_view kDefaultNotes =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Microsoft Sans "
    "Serif;}{\\f1\\froman\\fcharset2 Symbol;}}{\\colortbl\\red0\\green0\\blue0;}"
    "\\deflang1031\\horzdoc{\\*\\fchars }{\\*\\lchars }\\pard\\plain\\f0\\fs17 }";

TEST(RtfReader, ReadsTheDefaultNotesAsOneEmptyLineInMicrosoftSansSerif8AndAHalfPoints) {
  const RtfDocument doc = Read(kDefaultNotes);
  ASSERT_EQ(doc.paragraphs.size(), 1U);
  EXPECT_TRUE(doc.paragraphs[0].runs.empty());
  EXPECT_EQ(doc.paragraphs[0].endFormat.halfPoints, 17);
  EXPECT_EQ(doc.paragraphs[0].endFormat.font, 0);
  ASSERT_EQ(doc.fonts.size(), 2U);
  EXPECT_EQ(doc.fonts[0], (FontEntry{0, u"Microsoft Sans Serif", "fswiss", -1}));
  EXPECT_EQ(doc.fonts[1], (FontEntry{1, u"Symbol", "froman", 2}));
  ASSERT_EQ(doc.colors.size(), 1U);
  EXPECT_EQ(doc.colors[0], platform::kBlack);
  EXPECT_EQ(doc.defaultLanguage, 1031);
  EXPECT_EQ(doc.PlainText(), u"");
}

TEST(RtfReader, ReadsTheNotesOfAnInstrumentDataFileOneParagraphPerLine) {
  std::ifstream file(
      std::string(VANTREL_TEST_DATA_DIR) + "/import/instrument_two_blocks_ten_notes_lines.vqm",
      std::ios::binary);
  const std::string content((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
  ASSERT_FALSE(content.empty());
  model::CMessungObj measurement;
  ASSERT_TRUE(document::ImportInstrumentText(Bytes(content), measurement).Succeeded());
  ASSERT_TRUE(measurement.GetNotes().has_value());
  const std::vector<std::uint8_t>& notes = *measurement.GetNotes();
  // The frame of the import is kept byte for byte around the lines.
  ASSERT_EQ(document::kNotesFrame.size(), 208U);
  EXPECT_EQ(std::string(notes.begin(), notes.begin() + 207), document::kNotesFrame.substr(0, 207));

  const RtfDocument doc = ReadRtf(notes);
  ASSERT_EQ(doc.paragraphs.size(), 10U);
  for (int line = 0; line < 10; ++line) {
    SCOPED_TRACE(line);
    const Paragraph& paragraph = doc.paragraphs[static_cast<std::size_t>(line)];
    ASSERT_EQ(paragraph.runs.size(), 1U);
    EXPECT_EQ(paragraph.runs[0].text,
              u"Zeile " + platform::FromUtf8(std::to_string(line + 1)) + u" ");
    EXPECT_EQ(paragraph.runs[0].format.halfPoints, 24);
    EXPECT_EQ(doc.FindFont(paragraph.runs[0].format.font)->name, u"Microsoft Sans Serif");
  }
}

TEST(RtfReader, ReadsInstrumentNotesWithBracesAndBackslashesAsTheLinesWritten) {
  testing::InstrumentFile file;
  testing::InstrumentBlock block;
  block.samples = {"1,2,3"};
  file.blocks.push_back(block);
  file.notes = {"Ventil 3} offen",
                "Druck {ok",
                "C:\\par\\test",
                "\\ x\\",
                "{",
                "20\xB0"
                "C }",
                "n7",
                "n8",
                "\\'e4",
                "}{"};
  model::CMessungObj measurement;
  ASSERT_TRUE(document::ImportInstrumentText(testing::Bytes(file.Build()), measurement,
                                             testing::UtcSettings())
                  .Succeeded());
  const RtfDocument doc = ReadRtf(*measurement.GetNotes());
  ASSERT_EQ(doc.paragraphs.size(), file.notes.size());
  for (std::size_t line = 0; line < file.notes.size(); ++line) {
    SCOPED_TRACE(file.notes[line]);
    std::u16string text;
    for (const notes::Run& run : doc.paragraphs[line].runs) text += run.text;
    EXPECT_EQ(text, platform::FromCp1252(file.notes[line]) + u" ");
  }

  // The notes editor writes them back so that they read the same again.
  EXPECT_EQ(ReadRtf(WriteRtf(doc)), doc);
}

TEST(RtfReader, ReadsADocumentAsAnotherEditorWritesIt) {
  const RtfDocument doc = Read(
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 "
      "Calibri;}{\\f1\\fswiss\\fprq2\\fcharset0 Arial{\\*\\panose 020b0604020202020204};}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
      "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
      "\\pard\\sa200\\sl276\\slmult1\\qc\\b\\f0\\fs32\\lang7 \\'dcberschrift\\b0\\par\r\n"
      "\\pard\\sa200\\sl276\\slmult1\\cf1\\i\\fs22 rot kursiv\\cf0\\i0  und \\ul unterstrichen"
      "\\ulnone\\tab Tab\\line Zeile\\par\r\n"
      "\\qr\\f1\\cf2 Preis 5 \\u8364\\'80 \\{x\\}\\par\r\n"
      "}\r\n\0");
  ASSERT_EQ(doc.paragraphs.size(), 3U);
  EXPECT_EQ(doc.fonts[1].name, u"Arial");
  EXPECT_EQ(doc.colors.size(), 3U);
  EXPECT_FALSE(doc.colors[0].has_value());
  EXPECT_EQ(doc.colors[1], platform::MakeColor(255, 0, 0));

  const Paragraph& title = doc.paragraphs[0];
  EXPECT_EQ(title.alignment, Alignment::Center);
  ASSERT_EQ(title.runs.size(), 1U);
  EXPECT_EQ(title.runs[0].text, u"\u00DCberschrift");
  EXPECT_TRUE(title.runs[0].format.bold);
  EXPECT_EQ(title.runs[0].format.halfPoints, 32);

  const Paragraph& body = doc.paragraphs[1];
  EXPECT_EQ(body.alignment, Alignment::Left);
  ASSERT_EQ(body.runs.size(), 4U);
  EXPECT_EQ(body.runs[0].text, u"rot kursiv");
  EXPECT_TRUE(body.runs[0].format.italic);
  EXPECT_EQ(body.runs[0].format.color, 1);
  EXPECT_EQ(body.runs[1].text, u" und ");
  EXPECT_EQ(body.runs[2].text, u"unterstrichen");
  EXPECT_TRUE(body.runs[2].format.underline);
  EXPECT_EQ(body.runs[3].text, u"\tTab\u2028Zeile");

  const Paragraph& price = doc.paragraphs[2];
  EXPECT_EQ(price.alignment, Alignment::Right);
  ASSERT_EQ(price.runs.size(), 1U);
  EXPECT_EQ(price.runs[0].text, u"Preis 5 \u20AC {x}");
  EXPECT_EQ(price.runs[0].format.font, 1);
  EXPECT_EQ(price.runs[0].format.color, 2);
}

TEST(RtfReader, SkipsIgnorableAndKnownNonTextDestinationsAndUnknownWords) {
  const RtfDocument doc = Read(
      "{\\rtf1{\\*\\unknowndest hidden {nested} text}{\\info{\\author me}}"
      "{\\pict\\wmetafile8 0123abcd}\\unknownword42 shown{\\stylesheet{\\s0 Normal;}}\\par}");
  EXPECT_EQ(doc.PlainText(), u"shown");
}

TEST(RtfReader, HonoursTheFallbackCountOfUnicodeCharacters) {
  struct Case {
    std::string_view rtf;
    std::u16string text;
  };
  const Case cases[] = {
      {"{\\rtf1 \\u945?b}", u"\u03B1b"},
      {"{\\rtf1\\uc2 \\u945\\'3f\\'3fb}", u"\u03B1b"},
      {"{\\rtf1\\uc0 \\u945 b}", u"\u03B1b"},
      {"{\\rtf1 \\u-10179?\\u-8704?}", u"\U0001F600"},
      {"{\\rtf1 {\\uc1\\u945 ?}b}", u"\u03B1b"},
      {"{\\rtf1 \\u945{b}}", u"\u03B1b"},  // a group ends the fallback
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.rtf));
    EXPECT_EQ(Read(c.rtf).PlainText(), c.text);
  }
}

TEST(RtfReader, ReadsMalformedInputWithoutFailing) {
  struct Case {
    std::string_view rtf;
    std::u16string text;
  };
  const Case cases[] = {
      {"{\\rtf1 open groups {{{abc", u"open groups abc"},
      {"{\\rtf1 a}}}b", u"a"},
      {"{\\rtf1 a\\", u"a"},
      {"{\\rtf1 a\\'", u"a"},
      {"{\\rtf1 a\\'4", u"a"},
      {"{\\rtf1 a\\'zz}", u"azz"},
      {"{\\rtf1 \\fs99999999999999999999999999 big}", u"big"},
      {"{\\rtf1 \\u99999999999999?x}", u"\uFFFFx"},
      {"{\\rtf1 \\uc2147483647 \\u65 abc}", u"A"},
      {"{\\rtf1 \\f-99999999999 x}", u"x"},
      {"{\\rtf1 \\cf99999 x\\b-5 y}", u"xy"},
      {"{\\rtf1{\\fonttbl{\\f0 never closed", u""},
      {"{\\rtf1{\\colortbl\\red999\\green-4;}x}", u"x"},
      {"{\\rtf1 \\aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa1 x}", u"x"},
      {"", u""},
      {"{\\rtf", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.rtf));
    EXPECT_EQ(Read(c.rtf).PlainText(), c.text);
  }
  EXPECT_EQ(Read("{\\rtf1 \\fs99999999999999999999 big}").paragraphs[0].runs[0].format.halfPoints,
            3276);
}

TEST(RtfReader, BoundsDeepNestingAndTableSizes) {
  std::string deep = "{\\rtf1 ";
  deep += std::string(200000, '{') + "\\b deep" + std::string(200000, '}') + " after}";
  const RtfDocument nested = Read(deep);
  EXPECT_EQ(nested.PlainText(), u"deep after");

  std::string fonts = "{\\rtf1{\\fonttbl";
  for (int i = 0; i < 10000; ++i) fonts += "{\\f" + std::to_string(i) + " F;}";
  fonts += "}x}";
  EXPECT_EQ(Read(fonts).fonts.size(), kMaxTableEntries);
}

TEST(RtfReader, ReadsBytesThatAreNotRtfAsPlainTextLines) {
  const RtfDocument doc = Read("erste Zeile\r\nzweite \xE4 Zeile\n");
  ASSERT_EQ(doc.paragraphs.size(), 3U);
  EXPECT_EQ(doc.PlainText(), u"erste Zeile\nzweite \u00E4 Zeile\n");
}

}  // namespace
}  // namespace vantrel::notes
