// Option handling, language texts and error reporting shared by every command.
#include "CliFrame.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <new>

#include "app/LanguageLibrary.h"
#include "platform/Error.h"
#include "platform/MessageService.h"
#include "platform/Strings.h"

namespace vantrel::cli {
namespace {

/// The library's texts, with a few built-in German ones for the messages this tool reports
/// itself, so that an error line has a text even without the language data.
class CliTexts final : public platform::TextSource {
 public:
  explicit CliTexts(std::unique_ptr<app::LanguageLibrary> library) : library_(std::move(library)) {}
  std::u16string Text(int id) const override {
    std::u16string text = library_ ? library_->Text(id) : std::u16string();
    if (!text.empty()) return text;
    static const std::map<int, std::u16string> kBuiltIn = {
        {platform::kMsgOutOfMemory, u"Nicht genügend Arbeitsspeicher."},
        {61697, u"Fehler beim Öffnen des Dokuments."},
        {61698, u"Fehler beim Speichern des Dokuments."},
        {61728, u"Unerwartetes Dateiformat."},
    };
    const auto it = kBuiltIn.find(id);
    return it != kBuiltIn.end() ? it->second : std::u16string();
  }

 private:
  std::unique_ptr<app::LanguageLibrary> library_;
};

std::filesystem::path ProgramDirectory(const std::string& programPath) {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || self.empty()) self = std::filesystem::absolute(programPath, error);
  return self.parent_path();
}

std::unique_ptr<app::LanguageLibrary> LoadTexts(const std::string& programPath,
                                                const std::string& language) {
  try {
    return app::LanguageLibrary::Load(ProgramDirectory(programPath), language);
  } catch (const std::exception&) {
    return nullptr;  // the built-in texts stand in
  }
}

void PrintUsage(std::FILE* to, const std::vector<CommandSpec>& commands) {
  std::fprintf(to, "usage: vantrel-cli [--lang LANG] COMMAND ...\n");
  for (const CommandSpec& command : commands) {
    std::fprintf(to, "       vantrel-cli %s %s\n", command.name.c_str(), command.usage.c_str());
  }
}

void PrintFailure(const platform::TextSource& texts, int id) {
  std::fprintf(stderr, "%d: %s\n", id, platform::ToUtf8(texts.Text(id)).c_str());
}

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

int RunCli(const std::string& programPath, std::vector<std::string> args) {
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
  const CliTexts texts(LoadTexts(programPath, language));
  CommandContext context{texts, stdout};
  try {
    return command->run(context, commandArgs);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "vantrel-cli %s: %s\nusage: vantrel-cli %s %s\n", command->name.c_str(),
                 error.what(), command->name.c_str(), command->usage.c_str());
    return kExitUsage;
  } catch (const platform::VantrelError& error) {
    PrintFailure(texts, error.MessageId());
  } catch (const std::bad_alloc&) {
    PrintFailure(texts, platform::kMsgOutOfMemory);
  } catch (const std::exception&) {
    PrintFailure(texts, 61697);
  }
  return kExitFailure;
}

}  // namespace vantrel::cli
