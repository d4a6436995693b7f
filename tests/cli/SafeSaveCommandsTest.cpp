// Every file command of the built vantrel-cli under hostile conditions: a full disk
// (RLIMIT_FSIZE with SIGXFSZ ignored), a closed pipe, file names that are not UTF-8,
// symbolic links, named pipes and folders as targets, instrument text names, missing
// language files and a recording target that cannot be written.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "CliHarness.h"
#include "document/MeasurementArchive.h"

namespace vantrel::cli {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::CliTest;
using testing::Quote;
using testing::ReadAll;

/// Large enough that every output exceeds the few kilobytes a full disk leaves.
std::unique_ptr<model::CMessungObj> LargeMeasurement() {
  auto m = std::make_unique<model::CMessungObj>();
  m->SetName(u"Probe", 1);
  for (int c = 0; c < 3; ++c) {
    model::CKurveObj* curve = m->AddCurve();
    curve->SetName(u"P" + std::u16string(1, static_cast<char16_t>(u'1' + c)));
    curve->SetSampleInterval(0.1);
    for (int i = 0; i < 3000; ++i) {
      const float v = static_cast<float>((i * 7 + c * 13) % 100) / 3.0F;
      curve->AddSample(v - 0.5F, v + 0.5F, v);
    }
  }
  return m;
}

class SafeSaveCommands : public CliTest {
 protected:
  std::string SaveLarge(const std::string& name) {
    document::SaveDocumentFile(dir_ / name, *LargeMeasurement(), 0);
    return Path(name);
  }
  /// Runs vantrel-cli from `program` after the shell commands `before` (ulimit, trap).
  CliRun Run(const std::vector<std::string>& args, const std::string& before = "",
             const std::string& program = VANTREL_BINARY_DIR "/bin/vantrel-cli") const {
    std::string command = before + " env -u VANTREL_LANG LANG=C LC_ALL=C XDG_CONFIG_HOME=" +
                          Quote((dir_ / "config").string()) + " " + Quote(program);
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " >" + Quote((dir_ / "stdout").string()) + " 2>" + Quote((dir_ / "stderr").string());
    const int raw = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadAll(dir_ / "stdout");
    run.err = ReadAll(dir_ / "stderr");
    return run;
  }
  static void ExpectFailure(const CliRun& run, const std::string& start) {
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.substr(0, start.size()), start) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  /// The names in the test folder apart from the harness's own.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      const std::string name = entry.path().filename().string();
      if (name != "config" && name != "stdout" && name != "stderr") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(SafeSaveCommands, EveryWriterOnAFullDiskFailsWithDiskFullAndKeepsTheOldFile) {
  const std::string in = SaveLarge("in.vqb");
  // A file may grow to a few kilobytes: the error line on stderr fits, no output does.
  const std::string fullDisk = "trap '' XFSZ; ulimit -f 4;";
  const std::vector<std::vector<std::string>> cases = {
      {"convert", in, Path("old.vqb")},         {"export-csv", in, Path("old.csv")},
      {"formula", in, "I1*2", Path("old.vqb")}, {"render", in, Path("old.svg")},
      {"render", in, Path("old.png")},          {"render", in, Path("old.pdf")},
  };
  for (const auto& args : cases) {
    const std::string target = args.back();
    SCOPED_TRACE(args[0] + " " + target);
    std::ofstream(target, std::ios::binary) << "old";
    const CliRun run = Run(args, fullDisk);
    ExpectFailure(run, "61730: ");
    EXPECT_NE(run.err.find(target), std::string::npos) << "the message names the file";
    EXPECT_EQ(ReadAll(target), "old");
    fs::remove(target);
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"in.vqb"}) << "no temporary file is left";
}

TEST_F(SafeSaveCommands, OutputThatIsLostFailsTheCommand) {
  const std::string in = SaveLarge("in.vqb");
  // A reader that goes away after one byte, with SIGPIPE ignored as some shells do.
  const std::string command =
      "trap '' PIPE; { env -u VANTREL_LANG LANG=C LC_ALL=C '" VANTREL_BINARY_DIR
      "/bin/vantrel-cli' dump " +
      Quote(in) + " 2>" + Quote(Path("stderr")) + "; echo $? >" + Quote(Path("status")) +
      "; } | head -c 1 >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadAll(Path("status")), "1\n");
  EXPECT_EQ(ReadAll(Path("stderr")).substr(0, 7), "33004: ");
  // A full disk under stdout.
  const CliRun full = Run({"dump", in}, "trap '' XFSZ; ulimit -f 4;");
  ExpectFailure(full, "33004: ");
}

TEST_F(SafeSaveCommands, FileNamesThatAreNotUtf8AreUsedByteForByte) {
  const std::string latin1 = "Pr\374fung";
  const std::string in = SaveLarge(latin1 + ".vqa");
  const CliRun dump = Run({"dump", "--no-samples", in});
  ASSERT_EQ(dump.status, 0) << dump.err;
  const std::vector<std::vector<std::string>> cases = {
      {"convert", in, Path(latin1 + "-c.vqb")},
      {"export-csv", in, Path(latin1 + ".csv")},
      {"formula", in, "I1+I2", Path(latin1 + "-f.vqb")},
      {"render", in, Path(latin1 + ".svg")},
      {"render", in, Path(latin1 + ".png")},
      {"render", in, Path(latin1 + ".pdf")},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args[0] + " " + args.back());
    const CliRun run = Run(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(args.back()));
  }
  EXPECT_EQ(Names().size(), cases.size() + 1) << "no file under a changed name";
  // A failure shows the name readably, the undecodable byte as U+FFFD.
  const CliRun missing = Run({"dump", Path("missing-" + latin1 + ".vqa")});
  ExpectFailure(missing, "33000: ");
  EXPECT_NE(missing.err.find("missing-Pr\357\277\275fung.vqa"), std::string::npos) << missing.err;
}

