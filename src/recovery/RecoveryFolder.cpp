// The recovery folder and its item names; see RecoveryFolder.h.
#include "recovery/RecoveryFolder.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <system_error>

#include "app/ProfileStore.h"
#include "recovery/FileLock.h"

namespace vantrel::recovery {
namespace {

constexpr std::string_view kJournalPrefix = "journal-";
constexpr std::string_view kJournalExtension = ".vqj";
constexpr std::string_view kCopyPrefix = "copy-";
constexpr std::string_view kCopyExtension = ".vqb";

bool Matches(const std::string& name, std::string_view prefix, std::string_view extension) {
  return name.size() > prefix.size() + extension.size() && name.starts_with(prefix) &&
         name.ends_with(extension);
}

}  // namespace

std::filesystem::path RecoveryFolder::DefaultPath(std::u16string_view maker,
                                                  std::u16string_view program) {
  std::filesystem::path base;
  const char* xdg = std::getenv("XDG_STATE_HOME");
  if (xdg != nullptr && std::filesystem::path(xdg).is_absolute()) {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return {};
    base = std::filesystem::path(home) / ".local" / "state";
  }
  return base / app::ProfileStore::SafeFileName(maker, "Vantrel") /
         app::ProfileStore::SafeFileName(program, "Vantrel") / "recovery";
}

bool RecoveryFolder::Create(std::string* error) const {
  if (path_.empty()) {
    *error = "no state folder (neither XDG_STATE_HOME nor HOME is set)";
    return false;
  }
  std::error_code code;
  std::filesystem::create_directories(path_, code);
  if (code || !std::filesystem::is_directory(path_, code)) {
    *error = path_.string() + ": " + (code ? code.message() : "not a folder");
    return false;
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::replace, code);
  return true;
}

std::string RecoveryFolder::NewId() {
  std::random_device random;
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  char id[64];
  std::snprintf(id, sizeof id, "%ld-%08x%08x-%04x", static_cast<long>(::getpid()), random(),
                random(), static_cast<unsigned>(now) & 0xFFFFU);
  return id;
}

std::filesystem::path RecoveryFolder::JournalPath(const std::string& id) const {
  return path_ / (std::string(kJournalPrefix) + id + std::string(kJournalExtension));
}

std::filesystem::path RecoveryFolder::CopyPath(const std::string& id) const {
  return path_ / (std::string(kCopyPrefix) + id + std::string(kCopyExtension));
}

std::filesystem::path RecoveryFolder::CopyLockPath(const std::filesystem::path& copy) {
  std::filesystem::path lock = copy;
  lock.replace_extension(".lock");
  return lock;
}

std::vector<RecoveryItem> RecoveryFolder::AbandonedItems() const {
  std::vector<RecoveryItem> items;
  std::error_code code;
  std::filesystem::directory_iterator entries(path_, code);
  if (code) return items;
  for (const auto& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (Matches(name, kJournalPrefix, kJournalExtension)) {
      if (FileLock::IsFree(entry.path())) items.push_back({entry.path(), ItemKind::kJournal});
    } else if (Matches(name, kCopyPrefix, kCopyExtension)) {
      if (FileLock::IsFree(CopyLockPath(entry.path()))) {
        items.push_back({entry.path(), ItemKind::kCopy});
      }
    }
  }
  std::sort(items.begin(), items.end(),
            [](const RecoveryItem& a, const RecoveryItem& b) { return a.path < b.path; });
  return items;
}

}  // namespace vantrel::recovery
