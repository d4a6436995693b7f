// The temporary folder of the tests: it takes over XDG_CONFIG_HOME and XDG_STATE_HOME while
// it lives and gives back what was there before, set or not; it goes with its contents.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "TempFolder.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

TEST(TempFolder, TakesOverTheXdgFoldersAndGivesBackWhatWasThere) {
  const std::optional<std::string> config = Variable("XDG_CONFIG_HOME");
  const std::optional<std::string> state = Variable("XDG_STATE_HOME");
  const struct {
    const char* config;
    const char* state;
  } cases[] = {{"/before/config", "/before/state"}, {nullptr, nullptr}, {"/before", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.config ? c.config : "unset") + " " + (c.state ? c.state : "unset"));
    c.config ? setenv("XDG_CONFIG_HOME", c.config, 1) : unsetenv("XDG_CONFIG_HOME");
    c.state ? setenv("XDG_STATE_HOME", c.state, 1) : unsetenv("XDG_STATE_HOME");
    fs::path path;
    {
      TempFolder folder;
      path = folder.Path();
      EXPECT_TRUE(fs::is_directory(path));
      EXPECT_EQ(Variable("XDG_CONFIG_HOME"), path.string());
      const std::optional<std::string> stateNow = Variable("XDG_STATE_HOME");
      ASSERT_TRUE(stateNow.has_value());
      EXPECT_EQ(fs::path(*stateNow).parent_path(), path);
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(Variable("XDG_CONFIG_HOME"),
              c.config ? std::optional<std::string>(c.config) : std::nullopt);
    EXPECT_EQ(Variable("XDG_STATE_HOME"),
              c.state ? std::optional<std::string>(c.state) : std::nullopt);
  }
  config ? setenv("XDG_CONFIG_HOME", config->c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
  state ? setenv("XDG_STATE_HOME", state->c_str(), 1) : unsetenv("XDG_STATE_HOME");
}

TEST(TempFolder, GoesEvenWhenATestTookItsPermissionsAway) {
  fs::path path;
  {
    TempFolder folder;
    path = folder.Path();
    std::ofstream(path / "file") << "x";
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_exec);
  }
  EXPECT_FALSE(fs::exists(path));
}

TEST(TempFolder, EveryFolderIsFresh) {
  const TempFolder first;
  const TempFolder second;
  EXPECT_NE(first.Path(), second.Path());
  EXPECT_TRUE(fs::is_empty(second.Path()));
}

}  // namespace
}  // namespace vantrel::testing
