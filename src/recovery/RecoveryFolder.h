// The user's recovery folder, $XDG_STATE_HOME/<maker>/<program>/recovery/ (default
// ~/.local/state/...): recording journals "journal-<id>.vqj" and recovery copies
// "copy-<id>.vqb" with their lock files "copy-<id>.lock". An item whose lock nobody holds
// was left by a run that ended abnormally. A run that ends normally leaves nothing here.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::recovery {

enum class ItemKind { kJournal, kCopy };

struct RecoveryItem {
  std::filesystem::path path;
  ItemKind kind = ItemKind::kJournal;
};

class RecoveryFolder {
 public:
  /// The folder below $XDG_STATE_HOME when that is an absolute path, else below
  /// $HOME/.local/state; empty when neither is usable.
  static std::filesystem::path DefaultPath(std::u16string_view maker, std::u16string_view program);

  explicit RecoveryFolder(std::filesystem::path path) : path_(std::move(path)) {}
  const std::filesystem::path& Path() const { return path_; }

  /// Creates the folder (readable by the user only) when it is missing; false with the
  /// cause in `error` when it cannot be used.
  bool Create(std::string* error) const;
  /// A name part no other item of any running program uses.
  static std::string NewId();
  std::filesystem::path JournalPath(const std::string& id) const;
  std::filesystem::path CopyPath(const std::string& id) const;
  /// The lock file of a copy.
  static std::filesystem::path CopyLockPath(const std::filesystem::path& copy);

  /// Journals and copies whose lock is free, sorted by path. A missing folder has none.
  std::vector<RecoveryItem> AbandonedItems() const;

 private:
  std::filesystem::path path_;
};

}  // namespace vantrel::recovery
