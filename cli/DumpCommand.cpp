// `dump FILE [--no-samples]`: opens a document by the document's open rules (archives,
// online-recording and instrument text files) and prints it as one JSON object.
#include "CliDocument.h"
#include "CliFrame.h"
#include "DocumentJson.h"

namespace vantrel::cli {

namespace {

int RunDump(CommandContext& context, const std::vector<std::string>& args) {
  const ParsedArgs parsed = ParseArgs(args, {"--no-samples"}, {});
  if (parsed.positional.size() != 1) throw UsageError("expects exactly one FILE");
  auto doc = CliDocument::Open(parsed.positional[0], context.texts);
  JsonWriter json(context.out);
  WriteDocumentJson(json, doc->Measurement(), doc->Doc().GetImported(),
                    !parsed.Has("--no-samples"));
  json.Finish();
  return kExitSuccess;  // the frame checks that all of it reached stdout
}

}  // namespace

CommandSpec DumpCommand() { return {"dump", "FILE [--no-samples]", RunDump}; }

}  // namespace vantrel::cli
