// Redrawing a 1920 x 1080 chart of six curves on the raster canvas: ten million samples per
// curve against ten thousand, with the curve summaries already built (a repaint), plus the
// first drawing that builds them and the sample-by-sample reference.
#include <benchmark/benchmark.h>

#include "ChartBenchData.h"
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
  return vantrel::bench::RunAndReportRatio(argc, argv, "raster canvas", "Redraw/10000",
                                           "Redraw/10000000");
}
