// The recovery copy of one document with unsaved changes: the document's archive written
// atomically into the recovery folder (the previous copy stays until the new one is
// complete), locked by this program while the object lives. The document's owner deletes
// it with Remove when the document is saved or closed without saving; an object destroyed
// without Remove (the program ends abnormally or on a signal) leaves the copy for recovery.
#pragma once

#include <filesystem>
#include <memory>

#include "model/CMessungObj.h"
#include "recovery/FileLock.h"

namespace vantrel::recovery {

class RecoveryCopy {
 public:
  /// Nothing is written before the first Write.
  explicit RecoveryCopy(std::filesystem::path folder) : folder_(std::move(folder)) {}
  RecoveryCopy(const RecoveryCopy&) = delete;
  RecoveryCopy& operator=(const RecoveryCopy&) = delete;

  /// Writes the document as the copy; throws platform::VantrelError (the file error
  /// messages 61729..61734, or 33084 when the folder cannot be used).
  void Write(const model::CMessungObj& measurement, int imported);
  /// Deletes the copy and its lock file.
  void Remove();
  /// True when a copy was written and not removed.
  bool Written() const { return written_; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  void TakeLock();

  std::filesystem::path folder_;
  std::filesystem::path path_;
  std::unique_ptr<FileLock> lock_;
  bool written_ = false;
};

}  // namespace vantrel::recovery
