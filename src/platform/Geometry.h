// Integer device geometry shared by the drawing code: points, sizes and rectangles in
// device pixels, with the conventions of the chart (right and bottom are exclusive for
// containment, like the rectangles the chart and the hit tests compute).
#pragma once

#include <algorithm>
#include <cstdint>

namespace vantrel::platform {

/// Colour value 0x00BBGGRR.
using Color = std::uint32_t;

constexpr Color MakeColor(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  /// Left/top inclusive, right/bottom exclusive.
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  /// Swaps left/right and top/bottom where they are reversed.
  void Normalize() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace vantrel::platform
