// `check-port [--port P] [--baud B]`: the port check of the instrument setup (the check
// handshake on the port); prints the "connection works" text, or fails with 32831 when
// the instrument does not answer and, when the port cannot be opened, the reason (33060..33065)
// or 32904.
// `autoconfig [--map N=PATH] [--save]`: the search over ports 1..9 and 1200..38400 baud;
// prints the port number and baud rate found ("3 9600"), stores them in the profile with
// --save, and fails with 32836 when nothing answers.
#include "CliFrame.h"
#include "CliMessages.h"
#include "InstrumentOptions.h"
#include "app/ProductInfo.h"
#include "instrument/InstrumentSetup.h"
#include "platform/FileErrors.h"
#include "platform/Strings.h"

namespace vantrel::cli {

namespace {

int RunCheckPort(CommandContext& context, const std::vector<std::string>& args) {
  const ParsedArgs parsed = ParseArgs(args, {}, kPortOptions);
  if (!parsed.positional.empty()) throw UsageError("takes no positional arguments");
  CliSettings settings(context);
  const PortChoice port = ChoosePort(parsed, settings);
  CliMessages messages;
  instrument::CInstrumentLink link(&messages);
  link.SetPortSettings(port.devicePath, port.baudRate);
  const InterruptWatch watch([&link] { link.RequestCancel(); });
  const int result = instrument::CheckPort(link);
  if (result == instrument::kStrCheckAnswered) {
    std::fprintf(context.out, "%s\n", platform::ToUtf8(context.texts.Text(result)).c_str());
    return kExitSuccess;
  }
  if (result == 0) messages.ThrowFirst(instrument::kMsgPortFailed);
  throw CliFailure(result, {}, "no answer on " + port.devicePath);
}

int RunAutoconfig(CommandContext& context, const std::vector<std::string>& args) {
  const ParsedArgs parsed = ParseArgs(args, {"--save"}, {"--map"});
  if (!parsed.positional.empty()) throw UsageError("takes no positional arguments");
  CliSettings settings(context);
  const app::PortMap map = PortMapOf(parsed, settings);
  CliMessages messages;  // every port that cannot be opened asks; the search goes on
  instrument::CInstrumentLink link(&messages);
  const InterruptWatch watch([&link] { link.RequestCancel(); });
  const auto resolve = [&map](int number) {
    try {
      return map.DevicePath(number);
    } catch (const platform::VantrelError&) {
      return std::string();  // no device: this port cannot be opened
    }
  };
  // The search has no cancel of its own: Ctrl-C ends it before the next try.
  const auto progress = [&watch](int, int) {
    if (watch.Interrupted()) {
      throw CliFailure(instrument::kStrNothingFound, {}, "search interrupted");
    }
  };
  const std::optional<instrument::FoundPort> found =
      instrument::AutoConfigure(link, resolve, progress);
  if (!found || watch.Interrupted()) {
    throw CliFailure(instrument::kStrNothingFound, {}, "no instrument answered");
  }
  std::fprintf(context.out, "%d %d\n", found->portNumber, found->baudRate);
  std::fflush(context.out);
  if (parsed.Has("--save") &&
      !app::SetPortSettings(settings.Profile(), found->portNumber, found->baudRate)) {
    throw CliFailure(platform::kMsgFileWriteError, platform::DisplayName(settings.Profile().Path()),
                     settings.Profile().LastError());
  }
  return kExitSuccess;
}

}  // namespace

CommandSpec CheckPortCommand() {
  return {"check-port", "[--port P] [--map N=PATH] [--baud B]", RunCheckPort};
}

CommandSpec AutoconfigCommand() { return {"autoconfig", "[--map N=PATH] [--save]", RunAutoconfig}; }

}  // namespace vantrel::cli
