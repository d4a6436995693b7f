// Taking, summarising and deleting items of the recovery folder; unusable items are
// reported by path and kept.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>

#include "RecoveryFixtures.h"
#include "recovery/FileLock.h"
#include "recovery/RecoveredItem.h"
#include "recovery/RecoveryFolder.h"
#include "recovery/RecoveryMessages.h"

namespace vantrel::recovery {
namespace {

using testing::JournaledRecording;
using testing::SampleSets;
using testing::ScratchFolder;

std::filesystem::path LeftJournal(const std::filesystem::path& folder, std::uint32_t sets) {
  JournaledRecording recording(folder, 4);
  recording.Drain(SampleSets(0, sets));
  recording.journal->Flush();
  return recording.journal->Path();
}

TEST(RecoveredItem, JournalSummaryTellsNameStartAndSampleSets) {
  ScratchFolder folder;
  const auto path = LeftJournal(folder.Path(), 321);
  const auto item = RecoveredItem::Take({path, ItemKind::kJournal});
  ASSERT_NE(item, nullptr);
  const ItemSummary summary = item->Summarize();
  EXPECT_EQ(summary.name, u"Prüfstand 7");
  EXPECT_EQ(summary.startTime, 1765000000);
  EXPECT_EQ(summary.samples, 321);
  EXPECT_GT(summary.changedAt, 0);
}

TEST(RecoveredItem, ATakenItemIsNotTakenTwiceAndRemoveDeletesIt) {
  ScratchFolder folder;
  const auto path = LeftJournal(folder.Path(), 3);
  auto first = RecoveredItem::Take({path, ItemKind::kJournal});
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(RecoveredItem::Take({path, ItemKind::kJournal}), nullptr);
  EXPECT_TRUE(RecoveryFolder(folder.Path()).AbandonedItems().empty());
  std::string error;
  ASSERT_TRUE(first->Remove(&error)) << error;
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(RecoveredItem::Take({path, ItemKind::kJournal}), nullptr);
}

TEST(RecoveredItem, NamedPipesInTheFolderAreNoItemsAndNeverWaitedOn) {
  ScratchFolder folder;
  const RecoveryFolder recovery(folder.Path());
  // A pipe as a journal, and a copy whose lock is a pipe: opening either for reading would
  // wait for a writer that never comes.
  ASSERT_EQ(::mkfifo(recovery.JournalPath("pipe").c_str(), 0600), 0);
  const auto copy = recovery.CopyPath("piped");
  std::ofstream(copy) << "no archive";
  ASSERT_EQ(::mkfifo(RecoveryFolder::CopyLockPath(copy).c_str(), 0600), 0);
  EXPECT_TRUE(recovery.AbandonedItems().empty());
  int error = 0;
  EXPECT_EQ(FileLock::TryLock(recovery.JournalPath("pipe"), FileLock::Open::kExisting, &error),
            nullptr);
  EXPECT_EQ(error, EINVAL);
  EXPECT_EQ(RecoveredItem::Take({recovery.JournalPath("pipe"), ItemKind::kJournal}), nullptr);
}

TEST(RecoveredItem, UnusableItemsAreReportedByPathAndKept) {
  ScratchFolder folder;
  const auto good = LeftJournal(folder.Path(), 2);
  std::vector<std::uint8_t> bytes;
  {
    std::ifstream in(good, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  struct Case {
    const char* name;
    std::size_t offset;
    int expected;
  };
  const std::vector<Case> cases = {
      {"journal of another version", 8, kMsgOtherVersion},
      {"journal with a damaged header", 40, kMsgDamagedHeader},
      {"journal without magic", 1, kMsgDamagedHeader},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> changed = bytes;
    changed[c.offset] ^= 0x22;
    const auto path = folder.Path() / (std::string("journal-") + std::to_string(c.offset) + ".vqj");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(changed.data()),
               static_cast<std::streamsize>(changed.size()));
    const auto item = RecoveredItem::Take({path, ItemKind::kJournal});
    ASSERT_NE(item, nullptr);
    try {
      (void)item->Load();
      ADD_FAILURE() << "loaded";
    } catch (const RecoveryError& error) {
      EXPECT_EQ(error.MessageId(), c.expected);
      EXPECT_EQ(error.Path(), path);
    }
    EXPECT_THROW((void)item->Summarize(), RecoveryError);
    EXPECT_TRUE(std::filesystem::exists(path));
  }

  const auto copy = folder.Path() / "copy-broken.vqb";
  std::ofstream(copy) << "no archive";
  const auto item = RecoveredItem::Take({copy, ItemKind::kCopy});
  ASSERT_NE(item, nullptr);
  try {
    (void)item->Load();
    ADD_FAILURE() << "loaded";
  } catch (const RecoveryError& error) {
    EXPECT_EQ(error.MessageId(), kMsgItemUnreadable);
    EXPECT_EQ(error.Path(), copy);
  }
  EXPECT_TRUE(std::filesystem::exists(copy));
}

}  // namespace
}  // namespace vantrel::recovery
