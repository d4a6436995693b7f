// Evaluation of a formula over three curves of ten million samples each: the literal
// scanner, sample by sample as the formula dialog runs it, against the compiled program.
// After the runs it prints the speed ratio and checks that both gave the same bits.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "TimingReporter.h"
#include "formula/FormulaContext.h"
#include "formula/FormulaCurves.h"
#include "formula/FormulaProgram.h"
#include "model/CMessungObj.h"

namespace {

using vantrel::formula::FormulaContext;
using vantrel::formula::FormulaProgram;

constexpr long long kSamples = 10'000'000;
const std::u16string kFormula = u"(I1-I2)*I3+2.5";

/// Three curves of random samples and the results of the last run of each evaluator.
struct Workload {
  vantrel::model::CMessungObj measurement;
  std::vector<double> literal;
  std::vector<double> compiled;

  Workload() {
    std::mt19937 rng(42);
    std::uniform_real_distribution<float> value(-100.0F, 100.0F);
    for (int c = 0; c < 3; ++c) {
      vantrel::model::CKurveObj* curve = measurement.AddCurve();
      curve->SetSampleInterval(0.01);
      auto& samples = curve->MutableSamples();
      samples.resize(static_cast<std::size_t>(kSamples));
      for (auto& s : samples) s.Set(value(rng), value(rng), value(rng));
    }
  }
};

Workload& Data() {
  static Workload workload;
  return workload;
}

void LiteralScanner(benchmark::State& state) {
  Workload& data = Data();
  data.literal.assign(static_cast<std::size_t>(kSamples), 0.0);
  for (auto _ : state) {
    FormulaContext context(data.measurement);
    context.SetFormula(kFormula);
    if (context.CheckFormula() != 1) state.SkipWithError("formula refused");
    for (std::size_t i = 0; i < data.literal.size(); ++i) {
      if (context.EvaluateFormula(&data.literal[i], kFormula, 0, 0) < 1) {
        state.SkipWithError("evaluation failed");
        break;
      }
      context.AdvanceReadPositions(true);
    }
    benchmark::DoNotOptimize(data.literal.data());
  }
  state.SetItemsProcessed(state.iterations() * kSamples);
}

void CompiledProgram(benchmark::State& state) {
  Workload& data = Data();
  data.compiled.assign(static_cast<std::size_t>(kSamples), 0.0);
  std::vector<int> results(static_cast<std::size_t>(kSamples));
  for (auto _ : state) {
    FormulaContext context(data.measurement);
    context.SetFormula(kFormula);
    if (context.CheckFormula() != 1) state.SkipWithError("formula refused");
    long long iterations = 0;
    const auto slots = vantrel::formula::SlotsFromReadPositions(context, true, &iterations);
    const FormulaProgram program = FormulaProgram::Compile(kFormula);
    program.Evaluate(slots, 0, 0, static_cast<std::size_t>(iterations), data.compiled.data(),
                     results.data());
    benchmark::DoNotOptimize(data.compiled.data());
  }
  state.SetItemsProcessed(state.iterations() * kSamples);
}

BENCHMARK(LiteralScanner)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(CompiledProgram)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  const auto times = vantrel::bench::RunBenchmarks(argc, argv);
  const auto literal = times.find("LiteralScanner/iterations:1");
  const auto compiled = times.find("CompiledProgram/min_time:2.000");
  if (literal == times.end() || compiled == times.end()) return 0;
  const Workload& data = Data();
  const bool identical = data.literal.size() == data.compiled.size() &&
                         std::memcmp(data.literal.data(), data.compiled.data(),
                                     data.literal.size() * sizeof(double)) == 0;
  const double ratio = literal->second.real / compiled->second.real;
  std::printf(
      "literal %.1f ms, compiled %.1f ms per %lld samples (real time): compiled is %.1fx "
      "faster, %.1fx by CPU time (required: 20x) %s; results %s\n",
      literal->second.real, compiled->second.real, kSamples, ratio,
      literal->second.cpu / compiled->second.cpu, ratio >= 20.0 ? "met" : "NOT MET",
      identical ? "bit-identical" : "DIFFER");
  return identical && ratio >= 20.0 ? 0 : 1;
}
