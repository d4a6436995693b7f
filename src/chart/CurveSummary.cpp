#include "chart/CurveSummary.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace vantrel::chart {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
/// How far ahead of the block being summarised its samples are fetched.
constexpr long long kPrefetchSamples = 256;

}  // namespace

long long CurveSummary::UnitOf(int level) {
  long long unit = 1;
  for (int i = 0; i < level; ++i) unit *= kFanOut;
  return unit;
}

CurveSummary::Block CurveSummary::ElementOf(int level, long long element) const {
  if (level == 0) {
    const float v = Value(element);
    if (std::isnan(v)) return {kInfinity, -kInfinity};
    return {v, v};
  }
  return levels_[static_cast<std::size_t>(level - 1)][static_cast<std::size_t>(element)];
}

void CurveSummary::Reset() {
  samples_ = nullptr;
  count_ = 0;
  levels_.clear();
  times_.clear();
  ++generation_;
  columns_.valid = false;
}

long long CurveSummary::Outstanding(const std::vector<model::CValueObj>& samples, int valueMode,
                                    float yOffset, double xOffset, double interval) const {
  const auto n = static_cast<long long>(samples.size());
  const bool sameKey = samples_ != nullptr && valueMode == valueMode_ &&
                       std::bit_cast<std::uint32_t>(yOffset) == yOffsetBits_ &&
                       std::bit_cast<std::uint64_t>(xOffset) == xOffsetBits_ &&
                       std::bit_cast<std::uint64_t>(interval) == intervalBits_;
  if (!sameKey || n < count_) return n;
  return n - count_;
}

void CurveSummary::Update(const std::vector<model::CValueObj>& samples, int valueMode,
                          float yOffset, double xOffset, double interval) {
  const auto yBits = std::bit_cast<std::uint32_t>(yOffset);
  const auto xBits = std::bit_cast<std::uint64_t>(xOffset);
  const auto dBits = std::bit_cast<std::uint64_t>(interval);
  const auto n = static_cast<long long>(samples.size());
  const bool sameKey = samples_ != nullptr && valueMode == valueMode_ && yBits == yOffsetBits_ &&
                       xBits == xOffsetBits_ && dBits == intervalBits_;
  if (!sameKey || n < count_) {
    Reset();
    valueMode_ = valueMode;
    yOffsetBits_ = yBits;
    yOffset_ = yOffset;
    xOffsetBits_ = xBits;
    intervalBits_ = dBits;
    interval_ = interval;
    nextTime_ = xOffset;
  }
  samples_ = &samples;
  if (n > count_) {
    ++generation_;
    long long from = count_;
    count_ = n;
    if (from == 0) {
      Start();
      from = static_cast<long long>(times_.size()) * kTimeStride;
    }
    ExtendTimes(from);
    Extend();
  }
}

void CurveSummary::ExtendTimes(long long from) {
  // A first build knows its final size; later ones (recording) grow geometrically.
  const auto stored = static_cast<std::size_t>((count_ + kTimeStride - 1) / kTimeStride);
  if (from == 0) times_.reserve(stored);
  // The accumulation goes on where it stopped, one addition per sample, so every stored
  // time equals what the sample-by-sample drawing computes.
  double time = nextTime_;
  const double interval = interval_;
  long long i = from;
  for (; i < count_ && i % kTimeStride != 0; ++i) time += interval;
  while (i < count_) {
    times_.push_back(time);
    const long long stop = std::min(count_, i + kTimeStride);
    for (; i < stop; ++i) time += interval;
  }
  nextTime_ = time;
}

namespace {

/// Level 1 from the samples: blocks [firstBlock, endBlock) of kFanOut plotted values each.
/// NaN fails both comparisons and so leaves a block alone; a block of NaN only stays empty.
template <typename Plot>
void SampleBlocks(const model::CValueObj* samples, long long firstBlock, long long endBlock,
                  CurveSummary::Block* out, Plot plot) {
  for (long long j = firstBlock; j < endBlock; ++j) {
    const model::CValueObj* s = samples + j * CurveSummary::kFanOut;
    __builtin_prefetch(s + kPrefetchSamples);
    float lo = kInfinity;
    float hi = -kInfinity;
    for (long long k = 0; k < CurveSummary::kFanOut; ++k) {
      const float v = plot(s[k]);
      lo = v < lo ? v : lo;
      hi = v > hi ? v : hi;
    }
    *out++ = {lo, hi};
  }
}

/// A level above 1 from the one below: an empty block (lo = inf, hi = -inf) changes nothing.
void BlockBlocks(const CurveSummary::Block* below, long long firstBlock, long long endBlock,
                 CurveSummary::Block* out) {
  for (long long j = firstBlock; j < endBlock; ++j) {
    const CurveSummary::Block* part = below + j * CurveSummary::kFanOut;
    float lo = kInfinity;
    float hi = -kInfinity;
    for (long long k = 0; k < CurveSummary::kFanOut; ++k) {
      lo = part[k].lo < lo ? part[k].lo : lo;
      hi = part[k].hi > hi ? part[k].hi : hi;
    }
    *out++ = {lo, hi};
  }
}

/// Calls `use` with the function that gives a sample's plotted value in `valueMode`.
template <typename Use>
void WithPlot(int valueMode, float y, Use use) {
  switch (valueMode) {
    case model::kModeMinimum:
    case model::kModeBar:
      use([y](const model::CValueObj& v) { return v.minimum + y; });
      break;
    case model::kModeMaximum:
      use([y](const model::CValueObj& v) { return v.maximum + y; });
      break;
    case model::kModeMean:
      use([y](const model::CValueObj& v) { return (v.minimum + v.maximum) * 0.5F + y; });
      break;
    case model::kModeValue:
      use([y](const model::CValueObj& v) { return v.value + y; });
      break;
    default:
      use([](const model::CValueObj&) { return 0.0F; });
      break;
  }
}

/// The first `chunks` x kTimeStride samples of a new summary in one pass: their stored times
/// (accumulated from `time`, which is advanced) and their first-level blocks. The chain of
/// additions and the block comparisons are independent, so the processor does both at once.
template <typename Plot>
void TimesAndBlocks(const model::CValueObj* samples, long long chunks, double interval,
                    double& time, std::vector<double>& times, CurveSummary::Block* out, Plot plot) {
  constexpr long long kBlocksPerChunk = CurveSummary::kTimeStride / CurveSummary::kFanOut;
  double t = time;
  for (long long c = 0; c < chunks; ++c) {
    times.push_back(t);
    for (long long k = 0; k < CurveSummary::kTimeStride; ++k) t += interval;
    SampleBlocks(samples, c * kBlocksPerChunk, (c + 1) * kBlocksPerChunk, out + c * kBlocksPerChunk,
                 plot);
  }
  time = t;
}

}  // namespace

