#include "ChartBenchData.h"

#include <cstdio>
#include <map>
#include <memory>
#include <random>

#include "TimingReporter.h"

namespace vantrel::bench {
namespace {

constexpr int kCurves = 6;

std::unique_ptr<model::CMessungObj> MakeMeasurement(long long samples) {
  auto m = std::make_unique<model::CMessungObj>();
  for (int a = 0; a < 2; ++a) {
    model::CAchse* axis = m->AddYAxis();
    axis->SetMin(-100.0F);
    axis->SetMax(100.0F);
  }
  m->GetXAxis().SetMax(600.0F);
  std::mt19937 random(7);
  std::normal_distribution<float> step(0.0F, 0.3F);
  for (int c = 0; c < kCurves; ++c) {
    model::CKurveObj* curve = m->AddCurve();
    curve->SetAxisIndex(c % 2);
    curve->SetColor(static_cast<platform::Color>(0x3070F0 + c * 0x202020));
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

}  // namespace

model::CMessungObj& Measurement(long long samples) {
  static std::map<long long, std::unique_ptr<model::CMessungObj>> cache;
  std::unique_ptr<model::CMessungObj>& m = cache[samples];
  if (!m) m = MakeMeasurement(samples);
  return *m;
}

int ReportRatio(const std::map<std::string, Timing>& times, const std::string& what,
                const std::string& shortCurves, const std::string& longCurves, double limit) {
  const auto shortTime = times.find(shortCurves);
  const auto longTime = times.find(longCurves);
  if (shortTime == times.end() || longTime == times.end()) return 0;
  const double ratio = longTime->second.real / shortTime->second.real;
  const double cpuRatio = longTime->second.cpu / shortTime->second.cpu;
  std::printf(
      "%s: redraw of 6 x 10 000 000 samples %.2f ms, of 6 x 10 000 samples %.2f ms: ratio "
      "%.2f (CPU time %.2f; required: at most %.0f) %s\n",
      what.c_str(), longTime->second.real, shortTime->second.real, ratio, cpuRatio, limit,
      ratio <= limit ? "met" : "NOT MET");
  return ratio <= limit ? 0 : 1;
}

int RunAndReportRatio(int argc, char** argv, const std::string& what,
                      const std::string& shortCurves, const std::string& longCurves) {
  return ReportRatio(RunBenchmarks(argc, argv), what, shortCurves, longCurves, 2.0);
}

}  // namespace vantrel::bench
