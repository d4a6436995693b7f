#include "chart/SummaryBuild.h"

#include <algorithm>
#include <new>
#include <system_error>

namespace vantrel::chart {

SummaryBuild::SummaryBuild(std::vector<Job> jobs, unsigned threads)
    : jobs_(std::move(jobs)), count_(jobs_.size()) {
  std::stable_sort(jobs_.begin(), jobs_.end(), [](const Job& a, const Job& b) {
    return a.samples->size() > b.samples->size();
  });
  const auto count = std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(jobs_.size(), 1));
  workers_.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    try {
      workers_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
      break;  // no more threads: those started do the work
    }
  }
  if (workers_.empty()) Work();  // not even one: the work is done here
}

SummaryBuild::~SummaryBuild() {
  for (std::thread& worker : workers_) {
    if (worker.joinable()) worker.join();
  }
}

void SummaryBuild::Work() {
  for (;;) {
    const std::size_t i = next_.fetch_add(1, std::memory_order_relaxed);
    if (i >= jobs_.size()) return;
    Job& job = jobs_[i];
    try {
      job.summary->Update(*job.samples, job.valueMode, job.yOffset, job.xOffset, job.interval);
    } catch (const std::bad_alloc&) {
      // Left empty: the drawing builds it again on its own thread, where running out of
      // memory is reported as for any drawing.
      job.summary->Reset();
    }
    done_.fetch_add(1, std::memory_order_release);
  }
}

bool SummaryBuild::Has(const model::CKurveObj* curve) const {
  return std::any_of(jobs_.begin(), jobs_.end(),
                     [curve](const Job& job) { return job.curve == curve; });
}

std::vector<SummaryBuild::Job> SummaryBuild::Take() {
  for (std::thread& worker : workers_) {
    if (worker.joinable()) worker.join();
  }
  return std::move(jobs_);
}

unsigned SummaryBuild::Cores() { return std::max(1U, std::thread::hardware_concurrency()); }

}  // namespace vantrel::chart
