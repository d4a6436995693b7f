// Pixel buffer painting: clipped integer lines, rectangles, text boxes and a PNG encoder.
#include "platform/RasterCanvas.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace vantrel::platform {
namespace {

/// The minor-axis offset of step i of a line with major length `major` and minor length
/// `minor` (both >= 0, major > 0): i x minor / major rounded to nearest, halves away from the
/// start. Computed without overflow for any int coordinates.
long long MinorOffset(unsigned long long i, unsigned long long minor, unsigned long long major) {
  const unsigned long long product = i * minor;  // < 2^64: both factors are below 2^32
  const unsigned long long q = product / major;
  const unsigned long long r = product % major;
  return static_cast<long long>(q + (2 * r >= major ? 1 : 0));
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
  }
}

std::array<std::uint32_t, 256> CrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

/// Appends one PNG chunk (length, type, data, CRC over type and data).
void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data, const std::array<std::uint32_t, 256>& crc) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t crcStart = out.size();
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(type[i]));
  out.insert(out.end(), data.begin(), data.end());
  std::uint32_t c = 0xFFFFFFFFU;
  for (std::size_t i = crcStart; i < out.size(); ++i) c = crc[(c ^ out[i]) & 0xFF] ^ (c >> 8);
  PutBigEndian(out, c ^ 0xFFFFFFFFU);
}

}  // namespace

RasterCanvas::RasterCanvas(Size size, int dpi, bool printer)
    : size_{std::clamp(size.cx, 0, kMaxDimension), std::clamp(size.cy, 0, kMaxDimension)},
      dpi_(std::clamp(dpi, 1, 100000)),
      printer_(printer),
      pixels_(static_cast<std::size_t>(size_.cx) * static_cast<std::size_t>(size_.cy), kWhite) {
  runs_.Attach(pixels_.data(), size_.cx, size_.cy, static_cast<std::size_t>(size_.cx));
}

Pen RasterCanvas::SelectPen(const Pen& pen) {
  Pen previous = pen_;
  pen_ = pen;
  return previous;
}

Font RasterCanvas::SelectFont(const Font& font) {
  Font previous = font_;
  font_ = font;
  return previous;
}

Size RasterCanvas::TextExtent(const std::u16string& text) {
  const long long height = std::clamp(static_cast<long long>(font_.points) * dpi_ / 72, 0LL,
                                      static_cast<long long>(kMaxDimension));
  const long long width = static_cast<long long>(text.size()) * (height / 2);
  return {static_cast<int>(std::min(width, 1LL << 30)), static_cast<int>(height)};
}

void RasterCanvas::MoveTo(int x, int y) { position_ = {x, y}; }

void RasterCanvas::LineTo(int x, int y) {
  const Point from = position_;
  position_ = {x, y};
  const long long dx = static_cast<long long>(x) - from.x;
  const long long dy = static_cast<long long>(y) - from.y;
  if (dx == 0 && dy == 0) return;
  if (dx == 0) {
    runs_.AddLine(from.x, from.y, y, pen_.color);
    return;
  }
  if ((dx == 1 || dx == -1) && std::llabs(dy) <= 1) {
    // One step along x: only the start pixel.
    runs_.Add(from.x, from.y, from.y + 1LL, pen_.color);
    return;
  }
  if (dx == 1 || dx == -1) {
    // One column across (the join of two columns of a long curve): by the line rule the
    // first half of the steps, rounded up, stay in the start column and the rest are in the
    // end column, so the line is two vertical runs.
    const long long major = std::llabs(dy);
    const long long half = (major + 1) / 2;
    if (dy > 0) {
      runs_.Add(from.x, from.y, from.y + half, pen_.color);
      runs_.Add(x, from.y + half, from.y + major, pen_.color);
    } else {
      runs_.Add(from.x, from.y - half + 1, from.y + 1LL, pen_.color);
      runs_.Add(x, from.y - major + 1, from.y - half + 1, pen_.color);
    }
    return;
  }
  runs_.PaintUnless(pen_.color);
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const long long major = xMajor ? std::llabs(dx) : std::llabs(dy);
  const long long minor = xMajor ? std::llabs(dy) : std::llabs(dx);
  const long long majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const long long minorStep = (xMajor ? dy : dx) >= 0 ? 1 : -1;
  const long long majorStart = xMajor ? from.x : from.y;
  const long long minorStart = xMajor ? from.y : from.x;
  const long long limit = xMajor ? size_.cx : size_.cy;

  // Steps whose major coordinate lies in the buffer: majorStart + i * majorStep in [0, limit).
  long long first = 0;
  long long last = major - 1;
  if (majorStep > 0) {
    first = std::max(first, -majorStart);
    last = std::min(last, limit - 1 - majorStart);
  } else {
    first = std::max(first, majorStart - (limit - 1));
    last = std::min(last, majorStart);
  }
  if (first > last) return;
  // Minor offset of step i: q = floor(i x minor / major) with remainder r, plus one when
  // 2r >= major. Stepping i by one adds minor to r, carrying into q.
  const auto umajor = static_cast<unsigned long long>(major);
  const auto uminor = static_cast<unsigned long long>(minor);
  const long long startOffset = MinorOffset(static_cast<unsigned long long>(first), uminor, umajor);
  unsigned long long r = static_cast<unsigned long long>(first) * uminor % umajor;
  long long q = startOffset - (2 * r >= umajor ? 1 : 0);
  const auto stride = static_cast<long long>(size_.cx);
  for (long long i = first; i <= last; ++i) {
    const long long m = majorStart + i * majorStep;
    const long long n = minorStart + minorStep * (q + (2 * r >= umajor ? 1 : 0));
    const long long px = xMajor ? m : n;
    const long long py = xMajor ? n : m;
    if (px >= 0 && py >= 0 && px < size_.cx && py < size_.cy) {
      pixels_[static_cast<std::size_t>(py * stride + px)] = pen_.color;
    }
    r += uminor;
    if (r >= umajor) {
      r -= umajor;
      ++q;
    }
  }
}

