#include "platform/ColumnRuns.h"

#include <algorithm>
#include <array>
#include <climits>
#include <iterator>
#include <numeric>

namespace vantrel::platform {
namespace {

/// Columns painted together.
using BlockRows = ColumnRuns::BlockRows;
constexpr int kLanes = ColumnRuns::kLanes;

/// Enough for the columns of several screens; a drawing of millions of vertical lines (the
/// bars of a long curve) is painted in portions instead of being held.
constexpr std::size_t kMostPending = std::size_t{1} << 16;

/// Rows painted across all blocks before the next rows, at most. A band is painted layer by
/// layer, so the rows of one block of a band should stay in the first-level cache until the
/// last layer has painted them: taller bands cost fewer rounds, but rows whose lines fall in
/// one set of that cache evict each other beyond its ways.
constexpr int kMostBandRows = 48;
/// The first-level cache of the processors this runs on: 64-byte lines in 64 sets (at least
/// 8 ways); the rows of one block that a band may put into one set.
constexpr std::size_t kLineBytes = 64;
constexpr std::size_t kCacheSets = 64;
constexpr int kRowsPerSet = 8;

// Where the processor has wider vectors than the baseline, the block painting is compiled
// for them too and the widest one available is chosen when the program starts (not in
// sanitizer builds: their instrumented choice would run before the sanitizer is set up).
#if defined(__x86_64__) && defined(__GNUC__) && defined(__ELF__) && \
    !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define VANTREL_WIDE_VECTORS __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define VANTREL_WIDE_VECTORS
#endif

/// Paints rows [first, end) of the block's 16 columns, whose row 0 starts at `origin`: column
/// l in rows [top[l], bottom[l]). Rows inside every column's run are filled plainly, the
/// others with masks and without branches, so that the compiler writes each row as vectors.
/// (The rows are copied first: pixels could alias the block, which would keep the compiler
/// from using vectors. They are not passed by value either: the caller's copy would be
/// stored in pieces and read as one, and that read waits for every pending pixel store.)
VANTREL_WIDE_VECTORS void PaintBlock(std::uint32_t* origin, std::size_t stride, int first, int end,
                                     const ColumnRuns::Block& block) {
  const BlockRows top = block.top;
  const BlockRows bottom = block.bottom;
  const std::uint32_t value = block.value;
  int innerFirst = first;
  int innerEnd = end;
  for (std::size_t lane = 0; lane < kLanes; ++lane) {
    innerFirst = std::max(innerFirst, top[lane]);
    innerEnd = std::min(innerEnd, bottom[lane]);
  }
  if (innerFirst >= innerEnd) innerFirst = innerEnd = end;
  const auto masked = [&](int row) {
    std::uint32_t* line = origin + static_cast<std::size_t>(row) * stride;
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
      const auto height = static_cast<std::uint32_t>(bottom[lane] - top[lane]);
      const std::uint32_t mask =
          0U - static_cast<std::uint32_t>(static_cast<std::uint32_t>(row - top[lane]) < height);
      line[lane] = (line[lane] & ~mask) | (value & mask);
    }
  };
  for (int row = first; row < innerFirst; ++row) masked(row);
  for (int row = innerFirst; row < innerEnd; ++row) {
    std::uint32_t* line = origin + static_cast<std::size_t>(row) * stride;
    for (std::size_t lane = 0; lane < kLanes; ++lane) line[lane] = value;
  }
  for (int row = innerEnd; row < end; ++row) masked(row);
}

}  // namespace

