#include <gtest/gtest.h>

#include <fstream>

#include "TempFolder.h"
#include "app/ProgramVersion.h"

namespace vantrel::app {
namespace {

TEST(ProgramVersion, NamesTheProgramTheProductOfTheInformationFileAndTheProjectVersion) {
  testing::TempFolder folder;
  const std::string version(ProjectVersion());
  EXPECT_FALSE(version.empty());
  // No product information: the product keeps its own name.
  EXPECT_EQ(VersionLine("vantrel-cli", folder.Path()), "vantrel-cli (Vantrel) " + version);
  // A file that lacks required keys still names the product.
  std::ofstream(folder.Path() / "mvdl4.ini") << "[Application]\nName=Hydrotest\n";
  EXPECT_EQ(VersionLine("vantrel", folder.Path()), "vantrel (Hydrotest) " + version);
}

}  // namespace
}  // namespace vantrel::app
