// CSV export of 10 million samples (four curves of 2.5 million) to a file, against writing
// the same number of bytes with plain buffered output. The export benchmark also times the
// plain write itself and reports the ratio as the counter "vs_plain".
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/CMessungObj.h"
#include "platform/TextSource.h"
#include "tables/CsvExport.h"

namespace {

namespace fs = std::filesystem;
using vantrel::model::CMessungObj;

constexpr int kCurves = 4;
constexpr std::size_t kSamplesPerCurve = 2'500'000;

class NumberTexts final : public vantrel::platform::TextSource {
 public:
  std::u16string Text(int id) const override {
    std::u16string text;
    for (char c : std::to_string(id)) text.push_back(static_cast<char16_t>(c));
    return text;
  }
};

const CMessungObj& Measurement() {
  static const std::unique_ptr<CMessungObj> measurement = [] {
    auto m = std::make_unique<CMessungObj>();
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0.0F, 2.0F);
    for (int c = 0; c < kCurves; ++c) {
      vantrel::model::CKurveObj& curve = *m->AddCurve();
      curve.SetSampleInterval(0.001);
      auto& samples = curve.MutableSamples();
      samples.resize(kSamplesPerCurve);
      for (std::size_t i = 0; i < kSamplesPerCurve; ++i) {
        const float base = 250.0F * static_cast<float>(std::sin(static_cast<double>(i) * 1e-4 + c));
        const float low = base - std::fabs(noise(random));
        const float high = base + std::fabs(noise(random));
        samples[i].Set(low, high, base);
      }
    }
    return m;
  }();
  return *measurement;
}

fs::path Target(const char* name) { return fs::temp_directory_path() / name; }

std::uintmax_t ExportSize() {
  static const std::uintmax_t size = [] {
    const fs::path path = Target("vantrel-bench-size.csv");
    vantrel::tables::ExportCsvFile(Measurement(), path, NumberTexts(), {});
    const std::uintmax_t bytes = fs::file_size(path);
    fs::remove(path);
    return bytes;
  }();
  return size;
}

// Writes `bytes` bytes in pieces of one data row through the C library's buffered output.
void PlainWrite(const fs::path& path, std::uintmax_t bytes) {
  const std::string row(11 * (1 + 4 * kCurves), '7');
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  std::uintmax_t left = bytes;
  while (left > 0) {
    const std::size_t n = left < row.size() ? static_cast<std::size_t>(left) : row.size();
    std::fwrite(row.data(), 1, n, file);
    left -= n;
  }
  std::fclose(file);
}

void BM_PlainBufferedWrite(benchmark::State& state) {
  const std::uintmax_t bytes = ExportSize();
  const fs::path path = Target("vantrel-bench-plain.csv");
  for (auto _ : state) PlainWrite(path, bytes);
  fs::remove(path);
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}

void BM_CsvExport(benchmark::State& state) {
  const CMessungObj& measurement = Measurement();
  const std::uintmax_t bytes = ExportSize();
  const NumberTexts texts;
  vantrel::tables::TextConventions conventions;
  conventions.decimalSeparator = ',';
  const fs::path path = Target("vantrel-bench-export.csv");
  const fs::path plainPath = Target("vantrel-bench-plain-ref.csv");
  double exportSeconds = 0.0;
  double plainSeconds = 0.0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    vantrel::tables::ExportCsvFile(measurement, path, texts, conventions);
    exportSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.PauseTiming();
    start = std::chrono::steady_clock::now();
    PlainWrite(plainPath, bytes);
    plainSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.ResumeTiming();
  }
  fs::remove(path);
  fs::remove(plainPath);
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
  state.counters["samples"] = static_cast<double>(kCurves * kSamplesPerCurve);
  state.counters["vs_plain"] = exportSeconds / plainSeconds;
}

BENCHMARK(BM_PlainBufferedWrite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
