#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ExpectMessage.h"
#include "FakeTexts.h"
#include "MeasurementBuilder.h"
#include "TempFolder.h"
#include "platform/Error.h"
#include "platform/FileErrors.h"
#include "tables/CsvExport.h"

namespace vantrel::tables {
namespace {

namespace fs = std::filesystem;

TextConventions GermanConventions() {
  TextConventions conventions;
  conventions.decimalSeparator = ',';
  conventions.dateTime = [](platform::TimeStamp) { return std::u16string(u"D"); };
  return conventions;
}

// A level-triggered pressure curve of 3 samples and a formula curve of 5 samples.
void FillMeasurement(model::CMessungObj& measurement) {
  measurement.SetName(u"M\u00e4ss", -1);
  model::CKurveObj& pressure = testing::AddNamedCurve(measurement, u"Druck", 0.5, testing::Ramp(3));
  pressure.SetUnit(4, u"");
  pressure.SetChannelNumber(1);
  pressure.SetDuration(2);
  pressure.SetTriggerMode(1);
  pressure.SetTriggerChannel(1);
  pressure.SetTriggerLevel(10.0F);
  pressure.SetTriggerEdge(1);
  pressure.SetPretrigger(0.5F);
  model::CKurveObj& formula =
      testing::AddNamedCurve(measurement, u"Fl\u00fcss", 0.25, testing::Ramp(5));
  formula.SetOrigin(model::kOriginComputed);
  formula.SetUnit(model::kUnitCustom, u"%");
  formula.SetDuration(1);
  formula.SetTriggerMode(2);
  formula.SetTriggerInPercent(1);
  formula.SetPretrigger(50.0F);
}

const char kHyphens[] = "-------------------------------------------------------------";

TEST(CsvExport, WritesTheExactBytesOfASmallMeasurement) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  FillMeasurement(measurement);
  const std::string h = kHyphens;
  const std::string expected =
      "#32906M\xE4ss;;;;;;;;;\n" + h +
      ";;;;;;;;;\n"
      "#32912 1;;;;;;;;;\n" +
      h +
      ";;;;;;;;;\n"
      "#32913 Druck;;;;;;;;;\n"
      "#32907 D;;;;;;;;;\n"
      "#32910 #32879;#32951 10,000 #32869;#32909 0,500 s;#32953 1;#32911 #32917;;;;;\n"
      "#32914 1;#32915 2 s;;;;;;;;\n"
      "#32916 #32869;;;;;;;;;\n" +
      h +
      ";;;;;;;;;\n"
      "#32912 2;;;;;;;;;\n" +
      h +
      ";;;;;;;;;\n"
      "#32913 Fl\xFCss;;;;;;;;;\n"
      "#32907 D;;;;;;;;;\n"
      "#32910 ; ;#32909 50 %; ;;;;;;\n"
      "#32914 0;#32915 1 s;;;;;;;;\n"
      "#32916 %;;;;;;;;;\n"
      ";#329231;;;;#329232;;;\n"
      "#32856;#32919;#32920;#32921;#32922;#32919;#32920;#32921;#32922;\n"
      "     0,000;     0,250;     0,000;     0,500;     0,250;"
      "     0,250;     0,000;     0,500;     0,250;\n"
      "     0,500;     1,250;     1,000;     1,500;     1,250;"
      "     1,250;     1,000;     1,500;     1,250;\n"
      "     1,000;     2,250;     2,000;     2,500;     2,250;"
      "     2,250;     2,000;     2,500;     2,250;\n"
      "     1,500;;;;;     3,250;     3,000;     3,500;     3,250;\n"
      "     2,000;;;;;     4,250;     4,000;     4,500;     4,250;\n";
  EXPECT_EQ(CsvText(measurement, texts, GermanConventions()), expected);
}

TEST(CsvExport, EveryLineHasTheSameNumberOfFieldsExceptTheTableTitleLine) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  FillMeasurement(measurement);
  testing::AddNamedCurve(measurement, u"drei", 1.0, testing::Ramp(7));
  std::istringstream lines(CsvText(measurement, texts, {}));
  std::string line;
  int number = 0;
  const int headerLines = 1 + 8 * 3;
  while (std::getline(lines, line)) {
    const auto semicolons = std::count(line.begin(), line.end(), ';');
    SCOPED_TRACE(line);
    EXPECT_EQ(semicolons, number == headerLines ? 12 : 13);
    ++number;
  }
  EXPECT_EQ(number, headerLines + 2 + 7);
}

/// The records of a CSV text as a standard reader takes them: fields separated by ';',
/// a field in double quotes may hold ';', CR, LF and doubled quotes; records end with LF.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"' && field.empty()) {
      quoted = true;
    } else if (c == ';') {
      record.push_back(std::move(field));
      field.clear();
    } else if (c == '\n') {
      record.push_back(std::move(field));
      field.clear();
      records.push_back(std::move(record));
      record.clear();
    } else {
      field += c;
    }
  }
  EXPECT_FALSE(quoted) << "a quoted field is not closed";
  EXPECT_TRUE(field.empty() && record.empty()) << "the text ends with a line feed";
  return records;
}

