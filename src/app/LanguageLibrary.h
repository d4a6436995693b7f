// The language library: every message, menu, document string, dialog caption and control
// label of the program, addressed by number, loaded once at start-up from the text data in
// the program directory ("lang_res/<LANG>.txt"; GER is the default, ENG selectable). The
// format of the text data is described at the top of lang_res/GER.txt. Placeholder words in
// the texts are left as they are; Placeholders.h replaces them.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/MessageIds.h"
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
  struct ConstructionKey {};  // only Load and Parse make libraries

 public:
  explicit LanguageLibrary(ConstructionKey) {}

  /// Loads "<programDir>/lang_res/<language>.txt" ("GER" when `language` is empty; the code is
  /// taken in upper case and must be 1..16 letters, digits, '_' or '-'); throws
  /// platform::VantrelError(0, kResourceLibraryMissing) when the code is not valid, or the file
  /// is missing, unreadable, larger than 16 MiB or holds no string at all.
  static std::unique_ptr<LanguageLibrary> Load(const std::filesystem::path& programDir,
                                               const std::string& language);
  /// Parses language data from memory (tests, embedded defaults). Tolerant: malformed lines,
  /// unknown sections and IDs outside 1..65535 are skipped; a later definition of the same
  /// string, caption or control label replaces the earlier one.
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
  std::u16string LanguageCode() const { return Text(ids::kStrLanguageCode); }

  /// Every entry the library defines, one key each: "string/<id>", "docstring/<id>",
  /// "dialog/<id>", "control/<dialog>/<control>", "menu/<id>" plus "menu/<id>/<command>" for
  /// each command in it, "toolbar/<id>/<command>", "accelerators/<id>/<command>". Sorted.
  /// Two languages are complete against each other when their inventories are equal.
  std::vector<std::string> Inventory() const;

 private:
  LanguageLibrary() = default;
  std::map<int, std::u16string> strings_;
  std::map<int, std::vector<MenuItem>> menus_;
  std::map<int, std::vector<int>> toolbars_;
  std::map<int, std::vector<Accelerator>> accelerators_;
  std::map<int, std::u16string> documentStrings_;
  std::map<int, std::u16string> dialogCaptions_;
  std::map<std::pair<int, int>, std::u16string> controlTexts_;
  // Returned for menus, toolbars and accelerator tables the library does not define.
  std::vector<MenuItem> noMenu_;
  std::vector<int> noToolbar_;
  std::vector<Accelerator> noAccelerators_;
};

}  // namespace vantrel::app
