// Runs the built vantrel-cli on documents written by the archive code and checks stdout,
// stderr and the exit status exactly.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "../document/ArchiveBytes.h"
#include "TempFolder.h"
#include "document/MeasurementArchive.h"

namespace vantrel::cli {
namespace {

namespace fs = std::filesystem;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class ArchiveCommands : public ::testing::Test {
 protected:
  /// Runs the program with `args` (already shell-quoted) and an optional environment prefix.
  CliRun Cli(const std::string& args, const std::string& env = "") const {
    const std::string command = "env -u VANTREL_LANG " + env +
                                " '" VANTREL_BINARY_DIR "/bin/vantrel-cli' " + args + " >'" +
                                (dir_ / "out").string() + "' 2>'" + (dir_ / "err").string() + "'";
    const int raw = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadAll(dir_ / "out");
    run.err = ReadAll(dir_ / "err");
    return run;
  }

  std::string Save(const std::string& name, const model::CMessungObj& m, int imported) const {
    const fs::path path = dir_ / name;
    document::SaveDocumentFile(path, m, imported);
    return path.string();
  }

  std::string WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
    return (dir_ / name).string();
  }

  vantrel::testing::TempFolder folder_;
  const fs::path dir_ = folder_.Path();
};

std::unique_ptr<model::CMessungObj> KnownMeasurement() {
  auto m = std::make_unique<model::CMessungObj>();
  m->GetXAxis().SetRaw(2, 60.0F, 0.0F, 5, u"");
  m->GetXAxis().SetRawX(0, 1, 1, 2.5F, -2.5F, 1, 3);
  m->AddYAxis()->SetRaw(9, 1e30F, -0.5F, 3, u"\u00B0C");
  model::CKurveObj* c = m->AddCurve();
  c->AddSample(0.1F, std::numeric_limits<float>::infinity(),
               -std::numeric_limits<float>::infinity());
  c->AddSample(std::nanf(""), -0.0F, 3.4028235e38F);
  c->SetName(u"Druck \"A\"\\\n\u00DF\u0001");
  c->SetSourceText(u"I1*2");
  c->SetUnit(model::kUnitCustom, u"%");
  c->SetColor(0x00FF8040);
  c->SetSampleInterval(0.1);
  c->SetStartTime(4294967295U);  // 2106-02-07 06:28:15 UTC, the last stamp
  c->SetDuration(7);
  c->SetTriggerLevel(1.25F);
  c->SetChannelNumber(3);
  m->AddText(u"Spitze", 12, 0.25, 0.5);
  m->AddLine(0.1, 0.2, 0.3, -0.4);
  m->SetNotes(std::vector<std::uint8_t>{1, 2, 3, 4});
  m->SetName(u"Messung 1", 5);
  m->SetZoom(2.0, 1.0);
  m->SetScroll(0.1, 0.0);
  return m;
}

const char* const kKnownJsonStart =
    R"({"imported":1,"measurement":{"name":"Messung 1","storageNumber":5,"titleVisible":1,)"
    R"("xZoom":2,"yZoom":1,"xScroll":0.1,"yScroll":0,"gridVisible":1,"gridColumns":4,)"
    R"("gridRows":3,"notes":"AQIDBA==","xAxis":{"unitCode":2,"rangeMin":0,"rangeMax":60,)"
    R"("divisions":5,"unitText":"","drawLines":0,"xyMode":1,"timeUnit":1,"xyMin":-2.5,)"
    R"("xyMax":2.5,"xCurveIndex":1,"xyDivisions":3},"yAxes":[{"unitCode":9,"rangeMin":-0.5,)"
    R"("rangeMax":1e+30,"divisions":3,"unitText":"°C"}],"curves":[{"name":"Druck \"A\"\\\nß\u0001",)"
    R"("sourceText":"I1*2","unitText":"%","unitCode":9,"origin":0,"recordingKind":0,)"
    R"("triggerMode":0,"triggerChannel":1,"triggerLevel":1.25,"triggerEdge":0,"pretrigger":0,)"
    R"("triggerInPercent":0,"sensorRange":0,"startTime":4294967295,"duration":7,"sampleInterval":0.1,)"
    R"("sourceNumber":0,"channelNumber":3,"peakValue":0,"color":16744512,"valueMode":2,)"
    R"("xOffset":0,"yOffset":0,"axisIndex":0,"filterCutoff":0,"drawOrder":0,"visible":1,)"
    R"("samples":)";
const char* const kKnownJsonEnd =
    R"(}],"texts":[{"text":"Spitze","posX":0.25,"posY":0.5,"fontSize":12}],)"
    R"("lines":[{"posX":0.1,"posY":0.2,"dx":0.3,"dy":-0.4}]}})"
    "\n";

