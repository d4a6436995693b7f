// The plain text of RTF notes for the printout, and the line wrapping of its page.
#include <gtest/gtest.h>

#include <string_view>

#include "NotesText.h"

namespace vantrel::cli {
namespace {

std::u16string Text(std::string_view bytes) {
  return NotesPlainText(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

TEST(NotesText, KeepsTheTextAndDropsFormattingAndTables) {
  struct Case {
    std::string_view rtf;
    std::u16string text;
  };
  const Case cases[] = {
      {R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}{\colortbl;\red255\green0\blue0;}\f0\fs20 Zeile 1\par Zeile 2\par})",
       u"Zeile 1\nZeile 2"},
      {R"({\rtf1{\*\generator Riched20;}Druck {\b hoch}\tab 5\line Ende})", u"Druck hoch\t5\nEnde"},
      {R"({\rtf1 Gr\'fc\'dfe \{a\} \\ x})", u"Grüße {a} \\ x"},
      {R"({\rtf1\uc1 Preis \u8364? 5\par\par})", u"Preis € 5"},
      {R"({\rtf1 unclosed {\b group)", u"unclosed group"},
      {"plain\r\nnotes\r\n", u"plain\nnotes"},
      {"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.rtf));
    EXPECT_EQ(Text(c.rtf), c.text);
  }
}

TEST(NotesText, DeepNestingNeitherCrashesNorRecurses) {
  const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}');
  EXPECT_EQ(Text(deep), u"x");
}

TEST(NotesText, WrapsAtWordsAndCutsWordsLongerThanALine) {
  const auto fitsTen = [](const std::u16string& line) { return line.size() <= 10; };
  EXPECT_EQ(WrapLines(u"eins zwei drei vier", fitsTen),
            (std::vector<std::u16string>{u"eins zwei", u"drei vier"}));
  EXPECT_EQ(WrapLines(u"abcdefghijklmnop x\n\ny", fitsTen),
            (std::vector<std::u16string>{u"abcdefghij", u"klmnop x", u"", u"y"}));
  EXPECT_EQ(WrapLines(u"", fitsTen), (std::vector<std::u16string>{u""}));
}

}  // namespace
}  // namespace vantrel::cli
