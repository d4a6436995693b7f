// Cost of the recording journal: an online recording of 6 channels at 10 000 sample sets per
// second from the simulated instrument over a pseudo-terminal, drained every 200 ms as the
// chart's timer does, once without and once with the journal. Measured per run: the owning
// thread's CPU (drain, append, hand-over to the journal), the recorder's CPU (the whole
// process minus the simulator's thread: reader worker, owning thread, journal writer) and
// the journal's bytes per second. Prints "met"/"NOT MET" against: owning thread below 2 % of
// one core with the journal, and the journal costing at most 10 % of the recorder's CPU.
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

#include "LimitReport.h"
#include "OnlineDrain.h"
#include "PseudoTerminal.h"
#include "SimInstrument.h"
#include "document/MeasurementArchive.h"
#include "instrument/CInstrumentLink.h"
#include "recovery/RecordingJournal.h"

namespace {

using namespace vantrel;

using bench::CpuSeconds;

/// The simulator on its own thread; its CPU time is known once it stopped.
class SimThread {
 public:
  explicit SimThread(sim::SimOptions options)
      : terminal_(sim::PseudoTerminal::Open()), instrument_(std::move(options)) {
    thread_ = std::thread([this] {
      instrument_.Run(terminal_->MasterFd(), stop_);
      cpu_ = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    });
  }
  ~SimThread() { Stop(); }
  double Stop() {
    if (thread_.joinable()) {
      stop_.store(true);
      thread_.join();
    }
    return cpu_;
  }
  const std::string& Path() const { return terminal_->SlavePath(); }

 private:
  std::unique_ptr<sim::PseudoTerminal> terminal_;
  sim::SimInstrument instrument_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  double cpu_ = 0.0;
};

struct RunFigures {
  double ownerCorePercent = 0.0;
  double recorderCpuSeconds = 0.0;
  double journalBytesPerSecond = 0.0;
  long long lost = 0;
};

/// Results by journal on (1) / off (0), for the verdict printed at the end.
std::map<int, RunFigures>& Results() {
  static std::map<int, RunFigures> results;
  return results;
}

void BM_RecordingJournal(benchmark::State& state) {
  const bool journaled = state.range(0) != 0;
  const char* secondsText = std::getenv("VANTREL_ONLINE_SECONDS");
  // Ten seconds: the journal's cost is about one per cent of a core, shorter runs drown it
  // in the machine's noise.
  const double seconds = secondsText != nullptr ? std::atof(secondsText) : 10.0;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("vantrel-recovery-bench-" + std::to_string(::getpid()));
  for (auto _ : state) {
    const sim::SimOptions options = bench::FastStream(seconds);
    const double processStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    SimThread instrument(options);
    instrument::CInstrumentLink link(nullptr);
    model::CMessungObj measurement;
    if (!bench::StartRecording(link, instrument.Path(), measurement)) {
      state.SkipWithError("start");
      break;
    }
    std::unique_ptr<recovery::RecordingJournal> journal;
    if (journaled) {
      recovery::JournalHeader header;
      header.channelCount = measurement.GetCurveCount();
      header.axes = {0, 1};
      header.image = document::DocumentBytes(measurement, 1);
      journal = recovery::RecordingJournal::Start(folder, header);
      if (journal->Failed()) state.SkipWithError("journal");
      link.SetOnlineSink(journal.get());
    }
    const bench::DrainFigures drained =
        bench::DrainLikeTheChart(link, static_cast<long long>(options.onlineCount), seconds);
    const double wall = drained.wallSeconds;
    link.StopOnline();
    link.SetOnlineSink(nullptr);
    std::uintmax_t journalBytes = 0;
    if (journal != nullptr) {
      journal->Flush();
      journalBytes = std::filesystem::file_size(journal->Path());
      journal->Remove();
      journal.reset();  // its writer thread's CPU is in the process time from here on
    }
    link.Close();
    const double simCpu = instrument.Stop();
    RunFigures figures;
    figures.ownerCorePercent = 100.0 * drained.ownerCpu / wall;
    figures.recorderCpuSeconds = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart - simCpu;
    figures.journalBytesPerSecond = static_cast<double>(journalBytes) / wall;
    figures.lost =
        static_cast<long long>(options.onlineCount) - measurement.GetCurve(0)->GetSampleCount();
    Results()[journaled ? 1 : 0] = figures;
    state.counters["owner_core_percent"] = figures.ownerCorePercent;
    state.counters["recorder_cpu_s"] = figures.recorderCpuSeconds;
    state.counters["journal_MB_per_s"] = figures.journalBytesPerSecond / 1e6;
    state.counters["lost"] = static_cast<double>(figures.lost);
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(BM_RecordingJournal)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const auto& results = Results();
  if (results.count(0) == 0 || results.count(1) == 0) return 0;
  const RunFigures& off = results.at(0);
  const RunFigures& on = results.at(1);
  const double overhead = 100.0 * (on.recorderCpuSeconds / off.recorderCpuSeconds - 1.0);
  bench::ReportLoad();
  std::printf("owning thread with journal: %.3f %% of one core (limit 2 %%): %s\n",
              on.ownerCorePercent, on.ownerCorePercent < 2.0 ? "met" : "NOT MET");
  std::printf("owning thread without journal: %.3f %% of one core\n", off.ownerCorePercent);
  std::printf("journal: %.2f MB/s to the disk\n", on.journalBytesPerSecond / 1e6);
  std::printf(
      "recorder CPU with / without journal: %.3f s / %.3f s = %+.1f %% (limit +10 %%): %s\n",
      on.recorderCpuSeconds, off.recorderCpuSeconds, overhead,
      overhead <= 10.0 ? "met" : "NOT MET");
  return 0;
}
