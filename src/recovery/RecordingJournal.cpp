// The recording journal's writer; see RecordingJournal.h.
#include "recovery/RecordingJournal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "recovery/RecoveryFolder.h"

namespace vantrel::recovery {
namespace {

std::string Cause(const std::filesystem::path& path, int error) {
  return path.string() + ": " + std::strerror(error);
}

/// Makes a rename in `folder` survive a power loss.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::unique_ptr<RecordingJournal> RecordingJournal::Start(const std::filesystem::path& folder,
                                                          const JournalHeader& header) {
  std::unique_ptr<RecordingJournal> journal(new RecordingJournal());
  journal->channelCount_ = header.channelCount;
  if (journal->Open(folder, header)) {
    journal->writer_ = std::thread([raw = journal.get()] { raw->Run(); });
  }
  return journal;
}

bool RecordingJournal::Open(const std::filesystem::path& folder, const JournalHeader& header) {
  const RecoveryFolder recovery(folder);
  std::string error;
  if (!recovery.Create(&error)) {
    Fail(error);
    return false;
  }
  const std::filesystem::path final = recovery.JournalPath(RecoveryFolder::NewId());
  std::filesystem::path fresh = final;
  fresh += ".new";
  // The journal gets its final name only when it is locked and its header is on the disk,
  // so no other program ever sees it unlocked or half made.
  int code = 0;
  lock_ = FileLock::TryLock(fresh, FileLock::Open::kCreateNew, &code);
  if (lock_ == nullptr) {
    Fail(Cause(fresh, code));
    return false;
  }
  path_ = fresh;
  if (!WriteAll(EncodeStartBlock(header)) || ::fdatasync(lock_->Descriptor()) != 0 ||
      ::rename(fresh.c_str(), final.c_str()) != 0) {
    if (!failed_) Fail(Cause(fresh, errno));
    ::unlink(fresh.c_str());
    lock_.reset();
    path_.clear();
    return false;
  }
  path_ = final;
  SyncFolder(folder);
  return true;
}

RecordingJournal::~RecordingJournal() { StopWriter(); }

void RecordingJournal::StopWriter() {
  if (!writer_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopRequested_ = true;
  }
  wake_.notify_one();
  writer_.join();
}

void RecordingJournal::SetsAppended(std::span<const instrument::OnlineSampleSet> sets,
                                    int channelCount) {
  if (sets.empty() || channelCount != channelCount_) return;
  {
    std::lock_guard lock(mutex_);
    if (failed_ || !writer_.joinable()) return;
    queued_.insert(queued_.end(), sets.begin(), sets.end());
    ++handedOver_;
  }
  wake_.notify_one();
}

void RecordingJournal::Flush() {
  std::unique_lock lock(mutex_);
  if (!writer_.joinable()) return;
  const std::uint64_t target = handedOver_;
  const std::uint64_t ticket = ++syncTickets_;
  wake_.notify_one();
  done_.wait(lock, [&] { return failed_ || (written_ >= target && syncedTicket_ >= ticket); });
}

void RecordingJournal::Remove() {
  StopWriter();
  if (!path_.empty()) ::unlink(path_.c_str());
  lock_.reset();
}

bool RecordingJournal::Failed() const {
  std::lock_guard lock(mutex_);
  return failed_;
}

bool RecordingJournal::TakeFailureNotice() {
  std::lock_guard lock(mutex_);
  if (!failed_ || failureNoticed_) return false;
  failureNoticed_ = true;
  return true;
}

std::string RecordingJournal::FailureText() const {
  std::lock_guard lock(mutex_);
  return failureText_;
}

void RecordingJournal::Fail(const std::string& cause) {
  std::lock_guard lock(mutex_);
  if (failed_) return;
  failed_ = true;
  failureText_ = cause;
  queued_.clear();
  queued_.shrink_to_fit();
}

bool RecordingJournal::WriteAll(const std::vector<std::uint8_t>& bytes) {
  const std::uint8_t* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t wrote = ::write(lock_->Descriptor(), data, left);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      // A short write at the limit is retried once and then fails with the cause (EFBIG,
      // ENOSPC); the torn record it leaves is dropped when the journal is read.
      Fail(Cause(path_, wrote < 0 ? errno : ENOSPC));
      return false;
    }
    data += wrote;
    left -= static_cast<std::size_t>(wrote);
  }
  return true;
}

void RecordingJournal::Run() {
  std::vector<instrument::OnlineSampleSet> batch;
  std::vector<std::uint8_t> bytes;
  bool dirty = false;
  auto lastSync = std::chrono::steady_clock::now();
  std::unique_lock lock(mutex_);
  for (;;) {
    const auto ready = [this] {
      return !queued_.empty() || stopRequested_ || syncTickets_ > syncedTicket_;
    };
    if (dirty) {
      wake_.wait_until(lock, lastSync + kSyncInterval, ready);
    } else {
      wake_.wait(lock, ready);
    }
    batch.swap(queued_);
    const std::uint64_t target = handedOver_;
    const std::uint64_t ticket = syncTickets_;
    const bool stopping = stopRequested_;
    bool failed = failed_;
    lock.unlock();

    if (!failed && !batch.empty()) {
      bytes.clear();
      AppendRecords(bytes, batch, channelCount_);
      failed = !WriteAll(bytes);
      dirty = !failed;
    }
    batch.clear();
    const auto now = std::chrono::steady_clock::now();
    if (!failed && dirty &&
        (stopping || ticket > syncedTicket_ || now - lastSync >= kSyncInterval)) {
      if (::fdatasync(lock_->Descriptor()) != 0) Fail(Cause(path_, errno));
      dirty = false;
      lastSync = now;
    }

    lock.lock();
    written_ = target;
    syncedTicket_ = ticket;
    done_.notify_all();
    if (stopping) return;
  }
}

}  // namespace vantrel::recovery
