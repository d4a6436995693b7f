// The language library: every message, menu, document string, dialog caption and control
// label of the program, addressed by number, loaded once at start-up from the text data in
// the program directory ("lang_res/<LANG>.txt"; GER is the default, ENG selectable).
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/TextSource.h"

namespace vantrel::app {

/// One entry of a menu: a popup (children), a command (commandId > 0) or a separator.
struct MenuItem {
  std::u16string text;  // with '&' mnemonics and an optional "\t" shortcut text
  int commandId = 0;
  bool separator = false;
  std::vector<MenuItem> children;
};

/// One accelerator: a key description ("Ctrl+C", "Del", "F1") and its command.
struct Accelerator {
  std::u16string key;
  int commandId = 0;
};

/// Thrown by Load when no language data is found; its text is fixed (not from the library).
constexpr const char* kResourceLibraryMissing = "Resource-DLL not found";

class LanguageLibrary final : public platform::TextSource {
 public:
  /// Loads "<programDir>/lang_res/<language>.txt" ("GER" when `language` is empty); throws
  /// platform::VantrelError(0, kResourceLibraryMissing) when the file is missing or unreadable.
  static std::unique_ptr<LanguageLibrary> Load(const std::filesystem::path& programDir,
                                               const std::string& language);
  /// Parses language data from memory (tests, embedded defaults).
  static std::unique_ptr<LanguageLibrary> Parse(const std::string& utf8Data);

  /// The string `id`; empty when the library has none.
  std::u16string Text(int id) const override;
  bool HasText(int id) const;
  /// Menu `id` (128 main frame, 129 document windows); empty when none.
  const std::vector<MenuItem>& Menu(int id) const;
  /// Toolbar `id`: command IDs in order, 0 for a separator.
  const std::vector<int>& Toolbar(int id) const;
  const std::vector<Accelerator>& Accelerators(int id) const;
  /// The document string of template `id` (fields separated by '\n').
  std::u16string DocumentString(int id) const;
  /// The caption of dialog template `id`.
  std::u16string DialogCaption(int id) const;
  /// The label of control `controlId` in dialog template `dialogId`; empty when none.
  std::u16string ControlText(int dialogId, int controlId) const;
  /// The language code of this library (string 32964: "GER", "ENG", ...).
  std::u16string LanguageCode() const { return Text(32964); }

 private:
  LanguageLibrary() = default;
  std::map<int, std::u16string> strings_;
  std::map<int, std::vector<MenuItem>> menus_;
  std::map<int, std::vector<int>> toolbars_;
  std::map<int, std::vector<Accelerator>> accelerators_;
  std::map<int, std::u16string> documentStrings_;
  std::map<int, std::u16string> dialogCaptions_;
  std::map<std::pair<int, int>, std::u16string> controlTexts_;
};

}  // namespace vantrel::app
