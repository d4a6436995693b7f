// The online-recording import (".vqo"): exact values of curves, axes and samples, the unit
// and x-axis rules, and malformed files that must be read leniently and never crash.
#include <gtest/gtest.h>

#include <cfloat>
#include <random>

#include "ImportFixtures.h"
#include "document/OnlineTextImport.h"
#include "model/Units.h"

namespace vantrel::document {
namespace {

using testing::Bytes;
using testing::ExpectUnitOfTheFirstCurve;
using testing::OnlineChannel;
using testing::OnlineFile;
using testing::ReadFixture;
using testing::UnitLineCase;
using testing::UtcSettings;

float Scaled(int count) { return static_cast<float>(count * (3000.0 / 65536.0)); }

OnlineChannel Channel(std::string unit, int samples) {
  OnlineChannel channel{std::move(unit), {}};
  for (int j = 0; j < samples; ++j) channel.samples.push_back({j, j - 1, j + 1});
  return channel;
}

TEST(OnlineTextImport, SlotTwoAloneGivesOneCurveWithChannelTwoOnOneAxis) {
  const std::string file = ReadFixture("online_slot2_only.vqo");
  ASSERT_FALSE(file.empty());
  model::CMessungObj measurement;
  const ImportResult result = ImportOnlineText(Bytes(file), measurement, UtcSettings());
  ASSERT_TRUE(result.Succeeded()) << result.detail;
  ASSERT_EQ(measurement.GetCurveCount(), 1);
  ASSERT_EQ(measurement.GetYAxisCount(), 1);
  const model::CKurveObj& curve = *measurement.GetCurve(0);
  EXPECT_EQ(curve.GetChannelNumber(), 2);
  EXPECT_EQ(curve.GetAxisIndex(), 0);
  EXPECT_EQ(curve.GetTriggerInPercent(), 1);
  EXPECT_EQ(curve.GetDrawOrder(), 0);
  EXPECT_EQ(curve.GetColor(), 0x0000FFU);
  EXPECT_EQ(curve.GetValueMode(), model::kModeValue);
  EXPECT_EQ(curve.GetRecordingKind(), 0);
  EXPECT_EQ(curve.GetStartTime(), 946043130U);  // 1999-12-24 13:45:30
  EXPECT_EQ(curve.GetSampleInterval(), 0.5);
  EXPECT_EQ(curve.GetDuration(), 4);  // ceil(7 x 0.5)
  EXPECT_EQ(curve.GetUnitCode(), model::kUnitCelsius);

  const int expected[7][3] = {{100, 90, 110},  {200, 190, 210}, {300, 290, 310}, {400, -20, 410},
                              {500, 490, 510}, {600, 590, 610}, {700, 690, 700}};
  ASSERT_EQ(curve.GetSampleCount(), 7);
  for (int j = 0; j < 7; ++j) {
    SCOPED_TRACE(j);
    EXPECT_EQ(curve.GetSample(j)->value, Scaled(expected[j][0]));
    EXPECT_EQ(curve.GetSample(j)->minimum, Scaled(expected[j][1]));
    EXPECT_EQ(curve.GetSample(j)->maximum, Scaled(expected[j][2]));
  }
  EXPECT_EQ(Scaled(700), 32.04345703125F);
  EXPECT_EQ(curve.GetPeakValue(), Scaled(700));

  const model::CAchse& axis = *measurement.GetYAxis(0);
  EXPECT_EQ(axis.GetMax(), 3000.0F);
  EXPECT_EQ(axis.GetMin(), Scaled(-20));
  EXPECT_EQ(axis.GetUnit(nullptr), model::kUnitCelsius);
  EXPECT_EQ(measurement.GetXAxis().GetMax(), 4.0F);
  EXPECT_EQ(measurement.GetXAxis().GetTimeUnit(), model::kTimeSeconds);
}

TEST(OnlineTextImport, ThreeChannelsGetOneAxisEachAndTheirOwnMinimaAndPeaks) {
  const std::string file = ReadFixture("online_three_channels.vqo");
  model::CMessungObj measurement;
  ASSERT_TRUE(ImportOnlineText(Bytes(file), measurement, UtcSettings()).Succeeded());
  ASSERT_EQ(measurement.GetCurveCount(), 3);
  ASSERT_EQ(measurement.GetYAxisCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(measurement.GetCurve(i)->GetAxisIndex(), i);
    EXPECT_EQ(measurement.GetCurve(i)->GetChannelNumber(), i + 1);
    EXPECT_EQ(measurement.GetCurve(i)->GetStartTime(), 1107245350U);  // 2005-02-01 08:09:10
    EXPECT_EQ(measurement.GetYAxis(i)->GetMax(), 2000.0F);
  }
  // A minimum of exactly 0 is below the start value, all-positive minima keep it, so the
  // axis starts at zero; negative minima lower it.
  EXPECT_EQ(measurement.GetYAxis(0)->GetMin(), 0.0F);
  EXPECT_EQ(measurement.GetYAxis(1)->GetMin(), FLT_MIN);
  EXPECT_EQ(measurement.GetYAxis(2)->GetMin(), Scaled(-6));
  EXPECT_EQ(measurement.GetCurve(0)->GetPeakValue(), Scaled(6));
  EXPECT_EQ(measurement.GetCurve(1)->GetPeakValue(), Scaled(31));
  // Every maximum of channel 3 is at most 0: the peak stays at its start value 0.
  EXPECT_EQ(measurement.GetCurve(2)->GetPeakValue(), 0.0F);
}

TEST(OnlineTextImport, MissingIdentificationLinesFailWith32956) {
  const char* cases[] = {"",
                         "vantrel\r\nOnline-Messung\r\n",
                         "Vantrel \r\nOnline-Messung\r\n",
                         "Vantrel\r\nOnline-messung\r\n",
                         "Vantrel\r\n",
                         "Online-Messung\r\n"};
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    model::CMessungObj measurement;
    const ImportResult result = ImportOnlineText(Bytes(text), measurement, UtcSettings());
    EXPECT_EQ(result.messageId, kMsgImportFailed);
    EXPECT_EQ(measurement.GetCurveCount(), 0);
  }
}

TEST(OnlineTextImport, UnitLinesMapToCodesWithTheSharpSAsDegreeSign) {
  const UnitLineCase cases[] = {
      {"bar", model::kUnitBar, u""},
      {"U/min", model::kUnitUPerMin, u""},
      {"l/min", model::kUnitLPerMin, u""},
      {"\xDF"
       "C",
       model::kUnitCelsius, u""},
      {"\xB0"
       "C",
       model::kUnitCustom, u"\u00B0C"},
      {"%", model::kUnitCustom, u"%"},
      {"BAR", model::kUnitCustom, u"BAR"},
      {"", model::kUnitCustom, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    OnlineFile file;
    file.slots[0] = Channel(c.line, 1);
    model::CMessungObj measurement;
    ASSERT_TRUE(ImportOnlineText(Bytes(file.Build()), measurement, UtcSettings()).Succeeded());
    ExpectUnitOfTheFirstCurve(measurement, c);
  }
}

TEST(OnlineTextImport, XAxisRangeAndTimeUnitFollowTheDuration) {
  const struct {
    int samples;
    int timeUnitBefore;
    float rangeMax;
    int timeUnitAfter;
  } cases[] = {
      {240, model::kTimeSeconds, 240.0F, model::kTimeSeconds},  // 4 minutes: seconds
      {400, model::kTimeSeconds, 400.0F, model::kTimeMinutes},  // 6 minutes: minutes
      {4000, model::kTimeSeconds, 4000.0F, model::kTimeMinutes},
      {4000, model::kTimeHours, 4000.0F, model::kTimeSeconds},
      {200, model::kTimeMinutes, 200.0F, model::kTimeSeconds},
      // Beyond four hours the range stays in seconds and the time unit is kept.
      {20000, model::kTimeSeconds, 20000.0F, model::kTimeSeconds},
      {20000, model::kTimeMinutes, 20000.0F, model::kTimeMinutes},
      {0, model::kTimeMinutes, 0.0F, model::kTimeSeconds},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.samples) + " samples, unit " + std::to_string(c.timeUnitBefore));
    OnlineFile file;
    file.slots[1] = Channel("bar", c.samples);
    file.count = std::to_string(c.samples);
    model::CMessungObj measurement;
    measurement.GetXAxis().SetUnit(c.timeUnitBefore, {});
    ASSERT_TRUE(ImportOnlineText(Bytes(file.Build()), measurement, UtcSettings()).Succeeded());
    EXPECT_EQ(measurement.GetCurve(0)->GetSampleCount(), c.samples);
    EXPECT_EQ(measurement.GetCurve(0)->GetDuration(), c.samples);
    EXPECT_EQ(measurement.GetXAxis().GetMax(), c.rangeMax);
    EXPECT_EQ(measurement.GetXAxis().GetTimeUnit(), c.timeUnitAfter);
  }
}

