// Loading and saving a document of 10 million samples in 6 curves, each compared with
// plain block-wise reading or writing of the same number of bytes in the same run, and the
// resident memory a loaded sample costs. Then, as whole processes: `vantrel-cli convert` of
// that file (the program next to this one) against `cp` of it, and the peak resident memory
// per sample of a process that loads the whole document. Prints the figures as ratios at the
// end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ResidentMemory.h"
#include "TimingReporter.h"
#include "document/MeasurementArchive.h"

namespace {

namespace fs = std::filesystem;
using vantrel::document::ReadDocumentFile;
using vantrel::document::SaveDocumentFile;

constexpr long long kSamples = 10'000'000;
constexpr int kCurves = 6;
constexpr std::size_t kBlock = 64 * 1024;

fs::path Folder() {
  static const fs::path folder =
      fs::temp_directory_path() / ("vantrel-bench-" + std::to_string(getpid()));
  return folder;
}
fs::path ArchivePath() { return Folder() / "ten_million.vqb"; }
fs::path PlainPath() { return Folder() / "plain.bin"; }

std::unique_ptr<vantrel::model::CMessungObj> BigMeasurement() {
  auto m = std::make_unique<vantrel::model::CMessungObj>();
  for (int c = 0; c < kCurves; ++c) {
    m->AddYAxis()->SetRaw(4, 400.0F, 0.0F, 3, u"");
    vantrel::model::CKurveObj* curve = m->AddCurve();
    curve->SetName(u"Kanal " + std::u16string(1, static_cast<char16_t>(u'1' + c)));
    auto& samples = curve->MutableSamples();
    const long long count = kSamples / kCurves + (c < kSamples % kCurves ? 1 : 0);
    samples.reserve(static_cast<std::size_t>(count));
    for (long long i = 0; i < count; ++i) {
      const auto v = static_cast<float>((i * 7919 + c) % 4000) * 0.1F;
      samples.emplace_back(v - 0.5F, v + 0.5F, v);
    }
  }
  return m;
}

using vantrel::bench::ResidentBytes;

void ArchiveLoad(benchmark::State& state) {
  for (auto _ : state) {
    auto loaded = ReadDocumentFile(ArchivePath());
    benchmark::DoNotOptimize(loaded.measurement.get());
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations()) *
                          static_cast<long long>(fs::file_size(ArchivePath())));
}

void PlainRead(benchmark::State& state) {
  std::vector<unsigned char> block(kBlock);
  for (auto _ : state) {
    std::FILE* f = std::fopen(ArchivePath().c_str(), "rb");
    unsigned sum = 0;
    std::size_t got = 0;
    while ((got = std::fread(block.data(), 1, block.size(), f)) > 0) sum += block[got - 1];
    std::fclose(f);
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations()) *
                          static_cast<long long>(fs::file_size(ArchivePath())));
}

void ArchiveSave(benchmark::State& state) {
  const auto m = BigMeasurement();
  const fs::path target = Folder() / "saved.vqb";
  for (auto _ : state) SaveDocumentFile(target, *m, 0);
  state.SetBytesProcessed(static_cast<long long>(state.iterations()) *
                          static_cast<long long>(fs::file_size(target)));
}

void PlainWrite(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(fs::file_size(ArchivePath()));
  std::vector<unsigned char> block(kBlock, 0x5A);
  for (auto _ : state) {
    std::FILE* f = std::fopen(PlainPath().c_str(), "wb");
    for (std::size_t done = 0; done < size; done += block.size()) {
      std::fwrite(block.data(), 1, std::min(block.size(), size - done), f);
    }
    std::fclose(f);
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations()) *
                          static_cast<long long>(size));
}

/// Runs `argv` as a process; its wall time in ms and peak resident bytes (0 and 0 when it
/// could not run or failed).
struct ProcessRun {
  double ms = 0.0;
  long peakBytes = 0;
};
ProcessRun RunProcess(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  // Every run starts with nothing left to write from the one before: otherwise a run pays
  // for its predecessor's pending writes, and which one does is chance.
  ::sync();
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    // Only the time and memory count: what a command prints goes nowhere.
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) ::dup2(null, STDOUT_FILENO);
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return {};
  }
  return {
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
      usage.ru_maxrss * 1024L};
}

/// Whether two files hold the same bytes.
bool SameContent(const fs::path& a, const fs::path& b) {
  std::FILE* fa = std::fopen(a.c_str(), "rb");
  std::FILE* fb = std::fopen(b.c_str(), "rb");
  bool same = fa != nullptr && fb != nullptr;
  std::vector<char> ba(1 << 20);
  std::vector<char> bb(1 << 20);
  while (same) {
    const std::size_t na = std::fread(ba.data(), 1, ba.size(), fa);
    const std::size_t nb = std::fread(bb.data(), 1, bb.size(), fb);
    same = na == nb &&
           std::equal(ba.begin(), ba.begin() + static_cast<std::ptrdiff_t>(na), bb.begin());
    if (na == 0) break;
  }
  if (fa != nullptr) std::fclose(fa);
  if (fb != nullptr) std::fclose(fb);
  return same;
}

/// The best of `rounds` runs (the least disturbed by the machine's other work).
ProcessRun BestOf(int rounds, const std::vector<std::string>& argv) {
  ProcessRun best;
  for (int i = 0; i < rounds; ++i) {
    const ProcessRun run = RunProcess(argv);
    if (run.ms <= 0.0) return {};
    if (best.ms <= 0.0 || run.ms < best.ms) best.ms = run.ms;
    best.peakBytes = std::max(best.peakBytes, run.peakBytes);
  }
  return best;
}

BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ArchiveLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PlainWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ArchiveSave)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  fs::create_directories(Folder());
  {
    const auto m = BigMeasurement();
    SaveDocumentFile(ArchivePath(), *m, 0);
  }
  // The first load of the process also pays for the first touch of the sample memory.
  const long before = ResidentBytes();
  double perSample = 0.0;
  double firstLoadMs = 0.0;
  {
    const auto start = std::chrono::steady_clock::now();
    auto loaded = ReadDocumentFile(ArchivePath());
    firstLoadMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    perSample = static_cast<double>(ResidentBytes() - before) / static_cast<double>(kSamples);
    benchmark::DoNotOptimize(loaded.measurement.get());
  }
  auto times = vantrel::bench::RunBenchmarks(argc, argv);
  const auto ratio = [&](const char* a, const char* b) {
    const double tb = times[b].real;
    return tb > 0.0 ? times[a].real / tb : 0.0;
  };
  std::printf("\narchive: %lld samples in %d curves, %.1f MB file\n", kSamples, kCurves,
              static_cast<double>(fs::file_size(ArchivePath())) / 1e6);
  std::printf("archive: load / plain read   = %.2f (limit 3.00)\n",
              ratio("ArchiveLoad/real_time", "PlainRead/real_time"));
  std::printf("archive: save / plain write  = %.2f (limit 3.00)\n",
              ratio("ArchiveSave/real_time", "PlainWrite/real_time"));
  std::printf("archive: resident bytes per loaded sample in this process = %.2f\n", perSample);
  std::printf(
      "archive: first load in a fresh process = %.1f ms (%.2f x plain read)\n", firstLoadMs,
      firstLoadMs /
          (times["PlainRead/real_time"].real > 0.0 ? times["PlainRead/real_time"].real : 1.0));
  // Whole processes, alternating so that both see the same machine.
  const fs::path cli = fs::canonical("/proc/self/exe").parent_path() / "vantrel-cli";
  if (fs::exists(cli)) {
    const fs::path copy = Folder() / "copy.vqb";
    const fs::path converted = Folder() / "converted.vqb";
    ProcessRun cp;
    ProcessRun convert;
    for (int round = 0; round < 3; ++round) {
      const ProcessRun c = BestOf(1, {"cp", ArchivePath().string(), copy.string()});
      const ProcessRun v =
          BestOf(1, {cli.string(), "convert", ArchivePath().string(), converted.string()});
      if (c.ms <= 0.0 || v.ms <= 0.0) break;
      if (cp.ms <= 0.0 || c.ms < cp.ms) cp = c;
      if (convert.ms <= 0.0 || v.ms < convert.ms) convert.ms = v.ms;
      convert.peakBytes = std::max(convert.peakBytes, v.peakBytes);
    }
    // The samples' memory, as a whole process that holds them: `dump --no-samples` loads the
    // whole document and prints only its fields. The same command on a document of six
    // samples tells what the process costs without them.
    const fs::path small = Folder() / "small.vqb";
    {
      auto m = std::make_unique<vantrel::model::CMessungObj>();
      for (int c = 0; c < kCurves; ++c) m->AddCurve()->AddSample(0.0F, 1.0F, 0.5F);
      SaveDocumentFile(small, *m, 0);
    }
    const ProcessRun loaded =
        BestOf(1, {cli.string(), "dump", ArchivePath().string(), "--no-samples"});
    const ProcessRun empty = BestOf(1, {cli.string(), "dump", small.string(), "--no-samples"});
    if (cp.ms > 0.0 && convert.ms > 0.0 && loaded.ms > 0.0 && empty.ms > 0.0) {
      const double processRatio = convert.ms / cp.ms;
      std::printf("archive: whole process convert %.1f ms / cp %.1f ms = %.2f (limit 3.00): %s\n",
                  convert.ms, cp.ms, processRatio, processRatio <= 3.0 ? "met" : "NOT MET");
      std::printf("archive: convert process peak resident %.1f MB (the samples pass through)\n",
                  static_cast<double>(convert.peakBytes) / 1e6);
      const double peak = static_cast<double>(loaded.peakBytes) / static_cast<double>(kSamples);
      const double added =
          static_cast<double>(loaded.peakBytes - empty.peakBytes) / static_cast<double>(kSamples);
      std::printf(
          "archive: process holding the loaded document (dump --no-samples) peak resident "
          "%.1f MB = %.2f bytes per sample (limit 12.5): %s\n",
          static_cast<double>(loaded.peakBytes) / 1e6, peak, peak <= 12.5 ? "met" : "NOT MET");
      std::printf(
          "archive: of which the program without samples %.1f MB; the samples add %.2f bytes "
          "each (limit 12.5): %s\n",
          static_cast<double>(empty.peakBytes) / 1e6, added, added <= 12.5 ? "met" : "NOT MET");
      std::printf("archive: converted file %s the original\n",
                  SameContent(converted, ArchivePath()) ? "is byte for byte" : "DIFFERS from");
    } else {
      std::printf("archive: whole process figures not measured (%s failed)\n", cli.c_str());
    }
  }
  double load = 0.0;
  if (std::FILE* file = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(file, "%lf", &load) != 1) load = 0.0;
    std::fclose(file);
  }
  std::printf("machine load (1 min): %.2f\n", load);
  fs::remove_all(Folder());
  return 0;
}
