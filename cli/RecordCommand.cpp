// `record [--port P] [--baud B] [--variant V] --seconds S --out FILE [--zusammenfassen N]
// [--einteilung N]`: an online recording for S seconds, or until the instrument stops
// sending or Ctrl-C. The samples go into the measurement on this thread every 200 ms, as
// the chart's timer does; the recording is saved to FILE as an unchanged import and each
// curve's sample count printed, one line per curve. When the recording ended on a failed
// read, what arrived is still saved and the failure reported (exit 1).
#include <charconv>
#include <chrono>
#include <cmath>
#include <thread>

#include "CliDocument.h"
#include "CliFrame.h"
#include "InstrumentOptions.h"
#include "document/CVantrel40Doc.h"
#include "instrument/CInstrumentLink.h"
#include "platform/AtomicFile.h"

namespace vantrel::cli {

namespace {

constexpr auto kDrainInterval = std::chrono::milliseconds(200);
/// A week: longer recordings are better split.
constexpr double kMaxSeconds = 7 * 24 * 3600.0;

double SecondsOption(const std::string& text) {
  double seconds = 0.0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, seconds);
  if (text.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(seconds) ||
      seconds <= 0.0 || seconds > kMaxSeconds) {
    throw UsageError("--seconds takes a duration in seconds above 0 (at most a week)");
  }
  return seconds;
}

int RunRecord(CommandContext& context, const std::vector<std::string>& args) {
  std::vector<std::string> options = kPortOptions;
  options.insert(options.end(),
                 {"--variant", "--seconds", "--out", "--zusammenfassen", "--einteilung"});
  const ParsedArgs parsed = ParseArgs(args, {}, options);
  if (!parsed.positional.empty()) throw UsageError("takes no positional arguments");
  const auto secondsText = parsed.Value("--seconds");
  const auto out = parsed.Value("--out");
  if (!secondsText || !out || out->empty()) throw UsageError("needs --seconds S and --out FILE");
  // A recording is never "saved" into an instrument text file, where it would be lost.
  if (document::IsInstrumentTextName(*out)) {
    throw UsageError("FILE must be a document (.vqa, .vqb), not an instrument text file");
  }
  const double seconds = SecondsOption(*secondsText);
  // A recording that cannot be saved at its end is lost: the target is checked before
  // anything is sent to the instrument.
  platform::AtomicFile::CheckCanSave(*out);
  CliSettings settings(context);
  const instrument::AxisSettings axes{settings.AxisGrouping(parsed), settings.ScaleMode(parsed)};
  const int variant = VariantOption(parsed);
  const PortChoice port = ChoosePort(parsed, settings);

  CliMessages messages;
  auto measurement = std::make_unique<model::CMessungObj>(&messages);
  {
    instrument::CInstrumentLink link(&messages);
    link.SetPortSettings(port.devicePath, port.baudRate);
    const InterruptWatch watch([&link] { link.RequestCancel(); });
    if (!link.Open(variant)) messages.ThrowFirst(instrument::kMsgPortFailed);
    if (!link.StartOnline(*measurement, axes)) {
      link.Close();
      messages.ThrowFirst(instrument::kMsgTransferFailed);
    }
    measurement->SetOnlineActive(1);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (link.OnlineRunning() && !watch.Interrupted()) {
      link.DrainOnline();
      const auto now = std::chrono::steady_clock::now();
      if (now >= end) break;
      std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
          kDrainInterval,
          std::chrono::duration_cast<std::chrono::steady_clock::duration>(end - now)));
    }
    link.StopOnline();
    link.Close();
  }

  const int failure = messages.FirstId();
  auto doc = CliDocument::FromInstrument(std::move(measurement), context.texts);
  // The target was writable at the start; a save that fails now (a full disk, the folder
  // removed meanwhile) ends with the file error on stderr and exit 1. Keeping the samples
  // for a later "recover" belongs to the recording's journal in the state folder: once it
  // exists, it is closed here without removing it when this save fails.
  doc->SaveAs(*out);
  for (const auto& curve : doc->Measurement().Curves()) {
    std::fprintf(context.out, "%lld\n", curve->GetSampleCount());
  }
  std::fflush(context.out);
  if (failure != 0) throw CliFailure(failure, {}, "the recording ended on a failed read");
  return kExitSuccess;
}

}  // namespace

CommandSpec RecordCommand() {
  return {"record",
          "[--port P] [--map N=PATH] [--baud B] [--variant V] --seconds S --out FILE "
          "[--zusammenfassen N] [--einteilung N]",
          RunRecord};
}

}  // namespace vantrel::cli
