// File errors: the message IDs of the language library that name a file and the cause of a
// failed open or save, the error type that carries the file's name, and the file name as
// shown to the user. File names are bytes on this system; they stay
// std::filesystem::path (native bytes) everywhere and become UTF-16 only for display.
#pragma once

#include <filesystem>
#include <string>

#include "app/MessageIds.h"
#include "platform/Error.h"

namespace vantrel::platform {

/// Message IDs of file errors; every text takes the file name as %1.
using ids::kMsgFileAccessDenied;
using ids::kMsgFileCannotRead;
using ids::kMsgFileDiskFull;
using ids::kMsgFileInvalidPath;
using ids::kMsgFileIsFolder;
using ids::kMsgFileNotFound;
using ids::kMsgFileNotOrdinary;
using ids::kMsgFileReadError;
using ids::kMsgFileWriteError;

/// The message ID for an errno value of a failed create, write, sync or rename.
int FileErrorMessageFor(int errorNumber);
/// The message ID for an errno value of a failed open or read.
int FileReadErrorMessageFor(int errorNumber);

/// A file that could not be opened or saved: the message ID of the cause and the file's
/// name as the user gave it (the message text shows it).
class FileError : public VantrelError {
 public:
  FileError(int messageId, std::filesystem::path file, const std::string& detail)
      : VantrelError(messageId, detail), file_(std::move(file)) {}
  const std::filesystem::path& File() const { return file_; }

 private:
  std::filesystem::path file_;
};

/// The path as text for the user: its bytes read as UTF-8, each byte that is not part of a
/// valid sequence shown as U+FFFD. Never use the result to reach the file again.
std::u16string DisplayName(const std::filesystem::path& path);

}  // namespace vantrel::platform
