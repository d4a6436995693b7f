// Locating the program data; see DataFolder.h.
#include "app/DataFolder.h"

#include <system_error>

#include "app/ProductInfo.h"

namespace vantrel::app {

std::filesystem::path ExecutableDirectory(const std::string& argv0) {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || self.empty()) self = std::filesystem::absolute(argv0, error);
  return self.parent_path();
}

bool HoldsProgramData(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::is_regular_file(folder / kProductInfoFileName, error) ||
         std::filesystem::is_directory(folder / "lang_res", error);
}

std::filesystem::path FindDataFolder(const std::filesystem::path& executableDirectory) {
  if (HoldsProgramData(executableDirectory)) return executableDirectory;
  const std::filesystem::path installed =
      (executableDirectory / kInstalledDataFolder).lexically_normal();
  if (HoldsProgramData(installed)) return installed;
  return executableDirectory;
}

}  // namespace vantrel::app
