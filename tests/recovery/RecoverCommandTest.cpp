// `vantrel-cli record` keeps a journal and `vantrel-cli recover` brings back what a killed
// run left, run as outside tools do against the simulated instrument.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "PollUntil.h"
#include "cli/CliHarness.h"
#include "document/MeasurementArchive.h"
#include "instrument/OnlineFormats.h"
#include "recovery/JournalFormat.h"
#include "recovery/RecoveryFixtures.h"

namespace vantrel::cli::testing {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

/// One record of the simulator's send log.
struct SentRecord {
  std::int64_t sentAtNs = 0;
  instrument::OnlineSampleSet set;
};

/// The field-format records the simulator logged, parsed the way the recorder parses them.
std::vector<SentRecord> ReadSendLog(const fs::path& path, int channels) {
  std::vector<SentRecord> records;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos) continue;
    const std::string record = line.substr(blank + 1);
    std::string fields;
    for (std::size_t at = 8; at + 8 <= record.size(); at += 8) fields += record.substr(at + 1, 7);
    SentRecord sent;
    sent.sentAtNs = std::stoll(line.substr(0, blank));
    instrument::ParseFieldRecord(fields, channels, &sent.set);
    records.push_back(sent);
  }
  return records;
}

class RecoverCommand : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    fs::create_directories(dir_ / "state");
  }
  std::string StateEnv() const { return "XDG_STATE_HOME=" + Quote((dir_ / "state").string()); }
  /// Below the maker's and the program's names of the product information.
  fs::path RecoveryFolder() const {
    return dir_ / "state" / "Vantrel Messtechnik" / "Vantrel" / "recovery";
  }

  /// vantrel-cli started in the background with the test's folders.
  pid_t StartCli(const std::vector<std::string>& args) const {
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
      ::setenv("XDG_STATE_HOME", (dir_ / "state").c_str(), 1);
      ::setenv("LC_ALL", "C", 1);
      ::unsetenv("VANTREL_LANG");
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, STDOUT_FILENO);
      ::dup2(null, STDERR_FILENO);
      std::vector<std::string> all = {VANTREL_BINARY_DIR "/bin/vantrel-cli"};
      all.insert(all.end(), args.begin(), args.end());
      std::vector<char*> argv;
      for (std::string& arg : all) argv.push_back(arg.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    return pid;
  }

  /// Journals in the recovery folder (whether locked or not).
  std::vector<fs::path> Journals() const {
    std::vector<fs::path> found;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(RecoveryFolder(), ignored)) {
      if (entry.path().extension() == ".vqj") found.push_back(entry.path());
    }
    return found;
  }
};

/// Sample sets in the intact records of the journal at `path` (0 when it cannot be read).
std::size_t JournaledSets(const fs::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return 0;
  recovery::JournalScanner scanner(file);
  recovery::JournalHeader header;
  std::size_t sets = 0;
  if (scanner.ReadHeader(&header) == recovery::JournalScanner::HeaderStatus::kOk) {
    std::vector<instrument::OnlineSampleSet> record;
    while (scanner.NextRecord(record)) sets += record.size();
  }
  std::fclose(file);
  return sets;
}

