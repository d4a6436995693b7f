// Option handling, language texts and error reporting shared by every command.
#include "CliFrame.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <new>

#include "app/BrandedTexts.h"
#include "app/DataFolder.h"
#include "app/LanguageLibrary.h"
#include "app/MessageIds.h"
#include "platform/Error.h"
#include "platform/FileErrors.h"
#include "platform/MessageService.h"
#include "platform/Strings.h"

namespace vantrel::cli {
namespace {

/// The language library; null when it cannot be loaded (the tool then ends like the program).
std::unique_ptr<app::LanguageLibrary> LoadTexts(const std::filesystem::path& programDirectory,
                                                const std::string& language) {
  try {
    return app::LanguageLibrary::Load(programDirectory, language);
  } catch (const std::exception&) {
    return nullptr;
  }
}

/// Writes out what stdout still holds and closes it; false when any output was lost on the
/// way (a full disk, a closed pipe with SIGPIPE ignored, a failed close).
bool FinishOutput() {
  bool complete = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
  complete = std::fclose(stdout) == 0 && complete;
  return complete;
}

void PrintUsage(std::FILE* to, const std::vector<CommandSpec>& commands) {
  std::fprintf(to, "usage: vantrel-cli [--lang LANG] COMMAND ...\n");
  for (const CommandSpec& command : commands) {
    std::fprintf(to, "       vantrel-cli %s %s\n", command.name.c_str(), command.usage.c_str());
  }
}

/// The error line "ID: text": the argument fills "%1" and "%s", and line breaks of the text
/// become blanks so that the failure stays one line.
void PrintFailure(const platform::TextSource& texts, int id, const std::u16string& argument = {}) {
  std::u16string text = texts.Text(id);
  for (const std::u16string_view placeholder : {u"%1", u"%s"}) {
    for (std::size_t at = text.find(placeholder); at != std::u16string::npos;
         at = text.find(placeholder, at + argument.size())) {
      text.replace(at, placeholder.size(), argument);
    }
  }
  for (char16_t& c : text) {
    if (c == u'\n' || c == u'\r' || c == u'\t') c = u' ';
  }
  std::fprintf(stderr, "%d: %s\n", id, platform::ToUtf8(text).c_str());
}

/// Runs one command; prints its failure and returns the exit status.
int RunCommand(const CommandSpec& command, CommandContext& context,
               const std::vector<std::string>& commandArgs);

}  // namespace

std::vector<std::string> TakeFlags(const std::vector<std::string>& args,
                                   const std::vector<std::string>& knownFlags,
                                   std::vector<std::string>& flagsFound) {
  std::vector<std::string> positional;
  for (const std::string& arg : args) {
    if (arg.size() > 1 && arg[0] == '-') {
      bool known = false;
      for (const std::string& flag : knownFlags) known = known || flag == arg;
      if (!known) throw UsageError("unknown option " + arg);
      flagsFound.push_back(arg);
    } else {
      positional.push_back(arg);
    }
  }
  return positional;
}

std::optional<std::string> ParsedArgs::Value(const std::string& name) const {
  const auto it = values.find(name);
  if (it == values.end() || it->second.empty()) return std::nullopt;
  return it->second.back();
}

std::vector<std::string> ParsedArgs::Values(const std::string& name) const {
  const auto it = values.find(name);
  return it == values.end() ? std::vector<std::string>() : it->second;
}

ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& flags,
                     const std::vector<std::string>& valueOptions) {
  ParsedArgs parsed;
  auto contains = [](const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
  };
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.rfind("--", 0) != 0) {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (contains(flags, name) && equals == std::string::npos) {
      parsed.flags.insert(name);
    } else if (contains(valueOptions, name)) {
      if (equals != std::string::npos) {
        parsed.values[name].push_back(arg.substr(equals + 1));
      } else if (i + 1 < args.size()) {
        parsed.values[name].push_back(args[++i]);
      } else {
        throw UsageError(name + " needs a value");
      }
    } else {
      throw UsageError("unknown option " + arg);
    }
  }
  return parsed;
}

int ParseIntOption(const std::string& text, int minimum, int maximum, const std::string& option) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end || value < minimum ||
      value > maximum) {
    throw UsageError(option + " takes a whole number from " + std::to_string(minimum) + " to " +
                     std::to_string(maximum));
  }
  return value;
}