void ColumnRuns::Attach(std::uint32_t* pixels, int width, int height, std::size_t stride) {
  Paint();
  pixels_ = pixels;
  width_ = pixels != nullptr ? std::max(width, 0) : 0;
  height_ = pixels != nullptr ? std::max(height, 0) : 0;
  stride_ = stride;
  // The first column whose pixels start a cache line: blocks from there on write whole lines
  // (in every row when rows are whole lines long).
  const auto misaligned = reinterpret_cast<std::uintptr_t>(pixels) / sizeof *pixels % kLanes;
  grid_ = static_cast<int>((kLanes - misaligned) % kLanes);
  // With rows of whole lines, the rows of one block fall into the same cache set every
  // `period` rows (rows of 2048 pixels: every row); the bands hold kRowsPerSet per set.
  bandRows_ = kMostBandRows;
  const std::size_t rowBytes = stride_ * sizeof *pixels;
  if (rowBytes % kLineBytes == 0) {
    const std::size_t period =
        kCacheSets / std::gcd(rowBytes / kLineBytes % kCacheSets, kCacheSets);
    bandRows_ = static_cast<int>(std::min<std::size_t>(kMostBandRows, period * kRowsPerSet));
  }
}

void ColumnRuns::Add(int x, long long top, long long bottom, std::uint32_t value) {
  if (x < 0 || x >= width_) return;
  top = std::max(top, 0LL);
  bottom = std::min(bottom, static_cast<long long>(height_));
  if (top >= bottom) return;
  if (runs_.size() >= kMostPending) Paint();
  if (layers_.empty() || layers_.back().value != value) layers_.push_back({value, runs_.size()});
  runs_.push_back({x, static_cast<int>(top), static_cast<int>(bottom)});
}

void ColumnRuns::Paint() {
  if (runs_.empty()) return;
  blocks_.clear();
  const auto byColumn = [](const Run& a, const Run& b) { return a.x < b.x; };
  for (std::size_t layer = 0; layer < layers_.size(); ++layer) {
    const std::size_t from = layers_[layer].firstRun;
    const std::size_t to = layer + 1 < layers_.size() ? layers_[layer + 1].firstRun : runs_.size();
    // Runs arrive by column (a curve is drawn left to right); others are put in that order.
    const auto begin = runs_.begin() + static_cast<std::ptrdiff_t>(from);
    const auto end = runs_.begin() + static_cast<std::ptrdiff_t>(to);
    if (!std::is_sorted(begin, end, byColumn)) std::sort(begin, end, byColumn);
    CollectBlocks(from, to, layers_[layer].value);
  }
  PaintBlocks();
  runs_.clear();
  layers_.clear();
}

void ColumnRuns::CollectBlocks(std::size_t from, std::size_t to, std::uint32_t value) {
  // Per column the union of its touching runs; a run apart from the one kept for its column
  // waits for another pass, which makes blocks of its own (a layer's blocks may overlap:
  // they share the value). Every pass takes the runs the one before left, still by column.
  apart_.clear();
  const std::vector<Run>* list = &runs_;
  std::size_t i = from;
  std::size_t passEnd = to;
  for (;;) {
    while (i < passEnd) {
      Block block;
      block.x = ((*list)[i].x - grid_ + kLanes) / kLanes * kLanes - kLanes + grid_;
      block.first = height_;
      block.end = 0;
      block.value = value;
      for (; i < passEnd && (*list)[i].x < block.x + kLanes; ++i) {
        const Run run = (*list)[i];  // a copy: apart_ may grow under it
        const auto lane = static_cast<std::size_t>(run.x - block.x);
        if (block.top[lane] >= block.bottom[lane]) {
          block.top[lane] = run.top;
          block.bottom[lane] = run.bottom;
        } else if (run.top <= block.bottom[lane] && run.bottom >= block.top[lane]) {
          block.top[lane] = std::min(block.top[lane], run.top);
          block.bottom[lane] = std::max(block.bottom[lane], run.bottom);
        } else {
          apart_.push_back(run);
          continue;
        }
        block.first = std::min(block.first, block.top[lane]);
        block.end = std::max(block.end, block.bottom[lane]);
      }
      blocks_.push_back(block);
    }
    // The next pass takes the runs this one left apart.
    const std::size_t next = list == &runs_ ? 0 : passEnd;
    if (next == apart_.size()) return;
    list = &apart_;
    i = next;
    passEnd = apart_.size();
  }
}