TEST_F(RecoverCommand, KilledRecordingIsRecoveredWithEverySetItsJournalHeld) {
  constexpr int kChannels = 6;
  SimProcess sim({"--mode", "field", "--rate", "1000", "--channels", std::to_string(kChannels),
                  "--seconds", "120", "--send-log", Path("sent.log")});
  ASSERT_FALSE(sim.Path().empty());
  const pid_t record =
      StartCli({"record", "--port", sim.Path(), "--seconds", "100", "--out", Path("never.vqb")});
  ASSERT_GT(record, 0);
  // Let a few thousand sets through (generous bound against a loaded machine).
  ASSERT_TRUE(vantrel::testing::PollUntil(
      [&] { return Lines(ReadAll(dir_ / "sent.log")).size() >= 4000; }, std::chrono::seconds(60)));
  ASSERT_EQ(Journals().size(), 1U);
  // What the journal holds before the kill (it only grows) must all come back.
  const fs::path journal = Journals().front();
  std::size_t journaled = 0;
  ASSERT_TRUE(vantrel::testing::PollUntil(
      [&] { return (journaled = JournaledSets(journal)) >= 2000; }, std::chrono::seconds(60)));
  ::kill(record, SIGKILL);
  int status = 0;
  ::waitpid(record, &status, 0);
  const std::vector<SentRecord> sent = ReadSendLog(dir_ / "sent.log", kChannels);
  ASSERT_GE(sent.size(), 4000U);

  const CliRun list = Cli({"recover", "--list"}, StateEnv());
  ASSERT_EQ(list.status, 0) << list.err;
  const std::vector<std::string> listed = Lines(list.out);
  ASSERT_EQ(listed.size(), 1U) << list.out;
  EXPECT_NE(listed[0].find("\tjournal\t"), std::string::npos) << listed[0];

  fs::create_directories(dir_ / "out");
  const CliRun run = Cli({"recover", "--out", Path("out")}, StateEnv());
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> saved = Lines(run.out);
  ASSERT_EQ(saved.size(), 1U) << run.out;
  EXPECT_TRUE(Journals().empty());
  const document::LoadedDocument doc = document::ReadDocumentFile(saved[0]);
  ASSERT_EQ(doc.measurement->GetCurveCount(), kChannels);
  const auto count = static_cast<std::size_t>(doc.measurement->GetCurve(0)->GetSampleCount());
  EXPECT_EQ(listed[0].substr(listed[0].rfind('\t') + 1), std::to_string(count));

  EXPECT_GE(count, journaled);
  ASSERT_LE(count, sent.size());
  for (int j = 0; j < kChannels; ++j) {
    const auto& samples = doc.measurement->GetCurve(j)->Samples();
    ASSERT_EQ(samples.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
      const auto& expected = sent[i].set.channels[static_cast<std::size_t>(j)];
      if (std::bit_cast<std::uint32_t>(samples[i].value) !=
              std::bit_cast<std::uint32_t>(expected.value) ||
          std::bit_cast<std::uint32_t>(samples[i].minimum) !=
              std::bit_cast<std::uint32_t>(expected.minimum) ||
          std::bit_cast<std::uint32_t>(samples[i].maximum) !=
              std::bit_cast<std::uint32_t>(expected.maximum)) {
        FAIL() << "channel " << j << ", set " << i << " differs from what was sent";
      }
    }
  }
}

TEST_F(RecoverCommand, RecordingWhoseSaveFailsAtTheEndStaysForRecover) {
  SimProcess sim({"--mode", "field", "--rate", "100", "--channels", "2", "--seconds", "60"});
  ASSERT_FALSE(sim.Path().empty());
  fs::create_directories(dir_ / "gone");
  CliRun run;
  std::thread recording([&] {
    run = Cli({"record", "--port", sim.Path(), "--seconds", "5", "--out", Path("gone/rec.vqb")});
  });
  // The target folder disappears while the instrument streams: the final save must fail.
  EXPECT_TRUE(vantrel::testing::PollUntil([&] { return !Journals().empty(); }));
  fs::remove_all(dir_ / "gone");
  recording.join();
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("33102: "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("33000: "), std::string::npos) << run.err;
  ASSERT_EQ(Journals().size(), 1U);
  fs::create_directories(dir_ / "out");
  const CliRun recovered = Cli({"recover", "--out", Path("out")}, StateEnv());
  EXPECT_EQ(recovered.status, 0) << recovered.err;
  EXPECT_EQ(Lines(recovered.out).size(), 1U);
  EXPECT_TRUE(Journals().empty());
}

