#include "chart/CDIB.h"

#include <algorithm>
#include <iterator>

#include "platform/FileErrors.h"
#include "platform/OrdinaryFile.h"

namespace vantrel::chart {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t ReadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

int ReadLe16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

bool IsSupportedBitCount(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
         bitCount == 32;
}

}  // namespace

int CDIB::ColorTableEntries(int bitCount) {
  switch (bitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

void CDIB::Clear() {
  block_.clear();
  block_.shrink_to_fit();
  bitsOffset_ = 0;
  height_ = width_ = rowBytes_ = bitCount_ = 0;
}

bool CDIB::LoadFile(const std::filesystem::path& path) {
  Clear();
  std::vector<std::uint8_t> file;
  try {
    // A start picture larger than the largest bitmap we accept cannot be sound.
    file = platform::ReadOrdinaryFile(path, 64U * 1024U * 1024U * 4U, platform::kMsgFileReadError);
  } catch (const platform::FileError&) {
    return false;
  }
  return LoadBytes(file);
}

bool CDIB::LoadBytes(const std::vector<std::uint8_t>& file) {
  Clear();
  if (file.size() < kFileHeaderSize + kInfoHeaderSize) return false;
  if (file[0] != 0x42 || file[1] != 0x4D) return false;
  const std::uint8_t* info = file.data() + kFileHeaderSize;
  const auto width = static_cast<std::int32_t>(ReadLe32(info + 4));
  const auto height = static_cast<std::int32_t>(ReadLe32(info + 8));
  const int bitCount = ReadLe16(info + 14);
  // Top-down (negative height), empty and absurdly large pictures, and bit counts no
  // uncompressed bitmap has, are refused rather than allocated.
  if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension ||
      !IsSupportedBitCount(bitCount)) {
    return false;
  }
  const std::int64_t rowBytes = RowBytesFor(width, bitCount);
  const auto tableBytes = static_cast<std::size_t>(4 * ColorTableEntries(bitCount));
  const auto pixelBytes = static_cast<std::size_t>(rowBytes * height);
  const std::size_t pixelOffset = ReadLe32(file.data() + 10);
  if (kFileHeaderSize + kInfoHeaderSize + tableBytes > file.size() || pixelOffset > file.size() ||
      pixelBytes > file.size() - pixelOffset) {
    return false;
  }
  try {
    block_.resize(kInfoHeaderSize + tableBytes + pixelBytes);
  } catch (const std::bad_alloc&) {
    Clear();
    return false;
  }
  std::copy_n(info, kInfoHeaderSize + tableBytes, block_.begin());
  std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(pixelOffset), pixelBytes,
              block_.begin() + static_cast<std::ptrdiff_t>(kInfoHeaderSize + tableBytes));
  bitsOffset_ = kInfoHeaderSize + tableBytes;
  width_ = width;
  height_ = height;
  bitCount_ = bitCount;
  rowBytes_ = static_cast<int>(rowBytes);
  return true;
}

const std::uint8_t* CDIB::RowFromTop(int y) const {
  // Rows are stored bottom-up: the last row in memory is the top of the picture.
  return block_.data() + bitsOffset_ +
         static_cast<std::size_t>(height_ - 1 - y) * static_cast<std::size_t>(rowBytes_);
}

platform::Color CDIB::PixelAt(int x, int y) const {
  if (!IsLoaded() || x < 0 || y < 0 || x >= width_ || y >= height_) return platform::kBlack;
  const std::uint8_t* row = RowFromTop(y);
  auto fromTable = [this](int index) {
    const std::uint8_t* entry =
        block_.data() + kInfoHeaderSize + static_cast<std::size_t>(4 * index);
    return platform::MakeColor(entry[2], entry[1], entry[0]);
  };
  switch (bitCount_) {
    case 1:
      return fromTable((row[x / 8] >> (7 - x % 8)) & 1);
    case 4:
      return fromTable((row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F);
    case 8:
      return fromTable(row[x]);
    case 16: {
      const int v = row[2 * x] | (row[2 * x + 1] << 8);
      return platform::MakeColor(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31,
                                 (v & 31) * 255 / 31);
    }
    case 24:
      return platform::MakeColor(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default:
      return platform::MakeColor(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
  }
}

int CDIB::Draw(platform::Canvas& canvas, int x, int y, int w, int h, int sourceX,
               int sourceY) const {
  if (!IsLoaded() || w <= 0 || h <= 0 || w > kMaxDimension || h > kMaxDimension) return 0;
  const int fromBottom = SourceRowFromBottom(h, sourceY);
  // The block of rows [fromBottom, fromBottom + h) from the bottom, clipped to the picture.
  const int top = height_ - (fromBottom + h);
  std::vector<platform::Color> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      pixels[static_cast<std::size_t>(row * w + col)] = PixelAt(sourceX + col, top + row);
    }
  }
  canvas.DrawPixels(x, y, w, h, pixels);
  return height_;
}

}  // namespace vantrel::chart
