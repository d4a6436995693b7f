// Opening and saving documents in the window program: a file that cannot be opened or saved
// is named in a message that says why (it does not exist, it is a folder or a pipe, the
// name is too long, the disk is full); nothing is opened, and a failed save keeps the
// document unsaved.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <optional>

#include "FileSizeLimit.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/app/CMainFrame.h"
#include "platform/FileErrors.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;

class DocumentManagerTest : public AppTest {
 protected:
  /// The text of message `id` naming `path`.
  QString Message(int id, const fs::path& path) {
    return Text(id).replace(QStringLiteral("%1"), QString::fromStdString(path.string()));
  }
  std::unique_ptr<model::CMessungObj> Measurement(int samples) {
    auto m = std::make_unique<model::CMessungObj>();
    m->SetName(u"Pumpe", 3);
    m->AddYAxis();
    model::CKurveObj* curve = m->AddCurve();
    for (int i = 0; i < samples; ++i) curve->AddSample(float(i), float(i + 1), float(i));
    return m;
  }
};

TEST_F(DocumentManagerTest, AFileThatCannotBeOpenedIsNamedWithItsCause) {
  const fs::path plain = folder_.Path() / "text.txt";
  std::ofstream(plain) << "x";
  fs::create_directories(folder_.Path() / "ordner.vqb");
  const fs::path pipe = folder_.Path() / "rohr.vqb";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  struct Case {
    fs::path path;
    int message;
  };
  const Case cases[] = {
      {folder_.Path() / "fehlt.vqb", platform::kMsgFileNotFound},
      {folder_.Path() / "fehlt.vqm", platform::kMsgFileNotFound},  // an instrument text file
      {plain / "unter.vqb", platform::kMsgFileNotFound},
      {folder_.Path() / "ordner.vqb", platform::kMsgFileIsFolder},
      {pipe, platform::kMsgFileNotOrdinary},
      {folder_.Path() / (std::string(300, 'n') + ".vqb"), platform::kMsgFileInvalidPath},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    QString shown;
    ModalScript script;
    script.ThenMessage(&shown);
    EXPECT_EQ(Frame().Documents().OpenFile(c.path), nullptr);
    EXPECT_EQ(script.Pending(), 0U);
    EXPECT_EQ(shown, Message(c.message, c.path));
  }
  EXPECT_TRUE(Frame().WorkArea().subWindowList().isEmpty());
}

TEST_F(DocumentManagerTest, AFailedSaveNamesTheFileAndTheCauseAndKeepsTheDocumentUnsaved) {
  const fs::path plain = folder_.Path() / "text.txt";
  std::ofstream(plain) << "x";
  gui::OpenDocument* document = Frame().Documents().AddMeasurement(Measurement(2000));
  ASSERT_NE(document, nullptr);

  const fs::path below = plain / "pumpe.vqa";
  QString shown;
  ModalScript script;
  script.ThenFile(QString::fromStdString(below.string())).ThenMessage(&shown);
  EXPECT_FALSE(Frame().Documents().Save(*document, true));
  EXPECT_EQ(script.Pending(), 0U);
  EXPECT_EQ(shown, Message(platform::kMsgFileNotFound, below));

  // A full disk (the file size limit of the process) leaves no file behind.
  const fs::path full = folder_.Path() / "voll.vqa";
  std::optional<FileSizeLimit> limit(std::in_place, 4096);
  ASSERT_TRUE(limit->Applied());
  ModalScript again;
  again.ThenFile(QString::fromStdString(full.string())).ThenMessage(&shown);
  const bool saved = Frame().Documents().Save(*document, true);
  limit.reset();
  EXPECT_FALSE(saved);
  EXPECT_EQ(again.Pending(), 0U);
  EXPECT_EQ(shown, Message(platform::kMsgFileDiskFull, full));
  EXPECT_FALSE(fs::exists(full));
  EXPECT_TRUE(document->Doc().GetPathName().empty());
}

}  // namespace
}  // namespace vantrel::testing
