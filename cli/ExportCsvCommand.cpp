// `export-csv IN OUT [--decimal-point C]`: the CSV export of a document, as the chart
// window's export command writes it. The decimal separator is the user's (from the locale
// environment) unless --decimal-point names another.
#include "CliDocument.h"
#include "CliFrame.h"
#include "tables/CsvExport.h"

namespace vantrel::cli {

namespace {

char DecimalPointOption(const std::string& text) {
  // One printable character that cannot be taken for a digit, a sign, the field separator
  // or the quote that encloses a field.
  const bool usable = text.size() == 1 && text[0] > ' ' && text[0] < 0x7F && text[0] != ';' &&
                      text[0] != '"' && text[0] != '-' && text[0] != '+' &&
                      (text[0] < '0' || text[0] > '9');
  if (!usable) throw UsageError("--decimal-point takes one character such as . or ,");
  return text[0];
}

int RunExportCsv(CommandContext& context, const std::vector<std::string>& args) {
  const ParsedArgs parsed = ParseArgs(args, {}, {"--decimal-point"});
  if (parsed.positional.size() != 2 || parsed.positional[1].empty()) {
    throw UsageError("expects IN and OUT");
  }
  tables::TextConventions conventions;
  const auto point = parsed.Value("--decimal-point");
  conventions.decimalSeparator = point ? DecimalPointOption(*point) : UserDecimalSeparator();
  auto doc = CliDocument::Open(parsed.positional[0], context.texts);
  // A failure is a platform::FileError that names the file; the frame prints it.
  tables::ExportCsvFile(doc->Measurement(), parsed.positional[1], context.texts, conventions);
  return kExitSuccess;
}

}  // namespace

CommandSpec ExportCsvCommand() {
  return {"export-csv", "IN OUT [--decimal-point C]", RunExportCsv};
}

}  // namespace vantrel::cli
