// The safe save: ordinary files replaced whole or not at all, links followed, devices and
// pipes written in place, folders and sockets refused, nothing left behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "FileSizeLimit.h"
#include "platform/AtomicFile.h"

namespace vantrel::platform {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  AtomicFileTest() {
    std::random_device device;
    dir_ = fs::temp_directory_path() / ("vantrel-atomic-" + std::to_string(device()));
    fs::create_directories(dir_);
  }
  ~AtomicFileTest() override { fs::remove_all(dir_); }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  /// Every name in the folder (temporary files would show up here).
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  static int SaveErrorId(const fs::path& target, const std::string& bytes) {
    try {
      SaveFileAtomically(target, bytes);
    } catch (const FileError& error) {
      EXPECT_EQ(error.File(), target);
      return error.MessageId();
    }
    return 0;
  }

  fs::path dir_;
};

TEST_F(AtomicFileTest, ReplacesAFileWholeAndKeepsItsPermissions) {
  const fs::path target = dir_ / "m.vqb";
  Write(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  SaveFileAtomically(target, "new contents");
  EXPECT_EQ(Read(target), "new contents");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(Names(), std::vector<std::string>{"m.vqb"});
}

TEST_F(AtomicFileTest, AReplacedFileKeepsItsOwnerAlsoThroughALink) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the superuser can give a file away";
  const fs::path real = dir_ / "real.vqb";
  Write(real, "old");
  ASSERT_EQ(::chown(real.c_str(), 4321, 4322), 0);
  fs::create_symlink("real.vqb", dir_ / "link.vqb");
  SaveFileAtomically(dir_ / "link.vqb", "new");
  struct stat info {};
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 4321U);
  EXPECT_EQ(info.st_gid, 4322U);
  EXPECT_EQ(Read(real), "new");
}

TEST_F(AtomicFileTest, AFileNotCommittedLeavesTheOldFileAndNoTemporaryFile) {
  const fs::path target = dir_ / "m.csv";
  Write(target, "old");
  {
    AtomicFile file(target);
    file.Write(std::string(200 * 1024, 'x'));  // more than the buffer: reaches the disk
    EXPECT_TRUE(fs::exists(file.TemporaryPath()));
  }
  EXPECT_EQ(Read(target), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"m.csv"});
}

TEST_F(AtomicFileTest, SymbolicLinksAreFollowedAndTheFinalFileIsReplacedInItsFolder) {
  fs::create_directories(dir_ / "archive");
  const fs::path real = dir_ / "archive" / "real.vqb";
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;  // link name, what it points to
    bool realExists;
  };
  const std::vector<Case> cases = {
      {"one link, absolute", {{"link.vqb", real.string()}}, true},
      {"one link, relative", {{"link.vqb", "archive/real.vqb"}}, true},
      {"two links in a row", {{"link.vqb", "middle.vqb"}, {"middle.vqb", real.string()}}, true},
      {"dangling link", {{"link.vqb", "archive/real.vqb"}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(real);
    if (c.realExists) {
      Write(real, "old");
      fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    }
    for (const auto& [link, to] : c.links) fs::create_symlink(to, dir_ / link);
    SaveFileAtomically(dir_ / "link.vqb", "new");
    EXPECT_EQ(Read(real), "new");
    for (const auto& [link, to] : c.links) {
      EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir_ / link)));
      fs::remove(dir_ / link);
    }
    if (c.realExists) {
      EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    }
    EXPECT_EQ(Names(), std::vector<std::string>{"archive"});
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "archive"), {}), 1);
  }
}

