#include <gtest/gtest.h>

#include "platform/NumberFormat.h"
#include "platform/Strings.h"

namespace vantrel::platform {
namespace {

TEST(Strings, Utf8RoundTripsEveryPlaneIncludingSurrogatePairs) {
  const std::u16string text = u"bar \u00B0C \u20AC \U0001F600 \u00DF";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"\u00B0C"),
            "\xC2\xB0"
            "C");
}

TEST(Strings, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xFF"
                     "b"),
            u"a\uFFFDb");
  EXPECT_EQ(FromUtf8("\xE2\x82"), u"\uFFFD\uFFFD");            // truncated sequence
  EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong encoding
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Strings, Cp1252MapsDegreeByteAndEuroBothWays) {
  EXPECT_EQ(FromCp1252("\xDF"
                       "C"),
            u"\u00DF"
            "C");
  EXPECT_EQ(FromCp1252("\xB0"
                       "C"),
            u"\u00B0"
            "C");
  EXPECT_EQ(FromCp1252("\x80"), u"\u20AC");
  EXPECT_EQ(FromCp1252("\x81"), u"\u0081");
  EXPECT_EQ(ToCp1252(u"\u20AC\u00FC\u4E2D"), "\x80\xFC?");
}

TEST(NumberFormat, SubstitutesTheDecimalSeparatorOnly) {
  EXPECT_EQ(FormatC("%5.2f", 2.0), " 2.00");
  EXPECT_EQ(WithDecimalSeparator(FormatC("%10.3f", -1234.5), ','), " -1234,500");
  EXPECT_EQ(FormatC16("[10e%d]", -3), u"[10e-3]");
  EXPECT_EQ(FormatC("%s", std::string(300, 'x').c_str()).size(), 300U);
}

}  // namespace
}  // namespace vantrel::platform
