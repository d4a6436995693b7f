// The notes editor dialog.
#include "gui/notes/CNotesDlg.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <string_view>

#include "app/MessageIds.h"
#include "gui/notes/NotesToolbarIcons.h"
#include "gui/platform/QtServices.h"
#include "gui/widgets/DialogParts.h"
#include "platform/FileErrors.h"

namespace vantrel::gui {
namespace {

constexpr int kTemplate = 157;

constexpr std::string_view kDefaultNotes =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Microsoft Sans "
    "Serif;}{\\f1\\froman\\fcharset2 Symbol;}}{\\colortbl\\red0\\green0\\blue0;}"
    "\\deflang1031\\horzdoc{\\*\\fchars }{\\*\\lchars }\\pard\\plain\\f0\\fs17 }";

/// Toolbar entries: command and image, 0 for a separator.
struct ToolEntry {
  int command;
  int image;
};
constexpr ToolEntry kToolBar[] = {
    {0, 0},
    {kCmdNotesLoad, 0},
    {kCmdNotesSave, 8},
    {0, 0},
    {kCmdNotesAlignLeft, 1},
    {kCmdNotesAlignCenter, 2},
    {kCmdNotesAlignRight, 3},
    {0, 0},
    {kCmdNotesFont, 4},
    {0, 0},
    {kCmdEditCut, 5},
    {kCmdEditCopy, 6},
    {kCmdEditPaste, 7},
    {0, 0},
    {kCmdNotesStore, 9},
};

}  // namespace

std::vector<std::uint8_t> DefaultNotes() { return {kDefaultNotes.begin(), kDefaultNotes.end()}; }

CNotesDlg::CNotesDlg(model::CMessungObj& measurement, const app::BrandedTexts& texts,
                     platform::MessageService& messages, QWidget* parent)
    : QDialog(parent), measurement_(measurement), texts_(texts), messages_(messages) {
  setWindowTitle(DialogCaption(texts, kTemplate));
  setSizeGripEnabled(true);
  editor_ = new CNotesEdit(this);
  editor_->setAccessibleName(ControlLabel(texts, kTemplate, 1077));
  BuildToolBar();

  // Return belongs to the editor: neither button is the default.
  const auto [buttons, ok, close] = MakeOkCancelButtons(*this, texts, kTemplate);
  ok->setDefault(false);
  ok->setAutoDefault(false);
  close->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(4);
  layout->addWidget(toolbar_);
  layout->addWidget(editor_, 1);
  layout->addWidget(buttons);
  resize(620, 420);

  // Opening: the stored notes (or the default text) without a change to report.
  const auto& notes = measurement_.GetNotes();
  editor_->StreamFromBytes(notes.has_value() && !notes->empty() ? *notes : DefaultNotes());
  editor_->document()->setModified(false);
  modified_ = false;
  connect(editor_->document(), &QTextDocument::contentsChanged, this, [this] { modified_ = true; });
  editor_->setFocus();
}

void CNotesDlg::BuildToolBar() {
  toolbar_ = new QToolBar(this);
  toolbar_->setObjectName(QStringLiteral("notesToolBar"));
  toolbar_->setIconSize(QSize(kNotesImageWidth, kNotesImageHeight));
  toolbar_->setFloatable(false);
  toolbar_->setMovable(false);
  bool first = true;
  for (const ToolEntry& entry : kToolBar) {
    if (entry.command == 0) {
      if (!first) toolbar_->addSeparator();
      continue;
    }
    first = false;
    // Strings of commands: the status text, a line break and the tooltip.
    const QString text = TextOf(texts_, entry.command);
    const qsizetype split = text.indexOf(QLatin1Char('\n'));
    const QString tip = split >= 0 ? text.mid(split + 1) : text;
    QAction* action = toolbar_->addAction(NotesToolbarIcon(entry.image), tip);
    action->setObjectName(QString::number(entry.command));
    action->setToolTip(tip);
    action->setStatusTip(split >= 0 ? text.left(split) : text);
    const int command = entry.command;
    connect(action, &QAction::triggered, this, [this, command] { ExecuteCommand(command); });
  }
}

void CNotesDlg::ExecuteCommand(int commandId) {
  switch (commandId) {
    case kCmdNotesLoad:
      LoadNotesFile();
      break;
    case kCmdNotesSave:
      SaveNotesFile();
      break;
    case kCmdNotesFont:
      editor_->ChooseSelectionFont();
      break;
    case kCmdNotesAlignLeft:
      editor_->SetAlignment(notes::Alignment::Left);
      modified_ = true;
      break;
    case kCmdNotesAlignCenter:
      editor_->SetAlignment(notes::Alignment::Center);
      modified_ = true;
      break;
    case kCmdNotesAlignRight:
      editor_->SetAlignment(notes::Alignment::Right);
      modified_ = true;
      break;
    case kCmdNotesStore:
      StoreNotes();
      break;
    case kCmdEditCut:
      editor_->cut();
      break;
    case kCmdEditCopy:
      editor_->copy();
      break;
    case kCmdEditPaste:
      editor_->paste();
      break;
    default:
      break;
  }
  editor_->setFocus();
}

void CNotesDlg::StoreNotes() {
  std::vector<std::uint8_t> bytes;
  if (!editor_->StreamToBytes(bytes, &messages_)) return;
  measurement_.SetNotes(std::move(bytes));
  modified_ = false;
}

QString CNotesDlg::FileFilter() const {
  return TextOf(texts_, ids::kStrTextFileFilter) + QStringLiteral(" (*.vqd *.rtf);;*.* (*)");
}

void CNotesDlg::LoadNotesFile() {
  QFileDialog dialog(this, QString(), PathToQString(lastFile_), FileFilter());
  dialog.setObjectName(QStringLiteral("notesOpenDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  lastFile_ = PathFromQString(dialog.selectedFiles().front());
  // A file that cannot be read leaves the text as it is, and says why; the notes' own read
  // error only when no cause is known.
  int cause = 0;
  if (editor_->LoadRtf(lastFile_, &cause)) {
    modified_ = true;
  } else {
    messages_.ShowMessage(cause != 0 ? cause : ids::kMsgFileError, platform::Buttons::Ok,
                          platform::Icon::Exclamation, platform::DisplayName(lastFile_));
  }
}

void CNotesDlg::SaveNotesFile() {
  QFileDialog dialog(this, QString(), PathToQString(lastFile_), FileFilter());
  dialog.setObjectName(QStringLiteral("notesSaveDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("vqd"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  lastFile_ = PathFromQString(dialog.selectedFiles().front());
  // A failed save must not pass for a saved file: the message names the file and the cause,
  // the generic one only when no cause is known.
  int cause = 0;
  if (!editor_->SaveRtf(lastFile_, &cause)) {
    messages_.ShowMessage(cause != 0 ? cause : ids::kMsgSaveFailed, platform::Buttons::Ok,
                          platform::Icon::Exclamation, platform::DisplayName(lastFile_));
  }
}

int CNotesDlg::EditorWidthTwips() {
  constexpr int kTwipsPerInch = 1440;
  // A dialog that was never shown has its children placed by its layout first.
  if (!isVisible() && layout() != nullptr) layout()->activate();
  const int dpi = editor_->logicalDpiX();
  if (dpi <= 0) return 0;
  return editor_->width() * kTwipsPerInch / dpi;
}

void CNotesDlg::accept() {
  StoreNotes();
  QDialog::accept();
}

void CNotesDlg::reject() {
  if (modified_ && messages_.ShowMessage(ids::kMsgNotesChanged, platform::Buttons::OkCancel,
                                         platform::Icon::Exclamation) == platform::Answer::Ok) {
    StoreNotes();
  }
  QDialog::reject();
}

}  // namespace vantrel::gui
