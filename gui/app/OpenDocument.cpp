#include "gui/app/OpenDocument.h"

#include "gui/app/DocumentFrame.h"
#include "gui/platform/QtServices.h"

namespace vantrel::gui {

void OpenDocument::UpdateAllViews(bool modified) {
  if (modified) doc_->SetModifiedFlag(true);
  RefreshViews();
}

void OpenDocument::RefreshViews() {
  for (const Window& w : windows_) {
    if (w.window != nullptr && w.frame != nullptr) w.frame->OnDocumentChanged();
  }
  emit TitleChanged();
}

void OpenDocument::RecordStep(int commandId, bool marksModified) {
  doc_->RecordStep(commandId, marksModified);
  RefreshViews();
  emit HistoryChanged();
}

bool OpenDocument::Undo() {
  if (!doc_->Undo()) return false;
  RefreshViews();
  emit HistoryChanged();
  return true;
}

bool OpenDocument::Redo() {
  if (!doc_->Redo()) return false;
  RefreshViews();
  emit HistoryChanged();
  return true;
}

void OpenDocument::AddWindow(QMdiSubWindow* window, DocumentFrame* frame) {
  windows_.push_back({window, frame});
  emit TitleChanged();
}

void OpenDocument::RemoveWindow(QMdiSubWindow* window) {
  std::erase_if(windows_,
                [window](const Window& w) { return w.window == window || w.window == nullptr; });
  emit TitleChanged();
}

std::vector<QMdiSubWindow*> OpenDocument::Windows() const {
  std::vector<QMdiSubWindow*> result;
  for (const Window& w : windows_) {
    if (w.window != nullptr) result.push_back(w.window);
  }
  return result;
}

DocumentFrame* OpenDocument::FrameOf(QMdiSubWindow* window) const {
  for (const Window& w : windows_) {
    if (w.window == window) return w.frame;
  }
  return nullptr;
}

QString OpenDocument::TitleFor(QMdiSubWindow* window) const {
  QString title = ToQString(doc_->GetTitle());
  if (doc_->IsModified()) title += QStringLiteral("*");
  if (windows_.size() > 1) {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
      if (windows_[i].window == window) return title + QStringLiteral(":%1").arg(i + 1);
    }
  }
  return title;
}

}  // namespace vantrel::gui
