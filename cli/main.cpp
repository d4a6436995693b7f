// vantrel-cli: the program's document, export and instrument operations from the command
// line, with the same code paths as the window front end.
#include <cstdio>
#include <string>
#include <vector>

#include "CliFrame.h"
#include "app/DataFolder.h"
#include "app/ProgramVersion.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const std::string programPath = argc > 0 ? argv[0] : "";
  // "--version" in place of a command (after an optional "--lang CODE") prints the version.
  std::size_t first = 0;
  while (first < args.size() && args[first] == "--lang") first += 2;
  if (first < args.size() && args[first] == "--version") {
    const auto dataFolder =
        vantrel::app::FindDataFolder(vantrel::app::ExecutableDirectory(programPath));
    std::printf("%s\n", vantrel::app::VersionLine("vantrel-cli", dataFolder).c_str());
    return vantrel::cli::kExitSuccess;
  }
  return vantrel::cli::RunCli(programPath, std::move(args));
}
