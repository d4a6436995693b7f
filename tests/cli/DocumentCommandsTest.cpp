// The document commands of the built vantrel-cli: dump and convert over every file type,
// export-csv against the core export, formula curves with their failures, and render.
#include <algorithm>
#include <cstdint>

#include "CliHarness.h"
#include "app/LanguageLibrary.h"
#include "app/Placeholders.h"
#include "app/ProductInfo.h"
#include "app/ProfileStore.h"
#include "document/CVantrel40Doc.h"
#include "document/MeasurementArchive.h"
#include "formula/FormulaCurves.h"
#include "tables/CsvExport.h"

namespace vantrel::cli {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::CliTest;
using testing::Quote;
using testing::ReadAll;

const std::string kImports = VANTREL_TEST_DATA_DIR "/import/";

/// The texts the program shows: the German library with the product names filled in.
class ProgramTexts final : public platform::TextSource {
 public:
  ProgramTexts() {
    library_ = app::LanguageLibrary::Load(VANTREL_BINARY_DIR "/bin", "GER");
    app::ProductInfo info;
    if (app::ReadProductInfo(VANTREL_BINARY_DIR "/bin", info)) names_ = info.Names();
  }
  std::u16string Text(int id) const override {
    return app::ReplaceProductNames(library_->Text(id), names_);
  }

