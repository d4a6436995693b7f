// The recovery dialog's three buttons on what a crashed run left (a recording journal and a
// recovery copy), and the recovery copy timer of changed documents.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest/QTest>
#include <csignal>

#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/app/DocumentManager.h"
#include "gui/app/OpenDocument.h"
#include "gui/recovery/CRecoveryDlg.h"
#include "gui/recovery/RecoveryKeeper.h"
#include "recovery/RecoveryFixtures.h"
#include "recovery/RecoveryFolder.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;
using recovery::RecoveryFolder;

void Click(QWidget& dialog, const char* name) {
  auto* button = dialog.findChild<QPushButton*>(QLatin1String(name));
  ASSERT_NE(button, nullptr) << name;
  button->click();
}

class RecoveryDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = StartApp(folder_);
    ASSERT_NE(app_, nullptr);
    // What a crashed run leaves: a journal of 250 sample sets and a copy of 40 samples.
    {
      recovery::testing::JournaledRecording recording(Folder(), 3);
      recording.Drain(recovery::testing::SampleSets(0, 250));
      recording.journal->Flush();
    }
    auto changed = recovery::testing::RecordingMeasurement(1);
    instrument::OnlineAxisGrowth growth(*changed, {});
    instrument::AppendOnlineSets(growth, *changed, recovery::testing::SampleSets(0, 40), 1);
    recovery::RecoveryCopy copy(Folder());
    copy.Write(*changed, 0);
  }

  fs::path Folder() const { return folder_.Path() / "recovery"; }
  gui::AppContext& Context() { return app_->MainFrame().Context(); }
  std::size_t Offered() const { return RecoveryFolder(Folder()).AbandonedItems().size(); }

  TempFolder folder_;
  std::unique_ptr<gui::CVantrel40App> app_;
};

TEST_F(RecoveryDialogTest, RestoreOpensEachItemAsAChangedUntitledDocumentUntilItIsClosed) {
  ASSERT_EQ(Offered(), 2U);
  ModalScript modals;
  modals.ThenAnswer([](QWidget& dialog) {
    auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("recoveryItems"));
    EXPECT_NE(table, nullptr);
    if (table != nullptr) {
      EXPECT_EQ(table->rowCount(), 2);
    }
    Click(dialog, "restore");
  });
  EXPECT_EQ(gui::OfferRecovery(Context(), app_->Recovery(), nullptr), 2);
  auto& documents = Context().documents;
  ASSERT_EQ(documents.Documents().size(), 2U);
  std::vector<long long> samples;
  for (const auto& document : documents.Documents()) {
    EXPECT_TRUE(document->Doc().IsModified());
    EXPECT_TRUE(document->Doc().GetPathName().empty());
    EXPECT_FALSE(document->Doc().GetTitle().empty());
    samples.push_back(document->Measurement()->GetCurve(0)->GetSampleCount());
  }
  std::sort(samples.begin(), samples.end());
  EXPECT_EQ(samples, (std::vector<long long>{40, 250}));
  // Held while the documents are open, gone once they are closed without saving.
  EXPECT_EQ(Offered(), 0U);
  EXPECT_TRUE(fs::exists(Folder()));
  while (!documents.Documents().empty()) documents.Destroy(*documents.Documents().back());
  EXPECT_TRUE(fs::is_empty(Folder()));
}