TEST_F(AtomicFileTest, ANamedPipeIsWrittenInPlaceAndStaysAPipe) {
  const fs::path pipe = dir_ / "pipe.csv";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string bytes(300 * 1024, 'p');  // more than a pipe holds at once
  std::string received;
  std::thread reader([&] {
    const int fd = ::open(pipe.c_str(), O_RDONLY);
    char chunk[4096];
    for (ssize_t n; (n = ::read(fd, chunk, sizeof chunk)) > 0;) {
      received.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
  });
  try {
    SaveFileAtomically(pipe, bytes);
  } catch (const FileError& error) {
    ADD_FAILURE() << error.what();
    ::close(::open(pipe.c_str(), O_WRONLY));  // lets the reader end
  }
  reader.join();
  EXPECT_EQ(received, bytes);
  struct stat info {};
  ASSERT_EQ(::stat(pipe.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(Names(), std::vector<std::string>{"pipe.csv"});
}

TEST_F(AtomicFileTest, TargetsThatCannotBeSavedAreRefusedWithTheirCause) {
  fs::create_directories(dir_ / "folder" / "inside");
  fs::create_symlink("loop-b", dir_ / "loop-a");
  fs::create_symlink("loop-a", dir_ / "loop-b");
  fs::create_symlink(dir_ / "folder", dir_ / "folder-link");
  const fs::path socketPath = dir_ / "socket";
  const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  struct Case {
    fs::path target;
    int messageId;
  };
  const std::vector<Case> cases = {
      {dir_ / "missing" / "m.vqb", kMsgFileNotFound}, {dir_ / "folder", kMsgFileIsFolder},
      {dir_ / "folder-link", kMsgFileIsFolder},       {socketPath, kMsgFileNotOrdinary},
      {dir_ / "loop-a", kMsgFileInvalidPath},         {"", kMsgFileInvalidPath},
  };
  const std::vector<std::string> before = Names();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target.string());
    EXPECT_EQ(SaveErrorId(c.target, "x"), c.messageId);
  }
  ::close(socketFd);
  EXPECT_EQ(Names(), before);
  EXPECT_TRUE(fs::is_directory(dir_ / "folder" / "inside"));
}

TEST_F(AtomicFileTest, AFullDiskKeepsTheOldFileAndReportsDiskFull) {
  const fs::path target = dir_ / "m.vqb";
  Write(target, "old");
  std::optional<testing::FileSizeLimit> full(std::in_place, 64 * 1024);
  ASSERT_TRUE(full->Applied());
  const int id = SaveErrorId(target, std::string(256 * 1024, 'x'));
  full.reset();
  EXPECT_EQ(id, kMsgFileDiskFull);
  EXPECT_EQ(Read(target), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"m.vqb"});
}

TEST_F(AtomicFileTest, CheckCanSaveLeavesNothingBehind) {
  EXPECT_NO_THROW(AtomicFile::CheckCanSave(dir_ / "new.vqa"));
  EXPECT_THROW(AtomicFile::CheckCanSave(dir_ / "missing" / "new.vqa"), FileError);
  EXPECT_TRUE(Names().empty());
}

TEST(FileErrors, ErrorNumbersMapToTheFileErrorMessages) {
  struct Case {
    int number;
    int writeId;
    int readId;
  };
  const Case cases[] = {
      {ENOENT, kMsgFileNotFound, kMsgFileNotFound},
      {ENOTDIR, kMsgFileNotFound, kMsgFileNotFound},
      {EISDIR, kMsgFileIsFolder, kMsgFileIsFolder},
      {ENAMETOOLONG, kMsgFileInvalidPath, kMsgFileInvalidPath},
      {ENOSPC, kMsgFileDiskFull, kMsgFileReadError},
      {EFBIG, kMsgFileDiskFull, kMsgFileReadError},
      {EACCES, kMsgFileAccessDenied, kMsgFileCannotRead},
      {EROFS, kMsgFileAccessDenied, kMsgFileReadError},
      {EIO, kMsgFileWriteError, kMsgFileReadError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::strerror(c.number));
    EXPECT_EQ(FileErrorMessageFor(c.number), c.writeId);
    EXPECT_EQ(FileReadErrorMessageFor(c.number), c.readId);
  }
}

TEST(FileErrors, DisplayNamesShowUndecodableBytesAsReplacementCharacters) {
  EXPECT_EQ(DisplayName(fs::path("/data/Pr\374fung.vqa")), u"/data/Pr\uFFFDfung.vqa");
  EXPECT_EQ(DisplayName(fs::path("/data/Pr\303\274fung.vqa")), u"/data/Pr\u00FCfung.vqa");
}

}  // namespace
}  // namespace vantrel::platform
