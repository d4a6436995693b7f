// A fresh temporary folder per test that also serves as XDG_CONFIG_HOME and XDG_STATE_HOME
// while it exists, so that no test reads or writes the user's profile or state folder; the
// folder goes and both variables are restored with the object.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vantrel::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  /// Sets an environment variable and restores its earlier value (or absence) on Restore.
  class SavedVariable {
   public:
    SavedVariable(const char* name, const std::filesystem::path& value);
    void Restore() const;

   private:
    const char* name_;
    std::optional<std::string> old_;
  };

  std::filesystem::path path_;
  std::optional<SavedVariable> config_;
  std::optional<SavedVariable> state_;
};

}  // namespace vantrel::testing
