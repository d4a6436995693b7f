// Help of the command-line programs: `vantrel-cli COMMAND --help` for every command and
// `vantrel-sim --help` print their usage on stdout and exit 0; vantrel-sim refuses numbers
// it cannot use.
#include <gtest/gtest.h>

#include <sstream>

#include "CliHarness.h"

namespace vantrel::cli {
namespace {

using testing::CliRun;
using testing::ReadAll;
using CommandHelp = testing::CliTest;

TEST_F(CommandHelp, EveryCommandPrintsItsOwnUsageOnRequest) {
  const CliRun overview = Cli({"--help"});
  ASSERT_EQ(overview.status, 0);
  std::istringstream lines(overview.out);
  int commands = 0;
  for (std::string line; std::getline(lines, line);) {
    const std::string prefix = "       vantrel-cli ";
    if (line.rfind(prefix, 0) != 0) continue;
    const std::string usage = line.substr(prefix.size());
    const std::string name = usage.substr(0, usage.find(' '));
    SCOPED_TRACE(name);
    ++commands;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{name, "--help"}, {"--lang", "ENG", name, "x", "--help"}}) {
      const CliRun run = Cli(args);
      EXPECT_EQ(run.status, 0);
      EXPECT_EQ(run.out, "usage: vantrel-cli " + usage + "\n");
      EXPECT_EQ(run.err, "");
    }
  }
  EXPECT_GE(commands, 9);
  // After "--" it is an argument like any other.
  const CliRun positional = Cli({"dump", "--", "--help"});
  EXPECT_EQ(positional.status, 1);
  EXPECT_EQ(positional.out, "");
}

/// Runs vantrel-sim with `args` and returns its exit status and output.
CliRun Sim(const std::filesystem::path& dir, const std::string& args) {
  const std::string out = (dir / "sim.out").string();
  const std::string err = (dir / "sim.err").string();
  const int raw = std::system(("'" VANTREL_BINARY_DIR "/bin/vantrel-sim' " + args + " >'" + out +
                               "' 2>'" + err + "' </dev/null")
                                  .c_str());
  CliRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadAll(out);
  run.err = ReadAll(err);
  return run;
}

TEST_F(CommandHelp, SimulatorPrintsItsHelpAndRefusesNumbersItCannotUse) {
  const CliRun help = Sim(dir_, "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: vantrel-sim ", 0), 0U) << help.out;
  EXPECT_EQ(help.err, "");
  const char* const refused[] = {
      "--count abc",     "--count 256",    "--count -1",         "--channels 0", "--channels 7",
      "--samples 65536", "--samples 10x",  "--rate nan",         "--rate inf",   "--rate 0",
      "--rate -5",       "--rate 1e9",     "--seconds abc",      "--seed -1",    "--sets 1.5",
      "--bad-crc 1,,2",  "--mute-after x", "--garbage-start ''", "--hello AB",   "--mode fast",
      "--count",         "--frequency 3"};
  for (const char* args : refused) {
    SCOPED_TRACE(args);
    const CliRun run = Sim(dir_, args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("vantrel-sim: ", 0), 0U) << run.err;
  }
}

}  // namespace
}  // namespace vantrel::cli
