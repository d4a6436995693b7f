#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <sstream>

#include "FileSizeLimit.h"
#include "TempFolder.h"
#include "app/ProfileStore.h"
#include "platform/FileErrors.h"

namespace vantrel::app {
namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteAll(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

/// Restores an environment variable when it goes.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(ProfileStore, DefaultPathFollowsXdgConfigHomeThenHome) {
  const struct {
    const char* xdg;
    const char* home;
    const char* expected;
  } cases[] = {
      {"/cfg", "/home/u", "/cfg/Maker/Prog.ini"},
      {nullptr, "/home/u", "/home/u/.config/Maker/Prog.ini"},
      {"relative/cfg", "/home/u", "/home/u/.config/Maker/Prog.ini"},
      {"", "/home/u", "/home/u/.config/Maker/Prog.ini"},
      {nullptr, nullptr, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
    ScopedEnv home("HOME", c.home);
    EXPECT_EQ(ProfileStore::DefaultPath(u"Maker", u"Prog"), std::filesystem::path(c.expected));
  }
}

TEST(ProfileStore, MakerAndProgramNamesStayOneFolderAndFileName) {
  EXPECT_EQ(ProfileStore::SafeFileName(u"../../etc", "x"), ".._.._etc");
  EXPECT_EQ(ProfileStore::SafeFileName(u"a\\b\nc", "x"), "a_b_c");
  EXPECT_EQ(ProfileStore::SafeFileName(u"..", "x"), "x");
  EXPECT_EQ(ProfileStore::SafeFileName(u"", "x"), "x");
  EXPECT_EQ(ProfileStore::SafeFileName(u"Vantrel Messtechnik", "x"), "Vantrel Messtechnik");
}

TEST(ProfileStore, WritesCreateTheFoldersAndAreReadBackByANewStore) {
  testing::TempFolder folder;
  const auto path = ProfileStore::DefaultPath(u"Maker", u"Prog");
  ProfileStore profile(path);
  EXPECT_EQ(profile.GetProfileInt("Comm", "Port", 1), 1);
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_TRUE(profile.WriteProfileInt("Comm", "Port", 5)) << profile.LastError();
  ASSERT_TRUE(profile.WriteProfileString("Einstellungen", "Arbeitsverzeichnis", u"/data/\u00E4"));
  EXPECT_EQ(profile.GetProfileInt("Comm", "Port", 1), 5);

  const ProfileStore reread(path);
  EXPECT_EQ(reread.GetProfileInt("comm", "port", 1), 5);
  EXPECT_EQ(reread.GetProfileString("Einstellungen", "Arbeitsverzeichnis", u""), u"/data/\u00E4");
  EXPECT_TRUE(reread.HasValue("Comm", "Port"));
  EXPECT_FALSE(reread.HasValue("Comm", "Baud-Rate"));
}

TEST(ProfileStore, WritesKeepValuesAnotherInstanceWroteMeanwhile) {
  testing::TempFolder folder;
  const auto path = folder.Path() / "p.ini";
  ProfileStore first(path);
  ProfileStore second(path);
  ASSERT_TRUE(first.WriteProfileInt("Comm", "Port", 2));
  ASSERT_TRUE(second.WriteProfileInt("Comm", "Baud-Rate", 9600));
  const ProfileStore reread(path);
  EXPECT_EQ(reread.GetProfileInt("Comm", "Port", 1), 2);
  EXPECT_EQ(reread.GetProfileInt("Comm", "Baud-Rate", 1200), 9600);
}

TEST(ProfileStore, BatchWritesAreAllOrNothing) {
  testing::TempFolder folder;
  const auto path = folder.Path() / "p.ini";
  ProfileStore profile(path);
  ASSERT_TRUE(profile.WriteProfileValues("S", {{"a", 1}, {"b", std::u16string(u"x")}}));
  EXPECT_FALSE(profile.WriteProfileValues("S", {{"a", 2}, {"b", std::u16string(u"x\ny=1")}}));
  EXPECT_FALSE(profile.LastError().empty());
  const ProfileStore reread(path);
  EXPECT_EQ(reread.GetProfileInt("S", "a", 0), 1);
  EXPECT_FALSE(reread.HasValue("S", "y"));
}

TEST(ProfileStore, RecentFileListKeepsFourMostRecentWithoutDuplicates) {
  testing::TempFolder folder;
  ProfileStore profile(folder.Path() / "p.ini");
  for (const char16_t* file : {u"/a", u"/b", u"/c", u"/d", u"/e", u"/c", u""}) {
    ASSERT_TRUE(profile.AddRecentFile(file));
  }
  const std::vector<std::u16string> expected{u"/c", u"/e", u"/d", u"/b"};
  EXPECT_EQ(profile.RecentFiles(), expected);
  EXPECT_EQ(ProfileStore(folder.Path() / "p.ini").RecentFiles(), expected);
  EXPECT_EQ(profile.GetProfileString("Recent File List", "File1", u""), u"/c");
}

TEST(ProfileStore, RemovingAValueLeavesTheOthers) {
  testing::TempFolder folder;
  ProfileStore profile(folder.Path() / "p.ini");
  ASSERT_TRUE(profile.WriteProfileValues("Comm", {{"Port", 2}, {"COM2", std::u16string(u"/x")}}));
  EXPECT_TRUE(profile.RemoveProfileValue("Comm", "COM2"));
  EXPECT_TRUE(profile.RemoveProfileValue("Comm", "COM7"));
  EXPECT_FALSE(ProfileStore(folder.Path() / "p.ini").HasValue("Comm", "COM2"));
  EXPECT_EQ(ProfileStore(folder.Path() / "p.ini").GetProfileInt("Comm", "Port", 1), 2);
}

/// Tries to change "Comm"/"Port" of the profile at `path`; 0 when the write was refused with
/// a reason and the store still reads the old value 3.
int TryWritingPort(const std::filesystem::path& path) {
  ProfileStore profile(path);
  const bool written = profile.WriteProfileInt("Comm", "Port", 7);
  return (!written && !profile.LastError().empty() && profile.GetProfileInt("Comm", "Port", 1) == 3)
             ? 0
             : 1;
}

TEST(ProfileStore, UnwritableFolderLeavesTheOldFileIntactAndReportsTheFailure) {
  testing::TempFolder folder;
  const auto dir = folder.Path() / "Maker";
  const auto path = dir / "Prog.ini";
  WriteAll(path, "[Comm]\nPort=3\n");
  if (geteuid() == 0) {
    // Folder permissions do not bind the superuser: write as an unprivileged user instead,
    // for whom the folder (owned by root, mode 755) is not writable.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
      _exit(TryWritingPort(path));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
  } else {
    std::filesystem::permissions(
        dir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(TryWritingPort(path), 0);
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
  }
  EXPECT_EQ(ReadAll(path), "[Comm]\nPort=3\n");
}

TEST(ProfileStore, FailedWriteOfAFullDiskLeavesTheOldFileIntact) {
  testing::TempFolder folder;
  const auto path = folder.Path() / "p.ini";
  WriteAll(path, "[Comm]\nPort=3\n");
  ProfileStore profile(path);
  // A file size limit makes writing the larger new file fail the way a full disk does.
  std::optional<testing::FileSizeLimit> full(std::in_place, 64);
  ASSERT_TRUE(full->Applied());
  const bool written = profile.WriteProfileString("Comm", "COM1", std::u16string(200, u'x'));
  full.reset();

  EXPECT_FALSE(written);
  EXPECT_FALSE(profile.LastError().empty());
  EXPECT_EQ(profile.LastFileMessage(), platform::kMsgFileDiskFull);
  EXPECT_EQ(ReadAll(path), "[Comm]\nPort=3\n");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);  // no temporary file left behind
}

TEST(ProfileStore, AnExistingFileThatCannotBeReadIsNeverReplaced) {
  testing::TempFolder folder;
  const auto path = folder.Path() / "p.ini";
  const std::string huge = "[Comm]\nPort=3\n" + std::string(IniFile::kMaxBytes, ';');
  WriteAll(path, huge);
  ProfileStore profile(path);
  EXPECT_EQ(profile.GetProfileInt("Comm", "Port", 1), 1);
  EXPECT_FALSE(profile.WriteProfileInt("Comm", "Port", 4));
  EXPECT_EQ(std::filesystem::file_size(path), huge.size());
  EXPECT_EQ(profile.LastFileMessage(), 0);  // too large: no file error names that

  const auto dirPath = folder.Path() / "dir.ini";
  std::filesystem::create_directory(dirPath);
  ProfileStore onDirectory(dirPath);
  EXPECT_FALSE(onDirectory.WriteProfileInt("Comm", "Port", 4));
  EXPECT_TRUE(std::filesystem::is_directory(dirPath));
  EXPECT_EQ(onDirectory.LastFileMessage(), platform::kMsgFileIsFolder);
  // A later success forgets the cause.
  ProfileStore fine(folder.Path() / "fine.ini");
  EXPECT_TRUE(fine.WriteProfileInt("Comm", "Port", 4));
  EXPECT_EQ(fine.LastFileMessage(), 0);
}

TEST(ProfileStore, WithoutAProfileFolderReadsDefaultsAndReportsWrites) {
  ProfileStore profile{std::filesystem::path()};
  EXPECT_EQ(profile.GetProfileInt("Comm", "Baud-Rate", 1200), 1200);
  EXPECT_FALSE(profile.WriteProfileInt("Comm", "Port", 2));
  EXPECT_FALSE(profile.LastError().empty());
}

TEST(ProfileStore, RecentFilesKeepTheBytesOfNamesThatAreNotUtf8) {
  testing::TempFolder folder;
  const auto path = folder.Path() / "p.ini";
  const std::vector<std::filesystem::path> names = {
      "/mnt/share/Pr\374fung.vqa",        // Latin-1 from an old share
      "/home/m/Pr\303\274fung 100%.vqb",  // UTF-8 is stored as the text it is
      "/tmp/a%41\x01.vqb",
  };
  {
    ProfileStore profile(path);
    for (const auto& name : names) ASSERT_TRUE(profile.AddRecentFilePath(name));
    EXPECT_EQ(profile.RecentFiles()[1], u"/home/m/Pr\u00FCfung 100%.vqb");
  }
  const ProfileStore reread(path);
  const std::vector<std::filesystem::path> expected(names.rbegin(), names.rend());
  EXPECT_EQ(reread.RecentFilePaths(), expected);
}

}  // namespace
}  // namespace vantrel::app
