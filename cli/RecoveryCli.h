// What the record and recover commands share about the recovery folder: where it is for
// this program, and notices on stderr in the form of the error line ("ID: text").
#pragma once

#include <filesystem>
#include <string>

#include "CliFrame.h"

namespace vantrel::cli {

/// The recovery folder of the program named by the product information.
std::filesystem::path RecoveryFolderPath(const CommandContext& context);

/// Prints "ID: text" on stderr, the text's "%1" filled with `argument`, on one line.
void PrintNotice(const CommandContext& context, int messageId, const std::string& argument);

}  // namespace vantrel::cli
