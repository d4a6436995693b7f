// Redrawing the chart window's picture: as the window renders it, its 1920 x 1080 image filled
// white, then the chart drawn through the QPainter canvas; six curves of ten million samples
// against six of ten thousand, with the curve summaries already built.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "ChartBenchData.h"
#include "chart/ChartPainter.h"
#include "gui/platform/QtCanvas.h"

namespace {

using vantrel::bench::kScreenHeight;
using vantrel::bench::kScreenWidth;

void RenderPicture(QImage& picture, vantrel::chart::ChartPainter& chart,
                   vantrel::model::CMessungObj& m) {
  const vantrel::bench::NoTexts texts;
  picture.fill(Qt::white);
  {
    QPainter painter(&picture);
    vantrel::gui::QtCanvas canvas(painter);
    chart.Draw(canvas, m, {0, 0, kScreenWidth, kScreenHeight}, texts, '.');
  }
  benchmark::DoNotOptimize(picture.constBits());
}

void WindowRedraw(benchmark::State& state) {
  vantrel::model::CMessungObj& m = vantrel::bench::Measurement(state.range(0));
  vantrel::chart::ChartPainter chart;
  QImage picture(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
  RenderPicture(picture, chart, m);  // builds the summaries
  for (auto _ : state) RenderPicture(picture, chart, m);
}
BENCHMARK(WindowRedraw)->Arg(10000)->Arg(10000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication application(argc, argv);
  return vantrel::bench::RunAndReportRatio(argc, argv, "chart window picture", "WindowRedraw/10000",
                                           "WindowRedraw/10000000");
}
