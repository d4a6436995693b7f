// `convert IN OUT`: opens IN as `dump` does and saves OUT as the program's save writes it,
// imported flag included. Like the program's save, a name ending in an instrument text
// extension (.vqm, .vqo, .vqg, .vqk) is never written.
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "CliFrame.h"
#include "document/MeasurementArchive.h"

namespace vantrel::cli {

namespace {

bool IsInstrumentTextName(const std::string& name) {
  if (name.size() < 3) return false;
  std::string last = name.substr(name.size() - 3);
  std::transform(last.begin(), last.end(), last.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return last == "vqm" || last == "vqo" || last == "vqg" || last == "vqk";
}

int RunConvert(CommandContext&, const std::vector<std::string>& args) {
  std::vector<std::string> flags;
  const std::vector<std::string> files = TakeFlags(args, {}, flags);
  if (files.size() != 2) throw UsageError("expects IN and OUT");
  const document::LoadedDocument loaded = document::ReadDocumentFile(files[0]);
  if (IsInstrumentTextName(files[1])) return kExitSuccess;
  document::SaveDocumentFile(files[1], *loaded.measurement, loaded.imported);
  return kExitSuccess;
}

}  // namespace

CommandSpec ConvertCommand() { return {"convert", "IN OUT", RunConvert}; }

}  // namespace vantrel::cli
