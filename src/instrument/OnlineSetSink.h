// Receives, on the thread that owns a recorded measurement, every sample set the online
// recording appends to it, in the same order, right after they were appended (the
// recording journal keeps them so that a crashed run can be rebuilt).
#pragma once

#include <span>

#include "instrument/OnlineFormats.h"

namespace vantrel::instrument {

class OnlineSetSink {
 public:
  virtual ~OnlineSetSink() = default;
  /// `sets` were just appended; only their first `channelCount` channel slots are used.
  /// Must return quickly: it runs on the owning thread's timer tick.
  virtual void SetsAppended(std::span<const OnlineSampleSet> sets, int channelCount) = 0;
};

}  // namespace vantrel::instrument
