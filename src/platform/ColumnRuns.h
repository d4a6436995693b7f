// Vertical runs, collected and then written into a 32-bit pixel buffer row by row in blocks
// of 16 columns (64 bytes, placed on whole cache lines). A long curve is drawn as one dense
// vertical span per pixel column; painted one column at a time, every pixel touches a cache
// line of its own, while a block row touches one line for 16 columns and is written as
// vectors: several times faster for the same pixels.
//
// Runs of several values are kept as layers in the order they came: a layer is the runs
// of one value added one after another. The picture is painted band by band of rows from
// the top, every layer in its order within a band, so a band stays in the cache while all
// curves paint over it. Where runs of one layer overlap, their order does not matter; where
// layers overlap, the later one is painted last within every band and so lies on top,
// exactly as if every run had been painted when it was added. The owner paints what is
// pending before anything else touches the pixels.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel::platform {

class ColumnRuns {
 public:
  /// Columns painted together.
  static constexpr int kLanes = 16;
  using BlockRows = std::array<int, kLanes>;

  /// The buffer the runs are painted into: `height` rows of `width` pixels, `stride` pixels
  /// from one row to the next. Paints what is pending into the previous buffer first.
  void Attach(std::uint32_t* pixels, int width, int height, std::size_t stride);

  /// Adds rows [top, bottom) of column x in `value`, clipped to the buffer, on top of the
  /// pending runs.
  void Add(int x, long long top, long long bottom, std::uint32_t value);
  /// Adds the vertical line from (x, y0) to (x, y1) as a device context draws it: the rows
  /// from y0 toward y1, y1 left out.
  void AddLine(int x, int y0, int y1, std::uint32_t value) {
    if (y1 > y0) {
      Add(x, y0, y1, value);
    } else {
      Add(x, static_cast<long long>(y1) + 1, static_cast<long long>(y0) + 1, value);
    }
  }
  /// Paints the pending runs unless all of them have `value` (a painting in that value
  /// may then come before them).
  void PaintUnless(std::uint32_t value) {
    if (!runs_.empty() && (layers_.size() > 1 || layers_.front().value != value)) Paint();
  }
  /// Paints and forgets the pending runs.
  void Paint();
  /// Forgets the pending runs (the buffer is painted over anyway).
  void Discard() {
    runs_.clear();
    layers_.clear();
  }
  bool Pending() const { return !runs_.empty(); }

  /// Rows [first, end) of one block of kLanes columns from x on (x may lie left of the
  /// buffer, whose columns from 0 on are then the block's last ones), in `value`: rows
  /// [top, bottom) of each column.
  struct Block {
    int x = 0;
    int first = 0;
    int end = 0;
    std::uint32_t value = 0;
    BlockRows top{};
    BlockRows bottom{};
  };

 private:
  /// Rows [top, bottom) of column x, inside the buffer.
  struct Run {
    int x;
    int top;
    int bottom;
  };
  /// The runs [firstRun, next layer's firstRun) in `value`.
  struct Layer {
    std::uint32_t value;
    std::size_t firstRun;
  };

  /// Turns the runs [from, to) of one layer, ordered by column, into blocks.
  void CollectBlocks(std::size_t from, std::size_t to, std::uint32_t value);
  /// The place of `block` from the left, from 0 on.
  std::size_t ColumnOf(const Block& block) const {
    return static_cast<std::size_t>((block.x - grid_ + kLanes) / kLanes);
  }
  /// Paints the rows of `block` in [bandTop, bandEnd).
  void PaintRows(const Block& block, int bandTop, int bandEnd);
  /// Paints the collected blocks band by band, each band's blocks from the left.
  void PaintBlocks();

  std::uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::size_t stride_ = 0;
  /// Blocks start at this column plus a multiple of kLanes (the first may start left of 0).
  int grid_ = 0;
  /// Rows painted across all blocks before the next rows.
  int bandRows_ = 8;
  std::vector<Run> runs_;
  std::vector<Layer> layers_;

  // Kept for their memory: the blocks of a painting, runs apart from the others of their
  // column, the blocks ordered by column (starts of the columns, blocks), then by the band
  // they start in (starts of the bands, keys of column and block), and the blocks of the
  // band being painted (keys, and a spare for merging).
  std::vector<Block> blocks_;
  std::vector<Run> apart_;
  std::vector<std::uint32_t> columnStart_;
  std::vector<std::uint32_t> byColumn_;
  std::vector<std::uint32_t> bandStart_;
  std::vector<std::uint64_t> byBand_;
  std::vector<std::uint64_t> active_;
  std::vector<std::uint64_t> merged_;
};

}  // namespace vantrel::platform
