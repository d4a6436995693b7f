// The list window of a document (a document frame of kind List) around its table view
// CLegende: it keeps the table mode and the selected curve positions, rebuilds the table
// completely on every change of the document, titles itself with the document title and
// the mode's suffix, and gets its first size and position when it is shown the first time.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <vector>

#include "gui/app/DocumentFrame.h"
#include "platform/MessageService.h"
#include "platform/TextSource.h"
#include "tables/TextConventions.h"

namespace vantrel::gui {

class CLegende;

class CMyListFrame final : public DocumentFrame {
  Q_OBJECT
 public:
  /// `tableMode` 0..3; `selection`: curve positions for modes 2 and 3 (at most 16 kept).
  /// `texts` and `messages` must outlive the frame; `messages` may be null.
  CMyListFrame(OpenDocument& document, int tableMode, std::vector<int> selection,
               const platform::TextSource& texts, platform::MessageService* messages,
               tables::TextConventions conventions, QWidget* parent = nullptr);

  int TableMode() const { return tableMode_; }
  const std::vector<int>& Selection() const { return selection_; }
  /// True once the window got its first size and position.
  bool Placed() const { return placed_; }
  CLegende& View() { return *view_; }

  /// The window text suffix of the mode (" Legende", " Werteliste", ...), with its blank.
  QString TitleSuffix() const;
  /// Follows the title of `window` (the work-area window holding this frame): the
  /// document's title and window number, then the suffix.
  void AttachWindow(QMdiSubWindow* window);

  /// Rebuilds the table from the current measurement.
  void OnDocumentChanged() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void UpdateTitle();
  void PlaceFirstTime();

  int tableMode_;
  std::vector<int> selection_;
  bool placed_ = false;
  const platform::TextSource& texts_;
  platform::MessageService* messages_;
  tables::TextConventions conventions_;
  CLegende* view_ = nullptr;
  QPointer<QMdiSubWindow> window_;
};

}  // namespace vantrel::gui