void ColumnRuns::PaintRows(const Block& block, int bandTop, int bandEnd) {
  const int from = std::max(block.first, bandTop);
  const int to = std::min(block.end, bandEnd);
  if (from >= to) return;
  const int firstLane = std::max(0, -block.x);
  const int endLane = std::min(kLanes, width_ - block.x);
  if (firstLane == 0 && endLane == kLanes) {
    PaintBlock(pixels_ + block.x, stride_, from, to, block);
    return;
  }
  for (int row = from; row < to; ++row) {
    std::uint32_t* line = pixels_ + static_cast<std::size_t>(row) * stride_;
    for (int lane = firstLane; lane < endLane; ++lane) {
      const auto l = static_cast<std::size_t>(lane);
      if (block.top[l] <= row && row < block.bottom[l]) {
        line[static_cast<std::size_t>(block.x + lane)] = block.value;
      }
    }
  }
}

void ColumnRuns::PaintBlocks() {
  // Band by band from the top, each band across the blocks it meets from the left: the rows
  // of neighbouring blocks lie next to one another in memory and are written close together
  // in time, and all layers of a block paint it one after another while it is in the cache.
  // Blocks of different columns share no pixel, so only the order of the layers within one
  // column of blocks matters. A block joins the band its first row lies in and leaves after
  // its last.
  if (blocks_.empty()) return;
  // Blocks in the order of their columns, those of one column in the order of their layers
  // (counting sort by column), then stably by the band they start in.
  const auto columns = static_cast<std::size_t>(width_ / kLanes + 2);
  columnStart_.assign(columns + 1, 0);
  for (const Block& block : blocks_) ++columnStart_[ColumnOf(block) + 1];
  std::partial_sum(columnStart_.begin(), columnStart_.end(), columnStart_.begin());
  byColumn_.resize(blocks_.size());
  for (std::size_t index = 0; index < blocks_.size(); ++index) {
    const std::size_t column = ColumnOf(blocks_[index]);
    byColumn_[columnStart_[column]++] = static_cast<std::uint32_t>(index);
  }
  const auto bands = static_cast<std::size_t>((height_ + bandRows_ - 1) / bandRows_);
  bandStart_.assign(bands + 1, 0);
  int firstBand = INT_MAX;
  int lastBand = 0;
  for (const Block& block : blocks_) {
    ++bandStart_[static_cast<std::size_t>(block.first / bandRows_) + 1];
    firstBand = std::min(firstBand, block.first / bandRows_);
    lastBand = std::max(lastBand, (block.end - 1) / bandRows_);
  }
  std::partial_sum(bandStart_.begin(), bandStart_.end(), bandStart_.begin());
  byBand_.resize(blocks_.size());
  for (std::size_t rank = 0; rank < byColumn_.size(); ++rank) {
    const std::uint32_t index = byColumn_[rank];
    const auto band = static_cast<std::size_t>(blocks_[index].first / bandRows_);
    byBand_[bandStart_[band]++] =
        static_cast<std::uint64_t>(ColumnOf(blocks_[index])) << 32 | index;
  }
  // Now bandStart_[b] is where band b's entries end, and band b - 1's.
  active_.clear();
  for (int band = firstBand; band <= lastBand; ++band) {
    const auto at = static_cast<std::size_t>(band);
    const auto joinBegin = byBand_.begin() + (at == 0 ? 0 : bandStart_[at - 1]);
    const auto joinEnd = byBand_.begin() + bandStart_[at];
    if (joinBegin != joinEnd) {
      merged_.clear();
      std::merge(active_.begin(), active_.end(), joinBegin, joinEnd, std::back_inserter(merged_));
      active_.swap(merged_);
    }
    if (active_.empty()) continue;
    const int bandTop = band * bandRows_;
    const int bandEnd = std::min(height_, bandTop + bandRows_);
    for (std::uint64_t key : active_) {
      PaintRows(blocks_[static_cast<std::uint32_t>(key)], bandTop, bandEnd);
    }
    std::erase_if(active_, [&](std::uint64_t key) {
      return blocks_[static_cast<std::uint32_t>(key)].end <= bandEnd;
    });
  }
}

}  // namespace vantrel::platform
