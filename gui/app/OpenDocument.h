// One open document and its windows: the chart window and any list windows. Every change
// goes through RecordStep (an undo step named by its command) or UpdateAllViews, which mark
// the document modified and refresh each window.
#pragma once

#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "document/CVantrel40Doc.h"

namespace vantrel::gui {

class DocumentFrame;

class OpenDocument final : public QObject {
  Q_OBJECT
 public:
  explicit OpenDocument(std::unique_ptr<document::CVantrel40Doc> doc) : doc_(std::move(doc)) {}

  document::CVantrel40Doc& Doc() { return *doc_; }
  model::CMessungObj* Measurement() { return doc_->GetMeasurement(); }

  /// Records a change: marks the document modified (ending its imported state) and
  /// refreshes every window.
  void UpdateAllViews(bool modified = true);
  /// Refreshes every window without touching the modified flag.
  void RefreshViews();
  /// Records the change just made as an undo step named by the string of command
  /// `commandId` (its tooltip part), marks the document modified (unless `marksModified` is
  /// false) and refreshes every window.
  void RecordStep(int commandId, bool marksModified = true);
  /// Takes back / does again one step and refreshes every window; false when there is none.
  bool Undo();
  bool Redo();

  void AddWindow(QMdiSubWindow* window, DocumentFrame* frame);
  void RemoveWindow(QMdiSubWindow* window);
  /// The windows of the document, chart first.
  std::vector<QMdiSubWindow*> Windows() const;
  DocumentFrame* FrameOf(QMdiSubWindow* window) const;
  bool HasWindows() const { return !windows_.empty(); }
  /// Window title of the document, numbered ":2", ":3" when it has several windows.
  QString TitleFor(QMdiSubWindow* window) const;

 signals:
  void TitleChanged();
  /// A step was recorded, undone or redone.
  void HistoryChanged();

 private:
  struct Window {
    QPointer<QMdiSubWindow> window;
    DocumentFrame* frame = nullptr;
  };
  std::unique_ptr<document::CVantrel40Doc> doc_;
  std::vector<Window> windows_;
};

}  // namespace vantrel::gui
