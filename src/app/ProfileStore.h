// The application's per-user profile: one INI file at
// $XDG_CONFIG_HOME/<maker>/<program>.ini (~/.config when XDG_CONFIG_HOME is not set) with
// the sections "Comm", "Einstellungen" and the recent-file list. Reads come from the copy
// loaded at construction; every write reads the file again, changes it and replaces it
// atomically, so values written by another instance in between are kept and a failed write
// never loses the existing file. What the sections mean is up to their users.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/IniFile.h"
#include "app/MessageIds.h"

namespace vantrel::app {

/// The message shown when settings could not be written to the profile.
using ids::kMsgSettingsNotSaved;

/// One value of a batch write.
struct ProfileValue {
  std::string key;
  std::variant<int, std::u16string> value;
};

class ProfileStore {
 public:
  /// The section and keys of the recent-file list; it keeps at most kRecentFileCount paths.
  static constexpr std::string_view kRecentSection = "Recent File List";
  static constexpr int kRecentFileCount = 4;

  /// The profile file of `program` made by `maker`, below $XDG_CONFIG_HOME when that is an
  /// absolute path, else below $HOME/.config; empty when neither is usable. The names become
  /// single folder and file names (see SafeFileName).
  static std::filesystem::path DefaultPath(std::u16string_view maker, std::u16string_view program);
  /// `name` as one file-name component: path separators and control characters become "_",
  /// an empty name or "." or ".." becomes `fallback`.
  static std::string SafeFileName(std::u16string_view name, std::string_view fallback);

  /// Opens the profile at `file` and reads it; a missing file is an empty profile. When the
  /// file exists but cannot be read (or is too large), every value reads as its default and
  /// writes are refused, so the file is never replaced by one that lost its contents.
  explicit ProfileStore(std::filesystem::path file);

  const std::filesystem::path& Path() const { return path_; }
  /// Reads the file again; false when it exists but cannot be read.
  bool Reload();

  int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) const;
  std::u16string GetProfileString(std::string_view section, std::string_view key,
                                  std::u16string_view defaultValue) const;
  /// True when the value is stored (whatever it holds).
  bool HasValue(std::string_view section, std::string_view key) const;

  /// Each write creates the folders as needed and replaces the file atomically. False when
  /// the value cannot be stored or the file cannot be written; LastError says why.
  bool WriteProfileInt(std::string_view section, std::string_view key, int value);
  bool WriteProfileString(std::string_view section, std::string_view key,
                          std::u16string_view value);
  /// Writes several values of one section in one replacement: all or none.
  bool WriteProfileValues(std::string_view section, const std::vector<ProfileValue>& values);
  /// Removes a value; true also when there was none.
  bool RemoveProfileValue(std::string_view section, std::string_view key);

  /// The recent-file list, most recent first, without empty entries.
  std::vector<std::u16string> RecentFiles() const;
  /// Puts `path` first in the recent-file list (removing an equal entry further down) and
  /// keeps the first kRecentFileCount entries.
  bool AddRecentFile(std::u16string_view path);
  /// The recent-file list as the paths they were stored from (see StoredPathText).
  std::vector<std::filesystem::path> RecentFilePaths() const;
  /// Puts the file `path` first in the recent-file list, stored so that it reopens.
  bool AddRecentFilePath(const std::filesystem::path& path);

  /// A file name as the profile stores it: its text when its bytes are UTF-8, else a
  /// "file://" URL whose bytes outside printable ASCII (and "%") are percent-encoded, so
  /// that a name from an old share (Latin-1 bytes) is kept byte for byte.
  static std::u16string StoredPathText(const std::filesystem::path& path);
  /// The path of a stored entry (the reverse of StoredPathText).
  static std::filesystem::path PathOfStoredText(std::u16string_view text);

  /// Why the last failed write or read failed; empty after success.
  const std::string& LastError() const { return lastError_; }
  /// The file error message (platform/FileErrors.h, naming the profile's file) of the cause
  /// of the last failure; 0 after success or when no such cause is known.
  int LastFileMessage() const { return lastFileMessage_; }

 private:
  /// Reads the current file, applies `change` and writes the result; on success the result
  /// becomes the loaded copy.
  template <typename Change>
  bool Update(Change&& change);
  bool Commit(IniFile& fresh);
  bool LoadFresh(IniFile& fresh);

  std::filesystem::path path_;
  IniFile loaded_;
  std::string lastError_;
  int lastFileMessage_ = 0;
};

}  // namespace vantrel::app
