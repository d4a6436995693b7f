// Where the programs find their data (language texts, product information, start picture):
// next to the executable in the build tree, or in "../share/vantrel" relative to it in an
// installed tree, so an install under any prefix works without environment variables.
#pragma once

#include <filesystem>
#include <string>

namespace vantrel::app {

/// The data folder's path relative to the executable's folder in an installed tree.
constexpr const char* kInstalledDataFolder = "../share/vantrel";

/// The folder of the running executable (from /proc/self/exe); when that cannot be read,
/// the folder of `argv0` made absolute.
std::filesystem::path ExecutableDirectory(const std::string& argv0);

/// True when `folder` holds program data: the product information file or the folder of
/// the language texts.
bool HoldsProgramData(const std::filesystem::path& folder);

/// The data folder for programs in `executableDirectory`: that folder itself when it holds
/// program data, else its "../share/vantrel" when that does; else `executableDirectory`
/// (the programs then report the missing data as they always did).
std::filesystem::path FindDataFolder(const std::filesystem::path& executableDirectory);

}  // namespace vantrel::app