TEST_F(RecoverCommand, JournalOfARunningRecordingIsNotOfferedAndANormalEndLeavesNothing) {
  SimProcess sim({"--mode", "field", "--rate", "100", "--channels", "3", "--seconds", "60"});
  const pid_t record =
      StartCli({"record", "--port", sim.Path(), "--seconds", "3", "--out", Path("rec.vqb")});
  EXPECT_TRUE(vantrel::testing::PollUntil([&] { return !Journals().empty(); }));
  ASSERT_EQ(Journals().size(), 1U);
  const CliRun list = Cli({"recover", "--list"}, StateEnv());
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out, "");
  int status = 0;
  ::waitpid(record, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(fs::exists(dir_ / "rec.vqb"));
  EXPECT_TRUE(fs::is_empty(RecoveryFolder()));
}

TEST_F(RecoverCommand, UnusableStateFolderIsReportedOnceAndTheRecordingStillSaved) {
  std::ofstream(dir_ / "notafolder") << "x";
  SimProcess sim({"--mode", "field", "--rate", "50", "--channels", "2", "--seconds", "60"});
  const CliRun run =
      Cli({"record", "--port", sim.Path(), "--seconds", "1", "--out", Path("rec.vqb")},
          "XDG_STATE_HOME=" + Quote(Path("notafolder")));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> errors = Lines(run.err);
  ASSERT_EQ(errors.size(), 1U) << run.err;
  EXPECT_EQ(errors[0].substr(0, 7), "33080: ");
  const document::LoadedDocument doc = document::ReadDocumentFile(dir_ / "rec.vqb");
  EXPECT_GT(doc.measurement->GetCurve(0)->GetSampleCount(), 10);
}

TEST_F(RecoverCommand, OutSavesEachItemUnderItsDefaultNameWithSuffixesAndRemovesIt) {
  std::vector<std::uint8_t> recorded;
  for (const std::uint32_t sets : {30U, 70U}) {
    recovery::testing::JournaledRecording recording(RecoveryFolder(), 2);
    recording.Drain(recovery::testing::SampleSets(0, sets));
    recording.journal->Flush();
    if (sets == 30U) recorded = recording.SavedBytes();
  }
  fs::create_directories(dir_ / "out");
  std::ofstream(dir_ / "out" / "Prüfstand7.vqb") << "taken";
  const CliRun run = Cli({"recover", "--out", Path("out")}, StateEnv());
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> saved = Lines(run.out);
  ASSERT_EQ(saved.size(), 2U) << run.out;
  std::vector<std::string> names = {fs::path(saved[0]).filename().string(),
                                    fs::path(saved[1]).filename().string()};
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Prüfstand7-2.vqb", "Prüfstand7-3.vqb"}));
  EXPECT_EQ(ReadAll(dir_ / "out" / "Prüfstand7.vqb"), "taken");
  EXPECT_TRUE(fs::is_empty(RecoveryFolder()));
  bool found = false;
  for (const std::string& path : saved) {
    const document::LoadedDocument doc = document::ReadDocumentFile(path);
    found = found || document::DocumentBytes(*doc.measurement, doc.imported) == recorded;
  }
  EXPECT_TRUE(found) << "the 30-set journal saved as the recording would have been";
}

TEST_F(RecoverCommand, UnreadableItemsAreReportedByPathAndKept) {
  fs::create_directories(RecoveryFolder());
  const fs::path journal = RecoveryFolder() / "journal-broken.vqj";
  const fs::path copy = RecoveryFolder() / "copy-broken.vqb";
  std::ofstream(journal) << "VQJOURN? not a journal";
  std::ofstream(copy) << "not an archive";
  fs::create_directories(dir_ / "out");
  const CliRun run = Cli({"--lang", "ENG", "recover", "--out", Path("out")}, StateEnv());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("33081: " + copy.string()), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("33083: The header of " + journal.string()), std::string::npos) << run.err;
  EXPECT_TRUE(fs::exists(journal));
  EXPECT_TRUE(fs::exists(copy));
  EXPECT_TRUE(fs::is_empty(dir_ / "out"));

  const CliRun usage = Cli({"recover"}, StateEnv());
  EXPECT_EQ(usage.status, 2);
}

}  // namespace
}  // namespace vantrel::cli::testing
