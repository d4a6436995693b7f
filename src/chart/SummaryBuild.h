// Building the summaries of several curves at once, on worker threads: one pass over each
// curve's samples, the curves shared among as many threads as the processor has cores
// (largest first, so that the threads finish together). A build owns the summaries while
// it runs and hands them back when taken; the samples it reads must stay alive and unchanged
// until then. Used both for the first drawing of long curves (the drawing waits) and for a
// document just opened (the window goes on while the summaries are built).
#pragma once

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "chart/CurveSummary.h"
#include "model/CKurveObj.h"

namespace vantrel::chart {

class SummaryBuild {
 public:
  /// One curve's summary to bring up to date, with what CurveSummary::Update takes.
  struct Job {
    const model::CKurveObj* curve = nullptr;
    std::unique_ptr<CurveSummary> summary;
    const std::vector<model::CValueObj>* samples = nullptr;
    int valueMode = 0;
    float yOffset = 0.0F;
    double xOffset = 0.0;
    double interval = 0.0;
  };

  /// Starts the jobs on up to `threads` worker threads (at least one).
  SummaryBuild(std::vector<Job> jobs, unsigned threads);
  /// Waits for the workers.
  ~SummaryBuild();
  SummaryBuild(const SummaryBuild&) = delete;
  SummaryBuild& operator=(const SummaryBuild&) = delete;

  /// True once every job is done (then Take does not wait).
  bool Ready() const { return done_.load(std::memory_order_acquire) == count_; }
  /// Whether `curve` is one of the jobs.
  bool Has(const model::CKurveObj* curve) const;
  /// Waits for every job and hands the jobs back with their summaries up to date.
  std::vector<Job> Take();

  /// Threads worth using on this processor.
  static unsigned Cores();

 private:
  void Work();

  std::vector<Job> jobs_;
  std::size_t count_;
  std::atomic<std::size_t> next_{0};
  std::atomic<std::size_t> done_{0};
  std::vector<std::thread> workers_;
};

}  // namespace vantrel::chart
