// `read-memory [--port P] [--baud B] [--variant V] --out DIR [--zusammenfassen N]
// [--einteilung N]`: reads every measurement stored in the instrument. Each completely
// transferred one is saved in DIR under the document's default name with ".vqa" (a suffix
// "-2", "-3", ... is added rather than overwriting a file) as an unchanged import, and its
// path printed, in instrument order. Exit 0 when every announced measurement arrived.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "CliDocument.h"
#include "CliFrame.h"
#include "InstrumentOptions.h"
#include "instrument/CInstrumentLink.h"
#include "platform/Strings.h"

namespace vantrel::cli {

namespace {

/// More files of one name than any instrument holds measurements.

int RunReadMemory(CommandContext& context, const std::vector<std::string>& args) {
  std::vector<std::string> options = kPortOptions;
  options.insert(options.end(), {"--variant", "--out", "--zusammenfassen", "--einteilung"});
  const ParsedArgs parsed = ParseArgs(args, {}, options);
  if (!parsed.positional.empty()) throw UsageError("takes no positional arguments");
  const auto out = parsed.Value("--out");
  if (!out) throw UsageError("needs --out DIR");
  std::error_code error;
  if (!std::filesystem::is_directory(*out, error)) {
    throw UsageError("--out must name an existing folder: " + *out);
  }
  CliSettings settings(context);
  const instrument::AxisSettings axes{settings.AxisGrouping(parsed), settings.ScaleMode(parsed)};
  const int variant = VariantOption(parsed);
  const PortChoice port = ChoosePort(parsed, settings);

  CliMessages messages;
  instrument::CInstrumentLink link(&messages);
  link.SetPortSettings(port.devicePath, port.baudRate);
  instrument::ReadoutList list(&messages);
  int transferred = 0;
  bool complete = false;
  {
    const InterruptWatch watch([&link] { link.RequestCancel(); });
    if (!link.Open(variant)) messages.ThrowFirst(instrument::kMsgPortFailed);
    transferred = link.ReadMemory(list, axes);
    complete = link.State() == instrument::kStateIdle && !watch.Interrupted();
    list.KeepFirst(transferred);
    link.Close();
  }

  int position = 0;
  for (auto& measurement : list.TakeAll()) {
    ++position;
    auto doc = CliDocument::FromInstrument(std::move(measurement), context.texts);
    const std::filesystem::path path =
        ReserveDocumentName(doc->Doc().GetTitle(), position, *out, ".vqa");
    try {
      doc->SaveAs(path);
    } catch (...) {
      std::filesystem::remove(path, error);  // the empty placeholder
      throw;
    }
    std::fprintf(context.out, "%s\n", path.string().c_str());
    std::fflush(context.out);
  }
  if (!complete) messages.ThrowFirst(instrument::kMsgTransferFailed);
  return kExitSuccess;
}

}  // namespace

CommandSpec ReadMemoryCommand() {
  return {"read-memory",
          "[--port P] [--map N=PATH] [--baud B] [--variant V] --out DIR [--zusammenfassen N] "
          "[--einteilung N]",
          RunReadMemory};
}

}  // namespace vantrel::cli
