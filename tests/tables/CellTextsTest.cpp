#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "FakeTexts.h"
#include "MeasurementBuilder.h"
#include "app/MessageIds.h"
#include "platform/TimeStamp.h"
#include "tables/CellTexts.h"
#include "tables/TextConventions.h"

namespace vantrel::tables {
namespace {

struct TimeCase {
  double seconds;
  char separator;
  const char16_t* table;
  const char16_t* marker;
};

TEST(CellTexts, TimeTextsSplitHoursMinutesAndSeconds) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const TimeCase cases[] = {
      {3725.5, '.', u"01:02:05.500", u"01:02:05.500"},
      {0.0, '.', u"00:00:00.000", u"00:00:00.000"},
      {59.9996, '.', u"00:00:60.000", u"00:00:60.000"},
      {12.25, ',', u"00:00:12,250", u"00:00:12,250"},
      {36000.0, '.', u"10:00:00.000", u"10:00:00.000"},
      {nan, '.', kNoTimeText, kNoTimeText},
      {1e12, '.', kNoTimeText, kNoTimeText},
      {std::numeric_limits<double>::infinity(), '.', kNoTimeText, kNoTimeText},
  };
  for (const TimeCase& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(TableTimeText(c.seconds, c.separator), c.table);
    EXPECT_EQ(MarkerTimeText(c.seconds, c.separator), c.marker);
  }
}

TEST(CellTexts, DefaultDateTimeShowsDatesAfter2038) {
  struct Case {
    int year;
    const char16_t* text;
  };
  for (const Case& c : {Case{2023, u"24.12.2023 13:45:07"}, Case{2039, u"24.12.2039 13:45:07"},
                        Case{2069, u"24.12.2069 13:45:07"}, Case{2105, u"24.12.2105 13:45:07"}}) {
    SCOPED_TRACE(c.year);
    const std::optional<platform::TimeStamp> stamp =
        platform::LocalTimeStamp(c.year, 12, 24, 13, 45, 7);
    ASSERT_TRUE(stamp.has_value());
    EXPECT_EQ(DefaultDateTimeText(*stamp), c.text);
    EXPECT_EQ(TextConventions{}.DateTime(*stamp), c.text);
  }
}

TEST(CellTexts, ValueModeTextsFollowTheModeAndFallBackToTheMean) {
  vantrel::testing::FakeTexts texts;
  EXPECT_EQ(ValueModeText(0, texts), u"#32852");
  EXPECT_EQ(ValueModeText(1, texts), u"#32853");
  EXPECT_EQ(ValueModeText(2, texts), u"#32854");
  EXPECT_EQ(ValueModeText(3, texts), u"#32852/#32853");
  EXPECT_EQ(ValueModeText(4, texts), u"#32855");
  EXPECT_EQ(ValueModeText(9, texts), u"#32854");
}

TEST(CellTexts, DurationTextsUseSecondsMinutesOrTotalHours) {
  EXPECT_EQ(DurationText(5), u"05 s");
  EXPECT_EQ(DurationText(65), u"01:05 min");
  EXPECT_EQ(DurationText(3725), u"01:02:05 h");
  EXPECT_EQ(DurationText(25 * 3600), u"25:00:00 h");
  EXPECT_EQ(DurationText(-5), u"-05 s");
}

TEST(CellTexts, FilterCutoffTextDependsOnItsSize) {
  EXPECT_EQ(FilterCutoffText(0.0F, '.'), u"");
  EXPECT_EQ(FilterCutoffText(25.0F, ','), u"25,000 Hz");
  EXPECT_EQ(FilterCutoffText(0.0005F, '.'), u"0.000500 Hz");
}

TEST(CellTexts, TriggerTextsFollowModePercentAndTriggerChannel) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  model::CKurveObj& pressure = testing::AddNamedCurve(measurement, u"p", 0.1, {});
  pressure.SetChannelNumber(2);
  pressure.SetUnit(4, u"");
  model::CKurveObj& curve = testing::AddNamedCurve(measurement, u"q", 0.1, {});
  curve.SetTriggerMode(1);
  curve.SetTriggerLevel(12.5F);
  curve.SetTriggerChannel(2);
  curve.SetPretrigger(1.5F);
  EXPECT_EQ(TriggerModeText(curve, texts), u"#32879");
  EXPECT_EQ(TriggerLevelText(curve, measurement, texts, ','), u"12,500 #32869");
  EXPECT_EQ(PretriggerText(curve, ','), u"1,500 s");
  curve.SetTriggerChannel(7);
  EXPECT_EQ(TriggerLevelText(curve, measurement, texts, '.'), u"12.500 ???");
  curve.SetTriggerInPercent(1);
  EXPECT_EQ(TriggerLevelText(curve, measurement, texts, '.'), u"12 %");
  EXPECT_EQ(PretriggerText(curve, '.'), u"2 %");
  curve.SetOrigin(model::kOriginComputed);
  EXPECT_EQ(TriggerModeText(curve, texts), u"");
}

TEST(CellTexts, EdgeTextAppliesToLevelTriggersAndToModesTwoAndThreeWithoutPercent) {
  vantrel::testing::FakeTexts texts;
  model::CKurveObj curve;
  curve.SetTriggerEdge(1);
  const struct {
    int mode;
    int percent;
    bool has;
    const char16_t* text;
  } cases[] = {{0, 0, false, u"#32883"}, {1, 1, true, u"#32883"}, {2, 0, true, u"#32883"},
               {2, 1, false, u"#32883"}, {3, 0, true, u"#32968"}, {4, 0, false, u"#32883"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    curve.SetTriggerMode(c.mode);
    curve.SetTriggerInPercent(c.percent);
    EXPECT_EQ(HasEdgeText(curve), c.has);
    EXPECT_EQ(EdgeText(curve, ids::kStrEdgeRising, ids::kStrEdgeFalling, texts), c.text);
  }
}

}  // namespace
}  // namespace vantrel::tables