void RasterCanvas::SetPixel(int x, int y, Color color) {
  runs_.PaintUnless(color);
  Plot(x, y, color);
}

void RasterCanvas::FillRect(const Rect& rect, Color color) {
  runs_.Paint();
  Rect r = rect;
  r.Normalize();
  const int left = std::max(r.left, 0);
  const int top = std::max(r.top, 0);
  const int right = std::min(r.right, size_.cx);
  const int bottom = std::min(r.bottom, size_.cy);
  if (left >= right) return;  // wholly left or right of the buffer
  for (int y = top; y < bottom; ++y) {
    const auto row = static_cast<std::size_t>(y) * static_cast<std::size_t>(size_.cx);
    std::fill(pixels_.begin() + static_cast<std::ptrdiff_t>(row + static_cast<std::size_t>(left)),
              pixels_.begin() + static_cast<std::ptrdiff_t>(row + static_cast<std::size_t>(right)),
              color);
  }
}

void RasterCanvas::TextOut(int x, int y, const std::u16string& text) {
  if (text.empty()) return;
  const Size extent = TextExtent(text);
  FillRect({x, y, x + extent.cx, y + extent.cy}, background_);
  const int cell = extent.cy / 2;
  if (cell < 2) return;
  // One block per visible character, in the x-height band of the line.
  const int top = y + extent.cy / 3;
  const int bottom = y + extent.cy - extent.cy / 6;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u' ') continue;
    const int left = x + static_cast<int>(i) * cell;
    FillRect({left + 1, top, left + cell - 1, bottom}, textColor_);
  }
}

void RasterCanvas::InvertOutline(const Rect& rect) {
  runs_.Paint();
  Rect r = rect;
  r.Normalize();
  if (r.IsEmpty()) return;
  const auto invert = [this](int px, int py) {
    if (px < 0 || py < 0 || px >= size_.cx || py >= size_.cy) return;
    Color& c = pixels_[static_cast<std::size_t>(py) * static_cast<std::size_t>(size_.cx) +
                       static_cast<std::size_t>(px)];
    c ^= 0xFFFFFFU;
  };
  for (int px = r.left; px < r.right; ++px) {
    invert(px, r.top);
    if (r.bottom - 1 != r.top) invert(px, r.bottom - 1);
  }
  for (int py = r.top + 1; py < r.bottom - 1; ++py) {
    invert(r.left, py);
    if (r.right - 1 != r.left) invert(r.right - 1, py);
  }
}

void RasterCanvas::DragRect(const Rect& rect, const Rect* previous) {
  if (previous != nullptr) InvertOutline(*previous);
  InvertOutline(rect);
}

void RasterCanvas::DrawPixels(int x, int y, int width, int height,
                              const std::vector<Color>& pixels) {
  if (width < 0 || height < 0) return;
  if (pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return;
  runs_.Paint();
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      Plot(static_cast<long long>(x) + col, static_cast<long long>(y) + row,
           pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(col)]);
    }
  }
}

Color RasterCanvas::SetTextColor(Color color) {
  Color previous = textColor_;
  textColor_ = color;
  return previous;
}

Color RasterCanvas::SetBackgroundColor(Color color) {
  Color previous = background_;
  background_ = color;
  return previous;
}

Color RasterCanvas::PixelAt(int x, int y) const {
  runs_.Paint();
  if (x < 0 || y < 0 || x >= size_.cx || y >= size_.cy) return kWhite;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(size_.cx) +
                 static_cast<std::size_t>(x)];
}

void RasterCanvas::Clear(Color color) {
  runs_.Discard();  // painted over anyway
  std::fill(pixels_.begin(), pixels_.end(), color);
}

std::vector<std::uint8_t> RasterCanvas::ToPng() const {
  runs_.Paint();
  const std::array<std::uint32_t, 256> crc = CrcTable();
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(size_.cx));
  PutBigEndian(header, static_cast<std::uint32_t>(size_.cy));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  PutChunk(out, "IHDR", header, crc);

  // Raw scan lines: filter byte 0, then R, G, B per pixel.
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(size_.cy) * (1 + 3 * static_cast<std::size_t>(size_.cx)));
  for (int y = 0; y < size_.cy; ++y) {
    raw.push_back(0);
    for (int x = 0; x < size_.cx; ++x) {
      const Color c = PixelAt(x, y);
      raw.insert(raw.end(),
                 {static_cast<std::uint8_t>(RedOf(c)), static_cast<std::uint8_t>(GreenOf(c)),
                  static_cast<std::uint8_t>(BlueOf(c))});
    }
  }
  // zlib stream of stored blocks.
  std::vector<std::uint8_t> z = {0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
    const bool final = at + length == raw.size();
    z.push_back(final ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(length & 0xFF));
    z.push_back(static_cast<std::uint8_t>(length >> 8));
    z.push_back(static_cast<std::uint8_t>(~length & 0xFF));
    z.push_back(static_cast<std::uint8_t>((~length >> 8) & 0xFF));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
             raw.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  } while (at < raw.size());
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521U;
    b = (b + a) % 65521U;
  }
  PutBigEndian(z, (b << 16) | a);
  PutChunk(out, "IDAT", z, crc);
  PutChunk(out, "IEND", {}, crc);
  return out;
}

}  // namespace vantrel::platform