TEST(CsvExport, TextFieldsWithSeparatorsQuotesOrLineBreaksAreQuotedAndReadBack) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  FillMeasurement(measurement);
  measurement.SetName(u"M;1", -1);
  measurement.GetCurve(0)->SetName(u"Dr;uck \"A\"");
  measurement.GetCurve(1)->SetName(u"zwei\r\nZeilen");
  measurement.GetCurve(1)->SetUnit(model::kUnitCustom, u"\"%;");
  const std::string csv = CsvText(measurement, texts, {});
  EXPECT_NE(csv.find("\n\"#32913 Dr;uck \"\"A\"\"\";;;;;;;;;\n"), std::string::npos) << csv;

  const std::vector<std::vector<std::string>> records = ParseCsv(csv);
  const std::size_t headerRecords = 1 + 8 * 2;
  ASSERT_EQ(records.size(), headerRecords + 2 + 5);
  for (std::size_t r = 0; r < records.size(); ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(records[r].size(), r == headerRecords ? 9U : 10U);
  }
  EXPECT_EQ(records[0][0], "#32906M;1");
  EXPECT_EQ(records[4][0], "#32913 Dr;uck \"A\"");
  EXPECT_EQ(records[12][0], "#32913 zwei\r\nZeilen");
  EXPECT_EQ(records[16][0], "#32916 \"%;");
  std::vector<std::string> hyphensLine(10);
  hyphensLine[0] = kHyphens;
  EXPECT_EQ(records[1], hyphensLine);
}

TEST(CsvExport, AMeasurementWithoutCurvesHasOnlyTitleAndTableHeaders) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  measurement.SetName(u"Leer", -1);
  EXPECT_EQ(CsvText(measurement, texts, {}), "#32906Leer;\n\n#32856;\n");
}

TEST(CsvExport, CharactersOutsideTheCodePageBecomeQuestionMarksNotSemicolons) {
  vantrel::testing::FakeTexts texts;
  model::CMessungObj measurement;
  measurement.SetName(u"\u20ac\u013b", -1);  // euro sign, and a letter whose low byte is ';'
  EXPECT_EQ(CsvText(measurement, texts, {}).substr(0, 9), "#32906\x80?;");
}

TEST(CsvExport, DefaultFileNameIsTheTitleCutAtTheFirstSpecialCharacter) {
  EXPECT_EQ(CsvDefaultFileName(u"Test 12"), u"Test");
  EXPECT_EQ(CsvDefaultFileName(u"Nr_3#1.5"), u"Nr_3");
  EXPECT_EQ(CsvDefaultFileName(u"Messung"), u"Messung");
  EXPECT_EQ(CsvDefaultFileName(u"a\\b"), u"a");
}

class CsvFileTest : public ::testing::Test {
 protected:
  CsvFileTest() { FillMeasurement(measurement_); }

  static std::string Read(const fs::path& path) {
    std::string text(static_cast<std::size_t>(fs::file_size(path)), '\0');
    std::ifstream(path, std::ios::binary)
        .read(text.data(), static_cast<std::streamsize>(text.size()));
    return text;
  }
  static void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }
  int ExportErrorId(const fs::path& target) {
    return vantrel::testing::MessageIdOf([&] { ExportCsvFile(measurement_, target, texts_, {}); })
        .value_or(0);
  }

  vantrel::testing::TempFolder folder_;
  const fs::path dir_ = folder_.Path();
  vantrel::testing::FakeTexts texts_;
  model::CMessungObj measurement_;
};

TEST_F(CsvFileTest, ExportReplacesAnExistingFileWithTheCsvText) {
  const fs::path target = dir_ / "m.csv";
  Write(target, "old");
  ExportCsvFile(measurement_, target, texts_, GermanConventions());
  EXPECT_EQ(Read(target), CsvText(measurement_, texts_, GermanConventions()));
  EXPECT_EQ(FileCount(), 1U);
}

TEST_F(CsvFileTest, ATargetThatCannotBeWrittenIsReportedAndLeftAsItWas) {
  EXPECT_EQ(ExportErrorId(dir_ / "missing" / "m.csv"), platform::kMsgFileNotFound);
  const fs::path folder = dir_ / "folder.csv";
  fs::create_directories(folder / "inside");
  EXPECT_EQ(ExportErrorId(folder), platform::kMsgFileIsFolder);
  EXPECT_TRUE(fs::is_directory(folder / "inside"));
  EXPECT_EQ(FileCount(), 1U);  // no temporary file is left behind
  EXPECT_EQ(ExportErrorId(""), platform::kMsgFileInvalidPath);
}

}  // namespace
}  // namespace vantrel::tables
