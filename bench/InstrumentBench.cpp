// Instrument link throughput over a real pseudo-terminal with the simulated instrument
// sending as fast as it can: the memory readout's host throughput and its CPU time against
// the wire time the same bytes take at 38400 baud; and online recording of 6 channels at
// 10 000 sample sets per second, checking that no set is lost or reordered and measuring
// the owning thread's share (queue drain + append) of one core.
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <cstdlib>

#include "OnlineDrain.h"
#include "SimHarness.h"
#include "instrument/CInstrumentLink.h"

namespace {

using namespace vantrel;

double ThreadCpuSeconds() { return bench::CpuSeconds(CLOCK_THREAD_CPUTIME_ID); }

void BM_BlockReadout(benchmark::State& state) {
  sim::SimOptions options;
  options.measurements = sim::GenerateMeasurements(10, 6, 10000, 11);
  sim::SimHarness instrument(options);
  double cpu = 0.0;
  double wall = 0.0;
  double bytes = 0.0;
  for (auto _ : state) {
    const std::uint64_t before = instrument.Statistics().bytesSent;
    instrument::CInstrumentLink link(nullptr);
    link.SetPortSettings(instrument.Path(), 38400);
    if (!link.Open(0)) state.SkipWithError("port");
    instrument::ReadoutList list;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuSeconds();
    const int read = link.ReadMemory(list, {});
    cpu += ThreadCpuSeconds() - cpuStart;
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    link.Close();
    if (read != 10) state.SkipWithError("incomplete readout");
    bytes += static_cast<double>(instrument.Statistics().bytesSent - before);
  }
  const double wire = bytes * 10.0 / 38400.0;  // 8N1: ten bit times per byte
  state.counters["host_MB_per_s"] = bytes / wall / 1e6;
  state.counters["wire_over_cpu"] = wire / cpu;
  state.counters["MB_per_readout"] = bytes / static_cast<double>(state.iterations()) / 1e6;
}
BENCHMARK(BM_BlockReadout)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_OnlineRecording(benchmark::State& state) {
  const char* secondsText = std::getenv("VANTREL_ONLINE_SECONDS");
  const double seconds = secondsText != nullptr ? std::atof(secondsText) : 3.0;
  for (auto _ : state) {
    sim::SimOptions options = bench::FastStream(seconds);
    options.onlineCounting = true;
    sim::SimHarness instrument(options);
    instrument::CInstrumentLink link(nullptr);
    model::CMessungObj measurement;
    if (!bench::StartRecording(link, instrument.Path(), measurement)) {
      state.SkipWithError("start");
      break;
    }
    const bench::DrainFigures drained =
        bench::DrainLikeTheChart(link, static_cast<long long>(options.onlineCount), seconds);
    link.StopOnline();
    // Every curve holds the sets 0, 1, 2, ... in order.
    long long disorder = 0;
    for (int j = 0; j < measurement.GetCurveCount(); ++j) {
      const auto& samples = measurement.GetCurve(j)->Samples();
      for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i].value != static_cast<float>(i % 10000000)) ++disorder;
      }
    }
    state.counters["sets_sent"] = static_cast<double>(instrument.Statistics().onlineSetsSent);
    state.counters["sets_received"] =
        static_cast<double>(measurement.GetCurve(0)->GetSampleCount());
    state.counters["lost"] = static_cast<double>(options.onlineCount) -
                             static_cast<double>(measurement.GetCurve(0)->GetSampleCount());
    state.counters["out_of_order"] = static_cast<double>(disorder);
    state.counters["owner_core_percent"] = 100.0 * drained.ownerCpu / drained.wallSeconds;
    state.counters["seconds"] = drained.wallSeconds;
  }
}
BENCHMARK(BM_OnlineRecording)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
