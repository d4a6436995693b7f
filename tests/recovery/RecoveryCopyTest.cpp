// Recovery copies: written atomically, offered only once their program is gone, restored
// as they were written, and gone without a trace when removed.
#include <gtest/gtest.h>

#include <fstream>

#include "RecoveryFixtures.h"
#include "recovery/RecoveredItem.h"
#include "recovery/RecoveryCopy.h"
#include "recovery/RecoveryFolder.h"

namespace vantrel::recovery {
namespace {

using testing::JournaledRecording;
using testing::SampleSets;
using testing::ScratchFolder;

TEST(RecoveryCopy, CopyIsOfferedOnlyAfterItsProgramLetGoAndRestoresTheDocument) {
  ScratchFolder folder;
  auto measurement = testing::RecordingMeasurement(2);
  instrument::OnlineAxisGrowth growth(*measurement, {});
  instrument::AppendOnlineSets(growth, *measurement, SampleSets(0, 500), 2);
  std::vector<std::uint8_t> expected;
  {
    RecoveryCopy copy(folder.Path());
    EXPECT_FALSE(copy.Written());
    copy.Write(*measurement, 0);
    measurement->GetCurve(1)->SetName(u"changed later");
    copy.Write(*measurement, 0);
    expected = document::DocumentBytes(*measurement, 0);
    EXPECT_TRUE(copy.Written());
    EXPECT_TRUE(RecoveryFolder(folder.Path()).AbandonedItems().empty());
  }
  const auto items = RecoveryFolder(folder.Path()).AbandonedItems();
  ASSERT_EQ(items.size(), 1U);
  EXPECT_EQ(items[0].kind, ItemKind::kCopy);
  const auto item = RecoveredItem::Take(items[0]);
  ASSERT_NE(item, nullptr);
  const ItemSummary summary = item->Summarize();
  EXPECT_EQ(summary.name, u"Prüfstand 7");
  EXPECT_EQ(summary.samples, 500);
  const RecoveredDocument recovered = item->Load();
  EXPECT_EQ(document::DocumentBytes(*recovered.measurement, recovered.imported), expected);
  std::string error;
  ASSERT_TRUE(item->Remove(&error)) << error;
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(RecoveryCopy, RemovedCopyLeavesNothingBehind) {
  ScratchFolder folder;
  auto measurement = testing::RecordingMeasurement(1);
  RecoveryCopy copy(folder.Path());
  copy.Write(*measurement, 1);
  copy.Remove();
  EXPECT_FALSE(copy.Written());
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  copy.Write(*measurement, 1);  // a later change writes a new copy
  EXPECT_TRUE(copy.Written());
  copy.Remove();
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(RecoveryCopy, UnusableFolderThrowsTheCopyMessage) {
  ScratchFolder folder;
  std::ofstream(folder.Path() / "file") << "x";
  RecoveryCopy copy(folder.Path() / "file" / "recovery");
  auto measurement = testing::RecordingMeasurement(1);
  EXPECT_THROW(copy.Write(*measurement, 1), platform::VantrelError);
  EXPECT_FALSE(copy.Written());
}

}  // namespace
}  // namespace vantrel::recovery
