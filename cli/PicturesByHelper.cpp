// vantrel-cli itself links no Qt: its start-up and memory stay those of a plain program for
// every command. PNG and PDF pictures are drawn by vantrel-cli-pictures, the same tool with
// the Qt picture outputs, which `render` hands the whole command line over to.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "CliFrame.h"
#include "QtPictures.h"

namespace vantrel::cli {
namespace {

/// The helper's file name, and where an installed tree keeps it relative to the tool.
constexpr const char* kHelperName = "vantrel-cli-pictures";
constexpr const char* kInstalledHelperFolder = "../libexec";

[[noreturn]] void Unavailable(const std::string& why) {
  throw CliFailure(kMsgPictureUnavailable, u"", why);
}

}  // namespace

bool DrawsQtPictures() { return false; }

std::filesystem::path FindPictureHelper(const std::filesystem::path& executableDirectory) {
  for (const std::filesystem::path& candidate :
       {executableDirectory / kHelperName,
        executableDirectory / kInstalledHelperFolder / kHelperName}) {
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

void DrawQtPicturesElsewhere(const CommandContext& context) {
  const std::filesystem::path helper = FindPictureHelper(context.executableDirectory);
  if (helper.empty()) Unavailable(std::string(kHelperName) + " not found");
  std::string program = helper.string();
  std::vector<std::string> arguments = context.arguments;
  std::vector<char*> argv{program.data()};
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  // Nothing written so far may be lost or written twice once the process is replaced.
  std::fflush(nullptr);
  ::execv(helper.c_str(), argv.data());
  Unavailable("cannot start " + helper.string() + ": " + std::strerror(errno));
}

void WritePngChart(model::CMessungObj&, platform::Size, const std::filesystem::path&,
                   const platform::TextSource&, char) {
  Unavailable("drawn by " + std::string(kHelperName));
}

void WritePdfPrintout(model::CMessungObj&, const std::u16string&, const std::filesystem::path&,
                      const platform::TextSource&, const tables::TextConventions&) {
  Unavailable("drawn by " + std::string(kHelperName));
}

}  // namespace vantrel::cli
