// The per-user profile file; see ProfileStore.h.
#include "app/ProfileStore.h"

#include <cstdlib>
#include <system_error>
#include <utility>

#include "platform/Error.h"
#include "platform/FileErrors.h"
#include "platform/Strings.h"

namespace vantrel::app {
namespace {

std::string RecentKey(int index) { return "File" + std::to_string(index + 1); }

/// Stored names that are not UTF-8 text start with this; a file path never does (it starts
/// with "/" on this system).
constexpr std::string_view kByteNamePrefix = "file://";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string ProfileStore::SafeFileName(std::u16string_view name, std::string_view fallback) {
  std::string safe = platform::ToUtf8(name);
  for (char& c : safe) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\') c = '_';
  }
  if (safe.empty() || safe == "." || safe == "..") return std::string(fallback);
  return safe;
}

std::filesystem::path ProfileStore::DefaultPath(std::u16string_view maker,
                                                std::u16string_view program) {
  std::filesystem::path base;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && std::filesystem::path(xdg).is_absolute()) {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return {};
    base = std::filesystem::path(home) / ".config";
  }
  return base / SafeFileName(maker, "Vantrel") / (SafeFileName(program, "Vantrel") + ".ini");
}

ProfileStore::ProfileStore(std::filesystem::path file) : path_(std::move(file)) { Reload(); }

bool ProfileStore::Reload() {
  IniFile fresh;
  const bool ok = LoadFresh(fresh);
  loaded_ = std::move(fresh);
  return ok;
}

bool ProfileStore::LoadFresh(IniFile& fresh) {
  if (path_.empty()) {
    lastError_ = "no folder for the profile (neither XDG_CONFIG_HOME nor HOME is set)";
    lastFileMessage_ = 0;
    return false;
  }
  IniLoadResult result = IniFile::Load(path_);
  switch (result.status) {
    case IniLoadStatus::kOk:
      fresh = std::move(result.file);
      lastError_.clear();
      return true;
    case IniLoadStatus::kMissing:
      fresh = IniFile();
      lastError_.clear();
      return true;
    case IniLoadStatus::kUnreadable:
    case IniLoadStatus::kTooLarge:
      break;
  }
  lastError_ = result.detail;
  lastFileMessage_ = result.messageId;
  return false;
}

int ProfileStore::GetProfileInt(std::string_view section, std::string_view key,
                                int defaultValue) const {
  return loaded_.GetInt(section, key, defaultValue);
}

std::u16string ProfileStore::GetProfileString(std::string_view section, std::string_view key,
                                              std::u16string_view defaultValue) const {
  return loaded_.GetString(section, key, defaultValue);
}

bool ProfileStore::HasValue(std::string_view section, std::string_view key) const {
  return loaded_.Get(section, key).has_value();
}

template <typename Change>
bool ProfileStore::Update(Change&& change) {
  IniFile fresh;
  // A file that exists but cannot be read is never replaced: it may hold values that a
  // rewrite from an empty profile would lose.
  if (!LoadFresh(fresh)) {
    lastError_ = "profile not written: " + lastError_;
    return false;
  }
  if (!change(fresh)) {
    lastError_ = "value cannot be stored in the profile (line break or invalid name)";
    lastFileMessage_ = 0;
    return false;
  }
  return Commit(fresh);
}

bool ProfileStore::Commit(IniFile& fresh) {
  std::error_code ec;
  std::filesystem::create_directories(path_.parent_path(), ec);
  if (ec) {
    lastError_ = "cannot create " + path_.parent_path().string() + ": " + ec.message();
    lastFileMessage_ = platform::FileErrorMessageFor(ec.value());
    return false;
  }
  try {
    fresh.Save(path_);
  } catch (const platform::FileError& error) {
    lastError_ = error.what();
    lastFileMessage_ = error.MessageId();
    return false;
  } catch (const platform::VantrelError& error) {
    lastError_ = error.what();
    lastFileMessage_ = 0;
    return false;
  }
  loaded_ = std::move(fresh);
  lastError_.clear();
  lastFileMessage_ = 0;
  return true;
}

