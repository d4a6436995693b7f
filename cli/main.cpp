// vantrel-cli: the program's document, export and instrument operations from the command
// line, with the same code paths as the window front end.
#include <string>
#include <vector>

#include "CliFrame.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return vantrel::cli::RunCli(argc > 0 ? argv[0] : "", std::move(args));
}
