// The notes editor (template 157): the rich-text control with a toolbar for loading and
// saving RTF files, alignment, font, cut, copy, paste and storing the notes in the
// measurement. OK stores and closes; closing otherwise asks with 32902 whether changes
// are to be stored. The measurement is only written by "store".
#pragma once

#include <QDialog>
#include <QToolBar>
#include <filesystem>
#include <vector>

#include "app/BrandedTexts.h"
#include "app/CommandIds.h"
#include "gui/notes/CNotesEdit.h"
#include "model/CMessungObj.h"
#include "platform/MessageService.h"

namespace vantrel::gui {

/// Commands of the notes editor.
using ids::kCmdEditCopy;
using ids::kCmdEditCut;
using ids::kCmdEditPaste;
using ids::kCmdNotesAlignCenter;
using ids::kCmdNotesAlignLeft;
using ids::kCmdNotesAlignRight;
using ids::kCmdNotesFont;
using ids::kCmdNotesLoad;
using ids::kCmdNotesSave;
using ids::kCmdNotesStore;

/// The notes a measurement without notes starts with: an empty text in Microsoft Sans
/// Serif 8.5 points.
std::vector<std::uint8_t> DefaultNotes();

class CNotesDlg final : public QDialog {
  Q_OBJECT
 public:
  /// `measurement`, `texts` and `messages` must outlive the dialog.
  CNotesDlg(model::CMessungObj& measurement, const app::BrandedTexts& texts,
            platform::MessageService& messages, QWidget* parent = nullptr);

  CNotesEdit& Editor() { return *editor_; }
  QToolBar& ToolBar() { return *toolbar_; }
  /// 1 after a change of the text since it was opened or last stored.
  bool IsModified() const { return modified_; }

  /// Runs a command of the editor (the toolbar's, store and save).
  void ExecuteCommand(int commandId);
  /// Writes the text into the measurement's notes.
  void StoreNotes();
  /// The path chosen in the last file dialog.
  const std::filesystem::path& LastFile() const { return lastFile_; }
  /// The editor's formatting width in twips: its width at the dialog's opening size on its
  /// screen. The notes printout ends its lines there at the latest, so that they wrap as in
  /// the editor.
  int EditorWidthTwips();

  /// OK: stores the notes and closes.
  void accept() override;
  /// Closing: asks 32902 after a change (OK stores), then closes.
  void reject() override;

 private:
  void BuildToolBar();
  void LoadNotesFile();
  void SaveNotesFile();
  QString FileFilter() const;

  model::CMessungObj& measurement_;
  const app::BrandedTexts& texts_;
  platform::MessageService& messages_;
  CNotesEdit* editor_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  bool modified_ = false;
  std::filesystem::path lastFile_;
};

}  // namespace vantrel::gui
