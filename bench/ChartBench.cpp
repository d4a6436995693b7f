// Redrawing a 1920 x 1080 chart of six curves on the raster canvas: ten million samples per
// curve against ten thousand, with the curve summaries already built (a repaint), also on a
// picture 2048 pixels wide, plus the first drawing that builds them and the sample-by-sample
// reference; the first drawing is compared with one sequential pass over the same samples
// (their smallest and largest value), which is about what the memory allows.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <limits>

#include "ChartBenchData.h"
#include "TimingReporter.h"
#include "chart/ChartPainter.h"
#include "platform/RasterCanvas.h"

namespace {

using vantrel::bench::kScreenHeight;
using vantrel::bench::kScreenWidth;
using vantrel::bench::Measurement;
using vantrel::bench::NoTexts;
using vantrel::chart::ChartPainter;
using vantrel::chart::CurveMode;
using vantrel::model::CMessungObj;
using vantrel::platform::RasterCanvas;

constexpr vantrel::platform::Size kScreen{kScreenWidth, kScreenHeight};

void Redraw(benchmark::State& state) {
  CMessungObj& m = Measurement(state.range(0));
  const NoTexts texts;
  RasterCanvas canvas(kScreen);
  ChartPainter painter;
  painter.Draw(canvas, m, {0, 0, kScreen.cx, kScreen.cy}, texts, '.');  // builds the summaries
  for (auto _ : state) {
    painter.Draw(canvas, m, {0, 0, kScreen.cx, kScreen.cy}, texts, '.');
    benchmark::DoNotOptimize(canvas.Pixels().data());
  }
}
BENCHMARK(Redraw)->Arg(10000)->Arg(10000000)->Unit(benchmark::kMillisecond);

/// The same redraw on a picture 2048 pixels wide: every row is 8 KiB long, so the rows of one
/// column fall into the same sets of the processor's first-level cache, which the painting
/// of dense vertical runs must not suffer from.
void RedrawWide(benchmark::State& state) {
  CMessungObj& m = Measurement(state.range(0));
  const NoTexts texts;
  const vantrel::platform::Size wide{2048, kScreenHeight};
  RasterCanvas canvas(wide);
  ChartPainter painter;
  painter.Draw(canvas, m, {0, 0, wide.cx, wide.cy}, texts, '.');
  for (auto _ : state) {
    painter.Draw(canvas, m, {0, 0, wide.cx, wide.cy}, texts, '.');
    benchmark::DoNotOptimize(canvas.Pixels().data());
  }
}
BENCHMARK(RedrawWide)->Arg(10000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void RedrawZoomed(benchmark::State& state) {
  CMessungObj& m = Measurement(state.range(0));
  const NoTexts texts;
  RasterCanvas canvas(kScreen);
  ChartPainter painter;
  m.SetZoom(8.0, 1.0);
  m.SetScroll(0.5, 0.0);
  painter.Draw(canvas, m, {0, 0, kScreen.cx, kScreen.cy}, texts, '.');
  for (auto _ : state) {
    painter.Draw(canvas, m, {0, 0, kScreen.cx, kScreen.cy}, texts, '.');
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
    painter.Draw(canvas, m, {0, 0, kScreen.cx, kScreen.cy}, texts, '.');
    benchmark::DoNotOptimize(canvas.Pixels().data());
  }
}
BENCHMARK(FirstDraw)->Arg(10000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(3);

/// One pass over every sample of the six curves: the smallest and largest value, in eight
/// independent lanes and with the samples ahead fetched, so that the pass runs at the speed
/// of memory rather than of one chain of comparisons.
void OnePass(benchmark::State& state) {
  const CMessungObj& m = Measurement(state.range(0));
  for (auto _ : state) {
    float lo[8];
    float hi[8];
    std::fill(lo, lo + 8, std::numeric_limits<float>::infinity());
    std::fill(hi, hi + 8, -std::numeric_limits<float>::infinity());
    for (const auto& curve : m.Curves()) {
      const auto& samples = curve->Samples();
      const std::size_t n = samples.size() / 8 * 8;
      for (std::size_t i = 0; i < n; i += 8) {
        __builtin_prefetch(&samples[i] + 256);
        for (std::size_t k = 0; k < 8; ++k) {
          const float v = samples[i + k].value;
          lo[k] = v < lo[k] ? v : lo[k];
          hi[k] = v > hi[k] ? v : hi[k];
        }
      }
    }
    benchmark::DoNotOptimize(lo);
    benchmark::DoNotOptimize(hi);
  }
}
BENCHMARK(OnePass)->Arg(10000000)->Unit(benchmark::kMillisecond);

void RedrawSampleBySample(benchmark::State& state) {
  CMessungObj& m = Measurement(state.range(0));
  const NoTexts texts;
  RasterCanvas canvas(kScreen);
  ChartPainter painter;
  painter.SetCurveMode(CurveMode::Literal);
  for (auto _ : state) {
    painter.Draw(canvas, m, {0, 0, kScreen.cx, kScreen.cy}, texts, '.');
    benchmark::DoNotOptimize(canvas.Pixels().data());
  }
}
BENCHMARK(RedrawSampleBySample)
    ->Arg(10000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  const auto times = vantrel::bench::RunBenchmarks(argc, argv);
  const auto first = times.find("FirstDraw/10000000/iterations:3");
  const auto pass = times.find("OnePass/10000000");
  int status =
      vantrel::bench::ReportRatio(times, "raster canvas", "Redraw/10000", "Redraw/10000000", 3.0);
  if (vantrel::bench::ReportRatio(times, "raster canvas 2048 pixels wide", "RedrawWide/10000",
                                  "RedrawWide/10000000", 3.0) != 0) {
    status = 1;
  }
  if (first != times.end() && pass != times.end()) {
    const double ratio = first->second.real / pass->second.real;
    std::printf(
        "raster canvas: first drawing of 6 x 10 000 000 samples %.1f ms, one pass over them "
        "%.1f ms: ratio %.2f (required: at most 2) %s\n",
        first->second.real, pass->second.real, ratio, ratio <= 2.0 ? "met" : "NOT MET");
    if (ratio > 2.0) status = 1;
  }
  return status;
}