void CurveSummary::Start() {
  const long long chunks = count_ / kTimeStride;
  if (chunks == 0) return;
  times_.reserve(static_cast<std::size_t>((count_ + kTimeStride - 1) / kTimeStride));
  levels_.emplace_back();
  std::vector<Block>& first = levels_.front();
  first.reserve(static_cast<std::size_t>(count_ / kFanOut));
  first.resize(static_cast<std::size_t>(chunks * (kTimeStride / kFanOut)));
  WithPlot(valueMode_, yOffset_, [&](auto plot) {
    TimesAndBlocks(samples_->data(), chunks, interval_, nextTime_, times_, first.data(), plot);
  });
}

void CurveSummary::Extend() {
  // Each level gets the complete blocks it does not have yet.
  long long below = count_;
  for (int level = 1;; ++level) {
    const long long blocks = below / kFanOut;
    if (blocks == 0) break;
    if (static_cast<int>(levels_.size()) < level) levels_.emplace_back();
    std::vector<Block>& target = levels_[static_cast<std::size_t>(level - 1)];
    const auto have = static_cast<long long>(target.size());
    if (have < blocks) {
      if (have == 0) target.reserve(static_cast<std::size_t>(blocks));
      target.resize(static_cast<std::size_t>(blocks));
      Block* out = target.data() + have;
      if (level == 1) {
        WithPlot(valueMode_, yOffset_,
                 [&](auto plot) { SampleBlocks(samples_->data(), have, blocks, out, plot); });
      } else {
        BlockBlocks(levels_[static_cast<std::size_t>(level - 2)].data(), have, blocks, out);
      }
    }
    below = blocks;
  }
}

double CurveSummary::TimeAt(long long i) const {
  const long long checkpoint = i / kTimeStride;
  double x = times_[static_cast<std::size_t>(checkpoint)];
  for (long long k = checkpoint * kTimeStride; k < i; ++k) x += interval_;
  return x;
}

bool CurveSummary::Range(long long a, long long b, float* lo, float* hi) const {
  Block total{kInfinity, -kInfinity};
  const auto add = [&](int level, long long from, long long to) {
    for (long long e = from; e < to; ++e) {
      const Block part = ElementOf(level, e);
      if (part.Empty()) continue;
      if (total.Empty()) {
        total = part;
        continue;
      }
      if (part.lo < total.lo) total.lo = part.lo;
      if (part.hi > total.hi) total.hi = part.hi;
    }
  };
  int level = 0;
  long long unit = 1;
  while (a < b) {
    if (level < static_cast<int>(levels_.size())) {
      const long long up = unit * kFanOut;
      const long long alignedA = (a + up - 1) / up * up;
      const long long alignedB = b / up * up;
      if (alignedA < alignedB) {
        add(level, a / unit, alignedA / unit);
        add(level, alignedB / unit, b / unit);
        a = alignedA;
        b = alignedB;
        ++level;
        unit = up;
        continue;
      }
    }
    add(level, a / unit, b / unit);
    break;
  }
  if (total.Empty()) return false;
  *lo = total.lo;
  *hi = total.hi;
  return true;
}

void CurveSummary::Prefetch(long long i) const {
  if (i < 0 || i >= count_) return;
  __builtin_prefetch(&(*samples_)[static_cast<std::size_t>(i)]);
  __builtin_prefetch(&times_[static_cast<std::size_t>(i / kTimeStride)]);
  long long unit = kFanOut;
  for (const std::vector<Block>& level : levels_) {
    const auto element = static_cast<std::size_t>(i / unit);
    if (element < level.size()) __builtin_prefetch(&level[element]);
    unit *= kFanOut;
  }
}

long long CurveSummary::FirstValid(long long a, long long b) const {
  return FindFirst(a, b, [](float, float) { return true; });
}

long long CurveSummary::LastValid(long long a, long long b) const {
  return FindLast(a, b, [](float, float) { return true; });
}

}  // namespace vantrel::chart
