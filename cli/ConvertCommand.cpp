// `convert IN OUT`: opens IN as `dump` does and saves OUT as the program's save writes it,
// imported flag included. Like the program's save, a name ending in an instrument text
// extension (.vqm, .vqo, .vqg, .vqk, any case) is never written: converting an instrument
// text file onto itself writes nothing and succeeds, any other such name fails with 32990.
// An archive is passed through without holding its samples, so memory stays small.
#include "CliDocument.h"
#include "CliFrame.h"

namespace vantrel::cli {

namespace {

int RunConvert(CommandContext& context, const std::vector<std::string>& args) {
  const ParsedArgs parsed = ParseArgs(args, {}, {});
  if (parsed.positional.size() != 2 || parsed.positional[1].empty()) {
    throw UsageError("expects IN and OUT");
  }
  CliDocument::Convert(parsed.positional[0], parsed.positional[1], context.texts);
  return kExitSuccess;
}

}  // namespace

CommandSpec ConvertCommand() { return {"convert", "IN OUT", RunConvert}; }

}  // namespace vantrel::cli
