#include "platform/ColumnRuns.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace vantrel::platform {
namespace {

/// Columns painted together.
using BlockRows = ColumnRuns::BlockRows;
constexpr int kLanes = ColumnRuns::kLanes;

/// Enough for the columns of several screens; a drawing of millions of vertical lines (the
/// bars of a long curve) is painted in portions instead of being held.
constexpr std::size_t kMostPending = std::size_t{1} << 16;

/// Rows painted across all blocks before the next rows.
constexpr int kBandRows = 8;

// Where the processor has wider vectors than the baseline, the block painting is compiled
// for them too and the widest one available is chosen when the program starts (not in
// sanitizer builds: their instrumented choice would run before the sanitizer is set up).
#if defined(__x86_64__) && defined(__GNUC__) && defined(__ELF__) && \
    !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define VANTREL_WIDE_VECTORS __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define VANTREL_WIDE_VECTORS
#endif

/// Paints rows [first, end) of 16 columns whose row 0 starts at `origin`: column l in rows
/// [top[l], bottom[l]). Rows inside every column's run are filled plainly, the others with
/// masks and without branches, so that the compiler writes each row as vectors. (The rows
/// come by value: pixels could alias the ints of the caller's arrays, which would keep the
/// compiler from using vectors.)
VANTREL_WIDE_VECTORS void PaintBlock(std::uint32_t* origin, std::size_t stride, int first, int end,
                                     BlockRows top, BlockRows bottom, std::uint32_t value) {
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
}

void ColumnRuns::Add(int x, long long top, long long bottom, std::uint32_t value) {
  if (x < 0 || x >= width_) return;
  top = std::max(top, 0LL);
  bottom = std::min(bottom, static_cast<long long>(height_));
  if (top >= bottom) return;
  PaintUnless(value);
  if (runs_.size() >= kMostPending) Paint();
  value_ = value;
  runs_.push_back({x, static_cast<int>(top), static_cast<int>(bottom)});
}

void ColumnRuns::Paint() {
  if (runs_.empty()) return;
  // Runs arrive by column (a curve is drawn left to right); others are put in that order.
  const auto byColumn = [](const Run& a, const Run& b) { return a.x < b.x; };
  if (!std::is_sorted(runs_.begin(), runs_.end(), byColumn)) {
    std::sort(runs_.begin(), runs_.end(), byColumn);
  }
  blocks_.clear();
  int first = height_;
  int end = 0;
  std::size_t i = 0;
  while (i < runs_.size()) {
    // One block of 16 columns: per column the union of its touching runs; a run apart from
    // the one already kept for its column is painted on its own.
    Block block;
    block.x = runs_[i].x / kLanes * kLanes;
    block.first = height_;
    block.end = 0;
    for (; i < runs_.size() && runs_[i].x < block.x + kLanes; ++i) {
      const Run& run = runs_[i];
      const auto lane = static_cast<std::size_t>(run.x - block.x);
      if (block.top[lane] >= block.bottom[lane]) {
        block.top[lane] = run.top;
        block.bottom[lane] = run.bottom;
      } else if (run.top <= block.bottom[lane] && run.bottom >= block.top[lane]) {
        block.top[lane] = std::min(block.top[lane], run.top);
        block.bottom[lane] = std::max(block.bottom[lane], run.bottom);
      } else {
        for (int row = run.top; row < run.bottom; ++row) {
          pixels_[static_cast<std::size_t>(row) * stride_ + static_cast<std::size_t>(run.x)] =
              value_;
        }
        continue;
      }
      block.first = std::min(block.first, block.top[lane]);
      block.end = std::max(block.end, block.bottom[lane]);
    }
    first = std::min(first, block.first);
    end = std::max(end, block.end);
    blocks_.push_back(block);
  }
  // Band by band from the top, each band across the blocks it meets: the rows of
  // neighbouring blocks lie next to one another in memory and are written close together in
  // time, where block by block every row lies a picture width from the one before. The
  // blocks join the band they reach by their first row and leave after their last.
  byFirst_.resize(blocks_.size());
  std::iota(byFirst_.begin(), byFirst_.end(), std::uint32_t{0});
  std::sort(byFirst_.begin(), byFirst_.end(), [this](std::uint32_t a, std::uint32_t b) {
    return blocks_[a].first < blocks_[b].first || (blocks_[a].first == blocks_[b].first && a < b);
  });
  active_.clear();
  std::size_t next = 0;
  for (int bandTop = first; bandTop < end;) {
    if (active_.empty() && next < byFirst_.size()) {
      bandTop = std::max(bandTop, blocks_[byFirst_[next]].first);  // skip empty bands
    }
    const int bandEnd = std::min(end, bandTop + kBandRows);
    const std::size_t before = active_.size();
    while (next < byFirst_.size() && blocks_[byFirst_[next]].first < bandEnd) {
      active_.push_back(byFirst_[next++]);
    }
    if (active_.size() != before) std::sort(active_.begin(), active_.end());  // by column
    for (std::uint32_t index : active_) {
      const Block& block = blocks_[index];
      const int from = std::max(block.first, bandTop);
      const int to = std::min(block.end, bandEnd);
      if (from >= to) continue;
      std::uint32_t* origin = pixels_ + block.x;
      const int lanes = std::min(kLanes, width_ - block.x);
      if (lanes == kLanes) {
        PaintBlock(origin, stride_, from, to, block.top, block.bottom, value_);
        continue;
      }
      for (int row = from; row < to; ++row) {
        std::uint32_t* line = origin + static_cast<std::size_t>(row) * stride_;
        for (int lane = 0; lane < lanes; ++lane) {
          const auto at = static_cast<std::size_t>(lane);
          if (block.top[at] <= row && row < block.bottom[at]) line[at] = value_;
        }
      }
    }
    std::erase_if(active_, [&](std::uint32_t index) { return blocks_[index].end <= bandEnd; });
    bandTop = bandEnd;
  }
  runs_.clear();
}

}  // namespace vantrel::platform
