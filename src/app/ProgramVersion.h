// The version line every program prints for --version: the program's file name, the
// product name from the product information file and the project version, e.g.
// "vantrel-cli (Vantrel) 4.0".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel::app {

/// The project version the programs were built as ("4.0").
std::string_view ProjectVersion();

/// "<program> (<product name>) <project version>"; the product name comes from the
/// product information file in `dataFolder`, "Vantrel" when it cannot be read.
std::string VersionLine(std::string_view program, const std::filesystem::path& dataFolder);

}  // namespace vantrel::app
