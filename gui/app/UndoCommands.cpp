#include "gui/app/UndoCommands.h"

#include <QAction>
#include <QKeySequence>
#include <utility>

#include "app/MessageIds.h"
#include "gui/app/CMainFrame.h"
#include "gui/platform/QtServices.h"

namespace vantrel::gui {
namespace {

/// The accelerator table of the document windows.
constexpr int kDocumentAccelerators = 129;
/// The property that keeps an action's menu text from the language file.
constexpr char kPlainTextProperty[] = "vantrelPlainText";

/// The parts of a command string "status text\ntooltip"; both the whole text without a new line.
std::pair<QString, QString> CommandTexts(const app::BrandedTexts& texts, int commandId) {
  const QString text = ToQString(texts.Text(commandId));
  const qsizetype newline = text.indexOf(QLatin1Char('\n'));
  if (newline < 0) return {text, text};
  return {text.left(newline), text.mid(newline + 1)};
}

QList<QKeySequence> KeysOf(const app::LanguageLibrary& library, int commandId) {
  QList<QKeySequence> keys;
  for (const app::Accelerator& key : library.Accelerators(kDocumentAccelerators)) {
    if (key.commandId != commandId) continue;
    const QKeySequence sequence =
        QKeySequence::fromString(QString::fromStdU16String(key.key), QKeySequence::PortableText);
    if (!sequence.isEmpty()) keys << sequence;
  }
  return keys;
}

void Update(CMainFrame& frame, int commandId, int stepNameId, int formatId) {
  const app::BrandedTexts& texts = frame.Context().texts;
  const QList<QKeySequence> keys = KeysOf(texts.Library(), commandId);
  for (QAction* action : frame.Menus().ActionsOf(commandId)) {
    if (!action->property(kPlainTextProperty).isValid()) {
      action->setProperty(kPlainTextProperty, action->text());
      if (!keys.isEmpty()) action->setShortcuts(keys);
      action->setStatusTip(CommandTexts(texts, commandId).first);
    }
    QString text = action->property(kPlainTextProperty).toString();
    if (stepNameId != 0) {
      text = ToQString(texts.Text(formatId))
                 .replace(QStringLiteral("%s"), CommandTexts(texts, stepNameId).second);
    }
    action->setText(text);
    action->setEnabled(stepNameId != 0);
  }
}

bool CanStep(CMainFrame& frame, bool undo) {
  OpenDocument* document = frame.Documents().ActiveDocument();
  if (document == nullptr) return false;
  const document::UndoHistory& history = document->Doc().History();
  return undo ? history.CanUndo() : history.CanRedo();
}

}  // namespace

void InstallUndoCommands(CMainFrame& frame) {
  const auto run = [&frame](bool undo) {
    OpenDocument* document = frame.Documents().ActiveDocument();
    if (document == nullptr) return;
    try {
      if (undo) {
        document->Undo();
      } else {
        document->Redo();
      }
    } catch (const std::bad_alloc&) {
      frame.Context().messages.ShowMessage(platform::kMsgOutOfMemory, platform::Buttons::Ok,
                                           platform::Icon::Exclamation);
      document->RefreshViews();
    }
  };
  // Each command runs only while the active document has a step to take back or to repeat.
  frame.RegisterCommand(
      kCmdUndo, [run] { run(true); }, [&frame] { return CanStep(frame, true); });
  frame.RegisterCommand(
      kCmdRedo, [run] { run(false); }, [&frame] { return CanStep(frame, false); });
}

void UpdateUndoCommands(CMainFrame& frame) {
  OpenDocument* document = frame.Documents().ActiveDocument();
  const document::UndoHistory* history = document != nullptr ? &document->Doc().History() : nullptr;
  Update(frame, kCmdUndo, history != nullptr ? history->UndoNameId() : 0, ids::kStrUndoStep);
  Update(frame, kCmdRedo, history != nullptr ? history->RedoNameId() : 0, ids::kStrRedoStep);
}

}  // namespace vantrel::gui
