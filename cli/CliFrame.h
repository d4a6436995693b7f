// The common frame of vantrel-cli: global options (--lang), the language texts, the error
// line "ID: text" on stderr and the exit status (0 success, 1 failure, 2 usage error).
// Commands are plain functions over their own arguments; they throw UsageError for bad
// arguments and platform::VantrelError for failures.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/MessageIds.h"
#include "app/ProductInfo.h"
#include "platform/Error.h"
#include "platform/TextSource.h"

namespace vantrel::cli {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

/// PNG and PDF output need Qt 6, which this build lacks.
using ids::kMsgPictureUnavailable;

/// Output to stdout was lost (a full disk, a closed pipe): the command fails with this.
using ids::kMsgOutputLost;

/// Bad command-line arguments; the frame prints the command's usage and exits with 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// A failure whose message text takes an argument (a file name for "%1", a number for
/// "%d"); the frame fills it in before printing the error line.
class CliFailure : public platform::VantrelError {
 public:
  CliFailure(int messageId, std::u16string argument, const std::string& detail = {})
      : platform::VantrelError(messageId, detail), argument_(std::move(argument)) {}
  const std::u16string& Argument() const { return argument_; }

 private:
  std::u16string argument_;
};

/// What every command gets: the language texts, the output stream, the program's folder
/// and the product information (null when "mvdl4.ini" could not be read).
struct CommandContext {
  const platform::TextSource& texts;
  std::FILE* out;
  std::filesystem::path programDirectory;
  const app::ProductInfo* product = nullptr;
  /// The folder of the running executable, and the whole command line after the
  /// program's name (to hand a command over to another program as it was given).
  std::filesystem::path executableDirectory;
  std::vector<std::string> arguments;
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

/// A command's arguments split into positional ones, flags and options with values.
struct ParsedArgs {
  std::vector<std::string> positional;
  std::set<std::string> flags;
  /// Every value of each option given, in order ("--map" may repeat).
  std::map<std::string, std::vector<std::string>> values;

  bool Has(const std::string& name) const {
    return flags.count(name) != 0 || values.count(name) != 0;
  }
  /// The last value given for `name`, if any.
  std::optional<std::string> Value(const std::string& name) const;
  std::vector<std::string> Values(const std::string& name) const;
};

/// Parses `args`: an argument starting with "--" is an option (`flags` take no value,
/// `valueOptions` take the next argument or the text after "="); any other option, and
/// an option without its value, is a usage error. "--" ends the options; arguments with a
/// single dash ("-I1*2") are positional.
ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& flags,
                     const std::vector<std::string>& valueOptions);

/// A whole decimal number in `minimum`..`maximum`; a usage error naming `option` otherwise.
int ParseIntOption(const std::string& text, int minimum, int maximum, const std::string& option);

/// The user's decimal separator from the locale environment (LC_ALL, LC_NUMERIC, LANG),
/// without switching the process locale; '.' when it cannot be found.
char UserDecimalSeparator();

}  // namespace vantrel::cli
