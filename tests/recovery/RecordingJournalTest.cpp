// The journal writer: a journal left by a run rebuilds exactly what a normal end saves, a
// running program's journal is never offered, and a full disk or an unusable folder only
// stops the journal, never the recording.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "PollUntil.h"
#include "RecoveryFixtures.h"
#include "recovery/RecordingJournal.h"
#include "recovery/RecoveredItem.h"
#include "recovery/RecoveryFolder.h"

namespace vantrel::recovery {
namespace {

using testing::JournaledRecording;
using testing::SampleSets;
using testing::ScratchFolder;

std::unique_ptr<RecoveredItem> OnlyItem(const std::filesystem::path& folder) {
  const auto items = RecoveryFolder(folder).AbandonedItems();
  if (items.size() != 1) return nullptr;
  return RecoveredItem::Take(items.front());
}

TEST(RecordingJournal, RecoveredDocumentEqualsWhatANormalEndWouldHaveSaved) {
  const std::vector<instrument::AxisSettings> settings = {{0, 0}, {1, 1}, {2, 1}, {2, 0}};
  for (const instrument::AxisSettings& axes : settings) {
    for (const int channels : {1, 3, 6}) {
      SCOPED_TRACE("zusammenfassen " + std::to_string(axes.zusammenfassen) + ", einteilung " +
                   std::to_string(axes.einteilung) + ", channels " + std::to_string(channels));
      ScratchFolder folder;
      std::vector<std::uint8_t> expected;
      {
        JournaledRecording recording(folder.Path(), channels, axes);
        ASSERT_FALSE(recording.journal->Failed()) << recording.journal->FailureText();
        std::uint32_t next = 0;
        for (const std::uint32_t batch : {1U, 17U, 400U, 3U, 2500U}) {
          recording.Drain(SampleSets(next, batch));
          next += batch;
        }
        recording.journal->Flush();
        expected = recording.SavedBytes();
      }  // the run ends without a save: the journal stays
      const auto item = OnlyItem(folder.Path());
      ASSERT_NE(item, nullptr);
      const RecoveredDocument recovered = item->Load();
      EXPECT_EQ(recovered.sampleSets, 2921);
      EXPECT_EQ(recovered.title, u"Prüfstand 7");
      EXPECT_EQ(recovered.templateExtension, u".vqa");
      EXPECT_EQ(document::DocumentBytes(*recovered.measurement, recovered.imported), expected);
    }
  }
}

TEST(RecordingJournal, JournalOfARunningRecordingIsNeitherOfferedNorTaken) {
  ScratchFolder folder;
  JournaledRecording recording(folder.Path(), 2);
  recording.Drain(SampleSets(0, 10));
  recording.journal->Flush();
  EXPECT_TRUE(RecoveryFolder(folder.Path()).AbandonedItems().empty());
  EXPECT_EQ(RecoveredItem::Take({recording.journal->Path(), ItemKind::kJournal}), nullptr);
  ASSERT_TRUE(std::filesystem::exists(recording.journal->Path()));
}

TEST(RecordingJournal, SavedOrDiscardedRecordingLeavesNothingBehind) {
  ScratchFolder folder;
  JournaledRecording recording(folder.Path(), 6);
  recording.Drain(SampleSets(0, 100));
  recording.journal->Remove();
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(RecordingJournal, RecordsReachTheFileWithoutAnExplicitFlush) {
  ScratchFolder folder;
  JournaledRecording recording(folder.Path(), 2);
  const auto headerSize = std::filesystem::file_size(recording.journal->Path());
  recording.Drain(SampleSets(0, 5));
  // The writer writes each batch as it arrives.
  const auto expected = headerSize + kRecordPrefixBytes + 5 * 2 * 12;
  EXPECT_TRUE(vantrel::testing::PollUntil(
      [&] { return std::filesystem::file_size(recording.journal->Path()) >= expected; }));
  EXPECT_EQ(std::filesystem::file_size(recording.journal->Path()), expected);
}

TEST(RecordingJournal, UnusableFolderFailsTheJournalOnceAndNeverTheRecording) {
  ScratchFolder folder;
  const std::filesystem::path blocker = folder.Path() / "file";
  std::ofstream(blocker) << "not a folder";
  JournaledRecording recording(blocker / "recovery", 3);
  EXPECT_TRUE(recording.journal->Failed());
  EXPECT_TRUE(recording.journal->TakeFailureNotice());
  EXPECT_FALSE(recording.journal->TakeFailureNotice());
  EXPECT_NE(recording.journal->FailureText().find("file"), std::string::npos);
  recording.Drain(SampleSets(0, 50));
  recording.journal->Flush();
  EXPECT_EQ(recording.measurement->GetCurve(2)->GetSampleCount(), 50);
  recording.journal->Remove();
}

// Runs in a child process: the file size limit and the ignored SIGXFSZ stay there.
int FullDiskChild(const std::filesystem::path& folder) {
  ::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit saved = limit;
  limit.rlim_cur = 64 * 1024;
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;

  constexpr std::uint32_t kBatches = 300;
  constexpr std::uint32_t kBatch = 40;
  JournaledRecording recording(folder, 6);
  if (recording.journal->Failed()) return 11;
  int notices = 0;
  for (std::uint32_t b = 0; b < kBatches; ++b) {
    recording.Drain(SampleSets(b * kBatch, kBatch));
    if (b % 10 == 0) recording.journal->Flush();
    if (recording.journal->TakeFailureNotice()) ++notices;
  }
  recording.journal->Flush();
  if (recording.journal->TakeFailureNotice()) ++notices;
  if (notices != 1) return 12;
  if (recording.measurement->GetCurve(5)->GetSampleCount() != kBatches * kBatch) return 13;
  const std::vector<std::uint8_t> whole = recording.SavedBytes();
  const std::filesystem::path journalPath = recording.journal->Path();

  // With room again the recording saves normally, and the journal keeps an intact beginning.
  if (::setrlimit(RLIMIT_FSIZE, &saved) != 0) return 14;
  const std::filesystem::path saved_file = folder.parent_path() / "saved.vqb";
  document::SaveDocumentFile(saved_file, *recording.measurement, 1);
  const document::LoadedDocument loaded = document::ReadDocumentFile(saved_file);
  if (document::DocumentBytes(*loaded.measurement, loaded.imported) != whole) return 15;
  recording.journal.reset();
  const auto item = RecoveredItem::Take({journalPath, ItemKind::kJournal});
  if (item == nullptr) return 16;
  const RecoveredDocument part = item->Load();
  if (part.sampleSets <= 0 || part.sampleSets >= kBatches * kBatch) return 17;
  const auto& samples = part.measurement->GetCurve(0)->Samples();
  const auto& all = recording.measurement->GetCurve(0)->Samples();
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (std::memcmp(&samples[i], &all[i], sizeof samples[i]) != 0) return 18;
  }
  return 0;
}

TEST(RecordingJournal, FullDiskKeepsRecordingInMemoryTellsOnceAndSavesNormally) {
  ScratchFolder folder;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(FullDiskChild(folder.Path() / "recovery"));
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace vantrel::recovery
