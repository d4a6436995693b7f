// Column runs: painted only where they lie, in a buffer whose rows are longer than the
// picture, with several runs of one column apart or touching, clipped at the edges, and
// in the order of their values when the value changes.
#include <gtest/gtest.h>

#include <cstdint>
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

TEST(ColumnRuns, AnotherValuePaintsThePendingRunsFirst) {
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

}  // namespace
}  // namespace vantrel::platform
