#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTextBlock>
#include <fstream>
#include <optional>

#include "FakeTexts.h"
#include "FileSizeLimit.h"
#include "app/MessageIds.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/app/CMainFrame.h"
#include "gui/notes/CNotesDlg.h"
#include "gui/notes/NotesCommands.h"
#include "notes/NotesPrinter.h"
#include "notes/RtfReader.h"
#include "platform/FileErrors.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;

class NotesDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = StartApp(folder_);
    ASSERT_NE(app_, nullptr);
  }
  gui::AppContext& Context() { return app_->MainFrame().Context(); }
  std::unique_ptr<gui::CNotesDlg> Open() {
    auto dialog = std::make_unique<gui::CNotesDlg>(measurement_, Context().texts,
                                                   Context().messages, &app_->MainFrame());
    dialog->show();
    QApplication::processEvents();
    return dialog;
  }
  void Trigger(gui::CNotesDlg& dialog, int command) {
    QAction* action = dialog.ToolBar().findChild<QAction*>(QString::number(command));
    ASSERT_NE(action, nullptr) << command;
    action->trigger();
  }
  notes::RtfDocument Stored() const {
    return measurement_.GetNotes().has_value() ? notes::ReadRtf(*measurement_.GetNotes())
                                               : notes::RtfDocument{};
  }

  TempFolder folder_;
  std::unique_ptr<gui::CVantrel40App> app_;
  model::CMessungObj measurement_;
};

