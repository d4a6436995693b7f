// The common frame of vantrel-cli: global options (--lang), the language texts, the error
// line "ID: text" on stderr and the exit status (0 success, 1 failure, 2 usage error).
// Commands are plain functions over their own arguments; they throw UsageError for bad
// arguments and platform::VantrelError for failures.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/TextSource.h"

namespace vantrel::cli {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

/// Bad command-line arguments; the frame prints the command's usage and exits with 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// What every command gets: the language texts and the output stream.
struct CommandContext {
  const platform::TextSource& texts;
  std::FILE* out;
};

struct CommandSpec {
  std::string name;
  /// The arguments after the name, e.g. "FILE [--no-samples]".
  std::string usage;
  std::function<int(CommandContext&, const std::vector<std::string>&)> run;
};

/// The registered commands (generated table).
std::vector<CommandSpec> AllCommands();

/// Runs vantrel-cli with `args` (without the program name); returns the exit status.
int RunCli(const std::string& programPath, std::vector<std::string> args);

/// Splits `args` into positional arguments and the flags in `knownFlags`; any other
/// argument starting with "--" is a usage error.
std::vector<std::string> TakeFlags(const std::vector<std::string>& args,
                                   const std::vector<std::string>& knownFlags,
                                   std::vector<std::string>& flagsFound);

}  // namespace vantrel::cli
