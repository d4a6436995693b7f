#include <gtest/gtest.h>

#include <fstream>

#include "TempFolder.h"
#include "app/DataFolder.h"

namespace vantrel::app {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "[Application]\n";
}

TEST(DataFolder, IsBesideTheExecutableFirstThenInShareVantrelOfTheInstalledTree) {
  testing::TempFolder folder;
  const fs::path bin = folder.Path() / "prefix" / "bin";
  const fs::path share = folder.Path() / "prefix" / "share" / "vantrel";
  fs::create_directories(bin);
  // Nothing anywhere: the executable's folder (the programs then report what is missing).
  EXPECT_EQ(FindDataFolder(bin), bin);
  struct Case {
    const char* what;
    fs::path file;
    fs::path expected;
  };
  // Each case adds to the ones before it.
  const Case cases[] = {
      {"installed language texts", share / "lang_res" / "GER.txt", share},
      {"installed product information", share / "mvdl4.ini", share},
      {"language texts beside the executable", bin / "lang_res" / "GER.txt", bin},
      {"product information beside the executable", bin / "mvdl4.ini", bin},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Touch(c.file);
    EXPECT_EQ(FindDataFolder(bin), c.expected);
  }
}

TEST(DataFolder, AFileNamedLikeTheTextFolderIsNoData) {
  testing::TempFolder folder;
  Touch(folder.Path() / "bin" / "lang_res");  // a file, not a folder
  EXPECT_FALSE(HoldsProgramData(folder.Path() / "bin"));
  EXPECT_FALSE(HoldsProgramData(folder.Path() / "missing"));
}

TEST(DataFolder, TheExecutableDirectoryIsThisTestsFolder) {
  const fs::path self = fs::read_symlink("/proc/self/exe");
  EXPECT_EQ(ExecutableDirectory("ignored"), self.parent_path());
}

}  // namespace
}  // namespace vantrel::app
