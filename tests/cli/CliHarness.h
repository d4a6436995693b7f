// Runs the built vantrel-cli (and the simulated instrument) as outside tools do: a fresh
// folder per test, a private profile folder (XDG_CONFIG_HOME), stdout, stderr and the exit
// status of each run.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace vantrel::cli::testing {

namespace fs = std::filesystem;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

/// Single quotes for the shell.
inline std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted.push_back(c);
    }
  }
  return quoted + "'";
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_ / "config"); }

  /// Runs the program with `args` (each quoted here) and an optional environment prefix.
  CliRun Cli(const std::vector<std::string>& args, const std::string& env = "") const {
    return CliAt(VANTREL_BINARY_DIR "/bin/vantrel-cli", args, env);
  }
  /// The same with the program at `program` (a copy in another folder).
  CliRun CliAt(const std::string& program, const std::vector<std::string>& args,
               const std::string& env = "") const {
    std::string command =
        "env -u VANTREL_LANG LANG=C LC_ALL=C XDG_CONFIG_HOME=" + Quote((dir_ / "config").string()) +
        " XDG_STATE_HOME=" + Quote((dir_ / "state").string()) + " " + env + " " + Quote(program);
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " >" + Quote((dir_ / "stdout").string()) + " 2>" + Quote((dir_ / "stderr").string());
    const int raw = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadAll(dir_ / "stdout");
    run.err = ReadAll(dir_ / "stderr");
    return run;
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  vantrel::testing::TempFolder folder_;
  const fs::path dir_ = folder_.Path();
};

/// vantrel-sim as a child process: started with `args`, its pseudo-terminal path read from
/// its first line, stopped (by its process id) when this object goes.
class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(pipeFds[1], STDOUT_FILENO);
      ::close(pipeFds[0]);
      ::close(pipeFds[1]);
      std::vector<std::string> all = {VANTREL_BINARY_DIR "/bin/vantrel-sim"};
      all.insert(all.end(), args.begin(), args.end());
      std::vector<char*> argv;
      for (std::string& arg : all) argv.push_back(arg.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(pipeFds[1]);
    FILE* out = ::fdopen(pipeFds[0], "r");
    char line[512] = {};
    if (out != nullptr && std::fgets(line, sizeof line, out) != nullptr) {
      path_ = line;
      path_.erase(path_.find_last_not_of("\r\n") + 1);
    }
    if (out != nullptr) std::fclose(out);
  }
  ~SimProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  const std::string& Path() const { return path_; }

 private:
  pid_t pid_ = -1;
  std::string path_;
};

}  // namespace vantrel::cli::testing