TEST(OnlineTextImport, TwoDigitYearsBelow70AreAfter2000AndPast2038) {
  const struct {
    const char* date;
    platform::TimeStamp stamp;
  } cases[] = {
      {"D:24 M:12 Y:99 \r\n", 946043130U},   // 1999-12-24 13:45:30 UTC
      {"D:24 M:12 Y:39 \r\n", 2208347130U},  // 2039
      {"D:24 M:12 Y:69 \r\n", 3155118330U},  // 2069
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.date);
    OnlineFile file;
    file.date = c.date;
    file.slots[0] = Channel("bar", 2);
    model::CMessungObj measurement;
    ASSERT_TRUE(ImportOnlineText(Bytes(file.Build()), measurement, UtcSettings()).Succeeded());
    EXPECT_EQ(measurement.GetCurve(0)->GetStartTime(), c.stamp);
  }
}

TEST(OnlineTextImport, InvalidDatesGiveStartTimeZeroWithAWarning) {
  OnlineFile file;
  file.date = "D:31 M:13 Y:99 \r\n";
  file.slots[0] = Channel("bar", 2);
  model::CMessungObj measurement;
  const ImportResult result = ImportOnlineText(Bytes(file.Build()), measurement, UtcSettings());
  ASSERT_TRUE(result.Succeeded());
  EXPECT_EQ(measurement.GetCurve(0)->GetStartTime(), 0U);
  EXPECT_FALSE(result.warnings.empty());
}

