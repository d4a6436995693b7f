// Reading a file ahead on another thread: the blocks with their carried bytes give the file
// exactly, a read error is reported (again and again), and giving up early never hangs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/Error.h"
#include "platform/ReadAheadFile.h"

namespace vantrel::platform {
namespace {

constexpr int kReadError = 4711;

int OpenWith(const vantrel::testing::TempFolder& folder, const std::string& bytes) {
  const auto path = folder.Path() / "file";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  EXPECT_NE(file, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

TEST(ReadAheadFile, BlocksWithTheirCarriedBytesGiveTheWholeFile) {
  const vantrel::testing::TempFolder folder;
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, ReadAheadFile::kBlockSize,
                                 5 * ReadAheadFile::kBlockSize + 12345}) {
    SCOPED_TRACE(size);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 % 251);
    ReadAheadFile file(OpenWith(folder, bytes));
    // Carry a different number of unread bytes each time, as a reader whose values straddle
    // the blocks does; every byte must come exactly once, in order.
    std::string read;
    std::vector<std::uint8_t> carried;
    for (std::size_t round = 0;; ++round) {
      const auto block = file.Next(carried, kReadError);
      ASSERT_GE(block.size(), carried.size());
      ASSERT_TRUE(std::equal(carried.begin(), carried.end(), block.begin()));
      if (block.size() == carried.size()) break;
      const std::size_t keep = std::min(round % (ReadAheadFile::kMostCarried + 1), block.size());
      read.append(block.begin(), block.end() - static_cast<std::ptrdiff_t>(keep));
      carried.assign(block.end() - static_cast<std::ptrdiff_t>(keep), block.end());
      ASSERT_LT(round, 100U);
    }
    read.append(carried.begin(), carried.end());
    EXPECT_EQ(read, bytes);
  }
}

TEST(ReadAheadFile, AReadErrorIsReportedEveryTimeItIsAskedFor) {
  const vantrel::testing::TempFolder folder;
  // A folder opens for reading but cannot be read.
  ReadAheadFile file(::open(folder.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      file.Next({}, kReadError);
      ADD_FAILURE() << "no error";
    } catch (const VantrelError& error) {
      EXPECT_EQ(error.MessageId(), kReadError);
    }
  }
}

TEST(ReadAheadFile, GivingUpBeforeTheEndStopsTheReader) {
  const vantrel::testing::TempFolder folder;
  const std::string bytes(20 * ReadAheadFile::kBlockSize, 'x');
  for (int taken = 0; taken < 3; ++taken) {
    ReadAheadFile file(OpenWith(folder, bytes));
    for (int i = 0; i < taken; ++i)
      EXPECT_EQ(file.Next({}, kReadError).size(), ReadAheadFile::kBlockSize);
  }  // each one ends (joins its reader) here
}

}  // namespace
}  // namespace vantrel::platform
