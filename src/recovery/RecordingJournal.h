// The journal of one running online recording. The owning thread hands it every sample set
// it appended (SetsAppended only copies them into a queue); a writer thread turns them into
// records, writes each batch as soon as it arrives (the owning thread drains every 200 ms)
// and forces the file to the disk at least once a second. The journal file is locked while
// this object lives. When the journal cannot be written (full disk, unwritable folder) it
// stops writing, keeps what it wrote, and says so once; the recording goes on in memory.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "instrument/OnlineSetSink.h"
#include "recovery/FileLock.h"
#include "recovery/JournalFormat.h"

namespace vantrel::recovery {

class RecordingJournal final : public instrument::OnlineSetSink {
 public:
  /// Longest time written records wait before they are forced to the disk.
  static constexpr std::chrono::milliseconds kSyncInterval{900};

  /// Starts a journal with `header` in `folder` (created when missing). Never fails: when
  /// the journal cannot be made, the returned one is failed from the start.
  static std::unique_ptr<RecordingJournal> Start(const std::filesystem::path& folder,
                                                 const JournalHeader& header);
  /// Writes what is queued and closes the journal, keeping the file (the run did not end
  /// with a save or a discard).
  ~RecordingJournal() override;
  RecordingJournal(const RecordingJournal&) = delete;
  RecordingJournal& operator=(const RecordingJournal&) = delete;

  void SetsAppended(std::span<const instrument::OnlineSampleSet> sets, int channelCount) override;

  /// Waits until everything handed over so far is written and forced to the disk (or the
  /// journal failed).
  void Flush();
  /// The recording's document was saved or discarded: stops writing and deletes the journal.
  void Remove();

  /// True once the journal stopped being written; the recording continues in memory.
  bool Failed() const;
  /// True exactly once after the journal failed, so that the user is told once.
  bool TakeFailureNotice();
  /// Why the journal failed (for the message's "%1": the path and the cause).
  std::string FailureText() const;
  const std::filesystem::path& Path() const { return path_; }

 private:
  RecordingJournal() = default;
  bool Open(const std::filesystem::path& folder, const JournalHeader& header);
  void Run();
  /// Writes `bytes` completely; false (and the failure noted) on an error.
  bool WriteAll(const std::vector<std::uint8_t>& bytes);
  void Fail(const std::string& cause);
  void StopWriter();

  std::filesystem::path path_;
  std::unique_ptr<FileLock> lock_;
  int channelCount_ = 0;
  std::thread writer_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  std::vector<instrument::OnlineSampleSet> queued_;
  std::uint64_t handedOver_ = 0;   // batches handed over
  std::uint64_t written_ = 0;      // batches written
  std::uint64_t syncTickets_ = 0;  // Flush requests
  std::uint64_t syncedTicket_ = 0;
  bool stopRequested_ = false;
  bool failed_ = false;
  bool failureNoticed_ = false;
  std::string failureText_;
};

}  // namespace vantrel::recovery
