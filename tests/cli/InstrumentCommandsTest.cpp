// The instrument commands of the built vantrel-cli against the simulated instrument on a
// pseudo-terminal: memory readout (also with a rejected check), online recording, the port
// check and the port search, and their failures on ports where nothing answers.
#include <chrono>
#include <fstream>

#include "CliHarness.h"
#include "app/ProductInfo.h"
#include "app/ProfileStore.h"
#include "document/MeasurementArchive.h"

namespace vantrel::cli {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::CliTest;
using testing::ReadAll;
using testing::SimProcess;

const std::vector<std::string> kReadout = {"--count",   "3",  "--channels", "2",
                                           "--samples", "40", "--seconds",  "15"};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> With(std::vector<std::string> base, const std::vector<std::string>& more) {
  base.insert(base.end(), more.begin(), more.end());
  return base;
}

/// --map options that send every searched port (1..9) nowhere, except `port` to `path`.
std::vector<std::string> SearchMaps(int port = 0, const std::string& path = "") {
  std::vector<std::string> maps;
  for (int n = 1; n <= 9; ++n) {
    maps.push_back("--map");
    maps.push_back(std::to_string(n) + "=" +
                   (n == port ? path : "/nonexistent/tty" + std::to_string(n)));
  }
  return maps;
}

class InstrumentCommands : public CliTest {
 protected:
  /// Reads out a fresh simulator started with `simArgs` into folder `name`.
  CliRun ReadOut(const std::vector<std::string>& simArgs, const std::string& name) {
    SimProcess sim(simArgs);
    EXPECT_FALSE(sim.Path().empty());
    fs::create_directories(dir_ / name);
    return Cli({"read-memory", "--port", sim.Path(), "--out", Path(name)});
  }
};

TEST_F(InstrumentCommands, ReadMemorySavesEveryMeasurementInInstrumentOrder) {
  const CliRun run = ReadOut(kReadout, "clean");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> paths = Lines(run.out);
  ASSERT_EQ(paths.size(), 3U);
  int previous = 0;
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    EXPECT_EQ(fs::path(path).parent_path(), dir_ / "clean");
    EXPECT_EQ(fs::path(path).extension(), ".vqa");
    const document::LoadedDocument doc = document::ReadDocumentFile(path);
    EXPECT_EQ(doc.imported, 1);
    EXPECT_GT(doc.measurement->GetStorageNumber(), previous);
    previous = doc.measurement->GetStorageNumber();
    ASSERT_EQ(doc.measurement->Curves().size(), 2U);
    EXPECT_EQ(doc.measurement->Curves()[0]->GetSampleCount(), 40);
  }
}

TEST_F(InstrumentCommands, ReadMemoryAfterARejectedCheckStillSavesIdenticalFiles) {
  const CliRun clean = ReadOut(kReadout, "clean");
  const CliRun faulty = ReadOut(With(kReadout, {"--bad-crc", "2"}), "faulty");
  ASSERT_EQ(clean.status, 0) << clean.err;
  ASSERT_EQ(faulty.status, 0) << faulty.err;
  const std::vector<std::string> cleanPaths = Lines(clean.out);
  const std::vector<std::string> faultyPaths = Lines(faulty.out);
  ASSERT_EQ(faultyPaths.size(), 3U);
  ASSERT_EQ(cleanPaths.size(), 3U);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(fs::path(faultyPaths[i]).filename(), fs::path(cleanPaths[i]).filename());
    EXPECT_EQ(ReadAll(faultyPaths[i]), ReadAll(cleanPaths[i])) << faultyPaths[i];
  }
}

TEST_F(InstrumentCommands, ReadMemoryAddsASuffixRatherThanOverwriting) {
  const CliRun first = ReadOut(kReadout, "out");
  const CliRun second = ReadOut(kReadout, "out");
  ASSERT_EQ(second.status, 0) << second.err;
  const std::vector<std::string> firstPaths = Lines(first.out);
  const std::vector<std::string> secondPaths = Lines(second.out);
  ASSERT_EQ(secondPaths.size(), 3U);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_NE(secondPaths[i], firstPaths[i]);
    EXPECT_EQ(ReadAll(secondPaths[i]), ReadAll(firstPaths[i]));
    EXPECT_NE(secondPaths[i].find("-2.vqa"), std::string::npos) << secondPaths[i];
  }
}

TEST_F(InstrumentCommands, ReadMemoryThatLosesTheInstrumentKeepsTheCompleteOnesAndFails) {
  // The instrument falls silent in the middle of the second measurement.
  const CliRun run = ReadOut(With(kReadout, {"--mute-after", "600"}), "out");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Lines(run.out).size(), 1U) << run.out;
  EXPECT_EQ(run.err.substr(0, 7), "32903: ") << run.err;
}

