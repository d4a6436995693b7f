// What the chart keeps per curve to draw long recordings quickly: a min/max pyramid of the
// plotted values (8 samples per block on the first level, 8 blocks per block above) and
// the exact time of every 32nd sample as the curve drawing accumulates it (the first
// sample's offset plus the interval, added once per sample in double precision). Both are
// extended when samples are appended and rebuilt when the value mode, the offsets, the
// interval change or the curve got shorter. Contents changed in place (filters, edits) are
// not detected: the owner calls Reset on every change of the document.
//
// A pyramid rather than a per-draw aggregation: a redraw then costs O(columns x log n)
// instead of O(visible samples), which keeps a fully zoomed-out chart of tens of millions
// of samples as fast as a short one; the price is about 1/10 of the sample memory in
// blocks and 1/48 in time stamps, and one pass over new samples as they arrive.
#pragma once

#include <cstdint>
#include <vector>

#include "model/CKurveObj.h"

namespace vantrel::chart {

class CurveSummary {
 public:
  /// Samples per first-level block and blocks per block of the next level.
  static constexpr long long kFanOut = 8;
  /// Distance of two stored sample times.
  static constexpr long long kTimeStride = 32;

  /// Brings the summary up to date with `samples` plotted in `valueMode` with `yOffset`,
  /// sample 0 at `xOffset` and `interval` seconds between samples. `samples` must stay
  /// alive and unchanged until the next Update.
  void Update(const std::vector<model::CValueObj>& samples, int valueMode, float yOffset,
              double xOffset, double interval);
  /// How many samples an Update with these arguments would summarise (0: none, it is up
  /// to date).
  long long Outstanding(const std::vector<model::CValueObj>& samples, int valueMode, float yOffset,
                        double xOffset, double interval) const;
  /// Forgets everything (the next Update rebuilds).
  void Reset();

  long long Count() const { return count_; }
  /// Changes whenever the summarised samples or their plotting change.
  std::uint64_t Generation() const { return generation_; }

  /// The polyline steps of the last column drawing, replayed by a repaint of the same
  /// window: a repaint then costs the pixels painted, not the summary queries.
  struct ColumnStep {
    int x;
    int top;     // Add: the point's row; Span: the top row
    int bottom;  // Span only
    int resume;  // Span only
    bool span;
  };
  struct ColumnCache {
    bool valid = false;
    std::uint64_t generation = 0;
    double window[4] = {0, 0, 0, 0};
    int plot[4] = {0, 0, 0, 0};
    long long first = 0;
    long long end = 0;
    std::vector<ColumnStep> steps;
  };
  ColumnCache& Columns() { return columns_; }

  /// Smallest and largest plotted value of a block; lo = inf and hi = -inf when it holds
  /// nothing but NaN.
  struct Block {
    float lo;
    float hi;
    bool Empty() const { return !(lo <= hi); }
  };

  /// The plotted value of sample i (NaN stays NaN), as model::PlottedValue computes it.
  float Value(long long i) const {
    const model::CValueObj& s = (*samples_)[static_cast<std::size_t>(i)];
    switch (valueMode_) {
      case model::kModeMinimum:
      case model::kModeBar:
        return s.minimum + yOffset_;
      case model::kModeMaximum:
        return s.maximum + yOffset_;
      case model::kModeMean:
        return (s.minimum + s.maximum) * 0.5F + yOffset_;
      case model::kModeValue:
        return s.value + yOffset_;
      default:
        return 0.0F;
    }
  }
  /// The time of sample i exactly as the sample-by-sample drawing accumulates it.
  double TimeAt(long long i) const;

  /// Smallest and largest plotted value in [a, b), NaN left out; false when there is none.
  bool Range(long long a, long long b, float* lo, float* hi) const;

  /// A test on value ranges: true when some value in [lo, hi] may match. It must be exact
  /// for the range of a single value and for a range whose two ends are values that occur.
  template <typename Test>
  long long FindFirst(long long a, long long b, const Test& test) const;
  template <typename Test>
  long long FindLast(long long a, long long b, const Test& test) const;

  /// Asks the processor to fetch what a query around sample i will read (the columns of a
  /// chart lie far apart in memory; fetching the next one while drawing this one hides the
  /// wait).
  void Prefetch(long long i) const;

  /// First and last index in [a, b) whose value is not NaN; b (first) or a - 1 (last) when none.
  long long FirstValid(long long a, long long b) const;
  long long LastValid(long long a, long long b) const;

 private:
  /// Width in samples of one element of level L (level 0 = single samples).
  static long long UnitOf(int level);
  Block ElementOf(int level, long long element) const;
  /// A new summary: the times and first-level blocks of all whole runs of kTimeStride
  /// samples, in one pass.
  void Start();
  /// Stores the times of samples [from, count_).
  void ExtendTimes(long long from);
  /// Gives every level the complete blocks it lacks, in one pass over the new samples.
  void Extend();

  const std::vector<model::CValueObj>* samples_ = nullptr;
  long long count_ = 0;
  int valueMode_ = 0;
  std::uint32_t yOffsetBits_ = 0;
  float yOffset_ = 0.0F;
  std::uint64_t xOffsetBits_ = 0;
  std::uint64_t intervalBits_ = 0;
  double interval_ = 0.0;
  /// levels_[L - 1] holds the complete blocks of level L.
  std::vector<std::vector<Block>> levels_;
  /// times_[j] is the time of sample j x kTimeStride.
  std::vector<double> times_;
  /// Time of sample count_ (the next one), to extend the times.
  double nextTime_ = 0.0;
  std::uint64_t generation_ = 0;
  ColumnCache columns_;
};

template <typename Test>
long long CurveSummary::FindFirst(long long a, long long b, const Test& test) const {
  long long i = a;
  int maxLevel = static_cast<int>(levels_.size());
  while (i < b) {
    int level = maxLevel;
    while (level > 0 && (i % UnitOf(level) != 0 || i + UnitOf(level) > b)) --level;
    const Block block = ElementOf(level, i / UnitOf(level));
    if (!block.Empty() && test(block.lo, block.hi)) {
      if (level == 0) return i;
      maxLevel = level - 1;  // the match is inside this block
      continue;
    }
    i += UnitOf(level);
    maxLevel = static_cast<int>(levels_.size());
  }
  return b;
}

template <typename Test>
long long CurveSummary::FindLast(long long a, long long b, const Test& test) const {
  long long i = b;
  int maxLevel = static_cast<int>(levels_.size());
  while (i > a) {
    int level = maxLevel;
    while (level > 0 && (i % UnitOf(level) != 0 || i - UnitOf(level) < a)) --level;
    const Block block = ElementOf(level, (i - UnitOf(level)) / UnitOf(level));
    if (!block.Empty() && test(block.lo, block.hi)) {
      if (level == 0) return i - 1;
      maxLevel = level - 1;
      continue;
    }
    i -= UnitOf(level);
    maxLevel = static_cast<int>(levels_.size());
  }
  return a - 1;
}

}  // namespace vantrel::chart
