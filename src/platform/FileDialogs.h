// How core logic asks the user for a file name without opening a window. The GUI shows a
// file dialog, tests script the answer, the CLI takes the name from its arguments.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vantrel::platform {

struct SaveFileRequest {
  std::u16string title;               // dialog title
  std::filesystem::path initialName;  // proposed path (folder and name)
  std::u16string filterDescription;   // e.g. "Vantrel-Dokumente"
  std::u16string pattern;             // e.g. "*.vqb"
  std::u16string defaultExtension;    // without the dot, e.g. "vqb"
  bool askBeforeOverwrite = true;
  bool pathMustExist = true;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  /// The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::filesystem::path> AskSaveFileName(const SaveFileRequest& request) = 0;
};

}  // namespace vantrel::platform
