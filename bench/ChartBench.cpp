// Redrawing a 1920 x 1080 chart of six curves on the raster canvas: ten million samples per
// curve against ten thousand, with the curve summaries already built (a repaint), plus the
// first drawing that builds them and the sample-by-sample reference for the short curves.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "chart/ChartPainter.h"
#include "platform/RasterCanvas.h"

namespace {

using vantrel::chart::ChartPainter;
using vantrel::chart::CurveMode;
using vantrel::model::CMessungObj;
using vantrel::platform::RasterCanvas;

class NoTexts final : public vantrel::platform::TextSource {
 public:
  std::u16string Text(int) const override { return u"bar"; }
};

constexpr vantrel::platform::Size kScreen{1920, 1080};
constexpr int kCurves = 6;

/// A measurement of six random-walk curves of `samples` samples over 600 s on two axes.
std::unique_ptr<CMessungObj> MakeMeasurement(long long samples) {
  auto m = std::make_unique<CMessungObj>();
  for (int a = 0; a < 2; ++a) {
    vantrel::model::CAchse* axis = m->AddYAxis();
    axis->SetMin(-100.0F);
    axis->SetMax(100.0F);
  }
  m->GetXAxis().SetMax(600.0F);
  std::mt19937 random(7);
  std::normal_distribution<float> step(0.0F, 0.3F);
  for (int c = 0; c < kCurves; ++c) {
    vantrel::model::CKurveObj* curve = m->AddCurve();
    curve->SetAxisIndex(c % 2);
    curve->SetColor(static_cast<vantrel::platform::Color>(0x3070F0 + c * 0x202020));
    curve->SetSampleInterval(600.0 / static_cast<double>(samples));
    curve->MutableSamples().reserve(static_cast<std::size_t>(samples));
    float v = static_cast<float>(c * 10 - 30);
    for (long long i = 0; i < samples; ++i) {
      v += step(random);
      if (v > 95.0F || v < -95.0F) v *= 0.9F;
      curve->AddSample(v - 0.5F, v + 0.5F, v);
    }
  }
  m->SetCursors(0.25, 0.75);
  return m;
}

CMessungObj& Measurement(long long samples) {
  static std::map<long long, std::unique_ptr<CMessungObj>> cache;
  std::unique_ptr<CMessungObj>& m = cache[samples];
  if (!m) m = MakeMeasurement(samples);
  return *m;
}

void Redraw(benchmark::State& state) {
  CMessungObj& m = Measurement(state.range(0));
  const NoTexts texts;
  RasterCanvas canvas(kScreen);
  ChartPainter painter;
  painter.Draw(canvas, m, {0, 0, kScreen.cx, kScreen.cy}, texts);  // builds the summaries
  for (auto _ : state) {
    painter.Draw(canvas, m, {0, 0, kScreen.cx, kScreen.cy}, texts);
    benchmark::DoNotOptimize(canvas.Pixels().data());
  }
}
BENCHMARK(Redraw)->Arg(10000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void RedrawZoomed(benchmark::State& state) {
  CMessungObj& m = Measurement(state.range(0));
  const NoTexts texts;
  RasterCanvas canvas(kScreen);
  ChartPainter painter;
  m.SetZoom(8.0, 1.0);
  m.SetScroll(0.5, 0.0);
  painter.Draw(canvas, m, {0, 0, kScreen.cx, kScreen.cy}, texts);
  for (auto _ : state) {
    painter.Draw(canvas, m, {0, 0, kScreen.cx, kScreen.cy}, texts);
    benchmark::DoNotOptimize(canvas.Pixels().data());
  }
  m.SetZoom(1.0, 1.0);
  m.SetScroll(0.0, 0.0);
}
BENCHMARK(RedrawZoomed)->Arg(10000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void FirstDraw(benchmark::State& state) {
  CMessungObj& m = Measurement(state.range(0));
  const NoTexts texts;
  RasterCanvas canvas(kScreen);
  for (auto _ : state) {
    ChartPainter painter;
    painter.Draw(canvas, m, {0, 0, kScreen.cx, kScreen.cy}, texts);
    benchmark::DoNotOptimize(canvas.Pixels().data());
  }
}
BENCHMARK(FirstDraw)->Arg(10000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(3);

void RedrawSampleBySample(benchmark::State& state) {
  CMessungObj& m = Measurement(state.range(0));
  const NoTexts texts;
  RasterCanvas canvas(kScreen);
  ChartPainter painter;
  painter.SetCurveMode(CurveMode::Literal);
  for (auto _ : state) {
    painter.Draw(canvas, m, {0, 0, kScreen.cx, kScreen.cy}, texts);
    benchmark::DoNotOptimize(canvas.Pixels().data());
  }
}
BENCHMARK(RedrawSampleBySample)
    ->Arg(10000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

/// Console output, and the real time per iteration of every benchmark by name.
class TimingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const auto shortCurves = reporter.times.find("Redraw/10000");
  const auto longCurves = reporter.times.find("Redraw/10000000");
  if (shortCurves == reporter.times.end() || longCurves == reporter.times.end()) return 0;
  const double ratio = longCurves->second / shortCurves->second;
  std::printf(
      "redraw of 6 x 10 000 000 samples %.2f ms, of 6 x 10 000 samples %.2f ms: ratio %.2f "
      "(required: at most 2) %s\n",
      longCurves->second, shortCurves->second, ratio, ratio <= 2.0 ? "met" : "NOT MET");
  return ratio <= 2.0 ? 0 : 1;
}
