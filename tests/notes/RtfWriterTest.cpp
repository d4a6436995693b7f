#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "notes/RtfReader.h"
#include "notes/RtfWriter.h"

namespace vantrel::notes {
namespace {

std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

RtfDocument FormattedDocument() {
  RtfDocument doc;
  doc.fonts = {{0, u"Microsoft Sans Serif", "fswiss", -1}, {1, u"Courier New", "fmodern", 0}};
  doc.colors = {std::nullopt, platform::MakeColor(255, 0, 0)};
  doc.defaultLanguage = 1031;
  CharFormat plain;
  plain.halfPoints = 17;
  CharFormat bold = plain;
  bold.bold = true;
  CharFormat red = plain;
  red.color = 1;
  red.italic = true;
  red.underline = true;
  red.font = 1;
  red.halfPoints = 28;
  doc.paragraphs = {
      Paragraph{Alignment::Center, {Run{bold, u"Titel"}}, bold},
      Paragraph{
          Alignment::Left,
          {Run{plain, u"Druck "}, Run{red, u"zu hoch"}, Run{plain, u"\tum 5 \u20AC\u2028neu"}},
          plain},
      Paragraph{Alignment::Left, {}, plain},
      Paragraph{Alignment::Right, {Run{plain, u"\\ {x} \u00E4\u03B1\U0001F600"}}, plain},
      Paragraph{Alignment::Justify, {Run{red, u"Blocksatz"}}, red},
  };
  return doc;
}

TEST(RtfWriter, WritesWhatTheReaderReadsBack) {
  RtfDocument empty;
  empty.paragraphs[0].endFormat.halfPoints = 17;
  RtfDocument trailingEmptyLine;
  trailingEmptyLine.paragraphs = {Paragraph{Alignment::Left, {notes::Run{CharFormat{}, u"a"}}, {}},
                                  Paragraph{}};
  for (const RtfDocument& doc : {FormattedDocument(), empty, trailingEmptyLine}) {
    const std::vector<std::uint8_t> bytes = WriteRtf(doc);
    SCOPED_TRACE(Text(bytes));
    EXPECT_EQ(ReadRtf(bytes), doc);
    // Written again, the bytes do not change.
    EXPECT_EQ(WriteRtf(ReadRtf(bytes)), bytes);
  }
}

TEST(RtfWriter, WritesSevenBitTextWithEscapesForTheRest) {
  const std::string rtf = Text(WriteRtf(FormattedDocument()));
  EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char c) { return c > 0 && c < 0x7F; }));
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss "
                      "Microsoft Sans Serif;}{\\f1\\fmodern\\fcharset0 Courier New;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;}\\deflang1031\\pard\\plain",
                      0),
            0U);
  EXPECT_NE(rtf.find("\\tab um 5 \\'80\\line neu"), std::string::npos);
  EXPECT_NE(rtf.find("\\\\ \\{x\\} \\'e4\\u945?\\u-10179?\\u-8704?"), std::string::npos);
  EXPECT_NE(rtf.find("\\pard\\qc\\fs17\\b Titel\\par"), std::string::npos);
  EXPECT_EQ(rtf.back(), '}');
}

TEST(RtfWriter, KeepsTheDefaultNotesFrameReadableAfterAnEdit) {
  constexpr std::string_view kDefault =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Microsoft Sans "
      "Serif;}{\\f1\\froman\\fcharset2 Symbol;}}{\\colortbl\\red0\\green0\\blue0;}"
      "\\deflang1031\\horzdoc{\\*\\fchars }{\\*\\lchars }\\pard\\plain\\f0\\fs17 }";
  RtfDocument doc =
      ReadRtf(std::span(reinterpret_cast<const std::uint8_t*>(kDefault.data()), kDefault.size()));
  doc.paragraphs[0].runs.push_back(notes::Run{doc.paragraphs[0].endFormat, u"Notiz"});
  const std::string rtf = Text(WriteRtf(doc));
  EXPECT_EQ(rtf,
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Microsoft Sans "
            "Serif;}{\\f1\\froman\\fcharset2 Symbol;}}{\\colortbl\\red0\\green0\\blue0;}"
            "\\deflang1031\\pard\\plain\\fs17 Notiz\\par\r\n}");
}

}  // namespace
}  // namespace vantrel::notes
