// The instrument data import (".vqm", ".vqg", ".vqk"): exact curve, axis and sample values,
// the notes RTF byte for byte, the unit and x-axis rules, and malformed files that must be
// read leniently and never crash.
#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <random>

#include "ImportFixtures.h"
#include "document/InstrumentTextImport.h"
#include "model/Units.h"

namespace vantrel::document {
namespace {

using testing::Bytes;
using testing::ExpectUnitOfTheFirstCurve;
using testing::InstrumentBlock;
using testing::InstrumentFile;
using testing::ReadFixture;
using testing::UnitLineCase;
using testing::UtcSettings;

constexpr const char* kFrameWithoutEnd =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Microsoft Sans Serif;}"
    "{\\f1\\froman\\fcharset2 Symbol;}}{\\colortbl\\red0\\green0\\blue0;}\\deflang1031\\horzdoc"
    "{\\*\\fchars }{\\*\\lchars }\\pard\\plain\\f0\\fs24 ";

std::string NotesOf(const model::CMessungObj& measurement) {
  const auto& notes = measurement.GetNotes();
  return notes ? std::string(notes->begin(), notes->end()) : std::string("<none>");
}

InstrumentBlock Block(std::vector<std::string> samples, std::string unit = "bar") {
  InstrumentBlock block;
  block.samples = std::move(samples);
  block.unit = std::move(unit);
  return block;
}

TEST(InstrumentTextImport, TwoBlocksAndTenNotesLinesGiveExactCurvesAxesAndNotes) {
  const std::string file = ReadFixture("instrument_two_blocks_ten_notes_lines.vqm");
  ASSERT_FALSE(file.empty());
  model::CMessungObj measurement;
  const ImportResult result = ImportInstrumentText(Bytes(file), measurement, UtcSettings());
  ASSERT_TRUE(result.Succeeded()) << result.detail;
  ASSERT_EQ(measurement.GetCurveCount(), 2);
  ASSERT_EQ(measurement.GetYAxisCount(), 2);

  const model::CKurveObj& pressure = *measurement.GetCurve(0);
  EXPECT_EQ(pressure.GetName(), u"Druck P1");
  EXPECT_EQ(pressure.GetRecordingKind(), 1);
  EXPECT_EQ(pressure.GetTriggerInPercent(), 1);
  EXPECT_EQ(pressure.GetAxisIndex(), 0);
  EXPECT_EQ(pressure.GetDrawOrder(), 1);
  EXPECT_EQ(pressure.GetValueMode(), model::kModeMean);
  EXPECT_EQ(pressure.GetOrigin(), model::kOriginMeasured);
  EXPECT_EQ(pressure.GetStartTime(), 946043100U);  // 1999-12-24 13:45:00
  EXPECT_EQ(pressure.GetPretrigger(), 5.0F);
  EXPECT_EQ(pressure.GetTriggerMode(), 1);
  EXPECT_EQ(pressure.GetTriggerLevel(), 20.0F);
  EXPECT_EQ(pressure.GetTriggerEdge(), 1);
  EXPECT_EQ(pressure.GetSensorRange(), 600.0F);
  EXPECT_EQ(pressure.GetChannelNumber(), 1);
  EXPECT_EQ(pressure.GetColor(), 255U);
  EXPECT_EQ(pressure.GetUnitCode(), model::kUnitBar);
  EXPECT_EQ(pressure.GetDuration(), 4);  // ceil(3.25)
  EXPECT_EQ(pressure.GetSampleInterval(), 4.0 / 7.0);
  EXPECT_EQ(pressure.GetPeakValue(), 4.0F);
  ASSERT_EQ(pressure.GetSampleCount(), 7);
  EXPECT_EQ(pressure.GetSample(2)->minimum, 0.5F);
  EXPECT_EQ(pressure.GetSample(2)->maximum, 4.0F);
  EXPECT_EQ(pressure.GetSample(2)->value, 0.0F);
  EXPECT_EQ(pressure.GetSample(6)->minimum, 0.75F);
  EXPECT_EQ(measurement.GetYAxis(0)->GetMax(), 400.0F);
  EXPECT_EQ(measurement.GetYAxis(0)->GetMin(), FLT_MIN);  // all minima positive

  const model::CKurveObj& temperature = *measurement.GetCurve(1);
  EXPECT_EQ(temperature.GetAxisIndex(), 1);
  EXPECT_EQ(temperature.GetDrawOrder(), 2);
  EXPECT_EQ(temperature.GetChannelNumber(), 2);
  EXPECT_EQ(temperature.GetColor(), 65280U);
  EXPECT_EQ(temperature.GetUnitCode(), model::kUnitCelsius);
  EXPECT_EQ(temperature.GetSampleCount(), 12);
  EXPECT_EQ(temperature.GetDuration(), 12);
  EXPECT_EQ(temperature.GetSampleInterval(), 1.0);
  EXPECT_EQ(temperature.GetPeakValue(), 26.0F);
  EXPECT_EQ(measurement.GetYAxis(1)->GetMax(), 150.0F);
  EXPECT_EQ(measurement.GetYAxis(1)->GetMin(), FLT_MIN);
  EXPECT_EQ(measurement.GetXAxis().GetMax(), 12.0F);
  EXPECT_EQ(measurement.GetXAxis().GetTimeUnit(), model::kTimeSeconds);

  std::string expected = kFrameWithoutEnd;
  for (int k = 1; k <= 10; ++k) expected += "Zeile " + std::to_string(k) + " \\par ";
  expected += "}";
  EXPECT_EQ(NotesOf(measurement), expected);
}

TEST(InstrumentTextImport, NotesFrameIsExactly208Characters) {
  EXPECT_EQ(kNotesFrame.size(), 208U);
  EXPECT_EQ(std::string(kNotesFrame), std::string(kFrameWithoutEnd) + "}");
}

TEST(InstrumentTextImport, AEqualsBEqualsOneMarksComputedCurvesOverACustomXUnit) {
  const std::string file = ReadFixture("instrument_computed_x_unit.vqg");
  model::CMessungObj measurement;
  ASSERT_TRUE(ImportInstrumentText(Bytes(file), measurement, UtcSettings(1234567)).Succeeded());
  ASSERT_EQ(measurement.GetCurveCount(), 1);
  const model::CKurveObj& curve = *measurement.GetCurve(0);
  EXPECT_EQ(curve.GetOrigin(), model::kOriginComputed);
  EXPECT_EQ(curve.GetStartTime(), 1234567U);
  EXPECT_EQ(curve.GetTriggerMode(), 2);  // mode code 0
  EXPECT_EQ(curve.GetChannelNumber(), 3);
  EXPECT_EQ(curve.GetColor(), 0xFF0000U);
  EXPECT_EQ(curve.GetUnitCode(), model::kUnitCustom);
  EXPECT_EQ(curve.GetUnitText(), u"%");
  EXPECT_EQ(curve.GetSampleInterval(), 10.0);
  std::u16string xText;
  EXPECT_EQ(measurement.GetXAxis().GetUnit(&xText), model::kTimeCustom);
  EXPECT_EQ(xText, u"mm");
  EXPECT_EQ(measurement.GetXAxis().GetMax(), 20.0F);
  std::string expected = kFrameWithoutEnd;
  for (int k = 1; k <= 8; ++k) expected += "N" + std::to_string(k) + " \\par ";
  EXPECT_EQ(NotesOf(measurement), expected + "}");
}

TEST(InstrumentTextImport, MissingIdentificationOrClosingLineFailsWith32956) {
  const std::string missingClosing = ReadFixture("instrument_missing_closing_line.vqk");
  InstrumentFile nineLinesThenVantrel;  // line 10 is notes text, line 11 must close
  nineLinesThenVantrel.blocks.push_back(Block({"1,2,3"}));
  nineLinesThenVantrel.notes.push_back("n9");
  const std::string cases[] = {"",
                               "vantrel\r\n",
                               " Vantrel\r\n",
                               "Online-Messung\r\n",
                               missingClosing,
                               nineLinesThenVantrel.Build()};
  for (const std::string& text : cases) {
    SCOPED_TRACE(text.substr(0, 20));
    model::CMessungObj measurement;
    EXPECT_EQ(ImportInstrumentText(Bytes(text), measurement, UtcSettings()).messageId,
              kMsgImportFailed);
  }
}

TEST(InstrumentTextImport, NotesTakeTheLineAfterTheNinthAsTextBeforeTheClosingLine) {
  InstrumentFile file;
  file.blocks.push_back(Block({"1,2,3"}));
  file.notes.push_back("n9");
  file.notes.push_back("Vantrel");
  model::CMessungObj measurement;
  ASSERT_TRUE(ImportInstrumentText(Bytes(file.Build()), measurement, UtcSettings()).Succeeded());
  const std::string notes = NotesOf(measurement);
  EXPECT_EQ(notes.substr(207),
            "n1 \\par n2 \\par n3 \\par n4 \\par n5 \\par n6 \\par n7 \\par "
            "n8 \\par n9 \\par Vantrel \\par }");
}

TEST(InstrumentTextImport, NotesKeepEightBitCharactersAsSingleBytes) {
  InstrumentFile file;
  file.blocks.push_back(Block({"1,2,3"}));
  file.notes[0] =
      "Temperatur 20\xB0"
      "C, Gr\xFC\xDF"
      "e";
  model::CMessungObj measurement;
  ASSERT_TRUE(ImportInstrumentText(Bytes(file.Build()), measurement, UtcSettings()).Succeeded());
  EXPECT_EQ(NotesOf(measurement).substr(207, 28),
            "Temperatur 20\xB0"
            "C, Gr\xFC\xDF"
            "e \\par ");
}

TEST(InstrumentTextImport, NotesEscapeBackslashesAndBracesAndKeepEveryOtherByte) {
  InstrumentFile file;
  file.blocks.push_back(Block({"1,2,3"}));
  file.notes[0] = "Ventil 3} offen";
  file.notes[1] = "Druck {ok";
  file.notes[2] = "C:\\par\\test";
  file.notes[3] = "\\ {}\xB0";
  file.notes.push_back("{n9}");  // the two lines after the eighth take the same way
  file.notes.push_back("\\n10");
  model::CMessungObj measurement;
  ASSERT_TRUE(ImportInstrumentText(Bytes(file.Build()), measurement, UtcSettings()).Succeeded());
  const std::string notes = NotesOf(measurement);
  EXPECT_EQ(notes.substr(0, 207), std::string(kFrameWithoutEnd));
  EXPECT_EQ(notes.substr(207),
            "Ventil 3\\} offen \\par Druck \\{ok \\par C:\\\\par\\\\test \\par "
            "\\\\ \\{\\}\xB0 \\par n5 \\par n6 \\par n7 \\par n8 \\par \\{n9\\} \\par "
            "\\\\n10 \\par }");
}

TEST(InstrumentTextImport, YearSixtyNineIs2069InUtcAndInLocalTime) {
  InstrumentFile file;
  file.blocks.push_back(Block({"1,2,3"}));
  file.date = "24.12.69";
  model::CMessungObj utc;
  ASSERT_TRUE(ImportInstrumentText(Bytes(file.Build()), utc, UtcSettings()).Succeeded());
  EXPECT_EQ(utc.GetCurve(0)->GetStartTime(), 3155118300U);  // 2069-12-24 13:45:00

  model::CMessungObj local;
  ASSERT_TRUE(ImportInstrumentText(Bytes(file.Build()), local, ImportSettings{}).Succeeded());
  const std::optional<std::tm> time = platform::LocalTimeOf(local.GetCurve(0)->GetStartTime());
  ASSERT_TRUE(time.has_value());
  EXPECT_EQ(time->tm_year + 1900, 2069);
  EXPECT_EQ(time->tm_mon + 1, 12);
  EXPECT_EQ(time->tm_mday, 24);
  EXPECT_EQ(time->tm_hour, 13);
  EXPECT_EQ(time->tm_min, 45);
}

TEST(InstrumentTextImport, UnitLinesMapToCodesWithTheDegreeSign) {
  const UnitLineCase cases[] = {
      {"bar", model::kUnitBar, u""},
      {"U/min", model::kUnitUPerMin, u""},
      {"l/min", model::kUnitLPerMin, u""},
      {"\xB0"
       "C",
       model::kUnitCelsius, u""},
      {"\xDF"
       "C",
       model::kUnitCustom, u"\u00DFC"},
      {"%", model::kUnitCustom, u"%"},
      {"bar ", model::kUnitCustom, u"bar "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    InstrumentFile file;
    file.blocks.push_back(Block({"1,2,3"}, c.line));
    model::CMessungObj measurement;
    ASSERT_TRUE(ImportInstrumentText(Bytes(file.Build()), measurement, UtcSettings()).Succeeded());
    ExpectUnitOfTheFirstCurve(measurement, c);
  }
}

TEST(InstrumentTextImport, XAxisTimeUnitFollowsTheDurationOfEachBlock) {
  const struct {
    std::vector<std::string> lastTimes;  // one block per entry
    int timeUnitBefore;
    int timeUnitAfter;
  } cases[] = {
      {{"17999.5"}, model::kTimeSeconds, model::kTimeHours},  // 18000 s = 5 h
      {{"17999"}, model::kTimeSeconds, model::kTimeMinutes},  // 4 h 59 min
      {{"300"}, model::kTimeSeconds, model::kTimeMinutes},    // 5 min
      {{"299"}, model::kTimeSeconds, model::kTimeSeconds},    // 4 min 59 s: unchanged
      {{"299"}, model::kTimeMinutes, model::kTimeMinutes},
      {{"17999"}, model::kTimeHours, model::kTimeHours},  // hours are never demoted
      {{"18000", "600"}, model::kTimeSeconds, model::kTimeHours},
      {{"600", "18000"}, model::kTimeSeconds, model::kTimeHours},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lastTimes.front() + " / " + std::to_string(c.lastTimes.size()));
    InstrumentFile file;
    for (const std::string& time : c.lastTimes) file.blocks.push_back(Block({time + ",1,2"}));
    model::CMessungObj measurement;
    measurement.GetXAxis().SetUnit(c.timeUnitBefore, {});
    ASSERT_TRUE(ImportInstrumentText(Bytes(file.Build()), measurement, UtcSettings()).Succeeded());
    EXPECT_EQ(measurement.GetXAxis().GetTimeUnit(), c.timeUnitAfter);
    EXPECT_EQ(
        measurement.GetXAxis().GetMax(),
        static_cast<float>(measurement.GetCurve(measurement.GetCurveCount() - 1)->GetDuration()));
  }
}

TEST(InstrumentTextImport, BlocksWithoutSamplesKeepIntervalZeroAndSkipOneLine) {
  for (const char* count : {"0", "-3", "abc"}) {
    SCOPED_TRACE(count);
    InstrumentFile file;
    file.blocks.push_back(Block({}));
    file.blocks.back().count = count;
    file.blocks.push_back(Block({"2,-1,5"}));
    model::CMessungObj measurement;
    ASSERT_TRUE(ImportInstrumentText(Bytes(file.Build()), measurement, UtcSettings()).Succeeded());
    ASSERT_EQ(measurement.GetCurveCount(), 2);
    EXPECT_EQ(measurement.GetCurve(0)->GetSampleCount(), 0);
    EXPECT_EQ(measurement.GetCurve(0)->GetSampleInterval(), 0.0);
    EXPECT_EQ(measurement.GetCurve(0)->GetDuration(), 0);
    EXPECT_EQ(measurement.GetCurve(1)->GetSampleInterval(), 2.0);
    EXPECT_EQ(measurement.GetYAxis(1)->GetMin(), -1.0F);
  }
}

TEST(InstrumentTextImport, SixteenBlocksAreReadAndASeventeenthFails) {
  for (const int blocks : {16, 17}) {
    InstrumentFile file;
    for (int k = 0; k < blocks; ++k) file.blocks.push_back(Block({"1,2,3"}));
    model::CMessungObj measurement;
    const ImportResult result =
        ImportInstrumentText(Bytes(file.Build()), measurement, UtcSettings());
    EXPECT_EQ(result.Succeeded(), blocks == 16);
    EXPECT_LE(measurement.GetCurveCount(), model::kMaxCurves);
  }
}

TEST(InstrumentTextImport, NumbersOutOfRangeSaturateInsteadOfOverflowing) {
  InstrumentFile file;
  file.trigger = "T,x,99999999999,7,-99999999999,1";
  InstrumentBlock block = Block({"1,1e400,-1e400", "1e400,nan,1e30"});
  block.channelLine = "2147483647,-1,0,1e39";
  block.sensorRange = "1e300";
  file.blocks.push_back(block);
  model::CMessungObj measurement;
  ASSERT_TRUE(ImportInstrumentText(Bytes(file.Build()), measurement, UtcSettings()).Succeeded());
  const model::CKurveObj& curve = *measurement.GetCurve(0);
  constexpr float kInf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(curve.GetPretrigger(), 2147483647.0F);
  EXPECT_EQ(curve.GetTriggerLevel(), -2147483648.0F);
  EXPECT_EQ(curve.GetTriggerMode(), 0);  // codes other than 0 and 1 keep the mode
  EXPECT_EQ(curve.GetChannelNumber(), 2147483647);
  EXPECT_EQ(curve.GetColor(), 0xFFFFFFFFU);
  EXPECT_EQ(curve.GetSensorRange(), kInf);
  EXPECT_EQ(measurement.GetYAxis(0)->GetMax(), kInf);
  EXPECT_EQ(curve.GetSample(0)->minimum, kInf);
  EXPECT_EQ(curve.GetSample(0)->maximum, -kInf);
  EXPECT_EQ(curve.GetSample(1)->minimum, 0.0F);
  EXPECT_EQ(curve.GetSample(1)->maximum, 1e30F);
  EXPECT_EQ(curve.GetDuration(), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(curve.GetPeakValue(), 1e30F);
}

TEST(InstrumentTextImport, TruncationAtEveryOffsetNeverCrashes) {
  const std::string file = ReadFixture("instrument_two_blocks_ten_notes_lines.vqm");
  for (std::size_t length = 0; length <= file.size(); ++length) {
    SCOPED_TRACE(length);
    model::CMessungObj measurement;
    const ImportResult result =
        ImportInstrumentText(Bytes(file.substr(0, length)), measurement, UtcSettings());
    // Only the complete file, or one cut inside the CR LF of its closing line, has it.
    EXPECT_EQ(result.Succeeded(), length + 2 >= file.size()) << result.detail;
    EXPECT_LE(measurement.GetCurveCount(), 2);
    for (const auto& curve : measurement.Curves()) EXPECT_LE(curve->GetSampleCount(), 12);
  }
}

TEST(InstrumentTextImport, GarbageHugeCountsAndOverlongLinesAreReadLeniently) {
  std::mt19937 random(4321);
  for (int round = 0; round < 200; ++round) {
    std::string garbage(random() % 2000, '\0');
    for (char& c : garbage) c = static_cast<char>(random() % 256);
    for (const std::string& text : {garbage, "Vantrel\n" + garbage}) {
      model::CMessungObj measurement;
      const ImportResult result = ImportInstrumentText(Bytes(text), measurement, UtcSettings());
      EXPECT_TRUE(result.Succeeded() || result.messageId == kMsgImportFailed);
    }
  }

  InstrumentFile huge;
  huge.blocks.push_back(Block({"1,2,3"}));
  huge.blocks.back().count = "2147483647";
  model::CMessungObj hugeMeasurement;
  const ImportResult hugeResult =
      ImportInstrumentText(Bytes(huge.Build()), hugeMeasurement, UtcSettings());
  EXPECT_EQ(hugeResult.messageId, kMsgImportFailed);  // the notes were read as samples
  EXPECT_LE(hugeMeasurement.GetCurve(0)->GetSampleCount(), 6 * 10);

  InstrumentFile overlong;
  overlong.blocks.push_back(Block({"1,2,3"}));
  overlong.blocks.back().name = std::string(100000, 'N');
  model::CMessungObj measurement;
  const ImportResult result =
      ImportInstrumentText(Bytes(overlong.Build()), measurement, UtcSettings());
  ASSERT_TRUE(result.Succeeded());
  EXPECT_EQ(measurement.GetCurve(0)->GetName().size(), kMaxLineLength);
  EXPECT_EQ(measurement.GetCurve(0)->GetSensorRange(), 600.0F);
  EXPECT_FALSE(result.warnings.empty());
}

}  // namespace
}  // namespace vantrel::document
