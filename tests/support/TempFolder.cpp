#include "TempFolder.h"

#include <cstdlib>
#include <random>
#include <system_error>

namespace vantrel::testing {

TempFolder::SavedVariable::SavedVariable(const char* name, const std::filesystem::path& value)
    : name_(name) {
  if (const char* old = std::getenv(name)) old_ = old;
  setenv(name, value.c_str(), 1);
}

void TempFolder::SavedVariable::Restore() const {
  if (old_) {
    setenv(name_, old_->c_str(), 1);
  } else {
    unsetenv(name_);
  }
}

TempFolder::TempFolder() {
  std::random_device device;
  path_ = std::filesystem::temp_directory_path() /
          ("vantrel-test-" + std::to_string(device()) + "-" + std::to_string(device()));
  std::filesystem::create_directories(path_);
  config_.emplace("XDG_CONFIG_HOME", path_);
  state_.emplace("XDG_STATE_HOME", path_ / "state");
}

TempFolder::~TempFolder() {
  state_->Restore();
  config_->Restore();
  std::error_code ignored;
  // A test may have taken its permissions away to provoke write errors.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace vantrel::testing