TEST(OnlineTextImport, CountsTheFileCannotHoldEndWithTheFileInsteadOfAllocating) {
  const struct {
    const char* count;
    long long samples;
    int duration;
  } cases[] = {
      // Samples end with the file (three written, two empty slot lines of five each);
      // the duration saturates.
      {"2147483647", 15, 2147483647},
      {"99999999999999999999", 15, 2147483647},
      {"-5", 0, 0},    // negative counts read as 0
      {"1e30", 1, 1},  // the integer ends at "e"
      {"nan", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    OnlineFile file;
    file.slots[0] = Channel("bar", 3);
    file.count = c.count;
    model::CMessungObj measurement;
    const ImportResult result = ImportOnlineText(Bytes(file.Build()), measurement, UtcSettings());
    ASSERT_TRUE(result.Succeeded());
    ASSERT_GE(measurement.GetCurveCount(), 1);
    EXPECT_EQ(measurement.GetCurve(0)->GetSampleCount(), c.samples);
    EXPECT_EQ(measurement.GetCurve(0)->GetDuration(), c.duration);
  }
}

TEST(OnlineTextImport, ShortSampleLinesReadMissingNumbersAsZero) {
  OnlineFile file;
  file.slots[2] = Channel("bar", 0);  // the last slot: its samples end the file
  file.count = "3";
  std::string text = file.Build() + "100,90\r\n";
  model::CMessungObj measurement;
  ASSERT_TRUE(ImportOnlineText(Bytes(text), measurement, UtcSettings()).Succeeded());
  const model::CKurveObj& curve = *measurement.GetCurve(0);
  ASSERT_EQ(curve.GetSampleCount(), 3);
  EXPECT_EQ(curve.GetSample(0)->value, Scaled(100));
  EXPECT_EQ(curve.GetSample(0)->minimum, Scaled(90));
  EXPECT_EQ(curve.GetSample(0)->maximum, 0.0F);
  EXPECT_EQ(curve.GetSample(2)->value, 0.0F);
}

TEST(OnlineTextImport, TruncationAtEveryOffsetNeverCrashes) {
  const std::string file = ReadFixture("online_three_channels.vqo");
  for (std::size_t length = 0; length <= file.size(); ++length) {
    SCOPED_TRACE(length);
    model::CMessungObj measurement;
    const ImportResult result =
        ImportOnlineText(Bytes(file.substr(0, length)), measurement, UtcSettings());
    EXPECT_TRUE(result.Succeeded() || result.messageId == kMsgImportFailed);
    EXPECT_LE(measurement.GetCurveCount(), 3);
    for (const auto& curve : measurement.Curves()) EXPECT_LE(curve->GetSampleCount(), 3);
  }
}

TEST(OnlineTextImport, GarbageAndOverlongLinesAreReadLeniently) {
  std::mt19937 random(1234);
  const std::string header = "Vantrel\nOnline-Messung\n";
  for (int round = 0; round < 200; ++round) {
    std::string garbage(random() % 2000, '\0');
    for (char& c : garbage) c = static_cast<char>(random() % 256);
    for (const std::string& text : {garbage, header + garbage}) {
      model::CMessungObj measurement;
      const ImportResult result = ImportOnlineText(Bytes(text), measurement, UtcSettings());
      EXPECT_TRUE(result.Succeeded() || result.messageId == kMsgImportFailed);
      EXPECT_LE(measurement.GetCurveCount(), 3);
    }
  }
  OnlineFile file;
  file.slots[0] = Channel(std::string(100000, 'u'), 2);
  model::CMessungObj measurement;
  const ImportResult result = ImportOnlineText(Bytes(file.Build()), measurement, UtcSettings());
  ASSERT_TRUE(result.Succeeded());
  EXPECT_EQ(measurement.GetCurve(0)->GetUnitText().size(), kMaxLineLength);
  EXPECT_EQ(measurement.GetCurve(0)->GetSample(1)->value, Scaled(1));
  EXPECT_FALSE(result.warnings.empty());
}

}  // namespace
}  // namespace vantrel::document
