// One item of the recovery folder taken by this program: its lock is held while this
// object lives, so no other program lists, restores or deletes it meanwhile. Reading a
// journal rebuilds the document from its header image and replays every intact record
// through the online recording's own append path; a copy is read as the archive it is.
// Unreadable items raise RecoveryError and are never deleted here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/CMessungObj.h"
#include "platform/Error.h"
#include "platform/MessageService.h"
#include "recovery/FileLock.h"
#include "recovery/RecoveryFolder.h"

namespace vantrel::recovery {

/// A journal or copy that cannot be used: the message (33081..33083) names `Path`.
class RecoveryError : public platform::VantrelError {
 public:
  RecoveryError(int messageId, std::filesystem::path path, const std::string& detail)
      : platform::VantrelError(messageId, path.string() + ": " + detail), path_(std::move(path)) {}
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

/// What an item tells before it is restored.
struct ItemSummary {
  /// The measurement's name, else the document's title when the item knows it.
  std::u16string name;
  /// Seconds since 1970 UTC: when the recording started (journals) or the first curve's
  /// start time (copies; 0 without curves).
  std::int64_t startTime = 0;
  /// Sample sets of a journal; samples of the longest curve of a copy.
  long long samples = 0;
  /// Seconds since 1970 UTC of the item's last change.
  std::int64_t changedAt = 0;
};

struct RecoveredDocument {
  std::unique_ptr<model::CMessungObj> measurement;
  int imported = 0;
  /// The document's title and its template's extension; empty for copies.
  std::u16string title;
  std::u16string templateExtension;
  long long sampleSets = 0;
};

class RecoveredItem {
 public:
  /// Takes `item` (its lock); null when another program holds it or it is gone.
  static std::unique_ptr<RecoveredItem> Take(const RecoveryItem& item);

  const RecoveryItem& Item() const { return item_; }
  /// Reads the item as far as listing needs; throws RecoveryError.
  ItemSummary Summarize() const;
  /// Rebuilds the document; throws RecoveryError. `messages` goes to the new measurement.
  RecoveredDocument Load(platform::MessageService* messages = nullptr) const;
  /// Deletes the item (and a copy's lock file); false with the cause in `error` when it
  /// could not be deleted.
  bool Remove(std::string* error);

 private:
  RecoveredItem(RecoveryItem item, std::unique_ptr<FileLock> lock)
      : item_(std::move(item)), lock_(std::move(lock)) {}
  ItemSummary SummarizeJournal() const;
  ItemSummary SummarizeCopy() const;
  RecoveredDocument LoadJournal(platform::MessageService* messages) const;
  RecoveredDocument LoadCopy(platform::MessageService* messages) const;

  RecoveryItem item_;
  std::unique_ptr<FileLock> lock_;
};

}  // namespace vantrel::recovery