char UserDecimalSeparator() {
  try {
    const std::locale user("");
    const char point = std::use_facet<std::numpunct<char>>(user).decimal_point();
    return point != '\0' ? point : '.';
  } catch (const std::exception&) {
    return '.';  // an unknown locale name in the environment
  }
}

int RunCli(const std::string& programPath, std::vector<std::string> args) {
  const std::vector<std::string> commandLine = args;
  const std::vector<CommandSpec> commands = AllCommands();
  std::string language;
  if (const char* env = std::getenv("VANTREL_LANG"); env != nullptr) language = env;
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--lang") {
      if (i + 1 == args.size()) {
        std::fprintf(stderr, "vantrel-cli: --lang needs a language code\n");
        PrintUsage(stderr, commands);
        return kExitUsage;
      }
      language = args[++i];
    } else if (args[i].rfind("--lang=", 0) == 0) {
      language = args[i].substr(7);
    } else {
      rest.push_back(args[i]);
    }
  }
  if (rest.empty() || rest[0] == "--help" || rest[0] == "-h") {
    const bool asked = !rest.empty();
    PrintUsage(asked ? stdout : stderr, commands);
    return asked ? kExitSuccess : kExitUsage;
  }
  const CommandSpec* command = nullptr;
  for (const CommandSpec& candidate : commands) {
    if (candidate.name == rest[0]) command = &candidate;
  }
  if (command == nullptr) {
    std::fprintf(stderr, "vantrel-cli: unknown command \"%s\"\n", rest[0].c_str());
    PrintUsage(stderr, commands);
    return kExitUsage;
  }
  const std::vector<std::string> commandArgs(rest.begin() + 1, rest.end());
  // "COMMAND --help" (before a "--" that ends the options) prints that command's usage.
  for (const std::string& arg : commandArgs) {
    if (arg == "--") break;
    if (arg == "--help") {
      std::fprintf(stdout, "usage: vantrel-cli %s %s\n", command->name.c_str(),
                   command->usage.c_str());
      return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? kExitSuccess : kExitFailure;
    }
  }
  const std::filesystem::path executableDirectory = app::ExecutableDirectory(programPath);
  const std::filesystem::path programDirectory = app::FindDataFolder(executableDirectory);
  std::unique_ptr<app::LanguageLibrary> library = LoadTexts(programDirectory, language);
  if (library == nullptr) {
    // Without its texts the tool would write CSV without labels and messages without text.
    std::fprintf(stderr, "%s\n", app::kResourceLibraryMissing);
    return kExitFailure;
  }
  app::ProductInfo product;
  const bool haveProduct = app::ReadProductInfo(programDirectory, product);
  const app::BrandedTexts texts(*library, haveProduct ? product.Names() : app::ProductNames{});
  CommandContext context{
      texts,      stdout, programDirectory, haveProduct ? &product : nullptr, executableDirectory,
      commandLine};
  const int status = RunCommand(*command, context, commandArgs);
  if (!FinishOutput() && status == kExitSuccess) {
    // A script must not take cut-off output for the whole result. (A command that failed
    // has already printed its one error line.)
    PrintFailure(texts, kMsgOutputLost);
    return kExitFailure;
  }
  return status;
}

namespace {

int RunCommand(const CommandSpec& command, CommandContext& context,
               const std::vector<std::string>& commandArgs) {
  const platform::TextSource& texts = context.texts;
  try {
    return command.run(context, commandArgs);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "vantrel-cli %s: %s\nusage: vantrel-cli %s %s\n", command.name.c_str(),
                 error.what(), command.name.c_str(), command.usage.c_str());
    return kExitUsage;
  } catch (const CliFailure& error) {
    PrintFailure(texts, error.MessageId(), error.Argument());
  } catch (const platform::FileError& error) {
    PrintFailure(texts, error.MessageId(), platform::DisplayName(error.File()));
  } catch (const platform::VantrelError& error) {
    PrintFailure(texts, error.MessageId());
  } catch (const std::bad_alloc&) {
    PrintFailure(texts, platform::kMsgOutOfMemory);
  } catch (const std::exception&) {
    PrintFailure(texts, ids::kMsgOpenFailed);
  }
  return kExitFailure;
}

}  // namespace

}  // namespace vantrel::cli