bool ProfileStore::WriteProfileInt(std::string_view section, std::string_view key, int value) {
  return Update([&](IniFile& file) { return file.SetInt(section, key, value); });
}

bool ProfileStore::WriteProfileString(std::string_view section, std::string_view key,
                                      std::u16string_view value) {
  return Update([&](IniFile& file) { return file.SetString(section, key, value); });
}

bool ProfileStore::WriteProfileValues(std::string_view section,
                                      const std::vector<ProfileValue>& values) {
  return Update([&](IniFile& file) {
    for (const ProfileValue& entry : values) {
      const bool ok =
          std::holds_alternative<int>(entry.value)
              ? file.SetInt(section, entry.key, std::get<int>(entry.value))
              : file.SetString(section, entry.key, std::get<std::u16string>(entry.value));
      if (!ok) return false;
    }
    return true;
  });
}

bool ProfileStore::RemoveProfileValue(std::string_view section, std::string_view key) {
  if (!HasValue(section, key)) return true;
  return Update([&](IniFile& file) {
    file.Remove(section, key);
    return true;
  });
}

std::u16string ProfileStore::StoredPathText(const std::filesystem::path& path) {
  const std::string& bytes = path.native();
  std::u16string text = platform::FromUtf8(bytes);
  if (platform::ToUtf8(text) == bytes) return text;
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded(kByteNamePrefix);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '%') {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    } else {
      encoded += c;
    }
  }
  return platform::FromUtf8(encoded);
}

std::filesystem::path ProfileStore::PathOfStoredText(std::u16string_view text) {
  const std::string utf8 = platform::ToUtf8(text);
  if (utf8.rfind(kByteNamePrefix, 0) != 0) return std::filesystem::path(utf8);
  std::string bytes;
  for (std::size_t i = kByteNamePrefix.size(); i < utf8.size(); ++i) {
    const int high = i + 2 < utf8.size() && utf8[i] == '%' ? HexValue(utf8[i + 1]) : -1;
    const int low = high >= 0 ? HexValue(utf8[i + 2]) : -1;
    if (low >= 0) {
      bytes += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      bytes += utf8[i];
    }
  }
  return std::filesystem::path(bytes);
}

std::vector<std::filesystem::path> ProfileStore::RecentFilePaths() const {
  std::vector<std::filesystem::path> paths;
  for (const std::u16string& entry : RecentFiles()) paths.push_back(PathOfStoredText(entry));
  return paths;
}

bool ProfileStore::AddRecentFilePath(const std::filesystem::path& path) {
  return AddRecentFile(StoredPathText(path));
}

std::vector<std::u16string> ProfileStore::RecentFiles() const {
  std::vector<std::u16string> files;
  for (int i = 0; i < kRecentFileCount; ++i) {
    std::u16string entry = loaded_.GetString(kRecentSection, RecentKey(i), u"");
    if (!entry.empty()) files.push_back(std::move(entry));
  }
  return files;
}

bool ProfileStore::AddRecentFile(std::u16string_view path) {
  if (path.empty()) return true;
  return Update([&](IniFile& file) {
    std::vector<std::u16string> files{std::u16string(path)};
    for (int i = 0; i < kRecentFileCount; ++i) {
      std::u16string entry = file.GetString(kRecentSection, RecentKey(i), u"");
      if (!entry.empty() && entry != path) files.push_back(std::move(entry));
    }
    for (int i = 0; i < kRecentFileCount; ++i) {
      const auto index = static_cast<std::size_t>(i);
      if (index < files.size()) {
        if (!file.SetString(kRecentSection, RecentKey(i), files[index])) return false;
      } else {
        file.Remove(kRecentSection, RecentKey(i));
      }
    }
    return true;
  });
}

}  // namespace vantrel::app
