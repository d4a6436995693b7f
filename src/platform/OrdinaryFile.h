// Reading a whole file that the user named: only an ordinary file is opened (a pipe or a
// device could wait for a writer forever), and its size is bounded so that an absurd file
// cannot exhaust memory. Every failure names its cause as a message ID.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vantrel::platform {

/// The bytes of the ordinary file `path`. Throws FileError with the cause (not found, a
/// folder, not an ordinary file, no permission, ...), and FileError `tooLargeMessageId` when
/// the file holds more than `largest` bytes.
std::vector<std::uint8_t> ReadOrdinaryFile(const std::filesystem::path& path,
                                           std::uintmax_t largest, int tooLargeMessageId);

}  // namespace vantrel::platform