TEST_F(ArchiveCommands, DumpPrintsTheDocumentAsExactJson) {
  const std::string file = Save("known.vqb", *KnownMeasurement(), 1);
  const CliRun run = Cli("dump '" + file + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, std::string(kKnownJsonStart) +
                         R"([[0.1,"Infinity","-Infinity"],["NaN",-0,3.4028235e+38]])" +
                         kKnownJsonEnd);
}

TEST_F(ArchiveCommands, DumpWithoutSamplesPrintsTheirCount) {
  const std::string file = Save("known.vqb", *KnownMeasurement(), 1);
  const CliRun run = Cli("dump --no-samples '" + file + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string(kKnownJsonStart) + "2" + kKnownJsonEnd);
}

TEST_F(ArchiveCommands, ConvertSavesTheSameBytesWithTheImportedFlag) {
  const auto m = KnownMeasurement();
  const std::string in = Save("in.vqb", *m, 1);
  const CliRun run = Cli("convert '" + in + "' '" + (dir_ / "out.vqa").string() + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out + run.err, "");
  EXPECT_EQ(ReadAll(dir_ / "out.vqa"), ReadAll(in));
}

TEST_F(ArchiveCommands, ConvertReadsEightBitStringsAndWritesThemAsUtf16) {
  // An empty document whose x-axis unit text and name are 8-bit strings.
  document::testing::Bytes b;
  b.I(2).F(60).F(0).I(4).B(1).B(0xDF).I(1).I(0).I(2).F(1).F(0).I(0).I(4);
  b.W(0).W(0).W(0).W(0).B(1).B('N').I(0).Q(1).Q(1).Q(0).Q(0).I(1).W(0).I(1).I(4).I(3).I(0);
  const std::string bytes(b.v.begin(), b.v.end());
  const std::string in = WriteBytes("old.vqb", bytes);
  const CliRun run = Cli("convert '" + in + "' '" + (dir_ / "new.vqb").string() + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const document::LoadedDocument doc = document::ReadDocumentFile(dir_ / "new.vqb");
  EXPECT_EQ(doc.measurement->GetXAxis().RawUnitText(), u"\u00DF");
  EXPECT_EQ(ReadAll(dir_ / "new.vqb").substr(16, 6), std::string("\xFF\xFE\xFF\x01\xDF\x00", 6));
}

TEST_F(ArchiveCommands, ConvertNeverWritesAnInstrumentTextFileAndSaysSo) {
  const std::string in = Save("in.vqb", *KnownMeasurement(), 0);
  const CliRun run = Cli("convert '" + in + "' '" + (dir_ / "out.VQM").string() + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.substr(0, 7), "32990: ");
  EXPECT_FALSE(fs::exists(dir_ / "out.VQM"));
}

TEST_F(ArchiveCommands, FailuresPrintOneErrorLineAndExitWith1) {
  struct Case {
    const char* name;
    std::string args;
    std::string env;
    std::string err;
  };
  const std::string bad = WriteBytes("bad.vqb", std::string("\x01\x02\x03", 3));
  const std::string missing = (dir_ / "missing.vqb").string();
  const std::string good = Save("good.vqb", *KnownMeasurement(), 0);
  const Case cases[] = {
      {"malformed", "dump '" + bad + "'", "", "61728: Unerwartetes Dateiformat.\n"},
      {"missing", "dump '" + missing + "'", "",
       "33000: " + missing + " Die Datei oder der Ordner, in den sie gehört, existiert nicht.\n"},
      {"convert malformed", "convert '" + bad + "' '" + (dir_ / "x.vqb").string() + "'", "",
       "61728: Unerwartetes Dateiformat.\n"},
      {"unwritable target", "convert '" + good + "' '" + (dir_ / "no" / "x.vqb").string() + "'", "",
       "33000: " + (dir_ / "no" / "x.vqb").string() + " "},
      {"malformed to an unwritable target: the input's fault comes first",
       "convert '" + bad + "' '" + (dir_ / "no" / "x.vqb").string() + "'", "",
       "61728: Unerwartetes Dateiformat.\n"},
      {"english option", "--lang ENG dump '" + bad + "'", "", "61728: "},
      {"english environment", "dump '" + bad + "'", "VANTREL_LANG=ENG", "61728: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CliRun run = Cli(c.args, c.env);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
  }
  EXPECT_FALSE(fs::exists(dir_ / "x.vqb"));
}

TEST_F(ArchiveCommands, UsageErrorsExitWith2) {
  const std::string good = Save("good.vqb", *KnownMeasurement(), 0);
  const std::string cases[] = {
      "",
      "frobnicate",
      "dump",
      "dump '" + good + "' '" + good + "'",
      "dump --samples '" + good + "'",
      "convert '" + good + "'",
      "--lang",
  };
  for (const std::string& args : cases) {
    SCOPED_TRACE(args);
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("usage: vantrel-cli"), std::string::npos);
  }
}

}  // namespace
}  // namespace vantrel::cli
