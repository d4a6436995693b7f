// The sequential reader of instrument text files and its number and field parsing.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "ImportFixtures.h"
#include "document/TextFileReader.h"

namespace vantrel::document {
namespace {

using testing::Bytes;

TEST(TextFileReader, LinesDropControlBytesAndKeepEightBitCharacters) {
  const std::string text =
      "a\tb\rc\n\xDF"
      "C\x01\r\n\xB0"
      "C";
  TextFileReader reader(Bytes(text));
  EXPECT_EQ(reader.ReadLine(), "abc");
  EXPECT_EQ(reader.ReadLine(),
            "\xDF"
            "C");
  EXPECT_EQ(reader.ReadLine(),
            "\xB0"
            "C");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.ReadLine(), "");
  EXPECT_EQ(reader.ReadLine(), "");
}

TEST(TextFileReader, RawFieldsTakeLineEndsAsTheyAreAndStopAtTheEnd) {
  const std::string text = "1\r\nbar\r\n";
  TextFileReader reader(Bytes(text));
  EXPECT_EQ(reader.ReadRaw(3), "1\r\n");
  EXPECT_EQ(reader.ReadLine(), "bar");
  EXPECT_EQ(reader.ReadRaw(17), "");
  const std::string shortText = "12";
  TextFileReader shortReader(Bytes(shortText));
  EXPECT_EQ(shortReader.ReadRaw(17), "12");
}

TEST(TextFileReader, OverlongLinesAreCutWithoutShiftingTheNextLine) {
  const std::string text = std::string(kMaxLineLength + 100, 'x') + "\nnext\n";
  TextFileReader reader(Bytes(text));
  EXPECT_EQ(reader.ReadLine().size(), kMaxLineLength);
  EXPECT_EQ(reader.ReadLine(), "next");
  EXPECT_EQ(reader.OverlongLines(), 1U);
}

TEST(TextFileReader, IntegersFollowTheLeadingDigitsRule) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"42", 42},
      {"  -17abc", -17},
      {"+8", 8},
      {"", 0},
      {"abc", 0},
      {"-", 0},
      {"--5", 0},
      {"1e30", 1},
      {"3.9", 3},
      {"\r\n 7", 7},
      {"2147483647", 2147483647},
      {"99999999999999999999", std::numeric_limits<std::int32_t>::max()},
      {"-99999999999999999999", std::numeric_limits<std::int32_t>::min()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseInt(c.text), c.value);
  }
}

TEST(TextFileReader, DecimalsUseThePointAndReadTheLeadingNumberOnly) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"1.5", 1.5},    {" -2.5e3x", -2500.0}, {"+.25", 0.25}, {"5.", 5.0},   {"1e", 1.0},
      {"1e+", 1.0},    {"2E-2", 0.02},        {"1,5", 1.0},   {"", 0.0},     {".", 0.0},
      {"abc", 0.0},    {"inf", 0.0},          {"nan", 0.0},   {"-nan", 0.0}, {"0x10", 0.0},
      {"1e-400", 0.0}, {"0e99999", 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseDecimal(c.text), c.value);
  }
  EXPECT_EQ(ParseDecimal("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseDecimal("-123e99999999999999999999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseDecimal("0.000001e-99999999"), 0.0);
}

TEST(TextFileReader, FieldKIsTheTextAfterTheCommaBeforeIt) {
  EXPECT_EQ(Field("a,b,c", 1), "a,b,c");
  EXPECT_EQ(Field("a,b,c", 2), "b,c");
  EXPECT_EQ(Field("a,b,c", 3), "c");
  EXPECT_EQ(Field("a,b,c", 4), "");
  EXPECT_EQ(Field("", 6), "");
  EXPECT_EQ(After("24.12.99", '.'), "12.99");
  EXPECT_EQ(After("2412", '.'), "");
}

TEST(TextFileReader, ConversionsSaturateInsteadOfOverflowing) {
  EXPECT_EQ(ToFloat(1e300), std::numeric_limits<float>::infinity());
  EXPECT_EQ(ToFloat(-1e300), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(ToFloat(3.40282350e38), FLT_MAX);
  EXPECT_EQ(ToFloat(0.1), 0.1F);
  EXPECT_TRUE(std::isnan(ToFloat(std::nan(""))));
  EXPECT_EQ(CeilSeconds(3.5), 4);
  EXPECT_EQ(CeilSeconds(-3.5), -3);
  EXPECT_EQ(CeilSeconds(1e30), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(CeilSeconds(-1e30), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(CeilSeconds(std::numeric_limits<double>::infinity()),
            std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(CeilSeconds(std::nan("")), 0);
}

TEST(TextFileReader, TwoDigitYearsBelowSeventyAreThisCentury) {
  EXPECT_EQ(ExpandYear(0), 2000);
  EXPECT_EQ(ExpandYear(69), 2069);
  EXPECT_EQ(ExpandYear(70), 1970);
  EXPECT_EQ(ExpandYear(99), 1999);
}

TEST(TextFileReader, LocalTimesConvertInTheProcessTimeZoneAndRejectInvalidFields) {
  const char* previous = std::getenv("TZ");
  const std::string saved = previous != nullptr ? previous : "";
  setenv("TZ", "UTC", 1);
  tzset();
  EXPECT_EQ(LocalTimeToStamp({1999, 12, 24, 13, 45, 30}), 946043130U);
  // Unsigned 32-bit seconds: correct after 2038, clamped before 1970 and after 2106.
  EXPECT_EQ(LocalTimeToStamp({2069, 1, 1, 0, 0, 0}), 3124224000U);
  EXPECT_EQ(LocalTimeToStamp({2106, 2, 7, 6, 28, 15}), 4294967295U);
  EXPECT_EQ(LocalTimeToStamp({2107, 1, 1, 0, 0, 0}), 4294967295U);
  EXPECT_EQ(LocalTimeToStamp({1969, 12, 31, 0, 0, 0}), 0U);
  EXPECT_EQ(LocalTimeToStamp({1999, 13, 1, 0, 0, 0}), std::nullopt);
  EXPECT_EQ(LocalTimeToStamp({1999, 1, 0, 0, 0, 0}), std::nullopt);
  EXPECT_EQ(LocalTimeToStamp({1999, 1, 1, 24, 0, 0}), std::nullopt);
  EXPECT_EQ(LocalTimeToStamp({2147485547, 1, 1, 0, 0, 0}), std::nullopt);
  if (previous != nullptr) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
}  // namespace vantrel::document
