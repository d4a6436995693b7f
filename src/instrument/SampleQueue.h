// Hands parsed sample sets from the online worker thread to the thread that owns the
// recorded measurement, in arrival order, together with how the worker ended.
#pragma once

#include <mutex>
#include <vector>

#include "instrument/OnlineFormats.h"

namespace vantrel::instrument {

class SampleQueue {
 public:
  /// How the worker ended, as seen by the owning thread.
  enum class End { kRunning, kStopped, kFailed };

  void Push(const OnlineSampleSet& set) {
    std::lock_guard lock(mutex_);
    sets_.push_back(set);
  }
  /// Marks the end of the stream; `failed` when a read failed (message 32903).
  void Finish(bool failed) {
    std::lock_guard lock(mutex_);
    end_ = failed ? End::kFailed : End::kStopped;
  }
  /// Moves every queued set to `out` (which is emptied first) and returns the end state.
  End TakeAll(std::vector<OnlineSampleSet>& out) {
    out.clear();
    std::lock_guard lock(mutex_);
    out.swap(sets_);
    return end_;
  }

 private:
  std::mutex mutex_;
  std::vector<OnlineSampleSet> sets_;
  End end_ = End::kRunning;
};

}  // namespace vantrel::instrument
