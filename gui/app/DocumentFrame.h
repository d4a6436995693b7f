// The common base of the windows that show a document (the chart frame and the list
// frames): they take the commands of the document menu first and follow every change of
// their document.
#pragma once

#include <QWidget>
#include <optional>

#include "document/CVantrel40Doc.h"

namespace vantrel::gui {

class MenuBuilder;
class OpenDocument;

class DocumentFrame : public QWidget {
  Q_OBJECT
 public:
  DocumentFrame(OpenDocument& document, document::FrameKind kind, QWidget* parent = nullptr)
      : QWidget(parent), document_(document), kind_(kind) {}

  OpenDocument& Document() const { return document_; }
  document::FrameKind Kind() const { return kind_; }

  /// Handles a menu command; false when the frame does not know it.
  virtual bool HandleCommand(int /*commandId*/) { return false; }
  /// Whether a command of this frame can run now; nullopt for commands the frame does not
  /// handle (the main frame decides those). Asked whenever the menus and the toolbar are
  /// brought up to date, so it must be cheap.
  virtual std::optional<bool> CommandEnabled(int /*commandId*/) const { return std::nullopt; }
  /// Sets check marks of the document menu while this frame is active.
  virtual void UpdateCommandStates(MenuBuilder& /*menus*/) {}
  /// The document changed (any view's change): redraw or rebuild.
  virtual void OnDocumentChanged() { update(); }

 private:
  OpenDocument& document_;
  document::FrameKind kind_;
};

}  // namespace vantrel::gui