TEST_F(NotesDialog, OpensEmptyInMicrosoftSansSerif8AndAHalfPointsAndStoresRtfBytes) {
  auto dialog = Open();
  gui::CNotesEdit& editor = dialog->Editor();
  EXPECT_TRUE(editor.toPlainText().isEmpty());
  EXPECT_EQ(editor.SelectionFont().family(), QStringLiteral("Microsoft Sans Serif"));
  EXPECT_DOUBLE_EQ(editor.SelectionFont().pointSizeF(), 8.5);
  EXPECT_FALSE(dialog->IsModified());
  EXPECT_FALSE(measurement_.GetNotes().has_value());  // nothing is written before "store"

  TypeText(&editor, QStringLiteral("Druck \u00FCber 200 bar"));
  EXPECT_TRUE(dialog->IsModified());
  SaveShot(*dialog, QStringLiteral("notes_editor"));
  Trigger(*dialog, gui::kCmdNotesStore);
  EXPECT_FALSE(dialog->IsModified());
  ASSERT_TRUE(measurement_.GetNotes().has_value());
  const notes::RtfDocument stored = Stored();
  EXPECT_EQ(stored.PlainText(), u"Druck \u00FCber 200 bar");
  ASSERT_EQ(stored.paragraphs[0].runs.size(), 1U);
  EXPECT_EQ(stored.paragraphs[0].runs[0].format.halfPoints, 17);
  EXPECT_EQ(stored.FindFont(stored.paragraphs[0].runs[0].format.font)->name,
            u"Microsoft Sans Serif");
  const std::string bytes(measurement_.GetNotes()->begin(), measurement_.GetNotes()->end());
  EXPECT_EQ(bytes.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0", 0), 0U);
  EXPECT_NE(bytes.find("Druck \\'fcber 200 bar"), std::string::npos);
}

TEST_F(NotesDialog, ClosingAfterAChangeAsksAndStoresOnlyOnOk) {
  struct Case {
    QMessageBox::StandardButton answer;
    bool stored;
  };
  for (const Case c : {Case{QMessageBox::Cancel, false}, Case{QMessageBox::Ok, true}}) {
    measurement_.SetNotes(std::nullopt);
    auto dialog = Open();
    TypeText(&dialog->Editor(), QStringLiteral("neu"));
    QString asked;
    ModalScript modals;
    modals.ThenAnswer([&](QWidget& modal) {
      auto* box = qobject_cast<QMessageBox*>(&modal);
      ASSERT_NE(box, nullptr);
      asked = box->text();
      box->button(c.answer)->click();
    });
    dialog->findChild<QAbstractButton*>(QStringLiteral("2"))->click();
    EXPECT_EQ(asked, gui::ToQString(Context().texts.Text(ids::kMsgNotesChanged)));
    EXPECT_FALSE(dialog->isVisible());  // closed whatever the answer
    EXPECT_EQ(measurement_.GetNotes().has_value(), c.stored);
  }
  // Without a change it closes without asking; OK stores.
  auto dialog = Open();
  dialog->findChild<QAbstractButton*>(QStringLiteral("2"))->click();
  EXPECT_FALSE(dialog->isVisible());
  dialog = Open();
  // The editor opens with the cursor at the start of the text.
  dialog->Editor().moveCursor(QTextCursor::End);
  TypeText(&dialog->Editor(), QStringLiteral(" und OK"));
  dialog->findChild<QAbstractButton*>(QStringLiteral("1"))->click();
  EXPECT_EQ(Stored().PlainText(), u"neu und OK");
}

TEST_F(NotesDialog, AlignsParagraphsAndChangesTheFontOfTheSelection) {
  auto dialog = Open();
  gui::CNotesEdit& editor = dialog->Editor();
  TypeText(&editor, QStringLiteral("Titel"));
  QTest::keyClick(&editor, Qt::Key_Return);
  TypeText(&editor, QStringLiteral("rechts"));
  Trigger(*dialog, gui::kCmdNotesAlignRight);
  editor.moveCursor(QTextCursor::Start);
  Trigger(*dialog, gui::kCmdNotesAlignCenter);
  editor.moveCursor(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  ModalScript modals;
  modals.ThenAnswer([](QWidget& modal) {
    auto* fonts = qobject_cast<QFontDialog*>(&modal);
    ASSERT_NE(fonts, nullptr);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSize(14);
    font.setBold(true);
    fonts->setCurrentFont(font);
    fonts->accept();
  });
  Trigger(*dialog, gui::kCmdNotesFont);
  SaveShot(*dialog, QStringLiteral("notes_editor_formatted"));
  Trigger(*dialog, gui::kCmdNotesStore);

  const notes::RtfDocument stored = Stored();
  ASSERT_EQ(stored.paragraphs.size(), 2U);
  EXPECT_EQ(stored.paragraphs[0].alignment, notes::Alignment::Center);
  EXPECT_EQ(stored.paragraphs[1].alignment, notes::Alignment::Right);
  const notes::Run& title = stored.paragraphs[0].runs.at(0);
  EXPECT_TRUE(title.format.bold);
  EXPECT_EQ(title.format.halfPoints, 28);
  EXPECT_EQ(stored.FindFont(title.format.font)->name, u"Liberation Serif");
  EXPECT_EQ(stored.paragraphs[1].runs.at(0).format.halfPoints, 17);
}

TEST_F(NotesDialog, CutsCopiesAndPastesThroughTheClipboard) {
  auto dialog = Open();
  gui::CNotesEdit& editor = dialog->Editor();
  TypeText(&editor, QStringLiteral("eins zwei"));
  editor.moveCursor(QTextCursor::StartOfWord, QTextCursor::KeepAnchor);
  Trigger(*dialog, gui::kCmdEditCut);
  EXPECT_EQ(editor.toPlainText(), QStringLiteral("eins "));
  editor.moveCursor(QTextCursor::Start);
  Trigger(*dialog, gui::kCmdEditPaste);
  EXPECT_EQ(editor.toPlainText(), QStringLiteral("zweieins "));
  editor.selectAll();
  Trigger(*dialog, gui::kCmdEditCopy);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("zweieins "));
}

TEST_F(NotesDialog, LoadsAndSavesRtfFilesAsAnotherEditorWritesThem) {
  const fs::path source = folder_.Path() / "bericht.vqd";
  std::ofstream(source, std::ios::binary)
      << "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}{\\colortbl "
         ";\\red255\\green0"
         "\\blue0;}\\viewkind4\\uc1\\pard\\qc\\b\\f0\\fs28 Pr\\'fcfbericht\\b0\\par\r\n"
         "\\pard\\cf1\\fs20 Leck an Ventil 3\\par\r\n}";
  auto dialog = Open();
  ModalScript modals;
  modals.ThenAnswer([&](QWidget& modal) {
    auto* files = qobject_cast<QFileDialog*>(&modal);
    ASSERT_NE(files, nullptr);
    files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
        ->setText(QString::fromStdString(source.string()));
    QMetaObject::invokeMethod(files, "accept");
  });
  Trigger(*dialog, gui::kCmdNotesLoad);
  EXPECT_EQ(dialog->LastFile(), source);
  EXPECT_EQ(dialog->Editor().toPlainText(), QStringLiteral("Pr\u00FCfbericht\nLeck an Ventil 3"));
  EXPECT_EQ(dialog->Editor().document()->begin().blockFormat().alignment() & Qt::AlignHCenter,
            Qt::AlignHCenter);
  EXPECT_TRUE(dialog->IsModified());
  SaveShot(*dialog, QStringLiteral("notes_editor_loaded"));

  const fs::path target = folder_.Path() / "kopie";
  modals.ThenAnswer([&](QWidget& modal) {
    auto* files = qobject_cast<QFileDialog*>(&modal);
    ASSERT_NE(files, nullptr);
    files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
        ->setText(QString::fromStdString(target.string()));
    QMetaObject::invokeMethod(files, "accept");
  });
  Trigger(*dialog, gui::kCmdNotesSave);
  const fs::path written = folder_.Path() / "kopie.vqd";  // the default extension
  ASSERT_TRUE(fs::exists(written));
  std::ifstream file(written, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                        std::istreambuf_iterator<char>());
  const notes::RtfDocument saved = notes::ReadRtf(bytes);
  EXPECT_EQ(saved.PlainText(), u"Pr\u00FCfbericht\nLeck an Ventil 3");
  EXPECT_EQ(saved.ColorAt(saved.paragraphs[1].runs.at(0).format.color),
            platform::MakeColor(255, 0, 0));

  // Files that cannot be read or written leave everything as it is.
  EXPECT_FALSE(dialog->Editor().LoadRtf(folder_.Path() / "fehlt.vqd"));
  EXPECT_FALSE(dialog->Editor().SaveRtf(folder_.Path()));
  EXPECT_EQ(dialog->Editor().toPlainText(), QStringLiteral("Pr\u00FCfbericht\nLeck an Ventil 3"));
}

TEST_F(NotesDialog, ThePrintoutWrapsAtTheWidthOfTheEditor) {
  auto dialog = Open();
  const int twips = dialog->EditorWidthTwips();
  EXPECT_EQ(twips, dialog->Editor().width() * 1440 / dialog->Editor().logicalDpiX());
  EXPECT_GT(twips, notes::kNotesSideMarginTwips);
  // The printout measures the dialog it makes without showing it: the same width.
  EXPECT_EQ(gui::NotesEditorWidthTwips(Context()), twips);
}

TEST_F(NotesDialog, FilesThatCannotBeReadOrWrittenNameTheFileAndTheCause) {
  const fs::path plain = folder_.Path() / "datei.vqd";
  std::ofstream(plain) << "{\\rtf1 x}";
  const fs::path pipe = folder_.Path() / "rohr.vqd";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  ScriptedMessages messages;
  gui::CNotesDlg dialog(measurement_, Context().texts, messages, &app_->MainFrame());
  dialog.Editor().setPlainText(QString(4096, QLatin1Char('x')));
  const QString before = dialog.Editor().toPlainText();

  struct Case {
    fs::path path;
    bool save;
    int cause;
  };
  const Case cases[] = {
      {folder_.Path() / "fehlt.vqd", false, platform::kMsgFileNotFound},
      {folder_.Path(), false, platform::kMsgFileIsFolder},
      {pipe, false, platform::kMsgFileNotOrdinary},
      {plain / "unter.vqd", false, platform::kMsgFileNotFound},
      {plain / "unter.vqd", true, platform::kMsgFileNotFound},  // a file is no folder
      {folder_.Path() / "fehlt" / "neu.vqd", true, platform::kMsgFileNotFound},
      {folder_.Path(), true, platform::kMsgFileIsFolder},
      {folder_.Path() / std::string(300, 'n'), true, platform::kMsgFileInvalidPath},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    int cause = 0;
    const bool done =
        c.save ? dialog.Editor().SaveRtf(c.path, &cause) : dialog.Editor().LoadRtf(c.path, &cause);
    EXPECT_FALSE(done);
    EXPECT_EQ(cause, c.cause);
  }
  EXPECT_EQ(dialog.Editor().toPlainText(), before);

  // Through the dialog's commands: the message names the cause and the file. A file too
  // large for notes (sparse, 65 MiB) is not read.
  const fs::path huge = folder_.Path() / "riesig.vqd";
  std::ofstream(huge).close();
  fs::resize_file(huge, std::uintmax_t{65} << 20);
  ModalScript load;
  load.ThenAnswer([&](QWidget& modal) { ASSERT_TRUE(ChooseFile(modal, huge)); });
  Trigger(dialog, gui::kCmdNotesLoad);
  // A full disk (the file size limit) while saving leaves no file.
  const fs::path full = folder_.Path() / "voll.vqd";
  std::optional<FileSizeLimit> limit;
  ModalScript save;
  save.ThenAnswer([&](QWidget& modal) {
    limit.emplace(1024);
    ASSERT_TRUE(limit->Applied());
    ASSERT_TRUE(ChooseFile(modal, full));
  });
  Trigger(dialog, gui::kCmdNotesSave);
  limit.reset();
  EXPECT_EQ(messages.asked,
            (std::vector<int>{platform::kMsgFileReadError, platform::kMsgFileDiskFull}));
  EXPECT_EQ(messages.arguments, (std::vector<std::u16string>{platform::DisplayName(huge),
                                                             platform::DisplayName(full)}));
  EXPECT_FALSE(fs::exists(full));
  EXPECT_EQ(dialog.Editor().toPlainText(), before);
}

TEST_F(NotesDialog, ShowsTheNotesOfAnInstrumentDataFile) {
  gui::CMainFrame& frame = app_->MainFrame();
  frame.OpenFile(
      QStringLiteral(VANTREL_TEST_DATA_DIR "/import/instrument_two_blocks_ten_notes_lines.vqm"));
  gui::OpenDocument* document = frame.Documents().ActiveDocument();
  ASSERT_NE(document, nullptr);
  ASSERT_TRUE(document->Measurement()->GetNotes().has_value());
  gui::CNotesDlg dialog(*document->Measurement(), Context().texts, Context().messages, &frame);
  const QStringList lines = dialog.Editor().toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 10);
  EXPECT_EQ(lines.front(), QStringLiteral("Zeile 1 "));
  EXPECT_EQ(lines.back(), QStringLiteral("Zeile 10 "));
  EXPECT_DOUBLE_EQ(dialog.Editor().SelectionFont().pointSizeF(), 12.0);
}

}  // namespace
}  // namespace vantrel::testing
