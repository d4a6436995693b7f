// `record [--port P] [--baud B] [--variant V] --seconds S --out FILE [--zusammenfassen N]
// [--einteilung N]`: an online recording for S seconds, or until the instrument stops
// sending or Ctrl-C. The samples go into the measurement on this thread every 200 ms, as
// the chart's timer does; the recording is saved to FILE as an unchanged import and each
// curve's sample count printed, one line per curve. When the recording ended on a failed
// read, what arrived is still saved and the failure reported (exit 1). Every sample set also
// goes into a recording journal in the recovery folder, removed once FILE is saved, so that a
// killed run can be recovered with `recover`; when the journal cannot be written the
// recording goes on in memory and stderr says so once.
#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>
#include <thread>

#include "CliDocument.h"
#include "CliFrame.h"
#include "InstrumentOptions.h"
#include "RecoveryCli.h"
#include "document/CVantrel40Doc.h"
#include "document/MeasurementArchive.h"
#include "instrument/CInstrumentLink.h"
#include "platform/AtomicFile.h"
#include "recovery/RecordingJournal.h"
#include "recovery/RecoveryMessages.h"

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

/// The journal of a recording that just started into `measurement` (its curves made, no
/// samples yet), as an unchanged import like the document it is saved as.
std::unique_ptr<recovery::RecordingJournal> StartJournal(const CommandContext& context,
                                                         const model::CMessungObj& measurement,
                                                         const instrument::AxisSettings& axes) {
  recovery::JournalHeader header;
  header.channelCount = measurement.GetCurveCount();
  header.axes = axes;
  header.startedAt = static_cast<std::int64_t>(std::time(nullptr));
  header.title = measurement.GetName();
  header.templateExtension = u".vqa";
  header.image = document::DocumentBytes(measurement, 1);
  return recovery::RecordingJournal::Start(RecoveryFolderPath(context), header);
}

void TellJournalFailure(const CommandContext& context, recovery::RecordingJournal& journal) {
  if (journal.TakeFailureNotice()) {
    PrintNotice(context, recovery::kMsgJournalNotWritten, journal.FailureText());
  }
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
  std::unique_ptr<recovery::RecordingJournal> journal;
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
    journal = StartJournal(context, *measurement, axes);
    link.SetOnlineSink(journal.get());
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (link.OnlineRunning() && !watch.Interrupted()) {
      link.DrainOnline();
      TellJournalFailure(context, *journal);
      const auto now = std::chrono::steady_clock::now();
      if (now >= end) break;
      std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
          kDrainInterval,
          std::chrono::duration_cast<std::chrono::steady_clock::duration>(end - now)));
    }
    link.StopOnline();
    link.Close();
    journal->Flush();
    TellJournalFailure(context, *journal);
  }

  const int failure = messages.FirstId();
  auto doc = CliDocument::FromInstrument(std::move(measurement), context.texts);
  try {
    doc->SaveAs(*out);
  } catch (...) {
    // The journal stays, so `recover` still brings the recording back; say where it is
    // before the save's own error line.
    if (!journal->Failed()) {
      PrintNotice(context, recovery::kMsgRecordingKept, journal->Path().parent_path().string());
    }
    throw;
  }
  journal->Remove();
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
