// Reading a whole user file: the bytes as they are, and every kind of name that is not an
// ordinary file refused with its cause, without waiting on a pipe.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "platform/FileErrors.h"
#include "platform/OrdinaryFile.h"

namespace vantrel::platform {
namespace {

namespace fs = std::filesystem;
constexpr int kTooLarge = 4711;

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
  std::fclose(file);
}

int MessageOfReading(const fs::path& path, std::uintmax_t largest) {
  try {
    ReadOrdinaryFile(path, largest, kTooLarge);
  } catch (const FileError& error) {
    EXPECT_EQ(error.File(), path);
    return error.MessageId();
  }
  return 0;
}

TEST(OrdinaryFile, ReadsEveryByteUpToTheLimitInclusive) {
  const vantrel::testing::TempFolder folder;
  const std::string bytes("a\0b\r\n\xff", 6);
  WriteBytes(folder.Path() / "six", bytes);
  const auto read = ReadOrdinaryFile(folder.Path() / "six", 6, kTooLarge);
  EXPECT_EQ(std::string(read.begin(), read.end()), bytes);
  WriteBytes(folder.Path() / "empty", "");
  EXPECT_TRUE(ReadOrdinaryFile(folder.Path() / "empty", 0, kTooLarge).empty());
}

TEST(OrdinaryFile, RefusesWhatIsNoOrdinaryFileWithItsCause) {
  const vantrel::testing::TempFolder folder;
  WriteBytes(folder.Path() / "seven", "1234567");
  ASSERT_EQ(::mkfifo((folder.Path() / "pipe").c_str(), 0600), 0);
  fs::create_directory(folder.Path() / "folder");
  fs::create_symlink(folder.Path() / "seven", folder.Path() / "link");
  const struct {
    const char* name;
    std::uintmax_t largest;
    int message;
  } cases[] = {
      {"missing", 100, kMsgFileNotFound},
      {"folder", 100, kMsgFileIsFolder},
      {"pipe", 100, kMsgFileNotOrdinary},  // refused at once: nobody ever writes to it
      {"seven", 6, kTooLarge},
      {"link", 100, 0},  // a link to an ordinary file is read
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MessageOfReading(folder.Path() / c.name, c.largest), c.message);
  }
}

}  // namespace
}  // namespace vantrel::platform
