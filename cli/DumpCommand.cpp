// `dump FILE [--no-samples]`: opens a document and prints it as one JSON object. Only the
// archive path of the document's open rules is wired in so far.
#include <filesystem>

#include "CliFrame.h"
#include "DocumentJson.h"
#include "document/MeasurementArchive.h"

namespace vantrel::cli {

namespace {

int RunDump(CommandContext& context, const std::vector<std::string>& args) {
  std::vector<std::string> flags;
  const std::vector<std::string> files = TakeFlags(args, {"--no-samples"}, flags);
  if (files.size() != 1) throw UsageError("expects exactly one FILE");
  const document::LoadedDocument loaded = document::ReadDocumentFile(files[0]);
  JsonWriter json(context.out);
  WriteDocumentJson(json, *loaded.measurement, loaded.imported, flags.empty());
  json.Finish();
  return std::fflush(context.out) == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace

CommandSpec DumpCommand() { return {"dump", "FILE [--no-samples]", RunDump}; }

}  // namespace vantrel::cli
