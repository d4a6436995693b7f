// Recovery copies of changed documents; see RecoveryCopy.h.
#include "recovery/RecoveryCopy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "document/ArchiveWriter.h"
#include "document/MeasurementArchive.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "recovery/RecoveryFolder.h"
#include "recovery/RecoveryMessages.h"

namespace vantrel::recovery {
void RecoveryCopy::TakeLock() {
  const RecoveryFolder folder(folder_);
  std::string error;
  if (!folder.Create(&error)) throw platform::VantrelError(kMsgCopyNotWritten, error);
  const std::filesystem::path copy = folder.CopyPath(RecoveryFolder::NewId());
  const std::filesystem::path lockPath = RecoveryFolder::CopyLockPath(copy);
  std::filesystem::path fresh = lockPath;
  fresh += ".new";
  int code = 0;
  // The lock gets its name only once it is held, so nobody sees it free meanwhile.
  auto lock = FileLock::TryLock(fresh, FileLock::Open::kCreateNew, &code);
  if (lock == nullptr) {
    throw platform::VantrelError(kMsgCopyNotWritten, fresh.string() + ": " + std::strerror(code));
  }
  if (::rename(fresh.c_str(), lockPath.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(fresh.c_str());
    throw platform::VantrelError(kMsgCopyNotWritten,
                                 lockPath.string() + ": " + std::strerror(renameError));
  }
  lock_ = std::move(lock);
  path_ = copy;
}

void RecoveryCopy::Write(const model::CMessungObj& measurement, int imported) {
  if (lock_ == nullptr) TakeLock();
  // The safe save forces the copy and its folder to the disk before it returns.
  platform::AtomicFile file(path_);
  document::ArchiveWriter writer([&file](const std::uint8_t* data, std::size_t size) {
    file.Write(reinterpret_cast<const char*>(data), size);
  });
  document::WriteDocument(writer, measurement, imported);
  writer.Flush();
  file.Commit();
  written_ = true;
}

void RecoveryCopy::Remove() {
  if (lock_ == nullptr) return;
  ::unlink(path_.c_str());
  ::unlink(RecoveryFolder::CopyLockPath(path_).c_str());
  lock_.reset();
  written_ = false;
  path_.clear();
}

}  // namespace vantrel::recovery
