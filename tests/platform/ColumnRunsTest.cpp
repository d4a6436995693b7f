// Column runs: painted only where they lie, in a buffer whose rows are longer than the
// picture, with several runs of one column apart or touching, clipped at the edges, and
// in the order they came when runs of several values overlap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "platform/ColumnRuns.h"

namespace vantrel::platform {
namespace {

constexpr int kWidth = 37;
constexpr int kHeight = 12;
constexpr std::size_t kStride = 40;  // three pixels of padding after each row
constexpr std::uint32_t kPaper = 0;
constexpr std::uint32_t kGuard = 0xEEEEEEEE;

struct Buffer {
  Buffer() : pixels(kStride * kHeight, kPaper) {
    for (std::size_t row = 0; row < kHeight; ++row) {
      for (std::size_t x = kWidth; x < kStride; ++x) pixels[row * kStride + x] = kGuard;
    }
    runs.Attach(pixels.data(), kWidth, kHeight, kStride);
  }
  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * kStride + static_cast<std::size_t>(x)];
  }
  /// Rows of column x painted with `value`.
  std::vector<int> Rows(int x, std::uint32_t value) const {
    std::vector<int> rows;
    for (int y = 0; y < kHeight; ++y) {
      if (At(x, y) == value) rows.push_back(y);
    }
    return rows;
  }
  std::vector<std::uint32_t> pixels;
  ColumnRuns runs;
};

TEST(ColumnRuns, RunsOfOneColumnApartOrTouchingPaintExactlyTheirRows) {
  Buffer b;
  b.runs.Add(3, 1, 3, 7);
  b.runs.Add(3, 6, 8, 7);             // apart from the first
  b.runs.Add(3, 3, 4, 7);             // touches the first
  b.runs.Add(20, 0, 12, 7);           // a full column in another block
  EXPECT_TRUE(b.Rows(3, 7).empty());  // still pending
  b.runs.Paint();
  EXPECT_EQ(b.Rows(3, 7), (std::vector<int>{1, 2, 3, 6, 7}));
  EXPECT_EQ(b.Rows(20, 7).size(), 12U);
  EXPECT_TRUE(b.Rows(4, 7).empty());
}

TEST(ColumnRuns, RunsAreClippedAndThePaddingAfterEachRowStaysUntouched) {
  Buffer b;
  for (int x = -2; x < kWidth + 3; ++x) b.runs.Add(x, -5, 100, 9);
  b.runs.Paint();
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(b.At(x, y), 9U) << x << "," << y;
    for (int x = kWidth; x < static_cast<int>(kStride); ++x) ASSERT_EQ(b.At(x, y), kGuard);
  }
}

TEST(ColumnRuns, ALaterValueLiesOnTopAndDiscardedRunsAreNeverPainted) {
  Buffer b;
  b.runs.Add(5, 0, 6, 1);
  b.runs.Add(5, 4, 10, 2);  // over the lower part of the first
  b.runs.Paint();
  EXPECT_EQ(b.Rows(5, 1), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(b.Rows(5, 2), (std::vector<int>{4, 5, 6, 7, 8, 9}));
  b.runs.Add(6, 0, 3, 4);
  b.runs.Discard();
  EXPECT_FALSE(b.runs.Pending());
  b.runs.Paint();
  EXPECT_TRUE(b.Rows(6, 4).empty());
}

TEST(ColumnRuns, PendingRunsOfOneValueLetAPaintingInThatValueGoFirst) {
  Buffer b;
  b.runs.Add(2, 0, 4, 5);
  b.runs.PaintUnless(5);
  EXPECT_TRUE(b.Rows(2, 5).empty());
  b.runs.Add(3, 0, 4, 6);
  b.runs.PaintUnless(6);  // the runs in 5 lie below: they are painted now
  EXPECT_EQ(b.Rows(2, 5).size(), 4U);
  EXPECT_EQ(b.Rows(3, 6).size(), 4U);
  EXPECT_FALSE(b.runs.Pending());
}

TEST(ColumnRuns, InterleavedRunsOfSeveralValuesPaintAsIfPaintedOneByOne) {
  // Random runs of a few values, in runs of their own value and mixed, mostly by column
  // like a curve and partly in any order, overlapping and clipped at every edge, in
  // buffers whose width is no multiple of the block width and whose rows are padded; past
  // the runs held at once the pending ones are painted first.
  struct Case {
    int width;
    int height;
    int padding;
    int runs;
  };
  const Case cases[] = {
      {53, 37, 3, 400},     {16, 8, 0, 50},     {1, 30, 5, 60},
      {100, 61, 0, 900},    {47, 200, 1, 2000}, {200, 5, 0, 700},
      {33, 129, 7, 3000},   {61, 23, 2, 70000},  // more than are held at once
      {1000, 40, 24, 3000},  // rows of 4096 bytes: every row's lines in the same cache sets
  };
  std::mt19937 random(29);
  for (const Case& c : cases) {
    for (int round = 0; round < 8; ++round) {
      SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height << " round " << round);
      const auto stride = static_cast<std::size_t>(c.width + c.padding);
      // The picture starts anywhere in a cache line: blocks are placed on whole lines.
      const auto shift = static_cast<std::size_t>(round * 5 % ColumnRuns::kLanes);
      std::vector<std::uint32_t> painted(shift + stride * static_cast<std::size_t>(c.height),
                                         kGuard);
      std::vector<std::uint32_t> expected = painted;
      ColumnRuns runs;
      runs.Attach(painted.data() + shift, c.width, c.height, stride);
      std::uniform_int_distribution<int> column(-2, c.width + 1);
      std::uniform_int_distribution<int> row(-4, c.height + 3);
      std::uniform_int_distribution<int> length(0, c.height / 2 + 2);
      std::uniform_int_distribution<int> percent(0, 99);
      int x = 0;
      std::uint32_t value = 1;
      for (int i = 0; i < c.runs; ++i) {
        if (percent(random) < 10) value = static_cast<std::uint32_t>(percent(random) % 4 + 1);
        x = percent(random) < 70 ? x + 1 : column(random);
        if (x > c.width + 1) x = -2;
        const long long top = row(random);
        const long long bottom = percent(random) < 5 ? top - 1 : top + length(random);
        runs.Add(x, top, bottom, value);
        for (long long y = std::max(top, 0LL);
             y < std::min(bottom, static_cast<long long>(c.height)); ++y) {
          if (x >= 0 && x < c.width) {
            expected[shift + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)] =
                value;
          }
        }
      }
      runs.Paint();
      ASSERT_EQ(painted, expected);
    }
  }
}

}  // namespace
}  // namespace vantrel::platform
