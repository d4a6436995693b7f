// Vertical runs of one colour, collected and then written into a 32-bit pixel buffer row by
// row in blocks of 16 columns (64 bytes, a cache line's worth). A long curve is drawn as
// one dense vertical span per pixel column; painted one column at a time, every pixel
// touches a cache line of its own, while a block row touches one line for 16 columns and
// is written as vectors: several times faster for the same pixels.
//
// Where runs of one colour overlap, their order does not matter, so painting them later
// gives the same picture as painting them at once, provided the owner paints what is
// pending before anything else touches the pixels or the colour changes.
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

  /// Adds rows [top, bottom) of column x in `value`, clipped to the buffer. Runs of
  /// another value that are pending are painted first.
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
  /// Paints the pending runs unless they have `value` (a painting in the same value may
  /// come before them).
  void PaintUnless(std::uint32_t value) {
    if (!runs_.empty() && value_ != value) Paint();
  }
  /// Paints and forgets the pending runs.
  void Paint();
  /// Forgets the pending runs (the buffer is painted over anyway).
  void Discard() { runs_.clear(); }
  bool Pending() const { return !runs_.empty(); }

 private:
  /// Rows [top, bottom) of column x, inside the buffer.
  struct Run {
    int x;
    int top;
    int bottom;
  };

  std::uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::size_t stride_ = 0;
  std::uint32_t value_ = 0;
  std::vector<Run> runs_;

 public:
  /// The runs of one block of kLanes columns from x on: rows [top, bottom) per column,
  /// [first, end) all together.
  struct Block {
    int x = 0;
    int first = 0;
    int end = 0;
    BlockRows top{};
    BlockRows bottom{};
  };

 private:
  // Kept for their memory: the blocks of a painting, their indices by first row, and the
  // indices of those that the band being painted meets.
  std::vector<Block> blocks_;
  std::vector<std::uint32_t> byFirst_;
  std::vector<std::uint32_t> active_;
};

}  // namespace vantrel::platform
