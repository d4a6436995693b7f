// Loading and saving a document of 10 million samples in 6 curves, each compared with
// plain block-wise reading or writing of the same number of bytes in the same run, and the
// resident memory a loaded sample costs. Prints the figures as ratios at the end.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

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

long ResidentBytes() {
  long pages = 0;
  long resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

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
  std::printf("archive: resident bytes per loaded sample = %.2f (limit 13)\n", perSample);
  std::printf("archive: first load in a fresh process = %.1f ms (%.2f x plain read)\n", firstLoadMs,
              firstLoadMs / (times["PlainRead/real_time"].real > 0.0
                                 ? times["PlainRead/real_time"].real
                                 : 1.0));
  fs::remove_all(Folder());
  return 0;
}