TEST_F(SafeSaveCommands, LinksAreFollowedAndTheFileTheyLeadToIsReplaced) {
  const std::string in = SaveLarge("in.vqb");
  fs::create_directories(dir_ / "archive");
  const fs::path real = dir_ / "archive" / "real.vqb";
  std::ofstream(real, std::ios::binary) << "old";
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("archive/real.vqb", dir_ / "link.vqb");
  fs::create_symlink("link.vqb", dir_ / "chain.vqb");
  fs::create_symlink("archive/new.csv", dir_ / "dangling.csv");

  ASSERT_EQ(Run({"convert", in, Path("link.vqb")}).status, 0);
  EXPECT_EQ(ReadAll(real), ReadAll(in));
  EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  fs::remove(real);
  ASSERT_EQ(Run({"convert", in, Path("chain.vqb")}).status, 0);
  EXPECT_EQ(ReadAll(real), ReadAll(in));
  ASSERT_EQ(Run({"export-csv", in, Path("dangling.csv")}).status, 0);
  EXPECT_TRUE(fs::is_regular_file(dir_ / "archive" / "new.csv"));
  for (const char* link : {"link.vqb", "chain.vqb", "dangling.csv"}) {
    EXPECT_TRUE(fs::is_symlink(dir_ / link)) << link;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "archive"), {}), 2);
}

TEST_F(SafeSaveCommands, ANamedPipeIsWrittenInPlace) {
  const std::string in = SaveLarge("in.vqb");
  const fs::path pipe = dir_ / "pipe.csv";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] {
    const int fd = ::open(pipe.c_str(), O_RDONLY);
    char chunk[4096];
    for (ssize_t n; (n = ::read(fd, chunk, sizeof chunk)) > 0;) {
      received.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
  });
  const CliRun run = Run({"export-csv", in, pipe.string(), "--decimal-point", ","});
  if (run.status != 0) ::close(::open(pipe.c_str(), O_WRONLY));  // lets the reader end
  reader.join();
  EXPECT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(Run({"export-csv", in, Path("plain.csv"), "--decimal-point", ","}).status, 0);
  EXPECT_EQ(received, ReadAll(Path("plain.csv")));
  struct stat info {};
  ASSERT_EQ(::stat(pipe.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(SafeSaveCommands, TargetsThatCannotBeDocumentsAreRefused) {
  const std::string in = SaveLarge("in.vqb");
  fs::create_directories(dir_ / "folder.vqb");
  struct Case {
    std::vector<std::string> args;
    std::string start;
  };
  const std::vector<Case> cases = {
      {{"convert", in, Path("folder.vqb")}, "33001: "},
      {{"export-csv", in, Path("folder.vqb")}, "33001: "},
      {{"convert", in, Path("out.vqm")}, "32990: "},
      {{"convert", in, Path("OUT.VQO")}, "32990: "},
      {{"convert", in, Path("no/such/folder/out.vqb")}, "33000: "},
      {{"dump", Path("folder.vqb")}, "33001: "},
      {{"formula", in, std::string(257, '1'), Path("out.vqb")}, "33003: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args.back().substr(0, 40));
    ExpectFailure(Run(c.args), c.start);
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"folder.vqb", "in.vqb"}));
  // Within the limit, deep nesting keeps its result.
  const std::string nested = std::string(120, '(') + "I1" + std::string(120, ')');
  EXPECT_EQ(Run({"formula", in, nested, Path("nested.vqb")}).status, 0);
}

TEST_F(SafeSaveCommands, AnInstrumentTextFileIsSavedOnlyAsItsOwnUnchangedFile) {
  const std::string in = SaveLarge("in.vqb");
  // Converting an instrument text file onto itself writes nothing and succeeds.
  const std::string text = Path("own.vqm");
  fs::copy_file(VANTREL_TEST_DATA_DIR "/import/instrument_two_blocks_ten_notes_lines.vqm", text);
  const std::string before = ReadAll(text);
  const CliRun own = Run({"convert", text, text});
  EXPECT_EQ(own.status, 0) << own.err;
  EXPECT_EQ(ReadAll(text), before);
  ExpectFailure(Run({"convert", text, Path("other.vqm")}), "32990: ");
  EXPECT_FALSE(fs::exists(Path("other.vqm")));
}

TEST_F(SafeSaveCommands, WithoutItsLanguageFilesTheToolEnds) {
  const std::string in = SaveLarge("in.vqb");
  fs::create_directories(dir_ / "bin");
  fs::copy_file(VANTREL_BINARY_DIR "/bin/vantrel-cli", dir_ / "bin" / "vantrel-cli");
  const CliRun run =
      Run({"export-csv", in, Path("out.csv")}, "", (dir_ / "bin" / "vantrel-cli").string());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Resource-DLL not found\n");
  EXPECT_FALSE(fs::exists(Path("out.csv")));
}

TEST_F(SafeSaveCommands, RecordChecksItsTargetBeforeTalkingToTheInstrument) {
  // A regular file as the "port": anything sent to an instrument would land in it.
  const std::string port = Path("port");
  std::ofstream(port) << "";
  const CliRun run =
      Run({"record", "--port", port, "--seconds", "1", "--out", Path("no/such/folder/r.vqa")});
  ExpectFailure(run, "33000: ");
  EXPECT_EQ(fs::file_size(port), 0U);
  EXPECT_EQ(Names(), std::vector<std::string>{"port"});
}

}  // namespace
}  // namespace vantrel::cli