 private:
  std::unique_ptr<app::LanguageLibrary> library_;
  app::ProductNames names_;
};

/// Two pressure curves of ten positive samples, 0.1 s apart, and a third at 0.2 s.
std::unique_ptr<model::CMessungObj> SampleMeasurement() {
  auto m = std::make_unique<model::CMessungObj>();
  m->SetName(u"Probe 1", 4);
  for (int c = 0; c < 3; ++c) {
    model::CKurveObj* curve = m->AddCurve();
    curve->SetName(u"P" + std::u16string(1, static_cast<char16_t>(u'1' + c)));
    curve->SetUnit(4, u"");
    curve->SetSampleInterval(c < 2 ? 0.1 : 0.2);
    for (int i = 0; i < 10; ++i) {
      const float v = static_cast<float>(1 + i + 3 * c);
      curve->AddSample(v - 0.5F, v + 0.5F, v);
    }
  }
  m->AddYAxis()->SetRaw(4, 20.0F, 0.0F, 4, u"");
  m->SetNotes(std::vector<std::uint8_t>{'{', '\\', 'r', 't', 'f', '1', ' ', 'N', 'o', 't', 'i', 'z',
                                        '\\', 'p', 'a', 'r', ' ', 'B', '}'});
  return m;
}

class DocumentCommands : public CliTest {
 protected:
  std::string SaveSample(const std::string& name, int imported = 1) {
    document::SaveDocumentFile(dir_ / name, *SampleMeasurement(), imported);
    return Path(name);
  }
  void ExpectOneErrorLine(const CliRun& run, const std::string& start) {
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.substr(0, start.size()), start) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
};

TEST_F(DocumentCommands, DumpOpensEveryFileTypeByTheLastCharacterOfItsName) {
  fs::copy_file(kImports + "online_three_channels.vqo", dir_ / "A.VQO");
  std::ofstream(dir_ / "broken.vqm") << "this is no instrument file\n";
  struct Case {
    std::string file;
    int status;
    std::string start;  // of stdout, or of stderr for a failure
  };
  const Case cases[] = {
      {kImports + "online_three_channels.vqo", 0, R"({"imported":1,"measurement":{)"},
      {kImports + "instrument_two_blocks_ten_notes_lines.vqm", 0, R"({"imported":1,)"},
      {kImports + "instrument_computed_x_unit.vqg", 0, R"({"imported":1,)"},
      {Path("A.VQO"), 1, "61728: Unerwartetes Dateiformat.\n"},
      {Path("broken.vqm"), 1, "32956: "},
      {Path("missing.vqo"), 1, "33000: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const CliRun run = Cli({"dump", "--no-samples", c.file});
    EXPECT_EQ(run.status, c.status);
    const std::string& text = c.status == 0 ? run.out : run.err;
    EXPECT_EQ(text.substr(0, c.start.size()), c.start);
    if (c.status != 0) {
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    }
  }
}

TEST_F(DocumentCommands, ConvertSavesAnImportAsTheProgramsSaveDoes) {
  const std::string in = kImports + "instrument_two_blocks_ten_notes_lines.vqm";
  const CliRun run = Cli({"convert", in, Path("out.vqa")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out + run.err, "");
  document::CVantrel40Doc doc({}, u".vqm");
  ASSERT_TRUE(doc.OnOpenDocument(in));
  const document::LoadedDocument saved = document::ReadDocumentFile(dir_ / "out.vqa");
  EXPECT_EQ(saved.imported, 1);
  ASSERT_EQ(saved.measurement->Curves().size(), doc.GetMeasurement()->Curves().size());
  for (std::size_t i = 0; i < saved.measurement->Curves().size(); ++i) {
    EXPECT_EQ(saved.measurement->Curves()[i]->GetSampleCount(),
              doc.GetMeasurement()->Curves()[i]->GetSampleCount());
  }
  EXPECT_EQ(saved.measurement->GetNotes(), doc.GetMeasurement()->GetNotes());
}

TEST_F(DocumentCommands, ExportCsvWritesTheBytesOfTheProgramsExport) {
  const std::string in = SaveSample("in.vqb");
  const ProgramTexts texts;
  for (const char point : {'.', ','}) {
    SCOPED_TRACE(point);
    std::vector<std::string> args = {"export-csv", in, Path("out.csv")};
    if (point != '.') args.insert(args.end(), {"--decimal-point", std::string(1, point)});
    const CliRun run = Cli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    tables::TextConventions conventions;
    conventions.decimalSeparator = point;
    EXPECT_EQ(ReadAll(dir_ / "out.csv"), tables::CsvText(*SampleMeasurement(), texts, conventions));
  }
}

TEST_F(DocumentCommands, ExportCsvIntoAMissingFolderFailsWithOneLine) {
  const CliRun run = Cli({"export-csv", SaveSample("in.vqb"), Path("no/such/folder/out.csv")});
  ExpectOneErrorLine(run, "33000: ");  // not found, not "invalid file name"
  EXPECT_NE(run.err.find("out.csv"), std::string::npos) << "the text names the file";
}

TEST_F(DocumentCommands, FormulaAddsTheCurveAsTheDialogsOkAndEndsTheImportedState) {
  const std::string in = SaveSample("in.vqb", 1);
  // The profile's "Einteilung" applies unless --einteilung overrides it.
  app::ProductInfo info;
  ASSERT_TRUE(app::ReadProductInfo(VANTREL_BINARY_DIR "/bin", info));
  const fs::path profile = dir_ / "config" /
                           app::ProfileStore::SafeFileName(info.manufacturerName, "") /
                           (app::ProfileStore::SafeFileName(info.applicationName, "") + ".ini");
  fs::create_directories(profile.parent_path());
  std::ofstream(profile) << "[Einstellungen]\nEinteilung=1\n";
  struct Case {
    std::vector<std::string> extra;
    int scaleMode;
  };
  for (const Case& c : {Case{{}, 1}, Case{{"--einteilung", "0"}, 0}}) {
    SCOPED_TRACE(c.scaleMode);
    std::vector<std::string> args = {"formula", in, "I1*2+I2", Path("out.vqb")};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const CliRun run = Cli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");

    auto expected = SampleMeasurement();
    formula::FormulaCurveOptions options;
    options.scaleMode = c.scaleMode;
    ASSERT_EQ(formula::CreateFormulaCurve(*expected, u"I1*2+I2", options).result, 1);
    const document::LoadedDocument saved = document::ReadDocumentFile(dir_ / "out.vqb");
    EXPECT_EQ(saved.imported, 0);
    ASSERT_EQ(saved.measurement->Curves().size(), 4U);
    const model::CKurveObj& curve = *saved.measurement->Curves()[3];
    EXPECT_EQ(curve.GetSourceText(), u"I1*2+I2");
    ASSERT_EQ(curve.GetSampleCount(), 10);
    EXPECT_EQ(curve.Samples()[9].value, expected->Curves()[3]->Samples()[9].value);
    const auto axis = static_cast<std::size_t>(curve.GetAxisIndex());
    ASSERT_LT(axis, saved.measurement->YAxes().size());
    EXPECT_EQ(saved.measurement->YAxes()[axis]->RawMax(), expected->YAxes()[axis]->RawMax());
    EXPECT_EQ(saved.measurement->YAxes()[axis]->RawMin(), expected->YAxes()[axis]->RawMin());
  }
}

TEST_F(DocumentCommands, FormulaFailuresPrintTheirMessageAndWriteNothing) {
  const std::string in = SaveSample("in.vqb");
  auto full = SampleMeasurement();
  while (full->Curves().size() < 16) full->AddCurve();
  document::SaveDocumentFile(dir_ / "full.vqb", *full, 0);
  struct Case {
    std::string file;
    std::string formula;
    std::string start;
  };
  const Case cases[] = {
      {in, "((I1", "32926: Die Formel ist ungültig.\n"},
      {in, "I9", "32928: "},
      {in, "I1+I3", "32929: "},
      {in, "I1/0", "32931: Division durch Null.\n"},
      {in, "sqrt(0-I1)", "32932: "},
      {in, "logn(0-I1)", "32933: "},
      {Path("full.vqb"), "I1", "32927: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.formula);
    const CliRun run = Cli({"formula", c.file, c.formula, Path("out.vqb")});
    ExpectOneErrorLine(run, c.start);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::exists(dir_ / "out.vqb"));
  }
}

TEST_F(DocumentCommands, FormulaIsNeverSavedIntoAnInstrumentTextFile) {
  const CliRun run = Cli({"formula", SaveSample("in.vqb"), "I1", Path("out.vqm")});
  ExpectOneErrorLine(run, "32990: ");
  EXPECT_FALSE(fs::exists(dir_ / "out.vqm"));
}

/// Width and height from a PNG's IHDR chunk.
std::pair<int, int> PngSize(const std::string& bytes) {
  auto at = [&](std::size_t i) {
    return (static_cast<unsigned char>(bytes[i]) << 24) |
           (static_cast<unsigned char>(bytes[i + 1]) << 16) |
           (static_cast<unsigned char>(bytes[i + 2]) << 8) |
           static_cast<unsigned char>(bytes[i + 3]);
  };
  return bytes.size() < 24 ? std::pair{0, 0} : std::pair{at(16), at(20)};
}

TEST_F(DocumentCommands, RenderFollowsTheNumericLocaleOfTheEnvironment) {
  // A German locale of our own, so the test does not depend on the installed ones.
  const fs::path locales = dir_ / "locales";
  fs::create_directories(locales);
  const std::string make = "localedef -i de_DE -f UTF-8 " +
                           Quote((locales / "de_DE.UTF-8").string()) + " >/dev/null 2>&1";
  if (std::system(make.c_str()) != 0 || !fs::exists(locales / "de_DE.UTF-8")) {
    GTEST_SKIP() << "no German locale can be made here";
  }
  const std::string in = SaveSample("in.vqb");
  const std::string german = "LOCPATH=" + Quote(locales.string());
  const struct {
    std::string env;
    char point;
  } cases[] = {
      {"", '.'},
      {german + " LC_ALL=de_DE.UTF-8", ','},
      {german + " LC_ALL= LC_NUMERIC=de_DE.UTF-8", ','},
      {german + " LC_ALL= LANG=de_DE.UTF-8", ','},
      {german + " LC_ALL=C LANG=de_DE.UTF-8", '.'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.env);
    const CliRun run = Cli({"render", in, Path("chart.svg")}, c.env);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string svg = ReadAll(dir_ / "chart.svg");
    const std::string shown = std::string(1, c.point) + "00</text>";
    const std::string other = std::string(1, c.point == ',' ? '.' : ',') + "00</text>";
    EXPECT_NE(svg.find(shown), std::string::npos);
    EXPECT_EQ(svg.find(other), std::string::npos);
  }
}

TEST_F(DocumentCommands, RenderWritesEachPictureTypeInTheRequestedSize) {
  const std::string in = SaveSample("in.vqb");
  ASSERT_EQ(Cli({"render", in, Path("chart.svg"), "--size", "640x480"}).status, 0);
  const std::string svg = ReadAll(dir_ / "chart.svg");
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("width=\"640\""), std::string::npos);
  EXPECT_NE(svg.find("height=\"480\""), std::string::npos);
  EXPECT_NE(svg.find("</svg>"), std::string::npos);

  const CliRun png = Cli({"render", in, Path("chart.PNG"), "--size", "333x222"});
  ASSERT_EQ(png.status, 0) << png.err;
  EXPECT_EQ(png.err, "") << "Qt's diagnostics stay off stderr";
  const std::string pngBytes = ReadAll(dir_ / "chart.PNG");
  EXPECT_EQ(pngBytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(PngSize(pngBytes), (std::pair{333, 222}));
  ASSERT_EQ(Cli({"render", in, Path("default.png")}).status, 0);
  EXPECT_EQ(PngSize(ReadAll(dir_ / "default.png")), (std::pair{1200, 800}));

  ASSERT_EQ(Cli({"render", in, Path("print.pdf")}).status, 0);
  const std::string pdf = ReadAll(dir_ / "print.pdf");
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_NE(pdf.find("/MediaBox [0 0 842.000000 595.000000]"), std::string::npos) << "landscape A4";
  // Chart, curve information and the notes page.
  std::size_t pages = 0;
  for (std::size_t at = pdf.find("/Type /Page\n"); at != std::string::npos;
       at = pdf.find("/Type /Page\n", at + 1)) {
    ++pages;
  }
  EXPECT_EQ(pages, 3U);
}

TEST_F(DocumentCommands, PicturesAreDrawnByTheHelperWithTheWholeCommandLine) {
  // The helper reports in the language the command line chose: it got every argument.
  const CliRun missing = Cli({"--lang", "ENG", "render", Path("missing.vqb"), Path("o.png")});
  ExpectOneErrorLine(missing, "33000: " + Path("missing.vqb") + " The file, or the folder");
  EXPECT_FALSE(fs::exists(dir_ / "o.png"));
  // A copy of the tool with its data but without the helper beside it: PNG and PDF name
  // the missing helper, SVG still works.
  const fs::path lone = dir_ / "lone";
  fs::create_directories(lone);
  fs::copy_file(VANTREL_BINARY_DIR "/bin/vantrel-cli", lone / "vantrel-cli");
  fs::copy(VANTREL_BINARY_DIR "/bin/lang_res", lone / "lang_res");
  fs::copy_file(VANTREL_BINARY_DIR "/bin/mvdl4.ini", lone / "mvdl4.ini");
  const std::string in = SaveSample("in.vqb");
  for (const char* out : {"o.png", "o.pdf"}) {
    SCOPED_TRACE(out);
    ExpectOneErrorLine(CliAt((lone / "vantrel-cli").string(), {"render", in, Path(out)}),
                       "33190: PNG- und PDF-Ausgabe brauchen das Programm vantrel-cli-pictures");
    EXPECT_FALSE(fs::exists(dir_ / out));
  }
  EXPECT_EQ(CliAt((lone / "vantrel-cli").string(), {"render", in, Path("o.svg")}).status, 0);
}

TEST_F(DocumentCommands, UsageErrorsExitWith2BeforeReadingAnything) {
  const std::string in = SaveSample("in.vqb");
  const std::vector<std::vector<std::string>> cases = {
      {"export-csv", in},
      {"export-csv", in, Path("o.csv"), "--decimal-point", ";"},
      {"export-csv", in, Path("o.csv"), "--decimal-point", "ab"},
      {"export-csv", in, Path("o.csv"), "--decimal-point", "\""},
      {"export-csv", in, Path("o.csv"), "--decimal-point"},
      {"formula", in, "I1"},
      {"formula", in, "I1", Path("o.vqb"), "--einteilung", "2"},
      {"render", in, Path("o.bmp")},
      {"render", in, Path("o.svg"), "--size", "0x10"},
      {"render", in, Path("o.svg"), "--size", "100"},
      {"render", in, Path("o.pdf"), "--size", "100x100"},
      {"dump", "--nope", in},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args[0] + " " + args.back());
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage: vantrel-cli"), std::string::npos);
  }
  EXPECT_EQ(fs::directory_iterator(dir_ / "config"), fs::directory_iterator());
  EXPECT_FALSE(fs::exists(dir_ / "o.csv"));
}

}  // namespace
}  // namespace vantrel::cli
