// A temporary folder per test that also serves as XDG_CONFIG_HOME while it exists; both are
// undone when it goes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <system_error>

namespace vantrel::testing {

class TempFolder {
 public:
  TempFolder() {
    std::random_device device;
    path_ = std::filesystem::temp_directory_path() /
            ("vantrel-test-" + std::to_string(device()) + "-" + std::to_string(device()));
    std::filesystem::create_directories(path_);
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldXdg_ = old;
    setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
  }
  ~TempFolder() {
    if (oldXdg_) {
      setenv("XDG_CONFIG_HOME", oldXdg_->c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::optional<std::string> oldXdg_;
};

}  // namespace vantrel::testing
