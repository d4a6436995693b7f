// Parsing of the online header formats and data records.
#include <gtest/gtest.h>

#include "OnlineStream.h"
#include "instrument/OnlineFormats.h"

namespace vantrel::instrument {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    line.push_back(c);
    if (IsCompleteLine(line)) {
      lines.push_back(line);
      line.clear();
    }
  }
  return lines;
}

TEST(OnlineFormats, FieldDateAndTimeFollowTheLabel) {
  struct Case {
    const char* line;
    std::array<int, 3> numbers;
  };
  const Case cases[] = {{"Datum      07.12.06\r\n", {7, 12, 6}},
                        {"Date 1.2.2006\r\n", {1, 2, 2006}},
                        {"Zeit       14:35:20\r\n", {14, 35, 20}},
                        {"no numbers at all here\r\n", {0, 0, 0}}};
  for (const Case& c : cases) EXPECT_EQ(FieldFormatTriple(c.line), c.numbers) << c.line;
  EXPECT_EQ(FieldFormatYear(6), 2006);
  EXPECT_EQ(FieldFormatYear(70), 2070);
  EXPECT_EQ(FieldFormatYear(99), 1999);
  EXPECT_EQ(FieldFormatYear(2006), 2006);
}

TEST(OnlineFormats, StartTimesAfter2038KeepTheirDate) {
  const OnlineHeader header = ParseFieldFormatHeader(
      {"Datum      07.12.69\r\n", "Zeit       14:35:20\r\n", "Intervall     1\r\n"});
  // The readout takes the same helper with the year its header gives.
  for (const platform::TimeStamp stamp :
       {header.startTime, LocalTimestamp(2069, 12, 7, 14, 35, 20)}) {
    const std::optional<std::tm> local = platform::LocalTimeOf(stamp);
    ASSERT_TRUE(local.has_value());
    EXPECT_EQ(local->tm_year + 1900, 2069);
    EXPECT_EQ(local->tm_mon + 1, 12);
    EXPECT_EQ(local->tm_mday, 7);
    EXPECT_EQ(local->tm_hour, 14);
    EXPECT_EQ(local->tm_min, 35);
    EXPECT_EQ(local->tm_sec, 20);
  }
  EXPECT_EQ(LocalTimestamp(2200, 1, 1, 0, 0, 0), 4294967295U) << "past 2106 the stamp saturates";
}

TEST(OnlineFormats, FieldHeaderEndsAtTheFirstTabLineFromLineFourOn) {
  EXPECT_FALSE(IsFieldHeaderEnd("Zeit\tK1\r\n", 3));
  EXPECT_TRUE(IsFieldHeaderEnd("Zeit\tK1\r\n", 5));
  EXPECT_FALSE(IsFieldHeaderEnd(" 1   bar\r\n", 5));
  // Channel lines at 3 and 4 and the TAB at line 5 give two channels.
  std::vector<std::string> lines = SplitLines(sim::FieldFormatHeader(2, "0.5"));
  lines.erase(lines.begin(), lines.begin() + 4);
  ASSERT_EQ(lines.size(), 6U);
  const OnlineHeader header = ParseFieldFormatHeader(lines);
  ASSERT_EQ(header.channels.size(), 2U);
  EXPECT_EQ(header.channels[0].unit.code, 4);
  EXPECT_EQ(header.channels[1].unit.code, 8);
  EXPECT_EQ(header.channels[1].channelNumber, 2);
  EXPECT_DOUBLE_EQ(header.sampleInterval, 0.5);
  EXPECT_EQ(header.periodSeconds, 0);
}

TEST(OnlineFormats, FieldChannelWithDashIsDerivedAndHasItsUnitThreeFurther) {
  std::vector<std::string> lines = SplitLines(sim::FieldFormatHeader(6, "2.0"));
  lines.erase(lines.begin(), lines.begin() + 4);
  const OnlineHeader header = ParseFieldFormatHeader(lines);
  ASSERT_EQ(header.channels.size(), 6U);
  EXPECT_EQ(header.channels[1].origin, 3);
  EXPECT_EQ(header.channels[1].unit.code, 8);
  EXPECT_EQ(header.channels[5].unit.code, 9);
  EXPECT_EQ(header.channels[5].unit.text, u"mbar");
  EXPECT_EQ(header.periodSeconds, 2);
}

TEST(OnlineFormats, FieldRecordReadsDecimalCommas) {
  OnlineSampleSet set;
  ParseFieldRecord("    0,5  -1,25  12.75", 1, &set);
  EXPECT_FLOAT_EQ(set.channels[0].value, 0.5F);
  EXPECT_FLOAT_EQ(set.channels[0].minimum, -1.25F);
  EXPECT_FLOAT_EQ(set.channels[0].maximum, 12.75F);
}

TEST(OnlineFormats, LineFormatHeaderSkipsShortChannelLines) {
  std::vector<std::string> all = SplitLines(sim::LineFormatHeader(2, "0.25").substr(5));
  ASSERT_EQ(all.size(), 6U);
  std::array<std::string, 6> lines;
  std::copy(all.begin(), all.end(), lines.begin());
  const OnlineHeader header = ParseLineFormatHeader(lines);
  ASSERT_EQ(header.channels.size(), 2U);
  EXPECT_EQ(header.channels[0].channelNumber, 1);
  EXPECT_EQ(header.channels[0].unit.code, 4);
  EXPECT_EQ(header.channels[1].unit.code, 8);
  EXPECT_DOUBLE_EQ(header.sampleInterval, 0.25);
}

TEST(OnlineFormats, LineFormatUnitsSitAtTheirColumns) {
  struct Case {
    const char* line;
    int code;
    const char16_t* text;
  };
  const Case cases[] = {{"K1  bar\r\n", 4, u""},
                        {"K1  PSI\r\n", 3, u""},
                        {"K1 GPM\r\n", 7, u""},
                        {"K1  \xDF"
                         "F\r\n",
                         6, u""},
                        {"K1 tr/min\r\n", 2, u""},
                        {"K1 RPM\r\n", 0, u""},
                        {"K1 mmHg\r\n", model::kUnitCustom, u"mmHg"},
                        {"K1 bar\r\n", model::kUnitCustom, u"bar"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const UnitSetting unit = LineFormatUnit(c.line);
    EXPECT_EQ(unit.code, c.code);
    EXPECT_EQ(unit.text, c.text);
  }
}

TEST(OnlineFormats, LineRecordShorterThanItsChannelsIsRefused) {
  OnlineSampleSet set;
  const std::string line = sim::LineFormatRecord(sim::CountingSet(2, 42));
  ASSERT_TRUE(ParseLineRecord(line, 2, &set));
  EXPECT_EQ(set.channels[1].value, 42.0F);
  EXPECT_EQ(set.channels[1].maximum, 43.0F);
  EXPECT_EQ(set.channels[1].minimum, 1.5F);
  EXPECT_FALSE(ParseLineRecord(line.substr(0, 30), 2, &set));
}

}  // namespace
}  // namespace vantrel::instrument