TEST_F(InstrumentCommands, RecordSavesTheStreamAndPrintsEachCurvesSampleCount) {
  SimProcess sim({"--mode", "field", "--rate", "50", "--channels", "3", "--seconds", "15"});
  const auto start = std::chrono::steady_clock::now();
  const CliRun run =
      Cli({"record", "--port", sim.Path(), "--seconds", "2", "--out", Path("rec.vqb")});
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_GE(elapsed, 2.0);  // records for the seconds asked, not fewer
  const std::vector<std::string> counts = Lines(run.out);
  ASSERT_EQ(counts.size(), 3U);
  const document::LoadedDocument doc = document::ReadDocumentFile(dir_ / "rec.vqb");
  EXPECT_EQ(doc.imported, 1);
  ASSERT_EQ(doc.measurement->Curves().size(), 3U);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(counts[i], std::to_string(doc.measurement->Curves()[i]->GetSampleCount()));
    EXPECT_GT(doc.measurement->Curves()[i]->GetSampleCount(), 50);  // about 100 at 50/s
    EXPECT_LT(doc.measurement->Curves()[i]->GetSampleCount(), 160);
  }
}

TEST_F(InstrumentCommands, CheckPortReportsAnswerSilenceAndAPortThatCannotOpen) {
  {
    SimProcess sim({"--hello", "A", "--seconds", "15"});
    const CliRun run = Cli({"check-port", "--port", "4", "--map", "4=" + sim.Path()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Die Verbindung zum Gerät ist in Ordnung.\n");
  }
  {
    SimProcess sim({"--mute-after", "0", "--seconds", "15"});
    const CliRun run = Cli({"check-port", "--port", sim.Path()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.substr(0, 7), "32831: ") << run.err;
  }
  // A port that cannot be opened says why: no such device, not a serial device.
  const CliRun dead = Cli({"--lang", "ENG", "check-port", "--port", "/nonexistent/tty"});
  EXPECT_EQ(dead.status, 1);
  EXPECT_TRUE(dead.err.rfind("33062: The port cannot be opened: there is no such device.", 0) ==
                  0 ||
              dead.err.rfind("33063: The port /nonexistent/tty cannot be opened: there is no such "
                             "device",
                             0) == 0)
      << dead.err;
  std::ofstream(Path("plain")) << "";
  const CliRun plain = Cli({"--lang", "ENG", "check-port", "--port", Path("plain")});
  EXPECT_EQ(plain.status, 1);
  EXPECT_EQ(plain.err, "33065: The port cannot be opened: " + Path("plain") +
                           " is not a serial port. Choose another port in the port settings.\n");
  const CliRun german = Cli({"check-port", "--port", Path("plain")});
  EXPECT_EQ(german.err.rfind("33065: Die Schnittstelle kann nicht geöffnet werden: ", 0), 0U)
      << german.err;
}

TEST_F(InstrumentCommands, AutoconfigFindsTheInstrumentAndStoresItOnRequest) {
  SimProcess sim({"--seconds", "15"});
  const CliRun run = Cli(With({"autoconfig", "--save"}, SearchMaps(3, sim.Path())));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "3 1200\n");
  app::ProductInfo info;
  ASSERT_TRUE(app::ReadProductInfo(VANTREL_BINARY_DIR "/bin", info));
  const app::ProfileStore profile(
      dir_ / "config" / app::ProfileStore::SafeFileName(info.manufacturerName, "") /
      (app::ProfileStore::SafeFileName(info.applicationName, "") + ".ini"));
  EXPECT_EQ(app::GetPortNumber(profile), 3);
  EXPECT_EQ(app::GetBaudRate(profile), 1200);
}

TEST_F(InstrumentCommands, AutoconfigWithNothingAnsweringFails) {
  const CliRun run = Cli(With({"autoconfig"}, SearchMaps()));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "32836: Es wurde kein Gerät gefunden. Bitte Kabel und Gerät prüfen.\n");
}

TEST_F(InstrumentCommands, InstrumentUsageErrorsExitWith2) {
  const std::vector<std::vector<std::string>> cases = {
      {"read-memory", "--port", "/dev/null"},
      {"read-memory", "--port", "/dev/null", "--out", Path("missing-folder")},
      {"read-memory", "--out", Path(""), "--zusammenfassen", "3"},
      {"record", "--port", "/dev/null", "--out", Path("r.vqb")},
      {"record", "--port", "/dev/null", "--seconds", "0", "--out", Path("r.vqb")},
      {"record", "--port", "/dev/null", "--seconds", "1", "--out", Path("r.vqo")},
      {"check-port", "--baud", "fast"},
      {"check-port", "--map", "0=/dev/null"},
      {"autoconfig", "--map", "x"},
      {"autoconfig", "extra"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args[0] + " " + args.back());
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("usage: vantrel-cli " + args[0]), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace vantrel::cli