TEST_F(RecoveryDialogTest, DiscardDeletesEverythingAfterTheConfirmation) {
  ModalScript modals;
  modals.ThenAnswer([](QWidget& dialog) { Click(dialog, "discard"); });
  modals.ThenAnswer([](QWidget& confirmation) {
    auto* box = qobject_cast<QMessageBox*>(&confirmation);
    ASSERT_NE(box, nullptr);
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(gui::OfferRecovery(Context(), app_->Recovery(), nullptr), 0);
  EXPECT_TRUE(Context().documents.Documents().empty());
  EXPECT_TRUE(fs::is_empty(Folder()));
}

TEST_F(RecoveryDialogTest, DiscardDeclinedAndLaterKeepEverythingForTheNextStart) {
  ModalScript modals;
  modals.ThenAnswer([](QWidget& dialog) { Click(dialog, "discard"); });
  modals.ThenAnswer([](QWidget& confirmation) {
    auto* box = qobject_cast<QMessageBox*>(&confirmation);
    ASSERT_NE(box, nullptr);
    box->button(QMessageBox::No)->click();
  });
  // "No" returns to the list; Later then closes it.
  modals.ThenAnswer([](QWidget& list) { Click(list, "later"); });
  EXPECT_EQ(gui::OfferRecovery(Context(), app_->Recovery(), nullptr), 0);
  EXPECT_TRUE(Context().documents.Documents().empty());
  EXPECT_EQ(Offered(), 2U);
}

class RecoveryCopyTimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = StartApp(folder_);
    ASSERT_NE(app_, nullptr);
  }
  gui::AppContext& Context() { return app_->MainFrame().Context(); }
  gui::OpenDocument* ChangedDocument() {
    gui::OpenDocument* document =
        Context().documents.AddMeasurement(recovery::testing::RecordingMeasurement(2));
    if (document != nullptr) document->UpdateAllViews(true);
    return document;
  }
  std::size_t CopiesIn(const fs::path& folder) const {
    std::size_t copies = 0;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
      if (entry.path().extension() == ".vqb") ++copies;
    }
    return copies;
  }

  TempFolder folder_;
  std::unique_ptr<gui::CVantrel40App> app_;
};

TEST_F(RecoveryCopyTimerTest, ChangedDocumentsAreCopiedEveryIntervalAndTheCopyGoesWithThem) {
  const fs::path copies = folder_.Path() / "copies";
  Context().settings.SetRecoveryInterval(2);
  gui::RecoveryKeeper keeper(Context(), copies, 10);  // a "minute" of 10 ms
  gui::OpenDocument* changed = ChangedDocument();
  ASSERT_NE(changed, nullptr);
  Context().documents.AddMeasurement(recovery::testing::RecordingMeasurement(1));  // unchanged
  EXPECT_TRUE(QTest::qWaitFor([&] { return keeper.HasCopy(*changed); }, 20000));
  EXPECT_EQ(CopiesIn(copies), 1U);
  Context().documents.Destroy(*changed);
  EXPECT_FALSE(keeper.HasCopy(*changed));
  EXPECT_EQ(CopiesIn(copies), 0U);
}

TEST_F(RecoveryCopyTimerTest, IntervalZeroWritesNoCopies) {
  const fs::path copies = folder_.Path() / "copies";
  Context().settings.SetRecoveryInterval(0);
  gui::RecoveryKeeper keeper(Context(), copies, 3600000);
  gui::OpenDocument* changed = ChangedDocument();
  ASSERT_NE(changed, nullptr);
  for (int minute = 0; minute < 10; ++minute) keeper.MinuteElapsed();
  EXPECT_FALSE(keeper.HasCopy(*changed));
  EXPECT_EQ(CopiesIn(copies), 0U);
}

TEST_F(RecoveryCopyTimerTest, TerminationKeepsTheCopiesOfChangedDocuments) {
  const fs::path copies = folder_.Path() / "copies";
  gui::RecoveryKeeper keeper(Context(), copies, 3600000);
  gui::OpenDocument* changed = ChangedDocument();
  ASSERT_NE(changed, nullptr);
  keeper.EndKeepingEverything();  // what SIGTERM and SIGHUP do
  Context().documents.Destroy(*changed);
  EXPECT_EQ(CopiesIn(copies), 1U);
  EXPECT_EQ(RecoveryFolder(copies).AbandonedItems().size(), 0U);  // still this program's
}

TEST_F(RecoveryCopyTimerTest, HangUpSignalWritesTheCopiesAndKeepsThem) {
  const fs::path copies = folder_.Path() / "copies";
  {
    gui::RecoveryKeeper keeper(Context(), copies, 3600000);
    keeper.CatchTerminationSignals();
    gui::OpenDocument* changed = ChangedDocument();
    ASSERT_NE(changed, nullptr);
    std::raise(SIGHUP);
    EXPECT_TRUE(QTest::qWaitFor([&] { return keeper.HasCopy(*changed); }, 20000));
    Context().documents.Destroy(*changed);
  }  // the keeper puts the signals back
  EXPECT_EQ(CopiesIn(copies), 1U);
  EXPECT_EQ(RecoveryFolder(copies).AbandonedItems().size(), 1U);
}

}  // namespace
}  // namespace vantrel::testing
