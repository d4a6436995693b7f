#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <optional>

#include "FakeTexts.h"
#include "FileSizeLimit.h"
#include "ImportFixtures.h"
#include "TempFolder.h"
#include "app/MessageIds.h"
#include "document/CVantrel40Doc.h"
#include "document/DocumentTitle.h"
#include "document/MeasurementArchive.h"
#include "platform/FileErrors.h"

namespace vantrel::document {
namespace {

namespace fs = std::filesystem;
using platform::Answer;

class ScriptedDialogs final : public platform::FileDialogs {
 public:
  std::optional<fs::path> AskSaveFileName(const platform::SaveFileRequest& request) override {
    requests.push_back(request);
    return answer;
  }
  std::optional<fs::path> answer;
  std::vector<platform::SaveFileRequest> requests;
};

class DocumentTest : public ::testing::Test {
 protected:
  DocumentEnvironment Environment() {
    DocumentEnvironment env;
    env.messages = &messages_;
    env.dialogs = &dialogs_;
    env.texts = &texts_;
    env.workDir = [this] { return dir_; };
    env.addRecentFile = [this](const fs::path& p) { recent_.push_back(p); };
    return env;
  }

  fs::path Write(const std::string& name, const std::string& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::string OnlineFileText() {
    testing::OnlineFile file;
    file.slots[0] = testing::OnlineChannel{"bar", {{10, 5, 20}, {11, 6, 21}}};
    return file.Build();
  }

  testing::TempFolder folder_;
  const fs::path dir_ = folder_.Path();
  testing::ScriptedMessages messages_;
  ScriptedDialogs dialogs_;
  testing::FakeTexts texts_;
  std::vector<fs::path> recent_;
};

TEST(DocumentRules, FileKindFollowsTheLastCharacterCaseSensitively) {
  EXPECT_EQ(FileKindOf("a.vqo"), FileKind::OnlineText);
  EXPECT_EQ(FileKindOf("a.VQO"), FileKind::Archive);
  for (const char* name : {"a.vqm", "a.vqg", "a.vqk", "weird.k"}) {
    EXPECT_EQ(FileKindOf(name), FileKind::InstrumentText) << name;
  }
  EXPECT_EQ(FileKindOf("a.vqb"), FileKind::Archive);
  EXPECT_EQ(FileKindOf("a.txt"), FileKind::Archive);
  EXPECT_TRUE(IsInstrumentTextName("X.VQM"));
  EXPECT_FALSE(IsInstrumentTextName("X.vqb"));
}

TEST(DocumentRules, DefaultNameDropsBlanksHashesAndEverythingFromTheFirstDot) {
  EXPECT_EQ(DefaultDocumentName(u"Nr_3 #1.5", u".vqb", "/w"), fs::path("/w/Nr_31.vqb"));
  EXPECT_EQ(DefaultDocumentName(u"a%b;c/d\\e", u".vqa", "/w"), fs::path("/w/abcde.vqa"));
  EXPECT_EQ(DefaultDocumentName(u".hidden", u".vqb", "/w"), fs::path("/w/.vqb"));
}

TEST_F(DocumentTest, ReadoutDocumentOffersVqaUntilChangedThenVqbAndForgetsItsPath) {
  auto m = std::make_unique<model::CMessungObj>();
  m->SetName(u"Nr_2", 2);
  auto doc = CVantrel40Doc::FromMeasurement(Environment(), u".vqa", std::move(m));
  EXPECT_EQ(doc->GetTitle(), u"Nr_2");
  EXPECT_EQ(doc->GetImported(), 1);

  EXPECT_FALSE(doc->DoSave({}));  // dialog cancelled
  ASSERT_EQ(dialogs_.requests.size(), 1U);
  EXPECT_EQ(dialogs_.requests[0].pattern, u"*.vqa");
  EXPECT_EQ(dialogs_.requests[0].filterDescription, u"#32966");
  EXPECT_EQ(dialogs_.requests[0].title, u"#61441");
  EXPECT_EQ(dialogs_.requests[0].initialName, dir_ / "Nr_2.vqa");

  dialogs_.answer = dir_ / "first.vqa";
  ASSERT_TRUE(doc->DoSave({}));
  EXPECT_EQ(doc->GetPathName(), dir_ / "first.vqa");
  EXPECT_EQ(recent_.back(), dir_ / "first.vqa");
  EXPECT_TRUE(fs::exists(dir_ / "first.vqa"));

  doc->SetModifiedFlag(true);
  EXPECT_EQ(doc->GetImported(), 0);
  EXPECT_TRUE(doc->GetPathName().empty());
  EXPECT_TRUE(doc->IsModified());
  dialogs_.answer.reset();
  EXPECT_FALSE(doc->Save());
  EXPECT_EQ(dialogs_.requests.back().pattern, u"*.vqb");
  EXPECT_EQ(dialogs_.requests.back().defaultExtension, u"vqb");
}

TEST_F(DocumentTest, NamelessMeasurementKeepsTheTemplatesDefaultTitle) {
  auto doc = CVantrel40Doc::FromMeasurement(
      Environment(), u".vqa", std::make_unique<model::CMessungObj>(),
      UntitledTitle(u"\nMessung\nGer\u00e4tedaten\n", 2, u"Unbenannt"));
  EXPECT_EQ(doc->GetTitle(), u"Messung2");

  EXPECT_FALSE(doc->DoSave({}));  // dialog cancelled
  ASSERT_EQ(dialogs_.requests.size(), 1U);
  EXPECT_EQ(dialogs_.requests[0].initialName, dir_ / "Messung2.vqa") << "not a hidden .vqa";

  doc->SetModifiedFlag(true);
  messages_.answers = {Answer::Cancel};
  EXPECT_FALSE(doc->SaveModified());
  ASSERT_EQ(messages_.arguments.size(), 1U);
  EXPECT_EQ(messages_.arguments[0], u"Messung2");

  // A measurement with a name is titled by it.
  auto named = std::make_unique<model::CMessungObj>();
  named->SetName(u"Nr_3", 3);
  EXPECT_EQ(CVantrel40Doc::FromMeasurement(Environment(), u".vqa", std::move(named), u"Messung3")
                ->GetTitle(),
            u"Nr_3");
}

TEST_F(DocumentTest, SavedArchiveReopensWithItsImportedFlag) {
  auto m = std::make_unique<model::CMessungObj>();
  m->AddCurve()->AddSample(1, 2, 3);
  auto doc = CVantrel40Doc::FromMeasurement(Environment(), u".vqa", std::move(m));
  ASSERT_TRUE(doc->DoSave(dir_ / "a.vqa"));
  CVantrel40Doc reopened(Environment(), u".vqb");
  ASSERT_TRUE(reopened.OnOpenDocument(dir_ / "a.vqa"));
  EXPECT_EQ(reopened.GetImported(), 1);
  EXPECT_FALSE(reopened.IsModified());
  ASSERT_EQ(reopened.GetMeasurement()->GetCurveCount(), 1);
  EXPECT_EQ(reopened.GetTitle(), u"a.vqa");
  EXPECT_FALSE(reopened.DoSave({}));
  EXPECT_EQ(dialogs_.requests.back().pattern, u"*.vqa");  // the stored flag decides the filter
}

TEST_F(DocumentTest, OnlineTextFileOpensAsImportAndUpperCaseNameAsArchive) {
  const fs::path lower = Write("rec.vqo", OnlineFileText());
  CVantrel40Doc doc(Environment(), u".vqo");
  ASSERT_TRUE(doc.OnOpenDocument(lower));
  EXPECT_EQ(doc.GetImported(), 1);
  EXPECT_EQ(doc.GetMeasurement()->GetCurveCount(), 1);

  const fs::path upper = Write("REC.VQO", OnlineFileText());
  CVantrel40Doc archive(Environment(), u".vqb");
  EXPECT_FALSE(archive.OnOpenDocument(upper));
  EXPECT_EQ(messages_.asked.back(), ids::kMsgUnexpectedFileFormat);
  EXPECT_EQ(archive.GetMeasurement(), nullptr);
}

TEST_F(DocumentTest, ImportFailuresShowTheirMessages) {
  CVantrel40Doc doc(Environment(), u".vqm");
  EXPECT_FALSE(doc.OnOpenDocument(Write("bad.vqm", "not an instrument file\r\n")));
  EXPECT_EQ(messages_.asked, (std::vector<int>{ids::kMsgImportFailed}));
  messages_.asked.clear();
  EXPECT_FALSE(doc.OnOpenDocument(dir_ / "missing.vqm"));
  EXPECT_EQ(messages_.asked, (std::vector<int>{platform::kMsgFileNotFound}));
  messages_.asked.clear();
  fs::create_directories(dir_ / "folder.vqo");
  EXPECT_FALSE(doc.OnOpenDocument(dir_ / "folder.vqo"));
  EXPECT_EQ(messages_.asked, (std::vector<int>{platform::kMsgFileIsFolder}));
  messages_.asked.clear();
  EXPECT_FALSE(doc.OnOpenDocument(dir_ / "missing.vqb"));
  EXPECT_EQ(messages_.asked, (std::vector<int>{platform::kMsgFileNotFound}));
}

TEST_F(DocumentTest, UnchangedImportSavedUnderItsOwnNameWritesNothingAndChangedOneIsRefused) {
  const fs::path path = Write("rec.vqo", OnlineFileText());
  const auto before = fs::last_write_time(path);
  CVantrel40Doc doc(Environment(), u".vqo");
  ASSERT_TRUE(doc.OnOpenDocument(path));
  EXPECT_TRUE(doc.Save());
  EXPECT_EQ(fs::file_size(path), OnlineFileText().size());
  EXPECT_EQ(fs::last_write_time(path), before);

  // Changed data must not be "saved" into an instrument file that is never written.
  doc.SetModifiedFlag(true);
  EXPECT_FALSE(doc.DoSave(path));
  EXPECT_EQ(messages_.asked.back(), kMsgInstrumentFileNotWritten);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(doc.DoSave(dir_ / "rec.vqb"));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(ReadDocumentFile(dir_ / "rec.vqb").measurement->GetCurveCount(), 1);
}

TEST_F(DocumentTest, AnInstrumentTextNameIsRefusedForEveryFileButTheDocumentsOwn) {
  const fs::path own = Write("rec.vqo", OnlineFileText());
  CVantrel40Doc opened(Environment(), u".vqo");
  ASSERT_TRUE(opened.OnOpenDocument(own));
  struct Case {
    const char* name;
    CVantrel40Doc* doc;
    fs::path target;
  };
  // A readout that was never saved has no file of its own: "saving" it as nothing would
  // lose it when the window closes without a question.
  auto readout = CVantrel40Doc::FromMeasurement(Environment(), u".vqa",
                                                std::make_unique<model::CMessungObj>());
  const Case cases[] = {
      {"readout under a new name", readout.get(), dir_ / "readout.vqm"},
      {"readout, name from the save dialog", readout.get(), fs::path()},
      {"opened file under another name", &opened, dir_ / "other.VQO"},
      {"opened file under another type", &opened, dir_ / "rec.vqk"},
  };
  dialogs_.answer = dir_ / "chosen.vqg";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    messages_.asked.clear();
    EXPECT_FALSE(c.doc->DoSave(c.target));
    EXPECT_EQ(messages_.asked, (std::vector<int>{kMsgInstrumentFileNotWritten}));
  }
  EXPECT_TRUE(recent_.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
  // Its own file, unchanged, also through another spelling of the same path.
  messages_.asked.clear();
  EXPECT_TRUE(opened.DoSave(dir_ / "." / "rec.vqo"));
  EXPECT_TRUE(messages_.asked.empty());
}

TEST_F(DocumentTest, FailedSaveLeavesThePreviousFileIntact) {
  // A file-size limit makes the write fail for every user, root included.
  auto m = std::make_unique<model::CMessungObj>();
  model::CKurveObj* curve = m->AddCurve();
  for (int i = 0; i < 100000; ++i) curve->AddSample(1, 2, 3);
  auto doc = CVantrel40Doc::FromMeasurement(Environment(), u".vqa", std::move(m));
  const fs::path target = Write("keep.vqb", "old contents");
  std::optional<testing::FileSizeLimit> full(std::in_place, 64 * 1024);
  ASSERT_TRUE(full->Applied());
  const bool saved_ok = doc->DoSave(target);
  full.reset();
  EXPECT_FALSE(saved_ok);
  EXPECT_EQ(messages_.asked.back(), platform::kMsgFileDiskFull);
  std::ifstream in(target);
  std::string contents((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(contents, "old contents");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
      << "no temporary file is left behind";
}

TEST_F(DocumentTest, FailedSaveIntoAMissingFolderReportsAndKeepsTheDocumentModified) {
  auto doc = CVantrel40Doc::FromMeasurement(Environment(), u".vqa",
                                            std::make_unique<model::CMessungObj>());
  doc->SetModifiedFlag(true);
  EXPECT_FALSE(doc->DoSave(dir_ / "no" / "such" / "x.vqb"));
  EXPECT_EQ(messages_.asked.back(), platform::kMsgFileNotFound);
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(DocumentTest, SaveModifiedAsksOnceAndFollowsTheAnswer) {
  auto doc = CVantrel40Doc::FromMeasurement(Environment(), u".vqa",
                                            std::make_unique<model::CMessungObj>());
  ASSERT_TRUE(doc->DoSave(dir_ / "x.vqa"));
  EXPECT_TRUE(doc->SaveModified());  // unchanged and in its file: no question
  EXPECT_TRUE(messages_.asked.empty());
  doc->SetModifiedFlag(true);
  messages_.answers = {Answer::Cancel, Answer::No, Answer::Yes};
  EXPECT_FALSE(doc->SaveModified());
  EXPECT_TRUE(doc->SaveModified());
  dialogs_.answer = dir_ / "y.vqb";
  EXPECT_TRUE(doc->SaveModified());
  EXPECT_TRUE(fs::exists(dir_ / "y.vqb"));
  EXPECT_EQ(messages_.asked,
            (std::vector<int>{ids::kMsgSaveChanges, ids::kMsgSaveChanges, ids::kMsgSaveChanges}));
  // A list frame among several numbered windows closes without asking.
  doc->SetModifiedFlag(true);
  EXPECT_TRUE(doc->CanCloseFrame(FrameKind::List, true));
  EXPECT_EQ(messages_.asked.size(), 3U);
}

TEST_F(DocumentTest, InstrumentDataInNoFileAsksBeforeClosingUntilItIsSaved) {
  auto doc = CVantrel40Doc::FromMeasurement(Environment(), u".vqa",
                                            std::make_unique<model::CMessungObj>(), u"Messung1");
  ASSERT_FALSE(doc->IsModified());
  EXPECT_TRUE(doc->NeedsSaveQuery());

  messages_.answers = {Answer::Cancel, Answer::Yes, Answer::Yes};
  EXPECT_FALSE(doc->CanCloseFrame(FrameKind::Chart, false));
  EXPECT_FALSE(doc->CanCloseFrame(FrameKind::List, false)) << "save dialog cancelled";
  EXPECT_EQ(messages_.asked, (std::vector<int>{ids::kMsgSaveChanges, ids::kMsgSaveChanges}));
  EXPECT_EQ(messages_.arguments.back(), u"Messung1");
  ASSERT_EQ(dialogs_.requests.size(), 1U);
  EXPECT_EQ(dialogs_.requests[0].initialName, dir_ / "Messung1.vqa");

  // A list window among numbered windows still closes without asking.
  EXPECT_TRUE(doc->CanCloseFrame(FrameKind::List, true));
  EXPECT_EQ(messages_.asked.size(), 2U);

  dialogs_.answer = dir_ / "kept.vqa";
  EXPECT_TRUE(doc->SaveModified());
  EXPECT_TRUE(fs::exists(dir_ / "kept.vqa"));
  EXPECT_FALSE(doc->NeedsSaveQuery());
  EXPECT_TRUE(doc->CanCloseFrame(FrameKind::Chart, false));
  EXPECT_EQ(messages_.asked.size(), 3U) << "saved: no further question";
}

TEST_F(DocumentTest, InstrumentDataDiscardedOnRequestAndFilesOpenedUnchangedCloseSilently) {
  auto readout = CVantrel40Doc::FromMeasurement(Environment(), u".vqa",
                                                std::make_unique<model::CMessungObj>());
  messages_.answers = {Answer::No};
  EXPECT_TRUE(readout->SaveModified());
  EXPECT_TRUE(dialogs_.requests.empty());

  CVantrel40Doc online(Environment(), u".vqo");
  ASSERT_TRUE(online.OnOpenDocument(Write("rec.vqo", OnlineFileText())));
  EXPECT_EQ(online.GetImported(), 1);
  EXPECT_FALSE(online.NeedsSaveQuery());

  CVantrel40Doc failed(Environment(), u".vqb");
  EXPECT_FALSE(failed.OnOpenDocument(dir_ / "missing.vqb"));
  EXPECT_FALSE(failed.NeedsSaveQuery()) << "no measurement: nothing to lose";
  EXPECT_EQ(std::count(messages_.asked.begin(), messages_.asked.end(), ids::kMsgSaveChanges), 1);
}

}  // namespace
}  // namespace vantrel::document
